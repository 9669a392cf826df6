// Plot symbols shared by both diagrams: the arrow shapes, the symbol dot,
// and integer point operations on plot coordinates.
#pragma once

#include <array>
#include <cstdint>

#include "platform/graphics.h"
#include "picture/picture.h"
#include "math/directional_operations.h"
#include "plot/net.h"

namespace orniva {

// Six points relative to the symbol's anchor, drawn as one open polyline.
using ArrowShape = std::array<TPoint, 6>;

// A shaft of length 4s from the anchor towards -y (north before turning)
// with barbs ending at (+-s, -3s).
void StraightArrowShape(std::int16_t s, ArrowShape& shape);
// The straight arrow turned by 180 degrees.
void ReversedArrowShape(std::int16_t s, ArrowShape& shape);
// Two opposed half-arrows joined through the anchor: right shaft up to
// (s, -4s), left shaft down to (-s, 4s).
void ShearArrowShape(std::int16_t s, ArrowShape& shape);
// The shear shape with x negated.
void MirroredShearArrowShape(std::int16_t s, ArrowShape& shape);

// Turns p by `angle` [deg], clockwise on the picture (y grows downward);
// the angle is held as float radians, the result rounded ties-to-even.
TPoint RotatePoint(TPoint p, float angle);
TPoint AddPoints(TPoint a, TPoint b);
TPoint SubtractPoints(TPoint a, TPoint b);

// A circle of the symbol radius about the projected line, outlined with the
// current pen and filled with the current brush.
void DrawSymbolDot(const PlotCanvas& plot, directional_operations::Orientation line);

// Turns each point of `shape` by `angle` and moves it to `anchor`.
void PlaceShape(ArrowShape& shape, float angle, TPoint anchor);

}  // namespace orniva
