// The bootstrap's confidence region of one stress axis as density contours:
// the kept resamples' axes counted in the one-per-cent cap (density.h)
// about every node of a drawing grid, and two lines where the count reaches
// what the kept axes reach about themselves: the outer line at the count
// that 90% of them reach, round the region without its stragglers, and the
// inner line at the count the median axis reaches, round the densest half.
#pragma once

#include <vector>

#include "analysis/contours.h"
#include "math/vector3d.h"

namespace orniva::analysis {

// The shares of the kept axes whose own count the lines are drawn at.
inline constexpr double kOuterShare = 0.9, kInnerShare = 0.5;

struct AxisRegion {
  // Lines of level 0 (the outer line) and of level 1 (the inner line).
  std::vector<ContourLine> lines;
  // The counts in a cap that the lines enclose; no inner line when the
  // two are equal.
  int outerCount = 0, innerCount = 0;
};

AxisRegion AxisRegionOf(const DrawingGrid& grid, const std::vector<math::Vector3d>& axes);

}  // namespace orniva::analysis
