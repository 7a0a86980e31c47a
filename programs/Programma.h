// The program start: process-wide formats, the four windows in their order, the quiet version
// check and the message loop; and the links between the main window's help entries and the
// manual, product-support and version-check code.
#pragma once

#include <QPointer>

#include <functional>
#include <memory>

class QAbstractButton;
class QAction;
class QApplication;
class QSettings;
class QWidget;

namespace korvalinde {

class TFrmHandleiding;
class TFrmInfotxt;
class TFrmOpstart;
class TZnInfoBox;

// Number and date formats for the whole process: "." as decimal separator and "," as thousands
// separator in every widget, whatever the user's regional settings (the short date "dd/MM/yyyy"
// and the Dutch month and day names come from KorteDatum and DatumOpmaak).
void ZetProcesFormaten();

// The four windows of a running program, kept until it ends.
struct TProgrammaVensters {
    std::unique_ptr<QWidget> hoofdvenster;
    std::unique_ptr<TFrmOpstart> opstart;
    std::unique_ptr<TFrmHandleiding> handleiding;
    std::unique_ptr<TFrmInfotxt> infotxt;
    QPointer<TZnInfoBox> infoBox; // the main window's about-box component
    bool beeindigd = false;       // the start window was closed: the program ends
    ~TProgrammaVensters();
};

// The main window as the program start links it: the window itself (owned by the program from
// then on), its help entries and its about-box component. An entry left null is not linked; without
// an about-box component the program start makes one.
struct THoofdvensterIngangen {
    QWidget* venster = nullptr;
    // "&Handleiding" of the help menu and the tool button "Handleiding": the manual window.
    QAction* handleiding = nullptr;
    QAbstractButton* handleidingKnop = nullptr;
    // "&Produktondersteuning" and the tool button "Produktondersteuning": the product-support window.
    QAction* produktondersteuning = nullptr;
    QAbstractButton* produktondersteuningKnop = nullptr;
    // "...&tonen bij opstarten": the check mark of the product-support window's start-up display.
    QAction* produktondersteuningTonen = nullptr;
    // "&Versiecontrole uitvoeren": the version check that reports in any case.
    QAction* versiecontrole = nullptr;
    TZnInfoBox* infoBox = nullptr;
    // "Bij het starten op een nieuwe versie controleren": the check mark of the start-up check.
    QAction* versieBijStarten = nullptr;

    // The entries of a main window that offers them (HandleidingActie, HandleidingKnop, ...).
    template <class Hoofdvenster> static THoofdvensterIngangen Van(Hoofdvenster* h) {
        if (!h) return {};
        return {h,
                h->HandleidingActie(),
                h->HandleidingKnop(),
                h->ProduktondersteuningActie(),
                h->ProduktondersteuningKnop(),
                h->ProduktondersteuningTonenActie(),
                h->VersiecontroleActie(),
                h->InfoBox(),
                h->VersieBijStartenActie()};
    }
};

// Links the main window's entries to the windows: "&Handleiding" and its tool button show the
// manual; "&Produktondersteuning" and its tool button show the product-support window;
// "...&tonen bij opstarten" becomes the check-mark entry of the start-up display; "&Versiecontrole
// uitvoeren" runs the version check that reports in any case. Each activation of the main window
// runs the product-support window's start-up display.
void KoppelHoofdvenster(const THoofdvensterIngangen& hoofdvenster, TFrmHandleiding* handleiding,
                        TFrmInfotxt* infotxt, TZnInfoBox* infoBox);

// Everything before the message loop, in this order: formats; the start window (shown at once);
// the main window from maakHoofdvenster (it stays hidden; its creation runs its first
// calculation); the manual and product-support windows (hidden) with their links; the quiet
// version check with the main window's about-box component (one is made when the main window has
// none), when the settings ask for it (VersieControleBijStarten); the main window's check mark of
// that choice shows and stores it. The settings are not owned and may be null.
std::unique_ptr<TProgrammaVensters>
BouwProgramma(const std::function<THoofdvensterIngangen()>& maakHoofdvenster, QSettings* instellingen);

// BouwProgramma, then the message loop until the program ends. Returns the exit code. A request to
// end from the system (SIGTERM, SIGHUP, SIGINT) ends the program at once and shows no box: it is
// said on standard error, open boxes and dialogs close, the close query is answered "&Nee" (said
// on standard error), the main window stores the settings and the program ends.
int StartProgramma(QApplication& app, const std::function<THoofdvensterIngangen()>& maakHoofdvenster,
                   QSettings* instellingen);

} // namespace korvalinde
