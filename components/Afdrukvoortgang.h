// Progress window shown while pages go to the printer: "Afdrukken pagina 2 van 3" with a button
// "Annuleer" that asks the print job to stop after the page being printed.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace korvalinde {

class TfPrintingQuery : public QDialog {
    Q_OBJECT

  public:
    // Called when the user presses "Annuleer" (the preview component passes its CancelPrint).
    using TAnnuleerCallback = std::function<void()>;

    explicit TfPrintingQuery(QWidget* owner = nullptr);

    void SetCancelCallback(TAnnuleerCallback callback) { m_annuleer = std::move(callback); }
    // The page now being printed and the last page of the job.
    void SetProgress(int pagina);
    void SetMax(int laatstePagina);

    QLabel* lProgress = nullptr;
    QLabel* lMax = nullptr;
    QPushButton* CancelBtn = nullptr;

  protected:
    // Escape and the window manager's close behave like "Annuleer" instead of hiding the window.
    void reject() override;

  private:
    void CancelBtnClick();

    TAnnuleerCallback m_annuleer;
};

} // namespace korvalinde
