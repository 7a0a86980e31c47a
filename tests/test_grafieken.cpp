// The charts of the chart page, built from constructed detail tables: axis bounds and steps, which
// series get which points, the stacked fouled area, empty and damaged tables, and the page itself.
#include "Systeemtest.h"
#include "Testbestanden.h"
#include "components/Grafiekvlak.h"
#include "core/Reeksgrafiek.h"
#include "report/Grafiektekenaar.h"
#include "ui/GrafiekPagina.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QRadioButton>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <array>

#include <cerrno>
#include <csignal>
#include <cstring>

using namespace korvalinde;

namespace {

// Three detail tables of 12 columns and 64 rows with the program's header rows.
struct Tabellen {
    QString cel[3][12][64];

    Tabellen() {
        const QStringList kop =
            QStringLiteral("|;Biomassa|> 5 cm;Biomassa|> 0 cm;Aanbod|> 5 cm;Aanbod|> 0 cm;"
                           "Aanbod|per koe;Bijgroei|gestoord;Opname|relatief;Opname|per koe;"
                           "VO mest|cumulatief;VO urine|cumulatief;Melkprod|FPCM")
                .split(';');
        for (auto& tabel : cel)
            for (int k = 0; k < 12; ++k) {
                tabel[k][0] = kop[k].section('|', 0, 0);
                tabel[k][1] = kop[k].section('|', 1, 1);
            }
    }
    // Fills every column of variant v up to half day `laatste`, as the calculation does: columns 7 to 11
    // have no value at turn-in. The value of column k at half day c is 10 * k + c.
    void Vul(int v, int laatste) {
        for (int k = 1; k <= 11; ++k)
            for (int c = (k >= 7 ? 1 : 0); c <= laatste; ++c) cel[v][k][c + 3] = QString::number(10 * k + c);
    }
    void Zet(int v, int k, int c, const QString& tekst) { cel[v][k][c + 3] = tekst; }
    TDetailTabellen Bron() const {
        return {[this](int v, int k, int r) { return cel[v][k][r]; }};
    }
};

QList<int> Aantallen(const TGrafiekBeschrijving& b) {
    QList<int> n;
    for (const TGrafiekSerie& s : b.series) n << s.punten.size();
    return n;
}

// Saves a picture when KORVALINDE_PNG_MAP names a folder (for looking at it).
void Bewaar(const QImage& beeld, const QString& naam) {
    const QString map = qEnvironmentVariable("KORVALINDE_PNG_MAP");
    if (!map.isEmpty()) beeld.save(map + QLatin1Char('/') + naam + QStringLiteral(".png"));
}

QStringList Legenda(const TGrafiekBeschrijving& b) {
    QStringList titels;
    for (const TGrafiekSerie& s : b.series)
        if (s.inLegenda) titels << s.titel;
    return titels;
}

// The chart on the page as the widget draws it, and where its points lie.
struct Getekend {
    QImage beeld;
    TGrafiekIndeling indeling;
    explicit Getekend(TGrafiekvlak* vlak)
        : beeld(vlak->grab().toImage()), indeling(DeelIn(vlak->Panelen(), QRectF(vlak->rect()))) {}
    // The pixel within one pixel of the point that comes nearest to `kleur`: a line of width 2 does
    // not always cover its point's pixel whole.
    QColor Bij(QPointF punt, QPointF verschuiving, const QColor& kleur) const {
        const QPoint plek =
            ((indeling.panelen[0].Plek(punt) + verschuiving) * beeld.devicePixelRatio()).toPoint();
        QColor beste = beeld.pixelColor(plek);
        const auto afstand = [&kleur](const QColor& c) {
            return std::abs(c.red() - kleur.red()) + std::abs(c.green() - kleur.green()) +
                   std::abs(c.blue() - kleur.blue());
        };
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (afstand(beeld.pixelColor(plek + QPoint(dx, dy))) < afstand(beste))
                    beste = beeld.pixelColor(plek + QPoint(dx, dy));
        return beste;
    }
};

bool Bijna(const QColor& a, const QColor& b, int marge = 40) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) <=
           marge;
}

} // namespace

class TestGrafieken : public QObject {
    Q_OBJECT
  private slots:
    void waardeAs_data();
    void waardeAs();
    void series_data();
    void series();
    void waarden();
    void varianteWisselen_data();
    void varianteWisselen();
    void leeg();
    void geenGetal();
    void pagina();
    void opslaanEnKopieren();
    void opslaanMislukt_data();
    void opslaanMislukt();
    void alleDrie_data();
    void alleDrie();
    void alleDriePagina();
    void afbeeldingTitel_data();
    void afbeeldingTitel();
    void assen_data();
    void assen();
    void pixels_data();
    void pixels();
    void reekslijnen_data();
    void reekslijnen();
    void papier();
};

void TestGrafieken::waardeAs_data() {
    QTest::addColumn<int>("grafiek");
    QTest::addColumn<QStringList>("cellen"); // "variant kolom halvedag tekst"
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("stap");
    // The tables hold 10 * column + half day up to half day 20 (column 11: at most 130).
    QTest::newRow("lijnen -150 -> -200") << 1 << QStringList{"0 1 5 -150"} << -200.0 << 200.0 << 200.0;
    QTest::newRow("lijnen -400 -> -600") << 1 << QStringList{"2 2 5 -400"} << -600.0 << 200.0 << 200.0;
    QTest::newRow("400 op een stap -> 600") << 1 << QStringList{"2 4 3 400"} << 0.0 << 600.0 << 200.0;
    QTest::newRow("390 -> 400") << 1 << QStringList{"1 4 3 390"} << 0.0 << 400.0 << 200.0;
    QTest::newRow("boven 5 cm negatief") << 2 << QStringList{"1 3 5 -150"} << -200.0 << 200.0 << 200.0;
    QTest::newRow("boven 5 cm telt maaiveld niet")
        << 2 << QStringList{"0 2 5 -150", "0 4 5 5000"} << 0.0 << 200.0 << 200.0;
    QTest::newRow("maaiveld nooit onder 0") << 3 << QStringList{"0 4 5 -150"} << 0.0 << 200.0 << 200.0;
    QTest::newRow("maaiveld telt 5 cm niet")
        << 3 << QStringList{"0 1 5 5000", "2 4 1 399"} << 0.0 << 400.0 << 200.0;
    QTest::newRow("relatieve opname") << 4 << QStringList{"0 7 2 100"} << 0.0 << 110.0 << 10.0;
    QTest::newRow("relatieve opname negatief") << 4 << QStringList{"0 7 2 -15"} << 0.0 << 100.0 << 10.0;
    QTest::newRow("opname per koe") << 5 << QStringList{"1 8 2 117.5"} << 0.0 << 120.0 << 5.0;
    QTest::newRow("100 op een stap -> 105") << 5 << QStringList{} << 0.0 << 105.0 << 5.0;
    QTest::newRow("vervuild: som op een halve dag")
        << 6 << QStringList{"0 9 4 600", "0 10 4 500"} << 0.0 << 2000.0 << 1000.0;
    QTest::newRow("vervuild: elk apart")
        << 6 << QStringList{"0 9 4 600", "0 10 5 500"} << 0.0 << 1000.0 << 1000.0;
    QTest::newRow("melk") << 7 << QStringList{"2 11 7 135.0"} << 0.0 << 140.0 << 5.0;
}

void TestGrafieken::waardeAs() {
    QFETCH(int, grafiek);
    QFETCH(QStringList, cellen);
    Tabellen t;
    for (int v = 0; v < 3; ++v) t.Vul(v, 20);
    for (const QString& c : cellen) {
        const QStringList d = c.split(' ');
        t.Zet(d[0].toInt(), d[1].toInt(), d[2].toInt(), d[3]);
    }
    const TGrafiekBeschrijving b = BouwGrafiek(t.Bron(), grafiek, 0);
    QVERIFY(b.assenGezet);
    QTEST(b.waardeAs.minimum, "minimum");
    QTEST(b.waardeAs.maximum, "maximum");
    QTEST(b.waardeAs.stap, "stap");
    QCOMPARE(b.waardeAs.tussenstreepjes, 4);
}

void TestGrafieken::series_data() {
    QTest::addColumn<int>("grafiek");
    QTest::addColumn<int>("variant");
    // Points of AreaSerie1, AreaSerie2, LineSerie1..4, Nullijn.
    QTest::addColumn<QList<int>>("aantallen");
    QTest::addColumn<QStringList>("legenda");
    QTest::addColumn<double>("xMinimum");
    // Basis runs to half day 20, Alt 1 to 12, Alt 1+2 is empty.
    const QStringList biomassa{"> 5 cm Biomassa", "> 0 cm Biomassa", "> 5 cm Aanbod", "> 0 cm Aanbod"};
    QTest::newRow("1 basis") << 1 << 0 << QList<int>{0, 0, 20, 20, 20, 20, 20} << biomassa << 1.0;
    QTest::newRow("1 alt 1") << 1 << 1 << QList<int>{0, 0, 12, 12, 12, 12, 12} << biomassa << 1.0;
    QTest::newRow("1 alt 1+2 leeg") << 1 << 2 << QList<int>{0, 0, 0, 0, 0, 0, 0} << biomassa << 0.0;
    QTest::newRow("2 basis") << 2 << 0 << QList<int>{21, 21, 0, 0, 0, 0, 21}
                             << QStringList{"> 5 cm Biomassa", "> 5 cm Aanbod"} << 0.0;
    QTest::newRow("2 alt 1+2 leeg") << 2 << 2 << QList<int>{1, 1, 0, 0, 0, 0, 1}
                                    << QStringList{"> 5 cm Biomassa", "> 5 cm Aanbod"} << 0.0;
    QTest::newRow("3 alt 1") << 3 << 1 << QList<int>{13, 13, 0, 0, 0, 0, 13}
                             << QStringList{"> 0 cm Biomassa", "> 0 cm Aanbod"} << 0.0;
    QTest::newRow("4 basis") << 4 << 0 << QList<int>{0, 0, 20, 0, 0, 0, 20} << QStringList{"relatief Opname"}
                             << 1.0;
    QTest::newRow("5 alt 1") << 5 << 1 << QList<int>{0, 0, 12, 0, 0, 0, 12} << QStringList{"per koe Opname"}
                             << 1.0;
    QTest::newRow("6 basis") << 6 << 0 << QList<int>{21, 21, 0, 0, 0, 0, 0}
                             << QStringList{"cumulatief VO urine", "cumulatief VO mest"} << 0.0;
    QTest::newRow("7 alt 1") << 7 << 1 << QList<int>{0, 0, 12, 0, 0, 0, 12} << QStringList{"FPCM Melkprod"}
                             << 1.0;
}

void TestGrafieken::series() {
    QFETCH(int, grafiek);
    QFETCH(int, variant);
    Tabellen t;
    t.Vul(0, 20);
    t.Vul(1, 12);
    const TGrafiekBeschrijving b = BouwGrafiek(t.Bron(), grafiek, variant);
    QTEST(Aantallen(b), "aantallen");
    QTEST(Legenda(b), "legenda");
    QVERIFY(!b.series[Nullijn].inLegenda);
    QTEST(b.halveDagAs.minimum, "xMinimum");
    QCOMPARE(b.halveDagAs.maximum, 20.0); // the longest variant, whichever is shown
    QCOMPARE(b.halveDagAs.titel, QStringLiteral("Halve weidedagen"));
    for (const TGrafiekSerie& s : b.series) {
        if (s.punten.isEmpty()) continue;
        // Lines start at half day 1, areas and their zero line at 0; all run on without gaps.
        const bool vlakken = grafiek == 2 || grafiek == 3 || grafiek == 6;
        QCOMPARE(s.punten.first().x(), vlakken ? 0.0 : 1.0);
        QCOMPARE(s.punten.last().x(), double(b.laatsteHalveDag[variant]));
    }
}

void TestGrafieken::waarden() {
    Tabellen t;
    t.Vul(0, 20);
    t.Zet(0, 9, 4, "600");
    t.Zet(0, 10, 4, "500");
    t.Zet(0, 3, 2, "-42.5");

    const TGrafiekBeschrijving vuil = BouwGrafiek(t.Bron(), 6, 0);
    QCOMPARE(vuil.series[AreaSerie1].punten[4], QPointF(4, 1100)); // dung + urine
    QCOMPARE(vuil.series[AreaSerie2].punten[4], QPointF(4, 600));  // dung
    QCOMPARE(vuil.series[AreaSerie1].punten[7], QPointF(7, 90 + 7 + 100 + 7));
    QCOMPARE(vuil.series[AreaSerie1].punten[0], QPointF(0, 0)); // no fouling at turn-in
    QCOMPARE(vuil.series[AreaSerie1].onderrand, vuil.series[AreaSerie2].punten);

    const TGrafiekBeschrijving aanbod = BouwGrafiek(t.Bron(), 2, 0);
    QCOMPARE(aanbod.series[AreaSerie1].punten[0], QPointF(0, 10));
    QCOMPARE(aanbod.series[AreaSerie2].punten[2], QPointF(2, -42.5));
    QVERIFY(aanbod.series[AreaSerie1].onderrand.isEmpty()); // filled down to 0
    QCOMPARE(aanbod.series[Nullijn].punten[5], QPointF(5, 0));

    const TGrafiekBeschrijving lijnen = BouwGrafiek(t.Bron(), 1, 0);
    QCOMPARE(lijnen.series[LineSerie3].punten[1], QPointF(2, -42.5));
    QCOMPARE(lijnen.series[LineSerie4].punten[19], QPointF(20, 60));
}

void TestGrafieken::varianteWisselen_data() {
    QTest::addColumn<int>("grafiek");
    for (int n = 1; n <= GrafiekAantal; ++n) QTest::addRow("grafiek %d", n) << n;
}

void TestGrafieken::varianteWisselen() {
    QFETCH(int, grafiek);
    // Each variant has its own extreme, and they graze for different lengths.
    Tabellen t;
    t.Vul(0, 20);
    t.Vul(1, 60);
    t.Vul(2, 3);
    for (int k : {1, 3, 7, 8, 9, 11}) t.Zet(2, k, 2, "-3333");
    for (int k : {2, 3, 4, 7, 8, 10, 11}) t.Zet(0, k, 15, "4321");
    const TGrafiekBeschrijving basis = BouwGrafiek(t.Bron(), grafiek, 0);
    QVERIFY(basis.waardeAs.maximum > 200);
    for (int v = 1; v < 3; ++v) {
        const TGrafiekBeschrijving b = BouwGrafiek(t.Bron(), grafiek, v);
        QCOMPARE(b.waardeAs.minimum, basis.waardeAs.minimum);
        QCOMPARE(b.waardeAs.maximum, basis.waardeAs.maximum);
        QCOMPARE(b.halveDagAs.maximum, 60.0);
    }
}

void TestGrafieken::leeg() {
    Tabellen t;
    t.Vul(0, 20);
    // No chart chosen: nothing drawn, axes left alone.
    for (int n : {0, -1, 8}) {
        const TGrafiekBeschrijving b = BouwGrafiek(t.Bron(), n, 0);
        QVERIFY(!b.assenGezet);
        QCOMPARE(Aantallen(b), QList<int>(7, 0));
        QVERIFY(Legenda(b).isEmpty());
    }
    // No calculation yet: all axes at 0; lines get nothing, areas only the point (0, 0).
    const Tabellen koppen;
    for (const TDetailTabellen& bron : {koppen.Bron(), TDetailTabellen{}}) {
        for (int n = 1; n <= GrafiekAantal; ++n) {
            const TGrafiekBeschrijving b = BouwGrafiek(bron, n, 1);
            QVERIFY(b.assenGezet);
            QCOMPARE(b.waardeAs.minimum, 0.0);
            QCOMPARE(b.waardeAs.maximum, 0.0);
            QCOMPARE(b.halveDagAs.maximum, 0.0);
            const bool vlakken = n == 2 || n == 3 || n == 6;
            const QList<QPointF> verwacht = vlakken ? QList<QPointF>{QPointF(0, 0)} : QList<QPointF>();
            QCOMPARE(b.series[AreaSerie1].punten, verwacht);
            QCOMPARE(b.series[LineSerie1].punten.size(), 0);
            QCOMPARE(b.series[Nullijn].punten.size(), (n == 2 || n == 3) ? 1 : 0);
        }
    }
}

void TestGrafieken::geenGetal() {
    // A cell without a number is read as an empty cell: it neither draws nor stretches the axes.
    Tabellen t;
    t.Vul(0, 20);
    t.Zet(0, 1, 5, "abc");
    t.Zet(0, 1, 40, "1,5");
    t.Zet(0, 1, 41, "nan");
    t.Zet(0, 1, 42, "   ");
    const TGrafiekBeschrijving b = BouwGrafiek(t.Bron(), 1, 0);
    QCOMPARE(b.ongeldigeCellen, 3);
    QCOMPARE(b.hoogsteHalveDag, 20);
    QCOMPARE(b.series[LineSerie1].punten[4], QPointF(5, 0));
    QCOMPARE(b.series[LineSerie1].punten.size(), 20);
}

void TestGrafieken::pagina() {
    Tabellen t;
    t.Vul(0, 20);
    t.Vul(1, 12);
    t.Zet(1, 3, 5, "-150");
    TGrafiekPagina pagina;
    pagina.ZetDetailTabellen(t.Bron());
    pagina.resize(800, 560);
    pagina.show();

    auto* cbx = pagina.findChild<QComboBox*>("CbxGrafiek");
    auto* grp = pagina.findChild<QGroupBox*>("GrpGrafiek");
    auto* grafiek = pagina.findChild<TGrafiekvlak*>("Grafiek");
    QVERIFY(cbx && grp && grafiek);
    QCOMPARE(cbx->count(), 7);
    QCOMPARE(cbx->itemText(6), QStringLiteral("Melkproductie (FPCM)"));
    QCOMPARE(cbx->currentIndex(), -1);
    QCOMPARE(cbx->placeholderText(), QStringLiteral("Kies een grafiek"));
    const auto knoppen = grp->findChildren<QRadioButton*>();
    QCOMPARE(knoppen.size(), 3);
    QCOMPARE(knoppen[2]->text(), QStringLiteral("Alt 1+2"));
    QVERIFY(knoppen[0]->isChecked());

    // What the widget draws: the seven series in the table's order, none in the legend yet.
    auto getekend = [grafiek] { return grafiek->Panelen().value(0); };
    QCOMPARE(getekend().series.size(), 7);
    QCOMPARE(getekend().series[0].naam, QStringLiteral("AreaSerie1"));
    QCOMPARE(getekend().series[6].naam, QStringLiteral("Nullijn"));
    auto inLegenda = [&] {
        int n = 0;
        for (const TGrafiekSerie& s : getekend().series) n += s.inLegenda;
        return n;
    };
    QCOMPARE(inLegenda(), 0);

    cbx->setCurrentIndex(1); // "Grasaanbod boven 5 cm" redraws by itself
    QCOMPARE(pagina.Beschrijving().grafiek, 2);
    QCOMPARE(getekend().series[0].punten.size(), 21);
    QCOMPARE(getekend().series[0].titel, QStringLiteral("> 5 cm Biomassa"));
    QCOMPARE(inLegenda(), 2);
    QCOMPARE(getekend().yAs.minimum, -200.0);
    QCOMPARE(getekend().yAs.maximum, 200.0);
    QCOMPARE(getekend().yAs.tussenstreepjes, 4);
    // The nearest point's series, half day and value under the mouse.
    const TGrafiekIndeling indeling = DeelIn(grafiek->Panelen(), QRectF(grafiek->rect()));
    QCOMPARE(grafiek->TipBij(indeling.panelen[0].Plek({4, 34}) + QPointF(2, 1)),
             QStringLiteral("> 5 cm Aanbod\nHalve weidedagen: 4\nkg ds/ha: 34"));
    QCOMPARE(grafiek->TipBij(QPointF(2, 2)), QString());

    knoppen[1]->click(); // Alt 1: shorter, same value axis
    QCOMPARE(pagina.Beschrijving().variant, 1);
    QCOMPARE(getekend().series[0].punten.size(), 13);
    QCOMPARE(getekend().yAs.minimum, -200.0);

    cbx->setCurrentIndex(3); // one line and the zero line
    QCOMPARE(inLegenda(), 1);
    QCOMPARE(getekend().series[2].punten.size(), 12);
    QCOMPARE(getekend().yAs.maximum, 100.0);

    // After a recalculation the main window asks for a redraw.
    t.Vul(1, 30);
    pagina.CbxGrafiekChange();
    QCOMPARE(getekend().series[2].punten.size(), 30);
    QCOMPARE(getekend().yAs.maximum, 110.0);

    // A fouled area of 19000 m2 cannot label every 1000 m2: the labels thin out, the bounds stay.
    for (int c = 1; c <= 30; ++c) t.Zet(1, 10, c, QString::number(600 * c));
    cbx->setCurrentIndex(5);
    QCOMPARE(getekend().yAs.maximum, 19000.0);
    const double labelStap = DeelIn(grafiek->Panelen(), QRectF(grafiek->rect())).panelen[0].yStap;
    QVERIFY(labelStap >= 2000);
    QCOMPARE(std::fmod(labelStap, 1000.0), 0.0);

    cbx->setCurrentIndex(-1); // no chart: emptied, axes stay
    QCOMPARE(inLegenda(), 0);
    QCOMPARE(getekend().series[2].punten.size(), 0);
    QCOMPARE(getekend().yAs.maximum, 19000.0);

    // No results at all: the axes start at 0 and show one step.
    pagina.ZetDetailTabellen({});
    cbx->setCurrentIndex(0);
    QCOMPARE(getekend().yAs.minimum, 0.0);
    QCOMPARE(getekend().yAs.maximum, 0.0);
    QCOMPARE(DeelIn(grafiek->Panelen(), QRectF(grafiek->rect())).panelen[0].yHoog, 200.0);
}

void TestGrafieken::opslaanEnKopieren() {
    Tabellen t;
    t.Vul(0, 20);
    TGrafiekPagina pagina;
    pagina.ZetDetailTabellen(t.Bron());
    pagina.CbxGrafiek()->setCurrentIndex(5);
    QStringList fouten;
    pagina.ToonFout = [&](const QString& melding) { fouten << melding; };
    QTemporaryDir map;
    QString antwoord;
    QString voorstel;
    pagina.VraagBestandsnaam = [&](QWidget*, const QString& v) {
        voorstel = v;
        return antwoord;
    };

    antwoord = map.filePath("vervuild"); // ".png" is added
    pagina.MitGrafiekOpslaan()->trigger();
    QCOMPARE(voorstel, QStringLiteral("Vervuild oppervlak.png"));
    QImage beeld(map.filePath("vervuild.png"));
    QCOMPARE(beeld.size(), QSize(2 * 745, 2 * 481));
    QVERIFY(fouten.isEmpty());
    // The whole chart at twice the size, not a part of it: the brown dung area covers four times as
    // many pixels as on screen.
    auto bruin = [](const QImage& b) {
        int n = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x) n += b.pixelColor(x, y) == QColor(128, 64, 0);
        return n;
    };
    const int opScherm = bruin(pagina.GrafiekAfbeelding(1));
    QVERIFY(opScherm > 1000);
    QVERIFY(qAbs(bruin(beeld) - 4 * opScherm) < opScherm / 5);

    antwoord.clear(); // cancelled
    QVERIFY(!pagina.GrafiekOpslaan());
    antwoord = map.filePath("bestaat/niet/grafiek.png");
    QVERIFY(!pagina.GrafiekOpslaan());
    QCOMPARE(fouten.size(), 1);
    QVERIFY(fouten[0].startsWith("De grafiek kon niet worden opgeslagen"));

    pagina.MitGrafiekKopieren()->trigger();
    QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(2 * 745, 2 * 481));
}

void TestGrafieken::opslaanMislukt_data() {
    QTest::addColumn<QString>("geval");
    QTest::addColumn<QString>("reden");
    // The system's own reason, in the language of the desktop.
    QTest::newRow("size limit") << "grens" << QString::fromLocal8Bit(std::strerror(EFBIG));
    QTest::newRow("read-only picture") << "alleenlezen"
                                       << "alleen-lezen";
    QTest::newRow("link to a device") << "apparaat"
                                      << "geen gewoon bestand";
    QTest::newRow("FIFO") << "fifo"
                          << "geen gewoon bestand";
}

void TestGrafieken::opslaanMislukt() {
    // A picture that cannot be written whole gives the error box and leaves the earlier file.
    QFETCH(QString, geval);
    QFETCH(QString, reden);
    if (geval != "alleenlezen") KORVALINDE_ALLEEN_POSIX("no file-size limit, device or FIFO on Windows");
    Tabellen t;
    t.Vul(0, 20);
    TGrafiekPagina pagina;
    pagina.ZetDetailTabellen(t.Bron());
    QStringList fouten;
    pagina.ToonFout = [&](const QString& melding) { fouten << melding; };
    QTemporaryDir map;
    const QString pad = map.filePath("grafiek.png");
    pagina.VraagBestandsnaam = [&](QWidget*, const QString&) { return pad; };
    if (geval == "grens" || geval == "alleenlezen") {
        QFile oud(pad);
        QVERIFY(oud.open(QIODevice::WriteOnly));
        oud.write("oud");
    }
    if (geval == "alleenlezen") QVERIFY(chmod(QFile::encodeName(pad), 0444) == 0);
    if (geval == "apparaat") QVERIFY(QFile::link("/dev/null", pad));
    if (geval == "fifo") QVERIFY(mkfifo(QFile::encodeName(pad), 0644) == 0);
    const QStringList voor = QDir(map.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    {
        const testbestand::Bestandsgrens grens(geval == "grens" ? 1000 : 0);
        QVERIFY(!pagina.GrafiekOpslaan());
    }
    QCOMPARE(fouten.size(), 1);
    QVERIFY2(fouten[0].startsWith("De grafiek kon niet worden opgeslagen") && fouten[0].contains(reden),
             qPrintable(fouten[0]));
    QCOMPARE(QDir(map.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), voor);
    if (geval == "grens" || geval == "alleenlezen") {
        QFile oud(pad);
        QVERIFY(oud.open(QIODevice::ReadOnly));
        QCOMPARE(oud.readAll(), QByteArray("oud"));
    }
    QVERIFY(!QFileInfo(QStringLiteral("/dev/null")).isFile());
}

void TestGrafieken::alleDrie_data() {
    QTest::addColumn<int>("grafiek");
    QTest::addColumn<int>("alt12"); // last half day of Alt 1+2; 0: no results
    QTest::addColumn<QStringList>("titels");
    QTest::addColumn<int>("nullijn"); // points of the zero line
    const QStringList v{" (Basis)", " (Alt 1)", " (Alt 1+2)"};
    auto maal = [&](const QStringList& series, int varianten) {
        QStringList t;
        for (const QString& s : series)
            for (int i = 0; i < varianten; ++i) t << s + v[i];
        return t;
    };
    const QStringList biomassa{"> 5 cm Biomassa", "> 0 cm Biomassa", "> 5 cm Aanbod", "> 0 cm Aanbod"};
    // Basis runs to half day 20, Alt 1 to 12.
    QTest::newRow("1 lijnen") << 1 << 30 << maal(biomassa, 3) << 30;
    QTest::newRow("1 alt 1+2 leeg") << 1 << 0 << maal(biomassa, 2) << 20;
    QTest::newRow("2 vlakken als lijnen") << 2 << 30 << maal({"> 5 cm Biomassa", "> 5 cm Aanbod"}, 3) << 31;
    QTest::newRow("3 vlakken als lijnen") << 3 << 30 << maal({"> 0 cm Biomassa", "> 0 cm Aanbod"}, 3) << 31;
    QTest::newRow("5 een lijn") << 5 << 30 << maal({"per koe Opname"}, 3) << 30;
    QTest::newRow("6 totaal en mest") << 6 << 30 << maal({"VO mest + urine", "cumulatief VO mest"}, 3) << 0;
    QTest::newRow("7 melk") << 7 << 5 << maal({"FPCM Melkprod"}, 3) << 20;
}

void TestGrafieken::alleDrie() {
    QFETCH(int, grafiek);
    QFETCH(int, alt12);
    QFETCH(QStringList, titels);
    Tabellen t;
    t.Vul(0, 20);
    t.Vul(1, 12);
    if (alt12 > 0) t.Vul(2, alt12);
    const TGrafiekBeschrijving b = BouwGrafiek(t.Bron(), grafiek, GrafiekAlleVarianten);
    QCOMPARE(b.variant, GrafiekAlleVarianten);
    QVERIFY(Legenda(b).isEmpty()); // the seven series draw nothing but the zero line
    for (int i = 0; i < Nullijn; ++i) QVERIFY(b.series[i].punten.isEmpty());
    QTEST(int(b.series[Nullijn].punten.size()), "nullijn");

    QStringList gezien;
    QSet<quint32> kleuren;
    const TGrafiekBeschrijving basis = BouwGrafiek(t.Bron(), grafiek, 0);
    for (const TGrafiekSerie& s : b.variantLijnen) {
        gezien << s.titel;
        kleuren.insert(s.kleur);
        QVERIFY(s.inLegenda);
        QCOMPARE(s.soort, TSerieSoort::Lijn);
        QVERIFY(s.onderrand.isEmpty());
        // Each line runs to its own variant's last half day, with that variant's values.
        const int v = s.titel.endsWith("(Basis)") ? 0 : s.titel.endsWith("(Alt 1)") ? 1 : 2;
        QCOMPARE(s.lijnStijl, (std::array{Qt::SolidLine, Qt::DashLine, Qt::DotLine})[v]);
        QCOMPARE(s.punten.last().x(), double(b.laatsteHalveDag[v]));
        const TGrafiekBeschrijving een = BouwGrafiek(t.Bron(), grafiek, v);
        bool gevonden = false;
        for (const TGrafiekSerie& e : een.series) gevonden |= !e.punten.isEmpty() && e.punten == s.punten;
        QVERIFY2(gevonden, qPrintable(s.titel));
    }
    QTEST(gezien, "titels");
    QCOMPARE(kleuren.size(), int(b.variantLijnen.size())); // no two lines alike in colour
    QCOMPARE(b.waardeAs.minimum, basis.waardeAs.minimum);  // the same axes as one variant
    QCOMPARE(b.waardeAs.maximum, basis.waardeAs.maximum);
    QCOMPARE(b.halveDagAs.maximum, double(std::max(20, alt12)));
}

void TestGrafieken::alleDriePagina() {
    Tabellen t;
    t.Vul(0, 20);
    t.Vul(1, 12);
    t.Vul(2, 30);
    TGrafiekPagina pagina;
    pagina.ZetDetailTabellen(t.Bron());
    pagina.resize(800, 560);
    pagina.show();
    auto getekend = [&pagina] { return pagina.Grafiek()->Panelen().value(0); };
    auto zichtbareMarkers = [&] {
        QStringList namen;
        for (const TGrafiekSerie& s : getekend().series)
            if (s.inLegenda) namen << s.titel;
        return namen;
    };
    QRadioButton* alle = pagina.RbtAlleVarianten();
    QVERIFY(alle && alle->text() == QStringLiteral("Alle drie"));
    QCOMPARE(pagina.GrpGrafiek()->findChildren<QRadioButton*>().size(), 3); // the group as it was
    pagina.CbxGrafiek()->setCurrentIndex(0);
    alle->click();
    QCOMPARE(pagina.GrpGrafiekItemIndex(), GrafiekAlleVarianten);
    QCOMPARE(getekend().series.size(), 7 + 12);
    const QStringList legenda = zichtbareMarkers();
    QCOMPARE(legenda.size(), 12);
    QCOMPARE(legenda.first(), QStringLiteral("> 5 cm Biomassa (Basis)"));
    QCOMPARE(legenda.last(), QStringLiteral("> 0 cm Aanbod (Alt 1+2)"));
    const TGrafiekSerie alt1 = getekend().series[7 + 1];
    QCOMPARE(alt1.punten.size(), 12);
    QCOMPARE(alt1.lijnStijl, Qt::DashLine);
    QCOMPARE(alt1.kleur, VariantKleur(LineSerie1, 1));
    Bewaar(pagina.GrafiekAfbeelding(1), QStringLiteral("grafiek-alle-drie"));

    pagina.CbxGrafiek()->setCurrentIndex(5); // another chart: the lines of the last one are gone
    QCOMPARE(getekend().series.size(), 7 + 6);
    Bewaar(pagina.GrafiekAfbeelding(1), QStringLiteral("grafiek-alle-drie-vervuild"));
    pagina.ZetGrpGrafiekItemIndex(1); // back to one variant: the seven series as before
    QCOMPARE(getekend().series.size(), 7);
    QCOMPARE(zichtbareMarkers(), (QStringList{"cumulatief VO urine", "cumulatief VO mest"}));
}

void TestGrafieken::afbeeldingTitel_data() {
    QTest::addColumn<int>("grafiek");
    QTest::addColumn<int>("variant");
    QTest::addColumn<QString>("titel");
    QTest::newRow("basis") << 6 << 0 << "Vervuild oppervlak (Basis)";
    QTest::newRow("alt 1") << 2 << 1 << "Grasaanbod boven 5 cm (Alt 1)";
    QTest::newRow("alt 1+2") << 7 << 2 << "Melkproductie (FPCM) (Alt 1+2)";
    QTest::newRow("alle drie") << 1 << 3 << "Grasaanbod en biomassa (Basis, Alt 1 en Alt 1+2)";
    QTest::newRow("geen grafiek") << 0 << 0 << "";
}

void TestGrafieken::afbeeldingTitel() {
    // The saved and the copied picture carry the chart's name and variants; the screen keeps no title.
    QFETCH(int, grafiek);
    QFETCH(int, variant);
    Tabellen t;
    for (int v = 0; v < 3; ++v) t.Vul(v, 20);
    TGrafiekPagina pagina;
    pagina.ZetDetailTabellen(t.Bron());
    pagina.resize(800, 560);
    pagina.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pagina));
    pagina.CbxGrafiek()->setCurrentIndex(grafiek - 1);
    pagina.ZetGrpGrafiekItemIndex(variant);
    QTEST(pagina.AfbeeldingTitel(), "titel");
    QCoreApplication::processEvents(); // the chart lays itself out for the new series

    // Dark pixels in the band above the plot: text that the chart on screen does not have there.
    auto tekstInKop = [](const QImage& b) {
        int n = 0;
        for (int y = 0; y < 16 * b.devicePixelRatio(); ++y)
            for (int x = b.width() / 4; x < 3 * b.width() / 4; ++x) n += qGray(b.pixel(x, y)) < 100;
        return n;
    };
    const QImage scherm = pagina.Grafiek()->grab().toImage();
    const QImage beeld = pagina.GrafiekAfbeelding(1);
    Bewaar(beeld, QStringLiteral("grafiek-titel-") + QTest::currentDataTag());
    QCOMPARE(tekstInKop(scherm), 0);
    QCOMPARE(tekstInKop(beeld) > 50, grafiek > 0);
    QVERIFY(pagina.Grafiek()->Panelen().value(0).titel.isEmpty());
    QCOMPARE(pagina.Grafiek()->grab().toImage(), scherm); // the screen as it was
    pagina.GrafiekKopieren();
    QCOMPARE(tekstInKop(QGuiApplication::clipboard()->image()) > 50, grafiek > 0);
}

void TestGrafieken::assen_data() {
    QTest::addColumn<int>("grafiek");
    QTest::addColumn<int>("halveDagen");
    QTest::addColumn<double>("waardeStap"); // labelled step of the value axis
    QTest::addColumn<double>("dagStap");    // labelled step of the half days
    QTest::addColumn<qreal>("verhouding");  // pixels per pixel of the screen
    QTest::newRow("biomassa 20") << 1 << 20 << 200.0 << 2.0 << 1.0;
    QTest::newRow("opname 60") << 5 << 60 << 10.0 << 5.0 << 1.0;
    QTest::newRow("vervuild 60, dunner gelabeld") << 6 << 60 << 1000.0 << 5.0 << 1.0;
    QTest::newRow("melk 37, 2x") << 7 << 37 << 10.0 << 2.0 << 2.0;
}

void TestGrafieken::assen() {
    // Labels on whole steps from 0, thinned where they would not fit; the value axis shows its minor
    // ticks as marks, at the screen's ratio too.
    QFETCH(int, grafiek);
    QFETCH(int, halveDagen);
    QFETCH(qreal, verhouding);
    Tabellen t;
    for (int v = 0; v < 3; ++v) t.Vul(v, halveDagen);
    TGrafiekPagina pagina;
    pagina.ZetDetailTabellen(t.Bron());
    pagina.resize(800, 560);
    pagina.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pagina));
    pagina.CbxGrafiek()->setCurrentIndex(grafiek - 1);
    const QList<TGrafiek> panelen = pagina.Grafiek()->Panelen();
    const QRectF vak(pagina.Grafiek()->rect());
    const TGrafiekIndeling::Paneel paneel = DeelIn(panelen, vak).panelen[0];
    QTEST(paneel.yStap, "waardeStap");
    QTEST(paneel.xStap, "dagStap");

    const QImage beeld = GrafiekAfbeelding(panelen, vak.size().toSize(), verhouding);
    QCOMPARE(beeld.size(), (vak.size() * verhouding).toSize());
    Bewaar(beeld,
           QStringLiteral("grafiek-assen-") + QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-'));
    // Where labels were thinned out, every step of the axis keeps a mark; else the step's minor ticks.
    const TGrafiekAs& as = panelen[0].yAs;
    const double perStreep = paneel.yStap > as.stap ? as.stap : paneel.yStap / (as.tussenstreepjes + 1);
    const QPointF streep = paneel.Plek({paneel.xLaag, paneel.yLaag + perStreep});
    int donker = 0;
    for (int dx = 1; dx <= 3; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            donker += qGray(beeld.pixel(int((streep.x() - dx) * verhouding),
                                        int(std::lround(streep.y() * verhouding)) + dy)) < 200;
    QVERIFY2(donker > 0, "no minor tick on the value axis");
}

void TestGrafieken::pixels_data() {
    // What the description cannot show: the painter puts a colour where a point of it lies.
    QTest::addColumn<int>("grafiek");
    QTest::addColumn<QPointF>("punt");
    QTest::addColumn<QPointF>("verschuiving"); // in pixels from the point
    QTest::addColumn<QColor>("kleur");
    QTest::newRow("navy line where its point lies") << 4 << QPointF(10, 80) << QPointF() << QColor(0, 0, 128);
    QTest::newRow("green line over the navy one") << 1 << QPointF(10, 30) << QPointF() << QColor(0, 128, 0);
    QTest::newRow("zero line over the areas") << 2 << QPointF(10.5, 0) << QPointF() << QColor(0, 0, 0);
    QTest::newRow("brown dung area in front") << 6 << QPointF(10, 50) << QPointF() << QColor(128, 64, 0);
    QTest::newRow("yellow urine band on top") << 6 << QPointF(10, 150) << QPointF() << QColor(255, 255, 128);
    QTest::newRow("nothing above the total") << 6 << QPointF(9.5, 250) << QPointF() << QColor(255, 255, 255);
}

void TestGrafieken::pixels() {
    QFETCH(int, grafiek);
    QFETCH(QPointF, punt);
    QFETCH(QPointF, verschuiving);
    QFETCH(QColor, kleur);
    Tabellen t;
    for (int v = 0; v < 3; ++v) t.Vul(v, 20); // column k at half day c holds 10 k + c
    for (int c = 0; c <= 20; ++c) {
        t.Zet(0, 9, c, QStringLiteral("100")); // dung 100, urine 100: total 200
        t.Zet(0, 10, c, QStringLiteral("100"));
        t.Zet(0, 1, c, QStringLiteral("-100")); // biomass below 5 cm: the zero line is inside the chart
    }
    TGrafiekPagina pagina;
    pagina.ZetDetailTabellen(t.Bron());
    pagina.resize(800, 560);
    pagina.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pagina));
    pagina.CbxGrafiek()->setCurrentIndex(grafiek - 1);
    const Getekend beeld(pagina.Grafiek());
    Bewaar(beeld.beeld, QStringLiteral("grafiek-pixels-%1").arg(grafiek));
    const QColor gezien = beeld.Bij(punt, verschuiving, kleur);
    QVERIFY2(Bijna(gezien, kleur), qPrintable(gezien.name()));
}

void TestGrafieken::reekslijnen_data() {
    QTest::addColumn<int>("lijnen");
    QTest::newRow("3") << 3;
    QTest::newRow("20") << 20;
    QTest::newRow("40") << 40;
}

void TestGrafieken::reekslijnen() {
    // A sweep over a second input: every line its own colour or style, and a legend that wraps (its
    // rows grow with the lines) instead of cutting names off.
    QFETCH(int, lijnen);
    QSet<QPair<quint32, int>> gezien;
    for (int l = 0; l < lijnen; ++l) gezien.insert({ReekslijnKleur(l), static_cast<int>(ReekslijnStijl(l))});
    QCOMPARE(gezien.size(), lijnen);
    QCOMPARE(ReekslijnKleur(0), Rgb(0, 0, 128));

    TGrafiek g;
    g.legenda = TLegendaPlaats::Onder;
    for (int l = 0; l < lijnen; ++l) {
        TGrafiekSerie s;
        s.titel = QStringLiteral("%1 - Aantal melkgevende koeien (stuks)").arg(10 * (l + 1));
        s.inLegenda = true;
        s.punten = {{1, double(l)}, {2, double(l + 1)}};
        g.series << s;
    }
    g.xAs = MooieAs(1, 2, QStringLiteral("Perceelsgrootte (ha)"));
    g.yAs = MooieAs(0, lijnen, QString());
    const int hoogte = GrafiekHoogte({g}, ReeksgrafiekBreedte, ReeksgrafiekPaneelHoogte);
    const int perRij = 18;
    const int rijen = (hoogte - ReeksgrafiekPaneelHoogte) / perRij;
    QVERIFY2(rijen >= lijnen / 4, qPrintable(QString::number(hoogte)));
    // The plot keeps the panel's height: the legend comes below it.
    const QImage beeld = GrafiekAfbeelding({g}, QSize(ReeksgrafiekBreedte, hoogte));
    const auto paneel = DeelIn({g}, QRectF(0, 0, ReeksgrafiekBreedte, hoogte)).panelen[0];
    QVERIFY(paneel.plot.height() > ReeksgrafiekPaneelHoogte / 2);
    Bewaar(beeld, QStringLiteral("reeks-%1-lijnen").arg(lijnen));
    // A title wider than a narrow pane wraps over more lines: the plot starts lower than in a wide one.
    g.titel = QStringLiteral("Benuttingspercentage (boven stoppel) (% van totale aanbod)");
    const auto plotBoven = [&g](double breedte) {
        return DeelIn({g}, QRectF(0, 0, breedte, ReeksgrafiekPaneelHoogte)).panelen[0].plot.top();
    };
    QVERIFY2(plotBoven(280) > plotBoven(ReeksgrafiekBreedte), qPrintable(QString::number(plotBoven(280))));
}

void TestGrafieken::papier() {
    // On a PDF page the chart has the size and the text sizes it has on a screen of 96 dpi.
    QTemporaryDir map;
    Tabellen t;
    t.Vul(0, 20);
    const TGrafiekBeschrijving b = BouwGrafiek(t.Bron(), 1, 0);
    QPdfWriter pdf(map.filePath(QStringLiteral("grafiek.pdf")));
    pdf.setResolution(1200);
    QPainter schilder(&pdf);
    const QSizeF maat = SchaalNaarSchermmaat(schilder, pdf);
    QVERIFY2(std::abs(maat.width() - pdf.width() * 96.0 / 1200) < 1,
             qPrintable(QString::number(maat.width())));
    TekenGrafiek(schilder, {TeTekenenGrafiek(b)}, QRectF(QPointF(0, 0), QSizeF(745, 481)));
    QVERIFY(schilder.end());
    QVERIFY(QFileInfo(map.filePath(QStringLiteral("grafiek.pdf"))).size() > 1000);
}

QTEST_MAIN(TestGrafieken)
#include "test_grafieken.moc"
