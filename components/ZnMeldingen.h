// Message boxes and the system shell's "open" of an address, behind one small interface so that
// windows and components can be driven by tests without a modal box blocking them.
//
// The program uses the process-wide instance from ZnMeldingen(); by default that shows real message
// boxes (title after the kind, Dutch buttons) and opens addresses in the default browser.
// A test installs a TZnOpgenomenMeldingen with ZetZnMeldingen(), which records every box and every
// address and answers from a prepared list.
#pragma once

#include <QList>
#include <QString>
#include <QUrl>

class QWidget;

namespace korvalinde {

enum class TZnMeldingSoort { Fout, Waarschuwing, Informatie, Bevestig };
enum class TZnKnop { Geen, Ja, Nee, OK, Annuleer };

// "Fout", "Waarschuwing", "Informatie", "Bevestig".
QString ZnMeldingTitel(TZnMeldingSoort soort);
// "&Ja", "&Nee", "OK", "Annuleer".
QString ZnKnopTekst(TZnKnop knop);

class TZnMeldingen {
  public:
    virtual ~TZnMeldingen() = default;
    // Shows a modal message box of the given kind with the given buttons (in that order) and
    // returns the button chosen; TZnKnop::Geen when the box was closed without a button.
    virtual TZnKnop Toon(TZnMeldingSoort soort, const QString& tekst, const QList<TZnKnop>& knoppen) = 0;
    // Asks the system to open the address with its default handler. False when that failed.
    virtual bool OpenAdres(const QUrl& adres) = 0;

    // Shorthands for the usual boxes with one "OK" button.
    void Fout(const QString& tekst) { Toon(TZnMeldingSoort::Fout, tekst, {TZnKnop::OK}); }
    void Informatie(const QString& tekst) { Toon(TZnMeldingSoort::Informatie, tekst, {TZnKnop::OK}); }
};

// Real message boxes, parented to the active window, and QDesktopServices for addresses.
class TZnQtMeldingen : public TZnMeldingen {
  public:
    TZnKnop Toon(TZnMeldingSoort soort, const QString& tekst, const QList<TZnKnop>& knoppen) override;
    bool OpenAdres(const QUrl& adres) override;
};

// Records instead of showing. Answers come from `antwoorden` in order; when that list is empty
// the first button of the box is taken. OpenAdres records the address and returns `openLukt`.
class TZnOpgenomenMeldingen : public TZnMeldingen {
  public:
    struct Melding {
        TZnMeldingSoort soort;
        QString titel;
        QString tekst;
        QList<TZnKnop> knoppen;
    };
    QList<Melding> meldingen;
    QList<TZnKnop> antwoorden;
    QList<QUrl> geopend;
    bool openLukt = true;

    TZnKnop Toon(TZnMeldingSoort soort, const QString& tekst, const QList<TZnKnop>& knoppen) override;
    bool OpenAdres(const QUrl& adres) override;
};

// The instance everything in the program reports through.
TZnMeldingen& ZnMeldingen();
// Installs another instance (not owned); nullptr returns to the real message boxes.
void ZetZnMeldingen(TZnMeldingen* meldingen);

} // namespace korvalinde
