#include "plot/arrows.h"

#include <cmath>

#include "math/numeric.h"

namespace orniva {

using numeric::Real;

void StraightArrowShape(std::int16_t s, ArrowShape& shape) {
  const std::int32_t u = s;
  shape = {{{0, 0}, {0, -4 * u}, {u, -3 * u}, {0, -4 * u}, {-u, -3 * u}, {0, -4 * u}}};
}

void ReversedArrowShape(std::int16_t s, ArrowShape& shape) {
  StraightArrowShape(s, shape);
  for (TPoint& p : shape) p = RotatePoint(p, 180);
}

void ShearArrowShape(std::int16_t s, ArrowShape& shape) {
  const std::int32_t u = s;
  shape = {{{2 * u, -3 * u}, {u, -4 * u}, {u, 0}, {-u, 0}, {-u, 4 * u}, {-2 * u, 3 * u}}};
}

void MirroredShearArrowShape(std::int16_t s, ArrowShape& shape) {
  ShearArrowShape(s, shape);
  for (TPoint& p : shape) p.x = -p.x;
}

TPoint RotatePoint(TPoint p, float angle) {
  const Real r = numeric::StoredRadians(angle);
  const Real c = std::cos(r), s = std::sin(r);
  return {numeric::RoundToPlot(c * p.x - s * p.y), numeric::RoundToPlot(s * p.x + c * p.y)};
}

TPoint AddPoints(TPoint a, TPoint b) { return {a.x + b.x, a.y + b.y}; }

TPoint SubtractPoints(TPoint a, TPoint b) { return {a.x - b.x, a.y - b.y}; }

void DrawSymbolDot(const PlotCanvas& plot, directional_operations::Orientation line) {
  const std::int32_t r = plot.symbolRadius;
  const TPoint p = ProjectLine(plot.geometry, line);
  plot.canvas.Ellipse(p.x - r, p.y - r, p.x + r, p.y + r);
}

void PlaceShape(ArrowShape& shape, float angle, TPoint anchor) {
  for (TPoint& p : shape) p = AddPoints(RotatePoint(p, angle), anchor);
}

}  // namespace orniva
