#include "core/Verkennen.h"

#include "core/Geordend.h"
#include "core/Invoerset.h"
#include "domain/Algemeen.h"

#include <cmath>

namespace korvalinde {

namespace {

// Raised by the ordered work's writer to stop a search the caller no longer wants.
struct Afgebroken {};

} // namespace

bool LeesZoekdoel(const QString& tekst, TZoekdoel& doel, QString& fout) {
    qsizetype is = tekst.indexOf(QLatin1String(">="));
    doel.minstens = is >= 0;
    if (is < 0) is = tekst.indexOf(QLatin1String("<="));
    const QString rij = is > 0 ? tekst.left(is).trimmed() : QString();
    if (rij.isEmpty() || !ReeksGetal(tekst.mid(is + 2), doel.waarde)) {
        fout = QStringLiteral("--zoek %1: verwacht RIJ>=DOEL of RIJ<=DOEL").arg(tekst);
        return false;
    }
    return KiesSamenvattingsrij(rij, QStringLiteral("--zoek"), doel.kolom, fout);
}

bool VoldoetAanDoel(const TZoekdoel& doel, const TSamenvatting& samenvatting) {
    const double w = Samenvattingswaarde(samenvatting, doel.kolom.rij);
    if (std::isnan(w)) return false;
    return doel.minstens ? w >= doel.waarde : w <= doel.waarde;
}

double Zoekstap(const TGetalInvoer& invoer) {
    return std::max(invoer.Increment(), KleinsteStap(invoer));
}

bool LeesZoekbereik(const QString& tekst, const TInvoerset& invoer, TReeks& reeks, QString& fout) {
    const qsizetype is = tekst.indexOf(QLatin1Char('='));
    const TGetalInvoer* getal = is > 0 ? invoer.Getal(tekst.left(is).trimmed()) : nullptr;
    const QStringList delen = tekst.mid(is + 1).split(QLatin1Char(':'));
    double van = 0, tot = 0;
    if (!getal) {
        fout = is > 0 ? OnbekendeInvoer(invoer, QStringLiteral("--varieer"), tekst.left(is).trimmed())
                      : QStringLiteral("--varieer %1: verwacht NAAM=VAN:TOT").arg(tekst);
        return false;
    }
    if (delen.size() != 2 || !ReeksGetal(delen[0], van) || !ReeksGetal(delen[1], tot) || tot < van) {
        fout = QStringLiteral("--varieer %1: verwacht NAAM=VAN:TOT met VAN <= TOT").arg(tekst);
        return false;
    }
    // The ends moved inwards onto the input's grid (its steps from its minimum), written out exactly
    // enough for the sweep's reading ("0.1", "1", "25").
    const double stap = Zoekstap(*getal);
    const double begin = getal->MinValue() + std::ceil((van - getal->MinValue()) / stap - 1e-9) * stap;
    const double eind = getal->MinValue() + std::floor((tot - getal->MinValue()) / stap + 1e-9) * stap;
    if (eind < begin - 1e-9) {
        fout = QStringLiteral("--varieer %1: geen waarde op de stappen van %2 (%3) tussen %4 en %5")
                   .arg(tekst, getal->Naam(), QString::number(stap, 'g', 15), delen[0].trimmed(),
                        delen[1].trimmed());
        return false;
    }
    const QString volledig =
        QStringLiteral("%1=%2:%3:%4")
            .arg(getal->Naam(), QString::number(begin, 'g', 15),
                 QString::number(std::max(begin, eind), 'g', 15), QString::number(stap, 'g', 15));
    if (LeesReeks(volledig, invoer, reeks, fout)) return true;
    fout.replace(QStringLiteral("--reeks ") + volledig, QStringLiteral("--varieer ") + tekst);
    return false;
}

TZoekuitkomst BeoordeelScan(const QList<bool>& voldoet, bool grootste) {
    TZoekuitkomst u;
    const int n = static_cast<int>(voldoet.size());
    // k-th value of the scan: from the smallest, or from the largest.
    const auto index = [&](int k) { return grootste ? n - 1 - k : k; };
    // A monotone relation meets the target on one side of one value only: along the scan the answer
    // changes at most once (fail, fail, meet, meet; or meet, meet, fail when it runs the other way).
    int wissels = 0;
    for (int k = 0; k < n; ++k) {
        const int i = index(k);
        if (k > 0 && voldoet[i] != voldoet[index(k - 1)]) ++wissels;
        if (voldoet[i]) {
            if (!u.gevonden) u.index = i;
            u.gevonden = true;
            u.laatsteIndex = i;
        }
    }
    u.monotoon = wissels <= 1;
    return u;
}

TZoekuitkomst Zoek(const QByteArray& scenario, const TReeks& reeks, const TZoekdoel& doel, bool grootste,
                   unsigned draden, const std::function<bool(int, int)>& voortgang) {
    const QList<TReeks> reeksen{reeks};
    const int aantal = static_cast<int>(reeks.waarden.size());
    QList<bool> voldoet(aantal, false);
    QStringList teksten(aantal);
    TReekspunt kandidaat; // the point first met in the scan so far, kept whole
    bool alVoldaan = false;
    int modelfouten = 0;
    QString eersteModelfout;
    struct Punt {
        TReekspunt punt;
        bool voldoet = false;
    };
    try {
        VerwerkGeordend<Punt>(
            static_cast<std::size_t>(aantal), std::max(1u, draden),
            [&](std::size_t i) {
                Punt p{BerekenReekspunt(scenario, reeksen, static_cast<int>(i)), false};
                p.voldoet = p.punt.fout.isEmpty() && VoldoetAanDoel(doel, p.punt.samenvatting);
                return p;
            },
            [&](std::size_t i, Punt& p) {
                const int k = static_cast<int>(i);
                voldoet[k] = p.voldoet;
                teksten[k] = p.punt.waarden.value(0);
                if (!p.punt.fout.isEmpty() && modelfouten++ == 0)
                    eersteModelfout = teksten[k] + QStringLiteral(": ") + p.punt.fout;
                // From the smallest the first value met is kept; from the largest the last one.
                if (p.voldoet && (grootste || !alVoldaan)) kandidaat = std::move(p.punt);
                alVoldaan = alVoldaan || p.voldoet;
                if (voortgang && !voortgang(k + 1, aantal)) throw Afgebroken{};
            });
    } catch (const Afgebroken&) {
        TZoekuitkomst u;
        u.afgebroken = true;
        return u;
    }
    TZoekuitkomst u = BeoordeelScan(voldoet, grootste);
    u.modelfouten = modelfouten;
    u.eersteModelfout = eersteModelfout;
    if (u.gevonden) {
        u.punt = std::move(kandidaat);
        u.eerste = teksten[u.index];
        u.laatste = teksten[u.laatsteIndex];
    }
    return u;
}

} // namespace korvalinde
