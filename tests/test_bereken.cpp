// The batch calculator and the JSON form of the records.
#include "ModelInvoer.h"
#include "Testbestanden.h"
#include "core/Berekening.h"
#include "core/RecordJson.h"
#include "core/Scenario.h"
#include "domain/Bedrijfsmodel.h"

#include <QtTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace korvalinde;

namespace {

struct Resultaat {
    int code = -1;
    QByteArray uit;
    QByteArray fout;
};

// `grens` > 0: the calculator may write files of at most that many bytes (the signal of that limit it
// must ignore itself). `uitvoer`: a file that takes standard output.
Resultaat Start(const QStringList& args, const QByteArray& taal = "C.UTF-8", rlim_t grens = 0,
                const QString& uitvoer = QString()) {
    QProcess p;
    if (!uitvoer.isEmpty()) p.setStandardOutputFile(uitvoer);
    if (grens > 0) {
        p.setChildProcessModifier([grens] { testbestand::ZetBestandsgrens(grens); });
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(taal));
    env.insert(QStringLiteral("LANG"), QString::fromLatin1(taal));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(BEREKEN_EXE), args);
    if (!p.waitForFinished(30000)) return {};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

using testbestand::Inhoud;

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

QList<QStringList> CsvRegels(const QByteArray& tekst) {
    QList<QStringList> regels;
    for (const QByteArray& regel : tekst.split('\n')) {
        QStringList velden;
        QString veld;
        bool quote = false;
        const QString r = QString::fromUtf8(regel).remove(QLatin1Char('\r'));
        for (qsizetype i = 0; i < r.size(); ++i) {
            const QChar c = r.at(i);
            if (quote && c == u'"' && i + 1 < r.size() && r.at(i + 1) == u'"')
                veld += c, ++i;
            else if (c == u'"')
                quote = !quote;
            else if (c == u',' && !quote)
                velden << veld, veld.clear();
            else
                veld += c;
        }
        velden << veld;
        regels << velden;
    }
    if (!regels.isEmpty() && regels.back() == QStringList{QString()}) regels.removeLast();
    return regels;
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
        const TQXInvoer in = gen.Volgende();
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
    // The same texts as the model computes in-process, with a point as decimal separator.
    TQXUitvoer verwacht;
    TBedrijf b;
    b.Bereken(testdata::StandaardInvoer(), verwacht);
    QCOMPARE(uitvoer, UitvoerNaarJson(verwacht));
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
}

void TestBereken::foutieveInvoer() {
    QFETCH(QByteArray, inhoud);
    QFETCH(QString, melding);
    QTemporaryDir dir;
    const Resultaat r = Start({SchrijfTijdelijk(dir, inhoud)});
    QCOMPARE(r.code, 2);
    QVERIFY(r.uit.isEmpty());
    QVERIFY2(QString::fromUtf8(r.fout).contains(melding), r.fout.constData());

    const Resultaat geenBestand = Start({dir.filePath("bestaat-niet.json")});
    QCOMPARE(geenBestand.code, 2);
    QVERIFY(geenBestand.uit.isEmpty());
    QVERIFY(!geenBestand.fout.isEmpty());
}

void TestBereken::modelFoutGeeftDeelresultaat() {
    QJsonObject o = StandaardObject();
    o.insert("Jaargift", "150");
    QTemporaryDir dir;
    const Resultaat r = Start({SchrijfTijdelijk(dir, QJsonDocument(o).toJson())});
    QCOMPARE(r.code, 1);
    const QJsonObject doc = QJsonDocument::fromJson(r.uit).object();
    QCOMPARE(doc.value("fout").toString(), QStringLiteral("Gestoorde bijgroei, onbekende jaargift: 150"));
    const QJsonObject detail = doc.value("uitvoer").toObject().value("detail").toObject();
    QCOMPARE(detail.value("arBiomassa0").toArray()[0].toArray()[0].toString(), QStringLiteral("2300"));
    QCOMPARE(detail.value("arBijgroei").toArray()[0].toArray()[0].toString(), QString());
}

void TestBereken::hulpEnVersie() {
    const Resultaat hulp = Start({"--help"});
    QCOMPARE(hulp.code, 0);
    QVERIFY(hulp.uit.contains("Gebruik: korvalinde-bereken"));
    QVERIFY(hulp.uit.contains("scenariobestand (.kvl)"));
    QVERIFY(hulp.uit.contains("--csv") && hulp.uit.contains("--detail") && hulp.uit.contains("--nieuw"));
    QVERIFY(hulp.uit.contains("waarschuwing"));
    const Resultaat versie = Start({"--version"});
    QCOMPARE(versie.code, 0);
    QVERIFY(versie.uit.startsWith("korvalinde-bereken "));
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
    QVERIFY(
        fout.fout.contains("Cannot create file " + dir.filePath(QStringLiteral("ontbreekt/x.kvl")).toUtf8()));
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
    QTest::newRow("no file") << QByteArray() << "Cannot open file %1";
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
                                    << "kvl" << 2 << "rapport niet schrijven";
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
    QTest::addColumn<QString>("opdracht"); // --nieuw or --rapport
    QTest::addColumn<QString>("geval");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("melding");
    for (const char* opdracht : {"--nieuw", "--rapport"}) {
        QTest::addRow("%s, size limit", opdracht)
            << opdracht << "grens" << 2
            << (opdracht == QLatin1String("--nieuw") ? "Stream write error" : "File too large");
        QTest::addRow("%s, read-only file", opdracht) << opdracht << "alleenlezen" << 2 << "alleen-lezen";
        QTest::addRow("%s, link to a device", opdracht)
            << opdracht << "apparaat" << 2 << "geen gewoon bestand";
        QTest::addRow("%s, FIFO", opdracht) << opdracht << "fifo" << 2 << "geen gewoon bestand";
        QTest::addRow("%s, no name", opdracht) << opdracht << "leeg" << 2 << "Geen bestandsnaam";
        QTest::addRow("%s, mode kept", opdracht) << opdracht << "modus" << 0 << "";
    }
    QTest::newRow("--rapport over its own input") << "--rapport"
                                                  << "zelfde" << 2 << "het invoerbestand zelf";
}

void TestBereken::schrijfFouten() {
    QFETCH(QString, opdracht);
    QFETCH(QString, geval);
    QFETCH(int, code);
    QFETCH(QString, melding);
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
    const QStringList args =
        opdracht == "--nieuw" ? QStringList{opdracht, uit} : QStringList{opdracht, uit, kvl};
    const Resultaat r = Start(args, "C.UTF-8", geval == "grens" ? 1000 : 0);
    QCOMPARE(r.code, code);
    QVERIFY(r.uit.isEmpty());
    QVERIFY2(QString::fromUtf8(r.fout).contains(melding), r.fout.constData());
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
    QTest::addColumn<QString>("geval");
    QTest::addColumn<QString>("melding");
    QTest::newRow("FIFO does not block") << "fifo"
                                         << "geen gewoon bestand";
    QTest::newRow("link to an endless device") << "nul"
                                               << "geen gewoon bestand";
    QTest::newRow("folder") << "map"
                            << "geen gewoon bestand";
    QTest::newRow("larger than any record") << "groot"
                                            << "groter dan 16 MiB";
}

void TestBereken::invoerBestanden() {
    // Only a regular JSON file of at most 16 MiB is read; anything else ends at once with exit 2.
    QFETCH(QString, geval);
    QFETCH(QString, melding);
    QTemporaryDir dir;
    const QString pad = dir.filePath(QStringLiteral("invoer.json"));
    if (geval == "fifo") QVERIFY(mkfifo(QFile::encodeName(pad), 0644) == 0);
    if (geval == "nul") QVERIFY(QFile::link(QStringLiteral("/dev/zero"), pad));
    if (geval == "map") QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("invoer.json")));
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
    QVERIFY2(QString::fromUtf8(r.fout).contains(melding), r.fout.constData());
}

void TestBereken::volleUitvoer_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("JSON") << QStringList{QStringLiteral(VOORBEELD_DIR "/standaard.json")};
    QTest::newRow("CSV") << QStringList{QStringLiteral("--detail"),
                                        QStringLiteral(VOORBEELD_DIR "/standaard.json")};
    QTest::newRow("help") << QStringList{QStringLiteral("--help")};
}

void TestBereken::volleUitvoer() {
    // Standard output that takes nothing (a full disk): exit 2 with the reason, not 0.
    QFETCH(QStringList, args);
    const Resultaat r = Start(args, "C.UTF-8", 0, QStringLiteral("/dev/full"));
    QCOMPARE(r.code, 2);
    QVERIFY2(r.fout.contains("de uitvoer kon niet volledig geschreven worden: No space left on device"),
             r.fout.constData());
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
    QJsonObject fout = StandaardObject();
    fout.insert(QStringLiteral("Jaargift"), QStringLiteral("150"));
    const QString foutPad = SchrijfTijdelijk(dir, QJsonDocument(fout).toJson());
    for (int i = 0; i < 9; ++i)
        bestanden << (i % 3 == 0   ? kvl
                      : i % 3 == 1 ? QStringLiteral(VOORBEELD_DIR "/standaard.json")
                                   : foutPad);
    const Resultaat een = Start(QStringList{QStringLiteral("-j"), QStringLiteral("1")} + opties + bestanden);
    QCOMPARE(een.code, 1);
    for (const char* j : {"-j2", "-j5"}) {
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
    QTest::newRow("outside the range")
        << QStringList{"--reeks", "SpePerceelOpp=40:60:10"} << 2 << 0
        << "60.00 ligt buiten het bereik van SpePerceelOpp (0.1 tot en met 50.0)";
    QTest::newRow("no such input") << QStringList{"--reeks", "SpeGeen=1:2:1"} << 2 << 0 << "geen getalinvoer";
    QTest::newRow("a chart row that does not exist")
        << QStringList{"--reeks", "SpenKoe=50", "--grafiek", "GRAFIEK", "--rij", "Bestaat niet"} << 2 << 0
        << "--rij Bestaat niet";
    QTest::newRow("three sweeps") << QStringList{"--reeks",    "SpenKoe=50", "--reeks",
                                                 "SpenKoe=60", "--reeks",    "SpenKoe=70"}
                                  << 2 << 0 << "hoogstens twee";
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
    const Resultaat r = Start(args + QStringList{kvl});
    QCOMPARE(r.code, code);
    if (code != 0) {
        QVERIFY2(r.fout.contains(kop.toUtf8()), r.fout.constData());
        QVERIFY(r.uit.isEmpty());
        QVERIFY(!QFile::exists(png));
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
    if (args.contains(QStringLiteral("--grafiek"))) {
        const QByteArray beeld = Inhoud(png);
        QVERIFY(beeld.startsWith("\x89PNG\r\n\x1a\n"));
        QVERIFY(beeld.size() > 5000);
    }
}

QTEST_GUILESS_MAIN(TestBereken)
#include "test_bereken.moc"
