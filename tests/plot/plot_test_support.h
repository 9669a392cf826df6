// Reading a recorded picture back as drawn elements, and building data sets
// from data-file lines, for the diagram tests.
#pragma once

#include <string>
#include <vector>

#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "tests/support/emf_check.h"
#include "tests/support/test_support.h"
#include <gtest/gtest.h>

#include "platform/picture.h"
#include "plot/net.h"

namespace orniva::test {

// One drawing operation with the pen and brush in effect when it was drawn,
// its points also for the other operations: Ellipse, FillRect: two corners;
// LineTo: start and end; Text: the anchor and (height, anchor kind).
using Drawn = EffectiveDraw;

inline std::vector<Drawn> DrawingOf(const Picture& picture) {
  std::vector<Drawn> drawn = EffectiveDrawing(picture);
  for (Drawn& d : drawn)
    if (d.op != DrawOp::Polyline && d.op != DrawOp::Polygon) d.points = {{d.a, d.b}, {d.c, d.d}};
  return drawn;
}

// The drawing after the net frame (fill, circle and four ticks).
inline std::vector<Drawn> DataDrawingOf(const Picture& picture) {
  std::vector<Drawn> drawn = DrawingOf(picture);
  const std::size_t frame = 6;
  if (drawn.size() < frame) return {};
  return std::vector<Drawn>(drawn.begin() + frame, drawn.end());
}

// The window's plot state with the net set up and Medium symbols.
struct PlotFixture {
  Picture picture;
  PlotTarget target;
  int shown = 0;

  PlotFixture() {
    target.picture = &picture;
    InitNetGeometry(target.geometry);
    target.show = [this] { ++shown; };
  }
};

inline std::vector<TPoint> Points(std::initializer_list<TPoint> points) { return points; }

}  // namespace orniva::test

namespace orniva {
inline std::ostream& operator<<(std::ostream& out, TPoint p) {
  return out << "(" << p.x << "," << p.y << ")";
}
}  // namespace orniva
