// The result pages of the main window offscreen: the summary with the alternatives above it, the
// detail tables with their radio group, and the chart page following each recalculation.
#include "GrafiekPagina.h"
#include "InvoerWidgets.h"
#include "Korvalinde_u.h"
#include "Meldingen.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace korvalinde;

class TestUitvoerVenster : public QObject {
    Q_OBJECT

  private slots:
    void uitvoerNaPaginawissel();
    void alternatievenBovenKolommen();
    void detailKeuzeBlijftNaHerberekening();
    void grafiekVolgtHerberekening();
    void plaatjes();

  private:
    TOpnameMelder melder_;
};

void TestUitvoerVenster::uitvoerNaPaginawissel() {
    TFrmHoofdFormulier venster(&melder_);
    QCOMPARE(venster.TabKorvalinde->currentIndex(), 0);
    QVERIFY(venster.PnlStatusBar->isVisibleTo(&venster));
    // The first calculation filled the tables already at start-up.
    const TTabel* sam = venster.Berekening()->GrdUitvoerSam;
    QVERIFY(!sam->Cel(2, 2).trimmed().isEmpty());
    // The user changes the paddock area and turns to "Uitvoer": all three columns follow.
    venster.Invoerset()->SpePerceelOpp->SetText(QStringLiteral("4.0"));
    venster.TabKorvalinde->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    QCOMPARE(sam->Cel(2, 3), QStringLiteral("   4.0"));
    QCOMPARE(sam->Cel(3, 3), QStringLiteral("   4.0"));
    QVERIFY(!venster.PnlStatusBar->isVisibleTo(&venster));
    QCOMPARE(venster.findChild<QTableView*>(QStringLiteral("GrdUitvoerSam")), venster.GrdUitvoerSam);
    // Values right-aligned, labels left.
    const QAbstractItemModel* model = venster.GrdUitvoerSam->model();
    QCOMPARE(model->index(3, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
             Qt::AlignRight);
    QVERIFY(!(model->index(3, 2).flags() & Qt::ItemIsEditable));
}

void TestUitvoerVenster::alternatievenBovenKolommen() {
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    venster.TabKorvalinde->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    auto* box1 = venster.findChild<QComboBox*>(QStringLiteral("CbxAlt1"));
    auto* box2 = venster.findChild<QComboBox*>(QStringLiteral("CbxAlt2"));
    auto* veld1 = venster.findChild<QAbstractSpinBox*>(QStringLiteral("SpeAlt1"));
    QVERIFY(box1 && box2 && veld1);
    QCOMPARE(box1->currentText(), QStringLiteral("Opname ds snijmais"));
    QCOMPARE(box1->width(), 140);
    QCOMPARE(veld1->width(), 50);
    QCOMPARE(veld1->geometry().right(), box1->geometry().right());
    QVERIFY(box2->x() > box1->geometry().right());
    // Choosing "Oppervlakte perceel" in the window reaches both alternatives.
    box1->setCurrentIndex(1);
    emit box1->activated(1);
    QCOMPARE(box2->currentIndex(), 1);
    QCOMPARE(venster.Invoerset()->SpeAlt2->Tekst().trimmed(), QStringLiteral("2.3"));
}

void TestUitvoerVenster::detailKeuzeBlijftNaHerberekening() {
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    venster.TabKorvalinde->setCurrentIndex(TFrmHoofdFormulier::Detailuitvoer);
    auto* alt12 = venster.GrpDetail->findChildren<QRadioButton*>().at(2);
    QCOMPARE(alt12->text(), QStringLiteral("Alt 1+2"));
    alt12->click();
    QVERIFY(venster.GrdUitvoerDet[2]->isVisible());
    QVERIFY(!venster.GrdUitvoerDet[0]->isVisible());
    venster.TabKorvalinde->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    venster.TabKorvalinde->setCurrentIndex(TFrmHoofdFormulier::Detailuitvoer);
    QVERIFY(venster.GrdUitvoerDet[2]->isVisible());
    QVERIFY(alt12->isChecked());
    // The header rows stay in view as the table's header; "Dag 0.0" is the first row.
    const QAbstractItemModel* model = venster.GrdUitvoerDet[2]->model();
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Biomassa\n> 5 cm\n(kg ds/ha)"));
    QVERIFY(venster.GrdUitvoerDet[2]->isRowHidden(0));
    QCOMPARE(model->index(3, 0).data().toString(), QStringLiteral("Dag 0.0"));
}

void TestUitvoerVenster::grafiekVolgtHerberekening() {
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    venster.GrafiekPagina->CbxGrafiek()->setCurrentIndex(0);
    venster.TabKorvalinde->setCurrentIndex(TFrmHoofdFormulier::Grafieken);
    const double voor = venster.GrafiekPagina->Beschrijving().waardeAs.maximum;
    QVERIFY(voor > 0);
    // A larger offer at turn-in shows in the chart after the recalculation of the chart page.
    venster.TabKorvalinde->setCurrentIndex(TFrmHoofdFormulier::Grasland);
    venster.Invoerset()->SpeGrasaanbod->SetValue(3000);
    venster.TabKorvalinde->setCurrentIndex(TFrmHoofdFormulier::Grafieken);
    QVERIFY(venster.GrafiekPagina->Beschrijving().waardeAs.maximum > voor);
}

void TestUitvoerVenster::plaatjes() {
    // Pictures of the result pages, for a person to look at: KORVALINDE_PNG_MAP=/tmp/map.
    const QString map = qEnvironmentVariable("KORVALINDE_PNG_MAP");
    if (map.isEmpty()) QSKIP("KORVALINDE_PNG_MAP not set");
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    for (int pagina : {4, 5, 6}) {
        if (pagina == 6) venster.GrafiekPagina->CbxGrafiek()->setCurrentIndex(0);
        venster.TabKorvalinde->setCurrentIndex(pagina);
        QTest::qWait(100); // the chart lays out its axes on the event loop
        QVERIFY(venster.grab().save(QStringLiteral("%1/pagina%2.png").arg(map).arg(pagina)));
    }
}

QTEST_MAIN(TestUitvoerVenster)
#include "test_uitvoer_venster.moc"
