#include "components/Grafiekvlak.h"

#include "core/Bestandspad.h"
#include "domain/Bestand.h"
#include "report/Grafiektekenaar.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace korvalinde {

TGrafiekvlak::TGrafiekvlak(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void TGrafiekvlak::ZetGrafiek(const QList<TGrafiek>& panelen) {
    m_panelen = panelen;
    if (m_paneelHoogte > 0) updateGeometry();
    update();
}

void TGrafiekvlak::ZetPaneelHoogte(int hoogte) {
    m_paneelHoogte = hoogte;
    QSizePolicy beleid = sizePolicy();
    beleid.setHeightForWidth(hoogte > 0);
    setSizePolicy(beleid);
    updateGeometry();
}

QSize TGrafiekvlak::sizeHint() const {
    if (m_paneelHoogte <= 0) return {745, 481};
    return {900, heightForWidth(900)};
}

bool TGrafiekvlak::hasHeightForWidth() const {
    return m_paneelHoogte > 0;
}

int TGrafiekvlak::heightForWidth(int breedte) const {
    if (m_paneelHoogte <= 0) return -1;
    return std::max(m_paneelHoogte, GrafiekHoogte(m_panelen, breedte, m_paneelHoogte));
}

void TGrafiekvlak::paintEvent(QPaintEvent*) {
    QPainter schilder(this);
    schilder.fillRect(rect(), Qt::white);
    TekenGrafiek(schilder, m_panelen, QRectF(rect()));
}

bool TGrafiekvlak::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* hulp = static_cast<QHelpEvent*>(event);
        const QString tip = TipBij(hulp->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(hulp->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(event);
}

QString TGrafiekvlak::TipBij(QPointF plek) const {
    const TGrafiekIndeling indeling = DeelIn(m_panelen, QRectF(rect()));
    return TrefferTekst(m_panelen, DichtstePunt(m_panelen, indeling, plek));
}

QImage TGrafiekvlak::Afbeelding(qreal verhouding, const QString& titel) const {
    if (m_panelen.isEmpty()) return QImage();
    // A widget never laid out has no size of its own yet.
    QSize maat = testAttribute(Qt::WA_Resized) ? size() : sizeHint();
    if (m_paneelHoogte > 0) maat.setHeight(heightForWidth(maat.width()));
    QList<TGrafiek> panelen = m_panelen;
    if (!titel.isEmpty()) panelen.first().titel = titel;
    return GrafiekAfbeelding(panelen, maat, verhouding);
}

void TGrafiekvlak::Kopieren(const QString& titel) const {
    const QImage beeld = Afbeelding(2, titel);
    if (QClipboard* klembord = QGuiApplication::clipboard(); klembord && !beeld.isNull())
        klembord->setImage(beeld);
}

QString TGrafiekvlak::SchrijfPng(const QString& bestand, const QString& titel) const {
    // Made in memory and written as a whole next to the target before it takes its place, so a failed
    // save never leaves half a picture behind.
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    const QImage beeld = Afbeelding(2, titel);
    if (beeld.isNull() || !beeld.save(&png, "PNG"))
        return QStringLiteral("De afbeelding kon niet gemaakt worden");
    return QString::fromStdString(
        SchrijfBestand(DomeinPad(bestand), std::string_view(png.data().constData(),
                                                            static_cast<std::size_t>(png.data().size()))));
}

} // namespace korvalinde
