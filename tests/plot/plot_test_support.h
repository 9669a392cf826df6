// Reading a recorded picture back as drawn elements, and building data sets
// from data-file lines, for the diagram tests.
#pragma once

#include <algorithm>
#include <ostream>
#include <vector>

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
