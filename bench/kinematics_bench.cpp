// Kinematic axes with the Linked Bingham summary, and the kinematic-axes
// diagram, at a typical size and at the format's limit.
#include <benchmark/benchmark.h>

#include "plot/figures.h"
#include "analysis/kinematics.h"
#include "bench/bench_data.h"

namespace orniva::bench {
namespace {

void BM_Kinematics(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(analysis::ComputeKinematics(data).bingham);
}
BENCHMARK(BM_Kinematics)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

// The analysis for the diagram and its drawing, as the window replots it.
void BM_KinematicAxesDiagram(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  Plot plot(false);
  for (auto _ : state) {
    const orniva::DiagramFigures figures =
        orniva::FiguresFor(PlotMode::KinematicAxes, data, plot.target.geometry);
    PlotDiagram(PlotMode::KinematicAxes, data, plot.target, 1, figures.Inputs());
  }
}
BENCHMARK(BM_KinematicAxesDiagram)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

void BM_PolesDiagram(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  Plot plot(false, NetKind::EqualArea);
  for (auto _ : state) PlotDiagram(PlotMode::Poles, data, plot.target, 1);
}
BENCHMARK(BM_PolesDiagram)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orniva::bench
