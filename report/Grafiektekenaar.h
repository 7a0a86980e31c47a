// Draws charts (core/Grafiek.h) with QPainter at the real size of the target: texts in pixels of the
// painter's coordinates (Arial 12 px axis titles), never a picture scaled afterwards. On the screen the
// painter's coordinates are the widget's, on a picture QImage::setDevicePixelRatio makes them crisp,
// on a printer or PDF SchaalNaarSchermmaat turns them into 1/96 inch.
#pragma once

#include "core/Grafiek.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QSize>

class QPainter;
class QPaintDevice;

namespace korvalinde {

// Where the panels lie in a rectangle: per panel its plot area and the bounds its axes get.
struct TGrafiekIndeling {
    struct Paneel {
        QRectF vak;  // the whole panel
        QRectF plot; // the area inside the axes
        double xLaag = 0, xHoog = 1, yLaag = 0, yHoog = 1;
        // The labelled steps: the axis' step, or a multiple of it where the labels would not fit.
        double xStap = 1, yStap = 1;
        QPointF Plek(QPointF punt) const; // a point of the chart to the painter's coordinates
    };
    QList<Paneel> panelen;
};

// The panels one under the other in `vak`; each panel's legend takes the height it needs, the rest is
// shared out equally.
TGrafiekIndeling DeelIn(const QList<TGrafiek>& panelen, const QRectF& vak);
void TekenGrafiek(QPainter& schilder, const QList<TGrafiek>& panelen, const QRectF& vak);

// The height panels of `paneelHoogte` need at `breedte` with their legends under them.
int GrafiekHoogte(const QList<TGrafiek>& panelen, int breedte, int paneelHoogte);

// The chart as a picture of `maat` (in pixels at ratio 1) at device pixel ratio `verhouding`.
QImage GrafiekAfbeelding(const QList<TGrafiek>& panelen, QSize maat, qreal verhouding = 1);

// The drawn point nearest to `plek` (within `straal` pixels), for the tooltip; its panel, series and
// point index, or panel -1.
struct TGrafiekTreffer {
    int paneel = -1, serie = -1, punt = -1;
};
TGrafiekTreffer DichtstePunt(const QList<TGrafiek>& panelen, const TGrafiekIndeling& indeling, QPointF plek,
                             double straal = 24);
// "12: 1234.5" style text of a hit: the series' title, then the x and y axes' titles with the values.
QString TrefferTekst(const QList<TGrafiek>& panelen, const TGrafiekTreffer& treffer);

// A number as an axis or tooltip shows it: a point, no "-0", no more decimals than needed.
QString GrafiekGetal(double waarde, double stap = 0);

// Makes the painter's unit 1/96 inch on a printer or PDF, so that the chart has the size and text
// sizes it has on a screen of 96 dpi. Returns the target's size in those units.
QSizeF SchaalNaarSchermmaat(QPainter& schilder, const QPaintDevice& apparaat);

} // namespace korvalinde
