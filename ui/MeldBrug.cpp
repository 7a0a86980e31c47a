#include "ui/MeldBrug.h"

#include "ui/Meldvenster.h"

#include <QDesktopServices>

namespace korvalinde {

MeldSoort NaarMeldSoort(TZnMeldingSoort soort) {
    switch (soort) {
    case TZnMeldingSoort::Fout:
        return MeldSoort::Fout;
    case TZnMeldingSoort::Waarschuwing:
        return MeldSoort::Waarschuwing;
    case TZnMeldingSoort::Informatie:
        return MeldSoort::Informatie;
    case TZnMeldingSoort::Bevestig:
        return MeldSoort::Bevestig;
    }
    return MeldSoort::Gewoon;
}

MeldKnop NaarMeldKnop(TZnKnop knop) {
    switch (knop) {
    case TZnKnop::Ja:
        return MeldKnop::Ja;
    case TZnKnop::Nee:
        return MeldKnop::Nee;
    case TZnKnop::OK:
        return MeldKnop::OK;
    case TZnKnop::Annuleer:
        return MeldKnop::Annuleer;
    case TZnKnop::Geen:
        break;
    }
    return MeldKnop::Geen;
}

TZnKnop NaarZnKnop(MeldKnop knop) {
    switch (knop) {
    case MeldKnop::Ja:
        return TZnKnop::Ja;
    case MeldKnop::Nee:
        return TZnKnop::Nee;
    case MeldKnop::OK:
        return TZnKnop::OK;
    case MeldKnop::Annuleer:
        return TZnKnop::Annuleer;
    case MeldKnop::Geen:
        break;
    }
    return TZnKnop::Geen;
}

TZnKnop TZnMeldBrug::Toon(TZnMeldingSoort soort, const QString& tekst, const QList<TZnKnop>& knoppen) {
    MeldKnoppen omgezet;
    for (TZnKnop knop : knoppen)
        if (knop != TZnKnop::Geen) omgezet << NaarMeldKnop(knop);
    TMelder& melder = melder_ ? *melder_ : StandaardMelder();
    return NaarZnKnop(melder.Toon(NaarMeldSoort(soort), tekst, omgezet));
}

bool TZnMeldBrug::OpenAdres(const QUrl& adres) {
    if (Openen) return Openen(adres);
    return QDesktopServices::openUrl(adres);
}

} // namespace korvalinde
