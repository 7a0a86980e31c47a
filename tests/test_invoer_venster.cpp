// The main window offscreen: pages, control names, the status panel, Enter as Tab, and typing into
// number inputs, choices, table cells and the day edit going through the input set's rules; the day
// edit component on its own. Runs under a comma locale: numbers must still show with a point.
#include "VensterKind.h"

#include "components/Dagveld.h"
#include "core/Scenario.h"
#include "ui/Bewerkingen.h"
#include "ui/Hoofdvenster.h"
#include "ui/InvoerWidgets.h"
#include "ui/Toepassing.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

#include <clocale>

using namespace korvalinde;
using korvalinde::testdata::Kind;

namespace {
// An object whose event handler fails.
class Werper : public QObject {
  public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) throw std::runtime_error("Onverwacht");
        return QObject::event(e);
    }
};
// Closes every box on screen with its first button as soon as it shows, and keeps its text.
class TBoxSluiter : public QObject {
  public:
    TBoxSluiter() {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->property("gesloten").toBool()) return;
            box->setProperty("gesloten", true);
            gezien << box->text();
            box->buttons().value(0)->click();
        });
        timer_.start();
    }
    QStringList gezien;

  private:
    QTimer timer_;
};

// Typed as on a keyboard: each key to the widget that has the focus at that moment, then Enter.
void TypEnter(const QString& tekst) {
    for (const QChar teken : tekst) QTest::keyClick(QApplication::focusWidget(), teken.toLatin1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

} // namespace

class TestInvoerVenster : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();
    void vensterOpbouw();
    void bedieningVindbaar_data();
    void bedieningVindbaar();
    void paginasPassen_data();
    void paginasPassen();
    void statusPaneel();
    void enterIsTab();
    void getypteCelDoorRegel();
    void tabelMetToetsenbord_data();
    void tabelMetToetsenbord();
    void toetsVolgordePerPagina_data();
    void toetsVolgordePerPagina();
    void celMetKomma_data();
    void celMetKomma();
    void celSelectieEnVerlaten();
    void celKrijgtWatGetyptIs_data();
    void celKrijgtWatGetyptIs();
    void spinEditTypen();
    void decimalenTypen_data();
    void decimalenTypen();
    void langsteWaardeTypen();
    void keuzeKiezenEnTypen();
    void keuzeHoudtKeuze_data();
    void keuzeHoudtKeuze();
    void vorigeSnedeZichtbaar();
    void datumInVenster();
    void standaardKnop();
    void algemeneFoutmelding();
    void schermMelder();
    void dagEditFormaat_data();
    void dagEditFormaat();
    void dagEditControle_data();
    void dagEditControle();
    void dagEditEnter();

  private:
    void Toon(QWidget* w);
    TOpnameMelder melder;
    TFrmHoofdFormulier* venster = nullptr;
};

void TestInvoerVenster::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
    std::setlocale(LC_ALL, "nl_NL.UTF-8");
}

void TestInvoerVenster::init() {
    melder = TOpnameMelder();
    ZetStandaardMelder(&melder);
    venster = new TFrmHoofdFormulier(&melder);
}

void TestInvoerVenster::cleanup() {
    delete venster;
    venster = nullptr;
    ZetStandaardMelder(nullptr);
}

void TestInvoerVenster::Toon(QWidget* w) {
    w->show();
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w));
}

void TestInvoerVenster::vensterOpbouw() {
    QCOMPARE(venster->windowTitle(), QString("Korvalinde[*]"));
    QCOMPARE(venster->centralWidget()->size(), QSize(804, 666));
    QTabWidget* tab = Kind<QTabWidget>(venster, "TabKorvalinde");
    QCOMPARE(tab->objectName(), QString("TabKorvalinde"));
    const QStringList paginas{"Veestapel", "Voeding",       "Grasland", "Overig",
                              "Uitvoer",   "Detailuitvoer", "Grafieken"};
    const QStringList namen{"SheetVeestapel", "SheetVoeding",    "SheetGrasland", "SheetOverig",
                            "SheetUitvSam",   "SheetUitvDetail", "SheetGraf"};
    QCOMPARE(tab->count(), 7);
    Toon(venster);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(tab->tabText(i), paginas[i]);
        QCOMPARE(tab->widget(i)->objectName(), namen[i]);
        QCOMPARE(tab->tabBar()->tabRect(i).width(), 100);
    }
    QCOMPARE(tab->currentIndex(), 0);
    QCOMPARE(venster->Invoerset()->SpePercRas1->Tekst(), QString("26"));
    QVERIFY(melder.meldingen.isEmpty());
}

void TestInvoerVenster::bedieningVindbaar_data() {
    QTest::addColumn<QString>("naam");
    TInvoerset probe;
    for (TGetalInvoer* g : probe.Getallen())
        if (!g->Naam().startsWith("SpeAlt")) QTest::newRow(qPrintable(g->Naam())) << g->Naam();
    for (TKeuzeInvoer* k : probe.Keuzes())
        if (!k->Naam().startsWith("CbxAlt")) QTest::newRow(qPrintable(k->Naam())) << k->Naam();
    for (TTabel* t : probe.Tabellen()) QTest::newRow(qPrintable(t->Naam())) << t->Naam();
    for (const char* naam : {"Cbxdatum", "BtnVeestapel", "BtvVoeding", "BtnGrasland", "BtnOverig",
                             "PnlStatusBar", "GrpVeestapel", "GrpProductie", "GrpVoedermiddelen",
                             "GrpPerceel", "GrpBeweiding", "GrpVorigeSnede", "GrpDetail"})
        QTest::newRow(naam) << QString::fromLatin1(naam);
}

void TestInvoerVenster::bedieningVindbaar() {
    QFETCH(QString, naam);
    QWidget* w = venster->findChild<QWidget*>(naam);
    QVERIFY2(w, qPrintable(naam));
    if (TInvoer* invoer = venster->Invoerset()->Invoer(naam)) {
        QCOMPARE(w->toolTip(), invoer->Hint());
        if (!invoer->Label().isEmpty()) {
            auto* label = venster->findChild<QLabel*>("Stt" + naam);
            QVERIFY(label);
            QCOMPARE(label->text(), invoer->Label());
        }
    }
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w))
        QCOMPARE(spin->text(), venster->Invoerset()->Getal(naam)->Tekst());
}

void TestInvoerVenster::paginasPassen_data() {
    QTest::addColumn<int>("pagina");
    QTest::newRow("Veestapel") << 0;
    QTest::newRow("Voeding") << 1;
    QTest::newRow("Grasland") << 2;
    QTest::newRow("Overig") << 3;
}

void TestInvoerVenster::paginasPassen() {
    // Every visible control lies within its page and no two inputs overlap.
    QFETCH(int, pagina);
    Toon(venster);
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(pagina);
    QWidget* blad = Kind<QTabWidget>(venster, "TabKorvalinde")->widget(pagina);
    QTest::qWait(20);
    QList<QRect> plekken;
    for (QWidget* w : blad->findChildren<QWidget*>()) {
        if (!w->isVisible() || !(qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
                                 qobject_cast<QTableView*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QLabel*>(w) || qobject_cast<QPushButton*>(w)))
            continue;
        if (qobject_cast<QLineEdit*>(w) && !qobject_cast<TznDayEdit*>(w)) continue; // inside spin/combo
        const QRect plek(w->mapTo(blad, QPoint(0, 0)), w->size());
        QVERIFY2(blad->rect().contains(plek), qPrintable(w->objectName()));
        for (const QRect& ander : plekken) QVERIFY2(!ander.intersects(plek), qPrintable(w->objectName()));
        plekken << plek;
    }
    const QString map = qEnvironmentVariable("KORVALINDE_PNG_MAP");
    if (!map.isEmpty()) venster->grab().save(QDir(map).filePath(QString("pagina%1.png").arg(pagina)));
}

void TestInvoerVenster::statusPaneel() {
    Toon(venster);
    QLabel* paneel = Kind<QLabel>(venster, "PnlStatusBar");
    for (int i = 0; i < 7; ++i) {
        Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(i);
        QCOMPARE(paneel->isVisible(), i < 3);
    }
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(0);
    QCOMPARE(paneel->height(), 22);
    // The mouse over a number input shows its range in the panel, and leaving clears it.
    QWidget* koe = venster->findChild<QWidget*>("SpenKoe");
    QEnterEvent binnen(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(koe, &binnen);
    QCOMPARE(paneel->text(), QString("Minimum: 1.0  -  Maximum: 300.0"));
    QEvent buiten(QEvent::Leave);
    QApplication::sendEvent(koe, &buiten);
    QCOMPARE(paneel->text(), QString());
}

void TestInvoerVenster::enterIsTab() {
    Toon(venster);
    QWidget* koe = venster->findChild<QWidget*>("SpenKoe");
    QWidget* melk = venster->findChild<QWidget*>("SpeMelknivo");
    koe->setFocus();
    QTRY_VERIFY(koe->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(melk->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QTRY_VERIFY(venster->findChild<QWidget*>("SpePercPar1")->hasFocus());
}

void TestInvoerVenster::getypteCelDoorRegel() {
    Toon(venster);
    auto* grid = venster->findChild<QTableView*>("GrdProductie");
    TTabel* tabel = venster->Invoerset()->GrdProductie;
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(3, 1));
    QCOMPARE(tabel->SelRij(), 3);
    QCOMPARE(grid->toolTip(), QString("Minimum: 0 - Maximum: 100"));
    QTest::keyClicks(grid->viewport()->focusWidget() ? grid->viewport()->focusWidget() : grid, "5");
    QTest::keyClicks(QApplication::focusWidget(), "0");
    // Nothing reaches the table while typing; Enter commits the cell, its rule runs, and the focus
    // moves on to the next editable cell of the table.
    QCOMPARE(tabel->Cel(1, 3), QString("28"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), grid);
    const QStringList verwacht{"21", "25", "50", "0", "4"};
    for (int r = 1; r <= 5; ++r) {
        QCOMPARE(tabel->Cel(1, r), verwacht[r - 1]);
        QCOMPARE(grid->model()->index(r, 1).data().toString(), verwacht[r - 1]);
    }
    QCOMPARE(grid->currentIndex(), grid->model()->index(3, 2));
    QCOMPARE(tabel->SelKolom(), 2);
    // Leaving the table clears its selection.
    venster->findChild<QWidget*>("SpenKoe")->setFocus();
    QTRY_VERIFY(!tabel->HeeftSelectie());
    QVERIFY(!grid->selectionModel()->hasSelection());
}

void TestInvoerVenster::toetsVolgordePerPagina_data() {
    QTest::addColumn<int>("pagina");
    for (int p = 0; p < 7; ++p) QTest::newRow(qPrintable(QString::number(p))) << p;
}

void TestInvoerVenster::toetsVolgordePerPagina() {
    // Entering a page by a click on its tab (the focus in an input of another page) puts the focus
    // on the page's first control, a table with its first editable cell current; Tab then goes
    // through the page from top left to bottom right, never back up and to the left, and reaches
    // every control of the page that takes the focus by Tab.
    QFETCH(int, pagina);
    Toon(venster);
    auto* tabs = Kind<QTabWidget>(venster, "TabKorvalinde");
    QWidget* elders =
        pagina == 0 ? Kind<QWidget>(venster, "SpePerceelOpp") : Kind<QWidget>(venster, "SpenKoe");
    tabs->setCurrentIndex(pagina == 0 ? 2 : 0);
    elders->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(elders->hasFocus());
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(pagina).center());
    QCOMPARE(tabs->currentIndex(), pagina);
    QWidget* blad = tabs->widget(pagina);
    QWindow* scherm = venster->windowHandle();

    // Where the focus is: the control's place on the page, for a table that of its current cell.
    const auto plek = [blad](QWidget* w) -> std::pair<QPoint, QString> {
        while (w && !qobject_cast<TStringGrid*>(w) && w->parentWidget() && w->parentWidget() != blad &&
               qobject_cast<TStringGrid*>(w->parentWidget()->parentWidget()))
            w = w->parentWidget()->parentWidget();
        QPoint p = w->mapTo(blad, QPoint(0, 0));
        QString naam = w->objectName();
        if (auto* grid = qobject_cast<TStringGrid*>(w); grid && grid->currentIndex().isValid()) {
            p = grid->viewport()->mapTo(blad, grid->visualRect(grid->currentIndex()).topLeft());
            naam +=
                QStringLiteral("[%1,%2]").arg(grid->currentIndex().column()).arg(grid->currentIndex().row());
        }
        return {p, naam};
    };
    QWidget* eerste = QApplication::focusWidget();
    QVERIFY(eerste && blad->isAncestorOf(eerste));
    if (auto* grid = qobject_cast<TStringGrid*>(eerste); grid && !grid->Tabel()->AlleenLezen())
        QVERIFY2(grid->model()->flags(grid->currentIndex()) & Qt::ItemIsEditable, "no editable cell current");
    QList<std::pair<QPoint, QString>> gang{plek(eerste)};
    QSet<QWidget*> bezocht{eerste};
    for (int n = 0; n < 300; ++n) {
        QTest::keyClick(scherm, Qt::Key_Tab);
        QWidget* nu = QApplication::focusWidget();
        if (!nu || !blad->isAncestorOf(nu)) break;
        const auto hier = plek(nu);
        if (hier == gang.front()) break;
        gang << hier;
        bezocht << nu;
    }
    QStringList tekst;
    for (const auto& [p, naam] : gang) tekst << QStringLiteral("%1(%2,%3)").arg(naam).arg(p.x()).arg(p.y());
    for (qsizetype i = 1; i < gang.size(); ++i) {
        const QPoint a = gang.at(i - 1).first;
        const QPoint b = gang.at(i).first;
        QVERIFY2(b.y() > a.y() || b.x() > a.x(), qPrintable(tekst.join(QStringLiteral(" "))));
    }
    for (QWidget* w : blad->findChildren<QWidget*>()) {
        const bool doorTab = (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisibleTo(blad) &&
                             w->isEnabled() && !w->focusProxy();
        if (!doorTab || qobject_cast<QAbstractButton*>(w)) continue; // radio groups: only the checked one
        bool gevonden = false;
        for (QWidget* b : bezocht) gevonden = gevonden || b == w || w->isAncestorOf(b) || b->isAncestorOf(w);
        QVERIFY2(gevonden, qPrintable(w->objectName() + QStringLiteral(" not reached: ") + tekst.join(' ')));
    }
}

void TestInvoerVenster::tabelMetToetsenbord_data() {
    // Per table: its page, its first editable cell (the selection rule keeps some cells closed) and
    // how many cells that rule keeps closed.
    QTest::addColumn<QString>("naam");
    QTest::addColumn<int>("pagina");
    QTest::addColumn<QPoint>("eerste");
    QTest::addColumn<int>("gesloten");
    QTest::newRow("GrdProductie") << "GrdProductie" << 0 << QPoint(1, 1) << 0;
    QTest::newRow("GrdKrachtvoer") << "GrdKrachtvoer" << 1 << QPoint(1, 2) << 0;
    QTest::newRow("GrdVoeders") << "GrdVoeders" << 1 << QPoint(2, 2) << 3;
    QTest::newRow("GrdGras") << "GrdGras" << 2 << QPoint(1, 2) << 0;
}

void TestInvoerVenster::tabelMetToetsenbord() {
    // Tabbing in gives a current cell, arrows move, F2 and typing edit, Enter (pressed on the
    // window, as a keyboard does) commits and steps through the editable cells and then leaves the
    // table; no Enter presses a "Standaard" button.
    QFETCH(QString, naam);
    QFETCH(int, pagina);
    QFETCH(QPoint, eerste);
    QFETCH(int, gesloten);
    Toon(venster);
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(pagina);
    auto* grid = venster->findChild<TStringGrid*>(naam);
    TTabel* tabel = grid->Tabel();
    const QAbstractItemModel* model = grid->model();
    int standaard = 0;
    for (QPushButton* knop : venster->findChildren<QPushButton*>())
        if (knop->text() == "Standaard") connect(knop, &QPushButton::clicked, [&standaard] { ++standaard; });
    QWindow* scherm = venster->windowHandle();

    grid->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(grid->hasFocus());
    QCOMPARE(grid->currentIndex(), model->index(eerste.y(), eerste.x()));
    QCOMPARE(QPoint(tabel->SelKolom(), tabel->SelRij()), eerste);
    QVERIFY(grid->toolTip().startsWith("Minimum: "));
    QTest::keyClick(scherm, Qt::Key_Right);
    QCOMPARE(grid->currentIndex(),
             model->index(eerste.y(), eerste.x() + 1 < tabel->ColCount() ? eerste.x() + 1 : eerste.x()));
    QTest::keyClick(scherm, Qt::Key_Left);
    QCOMPARE(grid->currentIndex(), model->index(eerste.y(), eerste.x()));
    QTest::keyClick(scherm, Qt::Key_Up); // a fixed row above: stays
    QCOMPARE(grid->currentIndex(), model->index(eerste.y(), eerste.x()));
    // F2 opens the cell with its text, Escape leaves it as it was.
    const QString voor = tabel->Cel(eerste.x(), eerste.y());
    QTest::keyClick(scherm, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor && grid->isAncestorOf(editor));
    QCOMPARE(editor->text(), voor);
    QTest::keyClick(scherm, Qt::Key_Escape);
    QTRY_COMPARE(QApplication::focusWidget(), grid);
    // Typing replaces the text; Enter commits it and goes to the next editable cell.
    QTest::keyClick(scherm, '1');
    QCOMPARE(tabel->Cel(eerste.x(), eerste.y()), voor);
    QTest::keyClick(scherm, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(tabel->Cel(eerste.x(), eerste.y()), QString("1"));
    QVERIFY(grid->currentIndex() != model->index(eerste.y(), eerste.x()));
    QVERIFY(grid->model()->flags(grid->currentIndex()) & Qt::ItemIsEditable);

    // Enter through the rest of the cells: once per editable cell, then out of the table.
    const int bewerkbaar =
        (tabel->ColCount() - tabel->FixedCols()) * (tabel->RowCount() - tabel->FixedRows()) - gesloten;
    int stappen = 1;
    while (grid->hasFocus() && stappen <= bewerkbaar) {
        QVERIFY(model->flags(grid->currentIndex()) & Qt::ItemIsEditable);
        QTest::keyClick(scherm, Qt::Key_Return);
        ++stappen;
    }
    QCOMPARE(stappen, bewerkbaar);
    QWidget* daarna = QApplication::focusWidget();
    QVERIFY(daarna && daarna != grid && !grid->isAncestorOf(daarna));
    QVERIFY(!tabel->HeeftSelectie());
    // Shift+Tab back into it: the last editable cell.
    grid->setFocus(Qt::BacktabFocusReason);
    QCOMPARE(grid->currentIndex(), model->index(tabel->RowCount() - 1, tabel->ColCount() - 1));
    // Enter on any control after it (a "Standaard" button among them) only moves on.
    daarna->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 4; ++i) QTest::keyClick(scherm, Qt::Key_Return);
    QCOMPARE(standaard, 0);
    QCOMPARE(tabel->Cel(eerste.x(), eerste.y()), QString("1"));
}

void TestInvoerVenster::celMetKomma_data() {
    // A cell of "Voeders" (column, row), what the user types, how the editing ends, then the cell's
    // text ("" = as before) and the boxes. A comma is the decimal point; the check runs once, on
    // commit; an invalid entry and Escape give the cell its previous value back.
    QTest::addColumn<QPoint>("cel");
    QTest::addColumn<QString>("getypt");
    QTest::addColumn<QString>("einde"); // "Enter", "Tab", "elders" (another control), "Escape"
    QTest::addColumn<QString>("daarna");
    QTest::addColumn<QStringList>("meldingen");
    QTest::newRow("comma, Enter") << QPoint(2, 3) << "6,5"
                                  << "Enter"
                                  << "6.5" << QStringList();
    QTest::newRow("comma in the maize gift, Tab") << QPoint(1, 3) << "4,5"
                                                  << "Tab"
                                                  << "4.5" << QStringList();
    QTest::newRow("letters, Enter") << QPoint(2, 3) << "abc"
                                    << "Enter"
                                    << "" << QStringList{"abc is geen geldige waarde"};
    QTest::newRow("letters, leaving the table") << QPoint(2, 3) << "6,5x"
                                                << "elders"
                                                << "" << QStringList{"6.5x is geen geldige waarde"};
    QTest::newRow("Escape") << QPoint(2, 3) << "7"
                            << "Escape"
                            << "" << QStringList();
}

void TestInvoerVenster::celMetKomma() {
    QFETCH(QPoint, cel);
    QFETCH(QString, getypt);
    QFETCH(QString, einde);
    QFETCH(QString, daarna);
    QFETCH(QStringList, meldingen);
    Toon(venster);
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(1);
    TTabel* tabel = venster->Invoerset()->GrdVoeders;
    const QString voor = tabel->Cel(cel.x(), cel.y());
    if (daarna.isEmpty()) daarna = voor;
    auto* grid = venster->findChild<QTableView*>("GrdVoeders");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(cel.y(), cel.x()));
    QTest::keyClicks(grid, getypt.left(1));
    QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClicks(editor, getypt.mid(1));
    // Nothing is checked or stored while the user types; the comma shows as the point at once.
    QVERIFY(melder.meldingen.isEmpty());
    QCOMPARE(editor->text(), QString(getypt).replace(',', '.'));
    QCOMPARE(tabel->Cel(cel.x(), cel.y()), voor);
    if (einde == "elders")
        venster->findChild<QWidget*>("GrdKrachtvoer")->setFocus();
    else
        QTest::keyClick(editor, einde == "Enter" ? Qt::Key_Return
                                : einde == "Tab" ? Qt::Key_Tab
                                                 : Qt::Key_Escape);
    QTRY_VERIFY(!editor || !editor->isVisible());
    QCOMPARE(melder.Teksten(), meldingen);
    if (!meldingen.isEmpty()) QCOMPARE(melder.meldingen[0].titel, QString("Korvalinde"));
    QCOMPARE(tabel->Cel(cel.x(), cel.y()), daarna);
    QCOMPARE(grid->model()->index(cel.y(), cel.x()).data().toString(), daarna);
    if (cel == QPoint(1, 3)) {
        // The rule of the gift ran on the committed value: 20 - 1.28 x 4.5 = 14.24.
        QCOMPARE(venster->Invoerset()->SpeUrenWeidegang->Tekst(), QString("14"));
        QCOMPARE(venster->findChild<QAbstractSpinBox*>("SpeUrenWeidegang")->text(), QString("14"));
    }
}

void TestInvoerVenster::celSelectieEnVerlaten() {
    Toon(venster);
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(1);
    auto* grid = venster->findChild<QTableView*>("GrdVoeders");
    const QRect cel = grid->visualRect(grid->model()->index(2, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cel.center());
    QCOMPARE(grid->toolTip(), QString("Minimum: 0 - Maximum: 20"));
    QVERIFY(!(grid->model()->flags(grid->model()->index(2, 1)) & Qt::ItemIsEditable));
    // Keys on a closed cell do nothing: no other cell becomes current.
    QTest::keyClicks(grid, "0");
    QCOMPARE(grid->currentIndex(), grid->model()->index(2, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(3, 2)).center());
    QCOMPARE(grid->toolTip(), QString("Minimum: 100 - Maximum: 1000"));
    QCOMPARE(grid->statusTip(), grid->toolTip());
    QVERIFY(grid->model()->flags(grid->model()->index(3, 2)) & Qt::ItemIsEditable);
    // Fixed cells cannot be selected.
    QVERIFY(!(grid->model()->flags(grid->model()->index(1, 2)) & Qt::ItemIsSelectable));
    QVERIFY(grid->selectionModel()->hasSelection());
    venster->findChild<QWidget*>("GrdKrachtvoer")->setFocus();
    QTRY_VERIFY(!grid->selectionModel()->hasSelection());
    QVERIFY(!venster->Invoerset()->GrdVoeders->HeeftSelectie());
}

void TestInvoerVenster::celKrijgtWatGetyptIs_data() {
    // Every feed row of both tables on "Voeding": keys typed at once after a click (also a click on
    // the cell that is current already) or after the box of a refused entry go to that cell.
    QTest::addColumn<QString>("tabel");
    QTest::addColumn<int>("rij");
    QTest::addColumn<bool>("naMelding");
    for (const bool melding : {false, true}) {
        const char* hoe = melding ? "box, click" : "click, Escape, click";
        for (int rij = 2; rij <= 6; ++rij)
            QTest::addRow("concentrate row %d, %s", rij, hoe) << "GrdKrachtvoer" << rij << melding;
        for (int rij = 3; rij <= 8; ++rij)
            QTest::addRow("feed gift row %d, %s", rij, hoe) << "GrdVoeders" << rij << melding;
    }
}

void TestInvoerVenster::celKrijgtWatGetyptIs() {
    QFETCH(QString, tabel);
    QFETCH(int, rij);
    QFETCH(bool, naMelding);
    // The boxes on screen, each closed with its OK as soon as it shows.
    TDialoogMelder scherm;
    delete venster;
    venster = new TFrmHoofdFormulier(&scherm);
    TBoxSluiter boxen;
    QStringList& gezien = boxen.gezien;
    Toon(venster);
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(1);
    TInvoerset& s = *venster->Invoerset();
    const auto typ = TypEnter;
    const auto klik = [](QTableView* grid, int r) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(r, 1)).center());
    };
    // First the maize silage gift, as the user sets it.
    auto* voeders = venster->findChild<QTableView*>("GrdVoeders");
    klik(voeders, 3);
    typ("2");
    QCOMPARE(s.GrdVoeders->Cel(1, 3), QString("2"));
    auto* grid = venster->findChild<QTableView*>(tabel);
    TTabel* doel = s.Tabel(tabel);
    if (naMelding) {
        klik(grid, rij);
        typ("xyz");
        QTRY_COMPARE(gezien, QStringList{"xyz is geen geldige waarde"});
        // The desktop gives the window back its focus when the box has gone.
        venster->activateWindow();
        QTRY_VERIFY(QApplication::focusWidget());
        klik(grid, rij);
    } else {
        klik(grid, rij);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        klik(grid, rij);
    }
    const auto cellen = [&] {
        QStringList uit;
        for (const TTabel* t : {s.GrdKrachtvoer, s.GrdVoeders})
            for (int r = t->FixedRows(); r < t->RowCount(); ++r)
                for (int k = 1; k < t->ColCount(); ++k)
                    // The concentrate gift follows the concentrate table; the edited cell is checked below.
                    uit << ((t == doel && r == rij && k == 1) || (t == s.GrdVoeders && r == 2 && k == 1)
                                ? QString()
                                : t->Cel(k, r));
        return uit;
    };
    const QStringList voor = cellen();
    typ("2,5");
    QCOMPARE(doel->Cel(1, rij), QString("2.5"));
    QCOMPARE(grid->model()->index(rij, 1).data().toString(), QString("2.5"));
    QCOMPARE(cellen(), voor);
    QCOMPARE(gezien.size(), naMelding ? 1 : 0);
}

void TestInvoerVenster::spinEditTypen() {
    Toon(venster);
    auto* par1 = venster->findChild<QAbstractSpinBox*>("SpePercPar1");
    par1->setFocus();
    par1->selectAll();
    QTest::keyClicks(par1, "90");
    TInvoerset* s = venster->Invoerset();
    QCOMPARE(s->SpePercPar2->Tekst(), QString("0"));
    QCOMPARE(s->SpePercPar3->Tekst(), QString("10"));
    QCOMPARE(venster->findChild<QAbstractSpinBox*>("SpePercPar3")->text(), QString("10"));
    // Letters and commas do not get in; the up arrow steps.
    QTest::keyClicks(par1, "a,");
    QCOMPARE(par1->text(), QString("90"));
    // After the refused comma another key ends the refused fraction: digits get in again.
    QTest::keyClick(par1, Qt::Key_Backspace);
    QTest::keyClicks(par1, "5");
    QCOMPARE(par1->text(), QString("95"));
    QCOMPARE(s->SpePercPar1->Tekst(), QString("95"));
    auto* opp = venster->findChild<QAbstractSpinBox*>("SpePerceelOpp");
    opp->setFocus();
    QTest::keyClick(opp, Qt::Key_Up);
    QCOMPARE(opp->text(), QString("2.4"));
    QCOMPARE(s->SpePerceelOpp->Value(), 2.4);
    // A typed value beyond the range is put back into it when the focus leaves.
    auto* ras1 = venster->findChild<QAbstractSpinBox*>("SpePercRas1");
    ras1->setFocus();
    ras1->selectAll();
    QTest::keyClicks(ras1, "106");
    QCOMPARE(s->SpePercRas2->Tekst(), QString("0"));
    venster->findChild<QWidget*>("SpeTkt")->setFocus();
    QTRY_COMPARE(ras1->text(), QString("100"));
}

void TestInvoerVenster::decimalenTypen_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<QString>("getypt");
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<int>("geweigerd");
    QTest::newRow("comma is the decimal point") << "SpePerceelOpp"
                                                << "4,5"
                                                << "4.5" << 0;
    QTest::newRow("two digits before the point") << "SpePerceelOpp"
                                                 << "12.5"
                                                 << "12.5" << 0;
    QTest::newRow("two digits before the comma") << "SpePerceelOpp"
                                                 << "12,5"
                                                 << "12.5" << 0;
    QTest::newRow("a digit beyond the length") << "SpePerceelOpp"
                                               << "12,55"
                                               << "12.5" << 1;
    QTest::newRow("comma, two decimals") << "SpeOppUrplek"
                                         << "1,25"
                                         << "1.25" << 0;
    QTest::newRow("second separator and its digit") << "SpeOppUrplek"
                                                    << "0,5,6"
                                                    << "0.5" << 2;
    QTest::newRow("whole: comma and its fraction") << "SpenKoe"
                                                   << "4,5"
                                                   << "4" << 2;
    QTest::newRow("whole: point and its fraction") << "SpenKoe"
                                                   << "4.56"
                                                   << "4" << 3;
    QTest::newRow("letter") << "SpeTkt"
                            << "3a5"
                            << "35" << 1;
}

void TestInvoerVenster::decimalenTypen() {
    QFETCH(QString, naam);
    QFETCH(QString, getypt);
    QFETCH(QString, tekst);
    QFETCH(int, geweigerd);
    Toon(venster);
    auto* spin = venster->findChild<TSpinEdit*>(naam);
    QVERIFY(spin);
    QSignalSpy weigering(spin, &TSpinEdit::Geweigerd);
    spin->selectAll();
    QTest::keyClicks(spin, getypt);
    QCOMPARE(spin->text(), tekst);
    QCOMPARE(spin->Invoer()->Tekst(), tekst);
    QCOMPARE(weigering.count(), geweigerd);
}

void TestInvoerVenster::langsteWaardeTypen() {
    // Both bounds of every number input's range can be typed in full.
    TInvoerset* s = venster->Invoerset();
    for (TGetalInvoer* g : s->Getallen()) {
        auto* spin = venster->findChild<TSpinEdit*>(g->Naam());
        QVERIFY2(spin, qPrintable(g->Naam()));
        for (const double grens : {g->MinValue(), g->MaxValue()}) {
            const QString tekst = g->TekstVoor(grens);
            QSignalSpy weigering(spin, &TSpinEdit::Geweigerd);
            spin->selectAll();
            QTest::keyClicks(spin, tekst);
            QVERIFY2(weigering.isEmpty(), qPrintable(g->Naam() + ": " + tekst));
            QCOMPARE(spin->text(), tekst);
        }
    }
}

void TestInvoerVenster::keuzeKiezenEnTypen() {
    Toon(venster);
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(2);
    auto* systeem = venster->findChild<QComboBox*>("CbxSysteem");
    auto* zode = venster->findChild<QComboBox*>("CbxZode");
    systeem->setCurrentIndex(1);
    emit systeem->activated(1);
    QCOMPARE(zode->count(), 3);
    QCOMPARE(zode->currentText(), QString("Dicht"));
    QCOMPARE(venster->findChild<QAbstractSpinBox*>("SpeBiomassa05")->text(), QString("1500"));
    QCOMPARE(zode->toolTip(), QString("Open - Normaal - Dicht - Zeer dicht"));
    // A text of the user's own reaches the input when he finishes typing; the rule maps it.
    auto* grond = venster->findChild<QComboBox*>("CbxGrondsoort");
    grond->setFocus();
    grond->lineEdit()->selectAll();
    QTest::keyClicks(grond->lineEdit(), "Zandig");
    QCOMPARE(venster->Invoerset()->CbxGrondsoort->Tekst(), QString("Zand"));
    QTest::keyClick(grond->lineEdit(), Qt::Key_Return);
    QCOMPARE(venster->Invoerset()->CbxGrondsoort->Tekst(), QString("Zandig"));
    QCOMPARE(venster->Invoerset()->CbxGrondsoort->ItemIndex(), -1);
    QVERIFY(melder.meldingen.isEmpty()); // soil type has no rule: mapped only when computed
    auto* zodeTekst = zode->lineEdit();
    zode->setFocus();
    zodeTekst->selectAll();
    QTest::keyClicks(zodeTekst, "Matig");
    QVERIFY(melder.meldingen.isEmpty()); // no box at every keystroke
    QTest::keyClick(zodeTekst, Qt::Key_Tab);
    QTRY_COMPARE(melder.Teksten(), QStringList{"Onbekende string :matig"});
    QCOMPARE(venster->Invoerset()->SpeBiomassa05->Tekst(), QString("1250"));
}

void TestInvoerVenster::keuzeHoudtKeuze_data() {
    // A text typed into a choice box and Enter: the box's text afterwards, the step in "Bewerken" (named
    // after the box's label; empty: no step) and the boxes shown. An alternative holds one of its kinds:
    // another text goes back to the kind it had and changes nothing, also not the other alternative.
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("getypt");
    QTest::addColumn<QString>("daarna");
    QTest::addColumn<QString>("stap");
    QTest::addColumn<QStringList>("meldingen");
    const auto rij = [](const char* box, const char* getypt, const char* daarna, const char* stap,
                        const QStringList& meldingen = {}) {
        QTest::addRow("%s %s", box, getypt) << box << QString::fromUtf8(getypt) << QString::fromUtf8(daarna)
                                            << QString::fromUtf8(stap) << meldingen;
    };
    rij("CbxSysteem", "Standweiden", "Standweiden", "Beweidingssysteem Omweiden → Standweiden");
    rij("CbxZode", "Dicht", "Dicht", "Zodedichtheid Normaal → Dicht");
    rij("CbxJaargift", "300", "300", "Globale stikstofjaargift 400 → 300");
    rij("CbxGrondsoort", "Klei", "Klei", "Grondsoort Zand → Klei");
    rij("CbxOntwatering", "Nee", "Nee", "Goede ontwatering Ja → Nee");
    rij("CbxEngelsraai", "< 50", "< 50", "Aandeel engelsraaigras+klaver > 50 → < 50");
    rij("CbxVorigGebruik", "Snede1", "Snede1", "Gebruik vorige snede Maaien → Snede1");
    rij("CbxBloten", "Nee", "Nee", "Vorige snede gebloot Ja → Nee");
    rij("CbxAlt1", "Oppervlakte perceel", "Oppervlakte perceel",
        "Alternatief 1 Opname ds snijmais → Oppervlakte perceel");
    rij("CbxAlt1", "aantal weidedagen", "Aantal weidedagen ",
        "Alternatief 1 Opname ds snijmais → Aantal weidedagen");
    rij("CbxAlt2", "Opname ds graskuil", "Opname ds graskuil",
        "Alternatief 2 Opname ds snijmais → Opname ds graskuil");
    rij("CbxAlt1", "abc", "Opname ds snijmais", "", {"abc is geen geldige waarde"});
    rij("CbxAlt2", "Oppervlakte", "Opname ds snijmais", "", {"Oppervlakte is geen geldige waarde"});
    rij("CbxAlt1", "", "Opname ds snijmais", "", {"(leeg) is geen geldige waarde"});
}

void TestInvoerVenster::keuzeHoudtKeuze() {
    QFETCH(QString, box);
    QFETCH(QString, getypt);
    QFETCH(QString, daarna);
    QFETCH(QString, stap);
    QFETCH(QStringList, meldingen);
    TDialoogMelder scherm;
    delete venster;
    venster = new TFrmHoofdFormulier(&scherm);
    TBoxSluiter boxen;
    Toon(venster);
    TInvoerset& s = *venster->Invoerset();
    auto* tabs = Kind<QTabWidget>(venster, "TabKorvalinde");
    auto* keuze = venster->findChild<QComboBox*>(box);
    QVERIFY(keuze);
    // The topping is asked after grazing only.
    if (box == "CbxBloten") s.CbxVorigGebruik->KiesDoorGebruiker(1);
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(keuze)) tabs->setCurrentIndex(i);
    QCoreApplication::processEvents();
    venster->Bewerkingen()->Wis();
    const QByteArray voor = venster->Document()->Bytes();
    const QStringList alt2{s.CbxAlt2->Tekst(), s.SpeAlt2->Tekst()};
    keuze->setFocus();
    keuze->lineEdit()->selectAll();
    QTest::keyClick(keuze->lineEdit(), Qt::Key_Backspace);
    TypEnter(getypt);
    QCoreApplication::processEvents();
    QCOMPARE(keuze->currentText(), daarna);
    QCOMPARE(s.Keuze(box)->Tekst(), daarna);
    QCOMPARE(boxen.gezien, meldingen);
    QCOMPARE(Kind<QAction>(venster, "MitOngedaanMaken")->text(),
             stap.isEmpty() ? QString("&Ongedaan maken") : "&Ongedaan maken: " + stap);
    if (stap.isEmpty()) {
        QCOMPARE(venster->Document()->Bytes(), voor);
        QCOMPARE((QStringList{s.CbxAlt2->Tekst(), s.SpeAlt2->Tekst()}), alt2);
    }
}

void TestInvoerVenster::vorigeSnedeZichtbaar() {
    Toon(venster);
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(2);
    auto* gebruik = venster->findChild<QComboBox*>("CbxVorigGebruik");
    auto* rest = venster->findChild<QWidget*>("SpeVorigRest");
    auto* restLabel = venster->findChild<QLabel*>("SttSpeVorigRest");
    QVERIFY(!venster->findChild<QWidget*>("CbxBloten")->isVisible());
    QVERIFY(!venster->findChild<QLabel*>("SttCbxBloten")->isVisible());
    gebruik->setCurrentIndex(1);
    emit gebruik->activated(1);
    QVERIFY(venster->findChild<QWidget*>("CbxBloten")->isVisible());
    QVERIFY(venster->findChild<QLabel*>("SttSpeVorigDagen")->isVisible());
    QVERIFY(!rest->isVisible());
    auto* bloten = venster->findChild<QComboBox*>("CbxBloten");
    bloten->setCurrentIndex(1);
    emit bloten->activated(1);
    QVERIFY(rest->isVisible());
    QVERIFY(restLabel->isVisible());
    QCOMPARE(qobject_cast<QAbstractSpinBox*>(rest)->text(), QString("300"));
    const QString map = qEnvironmentVariable("KORVALINDE_PNG_MAP");
    if (!map.isEmpty()) venster->grab().save(QDir(map).filePath("pagina2-weiden.png"));
}

void TestInvoerVenster::datumInVenster() {
    Toon(venster);
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(2);
    TznDayEdit* datum = Kind<TznDayEdit>(venster, "Cbxdatum");
    QCOMPARE(datum->objectName(), QString("Cbxdatum"));
    QCOMPARE(datum->text(), QString("15/09"));
    datum->setFocus();
    QTRY_VERIFY(datum->hasFocus());
    QCOMPARE(datum->text(), QString("1509"));
    QTest::keyClicks(datum, "0106");
    QCOMPARE(venster->Invoerset()->SpeGrasaanbod->Tekst(), QString("1300")); // only on leaving
    QTest::keyClick(datum, Qt::Key_Return);
    QTRY_VERIFY(!datum->hasFocus());
    QCOMPARE(datum->text(), QString("1/06"));
    QCOMPARE(venster->Invoerset()->Cbxdatum->Tekst(), QString("106"));
    QCOMPARE(venster->Invoerset()->SpeGrasaanbod->Tekst(), QString("1700"));
    // An invalid date keeps the focus and shows the message through the window's melder.
    datum->setFocus();
    QTRY_VERIFY(datum->hasFocus());
    QTest::keyClicks(datum, "3104");
    QTest::keyClick(datum, Qt::Key_Tab);
    QTRY_COMPARE(melder.Teksten(), QStringList{"Ongeldige dag ingegeven"});
    QCOMPARE(melder.meldingen[0].titel, QString("Fout"));
    QTRY_VERIFY(datum->hasFocus());
    QCOMPARE(venster->Invoerset()->SpeGrasaanbod->Tekst(), QString("1700"));
}

void TestInvoerVenster::standaardKnop() {
    Toon(venster);
    TInvoerset* s = venster->Invoerset();
    s->SpenKoe->SetValue(120);
    s->GrdProductie->BewerkDoorGebruiker(1, 1, "40");
    QTest::mouseClick(Kind<QPushButton>(venster, "BtnVeestapel"), Qt::LeftButton);
    QCOMPARE(s->SpenKoe->Tekst(), QString("50"));
    QCOMPARE(venster->findChild<QAbstractSpinBox*>("SpenKoe")->text(), QString("50"));
    QCOMPARE(s->GrdProductie->Cel(1, 1), QString("21"));
    s->SpeOppUrplek->SetValue(1.5);
    QTest::mouseClick(Kind<QPushButton>(venster, "BtnOverig"), Qt::LeftButton);
    QCOMPARE(venster->findChild<QAbstractSpinBox*>("SpeOppUrplek")->text(), QString("0.68"));
}

void TestInvoerVenster::algemeneFoutmelding() {
    // A rule that fails on a cell that is no number (as read from a file): error box, program goes on.
    Toon(venster);
    TInvoerset* s = venster->Invoerset();
    s->GrdVoeders->ZetCel(1, 4, "abc");
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(1);
    auto* grid = venster->findChild<QTableView*>("GrdVoeders");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(3, 1));
    QTest::keyClicks(grid, "2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(melder.Teksten(), QStringList{"'abc' is not a valid floating point value"});
    QCOMPARE(melder.meldingen[0].soort, MeldSoort::Fout);
    QCOMPARE(s->GrdVoeders->Cel(1, 3), QString("2"));
    // A handler run through VangFouten, and one that lets a failure through to the application's
    // event handling: both end in the error box and the program goes on.
    melder.Wis();
    VangFouten([] { throw EKorvalindeFout("Iets ging mis"); });
    QVERIFY(qobject_cast<TKorvalindeApplicatie*>(qApp));
    Werper werper;
    QEvent gebeurtenis(QEvent::User);
    QCOMPARE(QApplication::sendEvent(&werper, &gebeurtenis), false);
    QCOMPARE(melder.Teksten(), QStringList({"Iets ging mis", "Onverwacht"}));
    QCOMPARE(melder.meldingen[1].titel, QString("Fout"));
    QCOMPARE(melder.meldingen[1].knoppen, MeldKnoppen{MeldKnop::OK});
}

void TestInvoerVenster::schermMelder() {
    // The boxes on screen: title, Dutch buttons, the answer; and the box of a committed cell that
    // is no number, after which the cell has its value back and the table the focus.
    TDialoogMelder scherm;
    QStringList gezien;
    auto sluit = [&gezien](const QString& knop) {
        QTimer::singleShot(50, [&gezien, knop] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            QStringList knoppen;
            for (QAbstractButton* b : box->buttons()) knoppen << b->text();
            knoppen.sort();
            gezien << box->windowTitle() + "|" + box->text() + "|" + knoppen.join(',');
            for (QAbstractButton* b : box->buttons())
                if (b->text() == knop) b->click();
        });
    };
    sluit("&Nee");
    QCOMPARE(scherm.Bevestig("Bestand  opslaan ?"), MeldKnop::Nee);
    sluit("OK");
    scherm.Fout("Ongeldige dag ingegeven");
    QCOMPARE(gezien, QStringList({"Bevestig|Bestand  opslaan ?|&Ja,&Nee,Annuleer",
                                  "Fout|Ongeldige dag ingegeven|OK"}));

    delete venster;
    venster = new TFrmHoofdFormulier(&scherm);
    Toon(venster);
    Kind<QTabWidget>(venster, "TabKorvalinde")->setCurrentIndex(1);
    auto* grid = venster->findChild<QTableView*>("GrdVoeders");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(4, 1));
    const QString voor = venster->Invoerset()->GrdVoeders->Cel(1, 4);
    QTest::keyClicks(grid, "3");
    QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QTest::keyClicks(editor, "x");
    sluit("OK");
    QTest::keyClick(editor, Qt::Key_Return);
    QCOMPARE(gezien.size(), 3);
    QCOMPARE(gezien.last(), QString("Korvalinde|3x is geen geldige waarde|OK"));
    QCOMPARE(venster->Invoerset()->GrdVoeders->Cel(1, 4), voor);
    venster->activateWindow();
    QTRY_COMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(grid->currentIndex(), grid->model()->index(4, 1));
}

void TestInvoerVenster::dagEditFormaat_data() {
    QTest::addColumn<QString>("patroon");
    QTest::addColumn<QString>("scheiding");
    QTest::addColumn<QString>("formaat");
    QTest::newRow("dd/MM/yyyy") << "dd/MM/yyyy"
                                << "/"
                                << "0'/'00";
    QTest::newRow("d-M-yyyy") << "d-M-yyyy"
                              << "-"
                              << "0'-'00";
    QTest::newRow("dd.MM.yy") << "dd.MM.yy"
                              << "."
                              << "0'.'00";
    QTest::newRow("year first") << "yyyy/MM/dd"
                                << "/"
                                << "'/'00'/'0";
}

void TestInvoerVenster::dagEditFormaat() {
    QFETCH(QString, patroon);
    QFETCH(QString, scheiding);
    QFETCH(QString, formaat);
    QCOMPARE(TznCustomDayEdit::DisplayFormatFor(patroon, scheiding), formaat);
    QCOMPARE(TznCustomDayEdit::FormatNumber("0'/'00", 1509), QString("15/09"));
    QCOMPARE(TznCustomDayEdit::FormatNumber("0'/'00", 104), QString("1/04"));
    QCOMPARE(TznCustomDayEdit::FormatNumber("0'/'00", 3112), QString("31/12"));
    TznDayEdit edit;
    QCOMPARE(edit.DisplayFormat(), QString("0'/'00"));
    edit.SetText("1509");
    QCOMPARE(edit.text(), QString("15/09"));
    QCOMPARE(edit.Text(), QString("1509"));
    QCOMPARE(edit.AsDate(), QDate(2001, 9, 15));
    QCOMPARE(edit.DayOfYear(), 258);
    edit.SetText("");
    QCOMPARE(edit.text(), QString());
    QVERIFY(!edit.AsDate().isValid());
    QCOMPARE(edit.DayOfYear(), 0);
}

void TestInvoerVenster::dagEditControle_data() {
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<int>("dag");
    QTest::addColumn<QString>("fout");
    QTest::newRow("3101") << "3101" << 31 << "";
    QTest::newRow("3112") << "3112" << 365 << "";
    QTest::newRow("2902") << "2902" << 0 << "Ongeldige dag ingegeven";
    QTest::newRow("3104") << "3104" << 0 << "Ongeldige dag ingegeven";
    QTest::newRow("1513") << "1513" << 0 << "Ongeldige maand ingegeven";
    QTest::newRow("15") << "15" << 0 << "Ongeldige maand ingegeven";
    QTest::newRow("12") << "12" << 0 << "Ongeldige dag ingegeven";
    QTest::newRow("0100") << "0100" << 0 << "Ongeldige maand ingegeven";
    QTest::newRow("empty") << "" << 0 << "";
}

void TestInvoerVenster::dagEditControle() {
    QFETCH(QString, tekst);
    QFETCH(int, dag);
    QFETCH(QString, fout);
    QWidget vorm;
    auto* edit = new TznDayEdit(&vorm);
    auto* volgende = new QLineEdit(&vorm);
    volgende->move(0, 40);
    QSignalSpy fouten(edit, &TznCustomDayEdit::Error);
    QSignalSpy exits(edit, &TznCustomDayEdit::Exit);
    Toon(&vorm);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClicks(edit, tekst);
    QCOMPARE(edit->Text(), tekst);
    QTest::keyClick(edit, Qt::Key_Tab);
    if (fout.isEmpty()) {
        QTRY_VERIFY(volgende->hasFocus());
        QCOMPARE(exits.count(), 1);
        QCOMPARE(fouten.count(), 0);
        QCOMPARE(edit->DayOfYear(), dag);
    } else {
        QTRY_COMPARE(fouten.count(), 1);
        QCOMPARE(fouten[0][0].toString(), fout);
        QCOMPARE(exits.count(), 0);
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->selectedText(), tekst);
        QVERIFY_THROWS_EXCEPTION(EDlxError, edit->CheckDay());
    }
}

void TestInvoerVenster::dagEditEnter() {
    QWidget vorm;
    auto* edit = new TznDayEdit(&vorm);
    auto* volgende = new QLineEdit(&vorm);
    volgende->move(0, 40);
    Toon(&vorm);
    edit->setFocus();
    QTRY_VERIFY(edit->hasFocus());
    QTest::keyClicks(edit, "104");
    QTest::keyClick(edit, Qt::Key_Return);
    QTRY_VERIFY(volgende->hasFocus());
    QCOMPARE(edit->text(), QString("1/04"));
    QCOMPARE(edit->Value(), 104.0);
}

int main(int argc, char** argv) {
    TKorvalindeApplicatie app(argc, argv);
    TestInvoerVenster test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_invoer_venster.moc"
