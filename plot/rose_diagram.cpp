#include "plot/rose_diagram.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "data/colours.h"
#include "math/numeric.h"
#include "plot/net_grid.h"

namespace orniva {

using numeric::Real;

namespace {

constexpr double kArcStep = 2;  // [deg] at most between the points of a petal's arc

// The point at `azimuth` [deg] and `radius` [plot units] from the centre.
TPoint PointAt(const NetGeometry& g, double azimuth, double radius) {
  const Real a = azimuth * numeric::kDegToRad, r = HemisphereSign(g) * radius;
  return {numeric::RoundToPlot(g.netCentre.x + r * std::sin(a)),
          numeric::RoundToPlot(g.netCentre.y - r * std::cos(a))};
}

void DrawPetal(RecordingCanvas& canvas, const NetGeometry& g, double from, double to,
               double radius) {
  const int steps = std::max(1, int(std::ceil((to - from) / kArcStep)));
  std::vector<TPoint> points{g.netCentre};
  for (int k = 0; k <= steps; ++k)
    points.push_back(PointAt(g, from + (to - from) * k / steps, radius));
  canvas.Polygon(points.data(), points.size());
}

void DrawRoseGrid(RecordingCanvas& canvas, const NetGeometry& g) {
  canvas.SetPenWidth(1);
  canvas.SetPenColour(kNetGridColour);
  canvas.SetBrushColour(clWhite);
  // The rings are filled white: the largest first, the spokes over them.
  for (int quarter = 3; quarter >= 1; --quarter) {
    const std::int32_t r = g.netRadius * quarter / 4;
    const TPoint c = g.netCentre;
    canvas.Ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
  }
  for (int azimuth = 0; azimuth < 180; azimuth += 10) {
    canvas.MoveTo(PointAt(g, azimuth, g.netRadius));
    canvas.LineTo(PointAt(g, azimuth + 180, g.netRadius));
  }
}

}  // namespace

RoseFigure RoseFigureOf(const analysis::RoseCounts& counts, analysis::RoseOf of, NetKind kind) {
  RoseFigure figure;
  figure.of = of;
  figure.counts = counts;
  figure.equalArea = kind == NetKind::EqualArea;
  figure.lengths = analysis::PetalLengths(counts, figure.equalArea);
  return figure;
}

void PlotRose(const RoseFigure& figure, PlotTarget& target) {
  NetGeometry geometry = target.geometry;
  const bool grid = geometry.grid;
  geometry.grid = false;  // the rose's own grid, not the net's
  PlotTarget frame = target;
  frame.geometry = geometry;
  RenderPlot(frame, [&](RecordingCanvas& canvas) {
    if (grid) DrawRoseGrid(canvas, geometry);
    canvas.SetPenWidth(1);
    canvas.SetPenColour(clBlack);
    canvas.SetBrushColour(kPetalColour);
    const double width = figure.counts.binWidth;
    for (std::size_t k = 0; k < figure.lengths.size(); ++k)
      if (figure.lengths[k] > 0)
        DrawPetal(canvas, geometry, k * width, (k + 1) * width,
                  figure.lengths[k] * geometry.netRadius);
  });
}

std::string RoseCaption(const RoseFigure& figure) {
  const char* of = figure.of == analysis::RoseOf::Strike         ? "Strikes"
                   : figure.of == analysis::RoseOf::DipDirection ? "Dip directions"
                                                                 : "Striation trends";
  const auto& counts = figure.counts.counts;
  const int most = counts.empty() ? 0 : *std::max_element(counts.begin(), counts.end());
  char text[128];
  std::snprintf(text, sizeof text, "%s, %g\u00B0 bins%s; longest petal %d", of,
                figure.counts.binWidth, figure.equalArea ? ", equal-area" : "", most);
  return text;
}

}  // namespace orniva
