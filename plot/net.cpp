#include "plot/net.h"

#include <cmath>

#include "data/colours.h"
#include "math/numeric.h"
#include "plot/net_grid.h"

namespace orniva {

using numeric::Real;

void InitNetGeometry(NetGeometry& geometry) {
  geometry.symbolUnit = 10;
  geometry.netCentre = {50 * geometry.symbolUnit, 50 * geometry.symbolUnit};
  geometry.netRadius = std::int16_t(45 * geometry.symbolUnit);
}

TPoint ProjectLine(const NetGeometry& geometry, directional_operations::Orientation line) {
  const Real trendRad = numeric::StoredRadians(line.trend);
  const Real plungeRad = numeric::StoredRadians(line.plunge);
  const Real half = Real(0.7853981633974) - plungeRad / 2;
  const Real r = numeric::Store(geometry.kind == NetKind::EqualArea
                                    ? geometry.netRadius * numeric::kSqrt2 * std::sin(half)
                                    : geometry.netRadius * std::tan(half));
  const Real angle = Real(1.570796326795) - trendRad;
  // r overflows for a plunge of -90 and beyond, and is NaN for a non-finite
  // angle; RoundToPlot holds the offsets within the plot limits.
  const Real dx = r * std::cos(angle);
  const Real dy = r * std::sin(angle);
  const Real sign = HemisphereSign(geometry);
  return {numeric::RoundToPlot(geometry.netCentre.x + sign * Real(numeric::RoundToPlot(dx))),
          numeric::RoundToPlot(geometry.netCentre.y - sign * Real(numeric::RoundToPlot(dy)))};
}

FinePoint FineProjection(const NetGeometry& geometry, const math::Vector3d& v) {
  const double gap = 1 - v.z;
  const double scale =
      geometry.netRadius / (geometry.kind == NetKind::EqualArea ? std::sqrt(gap) : gap);
  const double sign = HemisphereSign(geometry) * scale;
  return {std::int32_t(std::lround((geometry.netCentre.x + sign * v.x) * kFineUnits)),
          std::int32_t(std::lround((geometry.netCentre.y - sign * v.y) * kFineUnits))};
}

std::int16_t SymbolRadius(const NetGeometry& geometry, SymbolSize size) {
  switch (size) {
    case SymbolSize::Large:
      return std::int16_t(std::nearbyint(geometry.symbolUnit * 1.5));
    case SymbolSize::Medium:
      return geometry.symbolUnit;
    case SymbolSize::Small:
      return std::int16_t(std::nearbyint(geometry.symbolUnit * 0.7));
  }
  return geometry.symbolUnit;
}

void DrawNetFrame(RecordingCanvas& canvas, const NetGeometry& geometry, bool smooth) {
  canvas.SetPenWidth(2);
  canvas.SetBrushColour(clWhite);
  canvas.SetPenColour(clSilver);
  canvas.FillRect(0, 0, 1000, 1000);
  const std::int32_t cx = geometry.netCentre.x, cy = geometry.netCentre.y;
  const std::int32_t r = geometry.netRadius, tick = 2 * geometry.symbolUnit;
  canvas.Ellipse(cx - r, cy - r, cx + r, cy + r);
  const TPoint ticks[4][2] = {
      {{cx, cy - r}, {cx, cy - r - tick}},  // north
      {{cx, cy + r}, {cx, cy + r + tick}},  // south
      {{cx - r, cy}, {cx - r - tick, cy}},  // west
      {{cx + r, cy}, {cx + r + tick, cy}},  // east
  };
  for (const auto& t : ticks) {
    canvas.MoveTo(t[0]);
    canvas.LineTo(t[1]);
  }
  if (geometry.grid) DrawNetGrid(canvas, geometry, smooth);
}

void RenderPlot(PlotTarget& target, const std::function<void(RecordingCanvas&)>& step) {
  {
    RecordingCanvas canvas(*target.picture);
    DrawNetFrame(canvas, target.geometry, target.smoothCurves);
    if (step) step(canvas);
  }  // closing the canvas puts the recording in the picture, also on failure
  if (target.show) target.show();
}

}  // namespace orniva
