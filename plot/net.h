// The stereonet's place in the 1000 x 1000 plot picture, the projection
// (equal-angle or equal-area, lower or upper hemisphere), the empty net,
// and the cycle in which every plot is recorded and what it draws with.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/graphics.h"
#include "picture/picture.h"
#include "math/directional_operations.h"
#include "math/net_kind.h"
#include "math/vector3d.h"

namespace orniva {

struct NetGeometry {
  std::int16_t symbolUnit = 0;  // base length [plot units]
  std::int16_t netRadius = 0;   // radius of the primitive circle [plot units]
  TPoint netCentre;             // centre of the net [plot units]
  NetKind kind = NetKind::EqualAngle;
  Hemisphere hemisphere = Hemisphere::Lower;
  bool grid = false;  // the 10-degree net grid under the data (plot/net_grid.h)
};

// Whether two nets project every line to the same point (the grid aside).
inline bool SameNet(const NetGeometry& a, const NetGeometry& b) {
  return a.symbolUnit == b.symbolUnit && a.netRadius == b.netRadius && a.netCentre == b.netCentre &&
         a.kind == b.kind && a.hemisphere == b.hemisphere;
}

// symbolUnit 10, netCentre (500, 500), netRadius 450; the kind, hemisphere
// and grid are kept.
void InitNetGeometry(NetGeometry& geometry);

// Projection of a line, lower hemisphere, north up:
//   equal-angle r = netRadius tan(45 - plunge/2),
//   equal-area  r = netRadius sqrt(2) sin(45 - plunge/2),
//   x = cx + r sin(trend), y = cy - r cos(trend),
// with trend and plunge held as float radians and r as a float, rounded
// ties-to-even. On the upper hemisphere the rounded offsets from the centre
// are turned over (the point at trend + 180). Nothing is clipped: an upward
// line lands outside the circle.
// Non-finite or enormous results (a plunge of -90) are held within
// +-2^29 plot units; NaN lands on the centre.
TPoint ProjectLine(const NetGeometry& geometry, directional_operations::Orientation line);

// The point of direction `v` (of unit length, pointing down or level) in
// fine units, unrounded to plot units: the offsets R (x, y) / (1 - z) on the
// equal-angle net and R (x, y) / sqrt(1 - z) on the equal-area net, turned
// over on the upper hemisphere. A curve's fine points (picture/picture.h).
FinePoint FineProjection(const NetGeometry& geometry, const math::Vector3d& v);

// +1 on the lower hemisphere, -1 on the upper: the factor of a point's
// offsets from the centre.
inline int HemisphereSign(const NetGeometry& geometry) {
  return geometry.hemisphere == Hemisphere::Upper ? -1 : 1;
}

// The checked item of the Symbol Size menu.
enum class SymbolSize { Large, Medium, Small };

// round(1.5 unit), unit or round(0.7 unit): 15, 10 or 7.
std::int16_t SymbolRadius(const NetGeometry& geometry, SymbolSize size);

// Clears the picture to white and draws the primitive circle and its four
// ticks (north, south, west, east) with a silver pen of width 2; then the
// net grid when the geometry asks for it (its circles smooth when asked).
void DrawNetFrame(RecordingCanvas& canvas, const NetGeometry& geometry, bool smooth = false);

// The outer end of the north tick, where a figure writes "N".
inline TPoint NorthTickEnd(const NetGeometry& geometry) {
  return {geometry.netCentre.x,
          geometry.netCentre.y - geometry.netRadius - 2 * geometry.symbolUnit};
}

class PlotCache;

// The window's state that a plot is drawn from and into, lent for one plot.
struct PlotTarget {
  Picture* picture = nullptr;  // the plot picture, replaced by every plot
  NetGeometry geometry;
  SymbolSize symbolSize = SymbolSize::Medium;
  std::function<void()> show;  // hands the finished picture to the view; may be empty
  // Keeps the projected great circles and the drawing key between plots; may be null.
  PlotCache* cache = nullptr;
  // The picture's drawingKey, set by PlotDiagram from the cache (0: unknown).
  std::uint64_t drawingKey = 0;
  // How often the last plot met a vector of length 0 ("Zero divide"), for
  // the caller to tell the user; set by PlotDiagram.
  int zeroDivides = 0;
  // Curves recorded with their fine points too (a figure for a file); the
  // rounded points, and so the metafile, stay the same.
  bool smoothCurves = false;
};

// What one plot draws with: the open canvas, the net and the symbol size.
struct PlotCanvas {
  RecordingCanvas& canvas;
  const NetGeometry& geometry;
  std::int16_t symbolRadius;   // s of the arrow shapes (plot/arrows.h) [plot units]
  int* zeroDivides = nullptr;  // counts the vectors of length 0 met while drawing
  bool smoothCurves = false;   // PlotTarget::smoothCurves
};

// Records a new picture: the net frame, then `step`. The canvas is closed
// even when the drawing throws; the error then passes on and the picture
// is not shown.
void RenderPlot(PlotTarget& target, const std::function<void(RecordingCanvas&)>& step);

}  // namespace orniva
