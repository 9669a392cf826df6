#include "analysis/report_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace orniva::analysis {
namespace {

// The same text as FormatFixed: exact ties (round half to even on the
// binary value), values next to them, signs, zeros, and values of every
// size, some beyond the fast path.
TEST(AppendFixed, WritesWhatFormatFixedWrites) {
  std::vector<double> values{
      0.0,      -0.0,  0.00005, -0.00005, 1.03125,      2.5,
      -2.5,     0.125, 1e15,    -3e17,    1e300,        0.99995,
      -0.49999, 45.0,  12.345,  7,        std::nan(""), std::numeric_limits<double>::infinity()};
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> unit(-1, 1);
  for (int k = 0; k < 200000; ++k) values.push_back(unit(random) * std::pow(10.0, k % 20 - 6));
  for (int k = 0; k < 2000; ++k) values.push_back(std::ldexp(double(k), -(k % 12)));
  for (double value : values)
    for (int decimals : {0, 2, 4}) {
      std::string text = "x";
      AppendFixed(text, value, decimals);
      ASSERT_EQ(text, "x" + FormatFixed(value, decimals)) << value << " " << decimals;
    }
}

}  // namespace
}  // namespace orniva::analysis
