// The message boxes on screen, and the application's general error display for failures that no
// handler caught: an error box with the message, after which the program goes on.
#pragma once

#include "core/Meldingen.h"

#include <QApplication>

#include <functional>

namespace korvalinde {

// Modal QMessageBox with the kind's title and symbol and the Dutch buttons, over the active window.
class TDialoogMelder : public TMelder {
  public:
    MeldKnop Toon(MeldSoort soort, const QString& tekst, const MeldKnoppen& knoppen) override;
};

// The melder of the whole program: the on-screen boxes unless another one was installed (tests
// install a TOpnameMelder). ZetStandaardMelder(nullptr) returns to the on-screen boxes.
TMelder& StandaardMelder();
void ZetStandaardMelder(TMelder* melder);

// The general error display: an error box ("Fout", "OK") with the message.
void ToonAlgemeneFout(const QString& melding);

// Runs a handler; what it raises goes to the general error display and the program goes on.
void VangFouten(const std::function<void()>& handler);

// The application object: every event passes through notify(), so an exception that a handler
// let through ends up in the general error display instead of ending the program.
class TKorvalindeApplicatie : public QApplication {
    Q_OBJECT
  public:
    TKorvalindeApplicatie(int& argc, char** argv);
    bool notify(QObject* ontvanger, QEvent* gebeurtenis) override;
};

} // namespace korvalinde
