#include "plot/fault_plane_diagram.h"

#include <cmath>

#include "data/colours.h"
#include "plot/great_circles.h"
#include "plot/highlight_copies.h"
#include "plot/plot_cache.h"
#include "math/directional_operations.h"
#include "math/numeric.h"

namespace orniva {

namespace dops = directional_operations;
using numeric::Real;
using numeric::Store;

namespace {
bool IsHighlightable(const FaultSet& data, std::int16_t highlightIndex) {
  return highlightIndex > 0 && highlightIndex <= data.count();
}
}  // namespace

void PlotFaultPlanes(const FaultSet& data, PlotTarget& target, std::int16_t highlightIndex,
                     const std::vector<TColor>* colours) {
  if (target.cache) target.cache->greatCircles.PrepareAll(data, target.geometry);
  auto circleOf = [&](std::size_t i) -> const TPoint* {
    if (!target.cache || !PlaneDrawable(data[i])) return nullptr;
    return target.cache->greatCircles.Circle(data, target.geometry, i);
  };
  const auto h = std::size_t(highlightIndex);
  HighlightedData plot;
  plot.count = std::size_t(data.count());
  plot.highlight = IsHighlightable(data, highlightIndex);
  plot.datum = [&](const PlotCanvas& canvas, std::size_t i) {
    DrawFaultPlaneDatum(canvas, data[i], false, circleOf(i), ShownColour(colours, i));
    return true;  // a copy follows every datum, drawn or not
  };
  plot.highlighted = [&](const PlotCanvas& canvas) {
    DrawFaultPlaneDatum(canvas, data[h], true, circleOf(h));
  };
  plot.colourOf = [&](std::size_t i) {
    return ShownColour(colours, i).value_or(FaultPlaneColour(data[i]));
  };
  // A datum records up to 8 operations and its circle and arrow points.
  plot.records = 8;
  plot.points = kGreatCirclePoints + 8;
  PlotHighlightedData(target, plot);
}

void DrawFaultPlaneDatum(const PlotCanvas& plot, const TFaultData& datum, bool highlighted,
                         const TPoint* circle, std::optional<TColor> forced) {
  if (!PlaneDrawable(datum)) return;
  TColor colour = clAqua;
  if (!highlighted) colour = forced ? *forced : FaultPlaneColour(datum);
  plot.canvas.SetPenWidth(highlighted ? 4 : 2);
  plot.canvas.SetPenColour(colour);
  plot.canvas.SetBrushColour(colour);
  DrawGreatCircle(plot, datum.faz, datum.fpl, circle);
  if (!StriationDrawable(datum)) return;
  if (SlipDrawable(datum)) DrawStriationArrow(plot, datum);
  DrawSymbolDot(plot, dops::MakeOrientation(datum.saz, datum.spl));
}

TColor FaultPlaneColour(const TFaultData& datum) {
  return datum.spl < 1.0f ? clBlack : datum.colour;
}

ArrowKind ArrowKindOf(const TFaultData& datum) {
  const float t = Store(Real(0.25) * datum.fpl + 60);
  const float alpha = dops::AzimuthAngle(datum.faz, datum.saz);
  if (std::fabs(alpha) < t)
    return datum.colour == clBlue ? ArrowKind::Straight : ArrowKind::Reversed;
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
    return ArrowKind::None;
  return mirrored ? ArrowKind::MirroredShear : ArrowKind::Shear;
}

void ArrowShapeOf(ArrowKind kind, std::int16_t s, ArrowShape& shape) {
  switch (kind) {
    case ArrowKind::None:
      shape.fill(TPoint{0, 0});
      return;
    case ArrowKind::Straight:
      return StraightArrowShape(s, shape);
    case ArrowKind::Reversed:
      return ReversedArrowShape(s, shape);
    case ArrowKind::Shear:
      return ShearArrowShape(s, shape);
    case ArrowKind::MirroredShear:
      return MirroredShearArrowShape(s, shape);
  }
}

void ChooseArrowShape(const TFaultData& datum, std::int16_t s, ArrowShape& shape) {
  ArrowShapeOf(ArrowKindOf(datum), s, shape);
}

void DrawStriationArrow(const PlotCanvas& plot, const TFaultData& datum) {
  ArrowShape shape;
  ChooseArrowShape(datum, plot.symbolRadius, shape);
  // On the upper hemisphere the arrow turns half round with its point.
  const float angle =
      plot.geometry.hemisphere == Hemisphere::Upper ? Store(Real(datum.saz) + 180) : datum.saz;
  PlaceShape(shape, angle, ProjectLine(plot.geometry, dops::MakeOrientation(datum.saz, datum.spl)));
  plot.canvas.SetPenColour(clBlack);
  plot.canvas.Polyline(shape.data(), shape.size());
}

}  // namespace orniva
