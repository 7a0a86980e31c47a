// The bytes of the scenario file: value encodings, the field order, old versions and damaged files.
#include "ScenarioTestInvoer.h"
#include "core/ScenarioBestand.h"

#include <QtTest>

#include <cmath>
#include <cstring>

using namespace korvalinde;
using testdata::ScenarioTestInvoer;

namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> lijst) {
    std::vector<std::uint8_t> uit;
    for (int b : lijst) uit.push_back(static_cast<std::uint8_t>(b));
    return uit;
}

QString LeesFout(const std::vector<std::uint8_t>& data, ScenarioTestInvoer& invoer) {
    try {
        LeesScenario(data.data(), data.size(), invoer);
    } catch (const ScenarioFout& e) {
        return QString::fromLatin1(e.what());
    }
    return {};
}

// Offset of the first byte after the grass table block in a file with default values.
std::size_t NaGrasBlok(const std::vector<std::uint8_t>& bestand) {
    return bestand.size() - 2 - 2 - 11 - 11;
}

} // namespace

class TestScenario : public QObject {
    Q_OBJECT

  private slots:
    void extended_data();
    void extended();
    void standaardBestandBegin();
    void heenEnTerug();
    void celVanVijfentwintigTekens();
    void kleinsteTagVoorGeheel_data();
    void kleinsteTagVoorGeheel();
    void oudeVersie();
    void afgekapt();
    void ongeldigeTags_data();
    void ongeldigeTags();
    void lengteVoorbijEinde();
    void teGroteVersie();
    void grensVanDeOudeVersie_data();
    void grensVanDeOudeVersie();
    void tekstTagBijLengte_data();
    void tekstTagBijLengte();
};

void TestScenario::extended_data() {
    QTest::addColumn<double>("waarde");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("201000") << 201000.0 << QByteArray::fromHex("000000000000 4AC4 1040");
    QTest::newRow("50") << 50.0 << QByteArray::fromHex("00000000000000C8 0440");
    QTest::newRow("zero") << 0.0 << QByteArray::fromHex("0000000000000000 0000");
    QTest::newRow("minus one") << -1.0 << QByteArray::fromHex("0000000000000080 FFBF");
    QTest::newRow("one half") << 0.5 << QByteArray::fromHex("0000000000000080 FE3F");
}

void TestScenario::extended() {
    QFETCH(double, waarde);
    QFETCH(QByteArray, bytes);
    const auto e = NaarExtended(waarde);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(e.data()), 10), bytes);
    QCOMPARE(static_cast<double>(UitExtended(e.data())), waarde);
    // Every extended value survives the trip, including the nearest one to a decimal.
    for (long double w : {2.3L, 0.68L, -1e-4000L, 1e4000L, 3.0e-4940L}) {
        const auto b = NaarExtended(w);
        QCOMPARE(UitExtended(b.data()), w);
    }
}

void TestScenario::standaardBestandBegin() {
    ScenarioTestInvoer invoer;
    const auto bestand = SchrijfScenario(invoer);
    const auto begin =
        Bytes({0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x4A, 0xC4, 0x10, 0x40, 0x05, 0x00, 0x00,
               0x00, 0x00, 0x00, 0x00, 0x00, 0xC8, 0x04, 0x40, 0x03, 0x40, 0x1F, 0x02, 0x19, 0x02,
               0x14, 0x02, 0x37, 0x02, 0x1A, 0x02, 0x4A, 0x03, 0x6D, 0x01, 0x03, 0x8A, 0x02});
    QVERIFY(bestand.size() > begin.size() + GridBlokGrootte);
    QCOMPARE(std::vector<std::uint8_t>(bestand.begin(), bestand.begin() + static_cast<long>(begin.size())),
             begin);
    // The field after the production block is the grazing hours, after two blocks and the date.
    const std::size_t naBlokken = begin.size() + 3 * GridBlokGrootte;
    QCOMPARE(bestand[naBlokken], std::uint8_t(6));
    QCOMPARE(bestand[naBlokken + 1], std::uint8_t(4));
    QCOMPARE(std::string(bestand.begin() + static_cast<long>(naBlokken) + 2,
                         bestand.begin() + static_cast<long>(naBlokken) + 6),
             std::string("1509"));
    // The paddock area is the extended number nearest to 2.3, as typed.
    ScenarioTestInvoer terug;
    QCOMPARE(LeesFout(bestand, terug), QString());
    QCOMPARE(terug.getallen["SpePerceelOpp"], 2.3L);
    QCOMPARE(terug.getallen["SpeOppUrplek"], 0.68L);
}

void TestScenario::heenEnTerug() {
    ScenarioTestInvoer invoer;
    invoer.getallen["SpenKoe"] = 137;
    invoer.getallen["SpeMelknivo"] = 12000; // the file carries it; the input clamps on reading
    invoer.getallen["SpeVorigRest"] = 300;
    invoer.indexen["CbxSysteem"] = 1;
    invoer.indexen["CbxZode"] = -1;
    invoer.teksten["Cbxdatum"] = std::string(300, '7'); // a text of 256 bytes or more takes tag 12
    invoer.cellen[{"GrdVoeders", 1, 2}] = "4.20";
    invoer.cellen[{"GrdVoeders", 7, 8}] = "0.55";
    invoer.cellen[{"GrdProductie", 4, 5}] = "3.66";
    invoer.cellen[{"GrdGras", 7, 1}] = "(/kg ds)";
    invoer.altIndex[0] = 2;
    invoer.altIndex[1] = -1;
    invoer.altWaarde[0] = 400;
    invoer.altWaarde[1] = 2.25L;
    const auto bestand = SchrijfScenario(invoer);

    ScenarioTestInvoer terug;
    terug.getallen["SpenKoe"] = 1;
    QCOMPARE(LeesFout(bestand, terug), QString());
    QCOMPARE(terug.getallen, invoer.getallen);
    QCOMPARE(terug.indexen, invoer.indexen);
    QCOMPARE(terug.teksten, invoer.teksten);
    QCOMPARE(terug.cellen.at({"GrdVoeders", 1, 2}), std::string("4.20"));
    QCOMPARE(terug.cellen.at({"GrdGras", 7, 1}), std::string("(/kg ds)"));
    QCOMPARE(terug.cellen.at({"GrdProductie", 4, 5}), std::string("3.66"));
    QCOMPARE(terug.altIndex[0], 2);
    QCOMPARE(terug.altIndex[1], -1);
    QCOMPARE(terug.altWaarde[0], 400.0L);
    QCOMPARE(terug.altWaarde[1], static_cast<long double>(2.25f));
    // The file puts the values in field order, the alternatives' choices before their values.
    QCOMPARE(QString::fromStdString(terug.gezet.front()), QStringLiteral("SpenKoe"));
    const std::vector<std::string> staart(terug.gezet.end() - 4, terug.gezet.end());
    QCOMPARE(staart, (std::vector<std::string>{"CbxAlt1", "CbxAlt2", "SpeAlt1", "SpeAlt2"}));
    // Stored cells only: the unit header of the supplements and every data cell; nothing else.
    int gelezen = 0;
    for (const auto& [sleutel, tekst] : terug.cellen) gelezen += std::get<0>(sleutel) == "GrdVoeders";
    QCOMPARE(gelezen, 7 * 8);
}

void TestScenario::celVanVijfentwintigTekens() {
    ScenarioTestInvoer invoer;
    invoer.cellen[{"GrdKrachtvoer", 1, 3}] = "1234567890123456789012345";
    invoer.cellen[{"GrdKrachtvoer", 1, 4}] = "";
    const auto bestand = SchrijfScenario(invoer);
    ScenarioTestInvoer terug;
    QCOMPARE(LeesFout(bestand, terug), QString());
    QCOMPARE(terug.cellen.at({"GrdKrachtvoer", 1, 3}), std::string("12345678901234567890"));
    QCOMPARE(terug.cellen.at({"GrdKrachtvoer", 1, 4}), std::string());
}

void TestScenario::kleinsteTagVoorGeheel_data() {
    QTest::addColumn<int>("waarde");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("127") << 127 << QByteArray::fromHex("027F");
    QTest::newRow("-128") << -128 << QByteArray::fromHex("0280");
    QTest::newRow("128") << 128 << QByteArray::fromHex("038000");
    QTest::newRow("-32768") << -32768 << QByteArray::fromHex("030080");
    QTest::newRow("32768") << 32768 << QByteArray::fromHex("0400800000");
    QTest::newRow("half to even") << 2 << QByteArray::fromHex("0202");
}

void TestScenario::kleinsteTagVoorGeheel() {
    QFETCH(int, waarde);
    QFETCH(QByteArray, bytes);
    ScenarioTestInvoer invoer;
    invoer.getallen["SpeMelknivo"] = QByteArray(QTest::currentDataTag()) == "half to even" ? 2.5L : waarde;
    const auto bestand = SchrijfScenario(invoer);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(bestand.data()) + 22, bytes.size()), bytes);
    ScenarioTestInvoer terug;
    QCOMPARE(LeesFout(bestand, terug), QString());
    QCOMPARE(terug.getallen["SpeMelknivo"], static_cast<long double>(waarde));
}

void TestScenario::oudeVersie() {
    ScenarioTestInvoer invoer;
    invoer.altIndex[0] = 1;
    invoer.altIndex[1] = 3;
    auto bestand = SchrijfScenario(invoer);
    // Version 200800 with two extra whole numbers after the grass table.
    auto oud = bestand;
    const auto versie = NaarExtended(200800);
    std::copy(versie.begin(), versie.end(), oud.begin() + 1);
    const auto extra = Bytes({0x02, 0x07, 0x03, 0x10, 0x27});
    oud.insert(oud.begin() + static_cast<long>(NaGrasBlok(bestand)), extra.begin(), extra.end());
    ScenarioTestInvoer terug;
    QCOMPARE(LeesFout(oud, terug), QString());
    QCOMPARE(terug.altIndex[0], 1);
    QCOMPARE(terug.altIndex[1], 3);
    // In a current file the same numbers are taken as the alternatives' choices.
    auto nieuw = bestand;
    nieuw.insert(nieuw.begin() + static_cast<long>(NaGrasBlok(bestand)), extra.begin(), extra.end());
    ScenarioTestInvoer anders;
    QCOMPARE(LeesFout(nieuw, anders), QString());
    QCOMPARE(anders.altIndex[0], 7);
    QCOMPARE(anders.altIndex[1], 10000);
    // A current file whose version is written as a whole number is read too.
    auto geheel = Bytes({0x04, 0x28, 0x11, 0x03, 0x00});
    geheel.insert(geheel.end(), bestand.begin() + 11, bestand.end());
    ScenarioTestInvoer terug2;
    QCOMPARE(LeesFout(geheel, terug2), QString());
}

void TestScenario::afgekapt() {
    // Every shorter file ends in "Stream read error", with the values before the cut already set.
    const auto bestand = SchrijfScenario(ScenarioTestInvoer());
    for (std::size_t lengte = 0; lengte < bestand.size(); ++lengte) {
        const std::vector<std::uint8_t> kort(bestand.begin(), bestand.begin() + static_cast<long>(lengte));
        ScenarioTestInvoer terug;
        terug.getallen["SpenKoe"] = 1;
        QCOMPARE(LeesFout(kort, terug), QString::fromLatin1(MeldingLeesFout));
        if (lengte >= 22)
            QCOMPARE(terug.getallen["SpenKoe"], 50.0L);
        else
            QCOMPARE(terug.getallen["SpenKoe"], 1.0L);
    }
}

void TestScenario::ongeldigeTags_data() {
    QTest::addColumn<int>("positie");
    QTest::addColumn<int>("tag");
    // Position 22 is the milk level (I), 11 the number of cows (F).
    QTest::newRow("decimal where whole") << 22 << 5;
    QTest::newRow("text where whole") << 22 << 6;
    QTest::newRow("text where decimal") << 11 << 6;
    QTest::newRow("unknown tag") << 11 << 9;
    QTest::newRow("tag zero") << 0 << 0;
}

void TestScenario::ongeldigeTags() {
    QFETCH(int, positie);
    QFETCH(int, tag);
    auto bestand = SchrijfScenario(ScenarioTestInvoer());
    bestand[static_cast<std::size_t>(positie)] = static_cast<std::uint8_t>(tag);
    ScenarioTestInvoer terug;
    QCOMPARE(LeesFout(bestand, terug), QString::fromLatin1(MeldingOngeldig));
}

void TestScenario::lengteVoorbijEinde() {
    // A text length beyond the end of the file, also a huge 4-byte length, is a read error; nothing
    // of that size is allocated.
    auto bestand = SchrijfScenario(ScenarioTestInvoer());
    const std::size_t datum = 41 + 3 * GridBlokGrootte;
    QCOMPARE(bestand[datum], std::uint8_t(6));
    auto lang = bestand;
    lang[datum + 1] = 0xFF;
    std::vector<std::uint8_t> kort(lang.begin(), lang.begin() + static_cast<long>(datum) + 10);
    ScenarioTestInvoer terug;
    QCOMPARE(LeesFout(kort, terug), QString::fromLatin1(MeldingLeesFout));
    auto enorm = std::vector<std::uint8_t>(bestand.begin(), bestand.begin() + static_cast<long>(datum));
    for (int b : {12, 0xFF, 0xFF, 0xFF, 0xFF}) enorm.push_back(static_cast<std::uint8_t>(b));
    QCOMPARE(LeesFout(enorm, terug), QString::fromLatin1(MeldingLeesFout));
}

void TestScenario::teGroteVersie() {
    auto bestand = SchrijfScenario(ScenarioTestInvoer());
    const auto groot = NaarExtended(3.0e9L);
    std::copy(groot.begin(), groot.end(), bestand.begin() + 1);
    ScenarioTestInvoer terug;
    QCOMPARE(LeesFout(bestand, terug), QString::fromLatin1(MeldingBereik));
    const auto nan = NaarExtended(std::nanl(""));
    std::copy(nan.begin(), nan.end(), bestand.begin() + 1);
    QCOMPARE(LeesFout(bestand, terug), QString::fromLatin1(MeldingOngeldig));
}

void TestScenario::grensVanDeOudeVersie_data() {
    QTest::addColumn<double>("versie");
    QTest::addColumn<bool>("extra"); // two whole numbers after the grass table
    QTest::newRow("200800 carries the two numbers") << 200800.0 << true;
    QTest::newRow("200801 carries none") << 200801.0 << false;
    QTest::newRow("200800.5 rounds to even 200800") << 200800.5 << true;
    QTest::newRow("200800.6 rounds to 200801") << 200800.6 << false;
    QTest::newRow("200802 carries none") << 200802.0 << false;
}

void TestScenario::grensVanDeOudeVersie() {
    QFETCH(double, versie);
    QFETCH(bool, extra);
    ScenarioTestInvoer invoer;
    invoer.altIndex[0] = 1;
    invoer.altIndex[1] = 3;
    const auto bestand = SchrijfScenario(invoer);
    auto oud = bestand;
    const auto v = NaarExtended(versie);
    std::copy(v.begin(), v.end(), oud.begin() + 1);
    if (extra) {
        const auto getallen = Bytes({0x02, 0x07, 0x03, 0x10, 0x27});
        oud.insert(oud.begin() + static_cast<long>(NaGrasBlok(bestand)), getallen.begin(), getallen.end());
    }
    ScenarioTestInvoer terug;
    QCOMPARE(LeesFout(oud, terug), QString());
    QCOMPARE(terug.altIndex[0], 1);
    QCOMPARE(terug.altIndex[1], 3);
}

void TestScenario::tekstTagBijLengte_data() {
    QTest::addColumn<int>("lengte");
    QTest::addColumn<QByteArray>("kop"); // tag and length before the text
    QTest::newRow("empty: tag 6") << 0 << QByteArray::fromHex("0600");
    QTest::newRow("255 bytes: tag 6, one length byte") << 255 << QByteArray::fromHex("06FF");
    QTest::newRow("256 bytes: tag 12, four length bytes") << 256 << QByteArray::fromHex("0C00010000");
}

void TestScenario::tekstTagBijLengte() {
    QFETCH(int, lengte);
    QFETCH(QByteArray, kop);
    ScenarioTestInvoer invoer;
    const std::string tekst(static_cast<std::size_t>(lengte), '7');
    invoer.teksten["Cbxdatum"] = tekst;
    const auto bestand = SchrijfScenario(invoer);
    // The turn-in date is the text after the number of cows, the milk level, the five shares, the
    // calving interval, the weight and the three table blocks.
    const std::size_t datum = 41 + 3 * GridBlokGrootte;
    const QByteArray geschreven(reinterpret_cast<const char*>(bestand.data()) + datum,
                                static_cast<qsizetype>(kop.size()) + lengte);
    QCOMPARE(geschreven, kop + QByteArray::fromStdString(tekst));
    // Nothing else changes: the default text "1509" took six bytes.
    QCOMPARE(bestand.size(), SchrijfScenario(ScenarioTestInvoer()).size() - 6 +
                                 static_cast<std::size_t>(kop.size()) + tekst.size());
    ScenarioTestInvoer terug;
    QCOMPARE(LeesFout(bestand, terug), QString());
    QCOMPARE(terug.teksten["Cbxdatum"], tekst);
}

QTEST_APPLESS_MAIN(TestScenario)
#include "test_scenario.moc"
