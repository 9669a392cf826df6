// Plot symbols shared by both diagrams: the arrow shapes, the symbol dot,
// and integer point operations on plot coordinates.
#pragma once

#include <array>
#include <cstdint>

#include "data/fault_data.h"
#include "platform/graphics.h"
#include "platform/picture.h"
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

// Records a plot of every datum whose plane can be drawn, each by
// `draw(plot, datum, highlighted)`, with the highlighted datum (when its
// plane can be drawn) again after every datum as HighlightCopies.
template <typename DrawDatum>
void PlotDrawablePlanes(const FaultSet& data, PlotTarget& target, std::int16_t highlightIndex,
                        DrawDatum&& draw) {
  const bool highlight = HighlightsDrawablePlane(data, highlightIndex);
  RenderPlot(target, [&](RecordingCanvas& canvas) {
    const PlotCanvas plot{canvas, target.geometry, SymbolRadius(target.geometry, target.symbolSize)};
    HighlightCopies copies(canvas);
    const TFaultData& highlighted = data[highlight ? std::size_t(highlightIndex) : 0];
    for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
      if (!PlaneDrawable(data[i])) continue;
      draw(plot, data[i], false);
      if (highlight) copies.Draw([&] { draw(plot, highlighted, true); });
    }
    canvas.SetDrawingKey(target.drawingKey);
  });
}

}  // namespace orniva
