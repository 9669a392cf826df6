// Data files of the sizes the benchmarks measure: a typical file and the
// largest one the format allows.
#pragma once

#include <string>
#include <vector>

namespace orniva::bench {

constexpr int kTypical = 300;
constexpr int kLargest = 32760;

// `count` lines of faults of every attitude and sense, two decimals.
std::vector<std::string> FaultLines(int count);

// Writes FaultLines(count) to a file in a temporary folder made once per
// process and returns its path.
std::string FaultFile(int count);

}  // namespace orniva::bench
