#include "ui/Hoofdvenster.h"

#include "components/Afdrukvoorbeeld.h"
#include "components/Dagveld.h"
#include "components/Programmainfo.h"
#include "components/RecenteBestanden.h"
#include "components/Schermplaats.h"
#include "components/Wachtcursor.h"
#include "core/Instellingen.h"
#include "core/Scenario.h"
#include "ui/Bewerkingen.h"
#include "ui/Glyphs.h"
#include "ui/GrafiekPagina.h"
#include "ui/InvoerWidgets.h"
#include "ui/Rapportopdrachten.h"
#include "ui/Toepassing.h"
#include "ui/Verkenvenster.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include <cstdio>

namespace korvalinde {

namespace {

constexpr int ClientBreedte = 804;
constexpr int ClientHoogte = 666;
constexpr int SpeedbarHoogte = 30;
constexpr int StatusHoogte = 22;
constexpr int TabBreedte = 100;
constexpr int KnopMaat = 26;
constexpr int GroepAfstand = 10;

// A tool button with a hint: the text before "|" is its tooltip, the text after it the hint in the
// status panel; a hint without "|" serves as both. Entering the button always puts its status hint
// into the status panel, also an empty one, so that no hint of another control stays behind.
class TSpeedButton : public QToolButton {
  public:
    TSpeedButton(const QString& naam, TGlyph glyph, const QString& hint, QWidget* ouder)
        : QToolButton(ouder) {
        setObjectName(naam);
        setIcon(KnopGlyph(glyph));
        setIconSize(QSize(GlyphMaat, GlyphMaat));
        setFixedSize(KnopMaat, KnopMaat);
        setAutoRaise(true);
        setFocusPolicy(Qt::NoFocus);
        const qsizetype streep = hint.indexOf(QLatin1Char('|'));
        setToolTip(streep < 0 ? hint : hint.left(streep));
        setStatusTip(streep < 0 ? hint : hint.mid(streep + 1));
    }

  protected:
    void enterEvent(QEnterEvent* event) override {
        QToolButton::enterEvent(event);
        if (statusTip().isEmpty()) {
            QStatusTipEvent leeg{QString()};
            QCoreApplication::sendEvent(this, &leeg);
        }
    }
};

// Tabs of a fixed width.
class TTabBalk : public QTabBar {
  public:
    using QTabBar::QTabBar;

  protected:
    QSize tabSizeHint(int index) const override { return {TabBreedte, QTabBar::tabSizeHint(index).height()}; }
};

class TPaginaControl : public QTabWidget {
  public:
    explicit TPaginaControl(QWidget* ouder) : QTabWidget(ouder) { setTabBar(new TTabBalk(this)); }
};

QGroupBox* Groep(const QString& naam, const QString& titel, QWidget* ouder) {
    auto* groep = new QGroupBox(titel, ouder);
    groep->setObjectName(naam);
    return groep;
}

QWidget* NieuwePagina(const QString& naam, QWidget* ouder) {
    auto* pagina = new QWidget(ouder);
    pagina->setObjectName(naam);
    return pagina;
}

// A result page. Its tables use a compact font so that the labels fit their columns.
QWidget* ResultaatPagina(const QString& naam, QWidget* ouder) {
    QWidget* pagina = NieuwePagina(naam, ouder);
    QFont compact(QStringLiteral("Arial"));
    compact.setPixelSize(11);
    pagina->setFont(compact);
    return pagina;
}

// The groups of an input page from top to bottom, in one column.
QVBoxLayout* PaginaKolom(QWidget* pagina) {
    auto* kolom = new QVBoxLayout(pagina);
    kolom->setContentsMargins(10, 10, 10, 10);
    kolom->setSpacing(10);
    return kolom;
}

// A grid of label/input rows in one or two columns inside a group; `bind` makes the widget of an
// input.
class TRijen {
  public:
    using TBinder = std::function<QWidget*(TInvoer* invoer, QWidget* ouder)>;
    TRijen(QGroupBox* groep, TBinder bind)
        : groep_(groep), grid_(new QGridLayout(groep)), bind_(std::move(bind)) {
        grid_->setContentsMargins(12, 10, 12, 10);
        grid_->setHorizontalSpacing(10);
        grid_->setVerticalSpacing(6);
    }
    // One row per input in column `kolom` (0 or 1): its label, then its widget.
    void Voeg(int kolom, std::initializer_list<TInvoer*> invoer) {
        int& rij = rijen_[kolom];
        for (TInvoer* i : invoer) {
            grid_->addWidget(MaakLabel(i, groep_), rij, kolom * 3);
            grid_->addWidget(bind_(i, groep_), rij, kolom * 3 + 1, Qt::AlignLeft);
            ++rij;
        }
    }
    // A widget across label and input (a table) on a row of its own, then a gap of `ruimte` pixels.
    void VoegBreed(TInvoer* invoer, int ruimte) {
        grid_->addWidget(bind_(invoer, groep_), rijen_[0]++, 0, 1, 3, Qt::AlignLeft);
        grid_->setRowMinimumHeight(rijen_[0]++, ruimte);
    }
    // Rows and columns keep their size; the space left goes to the right (and, with `onder`,
    // below the rows).
    void Afronden(bool tweeKolommen, bool onder = true) {
        if (tweeKolommen) grid_->setColumnMinimumWidth(2, 36);
        grid_->setColumnStretch(tweeKolommen ? 5 : 2, 1);
        if (onder) grid_->setRowStretch(qMax(rijen_[0], rijen_[1]), 1);
    }

  private:
    QGroupBox* groep_;
    QGridLayout* grid_;
    TBinder bind_;
    int rijen_[2] = {0, 0};
};

} // namespace

TFrmHoofdFormulier::TFrmHoofdFormulier(TMelder* melder, QWidget* parent)
    : TFrmHoofdFormulier(THoofdvensterOpties{}, melder, parent) {}

TFrmHoofdFormulier::TFrmHoofdFormulier(const THoofdvensterOpties& opties, TMelder* melder, QWidget* parent)
    : QMainWindow(parent), opties_(opties), melder_(melder ? melder : &StandaardMelder()),
      invoerset_(new TInvoerset(melder_, this)), berekening_(new TBerekening(*invoerset_, *melder_, this)) {
    setObjectName(QStringLiteral("FrmHoofdFormulier"));
    setWindowTitle(QStringLiteral("Korvalinde"));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("PnlClient"));
    client->setFixedSize(ClientBreedte, ClientHoogte);
    auto* kolom = new QVBoxLayout(client);
    kolom->setContentsMargins(0, 0, 0, 0);
    kolom->setSpacing(0);

    PnlSpeedbar = new QWidget(client);
    PnlSpeedbar->setObjectName(QStringLiteral("PnlSpeedbar"));
    PnlSpeedbar->setFixedHeight(SpeedbarHoogte);
    kolom->addWidget(PnlSpeedbar);

    TabKorvalinde = new TPaginaControl(client);
    TabKorvalinde->setObjectName(QStringLiteral("TabKorvalinde"));
    TabKorvalinde->setDocumentMode(false);
    SheetVeestapel = MaakVeestapel();
    SheetVoeding = MaakVoeding();
    SheetGrasland = MaakGrasland();
    SheetOverig = MaakOverig();
    SheetUitvSam = MaakUitvoer();
    SheetUitvDetail = MaakDetail();
    SheetGraf = MaakGrafieken();
    TabKorvalinde->addTab(SheetVeestapel, QStringLiteral("Veestapel"));
    TabKorvalinde->addTab(SheetVoeding, QStringLiteral("Voeding"));
    TabKorvalinde->addTab(SheetGrasland, QStringLiteral("Grasland"));
    TabKorvalinde->addTab(SheetOverig, QStringLiteral("Overig"));
    TabKorvalinde->addTab(SheetUitvSam, QStringLiteral("Uitvoer"));
    TabKorvalinde->addTab(SheetUitvDetail, QStringLiteral("Detailuitvoer"));
    TabKorvalinde->addTab(SheetGraf, QStringLiteral("Grafieken"));
    kolom->addWidget(TabKorvalinde, 1);

    PnlStatusBar = new QLabel(client);
    PnlStatusBar->setObjectName(QStringLiteral("PnlStatusBar"));
    PnlStatusBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PnlStatusBar->setIndent(4);
    PnlStatusBar->setFixedHeight(StatusHoogte);
    kolom->addWidget(PnlStatusBar);

    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(TabKorvalinde, &QTabWidget::currentChanged, this, [this] { TabKorvalindeChange(TabKorvalinde); });
    // Pages the calculation brings into view (reading a file, New, start-up) are shown without
    // running the page-change rule a second time.
    connect(berekening_, &TBerekening::ResultatenGevraagd, this, [this] { ToonPagina(Uitvoer); });
    connect(berekening_, &TBerekening::InvoerGevraagd, this, [this] { ToonPagina(Veestapel); });
    // The chart reads the detail tables: on its page it follows every refresh of them.
    connect(berekening_, &TBerekening::TabellenVernieuwd, this, [this] {
        if (TabKorvalinde->currentIndex() == Grafieken) GrafiekPagina->CbxGrafiekChange();
    });
    connect(berekening_, &TBerekening::Rekent, this, TWachtcursor::Volger());

    // The scenario document with the window's dialogs and recent-files list.
    document_ = new TScenarioDocument(*invoerset_, *berekening_, *melder_, this);
    document_->setObjectName(QStringLiteral("Document"));
    document_->VraagOpenNaam = [this](const QString& huidige) {
        QFileDialog dialoog(this, QString::fromUtf8(OpenDialoogTitel),
                            huidige.isEmpty() ? QString() : QFileInfo(huidige).absolutePath(),
                            QString::fromUtf8(OpenDialoogFilter));
        dialoog.setAcceptMode(QFileDialog::AcceptOpen);
        dialoog.setFileMode(QFileDialog::ExistingFile);
        dialoog.setDefaultSuffix(QString::fromUtf8(ScenarioExtensie));
        if (dialoog.exec() != QDialog::Accepted) return QString();
        return dialoog.selectedFiles().value(0);
    };
    document_->VraagOpslaanNaam = [this](const QString& huidige) {
        QFileDialog dialoog(this, QString::fromUtf8(OpslaanDialoogTitel), QString(),
                            QString::fromUtf8(OpslaanDialoogFilter));
        dialoog.setAcceptMode(QFileDialog::AcceptSave);
        dialoog.setDefaultSuffix(QString::fromUtf8(ScenarioExtensie));
        // Saving over an existing file does not ask.
        dialoog.setOption(QFileDialog::DontConfirmOverwrite);
        if (!huidige.isEmpty()) dialoog.selectFile(huidige);
        if (dialoog.exec() != QDialog::Accepted) return QString();
        return dialoog.selectedFiles().value(0);
    };
    document_->VoegToeAanHistorie = [this](const QString& pad) { FhmBestandHistorie->Add(pad); };
    // The caption carries the desktop's marker of unsaved changes.
    connect(document_, &TScenarioDocument::CaptionGewijzigd, this,
            [this](const QString& caption) { setWindowTitle(caption + QStringLiteral("[*]")); });
    connect(document_, &TScenarioDocument::OpgeslagenGewijzigd, this,
            [this](bool opgeslagen) { setWindowModified(!opgeslagen); });
    bewerkingen_ = new TBewerkingen(*invoerset_, *document_, this);
    bewerkingen_->setObjectName(QStringLiteral("Bewerkingen"));
    // Typing in another input (or cell) after the focus moved is a step of its own.
    connect(qApp, &QApplication::focusChanged, bewerkingen_, [this] { bewerkingen_->NieuweSessie(); });

    DlgZnInfoBox = new TZnInfoBox(this);
    DlgZnInfoBox->setObjectName(QStringLiteral("DlgZnInfoBox"));
    PznPrintPreview = new TZnPreview(this);
    PznPrintPreview->setObjectName(QStringLiteral("PznPrintPreview"));
    PznPrintPreview->SetDrawMargins(false);
    PznPrintPreview->SetPageCount(RapportPaginas);

    MaakMenus();
    MaakSpeedbar();
    FormCreate();
}

void TFrmHoofdFormulier::FormCreate() {
    VangFouten([this] {
        // The farm model came with the calculation run above. The about box: version, date and
        // the version file on the version server (its addresses are the component's own).
        if (!opties_.Versie.isEmpty()) DlgZnInfoBox->Versie = opties_.Versie;
        if (!opties_.Datum.isEmpty()) DlgZnInfoBox->Datum = opties_.Datum;
        DlgZnInfoBox->VersieFile = QString::fromLatin1(ZnAdres::VersieBestand);
        Website1->setText(QStringLiteral("&Website ") + DlgZnInfoBox->WebAdres);

        berekening_->LaadModus = false;
        berekening_->ToonInvoer();

        // The status panel shows every hint of the application: the window receives the status
        // tips of menus, buttons and inputs (event()), and Enter moves on as Tab everywhere.
        qApp->installEventFilter(this);

        if (opties_.Instellingen)
            FhmBestandHistorie->LoadFromIni(*opties_.Instellingen,
                                            QString::fromLatin1(BestandHistorieSectie));

        // The tables' headers, labels and widths, the alternatives' places, the empty chart choice
        // and the inputs' tooltips came with the pages. New sets the defaults and runs the first
        // calculation, which ends on "Veestapel".
        document_->Nieuw();
        setWindowTitle(document_->Caption() + QStringLiteral("[*]"));
    });
}

QAction* TFrmHoofdFormulier::MenuItem(QMenu* menu, const char* naam, const QString& tekst,
                                      const QKeySequence& sneltoets, const QString& hint,
                                      void (TFrmHoofdFormulier::*klik)()) {
    QAction* item = menu->addAction(tekst);
    item->setObjectName(QString::fromLatin1(naam));
    if (!sneltoets.isEmpty()) item->setShortcut(sneltoets);
    item->setStatusTip(hint);
    if (klik) connect(item, &QAction::triggered, this, [this, klik] { (this->*klik)(); });
    return item;
}

void TFrmHoofdFormulier::MaakMenus() {
    QMenuBar* balk = menuBar();
    balk->setObjectName(QStringLiteral("MainMenu"));
    // Hovering a menu title puts its hint into the status panel too.
    connect(balk, &QMenuBar::hovered, this, [balk](QAction* item) { item->showStatusText(balk); });

    const auto menu = [balk](const char* naam, const QString& tekst, const QString& hint) {
        QMenu* m = balk->addMenu(tekst);
        m->setObjectName(QString::fromLatin1(naam));
        m->menuAction()->setStatusTip(hint);
        return m;
    };

    MitBestand = menu("MitBestand", QStringLiteral("&Bestand"),
                      QStringLiteral("Bestandsbeheer commando's (Nieuw, Openen, Opslaan, Afdrukken, enz)"));
    MitNieuw =
        MenuItem(MitBestand, "MitNieuw", QStringLiteral("&Nieuw..."), QKeySequence(Qt::CTRL | Qt::Key_N),
                 QStringLiteral("Nieuw bestand openen"), &TFrmHoofdFormulier::MitNieuwClick);
    MitOpenen =
        MenuItem(MitBestand, "MitOpenen", QStringLiteral("&Openen..."), QKeySequence(Qt::CTRL | Qt::Key_O),
                 QStringLiteral("Bestaand bestand openen"), &TFrmHoofdFormulier::MitOpenenClick);
    MitOpslaan =
        MenuItem(MitBestand, "MitOpslaan", QStringLiteral("Op&slaan"), QKeySequence(Qt::CTRL | Qt::Key_S),
                 QStringLiteral("Bestand opslaan"), &TFrmHoofdFormulier::MitOpslaanClick);
    MitOpslaanals = MenuItem(MitBestand, "MitOpslaanals", QStringLiteral("Ops&laan als..."), {},
                             QStringLiteral("Bestand opslaan onder een nieuwe naam"),
                             &TFrmHoofdFormulier::MitOpslaanalsClick);
    MitBestand->addSeparator();
    MitPrinterInstelling = MenuItem(
        MitBestand, "MitPrinterInstelling", QStringLiteral("Printer-instelling..."), {},
        QStringLiteral("Printer instellingen wijzigingen"), &TFrmHoofdFormulier::MitPrinterInstellingClick);
    MitAfdrukvoorbeeld =
        MenuItem(MitBestand, "MitAfdrukvoorbeeld", QStringLiteral("A&fdrukvoorbeeld"), {},
                 QStringLiteral("Inhoud van het bestand als afdrukvoorbeeld op scherm tonen"),
                 &TFrmHoofdFormulier::MitAfdrukvoorbeeldClick);
    MitAfdrukken = MenuItem(
        MitBestand, "MitAfdrukken", QStringLiteral("Af&drukken..."), QKeySequence(Qt::CTRL | Qt::Key_P),
        QStringLiteral("Inhoud van het bestand afdrukken"), &TFrmHoofdFormulier::MitAfdrukkenClick);
    MitBestand->addSeparator();
    MitAfsluiten = MenuItem(MitBestand, "MitAfsluiten", QStringLiteral("&Afsluiten"), {},
                            QStringLiteral("Programma verlaten"), &TFrmHoofdFormulier::MitAfsluitenClick);

    // The recent files go between "A&fdrukvoorbeeld" and "Af&drukken...", framed by separators.
    FhmBestandHistorie = new TZnFilehistMenu(this);
    FhmBestandHistorie->setObjectName(QStringLiteral("FhmBestandHistorie"));
    FhmBestandHistorie->SetBestandMenu(MitBestand);
    FhmBestandHistorie->SetInvoegPositie(BestandHistoriePositie);
    connect(FhmBestandHistorie, &TZnFilehistMenu::OnClick, this,
            &TFrmHoofdFormulier::FhmBestandHistorieClick);

    MitBewerken = menu("MitBewerken", QStringLiteral("Be&werken"),
                       QStringLiteral("Wijzigingen ongedaan maken of opnieuw uitvoeren"));
    MitOngedaanMaken =
        MenuItem(MitBewerken, "MitOngedaanMaken", QStringLiteral("&Ongedaan maken"),
                 QKeySequence(Qt::CTRL | Qt::Key_Z), QStringLiteral("De laatste wijziging ongedaan maken"),
                 &TFrmHoofdFormulier::MitOngedaanMakenClick);
    MitOpnieuw = MenuItem(MitBewerken, "MitOpnieuw", QStringLiteral("O&pnieuw"), {},
                          QStringLiteral("De laatst ongedaan gemaakte wijziging opnieuw uitvoeren"),
                          &TFrmHoofdFormulier::MitOpnieuwClick);
    MitOpnieuw->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(bewerkingen_, &TBewerkingen::Gewijzigd, this, &TFrmHoofdFormulier::ZetBewerkTeksten);
    ZetBewerkTeksten();

    MitGebruik = menu("MitGebruik", QStringLiteral("&Opties"), QString());
    // The version check, the manual and the product-support entries are linked to their windows by
    // the program start (HandleidingActie, VersiecontroleActie and the like).
    MitVerkennen =
        MenuItem(MitGebruik, "MitVerkennen", QStringLiteral("V&erkennen..."), {},
                 QStringLiteral("Een invoer over een bereik verkennen of de waarde voor een doel zoeken"),
                 &TFrmHoofdFormulier::MitVerkennenClick);
    VersieControle1 = MenuItem(MitGebruik, "VersieControle1", QStringLiteral("&Versiecontrole uitvoeren"), {},
                               QString(), nullptr);
    MitVersieBijStarten =
        MenuItem(MitGebruik, "MitVersieBijStarten",
                 QStringLiteral("Bij het starten op een nieuwe versie controleren"), {}, QString(), nullptr);
    MitVersieBijStarten->setCheckable(true);

    MitHelp = menu("MitHelp", QStringLiteral("&Help"), QStringLiteral("Toegang online help"));
    Website1 = MenuItem(MitHelp, "Website1", QStringLiteral("&Website ") + DlgZnInfoBox->WebAdres, {},
                        QString(), &TFrmHoofdFormulier::Website1Click);
    Handleiding = MenuItem(MitHelp, "Handleiding", QStringLiteral("&Handleiding"), {}, QString(), nullptr);
    MitProduktondersteuning =
        MenuItem(MitHelp, "MitProduktondersteuning", QStringLiteral("&Produktondersteuning"), {},
                 QStringLiteral("Achtergrondinformatie bij het programma"), nullptr);
    MitProduktOndersteuningTonen =
        MenuItem(MitHelp, "MitProduktOndersteuningTonen", QStringLiteral("...&tonen bij opstarten"), {},
                 QStringLiteral("Achtergrondinformatie tonen bij opstarten van het programma"), nullptr);
    MitProduktOndersteuningTonen->setCheckable(true);
    MitProduktOndersteuningTonen->setChecked(true);
    MitHelp->addSeparator();
    MitInfo = MenuItem(MitHelp, "MitInfo", QStringLiteral("&Info..."), {}, QStringLiteral("Informatie"),
                       &TFrmHoofdFormulier::MitInfoClick);
}

void TFrmHoofdFormulier::MaakSpeedbar() {
    auto* rij = new QHBoxLayout(PnlSpeedbar);
    rij->setContentsMargins(4, 2, 4, 2);
    rij->setSpacing(1);
    const auto knop = [this, rij](const char* naam, TGlyph glyph, const QString& hint,
                                  void (TFrmHoofdFormulier::*klik)()) {
        auto* b = new TSpeedButton(QString::fromLatin1(naam), glyph, hint, PnlSpeedbar);
        if (klik) connect(b, &QToolButton::clicked, this, [this, klik] { (this->*klik)(); });
        rij->addWidget(b);
        return b;
    };
    BtnNieuw = knop("BtnNieuw", TGlyph::Nieuw, QStringLiteral("Nieuw|"), &TFrmHoofdFormulier::MitNieuwClick);
    BtnOpenen =
        knop("BtnOpenen", TGlyph::Openen, QStringLiteral("Openen|"), &TFrmHoofdFormulier::MitOpenenClick);
    BtnOpslaan =
        knop("BtnOpslaan", TGlyph::Opslaan, QStringLiteral("Opslaan|"), &TFrmHoofdFormulier::MitOpslaanClick);
    rij->addSpacing(GroepAfstand);
    BtnAfdrukvoorbeeld =
        knop("BtnAfdrukvoorbeeld", TGlyph::Afdrukvoorbeeld, QStringLiteral("Rekenen en afdrukvoorbeeld|"),
             &TFrmHoofdFormulier::MitAfdrukvoorbeeldClick);
    BtnAfdrukken = knop("BtnAfdrukken", TGlyph::Afdrukken, QStringLiteral("Afdrukken|"),
                        &TFrmHoofdFormulier::MitAfdrukkenClick);
    rij->addSpacing(GroepAfstand);
    // Linked to the product-support and manual windows by the program start.
    BtnProduktOndersteuning = knop("BtnProduktOndersteuning", TGlyph::ProduktOndersteuning,
                                   QStringLiteral("Produktondersteuning"), nullptr);
    BtnHandleiding = knop("BtnHandleiding", TGlyph::Handleiding, QStringLiteral("Handleiding"), nullptr);
    rij->addStretch(1);
}

void TFrmHoofdFormulier::MitNieuwClick() {
    VangFouten([this] { document_->NieuwNaVraag(); });
}

void TFrmHoofdFormulier::MitOpenenClick() {
    VangFouten([this] { document_->Openen(); });
}

void TFrmHoofdFormulier::MitOpslaanClick() {
    VangFouten([this] { document_->Opslaan(); });
}

void TFrmHoofdFormulier::MitOpslaanalsClick() {
    VangFouten([this] { document_->OpslaanAls(); });
}

void TFrmHoofdFormulier::FhmBestandHistorieClick(const QString& bestandNaam) {
    VangFouten([this, bestandNaam] { document_->BestandHistorieClick(bestandNaam); });
}

QPrinter& TFrmHoofdFormulier::Printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        PznPrintPreview->SetPrinter(printer_.get());
    }
    return *printer_;
}

void TFrmHoofdFormulier::MitPrinterInstellingClick() {
    VangFouten([this] {
        QPrinter& printer = Printer();
        if (PrinterInstellingDialoog) {
            PrinterInstellingDialoog(printer);
            return;
        }
        QPageSetupDialog dialoog(&printer, this);
        dialoog.exec();
    });
}

TRapportGegevens TFrmHoofdFormulier::RapportGegevens() {
    if (!plaatjesGeladen_) {
        plaatjesGeladen_ = true;
        const TRapportPlaatjes plaatjes = LaadRapportPlaatjes(opties_.PlaatjesMap);
        ImgKorvalinde = plaatjes.Product;
        ImgMakerLogo = plaatjes.MakerLogo;
        ImgProjectLogo = plaatjes.ProjectLogo;
        ImgBedrijf = plaatjes.Bedrijf;
    }
    TRapportGegevens g;
    VulRapportGegevens(g, *berekening_, {ImgKorvalinde, ImgMakerLogo, ImgProjectLogo, ImgBedrijf});
    g.Versie = DlgZnInfoBox->Versie;
    g.Datum = DlgZnInfoBox->Datum;
    g.Bestandsnaam = document_->Bestandsnaam();
    g.Printer = &Printer();
    TMelder* melder = melder_;
    g.Waarschuwing = [melder](const QString& tekst) { melder->Waarschuwing(tekst); };
    g.ModelFoutMelden = [melder](const QString& tekst) { melder->Fout(tekst); };
    // While a page is produced: the wait cursor, and the pages disabled.
    g.Bezig = TWachtcursor::Volger(TabKorvalinde);
    g.PrintDialoog = PrintDialoog;
    return g;
}

void TFrmHoofdFormulier::MitAfdrukvoorbeeldClick() {
    VangFouten([this] { korvalinde::MitAfdrukvoorbeeldClick(*PznPrintPreview, RapportGegevens()); });
}

void TFrmHoofdFormulier::MitAfdrukkenClick() {
    VangFouten([this] { korvalinde::MitAfdrukkenClick(*PznPrintPreview, RapportGegevens()); });
}

void TFrmHoofdFormulier::MitAfsluitenClick() {
    close();
}

void TFrmHoofdFormulier::SluitCelBewerking() {
    // A cell being typed in keeps what was typed, as when the user leaves it, so that the step taken
    // back is that cell's edit and no open editor writes its text over the state put back.
    for (TStringGrid* grid : findChildren<TStringGrid*>())
        if (grid->BevestigBewerking()) grid->setFocus(Qt::OtherFocusReason);
}

void TFrmHoofdFormulier::MitOngedaanMakenClick() {
    SluitCelBewerking();
    VangFouten([this] { bewerkingen_->OngedaanMaken(); });
}

void TFrmHoofdFormulier::MitOpnieuwClick() {
    SluitCelBewerking();
    VangFouten([this] { bewerkingen_->Opnieuw(); });
}

void TFrmHoofdFormulier::ZetBewerkTeksten() {
    const auto zet = [](QAction* item, const QString& basis, QString stap) {
        stap.replace(QLatin1Char('&'), QStringLiteral("&&"));
        item->setText(stap.isEmpty() ? basis : basis + QStringLiteral(": ") + stap);
        item->setEnabled(!stap.isEmpty());
    };
    zet(MitOngedaanMaken, QStringLiteral("&Ongedaan maken"), bewerkingen_->OngedaanTekst());
    zet(MitOpnieuw, QStringLiteral("O&pnieuw"), bewerkingen_->OpnieuwTekst());
}

void TFrmHoofdFormulier::Website1Click() {
    DlgZnInfoBox->GotoWebsite();
}

void TFrmHoofdFormulier::MitInfoClick() {
    DlgZnInfoBox->Execute();
}

QAction* TFrmHoofdFormulier::HandleidingActie() const {
    return Handleiding;
}

QAbstractButton* TFrmHoofdFormulier::HandleidingKnop() const {
    return BtnHandleiding;
}

QAction* TFrmHoofdFormulier::ProduktondersteuningActie() const {
    return MitProduktondersteuning;
}

QAbstractButton* TFrmHoofdFormulier::ProduktondersteuningKnop() const {
    return BtnProduktOndersteuning;
}

QAction* TFrmHoofdFormulier::ProduktondersteuningTonenActie() const {
    return MitProduktOndersteuningTonen;
}

QAction* TFrmHoofdFormulier::VersiecontroleActie() const {
    return VersieControle1;
}

TZnInfoBox* TFrmHoofdFormulier::InfoBox() const {
    return DlgZnInfoBox;
}

TFrmHoofdFormulier::~TFrmHoofdFormulier() {
    qApp->removeEventFilter(this);
    // The widgets first: they are bound to the inputs of the input set.
    delete takeCentralWidget();
}

QWidget* TFrmHoofdFormulier::Bind(TInvoer* invoer, QWidget* ouder) {
    if (auto* getal = qobject_cast<TGetalInvoer*>(invoer)) return new TSpinEdit(getal, ouder);
    if (auto* keuze = qobject_cast<TKeuzeInvoer*>(invoer)) {
        auto* box = new TKeuzeBox(keuze, ouder);
        box->setFixedWidth(120);
        return box;
    }
    if (auto* tabel = qobject_cast<TTabel*>(invoer)) return new TStringGrid(tabel, ouder);
    if (auto* dag = qobject_cast<TDagInvoer*>(invoer)) {
        Cbxdatum = new TznDayEdit(ouder);
        Cbxdatum->setFixedWidth(80);
        Cbxdatum->SetAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Leaving an impossible date for a result page: the calculation says it already.
        KoppelDagEdit(Cbxdatum, dag, [this](const QString& melding) {
            if (!berekening_->ZojuistGemeld(melding)) melder_->Fout(melding);
        });
        return Cbxdatum;
    }
    return nullptr;
}

std::function<QWidget*(TInvoer*, QWidget*)> TFrmHoofdFormulier::Binder() {
    return [this](TInvoer* invoer, QWidget* ouder) { return Bind(invoer, ouder); };
}

QPushButton* TFrmHoofdFormulier::StandaardKnop(QVBoxLayout* kolom, const QString& naam, const QString& pagina,
                                               void (TInvoerset::*regel)()) {
    auto* knop = new QPushButton(QStringLiteral("Standaard"), kolom->parentWidget());
    knop->setObjectName(naam);
    knop->setFixedWidth(100);
    knop->setAutoDefault(false);
    connect(knop, &QPushButton::clicked, this, [this, regel, pagina] {
        bewerkingen_->Standaard(pagina);
        TInvoerset* invoer = invoerset_;
        VangFouten([invoer, regel] { (invoer->*regel)(); });
        document_->GebruikerWijziging();
    });
    kolom->addWidget(knop, 0, Qt::AlignLeft);
    kolom->addStretch(1);
    return knop;
}

QWidget* TFrmHoofdFormulier::MaakVeestapel() {
    TInvoerset& s = *invoerset_;
    QWidget* pagina = NieuwePagina(QStringLiteral("SheetVeestapel"), TabKorvalinde);
    QVBoxLayout* kolom = PaginaKolom(pagina);

    QGroupBox* veestapel = Groep(QStringLiteral("GrpVeestapel"), QStringLiteral("Veestapel"), pagina);
    TRijen rijen(veestapel, Binder());
    rijen.Voeg(0, {s.SpenKoe, s.SpeMelknivo, s.SpePercPar1, s.SpePercPar2, s.SpePercPar3});
    rijen.Voeg(1, {s.SpePercRas1, s.SpePercRas2, s.SpeTkt, s.SpeGewicht});
    rijen.Afronden(true);
    kolom->addWidget(veestapel);

    QGroupBox* productie = Groep(QStringLiteral("GrpProductie"), QStringLiteral("Productie"), pagina);
    auto* productieRij = new QHBoxLayout(productie);
    productieRij->setContentsMargins(12, 10, 12, 12);
    productieRij->addWidget(Bind(s.GrdProductie, productie));
    productieRij->addStretch(1);
    kolom->addWidget(productie);

    BtnVeestapel = StandaardKnop(kolom, QStringLiteral("BtnVeestapel"), QStringLiteral("Veestapel"),
                                 &TInvoerset::StandaardVeestapel);
    return pagina;
}

QWidget* TFrmHoofdFormulier::MaakVoeding() {
    TInvoerset& s = *invoerset_;
    QWidget* pagina = NieuwePagina(QStringLiteral("SheetVoeding"), TabKorvalinde);
    QVBoxLayout* kolom = PaginaKolom(pagina);

    QGroupBox* voeders = Groep(QStringLiteral("GrpVoedermiddelen"), QStringLiteral("Voedermiddelen"), pagina);
    auto* tabellen = new QVBoxLayout(voeders);
    tabellen->setContentsMargins(12, 10, 12, 12);
    tabellen->setSpacing(14);
    tabellen->addWidget(Bind(s.GrdKrachtvoer, voeders), 0, Qt::AlignLeft);
    tabellen->addWidget(Bind(s.GrdVoeders, voeders), 0, Qt::AlignLeft);
    kolom->addWidget(voeders);

    BtvVoeding = StandaardKnop(kolom, QStringLiteral("BtvVoeding"), QStringLiteral("Voeding"),
                               &TInvoerset::StandaardVoeding);
    return pagina;
}

QWidget* TFrmHoofdFormulier::MaakGrasland() {
    TInvoerset& s = *invoerset_;
    QWidget* pagina = NieuwePagina(QStringLiteral("SheetGrasland"), TabKorvalinde);
    QVBoxLayout* kolom = PaginaKolom(pagina);

    QGroupBox* perceel = Groep(QStringLiteral("GrpPerceel"), QStringLiteral("Perceelsgegevens"), pagina);
    TRijen perceelRijen(perceel, Binder());
    perceelRijen.Voeg(0, {s.SpePerceelOpp, s.CbxSysteem, s.CbxZode, s.CbxJaargift});
    perceelRijen.Voeg(1, {s.CbxGrondsoort, s.CbxOntwatering, s.CbxEngelsraai});
    perceelRijen.Afronden(true);
    kolom->addWidget(perceel);

    auto* onder = new QHBoxLayout;
    onder->setSpacing(10);
    QGroupBox* beweiding = Groep(QStringLiteral("GrpBeweiding"), QStringLiteral("Beweiding"), pagina);
    TRijen beweidingRijen(beweiding, Binder());
    beweidingRijen.Voeg(0, {s.Cbxdatum, s.SpeHergroei, s.SpeGrasaanbod, s.SpeUrenWeidegang, s.SpeBiomassa05});
    beweidingRijen.Afronden(false);
    onder->addWidget(beweiding, 1);

    QGroupBox* vorige = Groep(QStringLiteral("GrpVorigeSnede"), QStringLiteral("Vorige snede"), pagina);
    TRijen vorigeRijen(vorige, Binder());
    vorigeRijen.Voeg(0, {s.CbxVorigGebruik, s.CbxBloten, s.SpeVorigDagen, s.SpeVorigRest});
    vorigeRijen.Afronden(false);
    onder->addWidget(vorige, 1);
    kolom->addLayout(onder);

    BtnGrasland = StandaardKnop(kolom, QStringLiteral("BtnGrasland"), QStringLiteral("Grasland"),
                                &TInvoerset::StandaardGrasland);
    return pagina;
}

QWidget* TFrmHoofdFormulier::MaakOverig() {
    TInvoerset& s = *invoerset_;
    QWidget* pagina = NieuwePagina(QStringLiteral("SheetOverig"), TabKorvalinde);
    QVBoxLayout* kolom = PaginaKolom(pagina);

    QGroupBox* detail = Groep(QStringLiteral("GrpDetail"), QStringLiteral("Detail invoer"), pagina);
    TRijen rijen(detail, Binder());
    rijen.VoegBreed(s.GrdGras, 6);
    rijen.Voeg(0, {s.SpenMestflat, s.SpenUrlozing, s.SpeOppMestflat, s.SpeOppUrplek});
    rijen.Afronden(false, false);
    kolom->addWidget(detail);

    BtnOverig = StandaardKnop(kolom, QStringLiteral("BtnOverig"), QStringLiteral("Overig"),
                              &TInvoerset::StandaardOverig);
    return pagina;
}

void TFrmHoofdFormulier::TabKorvalindeChange(QObject* sender) {
    const int pagina = TabKorvalinde->currentIndex();
    VangFouten([&] { berekening_->PaginaGewijzigd(pagina >= Uitvoer, sender); });
    ZetStatuspaneel(pagina);
}

void TFrmHoofdFormulier::ToonPagina(int pagina) {
    {
        const QSignalBlocker stil(TabKorvalinde);
        TabKorvalinde->setCurrentIndex(pagina);
    }
    ZetStatuspaneel(pagina);
}

void TFrmHoofdFormulier::ZetStatuspaneel(int pagina) {
    // The hints matter while typing inputs: shown under "Veestapel", "Voeding" and "Grasland" only.
    const bool zichtbaar = pagina <= Grasland;
    PnlStatusBar->setFixedHeight(zichtbaar ? StatusHoogte : 0);
    PnlStatusBar->setVisible(zichtbaar);
}

QWidget* TFrmHoofdFormulier::MaakUitvoer() {
    TInvoerset& s = *invoerset_;
    QWidget* pagina = ResultaatPagina(QStringLiteral("SheetUitvSam"), TabKorvalinde);
    GrdUitvoerSam = new TStringGrid(berekening_->GrdUitvoerSam, pagina);
    GrdUitvoerSam->setFocusPolicy(Qt::ClickFocus); // for copying; not reachable with the tab key
    GrdUitvoerSam->Bestandsnaam = [this] { return document_->Bestandsnaam(); };
    // The alternatives stand above the summary columns "Alternatief 1" and "Alternatief 1+2": each
    // choice 10 narrower than its column, its value field (50 wide) right-aligned below it.
    const TTabel* sam = berekening_->GrdUitvoerSam;
    const int links = 10;
    const int boven = 62;
    int kolomX[5] = {};
    for (int k = 1; k < 5; ++k) kolomX[k] = kolomX[k - 1] + sam->ColWidth(k - 1);
    GrdUitvoerSam->move(links, boven);
    const int frame = GrdUitvoerSam->frameWidth();
    TGetalInvoer* velden[2] = {s.SpeAlt1, s.SpeAlt2};
    TKeuzeInvoer* keuzes[2] = {s.CbxAlt1, s.CbxAlt2};
    for (int j = 0; j < 2; ++j) {
        const int x = links + frame + kolomX[3 + j];
        const int breedte = sam->ColWidth(3 + j) - 10;
        auto* box = new TKeuzeBox(keuzes[j], pagina);
        box->setGeometry(x, 6, breedte, 24);
        auto* veld = new TSpinEdit(velden[j], pagina);
        veld->setGeometry(x + breedte - 50, 33, 50, 24);
        veld->setFocusPolicy(Qt::ClickFocus); // not reachable with the tab key
    }
    auto* verkennen = new QPushButton(QStringLiteral("Verkennen..."), pagina);
    verkennen->setObjectName(QStringLiteral("BtnVerkennen"));
    verkennen->setGeometry(links, 6, 110, 24);
    verkennen->setFocusPolicy(Qt::ClickFocus);
    connect(verkennen, &QPushButton::clicked, this, &TFrmHoofdFormulier::MitVerkennenClick);
    return pagina;
}

void TFrmHoofdFormulier::MitVerkennenClick() {
    if (!verkenvenster_) {
        verkenvenster_ = new TVerkenvenster(
            *invoerset_, [this] { return document_->Bestandsnaam(); }, this);
        // An alternative set from there is computed and shown as a choice on "Uitvoer" is.
        verkenvenster_->AlternatiefGezet = [this] {
            ToonPagina(Uitvoer);
            TabKorvalindeChange(TabKorvalinde);
        };
        // A value taken over into an input: a result page in view shows it computed at once.
        verkenvenster_->InvoerGezet = [this] { TabKorvalindeChange(TabKorvalinde); };
    } else if (!verkenvenster_->isVisible() && !verkenvenster_->Bezig()) {
        // Opened again: from the inputs as they are now.
        verkenvenster_->NeemUitgangspunt(true);
    }
    verkenvenster_->show();
    verkenvenster_->raise();
    verkenvenster_->activateWindow();
}

QWidget* TFrmHoofdFormulier::MaakDetail() {
    QWidget* pagina = ResultaatPagina(QStringLiteral("SheetUitvDetail"), TabKorvalinde);
    GrpDetail = Groep(QStringLiteral("GrpDetail"), QString(), pagina);
    GrpDetail->setGeometry(10, 2, 260, 34);
    auto* rij = new QHBoxLayout(GrpDetail);
    rij->setContentsMargins(8, 4, 8, 4);
    detailKnoppen_ = new QButtonGroup(GrpDetail);
    const QString items[3] = {QStringLiteral("Basis"), QStringLiteral("Alt 1"), QStringLiteral("Alt 1+2")};
    for (int i = 0; i < 3; ++i) {
        auto* knop = new QRadioButton(items[i], GrpDetail);
        detailKnoppen_->addButton(knop, i);
        rij->addWidget(knop);
    }
    for (int v = 0; v < 3; ++v) {
        GrdUitvoerDet[v] =
            new TStringGrid(berekening_->GrdUitvoerDet[static_cast<std::size_t>(v)], pagina, 540);
        GrdUitvoerDet[v]->move(10, 42);
        GrdUitvoerDet[v]->Bestandsnaam = [this] { return document_->Bestandsnaam(); };
    }
    detailKnoppen_->button(0)->setChecked(true);
    connect(detailKnoppen_, &QButtonGroup::idClicked, this, &TFrmHoofdFormulier::GrpDetailClick);
    GrpDetailClick(0);
    return pagina;
}

void TFrmHoofdFormulier::GrpDetailClick(int item) {
    if (item < 0 || item > 2) return;
    for (int v = 0; v < 3; ++v) GrdUitvoerDet[v]->setVisible(v == item);
}

QWidget* TFrmHoofdFormulier::MaakGrafieken() {
    GrafiekPagina = new TGrafiekPagina(TabKorvalinde);
    GrafiekPagina->setObjectName(QStringLiteral("SheetGraf"));
    TBerekening* berekening = berekening_;
    GrafiekPagina->ZetDetailTabellen({[berekening](int variant, int kolom, int rij) {
        if (variant < 0 || variant > 2) return QString();
        return berekening->GrdUitvoerDet[static_cast<std::size_t>(variant)]->Cel(kolom, rij);
    }});
    TMelder* melder = melder_;
    GrafiekPagina->ToonFout = [melder](const QString& melding) { melder->Fout(melding); };
    return GrafiekPagina;
}

void TFrmHoofdFormulier::ShowHint(const QString& hint) {
    PnlStatusBar->setText(hint);
}

bool TFrmHoofdFormulier::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        ShowHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TFrmHoofdFormulier::eventFilter(QObject* object, QEvent* event) {
    if (BewerkToets(object, event)) return true;
    if (event->type() == QEvent::KeyPress && FormKeyPress(object, static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(object, event);
}

bool TFrmHoofdFormulier::BewerkToets(QObject* object, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
    const auto* toets = static_cast<QKeyEvent*>(event);
    const QKeyCombination combinatie = toets->keyCombination();
    const bool ongedaan = combinatie == QKeyCombination(Qt::ControlModifier, Qt::Key_Z);
    const bool opnieuw = combinatie == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
                         combinatie == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
    auto* widget = qobject_cast<QWidget*>(object);
    if ((!ongedaan && !opnieuw) || !widget || widget->window() != this) return false;
    if (event->type() == QEvent::ShortcutOverride) {
        // A text field would take the keys for its own undo; the window's edit history takes them,
        // with the keys typed just before recorded first (a cell being typed in takes its text).
        SluitCelBewerking();
        bewerkingen_->Vastleggen();
        return true;
    }
    // Nothing to undo or redo: the keys do nothing, also not in a text field.
    return true;
}

bool TFrmHoofdFormulier::FormKeyPress(QObject* object, QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    auto* widget = qobject_cast<QWidget*>(object);
    // Only once per key press (at this window's focus widget, also while the application does not
    // count the window as active), and only for controls of this window. The focus widget gets a
    // Tab, so that a table moves to its next cell; Enter itself never reaches a button.
    if (!widget || widget != focusWidget() || widget->window() != this) return false;
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(widget, &tab);
    return true;
}

void TFrmHoofdFormulier::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!gecentreerd_) {
        gecentreerd_ = true;
        PlaatsOpScherm(this, TPlaatsing::Centreren);
    }
    // Shown once by the start window; a window restored from the task bar is no new start.
    if (!getoond_ && !event->spontaneous()) {
        getoond_ = true;
        FormShow();
    }
}

void TFrmHoofdFormulier::FormShow() {
    VangFouten([this] {
        invoerset_->ZetStandaardwaarden();
        // A file named on the command line is opened as by "Openen": one that cannot be opened (a
        // folder, a FIFO, a device, a link that leads nowhere, no file at all) shows the same box.
        if (!opties_.StartBestand.isEmpty())
            document_->Lees(QFileInfo(opties_.StartBestand).absoluteFilePath());
        else
            document_->Onveranderd();
    });
}

void TFrmHoofdFormulier::closeEvent(QCloseEvent* event) {
    if (!gesloten_) {
        bool magSluiten = false;
        VangFouten([&] { magSluiten = document_->MagSluiten(); });
        if (!magSluiten) {
            event->ignore();
            return;
        }
        FormClose();
    }
    QMainWindow::closeEvent(event);
    event->accept();
}

void TFrmHoofdFormulier::FormClose() {
    gesloten_ = true;
    VangFouten([this] {
        const QString huidig = document_->Bestandsnaam();
        if (!huidig.isEmpty()) FhmBestandHistorie->Add(huidig);
        if (QSettings* instellingen = opties_.Instellingen) {
            FhmBestandHistorie->SaveToIni(*instellingen, QString::fromLatin1(BestandHistorieSectie));
            // A settings file that cannot be written (read-only, no regular file, disk full) is said
            // on standard error: a box would keep the program from ending (at a log-off nobody
            // answers it).
            const QString fout = SchrijfInstellingen(*instellingen);
            if (!fout.isEmpty()) std::fprintf(stderr, "korvalinde: %s\n", fout.toLocal8Bit().constData());
        }
    });
}

} // namespace korvalinde
