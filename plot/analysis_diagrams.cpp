#include "plot/analysis_diagrams.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "data/colours.h"
#include "math/numeric.h"
#include "plot/arrows.h"
#include "plot/axes_diagrams.h"
#include "plot/fault_plane_diagram.h"
#include "plot/great_circles.h"
#include "plot/highlight_copies.h"
#include "plot/plot_cache.h"
#include "plot/text_box.h"

namespace orniva {
namespace dops = directional_operations;
using numeric::Real;
using numeric::RoundToPlot;

namespace {

constexpr TColor kContourGrey = Rgb(64, 64, 64);
constexpr std::int32_t kLegendText = 28;
constexpr std::int32_t kLabelText = 26;

const TPoint* CircleOf(PlotTarget& target, const FaultSet& data, std::size_t i) {
  return target.cache ? target.cache->greatCircles.Circle(data, target.geometry, i) : nullptr;
}

void DrawPlane(const PlotCanvas& plot, const TFaultData& datum, const TPoint* circle) {
  DrawGreatCircle(plot, datum.faz, datum.fpl, circle);
}

// Every kept resample's sigma1, then sigma2, then sigma3, as small symbols
// of their axis's shape in its colour, or each axis's contour lines in its
// colour. What they are is the legend's to say, in the margin.
void DrawConfidenceAxes(RecordingCanvas& canvas, const StressAxesFigure& figure,
                        const NetGeometry& g, std::int32_t a) {
  if (figure.confidence.empty()) return;
  for (const StressAxesFigure::RegionLine& line : figure.confidenceLines) {
    canvas.SetPenWidth(line.inner ? 1 : 3);
    canvas.SetPenColour(ConfidenceColour(line.axis));
    canvas.Polyline(line.points.data(), line.points.size());
  }
  canvas.SetPenWidth(1);
  for (std::size_t k = 0; k < 3 && figure.confidenceLines.empty(); ++k) {
    canvas.SetPenColour(ConfidenceColour(k));
    canvas.SetBrushColour(ConfidenceColour(k));
    for (const auto& axes : figure.confidence)
      DrawStressSymbol(canvas, k, ProjectLine(g, axes[k]), a);
  }
}

// Each method's sigma1 and sigma3 symbols; then the key of the methods drawn
// in the bottom-left corner, one row a method, its sigma1 and sigma3 beside
// its name.
void DrawMethodAxes(RecordingCanvas& canvas, const StressAxesFigure& figure, const NetGeometry& g,
                    std::int32_t a) {
  auto draw = [&canvas](std::size_t method, bool sigma1, TPoint p, std::int32_t half) {
    const MethodSymbolStyle style = MethodStyle(method, sigma1);
    canvas.SetPenWidth(style.width);
    canvas.SetPenColour(style.pen);
    canvas.SetBrushColour(style.brush);
    const std::vector<TPoint> outline = MethodSymbolOutline(method, p, half);
    canvas.Polygon(outline.data(), outline.size());
  };
  for (const StressAxesFigure::MethodAxes& m : figure.methods) {
    draw(m.method, true, ProjectLine(g, m.sigma1), a);
    draw(m.method, false, ProjectLine(g, m.sigma3), a);
  }
  const auto rows = std::int32_t(figure.methods.size());
  for (std::int32_t row = 0; row < rows; ++row) {
    const std::size_t method = figure.methods[std::size_t(row)].method;
    const std::int32_t y = 975 - 34 * (rows - 1 - row);
    draw(method, true, {30, y}, 10);
    draw(method, false, {58, y}, 10);
    canvas.SetPenColour(clBlack);
    canvas.Text({80, y + 8}, TextItem{MethodKeyName(method), 22});
  }
}

std::string PhiText(double phi) {
  char text[48];
  std::snprintf(text, sizeof text, "\u03A6 = %.2f", phi);
  return text;
}

// The chosen method's sigma1, sigma2 and sigma3 of half-size a, labelled,
// and their key in the top-left corner; with the layout, the key only beside
// the axes it names, and Phi below it.
void DrawChosenAxes(RecordingCanvas& canvas, const StressAxesFigure& figure, const NetGeometry& g,
                    std::int32_t a, bool layout) {
  static const char* const kNames[] = {
      "\u03C3"
      "1",
      "\u03C3"
      "2",
      "\u03C3"
      "3"};
  canvas.SetPenWidth(3);
  canvas.SetPenColour(clBlack);
  canvas.SetBrushColour(clWhite);
  if (figure.axes) {
    for (std::size_t k = 0; k < 3; ++k) {
      const TPoint p = ProjectLine(g, (*figure.axes)[k]);
      DrawStressSymbol(canvas, k, p, a);
    }
    // The labels after all three symbols, each on a halo over whatever
    // lies beside its axis.
    for (std::size_t k = 0; k < 3; ++k) {
      const TPoint p = ProjectLine(g, (*figure.axes)[k]);
      DrawHaloText(canvas, {p.x + a + 6, p.y - a / 2},
                   TextItem{std::string(1, char('1' + k)), kLabelText}, clBlack);
    }
    canvas.SetBrushColour(clWhite);
  }
  // The key of the axes; with the layout, only beside the axes it names.
  for (std::size_t k = 0; k < 3 && (!layout || figure.axes); ++k) {
    const TPoint at{40, 45 + 45 * std::int32_t(k)};
    DrawStressSymbol(canvas, k, at, 14);
    canvas.Text({at.x + 30, at.y + 10}, TextItem{kNames[k], kLegendText});
  }
  if (layout && figure.axes) canvas.Text({25, 190}, TextItem{PhiText(figure.phi), kLegendText});
}

// The primitive circle again over whatever filled it, as a polyline; with
// `smooth`, with its fine points too.
void DrawPrimitiveOutline(RecordingCanvas& canvas, const NetGeometry& g, bool smooth) {
  std::vector<TPoint> outline(361);
  std::vector<FinePoint> fine(outline.size());
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const Real a = Real(i) * numeric::kDegToRad;
    outline[i] = {g.netCentre.x + RoundToPlot(g.netRadius * std::sin(a)),
                  g.netCentre.y - RoundToPlot(g.netRadius * std::cos(a))};
    fine[i] = {std::int32_t(std::lround((g.netCentre.x + g.netRadius * std::sin(a)) * kFineUnits)),
               std::int32_t(std::lround((g.netCentre.y - g.netRadius * std::cos(a)) * kFineUnits))};
  }
  canvas.SetPenWidth(2);
  canvas.SetPenColour(clSilver);
  if (smooth)
    canvas.Polyline(outline.data(), outline.size(), fine.data());
  else
    canvas.Polyline(outline.data(), outline.size());
}

// A horizontal bar of the level colours along the top right, each segment
// labelled with its level below it (as many labels as there is room for).
void DrawLevelLegend(RecordingCanvas& canvas, const FieldFigure& figure) {
  const std::size_t n = std::min(figure.levelColours.size(), figure.levelLabels.size());
  if (n == 0) return;
  const std::int32_t width = std::min<std::int32_t>(60, 380 / std::int32_t(n));
  const std::int32_t left = 990 - width * std::int32_t(n);
  const std::size_t step = std::size_t((48 + width - 1) / width);
  canvas.SetPenWidth(1);
  for (std::size_t k = 0; k < n; ++k) {
    const std::int32_t x = left + width * std::int32_t(k);
    canvas.SetPenColour(clBlack);
    canvas.SetBrushColour(figure.levelColours[k]);
    const TPoint box[] = {{x, 8}, {x + width, 8}, {x + width, 32}, {x, 32}};
    canvas.Polygon(box, 4);
    if (k % step == 0)
      canvas.Text({x, 56}, TextItem{figure.levelLabels[k], 20, TextAnchor::Centre});
  }
}

}  // namespace

void PlotStressAxes(const FaultSet& data, const StressAxesFigure& figure, PlotTarget& target,
                    std::int16_t highlightIndex, bool layout, const std::vector<TColor>* colours) {
  const bool highlight = HighlightsDrawablePlane(data, highlightIndex);
  auto out = [&figure](std::size_t i) {
    return i < figure.switchedOut.size() && figure.switchedOut[i];
  };
  if (target.cache) target.cache->greatCircles.PrepareAll(data, target.geometry);
  RenderPlot(target, [&](RecordingCanvas& canvas) {
    const PlotCanvas plot{canvas, target.geometry, SymbolRadius(target.geometry, target.symbolSize),
                          &target.zeroDivides, target.smoothCurves};
    HighlightCopies copies(canvas);
    const auto h = std::size_t(highlightIndex);
    for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
      if (!PlaneDrawable(data[i])) continue;
      DrawFaultPlaneDatum(
          plot, data[i], false, CircleOf(target, data, i),
          out(i) ? std::optional<TColor>(kSwitchedOutGrey) : ShownColour(colours, i));
      if (highlight)
        copies.Draw([&] { DrawFaultPlaneDatum(plot, data[h], true, CircleOf(target, data, h)); });
    }
    DrawConfidenceAxes(canvas, figure, target.geometry, SmallDotRadius(plot.symbolRadius));
    DrawMethodAxes(canvas, figure, target.geometry, plot.symbolRadius);
    DrawChosenAxes(canvas, figure, target.geometry, RoundToPlot(1.6 * plot.symbolRadius), layout);
    canvas.SetDrawingKey(target.drawingKey);
  });
}

void DrawStressSymbol(RecordingCanvas& canvas, std::size_t k, TPoint p, std::int32_t a) {
  if (k == 2) {
    canvas.Ellipse(p.x - a, p.y - a, p.x + a, p.y + a);
    return;
  }
  if (k == 0) {
    const TPoint square[] = {
        {p.x - a, p.y - a}, {p.x + a, p.y - a}, {p.x + a, p.y + a}, {p.x - a, p.y + a}};
    canvas.Polygon(square, 4);
    return;
  }
  // Equilateral, pointing up, about a circle of radius 1.25 a.
  const std::int32_t top = RoundToPlot(Real(a) * 1.25);
  const std::int32_t half = RoundToPlot(Real(a) * 1.25 * 0.8660254037844386);
  const std::int32_t bottom = RoundToPlot(Real(a) * 0.625);
  const TPoint triangle[] = {
      {p.x, p.y - top}, {p.x + half, p.y + bottom}, {p.x - half, p.y + bottom}};
  canvas.Polygon(triangle, 3);
}

TColor ConfidenceColour(std::size_t axis) {
  static constexpr TColor kAxisColours[] = {Rgb(200, 40, 40), Rgb(40, 150, 60), Rgb(40, 90, 200)};
  return kAxisColours[axis % 3];
}

const char* MethodKeyName(std::size_t method) {
  static const char* const kNames[kMethodSymbols] = {"Michael", "Shan", "Fry", "Yamaji-Sato",
                                                     "Angelier S4"};
  return kNames[method % kMethodSymbols];
}

MethodSymbolStyle MethodStyle(std::size_t method, bool sigma1) {
  static constexpr TColor kColours[kMethodSymbols] = {
      Rgb(0, 114, 178), Rgb(213, 94, 0), Rgb(0, 158, 115), Rgb(204, 121, 167), Rgb(230, 159, 0)};
  const TColor colour = kColours[method % kMethodSymbols];
  return sigma1 ? MethodSymbolStyle{clBlack, colour, 1} : MethodSymbolStyle{colour, clWhite, 3};
}

std::vector<TPoint> MethodSymbolOutline(std::size_t method, TPoint c, std::int32_t a) {
  const std::int32_t s = a * 4 / 5, low = a * 3 / 4, w = std::max(1, a / 3);
  switch (method % kMethodSymbols) {
    case 0:
      return {{c.x - s, c.y - s}, {c.x + s, c.y - s}, {c.x + s, c.y + s}, {c.x - s, c.y + s}};
    case 1:
      return {{c.x, c.y - a}, {c.x + a, c.y}, {c.x, c.y + a}, {c.x - a, c.y}};
    case 2:
      return {{c.x, c.y - a}, {c.x + a, c.y + low}, {c.x - a, c.y + low}};
    case 3:
      return {{c.x, c.y + a}, {c.x - a, c.y - low}, {c.x + a, c.y - low}};
    default:
      return {{c.x - w, c.y - a}, {c.x + w, c.y - a}, {c.x + w, c.y - w}, {c.x + a, c.y - w},
              {c.x + a, c.y + w}, {c.x + w, c.y + w}, {c.x + w, c.y + a}, {c.x - w, c.y + a},
              {c.x - w, c.y + w}, {c.x - a, c.y + w}, {c.x - a, c.y - w}, {c.x - w, c.y - w}};
  }
}

TColor RampColour(std::size_t k, std::size_t n) {
  static constexpr TColor kRamp[] = {Rgb(255, 255, 204), Rgb(255, 237, 160), Rgb(254, 217, 118),
                                     Rgb(254, 178, 76),  Rgb(253, 141, 60),  Rgb(252, 78, 42),
                                     Rgb(227, 26, 28),   Rgb(189, 0, 38),    Rgb(128, 0, 38)};
  constexpr std::size_t last = sizeof kRamp / sizeof kRamp[0] - 1;
  if (n <= 1) return kRamp[0];
  const Real at = Real(std::min(k, n - 1)) * Real(last) / Real(n - 1);
  const auto i = std::min(std::size_t(at), last - 1);
  const Real f = at - Real(i);
  auto mix = [f](std::uint8_t u, std::uint8_t v) {
    return std::uint8_t(RoundToPlot(u + (v - u) * f));
  };
  return Rgb(mix(RedOf(kRamp[i]), RedOf(kRamp[i + 1])),
             mix(GreenOf(kRamp[i]), GreenOf(kRamp[i + 1])),
             mix(BlueOf(kRamp[i]), BlueOf(kRamp[i + 1])));
}

void DrawFieldBands(RecordingCanvas& canvas, const FieldFigure& figure, const NetGeometry& geometry,
                    bool smooth) {
  // Outlines of width 2 in the band's colour close the seams that
  // smoothing renderers leave between touching polygons; the primitive
  // circle is drawn again over the half pen that spills beyond it.
  canvas.SetPenWidth(2);
  for (const FieldFigure::Band& band : figure.bands) {
    if (band.level < 0 || std::size_t(band.level) >= figure.levelColours.size()) continue;
    const TColor colour = figure.levelColours[std::size_t(band.level)];
    if (canvas.PenColour() != colour) canvas.SetPenColour(colour);
    if (canvas.BrushColour() != colour) canvas.SetBrushColour(colour);
    canvas.Polygon(band.points.data(), band.points.size());
  }
  canvas.SetPenWidth(1);
  canvas.SetPenColour(kContourGrey);
  for (const std::vector<TPoint>& line : figure.lines) canvas.Polyline(line.data(), line.size());
  DrawPrimitiveOutline(canvas, geometry, smooth);
}

void PlotField(const FaultSet& data, const FieldFigure& figure, PlotTarget& target,
               std::int16_t highlightIndex, bool layout) {
  auto pointOf = [&figure](std::size_t i) -> const std::optional<dops::Orientation>& {
    static const std::optional<dops::Orientation> kNone;
    return i < figure.points.size() ? figure.points[i] : kNone;
  };
  const auto h = std::size_t(highlightIndex);
  const bool highlight =
      HighlightsDrawablePlane(data, highlightIndex) && (figure.planes || pointOf(h));
  if (target.cache && figure.planes) target.cache->greatCircles.PrepareAll(data, target.geometry);
  RenderPlot(target, [&](RecordingCanvas& canvas) {
    const PlotCanvas plot{canvas, target.geometry, SymbolRadius(target.geometry, target.symbolSize),
                          &target.zeroDivides, target.smoothCurves};
    DrawFieldBands(canvas, figure, target.geometry, target.smoothCurves);
    const std::int32_t dot = SmallDotRadius(plot.symbolRadius);
    canvas.SetPenWidth(1);
    canvas.SetPenColour(clBlack);
    canvas.SetBrushColour(clBlack);
    for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
      if (figure.planes) {
        if (PlaneDrawable(data[i])) DrawPlane(plot, data[i], CircleOf(target, data, i));
      } else if (const auto& p = pointOf(i)) {
        const TPoint q = ProjectLine(target.geometry, *p);
        canvas.Ellipse(q.x - dot, q.y - dot, q.x + dot, q.y + dot);
      }
    }
    if (layout) {
      DrawLevelLegend(canvas, figure);
      for (const FieldFigure::Label& label : figure.labels) {
        const TPoint p = ProjectLine(target.geometry, label.at);
        DrawHaloText(canvas, {p.x, p.y + kLabelText / 3},
                     TextItem{label.text, kLabelText, TextAnchor::Centre}, clBlack);
      }
    }
    if (highlight) {
      HighlightCopies copies(canvas);
      copies.Draw([&] {
        canvas.SetPenWidth(4);
        canvas.SetPenColour(clAqua);
        canvas.SetBrushColour(clAqua);
        if (figure.planes) {
          DrawPlane(plot, data[h], CircleOf(target, data, h));
        } else {
          const TPoint q = ProjectLine(target.geometry, *pointOf(h));
          const std::int32_t r = plot.symbolRadius;
          canvas.Ellipse(q.x - r, q.y - r, q.x + r, q.y + r);
        }
      });
    }
    canvas.SetDrawingKey(target.drawingKey);
  });
}

}  // namespace orniva
