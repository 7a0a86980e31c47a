// The batch calculator and the JSON form of the records.
#include "ModelInvoer.h"
#include "Systeemtest.h"
#include "Testbestanden.h"
#include "Werkmaplezer.h"
#include "core/Berekening.h"
#include "core/Gevoeligheid.h"
#include "core/RecordJson.h"
#include "core/Scenario.h"
#include "core/Versie.h"
#include "core/Werkmap.h"
#include "domain/Bedrijfsmodel.h"

#include <QtTest>

#include <array>
#include <csignal>
#include <utility>

using namespace korvalinde;
using korvalinde::testdata::CsvRegels;

namespace {

struct Resultaat {
    int code = -1;
    QByteArray uit;
    QByteArray fout;
};

// `grens` > 0: the calculator may write files of at most that many bytes (the signal of that limit it
// must ignore itself). `uitvoer`: a file that takes standard output; "-" closes standard output; "|"
// makes it a pipe whose reader has gone (the signal of that it must ignore itself too). Without
// XDG_RUNTIME_DIR, as on a server: Qt's note about it must not reach standard error. The limit, "-"
// and "|" need a POSIX system.
Resultaat Start(const QStringList& args, const QByteArray& taal = "C.UTF-8", rlim_t grens = 0,
                const QString& uitvoer = QString()) {
    QProcess p;
#ifdef Q_OS_WIN
    Q_UNUSED(grens);
    if (!uitvoer.isEmpty()) p.setStandardOutputFile(uitvoer);
#else
    if (uitvoer == QLatin1String("-"))
        p.setChildProcessModifier([] { close(STDOUT_FILENO); });
    else if (uitvoer == QLatin1String("|"))
        p.setChildProcessModifier([] {
            int pijp[2];
            if (pipe(pijp) != 0) return;
            dup2(pijp[1], STDOUT_FILENO);
            close(pijp[0]);
            close(pijp[1]);
            signal(SIGPIPE, SIG_DFL);
        });
    else if (!uitvoer.isEmpty())
        p.setStandardOutputFile(uitvoer);
    if (grens > 0) {
        p.setChildProcessModifier([grens] { testbestand::ZetBestandsgrens(grens); });
    }
#endif
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(taal));
    env.insert(QStringLiteral("LANG"), QString::fromLatin1(taal));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(BEREKEN_EXE), args);
    if (!p.waitForFinished(30000)) return {};
    QByteArray fout = p.readAllStandardError();
    if (!systeemtest::kPosix) fout.replace("\r\n", "\n"); // Windows' line ends on standard error
    return {p.exitCode(), p.readAllStandardOutput(), fout};
}

using testbestand::Inhoud;

// The process id of a process that has ended (and was waited for).
qint64 DodeProcesId() {
    QProcess p;
    p.start(QStringLiteral(BEREKEN_EXE), {QStringLiteral("--help")});
    p.waitForStarted();
    const qint64 pid = p.processId();
    p.waitForFinished();
    return pid;
}

// "weide.kvl" in `dir` as --nieuw writes it; empty when it could not be written.
QString NieuwScenario(const QTemporaryDir& dir) {
    const QString kvl = dir.filePath(QStringLiteral("weide.kvl"));
    return Start({QStringLiteral("--nieuw"), kvl}).code == 0 ? kvl : QString();
}

QJsonObject StandaardObject() {
    QFile f(QStringLiteral(VOORBEELD_DIR "/standaard.json"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(f.readAll()).object();
}

QString SchrijfTijdelijk(QTemporaryDir& dir, const QByteArray& inhoud) {
    const QString pad = dir.filePath(QStringLiteral("invoer.json"));
    QFile f(pad);
    if (f.open(QIODevice::WriteOnly)) f.write(inhoud);
    return pad;
}

// A scenario saved from a window and the results that window shows after opening it again.
struct Opgeslagen {
    QString pad;
    QJsonObject invoer;
    QJsonObject uitvoer;
};

Opgeslagen SlaOp(const QString& pad, const std::function<void(TInvoerset&, TBerekening&)>& wijzig) {
    {
        TOpnameMelder melder;
        TInvoerset invoer(&melder);
        TBerekening berekening(invoer, melder);
        invoer.ZetStandaardwaarden();
        berekening.StartBerekening();
        wijzig(invoer, berekening);
        TScenarioDocument document(invoer, berekening, melder);
        if (!document.Schrijf(pad)) return {};
    }
    TOpnameMelder melder;
    TInvoerset invoer(&melder);
    TBerekening berekening(invoer, melder);
    invoer.ZetStandaardwaarden();
    berekening.StartBerekening();
    TScenarioDocument document(invoer, berekening, melder);
    document.Lees(pad);
    return {pad, InvoerNaarJson(berekening.BewaardeInvoer), UitvoerNaarJson(berekening.BewaardeUitvoer)};
}

void Anders(TInvoerset& invoer, TBerekening& berekening) {
    invoer.SpenKoe->SetValue(90);
    invoer.SpePerceelOpp->SetValue(3.1);
    invoer.CbxSysteem->KiesDoorGebruiker(1);
    invoer.GrdVoeders->BewerkDoorGebruiker(1, 3, QStringLiteral("2.5"));
    berekening.PaginaGewijzigd(true);
    invoer.CbxAlt1->KiesDoorGebruiker(1);
    invoer.SpeAlt1->SetText(QStringLiteral("2.0"));
    invoer.CbxAlt2->KiesDoorGebruiker(3);
    invoer.SpeAlt2->SetText(QStringLiteral("1500"));
}

} // namespace

class TestBereken : public QObject {
    Q_OBJECT

  private slots:
    void voorbeeldIsStandaardInvoer();
    void heenEnTerug();
    void standaardBerekening_data();
    void standaardBerekening();
    void foutieveInvoer_data();
    void foutieveInvoer();
    void modelFoutGeeftDeelresultaat();
    void hulpEnVersie();
    void scenarioBestand();
    void nieuwHeenEnTerug();
    void csv();
    void detail();
    void onleesbaarScenario_data();
    void onleesbaarScenario();
    void meldingenAlsWaarschuwing();
    void rapport_data();
    void rapport();
    void schrijfFouten_data();
    void schrijfFouten();
    void invoerBestanden_data();
    void invoerBestanden();
    void volleUitvoer_data();
    void volleUitvoer();
    void rapportNaModelfout();
    void parallelGelijk_data();
    void parallelGelijk();
    void reeks_data();
    void reeks();
    void reeksMetModelfout();
    void gevoeligheid_data();
    void gevoeligheid();
    void verkeerdeOpties_data();
    void verkeerdeOpties();
    void uitvoerOverInvoer_data();
    void uitvoerOverInvoer();
    void uitvoerOverUitvoer_data();
    void uitvoerOverUitvoer();
    void xlsx_data();
    void xlsx();
    void zoek_data();
    void zoek();
    void invoerlijst();
    void nieuwereVersie_data();
    void nieuwereVersie();
    void afgebroken_data();
    void afgebroken();
};

void TestBereken::voorbeeldIsStandaardInvoer() {
    TQXInvoer in;
    QString fout;
    QVERIFY2(InvoerUitJson(StandaardObject(), in, fout), qPrintable(fout));
    QCOMPARE(InvoerNaarJson(in), InvoerNaarJson(testdata::StandaardInvoer()));
}

void TestBereken::heenEnTerug() {
    testdata::WillekeurigeInvoer gen(7);
    for (int i = 0; i < 20; ++i) {
        TQXInvoer in = gen.Volgende();
        // A record the window can hold: known codes, shares that add up to 100.
        if (in.Systeem != "STAND") in.Systeem = "OMWEID";
        in.PercRas[1] = 100 - in.PercRas[0];
        in.Aandeel[4] = 100;
        for (std::size_t k = 0; k < 4; ++k) in.Aandeel[4] -= in.Aandeel[k] = std::min(in.Aandeel[k], 25.0f);
        const QByteArray json = QJsonDocument(InvoerNaarJson(in)).toJson();
        TQXInvoer terug;
        QString fout;
        QVERIFY2(InvoerUitJson(QJsonDocument::fromJson(json).object(), terug, fout), qPrintable(fout));
        // Every single-precision value comes back bit for bit.
        QCOMPARE(QJsonDocument(InvoerNaarJson(terug)).toJson(), json);
        QCOMPARE(terug.OppUrineplek, in.OppUrineplek);
        QCOMPARE(terug.Voeders, in.Voeders);
    }
}

void TestBereken::standaardBerekening_data() {
    QTest::addColumn<QByteArray>("taal");
    QTest::newRow("C locale") << QByteArray("C.UTF-8");
    QTest::newRow("comma locale") << QByteArray("nl_NL.UTF-8");
}

void TestBereken::standaardBerekening() {
    QFETCH(QByteArray, taal);
    const Resultaat r = Start({QStringLiteral(VOORBEELD_DIR "/standaard.json")}, taal);
    QCOMPARE(r.code, 0);
    const QJsonObject doc = QJsonDocument::fromJson(r.uit).object();
    QVERIFY(doc.value("fout").isNull());
    const QJsonObject uitvoer = doc.value("uitvoer").toObject();
    const QJsonArray arsam = uitvoer.value("arsam").toArray();
    QCOMPARE(arsam.size(), 3);
    for (const auto& kolom : arsam) QCOMPARE(kolom.toArray().size(), 30);
    const QJsonObject detail = uitvoer.value("detail").toObject();
    QCOMPARE(detail.size(), 11);
    for (const auto& veld : DetailVelden) {
        const QJsonArray varianten = detail.value(QLatin1String(veld.naam)).toArray();
        QCOMPARE(varianten.size(), 3);
        for (const auto& v : varianten) QCOMPARE(v.toArray().size(), 61);
    }
    // The same texts as the model computes in-process, with a point as decimal separator, and the
    // input record echoed as it was given.
    TQXUitvoer verwacht;
    TBedrijf b;
    b.Bereken(testdata::StandaardInvoer(), verwacht);
    QCOMPARE(uitvoer, UitvoerNaarJson(verwacht));
    QCOMPARE(doc.value("invoer").toObject(), InvoerNaarJson(testdata::StandaardInvoer()));
    QCOMPARE(arsam[0].toArray()[19].toString(), QStringLiteral("4.20"));
    QVERIFY(arsam[0].toArray()[1].toString().isEmpty() == false);
}

void TestBereken::foutieveInvoer_data() {
    QTest::addColumn<QByteArray>("inhoud");
    QTest::addColumn<QString>("melding");
    QJsonObject o = StandaardObject();
    auto zonder = [&](const char* sleutel) {
        QJsonObject k = o;
        k.remove(QLatin1String(sleutel));
        return QJsonDocument(k).toJson();
    };
    auto met = [&](const char* sleutel, const QJsonValue& w) {
        QJsonObject k = o;
        k.insert(QLatin1String(sleutel), w);
        return QJsonDocument(k).toJson();
    };
    QTest::newRow("missing key") << zonder("Gras") << "\"Gras\"";
    QTest::newRow("number as text") << met("PerceelOpp", "2.3") << "\"PerceelOpp\"";
    QTest::newRow("integer with decimals") << met("UrenWeidegang", 8.5) << "\"UrenWeidegang\"";
    QTest::newRow("boolean as text") << met("Ontwatering", "JA") << "\"Ontwatering\"";
    QTest::newRow("short array") << met("PercPar", QJsonArray{25, 75}) << "\"PercPar\"";
    QTest::newRow("array element") << met("Aandeel", QJsonArray{21, 25, "x", 20, 6}) << "\"Aandeel[2]\"";
    QTest::newRow("feed row") << met("Voeders", QJsonArray{1, 2, 3, 4, 5, 6, 7}) << "\"Voeders[0]\"";
    QJsonObject vorige = o.value("VorigeSnede").toObject();
    vorige.remove("Rest");
    QTest::newRow("nested key") << met("VorigeSnede", vorige) << "\"VorigeSnede.Rest\"";
    QTest::newRow("alternative kind")
        << met("Alternatief", QJsonArray{QJsonObject{{"Soort", "5"}, {"Waarde", 0}},
                                         QJsonObject{{"Soort", 5}, {"Waarde", 0}}})
        << "\"Alternatief[0].Soort\"";
    QTest::newRow("no cows") << met("AantalKoeien", 0) << "\"AantalKoeien\"";
    // A whole-numbered input of the window holds no fraction.
    QTest::newRow("half a cow") << met("AantalKoeien", 50.5) << "\"AantalKoeien\" moet een geheel getal zijn";
    QTest::newRow("milk level with a fraction")
        << met("Melknivo", 8000.5) << "\"Melknivo\" moet een geheel getal zijn";
    QTest::newRow("weight with a fraction")
        << met("Gewicht", 600.25) << "\"Gewicht\" moet een geheel getal zijn";
    QTest::newRow("paddock keeps its fraction") << met("PerceelOpp", 2.5) << "";
    QTest::newRow("turn-in day beyond 32 bits") << met("Inschaardag", 2147483647.0) << "\"Inschaardag\"";
    QTest::newRow("calving interval far below")
        << met("Tussenkalftijd", -2147483648.0) << "\"Tussenkalftijd\"";
    QTest::newRow("milk level above its range") << met("Melknivo", 12000) << "\"Melknivo\" ligt buiten";
    QTest::newRow("paddock below its range") << met("PerceelOpp", 0.05) << "(0.1 tot en met 50)";
    QTest::newRow("alternative kind unknown")
        << met("Alternatief",
               QJsonArray{QJsonObject{{"Soort", 9}, {"Waarde", 0}}, QJsonObject{{"Soort", 5}, {"Waarde", 0}}})
        << "\"Alternatief[0].Soort\"";
    QTest::newRow("alternative residue above its range")
        << met("Alternatief", QJsonArray{QJsonObject{{"Soort", 5}, {"Waarde", 0}},
                                         QJsonObject{{"Soort", 3}, {"Waarde", 20000}}})
        << "\"Alternatief[1].Waarde\"";
    QTest::newRow("float overflow") << met("Grasaanbod", 1e300) << "\"Grasaanbod\"";
    QTest::newRow("not json") << QByteArray("{\"AantalKoeien\": ") << "geen geldige JSON";
    QTest::newRow("json array") << QByteArray("[1, 2]") << "geen JSON-object";
    // Only codes that a choice box of the window offers; the message names the allowed ones.
    QTest::newRow("system in lower case")
        << met("Systeem", "omweid")
        << "\"Systeem\" moet een van de codes \"OMWEID\", \"STAND\" zijn, niet \"omweid\"";
    QTest::newRow("unknown soil") << met("Grondsoort", "XYZ")
                                  << "\"Grondsoort\" moet een van de codes \"ZAND\", \"KLEI\", \"VEEN\"";
    QTest::newRow("unknown sward")
        << met("Zode", "ZEERDICHT")
        << "\"Zode\" moet bij Systeem \"OMWEID\" een van de codes \"OPEN\", \"NORM\", \"DICHT\", \"ZDICHT\"";
    QJsonObject stand = o;
    stand.insert("Systeem", "STAND");
    stand.insert("Zode", "OPEN");
    QTest::newRow("open sward with continuous grazing")
        << QJsonDocument(stand).toJson()
        << "\"Zode\" moet bij Systeem \"STAND\" een van de codes \"NORM\", \"DICHT\", \"ZDICHT\" zijn, niet "
           "\"OPEN\"";
    QTest::newRow("unknown ryegrass share")
        << met("Engelsraai", "50") << "\"Engelsraai\" moet een van de codes \"<50\", \">50\"";
    QTest::newRow("unknown annual nitrogen")
        << met("Jaargift", "150") << "\"Jaargift\" moet een van de codes \"200\", \"300\", \"400\"";
    vorige = o.value("VorigeSnede").toObject();
    vorige.insert("Gebruik", "Weiden");
    QTest::newRow("unknown previous use")
        << met("VorigeSnede", vorige)
        << "\"VorigeSnede.Gebruik\" moet een van de codes \"MAAIEN\", \"WEIDEN\", \"SNEDE1\"";
    // Shares the window keeps at 100.
    QTest::newRow("parity shares 110")
        << met("PercPar", QJsonArray{25, 20, 65}) << "\"PercPar\" tellen op tot 110 ";
    QTest::newRow("parity shares 300")
        << met("PercPar", QJsonArray{100, 100, 100}) << "\"PercPar\" tellen op tot 300 ";
    QTest::newRow("breed shares 110")
        << met("PercRas", QJsonArray{50, 60}) << "\"PercRas\" tellen op tot 110 ";
    QTest::newRow("breed shares just outside")
        << met("PercRas", QJsonArray{26, 73.9}) << "\"PercRas\" tellen op tot 99.9 ";
    QTest::newRow("breed shares within 0.05") << met("PercRas", QJsonArray{26.04, 74}) << "";
    QTest::newRow("lactation shares 101")
        << met("Aandeel", QJsonArray{21, 25, 28, 20, 7}) << "\"Aandeel\" tellen op tot 101 ";
    QTest::newRow("lactation share below 0")
        << met("Aandeel", QJsonArray{-6, 25, 28, 20, 33}) << "\"Aandeel[0]\" ligt buiten";
    // Every key once and known.
    QTest::newRow("misspelt key") << met("Systeme", "OMWEID") << "Onbekende sleutel \"Systeme\"";
    vorige = o.value("VorigeSnede").toObject();
    vorige.insert("Rust", 0);
    QTest::newRow("unknown nested key")
        << met("VorigeSnede", vorige) << "Onbekende sleutel \"VorigeSnede.Rust\"";
    const QByteArray tekst = QJsonDocument(o).toJson();
    QTest::newRow("key twice") << "{\"Systeem\": \"STAND\", " + tekst.mid(1)
                               << "Sleutel \"Systeem\" staat twee keer in hetzelfde object";
    QTest::newRow("key twice, once escaped")
        << "{\"Syst\\u0065em\": \"STAND\", " + tekst.mid(1) << "Sleutel \"Systeem\" staat twee keer";
    QTest::newRow("nested key twice") << QByteArray(tekst).replace("\"Gebloot\"", "\"Dagen\": 0, \"Gebloot\"")
                                      << "Sleutel \"VorigeSnede.Dagen\" staat twee keer";
    QTest::newRow("key twice in an alternative")
        << QByteArray(tekst).replace("\"Soort\"", "\"Waarde\": 0, \"Soort\"")
        << "Sleutel \"Alternatief[0].Waarde\" staat twee keer";
}

void TestBereken::foutieveInvoer() {
    // A record the window could not hold is refused with exit 2 and the key named; "" is accepted.
    QFETCH(QByteArray, inhoud);
    QFETCH(QString, melding);
    QTemporaryDir dir;
    const Resultaat r = Start({SchrijfTijdelijk(dir, inhoud)});
    if (melding.isEmpty()) {
        QVERIFY2(r.code == 0, r.fout.constData());
        return;
    }
    QCOMPARE(r.code, 2);
    QVERIFY(r.uit.isEmpty());
    QVERIFY2(QString::fromUtf8(r.fout).contains(melding), r.fout.constData());

    static bool eenKeer = false; // the same for every row
    if (std::exchange(eenKeer, true)) return;
    const Resultaat geenBestand = Start({dir.filePath("bestaat-niet.json")});
    QCOMPARE(geenBestand.code, 2);
    QVERIFY(geenBestand.uit.isEmpty());
    QVERIFY(!geenBestand.fout.isEmpty());
}

namespace {
// The standard record with a grass fill value of 0 (the window's table takes it): the model stops.
QJsonObject GrasZonderVw() {
    QJsonObject o = StandaardObject();
    QJsonArray gras = o.value("Gras").toArray();
    gras[6] = 0;
    o.insert("Gras", gras);
    return o;
}
} // namespace

void TestBereken::modelFoutGeeftDeelresultaat() {
    QTemporaryDir dir;
    const Resultaat r = Start({SchrijfTijdelijk(dir, QJsonDocument(GrasZonderVw()).toJson())});
    QCOMPARE(r.code, 1);
    const QJsonObject doc = QJsonDocument::fromJson(r.uit).object();
    QCOMPARE(doc.value("fout").toString(),
             QStringLiteral("Rekenfout: deling door nul (voederwaarde VW van het gras is 0)"));
    const QJsonObject detail = doc.value("uitvoer").toObject().value("detail").toObject();
    QCOMPARE(detail.value("arBiomassa0").toArray()[0].toArray()[0].toString(), QStringLiteral("2300"));
    QCOMPARE(detail.value("arBiomassa0").toArray()[0].toArray()[1].toString(), QString());
}

void TestBereken::hulpEnVersie() {
    const Resultaat hulp = Start({"--help"});
    QCOMPARE(hulp.code, 0);
    QVERIFY(hulp.uit.contains("Gebruik: korvalinde-bereken"));
    QVERIFY(hulp.uit.contains("scenariobestand (.kvl)"));
    QVERIFY(hulp.uit.contains("--csv") && hulp.uit.contains("--detail") && hulp.uit.contains("--nieuw"));
    QVERIFY(hulp.uit.contains("waarschuwing"));
    QVERIFY(hulp.uit.contains("--invoerlijst"));
    // The version as the window and the report show it.
    const Resultaat versie = Start({"--version"});
    QCOMPARE(versie.code, 0);
    QCOMPARE(versie.uit, "korvalinde-bereken " + VersieTekst(QStringLiteral("V")).toUtf8() + "\n");
    QCOMPARE(VersieTekst(QStringLiteral("V")), QStringLiteral("2010.00"));
    // After "--" every argument is a file, also one that looks like an option.
    QTemporaryDir dir;
    const QString vorige = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const Resultaat nieuw = Start({"--nieuw=-j1.kvl"});
    const Resultaat optie = Start({"--csv", "-j1.kvl"});
    const Resultaat bestand = Start({"--csv", "--", "-j1.kvl"});
    QDir::setCurrent(vorige);
    QCOMPARE(nieuw.code, 0);
    QCOMPARE(optie.code, 2);
    QCOMPARE(bestand.code, 0);
    QVERIFY2(bestand.uit.contains("-j1.kvl,"), bestand.uit.constData());
    QCOMPARE(Start({"--onzin"}).code, 2);
    QCOMPARE(Start({}).code, 2);
}

void TestBereken::scenarioBestand() {
    // A file saved, closed and opened again gives the same results in the batch calculator as in
    // the window; the JSON holds the input record that was computed.
    QTemporaryDir dir;
    const Opgeslagen a = SlaOp(dir.filePath(QStringLiteral("weide1.kvl")), Anders);
    QVERIFY(!a.invoer.isEmpty());
    QCOMPARE(a.invoer.value("AantalKoeien").toDouble(), 90.0);
    QCOMPARE(a.invoer.value("Alternatief").toArray()[1].toObject().value("Waarde").toDouble(), 1500.0);
    const Resultaat r = Start({a.pad});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.fout.isEmpty(), r.fout.constData());
    const QJsonObject doc = QJsonDocument::fromJson(r.uit).object();
    QCOMPARE(doc.value("invoer").toObject(), a.invoer);
    QCOMPARE(doc.value("uitvoer").toObject(), a.uitvoer);
    QVERIFY(doc.value("fout").isNull());

    // Several inputs, scenario files and input records mixed, give a list.
    const Resultaat twee = Start({a.pad, QStringLiteral(VOORBEELD_DIR "/standaard.json")});
    QCOMPARE(twee.code, 0);
    const QJsonArray lijst = QJsonDocument::fromJson(twee.uit).array();
    QCOMPARE(lijst.size(), 2);
    QCOMPARE(lijst[0].toObject().value("bestand").toString(), a.pad);
    QCOMPARE(lijst[0].toObject().value("uitvoer").toObject(), a.uitvoer);
    QCOMPARE(lijst[1].toObject().value("invoer").toObject(), InvoerNaarJson(testdata::StandaardInvoer()));
}

void TestBereken::nieuwHeenEnTerug() {
    QTemporaryDir dir;
    const QString pad = dir.filePath(QStringLiteral("sjabloon.kvl"));
    const Resultaat nieuw = Start({"--nieuw", pad});
    QCOMPARE(nieuw.code, 0);
    QVERIFY(nieuw.uit.isEmpty());
    // The bytes of New followed by Save in a new window.
    const Opgeslagen venster =
        SlaOp(dir.filePath(QStringLiteral("venster.kvl")), [](TInvoerset&, TBerekening&) {});
    QFile a(pad);
    QFile b(venster.pad);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), b.readAll());
    // Reading it gives the results of the default input record.
    const Resultaat r = Start({pad});
    QCOMPARE(r.code, 0);
    const QJsonObject doc = QJsonDocument::fromJson(r.uit).object();
    QCOMPARE(doc.value("invoer").toObject(), InvoerNaarJson(testdata::StandaardInvoer()));
    QCOMPARE(doc.value("uitvoer").toObject(),
             QJsonDocument::fromJson(Start({QStringLiteral(VOORBEELD_DIR "/standaard.json")}).uit)
                 .object()
                 .value("uitvoer")
                 .toObject());

    const Resultaat fout = Start({"--nieuw", dir.filePath(QStringLiteral("ontbreekt/x.kvl"))});
    QCOMPARE(fout.code, 2);
    QVERIFY(fout.fout.contains("Kan " + dir.filePath(QStringLiteral("ontbreekt/x.kvl")).toUtf8() +
                               " niet aanmaken"));
    QCOMPARE(Start({"--nieuw"}).code, 2);
    QCOMPARE(Start({"--nieuw", pad, venster.pad}).code, 2);
}

void TestBereken::csv() {
    QTemporaryDir dir;
    const Opgeslagen a = SlaOp(dir.filePath(QStringLiteral("a,b.kvl")), Anders);
    const Opgeslagen b = SlaOp(dir.filePath(QStringLiteral("b.kvl")), [](TInvoerset&, TBerekening&) {});
    const Resultaat r = Start({"--csv", a.pad, b.pad}, "nl_NL.UTF-8");
    QCOMPARE(r.code, 0);
    QVERIFY(r.uit.contains("\r\n"));
    QVERIFY(r.uit.contains("\"" + a.pad.toUtf8() + "\""));
    const auto regels = CsvRegels(r.uit);
    QCOMPARE(regels.front(), (QStringList{"bestand", "rij", "omschrijving", "eenheid", "Basis",
                                          "Alternatief 1", "Alternatief 1+2"}));
    // One block of 25 labelled rows per file.
    QCOMPARE(regels.size(), 1 + 2 * 25);
    for (const QStringList& regel : regels) QCOMPARE(regel.size(), 7);
    const QStringList weidedagen = regels[2];
    QCOMPARE(weidedagen.mid(0, 4), (QStringList{a.pad, "2", "Aantal weidedagen", "(dagen)"}));
    for (int k = 0; k < 3; ++k)
        QCOMPARE(weidedagen[4 + k], a.uitvoer.value("arsam").toArray()[k].toArray()[1].toString());
    QCOMPARE(regels[1].mid(1, 3), (QStringList{"1", "GRASAANBOD", ""}));
    const QStringList opp = regels[3];
    QCOMPARE(opp[5], QStringLiteral("2.0"));
    QCOMPARE(regels[26][0], b.pad);
    QCOMPARE(regels[26][1], QStringLiteral("1"));
    QCOMPARE(regels.back()[2], QStringLiteral("Afname melkgift"));
}

void TestBereken::detail() {
    QTemporaryDir dir;
    const Opgeslagen a = SlaOp(dir.filePath(QStringLiteral("a.kvl")), Anders);
    const Resultaat r = Start({"--detail", a.pad});
    QCOMPARE(r.code, 0);
    const qsizetype leeg = r.uit.indexOf("\r\n\r\n");
    QVERIFY(leeg > 0);
    const auto regels = CsvRegels(r.uit.mid(leeg + 4));
    QCOMPARE(regels.front().size(), 14);
    QCOMPARE(regels.front().mid(0, 4),
             (QStringList{"bestand", "variant", "dag", "Biomassa > 5 cm (kg ds/ha)"}));
    QCOMPARE(regels.front().back(), QStringLiteral("Melkprod FPCM (kg/koe)"));
    // Every half day with results, per variant, with the values of the detail arrays.
    const QJsonObject det = a.uitvoer.value("detail").toObject();
    const char* varianten[] = {"Basis", "Alternatief 1", "Alternatief 1+2"};
    int regel = 1;
    for (int v = 0; v < 3; ++v) {
        const QJsonArray melk = det.value("arMelk").toArray()[v].toArray();
        const QJsonArray bio = det.value("arBiomassa5").toArray()[v].toArray();
        for (int stap = 0; stap <= 60; ++stap) {
            if (bio[stap].toString().isEmpty()) continue;
            QVERIFY(regel < regels.size());
            QCOMPARE(regels[regel].mid(0, 4),
                     (QStringList{a.pad, varianten[v], QString::number(stap * 0.5, 'f', 1),
                                  bio[stap].toString()}));
            QCOMPARE(regels[regel].back(), melk[stap].toString());
            ++regel;
        }
    }
    QCOMPARE(regel, regels.size());
}

void TestBereken::onleesbaarScenario_data() {
    QTest::addColumn<QByteArray>("inhoud");
    QTest::addColumn<QString>("melding");
    QTest::newRow("no file") << QByteArray() << "Cannot open file %1: bestaat niet";
    QTest::newRow("cut short") << QByteArray::fromHex("05 000000000000 4AC41040 05")
                               << "%1: Stream read error";
    QTest::newRow("a text first") << QByteArray::fromHex("0603313233") << "%1: Invalid property value";
    const auto groot = NaarExtended(5.0e9L);
    QTest::newRow("version too large")
        << QByteArray(1, '\x05') + QByteArray(reinterpret_cast<const char*>(groot.data()), 10)
        << "%1: Range check error";
}

void TestBereken::onleesbaarScenario() {
    QFETCH(QByteArray, inhoud);
    QFETCH(QString, melding);
    QTemporaryDir dir;
    const QString pad = dir.filePath(QStringLiteral("kapot.kvl"));
    if (!inhoud.isEmpty()) {
        QFile f(pad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(inhoud);
    }
    const Resultaat r = Start({"--csv", QStringLiteral(VOORBEELD_DIR "/standaard.json"), pad});
    QCOMPARE(r.code, 2);
    QVERIFY(r.uit.isEmpty());
    QCOMPARE(QString::fromUtf8(r.fout).trimmed(), "korvalinde-bereken: " + melding.arg(pad));
}

void TestBereken::meldingenAlsWaarschuwing() {
    // No grass type chosen: the window would show "Onbekende string :" boxes; no annual nitrogen:
    // the model stops with its error, reported once, with the results up to there.
    QTemporaryDir dir;
    const Opgeslagen a =
        SlaOp(dir.filePath(QStringLiteral("leeg.kvl")), [](TInvoerset& invoer, TBerekening&) {
            invoer.CbxGrondsoort->KiesItem(-1);
            invoer.CbxJaargift->KiesItem(-1);
        });
    const Resultaat r = Start({a.pad});
    QCOMPARE(r.code, 1);
    const QJsonObject doc = QJsonDocument::fromJson(r.uit).object();
    QCOMPARE(doc.value("fout").toString(), QStringLiteral("Gestoorde bijgroei, onbekende jaargift: "));
    QCOMPARE(doc.value("uitvoer").toObject(), a.uitvoer);
    const QString fout = QString::fromUtf8(r.fout);
    QCOMPARE(fout.count("Onbekende string :"), 1);
    QVERIFY(fout.contains("korvalinde-bereken: waarschuwing: " + a.pad + ": Onbekende string :"));
    QVERIFY(!fout.contains("Gestoorde bijgroei"));

    const Resultaat csv = Start({"--csv", a.pad});
    QCOMPARE(csv.code, 1);
    QVERIFY(csv.uit.startsWith("bestand,"));
    QVERIFY(QString::fromUtf8(csv.fout).contains(a.pad + ": Gestoorde bijgroei, onbekende jaargift: "));
}

void TestBereken::rapport_data() {
    QTest::addColumn<QString>("uit");    // relative to a fresh folder
    QTest::addColumn<QString>("invoer"); // "kvl" or "json"
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("melding");
    QTest::newRow("report") << "rapport.pdf"
                            << "kvl" << 0 << "";
    QTest::newRow("missing folder") << "geen/map/rapport.pdf"
                                    << "kvl" << 2 << "bestaat niet";
    QTest::newRow("folder as file") << "."
                                    << "kvl" << 2 << "is geen gewoon bestand";
    QTest::newRow("json has no input set") << "rapport.pdf"
                                           << "json" << 2 << "scenariobestand";
}

void TestBereken::rapport() {
    QFETCH(QString, uit);
    QFETCH(QString, invoer);
    QFETCH(int, code);
    QFETCH(QString, melding);
    QTemporaryDir dir;
    const QString kvl = dir.filePath(QStringLiteral("weide.kvl"));
    QCOMPARE(Start({QStringLiteral("--nieuw"), kvl}).code, 0);
    const QString bron =
        invoer == QLatin1String("kvl") ? kvl : QStringLiteral(VOORBEELD_DIR "/standaard.json");
    const QString pdf = dir.filePath(uit);
    const Resultaat r = Start({QStringLiteral("--rapport"), pdf, bron});
    QCOMPARE(r.code, code);
    QVERIFY(r.uit.isEmpty());
    if (code != 0) {
        QVERIFY2(QString::fromUtf8(r.fout).contains(melding), r.fout.constData());
        return;
    }
    // Three A4 pages with the results of the scenario on the last one.
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) QSKIP("pdfinfo not installed");
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished(30000));
    const QString tekst = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(tekst.contains(QRegularExpression(QStringLiteral("Pages:\\s+3"))), qPrintable(tekst));
    QVERIFY(tekst.contains(QStringLiteral("595.2")) || tekst.contains(QStringLiteral("595 x 842")));
    QProcess tekstNaar;
    tekstNaar.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-f"), QStringLiteral("3"), pdf, QStringLiteral("-")});
    QVERIFY(tekstNaar.waitForFinished(30000));
    const QString pagina3 = QString::fromUtf8(tekstNaar.readAllStandardOutput());
    QVERIFY(pagina3.contains(QStringLiteral("Resultaten Korvalinde")));
    QVERIFY(pagina3.contains(QStringLiteral("Gemiddelde melkgift")));
    QVERIFY(pagina3.contains(QStringLiteral("26.3")));
}

void TestBereken::schrijfFouten_data() {
    // The target "uit" in a fresh folder holds "oud" (mode 0640) unless the case makes it otherwise.
    QTest::addColumn<QString>("opdracht"); // --nieuw, --rapport or --xlsx
    QTest::addColumn<QString>("geval");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("melding");
    // (--xlsx: the summary of the scenario as a workbook.)
    const QList<std::array<const char*, 2>> opdrachten{
        {"--nieuw", "File too large"}, {"--rapport", "File too large"}, {"--xlsx", "File too large"}};
    for (const auto& [opdracht, grens] : opdrachten) {
        QTest::addRow("%s, size limit", opdracht) << opdracht << "grens" << 2 << grens;
        QTest::addRow("%s, read-only file", opdracht) << opdracht << "alleenlezen" << 2 << "alleen-lezen";
        QTest::addRow("%s, link to a device", opdracht)
            << opdracht << "apparaat" << 2 << "geen gewoon bestand";
        QTest::addRow("%s, FIFO", opdracht) << opdracht << "fifo" << 2 << "geen gewoon bestand";
        QTest::addRow("%s, no name", opdracht) << opdracht << "leeg" << 2 << "een lege bestandsnaam";
        QTest::addRow("%s, mode kept", opdracht) << opdracht << "modus" << 0 << "";
        QTest::addRow("%s, a killed run's leftovers", opdracht) << opdracht << "resten" << 0 << "";
    }
    QTest::newRow("--rapport over its own input") << "--rapport"
                                                  << "zelfde" << 2 << "het invoerbestand zelf";
}

void TestBereken::schrijfFouten() {
    QFETCH(QString, opdracht);
    QFETCH(QString, geval);
    QFETCH(int, code);
    QFETCH(QString, melding);
    if (geval == "grens" || geval == "apparaat" || geval == "fifo" || geval == "modus")
        KORVALINDE_ALLEEN_POSIX("no file-size limit, device, FIFO or file mode on Windows");
    QTemporaryDir dir;
    const QString kvl = dir.filePath(QStringLiteral("weide.kvl"));
    QCOMPARE(Start({QStringLiteral("--nieuw"), kvl}).code, 0);
    QFile bron(kvl);
    QVERIFY(bron.open(QIODevice::ReadOnly));
    const QByteArray scenario = bron.readAll();
    QString uit = geval == "zelfde" ? kvl : dir.filePath(QStringLiteral("uit"));
    if (geval == "apparaat") {
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), uit));
    } else if (geval == "fifo") {
        QVERIFY(mkfifo(QFile::encodeName(uit), 0644) == 0);
    } else if (geval != "zelfde") {
        QFile oud(uit);
        QVERIFY(oud.open(QIODevice::WriteOnly));
        oud.write("oud");
        oud.close();
        QVERIFY(chmod(QFile::encodeName(uit), geval == "alleenlezen" ? 0444 : 0640) == 0);
    }
    if (geval == "leeg") uit.clear();
    // What a killed run left: its new file beside the target and its workbook folder; a run that still
    // works keeps its folder.
    const qint64 dood = DodeProcesId();
    const QString tijdelijk = QDir::tempPath() + QStringLiteral("/korvalinde-bereken-");
    const QString doodMap = tijdelijk + QString::number(dood) + QStringLiteral("-abcdef");
    const QString levendMap =
        tijdelijk + QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-abcdef");
    if (geval == "resten") {
        QFile rest(dir.filePath(QStringLiteral(".uit.%1-0.nieuw").arg(dood)));
        QVERIFY(rest.open(QIODevice::WriteOnly) && rest.write("half") == 4);
        for (const QString& map : {doodMap, levendMap})
            QVERIFY(QDir().mkpath(map + QStringLiteral("/binnen")));
    }
    const QStringList args =
        opdracht == "--nieuw" ? QStringList{opdracht, uit} : QStringList{opdracht, uit, kvl};
    const Resultaat r = Start(args, "C.UTF-8", geval == "grens" ? 1000 : 0);
    QCOMPARE(r.code, code);
    QVERIFY(r.uit.isEmpty());
    QVERIFY2(QString::fromUtf8(r.fout).contains(melding), r.fout.constData());
    // The message is one line: the file and the reason, no library's own lines before it.
    if (code != 0 && geval != "leeg")
        QVERIFY2(r.fout.count('\n') == 1 && r.fout.contains(uit.toUtf8() + ' '), r.fout.constData());
    if (geval == "resten") {
        QVERIFY(!QFileInfo::exists(doodMap));
        QVERIFY(QFileInfo::exists(levendMap));
        QDir(levendMap).removeRecursively();
    }
    // Nothing is left next to the target; a refused or failed write leaves the file as it was.
    const QStringList blijft = geval == "zelfde" ? QStringList{"weide.kvl"} : QStringList{"uit", "weide.kvl"};
    QCOMPARE(
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        blijft);
    QCOMPARE(Inhoud(kvl), scenario);
    if (geval == "grens" || geval == "alleenlezen") QCOMPARE(Inhoud(uit), QByteArray("oud"));
    if (geval == "apparaat") QVERIFY(!QFileInfo(QStringLiteral("/dev/null")).isFile());
    if (geval == "fifo") QVERIFY(!QFileInfo(uit).isFile());
    if (geval == "modus") {
        QVERIFY(Inhoud(uit).size() > 3);
        QCOMPARE(QFileInfo(uit).permissions() & 0x7777, QFile::ReadOwner | QFile::WriteOwner |
                                                            QFile::ReadUser | QFile::WriteUser |
                                                            QFile::ReadGroup);
    }
}

void TestBereken::invoerBestanden_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<QString>("geval");
    QTest::addColumn<QString>("melding");
    // The program's "Cannot open file" with the reason after it, for records and scenario files alike.
    for (const char* naam : {"invoer.json", "weide.kvl"}) {
        QTest::addRow("%s, FIFO does not block", naam) << naam << "fifo"
                                                       << "Cannot open file %1: geen gewoon bestand";
        QTest::addRow("%s, link to an endless device", naam) << naam << "nul"
                                                             << "Cannot open file %1: geen gewoon bestand";
        QTest::addRow("%s, folder", naam) << naam << "map"
                                          << "Cannot open file %1: het is een map";
        QTest::addRow("%s, missing", naam) << naam << "geen"
                                           << "Cannot open file %1: bestaat niet";
        QTest::addRow("%s, link loop", naam) << naam << "lus"
                                             << "Cannot open file %1: een kring van koppelingen";
        QTest::addRow("%s, link to nothing", naam)
            << naam << "los"
            << "Cannot open file %1: een koppeling naar een bestand dat niet bestaat";
    }
    QTest::newRow("larger than any record") << "invoer.json"
                                            << "groot"
                                            << "%1 is groter dan 16 MiB";
}

void TestBereken::invoerBestanden() {
    // Only a regular file is read, a JSON record of at most 16 MiB; anything else ends at once with
    // exit 2 and the reason.
    QFETCH(QString, naam);
    QFETCH(QString, geval);
    QFETCH(QString, melding);
    if (geval == "fifo" || geval == "nul" || geval == "lus" || geval == "los")
        KORVALINDE_ALLEEN_POSIX("no FIFO, device or symbolic link on Windows");
    QTemporaryDir dir;
    const QString pad = dir.filePath(naam);
    if (geval == "fifo") QVERIFY(mkfifo(QFile::encodeName(pad), 0644) == 0);
    if (geval == "nul") QVERIFY(QFile::link(QStringLiteral("/dev/zero"), pad));
    if (geval == "map") QVERIFY(QDir(dir.path()).mkdir(naam));
    if (geval == "lus")
        QVERIFY(symlink(QFile::encodeName(pad).constData(), QFile::encodeName(pad).constData()) == 0);
    if (geval == "los") QVERIFY(QFile::link(dir.filePath(QStringLiteral("weg")), pad));
    if (geval == "groot") {
        // The record with blanks after it: valid JSON, but larger than the limit.
        QFile f(pad);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QJsonDocument(StandaardObject()).toJson());
        QVERIFY(f.resize(16 * 1024 * 1024 + 1));
    }
    const Resultaat r = Start({pad});
    QCOMPARE(r.code, 2);
    QVERIFY(r.uit.isEmpty());
    QVERIFY2(QString::fromUtf8(r.fout).contains("korvalinde-bereken: " + melding.arg(pad)),
             r.fout.constData());
}

void TestBereken::volleUitvoer_data() {
    KORVALINDE_ALLEEN_POSIX("no /dev/full, closed standard output or SIGPIPE on Windows");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("uitvoer");
    QTest::addColumn<QString>("melding");
    const QString vol =
        QStringLiteral("de uitvoer kon niet volledig geschreven worden: No space left on device");
    const QString dicht =
        QStringLiteral("de uitvoer kon niet geschreven worden: de standaarduitvoer is gesloten");
    const QString json = QStringLiteral(VOORBEELD_DIR "/standaard.json");
    QTest::newRow("JSON") << QStringList{json} << "/dev/full" << vol;
    QTest::newRow("CSV") << QStringList{QStringLiteral("--detail"), json} << "/dev/full" << vol;
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << "/dev/full" << vol;
    QTest::newRow("JSON, closed") << QStringList{json} << "-" << dicht;
    QTest::newRow("CSV with details, closed")
        << QStringList{QStringLiteral("--detail"), json} << "-" << dicht;
    // The reader went away ("| head"): exit 2 and one line, not the signal.
    const QString weg = QStringLiteral("de uitvoer kon niet volledig geschreven worden: Broken pipe");
    QTest::newRow("JSON of many files, reader gone") << QStringList(40, json) << "|" << weg;
    QTest::newRow("a sweep, reader gone")
        << QStringList{QStringLiteral("--reeks"), QStringLiteral("SpenKoe=1:300:1"), QStringLiteral("KVL")}
        << "|" << weg;
}

void TestBereken::volleUitvoer() {
    // Standard output that takes nothing (a full disk) or is closed: exit 2 with the reason, not 0.
    QFETCH(QStringList, args);
    QFETCH(QString, uitvoer);
    QFETCH(QString, melding);
    QTemporaryDir dir;
    const QString kvl = NieuwScenario(dir);
    QVERIFY(!kvl.isEmpty());
    args.replaceInStrings(QRegularExpression(QStringLiteral("^KVL$")), kvl);
    const Resultaat r = Start(args, "C.UTF-8", 0, uitvoer);
    QCOMPARE(r.code, 2);
    QCOMPARE(QString::fromUtf8(r.fout), "korvalinde-bereken: " + melding + "\n");
}

void TestBereken::rapportNaModelfout() {
    // No annual nitrogen: the model stops with its error. The report is still written with what was
    // computed, the error is said once and the exit code is 1, as for the JSON and CSV output.
    QTemporaryDir dir;
    const Opgeslagen a = SlaOp(dir.filePath(QStringLiteral("geenjaargift.kvl")),
                               [](TInvoerset& invoer, TBerekening&) { invoer.CbxJaargift->KiesItem(-1); });
    QVERIFY(!a.pad.isEmpty());
    const QString pdf = dir.filePath(QStringLiteral("rapport.pdf"));
    const Resultaat r = Start({QStringLiteral("--rapport"), pdf, a.pad});
    QCOMPARE(r.code, 1);
    QVERIFY(r.uit.isEmpty());
    const QString fout = QString::fromUtf8(r.fout);
    QCOMPARE(fout.count(QStringLiteral("Gestoorde bijgroei, onbekende jaargift")), 1);
    QVERIFY2(fout.contains(a.pad + QStringLiteral(": Gestoorde bijgroei, onbekende jaargift: ")),
             r.fout.constData());
    QFile bestand(pdf);
    QVERIFY(bestand.open(QIODevice::ReadOnly));
    QVERIFY(bestand.read(5) == "%PDF-");
}

void TestBereken::parallelGelijk_data() {
    // Scenario files and records mixed, with a model error among them; every output kind.
    QTest::addColumn<QStringList>("opties");
    QTest::newRow("JSON list") << QStringList{};
    QTest::newRow("CSV") << QStringList{QStringLiteral("--csv")};
    QTest::newRow("CSV with details") << QStringList{QStringLiteral("--detail")};
}

void TestBereken::parallelGelijk() {
    // Streamed on several threads, the output is byte for byte that of one thread, files in order.
    QFETCH(QStringList, opties);
    QTemporaryDir dir;
    QStringList bestanden;
    const QString kvl = dir.filePath(QStringLiteral("weide.kvl"));
    QCOMPARE(Start({QStringLiteral("--nieuw"), kvl}).code, 0);
    const QString foutPad = SchrijfTijdelijk(dir, QJsonDocument(GrasZonderVw()).toJson());
    for (int i = 0; i < 9; ++i)
        bestanden << (i % 3 == 0   ? kvl
                      : i % 3 == 1 ? QStringLiteral(VOORBEELD_DIR "/standaard.json")
                                   : foutPad);
    const Resultaat een = Start(QStringList{QStringLiteral("-j"), QStringLiteral("1")} + opties + bestanden);
    QCOMPARE(een.code, 1);
    for (const char* j : {"-j2", "-j5", "-j256"}) {
        const Resultaat meer = Start(QStringList{QString::fromLatin1(j)} + opties + bestanden);
        QCOMPARE(meer.code, een.code);
        QVERIFY2(meer.uit == een.uit, j);
        QCOMPARE(meer.fout, een.fout);
    }
}

void TestBereken::reeks_data() {
    QTest::addColumn<QStringList>("args"); // before the scenario file
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("regels");  // CSV lines with the header; 0 when refused
    QTest::addColumn<QString>("kop"); // the header's beginning, or part of the message
    QTest::newRow("paddock 1 to 6 by 0.5")
        << QStringList{"--reeks", "SpePerceelOpp=1:6:0.5"} << 0 << 12
        << "SpePerceelOpp,Aantal weidedagen (dagen),Oppervlakte perceel (ha),";
    QTest::newRow("two sweeps give the grid")
        << QStringList{"--reeks", "SpePerceelOpp=2:3:0.5", "--reeks", "SpenKoe=40:80:20"} << 0 << 10
        << "SpePerceelOpp,SpenKoe,Aantal weidedagen";
    QTest::newRow("with the alternatives") << QStringList{"--reeks", "SpenKoe=50", "--alternatieven"} << 0
                                           << 2 << "SpenKoe,Basis: Aantal weidedagen (dagen),";
    QTest::newRow("with a chart") << QStringList{"--reeks", "SpePerceelOpp=1:2:1", "--grafiek", "GRAFIEK"}
                                  << 0 << 3 << "SpePerceelOpp,";
    QTest::newRow("turn-in dates by the week")
        << QStringList{"--reeks", "Cbxdatum=0104:3110:7", "--grafiek", "GRAFIEK"} << 0 << 32
        << "Cbxdatum,Aantal weidedagen (dagen),";
    QTest::newRow("29 February") << QStringList{"--reeks", "Cbxdatum=2902"} << 2 << 0
                                 << "--reeks Cbxdatum=2902: 2902: Ongeldige dag ingegeven";
    QTest::newRow("a date outside the grazing months")
        << QStringList{"--reeks", "Cbxdatum=1503:1505:7"} << 2 << 0
        << "--reeks Cbxdatum=1503:1505:7: 15/03 ligt buiten de weidemaanden (01/04 tot en met 31/10)";
    QTest::newRow("outside the range")
        << QStringList{"--reeks", "SpePerceelOpp=40:60:10"} << 2 << 0
        << "60.00 ligt buiten het bereik van SpePerceelOpp (0.1 tot en met 50.0)";
    QTest::newRow("no such input") << QStringList{"--reeks", "SpeGeen=1:2:1"} << 2 << 0 << "geen getalinvoer";
    QTest::newRow("a chart row that does not exist")
        << QStringList{"--reeks", "SpenKoe=50", "--grafiek", "GRAFIEK", "--rij", "Bestaat niet"} << 2 << 0
        << "--rij Bestaat niet";
    QTest::newRow("three sweeps") << QStringList{"--reeks",    "SpenKoe=50", "--reeks",
                                                 "SpeTkt=365", "--reeks",    "SpeGewicht=600"}
                                  << 2 << 0 << "hoogstens twee";
    QTest::newRow("a step finer than the input's values")
        << QStringList{"--reeks", "SpenKoe=1:2:0.1"} << 2 << 0
        << "--reeks SpenKoe=1:2:0.1: de stap 0.1 is fijner dan de waarden van SpenKoe (stap 1 of meer)";
    QTest::newRow("an unknown name gets the closest ones")
        << QStringList{"--reeks", "koeien=1:2:1"} << 2 << 0
        << "--reeks koeien: geen getalinvoer met deze naam; het dichtst bij komen SpenKoe (Aantal "
           "melkgevende "
           "koeien in perceel)";
    // Two outputs named differently for the same file that does not exist yet.
    QTest::newRow("chart and workbook in one file")
        << QStringList{"--reeks", "SpePerceelOpp=1:2:0.5", "--grafiek", "g.out", "--xlsx", "./g.out"} << 2
        << 0 << "--grafiek en --xlsx schrijven allebei naar ./g.out";
    // A chart that cannot be written is refused before any point is computed or printed.
    QTest::newRow("a read-only chart")
        << QStringList{"--reeks", "SpenKoe=1:300:1", "--grafiek", "ALLEENLEZEN"} << 2 << 0
        << "is alleen-lezen";
}

void TestBereken::reeks() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(int, regels);
    QFETCH(QString, kop);
    QTemporaryDir dir;
    const QString kvl = dir.filePath(QStringLiteral("weide.kvl"));
    QCOMPARE(Start({QStringLiteral("--nieuw"), kvl}).code, 0);
    const QString png = dir.filePath(QStringLiteral("reeks.png"));
    args.replaceInStrings(QStringLiteral("GRAFIEK"), png);
    const QString alleenLezen = dir.filePath(QStringLiteral("alleen.png"));
    QVERIFY(testbestand::Schrijf(alleenLezen, "oud") && chmod(QFile::encodeName(alleenLezen), 0444) == 0);
    args.replaceInStrings(QStringLiteral("ALLEENLEZEN"), alleenLezen);
    const QString vorige = QDir::currentPath(); // relative names in the scenario's folder
    QVERIFY(QDir::setCurrent(dir.path()));
    const Resultaat r = Start(args + QStringList{kvl});
    QDir::setCurrent(vorige);
    QCOMPARE(r.code, code);
    if (code != 0) {
        QVERIFY2(r.fout.contains(kop.toUtf8()), r.fout.constData());
        QVERIFY(r.uit.isEmpty());
        QVERIFY(!QFile::exists(png));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("g.out"))));
        return;
    }
    const QList<QByteArray> lijnen = r.uit.split('\n');
    QCOMPARE(lijnen.size() - 1, regels); // every line ends with CR LF
    QVERIFY2(lijnen.front().startsWith(kop.toUtf8()), lijnen.front().constData());
    // One row per value, the value as its input shows it, the summary computed for it.
    if (args.contains(QStringLiteral("SpePerceelOpp=1:6:0.5"))) {
        QVERIFY(lijnen[6].startsWith("3.5,"));
        QCOMPARE(lijnen[6].split(',').at(2), QByteArray("3.5")); // "Oppervlakte perceel (ha)"
    }
    if (args.contains(QStringLiteral("--alternatieven"))) QCOMPARE(lijnen.front().count(','), 60);
    // Dates as dd/MM; each sets the grass supply of its month ("Aanbod bij inscharen", column 5).
    if (args.contains(QStringLiteral("Cbxdatum=0104:3110:7"))) {
        QVERIFY(lijnen[1].startsWith("01/04,") && lijnen[31].startsWith("28/10,"));
        QCOMPARE(lijnen[1].split(',').at(4), QByteArray("1400"));
        QCOMPARE(lijnen[10].split(',').at(4), QByteArray("1700"));
    }
    if (args.contains(QStringLiteral("--grafiek"))) {
        const QByteArray beeld = Inhoud(png);
        QVERIFY(beeld.startsWith("\x89PNG\r\n\x1a\n"));
        QVERIFY(beeld.size() > 5000);
    }
}

void TestBereken::reeksMetModelfout() {
    // A grass fill value of 0 in the file stops the model at the grass supply the file holds; another
    // supply recomputes the grass row. The point with the error gives exit 1 and its message.
    QTemporaryDir dir;
    const Opgeslagen a = SlaOp(dir.filePath(QStringLiteral("vw0.kvl")), [](TInvoerset& invoer, TBerekening&) {
        invoer.GrdGras->ZetCel(7, 2, QStringLiteral("0"));
    });
    QVERIFY(!a.pad.isEmpty());
    const Resultaat r =
        Start({QStringLiteral("--reeks"), QStringLiteral("SpeGrasaanbod=1300:1400:100"), a.pad});
    QCOMPARE(r.code, 1);
    QCOMPARE(r.uit.count('\n'), 3);
    QCOMPARE(QString::fromUtf8(r.fout).trimmed(),
             "korvalinde-bereken: " + a.pad +
                 " (1300): Rekenfout: deling door nul (voederwaarde VW van het gras is 0)");
    // A goal seek over the same values: the point with the error does not meet the target, and the
    // message gives its value and the model's reason.
    const Resultaat zoek =
        Start({QStringLiteral("--zoek"), QStringLiteral("Benutting>=0"), QStringLiteral("--varieer"),
               QStringLiteral("SpeGrasaanbod=1300:1400"), a.pad});
    QCOMPARE(zoek.code, 0);
    QVERIFY2(zoek.uit.split('\n').value(1).startsWith("1400,"), zoek.uit.constData());
    QCOMPARE(QString::fromUtf8(zoek.fout).trimmed(),
             "korvalinde-bereken: " + a.pad +
                 ": 1 waarden gaven een fout van het model en voldoen dus niet (de eerste, 1300: Rekenfout: "
                 "deling door nul (voederwaarde VW van het gras is 0))");
}

void TestBereken::gevoeligheid_data() {
    QTest::addColumn<QStringList>("args"); // before the scenario file; UIT a workbook
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("rij");      // the row, or part of the message on stderr
    QTest::addColumn<bool>("procentueel"); // the change the table must have been computed with
    QTest::addColumn<double>("procent");
    QTest::addColumn<int>("dagen");
    QTest::addColumn<bool>("modelfout"); // the scenario's grass fill value is 0
    QTest::newRow("10 % and 14 days by default")
        << QStringList{"--gevoeligheid", "Benutting"} << 0 << "Benutting" << true << 10.0 << 14 << false;
    QTest::newRow("one step, the date by a week")
        << QStringList{"--gevoeligheid", "Gemiddelde melkgift", "--stap", "--dagen", "7"} << 0
        << "Gemiddelde melkgift" << false << 10.0 << 7 << false;
    QTest::newRow("25 %, one thread")
        << QStringList{"--gevoeligheid", "weidedagen", "--procent", "25", "-j", "1"} << 0 << "weidedagen"
        << true << 25.0 << 14 << false;
    QTest::newRow("into a workbook") << QStringList{"--gevoeligheid", "Weiderest", "--xlsx", "UIT"} << 0
                                     << "Weiderest" << true << 10.0 << 14 << false;
    QTest::newRow("several rows fit")
        << QStringList{"--gevoeligheid", "melk"} << 2 << "--gevoeligheid melk: meer dan een rij past" << true
        << 10.0 << 14 << false;
    QTest::newRow("the model stops on the scenario")
        << QStringList{"--gevoeligheid", "Benutting"} << 1
        << "Rekenfout: deling door nul (voederwaarde VW van het gras is 0)" << true << 10.0 << 14 << true;
}

void TestBereken::gevoeligheid() {
    // The table the batch calculator writes is the one the core makes for the same change, byte for
    // byte (the window's CSV and workbook come from the same fields), and its workbook holds the CSV.
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, rij);
    QFETCH(bool, procentueel);
    QFETCH(double, procent);
    QFETCH(int, dagen);
    QFETCH(bool, modelfout);
    if (args.contains(QStringLiteral("--xlsx")) && !testdata::HeeftOpenpyxl()) QSKIP("python3 not installed");
    QTemporaryDir dir;
    const Opgeslagen a =
        SlaOp(dir.filePath(QStringLiteral("a.kvl")), [modelfout](TInvoerset& invoer, TBerekening& b) {
            Anders(invoer, b);
            if (modelfout) invoer.GrdGras->ZetCel(7, 2, QStringLiteral("0"));
        });
    QVERIFY(!a.pad.isEmpty());
    const QString uit = dir.filePath(QStringLiteral("uit.xlsx"));
    args.replaceInStrings(QRegularExpression("^UIT$"), uit);
    const Resultaat r = Start(args + QStringList{a.pad});
    QCOMPARE(r.code, code);
    if (code != 0) {
        QVERIFY2(r.fout.contains(rij.toUtf8()), r.fout.constData());
        if (code == 2) QVERIFY(r.uit.isEmpty());
        return;
    }
    QVERIFY2(r.fout.isEmpty(), r.fout.constData());
    QByteArray bytes;
    QVERIFY(LeesScenarioBytes(a.pad, bytes).isEmpty());
    TSamenvattingKolom kolom;
    QString fout;
    QVERIFY(KiesSamenvattingsrij(rij, QStringLiteral("--gevoeligheid"), kolom, fout));
    const QByteArray csv =
        GevoeligheidCsv(BerekenGevoeligheid(bytes, kolom, TVerandering{procentueel, procent, dagen}, 1))
            .toUtf8();
    if (!args.contains(QStringLiteral("--xlsx"))) {
        QCOMPARE(r.uit, csv);
        return;
    }
    QVERIFY(r.uit.isEmpty());
    const QJsonObject werkmap = testdata::LeesWerkmap(uit, fout);
    QVERIFY2(fout.isEmpty(), qPrintable(fout));
    QCOMPARE(werkmap.value("volgorde").toVariant().toStringList(), QStringList{"Gevoeligheid"});
    const QString verschil = testdata::VergelijkBlad(
        werkmap.value("bladen").toObject().value(QLatin1String("Gevoeligheid")).toObject(), CsvRegels(csv),
        TekstkolommenGevoeligheid);
    QVERIFY2(verschil.isEmpty(), qPrintable(verschil));
}

void TestBereken::verkeerdeOpties_data() {
    QTest::addColumn<QStringList>("args"); // KVL: a scenario file, PNG: a file in the same folder
    QTest::addColumn<QString>("melding");
    QTest::newRow("same input swept twice")
        << QStringList{"--reeks", "SpePerceelOpp=1:3:1", "--reeks", "SpePerceelOpp=50:51:1", "KVL"}
        << "--reeks SpePerceelOpp staat er twee keer; één invoer kan maar één reeks hebben";
    QTest::newRow("chart without a name") << QStringList{"--reeks", "SpenKoe=50", "--grafiek", "", "KVL"}
                                          << "--grafiek \"\": een lege bestandsnaam";
    QTest::newRow("chart twice") << QStringList{"--reeks",   "SpenKoe=50", "--grafiek", "PNG",
                                                "--grafiek", "PNG",        "KVL"}
                                 << "--grafiek staat er twee keer";
    QTest::newRow("row without a chart")
        << QStringList{"--reeks", "SpenKoe=50", "--rij", "Benutting", "KVL"} << "--rij hoort bij --grafiek";
    QTest::newRow("-j without a value") << QStringList{"KVL", "-j"} << "-j vraagt een aantal van 1 tot 256";
    QTest::newRow("details with a sweep")
        << QStringList{"--detail", "--reeks", "SpenKoe=50", "KVL"} << "--detail kan niet samen met --reeks";
    QTest::newRow("chart without a sweep")
        << QStringList{"--grafiek", "PNG", "KVL"} << "--grafiek hoort bij --reeks";
    QTest::newRow("alternatives without a sweep")
        << QStringList{"--alternatieven", "KVL"} << "--alternatieven hoort bij --reeks";
    QTest::newRow("report with a chart")
        << QStringList{"--rapport", "PNG", "--grafiek", "PNG2", "KVL"} << "--grafiek hoort bij --reeks";
    QTest::newRow("sweep of two files")
        << QStringList{"--reeks", "SpenKoe=50", "KVL", "KVL"} << "--reeks vraagt precies één scenariobestand";
    QTest::newRow("new file with an input")
        << QStringList{"--nieuw", "PNG", "KVL"}
        << "--nieuw schrijft alleen een nieuw scenariobestand, zonder BESTAND of andere opties";
    QTest::newRow("no file") << QStringList{"--csv"} << "geen BESTAND opgegeven";
    QTest::newRow("unknown option") << QStringList{"--cvs", "KVL"} << "onbekende optie --cvs";
    QTest::newRow("an empty chart row chooses every row")
        << QStringList{"--reeks", "SpenKoe=50", "--grafiek", "PNG", "--rij", "", "KVL"}
        << "--rij \"\": een lege tekst past bij elke rij";
    QTest::newRow("CSV next to a workbook")
        << QStringList{"--csv", "--xlsx", "PNG", "KVL"}
        << "--csv kan niet samen met --xlsx; de werkmap neemt de tabellen";
    QTest::newRow("a value for a switch") << QStringList{"--csv=ja", "KVL"} << "--csv neemt geen waarde";
    QTest::newRow("a file name without a value")
        << QStringList{"KVL", "--xlsx"} << "--xlsx vraagt een bestandsnaam";
    QTest::newRow("-j with a value joined")
        << QStringList{"-j0", "KVL"} << "-j vraagt een aantal van 1 tot 256";
    QTest::newRow("a change without a sensitivity")
        << QStringList{"--procent", "5", "KVL"} << "--procent hoort bij --gevoeligheid";
    QTest::newRow("a step and a percentage")
        << QStringList{"--gevoeligheid", "Benutting", "--stap", "--procent", "5", "KVL"}
        << "--stap en --procent sluiten elkaar uit";
    QTest::newRow("no percentage") << QStringList{"--gevoeligheid", "Benutting", "--procent", "0", "KVL"}
                                   << "--procent 0: verwacht een getal groter dan 0 en hoogstens 100";
    QTest::newRow("no days") << QStringList{"--gevoeligheid", "Benutting", "--dagen", "0", "KVL"}
                             << "--dagen 0: verwacht een aantal dagen van 1 tot en met 213 (de weidemaanden)";
    QTest::newRow("a sensitivity with a sweep")
        << QStringList{"--gevoeligheid", "Benutting", "--reeks", "SpenKoe=50", "KVL"}
        << "--gevoeligheid gaat alleen samen met --procent, --stap, --dagen, --xlsx en -j";
    QTest::newRow("the input list with a file")
        << QStringList{"--invoerlijst", "KVL"}
        << "--invoerlijst schrijft alleen de lijst van de getalinvoeren, zonder BESTAND of andere opties";
}

void TestBereken::verkeerdeOpties() {
    // One line that says what is wrong, then where the usage is; nothing computed or written.
    QFETCH(QStringList, args);
    QFETCH(QString, melding);
    // The options are refused before any file is read: the scenario file need not exist.
    QTemporaryDir dir;
    const QString kvl = dir.filePath(QStringLiteral("weide.kvl"));
    args.replaceInStrings(QRegularExpression(QStringLiteral("^KVL$")), kvl);
    args.replaceInStrings(QRegularExpression(QStringLiteral("^PNG")), dir.filePath(QStringLiteral("uit")));
    const Resultaat r = Start(args);
    QCOMPARE(r.code, 2);
    QVERIFY(r.uit.isEmpty());
    // Nothing else, also not Qt's own notes of a painting program without XDG_RUNTIME_DIR.
    const QString fout = QString::fromUtf8(r.fout);
    QCOMPARE(fout,
             "korvalinde-bereken: " + melding + "\nZie 'korvalinde-bereken --help' voor het gebruik.\n");
    QVERIFY(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

void TestBereken::uitvoerOverInvoer_data() {
    // Every output option against its input, named the same, as ./name, through a link and a hard link.
    QTest::addColumn<QString>("optie");
    QTest::addColumn<QString>("naam");
    for (const char* optie : {"--grafiek", "--rapport", "--xlsx"})
        for (const char* naam : {"zelfde", "punt", "koppeling", "harde koppeling"})
            QTest::addRow("%s, %s", optie, naam) << optie << naam;
}

void TestBereken::uitvoerOverInvoer() {
    QFETCH(QString, optie);
    QFETCH(QString, naam);
    if (naam.contains(QStringLiteral("koppeling"))) KORVALINDE_ALLEEN_POSIX("no POSIX links on Windows");
    // Refused before the input is read: any bytes stand for the scenario.
    QTemporaryDir dir;
    const QString kvl = dir.filePath(QStringLiteral("weide.kvl"));
    const QByteArray scenario("scenario");
    QFile bestand(kvl);
    QVERIFY(bestand.open(QIODevice::WriteOnly) && bestand.write(scenario) == scenario.size());
    bestand.close();
    QString uit = kvl;
    QString in = kvl;
    const QString vorige = QDir::currentPath();
    if (naam == "punt") {
        QVERIFY(QDir::setCurrent(dir.path()));
        uit = QStringLiteral("./weide.kvl");
        in = QStringLiteral("weide.kvl");
    }
    if (naam == "koppeling") QVERIFY(QFile::link(kvl, uit = dir.filePath(QStringLiteral("uit"))));
    if (naam == "harde koppeling")
        QVERIFY(link(QFile::encodeName(kvl).constData(),
                     QFile::encodeName(uit = dir.filePath(QStringLiteral("uit"))).constData()) == 0);
    const QStringList args = optie == "--grafiek" ? QStringList{"--reeks", "SpenKoe=50", optie, uit, in}
                                                  : QStringList{optie, uit, in};
    const Resultaat r = Start(args);
    QDir::setCurrent(vorige);
    QCOMPARE(r.code, 2);
    QVERIFY(r.uit.isEmpty());
    QVERIFY2(QString::fromUtf8(r.fout).contains(optie + ": " + uit +
                                                " is het invoerbestand zelf; er is niets geschreven"),
             r.fout.constData());
    QCOMPARE(Inhoud(kvl), scenario);
}

void TestBereken::uitvoerOverUitvoer_data() {
    // Two output options that name one file, in either order, the second spelt another way: the same
    // text, ./name, the absolute path beside the relative one, a detour through a folder, a link and a
    // hard link to an existing file.
    QTest::addColumn<QString>("eerste");
    QTest::addColumn<QString>("tweede");
    QTest::addColumn<QString>("spelling");
    for (const auto& [eerste, tweede] : {std::pair{"--grafiek", "--xlsx"}, std::pair{"--xlsx", "--grafiek"}})
        for (const char* spelling : {"zelfde", "punt", "absoluut", "omweg", "koppeling", "harde koppeling"})
            QTest::addRow("%s, %s: %s", eerste, tweede, spelling) << eerste << tweede << spelling;
}

void TestBereken::uitvoerOverUitvoer() {
    QFETCH(QString, eerste);
    QFETCH(QString, tweede);
    QFETCH(QString, spelling);
    if (spelling.contains(QStringLiteral("koppeling"))) KORVALINDE_ALLEEN_POSIX("no POSIX links on Windows");
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("map")));
    const QString uit = dir.filePath(QStringLiteral("uit"));
    const bool bestaat = spelling.contains(QStringLiteral("koppeling"));
    const QByteArray oud("oude uitvoer");
    if (bestaat) QVERIFY(testbestand::Schrijf(uit, oud));
    QString a = uit;
    QString b = uit;
    if (spelling == "punt") {
        a = QStringLiteral("uit");
        b = QStringLiteral("./uit");
    }
    if (spelling == "absoluut") b = QStringLiteral("uit");
    if (spelling == "omweg") b = dir.filePath(QStringLiteral("map/../uit"));
    if (spelling == "koppeling") QVERIFY(QFile::link(uit, b = dir.filePath(QStringLiteral("koppeling"))));
    if (spelling == "harde koppeling")
        QVERIFY(link(QFile::encodeName(uit).constData(),
                     QFile::encodeName(b = dir.filePath(QStringLiteral("tweede"))).constData()) == 0);
    const QStringList voor = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QString vorige = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const Resultaat r = Start({"--reeks", "SpenKoe=50", eerste, a, tweede, b, dir.filePath("weide.kvl")});
    QDir::setCurrent(vorige);
    QCOMPARE(r.code, 2);
    QVERIFY(r.uit.isEmpty());
    // Both options named, in either order, and the file as one of them spells it.
    const QString fout = QString::fromUtf8(r.fout);
    bool genoemd = false;
    for (const QString& opties : {eerste + " en " + tweede, tweede + " en " + eerste})
        for (const QString& pad : {a, b})
            genoemd = genoemd ||
                      fout.contains(opties + " schrijven allebei naar " + pad + "; er is niets geschreven");
    QVERIFY2(genoemd, r.fout.constData());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), voor);
    if (bestaat) QCOMPARE(Inhoud(uit), oud);
}

void TestBereken::xlsx_data() {
    // A, B: two scenario files, B named "2024" (a name that looks like a number stays text); UIT the
    // workbook. `csv`: the same tables as CSV, a blank line before the detail tables.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("csv");
    QTest::addColumn<QStringList>("bladen"); // empty: refused as an option error
    QTest::addColumn<QByteArray>("taal");    // LC_ALL of the calculator for the workbook
    const QByteArray c = "C.UTF-8";
    const QByteArray nl = "nl_NL.UTF-8";
    QTest::newRow("summary of two files")
        << QStringList{"--xlsx", "UIT", "A", "B"} << QStringList{"--csv", "A", "B"}
        << QStringList{"Samenvatting"} << c;
    QTest::newRow("with the detail tables")
        << QStringList{"--detail", "--xlsx", "UIT", "A", "B"} << QStringList{"--detail", "A", "B"}
        << QStringList{"Samenvatting", "Detail"} << c;
    // On a Dutch desktop the same workbook, for openpyxl and for Gnumeric.
    QTest::newRow("with the detail tables, comma locale")
        << QStringList{"--detail", "--xlsx", "UIT", "A", "B"} << QStringList{"--detail", "A", "B"}
        << QStringList{"Samenvatting", "Detail"} << nl;
    QTest::newRow("a sweep with the alternatives, comma locale")
        << QStringList{"--reeks", "SpePerceelOpp=1:3:0.5", "--alternatieven", "--xlsx", "UIT", "A"}
        << QStringList{"--reeks", "SpePerceelOpp=1:3:0.5", "--alternatieven", "A"} << QStringList{"Reeks"}
        << nl;
    QTest::newRow("with --rapport") << QStringList{"--rapport", "B", "--xlsx", "UIT", "A"} << QStringList()
                                    << QStringList() << c;
    QTest::newRow("twice") << QStringList{"--xlsx", "UIT", "--xlsx", "UIT", "A"} << QStringList()
                           << QStringList() << c;
}

void TestBereken::xlsx() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, csv);
    QFETCH(QStringList, bladen);
    QFETCH(QByteArray, taal);
    if (!bladen.isEmpty() && !testdata::HeeftOpenpyxl()) QSKIP("python3 not installed");
    if (taal != "C.UTF-8" && !testdata::HeeftGnumeric()) QSKIP("ssconvert not installed");
    QTemporaryDir dir;
    const Opgeslagen a = SlaOp(dir.filePath(QStringLiteral("a,b.kvl")), Anders);
    const Opgeslagen b = SlaOp(dir.filePath(QStringLiteral("2024")), [](TInvoerset&, TBerekening&) {});
    const QString uit = dir.filePath(QStringLiteral("uit.xlsx"));
    for (QStringList* lijst : {&args, &csv}) {
        lijst->replaceInStrings(QRegularExpression("^A$"), a.pad);
        lijst->replaceInStrings(QRegularExpression("^B$"), QStringLiteral("2024"));
        lijst->replaceInStrings(QRegularExpression("^UIT$"), uit);
    }
    // B by its bare name, from its folder.
    const QString werkmap0 = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const Resultaat r = Start(args, taal);
    const Resultaat tekst = bladen.isEmpty() ? Resultaat{} : Start(csv);
    // The same workbook made in the C locale, as Gnumeric reads both.
    const QString uitC = dir.filePath(QStringLiteral("uit-c.xlsx"));
    if (taal != "C.UTF-8") QCOMPARE(Start(args.replaceInStrings(uit, uitC)).code, 0);
    QVERIFY(QDir::setCurrent(werkmap0));
    if (taal != "C.UTF-8") {
        QString fout;
        const QByteArray gnumeric = testdata::GnumericCsv(uit, fout);
        QVERIFY2(fout.isEmpty(), qPrintable(fout));
        QCOMPARE(gnumeric, testdata::GnumericCsv(uitC, fout));
    }
    if (bladen.isEmpty()) {
        QCOMPARE(r.code, 2);
        QVERIFY2(r.fout.contains("--help"), r.fout.constData());
        QVERIFY(!QFile::exists(uit));
        return;
    }
    QCOMPARE(r.code, 0);
    QVERIFY(r.uit.isEmpty()); // the tables go into the workbook only
    QCOMPARE(tekst.code, 0);
    if (csv.contains("2024")) QVERIFY(tekst.uit.contains("\r\n2024,1,"));
    const qsizetype leeg = tekst.uit.indexOf("\r\n\r\n");
    QString fout;
    const QJsonObject werkmap = testdata::LeesWerkmap(uit, fout);
    QVERIFY2(fout.isEmpty(), qPrintable(fout));
    QCOMPARE(werkmap.value("volgorde").toVariant().toStringList(), bladen);
    const auto vergelijk = [&werkmap](const char* blad, const QByteArray& csvTekst,
                                      const QList<int>& tekstkolommen) {
        return testdata::VergelijkBlad(
            werkmap.value("bladen").toObject().value(QLatin1String(blad)).toObject(), CsvRegels(csvTekst),
            tekstkolommen);
    };
    if (bladen.contains("Reeks")) {
        const QString verschil = vergelijk("Reeks", tekst.uit, {});
        QVERIFY2(verschil.isEmpty(), qPrintable(verschil));
        return;
    }
    QString verschil = vergelijk("Samenvatting", tekst.uit.left(leeg < 0 ? tekst.uit.size() : leeg + 2),
                                 TekstkolommenSamenvatting);
    QVERIFY2(verschil.isEmpty(), qPrintable(verschil));
    if (bladen.contains("Detail")) {
        verschil = vergelijk("Detail", tekst.uit.mid(leeg + 4), TekstkolommenDetail);
        QVERIFY2(verschil.isEmpty(), qPrintable(verschil));
    }
}

void TestBereken::zoek_data() {
    QTest::addColumn<QStringList>("args"); // before the scenario file
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("gevonden"); // the value found, or part of the message on stderr
    QTest::addColumn<QString>("melding");  // part of stderr when found; empty: nothing on it
    QTest::newRow("least paddock for 3 days")
        << QStringList{"--zoek", "weidedagen>=3", "--varieer", "SpePerceelOpp=1:4"} << 0 << "1.6"
        << "";
    QTest::newRow("largest paddock for at most 3 days")
        << QStringList{"--zoek", "weidedagen<=3", "--varieer", "SpePerceelOpp=1:4", "--grootste"} << 0
        << "1.8"
        << "";
    QTest::newRow("least offer for 85 % use, not monotone")
        << QStringList{"--zoek", "Benutting>=85", "--varieer", "SpeGrasaanbod=500:1500"} << 0 << "600"
        << "de eerste waarde die voldoet is 600, de laatste 1400";
    QTest::newRow("largest paddock for 85 % use, not monotone")
        << QStringList{"--zoek", "Benutting>=85", "--varieer", "SpePerceelOpp=1:4", "--grootste"} << 0
        << "4.0"
        << "de eerste waarde die voldoet is 4.0, de laatste 1.2";
    QTest::newRow("with the alternatives")
        << QStringList{"--zoek", "weidedagen>=5", "--varieer", "SpePerceelOpp=2:4", "--alternatieven"} << 0
        << "2.7"
        << "";
    QTest::newRow("unreachable target")
        << QStringList{"--zoek", "weidedagen>=300", "--varieer", "SpenKoe=20:30"} << 3
        << "geen waarde van SpenKoe van 20 tot en met 30 haalt"
        << "";
    QTest::newRow("without a range") << QStringList{"--zoek", "weidedagen>=3"} << 2 << "horen bij elkaar"
                                     << "";
    QTest::newRow("with a sweep") << QStringList{"--zoek",        "weidedagen>=3", "--varieer",
                                                 "SpenKoe=20:30", "--reeks",       "SpenKoe=20"}
                                  << 2 << "--zoek gaat alleen samen"
                                  << "";
    QTest::newRow("ambiguous row") << QStringList{"--zoek", "melk>=3", "--varieer", "SpenKoe=20:30"} << 2
                                   << "meer dan een rij past"
                                   << "";
    QTest::newRow("a target beyond any number")
        << QStringList{"--zoek", "Benutting>=1e400", "--varieer", "SpenKoe=20:30"} << 2 << "RIJ>=DOEL"
        << "";
}

void TestBereken::zoek() {
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, gevonden);
    QFETCH(QString, melding);
    QTemporaryDir dir;
    const QString kvl = NieuwScenario(dir);
    QVERIFY(!kvl.isEmpty());
    const Resultaat r = Start(args + QStringList{kvl});
    QCOMPARE(r.code, code);
    if (code != 0) {
        QVERIFY2(r.fout.contains(gevonden.toUtf8()), r.fout.constData());
        QVERIFY(r.uit.isEmpty());
        return;
    }
    QVERIFY2(melding.isEmpty() ? r.fout.isEmpty() : r.fout.contains(melding.toUtf8()), r.fout.constData());
    // The header and the line of the sweep at the value found, byte for byte.
    const int varieer = static_cast<int>(args.indexOf(QStringLiteral("--varieer")));
    QStringList reeks{QStringLiteral("--reeks"),
                      args[varieer + 1].section(QLatin1Char('='), 0, 0) + QLatin1Char('=') + gevonden};
    if (args.contains(QStringLiteral("--alternatieven"))) reeks << QStringLiteral("--alternatieven");
    const Resultaat verwacht = Start(reeks + QStringList{kvl});
    QCOMPARE(verwacht.code, 0);
    QCOMPARE(r.uit, verwacht.uit);
}

void TestBereken::invoerlijst() {
    // Every input of the list sweeps: its largest value, written with its decimals, is the row's value.
    const Resultaat lijst = Start({QStringLiteral("--invoerlijst")});
    QCOMPARE(lijst.code, 0);
    const QList<QStringList> regels = CsvRegels(lijst.uit);
    QCOMPARE(regels.value(0),
             (QStringList{"naam", "label", "eenheid", "minimum", "maximum", "stap", "decimalen"}));
    QCOMPARE(regels.value(1),
             (QStringList{"SpenKoe", "Aantal melkgevende koeien in perceel", "", "1", "300", "1", "0"}));
    QVERIFY(
        regels.contains(QStringList{"SpePerceelOpp", "Perceelsgrootte", "ha", "0.1", "50.0", "0.1", "1"}));
    QVERIFY(regels.size() > 20);
    QTemporaryDir dir;
    const QString kvl = NieuwScenario(dir);
    QVERIFY(!kvl.isEmpty());
    for (const QStringList& invoer : regels.mid(1)) {
        const Resultaat r = Start({QStringLiteral("--reeks"), invoer[0] + QLatin1Char('=') + invoer[4], kvl});
        QVERIFY2(r.code == 0 || r.code == 1, qPrintable(invoer[0] + QString::fromUtf8(r.fout)));
        const QList<QStringList> reeks = CsvRegels(r.uit);
        QCOMPARE(reeks.size(), 2);
        QCOMPARE(reeks[1].value(0).toDouble(), invoer[4].toDouble());
    }
}

void TestBereken::nieuwereVersie_data() {
    QTest::addColumn<double>("versie");
    QTest::addColumn<QStringList>("args"); // before the scenario file
    QTest::addColumn<bool>("waarschuwing");
    for (const double versie : {201000.0, 201001.0, 203000.0})
        for (const QStringList& args :
             QList<QStringList>{{}, {"--csv"}, {"--reeks", "SpenKoe=50"}, {"--rapport", "RAPPORT"}})
            QTest::addRow("%.0f %s", versie, qPrintable(args.join(' ')))
                << versie << args << (versie > 201000);
}

void TestBereken::nieuwereVersie() {
    // A file of a later version is read as far as this program knows it, with one warning line.
    QFETCH(double, versie);
    QFETCH(QStringList, args);
    QFETCH(bool, waarschuwing);
    QTemporaryDir dir;
    const QString kvl = NieuwScenario(dir);
    QVERIFY(!kvl.isEmpty());
    QByteArray bytes = Inhoud(kvl);
    const auto nummer = NaarExtended(static_cast<long double>(versie));
    bytes.replace(1, 10, QByteArray(reinterpret_cast<const char*>(nummer.data()), 10));
    QVERIFY(testbestand::Schrijf(kvl, bytes));
    args.replaceInStrings(QStringLiteral("RAPPORT"), dir.filePath(QStringLiteral("r.pdf")));
    const Resultaat r = Start(args + QStringList{kvl});
    QCOMPARE(r.code, 0);
    QCOMPARE(QString::fromUtf8(r.fout),
             waarschuwing
                 ? QStringLiteral("korvalinde-bereken: waarschuwing: %1: het bestand is van een nieuwere "
                                  "versie (%2) dan dit programma (201000); wat die versie toevoegt, wordt "
                                  "niet gelezen\n")
                       .arg(kvl)
                       .arg(versie, 0, 'f', 0)
                 : QString());
}

void TestBereken::afgebroken_data() {
    KORVALINDE_ALLEEN_POSIX("no POSIX signals on Windows");
    QTest::addColumn<int>("signaal");
    QTest::newRow("SIGTERM") << int{SIGTERM};
    QTest::newRow("SIGINT") << int{SIGINT};
}

void TestBereken::afgebroken() {
    // Interrupted while the workbook grows, the run removes its temporary folder and ends by the signal.
    QFETCH(int, signaal);
    QTemporaryDir dir;
    const QString kvl = NieuwScenario(dir);
    QVERIFY(!kvl.isEmpty());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("tmp")));
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), dir.filePath(QStringLiteral("tmp")));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(BEREKEN_EXE),
            {"-j1", "--reeks", "SpeGrasaanbod=100:4000:1", "--reeks", "SpenKoe=1:2:1", "--xlsx",
             dir.filePath(QStringLiteral("uit.xlsx")), kvl});
    QVERIFY(p.waitForStarted());
    QDir tijdelijk(dir.filePath(QStringLiteral("tmp")));
    QTRY_VERIFY_WITH_TIMEOUT(!tijdelijk.entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty(), 20000);
    QCOMPARE(tijdelijk.entryList(QDir::Dirs | QDir::NoDotAndDotDot).front(),
             QStringLiteral("korvalinde-bereken-%1-").arg(p.processId()) +
                 tijdelijk.entryList(QDir::Dirs | QDir::NoDotAndDotDot).front().right(6));
    QVERIFY(kill(static_cast<pid_t>(p.processId()), signaal) == 0);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitStatus(), QProcess::CrashExit);
    QVERIFY(tijdelijk.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("uit.xlsx"))));
}

QTEST_GUILESS_MAIN(TestBereken)
#include "test_bereken.moc"
