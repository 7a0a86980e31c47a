#include "report/Reeksgrafiek.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvalinde {

namespace {

// The line colours of the chart page, in the order the page uses them, then a few more.
const QColor Kleuren[] = {QColor(0, 0, 128),   QColor(0, 128, 0), QColor(0, 255, 255), QColor(128, 64, 0),
                          QColor(128, 0, 128), QColor(255, 0, 0), QColor(128, 128, 0), QColor(0, 128, 128)};

// A step of 1, 2 or 5 times a power of ten that gives about `streepjes` divisions of the span.
double MooieStap(double spanwijdte, int streepjes) {
    if (!(spanwijdte > 0)) return 1;
    const double ruw = spanwijdte / streepjes;
    const double macht = std::pow(10.0, std::floor(std::log10(ruw)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (ruw <= f * macht) return f * macht;
    return 10 * macht;
}

QString AsTekst(double waarde, double stap) {
    const int decimalen = stap >= 1 ? 0 : std::min(6, static_cast<int>(std::ceil(-std::log10(stap) - 1e-9)));
    if (std::abs(waarde) < stap * 1e-6) waarde = 0; // never "-0"
    return QString::number(waarde, 'f', decimalen);
}

struct Bereik {
    double laag = 0, hoog = 0, stap = 1;
};

Bereik AsBereik(double laag, double hoog) {
    if (!(hoog > laag)) {
        laag -= 1;
        hoog += 1;
    }
    Bereik b;
    b.stap = MooieStap(hoog - laag, 5);
    b.laag = std::floor(laag / b.stap) * b.stap;
    b.hoog = std::ceil(hoog / b.stap) * b.stap;
    return b;
}

} // namespace

QImage TekenReeksgrafiek(const TReeksgrafiek& g, int breedte, int paneelHoogte) {
    const int panelen = std::max<int>(1, static_cast<int>(g.panelen.size()));
    QImage beeld(breedte, paneelHoogte * panelen, QImage::Format_RGB32);
    beeld.fill(Qt::white);
    QPainter p(&beeld);
    p.setRenderHint(QPainter::Antialiasing);
    QFont tekst(QStringLiteral("Arial"));
    tekst.setPixelSize(12);
    QFont titel = tekst;
    titel.setBold(true);
    titel.setPixelSize(13);
    const QFontMetrics maat(tekst);

    double xLaag = std::numeric_limits<double>::max(), xHoog = std::numeric_limits<double>::lowest();
    for (double x : g.x) {
        xLaag = std::min(xLaag, x);
        xHoog = std::max(xHoog, x);
    }
    if (g.x.isEmpty()) xLaag = xHoog = 0;
    const Bereik xb = AsBereik(xLaag, xHoog);
    const bool legenda = g.lijnNamen.size() > 1;

    for (int i = 0; i < g.panelen.size(); ++i) {
        const TReeksgrafiek::Paneel& paneel = g.panelen[i];
        const QRect vak(0, i * paneelHoogte, breedte, paneelHoogte);
        // Plot area: room for the value labels and title on the left, the legend on the right.
        const int links = 70, boven = 30, onder = 50;
        const int rechts = legenda ? 170 : 20;
        const QRect plot(vak.left() + links, vak.top() + boven, vak.width() - links - rechts,
                         vak.height() - boven - onder);

        double yLaag = std::numeric_limits<double>::max(), yHoog = std::numeric_limits<double>::lowest();
        for (const auto& lijn : paneel.lijnen)
            for (double y : lijn)
                if (std::isfinite(y)) {
                    yLaag = std::min(yLaag, y);
                    yHoog = std::max(yHoog, y);
                }
        if (yLaag > yHoog) yLaag = yHoog = 0;
        const Bereik yb = AsBereik(yLaag, yHoog);
        const auto px = [&](double x) {
            return plot.left() + (x - xb.laag) / (xb.hoog - xb.laag) * plot.width();
        };
        const auto py = [&](double y) {
            return plot.bottom() - (y - yb.laag) / (yb.hoog - yb.laag) * plot.height();
        };

        p.setFont(titel);
        p.setPen(Qt::black);
        p.drawText(QRect(vak.left(), vak.top() + 6, vak.width(), 20), Qt::AlignHCenter, paneel.titel);

        // Grid: dashed light lines at every step, both ways; axes in black.
        p.setFont(tekst);
        QPen raster(QColor(200, 200, 200), 1, Qt::DashLine);
        for (double y = yb.laag; y <= yb.hoog + yb.stap * 1e-6; y += yb.stap) {
            p.setPen(raster);
            p.drawLine(QPointF(plot.left(), py(y)), QPointF(plot.right(), py(y)));
            p.setPen(Qt::black);
            p.drawText(QRectF(vak.left(), py(y) - 8, links - 6, 16), Qt::AlignRight | Qt::AlignVCenter,
                       AsTekst(y, yb.stap));
        }
        for (double x = xb.laag; x <= xb.hoog + xb.stap * 1e-6; x += xb.stap) {
            p.setPen(raster);
            p.drawLine(QPointF(px(x), plot.top()), QPointF(px(x), plot.bottom()));
            p.setPen(Qt::black);
            p.drawText(QRectF(px(x) - 40, plot.bottom() + 4, 80, 16), Qt::AlignHCenter | Qt::AlignTop,
                       AsTekst(x, xb.stap));
        }
        p.setPen(QPen(Qt::black, 1));
        p.drawRect(plot);
        p.drawText(QRect(plot.left(), plot.bottom() + 24, plot.width(), 18), Qt::AlignHCenter, g.xTitel);

        for (int l = 0; l < paneel.lijnen.size(); ++l) {
            const QColor kleur = Kleuren[l % static_cast<int>(std::size(Kleuren))];
            QPainterPath pad;
            bool bezig = false;
            const auto& lijn = paneel.lijnen[l];
            for (int k = 0; k < lijn.size() && k < g.x.size(); ++k) {
                if (!std::isfinite(lijn[k])) {
                    bezig = false;
                    continue;
                }
                const QPointF punt(px(g.x[k]), py(lijn[k]));
                if (bezig)
                    pad.lineTo(punt);
                else
                    pad.moveTo(punt);
                bezig = true;
                p.setPen(Qt::NoPen);
                p.setBrush(kleur);
                p.drawEllipse(punt, 3, 3);
            }
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(kleur, 2));
            p.drawPath(pad);
            if (legenda) {
                const int ly = plot.top() + 6 + l * 18;
                p.drawLine(plot.right() + 12, ly + 8, plot.right() + 32, ly + 8);
                p.setPen(Qt::black);
                p.drawText(QRect(plot.right() + 38, ly, rechts - 40, 16), Qt::AlignLeft | Qt::AlignVCenter,
                           maat.elidedText(g.lijnNamen.value(l), Qt::ElideRight, rechts - 40));
            }
        }
    }
    return beeld;
}

} // namespace korvalinde
