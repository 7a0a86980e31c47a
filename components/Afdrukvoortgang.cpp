#include "components/Afdrukvoortgang.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace korvalinde {

TfPrintingQuery::TfPrintingQuery(QWidget* owner)
    // A fixed dialog frame with a title but without the title bar's buttons.
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("fPrintingQuery"));
    setWindowTitle(QStringLiteral("Afdrukken"));

    auto* tekst = new QLabel(QStringLiteral("Afdrukken pagina "), this);
    lProgress = new QLabel(this);
    lProgress->setObjectName(QStringLiteral("lProgress"));
    auto* van = new QLabel(QStringLiteral("van"), this);
    lMax = new QLabel(this);
    lMax->setObjectName(QStringLiteral("lMax"));
    CancelBtn = new QPushButton(QStringLiteral("Annuleer"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(CancelBtn, &QPushButton::clicked, this, &TfPrintingQuery::CancelBtnClick);

    auto* regel = new QHBoxLayout;
    // One line of text: the trailing blank of the first label separates it from the page number.
    const int spatie = tekst->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    regel->setSpacing(0);
    regel->addStretch();
    regel->addWidget(tekst);
    regel->addWidget(lProgress);
    regel->addSpacing(spatie);
    regel->addWidget(van);
    regel->addSpacing(spatie);
    regel->addWidget(lMax);
    regel->addStretch();
    auto* knop = new QHBoxLayout;
    knop->addStretch();
    knop->addWidget(CancelBtn);
    knop->addStretch();
    auto* kolom = new QVBoxLayout(this);
    kolom->addLayout(regel);
    kolom->addLayout(knop);

    setFixedSize(198, 79);
    if (const QScreen* scherm = QGuiApplication::primaryScreen()) {
        QRect r = rect();
        r.moveCenter(scherm->availableGeometry().center());
        move(r.topLeft());
    }
}

void TfPrintingQuery::SetProgress(int pagina) {
    lProgress->setText(QString::number(pagina));
}

void TfPrintingQuery::SetMax(int laatstePagina) {
    lMax->setText(QString::number(laatstePagina));
}

void TfPrintingQuery::reject() {
    CancelBtnClick();
}

void TfPrintingQuery::CancelBtnClick() {
    if (m_annuleer) m_annuleer();
}

} // namespace korvalinde
