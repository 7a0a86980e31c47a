// korvalinde-bereken: computes scenarios without the window and prints the results as JSON or CSV.
//
//   korvalinde-bereken INVOER.json      input record as JSON -> results as JSON on stdout
//   korvalinde-bereken WEIDE.kvl        scenario file, read as the window reads it -> the same
//   korvalinde-bereken --csv A.kvl B.kvl  summary tables as one CSV (--detail adds the detail tables)
//   korvalinde-bereken --nieuw UIT.kvl  writes a scenario file with all defaults
//   korvalinde-bereken --rapport UIT.pdf WEIDE.kvl  the printed report of a scenario as PDF
//   korvalinde-bereken --reeks SpePerceelOpp=1:6:0.5 WEIDE.kvl  a sweep: the summary per value as CSV
//
// The files are computed once each, on several threads (-j), and their results written as each one
// is done, in the order given (programs/bereken/Verwerking).
//
// Exit codes: 0 computed; 1 the model stopped with an error (the partly filled results are printed,
// the message in "fout" or on stderr); 2 an input could not be read, a file could not be written or
// standard output did not take all results (message on stderr).

#include "core/Berekening.h"
#include "core/Invoerset.h"
#include "core/Meldingen.h"
#include "core/Scenario.h"
#include "core/Versie.h"
#include "programs/bereken/Verwerking.h"
#include "report/Rapport.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>
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
    "  -j N            rekent met N draden tegelijk (standaard: zoveel als de machine kernen heeft);\n"
    "                  de uitvoer is dezelfde, in de volgorde van de bestanden\n"
    "  --reeks NAAM=BEGIN:EIND:STAP\n"
    "                  rekent het ene scenariobestand voor elke waarde van de getalinvoer NAAM (de\n"
    "                  naam van het invoerveld, zoals SpePerceelOpp) en schrijft de samenvatting per\n"
    "                  waarde als CSV; twee keer --reeks geeft alle combinaties\n"
    "  --alternatieven bij --reeks ook de kolommen van Alternatief 1 en Alternatief 1+2\n"
    "  --grafiek UIT.png\n"
    "                  bij --reeks een grafiek van de gekozen samenvattingsrijen tegen de waarde\n"
    "  --rij TEKST     een rij voor de grafiek (deel van de naam, bijvoorbeeld \"Benutting\"); standaard\n"
    "                  het benuttingspercentage en de gemiddelde melkgift\n"
    "  --help          deze hulp\n"
    "  --version       versie van het programma\n"
    "\n"
    "Meldingen die het programma in een venster zou tonen (zoals \"Onbekende string :\") komen als\n"
    "waarschuwing op standaardfout.\n"
    "\n"
    "Afsluitcode: 0 berekend, 1 het model stopte met een fout (uitvoer tot de fout, met \"fout\"),\n"
    "2 een invoer kon niet gelezen worden, een bestand kon niet geschreven worden of de uitvoer\n"
    "kon niet volledig naar standaarduitvoer.\n";

// Whether two paths name the same file (also through a link or a second name).
bool ZelfdeBestand(const QString& a, const QString& b) {
    struct stat sa = {};
    struct stat sb = {};
    return stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
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

// The report and the sweep's chart need fonts and painting, so a GUI application, without a window;
// without a display it draws offscreen.
bool WilSchilderen(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--rapport") == 0 || qstrcmp(argv[i], "--grafiek") == 0) return true;
    return false;
}

int main(int argc, char** argv) {
    // Over a file-size limit a write fails with an error that is reported, instead of the signal
    // ending the program without a word.
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::unique_ptr<QCoreApplication> toepassing;
    if (WilSchilderen(argc, argv)) {
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
    TBatchOpties opties;
    std::optional<QString> nieuw;
    // An option that takes the next argument as its value; false (usage shown) when there is none.
    const auto waarde = [&args](int& i, QString& doel) {
        if (i + 1 >= args.size()) return false;
        doel = args.at(++i);
        return true;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        QString w;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            return SchrijfUitvoer(Gebruik, 0);
        }
        if (arg == QLatin1String("--version")) {
            return SchrijfUitvoer(QByteArrayLiteral("korvalinde-bereken " KORVALINDE_VERSIE "\n"), 0);
        }
        if (arg == QLatin1String("--csv")) {
            opties.csv = true;
        } else if (arg == QLatin1String("--detail")) {
            opties.csv = opties.detail = true;
        } else if (arg == QLatin1String("--alternatieven")) {
            opties.alternatieven = true;
        } else if (arg == QLatin1String("--rapport") || arg == QLatin1String("--nieuw")) {
            std::optional<QString>& doel = arg == QLatin1String("--rapport") ? rapport : nieuw;
            if (doel || !waarde(i, w)) {
                Fout() << Gebruik;
                return 2;
            }
            doel = w;
        } else if (arg == QLatin1String("--reeks") || arg == QLatin1String("--rij")) {
            if (!waarde(i, w)) {
                Fout() << Gebruik;
                return 2;
            }
            (arg == QLatin1String("--reeks") ? opties.reeksen : opties.rijen) << w;
        } else if (arg == QLatin1String("--grafiek")) {
            if (!opties.grafiek.isEmpty() || !waarde(i, opties.grafiek)) {
                Fout() << Gebruik;
                return 2;
            }
        } else if (arg == QLatin1String("-j") || arg.startsWith(QLatin1String("-j"))) {
            if (arg == QLatin1String("-j") && !waarde(i, w)) {
                Fout() << Gebruik;
                return 2;
            }
            bool ok = false;
            const int n = (arg == QLatin1String("-j") ? w : arg.mid(2)).toInt(&ok);
            if (!ok || n < 1 || n > 256)
                return Onleesbaar(QStringLiteral("-j vraagt een aantal van 1 tot 256"));
            opties.draden = static_cast<unsigned>(n);
        } else if (arg.startsWith(QLatin1String("--"))) {
            return Onleesbaar(QStringLiteral("onbekende optie %1").arg(arg));
        } else {
            bestanden << arg;
        }
    }

    const bool reeks = !opties.reeksen.isEmpty();
    if (nieuw) {
        if (!bestanden.isEmpty() || opties.csv || reeks || rapport) {
            Fout() << Gebruik;
            return 2;
        }
        QString melding;
        if (!SchrijfNieuwScenario(*nieuw, melding)) return Onleesbaar(melding);
        return 0;
    }
    if (rapport) {
        if (bestanden.size() != 1 || opties.csv || reeks) {
            Fout() << Gebruik;
            return 2;
        }
        return SchrijfRapport(*rapport, bestanden.front());
    }
    if (reeks) {
        if (bestanden.size() != 1 || opties.detail) {
            Fout() << Gebruik;
            return 2;
        }
        return VerwerkReeks(bestanden.front(), opties);
    }
    if (bestanden.isEmpty() || !opties.grafiek.isEmpty() || !opties.rijen.isEmpty() || opties.alternatieven) {
        Fout() << Gebruik;
        return 2;
    }
    return VerwerkBestanden(bestanden, opties);
}
