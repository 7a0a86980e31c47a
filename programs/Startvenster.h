// The start window, shown first: product name, version, picture, a short introduction and the
// credits. Its OK button hands over to the main window; closing it ends the program.
// Also the program's version text and VersieTekst, which cuts it into name, version and date.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace korvalinde {

class TFrmInfotxt;

inline constexpr char ProgrammaNaam[] = "Korvalinde";
// Product name, one space, version, " - ", version date with the Dutch month name.
inline constexpr char ProgrammaVersieTekst[] = "Korvalinde 2010.00 - 5 februari 2010";

// Builds a text from the version text. Per character of formaat (upper-cased): "P" the product
// name; "V" the version part (between the name and the first "-"); "D" the date part (after the
// first "-"), preceded by "-" unless "D" is the first character; other characters add nothing.
// The result is trimmed of spaces and control characters at both ends.
// "V" -> "2010.00", "D" -> "5 februari 2010", "VD" -> "2010.00 - 5 februari 2010".
QString VersieTekst(const QString& formaat);

// A picture of the program's own resources (":/korvalinde/<naam>.svg") drawn at the given size on
// a transparent background; a null pixmap when there is no such picture.
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
