// The rose diagram: one petal per bin of azimuth (analysis/rose.h), a
// wedge from the centre of the net whose radius is the petal's length
// (the count over the largest count, or its square root on the
// equal-area net) times the net's radius. On the upper hemisphere every
// petal turns half round, as the lines it counts do.
#pragma once

#include <string>
#include <vector>

#include "analysis/rose.h"
#include "plot/net.h"

namespace orniva {

// What the rose diagram draws.
struct RoseFigure {
  analysis::RoseOf of = analysis::RoseOf::Strike;
  analysis::RoseCounts counts;
  std::vector<double> lengths;  // per bin, a fraction of the net's radius
  bool equalArea = false;
};

// The figure of `counts`, with petal lengths for the net `kind`.
RoseFigure RoseFigureOf(const analysis::RoseCounts& counts, analysis::RoseOf of, NetKind kind);

constexpr TColor kPetalColour = Rgb(96, 128, 176);

// The net's frame, then each petal filled in kPetalColour and outlined in
// black at width 1. With the grid, spokes every 10 degrees and rings at a
// quarter, half and three quarters of the radius, under the petals.
void PlotRose(const RoseFigure& figure, PlotTarget& target);

// The layout's caption of a rose, e.g. "Strikes, 10° bins, equal-area;
// longest petal 7".
std::string RoseCaption(const RoseFigure& figure);

}  // namespace orniva
