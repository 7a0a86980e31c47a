// Speed of a sweep over one scenario file: one point (the input put in, its rules run, the three
// variants computed), a whole grid of 500 paddock areas (0.1 to 50 ha) on one thread, the search
// for the area reaching a target over that grid on one and on two threads, 30 weeks of turn-in
// dates, and the sensitivity of a summary row to every input on one thread.
#include "core/Gevoeligheid.h"
#include "core/Invoerset.h"
#include "core/Reeks.h"
#include "core/Scenario.h"
#include "core/Verkennen.h"
#include "domain/Bedrijfsmodel.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace korvalinde;

namespace {

QByteArray NieuwScenario() {
    QTemporaryDir map;
    const QString pad = map.filePath(QStringLiteral("nieuw.kvl"));
    QString fout;
    QByteArray bytes;
    if (!SchrijfNieuwScenario(pad, fout) || !LeesScenarioBytes(pad, bytes).isEmpty()) std::abort();
    return bytes;
}

QList<TReeks> Perceelreeks() {
    TInvoerset invoer;
    QList<TReeks> reeksen(1);
    QString fout;
    if (!LeesReeks(QStringLiteral("SpePerceelOpp=0.1:50:0.1"), invoer, reeksen[0], fout)) std::abort();
    return reeksen;
}

} // namespace

static void BM_Reekspunt(benchmark::State& state) {
    const QByteArray bytes = NieuwScenario();
    const QList<TReeks> reeksen = Perceelreeks();
    const int n = AantalReekspunten(reeksen);
    int i = 0;
    for (auto _ : state) {
        TReekspunt p = BerekenReekspunt(bytes, reeksen, i);
        benchmark::DoNotOptimize(p);
        i = (i + 37) % n;
    }
}
BENCHMARK(BM_Reekspunt)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The model alone on the same points, for comparison: what a point costs beyond its calculation.
static void BM_ModelVanReekspunt(benchmark::State& state) {
    const QByteArray bytes = NieuwScenario();
    const QList<TReeks> reeksen = Perceelreeks();
    const int n = AantalReekspunten(reeksen);
    QList<TQXInvoer> invoer;
    for (int i = 0; i < n; ++i) invoer << BerekenReekspunt(bytes, reeksen, i).invoer;
    TBedrijf bedrijf;
    int i = static_cast<int>(state.range(1));
    for (auto _ : state) {
        TQXUitvoer uit;
        bedrijf.Bereken(invoer[i], uit);
        benchmark::DoNotOptimize(uit);
        i = (i + static_cast<int>(state.range(0))) % n;
    }
}
BENCHMARK(BM_ModelVanReekspunt)
    ->Args({37, 0})
    ->Args({0, 9})
    ->Args({0, 49})
    ->Args({0, 99})
    ->Args({0, 199})
    ->Args({0, 299})
    ->Args({0, 499})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

static void BM_Reeks500Oppervlakten(benchmark::State& state) {
    const QByteArray bytes = NieuwScenario();
    const QList<TReeks> reeksen = Perceelreeks();
    for (auto _ : state) {
        for (int i = 0; i < AantalReekspunten(reeksen); ++i) {
            TReekspunt p = BerekenReekspunt(bytes, reeksen, i);
            benchmark::DoNotOptimize(p);
        }
    }
}
BENCHMARK(BM_Reeks500Oppervlakten)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// A goal seek over the 500 areas: "Aantal weidedagen>=3", every area computed (the answer is a full
// scan's), on state.range(0) threads. Wall time: that is what the advisor waits for.
static void BM_Zoek500Oppervlakten(benchmark::State& state) {
    const QByteArray bytes = NieuwScenario();
    const QList<TReeks> reeksen = Perceelreeks();
    TZoekdoel doel;
    QString fout;
    if (!LeesZoekdoel(QStringLiteral("Aantal weidedagen>=3"), doel, fout)) std::abort();
    for (auto _ : state) {
        TZoekuitkomst uitkomst = Zoek(bytes, reeksen[0], doel, false, static_cast<unsigned>(state.range(0)));
        if (!uitkomst.gevonden) std::abort();
        benchmark::DoNotOptimize(uitkomst);
    }
}
BENCHMARK(BM_Zoek500Oppervlakten)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The turn-in date each week from 1 April to 21 October: 30 points, each setting the month's grass
// supply and the grass row as typing the date does.
static void BM_Datumreeks30Weken(benchmark::State& state) {
    const QByteArray bytes = NieuwScenario();
    TInvoerset invoer;
    QList<TReeks> reeksen(1);
    QString fout;
    if (!LeesReeks(QStringLiteral("Cbxdatum=0104:2110:7"), invoer, reeksen[0], fout) ||
        AantalReekspunten(reeksen) != 30)
        std::abort();
    for (auto _ : state) {
        for (int i = 0; i < AantalReekspunten(reeksen); ++i) {
            TReekspunt p = BerekenReekspunt(bytes, reeksen, i);
            benchmark::DoNotOptimize(p);
        }
    }
}
BENCHMARK(BM_Datumreeks30Weken)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// "Benuttingspercentage" against every number input and the turn-in date, each lowered and raised
// by 10 % (14 days), on one thread: the scenario decoded, its own point and two points per input.
static void BM_GevoeligheidAlleInvoeren(benchmark::State& state) {
    const QByteArray bytes = NieuwScenario();
    TSamenvattingKolom kolom;
    QString fout;
    if (!KiesSamenvattingsrij(QStringLiteral("Benutting"), QStringLiteral("--gevoeligheid"), kolom, fout))
        std::abort();
    for (auto _ : state) {
        TGevoeligheid g = BerekenGevoeligheid(bytes, kolom, TVerandering{}, 1);
        if (!g.fout.isEmpty() || g.rijen.isEmpty()) std::abort();
        benchmark::DoNotOptimize(g);
    }
}
BENCHMARK(BM_GevoeligheidAlleInvoeren)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
