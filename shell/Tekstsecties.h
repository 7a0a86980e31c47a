// Building blocks of the fixed-text windows: a heading with a word-wrapped paragraph under it,
// on a tooltip-yellow background.
#pragma once

#include <QColor>
#include <QString>

class QLabel;
class QVBoxLayout;
class QWidget;

namespace korvalinde {

// Background of the text areas of the manual and product-support windows.
inline const QColor TekstAchtergrond{255, 255, 225};

struct TekstSectie {
    QLabel* kop;
    QLabel* tekst;
};

// Adds a heading (bold, kopPixels high, italic when asked) and a word-wrapped plain-text
// paragraph (tekstPixels high) to the layout. Line breaks in the texts are kept.
TekstSectie VoegSectieToe(QVBoxLayout* indeling, const QString& kop, const QString& tekst, int kopPixels,
                          int tekstPixels, bool kopCursief = false);

// Gives a widget the tooltip-yellow background.
void MaakGeel(QWidget* widget);

} // namespace korvalinde
