#include "plot/axes_diagrams.h"

#include <algorithm>

#include "data/colours.h"
#include "math/numeric.h"
#include "plot/highlight_copies.h"

namespace orniva {

namespace dops = directional_operations;
using numeric::Real;
using numeric::Store;

namespace {

void DrawCircle(const PlotCanvas& plot, dops::Orientation line, std::int32_t r) {
  const TPoint p = ProjectLine(plot.geometry, line);
  plot.canvas.Ellipse(p.x - r, p.y - r, p.x + r, p.y + r);
}

dops::Orientation PoleOf(const TFaultData& datum) {
  return dops::MakeOrientation(Store(Real(datum.faz) + 180), Store(90 - Real(datum.fpl)));
}

void DrawPoleDatum(const PlotCanvas& plot, const TFaultData& datum, bool highlighted) {
  plot.canvas.SetPenWidth(highlighted ? 4 : 2);
  plot.canvas.SetPenColour(highlighted ? clAqua : clBlack);
  plot.canvas.SetBrushColour(datum.colour);
  DrawSymbolDot(plot, PoleOf(datum));
  if (!StriationDrawable(datum)) return;
  DrawCircle(plot, dops::MakeOrientation(datum.saz, datum.spl), SmallDotRadius(plot.symbolRadius));
}

// P filled, T open, B a cross; `colour` for pens and the P fill.
void DrawAxes(const PlotCanvas& plot, const AxisTriple& axes, TColor colour, std::int32_t r) {
  plot.canvas.SetPenColour(colour);
  plot.canvas.SetBrushColour(colour);
  DrawCircle(plot, axes.p, r);
  plot.canvas.SetBrushColour(clWhite);
  DrawCircle(plot, axes.t, r);
  DrawCross(plot, axes.b, r);
}

}  // namespace

void DrawCross(const PlotCanvas& plot, dops::Orientation line, std::int32_t r) {
  const TPoint p = ProjectLine(plot.geometry, line);
  plot.canvas.MoveTo({p.x - r, p.y});
  plot.canvas.LineTo({p.x + r, p.y});
  plot.canvas.MoveTo({p.x, p.y - r});
  plot.canvas.LineTo({p.x, p.y + r});
}

std::int32_t SmallDotRadius(std::int16_t symbolRadius) {
  return std::max<std::int32_t>(2, symbolRadius / 3);
}

void PlotPoles(const FaultSet& data, PlotTarget& target, std::int16_t highlightIndex,
               const std::vector<TColor>* colours) {
  if (!colours) return PlotDrawablePlanes(data, target, highlightIndex, DrawPoleDatum);
  const TFaultData* first = &data[0];
  PlotDrawablePlanes(data, target, highlightIndex,
                     [&](const PlotCanvas& plot, const TFaultData& datum, bool highlighted) {
                       const auto shown = ShownColour(colours, std::size_t(&datum - first));
                       if (!shown || highlighted) return DrawPoleDatum(plot, datum, highlighted);
                       TFaultData recoloured = datum;
                       recoloured.colour = *shown;
                       DrawPoleDatum(plot, recoloured, false);
                     });
}

void PlotKinematicAxes(const FaultSet& data, const KinematicAxesFigure& axes, PlotTarget& target,
                       std::int16_t highlightIndex, const std::vector<TColor>* colours) {
  auto axesOf = [&axes](std::size_t i) -> const std::optional<AxisTriple>& {
    static const std::optional<AxisTriple> kNone;
    return i < axes.perDatum.size() ? axes.perDatum[i] : kNone;
  };
  const bool highlight = HighlightsDrawablePlane(data, highlightIndex) &&
                         axesOf(std::size_t(highlightIndex)).has_value();
  RenderPlot(target, [&](RecordingCanvas& canvas) {
    const PlotCanvas plot{canvas, target.geometry, SymbolRadius(target.geometry, target.symbolSize),
                          &target.zeroDivides, target.smoothCurves};
    const std::int32_t r = plot.symbolRadius;
    HighlightCopies copies(canvas);
    canvas.SetPenWidth(2);
    for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
      const std::optional<AxisTriple>& own = axesOf(i);
      if (!own) continue;
      DrawAxes(plot, *own, ShownColour(colours, i).value_or(data[i].colour), r);
      if (!highlight) continue;
      copies.Draw([&] {
        canvas.SetPenWidth(4);
        DrawAxes(plot, *axesOf(std::size_t(highlightIndex)), clAqua, r);
        canvas.SetPenWidth(2);
      });
    }
    if (axes.summary) {
      canvas.SetPenWidth(3);
      DrawAxes(plot, *axes.summary, clBlack, 2 * r);
    }
    canvas.SetDrawingKey(target.drawingKey);
  });
}

}  // namespace orniva
