#include "plot/tangent_lineation_diagram.h"

#include <cmath>

#include "data/colours.h"
#include "plot/highlight_copies.h"
#include "math/directional_operations.h"
#include "math/numeric.h"

namespace orniva {

namespace dops = directional_operations;
using numeric::Real;
using numeric::Store;

namespace {
// The tangent step, 0.1 as a float.
constexpr float kTangentStep = 0.1f;
}  // namespace

void PlotTangentLineation(const FaultSet& data, PlotTarget& target, std::int16_t highlightIndex) {
  PlotDrawablePlanes(data, target, highlightIndex, DrawTangentLineationDatum);
}

void DrawTangentLineationDatum(const PlotCanvas& plot, const TFaultData& datum, bool highlighted) {
  plot.canvas.SetPenWidth(highlighted ? 4 : 2);
  plot.canvas.SetPenColour(highlighted ? clAqua : clBlack);
  const dops::Orientation pole =
      dops::MakeOrientation(Store(Real(datum.faz) + 180), Store(90 - Real(datum.fpl)));
  const dops::Vec3 p = dops::LineToVector(pole);
  if (SlipDrawable(datum)) {
    dops::Vec3 t = dops::ScaleVector(
        dops::LineToVector(dops::MakeOrientation(datum.saz, datum.spl)), kTangentStep);
    if (datum.colour == clBlue) t = dops::NegateVector(t);
    bool zeroDivide = false;
    const dops::Orientation tip = dops::VectorToLine(dops::AddVectors(p, t), zeroDivide);
    if (zeroDivide && plot.zeroDivides) ++*plot.zeroDivides;
    const TPoint a = ProjectLine(plot.geometry, tip);
    const TPoint b = ProjectLine(plot.geometry, pole);
    const TPoint d = SubtractPoints(a, b);
    // atan2(0, 0) is 0 here, as the arrow of a step of no length points right.
    const float angle = Store(90 - std::atan2(-Real(d.y), Real(d.x)) * numeric::kRadToDeg);
    ArrowShape shape;
    StraightArrowShape(plot.symbolRadius, shape);
    PlaceShape(shape, angle, b);
    plot.canvas.Polyline(shape.data(), shape.size());
  }
  plot.canvas.SetBrushColour(TangentDotColour(datum));
  DrawSymbolDot(plot, pole);
}

TColor TangentDotColour(const TFaultData& datum) { return datum.spl <= 0 ? clBlack : datum.colour; }

}  // namespace orniva
