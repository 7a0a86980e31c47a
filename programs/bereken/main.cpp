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
//   korvalinde-bereken --reeks Cbxdatum=0104:3110:7 WEIDE.kvl  the turn-in date through the season
//   korvalinde-bereken --gevoeligheid Benutting WEIDE.kvl  which input moves a summary row most
//   korvalinde-bereken --invoerlijst    the number inputs a sweep takes, with their ranges, as CSV
//
// The files are computed once each, on several threads (-j), and their results written as each one
// is done, in the order given (programs/bereken/Verwerking).
//
// Exit codes: 0 computed; 1 the model stopped with an error (the partly filled results are printed,
// the message in "fout" or on stderr); 2 the options cannot work as given, an input could not be read
// or was refused, an output would overwrite an input, a file could not be written or standard output
// did not take all results (message on stderr; a reader that went away, "| head", gives one line
// ending in "Broken pipe"); 3 a goal seek found no value that meets its target
// (message on stderr).

#include "core/Berekening.h"
#include "core/Bestandspad.h"
#include "core/Invoerset.h"
#include "core/Meldingen.h"
#include "core/Reeks.h"
#include "core/Scenario.h"
#include "core/Versie.h"
#include "domain/Bestand.h"
#include "domain/Decimaalpunt.h"
#include "programs/bereken/Opruimen.h"
#include "programs/bereken/Verwerking.h"
#include "programs/systeem/Systeem.h"
#include "report/Rapport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

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
    "                  blad \"Samenvatting\", met --detail ook blad \"Detail\", met --reeks blad \"Reeks\",\n"
    "                  met --gevoeligheid blad \"Gevoeligheid\";\n"
    "                  getallen als getal met de decimalen van de tabel\n"
    "  --nieuw UIT.kvl schrijft een scenariobestand met alle standaardwaarden (Nieuw, Opslaan)\n"
    "  --rapport UIT.pdf BESTAND.kvl\n"
    "                  schrijft het afgedrukte rapport (drie pagina's A4) van het scenario als PDF\n"
    "  -j N            rekent met N draden tegelijk (standaard en hoogstens: zoveel als de machine\n"
    "                  kernen heeft);\n"
    "                  de uitvoer is dezelfde, in de volgorde van de bestanden\n"
    "  --reeks NAAM=BEGIN:EIND:STAP\n"
    "                  rekent het ene scenariobestand voor elke waarde van de getalinvoer NAAM (de\n"
    "                  naam van het invoerveld, zoals SpePerceelOpp; alle namen geeft --invoerlijst)\n"
    "                  en schrijft de samenvatting per waarde als CSV; twee keer --reeks geeft alle\n"
    "                  combinaties\n"
    "  --reeks Cbxdatum=VAN:TOT:DAGEN\n"
    "                  de inschaardatum van VAN tot en met TOT in stappen van DAGEN dagen, elke datum\n"
    "                  als dag x 100 + maand (0104 is 1 april), alleen in de weidemaanden april tot\n"
    "                  en met oktober; elke datum zet het grasaanbod van zijn maand, zoals het\n"
    "                  intypen van de datum; de tabel toont de datum als dd/MM\n"
    "  --alternatieven bij --reeks ook de kolommen van Alternatief 1 en Alternatief 1+2\n"
    "  --grafiek UIT.png\n"
    "                  bij --reeks een grafiek van de gekozen samenvattingsrijen tegen de waarde\n"
    "  --rij TEKST     een rij voor de grafiek (deel van de naam, bijvoorbeeld \"Benutting\"); standaard\n"
    "                  het benuttingspercentage en de gemiddelde melkgift\n"
    "  --invoerlijst   de getalinvoeren die --reeks en --varieer nemen, als CSV: naam, label,\n"
    "                  eenheid, minimum, maximum, stap en decimalen\n"
    "  --zoek \"RIJ>=DOEL\" --varieer NAAM=VAN:TOT\n"
    "                  zoekt de kleinste waarde van de getalinvoer NAAM (op de stappen en decimalen\n"
    "                  van die invoer, van VAN tot en met TOT) waarbij de samenvattingsrij RIJ (deel\n"
    "                  van de naam, zoals bij --rij) van Basis minstens DOEL is; met <= hoogstens\n"
    "                  DOEL. Elke waarde wordt berekend. Schrijft de gevonden waarde met de\n"
    "                  samenvatting als CSV; loopt de rij niet in een richting mee, dan volgt een\n"
    "                  melding op standaardfout met de eerste en de laatste waarde die voldoet\n"
    "  --grootste      bij --zoek de grootste waarde in plaats van de kleinste\n"
    "  --gevoeligheid RIJ\n"
    "                  verlaagt en verhoogt elke getalinvoer en de inschaardatum van het ene\n"
    "                  scenariobestand en schrijft, als CSV, hoeveel de samenvattingsrij RIJ (deel van\n"
    "                  de naam, zoals bij --zoek) van Basis daardoor verandert, de grootste eerst:\n"
    "                  naam, invoer, laag, hoog, RIJ bij laag, RIJ bij hoog en effect (de grootste\n"
    "                  afstand tot de waarde van het scenario); invoeren zonder effect staan achteraan\n"
    "  --procent P     bij --gevoeligheid: elke invoer P procent van zijn waarde lager en hoger, op\n"
    "                  de stappen van die invoer en binnen zijn bereik (standaard 10)\n"
    "  --stap          bij --gevoeligheid: elke invoer een stap van die invoer lager en hoger\n"
    "  --dagen N       bij --gevoeligheid: de inschaardatum N dagen eerder en later, binnen de\n"
    "                  weidemaanden (standaard 14)\n"
    "  --help          deze hulp\n"
    "  --version       versie van het programma\n"
    "  --              einde van de opties: wat volgt is een BESTAND, ook als het met - begint\n"
    "\n"
    "Meldingen die het programma in een venster zou tonen (zoals \"Onbekende string :\") komen als\n"
    "waarschuwing op standaardfout.\n"
    "\n"
    "Een JSON-invoerrecord moet een record zijn dat het venster kan bevatten: elke code een keuze\n"
    "van het venster (Systeem \"OMWEID\" of \"STAND\", ...), de aandelen PercPar, PercRas en Aandeel\n"
    "samen 100 (op 0.05 na), een geheel getal waar de invoer geen decimalen heeft (--invoerlijst),\n"
    "geen onbekende sleutel en geen sleutel twee keer.\n"
    "Een uitvoerbestand (--nieuw, --rapport, --grafiek) mag geen invoerbestand zijn.\n"
    "\n"
    "Afsluitcode: 0 berekend, 1 het model stopte met een fout (uitvoer tot de fout, met \"fout\"),\n"
    "2 de opties kunnen zo niet, een invoer kon niet gelezen worden of is geweigerd, een uitvoer\n"
    "zou een invoer overschrijven, een bestand kon niet geschreven worden of de uitvoer kon niet\n"
    "volledig naar standaarduitvoer, 3 bij --zoek: geen waarde in het bereik haalt het doel\n"
    "(melding op standaardfout).\n";

// Whether two paths name the same file: the same existing file (also through a link, a second name
// or a hard link), or the same place for a file that does not exist yet. Both are made absolute
// first: weakly_canonical keeps a relative path relative when its file does not exist yet, so
// "g.out" and "./g.out" would differ.
bool ZelfdeBestand(const QString& a, const QString& b) {
    std::error_code fout;
    if (std::filesystem::equivalent(BestandssysteemPad(a), BestandssysteemPad(b), fout) && !fout) return true;
    const auto plaats = [](const QString& pad, std::filesystem::path& uit) {
        std::error_code reden;
        const std::filesystem::path absoluut = std::filesystem::absolute(BestandssysteemPad(pad), reden);
        if (!reden) uit = std::filesystem::weakly_canonical(absoluut, reden).lexically_normal();
        return !reden;
    };
    std::filesystem::path pa, pb;
    return plaats(a, pa) && plaats(b, pb) && pa == pb;
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
    if (QByteArray bytes; LeesScenarioBytes(pad, bytes).isEmpty()) WaarschuwVoorVersie(pad, bytes);
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
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == "--") return false;
        for (const char* optie : {"--rapport", "--grafiek"})
            if (arg == optie || arg.startsWith(QByteArray(optie) + '=')) return true;
    }
    return false;
}

// Qt's own note that it picked a runtime folder because XDG_RUNTIME_DIR is unset says nothing about
// the results; every other message passes as Qt writes it.
QtMessageHandler QtsEigen = nullptr;

void StilleQtMeldingen(QtMsgType soort, const QMessageLogContext& context, const QString& tekst) {
    if (tekst.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    if (QtsEigen) QtsEigen(soort, context, tekst);
}

namespace {

// The options, as QCommandLineParser knows them; the usage text above is the program's own.
struct Opties {
    QCommandLineOption hulp{{QStringLiteral("h"), QStringLiteral("help")}};
    QCommandLineOption versie{QStringLiteral("version")};
    QCommandLineOption csv{QStringLiteral("csv")};
    QCommandLineOption detail{QStringLiteral("detail")};
    QCommandLineOption alternatieven{QStringLiteral("alternatieven")};
    QCommandLineOption grootste{QStringLiteral("grootste")};
    QCommandLineOption invoerlijst{QStringLiteral("invoerlijst")};
    QCommandLineOption xlsx{QStringLiteral("xlsx"), {}, QStringLiteral("UIT.xlsx")};
    QCommandLineOption nieuw{QStringLiteral("nieuw"), {}, QStringLiteral("UIT.kvl")};
    QCommandLineOption rapport{QStringLiteral("rapport"), {}, QStringLiteral("UIT.pdf")};
    QCommandLineOption grafiek{QStringLiteral("grafiek"), {}, QStringLiteral("UIT.png")};
    QCommandLineOption reeks{QStringLiteral("reeks"), {}, QStringLiteral("NAAM=BEGIN:EIND:STAP")};
    QCommandLineOption rij{QStringLiteral("rij"), {}, QStringLiteral("TEKST")};
    QCommandLineOption zoek{QStringLiteral("zoek"), {}, QStringLiteral("RIJ>=DOEL")};
    QCommandLineOption varieer{QStringLiteral("varieer"), {}, QStringLiteral("NAAM=VAN:TOT")};
    QCommandLineOption draden{QStringLiteral("j"), {}, QStringLiteral("N")};
    QCommandLineOption gevoeligheid{QStringLiteral("gevoeligheid"), {}, QStringLiteral("RIJ")};
    QCommandLineOption stap{QStringLiteral("stap")};
    QCommandLineOption procent{QStringLiteral("procent"), {}, QStringLiteral("P")};
    QCommandLineOption dagen{QStringLiteral("dagen"), {}, QStringLiteral("N")};

    QList<QCommandLineOption> Alle() const {
        return {hulp,    versie, csv, detail, alternatieven, grootste, invoerlijst,  xlsx, nieuw,   rapport,
                grafiek, reeks,  rij, zoek,   varieer,       draden,   gevoeligheid, stap, procent, dagen};
    }
    // The options that name a file to write, in the order their messages name them.
    QList<const QCommandLineOption*> Uitvoeropties() const { return {&rapport, &nieuw, &grafiek, &xlsx}; }
};

// How an option is written on the command line: "-j", "--reeks".
QString Spelling(const QString& naam) {
    return (naam.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + naam;
}

// What the parser refused, in the program's words: an unknown option, an option without the value it
// needs (only the last argument can lack one: a value option takes the next argument whatever it
// is), or a value given to an option that takes none.
QString Weigering(const QCommandLineParser& parser, const Opties& opties, const QStringList& args) {
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("onbekende optie %1").arg(Spelling(parser.unknownOptionNames().front()));
    for (const QString& arg : args) {
        if (arg == QLatin1String("--")) break;
        const qsizetype is = arg.indexOf(QLatin1Char('='));
        if (!arg.startsWith(QLatin1String("--")) || is < 0) continue;
        const QString naam = arg.mid(2, is - 2);
        for (const QCommandLineOption& o : opties.Alle())
            if (o.names().contains(naam) && o.valueName().isEmpty())
                return QStringLiteral("%1 neemt geen waarde").arg(Spelling(naam));
    }
    QString laatste = args.value(args.size() - 1);
    laatste = laatste.mid(laatste.startsWith(QLatin1String("--")) ? 2 : 1);
    if (laatste == QLatin1String("j") || laatste.startsWith(QLatin1Char('j')))
        return QStringLiteral("-j vraagt een aantal van 1 tot 256");
    for (const QCommandLineOption* o : opties.Uitvoeropties())
        if (o->names().contains(laatste))
            return QStringLiteral("%1 vraagt een bestandsnaam").arg(Spelling(laatste));
    return QStringLiteral("%1 vraagt een waarde").arg(Spelling(laatste));
}

} // namespace

int main(int argc, char** argv) {
    // First of all, before Qt opens any file that could take a closed standard output's place.
    ControleerStandaarduitvoer();
    // An interrupt or a terminate request removes this run's temporary files before the program
    // ends (before any other thread starts, which must not take the request).
    VangAfbreken();
    // Over a file-size limit a write fails with an error that is reported, instead of the signal
    // ending the program without a word; so does a write into a closed pipe ("| head").
    NegeerSchrijfsignalen(true);
    // Qt's note that it chose a runtime folder itself (XDG_RUNTIME_DIR unset) is no message of ours.
    QtsEigen = qInstallMessageHandler(StilleQtMeldingen);
    std::unique_ptr<QCoreApplication> toepassing;
    if (WilSchilderen(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && ZonderBeeldscherm())
            qputenv("QT_QPA_PLATFORM", "offscreen");
        toepassing = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        toepassing = std::make_unique<QCoreApplication>(argc, argv);
    }
    HoudDecimaalpunt(); // the application object took the locale's numbers from the environment
    const QStringList argumenten = toepassing->arguments();
    const QStringList args = argumenten.mid(1);
    const Opties o;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    parser.addOptions(o.Alle());
    if (!parser.parse(argumenten)) return VerkeerdGebruik(Weigering(parser, o, args));
    if (parser.isSet(o.hulp)) return SchrijfUitvoer(Gebruik, 0);
    if (parser.isSet(o.versie))
        return SchrijfUitvoer(
            QStringLiteral("korvalinde-bereken %1\n").arg(VersieTekst(QStringLiteral("V"))).toUtf8(), 0);

    const QStringList bestanden = parser.positionalArguments();
    TBatchOpties opties;
    opties.csv = parser.isSet(o.csv) || parser.isSet(o.detail);
    opties.detail = parser.isSet(o.detail);
    opties.alternatieven = parser.isSet(o.alternatieven);
    opties.grootste = parser.isSet(o.grootste);
    opties.reeksen = parser.values(o.reeks);
    opties.rijen = parser.values(o.rij);
    QList<Uitvoer> uitvoer; // every file written, checked against the inputs before anything is done
    for (const QCommandLineOption* optie : o.Uitvoeropties()) {
        const QStringList waarden = parser.values(*optie);
        const QString naam = Spelling(optie->names().front());
        if (waarden.size() > 1) return VerkeerdGebruik(QStringLiteral("%1 staat er twee keer").arg(naam));
        if (waarden.isEmpty()) continue;
        if (waarden.front().isEmpty())
            return VerkeerdGebruik(QStringLiteral("%1 \"\": een lege bestandsnaam").arg(naam));
        uitvoer << Uitvoer{naam, waarden.front()};
    }
    const std::optional<QString> rapport =
        parser.isSet(o.rapport) ? std::optional<QString>(parser.value(o.rapport)) : std::nullopt;
    const std::optional<QString> nieuw =
        parser.isSet(o.nieuw) ? std::optional<QString>(parser.value(o.nieuw)) : std::nullopt;
    opties.xlsx = parser.value(o.xlsx);
    opties.grafiek = parser.value(o.grafiek);
    for (const QCommandLineOption* optie : {&o.zoek, &o.varieer, &o.gevoeligheid, &o.procent, &o.dagen}) {
        const QStringList waarden = parser.values(*optie);
        const QString naam = Spelling(optie->names().front());
        if (waarden.size() > 1) return VerkeerdGebruik(QStringLiteral("%1 staat er twee keer").arg(naam));
        if (!waarden.isEmpty() && waarden.front().isEmpty())
            return VerkeerdGebruik(QStringLiteral("%1 vraagt een waarde").arg(naam));
    }
    opties.zoek = parser.value(o.zoek);
    opties.varieer = parser.value(o.varieer);
    opties.gevoeligheid = parser.value(o.gevoeligheid);
    if (parser.isSet(o.procent)) {
        double procent = 0;
        if (!ReeksGetal(parser.value(o.procent), procent) || procent <= 0 || procent > 100)
            return VerkeerdGebruik(
                QStringLiteral("--procent %1: verwacht een getal groter dan 0 en hoogstens 100")
                    .arg(parser.value(o.procent)));
        opties.verandering.procent = procent;
    }
    opties.verandering.procentueel = !parser.isSet(o.stap);
    if (parser.isSet(o.dagen)) {
        bool ok = false;
        const int dagen = parser.value(o.dagen).trimmed().toInt(&ok);
        if (!ok || dagen < 1 || dagen > 213)
            return VerkeerdGebruik(
                QStringLiteral("--dagen %1: verwacht een aantal dagen van 1 tot en met 213 (de weidemaanden)")
                    .arg(parser.value(o.dagen)));
        opties.verandering.dagen = dagen;
    }
    if (parser.isSet(o.draden)) {
        bool ok = false;
        const int n = parser.values(o.draden).back().toInt(&ok);
        if (!ok || n < 1 || n > 256)
            return VerkeerdGebruik(QStringLiteral("-j vraagt een aantal van 1 tot 256"));
        opties.draden = static_cast<unsigned>(n);
    }
    // An empty text is part of every title: it would choose every row.
    for (const QString& rij : opties.rijen)
        if (rij.trimmed().isEmpty())
            return VerkeerdGebruik(QStringLiteral("--rij \"%1\": een lege tekst past bij elke rij").arg(rij));

    if (parser.isSet(o.invoerlijst)) {
        if (args.size() != 1)
            return VerkeerdGebruik(
                QStringLiteral("--invoerlijst schrijft alleen de lijst van de getalinvoeren, "
                               "zonder BESTAND of andere opties"));
        TOpnameMelder stil;
        TInvoerset invoer(&stil);
        TBerekening berekening(invoer, stil);
        // As a new window has them: the alternatives' value fields with the range of their first kind.
        invoer.ZetStandaardwaarden();
        berekening.StartBerekening();
        return SchrijfUitvoer(InvoerlijstCsv(invoer).toUtf8(), 0);
    }

    const bool reeks = !opties.reeksen.isEmpty();
    const bool gevoeligheid = parser.isSet(o.gevoeligheid);
    for (const QCommandLineOption* optie : {&o.stap, &o.procent, &o.dagen})
        if (parser.isSet(*optie) && !gevoeligheid)
            return VerkeerdGebruik(
                QStringLiteral("%1 hoort bij --gevoeligheid").arg(Spelling(optie->names().front())));
    if (parser.isSet(o.stap) && parser.isSet(o.procent))
        return VerkeerdGebruik(QStringLiteral("--stap en --procent sluiten elkaar uit"));
    if (gevoeligheid) {
        if (opties.gevoeligheid.trimmed().isEmpty())
            return VerkeerdGebruik(QStringLiteral("--gevoeligheid \"%1\": een lege tekst past bij elke rij")
                                       .arg(opties.gevoeligheid));
        if (reeks || nieuw || rapport || parser.isSet(o.csv) || opties.detail || opties.alternatieven ||
            !opties.grafiek.isEmpty() || !opties.rijen.isEmpty() || !opties.zoek.isEmpty() ||
            !opties.varieer.isEmpty() || opties.grootste)
            return VerkeerdGebruik(QStringLiteral("--gevoeligheid gaat alleen samen met --procent, --stap, "
                                                  "--dagen, --xlsx en -j"));
        if (bestanden.size() != 1)
            return VerkeerdGebruik(QStringLiteral("--gevoeligheid vraagt precies één scenariobestand"));
    }
    // Options that belong to another one, or exclude each other.
    if (!opties.rijen.isEmpty() && opties.grafiek.isEmpty())
        return VerkeerdGebruik(QStringLiteral("--rij hoort bij --grafiek"));
    if (!reeks && !opties.grafiek.isEmpty())
        return VerkeerdGebruik(QStringLiteral("--grafiek hoort bij --reeks"));
    const bool zoek = !opties.zoek.isEmpty() || !opties.varieer.isEmpty() || opties.grootste;
    if (!reeks && !zoek && opties.alternatieven)
        return VerkeerdGebruik(QStringLiteral("--alternatieven hoort bij --reeks"));
    if (reeks && opties.detail) return VerkeerdGebruik(QStringLiteral("--detail kan niet samen met --reeks"));
    // The workbook takes the tables instead of the CSV; --detail adds its sheet.
    if (parser.isSet(o.csv) && !opties.xlsx.isEmpty())
        return VerkeerdGebruik(
            QStringLiteral("--csv kan niet samen met --xlsx; de werkmap neemt de tabellen"));
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
    // Every target may be written, before anything is computed; what a killed run left beside them
    // or in the temporary folder is removed, and this run's own temporaries are removed when it is
    // interrupted.
    QStringList doelen;
    for (const Uitvoer& u : uitvoer) {
        const std::string reden = ControleerSchrijfdoel(DomeinPad(u.pad));
        if (!reden.empty())
            return Onleesbaar(QStringLiteral("%1: %2").arg(u.optie, QString::fromStdString(reden)));
        doelen << u.pad;
    }
    RuimOpNaEerdereRun(doelen);

    if (nieuw) {
        QString melding;
        if (!SchrijfNieuwScenario(*nieuw, melding))
            return Onleesbaar(QStringLiteral("--nieuw: %1").arg(melding));
        return 0;
    }
    if (rapport) return SchrijfRapport(*rapport, bestanden.front());
    if (gevoeligheid) return VerwerkGevoeligheid(bestanden.front(), opties);
    if (reeks) return VerwerkReeks(bestanden.front(), opties);
    return VerwerkBestanden(bestanden, opties);
}
