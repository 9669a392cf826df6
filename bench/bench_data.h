// Data files of the sizes the benchmarks measure: a typical file and the
// largest one the format allows.
#pragma once

#include <string>
#include <vector>

#include "data/fault_data.h"
#include "picture/picture.h"
#include "plot/diagram.h"
#include "plot/net.h"

namespace orniva::bench {

constexpr int kTypical = 300;
constexpr int kLargest = 32760;

// `count` lines of faults of every attitude and sense, two decimals.
std::vector<std::string> FaultLines(int count);

// FaultLines(count) loaded as a data file is: checked and coloured.
FaultSet LoadedData(int count);

// A plot picture on the window's net (`kind` as given), with the window's
// cache when `cached`.
struct Plot {
  Picture picture;
  PlotTarget target;
  PlotCache cache;

  explicit Plot(bool cached, NetKind kind = NetKind::EqualAngle);
};

// A path in a temporary folder made once per process.
std::string TempPath(const std::string& name);

// Writes FaultLines(count) to a file in that folder and returns its path.
std::string FaultFile(int count);

}  // namespace orniva::bench
