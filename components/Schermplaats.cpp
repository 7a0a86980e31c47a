#include "components/Schermplaats.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace korvalinde {

namespace {

// The scroll area that holds a window's contents once the window is smaller than they are.
const QString RolNaam = QStringLiteral("SbxSchermplaats");

int Binnen(int plek, int lengte, int begin, int ruimte) {
    return std::clamp(plek, begin, begin + ruimte - lengte);
}

std::function<QRect(const QWidget*)>& SchermvlakBron() {
    static std::function<QRect(const QWidget*)> bron;
    return bron;
}

QRect VlakVan(const QWidget* venster) {
    if (SchermvlakBron()) return SchermvlakBron()(venster);
    const QScreen* scherm = venster->screen() ? venster->screen() : QGuiApplication::primaryScreen();
    return scherm ? scherm->availableGeometry() : QRect();
}

bool VasteMaat(const QWidget* venster) {
    return venster->minimumSize() == venster->maximumSize();
}

// Moves everything the window shows into a scroll area that fills the window. The contents of a window of
// fixed size keep the size they had, so every control stays where it was relative to the others; those
// of a window that can be resized follow the window down to the smallest size their layout allows.
void MaakScrollbaar(QWidget* venster, bool vast) {
    if (venster->findChild<QScrollArea*>(RolNaam, Qt::FindDirectChildrenOnly)) return;
    auto* rol = new QScrollArea;
    rol->setObjectName(RolNaam);
    rol->setFrameShape(QFrame::NoFrame);
    rol->setWidgetResizable(false);
    rol->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    rol->setFocusPolicy(Qt::NoFocus); // the controls keep their order for Tab and Enter

    if (auto* hoofd = qobject_cast<QMainWindow*>(venster)) {
        // The menu bar stays above the scrolling part.
        if (hoofd->layout()) hoofd->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        const bool verborgen = hoofd->centralWidget() && hoofd->centralWidget()->isHidden();
        QWidget* inhoud = hoofd->takeCentralWidget();
        if (inhoud) {
            rol->setWidget(inhoud);
            inhoud->setVisible(!verborgen);
        }
        hoofd->setCentralWidget(rol);
        rol->show(); // at once, also when the window is being shown right now
        return;
    }

    const QSize maat = venster->size();
    const bool meegroeien = !vast && venster->layout();
    rol->setWidgetResizable(meegroeien);
    auto* inhoud = new QWidget;
    inhoud->setObjectName(RolNaam + QStringLiteral("Inhoud"));
    // A layout takes the widgets it manages along to its new owner; the widgets placed by hand follow
    // one by one, at the same place.
    if (QLayout* indeling = venster->layout()) inhoud->setLayout(indeling);
    for (QWidget* kind : venster->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (kind->isWindow()) continue;
        const bool verborgen = kind->isHidden();
        const QRect plek = kind->geometry();
        kind->setParent(inhoud);
        kind->setGeometry(plek);
        kind->setVisible(!verborgen);
    }
    if (meegroeien)
        inhoud->resize(maat);
    else
        inhoud->setFixedSize(maat);
    rol->setWidget(inhoud);
    auto* kolom = new QVBoxLayout(venster);
    kolom->setContentsMargins(0, 0, 0, 0);
    kolom->addWidget(rol);
    rol->show();
}

class TOpSchermWachter : public QObject {
  public:
    explicit TOpSchermWachter(QWidget* venster) : QObject(venster) { venster->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && !event->spontaneous() && object == parent())
            PlaatsOpScherm(static_cast<QWidget*>(object), TPlaatsing::Houden);
        return false;
    }
};

} // namespace

QRect PlaatsIn(const QRect& kader, const QRect& beschikbaar) {
    if (beschikbaar.isEmpty() || !kader.isValid()) return kader;
    const int breedte = std::min(kader.width(), beschikbaar.width());
    const int hoogte = std::min(kader.height(), beschikbaar.height());
    return QRect(Binnen(kader.x(), breedte, beschikbaar.x(), beschikbaar.width()),
                 Binnen(kader.y(), hoogte, beschikbaar.y(), beschikbaar.height()), breedte, hoogte);
}

QRect GecentreerdIn(const QSize& maat, const QRect& beschikbaar) {
    QRect kader(QPoint(0, 0), maat);
    kader.moveCenter(beschikbaar.center());
    return PlaatsIn(kader, beschikbaar);
}

void ZetSchermvlakBron(std::function<QRect(const QWidget* venster)> bron) {
    SchermvlakBron() = std::move(bron);
}

QMargins Kantlijnen(const QWidget* venster) {
    const QWindow* handvat = venster->windowHandle();
    return handvat ? handvat->frameMargins() : QMargins();
}

void PlaatsOpScherm(QWidget* venster, TPlaatsing plaatsing, const QRect& beschikbaar) {
    if (!venster || !venster->isWindow()) return;
    const bool vanScherm = beschikbaar.isEmpty();
    const QRect vlak = vanScherm ? VlakVan(venster) : beschikbaar;
    if (vlak.isEmpty()) return;

    const QMargins marges = Kantlijnen(venster);
    const QSize binnen = venster->size();
    const QSize buiten = binnen.grownBy(marges);
    const QRect doel = plaatsing == TPlaatsing::Centreren ? GecentreerdIn(buiten, vlak)
                                                          : PlaatsIn(QRect(venster->pos(), buiten), vlak);

    if (doel.size() != buiten) {
        const QSize past = doel.size().shrunkBy(marges);
        const bool vast = VasteMaat(venster);
        if (vast || venster->minimumWidth() > past.width() || venster->minimumHeight() > past.height()) {
            MaakScrollbaar(venster, vast);
            venster->setMinimumSize(0, 0);
        }
        if (vast)
            venster->setFixedSize(past);
        else
            venster->resize(past);
    }
    venster->move(doel.topLeft());

    // A window that is about to appear for the first time may not know its frame yet; look again once
    // the window manager has put one around it.
    if (vanScherm && marges.isNull() && !(venster->windowFlags() & Qt::FramelessWindowHint)) {
        QTimer::singleShot(400, venster, [venster] {
            if (venster->isVisible() && !Kantlijnen(venster).isNull())
                PlaatsOpScherm(venster, TPlaatsing::Houden);
        });
    }
}

void HoudOpScherm(QWidget* venster) {
    if (venster) new TOpSchermWachter(venster);
}

} // namespace korvalinde
