// Striations far off their planes: a datum whose striation does not lie in
// its fault plane was most likely mistyped (a trend off by 180 degrees, the
// plane's strike for its dip direction), and every analysis reads it as if
// it lay in the plane. Flagged after a load and warned about on the command
// line, naming the lines; the log is not changed by it.
//
//   misfit  mu = asin(|n . l|)  [deg], 0 for a striation in its plane
//
// with n the plane's normal and l the striation (fault_vectors.h). Peers
// warn above 20 degrees by default.
#pragma once

#include <string>
#include <vector>

#include "data/fault_data.h"

namespace orniva::analysis {

constexpr double kOffPlaneLimit = 20;  // [deg]

struct OffPlaneStriation {
  int line = 0;       // the datum's line in the data file
  double misfit = 0;  // mu [deg]
};

// The data that passed their five checks (and, when `use` is given, by line
// with index 0 unused, are in use) whose misfit exceeds `limit` degrees, in
// line order. A limit that is not a number finds none.
std::vector<OffPlaneStriation> StriationsOffPlane(const FaultSet& data,
                                                  double limit = kOffPlaneLimit,
                                                  const std::vector<bool>* use = nullptr);

// One line naming them: "striation more than 20° off its plane at line 3
// (90.00°)", "striations more than 20° off their planes at lines 3 (90.00°),
// 7 (45.00°)"; at most `listed` lines, then "and k more". Empty for none.
std::string OffPlaneWarning(const std::vector<OffPlaneStriation>& found,
                            double limit = kOffPlaneLimit, std::size_t listed = 10);

}  // namespace orniva::analysis
