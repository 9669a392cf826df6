#include "bench/bench_data.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <random>

#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva::bench {

std::vector<std::string> FaultLines(int count) {
  std::mt19937 rng(32760);
  auto hundredths = [&rng](unsigned range) {
    const unsigned v = rng() % (range * 100 + 1);
    char text[16];
    std::snprintf(text, sizeof text, "%u.%02u", v / 100, v % 100);
    return std::string(text);
  };
  const char* senses[] = {"N", "R", "S", "D"};
  std::vector<std::string> lines;
  lines.reserve(std::size_t(count));
  for (int i = 0; i < count; ++i)
    lines.push_back(hundredths(360) + " " + hundredths(90) + " " + hundredths(360) + " " +
                    hundredths(90) + " " + senses[rng() % 4]);
  return lines;
}

FaultSet LoadedData(int count) { return test::DataFromLines(FaultLines(count)); }

Plot::Plot(bool cached, NetKind kind) {
  target.picture = &picture;
  InitNetGeometry(target.geometry);
  target.geometry.kind = kind;
  if (cached) target.cache = &cache;
}

std::string TempPath(const std::string& name) {
  static const test::TempDir folder;  // removed, with the files, at exit
  return folder.File(name);
}

std::string FaultFile(int count) {
  static std::map<int, std::string> files;
  auto found = files.find(count);
  if (found != files.end()) return found->second;
  const std::string path = TempPath("faults-" + std::to_string(count) + ".fdt");
  std::ofstream out(path, std::ios::binary);
  for (const std::string& line : FaultLines(count)) out << line << "\r\n";
  return files[count] = path;
}

}  // namespace orniva::bench
