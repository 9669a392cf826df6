// Stress inversion, one pass and iterated, at a typical size and at the
// format's limit; each of the other methods, the comparison of all five and
// the `mohr` report at the limit.
#include <benchmark/benchmark.h>

#include "analysis/mohr.h"
#include "analysis/stress_methods.h"
#include "analysis/stress_summary.h"
#include "analysis/study.h"
#include "bench/bench_data.h"

namespace orniva::bench {
namespace {

void BM_StressInversion(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  const bool iterate = state.range(1) != 0;
  int rounds = 0;
  for (auto _ : state) rounds = analysis::InvertStress(data, iterate).rounds;
  state.counters["rounds"] = rounds;
}
BENCHMARK(BM_StressInversion)
    ->ArgsProduct({{kTypical, kLargest}, {0, 1}})
    ->ArgNames({"faults", "iterate"})
    ->Unit(benchmark::kMillisecond);

// Each method at the format's limit (0 Michael, 1 Shan, 2 Fry, 3 Yamaji and
// Sato, 4 the S4 minimum), from the loaded data as a view asks for it.
void BM_StressMethod(benchmark::State& state) {
  const FaultSet data = LoadedData(kLargest);
  const analysis::StressMethod method = analysis::kStressMethods[std::size_t(state.range(0))];
  state.SetLabel(analysis::StressMethodName(method));
  for (auto _ : state)
    benchmark::DoNotOptimize(analysis::InvertStress(data, method, false).meanBeta);
}
BENCHMARK(BM_StressMethod)->DenseRange(0, 4)->ArgName("method")->Unit(benchmark::kMillisecond);

// The comparison of all five, as the `stress-methods` report makes it.
void BM_StressMethodsReport(benchmark::State& state) {
  const FaultSet data = LoadedData(kLargest);
  for (auto _ : state) {
    const auto every = analysis::InvertByEveryMethod(data, false, nullptr);
    benchmark::DoNotOptimize(analysis::StressMethodsCsv(every).text);
  }
}
BENCHMARK(BM_StressMethodsReport)->Unit(benchmark::kMillisecond);

// The `mohr` report of an inversion already made, as the window's table
// and the Mohr diagram read it: each plane's stresses and the CSV text.
void BM_MohrReport(benchmark::State& state) {
  const FaultSet data = LoadedData(kLargest);
  const analysis::StressResult result = analysis::InvertStress(data, false);
  for (auto _ : state)
    benchmark::DoNotOptimize(analysis::MohrCsv(analysis::MohrOf(data, result)).text);
}
BENCHMARK(BM_MohrReport)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orniva::bench
