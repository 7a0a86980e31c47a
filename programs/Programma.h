// The program start: process-wide formats, the four windows in their order, the quiet version
// check and the message loop; and the links between the main window's help entries and the
// manual, product-support and version-check code.
#pragma once

#include <QPointer>

#include <functional>
#include <memory>

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

// Connects the main window's entries, found by their object names, to the windows:
// "Handleiding" / "MitHandleiding" and "BtnHandleiding" show the manual; "MitProduktondersteuning"
// and "BtnProduktOndersteuning" show the product-support window; "MitProduktOndersteuningTonen"
// becomes the check-mark entry of the start-up display; "VersieControle1" runs the version check
// that reports in any case. Entries may be actions or buttons; missing ones are skipped. Each
// activation of the main window runs the product-support window's start-up display.
void KoppelHoofdvenster(QWidget* hoofdvenster, TFrmHandleiding* handleiding, TFrmInfotxt* infotxt,
                        TZnInfoBox* infoBox);

// Everything before the message loop, in this order: formats; the start window (shown at once);
// the main window from maakHoofdvenster (it stays hidden; its creation runs its first
// calculation); the manual and product-support windows (hidden) with their links; the quiet
// version check with the main window's about-box component (object "DlgZnInfoBox"; one is made
// when the main window has none). The settings are not owned and may be null.
std::unique_ptr<TProgrammaVensters> BouwProgramma(const std::function<QWidget*()>& maakHoofdvenster,
                                                  QSettings* instellingen);

// BouwProgramma, then the message loop until the program ends. Returns the exit code.
int StartProgramma(QApplication& app, const std::function<QWidget*()>& maakHoofdvenster,
                   QSettings* instellingen);

} // namespace korvalinde
