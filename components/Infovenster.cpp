#include "components/Infovenster.h"

#include "components/Schermplaats.h"

#include "components/Programmainfo.h"

#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace korvalinde {

namespace {

constexpr int Breedte = 492;
constexpr int PaneelX = 8;
constexpr int PaneelY = 72;
constexpr int PaneelBreedte = Breedte - 2 * PaneelX;
constexpr int KopX = 20;     // captions in the panel
constexpr int WaardeX = 115; // values in the panel
constexpr int WaardeBreedte = 317;
constexpr int KopBreedte = WaardeX - KopX;
constexpr int VoetHoogte = 60;
constexpr int ExtraHoogte = 148; // window height = panel height + this

QLabel* MaakLabel(QWidget* ouder, const QString& naam, const QString& tekst, int x, int y, int b, int h) {
    auto* label = new QLabel(tekst, ouder);
    label->setObjectName(naam);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(x, y, b, h);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The database-engine version as major.minor. The program uses no database engine.
QString DatabaseVersie() {
    return QStringLiteral("n.v.t.");
}

} // namespace

void ZnCentreerOpScherm(QWidget* venster) {
    PlaatsOpScherm(venster, TPlaatsing::Centreren);
}

QString ZnProgrammaNaamRegels(const QString& naam) {
    constexpr int Max = 40;
    if (naam.size() <= Max) return naam;
    const qsizetype spatie = naam.left(Max).lastIndexOf(QLatin1Char(' '));
    if (spatie < 0) return naam.left(Max) + QLatin1Char('\n') + naam.mid(Max);
    return naam.left(spatie) + QLatin1Char('\n') + naam.mid(spatie + 1);
}

TFrmInfo::TFrmInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmInfo"));
    setWindowTitle(QStringLiteral("Info"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    QFont venster = font();
    venster.setPixelSize(11);
    setFont(venster);

    ImgLogo = new QLabel(this);
    ImgLogo->setObjectName(QStringLiteral("ImgLogo"));
    ImgLogo->setGeometry(PaneelX, 8, PaneelBreedte, 56);
    ImgLogo->setAlignment(Qt::AlignCenter);
    ImgLogo->setCursor(Qt::PointingHandCursor);
    ImgLogo->setPixmap(IngebouwdLogo());
    ImgLogo->installEventFilter(this);

    PnlInfo = new QFrame(this);
    PnlInfo->setObjectName(QStringLiteral("PnlInfo"));
    PnlInfo->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    LblProgrammaNaam =
        MaakLabel(PnlInfo, QStringLiteral("LblProgrammaNaam"), {}, KopX, 4, PaneelBreedte - 2 * KopX, 60);
    QFont groot = LblProgrammaNaam->font();
    groot.setPixelSize(24);
    LblProgrammaNaam->setFont(groot);

    int y = 70;
    const int stap = 20;
    LblKopProgramma = MaakLabel(PnlInfo, QStringLiteral("LblKopProgramma"), QStringLiteral("Programma:"),
                                KopX, y, KopBreedte, 15);
    LblProgrammaAfkorting =
        MaakLabel(PnlInfo, QStringLiteral("LblProgrammaAfkorting"), {}, WaardeX, y, WaardeBreedte, 15);
    y += stap;
    LblKopVersie = MaakLabel(PnlInfo, QStringLiteral("LblKopVersie"), QStringLiteral("Versie:"), KopX, y,
                             KopBreedte, 15);
    LblVersie = MaakLabel(PnlInfo, QStringLiteral("LblVersie"), {}, WaardeX, y, WaardeBreedte, 15);
    LblVersie->setWordWrap(true);
    y += stap;
    LblKopDatum = MaakLabel(PnlInfo, QStringLiteral("LblKopDatum"), QStringLiteral("Versiedatum:"), KopX, y,
                            KopBreedte, 15);
    LblDatum = MaakLabel(PnlInfo, QStringLiteral("LblDatum"), {}, WaardeX, y, WaardeBreedte, 15);
    y += stap;
    LblKopBDEVersie = MaakLabel(PnlInfo, QStringLiteral("LblKopBDEVersie"), QStringLiteral("BDE versie:"),
                                KopX, y, KopBreedte, 15);
    LblBDEVersie = MaakLabel(PnlInfo, QStringLiteral("LblBDEVersie"), {}, WaardeX, y, WaardeBreedte, 15);
    y += stap;
    LblKopProgrammeur = MaakLabel(PnlInfo, QStringLiteral("LblKopProgrammeur"),
                                  QStringLiteral("Ontwikkeld door:"), KopX, y, KopBreedte, 15);
    LblProgrammeur = MaakLabel(PnlInfo, QStringLiteral("LblProgrammeur"), {}, WaardeX, y, WaardeBreedte, 30);
    LblProgrammeur->setWordWrap(true);
    y += stap + 16;
    LblKopDlls = MaakLabel(PnlInfo, QStringLiteral("LblKopDlls"), QStringLiteral("Geladen DLL's:"), KopX, y,
                           KopBreedte, 15);
    LstDlls = new QListWidget(PnlInfo);
    LstDlls->setObjectName(QStringLiteral("LstDlls"));
    LstDlls->setGeometry(WaardeX, y, WaardeBreedte, RegelHoogteLijst);
    LstDlls->setFrameShape(QFrame::NoFrame);
    QPalette lijstPalet = LstDlls->palette();
    lijstPalet.setColor(QPalette::Base, lijstPalet.color(QPalette::Window));
    LstDlls->setPalette(lijstPalet);
    LstDlls->setUniformItemSizes(true);
    LstDlls->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LstDlls->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    LstDlls->installEventFilter(this);

    PnlVoet = new QFrame(this);
    PnlVoet->setObjectName(QStringLiteral("PnlVoet"));
    PnlVoet->setFrameStyle(QFrame::Panel | QFrame::Raised);
    LblHelpdesk = MaakLabel(PnlVoet, QStringLiteral("LblHelpdesk"), {}, 12, 10, 340, 15);
    LblHelpdesk->setCursor(Qt::PointingHandCursor);
    LblHelpdesk->installEventFilter(this);
    LblWebsite = MaakLabel(PnlVoet, QStringLiteral("LblWebsite"), {}, 12, 32, 340, 15);
    QFont onderstreept = LblWebsite->font();
    onderstreept.setUnderline(true);
    LblWebsite->setFont(onderstreept);
    QPalette blauw = LblWebsite->palette();
    blauw.setColor(QPalette::WindowText, QColor(0, 0, 192));
    LblWebsite->setPalette(blauw);
    LblWebsite->setCursor(Qt::PointingHandCursor);
    LblWebsite->installEventFilter(this);
    BtnOK = new QPushButton(QStringLiteral("OK"), PnlVoet);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setGeometry(PaneelBreedte - 12 - 75, (VoetHoogte - 25) / 2, 75, 25);
    BtnOK->setDefault(true);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);

    Herschik(OntwerpHoogtePaneel);
}

void TFrmInfo::Herschik(int paneelHoogte) {
    PnlInfo->setGeometry(PaneelX, PaneelY, PaneelBreedte, paneelHoogte);
    PnlVoet->setGeometry(PaneelX, PaneelY + paneelHoogte + 8, PaneelBreedte, VoetHoogte);
    setFixedSize(Breedte, paneelHoogte + ExtraHoogte);
}

void TFrmInfo::Vullen(const TZnInfoBox& box) {
    // The logo file when it exists and can be read, else the picture of the window itself.
    QPixmap logo;
    if (!box.Logo.isEmpty() && QFile::exists(box.Logo)) logo.load(box.Logo);
    if (logo.isNull()) logo = IngebouwdLogo();
    if (logo.height() > ImgLogo->height() || logo.width() > ImgLogo->width())
        logo = logo.scaled(ImgLogo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ImgLogo->setPixmap(logo);

    LblHelpdesk->setText(box.Helpdesk);
    LblWebsite->setText(QStringLiteral("http://") + box.WebAdres);
    LblProgrammaAfkorting->setText(box.ProgAfkorting);

    // A name that fits on one line stands lower, in the middle of the room for two lines.
    const QString naam = ZnProgrammaNaamRegels(box.ProgNaam);
    LblProgrammaNaam->setText(naam);
    // Fonts differ between systems: a line that would not fit gets a smaller font.
    QFont naamFont = LblProgrammaNaam->font();
    const auto breedste = [&naam](const QFont& f) {
        int b = 0;
        for (const QString& regel : naam.split(QLatin1Char('\n')))
            b = std::max(b, QFontMetrics(f).horizontalAdvance(regel));
        return b;
    };
    while (naamFont.pixelSize() > 12 && breedste(naamFont) > LblProgrammaNaam->width())
        naamFont.setPixelSize(naamFont.pixelSize() - 1);
    LblProgrammaNaam->setFont(naamFont);
    if (!naam.contains(QLatin1Char('\n')))
        LblProgrammaNaam->move(LblProgrammaNaam->x(), LblProgrammaNaam->y() + 20);

    int paneelHoogte = OntwerpHoogtePaneel;
    if (QFontMetrics(font()).horizontalAdvance(box.Versie) > LblVersie->width()) {
        const int versieY = LblVersie->y();
        for (QWidget* w : PnlInfo->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w->y() > versieY) w->move(w->x(), w->y() + VersieVerschuiving);
        LblVersie->resize(LblVersie->width(), LblVersie->height() + VersieVerschuiving);
        paneelHoogte += VersieVerschuiving;
    }
    LblVersie->setText(box.Versie);
    LblDatum->setText(box.Datum);
    LblBDEVersie->setText(DatabaseVersie());
    LblProgrammeur->setText(box.Programmeur);

    LstDlls->clear();
    LstDlls->addItems(box.Dlls);
    for (int i = 0; i < LstDlls->count(); ++i)
        LstDlls->item(i)->setSizeHint(QSize(WaardeBreedte, RegelHoogteLijst));
    const int lijstHoogte = RegelHoogteLijst * int(box.Dlls.size());
    LstDlls->resize(LstDlls->width(), lijstHoogte);
    LstDlls->setVisible(!box.Dlls.isEmpty());
    LblKopDlls->setVisible(!box.Dlls.isEmpty());
    paneelHoogte += box.Dlls.isEmpty() ? -14 : lijstHoogte;

    Herschik(paneelHoogte);
}

bool TFrmInfo::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        (object == ImgLogo || object == LblHelpdesk || object == LblWebsite)) {
        emit WebsiteGevraagd();
        return true;
    }
    if (object == LstDlls && event->type() == QEvent::FocusIn) BtnOK->setFocus();
    return QDialog::eventFilter(object, event);
}

void TFrmInfo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!gecentreerd_) {
        gecentreerd_ = true;
        ZnCentreerOpScherm(this);
    }
}

QPixmap TFrmInfo::IngebouwdLogo() {
    // A plain banner: sky, two green slopes and a low sun. Drawn, so no file is needed.
    QPixmap plaatje(PaneelBreedte, 56);
    plaatje.fill(Qt::transparent);
    QPainter p(&plaatje);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient lucht(0, 0, 0, 56);
    lucht.setColorAt(0, QColor(196, 224, 244));
    lucht.setColorAt(1, QColor(236, 246, 252));
    p.fillRect(plaatje.rect(), lucht);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 204, 80));
    p.drawEllipse(QPointF(400, 22), 11, 11);
    QPainterPath achter;
    achter.moveTo(0, 40);
    achter.cubicTo(120, 22, 260, 30, 476, 34);
    achter.lineTo(476, 56);
    achter.lineTo(0, 56);
    p.setBrush(QColor(120, 176, 84));
    p.drawPath(achter);
    QPainterPath voor;
    voor.moveTo(0, 50);
    voor.cubicTo(160, 36, 300, 48, 476, 42);
    voor.lineTo(476, 56);
    voor.lineTo(0, 56);
    p.setBrush(QColor(70, 138, 52));
    p.drawPath(voor);
    return plaatje;
}

} // namespace korvalinde
