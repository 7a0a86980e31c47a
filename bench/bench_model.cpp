// Speed of the grazing model on the default scenario: the incremental run (by a model that ran the
// same herd before, as the window's does, and by a new one), the same run with the milk response
// evaluated in extended precision throughout (as before its fast path), and the plain run that
// computes every state again from turn-in.
#include "domain/Bedrijfsmodel.h"
#include "domain/Koecurven.h"
#include "tests/ModelInvoer.h"

#include <benchmark/benchmark.h>

using namespace korvalinde;

static void BM_Bereken(benchmark::State& state) {
    const TQXInvoer in = testdata::StandaardInvoer();
    TBedrijf b;
    for (auto _ : state) {
        TQXUitvoer uit;
        b.Bereken(in, uit);
        benchmark::DoNotOptimize(uit);
    }
}
BENCHMARK(BM_Bereken)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_BerekenNieuwModel(benchmark::State& state) {
    const TQXInvoer in = testdata::StandaardInvoer();
    for (auto _ : state) {
        TBedrijf b;
        TQXUitvoer uit;
        b.Bereken(in, uit);
        benchmark::DoNotOptimize(uit);
    }
}
BENCHMARK(BM_BerekenNieuwModel)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

static void BM_BerekenUitgebreideMelkRespons(benchmark::State& state) {
    const TQXInvoer in = testdata::StandaardInvoer();
    TBedrijf b;
    MelkResponsAltijdUitgebreid(true);
    for (auto _ : state) {
        TQXUitvoer uit;
        b.Bereken(in, uit);
        benchmark::DoNotOptimize(uit);
    }
    MelkResponsAltijdUitgebreid(false);
}
BENCHMARK(BM_BerekenUitgebreideMelkRespons)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

static void BM_BerekenVanafInscharen(benchmark::State& state) {
    const TQXInvoer in = testdata::StandaardInvoer();
    TBedrijf b;
    for (auto _ : state) {
        TQXUitvoer uit;
        b.BerekenVanafInscharen(in, uit);
        benchmark::DoNotOptimize(uit);
    }
}
BENCHMARK(BM_BerekenVanafInscharen)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
