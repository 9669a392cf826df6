// The Mohr diagram of a stress result: the normal stress (compression
// positive) across, the size of the shear stress up, both in Angelier's
// normalisation (analysis/mohr.h); the three circles of the principal
// stresses and one point per datum.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "data/fault_data.h"
#include "platform/graphics.h"
#include "plot/net.h"

namespace orniva {

// What the Mohr diagram draws.
struct MohrFigure {
  // sigma1 >= sigma2 >= sigma3; none when the stress was refused.
  std::optional<std::array<double, 3>> principal;
  struct Point {
    double sigmaN = 0, tau = 0;
  };
  // By line (index 0 unused): each datum's point; none for a datum the
  // stress leaves out (a failed check).
  std::vector<std::optional<Point>> points;
  // By line: data switched out of the inversion, drawn grey. Shorter than
  // the data: the rest are in.
  std::vector<bool> switchedOut;
};

// The page the diagram is drawn on: the window's square one, or a figure's,
// only as high as the diagram, so that the diagram fills it.
struct MohrPage {
  std::int32_t originY = 700;  // the y of tau = 0
  std::int32_t height = 1000;
};
constexpr MohrPage kMohrWindowPage{700, 1000};
constexpr MohrPage kMohrFigurePage{530, 680};

// The frame, fixed so that every stress in the normalisation fits (its
// principal values lie in [-1, 1]): sigma_n = 0 at x 530, tau = 0 at
// the page's originY, 440 plot units to 1; the axes from sigma_n = -1 to 1
// and from tau = 0 to 1.
TPoint MohrToPlot(double sigmaN, double tau, const MohrPage& page = kMohrWindowPage);
// The centres of the three principal values' labels under the axis: at
// their values, or, where two would stand closer than `gap`, spread `gap`
// apart about the mean of the values they crowd, in the order of the values.
std::array<std::int32_t, 3> SpreadLabels(std::array<std::int32_t, 3> x, std::int32_t gap);
// The stresses at a point of the plot, unrounded.
MohrFigure::Point PlotToMohr(double x, double y);

// The axes with ticks every 0.5, their numbers and names; the upper half
// of the circles of sigma1 and sigma3, sigma1 and sigma2, sigma2 and
// sigma3 with sigma1, sigma2, sigma3 named below the axis; one dot of the
// symbol radius per datum, filled in its colour (grey when switched out)
// and outlined in black; the highlighted datum last, outlined in aqua.
// With the layout on kMohrFigurePage, else on kMohrWindowPage.
void PlotMohr(const FaultSet& data, const MohrFigure& figure, PlotTarget& target,
              std::int16_t highlightIndex, bool layout = false);

}  // namespace orniva
