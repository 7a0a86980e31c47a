// Recent-files block of a file menu: numbered entries "&1 weide1.kvl", "&2 ..." between two separator
// lines at a fixed position of an existing menu, most recent first. Picking an entry removes it from
// the list and reports its full name; the list is kept in a section of an INI settings file under the
// keys "FileHistCount" and "FileHistItem0" (newest) .. "FileHistItem<n-1>".
//
// Names are kept as full paths. Where the file system does not tell names apart by case (Windows,
// most macOS volumes) a name is stored in lower case (upper case with fhHoofdLetters) and names that
// differ only in case are the same entry. Where it does (Linux), the name keeps the case of its path,
// because a lower-cased path would name another, usually non-existent file; only the menu text shows
// the name in lower (or upper) case.
#pragma once

#include <QAction>
#include <QFlags>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QSettings;

namespace korvalinde {

enum TFileHistOption {
    fhToonPad = 0x1,      // entries show the full path, otherwise the file name only
    fhHoofdLetters = 0x2, // names in upper case, otherwise in lower case
};
Q_DECLARE_FLAGS(TFileHistOptions, TFileHistOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFileHistOptions)

class TZnFilehistMenu : public QObject {
    Q_OBJECT

  public:
    static constexpr int MaxMaxBestanden = 20;
    // True when the file system holding `pad` tells names apart by case.
    using TNaamGevoeligheid = std::function<bool(const QString& pad)>;

    explicit TZnFilehistMenu(QObject* parent = nullptr);
    ~TZnFilehistMenu() override;

    // The menu the entries go into; cannot change while the list holds files.
    QMenu* BestandMenu() const { return m_menu; }
    void SetBestandMenu(QMenu* menu);
    // Maximum number of files, 0..20 (default 5); negative values are ignored.
    int MaxBestanden() const { return m_max; }
    void SetMaxBestanden(int aantal);
    // Index in BestandMenu where the block starts (default 0); cannot change while the list holds files.
    int InvoegPositie() const { return m_positie; }
    void SetInvoegPositie(int positie);
    TFileHistOptions Options() const { return m_opties; }
    void SetOptions(TFileHistOptions opties);

    // Puts an existing file at the top of the list (a file that does not exist is ignored).
    void Add(const QString& bestandNaam);

    // Restores / stores the list in section `sectie`. The file-path versions return false when the
    // settings file could not be read or written; a missing or damaged file restores an empty list.
    void LoadFromIni(QSettings& ini, const QString& sectie);
    bool LoadFromIni(const QString& iniBestand, const QString& sectie);
    void SaveToIni(QSettings& ini, const QString& sectie) const;
    bool SaveToIni(const QString& iniBestand, const QString& sectie) const;

    // The names, most recent first, and their menu entries in the same order.
    QStringList Bestanden() const;
    int Count() const { return int(m_lijst.size()); }
    QList<QAction*> Items() const;
    // Which separators the block put into the menu (leading, trailing) or reused (an existing one).
    bool LeadingSeparator() const { return m_leidend; }
    bool TrailingSeparator() const { return m_volgend; }
    bool ReusedSeparator() const { return m_hergebruik; }

    // Replaces the check of the file system (for tests); empty restores the real check.
    void SetHoofdletterGevoelig(TNaamGevoeligheid check);
    static bool HoofdletterGevoelig(const QString& pad);

  signals:
    // The user picked a file from the list; the entry has already left the list.
    void OnClick(const QString& BestandNaam);

  private:
    struct Bestand {
        QString naam;
        QPointer<QAction> item;
    };

    QString Normaliseer(const QString& naam, bool gevoelig) const;
    QString MenuTekst(int index) const;
    void ZetScheidingen();
    void VerwijderScheidingen();
    void VerwijderItem(int index);
    void Hercaptioneer();
    void VoegInMenu(int positie, QAction* item);
    void ItemClick(QAction* item);
    bool Gevoelig(const QString& pad) const;

    QList<Bestand> m_lijst;
    QPointer<QMenu> m_menu;
    int m_max = 5;
    int m_positie = 0;
    TFileHistOptions m_opties;
    bool m_leidend = false;
    bool m_volgend = false;
    bool m_hergebruik = false;
    QPointer<QAction> m_leidScheiding;
    QPointer<QAction> m_volgScheiding;
    TNaamGevoeligheid m_gevoelig;
};

} // namespace korvalinde
