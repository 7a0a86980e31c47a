// The input set without a window: defaults, number and choice inputs, the code vocabulary, the
// share rules, the previous-cut details, the sward-density list, the grass row, the feed table
// rules and the cell check; also under a comma locale.
#include "core/Invoerset.h"

#include "domain/Algemeen.h"
#include "domain/Formaat.h"
#include "domain/Grastabel.h"
#include "domain/Koecurven.h"

#include <QSignalSpy>
#include <QtTest>

#include <clocale>

using namespace korvalinde;

namespace {

QString Fmt(const char* patroon, long double waarde) {
    return QString::fromStdString(FormatFloat(patroon, waarde));
}

QStringList Aandelen(const TInvoerset& s) {
    QStringList uit;
    for (int r = 1; r <= 5; ++r) uit << s.GrdProductie->Cel(1, r);
    return uit;
}

} // namespace

class TestInvoer : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void standaardwaarden_data();
    void standaardwaarden();
    void standaardGrasrij();
    void standaardBlokkenLeverenHetzelfde();
    void getalInvoer_data();
    void getalInvoer();
    void wijzigingEenmaal();
    void tekstToegestaan_data();
    void tekstToegestaan();
    void getypt_data();
    void getypt();
    void lengteVolgtBereik_data();
    void lengteVolgtBereik();
    void tooltips_data();
    void tooltips();
    void keuzeInvoer();
    void stringNaarCode_data();
    void stringNaarCode();
    void pariteit_data();
    void pariteit();
    void rasUitMelknivo_data();
    void rasUitMelknivo();
    void rasNaar100();
    void vorigeSnede();
    void zodeLijst();
    void onbekendeZode();
    void presentatieNaLezen();
    void grasaanbodPerMaand_data();
    void grasaanbodPerMaand();
    void ongeldigeDatumUitBestand();
    void graswaardenMinder_data();
    void graswaardenMinder();
    void urenWeidegang_data();
    void urenWeidegang();
    void krachtvoergift();
    void verdeelAandelen_data();
    void verdeelAandelen();
    void celControle_data();
    void celControle();
    void celUitBestandGeenGetal();
    void celSelectie_data();
    void celSelectie();
    void dagControle_data();
    void dagControle();
    void kommaLocale();

  private:
    TOpnameMelder melder;
};

void TestInvoer::init() {
    melder = TOpnameMelder();
}

void TestInvoer::standaardwaarden_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<QString>("tekst");
    const char* rijen[][2] = {
        {"SpenKoe", "50"},
        {"SpeMelknivo", "8000"},
        {"SpePercPar1", "25"},
        {"SpePercPar2", "20"},
        {"SpePercPar3", "55"},
        {"SpePercRas1", "26"},
        {"SpePercRas2", "74"},
        {"SpeTkt", "365"},
        {"SpeGewicht", "650"},
        {"SpePerceelOpp", "2.3"},
        {"SpeHergroei", "28"},
        {"SpeGrasaanbod", "1300"},
        {"SpeUrenWeidegang", "20"},
        {"SpeBiomassa05", "1000"},
        {"SpeVorigDagen", "0"},
        {"SpeVorigRest", "0"},
        {"SpenMestflat", "13"},
        {"SpenUrlozing", "13"},
        {"SpeOppMestflat", "1.00"},
        {"SpeOppUrplek", "0.68"},
        {"SpeAlt1", "1.0"},
        {"SpeAlt2", "1.0"},
        {"CbxSysteem", "Omweiden"},
        {"CbxZode", "Normaal"},
        {"CbxJaargift", "400"},
        {"CbxGrondsoort", "Zand"},
        {"CbxOntwatering", "Ja"},
        {"CbxEngelsraai", "> 50"},
        {"CbxVorigGebruik", "Maaien"},
        {"CbxBloten", "Ja"},
        {"CbxAlt1", ""},
        {"CbxAlt2", ""},
        {"Cbxdatum", "1509"},
        {"GrdProductie 1 1", "21"},
        {"GrdProductie 2 3", "27.2"},
        {"GrdProductie 4 5", "3.66"},
        {"GrdKrachtvoer 1 2", "6.0"},
        {"GrdKrachtvoer 1 6", "1.1"},
        {"GrdKrachtvoer 1 1", "(kg)"},
        {"GrdVoeders 1 2", "4.20"},
        {"GrdVoeders 6 2", ""},
        {"GrdVoeders 7 2", "0.32"},
        {"GrdVoeders 7 3", "0.80"},
        {"GrdVoeders 7 4", "0.99"},
        {"GrdVoeders 7 5", "0.70"},
        {"GrdVoeders 1 3", "0.0"},
        {"GrdVoeders 2 8", ""},
        {"GrdVoeders 0 7", "Aardappelpersvezel"},
        {"GrdGras 0 2", "Gras"},
        {"GrdGras 7 1", "(/kg ds)"},
    };
    for (const auto& rij : rijen)
        QTest::newRow(rij[0]) << QString::fromLatin1(rij[0]) << QString::fromLatin1(rij[1]);
}

void TestInvoer::standaardwaarden() {
    QFETCH(QString, naam);
    QFETCH(QString, tekst);
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    QVERIFY2(melder.meldingen.isEmpty(), qPrintable(melder.Teksten().join('|')));
    const QStringList delen = naam.split(' ');
    if (delen.size() == 3) {
        QCOMPARE(s.Tabel(delen[0])->Cel(delen[1].toInt(), delen[2].toInt()), tekst);
    } else if (auto* g = s.Getal(naam)) {
        QCOMPARE(g->Tekst(), tekst);
    } else if (auto* k = s.Keuze(naam)) {
        QCOMPARE(k->Tekst(), tekst);
        QCOMPARE(k->ItemIndex(), k->Items().indexOf(tekst));
    } else {
        QCOMPARE(s.Cbxdatum->Tekst(), tekst);
    }
}

void TestInvoer::standaardGrasrij() {
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    QCOMPARE(s.Cbxdatum->DagVanHetJaar(), 258);
    const char* soorten[] = {"DS", "VEM", "RE", "RC", "FOS", "VOS"};
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(s.GrdGras->Cel(k, 2), Fmt("0", GehalteGras(soorten[k - 1], 258, false, 1300)));
    const float rc = s.GrdGras->Cel(4, 2).toFloat();
    const float vos = s.GrdGras->Cel(6, 2).toFloat();
    QCOMPARE(s.GrdGras->Cel(7, 2), Fmt("0.00", VwGras(rc, vos, 1)));
    // The previous-cut details are hidden after "Maaien"; the table accepts edits.
    QVERIFY(!s.CbxBloten->Zichtbaar());
    QVERIFY(!s.SpeVorigDagen->Zichtbaar());
    QVERIFY(!s.SpeVorigRest->Zichtbaar());
    QCOMPARE(s.CbxZode->Items(), QStringList({"Open", "Normaal", "Dicht", "Zeer dicht"}));
}

void TestInvoer::standaardBlokkenLeverenHetzelfde() {
    // The page buttons after the user changed things give the same values as a new scenario.
    TInvoerset nieuw(&melder);
    nieuw.ZetStandaardwaarden();
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.SpePercPar1->SetValue(90);
    s.SpeMelknivo->SetValue(9500);
    s.CbxSysteem->KiesDoorGebruiker(1);
    s.CbxVorigGebruik->KiesDoorGebruiker(1);
    s.CbxBloten->KiesDoorGebruiker(1);
    s.Cbxdatum->ZetTekst("0106");
    s.Cbxdatum->Verlaat();
    s.GrdVoeders->BewerkDoorGebruiker(1, 3, "3");
    s.GrdProductie->BewerkDoorGebruiker(1, 2, "40");
    s.SpeOppUrplek->SetValue(1.5);
    s.StandaardVeestapel();
    s.StandaardGrasland();
    s.StandaardVoeding();
    s.StandaardOverig();
    for (TGetalInvoer* g : nieuw.Getallen()) QCOMPARE(s.Getal(g->Naam())->Tekst(), g->Tekst());
    for (TKeuzeInvoer* k : nieuw.Keuzes()) QCOMPARE(s.Keuze(k->Naam())->Tekst(), k->Tekst());
    for (TTabel* t : nieuw.Tabellen())
        for (int r = 0; r < t->RowCount(); ++r)
            for (int k = 0; k < t->ColCount(); ++k) QCOMPARE(s.Tabel(t->Naam())->Cel(k, r), t->Cel(k, r));
    QVERIFY(!s.SpeVorigRest->Zichtbaar());
}

void TestInvoer::getalInvoer_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<double>("waarde");
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<double>("gelezen");
    QTest::newRow("106 in a share caps at 100") << "SpePercRas1" << 106.0 << "100" << 100.0;
    QTest::newRow("2.5 to even") << "SpeHergroei" << 12.5 << "12" << 12.0;
    QTest::newRow("3.5 to even") << "SpeHergroei" << 13.5 << "14" << 14.0;
    QTest::newRow("below minimum") << "SpenKoe" << -4.0 << "1" << 1.0;
    QTest::newRow("decimal half away") << "SpePerceelOpp" << 2.25 << "2.3" << 2.3;
    QTest::newRow("decimal clamped") << "SpePerceelOpp" << 0.0 << "0.1" << 0.1;
    QTest::newRow("two decimals") << "SpeOppMestflat" << 0.675 << "0.68" << 0.68;
    QTest::newRow("whole step 100") << "SpeMelknivo" << 8049.0 << "8049" << 8049.0;
}

void TestInvoer::getalInvoer() {
    QFETCH(QString, naam);
    QFETCH(double, waarde);
    QFETCH(QString, tekst);
    QFETCH(double, gelezen);
    TInvoerset s(&melder);
    TGetalInvoer* g = s.Getal(naam);
    g->SetValue(waarde);
    QCOMPARE(g->Tekst(), tekst);
    QCOMPARE(g->Value(), gelezen);
}

void TestInvoer::wijzigingEenmaal() {
    TInvoerset s(&melder);
    TGetalInvoer* g = s.SpeTkt;
    QSignalSpy spy(g, &TGetalInvoer::Wijziging);
    g->SetValue(400);
    g->SetValue(400);
    g->SetValue(400.2); // rounds to the text it already shows
    QCOMPARE(spy.count(), 1);
    // Typed text: unreadable text reads as the minimum, out-of-range text as the bound; leaving
    // the control rewrites only a number outside the range.
    g->SetText("abc");
    QCOMPARE(g->Value(), 300.0);
    g->Herformatteer();
    QCOMPARE(g->Tekst(), QString("abc"));
    g->SetText("");
    QCOMPARE(g->Value(), 300.0);
    g->SetText("900");
    QCOMPARE(g->Value(), 500.0);
    g->Herformatteer();
    QCOMPARE(g->Tekst(), QString("500"));
    QCOMPARE(spy.count(), 5);
    g->Stap(-3);
    QCOMPARE(g->Tekst(), QString("497"));
    s.SpePerceelOpp->SetValue(49.95);
    s.SpePerceelOpp->Stap(1);
    QCOMPARE(s.SpePerceelOpp->Tekst(), QString("50.0"));
    // Choices chosen by a rule fire nothing; by the user they do, once.
    QSignalSpy keuze(s.CbxGrondsoort, &TKeuzeInvoer::Wijziging);
    s.CbxGrondsoort->KiesItem(1);
    s.CbxGrondsoort->KiesDoorGebruiker(1);
    s.CbxGrondsoort->KiesDoorGebruiker(2);
    s.CbxGrondsoort->KiesDoorGebruiker(2);
    QCOMPARE(keuze.count(), 1);
    // Writing a cell from a rule fires no cell rule.
    QSignalSpy cel(s.GrdVoeders, &TTabel::SetEditText);
    s.GrdVoeders->ZetCel(1, 3, "2");
    QCOMPARE(cel.count(), 0);
}

void TestInvoer::tekstToegestaan_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<bool>("mag");
    QTest::newRow("whole digits") << "SpeMelknivo"
                                  << "10000" << true;
    QTest::newRow("whole too long") << "SpeMelknivo"
                                    << "100000" << false;
    QTest::newRow("whole point") << "SpenKoe"
                                 << "5.5" << false;
    QTest::newRow("whole comma") << "SpenKoe"
                                 << "5,5" << false;
    QTest::newRow("decimal point") << "SpeOppMestflat"
                                   << "0.68" << true;
    QTest::newRow("decimal two points") << "SpeOppMestflat"
                                        << "0.6." << false;
    QTest::newRow("decimal comma") << "SpeOppMestflat"
                                   << "0,68" << false;
    QTest::newRow("area three characters") << "SpePerceelOpp"
                                           << "2.3" << true;
    QTest::newRow("area four characters") << "SpePerceelOpp"
                                          << "12.5" << true;
    QTest::newRow("area five characters") << "SpePerceelOpp"
                                          << "12.55" << false;
    QTest::newRow("blanks around the number do not count") << "SpeAlt1"
                                                           << "   100.0 " << true;
    QTest::newRow("letters") << "SpeTkt"
                             << "3a5" << false;
    QTest::newRow("empty") << "SpeTkt"
                           << "" << true;
}

void TestInvoer::tekstToegestaan() {
    QFETCH(QString, naam);
    QFETCH(QString, tekst);
    QFETCH(bool, mag);
    TInvoerset s(&melder);
    QCOMPARE(s.Getal(naam)->TekstToegestaan(tekst), mag);
}

void TestInvoer::getypt_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<QString>("getypt");
    QTest::addColumn<bool>("mag");
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<double>("waarde");
    QTest::newRow("comma is the point") << "SpePerceelOpp"
                                        << "4,5" << true << "4.5" << 4.5;
    QTest::newRow("two digits and a comma") << "SpePerceelOpp"
                                            << "12,5" << true << "12.5" << 12.5;
    QTest::newRow("comma, two decimals") << "SpeOppMestflat"
                                         << "0,68" << true << "0.68" << 0.68;
    QTest::newRow("comma after blanks") << "SpeAlt1"
                                        << "   2,3" << true << "   2.3" << 2.3;
    QTest::newRow("second comma") << "SpePerceelOpp"
                                  << "4,5," << false << "" << 0.0;
    QTest::newRow("comma after a point") << "SpeOppUrplek"
                                         << "0.6,8" << false << "" << 0.0;
    QTest::newRow("whole refuses a comma") << "SpenKoe"
                                           << "4,5" << false << "" << 0.0;
    QTest::newRow("whole refuses a point") << "SpenKoe"
                                           << "4.5" << false << "" << 0.0;
}

void TestInvoer::getypt() {
    QFETCH(QString, naam);
    QFETCH(QString, getypt);
    QFETCH(bool, mag);
    QFETCH(QString, tekst);
    QFETCH(double, waarde);
    TInvoerset s(&melder);
    TGetalInvoer* g = s.Getal(naam);
    QCOMPARE(g->GetyptToegestaan(getypt), mag);
    if (!mag) return;
    QCOMPARE(getypt, tekst);
    g->SetText(getypt);
    QCOMPARE(g->Value(), waarde);
}

void TestInvoer::lengteVolgtBereik_data() {
    // Every number input takes both bounds of its range as it writes them; set up anew (as the
    // alternatives' kinds do) the typed length follows the range, the decimals and the kind.
    QTest::addColumn<QString>("naam");
    QTest::addColumn<bool>("geheel");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<int>("decimalen");
    QTest::addColumn<QString>("teLang");
    TInvoerset probe;
    for (TGetalInvoer* g : probe.Getallen())
        QTest::newRow(qPrintable(g->Naam()))
            << g->Naam() << g->Geheel() << g->MinValue() << g->MaxValue() << g->Decimal() << QString();
    QTest::newRow("alternative, any value") << "SpeAlt1" << false << 0.0 << 100000.0 << 2 << "100000.000";
    QTest::newRow("negative minimum") << "SpeAlt2" << false << -100.0 << 10.0 << 2 << "-100.000";
    QTest::newRow("alternative, whole") << "SpeAlt1" << true << 0.0 << 300000.0 << 2 << "3000000";
    QTest::newRow("never below the length set") << "SpenKoe" << true << 0.0 << 9.0 << 0 << "123456";
    QTest::newRow("area, the set 3 gives way") << "SpePerceelOpp" << false << 0.1 << 50.0 << 1 << "50.00";
}

void TestInvoer::lengteVolgtBereik() {
    QFETCH(QString, naam);
    QFETCH(bool, geheel);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(int, decimalen);
    QFETCH(QString, teLang);
    TInvoerset s(&melder);
    TGetalInvoer* g = s.Getal(naam);
    g->ZetGeheel(geheel);
    g->ZetBereik(minimum, maximum);
    g->ZetDecimal(decimalen);
    for (const double grens : {minimum, maximum}) {
        QString tekst = g->TekstVoor(grens);
        QVERIFY2(g->GetyptToegestaan(tekst), qPrintable(tekst));
    }
    if (!teLang.isEmpty()) QVERIFY(!g->TekstToegestaan(teLang));
}

void TestInvoer::tooltips_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<QString>("hint");
    QTest::newRow("cows") << "SpenKoe"
                          << "Minimum: 1.0  -  Maximum: 300.0";
    QTest::newRow("milk level") << "SpeMelknivo"
                                << "Minimum: 7000.0  -  Maximum: 10000.0";
    QTest::newRow("area") << "SpePerceelOpp"
                          << "Minimum: 0.1  -  Maximum: 50.0";
    QTest::newRow("supply, no decimals") << "SpeGrasaanbod"
                                         << "Minimum: 100  -  Maximum: 4000";
    QTest::newRow("dung pats") << "SpenMestflat"
                               << "Minimum: 0  -  Maximum: 30";
    QTest::newRow("two decimals") << "SpeOppMestflat"
                                  << "Minimum: 0.0  -  Maximum: 2.0";
    QTest::newRow("alternative") << "SpeAlt1"
                                 << "Minimum: 1.0  -  Maximum: 100.0";
    QTest::newRow("soil") << "CbxGrondsoort"
                          << "Zand - Klei - Veen";
    QTest::newRow("sward") << "CbxZode"
                           << "Open - Normaal - Dicht - Zeer dicht";
    QTest::newRow("ryegrass") << "CbxEngelsraai"
                              << "< 50 - > 50";
}

void TestInvoer::tooltips() {
    QFETCH(QString, naam);
    QFETCH(QString, hint);
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.CbxSysteem->KiesDoorGebruiker(1); // the list changes, the hint made at start stays
    QCOMPARE(s.Invoer(naam)->Hint(), hint);
}

void TestInvoer::keuzeInvoer() {
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    QSignalSpy spy(s.CbxGrondsoort, &TKeuzeInvoer::Wijziging);
    s.CbxGrondsoort->TypDoorGebruiker("Zandig");
    QCOMPARE(s.CbxGrondsoort->ItemIndex(), -1);
    QCOMPARE(s.CbxGrondsoort->Tekst(), QString("Zandig"));
    s.CbxGrondsoort->TypDoorGebruiker("Klei");
    QCOMPARE(s.CbxGrondsoort->ItemIndex(), 1);
    QCOMPARE(spy.count(), 2);
    s.CbxGrondsoort->KiesItem(7);
    QCOMPARE(s.CbxGrondsoort->ItemIndex(), -1);
    QCOMPARE(s.CbxGrondsoort->Tekst(), QString());
    QCOMPARE(s.CbxAlt1->Items().first(), QString("Aantal weidedagen "));
    QCOMPARE(s.CbxAlt2->Items().first(), QString("Aantal weidedagen"));
    QCOMPARE(s.CbxAlt2->Items().size(), 7);
    QCOMPARE(s.CbxAlt1->Tag(), 1);
    QCOMPARE(s.CbxAlt2->Tag(), 2);
}

void TestInvoer::stringNaarCode_data() {
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("melding");
    QTest::newRow("Zeer dicht") << "Zeer dicht"
                                << "ZDICHT"
                                << "";
    QTest::newRow("ZEER DICHT") << "ZEER DICHT"
                                << "ZDICHT"
                                << "";
    QTest::newRow("zeerdicht") << "zeerdicht"
                               << "ZDICHT"
                               << "";
    QTest::newRow("> 50") << "> 50"
                          << ">50"
                          << "";
    QTest::newRow("< 50") << "< 50"
                          << "<50"
                          << "";
    QTest::newRow("Omweiden") << "Omweiden"
                              << "OMWEID"
                              << "";
    QTest::newRow("Normaal") << "Normaal"
                             << "NORM"
                             << "";
    QTest::newRow("Snede1") << "Snede1"
                            << "SNEDE1"
                            << "";
    QTest::newRow("Nee") << "Nee"
                         << "NEE"
                         << "";
    QTest::newRow("Zandig") << "Zandig"
                            << "Zandig"
                            << "Onbekende string :zandig";
    QTest::newRow("empty") << ""
                           << ""
                           << "Onbekende string :";
    QTest::newRow("Zeer  Dicht x") << "Zeer  Dicht x"
                                   << "Zeer  Dicht x"
                                   << "Onbekende string :zeerdichtx";
}

void TestInvoer::stringNaarCode() {
    QFETCH(QString, tekst);
    QFETCH(QString, code);
    QFETCH(QString, melding);
    QCOMPARE(korvalinde::StringNaarCode(tekst, melder), code);
    if (melding.isEmpty()) {
        QVERIFY(melder.meldingen.isEmpty());
    } else {
        QCOMPARE(melder.meldingen.size(), 1);
        QCOMPARE(melder.meldingen[0].tekst, melding);
        QCOMPARE(melder.meldingen[0].titel, QString("Fout"));
        QCOMPARE(melder.meldingen[0].knoppen, MeldKnoppen{MeldKnop::OK});
    }
}

void TestInvoer::pariteit_data() {
    QTest::addColumn<int>("welke");
    QTest::addColumn<double>("waarde");
    QTest::addColumn<QString>("uitkomst");
    QTest::newRow("heifers 90") << 1 << 90.0 << "90 0 10";
    QTest::newRow("heifers 100") << 1 << 100.0 << "100 0 0";
    QTest::newRow("heifers 10") << 1 << 10.0 << "10 35 55";
    QTest::newRow("second calvers 50") << 2 << 50.0 << "25 50 25";
    QTest::newRow("second calvers 90") << 2 << 90.0 << "10 90 0";
    QTest::newRow("older 0") << 3 << 0.0 << "80 20 0";
    QTest::newRow("older 100") << 3 << 100.0 << "0 0 100";
}

void TestInvoer::pariteit() {
    QFETCH(int, welke);
    QFETCH(double, waarde);
    QFETCH(QString, uitkomst);
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    TGetalInvoer* par[] = {s.SpePercPar1, s.SpePercPar2, s.SpePercPar3};
    par[welke - 1]->SetValue(waarde);
    QCOMPARE(QStringList({s.SpePercPar1->Tekst(), s.SpePercPar2->Tekst(), s.SpePercPar3->Tekst()}).join(' '),
             uitkomst);
}

void TestInvoer::rasUitMelknivo_data() {
    QTest::addColumn<double>("melk");
    QTest::addColumn<QString>("hf");
    QTest::addColumn<QString>("dubbeldoel");
    QTest::newRow("8000") << 8000.0 << "26"
                          << "74";
    QTest::newRow("9000") << 9000.0 << "66"
                          << "34";
    QTest::newRow("7000") << 7000.0 << "0"
                          << "100";
    QTest::newRow("10000") << 10000.0 << "100"
                           << "0";
    QTest::newRow("7400") << 7400.0 << "2"
                          << "98";
}

void TestInvoer::rasUitMelknivo() {
    QFETCH(double, melk);
    QFETCH(QString, hf);
    QFETCH(QString, dubbeldoel);
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.SpeMelknivo->SetText(QString::number(melk)); // as typed
    QCOMPARE(s.SpePercRas1->Tekst(), hf);
    QCOMPARE(s.SpePercRas2->Tekst(), dubbeldoel);
}

void TestInvoer::rasNaar100() {
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.SpePercRas1->SetValue(106);
    QCOMPARE(s.SpePercRas1->Tekst(), QString("100"));
    QCOMPARE(s.SpePercRas2->Tekst(), QString("0"));
    s.SpePercRas2->SetText("35");
    QCOMPARE(s.SpePercRas1->Tekst(), QString("65"));
}

void TestInvoer::vorigeSnede() {
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.CbxVorigGebruik->KiesDoorGebruiker(1); // "Weiden"
    QVERIFY(s.CbxBloten->Zichtbaar());
    QCOMPARE(s.CbxBloten->Tekst(), QString("Ja"));
    QVERIFY(s.SpeVorigDagen->Zichtbaar());
    QCOMPARE(s.SpeVorigDagen->Tekst(), QString("4"));
    QVERIFY(!s.SpeVorigRest->Zichtbaar());
    QCOMPARE(s.SpeVorigRest->Tekst(), QString("0"));

    s.SpeVorigDagen->SetValue(7);
    s.CbxBloten->KiesDoorGebruiker(1); // "Nee"
    QVERIFY(s.SpeVorigRest->Zichtbaar());
    QCOMPARE(s.SpeVorigRest->Tekst(), QString("300"));
    QCOMPARE(s.SpeVorigDagen->Tekst(), QString("4"));

    s.CbxVorigGebruik->KiesDoorGebruiker(2); // "Snede1"
    QVERIFY(!s.CbxBloten->Zichtbaar());
    QVERIFY(!s.SpeVorigDagen->Zichtbaar());
    QVERIFY(!s.SpeVorigRest->Zichtbaar());
    QCOMPARE(s.SpeVorigDagen->Tekst(), QString("0"));
    QCOMPARE(s.SpeVorigRest->Tekst(), QString("0"));
    QVERIFY(melder.meldingen.isEmpty());
}

void TestInvoer::zodeLijst() {
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.CbxSysteem->KiesDoorGebruiker(1);
    QCOMPARE(s.CbxZode->Items(), QStringList({"Normaal", "Dicht", "Zeer dicht"}));
    QCOMPARE(s.CbxZode->Tekst(), QString("Dicht"));
    QCOMPARE(s.SpeBiomassa05->Tekst(), QString("1500"));
    s.CbxZode->KiesDoorGebruiker(2);
    QCOMPARE(s.SpeBiomassa05->Tekst(), QString("2000"));
    s.CbxSysteem->KiesDoorGebruiker(0);
    QCOMPARE(s.CbxZode->Items(), QStringList({"Open", "Normaal", "Dicht", "Zeer dicht"}));
    QCOMPARE(s.CbxZode->Tekst(), QString("Normaal"));
    QCOMPARE(s.SpeBiomassa05->Tekst(), QString("1000"));
    s.CbxZode->KiesDoorGebruiker(0);
    QCOMPARE(s.SpeBiomassa05->Tekst(), QString("800"));
    QVERIFY(melder.meldingen.isEmpty());
}

void TestInvoer::onbekendeZode() {
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.CbxZode->TypDoorGebruiker("Matig");
    QCOMPARE(s.SpeBiomassa05->Tekst(), QString("1250"));
    QCOMPARE(melder.Teksten(), QStringList{"Onbekende string :matig"});
    // A grazing system typed by the user: the box, then the full list as for rotational grazing.
    melder.Wis();
    s.CbxSysteem->TypDoorGebruiker("Stripgrazen");
    QCOMPARE(melder.Teksten(), QStringList{"Onbekende string :stripgrazen"});
    QCOMPARE(s.CbxZode->Items().size(), 4);
}

void TestInvoer::presentatieNaLezen() {
    // Values put in as a scenario file does (items selected without rules), then the list and the
    // visibility brought in line: every value read stays.
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.CbxSysteem->KiesItem(1);
    s.CbxZode->KiesItem(1);
    s.SpeBiomassa05->SetValue(1700);
    s.CbxVorigGebruik->KiesItem(1);
    s.CbxBloten->KiesItem(1);
    s.SpeVorigDagen->SetValue(9);
    s.SpeVorigRest->SetValue(700);
    s.VulZodeLijst();
    s.ToonVorigeSnede();
    QCOMPARE(s.CbxZode->Items(), QStringList({"Normaal", "Dicht", "Zeer dicht"}));
    QCOMPARE(s.CbxZode->Tekst(), QString("Dicht"));
    QCOMPARE(s.SpeBiomassa05->Tekst(), QString("1700"));
    QVERIFY(s.CbxBloten->Zichtbaar() && s.SpeVorigDagen->Zichtbaar() && s.SpeVorigRest->Zichtbaar());
    QCOMPARE(s.SpeVorigDagen->Tekst(), QString("9"));
    QCOMPARE(s.SpeVorigRest->Tekst(), QString("700"));
}

void TestInvoer::grasaanbodPerMaand_data() {
    QTest::addColumn<QString>("datum");
    QTest::addColumn<QString>("aanbod");
    QTest::newRow("1 June") << "0106"
                            << "1700";
    QTest::newRow("1 June, no leading zero") << "106"
                                             << "1700";
    QTest::newRow("31 January") << "3101"
                                << "1400";
    QTest::newRow("30 April") << "3004"
                              << "1400";
    QTest::newRow("1 May") << "0105"
                           << "1700";
    QTest::newRow("31 July") << "3107"
                             << "1700";
    QTest::newRow("15 August") << "1508"
                               << "1500";
    QTest::newRow("30 September") << "3009"
                                  << "1300";
    QTest::newRow("1 October") << "0110"
                               << "1100";
    QTest::newRow("31 December") << "3112"
                                 << "1100";
    QTest::newRow("empty changes nothing") << ""
                                           << "2200";
}

void TestInvoer::grasaanbodPerMaand() {
    QFETCH(QString, datum);
    QFETCH(QString, aanbod);
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.SpeGrasaanbod->SetValue(2200);
    const QString grasVoor = s.GrdGras->Cel(1, 2);
    s.Cbxdatum->ZetTekst(datum);
    s.Cbxdatum->Verlaat();
    QCOMPARE(s.SpeGrasaanbod->Tekst(), aanbod);
    if (!datum.isEmpty()) {
        const int dag = s.Cbxdatum->DagVanHetJaar();
        QCOMPARE(s.GrdGras->Cel(1, 2), Fmt("0", GehalteGras("DS", dag, false, aanbod.toFloat())));
    } else {
        QCOMPARE(s.GrdGras->Cel(1, 2), grasVoor);
    }
    QVERIFY(melder.meldingen.isEmpty());
}

void TestInvoer::ongeldigeDatumUitBestand() {
    // A date that reached the input without the day edit's check (as from a scenario file): the rule
    // stops with the day edit's message instead of computing with a wrong day.
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.Cbxdatum->ZetTekst("3102");
    try {
        s.CbxdatumExit();
        QFAIL("no error");
    } catch (const EKorvalindeFout& e) {
        QCOMPARE(e.Melding(), QString("Ongeldige dag ingegeven"));
    }
    QCOMPARE(s.SpeGrasaanbod->Tekst(), QString("1300"));
}

void TestInvoer::graswaardenMinder_data() {
    QTest::addColumn<int>("ontwatering");
    QTest::addColumn<int>("engelsraai");
    QTest::addColumn<bool>("minder");
    QTest::newRow("drained, much ryegrass") << 0 << 1 << false;
    QTest::newRow("not drained") << 1 << 1 << true;
    QTest::newRow("little ryegrass") << 0 << 0 << true;
}

void TestInvoer::graswaardenMinder() {
    QFETCH(int, ontwatering);
    QFETCH(int, engelsraai);
    QFETCH(bool, minder);
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.CbxOntwatering->KiesDoorGebruiker(ontwatering);
    s.CbxEngelsraai->KiesDoorGebruiker(engelsraai);
    s.SpeGrasaanbod->SetValue(2000);
    const char* soorten[] = {"DS", "VEM", "RE", "RC", "FOS", "VOS"};
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(s.GrdGras->Cel(k, 2), Fmt("0", GehalteGras(soorten[k - 1], 258, minder, 2000)));
    QCOMPARE(s.GrdGras->Cel(7, 2),
             Fmt("0.00", VwGras(s.GrdGras->Cel(4, 2).toFloat(), s.GrdGras->Cel(6, 2).toFloat(), 1)));
}

void TestInvoer::urenWeidegang_data() {
    QTest::addColumn<int>("rij");
    QTest::addColumn<QString>("gift");
    QTest::addColumn<QString>("uren");
    QTest::newRow("16 kg maize") << 3 << "16"
                                 << "1";
    QTest::newRow("2 kg grass silage") << 4 << "2"
                                       << "17";
    QTest::newRow("emptied") << 5 << ""
                             << "20";
    QTest::newRow("7 kg other") << 8 << "7"
                                << "11";
}

void TestInvoer::urenWeidegang() {
    QFETCH(int, rij);
    QFETCH(QString, gift);
    QFETCH(QString, uren);
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.GrdVoeders->BewerkDoorGebruiker(1, rij, gift);
    QCOMPARE(s.SpeUrenWeidegang->Tekst(), uren);
    // The concentrate row does not count.
    s.GrdVoeders->ZetCel(1, 2, "9");
    s.BerekenUrenWeidegang();
    QCOMPARE(s.SpeUrenWeidegang->Tekst(), uren);
}

void TestInvoer::krachtvoergift() {
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    // A changed share alone does not recompute the gift; a changed concentrate cell does.
    s.GrdProductie->BewerkDoorGebruiker(1, 1, "50");
    QCOMPARE(s.GrdVoeders->Cel(1, 2), QString("4.20"));
    QCOMPARE(Aandelen(s).join(' '), QString("50 0 24 20 6"));
    s.GrdKrachtvoer->BewerkDoorGebruiker(1, 2, "6");
    // 0.9 x (6 x .50 + 5.8 x 0 + 4.6 x .24 + 3.0 x .20 + 1.1 x .06) = 4.293
    QCOMPARE(s.GrdVoeders->Cel(1, 2), QString("4.29"));
    // An empty concentrate cell makes its stage count 0; an empty DS leaves the gift as it was.
    s.GrdKrachtvoer->BewerkDoorGebruiker(1, 2, "");
    QCOMPARE(s.GrdVoeders->Cel(1, 2), QString("1.59"));
    s.GrdVoeders->BewerkDoorGebruiker(2, 2, "");
    s.GrdKrachtvoer->BewerkDoorGebruiker(1, 3, "0");
    QCOMPARE(s.GrdVoeders->Cel(1, 2), QString("1.59"));
    // Fill values follow their composition cells.
    s.GrdVoeders->BewerkDoorGebruiker(5, 2, "200");
    QCOMPARE(s.GrdVoeders->Cel(7, 2), Fmt("0.00", VwKrachtvoer(200)));
    s.GrdVoeders->BewerkDoorGebruiker(2, 3, "300");
    QCOMPARE(s.GrdVoeders->Cel(7, 3), Fmt("0.00", VwSnijmais(300, 697, 1)));
    s.GrdVoeders->BewerkDoorGebruiker(4, 4, "");
    QCOMPARE(s.GrdVoeders->Cel(7, 4), QString("0.99")); // a required cell is empty: VW stays
    s.GrdVoeders->BewerkDoorGebruiker(4, 4, "150");
    QCOMPARE(s.GrdVoeders->Cel(7, 4), Fmt("0.00", VwGraskuil(445, 150, 235, 1)));
    s.GrdGras->BewerkDoorGebruiker(4, 2, "250");
    QCOMPARE(s.GrdGras->Cel(7, 2), Fmt("0.00", VwGras(250, s.GrdGras->Cel(6, 2).toFloat(), 1)));
    QVERIFY(melder.meldingen.isEmpty());
}

void TestInvoer::verdeelAandelen_data() {
    QTest::addColumn<int>("rij");
    QTest::addColumn<QStringList>("getypt");
    QTest::addColumn<QString>("uitkomst");
    QTest::newRow("50 in row 3, as typed") << 3 << QStringList{"5", "50"} << "21 25 50 0 4";
    QTest::newRow("50 in row 3 at once") << 3 << QStringList{"50"} << "21 25 50 0 4";
    QTest::newRow("last row wraps to the top") << 5 << QStringList{"30"} << "0 22 28 20 30";
    QTest::newRow("above 100") << 2 << QStringList{"150"} << "0 100 0 0 0";
    QTest::newRow("decimal share") << 1 << QStringList{"20.55"} << "20.55 25.5 28 20 6";
    QTest::newRow("emptied") << 4 << QStringList{""} << "21 25 28  26";
    QTest::newRow("pasted negative") << 1 << QStringList{"-5"} << "0 46 28 20 6";
}

void TestInvoer::verdeelAandelen() {
    QFETCH(int, rij);
    QFETCH(QStringList, getypt);
    QFETCH(QString, uitkomst);
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    for (const QString& tekst : getypt) s.GrdProductie->BewerkDoorGebruiker(1, rij, tekst);
    QCOMPARE(Aandelen(s).join(' '), uitkomst);
}

void TestInvoer::celControle_data() {
    QTest::addColumn<QStringList>("getypt");
    QTest::addColumn<QString>("cel");
    QTest::addColumn<QStringList>("meldingen");
    QTest::newRow("comma after 4") << QStringList{"4", "4,"} << "4"
                                   << QStringList{"4, is geen geldige waarde"};
    QTest::newRow("point is fine") << QStringList{"4", "4.", "4.5"} << "4.5" << QStringList{};
    // Each text is committed in turn; one that is no number gives the cell its previous value back.
    QTest::newRow("minus alone") << QStringList{"-"} << "0.0" << QStringList{"- is geen geldige waarde"};
    QTest::newRow("letter in the middle")
        << QStringList{"4", "45", "4a5"} << "45" << QStringList{"4a5 is geen geldige waarde"};
    QTest::newRow("emptied") << QStringList{"4", ""} << "" << QStringList{};
}

void TestInvoer::celControle() {
    QFETCH(QStringList, getypt);
    QFETCH(QString, cel);
    QFETCH(QStringList, meldingen);
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    for (const QString& tekst : getypt) s.GrdVoeders->BewerkDoorGebruiker(1, 3, tekst);
    QCOMPARE(s.GrdVoeders->Cel(1, 3), cel);
    QCOMPARE(melder.Teksten(), meldingen);
    for (const auto& m : melder.meldingen) {
        QCOMPARE(m.soort, MeldSoort::Gewoon);
        QCOMPARE(m.knoppen, MeldKnoppen{MeldKnop::OK});
    }
    // The grazing hours follow the cell that stays.
    const double gift = cel.isEmpty() ? 0 : cel.toDouble();
    QCOMPARE(s.SpeUrenWeidegang->Value(), static_cast<double>(Round(qBound(1.0, 20 - 1.28 * gift, 20.0))));
}

void TestInvoer::celUitBestandGeenGetal() {
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    s.GrdVoeders->ZetCel(1, 3, "abc");
    try {
        s.BerekenUrenWeidegang();
        QFAIL("no error");
    } catch (const EKorvalindeFout& e) {
        QCOMPARE(e.Melding(), QString("'abc' is not a valid floating point value"));
    }
    QCOMPARE(s.SpeUrenWeidegang->Tekst(), QString("20"));
}

void TestInvoer::celSelectie_data() {
    QTest::addColumn<QString>("tabel");
    QTest::addColumn<int>("kolom");
    QTest::addColumn<int>("rij");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("bewerkbaar");
    QTest::newRow("first stage share") << "GrdProductie" << 1 << 1 << "Minimum: 0 - Maximum: 100" << true;
    QTest::newRow("milk") << "GrdProductie" << 2 << 3 << "Minimum: 5 - Maximum: 40" << true;
    QTest::newRow("protein") << "GrdProductie" << 4 << 5 << "Minimum: 3 - Maximum: 5" << true;
    QTest::newRow("concentrate") << "GrdKrachtvoer" << 1 << 4 << "Minimum: 0 - Maximum: 20" << true;
    QTest::newRow("DS of maize") << "GrdVoeders" << 2 << 3 << "Minimum: 100 - Maximum: 1000" << true;
    QTest::newRow("concentrate gift locked") << "GrdVoeders" << 1 << 2 << "Minimum: 0 - Maximum: 20" << false;
    QTest::newRow("concentrate VOS locked")
        << "GrdVoeders" << 6 << 2 << "Minimum: 0 - Maximum: 1000" << false;
    QTest::newRow("concentrate VW locked") << "GrdVoeders" << 7 << 2 << "Minimum: 0 - Maximum: 2" << false;
    QTest::newRow("concentrate DS") << "GrdVoeders" << 2 << 2 << "Minimum: 100 - Maximum: 1000" << true;
    QTest::newRow("grass VEM") << "GrdGras" << 2 << 2 << "Minimum: 600 - Maximum: 1100" << true;
    QTest::newRow("grass VOS") << "GrdGras" << 6 << 2 << "Minimum: 400 - Maximum: 800" << true;
    QTest::newRow("header cell") << "GrdGras" << 2 << 1 << "" << true;
}

void TestInvoer::celSelectie() {
    QFETCH(QString, tabel);
    QFETCH(int, kolom);
    QFETCH(int, rij);
    QFETCH(QString, hint);
    QFETCH(bool, bewerkbaar);
    TInvoerset s(&melder);
    s.ZetStandaardwaarden();
    TTabel* t = s.Tabel(tabel);
    t->SelecteerDoorGebruiker(1, t->FixedRows()); // something else first
    t->SelecteerDoorGebruiker(kolom, rij);
    QCOMPARE(t->Hint(), hint);
    QCOMPARE(t->Bewerkbaar(), bewerkbaar);
    QCOMPARE(t->CelBewerkbaar(kolom, rij), bewerkbaar && rij >= t->FixedRows());
}

void TestInvoer::dagControle_data() {
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<int>("dag");
    QTest::addColumn<QString>("fout");
    QTest::newRow("3112") << "3112" << 365 << "";
    QTest::newRow("0103") << "0103" << 60 << "";
    QTest::newRow("2902") << "2902" << 0 << "Ongeldige dag ingegeven";
    QTest::newRow("1513") << "1513" << 0 << "Ongeldige maand ingegeven";
    QTest::newRow("12") << "12" << 0 << "Ongeldige dag ingegeven";
    QTest::newRow("0100") << "0100" << 0 << "Ongeldige maand ingegeven";
    QTest::newRow("empty") << "" << 0 << "Ongeldige maand ingegeven";
}

void TestInvoer::dagControle() {
    QFETCH(QString, tekst);
    QFETCH(int, dag);
    QFETCH(QString, fout);
    TInvoerset s(&melder);
    s.Cbxdatum->ZetTekst(tekst);
    QCOMPARE(TDagInvoer::Controle(s.Cbxdatum->Waarde()), fout);
    if (fout.isEmpty()) {
        QCOMPARE(s.Cbxdatum->DagVanHetJaar(), dag);
    } else {
        QVERIFY_THROWS_EXCEPTION(EKorvalindeFout, s.Cbxdatum->DagVanHetJaar());
    }
}

void TestInvoer::kommaLocale() {
    // A user with a comma as decimal separator still sees and types points.
    const QLocale vorige;
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    const char* oud = std::setlocale(LC_ALL, nullptr);
    const std::string bewaard = oud ? oud : "C";
    std::setlocale(LC_ALL, "nl_NL.UTF-8");
    {
        TInvoerset s(&melder);
        s.ZetStandaardwaarden();
        QCOMPARE(s.SpePerceelOpp->Tekst(), QString("2.3"));
        QCOMPARE(s.SpeOppUrplek->Tekst(), QString("0.68"));
        QCOMPARE(s.GrdVoeders->Cel(1, 2), QString("4.20"));
        QCOMPARE(s.GrdVoeders->Cel(7, 3), QString("0.80"));
        QCOMPARE(s.SpePerceelOpp->Hint(), QString("Minimum: 0.1  -  Maximum: 50.0"));
        s.SpeOppMestflat->SetText("1.25");
        QCOMPARE(s.SpeOppMestflat->Value(), 1.25);
        s.SpeOppMestflat->SetText("1,25");
        QCOMPARE(s.SpeOppMestflat->Value(), 0.0);
        s.GrdProductie->BewerkDoorGebruiker(1, 1, "20.5");
        QCOMPARE(Aandelen(s).join(' '), QString("20.5 25.5 28 20 6"));
        s.GrdVoeders->BewerkDoorGebruiker(1, 3, "2,");
        QCOMPARE(melder.Teksten(), QStringList{"2, is geen geldige waarde"});
    }
    std::setlocale(LC_ALL, bewaard.c_str());
    QLocale::setDefault(vorige);
}

QTEST_GUILESS_MAIN(TestInvoer)
#include "test_invoer.moc"
