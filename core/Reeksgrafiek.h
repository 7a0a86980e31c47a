// The chart of a parameter sweep as plain data (core/Grafiek.h), one function for the explore window and
// the batch calculator: chosen summary rows against the swept value, one panel per row with its own
// unit. With a second swept input one line per value of it, with the alternatives one line per
// variant; the legend under the last panel names the lines.
#pragma once

#include "core/Grafiek.h"
#include "core/Reeks.h"

#include <QList>
#include <QStringList>

namespace korvalinde {

class TGetalInvoer;
class TInvoerset;

// The size of a sweep's picture, as the batch calculator writes it and the window saves it: the width,
// and the height of one panel (the legend comes below).
inline constexpr int ReeksgrafiekBreedte = 900;
inline constexpr int ReeksgrafiekPaneelHoogte = 320;

// Colour and style of line `lijn` (0 first): the chart page's navy, green and aqua first, ten colours
// in all, then the same colours dashed, dotted and dash-dotted, so that forty lines stay apart.
quint32 ReekslijnKleur(int lijn);
Qt::PenStyle ReekslijnStijl(int lijn);

// The panels of a sweep. `velden` holds per point, in the grid's order (the first sweep outermost), the
// fields ReeksVelden(punt, reeksen.size(), true) makes: the swept values as the inputs show them, then
// the summary of every variant. `rijen` are indexes into SamenvattingKolommen(), one panel each. A point
// without a value leaves a gap in its line. No panels without rows or points.
QList<TGrafiek> BouwReeksgrafiek(const TInvoerset& invoer, const QList<TReeks>& reeksen,
                                 const QList<QStringList>& velden, const QList<int>& rijen,
                                 bool alternatieven);

// Bounds on whole steps of 1, 2 or 5 times a power of ten, about five of them over the span; a span
// of nothing is widened by 1 each way.
TGrafiekAs MooieAs(double laagste, double hoogste, const QString& titel);

} // namespace korvalinde
