// A chart as plain data: what to draw, not how. Series (lines and filled areas) in drawing order, each
// with its points, colour, line width and style and its legend entry, and two axes with their bounds,
// step, minor ticks and title. The chart page, the explore window and the batch calculator fill one;
// report/Grafiektekenaar.h draws it on the screen, in a picture or on a page.
#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <QtGlobal>

namespace korvalinde {

// A colour as 0xAARRGGBB, the layout of a QRgb.
inline constexpr quint32 Rgb(int rood, int groen, int blauw) {
    return 0xff000000u | (static_cast<quint32>(rood & 0xff) << 16) |
           (static_cast<quint32>(groen & 0xff) << 8) | static_cast<quint32>(blauw & 0xff);
}

enum class TSerieSoort { Vlak, Lijn };

struct TGrafiekSerie {
    QString naam; // "AreaSerie1" ... "Nullijn", or a line of a sweep
    TSerieSoort soort = TSerieSoort::Lijn;
    quint32 kleur = Rgb(0, 0, 0);
    int lijnDikte = 0; // 0 for areas
    Qt::PenStyle lijnStijl = Qt::SolidLine;
    QString titel;
    bool inLegenda = false;
    bool puntjes = false;  // a dot on every point
    QList<QPointF> punten; // x, y; a y that is NaN breaks a line
    // Areas only: the lower edge, one y per point. Empty means the area is filled down to 0; the total
    // of a stacked chart lies on top of the area below it.
    QList<QPointF> onderrand;
};

struct TGrafiekAs {
    // Automatic bounds follow the points drawn; fixed ones are minimum and maximum as they stand.
    bool automatischMinimum = false;
    bool automatischMaximum = false;
    double minimum = 0;
    double maximum = 0;
    double stap = 1;
    int tussenstreepjes = 0; // minor ticks between two steps
    QString titel;
    bool dagen = false; // the numbers are days of the year, labelled as dates ("01/04")
    // Named places instead of numbers: the whole value k is labelled namen[k], other values not
    // (the inputs of a tornado chart, one bar each).
    QStringList namen;
};

enum class TLegendaPlaats { Rechts, Onder };

// One panel: a plot with its axes, legend and an optional title above it.
struct TGrafiek {
    QString titel;
    QList<TGrafiekSerie> series; // in drawing order: later series paint over earlier ones
    TGrafiekAs xAs;
    TGrafiekAs yAs;
    TLegendaPlaats legenda = TLegendaPlaats::Rechts;
};

bool operator==(const TGrafiekSerie& a, const TGrafiekSerie& b);
bool operator==(const TGrafiekAs& a, const TGrafiekAs& b);
bool operator==(const TGrafiek& a, const TGrafiek& b);

} // namespace korvalinde
