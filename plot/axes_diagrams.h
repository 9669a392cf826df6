// The pole diagram and the kinematic-axes diagram. Both draw on either net,
// take their colours from the datum's sense colour and their symbol size
// from the target, and highlight the selected datum after every datum as the
// tangent-lineation diagram does (only a datum whose plane can be drawn).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "data/fault_data.h"
#include "math/directional_operations.h"
#include "plot/arrows.h"
#include "plot/data_colours.h"
#include "plot/net.h"

namespace orniva {

// The pole of every drawable plane (trend faz + 180, plunge 90 - fpl) as a
// symbol dot filled with the datum's colour, and its striation, when that
// can be drawn, as a small dot (a third of the symbol radius, at least 2).
void PlotPoles(const FaultSet& data, PlotTarget& target, std::int16_t highlightIndex,
               const std::vector<TColor>* colours = nullptr);

// The radius of a small dot: a third of the symbol radius, at least 2.
std::int32_t SmallDotRadius(std::int16_t symbolRadius);

// One datum's P, T and B axes (lower-hemisphere lines).
struct AxisTriple {
  directional_operations::Orientation p, t, b;
};

// What the kinematic-axes diagram draws: per datum (index 1 to count, 0
// unused) its axes when the analysis used it, and the summary axes.
struct KinematicAxesFigure {
  std::vector<std::optional<AxisTriple>> perDatum;
  std::optional<AxisTriple> summary;
};

// P as a filled dot, T as an open dot (white fill), B as a small cross, in
// the datum's colour; then the summary axes in black at twice the symbol
// radius with pen width 3. A datum missing from `axes` is not drawn.
void PlotKinematicAxes(const FaultSet& data, const KinematicAxesFigure& axes, PlotTarget& target,
                       std::int16_t highlightIndex, const std::vector<TColor>* colours = nullptr);

// An upright cross of half-length `r` about the projected line, in the
// current pen.
void DrawCross(const PlotCanvas& plot, directional_operations::Orientation line, std::int32_t r);

}  // namespace orniva
