#include "core/Meldingen.h"

#include <QStringList>

namespace korvalinde {

QString MeldTitel(MeldSoort soort) {
    switch (soort) {
    case MeldSoort::Fout:
        return QStringLiteral("Fout");
    case MeldSoort::Waarschuwing:
        return QStringLiteral("Waarschuwing");
    case MeldSoort::Informatie:
        return QStringLiteral("Informatie");
    case MeldSoort::Bevestig:
        return QStringLiteral("Bevestig");
    case MeldSoort::Gewoon:
        break;
    }
    return QStringLiteral("Korvalinde");
}

QString KnopTekst(MeldKnop knop) {
    switch (knop) {
    case MeldKnop::Ja:
        return QStringLiteral("&Ja");
    case MeldKnop::Nee:
        return QStringLiteral("&Nee");
    case MeldKnop::OK:
        return QStringLiteral("OK");
    case MeldKnop::Annuleer:
        return QStringLiteral("Annuleer");
    case MeldKnop::Geen:
        break;
    }
    return {};
}

MeldKnop TOpnameMelder::Toon(MeldSoort soort, const QString& tekst, const MeldKnoppen& knoppen) {
    meldingen.append({soort, MeldTitel(soort), tekst, knoppen});
    if (!antwoorden.isEmpty()) return antwoorden.takeFirst();
    return knoppen.isEmpty() ? MeldKnop::Geen : knoppen.front();
}

bool TOpnameMelder::OpenAdres(const QUrl& adres) {
    geopend.append(adres);
    return openLukt;
}

QStringList TOpnameMelder::Teksten() const {
    QStringList uit;
    for (const Melding& m : meldingen) uit << m.tekst;
    return uit;
}

MeldKnop TEenmaligMelder::Toon(MeldSoort soort, const QString& tekst, const MeldKnoppen& knoppen) {
    if (knoppen.size() <= 1) {
        // The same text under another title (the turn-in date's "Fout" and the calculation's
        // "Waarschuwing") is the same problem.
        if (getoond_.contains(tekst)) return knoppen.isEmpty() ? MeldKnop::Geen : knoppen.front();
        getoond_.insert(tekst);
    }
    return doel_.Toon(soort, tekst, knoppen);
}

namespace {
TMelder*& Geinstalleerd() {
    static TMelder* melder = nullptr;
    return melder;
}
} // namespace

TMelder& StandaardMelder() {
    static TOpnameMelder stil;
    TMelder* melder = Geinstalleerd();
    return melder ? *melder : stil;
}

void ZetStandaardMelder(TMelder* melder) {
    Geinstalleerd() = melder;
}

} // namespace korvalinde
