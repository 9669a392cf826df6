#include "plot/stress_map.h"

#include <algorithm>
#include <cmath>

#include "analysis/report_format.h"
#include "data/colours.h"
#include "math/numeric.h"

namespace orniva {

using numeric::kDegToRad;
using numeric::RoundToPlot;

namespace {

constexpr double kEarthRadiusKm = 6371.0088;
constexpr std::int32_t kLeft = 60, kTop = 110, kRight = 1120, kBottom = 940;
constexpr std::int32_t kPanel = 1160;  // the key's left edge
constexpr double kLabelRoom = 70;      // plot units kept free round the sites
constexpr double kMinHalfKm = 0.5;     // the least half-extent shown
constexpr std::int32_t kBarUnits = 80, kBarWidth = 6, kSiteRadius = 6, kRingRadius = 20;
constexpr std::int32_t kLabelText = 22, kNoteText = 20, kKeyText = 24, kTitleText = 36;
constexpr TColor kFrameGrey = Rgb(128, 128, 128);
constexpr TColor kRingColour = Rgb(0, 170, 200);

// `lon` within 180 degrees of `reference`.
double Near(double lon, double reference) {
  double d = std::fmod(lon - reference + 180, 360);
  if (d < 0) d += 360;
  return reference + d - 180;
}

void Line(RecordingCanvas& canvas, TPoint from, TPoint to) {
  canvas.MoveTo(from);
  canvas.LineTo(to);
}

TPoint PointOf(const StressMapFrame& frame, const StressMapSite& site) {
  double x = 0, y = 0;
  StressMapPoint(frame, site.lon, site.lat, x, y);
  return {RoundToPlot(x), RoundToPlot(y)};
}

// "36.0412° N, 120.0871° W"
std::string PositionText(double lon, double lat) {
  return analysis::FormatFixed(std::fabs(lat), 4) + "\u00B0 " + (lat < 0 ? "S" : "N") + ", " +
         analysis::FormatFixed(std::fabs(lon), 4) + "\u00B0 " + (lon < 0 ? "W" : "E");
}

void DrawFrame(RecordingCanvas& canvas, const StressMap& map, const StressMapFrame& frame) {
  canvas.SetBrushColour(clWhite);
  canvas.FillRect(0, 0, kStressMapWidth, kStressMapHeight);
  canvas.SetPenColour(clBlack);
  canvas.Text({(kLeft + kRight) / 2, 70}, {map.title, kTitleText, TextAnchor::Centre});
  canvas.SetPenWidth(2);
  canvas.SetPenColour(kFrameGrey);
  const TPoint corners[] = {
      {kLeft, kTop}, {kRight, kTop}, {kRight, kBottom}, {kLeft, kBottom}, {kLeft, kTop}};
  canvas.Polyline(corners, 5);
  canvas.SetPenColour(clBlack);
  const std::string note = map.sites.empty() ? std::string("No site has a position.")
                                             : "Local equirectangular projection about " +
                                                   PositionText(frame.lon0, frame.lat0) +
                                                   "; azimuths from true north.";
  canvas.Text({kLeft, kBottom + 40}, {note, kNoteText});
}

void DrawNorthArrow(RecordingCanvas& canvas) {
  const std::int32_t x = kRight - 50, tip = kTop + 60;
  canvas.SetPenWidth(2);
  canvas.SetPenColour(clBlack);
  canvas.SetBrushColour(clBlack);
  const TPoint head[] = {{x, tip}, {x - 14, tip + 36}, {x + 14, tip + 36}};
  canvas.Polygon(head, 3);
  Line(canvas, {x, tip + 36}, {x, tip + 90});
  canvas.Text({x, tip - 10}, {"N", kKeyText, TextAnchor::Centre});
}

std::string DistanceText(double km) {
  return km < 1 ? analysis::FormatFixed(km * 1000, 0) + " m"
                : analysis::FormatFixed(km, km < 10 && km != std::floor(km) ? 1 : 0) + " km";
}

void DrawScaleBar(RecordingCanvas& canvas, const StressMapFrame& frame) {
  const double km = ScaleBarKm(frame.unitsPerKm, 250);
  const std::int32_t x0 = kLeft + 30, y = kBottom - 40;
  const std::int32_t x1 = x0 + RoundToPlot(km * frame.unitsPerKm);
  canvas.SetPenWidth(3);
  canvas.SetPenColour(clBlack);
  Line(canvas, {x0, y}, {x1, y});
  for (const std::int32_t x : {x0, (x0 + x1) / 2, x1}) Line(canvas, {x, y - 10}, {x, y + 10});
  canvas.Text({(x0 + x1) / 2, y - 18}, {DistanceText(km), kLabelText, TextAnchor::Centre});
}

void DrawKey(RecordingCanvas& canvas, const std::vector<StressMapKeyEntry>& key) {
  std::int32_t y = kTop + 30;
  canvas.SetPenColour(clBlack);
  canvas.Text({kPanel, y}, {"SHmax by phase", kKeyText});
  for (const StressMapKeyEntry& entry : key) {
    y += 42;
    canvas.SetPenWidth(kBarWidth);
    canvas.SetPenColour(entry.colour);
    Line(canvas, {kPanel, y - 8}, {kPanel + 44, y - 8});
    canvas.SetPenColour(clBlack);
    canvas.Text({kPanel + 58, y}, {entry.text, kLabelText});
  }
}

void DrawBars(RecordingCanvas& canvas, const StressMap& map, const StressMapFrame& frame) {
  canvas.SetPenWidth(kBarWidth);
  for (const StressMapBar& bar : map.bars) {
    const TPoint at = PointOf(frame, map.sites[bar.site]);
    const double dx = std::sin(bar.shMax * kDegToRad) * kBarUnits / 2;
    const double dy = -std::cos(bar.shMax * kDegToRad) * kBarUnits / 2;
    canvas.SetPenColour(bar.colour);
    Line(canvas, {at.x - RoundToPlot(dx), at.y - RoundToPlot(dy)},
         {at.x + RoundToPlot(dx), at.y + RoundToPlot(dy)});
  }
}

void DrawSites(RecordingCanvas& canvas, const StressMap& map, const StressMapFrame& frame) {
  for (std::size_t i = 0; i < map.sites.size(); ++i) {
    const TPoint at = PointOf(frame, map.sites[i]);
    canvas.SetPenWidth(2);
    canvas.SetPenColour(clBlack);
    canvas.SetBrushColour(clWhite);
    canvas.Ellipse(at.x - kSiteRadius, at.y - kSiteRadius, at.x + kSiteRadius, at.y + kSiteRadius);
    canvas.Text({at.x + kBarUnits / 2 + 6, at.y + 8}, {map.sites[i].label, kLabelText});
    if (int(i) != map.ringed) continue;
    canvas.SetPenWidth(3);
    canvas.SetPenColour(kRingColour);
    std::vector<TPoint> ring;
    for (int k = 0; k <= 36; ++k)
      ring.push_back({at.x + RoundToPlot(kRingRadius * std::sin(k * 10 * kDegToRad)),
                      at.y - RoundToPlot(kRingRadius * std::cos(k * 10 * kDegToRad))});
    canvas.Polyline(ring.data(), ring.size());
  }
}

}  // namespace

StressMapFrame StressMapFrameOf(const std::vector<StressMapSite>& sites) {
  StressMapFrame frame;
  frame.centreX = (kLeft + kRight) / 2.0;
  frame.centreY = (kTop + kBottom) / 2.0;
  if (sites.empty()) return frame;
  frame.firstLon = sites.front().lon;
  double west = frame.firstLon, east = west, south = sites.front().lat, north = south;
  for (const StressMapSite& s : sites) {
    const double lon = Near(s.lon, frame.firstLon);
    west = std::min(west, lon);
    east = std::max(east, lon);
    south = std::min(south, s.lat);
    north = std::max(north, s.lat);
  }
  frame.lon0 = (west + east) / 2;
  frame.lat0 = (south + north) / 2;
  const double halfX =
      kEarthRadiusKm * std::cos(frame.lat0 * kDegToRad) * (east - west) / 2 * kDegToRad;
  const double halfY = kEarthRadiusKm * (north - south) / 2 * kDegToRad;
  const double fitX = ((kRight - kLeft) / 2.0 - kLabelRoom) / std::max(halfX, kMinHalfKm);
  const double fitY = ((kBottom - kTop) / 2.0 - kLabelRoom) / std::max(halfY, kMinHalfKm);
  frame.unitsPerKm = std::min(fitX, fitY);
  return frame;
}

void StressMapPoint(const StressMapFrame& frame, double lon, double lat, double& x, double& y) {
  const double east = kEarthRadiusKm * std::cos(frame.lat0 * kDegToRad) *
                      (Near(lon, frame.firstLon) - frame.lon0) * kDegToRad;
  const double north = kEarthRadiusKm * (lat - frame.lat0) * kDegToRad;
  x = frame.centreX + east * frame.unitsPerKm;
  y = frame.centreY - north * frame.unitsPerKm;
}

double ScaleBarKm(double unitsPerKm, double maxUnits) {
  double km = std::pow(10.0, std::floor(std::log10(maxUnits / unitsPerKm)));
  for (const double step : {5.0, 2.0})
    if (km * step * unitsPerKm <= maxUnits) return km * step;
  return km;
}

Picture DrawStressMap(const StressMap& map) {
  Picture picture;
  picture.SetSize(kStressMapWidth, kStressMapHeight);
  const StressMapFrame frame = StressMapFrameOf(map.sites);
  RecordingCanvas canvas(picture);
  DrawFrame(canvas, map, frame);
  if (!map.sites.empty()) {
    DrawScaleBar(canvas, frame);
    DrawBars(canvas, map, frame);
    DrawSites(canvas, map, frame);
  }
  DrawNorthArrow(canvas);
  DrawKey(canvas, map.key);
  canvas.Close();
  return picture;
}

}  // namespace orniva
