// The printed report: its pages written to PDF and read back with pdftotext, so that labels and
// values are checked where they land on the sheet (text area 774 twips from the left edge of the
// paper and 1440 from its top, whatever the printer's border); the bands and their colours; the
// footer; the supplements table; the landscape warning; a model error shown once; unwritable files.
#include "components/Afdrukvoorbeeld.h"
#include "report/Rapport.h"
#include "ui/Rapportopdrachten.h"

#include "ModelInvoer.h"
#include "core/Invoerset.h"
#include "domain/Bedrijfsmodel.h"

#include <QtTest>

#include <QComboBox>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <array>
#include <memory>

using namespace korvalinde;

namespace {

constexpr double TwipsPerPunt = 20.0;

struct Woord {
    int pagina;
    QString tekst;
    double xMin, yMin, xMax, yMax; // points from the sheet's top-left corner
};

struct PdfTekst {
    QList<Woord> woorden;
    QList<QSizeF> paginas; // sheet sizes in points

    const Woord* Zoek(int pagina, const QString& tekst, double y = -1) const {
        for (const Woord& w : woorden)
            if (w.pagina == pagina && w.tekst == tekst && (y < 0 || qAbs(w.yMin - y) < 3)) return &w;
        return nullptr;
    }
    // The words of one text line of a page, from left to right.
    QStringList Regel(int pagina, double y) const {
        QList<const Woord*> regel;
        for (const Woord& w : woorden)
            if (w.pagina == pagina && qAbs(w.yMin - y) < 3) regel << &w;
        std::sort(regel.begin(), regel.end(),
                  [](const Woord* a, const Woord* b) { return a->xMin < b->xMin; });
        QStringList teksten;
        for (const Woord* w : regel) teksten << w->tekst;
        return teksten;
    }
    bool Bevat(int pagina, const QString& tekst) const { return Zoek(pagina, tekst) != nullptr; }
};

bool HeeftPdftotext() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

PdfTekst LeesPdf(const QString& pdf) {
    PdfTekst uit;
    QProcess proces;
    proces.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!proces.waitForFinished(20000)) return uit;
    const QString tekst = QString::fromUtf8(proces.readAllStandardOutput());
    static const QRegularExpression regel(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (auto it = regel.globalMatch(tekst); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            uit.paginas << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
            continue;
        }
        QString woord = m.captured(7);
        woord.replace(QStringLiteral("&apos;"), QStringLiteral("'"))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        uit.woorden.append({int(uit.paginas.size()), woord, m.captured(3).toDouble(),
                            m.captured(4).toDouble(), m.captured(5).toDouble(), m.captured(6).toDouble()});
    }
    return uit;
}

// Position on the paper, in points, of the text grid: row r, column k.
double PapierX(double kolom) {
    return (774 + 333 * kolom) / TwipsPerPunt;
}
double PapierY(double rij) {
    return (1440 + 280 * rij) / TwipsPerPunt;
}

// Labels and units of the summary table, as the result page shows them.
const char* const SamenvattingLabels[30][2] = {
    {"", ""},
    {"GRASAANBOD", ""},
    {"      Aantal weidedagen", "(dagen)"},
    {"      Oppervlakte perceel", "(ha)"},
    {"      Weiderest", "(kg ds/ha)"},
    {"      Aanbod bij inscharen (boven stoppel)", "(kg ds/ha)"},
    {"      Aanbod/koe (boven stoppel)", "(kg ds)"},
    {"", ""},
    {"GRASOPNAME", ""},
    {"      Gem. opname beweiding", "(kg ds/koe/dag)"},
    {"      Grasopname dag 1", "(kg ds/koe)"},
    {"      Grasopname laatste dag", "(kg ds/koe)"},
    {"      Afname grasopname ", "(% van dag 1)"},
    {"", ""},
    {"VERLIEZEN", ""},
    {"      Benuttingspercentage (boven stoppel)", "(% van totale aanbod)"},
    {"", ""},
    {"BIJVOEDING", ""},
    {"      Opname snijmais", "(kg ds/koe/dag)"},
    {"      Opname graskuil", "(kg ds/koe/dag)"},
    {"      Opname krachtvoer", "(kg ds/koe/dag)"},
    {"      Verdrongen gras", "(kg ds/koe/dag)"},
    {"      Verdringingspercentage", "(% van gras zonder bijv)"},
    {"      Totale gemiddelde ds opname", "(kg ds/koe/dag)"},
    {"", ""},
    {"POTENTIELE MELKPRODUCTIE", ""},
    {"      Gemiddelde melkgift", "(kg FPCM/koe/dag)"},
    {"      Melkgift dag 1", "(kg FPCM/koe/dag)"},
    {"      Melkgift laatste dag", "(kg FPCM/koe/dag)"},
    {"      Afname melkgift", "(kg FPCM/koe/dag)"},
};

QImage Plaatje(QSize maat, QColor kleur) {
    QImage beeld(maat, QImage::Format_RGB32);
    beeld.fill(kleur);
    return beeld;
}

QPageLayout A4(double zijkant, double boven) {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(zijkant, boven, zijkant, boven), QPageLayout::Point);
}

QString PlaatjesMap() {
    return qEnvironmentVariable("KORVALINDE_PLAATJES");
}

} // namespace

class TestRapport : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void rasterOpPapier_data();
    void rasterOpPapier();
    void voederRegels_data();
    void voederRegels();
    void invoersetNaam_data();
    void invoersetNaam();
    void banden();
    void paginaDrieActueel();
    void liggendePrinter_data();
    void liggendePrinter();
    void printdialoogGeannuleerd();
    void voorbeeldOpScherm();
    void modelFoutEenmaal_data();
    void modelFoutEenmaal();
    void pdfFouten_data();
    void pdfFouten();
    void programmaPlaatjes();

  private:
    TRapportGegevens Gegevens();
    QString Pdf(const QString& naam, const QPageLayout& layout = TZnPreview::StandaardPdfLayout());

    QTemporaryDir m_map;
    std::unique_ptr<TInvoerset> m_set;
    TQXInvoer m_invoer;
    TQXUitvoer m_uitvoer;
    std::array<std::array<QString, 5>, 30> m_tabel;
    QString m_modelFout;
    QString m_leesFout;
    QString m_bestand;
    QStringList m_log;
    QStringList m_waarschuwingen;
    QStringList m_modelFouten;
};

void TestRapport::initTestCase() {
    QVERIFY(m_map.isValid());
}

void TestRapport::init() {
    // The default scenario with alternative 1 "Oppervlakte perceel" 3.0 ha and alternative 2
    // "Opname ds krachtvoer" 2.0 kg.
    m_set = std::make_unique<TInvoerset>();
    m_set->ZetStandaardwaarden();
    m_set->CbxAlt1->KiesItem(1);
    m_set->SpeAlt1->SetValue(3.0);
    m_set->CbxAlt2->KiesItem(6);
    m_set->SpeAlt2->SetValue(2.0);
    m_invoer = testdata::StandaardInvoer();
    m_invoer.Alternatief = {{{AltOppervlakte, 3.0f}, {AltKrachtvoer, 2.0f}}};
    // The summary table as the window holds it: labels, and no results yet.
    for (int r = 0; r < 30; ++r) {
        m_tabel[r] = {QString::fromLatin1(SamenvattingLabels[r][0]),
                      QString::fromLatin1(SamenvattingLabels[r][1]), QString(), QString(), QString()};
    }
    m_tabel[0][2] = QStringLiteral("   Basis");
    m_tabel[0][3] = QStringLiteral("   Alternatief 1");
    m_tabel[0][4] = QStringLiteral("   Alternatief 1+2");
    m_modelFout.clear();
    m_leesFout.clear();
    m_bestand.clear();
    m_log.clear();
    m_waarschuwingen.clear();
    m_modelFouten.clear();
}

TRapportGegevens TestRapport::Gegevens() {
    TRapportGegevens g;
    g.Doorrekenen = [this] {
        m_log << QStringLiteral("reken");
        if (!m_leesFout.isEmpty()) throw EKorvalindeFout(m_leesFout);
        m_uitvoer.Leegmaken();
        TBedrijf bedrijf;
        bedrijf.Bereken(m_invoer, m_uitvoer);
        return TRapportBerekening{m_invoer, m_modelFout};
    };
    g.Invoerset = m_set.get();
    g.SamenvattingVullen = [this] {
        m_log << QStringLiteral("vul");
        for (int k = 2; k <= 4; ++k)
            for (int r = 1; r <= 29; ++r)
                m_tabel[r][k] = QStringLiteral("   ") + QString::fromStdString(m_uitvoer.arsam[k][r]);
    };
    g.SamenvattingCel = [this](int k, int r) { return m_tabel[r][k]; };
    g.Versie = QStringLiteral("2010.00");
    g.Datum = QStringLiteral("5 februari 2010");
    g.Bestandsnaam = m_bestand;
    g.Vandaag = QDate(2024, 3, 5);
    g.Product = {Plaatje(QSize(260, 169), QColor(120, 180, 90)), QSize(260, 169)};
    g.MakerLogo = {Plaatje(QSize(240, 64), QColor(60, 120, 40)), QSize(240, 64)};
    g.ProjectLogo = {Plaatje(QSize(240, 64), QColor(180, 130, 90)), QSize(240, 64)};
    g.BedrijfMaat = QSize(120, 80);
    g.Waarschuwing = [this](const QString& t) { m_waarschuwingen << t; };
    g.ModelFoutMelden = [this](const QString& t) { m_modelFouten << t; };
    g.Bezig = [this](bool bezig) { m_log << (bezig ? QStringLiteral("bezig") : QStringLiteral("klaar")); };
    return g;
}

QString TestRapport::Pdf(const QString& naam, const QPageLayout& layout) {
    const QString pad = m_map.filePath(naam);
    QString melding;
    const bool gelukt = SchrijfRapportPdf(pad, Gegevens(), &melding, layout);
    if (!gelukt) qWarning() << melding;
    if (gelukt && !PlaatjesMap().isEmpty()) {
        QFile::remove(PlaatjesMap() + QLatin1Char('/') + naam);
        QFile::copy(pad, PlaatjesMap() + QLatin1Char('/') + naam);
    }
    return gelukt ? pad : QString();
}

void TestRapport::rasterOpPapier_data() {
    QTest::addColumn<double>("zijkant"); // unprintable border left and right, points
    QTest::addColumn<double>("boven");   // top and bottom
    QTest::newRow("zonder rand") << 0.0 << 0.0;
    QTest::newRow("halve inch") << 36.0 << 36.0;
    QTest::newRow("smal opzij, breed boven") << 12.0 << 30.0;
}

void TestRapport::rasterOpPapier() {
    if (!HeeftPdftotext()) QSKIP("pdftotext not installed");
    QFETCH(double, zijkant);
    QFETCH(double, boven);
    const QString pdf = Pdf(QStringLiteral("raster.pdf"), A4(zijkant, boven));
    QVERIFY(!pdf.isEmpty());
    const PdfTekst t = LeesPdf(pdf);
    QCOMPARE(t.paginas.size(), 3);
    QVERIFY(m_waarschuwingen.isEmpty() && m_modelFouten.isEmpty());

    auto opPlek = [](const Woord* w, double x, double y, bool rechts = false) {
        return w && qAbs((rechts ? w->xMax : w->xMin) - x) < 1.0 && qAbs(w->yMin - y) < 1.0;
    };
    auto plek = [](const Woord* w) {
        return w ? QStringLiteral("%1 (%2..%3, %4)").arg(w->tekst).arg(w->xMin).arg(w->xMax).arg(w->yMin)
                 : QStringLiteral("ontbreekt");
    };
#define OP_PLEK(w, ...) QVERIFY2(opPlek(w, __VA_ARGS__), qPrintable(plek(w)))

    // Cover: the title centred on column 15 at row 2.
    const Woord* rapport = t.Zoek(1, QStringLiteral("Rapport"), PapierY(2));
    const Woord* titel = t.Zoek(1, QStringLiteral("Korvalinde"), PapierY(2));
    QVERIFY(rapport && titel);
    QVERIFY2(qAbs((rapport->xMin + titel->xMax) / 2 - PapierX(15)) < 1.0, qPrintable(plek(rapport)));
    OP_PLEK(t.Zoek(1, QStringLiteral("www.example.org/beweiding")), PapierX(0), PapierY(49));

    // Input page: header, page title, labels in column 0, values right-aligned on column 18.
    OP_PLEK(t.Zoek(2, QStringLiteral("Korvalinde"), PapierY(-2)), PapierX(0), PapierY(-2));
    OP_PLEK(t.Zoek(2, QStringLiteral("Invoer")), PapierX(0), PapierY(5));
    OP_PLEK(t.Zoek(2, QStringLiteral("Aantal"), PapierY(8)), PapierX(0), PapierY(8));
    OP_PLEK(t.Zoek(2, QStringLiteral("50"), PapierY(8)), PapierX(18), PapierY(8), true);
    QCOMPARE(t.Regel(2, PapierY(21)).join(' '), QStringLiteral("Inschaardatum 15 09"));
    OP_PLEK(t.Zoek(2, QStringLiteral("09"), PapierY(21)), PapierX(18), PapierY(21), true);
    OP_PLEK(t.Zoek(2, QStringLiteral("Gift")), PapierX(10), PapierY(32), true);
    QCOMPARE(t.Regel(2, PapierY(33)).join(' '),
             QStringLiteral("(kg ds) (g/kg) (/kg ds) (g/kg ds) (g/kg ds) (/kg ds)"));
    OP_PLEK(t.Zoek(2, QStringLiteral("(g/kg)")), PapierX(14), PapierY(33), true);

    // Results page: the alternatives, the column heads and the summary table from row 12.
    OP_PLEK(t.Zoek(3, QStringLiteral("Resultaten")), PapierX(0), PapierY(5));
    OP_PLEK(t.Zoek(3, QStringLiteral("Oppervlakte"), PapierY(7)), PapierX(5), PapierY(7));
    OP_PLEK(t.Zoek(3, QStringLiteral("3.0"), PapierY(7)), PapierX(13), PapierY(7));
    QCOMPARE(t.Regel(3, PapierY(8)).join(' '), QStringLiteral("Alternatief 2 Opname ds krachtvoer 2.0"));
    OP_PLEK(t.Zoek(3, QStringLiteral("Opname"), PapierY(8)), PapierX(5), PapierY(8));
    OP_PLEK(t.Zoek(3, QStringLiteral("Basis")), PapierX(22), PapierY(10), true);
    OP_PLEK(t.Zoek(3, QStringLiteral("GRASAANBOD")), PapierX(0), PapierY(12));
    OP_PLEK(t.Zoek(3, QStringLiteral("(dagen)")), PapierX(13), PapierY(13));
    // The area of the paddock per variant, row 3 of the table: 2.3 ha, then alternative 1's 3.0 ha.
    OP_PLEK(t.Zoek(3, QStringLiteral("2.3"), PapierY(14)), PapierX(22), PapierY(14), true);
    OP_PLEK(t.Zoek(3, QStringLiteral("3.0"), PapierY(14)), PapierX(26), PapierY(14), true);
    QCOMPARE(t.Regel(3, PapierY(14)).size(), 6); // label (2 words), unit, three values

    // Footer: on the printable area's anchors, so it moves with the border.
    const double links = 774 - zijkant * TwipsPerPunt; // L in twips
    const double rechts = (595.0 - 2 * zijkant) * TwipsPerPunt - links;
    const double voetY = boven + (454 + 15300) / TwipsPerPunt;
    for (int p = 2; p <= 3; ++p) {
        OP_PLEK(t.Zoek(p, QStringLiteral("5-3-24")), zijkant + 454 / TwipsPerPunt, voetY);
        const Woord* nummer = t.Zoek(p, QString::number(p - 1), voetY);
        QVERIFY(nummer);
        QVERIFY2(qAbs((nummer->xMin + nummer->xMax) / 2 - (zijkant + (rechts - links) / 2 / TwipsPerPunt)) <
                     1.0,
                 qPrintable(plek(nummer)));
        QCOMPARE(t.Regel(p, voetY).join(' '),
                 QStringLiteral("5-3-24 %1 versie 2010.00 - 5 februari 2010").arg(p - 1));
        OP_PLEK(t.Zoek(p, QStringLiteral("2010"), voetY), zijkant + rechts / TwipsPerPunt, voetY, true);
    }
    // The cover has no header and no footer.
    QVERIFY(!t.Bevat(1, QStringLiteral("5-3-24")));
    QVERIFY(!t.Bevat(1, QStringLiteral("Invoerset")));
#undef OP_PLEK
}

void TestRapport::voederRegels_data() {
    QTest::addColumn<double>("gift");
    QTest::addColumn<int>("voer");
    QTest::addColumn<QString>("regel");
    // Values: gift "0.0", DS, VEM, RE, VOS "0", VW "0.00"; the RC value is not printed.
    QTest::newRow("krachtvoer") << 4.2 << 0 << QStringLiteral("Krachtvoer 4.2 900 1045 167 0 0.32");
    QTest::newRow("snijmais zonder gift") << 0.0 << 1 << QStringLiteral("Snijmais");
    QTest::newRow("graskuil") << 3.45 << 2 << QStringLiteral("Graskuil 3.5 445 880 178 705 0.99");
    QTest::newRow("perspulp klein") << 0.04 << 3 << QStringLiteral("Perspulp 0.0 218 1062 98 803 0.70");
    QTest::newRow("bierbostel negatief") << -1.0 << 4 << QStringLiteral("Bierbostel");
    QTest::newRow("overig zonder waarden") << 1.0 << 6 << QStringLiteral("Overig 1.0 0 0 0 0 0.00");
}

void TestRapport::voederRegels() {
    if (!HeeftPdftotext()) QSKIP("pdftotext not installed");
    QFETCH(double, gift);
    QFETCH(int, voer);
    QFETCH(QString, regel);
    m_invoer.Voeders[voer][VwGift] = float(gift);
    // A second supplement always fed, so that the page has several rows with values.
    if (voer != 5) m_invoer.Voeders[5][VwGift] = 2.5f;
    const PdfTekst t = LeesPdf(Pdf(QStringLiteral("voeders.pdf")));
    QCOMPARE(t.Regel(2, PapierY(34 + voer)).join(' '), regel);
    if (voer != 5)
        QCOMPARE(t.Regel(2, PapierY(39)).join(' '),
                 QStringLiteral("Aardappelpersvezel 2.5 162 1038 75 801 0.55"));
}

void TestRapport::invoersetNaam_data() {
    QTest::addColumn<QString>("bestand");
    QTest::addColumn<QString>("regel");
    QTest::newRow("nooit opgeslagen") << QString() << QStringLiteral("Invoerset :");
    QTest::newRow("met map") << QStringLiteral("/home/adviseur/scenario's/Bedrijf de Vries.kvl")
                             << QStringLiteral("Invoerset : Bedrijf de Vries.kvl");
}

void TestRapport::invoersetNaam() {
    if (!HeeftPdftotext()) QSKIP("pdftotext not installed");
    QFETCH(QString, bestand);
    QFETCH(QString, regel);
    m_bestand = bestand;
    const double zijkant = 18, boven = 30;
    const PdfTekst t = LeesPdf(Pdf(QStringLiteral("invoerset.pdf"), A4(zijkant, boven)));
    // The line hangs on the left margin L in both directions: (L + 1000, L + 1400) on the
    // printable area.
    const double links = 774 - zijkant * TwipsPerPunt;
    const double y = boven + (links + 1400) / TwipsPerPunt;
    for (int p = 2; p <= 3; ++p) {
        QCOMPARE(t.Regel(p, y).join(' '), regel);
        const Woord* dubbelepunt = t.Zoek(p, QStringLiteral(":"), y);
        QVERIFY(dubbelepunt);
        QVERIFY(qAbs(dubbelepunt->xMin - (zijkant + (links + 1000) / TwipsPerPunt)) < 1.0);
        QVERIFY(qAbs(t.Zoek(p, QStringLiteral("Invoerset"), y)->xMin - (zijkant + links / TwipsPerPunt)) <
                1.0);
    }
}

void TestRapport::banden() {
    // Pages painted on an image at 144 pixels per inch without a border (0.1 pixel per twip).
    const int ppi = 144;
    const TRapportMarges m = TRapportMarges::Van(11905, 16837);
    QCOMPARE(m.L, 774);
    QCOMPARE(m.T, 1440);
    auto schilder = [&](int pagina) {
        QImage beeld(1191, 1684, QImage::Format_RGB32);
        QPainter p(&beeld);
        TPreviewCanvas c;
        c.SetCanvas(&p);
        c.Preview = true;
        c.ScaleX = c.ScaleY = ppi / 1440.0;
        c.TextResolution = ppi;
        c.PrinterResolution = 1200;
        c.BitmapWidth = beeld.width();
        c.BitmapHeight = beeld.height();
        c.PageWidth = 11905;
        c.PageHeight = 16837;
        c.PageNumber = pagina;
        c.BeginPage();
        c.NewPage();
        PznPrintPreviewPaint(c, pagina, Gegevens());
        return beeld;
    };
    const QColor titel(153, 221, 255), sectie(233, 248, 255), wit(Qt::white);
    auto kleur = [](const QImage& b, int xTwips, int yTwips) {
        return QColor(b.pixel(xTwips / 10, yTwips / 10));
    };
    auto midden = [&](int rij) { return m.T + 280 * rij + 140; };
    const int leeg = m.L + 333 * 25; // no text in the band rows this far right

    const QImage invoer = schilder(2);
    QCOMPARE(kleur(invoer, leeg, midden(5)), titel);
    for (int rij : {7, 13, 20, 25, 31}) QCOMPARE(kleur(invoer, leeg, midden(rij)), sectie);
    for (int rij : {6, 8, 12, 19}) QCOMPARE(kleur(invoer, leeg, midden(rij)), wit);
    // The band runs from the left to the right margin and 15 twips beyond its row.
    QCOMPARE(kleur(invoer, m.L - 30, midden(5)), wit);
    QCOMPARE(kleur(invoer, m.R + 30, midden(5)), wit);
    QCOMPARE(kleur(invoer, leeg, m.T + 280 * 5 - 10), titel);
    QCOMPARE(kleur(invoer, leeg, m.T + 280 * 5 - 30), wit);
    // Text on a band leaves the band around its letters.
    int blauw = 0, totaal = 0;
    for (int x = m.L; x < m.L + 2000; x += 10)
        for (int y = m.T + 1400; y < m.T + 1680; y += 10, ++totaal) blauw += kleur(invoer, x, y) == titel;
    QVERIFY2(blauw > totaal / 2, qPrintable(QStringLiteral("%1 of %2").arg(blauw).arg(totaal)));
    // The header rule: black from P.x + 50 to P.x + 10288 at P.y + 1000.
    QCOMPARE(kleur(invoer, 454 + 5000, 450 + 1015), QColor(Qt::black));

    const QImage resultaten = schilder(3);
    QCOMPARE(kleur(resultaten, leeg, midden(5)), titel);
    QCOMPARE(kleur(resultaten, m.L + 333 * 5, midden(10)), sectie);
    QCOMPARE(kleur(resultaten, leeg, midden(7)), wit);

    // The cover: the product picture centred in a 10300-twip field from 454, top 4600, 20 twips a
    // pixel; the project logo on the right margin, its top 800 twips above the bottom margin.
    const QImage omslag = schilder(1);
    const int x0 = 454 + (10300 - 5200) / 2;
    QCOMPARE(kleur(omslag, x0 + 20, 4620), QColor(120, 180, 90));
    QCOMPARE(kleur(omslag, x0 - 20, 4620), wit);
    QCOMPARE(kleur(omslag, x0 + 5180, 4600 + 3380 - 20), QColor(120, 180, 90));
    QCOMPARE(kleur(omslag, m.R - 20, m.B - 780), QColor(180, 130, 90));
    QCOMPARE(kleur(omslag, m.R - 2380, m.B - 800 + 620), QColor(180, 130, 90)); // 10 x (240 x 64)
    QCOMPARE(kleur(omslag, m.R - 2420, m.B - 780), wit);
    QCOMPARE(kleur(omslag, m.R + 20, m.B - 780), wit);
}

void TestRapport::paginaDrieActueel() {
    // Every page recomputes inside a wait period; the results page first refills the summary
    // table, so it never shows results older than the inputs.
    if (!HeeftPdftotext()) QSKIP("pdftotext not installed");
    const PdfTekst t = LeesPdf(Pdf(QStringLiteral("actueel.pdf")));
    QCOMPARE(m_log, QStringList({"bezig", "reken", "klaar", "bezig", "reken", "klaar", "bezig", "reken",
                                 "vul", "klaar"}));
    const QString basisWeidedagen = QString::fromStdString(m_uitvoer.arsam[2][2]);
    QVERIFY(!basisWeidedagen.isEmpty());
    QCOMPARE(t.Regel(3, PapierY(13)).join(' '),
             QStringLiteral("Aantal weidedagen (dagen) %1 %2 %3")
                 .arg(basisWeidedagen, QString::fromStdString(m_uitvoer.arsam[3][2]),
                      QString::fromStdString(m_uitvoer.arsam[4][2])));
}

void TestRapport::liggendePrinter_data() {
    QTest::addColumn<bool>("voorbeeld");
    QTest::addColumn<bool>("vooraf");    // printer landscape before the command
    QTest::addColumn<bool>("inDialoog"); // the user turns it to landscape in the print dialog
    QTest::addColumn<int>("waarschuwingen");
    QTest::newRow("afdrukken, staand") << false << false << false << 0;
    QTest::newRow("afdrukken, liggend") << false << true << false << 1;
    QTest::newRow("afdrukken, liggend gekozen in de dialoog") << false << false << true << 1;
    QTest::newRow("afdrukken, liggend, en weer in de dialoog") << false << true << true << 2;
    QTest::newRow("voorbeeld, liggend") << true << true << false << 1;
}

void TestRapport::liggendePrinter() {
    QFETCH(bool, voorbeeld);
    QFETCH(bool, vooraf);
    QFETCH(bool, inDialoog);
    QFETCH(int, waarschuwingen);
    const QString pdf = m_map.filePath(QStringLiteral("liggend.pdf"));
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageLayout(A4(18, 18));
    if (vooraf) printer.setPageOrientation(QPageLayout::Landscape);

    TZnPreview preview;
    preview.SetPrinter(&printer);
    TRapportGegevens g = Gegevens();
    int dialogen = 0;
    g.PrintDialoog = [&](QPrinter& p, int, int) {
        ++dialogen;
        // The dialog opens on a portrait printer.
        if (p.pageLayout().orientation() != QPageLayout::Portrait) return TPrintDialogKeuze{};
        if (inDialoog) p.setPageOrientation(QPageLayout::Landscape);
        return TPrintDialogKeuze{true, true, 0, 0};
    };
    QImage beeld;
    if (voorbeeld) {
        preview.SetVoorbeeldTonen([&](TPrintPreview& venster) {
            beeld = venster.Bitmap();
            return int(QDialog::Rejected);
        });
        MitAfdrukvoorbeeldClick(preview, g);
        QCoreApplication::processEvents();
        QVERIFY(beeld.height() > beeld.width());
        QCOMPARE(dialogen, 0);
    } else {
        MitAfdrukkenClick(preview, g);
        QCOMPARE(dialogen, 1);
    }
    QCOMPARE(m_waarschuwingen.size(), waarschuwingen);
    for (const QString& w : m_waarschuwingen)
        QCOMPARE(
            w, QStringLiteral("Printer orientatie was landscape, \n\ndoch wordt gelijkgesteld aan Portrait"));
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
    if (voorbeeld || !HeeftPdftotext()) return;
    const PdfTekst t = LeesPdf(pdf);
    QCOMPARE(t.paginas.size(), 3);
    for (const QSizeF& vel : t.paginas) QVERIFY(vel.height() > vel.width());
    QVERIFY(t.Bevat(2, QStringLiteral("Invoer")));
}

void TestRapport::printdialoogGeannuleerd() {
    const QString pdf = m_map.filePath(QStringLiteral("geannuleerd.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    TZnPreview preview;
    preview.SetPrinter(&printer);
    TRapportGegevens g = Gegevens();
    g.PrintDialoog = [](QPrinter&, int, int) { return TPrintDialogKeuze{}; };
    MitAfdrukkenClick(preview, g);
    QVERIFY(m_log.isEmpty()); // nothing computed, nothing painted
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(!preview.Printing());
}

void TestRapport::voorbeeldOpScherm() {
    // The preview window painting itself on the screen: a printer turned to landscape while the
    // window is open is turned back inside the paint; the boxes wait until the painting is done, and
    // the model error shows once however often the pages are painted.
    m_modelFout = QStringLiteral("Gestoorde bijgroei, onbekende jaargift: 500");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_map.filePath(QStringLiteral("scherm.pdf")));
    printer.setPageLayout(A4(18, 18));
    TZnPreview preview;
    preview.SetPrinter(&printer);
    QImage pagina1, pagina2;
    QStringList tijdensSchilderen;
    preview.SetVoorbeeldTonen([&](TPrintPreview& v) {
        printer.setPageOrientation(QPageLayout::Landscape);
        v.resize(700, 900);
        v.show();
        if (!QTest::qWaitForWindowExposed(&v)) return int(QDialog::Rejected);
        v.grab();
        tijdensSchilderen = m_waarschuwingen + m_modelFouten;
        QCoreApplication::processEvents();
        pagina1 = v.grab().toImage();
        v.BtnNext->click();
        pagina2 = v.grab().toImage();
        v.cbZoom->setCurrentIndex(0);
        v.grab();
        QCoreApplication::processEvents();
        if (!PlaatjesMap().isEmpty()) {
            pagina1.save(PlaatjesMap() + QStringLiteral("/voorbeeld-1.png"));
            pagina2.save(PlaatjesMap() + QStringLiteral("/voorbeeld-2.png"));
        }
        return int(QDialog::Rejected);
    });
    MitAfdrukvoorbeeldClick(preview, Gegevens());
    QCoreApplication::processEvents();
    QVERIFY(tijdensSchilderen.isEmpty());
    QCOMPARE(m_waarschuwingen.size(), 1);
    QCOMPARE(m_modelFouten, QStringList{m_modelFout});
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
    QVERIFY(!pagina1.isNull() && !pagina2.isNull());
    QVERIFY(m_log.count(QStringLiteral("reken")) >= 3); // every page and zoom recomputes
    QCOMPARE(m_log.count(QStringLiteral("bezig")), m_log.count(QStringLiteral("klaar")));
}

void TestRapport::modelFoutEenmaal_data() {
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("berekeningen");
    QTest::newRow("afdrukken") << "afdrukken" << 3;
    QTest::newRow("voorbeeld, dan afdrukken") << "voorbeeld+afdrukken" << 4;
    QTest::newRow("pdf") << "pdf" << 3;
}

void TestRapport::modelFoutEenmaal() {
    // The model stops with an error at every run; the report shows it once per command and still
    // paints every page.
    QFETCH(QString, route);
    QFETCH(int, berekeningen);
    m_modelFout = QStringLiteral("Gestoorde bijgroei, onbekende jaargift: 500");
    const QString pdf = m_map.filePath(QStringLiteral("modelfout.pdf"));
    QFile::remove(pdf);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    TZnPreview preview;
    preview.SetPrinter(&printer);
    TRapportGegevens g = Gegevens();
    int dialogen = 0;
    g.PrintDialoog = [&](QPrinter&, int, int) {
        ++dialogen;
        return TPrintDialogKeuze{true, true, 0, 0};
    };
    // Left with "&Afdrukken" after one page: the print command follows.
    preview.SetVoorbeeldTonen([](TPrintPreview& v) {
        v.Bitmap();
        return int(QDialog::Accepted);
    });

    if (route == QLatin1String("afdrukken"))
        MitAfdrukkenClick(preview, g);
    else if (route == QLatin1String("voorbeeld+afdrukken"))
        MitAfdrukvoorbeeldClick(preview, g);
    else
        QVERIFY(SchrijfRapportPdf(pdf, g));
    QCoreApplication::processEvents();
    if (route == QLatin1String("pdf")) {
        // Without a box of the caller's, the error comes back with the written report.
        g.ModelFoutMelden = nullptr;
        QString melding;
        QVERIFY(SchrijfRapportPdf(m_map.filePath(QStringLiteral("modelfout2.pdf")), g, &melding));
        QCOMPARE(melding, m_modelFout);
        QCOMPARE(m_log.count(QStringLiteral("reken")), 2 * berekeningen);
        m_log = m_log.mid(m_log.size() / 2);
    }

    QCOMPARE(m_log.count(QStringLiteral("reken")), berekeningen);
    QCOMPARE(m_modelFouten, QStringList{m_modelFout});
    QCOMPARE(m_log.count(QStringLiteral("bezig")), m_log.count(QStringLiteral("klaar")));
    QCOMPARE(dialogen, route.endsWith(QLatin1String("afdrukken")) ? 1 : 0);
    if (!HeeftPdftotext()) return;
    const PdfTekst t = LeesPdf(pdf);
    QCOMPARE(t.paginas.size(), 3);
    QVERIFY(t.Bevat(1, QStringLiteral("Rapport")));
    QVERIFY(t.Bevat(2, QStringLiteral("Invoer")));
    QVERIFY(t.Bevat(3, QStringLiteral("Resultaten")));
}

void TestRapport::pdfFouten_data() {
    QTest::addColumn<QString>("pad"); // relative to the test folder; "-" for an empty name
    QTest::addColumn<QString>("leesFout");
    QTest::addColumn<QString>("melding");
    QTest::newRow("map bestaat niet")
        << "weg/rapport.pdf" << QString() << "Kan het rapport niet schrijven naar %1: de map %2 bestaat niet";
    QTest::newRow("een map") << "." << QString() << "Kan het rapport niet schrijven naar %1: dat is een map";
    QTest::newRow("geen naam") << "-" << QString() << "Geen bestandsnaam voor het rapport opgegeven";
    QTest::newRow("fout bij het lezen van de invoer") << "bestaand.pdf"
                                                      << "Ongeldige dag ingegeven"
                                                      << "Ongeldige dag ingegeven";
}

void TestRapport::pdfFouten() {
    QFETCH(QString, pad);
    QFETCH(QString, leesFout);
    QFETCH(QString, melding);
    const QString volledig = pad == QLatin1String("-") ? QString() : QDir::cleanPath(m_map.filePath(pad));
    QFile oud(m_map.filePath(QStringLiteral("bestaand.pdf")));
    QVERIFY(oud.open(QIODevice::WriteOnly));
    oud.write("vorig rapport");
    oud.close();
    m_leesFout = leesFout;

    QString uit;
    QVERIFY(!SchrijfRapportPdf(volledig, Gegevens(), &uit));
    if (melding.contains(QLatin1String("%2")))
        melding = melding.arg(QDir::toNativeSeparators(volledig),
                              QDir::toNativeSeparators(QFileInfo(volledig).absolutePath()));
    else if (melding.contains(QLatin1String("%1")))
        melding = melding.arg(QDir::toNativeSeparators(volledig));
    QCOMPARE(uit, melding);
    // Nothing half-written, and the wait period always ends.
    QVERIFY(oud.open(QIODevice::ReadOnly));
    QCOMPARE(oud.readAll(), QByteArray("vorig rapport"));
    QCOMPARE(m_log.count(QStringLiteral("bezig")), m_log.count(QStringLiteral("klaar")));
    QCOMPARE(m_log.count(QStringLiteral("reken")), leesFout.isEmpty() ? 0 : 1);
}

void TestRapport::programmaPlaatjes() {
    // The program's own pictures, read for their controls at twice their pixels; the two
    // reports written with them are for a person to look at (KORVALINDE_PLAATJES).
    const QString map = QStringLiteral(KORVALINDE_PLAATJES_MAP);
    const TRapportPlaatje product =
        LaadRapportPlaatje(map + QStringLiteral("/ImgKorvalinde@2x.png"), QSize(260, 169));
    QCOMPARE(product.Maat, QSize(260, 169));
    QCOMPARE(product.Beeld.size(), QSize(520, 338));
    const TRapportPlaatje ontbreekt =
        LaadRapportPlaatje(map + QStringLiteral("/bestaat-niet.png"), QSize(10, 10));
    QVERIFY(ontbreekt.Beeld.isNull());
    if (PlaatjesMap().isEmpty()) return;

    TRapportGegevens g = Gegevens();
    g.Product = product;
    g.MakerLogo = LaadRapportPlaatje(map + QStringLiteral("/ImgMakerLogo@2x.png"), QSize(240, 64));
    g.ProjectLogo = LaadRapportPlaatje(map + QStringLiteral("/ImgProjectLogo@2x.png"), QSize(240, 64));
    g.Bestandsnaam = QStringLiteral("/home/adviseur/Standaard.kvl");
    QVERIFY(SchrijfRapportPdf(PlaatjesMap() + QStringLiteral("/rapport-standaard.pdf"), g));
    m_invoer.Voeders[1][VwGift] = 4.0f;
    m_invoer.Voeders[2][VwGift] = 3.5f;
    m_invoer.Voeders[4][VwGift] = 1.2f;
    m_invoer.Voeders[6] = {0.8f, 880, 940, 120, 150, 700, 0.60f};
    QVERIFY(SchrijfRapportPdf(PlaatjesMap() + QStringLiteral("/rapport-bijvoeding.pdf"), g));
}

QTEST_MAIN(TestRapport)
#include "test_rapport.moc"
