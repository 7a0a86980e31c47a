#include "programs/Startvenster.h"

#include "components/Infovenster.h"
#include "core/Meldingen.h"
#include "programs/Produktondersteuning.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <exception>

namespace korvalinde {

namespace {

QLabel* MaakLabel(QWidget* ouder, const QString& naam, const QString& tekst, int pixels, bool vet,
                  QColor kleur, Qt::Alignment uitlijning) {
    auto* label = new QLabel(tekst, ouder);
    label->setObjectName(naam);
    label->setTextFormat(Qt::PlainText);
    QFont f = label->font();
    f.setPixelSize(pixels);
    f.setBold(vet);
    label->setFont(f);
    QPalette palet = label->palette();
    palet.setColor(QPalette::WindowText, kleur);
    label->setPalette(palet);
    label->setAlignment(uitlijning);
    return label;
}

const char* const Inleiding =
    "Korvalinde geeft inzicht in de beweiding bij 3 alternatieve bedrijfsvoeringen. Vul de gegevens over uw "
    "veestapel, veevoer en melkproductie en graslandgebruik zo nauwkeurig mogelijk in. Het programma geeft "
    "vervolgens inzicht op de gevolgen van de keuzes op diverse parameters rondom beweiding op "
    "perceelsniveau. "
    "De resultaten worden op twee pagina's weergegeven. ";

const char* const Verantwoording =
    "Ontwikkeling: het Korvalinde-ontwikkelteam.\n"
    "Financiering: het project Beweiding op perceelsniveau.\n"
    "Inhoud: het Korvalinde-ontwikkelteam is verantwoordelijk voor rekenregels en teksten.";

// The green check mark of an OK button.
QIcon Vinkje() {
    QPixmap plaatje(32, 32);
    plaatje.fill(Qt::transparent);
    QPainter p(&plaatje);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{QPointF(6, 17), QPointF(13, 25), QPointF(26, 7)});
    return QIcon(plaatje);
}

} // namespace

QPixmap ProgrammaPlaatje(const QString& naam, QSize maat) {
    const qreal verhouding = qGuiApp ? qGuiApp->devicePixelRatio() : 1;
    QImage beeld(QStringLiteral(":/korvalinde/%1%2.png")
                     .arg(naam, verhouding > 1 ? QStringLiteral("@2x") : QString()));
    if (beeld.isNull()) return {};
    const QSize pixels = (QSizeF(maat) * verhouding).toSize();
    if (beeld.size() != pixels) beeld = beeld.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap plaatje = QPixmap::fromImage(beeld);
    plaatje.setDevicePixelRatio(verhouding);
    return plaatje;
}

TFrmOpstart::TFrmOpstart(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("FrmOpstart"));
    setWindowTitle(QStringLiteral("Korvalinde"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(714, 547);

    PnlOpstart = new QFrame(this);
    PnlOpstart->setObjectName(QStringLiteral("PnlOpstart"));
    PnlOpstart->setGeometry(0, 0, 714, 547);
    QPalette palet = PnlOpstart->palette();
    palet.setColor(QPalette::Window, PaneelKleur());
    palet.setColor(QPalette::WindowText, Qt::black);
    PnlOpstart->setPalette(palet);
    PnlOpstart->setAutoFillBackground(true);

    const QColor rood(Qt::red);
    const int marge = 24;
    const int breedte = 714 - 2 * marge;
    LblOpstart0 = MaakLabel(PnlOpstart, QStringLiteral("LblOpstart0"), QStringLiteral("Korvalinde"), 24, true,
                            rood, Qt::AlignHCenter | Qt::AlignTop);
    LblOpstart0->setGeometry(0, 10, 714, 32);
    LblVersie = MaakLabel(PnlOpstart, QStringLiteral("LblVersie"), QStringLiteral("Versie"), 16, false, rood,
                          Qt::AlignHCenter | Qt::AlignTop);
    LblVersie->setGeometry(0, 46, 714, 22);
    try {
        LblVersie->setText(QStringLiteral("versie ") + VersieTekst(QStringLiteral("VD")));
    } catch (const std::exception& fout) {
        StandaardMelder().Fout(QString::fromUtf8(fout.what()));
    }

    ImgKorvalinde = new QLabel(PnlOpstart);
    ImgKorvalinde->setObjectName(QStringLiteral("ImgKorvalinde"));
    ImgKorvalinde->setGeometry(224, 80, 260, 169);
    ImgKorvalinde->setAttribute(Qt::WA_TranslucentBackground);
    ImgKorvalinde->setPixmap(ProgrammaPlaatje(QStringLiteral("ImgKorvalinde"), QSize(260, 169)));

    LblOpstart1 = MaakLabel(PnlOpstart, QStringLiteral("LblOpstart1"), QString::fromUtf8(Inleiding), 15,
                            false, Qt::black, Qt::AlignLeft | Qt::AlignTop);
    LblOpstart1->setWordWrap(true);
    LblOpstart1->setGeometry(marge, 266, breedte, 100);

    LblOpstart2 = MaakLabel(PnlOpstart, QStringLiteral("LblOpstart2"), QString::fromUtf8(Verantwoording), 15,
                            false, Qt::black, Qt::AlignLeft | Qt::AlignTop);
    LblOpstart2->setWordWrap(true);
    LblOpstart2->setGeometry(marge, 376, breedte, 66);

    SttInfo = MaakLabel(PnlOpstart, QStringLiteral("SttInfo"),
                        QStringLiteral("Klik hier voor meer informatie over het programma"), 13, false,
                        QColor(0, 0, 160), Qt::AlignHCenter | Qt::AlignVCenter);
    QFont onderstreept = SttInfo->font();
    onderstreept.setUnderline(true);
    SttInfo->setFont(onderstreept);
    SttInfo->adjustSize();
    SttInfo->setGeometry((714 - SttInfo->width()) / 2, 458, SttInfo->width(), 20);
    SttInfo->setCursor(Qt::PointingHandCursor);
    SttInfo->installEventFilter(this);

    BitBtn1 = new QPushButton(Vinkje(), QStringLiteral("OK"), PnlOpstart);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry((714 - 90) / 2, 496, 90, 30);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmOpstart::BitBtn1Click);
}

void TFrmOpstart::ZetProductOndersteuning(TFrmInfotxt* venster) {
    productOndersteuning_ = venster;
}

void TFrmOpstart::BitBtn1Click() {
    hide();
    if (hoofdvenster_) {
        hoofdvenster_->show();
        hoofdvenster_->raise();
        hoofdvenster_->activateWindow();
    }
    QCoreApplication::processEvents();
}

void TFrmOpstart::SttInfoClick() {
    if (productOndersteuning_) productOndersteuning_->Toon();
}

void TFrmOpstart::closeEvent(QCloseEvent* event) {
    event->accept();
    emit ProgrammaBeeindigen();
}

bool TFrmOpstart::eventFilter(QObject* object, QEvent* event) {
    if (object == SttInfo && event->type() == QEvent::MouseButtonRelease) {
        SttInfoClick();
        return true;
    }
    return QWidget::eventFilter(object, event);
}

void TFrmOpstart::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!gecentreerd_) {
        gecentreerd_ = true;
        ZnCentreerOpScherm(this);
    }
}

} // namespace korvalinde
