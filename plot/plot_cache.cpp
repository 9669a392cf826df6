#include "plot/plot_cache.h"

#include <atomic>

namespace orniva {

std::uint64_t PlotCache::DrawingKey(const FaultSet& data, PlotMode mode, const PlotTarget& target,
                                    std::uint64_t revision) {
  static std::atomic<std::uint64_t> lastKey{0};
  const NetGeometry& g = target.geometry;
  const bool sameShapes = key_ != 0 && last_.generation == data.generation() &&
                          last_.mode == mode && last_.symbolSize == target.symbolSize &&
                          SameNet(last_.geometry, g) && last_.geometry.grid == g.grid;
  if (!sameShapes) shapesKey_ = ++lastKey;
  if (!sameShapes || last_.revision != revision) {
    last_ = {data.generation(), mode, target.symbolSize, g, revision};
    key_ = ++lastKey;
  }
  return key_;
}

}  // namespace orniva
