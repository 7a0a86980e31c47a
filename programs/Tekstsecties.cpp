#include "programs/Tekstsecties.h"

#include "components/Infovenster.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvalinde {

void MaakGeel(QWidget* widget) {
    QPalette palet = widget->palette();
    palet.setColor(QPalette::Window, TekstAchtergrond);
    palet.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(palet);
    widget->setAutoFillBackground(true);
}

TTekstVenster::TTekstVenster(const QString& naam, const QString& titel, QSize maat, QWidget* parent)
    : QDialog(parent) {
    setObjectName(naam);
    setWindowTitle(titel);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(maat);
    QFont venster = font();
    venster.setPixelSize(13);
    setFont(venster);
}

void TTekstVenster::VoegSectieToe(QVBoxLayout* indeling, const TTekstSectie& sectie, int kopPixels,
                                  int tekstPixels, bool kopCursief) {
    const int nummer = static_cast<int>(Koppen.size()) + 1;

    auto* kop = new QLabel(QString::fromUtf8(sectie.kop));
    kop->setObjectName(QStringLiteral("LblKop%1").arg(nummer));
    kop->setTextFormat(Qt::PlainText);
    QFont kopFont = kop->font();
    kopFont.setPixelSize(kopPixels);
    kopFont.setBold(true);
    kopFont.setItalic(kopCursief);
    kop->setFont(kopFont);

    auto* tekst = new QLabel(QString::fromUtf8(sectie.tekst));
    tekst->setObjectName(QStringLiteral("LblTekst%1").arg(nummer));
    tekst->setTextFormat(Qt::PlainText);
    tekst->setWordWrap(true);
    tekst->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont tekstFont = tekst->font();
    tekstFont.setPixelSize(tekstPixels);
    tekst->setFont(tekstFont);

    indeling->addWidget(kop);
    indeling->addWidget(tekst);
    Koppen.append(kop);
    Teksten.append(tekst);
}

void TTekstVenster::MaakOkKnop(int y) {
    BtnOK = new QPushButton(QStringLiteral("OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setGeometry((width() - 75) / 2, y, 75, 25);
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);
}

void TTekstVenster::Toon() {
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
}

void TTekstVenster::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!gecentreerd_) {
        gecentreerd_ = true;
        ZnCentreerOpScherm(this);
    }
}

} // namespace korvalinde
