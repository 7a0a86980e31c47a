// A widget that shows a chart (core/Grafiek.h), drawn by report/Grafiektekenaar.h at the widget's own
// size and the screen's pixel ratio. Resting the mouse near a point shows its series, x and value as a
// tooltip. The chart can be had as a picture (crisp at any ratio), put on the clipboard or written as PNG.
#pragma once

#include "core/Grafiek.h"

#include <QImage>
#include <QList>
#include <QWidget>

namespace korvalinde {

class TGrafiekvlak : public QWidget {
    Q_OBJECT
  public:
    explicit TGrafiekvlak(QWidget* parent = nullptr);

    void ZetGrafiek(const QList<TGrafiek>& panelen);
    void ZetGrafiek(const TGrafiek& grafiek) { ZetGrafiek(QList<TGrafiek>{grafiek}); }
    void Wis() { ZetGrafiek(QList<TGrafiek>{}); }
    const QList<TGrafiek>& Panelen() const { return m_panelen; }
    bool IsLeeg() const { return m_panelen.isEmpty(); }

    // Panels of a sweep keep at least this height, and the widget grows to hold their legends; 0 (the
    // default) lets the chart take exactly the widget's size.
    void ZetPaneelHoogte(int hoogte);

    // The chart at the widget's size (its size hint when it has none yet) and `verhouding` pixels per
    // pixel; `titel` replaces the first panel's title on the picture only.
    QImage Afbeelding(qreal verhouding = 2, const QString& titel = QString()) const;
    void Kopieren(const QString& titel = QString()) const;
    // Writes the picture as PNG through the safe write; the reason when that failed, else empty.
    QString SchrijfPng(const QString& bestand, const QString& titel = QString()) const;

    // The tooltip text for a position in the widget; empty away from every point.
    QString TipBij(QPointF plek) const;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int breedte) const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    QList<TGrafiek> m_panelen;
    int m_paneelHoogte = 0;
};

} // namespace korvalinde
