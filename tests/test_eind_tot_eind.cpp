// The program as a user works with it, through the real main window offscreen: open a saved
// scenario, make the paddock larger on "Grasland", look at the results on "Uitvoer", pick a chart,
// print the report, save, and open the file again in a new window; and the two ways to start.
#include "VensterKind.h"

#include "components/Afdrukvoorbeeld.h"
#include "core/Meldingen.h"
#include "core/Scenario.h"
#include "programs/Startvenster.h"
#include "ui/GrafiekPagina.h"
#include "ui/Hoofdvenster.h"
#include "ui/InvoerWidgets.h"
#include "ui/Toepassing.h"
#include "ui/Verkenvenster.h"

#include <QAbstractItemModel>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <algorithm>

using namespace korvalinde;
using korvalinde::testdata::Kind;

namespace {

// Every input of the input set as "name=value", in screen order; tables cell by cell. Number
// inputs by value: an alternative read from a file shows its value in its shortest form ("3"
// for "3.00").
QStringList Invoerwaarden(const TInvoerset& s) {
    QStringList uit;
    for (const TGetalInvoer* g : s.Getallen())
        uit << g->Naam() + QLatin1Char('=') + QString::number(g->Value(), 'g', 9);
    for (const TKeuzeInvoer* k : s.Keuzes())
        uit << QStringLiteral("%1=%2 (%3)").arg(k->Naam(), k->Tekst()).arg(k->ItemIndex());
    for (const TTabel* t : s.Tabellen())
        for (int r = 0; r < t->RowCount(); ++r)
            for (int c = 0; c < t->ColCount(); ++c)
                uit << QStringLiteral("%1[%2,%3]=%4").arg(t->Naam()).arg(c).arg(r).arg(t->Cel(c, r));
    uit << s.Cbxdatum->Naam() + QLatin1Char('=') + s.Cbxdatum->Tekst();
    return uit;
}

// The inputs of the four input pages only (without the alternatives of "Uitvoer").
QStringList Paginawaarden(const TInvoerset& s) {
    const QRegularExpression alternatief(QStringLiteral("^(CbxAlt|SpeAlt)"));
    QStringList uit = Invoerwaarden(s);
    uit.removeIf([&](const QString& regel) { return alternatief.match(regel).hasMatch(); });
    return uit;
}

QStringList Celteksten(const TTabel* t) {
    QStringList uit;
    for (int r = 0; r < t->RowCount(); ++r) {
        QStringList rij;
        for (int c = 0; c < t->ColCount(); ++c) rij << t->Cel(c, r);
        uit << QStringLiteral("%1 rij %2: %3").arg(t->Naam()).arg(r).arg(rij.join(QLatin1Char('|')));
    }
    return uit;
}

// The summary and the three detail tables.
QStringList Resultaten(const TBerekening& b) {
    QStringList uit = Celteksten(b.GrdUitvoerSam);
    for (const TTabel* det : b.GrdUitvoerDet) uit << Celteksten(det);
    return uit;
}

QString Cel(const TFrmHoofdFormulier& v, int kolom, int rij) {
    return v.Berekening()->GrdUitvoerSam->Cel(kolom, rij).trimmed();
}

double Getal(const QString& tekst) {
    bool ok = false;
    const double waarde = tekst.trimmed().toDouble(&ok);
    return ok ? waarde : -1;
}

// The chart keeps its values as single-precision numbers.
bool ZelfdePunten(const QList<QPointF>& a, const QList<QPointF>& b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i].x() != b[i].x() || qAbs(a[i].y() - b[i].y()) > 1e-4) return false;
    return true;
}

// Types a number into a number input of a page as the user does: select all, type.
void Typ(QWidget* pagina, const char* naam, const char* tekst) {
    auto* veld = pagina->findChild<QAbstractSpinBox*>(QString::fromLatin1(naam));
    QVERIFY2(veld && veld->isVisible(), naam);
    veld->setFocus();
    veld->selectAll();
    QTest::keyClicks(veld, QString::fromLatin1(tekst));
}

// The text of one page of a PDF with its layout kept, so that a table row stays on one line.
QString PdfPagina(const QString& pdf, int pagina) {
    QProcess proces;
    const QString p = QString::number(pagina);
    proces.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), p,
                                               QStringLiteral("-l"), p, pdf, QStringLiteral("-")});
    if (!proces.waitForFinished(30000)) return {};
    return QString::fromUtf8(proces.readAllStandardOutput());
}

// The results page (page 3) of a printed report shows grazing days, area, offer per cow,
// concentrate and milk as the window's summary does: label, unit and the three values on one line.
void ResultatenInRapport(const QString& pdf, const TFrmHoofdFormulier& v) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        qWarning("pdftotext not installed: the text of the report is not checked");
        return;
    }
    const QString pagina = PdfPagina(pdf, 3);
    QVERIFY2(pagina.contains(QStringLiteral("Resultaten Korvalinde")), qPrintable(pagina));
    for (int rij : {RijWeidedagen, RijOppervlakte, RijAanbodKoe, RijKrachtvoer, RijMelkgift}) {
        QStringList woorden;
        for (int kolom = 0; kolom <= 4; ++kolom)
            woorden << Cel(v, kolom, rij).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString& woord : woorden) woord = QRegularExpression::escape(woord);
        const QRegularExpression regel(woorden.join(QStringLiteral("\\s+")));
        QVERIFY2(regel.match(pagina).hasMatch(), qPrintable(regel.pattern() + QLatin1Char('\n') + pagina));
    }
}

} // namespace

class TestEindTotEind : public QObject {
    Q_OBJECT

    TOpnameMelder melder;
    std::unique_ptr<QTemporaryDir> map;
    QString openNaam;    // what the open dialog answers
    QString opslaanNaam; // what the save dialog answers

    std::unique_ptr<TFrmHoofdFormulier> Venster(const QString& startBestand = {}) {
        // As the program entry makes it.
        THoofdvensterOpties opties;
        opties.Versie = VersieTekst(QStringLiteral("V"));
        opties.Datum = VersieTekst(QStringLiteral("D"));
        opties.StartBestand = startBestand;
        auto venster = std::make_unique<TFrmHoofdFormulier>(opties, &melder);
        venster->Document()->VraagOpenNaam = [this](const QString&) { return openNaam; };
        venster->Document()->VraagOpslaanNaam = [this](const QString&) { return opslaanNaam; };
        return venster;
    }

    // A saved scenario: 80 cows on a paddock of 3.5 ha; alternative 1 feeds 4 kg dry matter of
    // concentrate, alternative 2 adds a larger paddock of 4 ha.
    struct TBewaard {
        QString pad;
        QStringList invoer;     // Invoerwaarden of the window that saved it
        QStringList resultaten; // its result tables
    };
    TBewaard BewaardScenario(const QString& naam) {
        auto venster = Venster();
        venster->show();
        TInvoerset& s = *venster->Invoerset();
        s.SpenKoe->SetText(QStringLiteral("80"));
        s.SpePerceelOpp->SetText(QStringLiteral("3.5"));
        Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
        s.CbxAlt1->KiesDoorGebruiker(6); // "Opname ds krachtvoer"
        s.SpeAlt1->SetText(QStringLiteral("4.0"));
        s.CbxAlt2->KiesDoorGebruiker(1); // "Oppervlakte perceel"
        s.SpeAlt2->SetText(QStringLiteral("4.0"));
        const QString pad = map->filePath(naam);
        if (!venster->Document()->Schrijf(pad)) return {};
        return {pad, Invoerwaarden(s), Resultaten(*venster->Berekening())};
    }

  private slots:
    void init() {
        melder = TOpnameMelder();
        map = std::make_unique<QTemporaryDir>();
        openNaam.clear();
        opslaanNaam.clear();
        ZetStandaardMelder(&melder);
    }
    void cleanup() {
        for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
        ZetStandaardMelder(nullptr);
    }

    void typischGebruik();
    void start_data();
    void start();
    void plaatjes();
};

void TestEindTotEind::typischGebruik() {
    const TBewaard bron = BewaardScenario(QStringLiteral("Weide1.kvl"));
    QVERIFY(!bron.pad.isEmpty());
    melder.Wis();

    // Open the scenario: every input set, computed, shown on "Uitvoer".
    auto venster = Venster();
    venster->show();
    openNaam = bron.pad;
    Kind<QAction>(venster, "MitOpenen")->trigger();
    QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde - weide1.kvl[*]"));
    QCOMPARE(Kind<QTabWidget>(venster, "TabKorvalinde")->currentIndex(), int(TFrmHoofdFormulier::Uitvoer));
    QVERIFY(!Kind<QLabel>(venster, "PnlStatusBar")->isVisible());
    QCOMPARE(Invoerwaarden(*venster->Invoerset()), bron.invoer);
    QCOMPARE(Resultaten(*venster->Berekening()), bron.resultaten);
    for (int kolom : {2, 3}) QCOMPARE(Cel(*venster, kolom, RijOppervlakte), QStringLiteral("3.5"));
    QCOMPARE(Cel(*venster, 4, RijOppervlakte), QStringLiteral("4.0"));
    QCOMPARE(Cel(*venster, 3, RijKrachtvoer), QStringLiteral("4.00"));
    const double dagenVoor = Getal(Cel(*venster, 2, RijWeidedagen));
    QVERIFY(dagenVoor > 0);
    QVERIFY(Cel(*venster, 3, RijWeiderest) != Cel(*venster, 2, RijWeiderest));

    // A larger paddock, typed on "Grasland".
    QTabBar* tabs = Kind<QTabWidget>(venster, "TabKorvalinde")->tabBar();
    const auto kiesPagina = [tabs](int pagina) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(pagina).center());
    };
    kiesPagina(TFrmHoofdFormulier::Grasland);
    QCOMPARE(Kind<QTabWidget>(venster, "TabKorvalinde")->currentIndex(), int(TFrmHoofdFormulier::Grasland));
    QVERIFY(Kind<QLabel>(venster, "PnlStatusBar")->isVisible());
    Typ(Kind<QWidget>(venster, "SheetGrasland"), "SpePerceelOpp", "4.8");
    QCOMPARE(venster->Invoerset()->SpePerceelOpp->Tekst().trimmed(), QStringLiteral("4.8"));

    // "Uitvoer": the base and both alternatives computed on the new paddock. The alternatives
    // start again from the new base values, so all three columns agree.
    kiesPagina(TFrmHoofdFormulier::Uitvoer);
    QCOMPARE(Kind<QTabWidget>(venster, "TabKorvalinde")->currentIndex(), int(TFrmHoofdFormulier::Uitvoer));
    for (int kolom : {2, 3, 4}) {
        QCOMPARE(Cel(*venster, kolom, RijOppervlakte), QStringLiteral("4.8"));
        for (int rij = 1; rij <= 29; ++rij) QCOMPARE(Cel(*venster, kolom, rij), Cel(*venster, 2, rij));
    }
    QCOMPARE(venster->Invoerset()->SpeAlt1->Tekst().trimmed(), Cel(*venster, 2, RijKrachtvoer));
    QCOMPARE(venster->Invoerset()->SpeAlt2->Tekst().trimmed(), QStringLiteral("4.8"));
    // More grass for the same herd: more grazing days, and at turn-in the offer per cow is the
    // biomass times the area over the number of cows (2300 kg ds/ha above ground, 80 cows).
    QVERIFY(Getal(Cel(*venster, 2, RijWeidedagen)) > dagenVoor);
    QCOMPARE(Cel(*venster, 2, RijAanbodKoe), QStringLiteral("78")); // 1300 * 4.8 / 80
    for (const TTabel* detail : venster->Berekening()->GrdUitvoerDet)
        QVERIFY(qAbs(Getal(detail->Cel(DetAanbodKoe, 3)) - 2300 * 4.8 / 80) < 0.051);
    // The tables on screen show the new texts.
    const QAbstractItemModel* samenvatting = Kind<TStringGrid>(venster, "GrdUitvoerSam")->model();
    QCOMPARE(samenvatting->index(RijOppervlakte, 2).data().toString().trimmed(), QStringLiteral("4.8"));

    // The user sets both alternatives again: less concentrate, and on top of that 6 ha.
    Typ(Kind<QWidget>(venster, "SheetUitvSam"), "SpeAlt1", "3.0");
    Typ(Kind<QWidget>(venster, "SheetUitvSam"), "SpeAlt2", "6.0");
    QCOMPARE(Cel(*venster, 3, RijKrachtvoer), QStringLiteral("3.00"));
    QCOMPARE(Cel(*venster, 4, RijKrachtvoer), QStringLiteral("3.00"));
    QCOMPARE(Cel(*venster, 3, RijOppervlakte), QStringLiteral("4.8"));
    QCOMPARE(Cel(*venster, 4, RijOppervlakte), QStringLiteral("6.0"));
    QVERIFY(Getal(Cel(*venster, 4, RijWeidedagen)) > Getal(Cel(*venster, 3, RijWeidedagen)));

    // "Grafieken": grass intake per cow follows the detail table of the chosen variant.
    kiesPagina(TFrmHoofdFormulier::Grafieken);
    Kind<TGrafiekPagina>(venster, "SheetGraf")->CbxGrafiek()->setCurrentIndex(4); // "Grasopname per koe"
    Kind<TGrafiekPagina>(venster, "SheetGraf")->ZetGrpGrafiekItemIndex(2);
    const TGrafiekBeschrijving& grafiek = Kind<TGrafiekPagina>(venster, "SheetGraf")->Beschrijving();
    QCOMPARE(grafiek.grafiek, 5);
    QCOMPARE(grafiek.variant, 2);
    QList<QPointF> verwacht;
    const TTabel* alt12 = venster->Berekening()->GrdUitvoerDet[2];
    for (int r = 3; r < alt12->RowCount(); ++r)
        if (!alt12->Cel(DetOpname, r).isEmpty()) verwacht << QPointF(r - 3, Getal(alt12->Cel(DetOpname, r)));
    QVERIFY(verwacht.size() > 2);
    QVERIFY(std::any_of(grafiek.series.begin(), grafiek.series.end(),
                        [&](const TGrafiekSerie& serie) { return ZelfdePunten(serie.punten, verwacht); }));

    // The report: the preview is left with its print button, the print dialog accepted, the
    // printer writes a PDF whose results page shows the summary on screen, row by row.
    const QString pdf = map->filePath(QStringLiteral("rapport.pdf"));
    venster->Printer().setOutputFormat(QPrinter::PdfFormat);
    venster->Printer().setOutputFileName(pdf);
    int voorbeeldPaginas = 0;
    Kind<TZnPreview>(venster, "PznPrintPreview")->SetVoorbeeldTonen([&](TPrintPreview& voorbeeld) {
        voorbeeldPaginas = voorbeeld.PageCount();
        return int(QDialog::Accepted);
    });
    venster->PrintDialoog = [](QPrinter&, int, int) { return TPrintDialogKeuze{true, true, 0, 0}; };
    Kind<QToolButton>(venster, "BtnAfdrukvoorbeeld")->click();
    QCOMPARE(voorbeeldPaginas, RapportPaginas);
    QVERIFY(QFileInfo(pdf).size() > 0);
    ResultatenInRapport(pdf, *venster);
    QVERIFY(Kind<QTabWidget>(venster, "TabKorvalinde")->isEnabled());

    // Save under a new name, open that file in a new window: every input and result is back.
    opslaanNaam = map->filePath(QStringLiteral("Weide1-groot.kvl"));
    Kind<QAction>(venster, "MitOpslaanals")->trigger();
    QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde - weide1-groot.kvl[*]"));
    QVERIFY(venster->Document()->Opgeslagen());
    auto terug = Venster();
    terug->show();
    openNaam = opslaanNaam;
    Kind<QAction>(terug, "MitOpenen")->trigger();
    QCOMPARE(terug->windowTitle(), venster->windowTitle());
    QCOMPARE(Kind<QTabWidget>(terug, "TabKorvalinde")->currentIndex(), int(TFrmHoofdFormulier::Uitvoer));
    QCOMPARE(Invoerwaarden(*terug->Invoerset()), Invoerwaarden(*venster->Invoerset()));
    QCOMPARE(Resultaten(*terug->Berekening()), Resultaten(*venster->Berekening()));
    QVERIFY2(melder.meldingen.isEmpty(), qPrintable(melder.Teksten().join(QLatin1Char('\n'))));
}

// Started without a scenario: the defaults, computed once, on "Veestapel" with the status panel.
// Started with a scenario path: that scenario on "Uitvoer", its name in the caption.
void TestEindTotEind::start_data() {
    QTest::addColumn<bool>("metScenario");
    QTest::newRow("no arguments") << false;
    QTest::newRow("scenario path") << true;
}

void TestEindTotEind::start() {
    QFETCH(bool, metScenario);
    const TBewaard bron = metScenario ? BewaardScenario(QStringLiteral("Start.kvl")) : TBewaard{};
    melder.Wis();
    auto venster = Venster(bron.pad);
    venster->show();
    QVERIFY2(melder.meldingen.isEmpty(), qPrintable(melder.Teksten().join(QLatin1Char('\n'))));
    if (metScenario) {
        QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde - start.kvl[*]"));
        QCOMPARE(Kind<QTabWidget>(venster, "TabKorvalinde")->currentIndex(),
                 int(TFrmHoofdFormulier::Uitvoer));
        QVERIFY(!Kind<QLabel>(venster, "PnlStatusBar")->isVisible());
        QCOMPARE(Invoerwaarden(*venster->Invoerset()), bron.invoer);
        QCOMPARE(Resultaten(*venster->Berekening()), bron.resultaten);
        return;
    }
    QCOMPARE(venster->windowTitle(), QStringLiteral("Korvalinde[*]"));
    QCOMPARE(Kind<QTabWidget>(venster, "TabKorvalinde")->currentIndex(), int(TFrmHoofdFormulier::Veestapel));
    QVERIFY(Kind<QLabel>(venster, "PnlStatusBar")->isVisible());
    QCOMPARE(Kind<QLabel>(venster, "PnlStatusBar")->height(), 22);
    TInvoerset standaard;
    standaard.ZetStandaardwaarden();
    QCOMPARE(Paginawaarden(*venster->Invoerset()), Paginawaarden(standaard));
    // The first calculation filled the summary and put the base maize intake into both alternatives.
    const TInvoerset& s = *venster->Invoerset();
    QCOMPARE(s.CbxAlt1->Tekst(), QStringLiteral("Opname ds snijmais"));
    QCOMPARE(s.CbxAlt2->Tekst(), QStringLiteral("Opname ds snijmais"));
    QCOMPARE(Cel(*venster, 2, RijOppervlakte), s.SpePerceelOpp->Tekst().trimmed());
    QVERIFY(Getal(Cel(*venster, 2, RijMelkgift)) > 0);
    QCOMPARE(s.SpeAlt1->Tekst().trimmed(), Cel(*venster, 2, RijSnijmais));
}

// The pictures of the user guide in the README, from the scenario of the typical use:
// KORVALINDE_PNG_MAP=docs build/tests/test_eind_tot_eind plaatjes
void TestEindTotEind::plaatjes() {
    const QString doel = qEnvironmentVariable("KORVALINDE_PNG_MAP");
    if (doel.isEmpty()) QSKIP("KORVALINDE_PNG_MAP not set");
    QVERIFY(QDir().mkpath(doel));
    // In 8-bit colour: a screenshot holds few colours, and the README stays small.
    const auto bewaar = [&](const QImage& beeld, const char* naam) {
        const QImage klein = beeld.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        QVERIFY(klein.save(QDir(doel).filePath(QString::fromLatin1(naam)), "PNG", 9));
    };
    const TBewaard bron = BewaardScenario(QStringLiteral("Weide1.kvl"));
    auto venster = Venster(bron.pad);
    venster->show();
    QVERIFY(QTest::qWaitForWindowExposed(venster.get()));
    const auto pagina = [&](int nummer, const char* naam) {
        Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(nummer);
        QTest::qWait(100); // the chart lays out its axes on the event loop
        bewaar(venster->grab().toImage(), naam);
    };
    pagina(TFrmHoofdFormulier::Uitvoer, "uitvoer.png");
    venster->Invoerset()->SpePerceelOpp->TypDoorGebruiker(QStringLiteral("4.8"));
    pagina(TFrmHoofdFormulier::Grasland, "grasland.png");
    // The menu "Bewerken" open over the page, naming the edit it would take back.
    auto* bewerken = Kind<QMenu>(venster, "MitBewerken");
    const QRect titel = venster->menuBar()->actionGeometry(bewerken->menuAction());
    bewerken->popup(venster->menuBar()->mapToGlobal(titel.bottomLeft()));
    QTest::qWait(100);
    QImage menu = venster->grab().toImage();
    {
        QPainter schilder(&menu);
        schilder.drawPixmap(venster->mapFromGlobal(bewerken->mapToGlobal(QPoint(0, 0))), bewerken->grab());
    }
    bewerken->hide();
    bewaar(menu.copy(0, 0, menu.width(), menu.height() / 2), "ongedaan-maken.png");
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    venster->Invoerset()->SpeAlt1->SetText(QStringLiteral("3.0"));
    venster->Invoerset()->SpeAlt2->SetText(QStringLiteral("6.0"));
    Kind<TGrafiekPagina>(venster, "SheetGraf")->CbxGrafiek()->setCurrentIndex(0);
    pagina(TFrmHoofdFormulier::Grafieken, "grafieken.png");
    QImage resultaten;
    Kind<TZnPreview>(venster, "PznPrintPreview")->SetVoorbeeldTonen([&](TPrintPreview& voorbeeld) {
        voorbeeld.SetPage(3);
        resultaten = voorbeeld.Bitmap();
        return int(QDialog::Rejected);
    });
    Kind<QAction>(venster, "MitAfdrukvoorbeeld")->trigger();
    QVERIFY(!resultaten.isNull());
    bewaar(resultaten.scaledToWidth(560, Qt::SmoothTransformation), "rapport-resultaten.png");

    // "Verkennen" with the range it proposes for the paddock, and its chart.
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    QTest::mouseClick(Kind<QPushButton>(venster, "BtnVerkennen"), Qt::LeftButton);
    TVerkenvenster* verkennen = venster->Verkenvenster();
    QVERIFY(verkennen);
    verkennen->resize(1000, 700); // as it opens on a screen of 1024x768
    QSignalSpy klaar(verkennen, &TVerkenvenster::Klaar);
    QTest::mouseClick(Kind<QPushButton>(verkennen, "BtnBerekenen"), Qt::LeftButton);
    QVERIFY(klaar.wait(60000));
    QTest::qWait(100);
    bewaar(verkennen->grab().toImage(), "verkennen-reeks.png");
    // "Zoeken": the smallest paddock for 6 grazing days.
    Kind<QTabWidget>(verkennen, "PgcVerkennen")->setCurrentIndex(1);
    auto* rij = Kind<QComboBox>(verkennen, "CbxDoelRij");
    rij->setCurrentIndex(rij->findData(static_cast<int>(RijWeidedagen)));
    Kind<QDoubleSpinBox>(verkennen, "SpeDoel")->setValue(6);
    QTest::mouseClick(Kind<QPushButton>(verkennen, "BtnZoeken"), Qt::LeftButton);
    QVERIFY(klaar.wait(60000));
    QTest::qWait(100);
    bewaar(verkennen->grab().toImage(), "verkennen-zoeken.png");
    // "Gevoeligheid": the grazing days, every input 10 % and the turn-in date 14 days either way.
    Kind<QTabWidget>(verkennen, "PgcVerkennen")->setCurrentIndex(2);
    QTest::mouseClick(Kind<QPushButton>(verkennen, "BtnGevoeligheid"), Qt::LeftButton);
    QVERIFY(klaar.wait(60000));
    QTest::qWait(100);
    bewaar(verkennen->grab().toImage(), "verkennen-gevoeligheid.png");
    // "Reeks" through the season: the turn-in date from April to October by weeks.
    Kind<QTabWidget>(verkennen, "PgcVerkennen")->setCurrentIndex(0);
    auto* invoer = Kind<QComboBox>(verkennen, "CbxReeksInvoer");
    invoer->setCurrentIndex(invoer->findData(QStringLiteral("Cbxdatum")));
    // The month's supply beside the milk: the date sets the supply of its month.
    auto* rijen = Kind<QListWidget>(verkennen, "LstRijen");
    for (int r = 0; r < rijen->count(); ++r) {
        QListWidgetItem* item = rijen->item(r);
        if (item->text().startsWith(QLatin1String("Aanbod bij inscharen")))
            item->setCheckState(Qt::Checked);
        else if (item->text().startsWith(QLatin1String("Benuttingspercentage")))
            item->setCheckState(Qt::Unchecked);
    }
    QTest::mouseClick(Kind<QPushButton>(verkennen, "BtnBerekenen"), Qt::LeftButton);
    QVERIFY(klaar.wait(60000));
    QTest::qWait(100);
    bewaar(verkennen->grab().toImage(), "verkennen-seizoen.png");
}

QTEST_MAIN(TestEindTotEind)
#include "test_eind_tot_eind.moc"
