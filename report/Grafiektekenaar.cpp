#include "report/Grafiektekenaar.h"

#include "core/Reeks.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvalinde {

namespace {

const QColor AsKleur(96, 96, 96);
const QColor RasterKleur(208, 208, 208);
constexpr double Streepje = 5;        // a tick mark outside the plot
constexpr double KleinStreepje = 3;   // a minor tick mark
constexpr double Lijnstuk = 24;       // a line's piece in the legend
constexpr double LegendaRechts = 190; // width of a legend right of the plot
constexpr double MaxLegendaTekst = 280;

QFont TekstFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    return font;
}

QFont TitelFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setBold(true);
    return font;
}

QColor Kleur(quint32 argb) {
    return QColor::fromRgba(argb);
}

bool HeeftLegenda(const TGrafiek& g) {
    return std::any_of(g.series.begin(), g.series.end(), [](const TGrafiekSerie& s) { return s.inLegenda; });
}

// One legend entry: where it lies (relative to the legend's top left) and the rectangle of its text.
struct Regel {
    int serie;
    QRectF vak;
    QRectF tekst;
};

QRectF TekstMaat(const QString& tekst, double breedte) {
    const QFontMetricsF maat(TekstFont());
    return maat.boundingRect(QRectF(0, 0, breedte, 10000), Qt::TextWordWrap | Qt::AlignLeft, tekst);
}

// The entries flow from left to right and wrap to a next row; a text too long for its room wraps in
// its own entry instead of being cut.
QList<Regel> LegendaRegels(const TGrafiek& g, double breedte, bool kolom) {
    QList<Regel> regels;
    const double tekstBreedte = std::max(40.0, std::min(MaxLegendaTekst, breedte - Lijnstuk - 8));
    double x = 0, y = 0, rijHoogte = 0;
    for (int i = 0; i < g.series.size(); ++i) {
        const TGrafiekSerie& s = g.series[i];
        if (!s.inLegenda) continue;
        const QRectF tekst = TekstMaat(s.titel, tekstBreedte);
        const double w = Lijnstuk + 6 + tekst.width() + 14;
        const double h = std::max(16.0, tekst.height() + 4);
        if (x > 0 && (kolom || x + w > breedte)) {
            x = 0;
            y += rijHoogte;
            rijHoogte = 0;
        }
        const QRectF vak(x, y, w, h);
        regels.append({i, vak, QRectF(x + Lijnstuk + 6, y + 2, tekst.width() + 1, tekst.height())});
        x += w;
        rijHoogte = std::max(rijHoogte, h);
    }
    return regels;
}

double LegendaHoogte(const TGrafiek& g, double breedte) {
    if (g.legenda != TLegendaPlaats::Onder || !HeeftLegenda(g)) return 0;
    double hoogte = 0;
    for (const Regel& r : LegendaRegels(g, breedte - 60, false)) hoogte = std::max(hoogte, r.vak.bottom());
    return hoogte + 8;
}

struct Bereik {
    double laag, hoog;
};

Bereik AsBereik(const TGrafiekAs& as, const TGrafiek& g, bool x) {
    double laag = std::numeric_limits<double>::max(), hoog = std::numeric_limits<double>::lowest();
    for (const TGrafiekSerie& s : g.series)
        for (const QList<QPointF>* punten : {&s.punten, &s.onderrand})
            for (const QPointF& p : *punten) {
                const double w = x ? p.x() : p.y();
                if (!std::isfinite(w)) continue;
                laag = std::min(laag, w);
                hoog = std::max(hoog, w);
            }
    if (laag > hoog) laag = hoog = 0;
    Bereik b{as.automatischMinimum ? laag : as.minimum, as.automatischMaximum ? hoog : as.maximum};
    // An axis of no length (no results yet) shows one step from its minimum.
    if (!(b.hoog > b.laag)) b.hoog = b.laag + (as.stap > 0 ? as.stap : 1);
    return b;
}

// How many steps of the axis one label spans so that at most `labels` labels fit: 1, 2, 5, 10, 20...
int LabelVeelvoud(double laag, double hoog, double stap, double labels) {
    const double stappen = (hoog - laag) / stap;
    for (int veelvoud = 1;; veelvoud *= 10)
        for (int k : {1, 2, 5})
            if (stappen / (k * veelvoud) + 1 <= labels || k * veelvoud >= 1000000) return k * veelvoud;
}

struct Streepjes {
    QList<double> groot; // labelled, with a grid line
    QList<double> klein; // marks on the axis only
    double stap = 1;
};

Streepjes MaakStreepjes(const TGrafiekAs& as, double laag, double hoog, double ruimte, double labelMaat) {
    Streepjes s;
    const double stap = as.stap > 0 ? as.stap : 1;
    const int veelvoud = LabelVeelvoud(laag, hoog, stap, std::max(2.0, ruimte / labelMaat));
    s.stap = stap * veelvoud;
    const double eps = s.stap * 1e-9;
    const double eerste = std::ceil((laag - eps) / s.stap) * s.stap;
    for (double w = eerste; w <= hoog + eps && s.groot.size() < 2000; w += s.stap)
        s.groot.append(std::abs(w) < eps ? 0 : w);
    const int tussen = veelvoud > 1 ? veelvoud - 1 : std::max(0, as.tussenstreepjes);
    if (tussen > 0) {
        const double klein = s.stap / (tussen + 1);
        for (double w = eerste - s.stap; w <= hoog + eps && s.klein.size() < 20000; w += klein)
            if (w >= laag - eps) s.klein.append(w);
    }
    return s;
}

double Decimalen(double stap) {
    return stap >= 1 || stap <= 0 ? 0 : std::min(6.0, std::ceil(-std::log10(stap) - 1e-9));
}

// A value on an axis as its label: a date for an axis of days of the year, else the number with the
// decimals of the axis's step.
QString AsGetal(const TGrafiekAs& as, double waarde) {
    if (as.dagen && std::isfinite(waarde)) return DagMaandTekst(static_cast<int>(std::lround(waarde)));
    return GrafiekGetal(waarde, as.stap);
}

// A value on the vertical axis: the name of its place on an axis of named places (none between
// them), else the number with the decimals of `stap`.
QString YGetal(const TGrafiekAs& as, double waarde, double stap) {
    if (as.namen.isEmpty()) return GrafiekGetal(waarde, stap);
    const long long plek = std::llround(waarde);
    if (std::abs(waarde - static_cast<double>(plek)) > 1e-6 || plek < 0 || plek >= as.namen.size())
        return QString();
    return as.namen[static_cast<qsizetype>(plek)];
}

constexpr double MaxNaamBreedte = 260; // the names of a named axis, longer ones cut off

struct PaneelMaat {
    TGrafiekIndeling::Paneel p;
    Streepjes x, y;
    QList<Regel> legenda;
    QPointF legendaPlek;
};

// The panel's title wraps over as many lines as the panel's width needs; its height from the top.
QRectF TitelVak(const TGrafiek& g, const QRectF& vak) {
    if (g.titel.isEmpty()) return QRectF(vak.left(), vak.top(), vak.width(), 14);
    const QRectF breed(vak.left() + 8, vak.top() + 6, std::max(10.0, vak.width() - 16), 1e6);
    const QRectF nodig =
        QFontMetricsF(TitelFont()).boundingRect(breed, Qt::AlignHCenter | Qt::TextWordWrap, g.titel);
    return QRectF(breed.left(), breed.top(), breed.width(), std::max(22.0, nodig.height() + 2));
}

PaneelMaat MeetPaneel(const TGrafiek& g, const QRectF& vak) {
    PaneelMaat m;
    m.p.vak = vak;
    const QFontMetricsF maat(TekstFont());
    const Bereik xb = AsBereik(g.xAs, g, true);
    const Bereik yb = AsBereik(g.yAs, g, false);
    m.p.xLaag = xb.laag;
    m.p.xHoog = xb.hoog;
    m.p.yLaag = yb.laag;
    m.p.yHoog = yb.hoog;

    const double boven = TitelVak(g, vak).bottom() + (g.titel.isEmpty() ? 6 : 2);
    double onder = vak.bottom() - 8 - (maat.height() + Streepje + 4);
    if (!g.xAs.titel.isEmpty()) onder -= maat.height() + 4;
    double rechts = vak.right() - 16;
    const bool legenda = HeeftLegenda(g);
    if (legenda && g.legenda == TLegendaPlaats::Onder) {
        onder -= LegendaHoogte(g, vak.width());
    } else if (legenda) {
        const double breedte = std::min(LegendaRechts, vak.width() * 0.35);
        rechts = vak.right() - breedte - 8;
        m.legenda = LegendaRegels(g, breedte, true);
        m.legendaPlek = QPointF(rechts + 12, boven);
    }
    // Room for the value labels: as wide as the widest of the ends of the axis.
    const double dec = Decimalen(g.yAs.stap > 0 ? g.yAs.stap : 1);
    double labelBreedte = 0;
    for (double w : {yb.laag, yb.hoog, (yb.laag + yb.hoog) / 2})
        labelBreedte = std::max(labelBreedte, maat.horizontalAdvance(GrafiekGetal(w, std::pow(10.0, -dec))));
    if (!g.yAs.namen.isEmpty()) {
        labelBreedte = 0;
        for (const QString& naam : g.yAs.namen)
            labelBreedte = std::max(labelBreedte, std::min(MaxNaamBreedte, maat.horizontalAdvance(naam)));
    }
    double links = vak.left() + 8 + labelBreedte + Streepje + 4;
    if (!g.yAs.titel.isEmpty()) links += maat.height() + 6;
    m.p.plot =
        QRectF(QPointF(links, boven), QPointF(std::max(links + 10, rechts), std::max(boven + 10, onder)));

    // Every named place keeps its name as long as the lines fit.
    m.y = MaakStreepjes(g.yAs, yb.laag, yb.hoog, m.p.plot.height(),
                        maat.height() + (g.yAs.namen.isEmpty() ? 8 : 1));
    double xLabel = 0;
    for (double w : {xb.laag, xb.hoog}) xLabel = std::max(xLabel, maat.horizontalAdvance(AsGetal(g.xAs, w)));
    m.x = MaakStreepjes(g.xAs, xb.laag, xb.hoog, m.p.plot.width(), xLabel + 12);
    m.p.xStap = m.x.stap;
    m.p.yStap = m.y.stap;
    if (legenda && g.legenda == TLegendaPlaats::Onder) {
        m.legenda = LegendaRegels(g, vak.width() - 60, false);
        double breedte = 0;
        for (const Regel& r : m.legenda) breedte = std::max(breedte, r.vak.right());
        m.legendaPlek = QPointF(std::max(vak.left() + 8, vak.center().x() - breedte / 2),
                                vak.bottom() - LegendaHoogte(g, vak.width()));
    }
    return m;
}

QList<PaneelMaat> Meet(const QList<TGrafiek>& panelen, const QRectF& vak) {
    QList<PaneelMaat> maten;
    if (panelen.isEmpty()) return maten;
    double legendas = 0;
    for (const TGrafiek& g : panelen) legendas += LegendaHoogte(g, vak.width());
    const double elk = std::max(0.0, vak.height() - legendas) / static_cast<double>(panelen.size());
    double y = vak.top();
    for (const TGrafiek& g : panelen) {
        const double h = elk + LegendaHoogte(g, vak.width());
        maten.append(MeetPaneel(g, QRectF(vak.left(), y, vak.width(), h)));
        y += h;
    }
    return maten;
}

QPen LijnPen(const TGrafiekSerie& s) {
    QPen pen(Kleur(s.kleur), std::max(1, s.lijnDikte), s.lijnStijl);
    pen.setCapStyle(s.lijnStijl == Qt::SolidLine ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void TekenSerie(QPainter& p, const TGrafiekSerie& s, const TGrafiekIndeling::Paneel& paneel) {
    if (s.punten.isEmpty()) return;
    if (s.soort == TSerieSoort::Vlak) {
        QPolygonF vlak;
        for (const QPointF& punt : s.punten) vlak << paneel.Plek(punt);
        for (qsizetype i = s.punten.size() - 1; i >= 0; --i)
            vlak << paneel.Plek(i < s.onderrand.size() ? s.onderrand[i] : QPointF(s.punten[i].x(), 0));
        p.setPen(QPen(Kleur(s.kleur), 1));
        p.setBrush(Kleur(s.kleur));
        p.drawPolygon(vlak);
        return;
    }
    QPainterPath pad;
    bool bezig = false;
    for (const QPointF& punt : s.punten) {
        if (!std::isfinite(punt.y())) {
            bezig = false;
            continue;
        }
        if (bezig)
            pad.lineTo(paneel.Plek(punt));
        else
            pad.moveTo(paneel.Plek(punt));
        bezig = true;
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(LijnPen(s));
    p.drawPath(pad);
    if (!s.puntjes) return;
    p.setPen(Qt::NoPen);
    p.setBrush(Kleur(s.kleur));
    for (const QPointF& punt : s.punten)
        if (std::isfinite(punt.y())) p.drawEllipse(paneel.Plek(punt), 3, 3);
}

void TekenAssen(QPainter& p, const TGrafiek& g, const PaneelMaat& m) {
    const QRectF& plot = m.p.plot;
    const QFontMetricsF maat(TekstFont());
    p.setFont(TekstFont());
    const double yDec = std::pow(10.0, -Decimalen(g.yAs.stap > 0 ? g.yAs.stap : 1));
    p.setPen(QPen(AsKleur, 1));
    p.drawLine(plot.bottomLeft(), plot.topLeft());
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    for (double w : m.y.klein) {
        const double y = m.p.Plek({m.p.xLaag, w}).y();
        p.drawLine(QPointF(plot.left() - KleinStreepje, y), QPointF(plot.left(), y));
    }
    for (double w : m.x.klein) {
        const double x = m.p.Plek({w, m.p.yLaag}).x();
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + KleinStreepje));
    }
    for (double w : m.y.groot) {
        const double y = m.p.Plek({m.p.xLaag, w}).y();
        p.setPen(QPen(AsKleur, 1));
        p.drawLine(QPointF(plot.left() - Streepje, y), QPointF(plot.left(), y));
        p.setPen(Qt::black);
        p.drawText(QRectF(m.p.vak.left(), y - maat.height() / 2, plot.left() - Streepje - 3 - m.p.vak.left(),
                          maat.height()),
                   Qt::AlignRight | Qt::AlignVCenter,
                   maat.elidedText(YGetal(g.yAs, w, yDec), Qt::ElideRight, MaxNaamBreedte));
    }
    for (double w : m.x.groot) {
        const double x = m.p.Plek({w, m.p.yLaag}).x();
        p.setPen(QPen(AsKleur, 1));
        p.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + Streepje));
        p.setPen(Qt::black);
        p.drawText(QRectF(x - 60, plot.bottom() + Streepje + 2, 120, maat.height()),
                   Qt::AlignHCenter | Qt::AlignTop, AsGetal(g.xAs, w));
    }
    p.setPen(Qt::black);
    if (!g.xAs.titel.isEmpty())
        p.drawText(QRectF(plot.left(), plot.bottom() + Streepje + 4 + maat.height(), plot.width(),
                          maat.height() + 2),
                   Qt::AlignHCenter | Qt::AlignTop, g.xAs.titel);
    if (!g.yAs.titel.isEmpty()) {
        p.save();
        p.translate(m.p.vak.left() + 6, plot.center().y());
        p.rotate(-90);
        p.drawText(QRectF(-plot.height() / 2, 0, plot.height(), maat.height() + 2),
                   Qt::AlignHCenter | Qt::AlignTop, g.yAs.titel);
        p.restore();
    }
}

void TekenLegenda(QPainter& p, const TGrafiek& g, const PaneelMaat& m) {
    p.setFont(TekstFont());
    for (const Regel& r : m.legenda) {
        const TGrafiekSerie& s = g.series[r.serie];
        const QRectF vak = r.vak.translated(m.legendaPlek);
        const double midden = vak.top() + 2 + QFontMetricsF(TekstFont()).height() / 2;
        if (s.soort == TSerieSoort::Vlak) {
            p.setPen(QPen(AsKleur, 1));
            p.setBrush(Kleur(s.kleur));
            p.drawRect(QRectF(vak.left() + 6, midden - 6, 12, 12));
        } else {
            QPen pen = LijnPen(s);
            // The dashes start half-way, so that the piece shows a gap between two dashes.
            if (s.lijnStijl == Qt::DashLine) pen.setDashOffset(3);
            p.setPen(pen);
            p.drawLine(QPointF(vak.left(), midden), QPointF(vak.left() + Lijnstuk, midden));
        }
        p.setPen(Qt::black);
        p.drawText(r.tekst.translated(m.legendaPlek), Qt::TextWordWrap | Qt::AlignLeft, s.titel);
    }
}

} // namespace

QPointF TGrafiekIndeling::Paneel::Plek(QPointF punt) const {
    return {plot.left() + (punt.x() - xLaag) / (xHoog - xLaag) * plot.width(),
            plot.bottom() - (punt.y() - yLaag) / (yHoog - yLaag) * plot.height()};
}

QString GrafiekGetal(double waarde, double stap) {
    if (!std::isfinite(waarde)) return QString();
    if (stap > 0) {
        const int dec = static_cast<int>(Decimalen(stap));
        if (std::abs(waarde) < 0.5 * std::pow(10.0, -dec)) waarde = 0; // never "-0"
        return QLocale::c().toString(waarde, 'f', dec);
    }
    if (std::abs(waarde) < 1e-12) waarde = 0;
    QString tekst = QLocale::c().toString(waarde, 'f', 6);
    while (tekst.contains(QLatin1Char('.')) &&
           (tekst.endsWith(QLatin1Char('0')) || tekst.endsWith(QLatin1Char('.'))))
        tekst.chop(1);
    return tekst == QLatin1String("-0") ? QStringLiteral("0") : tekst;
}

TGrafiekIndeling DeelIn(const QList<TGrafiek>& panelen, const QRectF& vak) {
    TGrafiekIndeling indeling;
    for (const PaneelMaat& m : Meet(panelen, vak)) indeling.panelen.append(m.p);
    return indeling;
}

void TekenGrafiek(QPainter& p, const QList<TGrafiek>& panelen, const QRectF& vak) {
    p.save();
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.fillRect(vak, Qt::white);
    const QList<PaneelMaat> maten = Meet(panelen, vak);
    for (qsizetype i = 0; i < panelen.size(); ++i) {
        const TGrafiek& g = panelen[i];
        const PaneelMaat& m = maten[i];
        if (!g.titel.isEmpty()) {
            p.setFont(TitelFont());
            p.setPen(Qt::black);
            p.drawText(TitelVak(g, m.p.vak), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, g.titel);
        }
        p.setPen(QPen(RasterKleur, 1));
        for (double w : m.y.groot) {
            const double y = m.p.Plek({m.p.xLaag, w}).y();
            p.drawLine(QPointF(m.p.plot.left(), y), QPointF(m.p.plot.right(), y));
        }
        for (double w : m.x.groot) {
            const double x = m.p.Plek({w, m.p.yLaag}).x();
            p.drawLine(QPointF(x, m.p.plot.top()), QPointF(x, m.p.plot.bottom()));
        }
        p.save();
        p.setClipRect(m.p.plot.adjusted(-4, -4, 4, 4));
        for (const TGrafiekSerie& s : g.series) TekenSerie(p, s, m.p);
        p.restore();
        TekenAssen(p, g, m);
        TekenLegenda(p, g, m);
    }
    p.restore();
}

int GrafiekHoogte(const QList<TGrafiek>& panelen, int breedte, int paneelHoogte) {
    double hoogte = 0;
    for (const TGrafiek& g : panelen) hoogte += paneelHoogte + LegendaHoogte(g, breedte);
    return static_cast<int>(std::ceil(hoogte));
}

QImage GrafiekAfbeelding(const QList<TGrafiek>& panelen, QSize maat, qreal verhouding) {
    if (maat.isEmpty() || verhouding <= 0) return QImage();
    QImage beeld((QSizeF(maat) * verhouding).toSize(), QImage::Format_RGB32);
    beeld.setDevicePixelRatio(verhouding);
    beeld.fill(Qt::white);
    QPainter schilder(&beeld);
    TekenGrafiek(schilder, panelen, QRectF(QPointF(0, 0), QSizeF(maat)));
    return beeld;
}

TGrafiekTreffer DichtstePunt(const QList<TGrafiek>& panelen, const TGrafiekIndeling& indeling, QPointF plek,
                             double straal) {
    TGrafiekTreffer treffer;
    double beste = straal * straal;
    for (int i = 0; i < panelen.size() && i < indeling.panelen.size(); ++i) {
        const auto& paneel = indeling.panelen[i];
        if (!paneel.plot.adjusted(-straal, -straal, straal, straal).contains(plek)) continue;
        for (int s = 0; s < panelen[i].series.size(); ++s) {
            const TGrafiekSerie& serie = panelen[i].series[s];
            if (serie.titel.isEmpty()) continue; // the zero line
            for (int k = 0; k < serie.punten.size(); ++k) {
                if (!std::isfinite(serie.punten[k].y())) continue;
                const QPointF d = paneel.Plek(serie.punten[k]) - plek;
                const double afstand = QPointF::dotProduct(d, d);
                if (afstand <= beste) {
                    beste = afstand;
                    treffer = {i, s, k};
                }
            }
        }
    }
    return treffer;
}

QString TrefferTekst(const QList<TGrafiek>& panelen, const TGrafiekTreffer& t) {
    if (t.paneel < 0 || t.paneel >= panelen.size()) return QString();
    const TGrafiek& g = panelen[t.paneel];
    const TGrafiekSerie& s = g.series.value(t.serie);
    const QPointF punt = s.punten.value(t.punt);
    const auto regel = [](const QString& titel, const QString& getal) {
        return titel.isEmpty() ? getal : titel + QStringLiteral(": ") + getal;
    };
    QStringList regels;
    if (!s.titel.isEmpty()) regels << s.titel;
    regels << regel(g.xAs.titel, g.xAs.dagen ? AsGetal(g.xAs, punt.x()) : GrafiekGetal(punt.x()));
    // On an axis of named places (a bar's edge lies within half a place of it) the place's name.
    if (!g.yAs.namen.isEmpty())
        regels.prepend(YGetal(g.yAs, std::round(punt.y()), 0));
    else
        regels << regel(g.yAs.titel.isEmpty() ? g.titel : g.yAs.titel, GrafiekGetal(punt.y()));
    return regels.join(QLatin1Char('\n'));
}

QSizeF SchaalNaarSchermmaat(QPainter& schilder, const QPaintDevice& apparaat) {
    const double schaal = apparaat.logicalDpiX() / 96.0;
    if (schaal > 0) schilder.scale(schaal, apparaat.logicalDpiY() / 96.0);
    return {apparaat.width() / schaal, apparaat.height() / (apparaat.logicalDpiY() / 96.0)};
}

} // namespace korvalinde
