#include "core/Gevoeligheid.h"

#include "core/Berekening.h"
#include "core/Csv.h"
#include "core/Geordend.h"
#include "core/Invoerset.h"
#include "core/Meldingen.h"
#include "core/Reeksgrafiek.h"
#include "core/Scenario.h"
#include "core/Verkennen.h"
#include "domain/Formaat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvalinde {

namespace {

// Raised by the ordered work's writer to stop what the caller no longer wants.
struct Afgebroken {};

// The decimals a value of the summary is shown with: "4.20" has 2.
int Decimalen(const QString& tekst) {
    const qsizetype punt = tekst.indexOf(QLatin1Char('.'));
    return punt < 0 ? 0 : static_cast<int>(tekst.size() - punt - 1);
}

TReeks Enkel(const QString& naam, double waarde) {
    return TReeks{naam, {waarde}};
}

} // namespace

QList<TGevoeligheidsrij> Gevoeligheidsrijen(const TInvoerset& invoer, const TVerandering& verandering) {
    QList<TGevoeligheidsrij> rijen;
    for (const TGetalInvoer* g : invoer.Getallen()) {
        const double waarde = g->Value();
        const double stap = Zoekstap(*g);
        // Whole steps of the grid: one, or as many as come closest to the percentage.
        const double stappen =
            verandering.procentueel
                ? static_cast<double>(std::llround(std::fabs(waarde) * verandering.procent / 100 / stap))
                : 1.0;
        TGevoeligheidsrij rij;
        rij.naam = g->Naam();
        rij.invoer = Invoertitel(*g);
        rij.laagTekst = g->TekstVoor(waarde - stappen * stap);
        rij.hoogTekst = g->TekstVoor(waarde + stappen * stap);
        // The values as the texts hold them, exactly what a sweep of that text takes.
        rij.laag = Enkel(rij.naam, Reekswaarde(rij.laagTekst));
        rij.hoog = Enkel(rij.naam, Reekswaarde(rij.hoogTekst));
        rijen << rij;
    }
    const TDagInvoer* datum = invoer.Cbxdatum;
    if (TDagInvoer::Controle(datum->Waarde()).isEmpty()) {
        // Within the grazing months, or no further out than the scenario's own date.
        const int dag = datum->DagVanHetJaar();
        const int laag = std::max(dag - verandering.dagen, std::min(dag, EersteWeidedag()));
        const int hoog = std::min(dag + verandering.dagen, std::max(dag, LaatsteWeidedag()));
        TGevoeligheidsrij rij;
        rij.naam = datum->Naam();
        rij.invoer = datum->Label();
        rij.laag = Enkel(rij.naam, laag);
        rij.hoog = Enkel(rij.naam, hoog);
        rij.laagTekst = DagMaandTekst(laag);
        rij.hoogTekst = DagMaandTekst(hoog);
        rijen << rij;
    }
    return rijen;
}

TGevoeligheid BerekenGevoeligheid(const QByteArray& scenario, const TSamenvattingKolom& kolom,
                                  const TVerandering& verandering, unsigned draden,
                                  const std::function<bool(int, int)>& voortgang) {
    TGevoeligheid uitkomst;
    uitkomst.kolom = kolom;
    TOpnameMelder stil;
    TInvoerset invoer(&stil);
    const TBerekening berekening(invoer, stil);
    uitkomst.fout = DecodeerScenario(scenario, invoer);
    if (!uitkomst.fout.isEmpty()) return uitkomst;
    const auto rijwaarde = [&kolom](const TReekspunt& p) {
        return QString::fromStdString(
                   p.samenvatting[static_cast<std::size_t>(KolBasis)][static_cast<std::size_t>(kolom.rij)])
            .trimmed();
    };
    const TReekspunt basis = BerekenReekspunt(scenario, {}, 0);
    if (!basis.fout.isEmpty()) {
        uitkomst.fout = basis.fout;
        return uitkomst;
    }
    uitkomst.basis = rijwaarde(basis);
    QList<TGevoeligheidsrij> rijen = Gevoeligheidsrijen(invoer, verandering);

    // Point 2i is row i's low value, 2i + 1 its high one.
    const int aantal = static_cast<int>(rijen.size()) * 2;
    try {
        VerwerkGeordend<TReekspunt>(
            static_cast<std::size_t>(aantal), std::max(1u, draden),
            [&](std::size_t i) {
                const TGevoeligheidsrij& rij = rijen[static_cast<qsizetype>(i / 2)];
                return BerekenReekspunt(scenario, {i % 2 == 0 ? rij.laag : rij.hoog}, 0);
            },
            [&](std::size_t i, TReekspunt& p) {
                TGevoeligheidsrij& rij = rijen[static_cast<qsizetype>(i / 2)];
                // A point where the model stopped has no value, also not a text it wrote before.
                (i % 2 == 0 ? rij.bijLaag : rij.bijHoog) = p.fout.isEmpty() ? rijwaarde(p) : QString();
                if (!p.fout.isEmpty() && rij.fout.isEmpty()) {
                    rij.foutBij = i % 2 == 0 ? rij.laagTekst : rij.hoogTekst;
                    rij.fout = p.fout;
                }
                if (voortgang && !voortgang(static_cast<int>(i) + 1, aantal)) throw Afgebroken{};
            });
    } catch (const Afgebroken&) {
        uitkomst.afgebroken = true;
        return uitkomst;
    }

    const double b = Reekswaarde(uitkomst.basis);
    for (TGevoeligheidsrij& rij : rijen) {
        const double laag = Reekswaarde(rij.bijLaag);
        const double hoog = Reekswaarde(rij.bijHoog);
        if (std::isnan(b) || std::isnan(laag) || std::isnan(hoog)) {
            rij.effect = std::numeric_limits<double>::quiet_NaN();
            continue;
        }
        const int decimalen =
            std::max({Decimalen(uitkomst.basis), Decimalen(rij.bijLaag), Decimalen(rij.bijHoog)});
        std::string patroon = "0";
        if (decimalen > 0) patroon += "." + std::string(static_cast<std::size_t>(decimalen), '0');
        const long double effect = std::max(std::fabs(static_cast<long double>(laag) - b),
                                            std::fabs(static_cast<long double>(hoog) - b));
        rij.effectTekst = QString::fromStdString(FormatFloat(patroon, effect));
        // Ranked by the effect as shown, so that effects that look the same keep screen order.
        rij.effect = Reekswaarde(rij.effectTekst);
    }
    // The largest effect first, no effect (0) after every other, no value last.
    const auto soort = [](const TGevoeligheidsrij& r) {
        return std::isnan(r.effect) ? 2 : r.effect == 0 ? 1 : 0;
    };
    std::stable_sort(rijen.begin(), rijen.end(),
                     [&soort](const TGevoeligheidsrij& x, const TGevoeligheidsrij& y) {
                         if (soort(x) != soort(y)) return soort(x) < soort(y);
                         return soort(x) == 0 && x.effect > y.effect;
                     });
    uitkomst.rijen = rijen;
    return uitkomst;
}

QStringList GevoeligheidKopVelden(const TGevoeligheid& gevoeligheid) {
    return {QStringLiteral("naam"),
            QStringLiteral("invoer"),
            QStringLiteral("laag"),
            QStringLiteral("hoog"),
            gevoeligheid.kolom.titel + QStringLiteral(" bij laag"),
            gevoeligheid.kolom.titel + QStringLiteral(" bij hoog"),
            QStringLiteral("effect")};
}

QStringList GevoeligheidVelden(const TGevoeligheidsrij& rij) {
    return {rij.naam, rij.invoer, rij.laagTekst, rij.hoogTekst, rij.bijLaag, rij.bijHoog, rij.effectTekst};
}

QString GevoeligheidCsv(const TGevoeligheid& gevoeligheid) {
    QString csv = CsvRegel(GevoeligheidKopVelden(gevoeligheid));
    for (const TGevoeligheidsrij& rij : gevoeligheid.rijen) csv += CsvRegel(GevoeligheidVelden(rij));
    return csv;
}

int TornadoHoogte(const TGevoeligheid& gevoeligheid) {
    return 120 + 22 * static_cast<int>(gevoeligheid.rijen.size());
}

QList<TGrafiek> BouwTornadografiek(const TGevoeligheid& gevoeligheid) {
    const double basis = Reekswaarde(gevoeligheid.basis);
    const int n = static_cast<int>(gevoeligheid.rijen.size());
    if (n == 0 || std::isnan(basis)) return {};
    TGrafiek g;
    g.titel = gevoeligheid.kolom.titel;
    g.legenda = TLegendaPlaats::Onder;
    double laagste = basis, hoogste = basis;
    // The largest effect at the top: rank i lies at n - 1 - i.
    for (int i = 0; i < n; ++i) {
        const TGevoeligheidsrij& rij = gevoeligheid.rijen[i];
        const double plek = n - 1 - i;
        g.yAs.namen.prepend(rij.invoer);
        for (int kant = 0; kant < 2; ++kant) {
            const double w = Reekswaarde(kant == 0 ? rij.bijLaag : rij.bijHoog);
            if (std::isnan(w)) continue;
            laagste = std::min(laagste, w);
            hoogste = std::max(hoogste, w);
            TGrafiekSerie balk;
            balk.naam = QStringLiteral("%1 %2").arg(rij.naam, kant == 0 ? QStringLiteral("laag")
                                                                        : QStringLiteral("hoog"));
            balk.soort = TSerieSoort::Vlak;
            balk.kleur = ReekslijnKleur(kant);
            balk.titel =
                kant == 0 ? QStringLiteral("Bij de lage waarde") : QStringLiteral("Bij de hoge waarde");
            // The bar to the high value lies over the one to the low value and is narrower, so
            // that both show where they lie on the same side.
            const double half = kant == 0 ? 0.38 : 0.24;
            balk.punten = {QPointF(basis, plek + half), QPointF(w, plek + half)};
            balk.onderrand = {QPointF(basis, plek - half), QPointF(w, plek - half)};
            g.series << balk;
        }
    }
    // One legend entry per side: the first bar of each.
    for (int kant = 0; kant < 2; ++kant)
        for (TGrafiekSerie& s : g.series)
            if (s.kleur == ReekslijnKleur(kant)) {
                s.inLegenda = true;
                break;
            }
    TGrafiekSerie lijn;
    lijn.naam = QStringLiteral("Basislijn");
    lijn.kleur = Rgb(0, 0, 0);
    lijn.lijnDikte = 1;
    lijn.titel = QStringLiteral("Uitgangspunt (%1)").arg(gevoeligheid.basis);
    lijn.inLegenda = true;
    lijn.punten = {QPointF(basis, -0.5), QPointF(basis, n - 0.5)};
    g.series << lijn;
    g.xAs = MooieAs(laagste, hoogste, gevoeligheid.kolom.titel);
    g.yAs.minimum = -0.5;
    g.yAs.maximum = n - 0.5;
    g.yAs.stap = 1;
    return {g};
}

} // namespace korvalinde
