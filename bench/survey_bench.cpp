// A survey of 100 sites of 300 faults, each inverted and bootstrapped with
// 2000 resamples (Michael's method): from 100 data files, and from one
// file of 30000 lines whose sites are lists of its lines.
#include <benchmark/benchmark.h>

#include <ctime>
#include <fstream>

#include "bench/bench_data.h"
#include "survey/survey_run.h"
#include "survey/survey_table.h"

namespace orniva::bench {
namespace {

constexpr int kSites = 100;

// The survey file's path; its sites' data are written beside it.
std::string SurveyPath() { return TempPath("bench.orniva-survey.json"); }

survey::Survey SurveyOfFiles(bool oneFile) {
  const std::vector<std::string> lines = FaultLines(kSites * kTypical);
  survey::Survey survey;
  std::ofstream all(TempPath("all.fdt"), std::ios::binary);
  for (int s = 0; s < kSites; ++s) {
    const std::string name = "site-" + std::to_string(s) + ".fdt";
    std::ofstream out(TempPath(name), std::ios::binary);
    std::vector<int> numbers;
    for (int i = s * kTypical; i < (s + 1) * kTypical; ++i) {
      out << lines[std::size_t(i)] << "\r\n";
      all << lines[std::size_t(i)] << "\r\n";
      numbers.push_back(i + 1);
    }
    survey.sites.push_back({"S" + std::to_string(s),
                            oneFile ? "all.fdt" : name,
                            survey::GeoPosition{10 + s * 0.01, 45},
                            {},
                            {},
                            "",
                            "",
                            "",
                            oneFile ? std::optional(numbers) : std::nullopt,
                            {}});
  }
  return survey;
}

void BM_Survey(benchmark::State& state) {
  const survey::Survey survey = SurveyOfFiles(state.range(0) != 0);
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    const survey::SurveyResult result = survey::RunSurvey(survey, SurveyPath());
    benchmark::DoNotOptimize(survey::SurveyTableCsv(result).size());
  }
  state.counters["process_cpu_s"] =
      double(std::clock() - start) / CLOCKS_PER_SEC / double(state.iterations());
}
BENCHMARK(BM_Survey)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"one_file"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace orniva::bench
