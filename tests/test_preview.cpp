// Print preview component: twips on screen and paper, text measurement, the preview window, page
// ranges of the print dialog, cancelling a print job, and PDF output checked with pdftotext.
#include "Systeemtest.h"
#include "Testbestanden.h"
#include "components/Afdrukvoorbeeld.h"
#include "components/Afdrukvoortgang.h"
#include "core/Meldingen.h"

#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>
#include <stdexcept>

using namespace korvalinde;

namespace {

// Half an inch of unprintable border on every side: 720 twips, 36 points, 600 pixels at 1200 dpi.
QPageLayout A4MetRand() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(36, 36, 36, 36),
                       QPageLayout::Point);
}

std::unique_ptr<QPrinter> PdfPrinter(const QString& bestand) {
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(bestand);
    p->setPageLayout(A4MetRand());
    return p;
}

struct Woord {
    int pagina; // 1-based sheet
    QString tekst;
    double xMin, yMin, xMax, yMax; // points from the sheet's top-left corner
};

// Words with their boxes, from `pdftotext -bbox`; empty when the tool is missing.
QList<Woord> WoordenVan(const QString& pdf, int* aantalPaginas = nullptr) {
    QList<Woord> woorden;
    QProcess proces;
    proces.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!proces.waitForFinished(20000)) return woorden;
    const QString uit = QString::fromUtf8(proces.readAllStandardOutput());
    static const QRegularExpression regel(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    int pagina = 0;
    for (auto it = regel.globalMatch(uit); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QStringLiteral("<page"))) {
            ++pagina;
            continue;
        }
        woorden.append({pagina, m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                        m.captured(3).toDouble(), m.captured(4).toDouble()});
    }
    if (aantalPaginas) *aantalPaginas = pagina;
    return woorden;
}

const Woord* Zoek(const QList<Woord>& woorden, int pagina, const QString& tekst) {
    for (const Woord& w : woorden)
        if (w.pagina == pagina && w.tekst == tekst) return &w;
    return nullptr;
}

bool HeeftPdftotext() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// A small document: every page names itself, one text right-aligned on the printable width.
void TestDocument(TPreviewCanvas& c, int pagina) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(10);
    c.SetFont(f);
    c.Brush().setStyle(Qt::NoBrush);
    c.TextOut(1440, 2880, QStringLiteral("Pagina%1").arg(pagina));
    c.TextOut(0, 0, QStringLiteral("Hoek"));
    c.Font().setBold(true);
    c.TextOut(c.PageWidth - c.TextWidth(QStringLiteral("Rechts")), 4320, QStringLiteral("Rechts"));
    c.Brush() = QBrush(QColor(153, 221, 255));
    c.Pen().setStyle(Qt::NoPen);
    c.Rectangle(0, 5000, c.PageWidth, 5400);
}

// Optional pictures for a person to look at: set KORVALINDE_PLAATJES to a folder.
QString PlaatjesMap() {
    return qEnvironmentVariable("KORVALINDE_PLAATJES");
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void twipsOpScherm_data();
    void twipsOpScherm();
    void tekstMatenGelijkOpElkeZoom();
    void voorbeeldVenster_data();
    void voorbeeldVenster();
    void voorbeeldUitkomst_data();
    void voorbeeldUitkomst();
    void zoomHoudtPagina();
    void margeKaderAlleenMetDrawMargins();
    void printerGedraaidTijdensSchilderen();
    void executeZonderBeginDoc();
    void paginabereik_data();
    void paginabereik();
    void echtePrintdialoog_data();
    void echtePrintdialoog();
    void annulerenTijdensAfdrukken();
    void fouteSchilderingBreektTaakAf();
    void pdfTekstOpDeTwips();
    void pdfZonderDialoog();
    void pdfOnschrijfbaar();
    void pdfNietHeel_data();
    void pdfNietHeel();

  private:
    QTemporaryDir m_map;
    QStringList m_meldingen;
};

void TestPreview::init() {
    QVERIFY(m_map.isValid());
    m_meldingen.clear();
}

void TestPreview::twipsOpScherm_data() {
    QTest::addColumn<int>("zoomIndex");
    QTest::addColumn<int>("ppi");
    QTest::addColumn<int>("x0");      // device x of twip 0: the half-inch border
    QTest::addColumn<int>("xInch");   // device x of twip 1440
    QTest::addColumn<int>("breedte"); // whole A4 sheet (595 pt) in pixels
    QTest::newRow("100%") << 0 << 96 << 48 << 144 << 793;
    QTest::newRow("75%") << 1 << 72 << 36 << 108 << 595;
    QTest::newRow("50%") << 2 << 48 << 24 << 72 << 397;
    QTest::newRow("25%") << 3 << 24 << 12 << 36 << 198;
}

void TestPreview::twipsOpScherm() {
    QFETCH(int, zoomIndex);
    QFETCH(int, ppi);
    QFETCH(int, x0);
    QFETCH(int, xInch);
    QFETCH(int, breedte);
    auto printer = PdfPrinter(m_map.filePath(QStringLiteral("niet.pdf")));
    TZnPreview pv;
    pv.SetPrinter(printer.get());
    pv.SetPageCount(3);
    QVERIFY(pv.BeginDoc());
    TPrintPreview* v = pv.PreviewWindow();
    QVERIFY(v);
    QCOMPARE(v->cbZoom->currentText(), QStringLiteral("50%")); // the window opens at 50%
    v->cbZoom->setCurrentIndex(zoomIndex);
    const TPreviewCanvas& c = v->Canvas();
    QCOMPARE(v->ZoomFactor(), ppi);
    QCOMPARE(c.TextResolution, ppi);
    QCOMPARE(c.PrinterResolution, 1200);
    QCOMPARE(c.DeviceX(0), x0);
    QCOMPARE(c.DeviceY(0), x0);
    QCOMPARE(c.DeviceX(1440), xInch);
    QCOMPARE(c.BitmapWidth, breedte);
    QCOMPARE(v->Bitmap().width(), breedte);
    // The printable area in twips does not depend on the zoom: (9917 - 1200) px * 1440 / 1200.
    QCOMPARE(c.PageWidth, 10460);
    QCOMPARE(c.PageHeight, 15400);
    pv.EndDoc();
    QVERIFY(!pv.PreviewWindow());
    QVERIFY(!QFile::exists(m_map.filePath(QStringLiteral("niet.pdf")))); // a preview prints nothing
}

void TestPreview::tekstMatenGelijkOpElkeZoom() {
    // Text is measured at the printer's resolution, so a layout in twips does not move with the zoom
    // and is the same when printing.
    auto printer = PdfPrinter(m_map.filePath(QStringLiteral("maten.pdf")));
    const QString tekst = QStringLiteral("Grasaanbod boven stoppel (kg ds)");
    QList<int> breedtes, hoogtes;
    auto meet = [&](TPreviewCanvas& c, int) {
        QFont f(QStringLiteral("Arial"));
        f.setPointSize(10);
        c.SetFont(f);
        breedtes << c.TextWidth(tekst);
        hoogtes << c.TextHeight(tekst);
    };
    TZnPreview pv;
    pv.SetPrinter(printer.get());
    pv.SetOnPaint(meet);
    QVERIFY(pv.BeginDoc());
    for (int i = 0; i < 4; ++i) {
        pv.PreviewWindow()->cbZoom->setCurrentIndex(i);
        pv.PreviewWindow()->Herteken();
    }
    pv.EndDoc();
    pv.SetPreviewMode(false);
    pv.SetPrintDialog([](QPrinter&, int, int) { return TPrintDialogKeuze{true, true, 0, 0}; });
    QVERIFY(pv.BeginDoc());
    pv.Execute();
    pv.EndDoc();
    QCOMPARE(breedtes.size(), 5);
    for (int b : breedtes) QCOMPARE(b, breedtes.first());
    for (int h : hoogtes) QCOMPARE(h, hoogtes.first());
    // 10 point text: a line a little over 200 twips high; this text a little over 2 inch wide.
    QVERIFY2(hoogtes.first() > 200 && hoogtes.first() < 260, qPrintable(QString::number(hoogtes.first())));
    QVERIFY2(breedtes.first() > 2800 && breedtes.first() < 3400,
             qPrintable(QString::number(breedtes.first())));
}

void TestPreview::voorbeeldVenster_data() {
    QTest::addColumn<int>("paginas");
    QTest::addColumn<bool>("volgende");
    QTest::newRow("een pagina") << 1 << false;
    QTest::newRow("drie pagina's") << 3 << true;
}

void TestPreview::voorbeeldVenster() {
    QFETCH(int, paginas);
    QFETCH(bool, volgende);
    auto printer = PdfPrinter(m_map.filePath(QStringLiteral("x.pdf")));
    QList<int> geschilderd;
    TZnPreview pv;
    pv.SetPrinter(printer.get());
    pv.SetPageCount(paginas);
    pv.SetOnPaint([&](TPreviewCanvas& c, int p) {
        geschilderd << p;
        TestDocument(c, p);
    });
    QVERIFY(pv.BeginDoc());
    TPrintPreview* v = pv.PreviewWindow();
    QCOMPARE(v->windowTitle(), QStringLiteral("Afdrukvoorbeeld"));
    QCOMPARE(v->BtnNext->text(), QStringLiteral("&Volgende"));
    QCOMPARE(v->BtnPrevious->text(), QStringLiteral("V&orige"));
    QCOMPARE(v->bPrint->text(), QStringLiteral("&Afdrukken"));
    QCOMPARE(v->bQuit->text(), QStringLiteral("&Sluiten"));
    QCOMPARE(v->cbZoom->count(), 4);
    QCOMPARE(v->cbZoom->itemText(0), QStringLiteral("100%"));
    QCOMPARE(v->cbZoom->itemText(3), QStringLiteral("25%"));
    QCOMPARE(v->BtnNext->isEnabled(), volgende);
    QVERIFY(!v->BtnPrevious->isEnabled());
    QCOMPARE(v->LblPage->text(), QStringLiteral("Voorbeeld: Pagina 1 van %1").arg(paginas));

    // Leafing to the end and back.
    for (int p = 2; p <= paginas; ++p) {
        QTest::mouseClick(v->BtnNext, Qt::LeftButton);
        QCOMPARE(v->Page(), p);
        QVERIFY(v->BtnPrevious->isEnabled());
    }
    QVERIFY(!v->BtnNext->isEnabled());
    QCOMPARE(v->LblPage->text(), QStringLiteral("Voorbeeld: Pagina %1 van %1").arg(paginas));
    v->Bitmap();
    QCOMPARE(geschilderd.last(), paginas);
    for (int p = paginas - 1; p >= 1; --p) {
        QTest::mouseClick(v->BtnPrevious, Qt::LeftButton);
        QCOMPARE(v->Page(), p);
        QVERIFY(v->BtnNext->isEnabled());
    }
    QVERIFY(!v->BtnPrevious->isEnabled());

    if (!PlaatjesMap().isEmpty() && paginas == 3) {
        v->cbZoom->setCurrentIndex(1);
        v->resize(700, 560);
        v->show();
        QTest::qWait(50);
        v->grab().save(PlaatjesMap() + QStringLiteral("/voorbeeld_75.png"));
        QTest::mouseClick(v->BtnNext, Qt::LeftButton);
        v->cbZoom->setCurrentIndex(3);
        QTest::qWait(50);
        v->grab().save(PlaatjesMap() + QStringLiteral("/voorbeeld_25_p2.png"));
    }
    pv.EndDoc();
}

void TestPreview::voorbeeldUitkomst_data() {
    QTest::addColumn<QString>("knop");
    QTest::addColumn<bool>("uitkomst");
    QTest::newRow("afdrukken") << "bPrint" << true;
    QTest::newRow("sluiten") << "bQuit" << false;
}

void TestPreview::voorbeeldUitkomst() {
    QFETCH(QString, knop);
    QFETCH(bool, uitkomst);
    auto printer = PdfPrinter(m_map.filePath(QStringLiteral("x.pdf")));
    TZnPreview pv;
    pv.SetPrinter(printer.get());
    pv.SetPageCount(3);
    pv.SetViewLeft(10);
    pv.SetViewTop(20);
    pv.SetViewWidth(600);
    pv.SetViewHeight(-5); // ignored
    pv.SetViewHeight(400);
    QVERIFY(pv.BeginDoc());
    // The real modal loop, left with one of the two buttons.
    pv.SetVoorbeeldTonen([&](TPrintPreview& v) {
        QTimer::singleShot(0, &v, [&v, knop] { v.findChild<QPushButton*>(knop)->click(); });
        return v.exec();
    });
    QCOMPARE(pv.Execute(), uitkomst);
    QCOMPARE(pv.PreviewWindow()->size(), QSize(600, 400));
    pv.EndDoc();
    QVERIFY(!pv.Begun());
}

void TestPreview::zoomHoudtPagina() {
    auto printer = PdfPrinter(m_map.filePath(QStringLiteral("x.pdf")));
    TZnPreview pv;
    pv.SetPrinter(printer.get());
    pv.SetPageCount(3);
    QList<int> geschilderd;
    pv.SetOnPaint([&](TPreviewCanvas&, int p) { geschilderd << p; });
    QVERIFY(pv.BeginDoc());
    TPrintPreview* v = pv.PreviewWindow();
    QTest::mouseClick(v->BtnNext, Qt::LeftButton);
    v->cbZoom->setCurrentIndex(0);
    QCOMPARE(v->Page(), 2);
    QCOMPARE(v->Bitmap().width(), 793);
    QCOMPARE(geschilderd, QList<int>{2});
    QCOMPARE(v->LblPage->text(), QStringLiteral("Voorbeeld: Pagina 2 van 3"));
    // A page count set while the window is open reaches the window.
    pv.SetPageCount(1);
    QCOMPARE(v->Page(), 1);
    QVERIFY(!v->BtnNext->isEnabled());
    pv.EndDoc();
}

void TestPreview::margeKaderAlleenMetDrawMargins() {
    auto printer = PdfPrinter(m_map.filePath(QStringLiteral("x.pdf")));
    for (bool kader : {false, true}) {
        TZnPreview pv;
        pv.SetPrinter(printer.get());
        pv.SetDrawMargins(kader);
        QVERIFY(pv.BeginDoc());
        TPrintPreview* v = pv.PreviewWindow();
        v->cbZoom->setCurrentIndex(0);
        const QImage beeld = v->Bitmap();
        // The left edge of the printable area (48 px at 96 ppi) from top to bottom: grey dashes or white.
        int grijs = 0;
        for (int y = 48; y < beeld.height() - 48; ++y)
            if (beeld.pixelColor(48, y) == QColor(128, 128, 128)) ++grijs;
        if (kader)
            QVERIFY2(grijs > (beeld.height() - 96) / 4, qPrintable(QString::number(grijs)));
        else
            QCOMPARE(grijs, 0);
        if (kader && !PlaatjesMap().isEmpty()) beeld.save(PlaatjesMap() + QStringLiteral("/kader.png"));
        // Outside the printable area the sheet stays white.
        QCOMPARE(beeld.pixelColor(20, 20), QColor(Qt::white));
        pv.EndDoc();
    }
}

void TestPreview::printerGedraaidTijdensSchilderen() {
    // The paint event turns a landscape printer to portrait; the preview follows without harm.
    auto printer = PdfPrinter(m_map.filePath(QStringLiteral("x.pdf")));
    printer->setPageOrientation(QPageLayout::Landscape);
    TZnPreview pv;
    pv.SetPrinter(printer.get());
    QList<int> breedtes;
    pv.SetOnPaint([&](TPreviewCanvas& c, int p) {
        breedtes << c.PageWidth;
        if (printer->pageLayout().orientation() == QPageLayout::Landscape) {
            printer->setPageOrientation(QPageLayout::Portrait);
            pv.PrinterGewijzigd();
        }
        TestDocument(c, p);
    });
    QVERIFY(pv.BeginDoc());
    TPrintPreview* v = pv.PreviewWindow();
    QCOMPARE(v->Canvas().PageWidth, 15400);
    v->Bitmap();
    const QImage beeld = v->Bitmap(); // painted again on the portrait sheet
    QVERIFY(beeld.width() < beeld.height());
    QCOMPARE(breedtes, (QList<int>{15400, 10460}));
    pv.EndDoc();
}

void TestPreview::executeZonderBeginDoc() {
    {
        // Without a hook of its own the box goes through the program's message interface.
        TOpnameMelder opgenomen;
        ZetStandaardMelder(&opgenomen);
        TZnPreview pv;
        QVERIFY(!pv.Execute());
        ZetStandaardMelder(nullptr);
        QCOMPARE(opgenomen.meldingen.size(), 1);
        QCOMPARE(opgenomen.meldingen.first().tekst, QStringLiteral("Gebruik BeginDoc voor de printer setup"));
        QCOMPARE(opgenomen.meldingen.first().titel, QStringLiteral("Fout"));
    }
    TZnPreview pv;
    pv.SetMelding([this](const QString& titel, const QString& tekst) {
        m_meldingen << titel + QLatin1Char('|') + tekst;
    });
    QVERIFY(!pv.Execute());
    QCOMPARE(m_meldingen, QStringList{QStringLiteral("Error|Gebruik BeginDoc voor de printer setup")});
    QVERIFY(!pv.PreviewWindow());
    pv.EndDoc(); // not begun: nothing happens
}

void TestPreview::paginabereik_data() {
    QTest::addColumn<bool>("alle");
    QTest::addColumn<int>("van");
    QTest::addColumn<int>("tot");
    QTest::addColumn<QList<int>>("verwacht");
    QTest::newRow("alle pagina's") << true << 0 << 0 << QList<int>{1, 2, 3};
    QTest::newRow("2 tot 3") << false << 2 << 3 << QList<int>{2, 3};
    QTest::newRow("tot 9 van 3") << false << 1 << 9 << QList<int>{1, 2, 3};
    QTest::newRow("van 0") << false << 0 << 2 << QList<int>{1, 2};
    QTest::newRow("alleen 3") << false << 3 << 3 << QList<int>{3};
}

void TestPreview::paginabereik() {
    QFETCH(bool, alle);
    QFETCH(int, van);
    QFETCH(int, tot);
    QFETCH(QList<int>, verwacht);
    const QString pdf = m_map.filePath(QStringLiteral("bereik.pdf"));
    QFile::remove(pdf);
    auto printer = PdfPrinter(pdf);
    QList<int> geschilderd;
    TZnPreview pv;
    pv.SetPrinter(printer.get());
    pv.SetPreviewMode(false);
    pv.SetPageCount(3);
    pv.SetOnPaint([&](TPreviewCanvas& c, int p) {
        QCOMPARE(c.PageNumber, p);
        geschilderd << p;
        TestDocument(c, p);
    });
    int minimum = -1, maximum = -1;
    pv.SetPrintDialog([&](QPrinter&, int mn, int mx) {
        minimum = mn;
        maximum = mx;
        return TPrintDialogKeuze{true, alle, van, tot};
    });
    QVERIFY(pv.BeginDoc());
    QCOMPARE(minimum, 1);
    QCOMPARE(maximum, 3);
    QVERIFY(pv.Printing());
    QVERIFY(!pv.Execute());
    pv.EndDoc();
    QVERIFY(!pv.Printing());
    QCOMPARE(geschilderd, verwacht);

    if (!HeeftPdftotext()) QSKIP("pdftotext not installed");
    int vellen = 0;
    const QList<Woord> woorden = WoordenVan(pdf, &vellen);
    QCOMPARE(vellen, int(verwacht.size())); // no blank sheet before the first page printed
    for (int i = 0; i < verwacht.size(); ++i)
        QVERIFY2(Zoek(woorden, i + 1, QStringLiteral("Pagina%1").arg(verwacht[i])),
                 qPrintable(QString::number(i)));
}

void TestPreview::echtePrintdialoog_data() {
    QTest::addColumn<bool>("accepteren");
    QTest::newRow("naar bestand") << true;
    QTest::newRow("geannuleerd") << false;
}

void TestPreview::echtePrintdialoog() {
    // The platform's own print dialog; without an installed printer it prints to a PDF file.
    QFETCH(bool, accepteren);
    const QString pdf = m_map.filePath(QStringLiteral("dialoog.pdf"));
    QFile::remove(pdf);
    auto printer = PdfPrinter(pdf);
    QList<int> geschilderd;
    TZnPreview pv;
    pv.SetPrinter(printer.get());
    pv.SetPreviewMode(false);
    pv.SetPageCount(3);
    pv.SetOnPaint([&](TPreviewCanvas& c, int p) {
        geschilderd << p;
        TestDocument(c, p);
    });
    bool gezien = false;
    QTimer::singleShot(0, this, [&] {
        auto* dialoog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!dialoog) return;
        gezien = true;
        if (!PlaatjesMap().isEmpty())
            dialoog->grab().save(PlaatjesMap() + QStringLiteral("/printdialoog.png"));
        if (accepteren)
            dialoog->accept();
        else
            dialoog->reject();
    });
    QCOMPARE(pv.BeginDoc(), accepteren);
    QVERIFY(gezien);
    QCOMPARE(pv.Printing(), accepteren);
    pv.Execute(); // after a cancelled dialog too: still nothing is printed
    pv.EndDoc();
    QCOMPARE(geschilderd, accepteren ? (QList<int>{1, 2, 3}) : QList<int>{});
    QCOMPARE(QFile::exists(pdf), accepteren);
}

void TestPreview::annulerenTijdensAfdrukken() {
    const QString pdf = m_map.filePath(QStringLiteral("geannuleerd.pdf"));
    auto printer = PdfPrinter(pdf);
    QWidget hoofdvenster;
    hoofdvenster.show();
    QList<int> geschilderd;
    QString voortgangTekst;
    bool hoofdUit = false;
    TZnPreview pv;
    pv.SetPrinter(printer.get());
    pv.SetPreviewMode(false);
    pv.SetPageCount(5);
    pv.SetPrintDialog([](QPrinter&, int, int) { return TPrintDialogKeuze{true, true, 0, 0}; });
    pv.SetOnPaint([&](TPreviewCanvas& c, int p) {
        geschilderd << p;
        TestDocument(c, p);
        if (p != 2) return;
        TfPrintingQuery* voortgang = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* q = qobject_cast<TfPrintingQuery*>(w); q && q->isVisible()) voortgang = q;
        QVERIFY(voortgang);
        voortgangTekst = voortgang->lProgress->text() + QLatin1Char('/') + voortgang->lMax->text();
        hoofdUit = !hoofdvenster.isEnabled();
        if (!PlaatjesMap().isEmpty())
            voortgang->grab().save(PlaatjesMap() + QStringLiteral("/voortgang.png"));
        QTest::mouseClick(voortgang->CancelBtn, Qt::LeftButton);
    });
    QVERIFY(pv.BeginDoc());
    pv.Execute();
    QVERIFY(pv.Cancelled());
    QCOMPARE(geschilderd, (QList<int>{1, 2})); // the page being painted is finished, no more
    QCOMPARE(voortgangTekst, QStringLiteral("2/5"));
    QVERIFY(hoofdUit);
    QVERIFY(hoofdvenster.isEnabled());
    pv.EndDoc();
    QVERIFY(!pv.Printing());
    QVERIFY(!QFile::exists(pdf)); // the aborted job leaves no half document behind
}

void TestPreview::fouteSchilderingBreektTaakAf() {
    const QString pdf = m_map.filePath(QStringLiteral("fout.pdf"));
    auto printer = PdfPrinter(pdf);
    QList<int> geschilderd;
    TZnPreview pv;
    pv.SetMelding([this](const QString& titel, const QString& tekst) {
        m_meldingen << titel + QLatin1Char('|') + tekst;
    });
    pv.SetPrinter(printer.get());
    pv.SetPreviewMode(false);
    pv.SetPageCount(3);
    pv.SetPrintDialog([](QPrinter&, int, int) { return TPrintDialogKeuze{true, true, 0, 0}; });
    pv.SetOnPaint([&](TPreviewCanvas&, int p) {
        geschilderd << p;
        if (p == 2) throw std::runtime_error("Waarde buiten bereik");
    });
    QVERIFY(pv.BeginDoc());
    pv.Execute();
    pv.EndDoc();
    QCOMPARE(geschilderd, (QList<int>{1, 2}));
    QCOMPARE(m_meldingen, QStringList{QStringLiteral("Fout|Waarde buiten bereik")});
    QVERIFY(!QFile::exists(pdf));

    // In the preview the error is shown and the window stays usable.
    m_meldingen.clear();
    pv.SetPreviewMode(true);
    QVERIFY(pv.BeginDoc());
    pv.PreviewWindow()->SetPage(2);
    pv.PreviewWindow()->Bitmap();
    QCoreApplication::processEvents();
    QCOMPARE(m_meldingen, QStringList{QStringLiteral("Fout|Waarde buiten bereik")});
    pv.PreviewWindow()->SetPage(3);
    pv.PreviewWindow()->Bitmap();
    QCoreApplication::processEvents();
    QCOMPARE(m_meldingen.size(), 1);
    pv.EndDoc();
}

void TestPreview::pdfTekstOpDeTwips() {
    if (!HeeftPdftotext()) QSKIP("pdftotext not installed");
    // Printed through the print command to a printer with half-inch borders: twip (0, 0) is the
    // corner of the printable area, 36 points from the sheet's edges.
    const QString pdf = m_map.filePath(QStringLiteral("twips.pdf"));
    auto printer = PdfPrinter(pdf);
    TZnPreview pv;
    pv.SetPrinter(printer.get());
    pv.SetPreviewMode(false);
    pv.SetPageCount(3);
    pv.SetOnPaint(TestDocument);
    pv.SetPrintDialog([](QPrinter&, int, int) { return TPrintDialogKeuze{true, true, 0, 0}; });
    QVERIFY(pv.BeginDoc());
    pv.Execute();
    pv.EndDoc();

    int vellen = 0;
    const QList<Woord> woorden = WoordenVan(pdf, &vellen);
    QCOMPARE(vellen, 3);
    for (int p = 1; p <= 3; ++p) {
        const Woord* kop = Zoek(woorden, p, QStringLiteral("Pagina%1").arg(p));
        QVERIFY(kop);
        // (1440, 2880) twips + 36 pt border = (108, 180) pt; the word box starts at the glyphs' left
        // side bearing and the font's ascent, within a point of the text's corner.
        QVERIFY2(qAbs(kop->xMin - 108) < 1.0, qPrintable(QString::number(kop->xMin)));
        QVERIFY2(qAbs(kop->yMin - 180) < 1.0, qPrintable(QString::number(kop->yMin)));
        const Woord* hoek = Zoek(woorden, p, QStringLiteral("Hoek"));
        QVERIFY(hoek);
        QVERIFY2(qAbs(hoek->xMin - 36) < 1.0 && qAbs(hoek->yMin - 36) < 1.0,
                 qPrintable(QString::number(hoek->xMin)));
        // Right-aligned with TextWidth: ends on the printable area's right edge, 595 - 36 pt.
        const Woord* rechts = Zoek(woorden, p, QStringLiteral("Rechts"));
        QVERIFY(rechts);
        QVERIFY2(qAbs(rechts->xMax - 559) < 1.0, qPrintable(QString::number(rechts->xMax)));
        QVERIFY2(qAbs(rechts->yMin - 252) < 1.0, qPrintable(QString::number(rechts->yMin)));
    }
    if (!PlaatjesMap().isEmpty()) QFile::copy(pdf, PlaatjesMap() + QStringLiteral("/testdocument.pdf"));
}

void TestPreview::pdfZonderDialoog() {
    if (!HeeftPdftotext()) QSKIP("pdftotext not installed");
    // The batch route: no dialog, no window, A4 without borders, so twips count from the sheet edge.
    const QString pdf = m_map.filePath(QStringLiteral("rapport.pdf"));
    QFile oud(pdf);
    QVERIFY(oud.open(QIODevice::WriteOnly));
    oud.write("oud rapport");
    oud.close();

    TZnPreview pv;
    pv.SetMelding([this](const QString& t, const QString& m) { m_meldingen << t + m; });
    pv.SetPrintDialog(
        [](QPrinter&, int, int) -> TPrintDialogKeuze { throw std::logic_error("dialog shown"); });
    pv.SetPageCount(3);
    pv.SetOnPaint([](TPreviewCanvas& c, int p) {
        QCOMPARE(c.PageWidth, 11900); // 595 pt
        TestDocument(c, p);
    });
    QVERIFY2(pv.PrintToPdf(pdf), qPrintable(pv.Foutmelding()));
    QVERIFY(m_meldingen.isEmpty());
    int vellen = 0;
    const QList<Woord> woorden = WoordenVan(pdf, &vellen);
    QCOMPARE(vellen, 3);
    const Woord* kop = Zoek(woorden, 2, QStringLiteral("Pagina2"));
    QVERIFY(kop);
    QVERIFY2(qAbs(kop->xMin - 72) < 1.0 && qAbs(kop->yMin - 144) < 1.0,
             qPrintable(QString::number(kop->yMin)));

    // A paint error leaves the earlier report as it was.
    pv.SetOnPaint([](TPreviewCanvas&, int p) {
        if (p == 3) throw std::runtime_error("Model gestopt");
    });
    QVERIFY(!pv.PrintToPdf(pdf));
    QCOMPARE(pv.Foutmelding(), QStringLiteral("Model gestopt"));
    QCOMPARE(WoordenVan(pdf).size(), woorden.size());
    QVERIFY(m_meldingen.isEmpty());
}

void TestPreview::pdfOnschrijfbaar() {
    TZnPreview pv;
    pv.SetOnPaint(TestDocument);
    const QString pad = m_map.filePath(QStringLiteral("bestaat/niet/rapport.pdf"));
    QVERIFY(!pv.PrintToPdf(pad));
    QCOMPARE(pv.Foutmelding(), QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(pad)));
    QVERIFY(!pv.PrintToPdf(m_map.path()));
    QVERIFY(pv.Foutmelding().startsWith(QStringLiteral("Cannot create file")));
}

void TestPreview::pdfNietHeel_data() {
    QTest::addColumn<bool>("printer"); // a PDF printer from the print dialog, else PrintToPdf
    QTest::addColumn<QString>("geval");
    QTest::addColumn<QString>("reden");
    for (const bool printer : {false, true}) {
        const char* route = printer ? "printer: " : "PrintToPdf: ";
        // The system's own reason, in the language of the desktop.
        QTest::addRow("%ssize limit", route)
            << printer << "grens" << QString::fromLocal8Bit(std::strerror(EFBIG));
        QTest::addRow("%sread-only file", route) << printer << "alleenlezen"
                                                 << "alleen-lezen";
        QTest::addRow("%slink to a device", route) << printer << "apparaat"
                                                   << "geen gewoon bestand";
    }
}

void TestPreview::pdfNietHeel() {
    // A PDF that cannot be written whole says so and leaves the earlier file byte for byte.
    QFETCH(bool, printer);
    QFETCH(QString, geval);
    QFETCH(QString, reden);
    if (geval != "alleenlezen") KORVALINDE_ALLEEN_POSIX("no file-size limit or device on Windows");
    QTemporaryDir map;
    const QString pdf = map.filePath(QStringLiteral("rapport.pdf"));
    if (geval == "apparaat") {
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), pdf));
    } else {
        QFile oud(pdf);
        QVERIFY(oud.open(QIODevice::WriteOnly));
        oud.write("oud rapport");
    }
    if (geval == "alleenlezen") QVERIFY(chmod(QFile::encodeName(pdf), 0444) == 0);
    auto pdfPrinter = PdfPrinter(pdf);
    TZnPreview pv;
    pv.SetMelding([this](const QString& t, const QString& m) { m_meldingen << t + QLatin1Char('|') + m; });
    pv.SetPrinter(pdfPrinter.get());
    pv.SetPreviewMode(false);
    pv.SetPageCount(3);
    pv.SetOnPaint(TestDocument);
    pv.SetPrintDialog([](QPrinter&, int, int) { return TPrintDialogKeuze{true, true, 0, 0}; });
    auto grens = std::make_unique<testbestand::Bestandsgrens>(geval == "grens" ? 2000 : 0);
    if (printer) {
        if (pv.BeginDoc()) pv.Execute();
        pv.EndDoc();
        QCOMPARE(m_meldingen.size(), 1);
        QVERIFY2(m_meldingen.front().startsWith("Fout|") && m_meldingen.front().contains(reden),
                 qPrintable(m_meldingen.front()));
    } else {
        QVERIFY(!pv.PrintToPdf(pdf));
        QVERIFY2(pv.Foutmelding().contains(reden), qPrintable(pv.Foutmelding()));
    }
    grens.reset();
    QCOMPARE(
        QDir(map.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        QStringList{"rapport.pdf"});
    if (geval == "apparaat") {
        QVERIFY(QFileInfo(pdf).isSymLink() && !QFileInfo(QStringLiteral("/dev/null")).isFile());
    } else {
        QFile oud(pdf);
        QVERIFY(oud.open(QIODevice::ReadOnly));
        QCOMPARE(oud.readAll(), QByteArray("oud rapport"));
    }
}

QTEST_MAIN(TestPreview)
#include "test_preview.moc"
