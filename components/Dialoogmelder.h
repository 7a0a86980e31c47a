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

    // The program ends without waiting for its user (the system asked it to): from now on no box
    // is shown. Each message goes to standard error instead, and a question is answered with
    // "&Nee" (or, without it, "Annuleer"), the answer that changes nothing; every modal window open
    // now (a box, a file dialog) is closed as with Escape.
    void Beeindigen();
    bool Beeindigd() const { return beeindigd_; }

  private:
    bool beeindigd_ = false;
};

} // namespace korvalinde
