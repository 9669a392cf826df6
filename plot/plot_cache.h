// The cache the window plots through, so that a redraw of the same drawing
// (a new highlight, another symbol size) does a fraction of the work.
#pragma once

#include <cstdint>

#include "data/fault_data.h"
#include "plot/great_circles.h"
#include "plot/highlight_copies.h"
#include "plot/net.h"
#include "plot/plot_mode.h"

namespace orniva {

// Kept by the window from one plot to the next: the projected great circles
// of the loaded data, the last drawing without its highlight, and the key
// of what was last drawn.
class PlotCache {
 public:
  GreatCircleCache greatCircles;
  DrawingBody body;

  // The same key as long as the data (their generation), the diagram, the
  // symbol size, the net and the inputs' revision stay the same; a key
  // never handed out before when any of them changes. Never 0.
  std::uint64_t DrawingKey(const FaultSet& data, PlotMode mode, const PlotTarget& target,
                           std::uint64_t revision = 0);
  // The key of the shapes of the drawing last keyed: the same as long as
  // all but the inputs' revision (the data's colours among them) stay the
  // same. Never 0.
  std::uint64_t shapesKey() const { return shapesKey_; }

 private:
  struct Inputs {
    std::uint64_t generation = 0;
    PlotMode mode = PlotMode::FaultPlaneAndStriation;
    SymbolSize symbolSize = SymbolSize::Medium;
    NetGeometry geometry;
    std::uint64_t revision = 0;
  };
  Inputs last_;
  std::uint64_t key_ = 0;
  std::uint64_t shapesKey_ = 0;
};

}  // namespace orniva
