// The result pages of the main window offscreen: the summary with the alternatives above it, the
// detail tables with their radio group, and the chart page following each recalculation.
#include "VensterKind.h"

#include "ui/GrafiekPagina.h"
#include "ui/InvoerWidgets.h"
#include "ui/Hoofdvenster.h"
#include "core/Meldingen.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using namespace korvalinde;
using korvalinde::testdata::Kind;

class TestUitvoerVenster : public QObject {
    Q_OBJECT

  private slots:
    void uitvoerNaPaginawissel();
    void alternatievenBovenKolommen();
    void detailKeuzeBlijftNaHerberekening();
    void grafiekVolgtHerberekening();
    void alternatiefKeuzeGeldtVoorBeide_data();
    void alternatiefKeuzeGeldtVoorBeide();
    void basisBinnenAlternatiefBereik_data();
    void basisBinnenAlternatiefBereik();
    void geenUitkomstenVanAndereInvoer_data();
    void geenUitkomstenVanAndereInvoer();
    void plaatjes();

  private:
    TOpnameMelder melder_;
};

void TestUitvoerVenster::uitvoerNaPaginawissel() {
    TFrmHoofdFormulier venster(&melder_);
    QCOMPARE(Kind<QTabWidget>(&venster, "TabKorvalinde")->currentIndex(), 0);
    QVERIFY(Kind<QLabel>(&venster, "PnlStatusBar")->isVisibleTo(&venster));
    // The first calculation filled the tables already at start-up.
    const TTabel* sam = venster.Berekening()->GrdUitvoerSam;
    QVERIFY(!sam->Cel(2, 2).trimmed().isEmpty());
    // The user changes the paddock area and turns to "Uitvoer": all three columns follow.
    venster.Invoerset()->SpePerceelOpp->SetText(QStringLiteral("4.0"));
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    QCOMPARE(sam->Cel(2, 3), QStringLiteral("   4.0"));
    QCOMPARE(sam->Cel(3, 3), QStringLiteral("   4.0"));
    // The status panel shows the hints on the first three input pages only.
    for (int pagina = TFrmHoofdFormulier::Grafieken; pagina >= 0; --pagina) {
        Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(pagina);
        QCOMPARE(Kind<QLabel>(&venster, "PnlStatusBar")->isVisibleTo(&venster),
                 pagina <= TFrmHoofdFormulier::Grasland);
    }
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    QCOMPARE(venster.findChild<QTableView*>(QStringLiteral("GrdUitvoerSam")),
             Kind<TStringGrid>(&venster, "GrdUitvoerSam"));
    // Values right-aligned, labels left.
    const QAbstractItemModel* model = Kind<TStringGrid>(&venster, "GrdUitvoerSam")->model();
    QCOMPARE(model->index(3, 2).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight,
             Qt::AlignRight);
    QVERIFY(!(model->index(3, 2).flags() & Qt::ItemIsEditable));
}

void TestUitvoerVenster::alternatievenBovenKolommen() {
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
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
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Detailuitvoer);
    auto* alt12 = Kind<QGroupBox>(Kind<QWidget>(&venster, "SheetUitvDetail"), "GrpDetail")
                      ->findChildren<QRadioButton*>()
                      .at(2);
    QCOMPARE(alt12->text(), QStringLiteral("Alt 1+2"));
    alt12->click();
    QVERIFY(Kind<TStringGrid>(&venster, "GrdUitvoerDet2")->isVisible());
    QVERIFY(!Kind<TStringGrid>(&venster, "GrdUitvoerDet0")->isVisible());
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Detailuitvoer);
    QVERIFY(Kind<TStringGrid>(&venster, "GrdUitvoerDet2")->isVisible());
    QVERIFY(alt12->isChecked());
    // The header rows stay in view as the table's header; "Dag 0.0" is the first row.
    const QAbstractItemModel* model = Kind<TStringGrid>(&venster, "GrdUitvoerDet2")->model();
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Biomassa\n> 5 cm\n(kg ds/ha)"));
    QVERIFY(Kind<TStringGrid>(&venster, "GrdUitvoerDet2")->isRowHidden(0));
    QCOMPARE(model->index(3, 0).data().toString(), QStringLiteral("Dag 0.0"));
}

void TestUitvoerVenster::grafiekVolgtHerberekening() {
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    Kind<TGrafiekPagina>(&venster, "SheetGraf")->CbxGrafiek()->setCurrentIndex(0);
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Grafieken);
    const double voor = Kind<TGrafiekPagina>(&venster, "SheetGraf")->Beschrijving().waardeAs.maximum;
    QVERIFY(voor > 0);
    // A larger offer at turn-in shows in the chart after the recalculation of the chart page.
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Grasland);
    venster.Invoerset()->SpeGrasaanbod->SetValue(3000);
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Grafieken);
    QVERIFY(Kind<TGrafiekPagina>(&venster, "SheetGraf")->Beschrijving().waardeAs.maximum > voor);
}

void TestUitvoerVenster::alternatiefKeuzeGeldtVoorBeide_data() {
    // The kinds chosen in CbxAlt1 one after another, from the defaults.
    QTest::addColumn<QList<int>>("soorten");
    const char* namen[7] = {"days", "area", "residue", "offer", "maize", "grass silage", "concentrate"};
    for (int soort = 0; soort < 7; ++soort) QTest::newRow(namen[soort]) << QList<int>{soort};
    // Alternative 2 once computed the residue's value as a paddock of 281 ha.
    QTest::newRow("area, then residue") << QList<int>{1, 2};
    QTest::newRow("residue, then area") << QList<int>{2, 1};
    QTest::newRow("offer, then days") << QList<int>{3, 0};
}

void TestUitvoerVenster::alternatiefKeuzeGeldtVoorBeide() {
    // Choosing a kind for alternative 1 gives both alternatives that kind and value at once: the
    // columns "Alternatief 1" and "Alternatief 1+2", the detail tables and the kept records (which
    // the charts and the report read) agree without another page turn.
    QFETCH(QList<int>, soorten);
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    auto* box1 = venster.findChild<QComboBox*>(QStringLiteral("CbxAlt1"));
    auto* box2 = venster.findChild<QComboBox*>(QStringLiteral("CbxAlt2"));
    const TBerekening* b = venster.Berekening();
    const TTabel* sam = b->GrdUitvoerSam;
    for (const int soort : soorten) {
        box1->setCurrentIndex(soort);
        emit box1->activated(soort);
        QCOMPARE(box2->currentIndex(), soort);
        QCOMPARE(b->BewaardeInvoer.Alternatief[0].Soort, soort + 1);
        QCOMPARE(b->BewaardeInvoer.Alternatief[1].Soort, soort + 1);
        QCOMPARE(b->BewaardeInvoer.Alternatief[1].Waarde, b->BewaardeInvoer.Alternatief[0].Waarde);
        for (int rij = 1; rij <= 29; ++rij) {
            QCOMPARE(sam->Cel(4, rij), sam->Cel(3, rij));
            QCOMPARE(QStringLiteral("   ") + QString::fromStdString(b->BewaardeUitvoer.arsam[4][rij]),
                     sam->Cel(4, rij));
        }
        for (int rij = 3; rij <= 63; ++rij)
            for (int kolom = 1; kolom <= 11; ++kolom)
                QCOMPARE(b->GrdUitvoerDet[2]->Cel(kolom, rij), b->GrdUitvoerDet[1]->Cel(kolom, rij));
        // Only the chosen kind may differ from the base; the value starts at the base value.
        if (soort != 1) QCOMPARE(sam->Cel(4, 3), sam->Cel(2, 3));
        if (soort != 2) QCOMPARE(sam->Cel(4, 2), sam->Cel(2, 2));
    }
}

void TestUitvoerVenster::basisBinnenAlternatiefBereik_data() {
    // A base input at the top of its range, the kind that replaces it, the row that shows it.
    QTest::addColumn<QString>("invoer");
    QTest::addColumn<QString>("waarde");
    QTest::addColumn<int>("soort");
    QTest::addColumn<int>("rij");
    QTest::newRow("paddock of 45 ha") << "SpePerceelOpp"
                                      << "45.0" << 1 << 3;
    QTest::newRow("offer of 3800") << "SpeGrasaanbod"
                                   << "3800" << 3 << 5;
}

void TestUitvoerVenster::basisBinnenAlternatiefBereik() {
    // The alternative takes the base value as it is, not clamped to a narrower range of its kind.
    QFETCH(QString, invoer);
    QFETCH(QString, waarde);
    QFETCH(int, soort);
    QFETCH(int, rij);
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    venster.Invoerset()->Getal(invoer)->TypDoorGebruiker(waarde);
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    auto* box1 = venster.findChild<QComboBox*>(QStringLiteral("CbxAlt1"));
    box1->setCurrentIndex(soort);
    emit box1->activated(soort);
    const TTabel* sam = venster.Berekening()->GrdUitvoerSam;
    QCOMPARE(sam->Cel(2, rij), QStringLiteral("   ") + waarde);
    QCOMPARE(sam->Cel(3, rij), sam->Cel(2, rij));
    QCOMPARE(sam->Cel(4, rij), sam->Cel(2, rij));
    QCOMPARE(venster.Invoerset()->SpeAlt1->Value(), waarde.toDouble());
}

void TestUitvoerVenster::geenUitkomstenVanAndereInvoer_data() {
    QTest::addColumn<QString>("invoer"); // what the user makes impossible
    QTest::addColumn<QString>("melding");
    QTest::addColumn<int>("soort");
    QTest::newRow("turn-in date 31/02") << "Cbxdatum"
                                        << "Ongeldige dag ingegeven" << int(MeldSoort::Waarschuwing);
    QTest::newRow("nitrogen the model does not know")
        << "CbxJaargift"
        << "Gestoorde bijgroei, onbekende jaargift: 500" << int(MeldSoort::Fout);
}

void TestUitvoerVenster::geenUitkomstenVanAndereInvoer() {
    // A base that cannot be computed empties the tables and the chart instead of showing the numbers
    // of earlier inputs, with one box; the next successful calculation fills them again, with the
    // alternatives as they were.
    QFETCH(QString, invoer);
    QFETCH(QString, melding);
    QFETCH(int, soort);
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    TInvoerset& s = *venster.Invoerset();
    const TBerekening* b = venster.Berekening();
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    auto* box1 = venster.findChild<QComboBox*>(QStringLiteral("CbxAlt1"));
    box1->setCurrentIndex(1);
    emit box1->activated(1);
    s.SpeAlt1->TypDoorGebruiker(QStringLiteral("6.0"));
    QCOMPARE(b->GrdUitvoerSam->Cel(3, 3), QStringLiteral("   6.0"));
    const QString datum = s.Cbxdatum->Tekst();

    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Grasland);
    if (invoer == "Cbxdatum")
        s.Cbxdatum->TypDoorGebruiker(QStringLiteral("3102"));
    else
        s.CbxJaargift->TypDoorGebruiker(QStringLiteral("500"));
    Kind<TGrafiekPagina>(&venster, "SheetGraf")->CbxGrafiek()->setCurrentIndex(0);
    melder_.Wis();
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Grafieken);
    QCOMPARE(melder_.Teksten(), QStringList{melding});
    QCOMPARE(int(melder_.meldingen.front().soort), soort);
    for (int rij = 1; rij <= 29; ++rij)
        for (int kolom = 2; kolom <= 4; ++kolom) QVERIFY(b->GrdUitvoerSam->Cel(kolom, rij).isEmpty());
    for (const TTabel* det : b->GrdUitvoerDet)
        for (int rij = 3; rij <= 63; ++rij)
            QVERIFY(det->Cel(1, rij).isEmpty() && det->Cel(11, rij).isEmpty());
    for (const TGrafiekSerie& serie : Kind<TGrafiekPagina>(&venster, "SheetGraf")->Beschrijving().series)
        QVERIFY2(serie.punten.isEmpty(), qPrintable(serie.naam));
    QCOMPARE(s.SpeAlt1->Tekst(), QStringLiteral("6.0"));

    s.Cbxdatum->TypDoorGebruiker(datum);
    s.CbxJaargift->KiesDoorGebruiker(2);
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    QVERIFY(!b->GrdUitvoerSam->Cel(2, 2).trimmed().isEmpty());
    QCOMPARE(s.SpeAlt1->Tekst(), QStringLiteral("6.0"));
    QCOMPARE(b->GrdUitvoerSam->Cel(3, 3), QStringLiteral("   6.0"));
}

void TestUitvoerVenster::plaatjes() {
    // Pictures of the result pages, for a person to look at: KORVALINDE_PNG_MAP=/tmp/map.
    const QString map = qEnvironmentVariable("KORVALINDE_PNG_MAP");
    if (map.isEmpty()) QSKIP("KORVALINDE_PNG_MAP not set");
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    for (int pagina : {4, 5, 6}) {
        if (pagina == 6) Kind<TGrafiekPagina>(&venster, "SheetGraf")->CbxGrafiek()->setCurrentIndex(0);
        Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(pagina);
        QTest::qWait(100); // the chart lays out its axes on the event loop
        QVERIFY(venster.grab().save(QStringLiteral("%1/pagina%2.png").arg(map).arg(pagina)));
    }
}

QTEST_MAIN(TestUitvoerVenster)
#include "test_uitvoer_venster.moc"
