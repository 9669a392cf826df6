#include "plot/mohr_diagram.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "data/colours.h"
#include "math/numeric.h"
#include "plot/analysis_diagrams.h"
#include "plot/highlight_copies.h"

namespace orniva {

using numeric::RoundToPlot;

namespace {

constexpr double kUnit = 440;
constexpr std::int32_t kOriginX = 530;
constexpr std::int32_t kTick = 12, kNumberText = 24, kNameText = 28;
constexpr TColor kAxisGrey = Rgb(64, 64, 64);
constexpr int kHalfCirclePoints = 181;
// The least distance between the centres of two principal values' labels:
// "σ1" is about 36 units wide at kNameText.
constexpr std::int32_t kLabelGap = 44;

std::string Number(double value) {
  char text[16];
  std::snprintf(text, sizeof text, "%g", value);
  return value < 0 ? "\u2212" + std::string(text + 1) : text;
}

void DrawAxes(RecordingCanvas& canvas, const MohrPage& page) {
  canvas.SetPenWidth(2);
  canvas.SetPenColour(kAxisGrey);
  const TPoint left = MohrToPlot(-1, 0, page), right = MohrToPlot(1, 0, page),
               top = MohrToPlot(-1, 1, page);
  canvas.MoveTo(left);
  canvas.LineTo(right);
  canvas.MoveTo(left);
  canvas.LineTo(top);
  for (int k = -2; k <= 2; ++k) {
    const TPoint at = MohrToPlot(k / 2.0, 0, page);
    canvas.MoveTo(at);
    canvas.LineTo({at.x, at.y + kTick});
    canvas.Text({at.x, at.y + kTick + kNumberText},
                {Number(k / 2.0), kNumberText, TextAnchor::Centre});
  }
  for (int k = 1; k <= 2; ++k) {
    const TPoint at = MohrToPlot(-1, k / 2.0, page);
    canvas.MoveTo(at);
    canvas.LineTo({at.x - kTick, at.y});
    canvas.Text({at.x - kTick - 6, at.y + kNumberText / 3},
                {Number(k / 2.0), kNumberText, TextAnchor::Right});
  }
  canvas.Text({kOriginX, page.originY + 120},
              {"Normal stress \u03C3n (compression positive)", kNameText, TextAnchor::Centre});
  canvas.Text({top.x, top.y - 30}, {"Shear stress |\u03C4|", kNameText});
}

// The upper half of the circle through sigma_n = a and b on the axis.
// With `smooth`, its fine points too.
void DrawHalfCircle(RecordingCanvas& canvas, double a, double b, const MohrPage& page,
                    bool smooth) {
  std::vector<TPoint> points(kHalfCirclePoints);
  std::vector<FinePoint> fine(kHalfCirclePoints);
  const double centre = (a + b) / 2, radius = std::fabs(a - b) / 2;
  for (int k = 0; k < kHalfCirclePoints; ++k) {
    const double angle = k * numeric::kDegToRad;
    const double sigmaN = centre + radius * std::cos(angle), tau = radius * std::sin(angle);
    points[std::size_t(k)] = MohrToPlot(sigmaN, tau, page);
    fine[std::size_t(k)] = {std::int32_t(std::lround((kOriginX + kUnit * sigmaN) * kFineUnits)),
                            std::int32_t(std::lround((page.originY - kUnit * tau) * kFineUnits))};
  }
  if (smooth)
    canvas.Polyline(points.data(), points.size(), fine.data());
  else
    canvas.Polyline(points.data(), points.size());
}

void DrawCircles(RecordingCanvas& canvas, const std::array<double, 3>& s, const MohrPage& page,
                 bool smooth) {
  canvas.SetPenWidth(2);
  canvas.SetPenColour(clBlack);
  DrawHalfCircle(canvas, s[0], s[2], page, smooth);
  DrawHalfCircle(canvas, s[0], s[1], page, smooth);
  DrawHalfCircle(canvas, s[1], s[2], page, smooth);
  const std::array<std::int32_t, 3> x = SpreadLabels(
      {MohrToPlot(s[0], 0, page).x, MohrToPlot(s[1], 0, page).x, MohrToPlot(s[2], 0, page).x},
      kLabelGap);
  for (std::size_t k = 0; k < 3; ++k)
    canvas.Text({x[k], page.originY + 80},
                {"\u03C3" + std::to_string(k + 1), kNameText, TextAnchor::Centre});
}

void DrawDot(RecordingCanvas& canvas, TPoint p, std::int32_t r) {
  canvas.Ellipse(p.x - r, p.y - r, p.x + r, p.y + r);
}

}  // namespace

std::array<std::int32_t, 3> SpreadLabels(std::array<std::int32_t, 3> x, std::int32_t gap) {
  std::array<std::size_t, 3> order{0, 1, 2};
  std::sort(order.begin(), order.end(),
            [&x](std::size_t a, std::size_t b) { return x[a] < x[b] || (x[a] == x[b] && a > b); });
  // Runs of labels `gap` apart, each centred on the mean of its values;
  // two runs that crowd each other become one, until none do.
  struct Run {
    std::size_t first, count;
    double mean;
    double Left(std::int32_t g) const { return mean - 0.5 * g * double(count - 1); }
  };
  std::vector<Run> runs;
  for (std::size_t k = 0; k < 3; ++k) {
    runs.push_back({k, 1, double(x[order[k]])});
    while (runs.size() > 1) {
      Run& last = runs.back();
      const Run& before = runs[runs.size() - 2];
      if (last.Left(gap) - (before.Left(gap) + double(gap) * double(before.count - 1)) >= gap)
        break;
      const std::size_t count = before.count + last.count;
      const double mean =
          (before.mean * double(before.count) + last.mean * double(last.count)) / double(count);
      const std::size_t first = before.first;
      runs.pop_back();
      runs.back() = {first, count, mean};
    }
  }
  for (const Run& run : runs)
    for (std::size_t j = 0; j < run.count; ++j)
      x[order[run.first + j]] = std::int32_t(std::lround(run.Left(gap) + double(gap) * double(j)));
  return x;
}

TPoint MohrToPlot(double sigmaN, double tau, const MohrPage& page) {
  return {kOriginX + RoundToPlot(kUnit * sigmaN), page.originY - RoundToPlot(kUnit * tau)};
}

MohrFigure::Point PlotToMohr(double x, double y) {
  return {(x - kOriginX) / kUnit, (kMohrWindowPage.originY - y) / kUnit};
}

void PlotMohr(const FaultSet& data, const MohrFigure& figure, PlotTarget& target,
              std::int16_t highlightIndex, bool layout) {
  const MohrPage& page = layout ? kMohrFigurePage : kMohrWindowPage;
  auto pointOf = [&figure](std::size_t i) -> const std::optional<MohrFigure::Point>& {
    static const std::optional<MohrFigure::Point> kNone;
    return i < figure.points.size() ? figure.points[i] : kNone;
  };
  const auto h = std::size_t(highlightIndex);
  const bool highlight = highlightIndex > 0 && h <= std::size_t(data.count()) && pointOf(h);
  {
    target.picture->SetSize(Picture::kDefaultSize, page.height);
    RecordingCanvas canvas(*target.picture);
    canvas.SetBrushColour(clWhite);
    canvas.FillRect(0, 0, Picture::kDefaultSize, page.height);
    DrawAxes(canvas, page);
    if (figure.principal) DrawCircles(canvas, *figure.principal, page, target.smoothCurves);
    const std::int32_t r = SymbolRadius(target.geometry, target.symbolSize);
    canvas.SetPenWidth(1);
    canvas.SetPenColour(clBlack);
    for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
      const std::optional<MohrFigure::Point>& p = pointOf(i);
      if (!p) continue;
      const bool out = i < figure.switchedOut.size() && figure.switchedOut[i];
      canvas.SetBrushColour(out ? kSwitchedOutGrey : data[i].colour);
      DrawDot(canvas, MohrToPlot(p->sigmaN, p->tau, page), r);
    }
    if (highlight) {
      HighlightCopies copies(canvas);
      copies.Draw([&] {
        canvas.SetPenWidth(4);
        canvas.SetPenColour(clAqua);
        canvas.SetBrushColour(data[h].colour);
        DrawDot(canvas, MohrToPlot(pointOf(h)->sigmaN, pointOf(h)->tau, page), r);
      });
    }
    canvas.SetDrawingKey(target.drawingKey);
  }
  if (target.show) target.show();
}

}  // namespace orniva
