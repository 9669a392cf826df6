// Plot symbols shared by both diagrams: the arrow shapes, the symbol dot,
// and integer point operations on plot coordinates.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "data/fault_data.h"
#include "platform/graphics.h"
#include "picture/picture.h"
#include "math/directional_operations.h"
#include "plot/net.h"

namespace orniva {

// What one plot draws with: the open canvas, the net and the symbol size.
struct PlotCanvas {
  RecordingCanvas& canvas;
  const NetGeometry& geometry;
  std::int16_t symbolRadius;  // s of the shapes below [plot units]
};

// Six points relative to the symbol's anchor, drawn as one open polyline.
using ArrowShape = std::array<TPoint, 6>;

// A shaft of length 4s from the anchor towards -y (north before turning)
// with barbs ending at (+-s, -3s).
void StraightArrowShape(std::int16_t s, ArrowShape& shape);
// The straight arrow turned by 180 degrees.
void ReversedArrowShape(std::int16_t s, ArrowShape& shape);
// Two opposed half-arrows joined through the anchor: right shaft up to
// (s, -4s), left shaft down to (-s, 4s).
void ShearArrowShape(std::int16_t s, ArrowShape& shape);
// The shear shape with x negated.
void MirroredShearArrowShape(std::int16_t s, ArrowShape& shape);

// Turns p by `angle` [deg], clockwise on the picture (y grows downward);
// the angle is held as float radians, the result rounded ties-to-even.
TPoint RotatePoint(TPoint p, float angle);
TPoint AddPoints(TPoint a, TPoint b);
TPoint SubtractPoints(TPoint a, TPoint b);

// A circle of the symbol radius about the projected line, outlined with the
// current pen and filled with the current brush.
void DrawSymbolDot(const PlotCanvas& plot, directional_operations::Orientation line);

// Turns each point of `shape` by `angle` and moves it to `anchor`.
void PlaceShape(ArrowShape& shape, float angle, TPoint anchor);

// Whether datum `index` exists and its plane can be drawn: the highlight
// rule of every diagram but the fault-plane one.
inline bool HighlightsDrawablePlane(const FaultSet& data, std::int16_t index) {
  return index > 0 && index <= data.count() && PlaneDrawable(data[std::size_t(index)]);
}

// The records of one drawing recorded without its highlight, kept in the
// window's PlotCache: where each datum's records end, whether a copy of the
// highlight follows it, and how many points they use. A new highlight of
// the same drawing is then composed from them, keeping the picture's points.
struct DrawingBody {
  std::uint64_t key = 0;  // the drawing's key; 0: none kept
  std::vector<DrawRecord> records;
  std::vector<std::size_t> ends;  // ends[i]: the records up to datum i (ends[0]: the net frame)
  std::vector<bool> copied;       // copied[i]: a copy of the highlight follows datum i
  std::size_t points = 0;
};

// Data drawn one by one, the highlighted datum again after each (as
// HighlightCopies). Each datum sets the pen and brush it draws with, as
// whatever follows a repeated run must: a composed drawing puts records
// made with no highlight after copies of one.
struct HighlightedData {
  std::size_t count = 0;
  bool highlight = false;
  // Draws datum i (1 to count); true when a copy of the highlight follows.
  std::function<bool(const PlotCanvas&, std::size_t)> datum;
  std::function<void(const PlotCanvas&)> highlighted;
  // At most this many records and points a datum (0: unknown), reserved.
  std::size_t records = 0, points = 0;
};

// Records the net frame and the data into target.picture. With the
// window's cache and a drawing key, the drawing is recorded without its
// highlight once per key and kept (DrawingBody); every highlight of it is
// then composed from those records: the same picture for a fraction of the
// work (1.4 ms instead of 18 at 32760 fault planes).
void PlotHighlightedData(PlotTarget& target, const HighlightedData& data);

// Records a plot of every datum whose plane can be drawn, each by
// `draw(plot, datum, highlighted)`, with the highlighted datum (when its
// plane can be drawn) again after every datum as HighlightCopies.
template <typename DrawDatum>
void PlotDrawablePlanes(const FaultSet& data, PlotTarget& target, std::int16_t highlightIndex,
                        DrawDatum&& draw) {
  HighlightedData plot;
  plot.count = std::size_t(data.count());
  plot.highlight = HighlightsDrawablePlane(data, highlightIndex);
  const TFaultData& highlighted = data[plot.highlight ? std::size_t(highlightIndex) : 0];
  plot.datum = [&](const PlotCanvas& canvas, std::size_t i) {
    if (!PlaneDrawable(data[i])) return false;
    draw(canvas, data[i], false);
    return true;
  };
  plot.highlighted = [&](const PlotCanvas& canvas) { draw(canvas, highlighted, true); };
  PlotHighlightedData(target, plot);
}

}  // namespace orniva
