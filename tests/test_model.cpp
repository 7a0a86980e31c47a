// The grazing model: regrowth and rejected areas, intake and milk, the period simulation and its
// summary, error handling, and the incremental run against the plain restart-from-turn-in run.
#include "ModelInvoer.h"
#include "domain/Algemeen.h"
#include "domain/Bedrijfsmodel.h"
#include "domain/Formaat.h"
#include "domain/Koecurven.h"

#include <QtTest>

#include <cmath>

using namespace korvalinde;
using korvalinde::testdata::StandaardInvoer;

namespace {

TQXUitvoer Reken(const TQXInvoer& in, bool vanafInscharen = false) {
    TBedrijf b;
    TQXUitvoer uit;
    if (vanafInscharen)
        b.BerekenVanafInscharen(in, uit);
    else
        b.Bereken(in, uit);
    return uit;
}

// Number in a result text.
double Getal(const std::string& tekst) {
    return std::stod(tekst);
}

// Index of the last step with a detail text in variant v.
int LaatsteStap(const TQXUitvoer& uit, int v) {
    int laatste = -1;
    for (int i = 0; i <= AantalStappen; ++i)
        if (!uit.arBiomassa0[static_cast<std::size_t>(v)][static_cast<std::size_t>(i)].empty()) laatste = i;
    return laatste;
}

QString Verschil(const TQXUitvoer& a, const TQXUitvoer& b) {
    for (std::size_t k = 2; k <= 4; ++k)
        for (std::size_t r = 0; r <= 30; ++r)
            if (a.arsam[k][r] != b.arsam[k][r])
                return QStringLiteral("arsam[%1][%2]: %3 / %4")
                    .arg(k)
                    .arg(r)
                    .arg(QString::fromStdString(a.arsam[k][r]), QString::fromStdString(b.arsam[k][r]));
    for (const auto& veld : DetailVelden)
        for (std::size_t v = 0; v < 3; ++v)
            for (std::size_t i = 0; i <= 60; ++i)
                if ((a.*veld.veld)[v][i] != (b.*veld.veld)[v][i])
                    return QStringLiteral("%1[%2][%3]: %4 / %5")
                        .arg(QLatin1String(veld.naam))
                        .arg(v)
                        .arg(i)
                        .arg(QString::fromStdString((a.*veld.veld)[v][i]),
                             QString::fromStdString((b.*veld.veld)[v][i]));
    return {};
}

} // namespace

class TestModel : public QObject {
    Q_OBJECT

  private slots:
    void bijgroei_data();
    void bijgroei();
    void onbekendeJaargift_data();
    void onbekendeJaargift();
    void mestEnUrine();
    void opnameRelatief_data();
    void opnameRelatief();
    void opnameEnVerdringing();
    void voorbereidingVariant();
    void volledigePeriode();
    void stap1NietGoed();
    void restGroterDanBiomassa();
    void weidedagenAlternatief();
    void oppervlakteNul();
    void zelfdeSoortTweeKeer();
    void foutJaargiftLaatEersteVierWaarden();
    void grasVwNul();
    void geenInvloed_data();
    void geenInvloed();
    void herhaalbaar();
    void zelfdeOpEenWerkdraad();
    void dagToestandIncrementeel();
    void snelGelijkAanReferentie();
    void uitersteWaarden_data();
    void uitersteWaarden();
    void drachtdagenVolgenTussenkalftijd_data();
    void drachtdagenVolgenTussenkalftijd();
};

void TestModel::bijgroei_data() {
    QTest::addColumn<QString>("jaargift");
    QTest::addColumn<int>("dag");
    QTest::addColumn<double>("perStap");
    QTest::newRow("300 day 90 capped") << "300" << 90 << 37.5;
    QTest::newRow("300 day 150") << "300" << 150
                                 << double(float(double(float(176.3L - 0.7015L * 60)) * 0.25));
    QTest::newRow("200 capped") << "200" << 60 << 35.0;
    QTest::newRow("400 capped") << "400" << 1 << 41.25;
    QTest::newRow("first character counts") << "2xyz" << 60 << 35.0;
    QTest::newRow("4 alone") << "4" << 1 << 41.25;
    QTest::newRow("200 late season negative")
        << "200" << 340 << double(float(double(float(161.69L - 0.6715L * 250)) * 0.25));
}

void TestModel::bijgroei() {
    QFETCH(QString, jaargift);
    QFETCH(int, dag);
    QFETCH(double, perStap);
    TBedrijf b;
    b.Invoer.Jaargift = jaargift.toStdString();
    b.Invoer.Inschaardag = dag;
    QCOMPARE(static_cast<double>(b.GestoordeBijgroei()), perStap);
}

void TestModel::onbekendeJaargift_data() {
    QTest::addColumn<QString>("jaargift");
    QTest::newRow("empty") << "";
    QTest::newRow("150") << "150";
    QTest::newRow("space first") << " 200";
}

void TestModel::onbekendeJaargift() {
    QFETCH(QString, jaargift);
    TBedrijf b;
    b.Invoer.Jaargift = jaargift.toStdString();
    try {
        b.GestoordeBijgroei();
        QFAIL("no error");
    } catch (const OnbekendeJaargift& e) {
        QCOMPARE(QString::fromStdString(e.what()), "Gestoorde bijgroei, onbekende jaargift: " + jaargift);
    }
}

void TestModel::mestEnUrine() {
    TBedrijf b;
    b.Invoer.AantalKoeien = 100;
    b.UrenWeidegang = 8;
    b.Invoer.AantalMestflatten = 12;
    b.Invoer.OppMestflat = 0.5f;
    b.Invoer.AantalUrinelozingen = 10;
    b.Invoer.OppUrineplek = 0.4f;
    b.Invoer.Hergroeiduur = 30;
    b.Invoer.VorigeSnede.Dagen = 2;
    QCOMPARE(b.MestflattenPerDag(), 480.0f);
    QCOMPARE(b.OppMestPerDag(), 240.0f);
    QCOMPARE(b.OppMestVorigeSnede(), 480.0f);
    QCOMPARE(b.OppMestRest(), 240.0f);
    QCOMPARE(b.OppMestCumulatief(10), 1200.0f + 240.0f);
    QCOMPARE(b.OppMestCumulatief(-1), 0.0f);
    // Urine adds area only in the first nine half days.
    QCOMPARE(b.UrinelozingenPerDag(), 400.0f);
    QCOMPARE(b.OppUrinePerDag(9), 160.0f);
    QCOMPARE(b.OppUrinePerDag(10), 0.0f);
    QCOMPARE(b.OppBevuildPerDag(3), 400.0f);
    QCOMPARE(b.OppBevuildPerDag(12), 240.0f);
    QCOMPARE(b.OppUrineCumulatief(4), 320.0f);
    QCOMPARE(b.OppUrineCumulatief(9), 720.0f);
    QCOMPARE(b.OppUrineCumulatief(30), 720.0f);
    b.Invoer.Hergroeiduur = 60;
    QCOMPARE(b.OppMestRest(), 0.0f);
}

void TestModel::opnameRelatief_data() {
    QTest::addColumn<QString>("systeem");
    QTest::addColumn<int>("stap");
    QTest::addColumn<double>("beschikbaar");
    QTest::addColumn<double>("biomassa");
    QTest::addColumn<double>("verwacht");
    // 100 cows on 1 ha: 100 m2 per cow, so L = 5000 kg/ha is 50 kg DM per cow.
    QTest::newRow("rotational 50 kg per cow") << "OMWEID" << 20 << 5000.0 << 0.0 << 90.27;
    QTest::newRow("continuous first days per cow") << "STAND" << 12 << 5000.0 << 0.0 << 90.27;
    QTest::newRow("continuous step 13 G 1500") << "STAND" << 13 << 5000.0 << 1500.0 << 99.29;
    QTest::newRow("continuous short sward") << "STAND" << 13 << 5000.0 << 328.0 << 0.0;
    QTest::newRow("continuous no biomass") << "STAND" << 13 << 5000.0 << 0.0 << 0.0;
    QTest::newRow("nothing grazeable") << "OMWEID" << 5 << 0.0 << 1500.0 << 0.0;
    QTest::newRow("negative grazeable") << "STAND" << 20 << -10.0 << 1500.0 << 0.0;
    QTest::newRow("other system after day 6") << "ANDERS" << 13 << 5000.0 << 1500.0 << 1.0;
    QTest::newRow("other system first days") << "ANDERS" << 12 << 5000.0 << 1500.0 << 90.27;
}

void TestModel::opnameRelatief() {
    QFETCH(QString, systeem);
    QFETCH(int, stap);
    QFETCH(double, beschikbaar);
    QFETCH(double, biomassa);
    QFETCH(double, verwacht);
    TBedrijf b;
    b.Invoer.Systeem = systeem.toStdString();
    b.Invoer.AantalKoeien = 100;
    b.PerceelOpp = 1;
    const double r = b.OpnameRelatief(stap, static_cast<float>(beschikbaar), static_cast<float>(biomassa));
    QVERIFY2(std::fabs(r - verwacht) < 0.006, qPrintable(QString::number(r, 'g', 8)));
}

void TestModel::opnameEnVerdringing() {
    TBedrijf b;
    b.BereidVariantVoor(StandaardInvoer(), 0);
    // With unlimited grass the herd eats 1.1 times the grass that fills its remaining capacity.
    float vulling = 0;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 5; ++k)
            vulling += b.KlasseGrasopname(p, k) * b.Invoer.PercPar[static_cast<std::size_t>(p - 1)] / 100 *
                       b.Invoer.Aandeel[static_cast<std::size_t>(k - 1)] / 100;
    b.Invoer.AantalKoeien = 1;
    b.PerceelOpp = 50;
    const float opname = b.Grasopname(1, 4000, 5000);
    QVERIFY(std::fabs(opname / vulling - 1.1) < 1e-4);
    QCOMPARE(b.Grasopname(1, 0, 5000), 0.0f);
    // Milk at zero intake comes from the supplements alone and is still positive.
    QVERIFY(b.Melkproductie(0) > 0);
    // Supplements that fill a class's whole capacity leave no room for grass, never a negative amount.
    b.Voeders[VdSnijmais][VwGift] = 30;
    b.Voeders[VdSnijmais][VwVW] = 1;
    for (int p = 1; p <= 3; ++p)
        for (int k = 1; k <= 5; ++k) QCOMPARE(b.KlasseGrasopname(p, k), 0.0f);
    QCOMPARE(b.Grasopname(1, 4000, 5000), 0.0f);
    // No breed share: no capacity, so no grass at all.
    TBedrijf c;
    TQXInvoer in = StandaardInvoer();
    in.PercRas = {0, 0};
    c.BereidVariantVoor(in, 0);
    QCOMPARE(c.GemCapaciteit(), 0.0f);
    QCOMPARE(c.Grasopname(1, 4000, 5000), 0.0f);
}

void TestModel::voorbereidingVariant() {
    TQXInvoer in = StandaardInvoer();
    in.UrenWeidegang = 8;
    in.Voeders[VdSnijmais][VwGift] = 2;
    in.Alternatief = {{{AltSnijmais, 4}, {AltOppervlakte, 5}}};
    TBedrijf b;
    b.BereidVariantVoor(in, 0);
    QCOMPARE(b.UrenWeidegang, 8);
    QCOMPARE(b.PerceelOpp, 2.3f);
    b.BereidVariantVoor(in, 1);
    QCOMPARE(b.UrenWeidegang, 5); // 8 - 1.28 * 2 = 5.44
    QCOMPARE(b.Voeders[VdSnijmais][VwGift], 4.0f);
    QCOMPARE(b.PerceelOpp, 2.3f);
    b.BereidVariantVoor(in, 2);
    QCOMPARE(b.UrenWeidegang, 5);
    QCOMPARE(b.PerceelOpp, 5.0f);
    // Hours stay within 1..20; concentrate does not change them.
    in.Alternatief = {{{AltGraskuil, 20}, {AltKrachtvoer, 9}}};
    b.BereidVariantVoor(in, 2);
    QCOMPARE(b.UrenWeidegang, 1);
    QCOMPARE(b.Voeders[VdKrachtvoer][VwGift], 9.0f);
    in.Alternatief = {{{AltSnijmais, 0}, {AltGeen, 0}}};
    b.BereidVariantVoor(in, 1);
    QCOMPARE(b.UrenWeidegang, 11); // 8 + 2.56 = 10.56
    // The concentrate keeps the grid's proportions and the gift as herd average.
    in = StandaardInvoer();
    b.BereidVariantVoor(in, 0);
    float gemiddeld = 0;
    for (std::size_t k = 0; k < 5; ++k) gemiddeld += b.Krachtvoer[k] * in.Aandeel[k] / 100;
    QVERIFY(std::fabs(gemiddeld - 4.20f) < 1e-5);
    QVERIFY(std::fabs(b.Krachtvoer[0] / b.Krachtvoer[4] - 6.0f / 1.1f) < 1e-4);
    in.KrachtvoerKlasse = {0, 0, 0, 0, 0};
    b.BereidVariantVoor(in, 0);
    for (float k : b.Krachtvoer) QCOMPARE(k, 0.0f);
}

void TestModel::volledigePeriode() {
    // One cow on a large paddock never runs out of grass.
    TQXInvoer in = StandaardInvoer();
    in.AantalKoeien = 1;
    in.PerceelOpp = 50;
    in.Alternatief = {};
    const TQXUitvoer uit = Reken(in);
    QCOMPARE(LaatsteStap(uit, 0), 60);
    QCOMPARE(uit.arsam[2][2], std::string("29.5"));
    QCOMPARE(uit.arsam[2][4], uit.arBiomassa5[0][60]);
    QCOMPARE(uit.arsam[2][11], uit.arOpname[0][59]);
    QCOMPARE(uit.arsam[2][28], uit.arMelk[0][59]);
    QVERIFY(uit.arOpnameRel[0][0].empty());
    QVERIFY(uit.arMelk[0][0].empty());
    QVERIFY(!uit.arAanbodKoe[0][0].empty());
    // Rows that the model does not fill stay empty.
    for (int rij : {1, 7, 8, 13, 14, 16, 17, 24, 25, 30})
        QVERIFY(uit.arsam[2][static_cast<std::size_t>(rij)].empty());
}

void TestModel::stap1NietGoed() {
    // A target residue above the standing biomass above stubble of step 1 ends grazing at once.
    TQXInvoer in = StandaardInvoer();
    in.Alternatief = {{{AltWeiderest, 3000}, {AltGeen, 0}}};
    const TQXUitvoer uit = Reken(in);
    QCOMPARE(uit.arsam[3][2], std::string("0.0"));
    QCOMPARE(uit.arsam[3][9], std::string("0.0"));
    QCOMPARE(uit.arsam[3][23], std::string("0.0"));
    QCOMPARE(uit.arsam[3][26], std::string("0.0"));
    QCOMPARE(uit.arsam[3][4], uit.arBiomassa5[1][1]);
    // Row 11 and row 28 are evaluated at turn-in.
    TBedrijf b;
    b.BereidVariantVoor(in, 1);
    const RecDagToestand t0 = b.DagToestand(0);
    const float opname0 = b.Grasopname(0, t0.Beschikbaar0, t0.Biomassa0);
    QCOMPARE(uit.arsam[3][11], FormatFloat("0.0", opname0));
    QCOMPARE(uit.arsam[3][28],
             FormatFloat("0.0", b.Melkproductie(b.OpnameRelatief(0, t0.Beschikbaar0, t0.Biomassa0))));
    // Alternative 1+2 does not see alternative 1's target residue.
    QCOMPARE(uit.arsam[4][2], uit.arsam[2][2]);
}

void TestModel::restGroterDanBiomassa() {
    TQXInvoer in = StandaardInvoer();
    in.VorigeSnede.Rest = 1500;
    in.Grasaanbod = 100;
    in.Biomassa05 = 0;
    const TQXUitvoer uit = Reken(in);
    QCOMPARE(LaatsteStap(uit, 0), 0);
    QVERIFY(Getal(uit.arBeschikbaar0[0][0]) < 0);
    QCOMPARE(uit.arsam[2][2], std::string("0.0"));
    QCOMPARE(uit.arsam[2][4], std::string("0"));
}

void TestModel::weidedagenAlternatief() {
    TQXInvoer in = StandaardInvoer();
    in.Alternatief = {{{AltWeidedagen, 3.3f}, {AltSnijmais, 0}}};
    const TQXUitvoer uit = Reken(in);
    QCOMPARE(uit.arsam[3][2], std::string("3.3"));
    // N = 7: the last counted step is 7, the residue is read at step 8.
    QCOMPARE(uit.arsam[3][11], uit.arOpname[1][7]);
    QCOMPARE(uit.arsam[3][28], uit.arMelk[1][7]);
    QCOMPARE(uit.arsam[3][4], uit.arBiomassa5[1][8]);
    // Alternative 1+2 takes its length from the walk, as the base does (same silage gift).
    QCOMPARE(uit.arsam[4][2], uit.arsam[2][2]);
    QVERIFY(uit.arsam[4][2] != "3.3");
    // A negative number of days counts no step instead of reading before turn-in.
    in.Alternatief[0].Waarde = -3;
    const TQXUitvoer neg = Reken(in);
    QCOMPARE(neg.arsam[3][2], std::string("-3.0"));
    QCOMPARE(neg.arsam[3][9], std::string("0.0"));
    QCOMPARE(neg.arsam[3][4], neg.arBiomassa5[1][1]);
}

void TestModel::oppervlakteNul() {
    TQXInvoer in = StandaardInvoer();
    in.Alternatief = {{{AltOppervlakte, 0}, {AltSnijmais, 0}}};
    const TQXUitvoer uit = Reken(in);
    QCOMPARE(LaatsteStap(uit, 1), -1);
    QCOMPARE(LaatsteStap(uit, 2), -1);
    for (std::size_t r = 1; r <= 30; ++r) QVERIFY(uit.arsam[3][r].empty() && uit.arsam[4][r].empty());
    QCOMPARE(uit.arsam[2][3], std::string("2.3"));
}

void TestModel::zelfdeSoortTweeKeer() {
    TQXInvoer in = StandaardInvoer();
    in.Alternatief = {{{AltOppervlakte, 3}, {AltOppervlakte, 4}}};
    const TQXUitvoer uit = Reken(in);
    QCOMPARE(uit.arsam[2][3], std::string("2.3"));
    QCOMPARE(uit.arsam[3][3], std::string("3.0"));
    QCOMPARE(uit.arsam[4][3], std::string("4.0"));
    // The same maize silage twice: the last one counts, for the gift and for the hours.
    in.UrenWeidegang = 10;
    in.Alternatief = {{{AltSnijmais, 1}, {AltSnijmais, 3}}};
    TBedrijf b;
    b.BereidVariantVoor(in, 2);
    QCOMPARE(b.Voeders[VdSnijmais][VwGift], 3.0f);
    QCOMPARE(b.UrenWeidegang, 6); // 10 - 3.84
}

void TestModel::foutJaargiftLaatEersteVierWaarden() {
    TQXInvoer in = StandaardInvoer();
    in.Jaargift = "500";
    TBedrijf b;
    TQXUitvoer uit;
    try {
        b.Bereken(in, uit);
        QFAIL("no error");
    } catch (const OnbekendeJaargift& e) {
        QCOMPARE(std::string(e.what()), std::string("Gestoorde bijgroei, onbekende jaargift: 500"));
    }
    QVERIFY(!uit.arBiomassa0[0][0].empty() && !uit.arBiomassa5[0][0].empty());
    QVERIFY(!uit.arBeschikbaar0[0][0].empty() && !uit.arBeschikbaar5[0][0].empty());
    QVERIFY(uit.arBijgroei[0][0].empty());
    QVERIFY(uit.arAanbodKoe[0][0].empty());
    QVERIFY(uit.arBiomassa0[0][1].empty());
    QVERIFY(uit.arsam[2][2].empty());
}

void TestModel::grasVwNul() {
    TQXInvoer in = StandaardInvoer();
    in.Gras[GrVW] = 0;
    for (bool referentie : {false, true}) {
        TBedrijf b;
        TQXUitvoer uit;
        try {
            if (referentie)
                b.BerekenVanafInscharen(in, uit);
            else
                b.Bereken(in, uit);
            QFAIL("no error");
        } catch (const RekenFout& e) {
            QVERIFY(QString::fromStdString(e.what()).contains("VW van het gras"));
        }
        // Turn-in was written completely; no value is inf or nan.
        QVERIFY(!uit.arAanbodKoe[0][0].empty());
        QVERIFY(uit.arBiomassa0[0][1].empty());
    }
}

void TestModel::geenInvloed_data() {
    QTest::addColumn<int>("wijziging");
    QTest::newRow("Melknivo") << 0;
    QTest::newRow("Gewicht") << 1;
    QTest::newRow("Melk Vet Eiwit") << 2;
    QTest::newRow("codes") << 3;
    QTest::newRow("previous use") << 4;
}

void TestModel::geenInvloed() {
    QFETCH(int, wijziging);
    TQXInvoer in = StandaardInvoer();
    const TQXUitvoer voor = Reken(in);
    switch (wijziging) {
    case 0:
        in.Melknivo = 10000;
        break;
    case 1:
        in.Gewicht = 400;
        break;
    case 2:
        in.Melk = {40, 40, 40, 40, 40}, in.Vet = {3, 3, 3, 3, 3}, in.Eiwit = {5, 5, 5, 5, 5};
        break;
    case 3:
        in.Grondsoort = "VEEN", in.Zode = "ZDICHT", in.Engelsraai = "<50", in.Ontwatering = false;
        break;
    default:
        in.VorigeSnede.Gebruik = "WEIDEN", in.VorigeSnede.Gebloot = false;
        break;
    }
    QCOMPARE(Verschil(voor, Reken(in)), QString());
}

void TestModel::herhaalbaar() {
    TQXInvoer in = StandaardInvoer();
    in.Alternatief = {{{AltAanbod, 2000}, {AltKrachtvoer, 6}}};
    TBedrijf b;
    TQXUitvoer een, twee;
    b.Bereken(in, een);
    b.Bereken(in, twee);
    QCOMPARE(Verschil(een, twee), QString());
    // A different alternative never leaks into the base.
    TQXUitvoer drie;
    in.Alternatief = {{{AltOppervlakte, 9}, {AltGeen, 0}}};
    b.Bereken(in, drie);
    QCOMPARE(drie.arsam[2], een.arsam[2]);
}

// A thread that starts with the x87 unit at double precision (as Windows starts every thread but the
// first) computes and writes the same texts as the main thread: the model and the formatting set the
// full precision themselves.
void TestModel::zelfdeOpEenWerkdraad() {
    testdata::WillekeurigeInvoer toeval(2010);
    std::vector<TQXInvoer> invoer;
    for (int i = 0; i < 20; ++i) invoer.push_back(toeval.Volgende());
    std::vector<TQXUitvoer> hier(invoer.size()), daar(invoer.size());
    const std::vector<long double> getallen{0.05L, 0.25L, 2.45L, 1.0L / 3, 12345.675L, 0.5L};
    std::vector<std::string> hierTekst, daarTekst;
    for (std::size_t i = 0; i < invoer.size(); ++i) TBedrijf().Bereken(invoer[i], hier[i]);
    // Read first (a text of 19 digits is an exact integer divided by a power of ten), then written.
    const auto tekst = [](long double g) {
        long double gelezen = 0;
        const std::string cijfers = std::to_string(static_cast<long long>(g * 1e6L)) + "3333333333333";
        LeesGetal(cijfers.substr(0, 6) + "." + cijfers.substr(6, 13), gelezen);
        return FormatFloat("0.00", g / 7) + "/" + FormatFloat("0.0000000000000000000", gelezen);
    };
    for (const long double g : getallen) hierTekst.push_back(tekst(g));
    QThread* draad = QThread::create([&] {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
        unsigned short stuur = 0;
        __asm__ __volatile__("fnstcw %0" : "=m"(stuur));
        stuur = static_cast<unsigned short>((stuur & ~0x300) | 0x200);
        __asm__ __volatile__("fldcw %0" : : "m"(stuur));
#endif
        for (const long double g : getallen) daarTekst.push_back(tekst(g));
        for (std::size_t i = 0; i < invoer.size(); ++i) TBedrijf().Bereken(invoer[i], daar[i]);
    });
    draad->start();
    QVERIFY(draad->wait(60000));
    delete draad;
    QCOMPARE(daarTekst, hierTekst);
    for (std::size_t i = 0; i < invoer.size(); ++i) QCOMPARE(Verschil(daar[i], hier[i]), QString());
}

void TestModel::dagToestandIncrementeel() {
    TBedrijf b;
    TQXInvoer in = StandaardInvoer();
    in.VorigeSnede.Dagen = 4;
    in.Hergroeiduur = 20;
    b.BereidVariantVoor(in, 0);
    const RecDagToestand t0 = b.DagToestand(0);
    QCOMPARE(t0.Biomassa5, 1300.0f);
    QCOMPARE(t0.Biomassa0, 2300.0f);
    // The rest of the previous grazing's dung patches is not grazeable at turn-in.
    const float f0 = static_cast<float>(b.OppMestRest() / 10000.0L / 2.3L);
    QCOMPARE(t0.Beschikbaar5, static_cast<float>(1300.0L - static_cast<long double>(f0) * 1300.0L));
    // The standing biomass only loses what is eaten.
    const RecDagToestand t1 = b.DagToestand(1);
    QCOMPARE(t1.Biomassa0, static_cast<float>(2300.0L + b.GestoordeBijgroei()));
    QVERIFY(t1.Beschikbaar0 < t1.Biomassa0);
}

void TestModel::snelGelijkAanReferentie() {
    // 40 random scenarios in a quick run, 400 with KORVALINDE_LANG=1 (the long run, as CI runs it).
    const int aantal = qEnvironmentVariableIntValue("KORVALINDE_LANG") != 0 ? 400 : 40;
    testdata::WillekeurigeInvoer gen(20261208);
    int fouten = 0;
    TBedrijf bewaard;
    TQXInvoer vorige = StandaardInvoer();
    for (int n = 0; n < aantal; ++n) {
        const TQXInvoer in = n == 0 ? StandaardInvoer() : gen.Volgende();
        TQXUitvoer snel, referentie;
        std::string foutSnel, foutReferentie;
        try {
            TBedrijf b;
            b.Bereken(in, snel);
        } catch (const std::exception& e) {
            foutSnel = e.what();
        }
        try {
            TBedrijf b;
            b.BerekenVanafInscharen(in, referentie);
        } catch (const std::exception& e) {
            foutReferentie = e.what();
        }
        // The summary alone, by a model that computed another scenario just before and may keep its
        // cow classes: the previous scenario given this one's herd (breed shares, calving interval),
        // or this one with another herd in just one of them. The same columns and the same error.
        TSamenvatting samenvatting;
        std::string foutSamenvatting;
        TQXInvoer ander = n % 2 != 0 ? vorige : in;
        if (n % 2 != 0) {
            ander.PercRas = in.PercRas;
            ander.Tussenkalftijd = in.Tussenkalftijd;
        } else if (n % 6 == 0) {
            ander.PercRas[0] += 1;
        } else if (n % 6 == 2) {
            ander.PercRas[1] += 1;
        } else {
            ander.Tussenkalftijd += 1;
        }
        try {
            TSamenvatting weg;
            bewaard.BerekenSamenvatting(ander, weg);
        } catch (const std::exception&) {
        }
        try {
            bewaard.BerekenSamenvatting(in, samenvatting);
        } catch (const std::exception& e) {
            foutSamenvatting = e.what();
        }
        vorige = in;
        QCOMPARE(foutSnel, foutReferentie);
        QCOMPARE(foutSamenvatting, foutSnel);
        QCOMPARE(samenvatting, snel.arsam);
        const QString verschil = Verschil(snel, referentie);
        if (!verschil.isEmpty() && ++fouten < 5) qWarning("scenario %d: %s", n, qPrintable(verschil));
    }
    QCOMPARE(fouten, 0);
}

void TestModel::uitersteWaarden_data() {
    // Values at and far beyond what any input allows: the model stays defined (no overflow, no
    // out-of-range conversion; the sanitizer build checks that) and both routes agree.
    QTest::addColumn<QString>("veld");
    QTest::addColumn<double>("waarde");
    QTest::newRow("turn-in day 1") << "Inschaardag" << 1.0;
    QTest::newRow("turn-in day 365") << "Inschaardag" << 365.0;
    QTest::newRow("turn-in day 2^31-1") << "Inschaardag" << 2147483647.0;
    QTest::newRow("turn-in day -2^31") << "Inschaardag" << -2147483648.0;
    QTest::newRow("calving interval 300") << "Tussenkalftijd" << 300.0;
    QTest::newRow("calving interval -2^31") << "Tussenkalftijd" << -2147483648.0;
    QTest::newRow("calving interval 2^31-1") << "Tussenkalftijd" << 2147483647.0;
    QTest::newRow("grazing hours 2^31-1") << "UrenWeidegang" << 2147483647.0;
    QTest::newRow("dung pats -2^31") << "AantalMestflatten" << -2147483648.0;
    QTest::newRow("share of a stage 3e38") << "Aandeel" << 3e38;
    QTest::newRow("concentrate class -3e38") << "KrachtvoerKlasse" << -3e38;
    QTest::newRow("maize gift 3e38") << "Snijmais" << 3e38;
    QTest::newRow("grass fill value 1e-38") << "GrasVW" << 1e-38;
    QTest::newRow("grass energy -3e38") << "GrasVEM" << -3e38;
    QTest::newRow("milk 3e38") << "Melk" << 3e38;
    QTest::newRow("grazing days of the model's horizon") << "Weidedagen" << 30.0;
    QTest::newRow("grazing days 3e38") << "Weidedagen" << 3e38;
}

void TestModel::uitersteWaarden() {
    QFETCH(QString, veld);
    QFETCH(double, waarde);
    TQXInvoer in = StandaardInvoer();
    const auto geheel = static_cast<std::int32_t>(waarde);
    const auto f = static_cast<float>(waarde);
    if (veld == "Inschaardag") in.Inschaardag = geheel;
    if (veld == "Tussenkalftijd") in.Tussenkalftijd = geheel;
    if (veld == "UrenWeidegang") in.UrenWeidegang = geheel;
    if (veld == "AantalMestflatten") in.AantalMestflatten = geheel;
    if (veld == "Aandeel") in.Aandeel[2] = f;
    if (veld == "KrachtvoerKlasse") in.KrachtvoerKlasse[0] = f;
    if (veld == "Snijmais") in.Voeders[VdSnijmais][VwGift] = f;
    if (veld == "GrasVW") in.Gras[GrVW] = f;
    if (veld == "GrasVEM") in.Gras[GrVEM] = f;
    if (veld == "Melk") in.Melk[1] = f;
    if (veld == "Weidedagen") in.Alternatief[0] = {AltWeidedagen, f};
    std::string fouten[2];
    TQXUitvoer uit[2];
    for (int route = 0; route < 2; ++route) {
        try {
            TBedrijf b;
            if (route == 0)
                b.Bereken(in, uit[route]);
            else
                b.BerekenVanafInscharen(in, uit[route]);
        } catch (const std::exception& e) {
            fouten[route] = e.what();
        }
    }
    QCOMPARE(fouten[0], fouten[1]);
    QCOMPARE(Verschil(uit[0], uit[1]), QString());
    // Every summary text is a number or empty.
    for (std::size_t k = 2; k <= 4; ++k)
        for (std::size_t r = 1; r <= 30; ++r) {
            const std::string& t = uit[0].arsam[k][r];
            QVERIFY2(t.empty() || std::isfinite(Getal(t)), t.c_str());
        }
}

void TestModel::drachtdagenVolgenTussenkalftijd_data() {
    QTest::addColumn<int>("tussenkalftijd");
    QTest::addColumn<QList<int>>("dagen"); // lactation classes at day 30, 90, 160, 260, 320
    // Conception falls calving interval - 280 days after calving.
    QTest::newRow("365: conceived at day 85") << 365 << QList<int>{0, 5, 75, 175, 235};
    QTest::newRow("300: conceived at day 20") << 300 << QList<int>{10, 70, 140, 240, 300};
    QTest::newRow("370: conceived at day 90, the class's own day") << 370 << QList<int>{0, 0, 70, 170, 230};
    QTest::newRow("500: conceived at day 220") << 500 << QList<int>{0, 0, 0, 40, 100};
}

void TestModel::drachtdagenVolgenTussenkalftijd() {
    QFETCH(int, tussenkalftijd);
    QFETCH(QList<int>, dagen);
    TQXInvoer in = StandaardInvoer();
    in.Tussenkalftijd = tussenkalftijd;
    in.PercRas = {100, 0}; // breed factor 1
    TBedrijf b;
    b.BereidVariantVoor(in, 0);
    for (int k = 1; k <= 5; ++k) {
        const auto dag = LactatieDag[static_cast<std::size_t>(k - 1)];
        const auto g = static_cast<Word>(dagen[k - 1]);
        QCOMPARE(static_cast<int>(b.Drachtdagen(k)), dagen[k - 1]);
        // The intake capacity and the milk of each class take these days pregnant.
        for (int p = 1; p <= 3; ++p) {
            const auto pw = static_cast<Word>(p);
            QCOMPARE(b.KlasseCapaciteit(p, k), OpnameCapaciteit(pw, dag, g, 1.0f));
            QCOMPARE(b.KlasseMelk(p, k, 15000), FpcmBijVem(pw, dag, g, 15000));
        }
    }
}

QTEST_APPLESS_MAIN(TestModel)
#include "test_model.moc"
