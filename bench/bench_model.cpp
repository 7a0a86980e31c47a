// Speed of the grazing model on the default scenario: the incremental run against the plain run
// that computes every state again from turn-in.
#include "../tests/ModelInvoer.h"
#include "Bedrijf_u.h"

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
