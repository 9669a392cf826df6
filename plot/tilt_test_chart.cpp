#include "plot/tilt_test_chart.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "data/colours.h"
#include "math/numeric.h"

namespace orniva {

using analysis::TiltStep;
using numeric::RoundToPlot;

namespace {

constexpr std::int32_t kLeft = 180, kRight = 1180, kTop = 150, kBottom = 750;
constexpr double kLastFraction = 1.25;
constexpr std::int32_t kTick = 12, kNumberText = 24, kNameText = 28, kTitleText = 40;
constexpr std::int32_t kDotRadius = 9;
constexpr TColor kAxisGrey = Rgb(64, 64, 64);
constexpr TColor kGridGrey = Rgb(220, 220, 220);
constexpr TColor kMarkGrey = Rgb(140, 140, 140);
constexpr TColor kBetaColour = Rgb(210, 120, 0);
constexpr TColor kLineColour = Rgb(90, 90, 90);
constexpr TColor kAxisColours[3] = {Rgb(220, 0, 0), Rgb(0, 150, 0), Rgb(0, 0, 230)};
const char* const kAxisNames[3] = {"\u03C31", "\u03C32", "\u03C33"};

std::string Number(double value) {
  char text[16];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

bool Usable(const TiltStep& step) { return step.stress.error.empty(); }

void Line(RecordingCanvas& canvas, TPoint from, TPoint to) {
  canvas.MoveTo(from);
  canvas.LineTo(to);
}

// The horizontal lines every 15 degrees and the mark of fraction 1.
void DrawGrid(RecordingCanvas& canvas) {
  canvas.SetPenWidth(1);
  canvas.SetPenColour(kGridGrey);
  for (int plunge = 15; plunge <= 90; plunge += 15)
    Line(canvas, TiltChartPoint(0, plunge), TiltChartPoint(kLastFraction, plunge));
  canvas.SetPenWidth(2);
  canvas.SetPenColour(kMarkGrey);
  const TPoint top = TiltChartPoint(1, 90);
  Line(canvas, TiltChartPoint(1, 0), top);
  canvas.Text({top.x - 8, top.y + 26}, {"bedding horizontal", 22, TextAnchor::Right});
}

void DrawFractionScale(RecordingCanvas& canvas) {
  for (int k = 0; k <= 5; ++k) {
    const TPoint at = TiltChartPoint(k * 0.25, 0);
    Line(canvas, at, {at.x, at.y + kTick});
    canvas.Text({at.x, at.y + kTick + kNumberText},
                {Number(k * 0.25), kNumberText, TextAnchor::Centre});
  }
  canvas.Text(
      {(kLeft + kRight) / 2, kBottom + 90},
      {"Back-tilt fraction (1: bedding restored to horizontal)", kNameText, TextAnchor::Centre});
}

void DrawScales(RecordingCanvas& canvas, double betaTop) {
  canvas.SetPenWidth(2);
  canvas.SetPenColour(kAxisGrey);
  canvas.SetBrushColour(clWhite);
  const TPoint corners[] = {{kLeft, kTop}, {kLeft, kBottom}, {kRight, kBottom}, {kRight, kTop}};
  canvas.Polyline(corners, 4);
  DrawFractionScale(canvas);
  for (int plunge = 0; plunge <= 90; plunge += 15) {
    const TPoint at = TiltChartPoint(0, plunge);
    Line(canvas, at, {at.x - kTick, at.y});
    canvas.Text({at.x - kTick - 6, at.y + kNumberText / 3},
                {Number(plunge), kNumberText, TextAnchor::Right});
  }
  canvas.Text({kLeft - 60, kTop - 36},
              {"Plunge of the steepest principal axis (\u00B0)", kNameText});
  canvas.SetPenColour(kBetaColour);
  for (int k = 0; k <= 6; ++k) {
    const TPoint at = TiltChartBetaPoint(kLastFraction, betaTop * k / 6, betaTop);
    Line(canvas, at, {at.x + kTick, at.y});
    canvas.Text({at.x + kTick + 6, at.y + kNumberText / 3}, {Number(betaTop * k / 6), kNumberText});
  }
  canvas.Text({kRight + 60, kTop - 36},
              {"Mean misfit \u03B2 (\u00B0)", kNameText, TextAnchor::Right});
}

// The points of the usable steps, a polyline per run of them.
template <typename PointOf>
void DrawRuns(RecordingCanvas& canvas, const std::vector<TiltStep>& steps, PointOf pointOf) {
  std::vector<TPoint> run;
  for (std::size_t k = 0; k <= steps.size(); ++k) {
    if (k < steps.size() && Usable(steps[k])) {
      run.push_back(pointOf(steps[k]));
      continue;
    }
    if (run.size() > 1) canvas.Polyline(run.data(), run.size());
    run.clear();
  }
}

// A dot per usable step in its steepest axis's colour, the axis named
// where it becomes the steepest.
void DrawSteepest(RecordingCanvas& canvas, const std::vector<TiltStep>& steps) {
  canvas.SetPenWidth(2);
  canvas.SetPenColour(kLineColour);
  DrawRuns(canvas, steps,
           [](const TiltStep& s) { return TiltChartPoint(s.fraction, s.steepestPlunge); });
  canvas.SetPenWidth(1);
  int named = -1;
  for (const TiltStep& step : steps) {
    if (!Usable(step)) {
      named = -1;
      continue;
    }
    const int axis = SteepestAxis(step);
    const TPoint p = TiltChartPoint(step.fraction, step.steepestPlunge);
    canvas.SetPenColour(clBlack);
    canvas.SetBrushColour(kAxisColours[axis]);
    canvas.Ellipse(p.x - kDotRadius, p.y - kDotRadius, p.x + kDotRadius, p.y + kDotRadius);
    if (axis == named) continue;
    named = axis;
    canvas.SetPenColour(kAxisColours[axis]);
    canvas.Text({p.x + kDotRadius, p.y - kDotRadius - 6}, {kAxisNames[axis], kNumberText});
  }
}

void DrawLegend(RecordingCanvas& canvas) {
  const std::int32_t y = kBottom + 150;
  std::int32_t x = kLeft + 40;
  canvas.SetPenWidth(1);
  for (int axis = 0; axis < 3; ++axis) {
    canvas.SetPenColour(clBlack);
    canvas.SetBrushColour(kAxisColours[axis]);
    canvas.Ellipse(x - kDotRadius, y - kDotRadius, x + kDotRadius, y + kDotRadius);
    canvas.Text({x + 20, y + kNumberText / 3},
                {std::string(kAxisNames[axis]) + " steepest", kNumberText});
    x += 190;
  }
  canvas.SetPenWidth(3);
  canvas.SetPenColour(kBetaColour);
  Line(canvas, {x - 10, y}, {x + 30, y});
  canvas.SetPenColour(clBlack);
  canvas.Text({x + 42, y + kNumberText / 3}, {"mean misfit \u03B2", kNumberText});
}

}  // namespace

TPoint TiltChartPoint(double fraction, double plunge) {
  return {kLeft + RoundToPlot((kRight - kLeft) * fraction / kLastFraction),
          kBottom - RoundToPlot((kBottom - kTop) * plunge / 90)};
}

TPoint TiltChartBetaPoint(double fraction, double beta, double betaTop) {
  return TiltChartPoint(fraction, 90 * beta / betaTop);
}

double TiltChartBetaTop(const std::vector<TiltStep>& steps) {
  for (const TiltStep& step : steps)
    if (Usable(step) && step.stress.meanBeta > 90) return 180;
  return 90;
}

int SteepestAxis(const TiltStep& step) {
  const auto& axes = step.stress.axes;
  int steepest = 0;
  for (int k = 1; k < 3; ++k)
    if (axes[std::size_t(k)].plunge > axes[std::size_t(steepest)].plunge) steepest = k;
  return steepest;
}

Picture DrawTiltTestChart(const std::vector<TiltStep>& steps, const std::string& title) {
  Picture chart;
  chart.SetSize(kTiltChartWidth, kTiltChartHeight);
  const double betaTop = TiltChartBetaTop(steps);
  RecordingCanvas canvas(chart);
  canvas.SetBrushColour(clWhite);
  canvas.FillRect(0, 0, kTiltChartWidth, kTiltChartHeight);
  canvas.Text({kTiltChartWidth / 2, 70}, {title, kTitleText, TextAnchor::Centre});
  DrawGrid(canvas);
  DrawScales(canvas, betaTop);
  canvas.SetPenWidth(3);
  canvas.SetPenColour(kBetaColour);
  DrawRuns(canvas, steps, [betaTop](const TiltStep& s) {
    return TiltChartBetaPoint(s.fraction, s.stress.meanBeta, betaTop);
  });
  DrawSteepest(canvas, steps);
  DrawLegend(canvas);
  canvas.Close();
  return chart;
}

}  // namespace orniva
