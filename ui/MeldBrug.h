// One set of message boxes for the whole program. The components (about box, version check, print
// preview, report) report through TZnMeldingen, the input rules, the calculation and the scenario
// file through TMelder. This bridge passes the components' boxes on to a TMelder, so that both
// show the same boxes on screen and a test that records the TMelder sees every box of the program.
#pragma once

#include "core/Meldingen.h"
#include "components/ZnMeldingen.h"

#include <functional>

namespace korvalinde {

MeldSoort NaarMeldSoort(TZnMeldingSoort soort);
MeldKnop NaarMeldKnop(TZnKnop knop);
TZnKnop NaarZnKnop(MeldKnop knop);

class TZnMeldBrug : public TZnMeldingen {
  public:
    // Boxes go to `melder` (not owned); without one to the program's standard melder of the moment
    // (StandaardMelder(), which a test may have replaced).
    explicit TZnMeldBrug(TMelder* melder = nullptr) : melder_(melder) {}

    TZnKnop Toon(TZnMeldingSoort soort, const QString& tekst, const QList<TZnKnop>& knoppen) override;
    // Through `Openen` when set, otherwise the system's default handler.
    bool OpenAdres(const QUrl& adres) override;

    // Replaces the opening of addresses (tests record them instead of starting a browser).
    std::function<bool(const QUrl&)> Openen;

  private:
    TMelder* melder_;
};

} // namespace korvalinde
