// The main window: the menus, the tool bar, the page control with the four input pages and the
// three result pages, the status panel that shows the hint of the control under the mouse, and
// Enter as a Tab everywhere. The inputs and their rules live in the input set, the file flows in
// the scenario document; the pages, menus and buttons only bind widgets to them.
#pragma once

#include "core/Berekening.h"
#include "core/Invoerset.h"
#include "report/Rapport.h"

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class QAbstractButton;
class QAction;
class QKeySequence;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QSettings;
class QTabWidget;
class QToolButton;
class QVBoxLayout;

namespace korvalinde {

class TBewerkingen;
class TznDayEdit;
class TGrafiekPagina;
class TScenarioDocument;
class TStringGrid;
class TZnFilehistMenu;
class TZnInfoBox;
class TZnPreview;
class TVerkenvenster;

// What the program entry hands to a new main window.
struct THoofdvensterOpties {
    // The settings file shared by the whole program (not owned); null: nothing is read or stored.
    QSettings* Instellingen = nullptr;
    // Version ("2010.00") and version date ("5 februari 2010") for the about box and the report.
    QString Versie;
    QString Datum;
    // The scenario file named on the command line; opened when the window is first shown, when it
    // names an existing file.
    QString StartBestand;
    // Folder of the pictures the report draws (product picture, logos); the program's resources
    // (":/korvalinde") unless another folder is given.
    QString PlaatjesMap = QStringLiteral(":/korvalinde");
};

class TFrmHoofdFormulier : public QMainWindow {
    Q_OBJECT
  public:
    // Boxes go to `melder`; without one to the program's standard melder (StandaardMelder()).
    explicit TFrmHoofdFormulier(TMelder* melder = nullptr, QWidget* parent = nullptr);
    explicit TFrmHoofdFormulier(const THoofdvensterOpties& opties, TMelder* melder = nullptr,
                                QWidget* parent = nullptr);
    ~TFrmHoofdFormulier() override;

    TInvoerset* Invoerset() const { return invoerset_; }
    // The calculation run, the kept records and the result tables.
    TBerekening* Berekening() const { return berekening_; }
    TMelder& Melder() const { return *melder_; }
    // The current scenario: file name, caption, saved flag, the file flows and their dialogs.
    TScenarioDocument* Document() const { return document_; }
    // The edit history behind "Ongedaan maken" and "Opnieuw".
    TBewerkingen* Bewerkingen() const { return bewerkingen_; }
    QSettings* Instellingen() const { return opties_.Instellingen; }

    // Page indexes of TabKorvalinde.
    enum Pagina { Veestapel = 0, Voeding, Grasland, Overig, Uitvoer, Detailuitvoer, Grafieken };

    // Place of the recent files in the file menu: between "A&fdrukvoorbeeld" and "Af&drukken...".
    static constexpr int BestandHistoriePositie = 7;

    // What the program start links to its windows: the help menu's "&Handleiding" and
    // "&Produktondersteuning" with their tool buttons, the check-mark entry "...&tonen bij
    // opstarten", "&Versiecontrole uitvoeren" and the about-box component.
    QAction* HandleidingActie() const;
    QAbstractButton* HandleidingKnop() const;
    QAction* ProduktondersteuningActie() const;
    QAbstractButton* ProduktondersteuningKnop() const;
    QAction* ProduktondersteuningTonenActie() const;
    QAction* VersiecontroleActie() const;
    // "Bij het starten op een nieuwe versie controleren": the check-mark entry of the start-up check.
    QAction* VersieBijStartenActie() const { return MitVersieBijStarten; }
    TZnInfoBox* InfoBox() const;

    // The page-change rule: computes on the result pages and refills the tables; the status panel is
    // 22 high on "Veestapel", "Voeding" and "Grasland" and hidden on the other pages.
    void TabKorvalindeChange(QObject* sender);
    // Shows a page chosen by the program, without the page-change rule (the calculation runs it).
    void ToonPagina(int pagina);
    // Shows the detail table of item 0 ("Basis"), 1 ("Alt 1") or 2 ("Alt 1+2").
    void GrpDetailClick(int item);
    // Puts the long hint of the control under the mouse into the status panel.
    void ShowHint(const QString& hint);

    // Menu and tool-bar commands.
    void MitNieuwClick();
    void MitOpenenClick();
    void MitOpslaanClick();
    void MitOpslaanalsClick();
    void MitPrinterInstellingClick();
    void MitAfdrukvoorbeeldClick();
    void MitAfdrukkenClick();
    void MitAfsluitenClick();
    void MitOngedaanMakenClick();
    void MitOpnieuwClick();
    void Website1Click();
    void MitInfoClick();
    void FhmBestandHistorieClick(const QString& bestandNaam);
    // "Verkennen": opens (or brings forward) the window that explores the scenario on screen.
    void MitVerkennenClick();
    TVerkenvenster* Verkenvenster() const { return verkenvenster_; }

    // The printer of the window, shared by the printer set-up, the preview and printing.
    QPrinter& Printer();
    // What the report needs from this window: the calculation, the inputs, the summary table, the
    // about-box texts, the current file, the pictures, the boxes, the busy state.
    TRapportGegevens RapportGegevens();

    // Replaceable dialogs, so that tests never wait for a user. Empty: the platform's own.
    // The printer set-up; true when the user accepted.
    std::function<bool(QPrinter& printer)> PrinterInstellingDialoog;
    // The print dialog of the print command.
    TPrintDialoog PrintDialoog;

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // The close query of the scenario; when it allows, FormClose.
    void closeEvent(QCloseEvent* event) override;

  private:
    // The controls and actions, each with its name as object name (tests find them by it).
    // Menu bar.
    QMenu* MitBestand = nullptr;
    QAction* MitNieuw = nullptr;
    QAction* MitOpenen = nullptr;
    QAction* MitOpslaan = nullptr;
    QAction* MitOpslaanals = nullptr;
    QAction* MitPrinterInstelling = nullptr;
    QAction* MitAfdrukvoorbeeld = nullptr;
    QAction* MitAfdrukken = nullptr;
    QAction* MitAfsluiten = nullptr;
    QMenu* MitBewerken = nullptr;
    QAction* MitOngedaanMaken = nullptr;
    QAction* MitOpnieuw = nullptr;
    QMenu* MitGebruik = nullptr;
    QAction* VersieControle1 = nullptr;
    QAction* MitVersieBijStarten = nullptr;
    QAction* MitVerkennen = nullptr;
    QMenu* MitHelp = nullptr;
    QAction* Website1 = nullptr;
    QAction* Handleiding = nullptr;
    QAction* MitProduktondersteuning = nullptr;
    QAction* MitProduktOndersteuningTonen = nullptr;
    QAction* MitInfo = nullptr;
    // Recent files, in the file menu between "A&fdrukvoorbeeld" and "Af&drukken...".
    TZnFilehistMenu* FhmBestandHistorie = nullptr;

    // Tool bar.
    QWidget* PnlSpeedbar = nullptr;
    QToolButton* BtnNieuw = nullptr;
    QToolButton* BtnOpenen = nullptr;
    QToolButton* BtnOpslaan = nullptr;
    QToolButton* BtnAfdrukvoorbeeld = nullptr;
    QToolButton* BtnAfdrukken = nullptr;
    QToolButton* BtnProduktOndersteuning = nullptr;
    QToolButton* BtnHandleiding = nullptr;

    // The about box (version, addresses, version check) and the report's print preview.
    TZnInfoBox* DlgZnInfoBox = nullptr;
    TZnPreview* PznPrintPreview = nullptr;
    QTabWidget* TabKorvalinde = nullptr;
    QWidget* SheetVeestapel = nullptr;
    QWidget* SheetVoeding = nullptr;
    QWidget* SheetGrasland = nullptr;
    QWidget* SheetOverig = nullptr;
    QWidget* SheetUitvSam = nullptr;
    QWidget* SheetUitvDetail = nullptr;
    QWidget* SheetGraf = nullptr;
    QLabel* PnlStatusBar = nullptr;
    QPushButton* BtnVeestapel = nullptr;
    QPushButton* BtvVoeding = nullptr;
    QPushButton* BtnGrasland = nullptr;
    QPushButton* BtnOverig = nullptr;
    TznDayEdit* Cbxdatum = nullptr;
    TStringGrid* GrdUitvoerSam = nullptr;
    TStringGrid* GrdUitvoerDet[3] = {nullptr, nullptr, nullptr};
    QGroupBox* GrpDetail = nullptr;
    TGrafiekPagina* GrafiekPagina = nullptr;

    // Start-up in its order: model, about box, loading state, hints, settings and recent files,
    // New, tables, charts, tooltips, defaults, first calculation.
    void FormCreate();
    // First showing: defaults again, then the scenario named on the command line.
    void FormShow();
    // After the close query allowed closing: the current file into the recent list, list saved.
    void FormClose();
    void MaakMenus();
    QAction* MenuItem(QMenu* menu, const char* naam, const QString& tekst, const QKeySequence& sneltoets,
                      const QString& hint, void (TFrmHoofdFormulier::*klik)());
    void MaakSpeedbar();
    // The status panel: 22 high on "Veestapel", "Voeding" and "Grasland", hidden on the other pages.
    void ZetStatuspaneel(int pagina);
    QWidget* MaakVeestapel();
    QWidget* MaakVoeding();
    QWidget* MaakGrasland();
    QWidget* MaakOverig();
    QWidget* MaakUitvoer();
    QWidget* MaakDetail();
    QWidget* MaakGrafieken();
    // The widget of an input, bound to it; Bind as a function for the rows of a group.
    QWidget* Bind(TInvoer* invoer, QWidget* ouder);
    std::function<QWidget*(TInvoer*, QWidget*)> Binder();
    // Ends an input page with its "Standaard" button, which runs `regel` (the page's defaults) as
    // one step of the edit history, named after the page.
    QPushButton* StandaardKnop(QVBoxLayout* kolom, const QString& naam, const QString& pagina,
                               void (TInvoerset::*regel)());
    // Ends the editing of a table cell that has the focus, keeping the text typed.
    void SluitCelBewerking();
    // The texts of "Ongedaan maken" and "Opnieuw" name the step they take back or do again.
    void ZetBewerkTeksten();
    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z are the window's undo and redo also in a text field.
    bool BewerkToets(QObject* object, QEvent* event);
    // Enter moves the focus to the next control, as Tab does.
    bool FormKeyPress(QObject* object, QKeyEvent* event);

    THoofdvensterOpties opties_;
    TMelder* melder_;
    TInvoerset* invoerset_;
    TBerekening* berekening_;
    TScenarioDocument* document_ = nullptr;
    TVerkenvenster* verkenvenster_ = nullptr;
    TBewerkingen* bewerkingen_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    QButtonGroup* detailKnoppen_ = nullptr;
    bool gecentreerd_ = false;
    bool getoond_ = false;
    bool gesloten_ = false;
    // The pictures only the report draws, read at the first report.
    bool plaatjesGeladen_ = false;
    TRapportPlaatje ImgKorvalinde;
    TRapportPlaatje ImgMakerLogo;
    TRapportPlaatje ImgProjectLogo;
    TRapportPlaatje ImgBedrijf;
};

} // namespace korvalinde
