// Stress inversion, one pass and iterated, at a typical size and at the
// format's limit.
#include <benchmark/benchmark.h>

#include "analysis/stress_inversion.h"
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

}  // namespace
}  // namespace orniva::bench
