#include "plot/fault_plane_diagram.h"

#include <cmath>

#include "data/colours.h"
#include "plot/directional_operations.h"
#include "plot/numeric.h"

namespace orniva {

namespace dops = directional_operations;
using numeric::Real;
using numeric::Store;

namespace {
bool IsHighlightable(const FaultSet& data, std::int16_t highlightIndex) {
  return highlightIndex > 0 && highlightIndex <= data.count();
}
}  // namespace

void PlotFaultPlanes(const FaultSet& data, PlotTarget& target, std::int16_t highlightIndex) {
  if (data.count() == 0) return;
  const bool highlight = IsHighlightable(data, highlightIndex);
  RenderPlot(target, [&](RecordingCanvas& canvas) {
    const PlotCanvas plot{canvas, target.geometry, SymbolRadius(target.geometry, target.symbolSize)};
    for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
      DrawFaultPlaneDatum(plot, data[i], false);
      if (highlight) DrawFaultPlaneDatum(plot, data[std::size_t(highlightIndex)], true);
    }
  });
}

void DrawFaultPlaneDatum(const PlotCanvas& plot, const TFaultData& datum, bool highlighted) {
  if (!PlaneDrawable(datum)) return;
  TColor colour = clAqua;
  if (!highlighted) colour = datum.spl < 1.0f ? clBlack : datum.colour;
  plot.canvas.SetPenWidth(highlighted ? 4 : 2);
  plot.canvas.SetPenColour(colour);
  plot.canvas.SetBrushColour(colour);
  DrawGreatCircle(plot, datum.faz, datum.fpl);
  if (!StriationDrawable(datum)) return;
  if (SlipDrawable(datum)) DrawStriationArrow(plot, datum);
  DrawSymbolDot(plot, dops::MakeOrientation(datum.saz, datum.spl));
}

void DrawGreatCircle(const PlotCanvas& plot, float faz, float fpl) {
  const float phi = dops::LineToSpherical(dops::MakeOrientation(Store(Real(faz) - 90), 0)).phi;
  const dops::Vec3 south = dops::MakeVector(0, -1, 0);
  TPoint points[181];
  for (int i = -90; i <= 90; ++i) {
    const dops::Mat3 m = dops::EulerMatrix(fpl, phi, float(i));
    points[i + 90] = ProjectLine(plot.geometry, dops::VectorToLine(dops::RotateVector(m, south)));
  }
  plot.canvas.Polyline(points, 181);
}

void ChooseArrowShape(const TFaultData& datum, std::int16_t s, ArrowShape& shape) {
  shape.fill(TPoint{0, 0});
  const float t = Store(0.25L * datum.fpl + 60);
  const float alpha = dops::AzimuthAngle(datum.faz, datum.saz);
  if (std::fabs(alpha) < t) {
    if (datum.colour == clBlue)
      StraightArrowShape(s, shape);
    else
      ReversedArrowShape(s, shape);
    return;
  }
  const std::string& sense = datum.sense;
  bool mirrored;
  if (sense == "D")
    mirrored = true;
  else if (sense == "S")
    mirrored = false;
  else if (sense == "N")
    mirrored = alpha > 0;
  else if (sense == "R")
    mirrored = alpha < 0;
  else
    return;
  if (mirrored)
    MirroredShearArrowShape(s, shape);
  else
    ShearArrowShape(s, shape);
}

void DrawStriationArrow(const PlotCanvas& plot, const TFaultData& datum) {
  ArrowShape shape;
  ChooseArrowShape(datum, plot.symbolRadius, shape);
  PlaceShape(shape, datum.saz, ProjectLine(plot.geometry, dops::MakeOrientation(datum.saz, datum.spl)));
  plot.canvas.SetPenColour(clBlack);
  plot.canvas.Polyline(shape.data(), shape.size());
}

}  // namespace orniva
