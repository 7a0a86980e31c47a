// Speed of a sweep over one scenario file: one point (the input put in, its rules run, the three
// variants computed), and a whole grid of 500 paddock areas (0.1 to 50 ha), the work that a search
// for the area reaching a target does on one thread.
#include "core/Invoerset.h"
#include "core/Reeks.h"
#include "core/Scenario.h"
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

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
