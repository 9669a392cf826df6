// The great circles of the fault planes: the projected points of a plane's
// circle, the circle drawn as one polyline, and the cache of a data set's
// circles that the window keeps between plots.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "data/fault_data.h"
#include "plot/net.h"

namespace orniva {

constexpr std::size_t kGreatCirclePoints = 181;

// The 181 projected points of the great circle of the plane (faz, fpl),
// from the strike line faz + 90 through the dip line to faz - 90: the
// south vector turned by EulerMatrix(fpl, 180 - faz, i), i = -90 to 90.
// Returns how often a vector of length 0 was met (never, for a plane of
// finite angles).
int GreatCirclePoints(const NetGeometry& geometry, float faz, float fpl, TPoint* points);
// The same circle's points in fine units, straight from its directions
// cos(i) L(faz, fpl) + sin(i) L(faz - 90, 0), i = -90 to 90, in double
// precision: each within a plot unit of GreatCirclePoints' point.
void FineGreatCirclePoints(const NetGeometry& geometry, float faz, float fpl, FinePoint* points);
// The great circle as one polyline, with the current pen: `circle` when
// given (the kept points), else computed; with its fine points where the
// plot draws smooth curves.
void DrawGreatCircle(const PlotCanvas& plot, float faz, float fpl, const TPoint* circle = nullptr);

// The projected great circles of one data set on one net, each computed on
// first use and kept until the data are re-created or the net changes. A
// great circle costs 181 rotations and projections; the window keeps one
// cache so that redraws (a highlight, a symbol size) reuse them.
class GreatCircleCache {
 public:
  // The kGreatCirclePoints points of the circle of datum `index` (1 to count).
  const TPoint* Circle(const FaultSet& data, const NetGeometry& geometry, std::size_t index);
  // Computes every drawable datum's circle not kept yet, on two threads
  // when there are many: the same points as Circle's, sooner.
  void PrepareAll(const FaultSet& data, const NetGeometry& geometry);
  // The vectors of length 0 met since the last call, and none after it.
  int TakeZeroDivides() { return std::exchange(zeroDivides_, 0); }

 private:
  void Follow(const FaultSet& data, const NetGeometry& geometry);

  std::uint64_t generation_ = 0;
  NetGeometry geometry_;
  std::vector<TPoint> points_;
  std::vector<bool> ready_;
  int zeroDivides_ = 0;
};

}  // namespace orniva
