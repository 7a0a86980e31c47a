// The chart of a parameter sweep: chosen summary rows against the swept value, one panel per row
// (each with its own unit), in the style of the chart page (white ground, Arial, navy, green and
// aqua lines of width 2, dashed grid, axis titles with units). With a second sweep, one line per
// value of it and a legend naming the values. Drawn with QPainter only, so no window is needed.
#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace korvalinde {

struct TReeksgrafiek {
    QString xTitel;        // the swept input with its unit, "Perceelsgrootte (ha)"
    QList<double> x;       // the values of the (first) sweep
    QStringList lijnNamen; // one name per line; empty names with a single line
    struct Paneel {
        QString titel;               // the summary row with its unit, "Gemiddelde melkgift (kg FPCM/koe/dag)"
        QList<QList<double>> lijnen; // [line][x]; NaN for a point without a value
    };
    QList<Paneel> panelen;
};

// The chart as a picture of `breedte` x (a panel's height times the number of panels) pixels.
QImage TekenReeksgrafiek(const TReeksgrafiek& grafiek, int breedte = 900, int paneelHoogte = 320);

} // namespace korvalinde
