#include "plot/fabric_diagrams.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>

#include "data/colours.h"
#include "math/numeric.h"
#include "plot/orientation_net.h"

namespace orniva {

using numeric::RoundToPlot;

namespace {

constexpr std::int32_t kTitleText = 40, kNameText = 28, kNumberText = 24, kDotRadius = 12;
constexpr std::int32_t kLegendTop = 1000, kLegendRow = 44;
constexpr TColor kFrameGrey = Rgb(64, 64, 64), kGridGrey = Rgb(215, 215, 215);
constexpr TColor kGuideGrey = Rgb(150, 150, 150);

// Vollmer's triangle: side 760, apex P at the top.
constexpr double kApexX = 500, kApexY = 200, kSide = 760;
const double kBaseY = kApexY + kSide * std::sqrt(3.0) / 2;

// Woodcock's frame.
constexpr std::int32_t kLeft = 170, kRight = 900, kTop = 150, kBottom = 880;

std::string Number(double value) {
  char text[16];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string Fixed(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

void Line(RecordingCanvas& canvas, TPoint from, TPoint to) {
  canvas.MoveTo(from);
  canvas.LineTo(to);
}

// A page of the diagram's width, tall enough for a legend row per point.
Picture PageFor(std::size_t rows) {
  Picture page;
  page.SetSize(kFabricDiagramWidth, kLegendTop + std::int32_t(rows) * kLegendRow + 20);
  return page;
}

// The page white, with the title.
void StartPage(RecordingCanvas& canvas, const Picture& page, const std::string& title) {
  canvas.SetBrushColour(clWhite);
  canvas.FillRect(0, 0, page.width(), page.height());
  canvas.SetPenColour(clBlack);
  canvas.Text({kFabricDiagramWidth / 2, 70}, {title, kTitleText, TextAnchor::Centre});
}

void Dot(RecordingCanvas& canvas, TPoint at, TColor fill) {
  canvas.SetPenWidth(2);
  canvas.SetPenColour(clBlack);
  canvas.SetBrushColour(fill);
  canvas.Ellipse(at.x - kDotRadius, at.y - kDotRadius, at.x + kDotRadius, at.y + kDotRadius);
}

// What the legend says of a fabric: n and P, G, R, or K and C.
std::string ValuesText(const analysis::FabricResult& f, bool woodcock) {
  if (!f.error.empty()) return f.error;
  auto value = [](const std::optional<double>& v) {
    return v ? Fixed(*v) : std::string("undefined");
  };
  return "n = " + std::to_string(f.n) +
         (woodcock ? ", K = " + value(f.K) + ", C = " + value(f.C)
                   : ", P = " + Fixed(f.P) + ", G = " + Fixed(f.G) + ", R = " + Fixed(f.R));
}

// The points where they have one, each labelled with its name, and the
// legend rows of all of them.
void DrawPoints(RecordingCanvas& canvas, const std::vector<FabricPoint>& points,
                const std::vector<std::optional<TPoint>>& at, bool woodcock) {
  for (std::size_t k = 0; k < points.size(); ++k) {
    if (at[k]) {
      Dot(canvas, *at[k], points[k].colour);
      canvas.SetPenColour(clBlack);
      canvas.Text({at[k]->x + kDotRadius + 6, at[k]->y + kNumberText / 3},
                  {points[k].name, kNumberText});
    }
    const TPoint row = {200, kLegendTop + std::int32_t(k) * kLegendRow};
    Dot(canvas, row, points[k].colour);
    canvas.SetPenColour(clBlack);
    canvas.Text({row.x + 24, row.y + kNumberText / 3},
                {points[k].name + ": " + ValuesText(points[k].fabric, woodcock), kNumberText});
  }
}

// The grid lines of one share (0: P, 1: G, 2: R) at 0.1 to 0.9, labelled
// every 0.2 where they meet the side named in the header.
void DrawShareGrid(RecordingCanvas& canvas, int share) {
  for (int tenth = 1; tenth <= 9; ++tenth) {
    const double v = tenth / 10.0, w = 1 - v;
    double a[3] = {v, w, 0}, b[3] = {v, 0, w};  // the share's ends on the two other sides
    std::rotate(a, a + (3 - share) % 3, a + 3);
    std::rotate(b, b + (3 - share) % 3, b + 3);
    const TPoint from = VollmerPoint(a[0], a[1], a[2]), to = VollmerPoint(b[0], b[1], b[2]);
    canvas.SetPenColour(kGridGrey);
    Line(canvas, from, to);
    if (tenth % 2) continue;
    const TPoint label = from;  // P on the left side, G on the base, R on the right side
    const TPoint offset = share == 0 ? TPoint{-14, 8} : share == 1 ? TPoint{0, 34} : TPoint{14, 8};
    canvas.SetPenColour(kGuideGrey);
    canvas.Text({label.x + offset.x, label.y + offset.y}, {Number(v), kNumberText,
                                                           share == 0   ? TextAnchor::Right
                                                           : share == 1 ? TextAnchor::Centre
                                                                        : TextAnchor::Left});
  }
}

void DrawTriangle(RecordingCanvas& canvas) {
  canvas.SetPenWidth(1);
  for (int share = 0; share < 3; ++share) DrawShareGrid(canvas, share);
  const TPoint corners[] = {VollmerPoint(1, 0, 0), VollmerPoint(0, 1, 0), VollmerPoint(0, 0, 1),
                            VollmerPoint(1, 0, 0)};
  canvas.SetPenWidth(3);
  canvas.SetPenColour(kFrameGrey);
  canvas.Polyline(corners, 4);
  canvas.SetPenColour(clBlack);
  canvas.Text({corners[0].x, corners[0].y - 36}, {"P (point)", kNameText, TextAnchor::Centre});
  canvas.Text({corners[1].x, corners[1].y + 70}, {"G (girdle)", kNameText, TextAnchor::Centre});
  canvas.Text({corners[2].x, corners[2].y + 70}, {"R (random)", kNameText, TextAnchor::Centre});
}

// ln(S2/S3) and ln(S1/S2); none where S2 or S3 is 0.
std::optional<std::pair<double, double>> WoodcockCoordinates(const analysis::FabricResult& f) {
  if (!(f.error.empty() && f.s[1] > 0 && f.s[2] > 0)) return std::nullopt;
  return std::pair{std::log(f.s[1] / f.s[2]), std::log(f.s[0] / f.s[1])};
}

// The lines of equal K through the origin and of equal C across them.
void DrawWoodcockGuides(RecordingCanvas& canvas, double top) {
  canvas.SetPenWidth(1);
  for (const double k : {0.2, 0.5, 1.0, 2.0, 5.0}) {
    const TPoint end = WoodcockPoint(k <= 1 ? top : top / k, k <= 1 ? k * top : top, top);
    canvas.SetPenColour(k == 1 ? kFrameGrey : kGuideGrey);
    Line(canvas, WoodcockPoint(0, 0, top), end);
    canvas.Text({end.x + (k <= 1 ? 8 : -4), end.y - 8},
                {"K = " + Number(k), kNumberText, k <= 1 ? TextAnchor::Left : TextAnchor::Right});
  }
  canvas.SetPenColour(kGuideGrey);
  for (const double c : {2.0, 4.0, 6.0}) {
    if (c >= 2 * top) continue;
    const double along = std::min(c, top);
    const TPoint a = WoodcockPoint(along, c - along, top), b = WoodcockPoint(c - along, along, top);
    Line(canvas, a, b);
    canvas.Text({(a.x + b.x) / 2 + 6, (a.y + b.y) / 2 - 6}, {"C = " + Number(c), kNumberText});
  }
  canvas.SetPenColour(kFrameGrey);
  canvas.Text(WoodcockPoint(top * 0.05, top * 0.93, top), {"clusters (K > 1)", kNameText});
  canvas.Text(WoodcockPoint(top * 0.97, top * 0.16, top),
              {"girdles (K < 1)", kNameText, TextAnchor::Right});
}

void DrawWoodcockFrame(RecordingCanvas& canvas, double top) {
  canvas.SetPenWidth(2);
  canvas.SetPenColour(kFrameGrey);
  const TPoint corners[] = {
      {kLeft, kTop}, {kLeft, kBottom}, {kRight, kBottom}, {kRight, kTop}, {kLeft, kTop}};
  canvas.Polyline(corners, 5);
  const double step = top <= 10 ? 1 : 5;
  for (double v = 0; v <= top + 1e-9; v += step) {
    const TPoint x = WoodcockPoint(v, 0, top), y = WoodcockPoint(0, v, top);
    Line(canvas, x, {x.x, x.y + 10});
    Line(canvas, y, {y.x - 10, y.y});
    canvas.Text({x.x, x.y + 36}, {Number(v), kNumberText, TextAnchor::Centre});
    canvas.Text({y.x - 16, y.y + 8}, {Number(v), kNumberText, TextAnchor::Right});
  }
  canvas.SetPenColour(clBlack);
  canvas.Text({(kLeft + kRight) / 2, kBottom + 80}, {"ln(S2/S3)", kNameText, TextAnchor::Centre});
  canvas.Text({kLeft - 60, kTop - 30}, {"ln(S1/S2)", kNameText});
}

}  // namespace

double WoodcockTop(const std::vector<FabricPoint>& points) {
  double largest = 0;
  for (const FabricPoint& point : points)
    if (const auto xy = WoodcockCoordinates(point.fabric))
      largest = std::max({largest, xy->first, xy->second});
  for (const double top : {2.0, 4.0, 7.0, 10.0, 15.0})
    if (largest <= top) return top;
  return 20;
}

TPoint WoodcockPoint(double x, double y, double top) {
  const double u = std::clamp(x / top, 0.0, 1.0), v = std::clamp(y / top, 0.0, 1.0);
  return {kLeft + RoundToPlot((kRight - kLeft) * u), kBottom - RoundToPlot((kBottom - kTop) * v)};
}

Picture DrawWoodcockDiagram(const std::vector<FabricPoint>& points, const std::string& title) {
  const double top = WoodcockTop(points);
  Picture page = PageFor(points.size());
  RecordingCanvas canvas(page);
  StartPage(canvas, page, title);
  DrawWoodcockGuides(canvas, top);
  DrawWoodcockFrame(canvas, top);
  std::vector<std::optional<TPoint>> at;
  std::string missing;
  for (const FabricPoint& point : points) {
    const auto xy = WoodcockCoordinates(point.fabric);
    at.push_back(xy ? std::optional<TPoint>(WoodcockPoint(xy->first, xy->second, top))
                    : std::nullopt);
    if (!xy) missing += (missing.empty() ? "" : ", ") + point.name;
  }
  DrawPoints(canvas, points, at, true);
  if (!missing.empty())
    canvas.Text({kLeft, kBottom + 112}, {"No point where S2 or S3 is 0: " + missing, kNumberText});
  canvas.Close();
  return page;
}

std::vector<FabricPoint> FabricPointsBySet(const std::vector<OrientationRecord>& records,
                                           const std::vector<analysis::PhaseInfo>& setList,
                                           analysis::OrientationOf of,
                                           const std::vector<bool>* use) {
  const SetColouring sets = SetColours(records, setList);
  std::vector<FabricPoint> points;
  auto add = [&](const std::string& name, TColor colour, std::vector<bool> in) {
    for (std::size_t i = 0; use && i < in.size() && i < use->size(); ++i)
      in[i] = in[i] && (*use)[i];
    const std::vector<math::Vector3d> directions =
        analysis::OrientationDirections(records, of, &in);
    if (!directions.empty()) points.push_back({name, colour, analysis::Fabric(directions)});
  };
  for (const auto& [colour, name] : sets.names) add(name, colour, analysis::InSet(records, name));
  if (sets.names.empty())
    add("all", clBlack, std::vector<bool>(records.size(), true));
  else
    add("no set", clBlack, analysis::InSet(records, ""));
  return points;
}

TPoint VollmerPoint(double p, double g, double r) {
  const double gx = kApexX - kSide / 2, rx = kApexX + kSide / 2;
  return {RoundToPlot(p * kApexX + g * gx + r * rx), RoundToPlot(p * kApexY + (g + r) * kBaseY)};
}

Picture DrawVollmerTriangle(const std::vector<FabricPoint>& points, const std::string& title) {
  Picture page = PageFor(points.size());
  RecordingCanvas canvas(page);
  StartPage(canvas, page, title);
  DrawTriangle(canvas);
  std::vector<std::optional<TPoint>> at;
  for (const FabricPoint& point : points)
    at.push_back(point.fabric.error.empty() ? std::optional<TPoint>(VollmerPoint(
                                                  point.fabric.P, point.fabric.G, point.fabric.R))
                                            : std::nullopt);
  DrawPoints(canvas, points, at, false);
  canvas.Close();
  return page;
}

}  // namespace orniva
