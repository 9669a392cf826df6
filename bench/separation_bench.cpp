// The separation of a mixed population with its default search (10^6
// candidates, up to 3 phases) over 500 faults and over the format's limit.
#include <benchmark/benchmark.h>

#include "analysis/separation.h"
#include "bench/bench_data.h"

namespace orniva::bench {
namespace {

void BM_Separation(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  analysis::SeparationResult result;
  for (auto _ : state) result = analysis::SeparatePhases(data, {});
  state.counters["phases"] = double(result.phases.size());
  int assigned = 0;
  for (const analysis::SeparatedFault& f : result.faults) assigned += f.phase > 0;
  state.counters["assigned"] = assigned;
}
BENCHMARK(BM_Separation)
    ->Arg(500)
    ->Arg(kLargest)
    ->ArgName("faults")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orniva::bench
