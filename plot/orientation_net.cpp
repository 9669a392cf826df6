#include "plot/orientation_net.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>

#include "analysis/curation_state.h"
#include "analysis/orientation_statistics.h"
#include "data/colours.h"
#include "math/numeric.h"
#include "platform/threads.h"
#include "plot/analysis_diagrams.h"
#include "plot/axes_diagrams.h"
#include "plot/great_circles.h"

namespace orniva {

namespace dops = directional_operations;
using math::Vector3d;
using numeric::Store;

namespace {

constexpr std::size_t kSquare = 0, kTriangle = 2;  // MethodSymbolOutline's shapes

dops::Orientation Stored(math::TrendPlunge line) {
  return dops::MakeOrientation(Store(line.trend), Store(line.plunge));
}

TColor ColourOf(const std::string& hex) {
  unsigned value = 0;
  std::from_chars(hex.data() + 1, hex.data() + hex.size(), value, 16);
  return Rgb(std::uint8_t(value >> 16), std::uint8_t(value >> 8), std::uint8_t(value));
}

TColor RecordColour(const OrientationNetFigure& figure, std::size_t i) {
  return i < figure.colours.size() ? figure.colours[i] : clBlack;
}

void DrawShape(const PlotCanvas& plot, std::size_t shape, TPoint at, std::int32_t half) {
  const std::vector<TPoint> outline = MethodSymbolOutline(shape, at, half);
  plot.canvas.Polygon(outline.data(), outline.size());
}

// The great circles of `planes` (indices into `records`) [begin, end) into
// `points`, on two threads that take runs of circles until none is left.
int ComputeCircles(const NetGeometry& geometry, const std::vector<OrientationRecord>& records,
                   const std::vector<std::size_t>& planes, std::size_t begin, std::size_t end,
                   TPoint* points) {
  constexpr std::size_t kRun = 16;
  std::atomic<std::size_t> next{begin};
  std::atomic<int> zeroDivides{0};
  auto take = [&] {
    for (std::size_t k; (k = next.fetch_add(kRun)) < end;)
      for (std::size_t i = k; i < std::min(k + kRun, end); ++i) {
        const OrientationRecord& r = records[planes[i]];
        zeroDivides += GreatCirclePoints(geometry, r.azimuth, r.angle,
                                         points + (i - begin) * kGreatCirclePoints);
      }
  };
  std::thread other;
  if (end - begin >= 64) other = StartOrRun(take);
  take();
  if (other.joinable()) other.join();
  return zeroDivides;
}

// The planes' great circles, computed a chunk at a time so that the points
// are held twice (computed, recorded) only for a chunk.
void DrawCircles(const PlotCanvas& plot, const OrientationNetFigure& figure) {
  constexpr std::size_t kChunk = 4096;
  const std::vector<OrientationRecord>& records = *figure.records;
  std::vector<std::size_t> planes;
  for (std::size_t i = 0; i < records.size(); ++i)
    if (records[i].kind == OrientationKind::Plane) planes.push_back(i);
  std::vector<TPoint> chunk(std::min(planes.size(), kChunk) * kGreatCirclePoints);
  plot.canvas.SetPenWidth(1);
  for (std::size_t begin = 0; begin < planes.size(); begin += kChunk) {
    const std::size_t end = std::min(begin + kChunk, planes.size());
    const int zeroDivides =
        ComputeCircles(plot.geometry, records, planes, begin, end, chunk.data());
    if (plot.zeroDivides) *plot.zeroDivides += zeroDivides;
    for (std::size_t i = begin; i < end; ++i) {
      plot.canvas.SetPenColour(RecordColour(figure, planes[i]));
      plot.canvas.Polyline(chunk.data() + (i - begin) * kGreatCirclePoints, kGreatCirclePoints);
    }
  }
}

void DrawPoints(const PlotCanvas& plot, const OrientationNetFigure& figure, bool poles) {
  const std::vector<OrientationRecord>& records = *figure.records;
  plot.canvas.SetPenWidth(1);
  plot.canvas.SetPenColour(clBlack);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const OrientationRecord& r = records[i];
    const bool plane = r.kind == OrientationKind::Plane;
    if (plane && !poles) continue;
    plot.canvas.SetBrushColour(RecordColour(figure, i));
    const TPoint at = RecordPoint(plot.geometry, r);
    if (plane)
      plot.canvas.Ellipse(at.x - plot.symbolRadius, at.y - plot.symbolRadius,
                          at.x + plot.symbolRadius, at.y + plot.symbolRadius);
    else
      DrawShape(plot, kTriangle, at, plot.symbolRadius);
  }
}

void DrawRings(const PlotCanvas& plot, const OrientationNetFigure& figure) {
  constexpr int kSides = 36;
  const double radius = 2.0 * plot.symbolRadius;
  plot.canvas.SetPenWidth(4);
  plot.canvas.SetPenColour(Rgb(255, 0, 255));
  std::vector<TPoint> ring(kSides + 1);
  for (std::size_t i : figure.selected) {
    if (i >= figure.records->size()) continue;
    const TPoint at = RecordPoint(plot.geometry, (*figure.records)[i]);
    for (int k = 0; k <= kSides; ++k) {
      const double a = 2 * numeric::kPi * k / kSides;
      ring[std::size_t(k)] = {std::int32_t(std::lround(at.x + radius * std::cos(a))),
                              std::int32_t(std::lround(at.y + radius * std::sin(a)))};
    }
    plot.canvas.Polyline(ring.data(), ring.size());
  }
}

void DrawGirdle(const PlotCanvas& plot, math::TrendPlunge axis) {
  plot.canvas.SetPenWidth(3);
  plot.canvas.SetPenColour(clBlack);
  DrawGreatCircle(plot, Store(std::fmod(axis.trend + 180, 360)), Store(90 - axis.plunge));
  DrawCross(plot, Stored(axis), plot.symbolRadius * 3 / 2);
}

void DrawMean(const PlotCanvas& plot, const OrientationNetFigure::Mean& mean) {
  plot.canvas.SetPenColour(clBlack);
  if (mean.alpha) {
    plot.canvas.SetPenWidth(2);
    for (const std::vector<TPoint>& run : SmallCircleRuns(plot.geometry, mean.mean, *mean.alpha))
      if (run.size() > 1) plot.canvas.Polyline(run.data(), run.size());
  }
  plot.canvas.SetPenWidth(3);
  plot.canvas.SetBrushColour(clWhite);
  DrawShape(plot, kSquare, ProjectLine(plot.geometry, Stored(mean.mean)),
            plot.symbolRadius * 6 / 5);
}

}  // namespace

TPoint RecordPoint(const NetGeometry& geometry, const OrientationRecord& r) {
  if (r.kind == OrientationKind::Plane)
    return ProjectLine(geometry, dops::MakeOrientation(Store(double(r.azimuth) + 180),
                                                       Store(90 - double(r.angle))));
  return ProjectLine(geometry, {r.azimuth, r.angle});
}

SetColouring SetColours(const std::vector<OrientationRecord>& records,
                        const std::vector<analysis::PhaseInfo>& sets) {
  SetColouring colouring;
  for (const analysis::PhaseInfo& set : sets)
    colouring.names.emplace_back(ColourOf(set.colour), set.name);
  for (const OrientationRecord& r : records) {
    const auto set = std::find_if(sets.begin(), sets.end(),
                                  [&r](const analysis::PhaseInfo& s) { return s.name == r.set; });
    colouring.colours.push_back(r.set.empty() || set == sets.end()
                                    ? clBlack
                                    : colouring.names[std::size_t(set - sets.begin())].first);
  }
  return colouring;
}

std::vector<std::vector<TPoint>> SmallCircleRuns(const NetGeometry& geometry,
                                                 math::TrendPlunge axis, double alpha) {
  const Vector3d m = math::LineVector(axis.trend, axis.plunge);
  // Two unit vectors across the axis: u horizontal (or east for a vertical axis), w = m x u.
  const Vector3d u =
      math::Normalise(std::hypot(m.x, m.y) > 1e-9 ? Vector3d{m.y, -m.x, 0} : Vector3d{1, 0, 0});
  const Vector3d w = math::Cross(m, u);
  const double a = alpha * numeric::kDegToRad;
  std::vector<std::vector<TPoint>> runs(1);
  bool lower = true;
  for (int step = 0; step <= 360; ++step) {
    const double t = step * numeric::kDegToRad;
    const Vector3d p = std::cos(a) * m + std::sin(a) * (std::cos(t) * u + std::sin(t) * w);
    if (step > 0 && (p.z <= 0) != lower) runs.emplace_back();
    lower = p.z <= 0;
    runs.back().push_back(ProjectLine(geometry, Stored(math::LowerHemisphereLine(p))));
  }
  return runs;
}

namespace {

using Shape = LegendMark::Shape;

// The marks of one set's records: a great circle or pole if it has planes,
// a triangle if it has lines.
std::vector<LegendMark> SetMarks(const OrientationNetFigure& figure, TColor colour,
                                 std::int32_t r) {
  bool planes = false, lines = false;
  for (std::size_t i = 0; i < figure.records->size(); ++i) {
    if (RecordColour(figure, i) != colour) continue;
    ((*figure.records)[i].kind == OrientationKind::Plane ? planes : lines) = true;
  }
  std::vector<LegendMark> marks;
  if (planes && figure.planes == PlaneSymbol::GreatCircles)
    marks.push_back({Shape::Line, colour, colour, 1});
  if (planes && figure.planes == PlaneSymbol::Poles)
    marks.push_back({Shape::Dot, clBlack, colour, 1, r});
  if (lines) marks.push_back({Shape::Method, clBlack, colour, 1, r, 0, 0, {}, kTriangle});
  return marks;
}

}  // namespace

std::vector<LegendEntry> OrientationNetLegend(const OrientationNetFigure& figure,
                                              const SetColouring& sets, std::int32_t r) {
  std::vector<LegendEntry> legend;
  if (figure.records) {
    std::vector<std::pair<TColor, std::string>> groups = sets.names;
    groups.emplace_back(clBlack, "no set");
    for (const auto& [colour, name] : groups) {
      std::vector<LegendMark> marks = SetMarks(figure, colour, r);
      if (!marks.empty()) legend.push_back({std::move(marks), name});
    }
  }
  if (figure.girdleAxis)
    legend.push_back(
        {{{Shape::Line, clBlack, clBlack, 3}, {Shape::Cross, clBlack, clBlack, 3, r * 3 / 2}},
         "best-fit girdle and its axis (fold axis)"});
  if (figure.fisher) {
    const int percent = int(std::lround(figure.fisher->confidence * 100));
    legend.push_back({{{Shape::Method, clBlack, clWhite, 3, r * 6 / 5, 0, 0, {}, kSquare},
                       {Shape::Line, clBlack, clBlack, 2}},
                      "Fisher mean and its " + std::to_string(percent) + "% cone"});
  }
  return legend;
}

void PlotOrientationNet(const OrientationNetFigure& figure, PlotTarget& target) {
  target.zeroDivides = 0;
  RenderPlot(target, [&figure, &target](RecordingCanvas& canvas) {
    const PlotCanvas plot{canvas, target.geometry, SymbolRadius(target.geometry, target.symbolSize),
                          &target.zeroDivides};
    if (figure.field) DrawFieldBands(canvas, *figure.field, target.geometry, target.smoothCurves);
    if (figure.records) {
      const bool poles = figure.planes == PlaneSymbol::Poles;
      if (!poles) {
        canvas.Reserve(figure.records->size() * 3, figure.records->size() * kGreatCirclePoints);
        DrawCircles(plot, figure);
      }
      DrawPoints(plot, figure, poles);
    }
    if (figure.girdleAxis) DrawGirdle(plot, *figure.girdleAxis);
    if (figure.fisher) DrawMean(plot, *figure.fisher);
    if (figure.records) DrawRings(plot, figure);
  });
}

}  // namespace orniva
