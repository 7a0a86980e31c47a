// The message boxes on screen: the program's TMelder as modal QMessageBoxes, and the opening of an
// address in the system's default browser. The desktop program installs one at its start
// (ZetStandaardMelder); tests and the batch calculator record boxes with a TOpnameMelder instead.
#pragma once

#include "core/Meldingen.h"

namespace korvalinde {

// Modal QMessageBox with the kind's title and symbol and the Dutch buttons, over the active window;
// QDesktopServices for addresses.
class TDialoogMelder : public TMelder {
  public:
    MeldKnop Toon(MeldSoort soort, const QString& tekst, const MeldKnoppen& knoppen) override;
    bool OpenAdres(const QUrl& adres) override;
};

} // namespace korvalinde
