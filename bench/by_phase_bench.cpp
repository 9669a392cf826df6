// A report run on each phase in turn over the largest file, its faults in
// three phases of a third each: what the Each Phase in Turn window runs off
// its thread, and the study copied for that run on the window's thread.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "analysis/by_phase.h"
#include "analysis/report_table.h"
#include "bench/bench_data.h"

namespace orniva::bench {
namespace {

using namespace orniva::analysis;

// The largest file's data, line k in phase (k - 1) % 3 + 1.
std::unique_ptr<Study> StudyInThreePhases() {
  auto study = std::make_unique<Study>();
  study->data() = LoadedData(kLargest);
  study->DataReplaced(FaultLines(kLargest));
  std::vector<std::vector<int>> lines(3);
  for (int line = 1; line <= kLargest; ++line) lines[std::size_t((line - 1) % 3)].push_back(line);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const int phase = study->AddPhase({std::string(1, char('A' + k)), "#1b9e77"});
    study->SetPhaseOf(lines[k], phase);
  }
  return study;
}

void BM_DetachedStudy(benchmark::State& state) {
  const std::unique_ptr<Study> study = StudyInThreePhases();
  for (auto _ : state) benchmark::DoNotOptimize(DetachedStudy(*study).get());
}
BENCHMARK(BM_DetachedStudy)->Unit(benchmark::kMillisecond);

// Each report from a study that has computed nothing yet, as the window
// runs it: the report table's cells of every phase.
void RunByPhase(benchmark::State& state, const char* name) {
  const std::unique_ptr<Study> study = StudyInThreePhases();
  const ReportKind& kind = *ReportKindNamed(name);
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<Study> fresh = DetachedStudy(*study);
    state.ResumeTiming();
    const StudyTable report = [&](Study& s) { return RunReport(kind, s, {}); };
    benchmark::DoNotOptimize(ByPhaseTable(*fresh, report, kind.columns).cells.data());
  }
}
void BM_ByPhaseKinematics(benchmark::State& state) { RunByPhase(state, "kinematics"); }
void BM_ByPhaseStressSummary(benchmark::State& state) { RunByPhase(state, "stress-summary"); }
void BM_ByPhaseStressMethods(benchmark::State& state) { RunByPhase(state, "stress-methods"); }
BENCHMARK(BM_ByPhaseKinematics)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByPhaseStressSummary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ByPhaseStressMethods)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orniva::bench
