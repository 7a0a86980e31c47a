#include "ui/GrafiekPagina.h"

#include "core/Bestandspad.h"
#include "core/Meldingen.h"
#include "domain/Bestand.h"

#include <QAction>
#include <QAreaSeries>
#include <QBuffer>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGraphicsLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QValueAxis>

#include <algorithm>

namespace korvalinde {

namespace {

QFont AsTitelFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    return font;
}

void ZetAs(QValueAxis* as, const TGrafiekAs& a) {
    // Without any result both bounds are 0; the chart widget cannot draw an axis of zero length, so it
    // shows one step from 0 instead.
    const double stap = a.stap > 0 ? a.stap : 1;
    as->setRange(a.minimum, a.maximum > a.minimum ? a.maximum : a.minimum + stap);
    as->setTickAnchor(0);
    as->setTickInterval(stap);
    as->setMinorTickCount(a.tussenstreepjes);
    as->setTitleText(a.titel);
}

// How many steps of the axis one label spans so that at most `labels` labels fit: 1, 2, 5, 10, 20, 50...
int LabelVeelvoud(const TGrafiekAs& as, int labels) {
    const double stappen = as.stap > 0 ? (as.maximum - as.minimum) / as.stap : 0;
    for (int veelvoud = 1;; veelvoud *= 10)
        for (int k : {1, 2, 5})
            if (stappen / (k * veelvoud) + 1 <= labels || k * veelvoud >= 1000000) return k * veelvoud;
}

QList<QPointF> OpNul(const QList<QPointF>& punten) {
    QList<QPointF> nul;
    nul.reserve(punten.size());
    for (const QPointF& p : punten) nul.append(QPointF(p.x(), 0));
    return nul;
}

} // namespace

TGrafiekPagina::TGrafiekPagina(QWidget* parent) : QWidget(parent) {
    setMinimumSize(24 + 745, 64 + 481);
    MaakKeuzes();
    MaakGrafiek();
    MaakMenu();

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
    m_chart = new QChart();
    m_chart->setAnimationOptions(QChart::NoAnimation);
    m_chart->setTitle(QString());
    m_chart->setBackgroundBrush(Qt::white);
    m_chart->setBackgroundRoundness(0);
    m_chart->setDropShadowEnabled(false);
    m_chart->setPlotAreaBackgroundVisible(false);
    m_chart->legend()->setAlignment(Qt::AlignRight);

    m_halveDagAs = new QValueAxis(m_chart);
    m_waardeAs = new QValueAxis(m_chart);
    for (QValueAxis* as : {m_halveDagAs, m_waardeAs}) {
        as->setTickType(QValueAxis::TicksDynamic);
        as->setLabelFormat(QStringLiteral("%i"));
        as->setTitleFont(AsTitelFont());
        as->setTitleBrush(Qt::black);
        as->setLabelsBrush(Qt::black);
    }
    m_waardeAs->setMinorGridLineVisible(false); // minor ticks only as marks on the axis
    m_halveDagAs->setTitleText(QStringLiteral("Halve weidedagen"));
    m_halveDagAs->setTickInterval(1);
    m_chart->addAxis(m_halveDagAs, Qt::AlignBottom);
    m_chart->addAxis(m_waardeAs, Qt::AlignLeft);
    // A dark axis line, so that its ticks and minor ticks show; solid grid lines, evenly spaced on whole
    // steps. The half days between two labelled ones are marks on the axis only: 60 lines of their own
    // would crowd the plot.
    for (QValueAxis* as : {m_halveDagAs, m_waardeAs}) {
        as->setLinePen(QPen(QColor(96, 96, 96), 1));
        as->setGridLinePen(QPen(QColor(208, 208, 208), 1));
        as->setMinorGridLinePen(QPen(QColor(232, 232, 232), 1));
    }
    m_halveDagAs->setMinorGridLineVisible(false);

    // The seven series in drawing order: every later series paints over the earlier ones.
    const auto leeg = LegeSeries();
    for (int i = 0; i < SerieAantal; ++i) {
        const TGrafiekSerie& s = leeg[i];
        QAbstractSeries* serie = nullptr;
        if (s.soort == TSerieSoort::Vlak) {
            // The bounding lines belong to the area, so they live exactly as long as the chart uses them.
            auto* vlak = new QAreaSeries();
            auto* boven = new QLineSeries(vlak);
            auto* onder = new QLineSeries(vlak);
            vlak->setUpperSeries(boven);
            vlak->setLowerSeries(onder);
            vlak->setBrush(s.kleur);
            vlak->setPen(QPen(s.kleur, 1));
            m_vlakken[i] = vlak;
            m_bovenranden[i] = boven;
            m_onderranden[i] = onder;
            serie = vlak;
        } else {
            auto* lijn = new QLineSeries();
            lijn->setPen(QPen(s.kleur, s.lijnDikte));
            lijn->setPointsVisible(false);
            lijn->setPointLabelsVisible(false);
            m_lijnen[i] = lijn;
            serie = lijn;
        }
        serie->setObjectName(s.naam);
        m_chart->addSeries(serie);
        serie->attachAxis(m_halveDagAs);
        serie->attachAxis(m_waardeAs);
        for (QLegendMarker* marker : m_chart->legend()->markers(serie)) marker->setVisible(false);
    }
}

void TGrafiekPagina::MaakMenu() {
    m_grafiek = new QChartView(m_chart, this);
    m_grafiek->setObjectName(QStringLiteral("Grafiek"));
    m_grafiek->setFrameShape(QFrame::NoFrame);
    m_grafiek->setRenderHint(QPainter::Antialiasing);
    m_grafiek->setGeometry(24, 64, 745, 481);
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
    for (int i = 0; i < SerieAantal; ++i) {
        const TGrafiekSerie& s = b.series[i];
        QAbstractSeries* serie = nullptr;
        if (m_vlakken[i]) {
            m_bovenranden[i]->replace(s.punten);
            m_onderranden[i]->replace(s.onderrand.isEmpty() ? OpNul(s.punten) : s.onderrand);
            serie = m_vlakken[i];
        } else {
            m_lijnen[i]->replace(s.punten);
            serie = m_lijnen[i];
        }
        serie->setName(s.titel);
        for (QLegendMarker* marker : m_chart->legend()->markers(serie)) marker->setVisible(s.inLegenda);
    }
    for (QLineSeries* lijn : std::as_const(m_variantLijnen)) {
        m_chart->removeSeries(lijn);
        delete lijn;
    }
    m_variantLijnen.clear();
    for (const TGrafiekSerie& s : b.variantLijnen) {
        auto* lijn = new QLineSeries();
        lijn->setObjectName(s.naam);
        lijn->setName(s.titel);
        QPen pen(s.kleur, s.lijnDikte, s.lijnStijl);
        pen.setCapStyle(Qt::FlatCap);
        // The legend shows each variant as a short piece of its line (solid, dashed, dotted), not as a
        // square. The dashes start half-way, so that the piece shows a gap between two dashes.
        if (s.lijnStijl == Qt::DashLine) pen.setDashOffset(3);
        lijn->setPen(pen);
        lijn->replace(s.punten);
        m_chart->addSeries(lijn);
        lijn->attachAxis(m_halveDagAs);
        lijn->attachAxis(m_waardeAs);
        for (QLegendMarker* marker : m_chart->legend()->markers(lijn)) {
            marker->setShape(QLegend::MarkerShapeFromSeries);
            marker->setVisible(true);
        }
        m_variantLijnen.append(lijn);
    }
    if (!b.assenGezet) return;
    ZetAs(m_halveDagAs, b.halveDagAs);
    ZetAs(m_waardeAs, b.waardeAs);
    // The chart labels every step of an axis, but where the labels would not fit (more than 60 half days,
    // a fouled area of tens of thousands of m2) it labels every 2nd, 5th, 10th... step instead, and the
    // steps in between keep their grid line.
    const int regel = QFontMetrics(m_waardeAs->labelsFont()).height() + 8;
    const int labelBreedte =
        QFontMetrics(m_halveDagAs->labelsFont()).horizontalAdvance(QStringLiteral("60")) + 12;
    const int dagStap = LabelVeelvoud(b.halveDagAs, std::max(2, (m_grafiek->width() - 280) / labelBreedte));
    m_halveDagAs->setTickInterval(dagStap * b.halveDagAs.stap);
    m_halveDagAs->setMinorTickCount(dagStap - 1);
    const int waardeStap = LabelVeelvoud(b.waardeAs, std::max(2, (m_grafiek->height() - 110) / regel));
    if (waardeStap > 1) {
        m_waardeAs->setTickInterval(waardeStap * b.waardeAs.stap);
        m_waardeAs->setMinorTickCount(waardeStap - 1);
    }
    m_waardeAs->setMinorGridLineVisible(waardeStap > 1);
}

QString TGrafiekPagina::AfbeeldingTitel() const {
    return GrafiekOnderschrift(m_beschrijving);
}

QImage TGrafiekPagina::GrafiekAfbeelding(qreal schaal) const {
    // A page that was never shown has not laid its chart out yet; do what the view does on a resize.
    if (m_chart->size() != QSizeF(m_grafiek->size())) {
        m_chart->resize(m_grafiek->size());
        m_grafiek->setSceneRect(m_chart->geometry());
    }
    // The title goes on the picture only: the chart takes it for the time of drawing and lays itself
    // out around it, then gives it back before the screen is painted again.
    const QString titel = AfbeeldingTitel();
    const QFont schermFont = m_chart->titleFont();
    auto legTitelOp = [this](const QString& tekst) {
        m_chart->setTitle(tekst);
        if (m_chart->layout()) m_chart->layout()->activate();
    };
    if (!titel.isEmpty()) {
        QFont titelFont(QStringLiteral("Arial"));
        titelFont.setPixelSize(14);
        titelFont.setBold(true);
        m_chart->setTitleFont(titelFont);
        m_chart->setTitleBrush(Qt::black);
        legTitelOp(titel);
    }
    const QRectF bron = m_chart->geometry();
    QImage beeld((bron.size() * schaal).toSize(), QImage::Format_ARGB32_Premultiplied);
    beeld.fill(Qt::white);
    QPainter schilder(&beeld);
    schilder.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    m_chart->scene()->render(&schilder, QRectF(beeld.rect()), bron);
    schilder.end();
    if (!titel.isEmpty()) {
        legTitelOp(QString());
        m_chart->setTitleFont(schermFont);
    }
    return beeld;
}

bool TGrafiekPagina::GrafiekOpslaan() {
    const QString item =
        m_cbxGrafiek->currentIndex() >= 0 ? m_cbxGrafiek->currentText() : QStringLiteral("Grafiek");
    QString naam = VraagBestandsnaam ? VraagBestandsnaam(this, item + QStringLiteral(".png")) : QString();
    if (naam.isEmpty()) return false;
    if (QFileInfo(naam).suffix().isEmpty()) naam += QStringLiteral(".png");

    // Made in memory and written as a whole next to the target before it takes its place, so a
    // failed save never leaves half a picture behind; no device or read-only file is written over.
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    QString reden;
    if (!GrafiekAfbeelding(2).save(&png, "PNG"))
        reden = QStringLiteral("De afbeelding kon niet gemaakt worden");
    else
        reden = QString::fromStdString(
            SchrijfBestand(DomeinPad(naam), std::string_view(png.data().constData(),
                                                             static_cast<std::size_t>(png.data().size()))));
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
    if (QClipboard* klembord = QGuiApplication::clipboard()) klembord->setImage(GrafiekAfbeelding(2));
}

void TGrafiekPagina::ToonMenu(const QPoint& plek) {
    m_menu->popup(m_grafiek->viewport()->mapToGlobal(plek));
}

} // namespace korvalinde
