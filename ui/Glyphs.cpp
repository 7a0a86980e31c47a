#include "ui/Glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace korvalinde {

namespace {

const QColor Omtrek(70, 70, 70);
const QColor Papier(255, 255, 255);
const QColor Vouw(214, 214, 214);
const QColor Regel(150, 160, 175);

// A sheet with its top-right corner folded over, in the rectangle (x, y, b, h).
void Blad(QPainter& p, qreal x, qreal y, qreal b, qreal h, qreal vouw) {
    QPainterPath blad;
    blad.moveTo(x, y);
    blad.lineTo(x + b - vouw, y);
    blad.lineTo(x + b, y + vouw);
    blad.lineTo(x + b, y + h);
    blad.lineTo(x, y + h);
    blad.closeSubpath();
    p.setPen(QPen(Omtrek, 1.0));
    p.setBrush(Papier);
    p.drawPath(blad);
    QPainterPath hoek;
    hoek.moveTo(x + b - vouw, y);
    hoek.lineTo(x + b - vouw, y + vouw);
    hoek.lineTo(x + b, y + vouw);
    hoek.closeSubpath();
    p.setBrush(Vouw);
    p.drawPath(hoek);
}

void Regels(QPainter& p, qreal x1, qreal x2, qreal y, int aantal, qreal afstand) {
    p.setPen(QPen(Regel, 1.0));
    for (int i = 0; i < aantal; ++i) p.drawLine(QPointF(x1, y + i * afstand), QPointF(x2, y + i * afstand));
}

void Nieuw(QPainter& p) {
    Blad(p, 4.5, 1.5, 11, 17, 4);
}

void Openen(QPainter& p) {
    // Back of the folder with its tab.
    QPainterPath achter;
    achter.moveTo(1.5, 4.5);
    achter.lineTo(7, 4.5);
    achter.lineTo(8.5, 6);
    achter.lineTo(16.5, 6);
    achter.lineTo(16.5, 16.5);
    achter.lineTo(1.5, 16.5);
    achter.closeSubpath();
    p.setPen(QPen(QColor(150, 110, 20), 1.0));
    p.setBrush(QColor(222, 172, 52));
    p.drawPath(achter);
    // A sheet sticking out.
    p.setPen(QPen(Omtrek, 1.0));
    p.setBrush(Papier);
    p.drawRect(QRectF(4.5, 3.5, 10, 8));
    // The front flap, opened towards the viewer.
    QPainterPath voor;
    voor.moveTo(1.5, 16.5);
    voor.lineTo(4.5, 9.5);
    voor.lineTo(19, 9.5);
    voor.lineTo(16.5, 16.5);
    voor.closeSubpath();
    p.setPen(QPen(QColor(150, 110, 20), 1.0));
    p.setBrush(QColor(250, 208, 96));
    p.drawPath(voor);
}

void Opslaan(QPainter& p) {
    QPainterPath schijf;
    schijf.moveTo(2.5, 2.5);
    schijf.lineTo(15, 2.5);
    schijf.lineTo(17.5, 5);
    schijf.lineTo(17.5, 17.5);
    schijf.lineTo(2.5, 17.5);
    schijf.closeSubpath();
    p.setPen(QPen(QColor(30, 50, 110), 1.0));
    p.setBrush(QColor(58, 96, 190));
    p.drawPath(schijf);
    // Metal shutter at the top, label at the bottom.
    p.setPen(QPen(QColor(90, 90, 90), 1.0));
    p.setBrush(QColor(200, 205, 212));
    p.drawRect(QRectF(5.5, 2.5, 8, 5));
    p.setBrush(QColor(58, 96, 190));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(10.5, 3.5, 2, 3));
    p.setPen(QPen(QColor(30, 50, 110), 1.0));
    p.setBrush(Papier);
    p.drawRect(QRectF(4.5, 10.5, 11, 7));
    Regels(p, 6, 14, 13, 2, 2.5);
}

void Afdrukvoorbeeld(QPainter& p) {
    Blad(p, 1.5, 1.5, 12, 16, 3.5);
    Regels(p, 3.5, 11, 6.5, 4, 2.5);
    // Magnifying glass over the lower right of the sheet.
    p.setPen(QPen(QColor(60, 60, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15.2, 15.2), QPointF(18.5, 18.5));
    p.setPen(QPen(QColor(60, 60, 60), 1.4));
    p.setBrush(QColor(190, 225, 250, 210));
    p.drawEllipse(QPointF(12.5, 12.5), 4, 4);
}

void Afdrukken(QPainter& p) {
    // Sheet going in at the back.
    p.setPen(QPen(Omtrek, 1.0));
    p.setBrush(Papier);
    p.drawRect(QRectF(5.5, 1.5, 9, 7));
    // Body of the printer.
    p.setPen(QPen(QColor(60, 60, 60), 1.0));
    p.setBrush(QColor(176, 180, 188));
    p.drawRoundedRect(QRectF(1.5, 7.5, 17, 7), 1.5, 1.5);
    p.setBrush(QColor(110, 200, 90));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(15.5, 10), 1, 1);
    // Printed sheet coming out at the front.
    p.setPen(QPen(Omtrek, 1.0));
    p.setBrush(Papier);
    p.drawRect(QRectF(4.5, 12.5, 11, 6));
    Regels(p, 6, 14, 15, 2, 2);
}

void ProduktOndersteuning(QPainter& p) {
    p.setPen(QPen(QColor(20, 70, 150), 1.0));
    p.setBrush(QColor(48, 118, 212));
    p.drawEllipse(QPointF(10, 10), 8.5, 8.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Papier);
    p.drawEllipse(QPointF(10, 5.6), 1.5, 1.5);
    p.drawRoundedRect(QRectF(8.6, 8.2, 2.8, 7.6), 0.8, 0.8);
}

void Handleiding(QPainter& p) {
    // Closed book seen from the front, with its page edges at the right and bottom.
    p.setPen(QPen(QColor(90, 90, 90), 1.0));
    p.setBrush(QColor(245, 240, 225));
    p.drawRect(QRectF(5.5, 3.5, 12, 15));
    p.setPen(QPen(QColor(100, 30, 30), 1.0));
    p.setBrush(QColor(180, 50, 45));
    p.drawRect(QRectF(3.5, 1.5, 12, 15));
    p.setBrush(QColor(140, 35, 32));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(4, 2, 2, 14));
    // Question mark on the cover.
    QFont letter(QStringLiteral("Arial"));
    letter.setPixelSize(11);
    letter.setBold(true);
    p.setFont(letter);
    p.setPen(Papier);
    p.drawText(QRectF(6, 2, 9.5, 14), Qt::AlignCenter, QStringLiteral("?"));
}

} // namespace

QImage TekenGlyph(TGlyph glyph, int pixels) {
    QImage beeld(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    beeld.fill(Qt::transparent);
    QPainter p(&beeld);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(pixels / qreal(GlyphMaat), pixels / qreal(GlyphMaat));
    switch (glyph) {
    case TGlyph::Nieuw:
        Nieuw(p);
        break;
    case TGlyph::Openen:
        Openen(p);
        break;
    case TGlyph::Opslaan:
        Opslaan(p);
        break;
    case TGlyph::Afdrukvoorbeeld:
        Afdrukvoorbeeld(p);
        break;
    case TGlyph::Afdrukken:
        Afdrukken(p);
        break;
    case TGlyph::ProduktOndersteuning:
        ProduktOndersteuning(p);
        break;
    case TGlyph::Handleiding:
        Handleiding(p);
        break;
    }
    return beeld;
}

QIcon KnopGlyph(TGlyph glyph) {
    QIcon icoon;
    for (int schaal : {1, 2}) {
        QPixmap pixmap = QPixmap::fromImage(TekenGlyph(glyph, GlyphMaat * schaal));
        pixmap.setDevicePixelRatio(schaal);
        icoon.addPixmap(pixmap);
    }
    return icoon;
}

} // namespace korvalinde
