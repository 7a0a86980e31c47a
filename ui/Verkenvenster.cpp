#include "ui/Verkenvenster.h"

#include "components/Grafiekvlak.h"
#include "components/Schermplaats.h"
#include "core/Bestandspad.h"
#include "core/Csv.h"
#include "core/Geordend.h"
#include "core/Gevoeligheid.h"
#include "core/Invoerset.h"
#include "core/Reeksgrafiek.h"
#include "core/Scenario.h"
#include "core/ScenarioBestand.h"
#include "core/Werkmap.h"
#include "domain/Bestand.h"
#include "report/Grafiektekenaar.h"
#include "ui/InvoerWidgets.h"

#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <thread>

namespace korvalinde {

namespace {

// Raised by the ordered work's writer when the user cancelled.
struct Geannuleerd {};

unsigned Draden() {
    return std::max(1u, std::thread::hardware_concurrency());
}

// The kind of alternative that replaces a number input (paddock area, offer at turn-in); -1 when none does.
int AlternatiefSoort(const QString& naam) {
    if (naam == QLatin1String("SpePerceelOpp")) return 1;
    if (naam == QLatin1String("SpeGrasaanbod")) return 3;
    return -1;
}

QDoubleSpinBox* Veld(const char* naam, QWidget* ouder) {
    auto* veld = new QDoubleSpinBox(ouder);
    veld->setObjectName(QString::fromLatin1(naam));
    veld->setLocale(QLocale::c());
    veld->setMinimumWidth(90);
    return veld;
}

// A range field of a sweep that also holds a turn-in date: then in the day edit's form (day x 100 +
// month, "0104"), its arrows a day on or back.
class TReeksveld : public QDoubleSpinBox {
  public:
    using QDoubleSpinBox::QDoubleSpinBox;
    bool datum = false;
    QString textFromValue(double waarde) const override {
        if (!datum) return QDoubleSpinBox::textFromValue(waarde);
        return QStringLiteral("%1").arg(static_cast<int>(std::lround(waarde)), 4, 10, QLatin1Char('0'));
    }
    void stepBy(int stappen) override {
        const int ddmm = static_cast<int>(std::lround(value()));
        if (!datum || !TDagInvoer::Controle(ddmm).isEmpty()) {
            QDoubleSpinBox::stepBy(stappen);
            return;
        }
        const int dag =
            std::clamp(TDagInvoer::DagNummer(ddmm) + stappen, EersteWeidedag(), LaatsteWeidedag());
        setValue(TDagInvoer::DagMaand(dag));
    }
};

QDoubleSpinBox* Datumveld(const char* naam, QWidget* ouder) {
    auto* veld = new TReeksveld(ouder);
    veld->setObjectName(QString::fromLatin1(naam));
    veld->setLocale(QLocale::c());
    veld->setMinimumWidth(90);
    return veld;
}

QComboBox* Keuze(const char* naam, QWidget* ouder) {
    auto* keuze = new QComboBox(ouder);
    keuze->setObjectName(QString::fromLatin1(naam));
    // The box does not grow to its longest label, so that the window fits a small screen; its list
    // shows every label whole, and the box names its choice in full as its tooltip.
    keuze->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    keuze->setMinimumContentsLength(18);
    QObject::connect(keuze, &QComboBox::currentTextChanged, keuze, &QWidget::setToolTip);
    return keuze;
}

// After the items are in: the list as wide as its longest item, each item's full text as its tooltip.
void Aanvullen(QComboBox* keuze) {
    for (int i = 0; i < keuze->count(); ++i) keuze->setItemData(i, keuze->itemText(i), Qt::ToolTipRole);
    keuze->view()->setMinimumWidth(keuze->view()->sizeHintForColumn(0) + 24);
    keuze->setToolTip(keuze->currentText());
}

QPushButton* Knop(const char* naam, const QString& tekst, QWidget* ouder) {
    auto* knop = new QPushButton(tekst, ouder);
    knop->setObjectName(QString::fromLatin1(naam));
    return knop;
}

} // namespace

TVerkenvenster::TVerkenvenster(TInvoerset& invoer, std::function<QString()> bestandsnaam, QWidget* parent)
    : QWidget(parent, Qt::Window), invoer_(invoer), bestandsnaam_(std::move(bestandsnaam)) {
    setObjectName(QStringLiteral("FrmVerkennen"));
    setWindowTitle(QStringLiteral("Verkennen"));
    auto* kolom = new QVBoxLayout(this);
    LblUitgangspunt = new QLabel(this);
    LblUitgangspunt->setObjectName(QStringLiteral("LblUitgangspunt"));
    // A long file name wraps or is cut rather than widening the window; the tooltip has it whole.
    LblUitgangspunt->setWordWrap(true);
    LblUitgangspunt->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    kolom->addWidget(LblUitgangspunt);
    LblGewijzigd = new QLabel(QStringLiteral("Uitgangspunt gewijzigd \u2014 opnieuw berekenen"), this);
    LblGewijzigd->setObjectName(QStringLiteral("LblGewijzigd"));
    LblGewijzigd->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold"));
    LblGewijzigd->hide();
    kolom->addWidget(LblGewijzigd);

    NeemUitgangspunt();
    PgcVerkennen = new QTabWidget(this);
    PgcVerkennen->setObjectName(QStringLiteral("PgcVerkennen"));
    PgcVerkennen->addTab(MaakReeks(), QStringLiteral("Reeks"));
    PgcVerkennen->addTab(MaakZoeken(), QStringLiteral("Zoeken"));
    PgcVerkennen->addTab(MaakGevoeligheid(), QStringLiteral("Gevoeligheid"));
    kolom->addWidget(PgcVerkennen, 1);

    auto* onder = new QHBoxLayout;
    LblMelding = new QLabel(this);
    LblMelding->setObjectName(QStringLiteral("LblMelding"));
    LblMelding->setWordWrap(true);
    onder->addWidget(LblMelding, 1);
    PrbVoortgang = new QProgressBar(this);
    PrbVoortgang->setObjectName(QStringLiteral("PrbVoortgang"));
    PrbVoortgang->setMinimumWidth(160);
    onder->addWidget(PrbVoortgang);
    BtnAnnuleren = Knop("BtnAnnuleren", QStringLiteral("Annuleren"), this);
    BtnAnnuleren->setEnabled(false);
    onder->addWidget(BtnAnnuleren);
    kolom->addLayout(onder);
    connect(BtnAnnuleren, &QPushButton::clicked, this, [this] { annuleren_ = true; });

    // Any change of what the main window holds is checked against the starting point, once per
    // burst of changes.
    QList<TInvoer*> alle;
    for (TInvoer* i : invoer_.Getallen()) alle << i;
    for (TInvoer* i : invoer_.Keuzes()) alle << i;
    for (TInvoer* i : invoer_.Tabellen()) alle << i;
    alle << invoer_.Cbxdatum;
    for (TInvoer* i : alle)
        connect(i, &TInvoer::Bijgewerkt, this, [this] {
            if (controleGepland_) return;
            controleGepland_ = true;
            QTimer::singleShot(0, this, &TVerkenvenster::ControleerUitgangspunt);
        });

    VraagBestandsnaam = [](QWidget* ouder, const QString& voorstel) {
        return QFileDialog::getSaveFileName(ouder, QStringLiteral("Grafiek opslaan als afbeelding"), voorstel,
                                            QStringLiteral("PNG-afbeelding (*.png)"));
    };
    // As large as the table and the chart want, on a screen that has the room; PlaatsOpScherm makes
    // it smaller on a smaller one.
    resize(1180, 820);
}

void TVerkenvenster::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    // Centred on its first showing, kept on the screen (which may have changed) at every later one.
    PlaatsOpScherm(this, geplaatst_ ? TPlaatsing::Houden : TPlaatsing::Centreren);
    geplaatst_ = true;
}

TVerkenvenster::~TVerkenvenster() {
    if (draad_) {
        annuleren_ = true;
        draad_->wait();
        delete draad_;
    }
}

QByteArray TVerkenvenster::Scenario() const {
    TInvoersetScenario bron(invoer_);
    const std::vector<std::uint8_t> bytes = SchrijfScenario(bron);
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

void TVerkenvenster::NeemUitgangspunt(bool standaardBereiken) {
    scenario_ = Scenario();
    kopie_ = std::make_unique<TInvoerset>();
    DecodeerScenario(scenario_, *kopie_);
    nu_ = BerekenReekspunt(scenario_, {}, 0);
    const QString pad = bestandsnaam_ ? bestandsnaam_() : QString();
    LblUitgangspunt->setText(
        QStringLiteral("Uitgangspunt: %1, zoals nu op het scherm")
            .arg(pad.isEmpty() ? QStringLiteral("nieuw scenario") : QFileInfo(pad).fileName()));
    LblUitgangspunt->setToolTip(LblUitgangspunt->text());
    LblGewijzigd->hide();
    if (!GrdZoekUitkomst) return;
    // What was found belongs to the previous starting point.
    zoek_ = TZoekuitkomst{};
    zoekNaam_.clear();
    ToonZoekuitkomst();
    if (standaardBereiken) {
        ZetBereik(CbxReeksInvoer, SpeReeksVan, SpeReeksTot, SpeReeksStap, false);
        ZetBereik(CbxTweedeInvoer, SpeTweedeVan, SpeTweedeTot, SpeTweedeStap, false);
        ZetBereik(CbxZoekInvoer, SpeZoekVan, SpeZoekTot, nullptr, true);
    }
}

void TVerkenvenster::ControleerUitgangspunt() {
    controleGepland_ = false;
    LblGewijzigd->setVisible(Scenario() != scenario_);
}

void TVerkenvenster::VraagGewijzigd() {
    ++vraag_;
    if (zoekNaam_.isEmpty()) return;
    zoek_ = TZoekuitkomst{};
    zoekNaam_.clear();
    ToonZoekuitkomst();
}

QString TVerkenvenster::Naam(QComboBox* keuze) const {
    return keuze->currentData().toString();
}

QString TVerkenvenster::Tekst(QDoubleSpinBox* veld) const {
    return QString::number(veld->value(), 'f', veld->decimals());
}

void TVerkenvenster::ZetBereik(QComboBox* keuze, QDoubleSpinBox* van, QDoubleSpinBox* tot,
                               QDoubleSpinBox* stap, bool heel) {
    if (IsDatumreeks(Naam(keuze))) {
        // The grazing months by weeks.
        for (QDoubleSpinBox* veld : {van, tot}) {
            if (auto* r = dynamic_cast<TReeksveld*>(veld)) r->datum = true;
            veld->setDecimals(0);
            veld->setRange(101, 3112);
            veld->setSingleStep(1);
        }
        van->setValue(TDagInvoer::DagMaand(EersteWeidedag()));
        tot->setValue(TDagInvoer::DagMaand(LaatsteWeidedag()));
        if (stap) {
            stap->setDecimals(0);
            stap->setRange(1, LaatsteWeidedag() - EersteWeidedag());
            stap->setSingleStep(1);
            stap->setValue(7);
        }
        return;
    }
    for (QDoubleSpinBox* veld : {van, tot})
        if (auto* r = dynamic_cast<TReeksveld*>(veld)) r->datum = false;
    const TGetalInvoer* g = kopie_->Getal(Naam(keuze));
    if (!g) return;
    const int decimalen = g->Geheel() ? 0 : g->Decimal();
    const double raster = Zoekstap(*g);
    const auto opRaster = [&](double w) {
        return std::clamp(g->MinValue() + std::round((w - g->MinValue()) / raster) * raster, g->MinValue(),
                          g->MaxValue());
    };
    double begin = g->MinValue(), eind = g->MaxValue();
    // A sweep by default from half to twice the current value; a search over the whole range.
    if (!heel && g->Value() > 0) {
        begin = opRaster(g->Value() / 2);
        eind = opRaster(g->Value() * 2);
        if (eind <= begin) begin = g->MinValue(), eind = g->MaxValue();
    }
    for (QDoubleSpinBox* veld : {van, tot}) {
        veld->setDecimals(decimalen);
        veld->setRange(g->MinValue(), g->MaxValue());
        veld->setSingleStep(raster);
    }
    van->setValue(begin);
    tot->setValue(eind);
    if (stap) {
        stap->setDecimals(decimalen);
        stap->setRange(raster, std::max(raster, g->MaxValue() - g->MinValue()));
        stap->setSingleStep(raster);
        stap->setValue(raster * std::max(1.0, std::round((eind - begin) / raster / 20)));
    }
}

QWidget* TVerkenvenster::MaakReeks() {
    auto* pagina = new QWidget(this);
    pagina->setObjectName(QStringLiteral("TabReeks"));
    auto* kolom = new QVBoxLayout(pagina);
    auto* keuzes = new QGridLayout;
    CbxReeksInvoer = Keuze("CbxReeksInvoer", pagina);
    CbxTweedeInvoer = Keuze("CbxTweedeInvoer", pagina);
    for (const TGetalInvoer* g : kopie_->Getallen()) {
        const QString label = Invoertitel(*g);
        CbxReeksInvoer->addItem(label, g->Naam());
        CbxTweedeInvoer->addItem(label, g->Naam());
    }
    for (QComboBox* keuze : {CbxReeksInvoer, CbxTweedeInvoer})
        keuze->addItem(kopie_->Cbxdatum->Label(), kopie_->Cbxdatum->Naam());
    Aanvullen(CbxReeksInvoer);
    Aanvullen(CbxTweedeInvoer);
    SpeReeksVan = Datumveld("SpeReeksVan", pagina);
    SpeReeksTot = Datumveld("SpeReeksTot", pagina);
    SpeReeksStap = Veld("SpeReeksStap", pagina);
    ChkTweedeInvoer = new QCheckBox(QStringLiteral("Tweede invoer"), pagina);
    ChkTweedeInvoer->setObjectName(QStringLiteral("ChkTweedeInvoer"));
    SpeTweedeVan = Datumveld("SpeTweedeVan", pagina);
    SpeTweedeTot = Datumveld("SpeTweedeTot", pagina);
    SpeTweedeStap = Veld("SpeTweedeStap", pagina);
    keuzes->addWidget(new QLabel(QStringLiteral("Invoer"), pagina), 0, 0);
    keuzes->addWidget(CbxReeksInvoer, 0, 1);
    keuzes->addWidget(new QLabel(QStringLiteral("van"), pagina), 0, 2);
    keuzes->addWidget(SpeReeksVan, 0, 3);
    keuzes->addWidget(new QLabel(QStringLiteral("tot en met"), pagina), 0, 4);
    keuzes->addWidget(SpeReeksTot, 0, 5);
    keuzes->addWidget(new QLabel(QStringLiteral("stap"), pagina), 0, 6);
    keuzes->addWidget(SpeReeksStap, 0, 7);
    keuzes->addWidget(ChkTweedeInvoer, 1, 0);
    keuzes->addWidget(CbxTweedeInvoer, 1, 1);
    keuzes->addWidget(new QLabel(QStringLiteral("van"), pagina), 1, 2);
    keuzes->addWidget(SpeTweedeVan, 1, 3);
    keuzes->addWidget(new QLabel(QStringLiteral("tot en met"), pagina), 1, 4);
    keuzes->addWidget(SpeTweedeTot, 1, 5);
    keuzes->addWidget(new QLabel(QStringLiteral("stap"), pagina), 1, 6);
    keuzes->addWidget(SpeTweedeStap, 1, 7);
    // "Berekenen" beside the ranges, so that it stays in view however small the window is.
    ChkAlternatieven = new QCheckBox(QStringLiteral("Met Alternatief 1 en Alternatief 1+2"), pagina);
    ChkAlternatieven->setObjectName(QStringLiteral("ChkAlternatieven"));
    keuzes->addWidget(ChkAlternatieven, 2, 0, 1, 4);
    BtnBerekenen = Knop("BtnBerekenen", QStringLiteral("Berekenen"), pagina);
    keuzes->addWidget(BtnBerekenen, 2, 7);
    keuzes->setColumnStretch(1, 1);
    keuzes->setColumnStretch(8, 1);
    kolom->addLayout(keuzes);

    // The rows to show, the table and the chart side by side; the user shares the width out.
    auto* midden = new QSplitter(Qt::Horizontal, pagina);
    midden->setObjectName(QStringLiteral("SplReeks"));
    midden->setChildrenCollapsible(false);
    auto* links = new QWidget(midden);
    auto* lijst = new QVBoxLayout(links);
    lijst->setContentsMargins(0, 0, 0, 0);
    lijst->addWidget(new QLabel(QStringLiteral("Rijen van de samenvatting"), links));
    LstRijen = new QListWidget(links);
    LstRijen->setObjectName(QStringLiteral("LstRijen"));
    for (const TSamenvattingKolom& k : SamenvattingKolommen()) {
        auto* item = new QListWidgetItem(k.titel, LstRijen);
        item->setToolTip(k.titel); // the list may be narrower than its longest row
        const bool standaard = k.rij == RijBenutting || k.rij == RijMelkgift;
        item->setCheckState(standaard ? Qt::Checked : Qt::Unchecked);
    }
    LstRijen->setMinimumWidth(140);
    lijst->addWidget(LstRijen, 1);

    ScrReeksTabel = new QScrollArea(midden);
    ScrReeksTabel->setObjectName(QStringLiteral("ScrReeksTabel"));
    ScrReeksTabel->setWidgetResizable(false);
    ScrReeksTabel->setMinimumWidth(160);
    auto* grafiekVlak = new QScrollArea(midden);
    ImgReeksgrafiek = new TGrafiekvlak;
    ImgReeksgrafiek->ZetPaneelHoogte(240); // on screen two panels fit the pane; it scrolls for more
    ImgReeksgrafiek->setObjectName(QStringLiteral("ImgReeksgrafiek"));
    ImgReeksgrafiek->setContextMenuPolicy(Qt::CustomContextMenu);
    grafiekVlak->setWidget(ImgReeksgrafiek);
    grafiekVlak->setWidgetResizable(true);
    grafiekVlak->setMinimumWidth(200);
    midden->addWidget(links);
    midden->addWidget(ScrReeksTabel);
    midden->addWidget(grafiekVlak);
    midden->setStretchFactor(2, 1);
    midden->setSizes({280, 390, 470});
    kolom->addWidget(midden, 1);

    grafiekMenu_ = new QMenu(this);
    QAction* opslaan = grafiekMenu_->addAction(QStringLiteral("Grafiek opslaan als afbeelding..."));
    opslaan->setObjectName(QStringLiteral("MitGrafiekOpslaan"));
    QAction* kopieren = grafiekMenu_->addAction(QStringLiteral("Grafiek kopiëren"));
    kopieren->setObjectName(QStringLiteral("MitGrafiekKopieren"));
    connect(opslaan, &QAction::triggered, this, [this] { GrafiekOpslaan(); });
    connect(kopieren, &QAction::triggered, this, [this] {
        if (QClipboard* klembord = QGuiApplication::clipboard(); klembord && !reeksBeeld_.isNull())
            klembord->setImage(reeksBeeld_);
    });
    connect(ImgReeksgrafiek, &QWidget::customContextMenuRequested, this, &TVerkenvenster::ToonGrafiekMenu);

    const auto tweede = [this] {
        for (QWidget* w :
             std::initializer_list<QWidget*>{CbxTweedeInvoer, SpeTweedeVan, SpeTweedeTot, SpeTweedeStap})
            w->setEnabled(ChkTweedeInvoer->isChecked());
    };
    connect(ChkTweedeInvoer, &QCheckBox::toggled, this, tweede);
    connect(CbxReeksInvoer, &QComboBox::currentIndexChanged, this,
            [this] { ZetBereik(CbxReeksInvoer, SpeReeksVan, SpeReeksTot, SpeReeksStap, false); });
    connect(CbxTweedeInvoer, &QComboBox::currentIndexChanged, this,
            [this] { ZetBereik(CbxTweedeInvoer, SpeTweedeVan, SpeTweedeTot, SpeTweedeStap, false); });
    connect(BtnBerekenen, &QPushButton::clicked, this, &TVerkenvenster::Berekenen);
    CbxReeksInvoer->setCurrentIndex(CbxReeksInvoer->findData(QStringLiteral("SpePerceelOpp")));
    CbxTweedeInvoer->setCurrentIndex(CbxTweedeInvoer->findData(QStringLiteral("SpenKoe")));
    ZetBereik(CbxReeksInvoer, SpeReeksVan, SpeReeksTot, SpeReeksStap, false);
    ZetBereik(CbxTweedeInvoer, SpeTweedeVan, SpeTweedeTot, SpeTweedeStap, false);
    tweede();
    return pagina;
}

QWidget* TVerkenvenster::MaakZoeken() {
    auto* pagina = new QWidget(this);
    pagina->setObjectName(QStringLiteral("TabZoeken"));
    auto* kolom = new QVBoxLayout(pagina);
    auto* vraag = new QGridLayout;
    CbxDoelRij = Keuze("CbxDoelRij", pagina);
    for (const TSamenvattingKolom& k : SamenvattingKolommen())
        CbxDoelRij->addItem(k.titel, static_cast<int>(k.rij));
    CbxDoelSoort = Keuze("CbxDoelSoort", pagina);
    CbxDoelSoort->addItems({QStringLiteral("minstens"), QStringLiteral("hoogstens")});
    SpeDoel = Veld("SpeDoel", pagina);
    SpeDoel->setDecimals(2);
    SpeDoel->setRange(-1e6, 1e6);
    CbxZoekInvoer = Keuze("CbxZoekInvoer", pagina);
    for (const TGetalInvoer* g : kopie_->Getallen()) CbxZoekInvoer->addItem(Invoertitel(*g), g->Naam());
    Aanvullen(CbxDoelRij);
    Aanvullen(CbxZoekInvoer);
    SpeZoekVan = Veld("SpeZoekVan", pagina);
    SpeZoekTot = Veld("SpeZoekTot", pagina);
    RbtKleinste = new QRadioButton(QStringLiteral("kleinste waarde"), pagina);
    RbtKleinste->setObjectName(QStringLiteral("RbtKleinste"));
    RbtKleinste->setChecked(true);
    RbtGrootste = new QRadioButton(QStringLiteral("grootste waarde"), pagina);
    RbtGrootste->setObjectName(QStringLiteral("RbtGrootste"));
    BtnZoeken = Knop("BtnZoeken", QStringLiteral("Zoeken"), pagina);
    vraag->addWidget(new QLabel(QStringLiteral("Doel (Basis)"), pagina), 0, 0);
    vraag->addWidget(CbxDoelRij, 0, 1, 1, 3);
    vraag->addWidget(CbxDoelSoort, 0, 4);
    vraag->addWidget(SpeDoel, 0, 5);
    vraag->addWidget(new QLabel(QStringLiteral("Te vari\u00EBren invoer"), pagina), 1, 0);
    vraag->addWidget(CbxZoekInvoer, 1, 1);
    vraag->addWidget(new QLabel(QStringLiteral("van"), pagina), 1, 2);
    vraag->addWidget(SpeZoekVan, 1, 3);
    vraag->addWidget(new QLabel(QStringLiteral("tot en met"), pagina), 1, 4);
    vraag->addWidget(SpeZoekTot, 1, 5);
    vraag->addWidget(new QLabel(QStringLiteral("Gezocht"), pagina), 2, 0);
    vraag->addWidget(RbtKleinste, 2, 1);
    vraag->addWidget(RbtGrootste, 2, 3, 1, 2);
    vraag->addWidget(BtnZoeken, 2, 5);
    vraag->setColumnStretch(1, 1);
    vraag->setColumnStretch(6, 1);
    kolom->addLayout(vraag);

    LblZoekUitkomst = new QLabel(pagina);
    LblZoekUitkomst->setObjectName(QStringLiteral("LblZoekUitkomst"));
    LblZoekUitkomst->setWordWrap(true);
    kolom->addWidget(LblZoekUitkomst);
    auto* knoppen = new QHBoxLayout;
    BtnOvernemen = Knop("BtnOvernemen", QStringLiteral("Overnemen"), pagina);
    BtnAlsAlternatief = Knop("BtnAlsAlternatief", QStringLiteral("Als alternatief 1"), pagina);
    BtnOvernemen->setEnabled(false);
    BtnAlsAlternatief->setEnabled(false);
    knoppen->addWidget(BtnOvernemen);
    knoppen->addWidget(BtnAlsAlternatief);
    knoppen->addStretch(1);
    kolom->addLayout(knoppen);
    GrdZoekUitkomst = new QTableWidget(pagina);
    GrdZoekUitkomst->setObjectName(QStringLiteral("GrdZoekUitkomst"));
    GrdZoekUitkomst->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GrdZoekUitkomst->verticalHeader()->hide();
    GrdZoekUitkomst->setColumnCount(3);
    GrdZoekUitkomst->setRowCount(static_cast<int>(SamenvattingKolommen().size()));
    GrdZoekUitkomst->setColumnWidth(0, 420);
    GrdZoekUitkomst->setColumnWidth(1, 140);
    GrdZoekUitkomst->setColumnWidth(2, 140);
    GrdZoekUitkomst->verticalHeader()->setDefaultSectionSize(20);
    kolom->addWidget(GrdZoekUitkomst, 1);

    connect(CbxZoekInvoer, &QComboBox::currentIndexChanged, this, [this] {
        ZetBereik(CbxZoekInvoer, SpeZoekVan, SpeZoekTot, nullptr, true);
        BtnAlsAlternatief->setVisible(AlternatiefSoort(Naam(CbxZoekInvoer)) >= 0);
    });
    connect(CbxDoelRij, &QComboBox::currentIndexChanged, this, [this] {
        const double w =
            Samenvattingswaarde(nu_.samenvatting, static_cast<SamRij>(CbxDoelRij->currentData().toInt()));
        if (!std::isnan(w)) SpeDoel->setValue(w);
    });
    // An answer holds for the question it was found for: any change of the question takes it away.
    for (QComboBox* keuze : {CbxDoelRij, CbxDoelSoort, CbxZoekInvoer})
        connect(keuze, &QComboBox::currentIndexChanged, this, &TVerkenvenster::VraagGewijzigd);
    for (QDoubleSpinBox* veld : {SpeDoel, SpeZoekVan, SpeZoekTot})
        connect(veld, &QDoubleSpinBox::valueChanged, this, &TVerkenvenster::VraagGewijzigd);
    connect(RbtKleinste, &QRadioButton::toggled, this, &TVerkenvenster::VraagGewijzigd);
    connect(BtnZoeken, &QPushButton::clicked, this, &TVerkenvenster::Zoeken);
    connect(BtnOvernemen, &QPushButton::clicked, this, [this] { Overnemen(false); });
    connect(BtnAlsAlternatief, &QPushButton::clicked, this, [this] { Overnemen(true); });
    CbxZoekInvoer->setCurrentIndex(CbxZoekInvoer->findData(QStringLiteral("SpePerceelOpp")));
    CbxDoelRij->setCurrentIndex(CbxDoelRij->findData(static_cast<int>(RijWeidedagen)));
    ZetBereik(CbxZoekInvoer, SpeZoekVan, SpeZoekTot, nullptr, true);
    SpeDoel->setValue(Samenvattingswaarde(nu_.samenvatting, RijWeidedagen));
    ToonZoekuitkomst();
    return pagina;
}

void TVerkenvenster::Start(std::function<void()> werk, std::function<void()> klaar) {
    annuleren_ = false;
    klaar_ = 0;
    LblMelding->clear();
    PrbVoortgang->setRange(0, std::max(1, totaal_));
    PrbVoortgang->setValue(0);
    BtnAnnuleren->setEnabled(true);
    BtnBerekenen->setEnabled(false);
    BtnZoeken->setEnabled(false);
    BtnGevoeligheid->setEnabled(false);
    auto* voortgang = new QTimer(this);
    connect(voortgang, &QTimer::timeout, this, [this] { PrbVoortgang->setValue(klaar_); });
    voortgang->start(50);
    draad_ = QThread::create(std::move(werk));
    connect(draad_, &QThread::finished, this, [this, voortgang, klaar = std::move(klaar)] {
        voortgang->deleteLater();
        draad_->deleteLater();
        draad_ = nullptr;
        BtnAnnuleren->setEnabled(false);
        BtnBerekenen->setEnabled(true);
        BtnZoeken->setEnabled(true);
        BtnGevoeligheid->setEnabled(true);
        if (annuleren_) {
            PrbVoortgang->setValue(0);
            LblMelding->setText(QStringLiteral("Geannuleerd."));
        } else {
            PrbVoortgang->setValue(PrbVoortgang->maximum());
            klaar();
        }
        emit Klaar();
    });
    draad_->start();
}

void TVerkenvenster::WisReeks() {
    delete ScrReeksTabel->takeWidget();
    GrdReeks = nullptr;
    delete reeksTabel_;
    reeksTabel_ = nullptr;
    reeksCsv_.clear();
    reeksBeeld_ = QImage();
    ImgReeksgrafiek->Wis();
}

void TVerkenvenster::Berekenen() {
    if (draad_) return;
    QList<TReeks> reeksen;
    // The sweeps as asked; false, with the reason said, for a request that is refused.
    const auto lees = [&] {
        reeksen.clear();
        QString fout;
        const auto een = [&](QComboBox* keuze, QDoubleSpinBox* van, QDoubleSpinBox* tot,
                             QDoubleSpinBox* stap) {
            TReeks r;
            if (!LeesReeks(
                    QStringLiteral("%1=%2:%3:%4").arg(Naam(keuze), Tekst(van), Tekst(tot), Tekst(stap)),
                    *kopie_, r, fout))
                return false;
            reeksen << r;
            return true;
        };
        if (!een(CbxReeksInvoer, SpeReeksVan, SpeReeksTot, SpeReeksStap) ||
            (ChkTweedeInvoer->isChecked() &&
             !een(CbxTweedeInvoer, SpeTweedeVan, SpeTweedeTot, SpeTweedeStap))) {
            LblMelding->setText(fout.replace(QLatin1String("--reeks "), QString()));
            return false;
        }
        if (AantalReekspunten(reeksen) > MaxReekswaarden) {
            LblMelding->setText(
                QStringLiteral("Meer dan %1 punten; kies een grotere stap.").arg(MaxReekswaarden));
            return false;
        }
        return true;
    };
    // A refused request leaves the last sweep and the starting point as they were.
    if (!lees()) return;
    // The sweep starts from the main window as it is now, also when the check of its last change
    // has not run yet.
    if (Scenario() != scenario_) {
        NeemUitgangspunt();
        if (!lees()) {
            WisReeks(); // it was of the previous starting point
            return;
        }
    }
    WisReeks();
    totaal_ = AantalReekspunten(reeksen);
    const bool alternatieven = ChkAlternatieven->isChecked();
    struct Uitkomst {
        QString csv;
        QList<QStringList> velden; // per point: the values, then the summary per variant as in the CSV
        QStringList fouten;
    };
    auto uitkomst = std::make_shared<Uitkomst>();
    const QByteArray scenario = scenario_;
    Start(
        [this, uitkomst, reeksen, scenario, alternatieven] {
            uitkomst->csv = ReeksCsvKop(reeksen, alternatieven);
            try {
                VerwerkGeordend<TReekspunt>(
                    static_cast<std::size_t>(totaal_), Draden(),
                    [&](std::size_t i) { return BerekenReekspunt(scenario, reeksen, static_cast<int>(i)); },
                    [&](std::size_t, TReekspunt& p) {
                        if (annuleren_) throw Geannuleerd{};
                        uitkomst->csv += ReeksCsvRegel(p, static_cast<int>(reeksen.size()), alternatieven);
                        // The table's fields: a value for every sweep, then every variant's summary.
                        uitkomst->velden << ReeksVelden(p, static_cast<int>(reeksen.size()), true);
                        if (!p.fout.isEmpty())
                            uitkomst->fouten << p.waarden.join(QStringLiteral(", ")) + ": " + p.fout;
                        ++klaar_;
                    });
            } catch (const Geannuleerd&) {
                annuleren_ = true;
            }
        },
        [this, uitkomst, reeksen, alternatieven] {
            // The table: the swept values, then the chosen rows (per variant with the alternatives).
            QList<int> rijen;
            for (int k = 0; k < LstRijen->count(); ++k)
                if (LstRijen->item(k)->checkState() == Qt::Checked) rijen << k;
            const int varianten = alternatieven ? AantalVarianten : 1;
            const int n = static_cast<int>(reeksen.size());
            const int kolommen = n + varianten * static_cast<int>(rijen.size());
            const int per = static_cast<int>(SamenvattingKolommen().size());
            reeksTabel_ = new TTabel(QStringLiteral("GrdReeks"), 0, kolommen, totaal_ + 1, 1, 150, this);
            reeksTabel_->ZetVasteKolommen(n);
            QStringList koppen;
            for (int r = 0; r < n; ++r) koppen << Reekstitel(*kopie_, reeksen[r].naam);
            for (int v = 0; v < varianten; ++v)
                for (int k : rijen)
                    koppen << (alternatieven ? VariantNaam(v) + QStringLiteral(": ") : QString()) +
                                  SamenvattingKolommen()[k].titel;
            // A column as wide as its heading up to a limit; the heading in full as the tooltip of
            // the heading and of the column's cells, which also tells what a number is once the
            // heading has scrolled out of view.
            QVector<int> breedtes(kolommen);
            for (int k = 0; k < kolommen; ++k) {
                const int nodig = fontMetrics().horizontalAdvance(koppen[k]) + 12;
                breedtes[k] = std::clamp(nodig, k < n ? 100 : 130, 260);
                reeksTabel_->ZetCel(k, 0, koppen[k]);
                reeksTabel_->ZetKolomUitleg(k, koppen[k]);
            }
            reeksTabel_->ZetKolomBreedtes(breedtes);
            reeksTabel_->ZetRijHoogte(18);
            reeksTabel_->ZetAlleenLezen(true);
            for (int p = 0; p < totaal_; ++p) {
                const QStringList& v = uitkomst->velden[p];
                for (int r = 0; r < n; ++r) reeksTabel_->ZetCel(r, p + 1, v.value(r));
                for (int var = 0; var < varianten; ++var)
                    for (qsizetype k = 0; k < rijen.size(); ++k)
                        reeksTabel_->ZetCel(n + var * static_cast<int>(rijen.size()) + static_cast<int>(k),
                                            p + 1, v.value(n + var * per + rijen[k]));
            }
            GrdReeks = new TStringGrid(reeksTabel_, nullptr, 0);
            GrdReeks->Bestandsnaam = bestandsnaam_;
            GrdReeks->CsvNaamDeel = QStringLiteral("verkenning");
            GrdReeks->CsvTekst = [this] { return reeksCsv_; };
            ScrReeksTabel->setWidget(GrdReeks);
            reeksCsv_ = uitkomst->csv;

            // The chart: x the first input's values; a line per value of the second input, or per
            // variant with the alternatives; a panel per chosen row.
            const QList<TGrafiek> grafiek =
                BouwReeksgrafiek(*kopie_, reeksen, uitkomst->velden, rijen, alternatieven);
            ImgReeksgrafiek->ZetGrafiek(grafiek);
            if (!grafiek.isEmpty())
                reeksBeeld_ = GrafiekAfbeelding(
                    grafiek, QSize(ReeksgrafiekBreedte,
                                   GrafiekHoogte(grafiek, ReeksgrafiekBreedte, ReeksgrafiekPaneelHoogte)));
            LblMelding->setText(
                uitkomst->fouten.isEmpty()
                    ? QStringLiteral("%1 waarden berekend.").arg(totaal_)
                    : QStringLiteral(
                          "Het model stopte met een fout bij %1 van de %2 waarden (de eerste, %3).")
                          .arg(uitkomst->fouten.size())
                          .arg(totaal_)
                          .arg(uitkomst->fouten.front()));
        });
}

QImage TVerkenvenster::ReeksAfbeelding() const {
    return reeksBeeld_;
}

void TVerkenvenster::ToonGrafiekMenu(const QPoint& plek) {
    if (reeksBeeld_.isNull()) return;
    grafiekMenu_->popup(ImgReeksgrafiek->mapToGlobal(plek));
}

bool TVerkenvenster::GrafiekOpslaan() {
    if (reeksBeeld_.isNull()) return false;
    QString naam = VraagBestandsnaam ? VraagBestandsnaam(this, QStringLiteral("Verkenning.png")) : QString();
    if (naam.isEmpty()) return false;
    if (QFileInfo(naam).suffix().isEmpty()) naam += QStringLiteral(".png");
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QString reden =
        reeksBeeld_.save(&png, "PNG") ? QString() : QStringLiteral("De afbeelding kon niet gemaakt worden");
    if (reden.isEmpty())
        reden = QString::fromStdString(
            SchrijfBestand(DomeinPad(naam), std::string_view(png.data().constData(),
                                                             static_cast<std::size_t>(png.data().size()))));
    if (reden.isEmpty()) return true;
    QMessageBox::critical(this, QStringLiteral("Fout"),
                          QStringLiteral("De grafiek kon niet worden opgeslagen als \"%1\".\n%2")
                              .arg(QDir::toNativeSeparators(naam), reden));
    return false;
}

void TVerkenvenster::Zoeken() {
    if (draad_) return;
    if (Scenario() != scenario_) NeemUitgangspunt();
    zoek_ = TZoekuitkomst{};
    zoekNaam_.clear();
    ToonZoekuitkomst();
    TReeks reeks;
    TZoekdoel doel;
    QString fout;
    if (!LeesZoekbereik(
            QStringLiteral("%1=%2:%3").arg(Naam(CbxZoekInvoer), Tekst(SpeZoekVan), Tekst(SpeZoekTot)),
            *kopie_, reeks, fout)) {
        LblMelding->setText(fout.replace(QLatin1String("--varieer "), QString()));
        return;
    }
    doel.kolom = SamenvattingKolommen()[CbxDoelRij->currentIndex()];
    doel.minstens = CbxDoelSoort->currentIndex() == 0;
    doel.waarde = SpeDoel->value();
    const bool grootste = RbtGrootste->isChecked();
    totaal_ = static_cast<int>(reeks.waarden.size());
    auto uitkomst = std::make_shared<TZoekuitkomst>();
    const QByteArray scenario = scenario_;
    const int vraag = vraag_;
    Start(
        [this, uitkomst, scenario, reeks, doel, grootste] {
            *uitkomst = Zoek(scenario, reeks, doel, grootste, Draden(), [this](int klaar, int) {
                klaar_ = klaar;
                return !annuleren_;
            });
            if (uitkomst->afgebroken) annuleren_ = true;
        },
        [this, uitkomst, reeks, vraag] {
            if (vraag != vraag_) {
                LblMelding->setText(
                    QStringLiteral("De vraag is tijdens het zoeken gewijzigd; zoek opnieuw."));
                return;
            }
            zoek_ = *uitkomst;
            zoekNaam_ = reeks.naam;
            ToonZoekuitkomst();
        });
}

void TVerkenvenster::ToonZoekuitkomst() {
    const QList<TSamenvattingKolom>& kolommen = SamenvattingKolommen();
    const bool gevonden = !zoekNaam_.isEmpty() && zoek_.gevonden;
    const TGetalInvoer* g = zoekNaam_.isEmpty() ? nullptr : kopie_->Getal(zoekNaam_);
    GrdZoekUitkomst->setHorizontalHeaderLabels(
        {QStringLiteral("Samenvatting (Basis)"), QStringLiteral("Nu"),
         gevonden ? QStringLiteral("Bij %1").arg(zoek_.eerste) : QStringLiteral("Gevonden")});
    for (int r = 0; r < kolommen.size(); ++r) {
        const auto cel = [&](int k, const QString& tekst) {
            auto* item = new QTableWidgetItem(tekst);
            if (k > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            GrdZoekUitkomst->setItem(r, k, item);
        };
        cel(0, kolommen[r].titel);
        GrdZoekUitkomst->item(r, 0)->setToolTip(kolommen[r].titel);
        cel(1, QString::fromStdString(nu_.samenvatting[KolBasis][static_cast<std::size_t>(kolommen[r].rij)])
                   .trimmed());
        cel(2, gevonden ? QString::fromStdString(
                              zoek_.punt.samenvatting[KolBasis][static_cast<std::size_t>(kolommen[r].rij)])
                              .trimmed()
                        : QString());
    }
    BtnOvernemen->setEnabled(gevonden);
    BtnAlsAlternatief->setEnabled(gevonden && AlternatiefSoort(zoekNaam_) >= 0);
    if (!g) {
        LblZoekUitkomst->clear();
        return;
    }
    const QString doel = QStringLiteral("%1 %2 %3")
                             .arg(CbxDoelRij->currentText(), CbxDoelSoort->currentText(), Tekst(SpeDoel));
    if (!zoek_.gevonden) {
        LblZoekUitkomst->setText(
            QStringLiteral("Geen enkele waarde van %1 van %2 tot en met %3 haalt het doel (%4).")
                .arg(Invoertitel(*g), Tekst(SpeZoekVan), Tekst(SpeZoekTot), doel));
        return;
    }
    QString tekst =
        QStringLiteral("De %1 waarde van %2 waarbij %3 is: %4.")
            .arg(RbtGrootste->isChecked() ? QStringLiteral("grootste") : QStringLiteral("kleinste"),
                 Invoertitel(*g), doel, zoek_.eerste);
    if (!zoek_.monotoon)
        tekst += QStringLiteral(
                     "\nLet op: het verband gaat niet in \u00E9\u00E9n richting. Verderop voldoen waarden "
                     "weer niet aan het doel; de eerste waarde die voldoet is %1, de laatste %2.")
                     .arg(zoek_.eerste, zoek_.laatste);
    if (zoek_.modelfouten > 0)
        tekst += QStringLiteral(
                     "\nBij %1 waarden stopte het model met een fout; die voldoen niet (de eerste, %2).")
                     .arg(zoek_.modelfouten)
                     .arg(zoek_.eersteModelfout);
    LblZoekUitkomst->setText(tekst);
}

void TVerkenvenster::Overnemen(bool alsAlternatief) {
    if (!zoek_.gevonden || zoekNaam_.isEmpty()) return;
    if (!alsAlternatief) {
        if (TGetalInvoer* g = invoer_.Getal(zoekNaam_)) g->TypDoorGebruiker(zoek_.eerste);
        if (InvoerGezet) InvoerGezet();
        return;
    }
    const int soort = AlternatiefSoort(zoekNaam_);
    if (soort < 0) return;
    invoer_.CbxAlt1->KiesDoorGebruiker(soort);
    invoer_.SpeAlt1->TypDoorGebruiker(zoek_.eerste);
    if (AlternatiefGezet) AlternatiefGezet();
}

QWidget* TVerkenvenster::MaakGevoeligheid() {
    auto* pagina = new QWidget(this);
    pagina->setObjectName(QStringLiteral("TabGevoeligheid"));
    auto* kolom = new QVBoxLayout(pagina);
    auto* vraag = new QGridLayout;
    CbxGevoeligheidRij = Keuze("CbxGevoeligheidRij", pagina);
    for (const TSamenvattingKolom& k : SamenvattingKolommen())
        CbxGevoeligheidRij->addItem(k.titel, static_cast<int>(k.rij));
    Aanvullen(CbxGevoeligheidRij);
    CbxVerandering = Keuze("CbxVerandering", pagina);
    CbxVerandering->setMinimumContentsLength(10);
    CbxVerandering->addItems({QStringLiteral("\u00E9\u00E9n stap"), QStringLiteral("procent")});
    SpeProcent = Veld("SpeProcent", pagina);
    SpeProcent->setDecimals(1);
    SpeProcent->setRange(0.1, 100);
    SpeProcent->setValue(10);
    SpeDagen = Veld("SpeDagen", pagina);
    SpeDagen->setDecimals(0);
    SpeDagen->setRange(1, LaatsteWeidedag() - EersteWeidedag());
    SpeDagen->setValue(14);
    BtnGevoeligheid = Knop("BtnGevoeligheid", QStringLiteral("Berekenen"), pagina);
    vraag->addWidget(new QLabel(QStringLiteral("Rij (Basis)"), pagina), 0, 0);
    vraag->addWidget(CbxGevoeligheidRij, 0, 1, 1, 5);
    vraag->addWidget(new QLabel(QStringLiteral("Verandering"), pagina), 1, 0);
    vraag->addWidget(CbxVerandering, 1, 1);
    vraag->addWidget(SpeProcent, 1, 2);
    vraag->addWidget(new QLabel(QStringLiteral("Inschaardatum \u00B1 dagen"), pagina), 1, 3);
    vraag->addWidget(SpeDagen, 1, 4);
    vraag->addWidget(BtnGevoeligheid, 1, 5);
    BtnLaagOvernemen = Knop("BtnLaagOvernemen", QStringLiteral("Lage waarde overnemen"), pagina);
    BtnHoogOvernemen = Knop("BtnHoogOvernemen", QStringLiteral("Hoge waarde overnemen"), pagina);
    vraag->addWidget(BtnLaagOvernemen, 2, 1);
    vraag->addWidget(BtnHoogOvernemen, 2, 2, 1, 2);
    vraag->setColumnStretch(1, 1);
    vraag->setColumnStretch(6, 1);
    kolom->addLayout(vraag);

    auto* midden = new QSplitter(Qt::Horizontal, pagina);
    midden->setObjectName(QStringLiteral("SplGevoeligheid"));
    midden->setChildrenCollapsible(false);
    ScrGevoeligheid = new QScrollArea(midden);
    ScrGevoeligheid->setObjectName(QStringLiteral("ScrGevoeligheid"));
    ScrGevoeligheid->setWidgetResizable(false);
    ScrGevoeligheid->setMinimumWidth(160);
    auto* grafiekVlak = new QScrollArea(midden);
    ImgTornado = new TGrafiekvlak;
    ImgTornado->setObjectName(QStringLiteral("ImgTornado"));
    grafiekVlak->setWidget(ImgTornado);
    grafiekVlak->setWidgetResizable(true);
    grafiekVlak->setMinimumWidth(200);
    midden->addWidget(ScrGevoeligheid);
    midden->addWidget(grafiekVlak);
    midden->setStretchFactor(1, 1);
    midden->setSizes({420, 720});
    kolom->addWidget(midden, 1);

    const auto soort = [this] { SpeProcent->setEnabled(CbxVerandering->currentIndex() == 1); };
    connect(CbxVerandering, &QComboBox::currentIndexChanged, this, soort);
    connect(BtnGevoeligheid, &QPushButton::clicked, this, &TVerkenvenster::BerekenGevoeligheid);
    connect(BtnLaagOvernemen, &QPushButton::clicked, this, [this] { GevoeligheidOvernemen(false); });
    connect(BtnHoogOvernemen, &QPushButton::clicked, this, [this] { GevoeligheidOvernemen(true); });
    CbxGevoeligheidRij->setCurrentIndex(CbxGevoeligheidRij->findData(static_cast<int>(RijWeidedagen)));
    CbxVerandering->setCurrentIndex(1);
    soort();
    BtnLaagOvernemen->setEnabled(false);
    BtnHoogOvernemen->setEnabled(false);
    return pagina;
}

void TVerkenvenster::WisGevoeligheid() {
    delete ScrGevoeligheid->takeWidget();
    GrdGevoeligheid = nullptr;
    delete gevoeligheidTabel_;
    gevoeligheidTabel_ = nullptr;
    gevoeligheid_ = TGevoeligheid{};
    tornadoBeeld_ = QImage();
    ImgTornado->Wis();
    BtnLaagOvernemen->setEnabled(false);
    BtnHoogOvernemen->setEnabled(false);
}

void TVerkenvenster::BerekenGevoeligheid() {
    if (draad_) return;
    if (Scenario() != scenario_) NeemUitgangspunt();
    WisGevoeligheid();
    TVerandering verandering;
    verandering.procentueel = CbxVerandering->currentIndex() == 1;
    verandering.procent = SpeProcent->value();
    verandering.dagen = static_cast<int>(SpeDagen->value());
    const TSamenvattingKolom kolom = SamenvattingKolommen()[CbxGevoeligheidRij->currentIndex()];
    totaal_ = static_cast<int>(Gevoeligheidsrijen(*kopie_, verandering).size()) * 2;
    auto uitkomst = std::make_shared<TGevoeligheid>();
    const QByteArray scenario = scenario_;
    Start(
        [this, uitkomst, scenario, kolom, verandering] {
            *uitkomst = korvalinde::BerekenGevoeligheid(scenario, kolom, verandering, Draden(),
                                                        [this](int klaar, int) {
                                                            klaar_ = klaar;
                                                            return !annuleren_;
                                                        });
            if (uitkomst->afgebroken) annuleren_ = true;
        },
        [this, uitkomst] {
            if (!uitkomst->fout.isEmpty()) {
                LblMelding->setText(uitkomst->fout);
                return;
            }
            gevoeligheid_ = *uitkomst;
            const QStringList koppen = GevoeligheidKopVelden(gevoeligheid_);
            const int kolommen = static_cast<int>(koppen.size());
            const int n = static_cast<int>(gevoeligheid_.rijen.size());
            gevoeligheidTabel_ =
                new TTabel(QStringLiteral("GrdGevoeligheid"), 0, kolommen, n + 1, 1, 110, this);
            gevoeligheidTabel_->ZetVasteKolommen(2);
            QVector<int> breedtes(kolommen);
            for (int k = 0; k < kolommen; ++k) {
                gevoeligheidTabel_->ZetCel(k, 0, koppen[k]);
                gevoeligheidTabel_->ZetKolomUitleg(k, koppen[k]);
                breedtes[k] = k == 1 ? 220 : k >= 4 && k <= 5 ? 130 : 90;
            }
            gevoeligheidTabel_->ZetKolomBreedtes(breedtes);
            gevoeligheidTabel_->ZetRijHoogte(18);
            gevoeligheidTabel_->ZetAlleenLezen(true);
            for (int r = 0; r < n; ++r) {
                const QStringList velden = GevoeligheidVelden(gevoeligheid_.rijen[r]);
                for (int k = 0; k < kolommen; ++k) gevoeligheidTabel_->ZetCel(k, r + 1, velden.value(k));
            }
            GrdGevoeligheid = new TStringGrid(gevoeligheidTabel_, nullptr, 0);
            GrdGevoeligheid->Bestandsnaam = bestandsnaam_;
            GrdGevoeligheid->CsvNaamDeel = QStringLiteral("gevoeligheid");
            GrdGevoeligheid->CsvTekst = [this] { return GevoeligheidCsv(gevoeligheid_); };
            GrdGevoeligheid->SchrijfWerkmap = [this](const QString& naam) {
                TWerkmap werkmap;
                const int blad =
                    werkmap.Blad(QStringLiteral("Gevoeligheid"), GevoeligheidKopVelden(gevoeligheid_),
                                 TekstkolommenGevoeligheid);
                for (const TGevoeligheidsrij& rij : gevoeligheid_.rijen)
                    werkmap.Regel(blad, GevoeligheidVelden(rij));
                return werkmap.Schrijf(naam);
            };
            ScrGevoeligheid->setWidget(GrdGevoeligheid);
            connect(GrdGevoeligheid->selectionModel(), &QItemSelectionModel::currentChanged, this,
                    [this](const QModelIndex& nu) {
                        const bool rij =
                            nu.isValid() && nu.row() >= 1 && nu.row() <= gevoeligheid_.rijen.size();
                        BtnLaagOvernemen->setEnabled(rij);
                        BtnHoogOvernemen->setEnabled(rij);
                    });

            const QList<TGrafiek> tornado = BouwTornadografiek(gevoeligheid_);
            ImgTornado->ZetPaneelHoogte(TornadoHoogte(gevoeligheid_));
            ImgTornado->ZetGrafiek(tornado);
            if (!tornado.isEmpty())
                tornadoBeeld_ = GrafiekAfbeelding(
                    tornado, QSize(TornadoBreedte,
                                   GrafiekHoogte(tornado, TornadoBreedte, TornadoHoogte(gevoeligheid_))));
            int fouten = 0;
            for (const TGevoeligheidsrij& rij : gevoeligheid_.rijen) fouten += rij.fout.isEmpty() ? 0 : 1;
            LblMelding->setText(fouten == 0 ? QStringLiteral("%1 invoeren berekend.").arg(n)
                                            : QStringLiteral("Het model stopte met een fout bij %1 van de %2 "
                                                             "invoeren.")
                                                  .arg(fouten)
                                                  .arg(n));
        });
}

void TVerkenvenster::GevoeligheidOvernemen(bool hoog) {
    if (!GrdGevoeligheid) return;
    const int r = GrdGevoeligheid->currentIndex().row() - 1;
    if (r < 0 || r >= gevoeligheid_.rijen.size()) return;
    const TGevoeligheidsrij& rij = gevoeligheid_.rijen[r];
    const TReeks& waarde = hoog ? rij.hoog : rij.laag;
    if (IsDatumreeks(rij.naam)) {
        // As typing the date and leaving the day edit.
        invoer_.Cbxdatum->TypDoorGebruiker(
            QString::number(TDagInvoer::DagMaand(static_cast<int>(std::lround(waarde.waarden.value(0))))));
        invoer_.Cbxdatum->Verlaat();
    } else if (TGetalInvoer* g = invoer_.Getal(rij.naam)) {
        g->TypDoorGebruiker(hoog ? rij.hoogTekst : rij.laagTekst);
    }
    if (InvoerGezet) InvoerGezet();
}

} // namespace korvalinde
