// A page change to "Uitvoer" after a base input changed: the input set read, both runs of the three
// variants (the base changed, so the alternatives are reset and the run repeated) and all result
// tables refilled. Target: well under one frame (16 ms).
#include "core/Berekening.h"
#include "core/Meldingen.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

using namespace korvalinde;

static void BM_PaginawisselUitvoer(benchmark::State& state) {
    TOpnameMelder melder;
    TInvoerset invoer(&melder);
    TBerekening berekening(invoer, melder);
    invoer.ZetStandaardwaarden();
    berekening.StartBerekening();
    bool hoog = false;
    for (auto _ : state) {
        state.PauseTiming();
        berekening.PaginaGewijzigd(false);
        invoer.SpeGrasaanbod->SetValue(hoog ? 1400 : 1300);
        hoog = !hoog;
        state.ResumeTiming();
        berekening.PaginaGewijzigd(true);
    }
}
BENCHMARK(BM_PaginawisselUitvoer)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
