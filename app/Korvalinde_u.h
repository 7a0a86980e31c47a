// The main window: the page control with the four input pages and the three result pages, the
// status panel that shows the hint of the control under the mouse, and Enter as a Tab everywhere.
// The inputs and their rules live in the input set; the pages only bind widgets to it.
#pragma once

#include "Berekening.h"
#include "Invoerset.h"

#include <QMainWindow>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace korvalinde {

class TznDayEdit;
class TGrafiekPagina;
class TStringGrid;

class TFrmHoofdFormulier : public QMainWindow {
    Q_OBJECT
  public:
    // Boxes go to `melder`; without one to the program's standard melder (StandaardMelder()).
    explicit TFrmHoofdFormulier(TMelder* melder = nullptr, QWidget* parent = nullptr);
    ~TFrmHoofdFormulier() override;

    TInvoerset* Invoerset() const { return invoerset_; }
    // The calculation run, the kept records and the result tables.
    TBerekening* Berekening() const { return berekening_; }
    TMelder& Melder() const { return *melder_; }

    // Page indexes of TabKorvalinde.
    enum Pagina { Veestapel = 0, Voeding, Grasland, Overig, Uitvoer, Detailuitvoer, Grafieken };

    QWidget* PnlSpeedbar = nullptr;
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

    // The page-change rule: computes on the result pages and refills the tables; the status panel is
    // 22 high on "Veestapel", "Voeding" and "Grasland" and hidden on the other pages.
    void TabKorvalindeChange(QObject* sender);
    // Shows the detail table of item 0 ("Basis"), 1 ("Alt 1") or 2 ("Alt 1+2").
    void GrpDetailClick(int item);
    // Puts the long hint of the control under the mouse into the status panel.
    void ShowHint(const QString& hint);

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* MaakVeestapel();
    QWidget* MaakVoeding();
    QWidget* MaakGrasland();
    QWidget* MaakOverig();
    QWidget* MaakUitvoer();
    QWidget* MaakDetail();
    QWidget* MaakGrafieken();
    QWidget* Bind(TInvoer* invoer, QWidget* ouder);
    QPushButton* StandaardKnop(const QString& naam, QWidget* ouder, void (TInvoerset::*regel)());
    // Enter moves the focus to the next control, as Tab does.
    bool FormKeyPress(QObject* object, QKeyEvent* event);

    TMelder* melder_;
    TInvoerset* invoerset_;
    TBerekening* berekening_;
    QButtonGroup* detailKnoppen_ = nullptr;
    bool gecentreerd_ = false;
};

} // namespace korvalinde
