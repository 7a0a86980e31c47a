// The about-box component: a program's identity (name, abbreviation, version, version date,
// authors, support and web addresses), the about window that shows it, the way to the program's
// website and the check for a newer version on the version server.
//
// Dates are written with Dutch month and day names everywhere in the program: DatumOpmaak() below
// formats with them, and KorteDatum() gives the program's short date "dd/MM/yyyy".
#pragma once

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace korvalinde {

class TFrmInfo;

// "januari" .. "december".
const QStringList& LangeMaandNamen();
// "zondag" .. "zaterdag", from Sunday.
const QStringList& LangeDagNamen();
// "jan" .. "dec" and "zo" .. "za", for the three-letter patterns.
const QStringList& KorteMaandNamen();
const QStringList& KorteDagNamen();

// Formats a date with Dutch names. Patterns: d dd ddd dddd, M MM MMM MMMM, yy yyyy; text between
// single quotes is copied as it stands ('' gives one quote); every other character is copied.
// An invalid date gives an empty text.
QString DatumOpmaak(const QDate& datum, const QString& patroon);

// The program's short date format and a date written with it.
inline constexpr char KorteDatumPatroon[] = "dd/MM/yyyy";
QString KorteDatum(const QDate& datum);

// This product's own addresses. The version server's address lives here and nowhere else; a
// deployment points the check elsewhere through the settings file (see VersionCheck).
namespace ZnAdres {
inline constexpr char Helpdesk[] = "helpdesk@korvalinde.example.org";
inline constexpr char WebAdres[] = "korvalinde.example.org";
inline constexpr char VersieAdres[] = "korvalinde.example.org/software/korvalinde";
inline constexpr char DownloadAdres[] = "korvalinde.example.org/software/korvalinde";
inline constexpr char VersieBestand[] = "versie.txt";
} // namespace ZnAdres

// The four lines of the version file: program name, version text, version date, download address.
struct TZnVersieInfo {
    QString naam;
    QString versie;
    QString datum;
    QString downloadAdres;
};

// True when the answer reads as a version file: a version text on the second line (letters, digits,
// points, dashes, underscores and spaces, with at least one digit, at most 40 characters) and no
// control characters on any line. An empty answer, a web page or an error text is none.
bool IsVersieTekst(const TZnVersieInfo& info);

// Fetches and reads the version file at basis + pad ("http://host/pad" + "/versie.txt").
// Throws std::exception with a Dutch message when the request fails.
using TZnVersieOphaler = std::function<TZnVersieInfo(const QString& basis, const QString& pad)>;

class TZnInfoBox : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString ProgAfkorting MEMBER ProgAfkorting)
    Q_PROPERTY(QString ProgNaam MEMBER ProgNaam)
    Q_PROPERTY(QString Versie MEMBER Versie)
    Q_PROPERTY(QString Datum MEMBER Datum)
    Q_PROPERTY(QString Programmeur MEMBER Programmeur)
    Q_PROPERTY(QString Helpdesk MEMBER Helpdesk)
    Q_PROPERTY(QString WebAdres MEMBER WebAdres)
    Q_PROPERTY(QString VersieAdres MEMBER VersieAdres)
    Q_PROPERTY(QString VersieFile MEMBER VersieFile)
    Q_PROPERTY(QString DownloadAdres MEMBER DownloadAdres)
    Q_PROPERTY(QString Logo MEMBER Logo)

  public:
    explicit TZnInfoBox(QObject* parent = nullptr);

    QString ProgAfkorting;
    QString ProgNaam;
    QString Versie;        // version text, e.g. "2010.00"
    QString Datum;         // version date, e.g. "5 februari 2010"
    QString Programmeur;   // shown under "Ontwikkeld door:"
    QString Helpdesk;      // support e-mail address
    QString WebAdres;      // website, without "http://"
    QString VersieAdres;   // host and path of the version file, without scheme
    QString VersieFile;    // name of the version file; empty until the program sets it
    QString DownloadAdres; // where new versions are offered
    QString Logo;          // file name of the picture at the top of the about window

    // Loaded libraries with their versions, one entry a line, for the about window.
    QStringList Dlls;

    // Builds the about window, fills it and shows it application-modal. The window frees itself
    // when closed; the returned pointer becomes null then.
    QPointer<TFrmInfo> Execute();
    // Builds and fills the about window without showing it.
    std::unique_ptr<TFrmInfo> MaakVenster();

    // Opens WebAdres in the default browser; a failure is reported in an error box.
    void GotoWebsite();

    // Asks the version server for the current version. meldAltijd also reports that the program
    // is up to date (the menu's check); at start-up it is false and the check stays silent then.
    void VersieControleren(bool meldAltijd);

    // The fetch routine of this box; when empty, the process-wide one below is used.
    TZnVersieOphaler VersieOphaler;
    // The process-wide fetch routine (the program installs its HTTP client here at start-up).
    static void ZetStandaardOphaler(TZnVersieOphaler ophaler);
    static const TZnVersieOphaler& StandaardOphaler();

    // "http://" + VersieAdres; an address that already names http:// or https:// is kept.
    QString VersieBasis() const;

  private:
    void OpenDownloadAdres(const QString& adres);
};

} // namespace korvalinde
