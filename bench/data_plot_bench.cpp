// Reading, drawing and EMF writing at a typical size and at the format's limit.
#include <benchmark/benchmark.h>

#include "bench/bench_data.h"
#include "data/fault_reader.h"
#include "picture/emf.h"
#include "plot/diagram.h"
#include "plot/tangent_lineation_diagram.h"

namespace orniva::bench {
namespace {

void BM_ReadAndParse(benchmark::State& state) {
  const std::string path = FaultFile(int(state.range(0)));
  for (auto _ : state) {
    const DataFileLines file = ReadDataFile(path);
    FaultSet data;
    CheckDataFile(file.lines, path, data);
    benchmark::DoNotOptimize(data[1].faz);
  }
}
BENCHMARK(BM_ReadAndParse)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

// Arguments: data count, highlight index (-1 none), the window's cache kept
// (0/1): with it, the plot as a new highlight makes it after the load's.
void BM_PlotFaultPlanes(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  Plot plot(state.range(2) != 0);
  const auto mode = PlotMode::FaultPlaneAndStriation;
  if (plot.target.cache) PlotDiagram(mode, data, plot.target, -1);  // the load's own plot
  for (auto _ : state) PlotDiagram(mode, data, plot.target, std::int16_t(state.range(1)));
  state.counters["points"] = double(plot.picture.points().size());
}
BENCHMARK(BM_PlotFaultPlanes)
    ->ArgNames({"faults", "highlight", "cached"})
    ->Args({kTypical, -1, 0})
    ->Args({kTypical, 7, 0})
    ->Args({kTypical, 7, 1})
    ->Args({kLargest, -1, 0})
    ->Args({kLargest, 7, 0})
    ->Args({kLargest, 7, 1})
    ->Unit(benchmark::kMillisecond);

void BM_PlotTangentLineation(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  Plot plot(false);
  for (auto _ : state) PlotTangentLineation(data, plot.target, std::int16_t(state.range(1)));
}
BENCHMARK(BM_PlotTangentLineation)
    ->ArgNames({"faults", "highlight"})
    ->Args({kTypical, -1})
    ->Args({kTypical, 7})
    ->Args({kLargest, -1})
    ->Args({kLargest, 7})
    ->Unit(benchmark::kMillisecond);

// Export: the picture of the data, without a highlight, written as an EMF file.
void BM_SaveEmf(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  Plot plot(false);
  PlotFaultPlanes(data, plot.target, -1);
  const std::string path = TempPath("export.emf");
  for (auto _ : state) SaveEmf(plot.picture, path);
  state.counters["MB"] = double(EncodeEmf(plot.picture).size()) / 1e6;
}
BENCHMARK(BM_SaveEmf)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orniva::bench
