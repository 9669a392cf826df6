// Orientation tables of 100,000 rows (two planes to every line, in three
// sets, with a site and a label, two decimals): Fisher's mean, the fabric
// and the fold axis each from the records; the table read from its file
// and its net drawn (recorded only), planes as great circles or as poles.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "analysis/orientation_statistics.h"
#include "bench/bench_data.h"
#include "data/orientation_table.h"
#include "document/orientation_document.h"
#include "plot/orientation_net.h"
#include "tests/support/test_support.h"

namespace orniva::bench {
namespace {

constexpr int kRows = 100000;

std::string TableText(int rows) {
  std::mt19937 rng(45);
  auto hundredths = [&rng](unsigned range) {
    const unsigned v = rng() % (range * 100 + 1);
    return std::to_string(v / 100) + "." + std::to_string(v % 100 / 10) + std::to_string(v % 10);
  };
  std::string text = "kind,azimuth,angle,set,site,label\r\n";
  for (int i = 0; i < rows; ++i)
    text += std::string(i % 3 == 2 ? "line," : "plane,") + hundredths(360) + "," + hundredths(90) +
            ",S" + std::to_string(i % 3) + ",Site " + std::to_string(i / 500) + ",m" +
            std::to_string(i) + "\r\n";
  return text;
}

const std::string& TablePath() {
  static const std::string path = [] {
    const std::string p = TempPath("bench.orient.csv");
    test::WriteFile(p, TableText(kRows));
    return p;
  }();
  return path;
}

const std::vector<OrientationRecord>& Records() {
  static const std::vector<OrientationRecord> records = ReadOrientationFile(TablePath()).records;
  return records;
}

void BM_Fisher(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(analysis::FisherStatistics(
        analysis::OrientationDirections(Records(), analysis::OrientationOf::Poles)));
}
BENCHMARK(BM_Fisher)->Unit(benchmark::kMillisecond);

void BM_Fabric(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(analysis::Fabric(
        analysis::OrientationDirections(Records(), analysis::OrientationOf::Poles)));
}
BENCHMARK(BM_Fabric)->Unit(benchmark::kMillisecond);

void BM_FoldAxis(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(analysis::FoldAxis(
        analysis::OrientationDirections(Records(), analysis::OrientationOf::Poles)));
}
BENCHMARK(BM_FoldAxis)->Unit(benchmark::kMillisecond);

void BM_ReadTable(benchmark::State& state) {
  TablePath();
  for (auto _ : state) benchmark::DoNotOptimize(ReadOrientationFile(TablePath()));
}
BENCHMARK(BM_ReadTable)->Unit(benchmark::kMillisecond);

// Read and drawn as the window will: the file, the sets' colours, the net.
void BM_ReadAndDrawNet(benchmark::State& state) {
  TablePath();
  Plot plot(false, NetKind::EqualArea);
  for (auto _ : state) {
    const OrientationTable table = ReadOrientationFile(TablePath());
    OrientationNetFigure figure;
    figure.records = &table.records;
    figure.colours =
        SetColours(table.records, document::CurationFromSetColumn(table.records).phases).colours;
    figure.planes = state.range(0) ? PlaneSymbol::Poles : PlaneSymbol::GreatCircles;
    PlotOrientationNet(figure, plot.target);
    benchmark::DoNotOptimize(plot.picture.records().size());
  }
}
BENCHMARK(BM_ReadAndDrawNet)->ArgName("poles")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orniva::bench
