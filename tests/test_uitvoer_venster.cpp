// The result pages of the main window offscreen: the summary with the alternatives above it, the
// detail tables with their radio group, the chart page following each recalculation, and the
// tables to a spreadsheet (clipboard and CSV, the CSV equal to the batch calculator's), and the
// window "Verkennen" opened from "Uitvoer".
#include "Systeemtest.h"
#include "VensterKind.h"
#include "Werkmaplezer.h"
#include "components/Grafiekvlak.h"
#include "components/Schermplaats.h"
#include "core/Berekening.h"
#include "core/Csv.h"
#include "core/Gevoeligheid.h"
#include "core/Invoerset.h"
#include "core/Meldingen.h"
#include "core/RecordJson.h"
#include "core/Reeks.h"
#include "core/Scenario.h"
#include "core/Werkmap.h"
#include "domain/Bedrijfsmodel.h"
#include "report/Grafiektekenaar.h"
#include "ui/Bewerkingen.h"
#include "ui/GrafiekPagina.h"
#include "ui/Hoofdvenster.h"
#include "ui/InvoerWidgets.h"
#include "ui/Verkenvenster.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstring>
#include <utility>

using namespace korvalinde;
using korvalinde::testdata::CsvRegels;
using korvalinde::testdata::GnumericCsv;
using korvalinde::testdata::HeeftGnumeric;
using korvalinde::testdata::HeeftOpenpyxl;
using korvalinde::testdata::Kind;
using korvalinde::testdata::LeesWerkmap;
using korvalinde::testdata::VergelijkBlad;

// Verkennen's controls as a user sets them: a choice by its item's data, a number input's value.
void KiesWaarde(QWidget* venster, const char* naam, const QVariant& data) {
    auto* box = Kind<QComboBox>(venster, naam);
    box->setCurrentIndex(box->findData(data));
}

void ZetGetal(QWidget* venster, const char* naam, double waarde) {
    Kind<QDoubleSpinBox>(venster, naam)->setValue(waarde);
}

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
    void alternatievenVolgenScherm_data();
    void alternatievenVolgenScherm();
    void geenUitkomstenVanAndereInvoer_data();
    void geenUitkomstenVanAndereInvoer();
    void datumEnPaginaEenMelding();
    void kopieren_data();
    void kopieren();
    void afgekapteLabels();
    void csvGelijkAanBatch();
    void csvOpslaan_data();
    void csvOpslaan();
    void plaatjes();
    void verkennen();
    void verkennenTabelEnGrafiek_data();
    void verkennenTabelEnGrafiek();
    void verkennenOpScherm_data();
    void verkennenOpScherm();
    void verkennenVraagGewijzigd_data();
    void verkennenVraagGewijzigd();
    void verkennenReeksVerzoek_data();
    void verkennenReeksVerzoek();
    void verkennenGevoeligheid_data();
    void verkennenGevoeligheid();
    void verkennenGevoeligheidOvernemen_data();
    void verkennenGevoeligheidOvernemen();
    void verkennenDatumreeks_data();
    void verkennenDatumreeks();

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
    // The columns above 5 cm say why they can go below zero, on their heading and on their cells.
    for (int kolom : {1, 2, 3, 4}) {
        const bool boven5 = kolom == 1 || kolom == 3;
        for (const QVariant& tip : {model->headerData(kolom, Qt::Horizontal, Qt::ToolTipRole),
                                    model->index(20, kolom).data(Qt::ToolTipRole)})
            QCOMPARE(tip.toString().endsWith(QStringLiteral("; negatief: de koeien grazen onder 5 cm")),
                     boven5);
    }
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

void TestUitvoerVenster::alternatievenVolgenScherm_data() {
    QTest::addColumn<int>("zaad"); // 0: the defaults on a paddock of 50 ha; else a random scenario
    QTest::newRow("50 ha, the residue rises") << 0;
    for (int zaad = 1; zaad <= 6; ++zaad)
        QTest::newRow(
            qPrintable(QStringLiteral("random %1%2").arg(zaad).arg(zaad % 2 ? ", large paddock" : "")))
            << zaad;
}

void TestUitvoerVenster::alternatievenVolgenScherm() {
    // Each kind chosen through the combo box, then a page turn. Every time: each column is the
    // calculation of the kind and value its box shows (recomputed from the screen), one kind and
    // value in both boxes gives equal columns, the choice takes at most one run more than its own
    // and the page turn after it one run and changes nothing, and the value field's tooltip and the
    // status panel give the range of the kind shown.
    QFETCH(int, zaad);
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    TInvoerset& s = *venster.Invoerset();
    const TBerekening* b = venster.Berekening();
    QRandomGenerator kans(static_cast<quint32>(zaad));
    if (zaad == 0) {
        s.SpePerceelOpp->TypDoorGebruiker(QStringLiteral("50"));
    } else {
        // Odd seeds: a large paddock for a small herd, where regrowth outruns grazing.
        const bool groot = zaad % 2;
        s.SpePerceelOpp->TypDoorGebruiker(
            QString::number(groot ? 15 + kans.bounded(35) : 1 + kans.bounded(50) / 10.0));
        s.SpenKoe->TypDoorGebruiker(QString::number(groot ? 5 + kans.bounded(40) : 40 + kans.bounded(200)));
        s.SpeGrasaanbod->TypDoorGebruiker(QString::number(700 + 100 * kans.bounded(30)));
        s.Cbxdatum->TypDoorGebruiker(QString::number(100 * (1 + kans.bounded(28)) + 4 + kans.bounded(7)));
        s.GrdVoeders->BewerkDoorGebruiker(1, 3, QString::number(kans.bounded(8)));
    }
    auto* tabs = Kind<QTabWidget>(&venster, "TabKorvalinde");
    tabs->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    int runs = 0;
    connect(b, &TBerekening::Doorgerekend, this, [&runs] { ++runs; });
    auto* box1 = Kind<QComboBox>(&venster, "CbxAlt1");
    const TTabel* sam = b->GrdUitvoerSam;
    const auto stand = [&] {
        QStringList uit{s.SpeAlt1->Tekst(), s.SpeAlt2->Tekst()};
        for (int rij = 1; rij <= 29; ++rij) uit << sam->Cel(3, rij) << sam->Cel(4, rij);
        return uit;
    };
    const auto klopt = [&](int soort) {
        QCOMPARE(Kind<QComboBox>(&venster, "CbxAlt2")->currentIndex(), soort);
        QCOMPARE(Kind<QAbstractSpinBox>(&venster, "SpeAlt1")->text(), s.SpeAlt1->Tekst());
        TQXUitvoer vers;
        TBedrijf().Bereken(LeesInvoerRecord(s), vers);
        for (int rij = 1; rij <= 29; ++rij)
            for (int kolom = 2; kolom <= 4; ++kolom)
                QCOMPARE(sam->Cel(kolom, rij),
                         QStringLiteral("   ") + QString::fromStdString(vers.arsam[kolom][rij]));
        for (int v = 0; v < 3; ++v)
            for (int stap = 0; stap <= 60; ++stap)
                for (int kolom = 1; kolom <= 11; ++kolom)
                    QCOMPARE(b->GrdUitvoerDet[v]->Cel(kolom, stap + 3),
                             QString::fromStdString((vers.*DetailKolommen()[kolom - 1].veld)[v][stap]));
        QCOMPARE(s.SpeAlt2->Tekst(), s.SpeAlt1->Tekst());
        for (int rij = 1; rij <= 29; ++rij) QCOMPARE(sam->Cel(4, rij), sam->Cel(3, rij));
        const QString bereik[7] = {"0.0  -  Maximum: " + sam->Cel(2, 2).trimmed(),
                                   "0.1  -  Maximum: 50.0",
                                   "0  -  Maximum: 10000",
                                   "0  -  Maximum: 4000",
                                   "0.0  -  Maximum: 20.0",
                                   "0.0  -  Maximum: 20.0",
                                   "0.0  -  Maximum: 20.0"};
        auto* veld = Kind<QAbstractSpinBox>(&venster, "SpeAlt1");
        QCOMPARE(veld->toolTip(), "Minimum: " + bereik[soort]);
        const QPointF midden = QRectF(veld->rect()).center();
        QEnterEvent binnen(midden, veld->mapTo(&venster, midden), veld->mapToGlobal(midden));
        QApplication::sendEvent(veld, &binnen);
        QCOMPARE(Kind<QLabel>(&venster, "PnlStatusBar")->text(), veld->toolTip());
    };
    for (const int soort : {2, 0, 1, 3, 4, 5, 6, 2}) {
        runs = 0;
        box1->setCurrentIndex(soort);
        emit box1->activated(soort);
        QVERIFY2(runs <= 2, qPrintable(QString::number(runs)));
        klopt(soort);
        if (QTest::currentTestFailed()) return;
        const QStringList na = stand();
        runs = 0;
        tabs->setCurrentIndex(TFrmHoofdFormulier::Detailuitvoer);
        tabs->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
        QCOMPARE(runs, 2);
        QCOMPARE(stand(), na);
        klopt(soort);
        if (QTest::currentTestFailed()) return;
    }
}

void TestUitvoerVenster::geenUitkomstenVanAndereInvoer_data() {
    QTest::addColumn<QString>("invoer"); // what the user makes impossible
    QTest::addColumn<QString>("tekst");
    QTest::addColumn<QString>("melding");
    QTest::addColumn<int>("soort");
    QTest::newRow("turn-in date 31/02") << "Cbxdatum"
                                        << "3102"
                                        << "Ongeldige dag ingegeven" << int(MeldSoort::Waarschuwing);
    QTest::newRow("nitrogen the model does not know")
        << "CbxJaargift"
        << "500"
        << "Gestoorde bijgroei, onbekende jaargift: 500" << int(MeldSoort::Fout);
    QTest::newRow("soil the vocabulary does not know") << "CbxGrondsoort"
                                                       << "xyz"
                                                       << "Onbekende string :xyz" << int(MeldSoort::Fout);
    QTest::newRow("sward density the vocabulary does not know")
        << "CbxZode"
        << "xyz"
        << "Onbekende string :xyz" << int(MeldSoort::Fout);
}

void TestUitvoerVenster::geenUitkomstenVanAndereInvoer() {
    // A base that cannot be computed (a choice text the vocabulary does not know included) empties
    // the tables and the chart instead of showing the numbers of earlier inputs, with one box; the next
    // successful calculation fills them again, with the alternatives as they were.
    QFETCH(QString, invoer);
    QFETCH(QString, tekst);
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
    TKeuzeInvoer* keuze = s.Keuze(invoer);
    const int index = keuze ? keuze->ItemIndex() : -1;

    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Grasland);
    if (keuze)
        keuze->TypDoorGebruiker(tekst);
    else
        s.Cbxdatum->TypDoorGebruiker(tekst);
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
    if (keuze) keuze->KiesDoorGebruiker(index);
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    QVERIFY(!b->GrdUitvoerSam->Cel(2, 2).trimmed().isEmpty());
    QCOMPARE(s.SpeAlt1->Tekst(), QStringLiteral("6.0"));
    QCOMPARE(b->GrdUitvoerSam->Cel(3, 3), QStringLiteral("   6.0"));
}

void TestUitvoerVenster::datumEnPaginaEenMelding() {
    // An impossible turn-in date typed, then a click on the tab "Uitvoer": the date's own check and
    // the calculation say the same thing, in one box.
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    venster.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&venster));
    auto* tabs = Kind<QTabWidget>(&venster, "TabKorvalinde");
    tabs->setCurrentIndex(TFrmHoofdFormulier::Grasland);
    auto* datum = Kind<QLineEdit>(&venster, "Cbxdatum");
    datum->setFocus();
    QTRY_VERIFY(datum->hasFocus());
    datum->selectAll();
    QTest::keyClicks(datum, "3102");
    melder_.Wis();
    QTabBar* balk = tabs->tabBar();
    QTest::mouseClick(balk, Qt::LeftButton, {}, balk->tabRect(TFrmHoofdFormulier::Uitvoer).center());
    QTest::qWait(200);
    QCOMPARE(melder_.Teksten(), QStringList{"Ongeldige dag ingegeven"});
}

void TestUitvoerVenster::kopieren_data() {
    // The table (-1 the summary, 0..2 a detail table), the selected data cells (kolom, rij; an empty
    // rectangle: Ctrl+A), copied by Ctrl+C or by the right-click menu.
    QTest::addColumn<int>("tabel");
    QTest::addColumn<QRect>("cellen");
    QTest::addColumn<bool>("menu");
    QTest::newRow("summary range, Ctrl+C") << -1 << QRect(QPoint(2, 2), QPoint(3, 3)) << false;
    QTest::newRow("summary range, menu") << -1 << QRect(QPoint(3, 14), QPoint(4, 15)) << true;
    QTest::newRow("summary all, Ctrl+C") << -1 << QRect() << false;
    QTest::newRow("detail range, Ctrl+C") << 1 << QRect(QPoint(1, 3), QPoint(2, 4)) << false;
    QTest::newRow("detail all, menu") << 2 << QRect() << true;
}

void TestUitvoerVenster::kopieren() {
    QFETCH(int, tabel);
    QFETCH(QRect, cellen);
    QFETCH(bool, menu);
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    Kind<QTabWidget>(&venster, "TabKorvalinde")
        ->setCurrentIndex(tabel < 0 ? TFrmHoofdFormulier::Uitvoer : TFrmHoofdFormulier::Detailuitvoer);
    if (tabel >= 0)
        Kind<QGroupBox>(Kind<QWidget>(&venster, "SheetUitvDetail"), "GrpDetail")
            ->findChildren<QRadioButton*>()
            .at(tabel)
            ->click();
    TStringGrid* grid =
        tabel < 0 ? Kind<TStringGrid>(&venster, "GrdUitvoerSam")
                  : Kind<TStringGrid>(&venster, qPrintable(QStringLiteral("GrdUitvoerDet%1").arg(tabel)));
    const TTabel* t = grid->Tabel();
    QVERIFY(QTest::qWaitForWindowExposed(&venster));
    QGuiApplication::clipboard()->clear();
    // A click gives the table the focus; a range is selected with Shift+click, all with Ctrl+A.
    const QModelIndex hoek = grid->model()->index(cellen.isNull() ? t->FixedRows() : cellen.top(),
                                                  cellen.isNull() ? t->FixedCols() : cellen.left());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(hoek).center());
    QTRY_VERIFY(grid->hasFocus());
    if (cellen.isNull())
        QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    else
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          grid->visualRect(grid->model()->index(cellen.bottom(), cellen.right())).center());
    if (menu) {
        // The menu comes up where the user right-clicks, over the selection, which stays.
        const QPoint plek = grid->visualRect(hoek).center();
        QContextMenuEvent klik(QContextMenuEvent::Mouse, plek, grid->viewport()->mapToGlobal(plek));
        QApplication::sendEvent(grid->viewport(), &klik);
        QTRY_VERIFY(grid->Menu()->isVisible());
        QCOMPARE(grid->Menu()->actions().at(0)->text(), QStringLiteral("Kopiëren"));
        QCOMPARE(grid->Menu()->actions().at(1)->text(), QStringLiteral("Opslaan als CSV..."));
        QCOMPARE(grid->Menu()->actions().at(2)->text(),
                 QStringLiteral("Opslaan als Excel-werkmap (.xlsx)..."));
        grid->MitKopieren()->trigger();
        grid->Menu()->close();
    } else {
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
    }
    const QStringList regels = QGuiApplication::clipboard()->text().split('\n');
    const auto waarde = [t](int kolom, int rij) { return t->Cel(kolom, rij).trimmed(); };
    if (tabel < 0 && !cellen.isNull()) {
        // Column titles above, row titles (label and unit) before, blanks trimmed, a point in numbers.
        QCOMPARE(regels.size(), 4);
        const int k = cellen.left();
        const QString kop = QStringList{"", "", waarde(k, 0), waarde(k + 1, 0)}.join('\t');
        QCOMPARE(regels[0], kop);
        if (k == 2) {
            QCOMPARE(regels[0], QStringLiteral("\t\tBasis\tAlternatief 1"));
            QCOMPARE(regels[1], "Aantal weidedagen\t(dagen)\t" + waarde(2, 2) + '\t' + waarde(3, 2));
            QCOMPARE(regels[2], "Oppervlakte perceel\t(ha)\t" + waarde(2, 3) + '\t' + waarde(3, 3));
            QVERIFY(waarde(2, 3).contains('.'));
        } else {
            QCOMPARE(regels[0], QStringLiteral("\t\tAlternatief 1\tAlternatief 1+2"));
            QCOMPARE(regels[1], QStringLiteral("VERLIEZEN\t\t\t"));
            QCOMPARE(regels[2], "Benuttingspercentage (boven stoppel)\t(% van totale aanbod)\t" +
                                    waarde(3, 15) + '\t' + waarde(4, 15));
        }
    } else if (tabel < 0) {
        QCOMPARE(regels.size(), 1 + 29 + 1);
        QCOMPARE(regels[0], QStringLiteral("\t\tBasis\tAlternatief 1\tAlternatief 1+2"));
        QCOMPARE(regels[1], QStringLiteral("GRASAANBOD\t\t\t\t"));
        QCOMPARE(regels[29], "Afname melkgift\t(kg FPCM/koe/dag)\t" + waarde(2, 29) + '\t' + waarde(3, 29) +
                                 '\t' + waarde(4, 29));
    } else if (!cellen.isNull()) {
        // The three header rows above, the day before.
        QCOMPARE(regels, QStringList({"\tBiomassa\tBiomassa", "\t> 5 cm\t> 0 cm", "\t(kg ds/ha)\t(kg ds/ha)",
                                      "Dag 0.0\t" + waarde(1, 3) + '\t' + waarde(2, 3),
                                      "Dag 0.5\t" + waarde(1, 4) + '\t' + waarde(2, 4), ""}));
    } else {
        QCOMPARE(regels.size(), 3 + 61 + 1);
        QCOMPARE(regels[0].split('\t').size(), 12);
        QCOMPARE(regels[2].split('\t').last(), QStringLiteral("(kg/koe)"));
        QCOMPARE(regels[3].split('\t').first(), QStringLiteral("Dag 0.0"));
        QCOMPARE(regels[63].split('\t').first(), QStringLiteral("Dag 30.0"));
    }
    QCOMPARE(regels.last(), QString());
}

void TestUitvoerVenster::afgekapteLabels() {
    // A label cut off by its column shows in full as a tooltip; one that fits has none.
    TFrmHoofdFormulier venster(&melder_);
    const QAbstractItemModel* model = Kind<TStringGrid>(&venster, "GrdUitvoerSam")->model();
    QCOMPARE(model->index(15, 0).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Benuttingspercentage (boven stoppel)"));
    QCOMPARE(model->index(22, 1).data(Qt::ToolTipRole).toString(),
             QStringLiteral("(% van gras zonder bijv)"));
    QVERIFY(!model->index(4, 0).data(Qt::ToolTipRole).isValid());
    QVERIFY(!model->index(3, 1).data(Qt::ToolTipRole).isValid());
}

void TestUitvoerVenster::csvGelijkAanBatch() {
    // The CSV of the window's tables is the batch calculator's, byte for byte, for the same input.
    const QString pad = QStringLiteral(VOORBEELD_DIR "/standaard.json");
    auto batch = [&pad](const QStringList& opties) {
        QProcess p;
        p.start(QStringLiteral(BEREKEN_EXE), opties + QStringList{pad});
        return p.waitForFinished(30000) && p.exitCode() == 0 ? QString::fromUtf8(p.readAllStandardOutput())
                                                             : QStringLiteral("mislukt");
    };
    QFile bestand(pad);
    QVERIFY(bestand.open(QIODevice::ReadOnly));
    TQXInvoer invoer;
    QString fout;
    QVERIFY(InvoerUitJson(QJsonDocument::fromJson(bestand.readAll()).object(), invoer, fout));
    TOpnameMelder melder;
    TInvoerset invoerset(&melder);
    TBerekening berekening(invoerset, melder);
    TBedrijf().Bereken(invoer, berekening.BewaardeUitvoer);
    berekening.VulSamenvatting();
    berekening.VulDetailTabellen();

    const QString samenvatting = CsvTabel(*berekening.GrdUitvoerSam, pad);
    QCOMPARE(samenvatting, batch({"--csv"}));
    QString detail = samenvatting + QStringLiteral("\r\n") + CsvDetailKop(*berekening.GrdUitvoerDet[0]);
    for (int v = 0; v < 3; ++v) detail += CsvDetail(*berekening.GrdUitvoerDet[v], VariantNaam(v), pad);
    QCOMPARE(detail, batch({"--csv", "--detail"}));
    QCOMPARE(CsvTabel(*berekening.GrdUitvoerDet[1], pad),
             CsvDetailKop(*berekening.GrdUitvoerDet[1]) +
                 CsvDetail(*berekening.GrdUitvoerDet[1], "Alternatief 1", pad));
}

void TestUitvoerVenster::csvOpslaan_data() {
    QTest::addColumn<QString>("extensie"); // csv or xlsx
    QTest::addColumn<int>("tabel");        // -1 the summary, else the detail table of that variant
    QTest::addColumn<QByteArray>("taal");  // LC_NUMERIC while the table is saved
    QTest::newRow("CSV, detail") << "csv" << 2 << QByteArray("C");
    QTest::newRow("Excel workbook, summary") << "xlsx" << -1 << QByteArray("C");
    QTest::newRow("Excel workbook, detail") << "xlsx" << 2 << QByteArray("C");
    // On a Dutch desktop the same workbook, for openpyxl and for Gnumeric.
    QTest::newRow("Excel workbook, summary, comma locale") << "xlsx" << -1 << QByteArray("nl_NL.UTF-8");
}

void TestUitvoerVenster::csvOpslaan() {
    // "Opslaan als CSV..." and "Opslaan als Excel-werkmap (.xlsx)..." write the whole table, the name
    // from the (replaced) dialog with the extension added; the workbook holds the CSV's cells, the
    // numbers as numbers. A file that cannot be written is said and an old one stays as it was; a
    // cancelled dialog writes nothing.
    QFETCH(QString, extensie);
    QFETCH(int, tabel);
    QFETCH(QByteArray, taal);
    if (extensie == "xlsx" && !HeeftOpenpyxl()) QSKIP("python3 not installed");
    if (taal != "C" && !HeeftGnumeric()) QSKIP("ssconvert not installed");
    TFrmHoofdFormulier venster(&melder_);
    QTemporaryDir map;
    TStringGrid* grid =
        tabel < 0 ? Kind<TStringGrid>(&venster, "GrdUitvoerSam")
                  : Kind<TStringGrid>(&venster, qPrintable(QStringLiteral("GrdUitvoerDet%1").arg(tabel)));
    const bool xlsx = extensie == "xlsx";
    QString antwoord = map.filePath("tabel");
    QString voorstel;
    QStringList fouten;
    grid->VraagBestandsnaam = [&](QWidget*, const QString& v) {
        voorstel = v;
        return antwoord;
    };
    grid->ToonFout = [&fouten](const QString& melding) { fouten << melding; };
    const auto opslaanIn = [&](const char* getallen) {
        const std::string vorige = std::setlocale(LC_NUMERIC, nullptr);
        QVERIFY(std::setlocale(LC_NUMERIC, getallen));
        (xlsx ? grid->MitOpslaanXlsx() : grid->MitOpslaanCsv())->trigger();
        std::setlocale(LC_NUMERIC, vorige.c_str());
    };
    opslaanIn(taal.constData());
    QCOMPARE(voorstel, (tabel < 0 ? "Korvalinde uitvoer." : "Korvalinde detail Alternatief 1+2.") + extensie);
    const QString pad = map.filePath("tabel." + extensie);
    QFile bestand(pad);
    QVERIFY(bestand.open(QIODevice::ReadOnly));
    const QString csv = CsvTabel(*grid->Tabel(), QString());
    if (xlsx) {
        QString fout;
        const QJsonObject werkmap = LeesWerkmap(pad, fout);
        QVERIFY2(fout.isEmpty(), qPrintable(fout));
        const QString blad = tabel < 0 ? "Samenvatting" : "Detail";
        QCOMPARE(werkmap.value("volgorde").toVariant().toStringList(), QStringList{blad});
        const QString verschil =
            VergelijkBlad(werkmap.value("bladen").toObject().value(blad).toObject(), CsvRegels(csv.toUtf8()),
                          tabel < 0 ? TekstkolommenSamenvatting : TekstkolommenDetail);
        QVERIFY2(verschil.isEmpty(), qPrintable(verschil));
        if (taal != "C") {
            antwoord = map.filePath("c");
            opslaanIn("C");
            const QByteArray gnumeric = GnumericCsv(pad, fout);
            QVERIFY2(fout.isEmpty(), qPrintable(fout));
            QCOMPARE(gnumeric, GnumericCsv(map.filePath("c.xlsx"), fout));
            QVERIFY(QFile::remove(map.filePath("c.xlsx")));
        }
    } else {
        QCOMPARE(QString::fromUtf8(bestand.readAll()), csv);
    }
    bestand.close();
    const auto opslaan = [grid, xlsx] { return xlsx ? grid->OpslaanAlsXlsx() : grid->OpslaanAlsCsv(); };
    antwoord = map.filePath("geen/map/tabel." + extensie); // a folder that does not exist
    QVERIFY(!opslaan());
    QCOMPARE(fouten.size(), 1);
    QVERIFY(fouten[0].startsWith("De tabel kon niet worden opgeslagen als"));
    // Over a file-size limit the old file stays.
    antwoord = pad;
    const QByteArray oud = QByteArray(100, 'o');
    QVERIFY(bestand.open(QIODevice::WriteOnly | QIODevice::Truncate) && bestand.write(oud) == oud.size());
    bestand.close();
    {
        if (!systeemtest::kPosix) return; // no file-size limit on Windows
        rlimit oudeGrens{};
        getrlimit(RLIMIT_FSIZE, &oudeGrens);
        rlimit grens = oudeGrens;
        grens.rlim_cur = 200;
        const auto signaal = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &grens);
        const bool gelukt = opslaan();
        setrlimit(RLIMIT_FSIZE, &oudeGrens);
        std::signal(SIGXFSZ, signaal);
        QVERIFY(!gelukt);
    }
    QCOMPARE(fouten.size(), 2);
    QVERIFY2(fouten[1].contains(QString::fromLocal8Bit(std::strerror(EFBIG))), qPrintable(fouten[1]));
    QVERIFY(bestand.open(QIODevice::ReadOnly));
    QCOMPARE(bestand.readAll(), oud);
    QCOMPARE(QDir(map.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"tabel." + extensie});
    grid->VraagBestandsnaam = [](QWidget*, const QString&) { return QString(); };
    QVERIFY(!opslaan());
    QCOMPARE(fouten.size(), 2);
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
    // A selection on "Uitvoer" with the right-click menu over it.
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    TStringGrid* grid = Kind<TStringGrid>(&venster, "GrdUitvoerSam");
    const QRect van = grid->visualRect(grid->model()->index(9, 2));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, van.center());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      grid->visualRect(grid->model()->index(12, 3)).center());
    QContextMenuEvent klik(QContextMenuEvent::Mouse, van.center(),
                           grid->viewport()->mapToGlobal(van.center()));
    QApplication::sendEvent(grid->viewport(), &klik);
    QTRY_VERIFY(grid->Menu()->isVisible());
    QImage beeld = venster.grab().toImage();
    QPainter schilder(&beeld);
    schilder.drawPixmap(venster.mapFromGlobal(grid->Menu()->pos()), grid->Menu()->grab());
    schilder.end();
    QVERIFY(beeld.save(QStringLiteral("%1/uitvoer-kopieren.png").arg(map)));
    grid->Menu()->close();
}

void TestUitvoerVenster::verkennen() {
    // "Verkennen" through its widgets: the sweep's CSV is the batch calculator's for the scenario on
    // screen, a cancelled run shows nothing, the goal seek answers as the batch calculator does and its
    // value taken over is an unsaved edit that the window shows as a changed starting point.
    TFrmHoofdFormulier venster(&melder_);
    TInvoerset& invoer = *venster.Invoerset();
    invoer.SpenKoe->TypDoorGebruiker(QStringLiteral("60"));
    QTemporaryDir map;
    const QString kvl = map.filePath(QStringLiteral("weide.kvl"));
    QVERIFY(venster.Document()->Schrijf(kvl));
    const auto batch = [&kvl](const QStringList& opties) {
        QProcess p;
        p.start(QStringLiteral(BEREKEN_EXE), opties + QStringList{kvl});
        return p.waitForFinished(30000) ? p.readAllStandardOutput() : QByteArray("mislukt");
    };
    QTest::mouseClick(Kind<QPushButton>(&venster, "BtnVerkennen"), Qt::LeftButton);
    TVerkenvenster* v = venster.Verkenvenster();
    QVERIFY(v && v->isVisible());
    QCOMPARE(Kind<QLabel>(v, "LblUitgangspunt")->text(),
             QStringLiteral("Uitgangspunt: weide.kvl, zoals nu op het scherm"));
    QSignalSpy klaar(v, &TVerkenvenster::Klaar);
    const auto kies = [v](const char* naam, const QVariant& data) { KiesWaarde(v, naam, data); };
    const auto zet = [v](const char* naam, double waarde) { ZetGetal(v, naam, waarde); };
    const auto klik = [v, &klaar](const char* knop) {
        QTest::mouseClick(Kind<QPushButton>(v, knop), Qt::LeftButton);
        return klaar.wait(60000);
    };

    kies("CbxReeksInvoer", QStringLiteral("SpePerceelOpp"));
    zet("SpeReeksVan", 1);
    zet("SpeReeksTot", 3);
    zet("SpeReeksStap", 0.5);
    Kind<QCheckBox>(v, "ChkAlternatieven")->setChecked(true);
    QVERIFY(klik("BtnBerekenen"));
    TStringGrid* grid = Kind<TStringGrid>(v, "GrdReeks");
    QCOMPARE(grid->Tabel()->RowCount(), 6);
    const QString csv = map.filePath(QStringLiteral("reeks"));
    grid->VraagBestandsnaam = [&csv](QWidget*, const QString&) { return csv; };
    grid->MitOpslaanCsv()->trigger();
    QFile bestand(csv + QStringLiteral(".csv"));
    QVERIFY(bestand.open(QIODevice::ReadOnly));
    QCOMPARE(bestand.readAll(), batch({"--reeks", "SpePerceelOpp=1:3:0.5", "--alternatieven"}));
    // The chart is the batch calculator's for the same sweep and rows, pixel for pixel: the same
    // titles, lines and legend.
    const QString png = map.filePath(QStringLiteral("reeks.png"));
    QStringList rijen;
    for (const TSamenvattingKolom& k : SamenvattingKolommen())
        if (k.rij == RijBenutting || k.rij == RijMelkgift) rijen << QStringLiteral("--rij") << k.titel;
    batch(QStringList{"--reeks", "SpePerceelOpp=1:3:0.5", "--alternatieven", "--grafiek", png} + rijen);
    const QImage beeldBatch(png);
    QVERIFY(!beeldBatch.isNull());
    QCOMPARE(v->ReeksAfbeelding().convertToFormat(QImage::Format_RGB32),
             beeldBatch.convertToFormat(QImage::Format_RGB32));

    // 5,000 points cancelled at once: no table, no chart, no CSV, also not the previous ones.
    zet("SpeReeksVan", 0.1);
    zet("SpeReeksTot", 50);
    zet("SpeReeksStap", 0.1);
    Kind<QCheckBox>(v, "ChkTweedeInvoer")->setChecked(true);
    kies("CbxTweedeInvoer", QStringLiteral("SpenKoe"));
    zet("SpeTweedeVan", 10);
    zet("SpeTweedeTot", 100);
    zet("SpeTweedeStap", 10);
    QTest::mouseClick(Kind<QPushButton>(v, "BtnBerekenen"), Qt::LeftButton);
    QVERIFY(v->Bezig());
    QTest::mouseClick(Kind<QPushButton>(v, "BtnAnnuleren"), Qt::LeftButton);
    QVERIFY(klaar.wait(60000));
    QVERIFY(!v->findChild<TStringGrid*>(QStringLiteral("GrdReeks")));
    QVERIFY(v->ReeksCsv().isEmpty() && v->ReeksAfbeelding().isNull());
    QCOMPARE(Kind<QLabel>(v, "LblMelding")->text(), QStringLiteral("Geannuleerd."));

    // The goal seek: found as the batch calculator finds it, then one that no value reaches.
    Kind<QTabWidget>(v, "PgcVerkennen")->setCurrentIndex(1);
    kies("CbxZoekInvoer", QStringLiteral("SpePerceelOpp"));
    zet("SpeZoekVan", 1);
    zet("SpeZoekTot", 4);
    kies("CbxDoelRij", static_cast<int>(RijWeidedagen));
    zet("SpeDoel", 3);
    QVERIFY(klik("BtnZoeken"));
    const QByteArray gevonden = batch({"--zoek", "weidedagen>=3", "--varieer", "SpePerceelOpp=1:4"})
                                    .split('\n')
                                    .value(1)
                                    .split(',')
                                    .value(0);
    QVERIFY(!gevonden.isEmpty());
    QVERIFY2(Kind<QLabel>(v, "LblZoekUitkomst")->text().contains(QStringLiteral(": %1.").arg(gevonden)),
             qPrintable(Kind<QLabel>(v, "LblZoekUitkomst")->text()));
    QCOMPARE(Kind<QTableWidget>(v, "GrdZoekUitkomst")->horizontalHeaderItem(2)->text(), "Bij " + gevonden);
    QVERIFY(venster.Document()->Opgeslagen());
    QTest::mouseClick(Kind<QPushButton>(v, "BtnOvernemen"), Qt::LeftButton);
    QCOMPARE(invoer.SpePerceelOpp->Tekst(), QString::fromLatin1(gevonden));
    QVERIFY(!venster.Document()->Opgeslagen());
    QTRY_VERIFY(Kind<QLabel>(v, "LblGewijzigd")->isVisibleTo(v));
    QTest::mouseClick(Kind<QPushButton>(v, "BtnAlsAlternatief"), Qt::LeftButton);
    QCOMPARE(invoer.CbxAlt1->ItemIndex(), 1);
    QCOMPARE(invoer.SpeAlt1->Tekst(), QString::fromLatin1(gevonden));

    zet("SpeDoel", 300);
    QVERIFY(klik("BtnZoeken"));
    QVERIFY(!Kind<QLabel>(v, "LblGewijzigd")->isVisibleTo(v)); // the search started from the screen as it is
    QVERIFY(Kind<QLabel>(v, "LblZoekUitkomst")->text().startsWith(QStringLiteral("Geen enkele waarde")));
    QVERIFY(!Kind<QPushButton>(v, "BtnOvernemen")->isEnabled());
}

void TestUitvoerVenster::verkennenTabelEnGrafiek_data() {
    // One or two swept inputs, with or without the alternatives, summary rows other than the
    // defaults; the main window's first alternative a paddock of 8 ha, so that the variants differ.
    QTest::addColumn<QStringList>("reeksen");
    QTest::addColumn<QList<int>>("rijen"); // indexes into the summary rows
    QTest::addColumn<bool>("alternatieven");
    QTest::newRow("one input") << QStringList{"SpePerceelOpp=1:3:0.5"} << QList<int>{1, 4, 9} << false;
    QTest::newRow("one input with the alternatives")
        << QStringList{"SpeGrasaanbod=1000:2000:250"} << QList<int>{0, 7, 13} << true;
    QTest::newRow("two inputs") << QStringList{"SpePerceelOpp=1:2:0.5", "SpenKoe=40:70:10"}
                                << QList<int>{2, 5} << false;
    QTest::newRow("two inputs with the alternatives")
        << QStringList{"SpenKoe=30:50:10", "SpeGrasaanbod=1200:1600:200"} << QList<int>{3, 11} << true;
}

void TestUitvoerVenster::verkennenTabelEnGrafiek() {
    // Every cell of the sweep's table is the summary row its heading names, computed for the point
    // of its line; the chart is the batch calculator's for the same sweep (a legend entry per value of
    // the second input). After a change in the main window the warning shows, and the next
    // "Berekenen" sweeps from the scenario as it is then.
    QFETCH(QStringList, reeksen);
    QFETCH(QList<int>, rijen);
    QFETCH(bool, alternatieven);
    TFrmHoofdFormulier venster(&melder_);
    TInvoerset& invoer = *venster.Invoerset();
    invoer.CbxAlt1->KiesDoorGebruiker(1);
    invoer.SpeAlt1->TypDoorGebruiker(QStringLiteral("8"));
    QTemporaryDir map;
    const QString kvl = map.filePath(QStringLiteral("weide.kvl"));
    QTest::mouseClick(Kind<QPushButton>(&venster, "BtnVerkennen"), Qt::LeftButton);
    TVerkenvenster* v = venster.Verkenvenster();
    QVERIFY(v);
    QSignalSpy klaar(v, &TVerkenvenster::Klaar);
    const auto zetReeks = [v](const QString& reeks, const char* keuze, const char* van, const char* tot,
                              const char* stap) {
        auto* box = Kind<QComboBox>(v, keuze);
        box->setCurrentIndex(box->findData(reeks.section(QLatin1Char('='), 0, 0)));
        const QStringList delen = reeks.section(QLatin1Char('='), 1).split(QLatin1Char(':'));
        Kind<QDoubleSpinBox>(v, van)->setValue(delen[0].toDouble());
        Kind<QDoubleSpinBox>(v, tot)->setValue(delen[1].toDouble());
        Kind<QDoubleSpinBox>(v, stap)->setValue(delen[2].toDouble());
    };
    zetReeks(reeksen[0], "CbxReeksInvoer", "SpeReeksVan", "SpeReeksTot", "SpeReeksStap");
    Kind<QCheckBox>(v, "ChkTweedeInvoer")->setChecked(reeksen.size() > 1);
    if (reeksen.size() > 1)
        zetReeks(reeksen[1], "CbxTweedeInvoer", "SpeTweedeVan", "SpeTweedeTot", "SpeTweedeStap");
    auto* lijst = Kind<QListWidget>(v, "LstRijen");
    for (int k = 0; k < lijst->count(); ++k)
        lijst->item(k)->setCheckState(rijen.contains(k) ? Qt::Checked : Qt::Unchecked);
    Kind<QCheckBox>(v, "ChkAlternatieven")->setChecked(alternatieven);

    const QList<TSamenvattingKolom>& kolommen = SamenvattingKolommen();
    const auto controleer = [&](const char* wanneer) {
        QTest::mouseClick(Kind<QPushButton>(v, "BtnBerekenen"), Qt::LeftButton);
        QVERIFY2(klaar.wait(60000), wanneer);
        QVERIFY2(!Kind<QLabel>(v, "LblGewijzigd")->isVisibleTo(v), wanneer);
        const QByteArray scenario = venster.Document()->Bytes();
        TInvoerset kopie;
        DecodeerScenario(scenario, kopie);
        QList<TReeks> punten;
        for (const QString& r : reeksen) {
            TReeks reeks;
            QString fout;
            QVERIFY2(LeesReeks(r, kopie, reeks, fout), qPrintable(fout));
            punten << reeks;
        }
        const TTabel* tabel = Kind<TStringGrid>(v, "GrdReeks")->Tabel();
        const int n = static_cast<int>(reeksen.size());
        const int varianten = alternatieven ? 3 : 1;
        QCOMPARE(tabel->ColCount(), n + varianten * static_cast<int>(rijen.size()));
        QCOMPARE(tabel->RowCount(), AantalReekspunten(punten) + 1);
        for (int p = 1; p < tabel->RowCount(); ++p) {
            const TReekspunt punt = BerekenReekspunt(scenario, punten, p - 1);
            for (int r = 0; r < n; ++r) QCOMPARE(tabel->Cel(r, p), punt.waarden.value(r));
            for (int kolom = n; kolom < tabel->ColCount(); ++kolom) {
                // The heading names the variant (with the alternatives) and the summary row.
                QString kop = tabel->Cel(kolom, 0);
                int variant = 0;
                for (int var = 0; var < varianten && alternatieven; ++var)
                    if (kop.startsWith(VariantNaam(var) + QStringLiteral(": "))) {
                        variant = var;
                        kop = kop.mid(VariantNaam(var).size() + 2);
                    }
                const auto k = std::find_if(kolommen.begin(), kolommen.end(),
                                            [&kop](const TSamenvattingKolom& c) { return c.titel == kop; });
                QVERIFY2(k != kolommen.end(), qPrintable(tabel->Cel(kolom, 0)));
                QVERIFY(rijen.contains(static_cast<int>(k - kolommen.begin())));
                QCOMPARE(tabel->Cel(kolom, p),
                         QString::fromStdString(
                             punt.samenvatting[static_cast<std::size_t>(KolBasis + variant)][k->rij])
                             .trimmed());
            }
        }
        // The chart as the batch calculator draws it from the same file and options.
        QVERIFY(venster.Document()->Schrijf(kvl));
        QStringList args;
        for (const QString& r : reeksen) args << QStringLiteral("--reeks") << r;
        if (alternatieven) args << QStringLiteral("--alternatieven");
        const QString png = map.filePath(QStringLiteral("reeks.png"));
        args << QStringLiteral("--grafiek") << png;
        for (int k : rijen) args << QStringLiteral("--rij") << kolommen[k].titel;
        QProcess batch;
        batch.start(QStringLiteral(BEREKEN_EXE), args << kvl);
        QVERIFY(batch.waitForFinished(60000));
        QVERIFY2(batch.exitCode() == 0, batch.readAllStandardError().constData());
        QVERIFY2(v->ReeksAfbeelding().convertToFormat(QImage::Format_RGB32) ==
                     QImage(png).convertToFormat(QImage::Format_RGB32),
                 wanneer);
    };
    controleer("first sweep");
    if (QTest::currentTestFailed()) return;
    // The main window changes: the herd and the first alternative's paddock.
    invoer.SpeMelknivo->TypDoorGebruiker(QStringLiteral("9500"));
    invoer.SpeAlt1->TypDoorGebruiker(QStringLiteral("12"));
    QTRY_VERIFY(Kind<QLabel>(v, "LblGewijzigd")->isVisibleTo(v));
    controleer("after a change in the main window");
}

void TestUitvoerVenster::verkennenOpScherm_data() {
    // Available areas in the window system's units, less a task bar of 40 pixels; at a display scale of
    // 150 % a screen of 1280x1024 pixels is 853x682 of them, one of 1024x768 is 682x512.
    QTest::addColumn<QRect>("vlak");
    QTest::addColumn<bool>("scrolt");
    QTest::newRow("1024x768") << QRect(0, 0, 1024, 728) << false;
    QTest::newRow("1280x1024") << QRect(0, 0, 1280, 984) << false;
    QTest::newRow("1280x1024 op 150%") << QRect(0, 0, 853, 655) << false;
    QTest::newRow("1024x768 op 150%") << QRect(0, 0, 682, 485) << true;
}

void TestUitvoerVenster::verkennenOpScherm() {
    // Verkennen opened from the main window: both inside the available area, Verkennen no larger than
    // it opens at and no smaller than its contents need, its buttons within reach (by scrolling only
    // where the screen is smaller than that).
    QFETCH(QRect, vlak);
    QFETCH(bool, scrolt);
    ZetSchermvlakBron([vlak](const QWidget*) { return vlak; });
    const auto herstel = qScopeGuard([] { ZetSchermvlakBron({}); });
    TFrmHoofdFormulier venster(&melder_);
    venster.show();
    QVERIFY(QTest::qWaitForWindowExposed(&venster));
    QTRY_VERIFY(vlak.contains(venster.frameGeometry()));
    QTest::mouseClick(Kind<QPushButton>(&venster, "BtnVerkennen"), Qt::LeftButton);
    TVerkenvenster* v = venster.Verkenvenster();
    QVERIFY(QTest::qWaitForWindowExposed(v));
    QTRY_VERIFY(vlak.contains(v->frameGeometry()));
    auto* rol = v->findChild<QScrollArea*>(QStringLiteral("SbxSchermplaats"));
    QCOMPARE(rol != nullptr, scrolt);
    const QSize minimum = (rol ? rol->widget() : v)->minimumSizeHint();
    QVERIFY2(minimum.width() <= 1000 && minimum.height() <= 700,
             qPrintable(QStringLiteral("%1x%2").arg(minimum.width()).arg(minimum.height())));
    if (!scrolt)
        QCOMPARE(v->frameGeometry().size(), QSize(1180, 820).grownBy(Kantlijnen(v)).boundedTo(vlak.size()));
    auto* tabs = Kind<QTabWidget>(v, "PgcVerkennen");
    for (const auto& [tab, knop] : {std::pair{0, "BtnBerekenen"}, {1, "BtnZoeken"}, {1, "BtnAnnuleren"}}) {
        tabs->setCurrentIndex(tab);
        auto* w = Kind<QPushButton>(v, knop);
        if (rol) rol->ensureWidgetVisible(w);
        QVERIFY2(v->rect().contains(QRect(w->mapTo(v, QPoint(0, 0)), w->size())), knop);
        QVERIFY(w->isVisibleTo(v));
    }
}

void TestUitvoerVenster::verkennenVraagGewijzigd_data() {
    QTest::addColumn<QString>("veld");
    QTest::addColumn<int>("toets");
    QTest::newRow("doel") << "SpeDoel" << int(Qt::Key_Up);
    QTest::newRow("minstens of hoogstens") << "CbxDoelSoort" << int(Qt::Key_Down);
    QTest::newRow("rij van het doel") << "CbxDoelRij" << int(Qt::Key_Down);
    QTest::newRow("te varieren invoer") << "CbxZoekInvoer" << int(Qt::Key_Down);
    QTest::newRow("van") << "SpeZoekVan" << int(Qt::Key_Up);
    QTest::newRow("tot en met") << "SpeZoekTot" << int(Qt::Key_Down);
    QTest::newRow("grootste waarde") << "RbtGrootste" << int(Qt::Key_Space);
}

void TestUitvoerVenster::verkennenVraagGewijzigd() {
    // A goal seek's answer goes, "Overnemen" with it, as soon as its question is changed by a key.
    TFrmHoofdFormulier venster(&melder_);
    QTest::mouseClick(Kind<QPushButton>(&venster, "BtnVerkennen"), Qt::LeftButton);
    TVerkenvenster* v = venster.Verkenvenster();
    QSignalSpy klaar(v, &TVerkenvenster::Klaar);
    Kind<QTabWidget>(v, "PgcVerkennen")->setCurrentIndex(1);
    auto* invoer = Kind<QComboBox>(v, "CbxZoekInvoer");
    invoer->setCurrentIndex(invoer->findData(QStringLiteral("SpePerceelOpp")));
    Kind<QDoubleSpinBox>(v, "SpeZoekVan")->setValue(1);
    Kind<QDoubleSpinBox>(v, "SpeZoekTot")->setValue(4);
    Kind<QDoubleSpinBox>(v, "SpeDoel")->setValue(3);
    QTest::mouseClick(Kind<QPushButton>(v, "BtnZoeken"), Qt::LeftButton);
    QVERIFY(klaar.wait(60000));
    auto* overnemen = Kind<QPushButton>(v, "BtnOvernemen");
    auto* uitkomst = Kind<QTableWidget>(v, "GrdZoekUitkomst");
    QVERIFY(overnemen->isEnabled());
    QVERIFY(uitkomst->horizontalHeaderItem(2)->text().startsWith(QStringLiteral("Bij ")));

    QFETCH(QString, veld);
    QFETCH(int, toets);
    QTest::keyClick(Kind<QWidget>(v, qPrintable(veld)), static_cast<Qt::Key>(toets));
    QVERIFY(!overnemen->isEnabled());
    QVERIFY(!Kind<QPushButton>(v, "BtnAlsAlternatief")->isEnabled());
    QCOMPARE(Kind<QLabel>(v, "LblZoekUitkomst")->text(), QString());
    QCOMPARE(uitkomst->horizontalHeaderItem(2)->text(), QStringLiteral("Gevonden"));
    for (int r = 0; r < uitkomst->rowCount(); ++r) QCOMPARE(uitkomst->item(r, 2)->text(), QString());
}

void TestUitvoerVenster::verkennenReeksVerzoek_data() {
    QTest::addColumn<QString>("verzoek");
    QTest::addColumn<bool>("geweigerd");
    QTest::newRow("meer dan 10000 punten") << "punten" << true;
    QTest::newRow("van na tot en met") << "omgekeerd" << true;
    QTest::newRow("hoofdvenster gewijzigd") << "hoofdvenster" << false;
}

void TestUitvoerVenster::verkennenReeksVerzoek() {
    // A sweep's table: every heading readable in full as a tooltip, also over the column's cells and
    // in the list of rows; a refused request leaves it as it was; a sweep after a change in the main
    // window starts from that change, also when it is asked for at once, and the warning goes.
    TFrmHoofdFormulier venster(&melder_);
    QTest::mouseClick(Kind<QPushButton>(&venster, "BtnVerkennen"), Qt::LeftButton);
    TVerkenvenster* v = venster.Verkenvenster();
    QSignalSpy klaar(v, &TVerkenvenster::Klaar);
    const auto kies = [v](const char* naam, const QVariant& data) { KiesWaarde(v, naam, data); };
    const auto zet = [v](const char* naam, double waarde) { ZetGetal(v, naam, waarde); };
    const auto cellen = [v] {
        QStringList c;
        const auto* grid = v->findChild<TStringGrid*>(QStringLiteral("GrdReeks"));
        if (!grid) return c; // no table
        const TTabel* t = grid->Tabel();
        for (int r = 0; r < t->RowCount(); ++r)
            for (int k = 0; k < t->ColCount(); ++k) c << t->Cel(k, r);
        return c;
    };
    kies("CbxReeksInvoer", QStringLiteral("SpePerceelOpp"));
    zet("SpeReeksVan", 1);
    zet("SpeReeksTot", 3);
    zet("SpeReeksStap", 0.5);
    QTest::mouseClick(Kind<QCheckBox>(v, "ChkAlternatieven"), Qt::LeftButton);
    QTest::mouseClick(Kind<QPushButton>(v, "BtnBerekenen"), Qt::LeftButton);
    QVERIFY(klaar.wait(60000));
    TStringGrid* grid = Kind<TStringGrid>(v, "GrdReeks");
    QCOMPARE(grid->Tabel()->ColCount(), 7);
    for (int k = 0; k < grid->Tabel()->ColCount(); ++k) {
        const QString kop = grid->Tabel()->Cel(k, 0);
        QVERIFY(!kop.isEmpty());
        for (int r : {0, 1, 5}) QCOMPARE(grid->model()->index(r, k).data(Qt::ToolTipRole).toString(), kop);
    }
    auto* rijen = Kind<QListWidget>(v, "LstRijen");
    for (int r = 0; r < rijen->count(); ++r) QCOMPARE(rijen->item(r)->toolTip(), rijen->item(r)->text());
    const QStringList voor = cellen();
    const QString csv = v->ReeksCsv();

    QFETCH(QString, verzoek);
    QFETCH(bool, geweigerd);
    if (verzoek == "punten") {
        QTest::mouseClick(Kind<QCheckBox>(v, "ChkTweedeInvoer"), Qt::LeftButton);
        kies("CbxTweedeInvoer", QStringLiteral("SpenKoe"));
        zet("SpeTweedeVan", 10);
        zet("SpeTweedeTot", 200);
        zet("SpeTweedeStap", 1);
        zet("SpeReeksVan", 0.1);
        zet("SpeReeksTot", 10);
        zet("SpeReeksStap", 0.1);
    } else if (verzoek == "omgekeerd") {
        zet("SpeReeksVan", 3);
        zet("SpeReeksTot", 1);
    } else {
        venster.Invoerset()->SpenKoe->TypDoorGebruiker(QStringLiteral("70"));
    }
    QTest::mouseClick(Kind<QPushButton>(v, "BtnBerekenen"), Qt::LeftButton);
    if (geweigerd) {
        QVERIFY(!v->Bezig());
        QVERIFY(!Kind<QLabel>(v, "LblMelding")->text().isEmpty());
        QCOMPARE(cellen(), voor);
        QCOMPARE(v->ReeksCsv(), csv);
        QVERIFY(!v->ReeksAfbeelding().isNull());
        return;
    }
    QVERIFY(klaar.wait(60000));
    const QStringList na = cellen();
    QVERIFY(na != voor);
    QTest::qWait(10); // the check of the main window's change has run
    QVERIFY(!Kind<QLabel>(v, "LblGewijzigd")->isVisibleTo(v));
    QTest::mouseClick(Kind<QPushButton>(v, "BtnBerekenen"), Qt::LeftButton);
    QVERIFY(klaar.wait(60000));
    QCOMPARE(cellen(), na);
}

namespace {

// The sensitivity page asked for a row, a change and days, computed; false when it did not finish.
bool Gevoeligheid(TVerkenvenster* v, SamRij rij, double procent, int dagen) {
    // The window may still be computing what it started when it opened; its button is off until then.
    auto* knop = Kind<QPushButton>(v, "BtnGevoeligheid");
    if (!QTest::qWaitFor([knop] { return knop->isEnabled(); }, 60000)) return false;
    QSignalSpy klaar(v, &TVerkenvenster::Klaar);
    Kind<QTabWidget>(v, "PgcVerkennen")->setCurrentIndex(2);
    auto* rijen = Kind<QComboBox>(v, "CbxGevoeligheidRij");
    rijen->setCurrentIndex(rijen->findData(static_cast<int>(rij)));
    Kind<QComboBox>(v, "CbxVerandering")->setCurrentIndex(procent > 0 ? 1 : 0);
    if (procent > 0) Kind<QDoubleSpinBox>(v, "SpeProcent")->setValue(procent);
    Kind<QDoubleSpinBox>(v, "SpeDagen")->setValue(dagen);
    QTest::mouseClick(knop, Qt::LeftButton);
    return klaar.wait(60000);
}

TSamenvattingKolom Kolom(SamRij rij) {
    for (const TSamenvattingKolom& k : SamenvattingKolommen())
        if (k.rij == rij) return k;
    return {};
}

} // namespace

void TestUitvoerVenster::verkennenGevoeligheid_data() {
    // A row, a change (0: one step) and days; the herd the main window holds.
    QTest::addColumn<int>("rij");
    QTest::addColumn<double>("procent");
    QTest::addColumn<int>("dagen");
    QTest::addColumn<QString>("koeien");
    QTest::newRow("weidedagen, 10 %, 14 dagen") << int(RijWeidedagen) << 10.0 << 14 << "60";
    QTest::newRow("melkgift, een stap, 7 dagen") << int(RijMelkgift) << 0.0 << 7 << "45";
    QTest::newRow("benutting, 25 %, 30 dagen") << int(RijBenutting) << 25.0 << 30 << "80";
}

void TestUitvoerVenster::verkennenGevoeligheid() {
    // The page's table is the core's for the scenario on screen, cell for cell; its CSV and workbook
    // are the batch calculator's; the tornado has a bar from the row's value to every value in the
    // table, the largest effect at the top.
    QFETCH(int, rij);
    QFETCH(double, procent);
    QFETCH(int, dagen);
    QFETCH(QString, koeien);
    TFrmHoofdFormulier venster(&melder_);
    venster.Invoerset()->SpenKoe->TypDoorGebruiker(koeien);
    QTemporaryDir map;
    const QString kvl = map.filePath(QStringLiteral("weide.kvl"));
    QVERIFY(venster.Document()->Schrijf(kvl));
    QTest::mouseClick(Kind<QPushButton>(&venster, "BtnVerkennen"), Qt::LeftButton);
    TVerkenvenster* v = venster.Verkenvenster();
    QVERIFY(Gevoeligheid(v, static_cast<SamRij>(rij), procent, dagen));

    TVerandering verandering{procent > 0, procent > 0 ? procent : 10, dagen};
    const TGevoeligheid kern =
        BerekenGevoeligheid(venster.Document()->Bytes(), Kolom(static_cast<SamRij>(rij)), verandering, 1);
    QVERIFY(kern.fout.isEmpty() && kern.rijen.size() > 10);
    TStringGrid* grid = Kind<TStringGrid>(v, "GrdGevoeligheid");
    const TTabel* tabel = grid->Tabel();
    QCOMPARE(tabel->RowCount(), kern.rijen.size() + 1);
    for (int k = 0; k < tabel->ColCount(); ++k) QCOMPARE(tabel->Cel(k, 0), GevoeligheidKopVelden(kern)[k]);
    for (int r = 0; r < kern.rijen.size(); ++r)
        for (int k = 0; k < tabel->ColCount(); ++k)
            QCOMPARE(tabel->Cel(k, r + 1), GevoeligheidVelden(kern.rijen[r])[k]);

    QStringList args{"--gevoeligheid", Kolom(static_cast<SamRij>(rij)).titel, "--dagen",
                     QString::number(dagen)};
    args << (procent > 0 ? QStringList{"--procent", QString::number(procent)} : QStringList{"--stap"});
    const QString pad = map.filePath(QStringLiteral("gevoeligheid"));
    grid->VraagBestandsnaam = [&pad](QWidget*, const QString&) { return pad; };
    grid->MitOpslaanCsv()->trigger();
    QProcess batch;
    batch.start(QStringLiteral(BEREKEN_EXE), args << kvl);
    QVERIFY(batch.waitForFinished(60000));
    QFile csv(pad + QStringLiteral(".csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    QCOMPARE(bytes, batch.readAllStandardOutput());
    grid->MitOpslaanXlsx()->trigger();
    QString fout;
    if (!HeeftOpenpyxl()) QSKIP("python3 not installed: the workbook is not read back");
    const QJsonObject werkmap = LeesWerkmap(pad + QStringLiteral(".xlsx"), fout);
    QVERIFY2(fout.isEmpty(), qPrintable(fout));
    QCOMPARE(werkmap.value("volgorde").toVariant().toStringList(), QStringList{"Gevoeligheid"});
    const QString verschil =
        VergelijkBlad(werkmap.value("bladen").toObject().value("Gevoeligheid").toObject(), CsvRegels(bytes),
                      TekstkolommenGevoeligheid);
    QVERIFY2(verschil.isEmpty(), qPrintable(verschil));

    // Every bar starts at the row's value and ends at a value of the table, at its input's place.
    const QList<TGrafiek> tornado = Kind<TGrafiekvlak>(v, "ImgTornado")->Panelen();
    QCOMPARE(tornado.size(), 1);
    const int n = static_cast<int>(kern.rijen.size());
    QCOMPARE(tornado[0].yAs.namen.value(n - 1), kern.rijen[0].invoer);
    int balken = 0;
    for (int i = 0; i < tornado[0].series.size(); ++i) {
        const TGrafiekSerie& s = tornado[0].series[i];
        if (s.soort != TSerieSoort::Vlak) continue;
        ++balken;
        const int plek = static_cast<int>(std::lround((s.punten[0].y() + s.onderrand[0].y()) / 2));
        const TGevoeligheidsrij& r = kern.rijen.value(n - 1 - plek);
        QCOMPARE(s.punten[0].x(), Reekswaarde(kern.basis));
        const bool hoog = s.naam.endsWith(QLatin1String(" hoog"));
        QCOMPARE(s.naam.section(QLatin1Char(' '), 0, 0), r.naam);
        QCOMPARE(s.punten[1].x(), Reekswaarde(hoog ? r.bijHoog : r.bijLaag));
        // The mouse on a bar names its input.
        QVERIFY(TrefferTekst(tornado, {0, i, 1}).startsWith(r.invoer + QLatin1Char('\n')));
    }
    QVERIFY(balken >= n);
    QVERIFY(!v->TornadoAfbeelding().isNull());
}

void TestUitvoerVenster::verkennenGevoeligheidOvernemen_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<bool>("hoog");
    QTest::newRow("koeien, laag") << "SpenKoe" << false;
    QTest::newRow("perceel, hoog") << "SpePerceelOpp" << true;
    QTest::newRow("inschaardatum, laag") << "Cbxdatum" << false;
}

void TestUitvoerVenster::verkennenGevoeligheidOvernemen() {
    // One row's low or high value taken over: its input shows it, one step in the edit history takes
    // it back, and the summary on screen is the table's value there.
    QFETCH(QString, naam);
    QFETCH(bool, hoog);
    TFrmHoofdFormulier venster(&melder_);
    QTest::mouseClick(Kind<QPushButton>(&venster, "BtnVerkennen"), Qt::LeftButton);
    TVerkenvenster* v = venster.Verkenvenster();
    QVERIFY(Gevoeligheid(v, RijWeidedagen, 10, 14));
    const QList<TGevoeligheidsrij>& rijen = v->Gevoeligheid().rijen;
    const auto r =
        std::find_if(rijen.begin(), rijen.end(), [&](const TGevoeligheidsrij& x) { return x.naam == naam; });
    QVERIFY(r != rijen.end());
    const TGevoeligheidsrij rij = *r;
    TStringGrid* grid = Kind<TStringGrid>(v, "GrdGevoeligheid");
    grid->setCurrentIndex(grid->model()->index(static_cast<int>(r - rijen.begin()) + 1, 3));
    QUndoStack* stapel = venster.Bewerkingen()->Stapel();
    const int voor = stapel->count();
    const QString oud = naam == "Cbxdatum" ? venster.Invoerset()->Cbxdatum->Tekst()
                                           : venster.Invoerset()->Getal(naam)->Tekst();
    Kind<QTabWidget>(&venster, "TabKorvalinde")->setCurrentIndex(TFrmHoofdFormulier::Uitvoer);
    QTest::mouseClick(Kind<QPushButton>(v, hoog ? "BtnHoogOvernemen" : "BtnLaagOvernemen"), Qt::LeftButton);
    QTest::qWait(50);
    if (naam == "Cbxdatum")
        QCOMPARE(DagMaandTekst(venster.Invoerset()->Cbxdatum->DagVanHetJaar()),
                 hoog ? rij.hoogTekst : rij.laagTekst);
    else
        QCOMPARE(venster.Invoerset()->Getal(naam)->Tekst().trimmed(),
                 (hoog ? rij.hoogTekst : rij.laagTekst).trimmed());
    QCOMPARE(stapel->count(), voor + 1);
    QCOMPARE(venster.Berekening()->GrdUitvoerSam->Cel(KolBasis, RijWeidedagen).trimmed(),
             hoog ? rij.bijHoog : rij.bijLaag);
    venster.Bewerkingen()->OngedaanMaken();
    QCOMPARE(naam == "Cbxdatum" ? venster.Invoerset()->Cbxdatum->Tekst()
                                : venster.Invoerset()->Getal(naam)->Tekst(),
             oud);
}

void TestUitvoerVenster::verkennenDatumreeks_data() {
    // Turn-in dates in the day edit's form, alone or with a second input.
    QTest::addColumn<QStringList>("reeksen");
    QTest::newRow("april tot oktober per week") << QStringList{"Cbxdatum=0104:3110:7"};
    QTest::newRow("mei per dag, met koeien") << QStringList{"Cbxdatum=0105:1005:1", "SpenKoe=40:60:20"};
}

void TestUitvoerVenster::verkennenDatumreeks() {
    // A sweep of turn-in dates in the window is the batch calculator's --reeks of the same dates,
    // its table's first column the dates as dd/MM.
    QFETCH(QStringList, reeksen);
    TFrmHoofdFormulier venster(&melder_);
    QTemporaryDir map;
    const QString kvl = map.filePath(QStringLiteral("weide.kvl"));
    QVERIFY(venster.Document()->Schrijf(kvl));
    QTest::mouseClick(Kind<QPushButton>(&venster, "BtnVerkennen"), Qt::LeftButton);
    TVerkenvenster* v = venster.Verkenvenster();
    QSignalSpy klaar(v, &TVerkenvenster::Klaar);
    const auto zetReeks = [v](const QString& reeks, const char* keuze, const char* van, const char* tot,
                              const char* stap) {
        auto* box = Kind<QComboBox>(v, keuze);
        box->setCurrentIndex(box->findData(reeks.section(QLatin1Char('='), 0, 0)));
        const QStringList delen = reeks.section(QLatin1Char('='), 1).split(QLatin1Char(':'));
        // Typed, as the user types a date.
        for (const auto& [veld, tekst] : {std::pair{van, delen[0]}, {tot, delen[1]}, {stap, delen[2]}}) {
            auto* spin = Kind<QDoubleSpinBox>(v, veld);
            spin->selectAll();
            QTest::keyClicks(spin, tekst);
            spin->interpretText();
            QCOMPARE(spin->text(), tekst);
        }
    };
    zetReeks(reeksen[0], "CbxReeksInvoer", "SpeReeksVan", "SpeReeksTot", "SpeReeksStap");
    Kind<QCheckBox>(v, "ChkTweedeInvoer")->setChecked(reeksen.size() > 1);
    if (reeksen.size() > 1)
        zetReeks(reeksen[1], "CbxTweedeInvoer", "SpeTweedeVan", "SpeTweedeTot", "SpeTweedeStap");
    if (QTest::currentTestFailed()) return;
    QTest::mouseClick(Kind<QPushButton>(v, "BtnBerekenen"), Qt::LeftButton);
    QVERIFY(klaar.wait(60000));
    QStringList args;
    for (const QString& r : reeksen) args << QStringLiteral("--reeks") << r;
    QProcess batch;
    batch.start(QStringLiteral(BEREKEN_EXE), args << kvl);
    QVERIFY(batch.waitForFinished(60000));
    QCOMPARE(v->ReeksCsv().toUtf8(), batch.readAllStandardOutput());
    const TTabel* tabel = Kind<TStringGrid>(v, "GrdReeks")->Tabel();
    QCOMPARE(tabel->Cel(0, 1),
             DagMaandTekst(TDagInvoer::DagNummer(
                 reeksen[0].section(QLatin1Char('='), 1).section(QLatin1Char(':'), 0, 0).toInt())));
    QVERIFY(Kind<TGrafiekvlak>(v, "ImgReeksgrafiek")->Panelen().value(0).xAs.dagen);
}

QTEST_MAIN(TestUitvoerVenster)
#include "test_uitvoer_venster.moc"
