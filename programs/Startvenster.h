// The start window, shown first: product name, version, picture, a short introduction and the
// credits. Its OK button hands over to the main window; closing it ends the program.
// The version text it shows comes from core/Versie.
#pragma once

#include "core/Versie.h"

#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace korvalinde {

class TFrmInfotxt;

// A picture of the program's own resources (":/korvalinde/<naam>.png", or "<naam>@2x.png" on a screen
// of more pixels) at the given size in the screen's pixels; a null pixmap when there is no such picture.
QPixmap ProgrammaPlaatje(const QString& naam, QSize maat);

class TFrmOpstart : public QWidget {
    Q_OBJECT
  public:
    explicit TFrmOpstart(QWidget* parent = nullptr);

    // The window the OK button shows, and the window the information link shows (not owned).
    void ZetHoofdvenster(QWidget* hoofdvenster) { hoofdvenster_ = hoofdvenster; }
    void ZetProductOndersteuning(TFrmInfotxt* venster);

    // OK: hide this window, show the main window and let pending window messages through.
    void BitBtn1Click();
    // The information link: show the product-support window.
    void SttInfoClick();

    QFrame* PnlOpstart;
    QLabel* LblOpstart0;
    QLabel* LblVersie;
    QLabel* ImgKorvalinde;
    QLabel* LblOpstart1;
    QLabel* LblOpstart2;
    QLabel* SttInfo;
    QPushButton* BitBtn1;

    // Background of the start window's panel.
    static QColor PaneelKleur() { return QColor(240, 202, 166); }

  signals:
    // The user closed the start window (not through OK): the program ends.
    void ProgrammaBeeindigen();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QPointer<QWidget> hoofdvenster_;
    QPointer<TFrmInfotxt> productOndersteuning_;
    bool gecentreerd_ = false;
};

} // namespace korvalinde
