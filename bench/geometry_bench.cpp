// The geometry tools at a typical size and at the format's limit: a
// selection by window and by lasso from the data (the directions computed
// and projected each time, as a new selection does), the tilt test, and
// the back-tilt of the data with the text of their new file.
#include <benchmark/benchmark.h>

#include <cmath>

#include "analysis/geometry.h"
#include "analysis/rotation.h"
#include "bench/bench_data.h"
#include "data/data_file_text.h"

namespace orniva::bench {
namespace {

using analysis::NetPoint;

void BM_SelectWindow(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  for (auto _ : state) {
    const auto directions = analysis::DirectionsOf(data, nullptr, analysis::DensityOf::Poles);
    benchmark::DoNotOptimize(analysis::SelectInWindow(directions, {300, 60, 20, 70}));
  }
}
BENCHMARK(BM_SelectWindow)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

// A lasso of 200 points (a hand-drawn loop) over a quarter of the net.
void BM_SelectLasso(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  std::vector<NetPoint> lasso;
  for (int k = 0; k < 200; ++k) {
    const double a = k * 2 * 3.141592653589793 / 200;
    lasso.push_back({600 + 250 * std::cos(a), 400 + 200 * std::sin(a)});
  }
  for (auto _ : state) {
    const auto directions = analysis::DirectionsOf(data, nullptr, analysis::DensityOf::Poles);
    const auto projected = analysis::ProjectDirections(directions, NetKind::EqualArea,
                                                       Hemisphere::Lower, analysis::NetFrame{});
    benchmark::DoNotOptimize(analysis::SelectInLasso(projected, lasso));
  }
}
BENCHMARK(BM_SelectLasso)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

void BM_TiltTest(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(
        analysis::TiltTest(data, {60, 40}, analysis::StressMethod::Michael, false, nullptr));
}
BENCHMARK(BM_TiltTest)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

// What Back-tilt Data does before its window shows: the data turned.
void BM_BackTiltData(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(analysis::RotateData(data, analysis::BackTiltRotation({60, 40}, 1)));
}
BENCHMARK(BM_BackTiltData)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

// Save As of the turned data: the file's text from the loaded lines.
void BM_TurnedDataText(benchmark::State& state) {
  const std::vector<std::string> lines = FaultLines(int(state.range(0)));
  const FaultSet turned = analysis::RotateData(LoadedData(int(state.range(0))),
                                               analysis::BackTiltRotation({60, 40}, 1));
  for (auto _ : state) benchmark::DoNotOptimize(DataFileText(lines, turned));
}
BENCHMARK(BM_TurnedDataText)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orniva::bench
