// Slip and dilation tendency: the per-fault report at the format's limit,
// the report grid, and the diagram's field on the 100 x 100 drawing grid,
// contoured; each under the inversion computed beforehand.
#include <benchmark/benchmark.h>

#include "analysis/contours.h"
#include "analysis/tendency.h"
#include "bench/bench_data.h"
#include "plot/tendency_diagram.h"

namespace orniva::bench {
namespace {

using namespace orniva::analysis;

const StressMagnitudes kMagnitudes{100, 60, 40, 10};

// The `tendency` report, CSV text included.
void BM_TendencyReport(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  const StressResult stress = InvertStress(data, false);
  for (auto _ : state)
    benchmark::DoNotOptimize(
        TendencyCsv(FaultTendencies(data, nullptr, stress, kMagnitudes)).text.data());
}
BENCHMARK(BM_TendencyReport)
    ->Arg(kTypical)
    ->Arg(kLargest)
    ->ArgName("faults")
    ->Unit(benchmark::kMillisecond);

// The `tendency-grid` report (independent of the number of faults).
void BM_TendencyGrid(benchmark::State& state) {
  const StressResult stress = InvertStress(LoadedData(kTypical), false);
  for (auto _ : state)
    benchmark::DoNotOptimize(TendencyGridCsv(stress, kMagnitudes, TendencyOf::Slip).text.data());
}
BENCHMARK(BM_TendencyGrid)->Unit(benchmark::kMillisecond);

// Ts' on the drawing grid, contoured at the diagram's levels.
void BM_TendencyContoured(benchmark::State& state) {
  const StressResult stress = InvertStress(LoadedData(kTypical), false);
  const DrawingGrid grid = MakeDrawingGrid(NetKind::EqualArea, NetFrame{}, 100);
  for (auto _ : state) {
    const TendencyStress tendency = MakeTendencyStress(kMagnitudes, stress.axes);
    const std::vector<double> values = TendencyValues(tendency, TendencyOf::Slip, grid.nodes);
    benchmark::DoNotOptimize(ContourGrid(grid, values, TendencyLevels()).lines.data());
  }
}
BENCHMARK(BM_TendencyContoured)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orniva::bench
