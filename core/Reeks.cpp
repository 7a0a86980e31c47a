#include "core/Reeks.h"

#include "core/Berekening.h"
#include "core/Csv.h"
#include "core/Invoerset.h"
#include "core/Meldingen.h"
#include "core/Scenario.h"
#include "domain/Algemeen.h"
#include "domain/Bedrijfsmodel.h"
#include "domain/Formaat.h"
#include "domain/Grastabel.h"

#include <QLocale>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <limits>
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

namespace {

// A date of the sweep "Cbxdatum=...", day x 100 + month, as its day of the year; false with the
// message (the day edit's own for a day or month that does not exist).
bool LeesDatum(const QString& reekstekst, const QString& deel, int& dag, QString& fout) {
    double ddmm = 0;
    if (!ReeksGetal(deel, ddmm) || ddmm != std::floor(ddmm) || ddmm < 0 || ddmm > 1e6) {
        fout = QStringLiteral("--reeks %1: %2 is geen datum; verwacht dag x 100 + maand, zoals 0104")
                   .arg(reekstekst, deel.trimmed());
        return false;
    }
    if (const QString reden = TDagInvoer::Controle(static_cast<long long>(ddmm)); !reden.isEmpty()) {
        fout = QStringLiteral("--reeks %1: %2: %3").arg(reekstekst, deel.trimmed(), reden);
        return false;
    }
    dag = TDagInvoer::DagNummer(static_cast<int>(ddmm));
    if (dag < EersteWeidedag() || dag > LaatsteWeidedag()) {
        fout = QStringLiteral("--reeks %1: %2 ligt buiten de weidemaanden (%3 tot en met %4)")
                   .arg(reekstekst, DagMaandTekst(dag), DagMaandTekst(EersteWeidedag()),
                        DagMaandTekst(LaatsteWeidedag()));
        return false;
    }
    return true;
}

// "Cbxdatum=VAN:TOT:DAGEN" or "Cbxdatum=DATUM".
bool LeesDatumreeks(const QString& tekst, const QStringList& delen, TReeks& reeks, QString& fout) {
    int van = 0, tot = 0;
    double stap = 1;
    if (delen.size() != 1 && delen.size() != 3) {
        fout = QStringLiteral("--reeks %1: verwacht Cbxdatum=VAN:TOT:DAGEN, zoals Cbxdatum=0104:3110:7")
                   .arg(tekst);
        return false;
    }
    if (!LeesDatum(tekst, delen[0], van, fout) ||
        !LeesDatum(tekst, delen[delen.size() == 3 ? 1 : 0], tot, fout))
        return false;
    if (delen.size() == 3 && (!ReeksGetal(delen[2], stap) || stap < 1 || stap != std::floor(stap))) {
        fout = QStringLiteral("--reeks %1: de stap is een aantal hele dagen, 1 of meer").arg(tekst);
        return false;
    }
    if (tot < van) {
        fout = QStringLiteral("--reeks %1: de einddatum %2 ligt voor de begindatum %3")
                   .arg(tekst, DagMaandTekst(tot), DagMaandTekst(van));
        return false;
    }
    for (int dag = van; dag <= tot; dag += static_cast<int>(stap)) reeks.waarden << dag;
    return true;
}

} // namespace

bool IsDatumreeks(const QString& naam) {
    return naam == QLatin1String("Cbxdatum");
}

int EersteWeidedag() {
    return TDagInvoer::DagNummer(100 + EersteWeidemaand);
}

int LaatsteWeidedag() {
    return TDagInvoer::DagNummer(100 + LaatsteWeidemaand + 1) - 1;
}

QString DagMaandTekst(int dag) {
    // Beyond the year (an axis's end) no date: the number.
    if (dag < 1 || dag > 365) return QString::number(dag);
    const int ddmm = TDagInvoer::DagMaand(dag);
    return QStringLiteral("%1/%2")
        .arg(ddmm / 100, 2, 10, QLatin1Char('0'))
        .arg(ddmm % 100, 2, 10, QLatin1Char('0'));
}

QString Astekst(const QString& naam, double waarde) {
    if (IsDatumreeks(naam)) return DagMaandTekst(static_cast<int>(std::lround(waarde)));
    return QLocale::c().toString(waarde, 'g', 12);
}

bool LeesReeks(const QString& tekst, const TInvoerset& invoer, TReeks& reeks, QString& fout) {
    const qsizetype is = tekst.indexOf(QLatin1Char('='));
    reeks = TReeks{tekst.left(is).trimmed(), {}};
    if (is > 0 && IsDatumreeks(reeks.naam))
        return LeesDatumreeks(tekst, tekst.mid(is + 1).split(QLatin1Char(':')), reeks, fout);
    const TGetalInvoer* getal = is > 0 ? invoer.Getal(reeks.naam) : nullptr;
    if (!getal) {
        fout = is > 0 ? OnbekendeInvoer(invoer, QStringLiteral("--reeks"), reeks.naam)
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
    // A finer step than the input's values would put the same value in several rows.
    if (delen.size() == 3 && stap < KleinsteStap(*getal) * (1 - 1e-9)) {
        fout = QStringLiteral("--reeks %1: de stap %2 is fijner dan de waarden van %3 (stap %4 of meer)")
                   .arg(tekst, delen[2].trimmed(), reeks.naam, Tekst(KleinsteStap(*getal), decimalen));
        return false;
    }
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
    // Finite also as a double: 1e400 fits a long double, not the value it becomes.
    if (!LeesGetal(tekst.trimmed().toStdString(), w) || !std::isfinite(static_cast<double>(w))) return false;
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
        // The date first: leaving the day edit sets the grass supply of its month, which a swept
        // supply then changes.
        for (qsizetype r = 0; r < reeksen.size(); ++r)
            if (IsDatumreeks(reeksen[r].naam)) {
                const int dag = static_cast<int>(std::lround(reeksen[r].waarden[posities[r]]));
                invoer.Cbxdatum->ZetTekst(QString::number(TDagInvoer::DagMaand(dag)));
                invoer.Cbxdatum->Verlaat();
            }
        for (qsizetype r = 0; r < reeksen.size(); ++r)
            if (!IsDatumreeks(reeksen[r].naam))
                invoer.Getal(reeksen[r].naam)->SetValue(reeksen[r].waarden[posities[r]]);
        for (qsizetype r = 0; r < reeksen.size(); ++r)
            punt.waarden << (IsDatumreeks(reeksen[r].naam) ? DagMaandTekst(invoer.Cbxdatum->DagVanHetJaar())
                                                           : invoer.Getal(reeksen[r].naam)->Tekst());
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

bool KiesSamenvattingsrij(const QString& tekst, const QString& optie, TSamenvattingKolom& kolom,
                          QString& fout) {
    QStringList passend;
    for (const TSamenvattingKolom& k : SamenvattingKolommen())
        if (k.titel.contains(tekst, Qt::CaseInsensitive)) {
            kolom = k;
            passend << k.titel;
        }
    if (passend.size() == 1) return true;
    fout = passend.isEmpty() ? QStringLiteral("%1 %2: geen rij van de samenvatting").arg(optie, tekst)
                             : QStringLiteral("%1 %2: meer dan een rij past: %3")
                                   .arg(optie, tekst, passend.join(QStringLiteral("; ")));
    return false;
}

QStringList ReeksKopVelden(const QList<TReeks>& reeksen, bool alternatieven) {
    QStringList kop;
    for (const TReeks& r : reeksen) kop << r.naam;
    for (int v = 0; v < (alternatieven ? AantalVarianten : 1); ++v)
        for (const TSamenvattingKolom& k : SamenvattingKolommen())
            kop << (alternatieven ? VariantNaam(v) + QStringLiteral(": ") : QString()) + k.titel;
    return kop;
}

QStringList ReeksVelden(const TReekspunt& punt, int aantalReeksen, bool alternatieven) {
    QStringList regel = punt.waarden;
    while (regel.size() < aantalReeksen) regel << QString();
    for (int v = 0; v < (alternatieven ? AantalVarianten : 1); ++v)
        for (const TSamenvattingKolom& k : SamenvattingKolommen())
            regel << QString::fromStdString(
                         punt.samenvatting[static_cast<std::size_t>(KolBasis) + static_cast<std::size_t>(v)]
                                          [static_cast<std::size_t>(k.rij)])
                         .trimmed();
    return regel;
}

QString ReeksCsvKop(const QList<TReeks>& reeksen, bool alternatieven) {
    return CsvRegel(ReeksKopVelden(reeksen, alternatieven));
}

QString ReeksCsvRegel(const TReekspunt& punt, int aantalReeksen, bool alternatieven) {
    return CsvRegel(ReeksVelden(punt, aantalReeksen, alternatieven));
}

double Samenvattingswaarde(const TSamenvatting& samenvatting, SamRij rij, int variant) {
    return Reekswaarde(QString::fromStdString(
        samenvatting[static_cast<std::size_t>(KolBasis) + static_cast<std::size_t>(variant)]
                    [static_cast<std::size_t>(rij)]));
}

double Reekswaarde(const QString& veld) {
    double w = 0;
    if (ReeksGetal(veld, w)) return w;
    // A swept date, "01/04".
    const QStringList delen = veld.trimmed().split(QLatin1Char('/'));
    bool dagOk = false, maandOk = false;
    if (delen.size() == 2 && delen[0].size() == 2 && delen[1].size() == 2) {
        const int ddmm = delen[0].toInt(&dagOk) * 100 + delen[1].toInt(&maandOk);
        if (dagOk && maandOk && TDagInvoer::Controle(ddmm).isEmpty()) return TDagInvoer::DagNummer(ddmm);
    }
    return std::numeric_limits<double>::quiet_NaN();
}

double KleinsteStap(const TGetalInvoer& invoer) {
    return invoer.Geheel() ? 1.0 : std::pow(10.0, -invoer.Decimal());
}

QString Invoertitel(const TGetalInvoer& invoer) {
    if (!invoer.Label().isEmpty()) return invoer.Label();
    if (invoer.Naam() == QLatin1String("SpeAlt1")) return QStringLiteral("Waarde alternatief 1");
    if (invoer.Naam() == QLatin1String("SpeAlt2")) return QStringLiteral("Waarde alternatief 2");
    return invoer.Naam();
}

QString Reekstitel(const TInvoerset& invoer, const QString& naam) {
    if (IsDatumreeks(naam)) return invoer.Cbxdatum->Label();
    const TGetalInvoer* getal = invoer.Getal(naam);
    return getal ? Invoertitel(*getal) : naam;
}

QList<TReeksinvoer> Reeksinvoeren(const TInvoerset& invoer) {
    QList<TReeksinvoer> lijst;
    for (const TGetalInvoer* g : invoer.Getallen()) {
        TReeksinvoer r;
        r.naam = g->Naam();
        r.label = Invoertitel(*g);
        // The unit is the last part in brackets when it is one ("(ha)", "(kg ds/ha)"); a longer
        // part ("(20 uur beweiding)") says when, and stays in the label.
        const qsizetype open = r.label.lastIndexOf(QLatin1Char('('));
        if (open > 0 && r.label.endsWith(QLatin1Char(')'))) {
            const QString deel = r.label.mid(open + 1, r.label.size() - open - 2).trimmed();
            if (deel.count(QLatin1Char(' ')) <= 1) {
                r.eenheid = deel;
                r.label = r.label.left(open).trimmed();
            }
        }
        r.decimalen = g->Geheel() ? 0 : g->Decimal();
        r.minimum = Tekst(g->MinValue(), r.decimalen);
        r.maximum = Tekst(g->MaxValue(), r.decimalen);
        r.stap = Tekst(g->Increment(), r.decimalen);
        lijst << r;
    }
    return lijst;
}

QString InvoerlijstCsv(const TInvoerset& invoer) {
    QString csv = CsvRegel({QStringLiteral("naam"), QStringLiteral("label"), QStringLiteral("eenheid"),
                            QStringLiteral("minimum"), QStringLiteral("maximum"), QStringLiteral("stap"),
                            QStringLiteral("decimalen")});
    for (const TReeksinvoer& r : Reeksinvoeren(invoer))
        csv += CsvRegel(
            {r.naam, r.label, r.eenheid, r.minimum, r.maximum, r.stap, QString::number(r.decimalen)});
    return csv;
}

namespace {

// The fewest letters to insert, remove or change to make one text the other.
qsizetype Afstand(const QString& a, const QString& b) {
    QList<qsizetype> vorige(b.size() + 1);
    QList<qsizetype> rij(b.size() + 1);
    for (qsizetype j = 0; j <= b.size(); ++j) vorige[j] = j;
    for (qsizetype i = 1; i <= a.size(); ++i) {
        rij[0] = i;
        for (qsizetype j = 1; j <= b.size(); ++j)
            rij[j] =
                std::min({vorige[j] + 1, rij[j - 1] + 1, vorige[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
        std::swap(vorige, rij);
    }
    return vorige[b.size()];
}

} // namespace

QStringList NaasteInvoernamen(const TInvoerset& invoer, const QString& naam, int aantal) {
    const QString gezocht = naam.trimmed().toLower();
    struct Kandidaat {
        int soort; // 0 the name holds the text, 1 the label does, 2 neither
        qsizetype afstand;
        QString naam;
    };
    QList<Kandidaat> kandidaten;
    for (const TGetalInvoer* g : invoer.Getallen()) {
        const int soort = gezocht.isEmpty()                             ? 2
                          : g->Naam().toLower().contains(gezocht)       ? 0
                          : Invoertitel(*g).toLower().contains(gezocht) ? 1
                                                                        : 2;
        kandidaten << Kandidaat{soort, Afstand(gezocht, g->Naam().toLower()), g->Naam()};
    }
    std::stable_sort(kandidaten.begin(), kandidaten.end(), [](const Kandidaat& a, const Kandidaat& b) {
        return a.soort != b.soort ? a.soort < b.soort : a.afstand < b.afstand;
    });
    QStringList namen;
    for (qsizetype i = 0; i < kandidaten.size() && i < aantal; ++i) namen << kandidaten[i].naam;
    return namen;
}

QString OnbekendeInvoer(const TInvoerset& invoer, const QString& optie, const QString& naam) {
    QStringList naast;
    for (const QString& n : NaasteInvoernamen(invoer, naam))
        naast << QStringLiteral("%1 (%2)").arg(n, Invoertitel(*invoer.Getal(n)));
    return QStringLiteral("%1 %2: geen getalinvoer met deze naam; het dichtst bij komen %3 (alle namen: "
                          "korvalinde-bereken --invoerlijst)")
        .arg(optie, naam, naast.join(QStringLiteral(", ")));
}

} // namespace korvalinde
