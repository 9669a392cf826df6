// Reading a recorded picture back as drawn elements, and the plot state
// the diagram tests draw into.
#pragma once

#include <algorithm>
#include <ostream>
#include <vector>

#include <gtest/gtest.h>

#include "plot/diagram.h"
#include "plot/net.h"
#include "tests/support/effective_drawing.h"
#include "tests/support/test_support.h"

namespace orniva::test {

using Drawn = EffectiveDraw;

// The drawing after the net frame (fill, circle and four ticks).
inline std::vector<Drawn> DataDrawingOf(const Picture& picture) {
  std::vector<Drawn> drawn = EffectiveDrawing(picture);
  drawn.erase(drawn.begin(),
              drawn.begin() + std::ptrdiff_t(std::min<std::size_t>(drawn.size(), 6)));
  return drawn;
}

// The window's net, of `kind`.
inline NetGeometry Net(NetKind kind = NetKind::EqualAngle) {
  NetGeometry geometry;
  InitNetGeometry(geometry);
  geometry.kind = kind;
  return geometry;
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

// A PlotFixture that plots the diagram the test is run for.
class DiagramTest : public testing::TestWithParam<PlotMode>, protected PlotFixture {
 protected:
  void Plot(const FaultSet& data, std::int16_t highlight) {
    PlotDiagram(GetParam(), data, target, highlight);
  }
};

inline std::vector<TPoint> Points(std::initializer_list<TPoint> points) { return points; }

}  // namespace orniva::test

namespace orniva {
inline std::ostream& operator<<(std::ostream& out, TPoint p) {
  return out << "(" << p.x << "," << p.y << ")";
}
}  // namespace orniva
