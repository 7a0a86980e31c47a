// korvalinde-bereken: computes scenarios without the window and prints the results as JSON or CSV.
//
//   korvalinde-bereken INVOER.json      input record as JSON -> results as JSON on stdout
//   korvalinde-bereken WEIDE.kvl        scenario file, read as the window reads it -> the same
//   korvalinde-bereken --csv A.kvl B.kvl  summary tables as one CSV (--detail adds the detail tables)
//   korvalinde-bereken --nieuw UIT.kvl  writes a scenario file with all defaults
//   korvalinde-bereken --rapport UIT.pdf WEIDE.kvl  the printed report of a scenario as PDF
//   korvalinde-bereken --reeks SpePerceelOpp=1:6:0.5 WEIDE.kvl  a sweep: the summary per value as CSV
//   korvalinde-bereken --xlsx UIT.xlsx A.kvl B.kvl  the tables as an Excel workbook instead
//   korvalinde-bereken --zoek "Benutting>=85" --varieer SpeGrasaanbod=500:4000 WEIDE.kvl  goal seek
//
// The files are computed once each, on several threads (-j), and their results written as each one
// is done, in the order given (programs/bereken/Verwerking).
//
// Exit codes: 0 computed; 1 the model stopped with an error (the partly filled results are printed,
// the message in "fout" or on stderr); 2 the options cannot work as given, an input could not be read
// or was refused, an output would overwrite an input, a file could not be written or standard output
// did not take all results (message on stderr); 3 a goal seek found no value that meets its target
// (message on stderr).

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

#include <filesystem>
#include <system_error>

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
    "  --xlsx UIT.xlsx de tabellen als Excel-werkmap in UIT.xlsx in plaats van op standaarduitvoer:\n"
    "                  blad \"Samenvatting\", met --detail ook blad \"Detail\", met --reeks blad \"Reeks\";\n"
    "                  getallen als getal met de decimalen van de tabel\n"
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
    "  --zoek \"RIJ>=DOEL\" --varieer NAAM=VAN:TOT\n"
    "                  zoekt de kleinste waarde van de getalinvoer NAAM (op de stappen en decimalen\n"
    "                  van die invoer, van VAN tot en met TOT) waarbij de samenvattingsrij RIJ (deel\n"
    "                  van de naam, zoals bij --rij) van Basis minstens DOEL is; met <= hoogstens\n"
    "                  DOEL. Elke waarde wordt berekend. Schrijft de gevonden waarde met de\n"
    "                  samenvatting als CSV; loopt de rij niet in een richting mee, dan volgt een\n"
    "                  melding op standaardfout met de eerste en de laatste waarde die voldoet\n"
    "  --grootste      bij --zoek de grootste waarde in plaats van de kleinste\n"
    "  --help          deze hulp\n"
    "  --version       versie van het programma\n"
    "\n"
    "Meldingen die het programma in een venster zou tonen (zoals \"Onbekende string :\") komen als\n"
    "waarschuwing op standaardfout.\n"
    "\n"
    "Een JSON-invoerrecord moet een record zijn dat het venster kan bevatten: elke code een keuze\n"
    "van het venster (Systeem \"OMWEID\" of \"STAND\", ...), de aandelen PercPar, PercRas en Aandeel\n"
    "samen 100 (op 0.05 na), geen onbekende sleutel en geen sleutel twee keer.\n"
    "Een uitvoerbestand (--nieuw, --rapport, --grafiek) mag geen invoerbestand zijn.\n"
    "\n"
    "Afsluitcode: 0 berekend, 1 het model stopte met een fout (uitvoer tot de fout, met \"fout\"),\n"
    "2 de opties kunnen zo niet, een invoer kon niet gelezen worden of is geweigerd, een uitvoer\n"
    "zou een invoer overschrijven, een bestand kon niet geschreven worden of de uitvoer kon niet\n"
    "volledig naar standaarduitvoer, 3 bij --zoek: geen waarde in het bereik haalt het doel\n"
    "(melding op standaardfout).\n";

// A path as the file system reads it (the local encoding of names; wide names on Windows).
std::filesystem::path Pad(const QString& pad) {
#ifdef _WIN32
    return std::filesystem::path(pad.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(pad).toStdString());
#endif
}

// Whether two paths name the same file: the same existing file (also through a link, a second name
// or a hard link), or the same place for a file that does not exist yet.
bool ZelfdeBestand(const QString& a, const QString& b) {
    std::error_code fout;
    if (std::filesystem::equivalent(Pad(a), Pad(b), fout) && !fout) return true;
    // Made absolute first: a relative name of a file that does not exist yet would otherwise stay
    // as written ("uit" beside "./uit" or beside the full path).
    const auto plek = [](const QString& pad, std::error_code& foutcode) {
        const std::filesystem::path absoluut = std::filesystem::absolute(Pad(pad), foutcode);
        return foutcode ? absoluut : std::filesystem::weakly_canonical(absoluut, foutcode);
    };
    std::error_code foutA, foutB;
    const std::filesystem::path pa = plek(a, foutA);
    const std::filesystem::path pb = plek(b, foutB);
    return !foutA && !foutB && pa == pb;
}

// A file the tool writes, with the option that names it.
struct Uitvoer {
    QString optie;
    QString pad;
};

// No output is written over an input or over another output. Every output option passes through
// here (the option handling collects them all), so a new option cannot skip the check. Empty, or the
// message for the first output that would overwrite something.
QString ControleerUitvoer(const QList<Uitvoer>& uitvoer, const QStringList& invoer) {
    for (qsizetype i = 0; i < uitvoer.size(); ++i) {
        const Uitvoer& u = uitvoer[i];
        for (const QString& bestand : invoer)
            if (ZelfdeBestand(u.pad, bestand))
                return QStringLiteral("%1: %2 is het invoerbestand zelf; er is niets geschreven")
                    .arg(u.optie, u.pad);
        for (qsizetype j = 0; j < i; ++j)
            if (ZelfdeBestand(u.pad, uitvoer[j].pad))
                return QStringLiteral("%1 en %2 schrijven allebei naar %3; er is niets geschreven")
                    .arg(uitvoer[j].optie, u.optie, u.pad);
    }
    return {};
}

// Options that cannot do what they say: one line on what is wrong, then where the usage is.
int VerkeerdGebruik(const QString& wat) {
    Fout() << "korvalinde-bereken: " << wat << Qt::endl
           << "Zie 'korvalinde-bereken --help' voor het gebruik." << Qt::endl;
    return 2;
}

} // namespace

// Writes the printed report of one scenario file to a PDF, with the same painting as the window.
int SchrijfRapport(const QString& pdf, const QString& pad) {
    if (IsJson(pad))
        return Onleesbaar(QStringLiteral("--rapport vraagt een scenariobestand (.kvl), geen JSON"));
    TOpnameMelder melder;
    TInvoerset invoerset(&melder);
    TBerekening berekening(invoerset, melder);
    QString fout;
    if (!LeesScenarioBestand(pad, invoerset, berekening, melder, fout))
        return Onleesbaar(LeesMelding(pad, fout));
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
    // First of all, before Qt opens any file that could take a closed standard output's place.
    ControleerStandaarduitvoer();
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
    QList<Uitvoer> uitvoer; // every file written, checked against the inputs before anything is done
    // An option that takes the next argument as its value; false when there is none.
    const auto waarde = [&args](int& i, QString& doel) {
        if (i + 1 >= args.size()) return false;
        doel = args.at(++i);
        return true;
    };
    // An option that names a file to write: a name is required, the option only once.
    const auto uitvoerOptie = [&](int& i, const QString& optie, QString& doel) -> QString {
        for (const Uitvoer& u : uitvoer)
            if (u.optie == optie) return QStringLiteral("%1 staat er twee keer").arg(optie);
        if (!waarde(i, doel)) return QStringLiteral("%1 vraagt een bestandsnaam").arg(optie);
        if (doel.isEmpty()) return QStringLiteral("%1 \"\": een lege bestandsnaam").arg(optie);
        uitvoer << Uitvoer{optie, doel};
        return {};
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
        } else if (arg == QLatin1String("--rapport") || arg == QLatin1String("--nieuw") ||
                   arg == QLatin1String("--grafiek") || arg == QLatin1String("--xlsx")) {
            const QString fout = uitvoerOptie(i, arg, w);
            if (!fout.isEmpty()) return VerkeerdGebruik(fout);
            if (arg == QLatin1String("--rapport"))
                rapport = w;
            else if (arg == QLatin1String("--nieuw"))
                nieuw = w;
            else if (arg == QLatin1String("--xlsx"))
                opties.xlsx = w;
            else
                opties.grafiek = w;
        } else if (arg == QLatin1String("--reeks") || arg == QLatin1String("--rij")) {
            if (!waarde(i, w)) return VerkeerdGebruik(QStringLiteral("%1 vraagt een waarde").arg(arg));
            (arg == QLatin1String("--reeks") ? opties.reeksen : opties.rijen) << w;
        } else if (arg == QLatin1String("--zoek") || arg == QLatin1String("--varieer")) {
            QString& doel = arg == QLatin1String("--zoek") ? opties.zoek : opties.varieer;
            if (!doel.isEmpty()) return VerkeerdGebruik(QStringLiteral("%1 staat er twee keer").arg(arg));
            if (!waarde(i, doel) || doel.isEmpty())
                return VerkeerdGebruik(QStringLiteral("%1 vraagt een waarde").arg(arg));
        } else if (arg == QLatin1String("--grootste")) {
            opties.grootste = true;
        } else if (arg == QLatin1String("-j") || arg.startsWith(QLatin1String("-j"))) {
            if (arg == QLatin1String("-j") && !waarde(i, w))
                return VerkeerdGebruik(QStringLiteral("-j vraagt een aantal van 1 tot 256"));
            bool ok = false;
            const int n = (arg == QLatin1String("-j") ? w : arg.mid(2)).toInt(&ok);
            if (!ok || n < 1 || n > 256)
                return VerkeerdGebruik(QStringLiteral("-j vraagt een aantal van 1 tot 256"));
            opties.draden = static_cast<unsigned>(n);
        } else if (arg.startsWith(QLatin1String("--"))) {
            return VerkeerdGebruik(QStringLiteral("onbekende optie %1").arg(arg));
        } else {
            bestanden << arg;
        }
    }

    const bool reeks = !opties.reeksen.isEmpty();
    // Options that belong to another one, or exclude each other.
    if (!opties.rijen.isEmpty() && opties.grafiek.isEmpty())
        return VerkeerdGebruik(QStringLiteral("--rij hoort bij --grafiek"));
    if (!reeks && !opties.grafiek.isEmpty())
        return VerkeerdGebruik(QStringLiteral("--grafiek hoort bij --reeks"));
    const bool zoek = !opties.zoek.isEmpty() || !opties.varieer.isEmpty() || opties.grootste;
    if (!reeks && !zoek && opties.alternatieven)
        return VerkeerdGebruik(QStringLiteral("--alternatieven hoort bij --reeks"));
    if (reeks && opties.detail) return VerkeerdGebruik(QStringLiteral("--detail kan niet samen met --reeks"));
    if (opties.reeksen.size() > 2) return VerkeerdGebruik(QStringLiteral("hoogstens twee keer --reeks"));
    for (qsizetype a = 0; a < opties.reeksen.size(); ++a)
        for (qsizetype b = 0; b < a; ++b) {
            const QString naam = opties.reeksen[a].section(QLatin1Char('='), 0, 0).trimmed();
            if (naam == opties.reeksen[b].section(QLatin1Char('='), 0, 0).trimmed())
                return VerkeerdGebruik(
                    QStringLiteral("--reeks %1 staat er twee keer; één invoer kan maar één reeks hebben")
                        .arg(naam));
        }
    if (zoek) {
        if (opties.zoek.isEmpty() || opties.varieer.isEmpty())
            return VerkeerdGebruik(QStringLiteral("--zoek en --varieer horen bij elkaar"));
        if (reeks || nieuw || rapport || opties.detail || opties.csv || !opties.grafiek.isEmpty() ||
            !opties.xlsx.isEmpty())
            return VerkeerdGebruik(QStringLiteral("--zoek gaat alleen samen met --varieer, --grootste en "
                                                  "--alternatieven"));
        if (bestanden.size() != 1)
            return VerkeerdGebruik(QStringLiteral("--zoek vraagt precies één scenariobestand"));
        return VerwerkZoek(bestanden.front(), opties);
    }
    if (nieuw && (!bestanden.isEmpty() || opties.csv || reeks || rapport || !opties.xlsx.isEmpty()))
        return VerkeerdGebruik(QStringLiteral(
            "--nieuw schrijft alleen een nieuw scenariobestand, zonder BESTAND of andere opties"));
    if (rapport && (opties.csv || reeks || !opties.xlsx.isEmpty()))
        return VerkeerdGebruik(
            QStringLiteral("--rapport kan niet samen met --csv, --detail, --reeks of --xlsx"));
    if ((rapport || reeks) && bestanden.size() != 1)
        return VerkeerdGebruik(QStringLiteral("%1 vraagt precies één scenariobestand")
                                   .arg(rapport ? QStringLiteral("--rapport") : QStringLiteral("--reeks")));
    if (!nieuw && bestanden.isEmpty()) return VerkeerdGebruik(QStringLiteral("geen BESTAND opgegeven"));
    if (const QString fout = ControleerUitvoer(uitvoer, bestanden); !fout.isEmpty()) return Onleesbaar(fout);

    if (nieuw) {
        QString melding;
        if (!SchrijfNieuwScenario(*nieuw, melding)) return Onleesbaar(melding);
        return 0;
    }
    if (rapport) return SchrijfRapport(*rapport, bestanden.front());
    if (reeks) return VerwerkReeks(bestanden.front(), opties);
    return VerwerkBestanden(bestanden, opties);
}
