// How far the stress result can be trusted: the bootstrap of 2000 resamples
// (Michael's method, one pass and iterated) and the leave-one-out influence
// of every datum, at a typical size and at the format's limit.
#include <benchmark/benchmark.h>

#include <ctime>

#include "analysis/leave_one_out.h"
#include "analysis/stress_bootstrap.h"
#include "bench/bench_data.h"

namespace orniva::bench {
namespace {

analysis::InversionSetup Setup(int faults, bool iterate, analysis::StressMethod method) {
  return analysis::SetupOf(LoadedData(faults), nullptr, method, iterate);
}

// The CPU time of both threads per iteration [s], beside the wall time: on
// a machine shared with other work the wall time shows the sharing too.
void CountProcessCpu(benchmark::State& state, std::clock_t start) {
  state.counters["process_cpu_s"] =
      double(std::clock() - start) / CLOCKS_PER_SEC / double(state.iterations());
}

void BM_StressBootstrap(benchmark::State& state) {
  const analysis::InversionSetup setup =
      Setup(int(state.range(0)), state.range(1) != 0, analysis::StressMethod::Michael);
  const std::clock_t start = std::clock();
  for (auto _ : state)
    benchmark::DoNotOptimize(analysis::BootstrapStress(setup, {2000, 0.95, 1}).thetaRadius);
  CountProcessCpu(state, start);
}
BENCHMARK(BM_StressBootstrap)
    ->ArgsProduct({{kTypical, kLargest}, {0, 1}})
    ->ArgNames({"faults", "iterate"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Every datum left out in turn: Michael's one pass (0), iterated (1), and
// Shan's method (2) at the typical size.
void BM_LeaveOneOut(benchmark::State& state) {
  const int kind = int(state.range(1));
  const analysis::InversionSetup setup =
      Setup(int(state.range(0)), kind == 1,
            kind == 2 ? analysis::StressMethod::Shan : analysis::StressMethod::Michael);
  const std::clock_t start = std::clock();
  for (auto _ : state) benchmark::DoNotOptimize(analysis::LeaveEachOut(setup).data.size());
  CountProcessCpu(state, start);
}
BENCHMARK(BM_LeaveOneOut)
    ->Args({kTypical, 0})
    ->Args({kLargest, 0})
    ->Args({kTypical, 1})
    ->Args({kTypical, 2})
    ->ArgNames({"faults", "kind"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orniva::bench
