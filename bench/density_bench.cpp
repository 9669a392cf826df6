// Density and right dihedra at a typical size and at the format's limit, on
// the 100 x 100 drawing grid of the equal-area net.
#include <benchmark/benchmark.h>

#include "analysis/contours.h"
#include "analysis/density.h"
#include "analysis/dihedra.h"
#include "bench/bench_data.h"

namespace orniva::bench {
namespace {

using namespace orniva::analysis;

std::vector<FaultVectors> Faults(int count) { return CollectUsedFaults(LoadedData(count)).faults; }

double Maximum(const std::vector<double>& values) {
  double m = 0;
  for (double v : values) m = std::max(m, v);
  return m;
}

// Poles counted on the grid's nodes and contoured at the method's levels.
void BM_DensityContoured(benchmark::State& state) {
  const std::vector<math::Vector3d> poles =
      DensityDirections(Faults(int(state.range(0))), DensityOf::Poles);
  const DensityMethod method = state.range(1) ? DensityMethod::OnePercent : DensityMethod::Kamb;
  const DrawingGrid grid = MakeDrawingGrid(NetKind::EqualArea, NetFrame{}, 100);
  for (auto _ : state) {
    const std::vector<double> values = DensityValues(poles, method, grid.nodes);
    const Contours contours = ContourGrid(grid, values, DensityLevels(method, Maximum(values)));
    benchmark::DoNotOptimize(contours.lines.data());
  }
}
BENCHMARK(BM_DensityContoured)
    ->ArgsProduct({{kTypical, kLargest}, {0, 1}})
    ->ArgNames({"faults", "one_percent"})
    ->Unit(benchmark::kMillisecond);

void BM_DihedraContoured(benchmark::State& state) {
  const std::vector<FaultVectors> faults = Faults(int(state.range(0)));
  const DrawingGrid grid = MakeDrawingGrid(NetKind::EqualArea, NetFrame{}, 100);
  for (auto _ : state) {
    const std::vector<double> values = DihedraValues(faults, grid.nodes);
    const Contours contours = ContourGrid(grid, values, DihedraLevels());
    benchmark::DoNotOptimize(contours.lines.data());
  }
}
BENCHMARK(BM_DihedraContoured)
    ->Arg(kTypical)
    ->Arg(kLargest)
    ->ArgName("faults")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The counting alone, without the contours.
void BM_DihedraValues(benchmark::State& state) {
  const std::vector<FaultVectors> faults = Faults(int(state.range(0)));
  const DrawingGrid grid = MakeDrawingGrid(NetKind::EqualArea, NetFrame{}, 100);
  for (auto _ : state) benchmark::DoNotOptimize(DihedraValues(faults, grid.nodes).data());
}
BENCHMARK(BM_DihedraValues)
    ->Arg(kLargest)
    ->ArgName("faults")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orniva::bench
