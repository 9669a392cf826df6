// The fault plane and striation diagram: each fault plane as a great circle,
// an arrow at the striation that shows the sense of slip, and a dot at the
// striation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "data/fault_data.h"
#include "plot/arrows.h"
#include "plot/data_colours.h"
#include "plot/net.h"

namespace orniva {

// Draws the whole diagram into target.picture; with no data, the empty
// net. highlightIndex in 1..count
// draws that datum again, highlighted, after every datum; 0 or less (or
// beyond the data) highlights nothing.
void PlotFaultPlanes(const FaultSet& data, PlotTarget& target, std::int16_t highlightIndex,
                     const std::vector<TColor>* colours = nullptr);

// One datum. A datum whose plane failed its checks draws nothing; one whose
// striation failed draws only its great circle; one whose sense failed gets
// no arrow. `circle`, when given, holds the datum's projected great circle;
// `colour`, when given, replaces the colour of a datum not highlighted.
void DrawFaultPlaneDatum(const PlotCanvas& plot, const TFaultData& datum, bool highlighted,
                         const TPoint* circle = nullptr,
                         std::optional<TColor> colour = std::nullopt);

// The colour of a datum's plane and striation when not highlighted: black
// for a striation plunging under 1 degree, else the datum's sense colour.
TColor FaultPlaneColour(const TFaultData& datum);

// The arrows of the diagram (None: a shape of six points at the anchor).
enum class ArrowKind : std::uint8_t { None, Straight, Reversed, Shear, MirroredShear };

// The arrow of a datum: straight or reversed for dip-slip (|alpha| < T,
// alpha = AzimuthAngle(faz, saz), T = 0.25 fpl + 60), by the colour; a pair
// of half-arrows for strike-slip, by the sense and the sign of alpha.
ArrowKind ArrowKindOf(const TFaultData& datum);
// The shape of `kind` at symbol radius s.
void ArrowShapeOf(ArrowKind kind, std::int16_t s, ArrowShape& shape);
void ChooseArrowShape(const TFaultData& datum, std::int16_t s, ArrowShape& shape);

// The chosen shape turned to saz and placed at the projected striation,
// drawn with a black pen of the current width.
void DrawStriationArrow(const PlotCanvas& plot, const TFaultData& datum);

}  // namespace orniva
