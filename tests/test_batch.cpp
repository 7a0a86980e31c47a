// The batch calculator's core without a window: parameter sweeps (NAAM=BEGIN:EIND:STAP read against
// the input's range, the grid of two sweeps, every point computed from the scenario as read, the
// turn-in date as typed), the goal seek against a full scan of its grid, the sensitivity against
// single-point sweeps, the ordered parallel work that streams results in the
// order of the files, and the direct JSON writer that must give the bytes of Qt's JSON document.
#include "ModelInvoer.h"
#include "core/Csv.h"
#include "core/Geordend.h"
#include "core/Gevoeligheid.h"
#include "core/Invoerset.h"
#include "core/RecordJson.h"
#include "core/Reeks.h"
#include "core/Reeksgrafiek.h"
#include "core/Scenario.h"
#include "core/Verkennen.h"
#include "domain/Bedrijfsmodel.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <random>
#include <stdexcept>

using namespace korvalinde;

namespace {

QByteArray Bytes(TInvoerset& invoer) {
    TInvoersetScenario bron(invoer);
    const std::vector<std::uint8_t> data = SchrijfScenario(bron);
    return {reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size())};
}

// A scenario file's bytes: the defaults with inputs drawn from `zaad`, the previous cut grazed for
// odd seeds (so that its days and residue count).
QByteArray WillekeurigScenario(int zaad) {
    std::mt19937 toeval(static_cast<unsigned>(zaad));
    const auto trek = [&toeval](double a, double b) {
        return std::uniform_real_distribution<double>(a, b)(toeval);
    };
    TOpnameMelder stil;
    TInvoerset invoer(&stil);
    TBerekening berekening(invoer, stil);
    invoer.ZetStandaardwaarden();
    // 0 and below: the defaults with a grass fill value of 0, at which the model stops.
    if (zaad <= 0) {
        invoer.GrdGras->ZetCel(7, 2, QStringLiteral("0"));
        return Bytes(invoer);
    }
    invoer.SpenKoe->SetValue(trek(30, 120));
    invoer.SpePerceelOpp->SetValue(trek(0.5, 6));
    invoer.SpeGrasaanbod->SetValue(trek(800, 3000));
    invoer.SpeMelknivo->SetValue(trek(6000, 11000));
    invoer.SpeUrenWeidegang->SetValue(trek(6, 24));
    if (zaad > 4) {
        if (zaad % 2) invoer.CbxVorigGebruik->KiesDoorGebruiker(1);
        invoer.SpePercPar1->SetValue(trek(0, 60));
        invoer.SpeHergroei->SetValue(trek(10, 60));
        invoer.Cbxdatum->ZetTekst(QString::number(TDagInvoer::DagMaand(static_cast<int>(trek(91, 305)))));
    }
    return Bytes(invoer);
}

// The summary row's text of a point as the table shows it.
QString Rijtekst(const TReekspunt& p, SamRij rij) {
    return QString::fromStdString(p.samenvatting[KolBasis][static_cast<std::size_t>(rij)]).trimmed();
}

} // namespace

class TestBatch : public QObject {
    Q_OBJECT

  private slots:
    void leesReeks_data();
    void leesReeks();
    void puntenVanHetRaster();
    void datumpuntZoalsGetypt_data();
    void datumpuntZoalsGetypt();
    void gevoeligheidGelijkAanEnkeleReeksen_data();
    void gevoeligheidGelijkAanEnkeleReeksen();
    void zoekenGelijkAanVolledigeScan_data();
    void zoekenGelijkAanVolledigeScan();
    void zoekdoelEnBereik_data();
    void zoekdoelEnBereik();
    void reekspuntGelijkAanOpnieuwGelezen_data();
    void reekspuntGelijkAanOpnieuwGelezen();
    void geordend_data();
    void geordend();
    void jsonZoalsQt_data();
    void jsonZoalsQt();
    void reeksgrafiekVolgtDePunten_data();
    void reeksgrafiekVolgtDePunten();
    void sleutelsOnbekendOfDubbel_data();
    void sleutelsOnbekendOfDubbel();
};

void TestBatch::leesReeks_data() {
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<QList<double>>("waarden"); // empty: refused
    QTest::addColumn<QString>("melding");       // part of the message when refused
    QTest::newRow("paddock 1 to 3 by 0.5")
        << "SpePerceelOpp=1:3:0.5" << QList<double>{1, 1.5, 2, 2.5, 3} << "";
    QTest::newRow("a step that does not divide") << "SpenKoe=10:20:4" << QList<double>{10, 14, 18} << "";
    QTest::newRow("0.1 steps end on the end")
        << "SpePerceelOpp=0.1:0.4:0.1" << QList<double>{0.1, 0.2, 0.3, 0.4} << "";
    QTest::newRow("one value") << "SpeGrasaanbod=1500" << QList<double>{1500} << "";
    QTest::newRow("above the range") << "SpePerceelOpp=40:60:10" << QList<double>{} << "60.00 ligt buiten";
    QTest::newRow("below the range") << "SpenKoe=0:10:5" << QList<double>{} << "ligt buiten het bereik";
    QTest::newRow("no such input") << "SpeBestaatNiet=1:2:1" << QList<double>{} << "geen getalinvoer";
    QTest::newRow("a choice is no number input")
        << "CbxSysteem=1:2:1" << QList<double>{} << "geen getalinvoer";
    QTest::newRow("no name") << "1:2:1" << QList<double>{} << "NAAM=BEGIN:EIND:STAP";
    QTest::newRow("step 0") << "SpenKoe=10:20:0" << QList<double>{} << "STAP > 0";
    QTest::newRow("end before begin") << "SpenKoe=20:10:1" << QList<double>{} << "BEGIN <= EIND";
    QTest::newRow("comma as decimal separator") << "SpePerceelOpp=1,5" << QList<double>{} << "NAAM=";
    QTest::newRow("too many values") << "SpeGrasaanbod=100:4000:0.01" << QList<double>{} << "meer dan";
    // A step finer than the input's values would repeat them; one of its decimals is fine.
    QTest::newRow("a step finer than whole numbers") << "SpenKoe=1:2:0.1" << QList<double>{} << "fijner dan";
    QTest::newRow("a step finer than one decimal")
        << "SpePerceelOpp=1:2:0.05" << QList<double>{} << "fijner dan";
    QTest::newRow("a step of the input's decimals")
        << "SpeOppMestflat=0.5:0.52:0.01" << QList<double>{0.5, 0.51, 0.52} << "";
    QTest::newRow("a step finer than the buttons'")
        << "SpeGrasaanbod=100:120:10" << QList<double>{100, 110, 120} << "";
    QTest::newRow("an unknown name gets the closest ones")
        << "perceel=1:2:1" << QList<double>{} << "het dichtst bij komen SpePerceelOpp (Perceelsgrootte (ha))";
    QTest::newRow("beyond any number") << "SpenKoe=1:1e400:1" << QList<double>{} << "NAAM=BEGIN:EIND:STAP";
    // The turn-in date, day x 100 + month, in days of the year by whole days.
    QTest::newRow("dates by a week") << "Cbxdatum=0104:2904:7" << QList<double>{91, 98, 105, 112, 119} << "";
    QTest::newRow("dates up to the last grazing day")
        << "Cbxdatum=2410:3110:7" << QList<double>{297, 304} << "";
    QTest::newRow("29 February") << "Cbxdatum=2902" << QList<double>{} << "2902: Ongeldige dag ingegeven";
    QTest::newRow("March is no grazing month")
        << "Cbxdatum=3103:3110:7" << QList<double>{}
        << "31/03 ligt buiten de weidemaanden (01/04 tot en met 31/10)";
    QTest::newRow("half days") << "Cbxdatum=0104:3110:3.5" << QList<double>{} << "hele dagen";
    QTest::newRow("dates backwards") << "Cbxdatum=3110:0104:7" << QList<double>{}
                                     << "de einddatum 01/04 ligt voor de begindatum 31/10";
}

void TestBatch::leesReeks() {
    QFETCH(QString, tekst);
    QFETCH(QList<double>, waarden);
    QFETCH(QString, melding);
    TInvoerset invoer;
    TReeks reeks;
    QString fout;
    QCOMPARE(LeesReeks(tekst, invoer, reeks, fout), !waarden.isEmpty());
    if (waarden.isEmpty()) {
        QVERIFY2(fout.contains(melding), qPrintable(fout));
        return;
    }
    QCOMPARE(reeks.waarden.size(), waarden.size());
    for (qsizetype i = 0; i < waarden.size(); ++i) QVERIFY(qAbs(reeks.waarden[i] - waarden[i]) < 1e-9);
}

void TestBatch::puntenVanHetRaster() {
    // A new scenario swept over the paddock (outer) and the cows (inner): each point holds the
    // values as the inputs show them, and the model computed with exactly those.
    QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("nieuw.kvl"));
    QString fout;
    QVERIFY(SchrijfNieuwScenario(pad, fout));
    QByteArray bytes;
    QVERIFY(LeesScenarioBytes(pad, bytes).isEmpty());
    TInvoerset invoer;
    QList<TReeks> reeksen(2);
    QVERIFY(LeesReeks(QStringLiteral("SpePerceelOpp=2:3:0.5"), invoer, reeksen[0], fout));
    QVERIFY(LeesReeks(QStringLiteral("SpenKoe=40:60:20"), invoer, reeksen[1], fout));
    QCOMPARE(AantalReekspunten(reeksen), 6);
    const QStringList verwacht[6] = {{"2.0", "40"}, {"2.0", "60"}, {"2.5", "40"},
                                     {"2.5", "60"}, {"3.0", "40"}, {"3.0", "60"}};
    for (int i = 0; i < 6; ++i) {
        const TReekspunt p = BerekenReekspunt(bytes, reeksen, i);
        QVERIFY2(p.fout.isEmpty(), qPrintable(p.fout));
        QCOMPARE(p.waarden, verwacht[i]);
        QCOMPARE(p.invoer.PerceelOpp, verwacht[i][0].toFloat());
        QCOMPARE(p.invoer.AantalKoeien, verwacht[i][1].toFloat());
        QCOMPARE(QString::fromStdString(p.samenvatting[KolBasis][RijOppervlakte]), verwacht[i][0]);
    }
    // The same point again gives the same texts: every point starts from the scenario as read.
    QCOMPARE(BerekenReekspunt(bytes, reeksen, 3).samenvatting,
             BerekenReekspunt(bytes, reeksen, 3).samenvatting);
    QVERIFY(SamenvattingKolommen().size() == 20);
    QCOMPARE(SamenvattingKolommen().front().titel, QStringLiteral("Aantal weidedagen (dagen)"));
}

void TestBatch::datumpuntZoalsGetypt_data() {
    // A point of a date sweep against the scenario with that date typed into the day edit, the
    // focus leaving it (the grass supply of its month, the grass row), and then computed; with a
    // second sweep the date goes in first whatever the order, so that a swept supply holds.
    QTest::addColumn<int>("zaad");
    QTest::addColumn<QStringList>("reeksen");
    QTest::addColumn<int>("punt");
    QTest::addColumn<QStringList>("getypt"); // the date typed, then the other input's value
    QTest::newRow("1 April") << 1 << QStringList{"Cbxdatum=0104:3110:7"} << 0 << QStringList{"104"};
    QTest::newRow("3 June") << 2 << QStringList{"Cbxdatum=0104:3110:7"} << 9 << QStringList{"306"};
    // The scenario's own date still sets the month's supply over the file's.
    QTest::newRow("the scenario's own date") << 4 << QStringList{"Cbxdatum=1509"} << 0 << QStringList{"1509"};
    QTest::newRow("a grazed previous cut, 1 August")
        << 5 << QStringList{"Cbxdatum=0108"} << 0 << QStringList{"108"};
    QTest::newRow("supply swept before the date")
        << 6 << QStringList{"SpeGrasaanbod=900:1500:300", "Cbxdatum=0105:0106:31"} << 3
        << QStringList{"106", "1200"};
    QTest::newRow("date swept before the supply")
        << 7 << QStringList{"Cbxdatum=0105:0106:31", "SpeGrasaanbod=900:1500:300"} << 2
        << QStringList{"105", "1500"};
}

void TestBatch::datumpuntZoalsGetypt() {
    QFETCH(int, zaad);
    QFETCH(QStringList, reeksen);
    QFETCH(int, punt);
    QFETCH(QStringList, getypt);
    const QByteArray bytes = WillekeurigScenario(zaad);
    TOpnameMelder stil;
    TInvoerset invoer(&stil);
    TBerekening berekening(invoer, stil);
    QVERIFY(DecodeerScenario(bytes, invoer).isEmpty());
    QList<TReeks> lijst(reeksen.size());
    QString fout;
    for (qsizetype r = 0; r < reeksen.size(); ++r)
        QVERIFY2(LeesReeks(reeksen[r], invoer, lijst[r], fout), qPrintable(fout));
    const TReekspunt p = BerekenReekspunt(bytes, lijst, punt);
    QVERIFY2(p.fout.isEmpty(), qPrintable(p.fout));

    invoer.Cbxdatum->TypDoorGebruiker(getypt[0]);
    invoer.Cbxdatum->Verlaat();
    if (getypt.size() > 1) invoer.SpeGrasaanbod->TypDoorGebruiker(getypt[1]);
    const TQXInvoer record = LeesInvoerRecord(invoer);
    QCOMPARE(InvoerNaarJson(p.invoer), InvoerNaarJson(record));
    TQXUitvoer volledig;
    TBedrijf().Bereken(record, volledig);
    QCOMPARE(p.samenvatting, volledig.arsam);
    // The date as the table shows it, dd/MM, and as a number its day of the year.
    const qsizetype d = reeksen.front().startsWith(QLatin1String("Cbxdatum")) ? 0 : 1;
    const int ddmm = getypt[0].toInt();
    QCOMPARE(p.waarden[d], QStringLiteral("%1/%2")
                               .arg(ddmm / 100, 2, 10, QLatin1Char('0'))
                               .arg(ddmm % 100, 2, 10, QLatin1Char('0')));
    QCOMPARE(Reekswaarde(p.waarden[d]), static_cast<double>(TDagInvoer::DagNummer(ddmm)));
    QCOMPARE(Astekst(QStringLiteral("Cbxdatum"), TDagInvoer::DagNummer(ddmm)), p.waarden[d]);
}

void TestBatch::gevoeligheidGelijkAanEnkeleReeksen_data() {
    QTest::addColumn<int>("zaad");
    QTest::addColumn<QString>("rij");
    QTest::addColumn<bool>("procentueel");
    QTest::addColumn<double>("procent");
    QTest::addColumn<int>("dagen");
    const char* rijen[] = {"Benutting", "Gemiddelde melkgift", "weidedagen", "Weiderest",
                           "Gem. opname beweiding"};
    for (int zaad = 1; zaad <= 8; ++zaad)
        QTest::addRow("scenario %d, %s", zaad, rijen[zaad % 5])
            << zaad << QString::fromLatin1(rijen[zaad % 5]) << (zaad % 3 != 0) << (zaad % 2 ? 10.0 : 35.0)
            << (zaad % 2 ? 14 : 60);
}

void TestBatch::gevoeligheidGelijkAanEnkeleReeksen() {
    // Every row's low and high value, read as a sweep of that one value and computed, give the
    // row's results; the values lie in the input's range on its grid; the ranking follows the effect.
    QFETCH(int, zaad);
    QFETCH(QString, rij);
    QFETCH(bool, procentueel);
    QFETCH(double, procent);
    QFETCH(int, dagen);
    const QByteArray bytes = WillekeurigScenario(zaad);
    TOpnameMelder stil;
    TInvoerset invoer(&stil);
    TBerekening berekening(invoer, stil);
    QVERIFY(DecodeerScenario(bytes, invoer).isEmpty());
    TSamenvattingKolom kolom;
    QString fout;
    QVERIFY2(KiesSamenvattingsrij(rij, QStringLiteral("--gevoeligheid"), kolom, fout), qPrintable(fout));
    const TVerandering verandering{procentueel, procent, dagen};
    const TGevoeligheid g = BerekenGevoeligheid(bytes, kolom, verandering, 2);
    QVERIFY2(g.fout.isEmpty(), qPrintable(g.fout));
    QCOMPARE(g.basis, Rijtekst(BerekenReekspunt(bytes, {}, 0), kolom.rij));
    QCOMPARE(g.rijen.size(), invoer.Getallen().size() + 1);
    const double basis = Reekswaarde(g.basis);
    double vorige = qInf();
    for (const TGevoeligheidsrij& r : g.rijen) {
        const QByteArray wat = r.naam.toUtf8();
        const bool datum = r.naam == QLatin1String("Cbxdatum");
        double waarde = 0, stap = 1;
        if (datum) {
            waarde = invoer.Cbxdatum->DagVanHetJaar();
            stap = dagen;
        } else {
            const TGetalInvoer* getal = invoer.Getal(r.naam);
            waarde = getal->Value();
            stap = procentueel ? std::max(Zoekstap(*getal), std::fabs(waarde) * procent / 100)
                               : Zoekstap(*getal);
            QVERIFY2(Reekswaarde(r.laagTekst) >= getal->MinValue() &&
                         Reekswaarde(r.hoogTekst) <= getal->MaxValue(),
                     wat.constData());
            // Whole steps of the grid from the value.
            QVERIFY2(qAbs(std::remainder(Reekswaarde(r.hoogTekst) - waarde, Zoekstap(*getal))) < 1e-6 ||
                         Reekswaarde(r.hoogTekst) == getal->MaxValue(),
                     wat.constData());
        }
        // Below and above the value by at most the change (and a half step of rounding).
        QVERIFY2(Reekswaarde(r.laagTekst) <= waarde && Reekswaarde(r.hoogTekst) >= waarde, wat.constData());
        QVERIFY2(Reekswaarde(r.hoogTekst) - waarde <= stap * 1.5 + 1e-9, wat.constData());
        QVERIFY2(waarde - Reekswaarde(r.laagTekst) <= stap * 1.5 + 1e-9, wat.constData());
        // Each end as a sweep of that one value.
        for (const bool hoog : {false, true}) {
            QString tekst = hoog ? r.hoogTekst : r.laagTekst;
            if (datum) tekst = tekst.section(QLatin1Char('/'), 0, 0) + tekst.section(QLatin1Char('/'), 1, 1);
            TReeks reeks;
            QVERIFY2(LeesReeks(r.naam + QLatin1Char('=') + tekst, invoer, reeks, fout), qPrintable(fout));
            const TReekspunt p = BerekenReekspunt(bytes, {reeks}, 0);
            QCOMPARE(p.waarden.value(0), hoog ? r.hoogTekst : r.laagTekst);
            QCOMPARE(Rijtekst(p, kolom.rij), hoog ? r.bijHoog : r.bijLaag);
        }
        const double effect =
            std::max(qAbs(Reekswaarde(r.bijLaag) - basis), qAbs(Reekswaarde(r.bijHoog) - basis));
        QVERIFY2(qAbs(Reekswaarde(r.effectTekst) - effect) < 1e-6, wat.constData());
        // The largest first, every effect of 0 after the others.
        QVERIFY2(effect <= vorige + 1e-9, wat.constData());
        vorige = effect;
    }
    QCOMPARE(GevoeligheidCsv(g).count(QStringLiteral("\r\n")), g.rijen.size() + 1);
}

void TestBatch::zoekenGelijkAanVolledigeScan_data() {
    QTest::addColumn<int>("zaad");       // the scenario: defaults with inputs drawn from this seed
    QTest::addColumn<QString>("bereik"); // the input varied, on its own grid
    QTest::addColumn<QString>("rij");    // the target's row
    for (int zaad = 1; zaad <= 4; ++zaad) {
        const char* bereik[] = {"SpePerceelOpp=0.5:4", "SpeGrasaanbod=500:4000", "SpenKoe=40:90"};
        const char* rij[] = {"weidedagen", "Benutting", "Weiderest", "Gemiddelde melkgift"};
        QTest::addRow("scenario %d", zaad)
            << zaad << QString::fromLatin1(bereik[zaad % 3]) << QString::fromLatin1(rij[zaad % 4]);
    }
    // A grass fill value of 0 stops the model where the grass row is not made afresh: at every
    // number of cows, and only at the grass supply the scenario holds (1300).
    QTest::newRow("model error at every value") << -1 << "SpenKoe=40:60"
                                                << "weidedagen";
    QTest::newRow("model error at one value") << -2 << "SpeGrasaanbod=1000:1600"
                                              << "Benutting";
}

void TestBatch::zoekenGelijkAanVolledigeScan() {
    // Every value of the range computed one by one; the goal seek must give the same answer for
    // targets at, between and beyond the values that occur, both ways, at least and at most.
    QFETCH(int, zaad);
    QFETCH(QString, bereik);
    QFETCH(QString, rij);
    const QByteArray bytes = WillekeurigScenario(zaad);
    TOpnameMelder stil;
    TInvoerset invoer(&stil);
    TBerekening berekening(invoer, stil);
    QVERIFY(DecodeerScenario(bytes, invoer).isEmpty());

    TReeks reeks;
    QString fout;
    QVERIFY2(LeesZoekbereik(bereik, invoer, reeks, fout), qPrintable(fout));
    TZoekdoel doel;
    QVERIFY2(LeesZoekdoel(rij + QStringLiteral(">=0"), doel, fout), qPrintable(fout));
    const int n = static_cast<int>(reeks.waarden.size());
    QList<double> waarden;
    QStringList teksten;
    int modelfouten = 0;
    QString eersteModelfout; // the first in the range, with its value and the model's reason
    for (int i = 0; i < n; ++i) {
        const TReekspunt p = BerekenReekspunt(bytes, {reeks}, i);
        if (!p.fout.isEmpty() && modelfouten++ == 0) eersteModelfout = p.waarden.value(0) + ": " + p.fout;
        bool ok = false;
        const double w =
            QString::fromStdString(p.samenvatting[KolBasis][static_cast<std::size_t>(doel.kolom.rij)])
                .toDouble(&ok);
        waarden << (ok && p.fout.isEmpty() ? w : qQNaN());
        teksten << p.waarden.value(0);
    }
    QCOMPARE(modelfouten, zaad == -1 ? n : zaad == -2 ? 1 : 0);
    QList<double> doelen;
    for (const double w : waarden)
        if (!qIsNaN(w)) doelen << w;
    if (doelen.isEmpty()) doelen << 0.0;
    std::sort(doelen.begin(), doelen.end());
    const qsizetype m = doelen.size();
    doelen = {doelen.front() - 1, doelen.front(), doelen[m / 3],    doelen[m / 2] + 0.05,
              doelen[2 * m / 3],  doelen.back(),  doelen.back() + 1};
    for (const double d : doelen)
        for (const bool minstens : {true, false})
            for (const bool grootste : {false, true}) {
                doel.minstens = minstens;
                doel.waarde = d;
                QList<int> voldoen; // in the order of the scan
                for (int k = 0; k < n; ++k) {
                    const int i = grootste ? n - 1 - k : k;
                    if (!qIsNaN(waarden[i]) && (minstens ? waarden[i] >= d : waarden[i] <= d)) voldoen << k;
                }
                // Monotone: the values that meet the target lie together at one end of the scan.
                const bool monotoon =
                    voldoen.isEmpty() || (voldoen.back() - voldoen.front() + 1 == voldoen.size() &&
                                          (voldoen.front() == 0 || voldoen.back() == n - 1));
                const TZoekuitkomst u = Zoek(bytes, reeks, doel, grootste, 2);
                const QByteArray wat = QStringLiteral("%1 %2 %3 %4")
                                           .arg(doel.kolom.titel, minstens ? ">=" : "<=")
                                           .arg(d)
                                           .arg(grootste ? "grootste" : "kleinste")
                                           .toUtf8();
                QVERIFY2(!u.afgebroken, wat.constData());
                QCOMPARE(u.modelfouten, modelfouten);
                QCOMPARE(u.eersteModelfout, eersteModelfout);
                QVERIFY2(u.gevonden == !voldoen.isEmpty(), wat.constData());
                if (voldoen.isEmpty()) continue;
                const auto tekst = [&](int k) { return teksten[grootste ? n - 1 - k : k]; };
                QVERIFY2(u.eerste == tekst(voldoen.front()), wat.constData());
                QVERIFY2(u.laatste == tekst(voldoen.back()), wat.constData());
                QVERIFY2(u.monotoon == monotoon, wat.constData());
                QVERIFY2(u.punt.waarden.value(0) == u.eerste, wat.constData());
                QVERIFY2(QString::fromStdString(u.punt.samenvatting[KolBasis][doel.kolom.rij]).toDouble() ==
                             waarden[u.index],
                         wat.constData());
            }
}

void TestBatch::zoekdoelEnBereik_data() {
    QTest::addColumn<QString>("doel");
    QTest::addColumn<QString>("bereik");
    QTest::addColumn<QString>("melding"); // part of the message; empty when both are read
    QTest::addColumn<int>("waarden");     // values of the grid
    QTest::newRow("paddock on its 0.1 ha grid") << "weidedagen>=3"
                                                << "SpePerceelOpp=0.1:50"
                                                << "" << 500;
    QTest::newRow("at most, cows by one") << "Weiderest<=150"
                                          << "SpenKoe=20:30"
                                          << "" << 11;
    QTest::newRow("an end between grid values") << "Benutting>=85"
                                                << "SpePerceelOpp=1:1.25"
                                                << "" << 3;
    QTest::newRow("a beginning between grid values") << "Benutting>=85"
                                                     << "SpeGrasaanbod=150:420"
                                                     << "" << 3;
    QTest::newRow("no grid value between") << "Benutting>=85"
                                           << "SpeGrasaanbod=150:180"
                                           << "geen waarde op de stappen" << 0;
    QTest::newRow("several rows match") << "melk>=20"
                                        << "SpenKoe=20:30"
                                        << "meer dan een rij" << 0;
    QTest::newRow("no such row") << "Bestaat niet>=1"
                                 << "SpenKoe=20:30"
                                 << "geen rij" << 0;
    QTest::newRow("no comparison") << "Benutting=85"
                                   << "SpenKoe=20:30"
                                   << "RIJ>=DOEL" << 0;
    QTest::newRow("no target value") << "Benutting>="
                                     << "SpenKoe=20:30"
                                     << "RIJ>=DOEL" << 0;
    QTest::newRow("a target beyond any number") << "Benutting>=1e400"
                                                << "SpenKoe=20:30"
                                                << "RIJ>=DOEL" << 0;
    QTest::newRow("an unknown name gets the closest ones")
        << "Benutting>=85"
        << "gewicht=400:500"
        << "het dichtst bij komen SpeGewicht (Gewicht)" << 0;
    QTest::newRow("outside the range") << "Benutting>=85"
                                       << "SpePerceelOpp=40:60"
                                       << "ligt buiten" << 0;
    QTest::newRow("a step given") << "Benutting>=85"
                                  << "SpenKoe=20:30:2"
                                  << "NAAM=VAN:TOT" << 0;
    QTest::newRow("no such input") << "Benutting>=85"
                                   << "SpeGeen=1:2"
                                   << "geen getalinvoer" << 0;
}

void TestBatch::zoekdoelEnBereik() {
    QFETCH(QString, doel);
    QFETCH(QString, bereik);
    QFETCH(QString, melding);
    QFETCH(int, waarden);
    TInvoerset invoer;
    invoer.ZetStandaardwaarden();
    TZoekdoel d;
    TReeks reeks;
    QString fout;
    const bool gelezen = LeesZoekdoel(doel, d, fout) && LeesZoekbereik(bereik, invoer, reeks, fout);
    QVERIFY2(gelezen == melding.isEmpty(), qPrintable(fout));
    if (!gelezen) {
        QVERIFY2(fout.contains(melding), qPrintable(fout));
        return;
    }
    QCOMPARE(reeks.waarden.size(), waarden);
    // The last value lies on the grid from the first, never beyond the end.
    const double stap = Zoekstap(*invoer.Getal(reeks.naam));
    QVERIFY(qAbs(reeks.waarden.back() - reeks.waarden.front() - stap * (waarden - 1)) < 1e-9);
    // On the grid from the input's minimum.
    const double min = invoer.Getal(reeks.naam)->MinValue();
    QVERIFY(qAbs(std::remainder(reeks.waarden.front() - min, stap)) < 1e-9);
}

void TestBatch::reekspuntGelijkAanOpnieuwGelezen_data() {
    // Every number input swept over its range in five values (and one grid of two): each point,
    // computed from a copy of the scenario read once, equals the point read from the bytes anew.
    QTest::addColumn<QStringList>("reeksen");
    TInvoerset invoer;
    invoer.ZetStandaardwaarden();
    for (const TGetalInvoer* g : invoer.Getallen()) {
        const double stap = g->MaxValue() > g->MinValue() ? (g->MaxValue() - g->MinValue()) / 4 : 1;
        QTest::newRow(qPrintable(g->Naam())) << QStringList{
            QStringLiteral("%1=%2:%3:%4").arg(g->Naam()).arg(g->MinValue()).arg(g->MaxValue()).arg(stap)};
    }
    QTest::newRow("grid") << QStringList{QStringLiteral("SpeGrasaanbod=500:4000:700"),
                                         QStringLiteral("SpeAlt1=2:8:2")};
}

void TestBatch::reekspuntGelijkAanOpnieuwGelezen() {
    QFETCH(QStringList, reeksen);
    QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("nieuw.kvl"));
    QString fout;
    QVERIFY(SchrijfNieuwScenario(pad, fout));
    QByteArray bytes;
    QVERIFY(LeesScenarioBytes(pad, bytes).isEmpty());
    TInvoerset invoer;
    QList<TReeks> lijst(reeksen.size());
    for (qsizetype r = 0; r < reeksen.size(); ++r)
        QVERIFY2(LeesReeks(reeksen[r], invoer, lijst[r], fout), qPrintable(fout));
    // From the last point back, so that every point follows another one in the same input set.
    for (int i = AantalReekspunten(lijst) - 1; i >= 0; --i) {
        const TReekspunt snel = BerekenReekspunt(bytes, lijst, i);
        const TReekspunt opnieuw = BerekenReekspuntOpnieuwGelezen(bytes, lijst, i);
        QCOMPARE(snel.waarden, opnieuw.waarden);
        QCOMPARE(snel.fout, opnieuw.fout);
        QCOMPARE(InvoerNaarJson(snel.invoer), InvoerNaarJson(opnieuw.invoer));
        QCOMPARE(snel.samenvatting, opnieuw.samenvatting);
        // The summary of a sweep point is that of the full calculation of its input record.
        if (snel.fout.isEmpty()) {
            TQXUitvoer volledig;
            TBedrijf().Bereken(snel.invoer, volledig);
            QCOMPARE(snel.samenvatting, volledig.arsam);
        }
    }
}

void TestBatch::geordend_data() {
    QTest::addColumn<int>("aantal");
    QTest::addColumn<int>("draden");
    QTest::addColumn<int>("foutBij"); // -1: none
    for (int draden : {1, 2, 5})
        for (int aantal : {0, 1, 300})
            QTest::addRow("%d items, %d threads", aantal, draden) << aantal << draden << -1;
    QTest::newRow("an error half-way, 2 threads") << 300 << 2 << 150;
    QTest::newRow("an error half-way, 1 thread") << 300 << 1 << 150;
}

void TestBatch::geordend() {
    QFETCH(int, aantal);
    QFETCH(int, draden);
    QFETCH(int, foutBij);
    QList<int> volgorde;
    std::atomic<int> gelijktijdig{0}, meest{0};
    const auto werk = [&](std::size_t i) {
        const int nu = ++gelijktijdig;
        meest = std::max(meest.load(), nu);
        if (static_cast<int>(i) == foutBij) {
            --gelijktijdig;
            throw std::runtime_error("fout");
        }
        // Later items finish sooner, so the order must come from the writer.
        QThread::usleep(static_cast<unsigned long>((aantal - static_cast<int>(i)) % 7) * 50);
        --gelijktijdig;
        return static_cast<int>(i) * 3;
    };
    const auto schrijf = [&](std::size_t i, int& r) {
        QCOMPARE(r, static_cast<int>(i) * 3);
        volgorde << static_cast<int>(i);
    };
    bool gegooid = false;
    try {
        VerwerkGeordend<int>(static_cast<std::size_t>(aantal), static_cast<unsigned>(draden), werk, schrijf);
    } catch (const std::runtime_error&) {
        gegooid = true;
    }
    QCOMPARE(gegooid, foutBij >= 0);
    const int geschreven = foutBij >= 0 ? static_cast<int>(volgorde.size()) : aantal;
    QVERIFY(geschreven <= (foutBij >= 0 ? foutBij : aantal));
    for (int i = 0; i < geschreven; ++i) QCOMPARE(volgorde[i], i);
    QVERIFY(meest <= std::max(1, draden));
}

void TestBatch::jsonZoalsQt_data() {
    QTest::addColumn<unsigned>("zaad");
    QTest::addColumn<QString>("fout");
    QTest::addColumn<QString>("bestand");
    QTest::newRow("default scenario") << 0u << ""
                                      << "";
    QTest::newRow("random, with a file") << 7u << ""
                                         << "/tmp/weide 1.kvl";
    QTest::newRow("an error with quotes and accents") << 11u << "Rekenfout: \"deling\" door nul — één\tkeer"
                                                      << "C:\\map\\ë.kvl";
    for (unsigned z = 20; z < 60; ++z) QTest::addRow("random %u", z) << z << "" << (z % 2 ? "x.json" : "");
}

void TestBatch::jsonZoalsQt() {
    // The direct writer against Qt's own: the same bytes alone and as an element of a list.
    QFETCH(unsigned, zaad);
    QFETCH(QString, fout);
    QFETCH(QString, bestand);
    const TQXInvoer in =
        zaad == 0 ? testdata::StandaardInvoer() : testdata::WillekeurigeInvoer(zaad).Volgende();
    TQXUitvoer uit;
    QString modelFout = fout;
    try {
        TBedrijf().Bereken(in, uit);
    } catch (const std::exception& e) {
        modelFout = QString::fromStdString(e.what());
    }
    QJsonObject o{
        {QStringLiteral("invoer"), InvoerNaarJson(in)},
        {QStringLiteral("uitvoer"), UitvoerNaarJson(uit)},
        {QStringLiteral("fout"), modelFout.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(modelFout)}};
    if (!bestand.isEmpty()) o.insert(QStringLiteral("bestand"), bestand);
    const QString* metBestand = bestand.isEmpty() ? nullptr : &bestand;
    QByteArray direct;
    SchrijfResultaatJson(direct, in, uit, modelFout, metBestand, 0);
    QCOMPARE(direct + '\n', QJsonDocument(o).toJson(QJsonDocument::Indented));
    QByteArray lijst = "[\n    ";
    SchrijfResultaatJson(lijst, in, uit, modelFout, metBestand, 1);
    lijst += ",\n    ";
    SchrijfResultaatJson(lijst, in, uit, modelFout, metBestand, 1);
    lijst += "\n]\n";
    QCOMPARE(lijst, QJsonDocument(QJsonArray{o, o}).toJson(QJsonDocument::Indented));
}

void TestBatch::reeksgrafiekVolgtDePunten_data() {
    QTest::addColumn<QStringList>("reeksen");
    QTest::addColumn<QList<int>>("rijen"); // indexes into the summary rows
    QTest::addColumn<bool>("alternatieven");
    QTest::newRow("one input") << QStringList{"SpePerceelOpp=1:3:0.5"} << QList<int>{1, 4} << false;
    QTest::newRow("one input with the alternatives")
        << QStringList{"SpeGrasaanbod=1000:2000:250"} << QList<int>{0, 7, 13} << true;
    QTest::newRow("two inputs") << QStringList{"SpePerceelOpp=1:2:0.5", "SpenKoe=40:70:10"}
                                << QList<int>{2, 5} << false;
    QTest::newRow("two inputs with the alternatives")
        << QStringList{"SpenKoe=30:50:10", "SpeGrasaanbod=1200:1600:200"} << QList<int>{3, 11} << true;
}

void TestBatch::reeksgrafiekVolgtDePunten() {
    // The sweep chart of the window and the batch calculator: a panel per chosen row, named by it;
    // each line's points are that row at the points it stands for, and its legend entry names them:
    // the second input's value, or the variant. The legend stands under the last panel only.
    QFETCH(QStringList, reeksen);
    QFETCH(QList<int>, rijen);
    QFETCH(bool, alternatieven);
    TOpnameMelder stil;
    TInvoerset invoer(&stil);
    TBerekening berekening(invoer, stil);
    invoer.ZetStandaardwaarden();
    invoer.CbxAlt1->KiesDoorGebruiker(1);
    invoer.SpeAlt1->TypDoorGebruiker(QStringLiteral("8"));
    TInvoersetScenario bron(invoer);
    const std::vector<std::uint8_t> data = SchrijfScenario(bron);
    const QByteArray bytes(reinterpret_cast<const char*>(data.data()), static_cast<qsizetype>(data.size()));
    QList<TReeks> punten;
    for (const QString& r : reeksen) {
        TReeks reeks;
        QString fout;
        QVERIFY2(LeesReeks(r, invoer, reeks, fout), qPrintable(fout));
        punten << reeks;
    }
    const int aantal = AantalReekspunten(punten);
    QList<TReekspunt> berekend;
    QList<QStringList> velden;
    for (int i = 0; i < aantal; ++i) {
        berekend << BerekenReekspunt(bytes, punten, i);
        velden << ReeksVelden(berekend.back(), static_cast<int>(punten.size()), true);
    }
    const QList<TGrafiek> panelen = BouwReeksgrafiek(invoer, punten, velden, rijen, alternatieven);
    QCOMPARE(panelen.size(), rijen.size());
    const bool twee = punten.size() > 1;
    const int perX = twee ? static_cast<int>(punten[1].waarden.size()) : 1;
    const int lijnen = twee ? perX : alternatieven ? 3 : 1;
    const auto gelijk = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    for (qsizetype k = 0; k < panelen.size(); ++k) {
        const TSamenvattingKolom& kolom = SamenvattingKolommen()[rijen[k]];
        QCOMPARE(panelen[k].titel, kolom.titel);
        QCOMPARE(panelen[k].series.size(), lijnen);
        for (int l = 0; l < lijnen; ++l) {
            const TGrafiekSerie& serie = panelen[k].series[l];
            QCOMPARE(serie.inLegenda, lijnen > 1 && k == panelen.size() - 1);
            QCOMPARE(serie.punten.size(), aantal / perX);
            for (int x = 0; x < aantal / perX; ++x) {
                const TReekspunt& p = berekend[twee ? x * perX + l : x];
                QCOMPARE(serie.punten[x].x(), p.waarden.value(0).toDouble());
                QVERIFY2(
                    gelijk(serie.punten[x].y(), Samenvattingswaarde(p.samenvatting, kolom.rij, twee ? 0 : l)),
                    qPrintable(QStringLiteral("%1, line %2, point %3").arg(kolom.titel).arg(l).arg(x)));
                if (twee)
                    QCOMPARE(serie.titel, p.waarden.value(1) + QStringLiteral(" - ") +
                                              Invoertitel(*invoer.Getal(punten[1].naam)));
            }
            if (!twee) QCOMPARE(serie.titel, lijnen > 1 ? VariantNaam(l) : QString());
        }
    }
}

namespace {

// JSON text of a value; in the object at `pad` the member `dubbel` stands a second time, as the
// last member (after the nested objects and lists, so that the place is known past them).
QByteArray JsonTekst(const QJsonValue& w, const QString& pad, const QString& dubbelPad,
                     const QString& dubbel) {
    if (w.isObject()) {
        const QJsonObject o = w.toObject();
        QByteArrayList leden;
        const auto lid = [&](const QString& sleutel) {
            const QString binnen = pad.isEmpty() ? sleutel : pad + QLatin1Char('.') + sleutel;
            return QJsonDocument(QJsonArray{sleutel}).toJson(QJsonDocument::Compact).mid(1).chopped(1) +
                   ": " + JsonTekst(o.value(sleutel), binnen, dubbelPad, dubbel);
        };
        for (auto it = o.begin(); it != o.end(); ++it) leden << lid(it.key());
        if (pad == dubbelPad && o.contains(dubbel)) leden << lid(dubbel);
        return "{" + leden.join(", ") + "}";
    }
    if (w.isArray()) {
        const QJsonArray a = w.toArray();
        QByteArrayList elementen;
        for (qsizetype i = 0; i < a.size(); ++i)
            elementen << JsonTekst(a[i], pad + QStringLiteral("[%1]").arg(i), dubbelPad, dubbel);
        return "[" + elementen.join(", ") + "]";
    }
    return QJsonDocument(QJsonArray{w}).toJson(QJsonDocument::Compact).mid(1).chopped(1);
}

} // namespace

void TestBatch::sleutelsOnbekendOfDubbel_data() {
    // Every object of the record: an unknown key in it, and each of its keys a second time; the
    // message names the key where it stands.
    QTest::addColumn<QString>("pad");     // the object
    QTest::addColumn<QString>("sleutel"); // the key added (unknown) or doubled
    QTest::addColumn<bool>("dubbel");
    QTest::newRow("nothing wrong") << ""
                                   << "" << false;
    const QJsonObject o = InvoerNaarJson(testdata::StandaardInvoer());
    const QList<QPair<QString, QJsonObject>> objecten{
        {QString(), o},
        {QStringLiteral("VorigeSnede"), o.value("VorigeSnede").toObject()},
        {QStringLiteral("Alternatief[0]"), o.value("Alternatief").toArray()[0].toObject()},
        {QStringLiteral("Alternatief[1]"), o.value("Alternatief").toArray()[1].toObject()}};
    for (const auto& [pad, object] : objecten) {
        for (const char* onbekend : {"Onbekend", "Soort", "Gebruik", "AantalKoeien"})
            if (!object.contains(QLatin1String(onbekend)))
                QTest::addRow("unknown %s in %s", onbekend, qPrintable(pad.isEmpty() ? "the record" : pad))
                    << pad << onbekend << false;
        for (const QString& sleutel : object.keys())
            QTest::addRow("%s twice", qPrintable(pad.isEmpty() ? sleutel : pad + '.' + sleutel))
                << pad << sleutel << true;
    }
}

void TestBatch::sleutelsOnbekendOfDubbel() {
    QFETCH(QString, pad);
    QFETCH(QString, sleutel);
    QFETCH(bool, dubbel);
    QJsonObject o = InvoerNaarJson(testdata::StandaardInvoer());
    const QString plaats = pad.isEmpty() ? sleutel : pad + QLatin1Char('.') + sleutel;
    if (!dubbel && !sleutel.isEmpty()) {
        // The unknown key goes into the object at `pad`.
        if (pad.isEmpty()) {
            o.insert(sleutel, 0);
        } else if (pad == "VorigeSnede") {
            QJsonObject v = o.value(pad).toObject();
            v.insert(sleutel, 0);
            o.insert(pad, v);
        } else {
            QJsonArray alternatieven = o.value("Alternatief").toArray();
            const int j = pad.endsWith("[1]") ? 1 : 0;
            QJsonObject a = alternatieven[j].toObject();
            a.insert(sleutel, 0);
            alternatieven[j] = a;
            o.insert("Alternatief", alternatieven);
        }
    }
    const QByteArray tekst = JsonTekst(o, QString(), dubbel ? pad : QStringLiteral("-"), sleutel);
    QJsonParseError fout{};
    const QJsonObject gelezen = QJsonDocument::fromJson(tekst, &fout).object();
    QVERIFY2(fout.error == QJsonParseError::NoError, tekst.constData());
    QCOMPARE(DubbeleSleutel(tekst), dubbel ? plaats : QString());
    TQXInvoer in;
    QString melding;
    const bool ok = InvoerUitJson(gelezen, in, melding);
    QCOMPARE(ok, dubbel || sleutel.isEmpty());
    if (!ok) QCOMPARE(melding, QStringLiteral("Onbekende sleutel \"%1\"").arg(plaats));
}

QTEST_GUILESS_MAIN(TestBatch)
#include "test_batch.moc"
