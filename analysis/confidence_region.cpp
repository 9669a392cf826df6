#include "analysis/confidence_region.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace orniva::analysis {

namespace {

// The count that at least `share` of the axes reach about themselves.
int CountReached(const std::vector<int>& descending, double share) {
  const auto reached = std::size_t(std::ceil(share * double(descending.size()) - 1e-9));
  return descending[std::clamp<std::size_t>(reached, 1, descending.size()) - 1];
}

}  // namespace

AxisRegion AxisRegionOf(const DrawingGrid& grid, const std::vector<math::Vector3d>& axes) {
  AxisRegion region;
  if (axes.empty()) return region;
  const double minAbsDot = CapOf(DensityMethod::OnePercent, axes.size()).minAbsDot;
  std::vector<int> own = CountInCap(axes, minAbsDot, axes);
  std::sort(own.begin(), own.end(), std::greater<int>());
  region.outerCount = CountReached(own, kOuterShare);
  region.innerCount = CountReached(own, kInnerShare);
  const std::vector<int> counts = CountInCap(axes, minAbsDot, grid.nodes);
  const std::vector<double> values(counts.begin(), counts.end());
  // Between the nodes that reach a count and those below it.
  std::vector<double> levels = {region.outerCount - 0.5};
  if (region.innerCount > region.outerCount) levels.push_back(region.innerCount - 0.5);
  region.lines = ContourGrid(grid, values, levels).lines;
  return region;
}

}  // namespace orniva::analysis
