#include "core/Reeks.h"

#include "core/Berekening.h"
#include "core/Invoerset.h"
#include "core/Meldingen.h"
#include "core/Scenario.h"
#include "domain/Algemeen.h"
#include "domain/Bedrijfsmodel.h"
#include "domain/Formaat.h"

#include <QThread>

#include <cmath>
#include <memory>
#include <mutex>
#include <vector>

namespace korvalinde {

namespace {

QString Tekst(double waarde, int decimalen) {
    std::string patroon = "0";
    if (decimalen > 0) patroon += "." + std::string(static_cast<std::size_t>(decimalen), '0');
    return QString::fromStdString(FormatFloat(patroon, static_cast<long double>(waarde)));
}

} // namespace

bool LeesReeks(const QString& tekst, const TInvoerset& invoer, TReeks& reeks, QString& fout) {
    const qsizetype is = tekst.indexOf(QLatin1Char('='));
    reeks = TReeks{tekst.left(is).trimmed(), {}};
    const TGetalInvoer* getal = is > 0 ? invoer.Getal(reeks.naam) : nullptr;
    if (!getal) {
        fout = is > 0 ? QStringLiteral("--reeks %1: geen getalinvoer met deze naam").arg(reeks.naam)
                      : QStringLiteral("--reeks %1: verwacht NAAM=BEGIN:EIND:STAP").arg(tekst);
        return false;
    }
    const QStringList delen = tekst.mid(is + 1).split(QLatin1Char(':'));
    double begin = 0, eind = 0, stap = 1;
    const bool gelezen = (delen.size() == 1 && ReeksGetal(delen[0], begin) && ReeksGetal(delen[0], eind)) ||
                         (delen.size() == 3 && ReeksGetal(delen[0], begin) && ReeksGetal(delen[1], eind) &&
                          ReeksGetal(delen[2], stap));
    if (!gelezen || stap <= 0 || eind < begin) {
        fout = QStringLiteral("--reeks %1: verwacht NAAM=BEGIN:EIND:STAP met BEGIN <= EIND en STAP > 0")
                   .arg(tekst);
        return false;
    }
    // The number of values from the step, so that 1:6:0.1 ends at 6 whatever the rounding of 0.1.
    const double stappen = std::floor((eind - begin) / stap + 1e-9);
    if (stappen + 1 > MaxReekswaarden) {
        fout = QStringLiteral("--reeks %1: meer dan %2 waarden").arg(tekst).arg(MaxReekswaarden);
        return false;
    }
    const int decimalen = getal->Geheel() ? 0 : getal->Decimal();
    for (int k = 0; k <= static_cast<int>(stappen); ++k) {
        const double waarde = begin + k * stap;
        // Values outside the input's range would be clamped by the input: refused instead.
        if (waarde < getal->MinValue() - 1e-9 || waarde > getal->MaxValue() + 1e-9) {
            fout = QStringLiteral("--reeks %1: %2 ligt buiten het bereik van %3 (%4 tot en met %5)")
                       .arg(tekst, Tekst(waarde, std::max(decimalen, 2)), reeks.naam,
                            Tekst(getal->MinValue(), decimalen), Tekst(getal->MaxValue(), decimalen));
            return false;
        }
        reeks.waarden << waarde;
    }
    return true;
}

bool ReeksGetal(const QString& tekst, double& waarde) {
    long double w = 0;
    if (!LeesGetal(tekst.trimmed().toStdString(), w) || !std::isfinite(w)) return false;
    waarde = static_cast<double>(w);
    return true;
}

int AantalReekspunten(const QList<TReeks>& reeksen) {
    int aantal = 1;
    for (const TReeks& r : reeksen) aantal *= static_cast<int>(r.waarden.size());
    return aantal;
}

namespace {

// One input set in which points of a sweep are computed, with the calculation driver whose rules of
// the alternatives hang on it (with no results in view it computes nothing itself), and the scenario
// as read into an input set of its own: every point starts from a copy of it. The model is kept
// too, so that points of the same herd share its cow classes.
struct TReekswerk {
    QByteArray scenario;
    QString fout; // the message of a scenario that could not be decoded, for every point
    TOpnameMelder stil;
    TInvoerset gelezen{&stil};
    TInvoerset invoer{&stil};
    TBerekening berekening{invoer, stil};
    TBedrijf bedrijf;
};

// The input sets of the sweeps computed lately, kept for their next points. An input set runs its
// rules through signals that only act at once in the thread that made it, so a thread only borrows
// one of its own. Never destroyed: the program may end while other threads still hold one.
class TReekswerkVoorraad {
  public:
    std::unique_ptr<TReekswerk> Leen(const QByteArray& scenario) {
        {
            const std::lock_guard<std::mutex> slot(mutex_);
            for (auto it = vrij_.begin(); it != vrij_.end(); ++it)
                if ((*it)->invoer.thread() == QThread::currentThread() && (*it)->scenario == scenario) {
                    std::unique_ptr<TReekswerk> werk = std::move(*it);
                    vrij_.erase(it);
                    return werk;
                }
        }
        auto werk = std::make_unique<TReekswerk>();
        werk->scenario = scenario;
        werk->fout = DecodeerScenario(scenario, werk->invoer);
        werk->gelezen.NeemToestandOver(werk->invoer);
        return werk;
    }

    void GeefTerug(std::unique_ptr<TReekswerk> werk) {
        std::unique_ptr<TReekswerk> weg;
        const std::lock_guard<std::mutex> slot(mutex_);
        vrij_.insert(vrij_.begin(), std::move(werk));
        if (vrij_.size() > MaxBewaard) {
            weg = std::move(vrij_.back());
            vrij_.pop_back();
        }
    }

  private:
    static constexpr std::size_t MaxBewaard = 16;
    std::mutex mutex_;
    std::vector<std::unique_ptr<TReekswerk>> vrij_;
};

TReekswerkVoorraad& Voorraad() {
    static auto* voorraad = new TReekswerkVoorraad;
    return *voorraad;
}

// The swept values of point `index` put into `invoer` (rules run as for a typed value), and the
// three variants computed.
TReekspunt Bereken(TInvoerset& invoer, TBedrijf& bedrijf, const QList<TReeks>& reeksen, int index) {
    TReekspunt punt;
    // The first sweep outermost: the index counts the last sweep fastest.
    QList<int> posities(reeksen.size());
    for (qsizetype r = reeksen.size() - 1; r >= 0; --r) {
        const int n = static_cast<int>(reeksen[r].waarden.size());
        posities[r] = index % n;
        index /= n;
    }
    try {
        for (qsizetype r = 0; r < reeksen.size(); ++r) {
            invoer.Getal(reeksen[r].naam)->SetValue(reeksen[r].waarden[posities[r]]);
        }
        for (qsizetype r = 0; r < reeksen.size(); ++r) punt.waarden << invoer.Getal(reeksen[r].naam)->Tekst();
        punt.invoer = LeesInvoerRecord(invoer);
    } catch (const std::exception& e) {
        punt.fout = QString::fromStdString(e.what());
        return punt;
    }
    try {
        bedrijf.BerekenSamenvatting(punt.invoer, punt.samenvatting);
    } catch (const std::exception& e) {
        punt.fout = QString::fromStdString(e.what());
    }
    return punt;
}

} // namespace

TReekspunt BerekenReekspunt(const QByteArray& scenario, const QList<TReeks>& reeksen, int index) {
    std::unique_ptr<TReekswerk> werk = Voorraad().Leen(scenario);
    TReekspunt punt;
    if (!werk->fout.isEmpty()) {
        punt.fout = werk->fout;
    } else {
        werk->invoer.NeemToestandOver(werk->gelezen);
        punt = Bereken(werk->invoer, werk->bedrijf, reeksen, index);
        werk->stil.Wis();
    }
    Voorraad().GeefTerug(std::move(werk));
    return punt;
}

TReekspunt BerekenReekspuntOpnieuwGelezen(const QByteArray& scenario, const QList<TReeks>& reeksen,
                                          int index) {
    TOpnameMelder stil;
    TInvoerset invoer(&stil);
    TBerekening berekening(invoer, stil);
    TReekspunt punt;
    punt.fout = DecodeerScenario(scenario, invoer);
    if (!punt.fout.isEmpty()) return punt;
    TBedrijf bedrijf;
    return Bereken(invoer, bedrijf, reeksen, index);
}

const QList<TSamenvattingKolom>& SamenvattingKolommen() {
    static const QList<TSamenvattingKolom> kolommen = [] {
        QList<TSamenvattingKolom> k;
        for (const TSamenvattingRij& r : SamenvattingRijen())
            if (*r.eenheid)
                k << TSamenvattingKolom{r.rij, QString::fromLatin1(r.label).trimmed() + QLatin1Char(' ') +
                                                   QString::fromLatin1(r.eenheid)};
        return k;
    }();
    return kolommen;
}

} // namespace korvalinde
