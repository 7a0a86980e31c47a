// The batch calculator and the JSON form of the records.
#include "Bedrijf_u.h"
#include "ModelInvoer.h"
#include "RecordJson.h"

#include <QtTest>

using namespace korvalinde;

namespace {

struct Resultaat {
    int code = -1;
    QByteArray uit;
    QByteArray fout;
};

Resultaat Start(const QStringList& args, const QByteArray& taal = "C.UTF-8") {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(taal));
    env.insert(QStringLiteral("LANG"), QString::fromLatin1(taal));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(BEREKEN_EXE), args);
    if (!p.waitForFinished(30000)) return {};
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
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
    QTest::newRow("alternative kind") << met("Alternatief", QJsonArray{QJsonObject{{"Soort", "5"}, {"Waarde", 0}},
                                                                       QJsonObject{{"Soort", 5}, {"Waarde", 0}}})
                                      << "\"Alternatief[0].Soort\"";
    QTest::newRow("no cows") << met("AantalKoeien", 0) << "\"AantalKoeien\"";
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
    const Resultaat versie = Start({"--version"});
    QCOMPARE(versie.code, 0);
    QVERIFY(versie.uit.startsWith("korvalinde-bereken "));
    QCOMPARE(Start({"--onzin"}).code, 2);
    QCOMPARE(Start({}).code, 2);
}

QTEST_GUILESS_MAIN(TestBereken)
#include "test_bereken.moc"
