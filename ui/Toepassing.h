// The application object of the desktop program and its general error display for failures that no
// handler caught: an error box with the message, after which the program goes on. The boxes
// themselves are components/Dialoogmelder.
#pragma once

#include "components/Dialoogmelder.h"
#include "core/Meldingen.h"

#include <QApplication>

#include <functional>

namespace korvalinde {

// The general error display: an error box ("Fout", "OK") with the message, through StandaardMelder().
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
