#include "programs/Programma.h"

#include "components/Dialoogmelder.h"
#include "components/Programmainfo.h"
#include "core/Meldingen.h"
#include "programs/Handleiding.h"
#include "programs/Produktondersteuning.h"
#include "programs/Startvenster.h"
#include "programs/Versiecontrole.h"
#include "programs/systeem/Systeem.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLocale>
#include <QSettings>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace korvalinde {

namespace {

// Runs the product-support window's start-up display each time the main window becomes active.
class ActiveringsWacht : public QObject {
  public:
    ActiveringsWacht(QWidget* hoofdvenster, TFrmInfotxt* infotxt) : QObject(hoofdvenster), infotxt_(infotxt) {
        setObjectName(QStringLiteral("ActiveringsWacht"));
        hoofdvenster->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::WindowActivate && infotxt_) infotxt_->ToonBijActivering();
        return QObject::eventFilter(object, event);
    }

  private:
    QPointer<TFrmInfotxt> infotxt_;
};

// Runs `doe` when the entry is chosen; a missing entry is skipped.
void Verbind(QAction* actie, QObject* ontvanger, const std::function<void()>& doe) {
    if (actie) QObject::connect(actie, &QAction::triggered, ontvanger, [doe] { doe(); });
}

void Verbind(QAbstractButton* knop, QObject* ontvanger, const std::function<void()>& doe) {
    if (knop) QObject::connect(knop, &QAbstractButton::clicked, ontvanger, [doe] { doe(); });
}

// Closes the main window (its close query answers by itself now) and the start window and ends
// the message loop, once the boxes that were closed have returned, so that the main window is not
// in the middle of an earlier close; after `pogingen` tries of 10 ms it ends all the same.
void SluitEnStop(TProgrammaVensters* vensters, int pogingen) {
    if (QThread::currentThread()->loopLevel() > 1 && pogingen > 0) {
        QTimer::singleShot(10, QCoreApplication::instance(),
                           [vensters, pogingen] { SluitEnStop(vensters, pogingen - 1); });
        return;
    }
    if (vensters->hoofdvenster) vensters->hoofdvenster->close();
    vensters->beeindigd = true;
    if (vensters->opstart && vensters->opstart->isVisible()) vensters->opstart->close();
    QCoreApplication::quit();
}

// While it lives, a request to end the program (on Linux SIGTERM, SIGHUP, SIGINT: the session ends,
// the system shuts down, a terminal closes; on Windows the console closes or the session ends) ends
// it at once, without a box: the request is said on standard error, every open box and dialog is
// closed, and from then on every message goes to standard error and every question gets the answer
// that changes nothing (the close query "&Nee": a scenario not saved stays unsaved, and standard
// error says so). The main window then closes and stores the settings, and the program ends.
TEindeVerzoek VangEinde(TProgrammaVensters* vensters) {
    return TEindeVerzoek([vensters](const char* naam) {
        std::fprintf(stderr, "korvalinde: %s ontvangen: het programma stopt\n", naam);
        std::fflush(stderr);
        if (auto* scherm = dynamic_cast<TDialoogMelder*>(&StandaardMelder())) scherm->Beeindigen();
        SluitEnStop(vensters, 50);
    });
}

} // namespace

TProgrammaVensters::~TProgrammaVensters() = default;

void ZetProcesFormaten() {
    QLocale formaten = QLocale::c();
    formaten.setNumberOptions(QLocale::OmitGroupSeparator);
    QLocale::setDefault(formaten);
}

void KoppelHoofdvenster(const THoofdvensterIngangen& hoofdvenster, TFrmHandleiding* handleiding,
                        TFrmInfotxt* infotxt, TZnInfoBox* infoBox) {
    if (!hoofdvenster.venster) return;
    if (handleiding) {
        // The help menu's "&Handleiding" and the tool button "Handleiding" show the manual.
        const auto MitHandleidingClick = [handleiding] { handleiding->Toon(); };
        Verbind(hoofdvenster.handleiding, handleiding, MitHandleidingClick);
        Verbind(hoofdvenster.handleidingKnop, handleiding, MitHandleidingClick);
    }
    if (infotxt) {
        const auto MitProduktondersteuningClick = [infotxt] { infotxt->Toon(); };
        Verbind(hoofdvenster.produktondersteuning, infotxt, MitProduktondersteuningClick);
        Verbind(hoofdvenster.produktondersteuningKnop, infotxt, MitProduktondersteuningClick);
        if (hoofdvenster.produktondersteuningTonen)
            infotxt->KoppelMenu(hoofdvenster.produktondersteuningTonen);
        new ActiveringsWacht(hoofdvenster.venster, infotxt);
    }
    if (infoBox) {
        QPointer<TZnInfoBox> box = infoBox;
        Verbind(hoofdvenster.versiecontrole, infoBox, [box] {
            if (box) VersieControle1Click(*box);
        });
    }
}

std::unique_ptr<TProgrammaVensters>
BouwProgramma(const std::function<THoofdvensterIngangen()>& maakHoofdvenster, QSettings* instellingen) {
    auto vensters = std::make_unique<TProgrammaVensters>();
    TProgrammaVensters* v = vensters.get();

    // 1. Formats, and the HTTP client for every version check of the program.
    ZetProcesFormaten();
    InstalleerVersieOphaler();

    // 2. The start window, visible from the start; closing it ends the program.
    v->opstart = std::make_unique<TFrmOpstart>();
    QObject::connect(v->opstart.get(), &TFrmOpstart::ProgrammaBeeindigen, v->opstart.get(), [v] {
        v->beeindigd = true;
        QCoreApplication::quit();
    });
    v->opstart->show();

    // 3. The main window, hidden; its creation runs its start-up and first calculation.
    const THoofdvensterIngangen hoofdvenster =
        maakHoofdvenster ? maakHoofdvenster() : THoofdvensterIngangen{};
    v->hoofdvenster.reset(hoofdvenster.venster);
    if (v->hoofdvenster) v->hoofdvenster->hide();
    v->opstart->ZetHoofdvenster(v->hoofdvenster.get());

    // 4. The manual and product-support windows, hidden, and their links.
    v->handleiding = std::make_unique<TFrmHandleiding>();
    v->infotxt = std::make_unique<TFrmInfotxt>(instellingen);
    v->opstart->ZetProductOndersteuning(v->infotxt.get());

    TZnInfoBox* box = hoofdvenster.infoBox;
    if (!box) box = new TZnInfoBox(v->hoofdvenster ? v->hoofdvenster.get() : v->opstart.get());
    if (box->Versie.isEmpty()) box->Versie = VersieTekst(QStringLiteral("V"));
    if (box->Datum.isEmpty()) box->Datum = VersieTekst(QStringLiteral("D"));
    if (box->VersieFile.isEmpty()) box->VersieFile = QString::fromLatin1(ZnAdres::VersieBestand);
    PasVersieInstellingenToe(*box, instellingen);
    v->infoBox = box;
    KoppelHoofdvenster(hoofdvenster, v->handleiding.get(), v->infotxt.get(), box);
    const bool controleren = VersieControleBijStarten(instellingen);
    if (QAction* keuze = hoofdvenster.versieBijStarten) {
        keuze->setChecked(controleren);
        QObject::connect(keuze, &QAction::toggled, keuze,
                         [instellingen](bool aan) { ZetVersieControleBijStarten(instellingen, aan); });
    }

    // 5. The quiet check, when chosen: silent when up to date, offers a newer version, reports a
    // failure.
    if (!v->beeindigd && controleren) box->VersieControleren(false);
    return vensters;
}

int StartProgramma(QApplication& app, const std::function<THoofdvensterIngangen()>& maakHoofdvenster,
                   QSettings* instellingen) {
    std::unique_ptr<TProgrammaVensters> vensters = BouwProgramma(maakHoofdvenster, instellingen);
    // The start window may have been closed while the version check was waiting.
    if (vensters->beeindigd) return 0;
    const TEindeVerzoek einde = VangEinde(vensters.get());
    return app.exec();
}

} // namespace korvalinde
