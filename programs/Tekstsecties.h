// The fixed-text windows of the program (the manual and the product support): headings with a
// word-wrapped paragraph under each, on a tooltip-yellow background, and an OK button.
#pragma once

#include <QColor>
#include <QDialog>
#include <QList>
#include <QString>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace korvalinde {

// Background of the text areas of the manual and product-support windows.
inline const QColor TekstAchtergrond{255, 255, 225};

// A heading and its paragraph, as the windows list them.
struct TTekstSectie {
    const char* kop;
    const char* tekst;
};

// Gives a widget the tooltip-yellow background.
void MaakGeel(QWidget* widget);

// A fixed-size window with a 13-pixel font; the window centres itself on the screen the first time
// it is shown.
class TTekstVenster : public QDialog {
    Q_OBJECT
  public:
    // Shows the window modally for the user without holding up the caller; a second call while
    // it is open only brings it to the front.
    void Toon();

    // The headings and paragraphs in order (object names LblKop1, LblTekst1, ...).
    QList<QLabel*> Koppen;
    QList<QLabel*> Teksten;
    QPushButton* BtnOK = nullptr;

  protected:
    TTekstVenster(const QString& naam, const QString& titel, QSize maat, QWidget* parent);

    // Adds a heading (bold, kopPixels high, italic when asked) and a word-wrapped plain-text
    // paragraph (tekstPixels high) to the layout. Line breaks in the texts are kept.
    void VoegSectieToe(QVBoxLayout* indeling, const TTekstSectie& sectie, int kopPixels, int tekstPixels,
                       bool kopCursief = false);
    // The default button "OK" (75 x 25), centred at height y; it closes the window.
    void MaakOkKnop(int y);

    void showEvent(QShowEvent* event) override;

  private:
    bool gecentreerd_ = false;
};

} // namespace korvalinde
