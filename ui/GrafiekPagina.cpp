#include "ui/GrafiekPagina.h"

#include "components/Grafiekvlak.h"
#include "core/Meldingen.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QMenu>
#include <QRadioButton>

#include <algorithm>

namespace korvalinde {

TGrafiekPagina::TGrafiekPagina(QWidget* parent) : QWidget(parent) {
    setMinimumSize(24 + 745, 64 + 481);
    MaakKeuzes();
    MaakGrafiek();

    VraagBestandsnaam = [](QWidget* ouder, const QString& voorstel) {
        return QFileDialog::getSaveFileName(ouder, QStringLiteral("Grafiek opslaan als afbeelding"), voorstel,
                                            QStringLiteral("PNG-afbeelding (*.png)"));
    };
    ToonFout = [](const QString& melding) { StandaardMelder().Fout(melding); };

    connect(m_cbxGrafiek, &QComboBox::currentIndexChanged, this, &TGrafiekPagina::CbxGrafiekChange);
    connect(m_knoppen, &QButtonGroup::idToggled, this, [this](int, bool aan) {
        if (aan) CbxGrafiekChange();
    });
}

void TGrafiekPagina::MaakKeuzes() {
    m_cbxGrafiek = new QComboBox(this);
    m_cbxGrafiek->setObjectName(QStringLiteral("CbxGrafiek"));
    QFont vet(QStringLiteral("Arial"));
    vet.setBold(true);
    vet.setPixelSize(12);
    m_cbxGrafiek->setFont(vet);
    m_cbxGrafiek->setMaxVisibleItems(11);
    m_cbxGrafiek->addItems(GrafiekItems());
    m_cbxGrafiek->setPlaceholderText(QStringLiteral("Kies een grafiek"));
    m_cbxGrafiek->setCurrentIndex(-1);
    m_cbxGrafiek->setGeometry(576, 32, 193, m_cbxGrafiek->sizeHint().height());

    m_grpGrafiek = new QGroupBox(this);
    m_grpGrafiek->setObjectName(QStringLiteral("GrpGrafiek"));
    m_grpGrafiek->setGeometry(24, -4, 89, 60);
    m_knoppen = new QButtonGroup(this);
    const QStringList varianten{QStringLiteral("Basis"), QStringLiteral("Alt 1"), QStringLiteral("Alt 1+2")};
    for (int i = 0; i < varianten.size(); ++i) {
        auto* knop = new QRadioButton(varianten[i], m_grpGrafiek);
        knop->setGeometry(8, 8 + 17 * i, 78, 17);
        m_knoppen->addButton(knop, i);
    }
    // The three variants at once: beside the group, so the group keeps its three items and its size.
    m_alleVarianten = new QRadioButton(QStringLiteral("Alle drie"), this);
    m_alleVarianten->setObjectName(QStringLiteral("RbtAlleVarianten"));
    m_alleVarianten->setToolTip(QStringLiteral("De gekozen grafiek voor Basis, Alt 1 en Alt 1+2 samen"));
    m_alleVarianten->setGeometry(m_grpGrafiek->geometry().right() + 9, m_grpGrafiek->y() + 8 + 17 * 2, 90,
                                 17);
    m_knoppen->addButton(m_alleVarianten, GrafiekAlleVarianten);
    m_knoppen->button(0)->setChecked(true);
}

void TGrafiekPagina::MaakGrafiek() {
    m_grafiek = new TGrafiekvlak(this);
    m_grafiek->setObjectName(QStringLiteral("Grafiek"));
    m_grafiek->setGeometry(24, 64, 745, 481);
    m_grafiek->setFocusPolicy(Qt::StrongFocus);
    m_halveDagAs.titel = QStringLiteral("Halve weidedagen");
    m_beschrijving = BouwGrafiek({}, 0, 0);
    Teken(m_beschrijving);
    // The keyboard goes from top left to bottom right: the variants, the chart choice, the chart.
    QWidget::setTabOrder(m_knoppen->button(2), m_alleVarianten);
    QWidget::setTabOrder(m_alleVarianten, m_cbxGrafiek);
    QWidget::setTabOrder(m_cbxGrafiek, m_grafiek);

    m_menu = new QMenu(this);
    m_mitOpslaan = m_menu->addAction(QStringLiteral("Grafiek opslaan als afbeelding..."));
    m_mitOpslaan->setObjectName(QStringLiteral("MitGrafiekOpslaan"));
    m_mitKopieren = m_menu->addAction(QStringLiteral("Grafiek kopiëren"));
    m_mitKopieren->setObjectName(QStringLiteral("MitGrafiekKopieren"));
    connect(m_mitOpslaan, &QAction::triggered, this, [this] { GrafiekOpslaan(); });
    connect(m_mitKopieren, &QAction::triggered, this, &TGrafiekPagina::GrafiekKopieren);
    m_grafiek->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grafiek, &QWidget::customContextMenuRequested, this, &TGrafiekPagina::ToonMenu);
}

TGrafiekPagina::~TGrafiekPagina() = default;

void TGrafiekPagina::ZetDetailTabellen(TDetailTabellen tabellen) {
    m_tabellen = std::move(tabellen);
}

int TGrafiekPagina::GrpGrafiekItemIndex() const {
    return m_knoppen->checkedId();
}

void TGrafiekPagina::ZetGrpGrafiekItemIndex(int index) {
    if (QAbstractButton* knop = m_knoppen->button(index)) knop->setChecked(true);
}

void TGrafiekPagina::CbxGrafiekChange() {
    const int variant = std::max(0, GrpGrafiekItemIndex());
    m_beschrijving = BouwGrafiek(m_tabellen, m_cbxGrafiek->currentIndex() + 1, variant);
    Teken(m_beschrijving);
}

void TGrafiekPagina::Teken(const TGrafiekBeschrijving& b) {
    if (b.assenGezet) {
        m_halveDagAs = b.halveDagAs;
        m_waardeAs = b.waardeAs;
    }
    TGrafiek grafiek = TeTekenenGrafiek(b);
    grafiek.xAs = m_halveDagAs;
    grafiek.yAs = m_waardeAs;
    m_grafiek->ZetGrafiek(grafiek);
}

QString TGrafiekPagina::AfbeeldingTitel() const {
    return GrafiekOnderschrift(m_beschrijving);
}

QImage TGrafiekPagina::GrafiekAfbeelding(qreal schaal) const {
    return m_grafiek->Afbeelding(schaal, AfbeeldingTitel());
}

bool TGrafiekPagina::GrafiekOpslaan() {
    const QString item =
        m_cbxGrafiek->currentIndex() >= 0 ? m_cbxGrafiek->currentText() : QStringLiteral("Grafiek");
    QString naam = VraagBestandsnaam ? VraagBestandsnaam(this, item + QStringLiteral(".png")) : QString();
    if (naam.isEmpty()) return false;
    if (QFileInfo(naam).suffix().isEmpty()) naam += QStringLiteral(".png");

    const QString reden = m_grafiek->SchrijfPng(naam, AfbeeldingTitel());
    if (!reden.isEmpty()) {
        if (ToonFout)
            ToonFout(QStringLiteral("De grafiek kon niet worden opgeslagen als \"%1\".%2")
                         .arg(QDir::toNativeSeparators(naam),
                              reden.isEmpty() ? QString() : QStringLiteral("\n") + reden));
        return false;
    }
    return true;
}

void TGrafiekPagina::GrafiekKopieren() {
    m_grafiek->Kopieren(AfbeeldingTitel());
}

void TGrafiekPagina::ToonMenu(const QPoint& plek) {
    m_menu->popup(m_grafiek->mapToGlobal(plek));
}

} // namespace korvalinde
