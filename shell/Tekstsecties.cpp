#include "Tekstsecties.h"

#include <QLabel>
#include <QVBoxLayout>

namespace korvalinde {

TekstSectie VoegSectieToe(QVBoxLayout* indeling, const QString& kop, const QString& tekst, int kopPixels,
                          int tekstPixels, bool kopCursief) {
    auto* lblKop = new QLabel(kop);
    lblKop->setTextFormat(Qt::PlainText);
    QFont kopFont = lblKop->font();
    kopFont.setPixelSize(kopPixels);
    kopFont.setBold(true);
    kopFont.setItalic(kopCursief);
    lblKop->setFont(kopFont);

    auto* lblTekst = new QLabel(tekst);
    lblTekst->setTextFormat(Qt::PlainText);
    lblTekst->setWordWrap(true);
    lblTekst->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont tekstFont = lblTekst->font();
    tekstFont.setPixelSize(tekstPixels);
    lblTekst->setFont(tekstFont);

    indeling->addWidget(lblKop);
    indeling->addWidget(lblTekst);
    return {lblKop, lblTekst};
}

void MaakGeel(QWidget* widget) {
    QPalette palet = widget->palette();
    palet.setColor(QPalette::Window, TekstAchtergrond);
    palet.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(palet);
    widget->setAutoFillBackground(true);
}

} // namespace korvalinde
