// korvalinde-bereken: computes scenarios without the window and prints the results as JSON or CSV.
//
//   korvalinde-bereken INVOER.json      input record as JSON -> results as JSON on stdout
//   korvalinde-bereken WEIDE.kvl        scenario file, read as the window reads it -> the same
//   korvalinde-bereken --csv A.kvl B.kvl  summary tables as one CSV (--detail adds the detail tables)
//   korvalinde-bereken --nieuw UIT.kvl  writes a scenario file with all defaults
//   korvalinde-bereken --rapport UIT.pdf WEIDE.kvl  the printed report of a scenario as PDF
//
// Exit codes: 0 computed; 1 the model stopped with an error (the partly filled results are printed,
// the message in "fout" or on stderr); 2 an input could not be read, a file could not be written or
// standard output did not take all results (message on stderr).

#include "domain/Bedrijfsmodel.h"
#include "core/Berekening.h"
#include "domain/Bestand.h"
#include "core/Invoerset.h"
#include "core/Meldingen.h"
#include "report/Rapport.h"
#include "core/RecordJson.h"
#include "core/Scenario.h"
#include "core/Versie.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>

#include <sys/stat.h>

using namespace korvalinde;

namespace {

const char* const Gebruik =
    "Gebruik: korvalinde-bereken [opties] BESTAND...\n"
    "         korvalinde-bereken --nieuw UIT.kvl\n"
    "\n"
    "Berekent de drie varianten (Basis, Alternatief 1, Alternatief 1+2) en schrijft de uitvoer naar\n"
    "standaarduitvoer. Een BESTAND dat op .json eindigt is een invoerrecord als JSON; elk ander\n"
    "bestand is een scenariobestand (.kvl), dat gelezen wordt zoals het programma het opent.\n"
    "\n"
    "Uitvoer: JSON met \"invoer\" (het berekende invoerrecord), \"uitvoer\" en \"fout\"; bij meer\n"
    "bestanden een lijst met per bestand ook \"bestand\".\n"
    "\n"
    "Opties:\n"
    "  --csv           de samenvattingstabel als CSV (komma, decimale punt), een blok per bestand\n"
    "  --detail        ook de drie detailtabellen als CSV, na een lege regel (houdt --csv in)\n"
    "  --nieuw UIT.kvl schrijft een scenariobestand met alle standaardwaarden (Nieuw, Opslaan)\n"
    "  --rapport UIT.pdf BESTAND.kvl\n"
    "                  schrijft het afgedrukte rapport (drie pagina's A4) van het scenario als PDF\n"
    "  --help          deze hulp\n"
    "  --version       versie van het programma\n"
    "\n"
    "Meldingen die het programma in een venster zou tonen (zoals \"Onbekende string :\") komen als\n"
    "waarschuwing op standaardfout.\n"
    "\n"
    "Afsluitcode: 0 berekend, 1 het model stopte met een fout (uitvoer tot de fout, met \"fout\"),\n"
    "2 een invoer kon niet gelezen worden, een bestand kon niet geschreven worden of de uitvoer\n"
    "kon niet volledig naar standaarduitvoer.\n";

const char* const VariantNamen[3] = {"Basis", "Alternatief 1", "Alternatief 1+2"};

QTextStream& Fout() {
    static QTextStream fout(stderr);
    return fout;
}

int Onleesbaar(const QString& melding) {
    Fout() << "korvalinde-bereken: " << melding << Qt::endl;
    return 2;
}

// One computed input.
struct Resultaat {
    QString bestand;
    TQXInvoer invoer;
    TQXUitvoer uitvoer;
    QString fout; // the model's error, empty when it computed to the end
};

bool IsJson(const QString& pad) {
    return pad.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
}

// No input record comes near this size; a larger file (or an endless one) is not read.
constexpr std::size_t MaxJsonGrootte = 16 * 1024 * 1024;

// Reads an input record from a JSON file; false with the message.
bool LeesJson(const QString& pad, TQXInvoer& invoer, QString& melding) {
    std::string bytes;
    bool teLang = false;
    const std::string reden =
        LeesBestand(QFile::encodeName(pad).toStdString(), MaxJsonGrootte, bytes, &teLang);
    if (!reden.empty()) {
        melding = QString::fromStdString(reden);
        return false;
    }
    if (teLang) {
        melding = QStringLiteral("%1 is groter dan %2 MiB; zo groot is geen invoerrecord")
                      .arg(pad)
                      .arg(MaxJsonGrootte / (1024 * 1024));
        return false;
    }
    QJsonParseError parseFout{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(bytes), &parseFout);
    if (parseFout.error != QJsonParseError::NoError) {
        melding = QStringLiteral("%1 is geen geldige JSON (positie %2): %3")
                      .arg(pad)
                      .arg(parseFout.offset)
                      .arg(parseFout.errorString());
        return false;
    }
    if (!doc.isObject()) {
        melding = QStringLiteral("%1 bevat geen JSON-object").arg(pad);
        return false;
    }
    QString fout;
    if (!InvoerUitJson(doc.object(), invoer, fout)) {
        melding = QStringLiteral("%1: %2").arg(pad, fout);
        return false;
    }
    return true;
}

// Reads a scenario file as the window does; the boxes the window would have shown are kept.
bool LeesKvl(const QString& pad, TQXInvoer& invoer, QString& melding, QStringList& meldingen) {
    TOpnameMelder melder;
    TInvoerset invoerset(&melder);
    TBerekening berekening(invoerset, melder);
    QString fout;
    if (!LeesScenarioBestand(pad, invoerset, berekening, melder, fout)) {
        // The window's message; one that does not name the file gets the file in front.
        melding = fout.contains(pad) ? fout : pad + QStringLiteral(": ") + fout;
        return false;
    }
    for (const auto& m : melder.meldingen)
        if (!meldingen.contains(m.tekst)) meldingen << m.tekst;
    invoer = berekening.BewaardeInvoer;
    return true;
}

Resultaat Bereken(const QString& bestand, const TQXInvoer& invoer) {
    Resultaat r{bestand, invoer, {}, {}};
    try {
        TBedrijf bedrijf;
        bedrijf.Bereken(r.invoer, r.uitvoer);
    } catch (const std::exception& e) {
        r.fout = QString::fromStdString(e.what());
    }
    return r;
}

QJsonObject NaarJson(const Resultaat& r, bool metBestand) {
    QJsonObject o{
        {QStringLiteral("invoer"), InvoerNaarJson(r.invoer)},
        {QStringLiteral("uitvoer"), UitvoerNaarJson(r.uitvoer)},
        {QStringLiteral("fout"), r.fout.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(r.fout)}};
    if (metBestand) o.insert(QStringLiteral("bestand"), r.bestand);
    return o;
}

// One field of a CSV line (RFC 4180): quoted when it holds a comma, a quote or a line break.
QString CsvVeld(const QString& tekst) {
    if (!tekst.contains(QLatin1Char(',')) && !tekst.contains(QLatin1Char('"')) &&
        !tekst.contains(QLatin1Char('\n')) && !tekst.contains(QLatin1Char('\r')))
        return tekst;
    QString t = tekst;
    t.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

void CsvRegel(QTextStream& uit, const QStringList& velden) {
    QStringList v;
    for (const QString& veld : velden) v << CsvVeld(veld);
    uit << v.join(QLatin1Char(',')) << "\r\n";
}

// The results as the window's tables show them, labels and headers included.
class Tabellen {
  public:
    Tabellen() : invoer_(&melder_), berekening_(invoer_, melder_) {}

    void Vul(const TQXUitvoer& uitvoer) {
        berekening_.BewaardeUitvoer = uitvoer;
        berekening_.VulSamenvatting();
        berekening_.VulDetailTabellen();
    }

    void SamenvattingKop(QTextStream& uit) const {
        QStringList kop{QStringLiteral("bestand"), QStringLiteral("rij"), QStringLiteral("omschrijving"),
                        QStringLiteral("eenheid")};
        for (const char* naam : VariantNamen) kop << QString::fromLatin1(naam);
        CsvRegel(uit, kop);
    }

    void Samenvatting(QTextStream& uit, const QString& bestand) const {
        const TTabel* sam = berekening_.GrdUitvoerSam;
        for (int rij = 1; rij < sam->RowCount(); ++rij) {
            const QString label = sam->Cel(0, rij).trimmed();
            if (label.isEmpty()) continue;
            QStringList regel{bestand, QString::number(rij), label, sam->Cel(1, rij).trimmed()};
            for (int kolom = 2; kolom <= 4; ++kolom) regel << sam->Cel(kolom, rij).trimmed();
            CsvRegel(uit, regel);
        }
    }

    void DetailKop(QTextStream& uit) const {
        const TTabel* det = berekening_.GrdUitvoerDet[0];
        QStringList kop{QStringLiteral("bestand"), QStringLiteral("variant"), QStringLiteral("dag")};
        for (int kolom = 1; kolom < det->ColCount(); ++kolom) {
            QStringList delen;
            for (int rij = 0; rij < det->FixedRows(); ++rij)
                if (!det->Cel(kolom, rij).trimmed().isEmpty()) delen << det->Cel(kolom, rij).trimmed();
            kop << delen.join(QLatin1Char(' '));
        }
        CsvRegel(uit, kop);
    }

    // One line per half day that has results.
    void Detail(QTextStream& uit, const QString& bestand) const {
        for (std::size_t v = 0; v < berekening_.GrdUitvoerDet.size(); ++v) {
            const TTabel* det = berekening_.GrdUitvoerDet[v];
            for (int rij = det->FixedRows(); rij < det->RowCount(); ++rij) {
                QStringList waarden;
                bool gevuld = false;
                for (int kolom = 1; kolom < det->ColCount(); ++kolom) {
                    waarden << det->Cel(kolom, rij).trimmed();
                    gevuld = gevuld || !waarden.back().isEmpty();
                }
                if (!gevuld) continue;
                QString dag = det->Cel(0, rij).trimmed();
                dag.remove(QLatin1String("Dag "));
                CsvRegel(uit, QStringList{bestand, QString::fromLatin1(VariantNamen[v]), dag} + waarden);
            }
        }
    }

  private:
    TOpnameMelder melder_;
    TInvoerset invoer_;
    TBerekening berekening_;
};

// Whether two paths name the same file (also through a link or a second name).
bool ZelfdeBestand(const QString& a, const QString& b) {
    struct stat sa = {};
    struct stat sb = {};
    return stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// Standard output at the end: everything written must have reached it (a full disk, /dev/full or a
// closed pipe otherwise pass unnoticed). Exit code 2 with a message when it did not.
int UitvoerAf(QTextStream& uit, int code) {
    errno = 0;
    uit.flush();
    const bool fout = uit.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!fout) return code;
    QString reden = errno ? QString::fromLocal8Bit(std::strerror(errno)) : QString();
    if (const auto* apparaat = qobject_cast<QFileDevice*>(uit.device());
        apparaat && apparaat->error() != QFileDevice::NoError)
        reden = apparaat->errorString();
    return Onleesbaar(QStringLiteral("de uitvoer kon niet volledig geschreven worden%1")
                          .arg(reden.isEmpty() ? QString() : QStringLiteral(": ") + reden));
}

} // namespace

// Writes the printed report of one scenario file to a PDF, with the same painting as the window.
int SchrijfRapport(const QString& pdf, const QString& pad) {
    if (ZelfdeBestand(pdf, pad))
        return Onleesbaar(
            QStringLiteral("--rapport: %1 is het invoerbestand zelf; er is niets geschreven").arg(pdf));
    if (IsJson(pad))
        return Onleesbaar(QStringLiteral("--rapport vraagt een scenariobestand (.kvl), geen JSON"));
    TOpnameMelder melder;
    TInvoerset invoerset(&melder);
    TBerekening berekening(invoerset, melder);
    QString fout;
    if (!LeesScenarioBestand(pad, invoerset, berekening, melder, fout))
        return Onleesbaar(fout.contains(pad) ? fout : pad + QStringLiteral(": ") + fout);
    TRapportGegevens gegevens;
    VulRapportGegevens(gegevens, berekening, LaadRapportPlaatjes(QStringLiteral(":/korvalinde")));
    gegevens.Versie = VersieTekst(QStringLiteral("V"));
    gegevens.Datum = VersieTekst(QStringLiteral("D"));
    gegevens.Bestandsnaam = QFileInfo(pad).absoluteFilePath();
    QString melding;
    if (!SchrijfRapportPdf(pdf, gegevens, &melding)) return Onleesbaar(melding);
    // A model error does not stop the report: the pages show what was computed.
    if (!melding.isEmpty()) {
        Fout() << "korvalinde-bereken: " << pad << ": " << melding << Qt::endl;
        return 1;
    }
    return 0;
}

// The report needs fonts and painting, so a GUI application, without a window; without a display it
// draws offscreen.
bool WilRapport(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--rapport") == 0) return true;
    return false;
}

int main(int argc, char** argv) {
    // Over a file-size limit a write fails with an error that is reported, instead of the signal
    // ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    std::unique_ptr<QCoreApplication> toepassing;
    if (WilRapport(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        toepassing = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        toepassing = std::make_unique<QCoreApplication>(argc, argv);
    }
    const QStringList args = toepassing->arguments().mid(1);
    std::optional<QString> rapport;
    QStringList bestanden;
    bool csv = false;
    bool detail = false;
    std::optional<QString> nieuw;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            QTextStream uit(stdout);
            uit << Gebruik;
            return UitvoerAf(uit, 0);
        }
        if (arg == QLatin1String("--version")) {
            QTextStream uit(stdout);
            uit << "korvalinde-bereken " << KORVALINDE_VERSIE << Qt::endl;
            return UitvoerAf(uit, 0);
        }
        if (arg == QLatin1String("--csv")) {
            csv = true;
        } else if (arg == QLatin1String("--detail")) {
            csv = detail = true;
        } else if (arg == QLatin1String("--rapport")) {
            if (i + 1 >= args.size() || rapport) {
                Fout() << Gebruik;
                return 2;
            }
            rapport = args.at(++i);
        } else if (arg == QLatin1String("--nieuw")) {
            if (i + 1 >= args.size() || nieuw) {
                Fout() << Gebruik;
                return 2;
            }
            nieuw = args.at(++i);
        } else if (arg.startsWith(QLatin1String("--"))) {
            return Onleesbaar(QStringLiteral("onbekende optie %1").arg(arg));
        } else {
            bestanden << arg;
        }
    }

    if (nieuw) {
        if (!bestanden.isEmpty() || csv) {
            Fout() << Gebruik;
            return 2;
        }
        QString melding;
        if (!SchrijfNieuwScenario(*nieuw, melding)) return Onleesbaar(melding);
        return 0;
    }
    if (rapport) {
        if (bestanden.size() != 1 || csv) {
            Fout() << Gebruik;
            return 2;
        }
        return SchrijfRapport(*rapport, bestanden.front());
    }
    if (bestanden.isEmpty()) {
        Fout() << Gebruik;
        return 2;
    }

    // Every input is read before anything is printed: an unreadable one prints nothing.
    QList<Resultaat> resultaten;
    for (const QString& pad : bestanden) {
        TQXInvoer invoer;
        QString melding;
        QStringList meldingen;
        const bool gelezen =
            IsJson(pad) ? LeesJson(pad, invoer, melding) : LeesKvl(pad, invoer, melding, meldingen);
        if (!gelezen) return Onleesbaar(melding);
        resultaten << Bereken(pad, invoer);
        // The model's own error is reported with the results; every other box once, as a warning.
        for (const QString& m : meldingen)
            if (m != resultaten.back().fout)
                Fout() << "korvalinde-bereken: waarschuwing: " << pad << ": " << m << Qt::endl;
    }

    bool modelFout = false;
    for (const Resultaat& r : resultaten) modelFout = modelFout || !r.fout.isEmpty();

    QTextStream uit(stdout);
    if (!csv) {
        if (resultaten.size() == 1) {
            uit << QJsonDocument(NaarJson(resultaten.front(), false)).toJson(QJsonDocument::Indented);
        } else {
            QJsonArray lijst;
            for (const Resultaat& r : resultaten) lijst.append(NaarJson(r, true));
            uit << QJsonDocument(lijst).toJson(QJsonDocument::Indented);
        }
        return UitvoerAf(uit, modelFout ? 1 : 0);
    }

    for (const Resultaat& r : resultaten)
        if (!r.fout.isEmpty()) Fout() << "korvalinde-bereken: " << r.bestand << ": " << r.fout << Qt::endl;
    Tabellen tabellen;
    tabellen.SamenvattingKop(uit);
    for (const Resultaat& r : resultaten) {
        tabellen.Vul(r.uitvoer);
        tabellen.Samenvatting(uit, r.bestand);
    }
    if (detail) {
        uit << "\r\n";
        tabellen.DetailKop(uit);
        for (const Resultaat& r : resultaten) {
            tabellen.Vul(r.uitvoer);
            tabellen.Detail(uit, r.bestand);
        }
    }
    return UitvoerAf(uit, modelFout ? 1 : 0);
}
