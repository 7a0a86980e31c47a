// The manual window: a short guide through the pages of the main window.
#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;
class QScrollArea;

namespace korvalinde {

class TFrmHandleiding : public QDialog {
    Q_OBJECT
  public:
    explicit TFrmHandleiding(QWidget* parent = nullptr);

    // Shows the window modally for the user without holding up the caller; a second call while
    // it is open only brings it to the front.
    void Toon();

    QScrollArea* SbxHandleiding;
    QList<QLabel*> Koppen;
    QList<QLabel*> Teksten;
    QPushButton* BtnOK;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    bool gecentreerd_ = false;
};

} // namespace korvalinde
