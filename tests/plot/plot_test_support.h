// Reading a recorded picture back as drawn elements, and building data sets
// from data-file lines, for the diagram tests.
#pragma once

#include <string>
#include <vector>

#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "platform/picture.h"
#include "plot/net.h"

namespace orniva::test {

// One drawing operation with the pen and brush in effect when it was drawn.
struct Drawn {
  DrawOp op;
  int penWidth;
  TColor pen;
  TColor brush;
  std::vector<TPoint> points;  // Polyline: its points; Ellipse, FillRect: two corners; Move/LineTo: one
};

inline std::vector<Drawn> DrawingOf(const Picture& picture) {
  std::vector<Drawn> drawn;
  int width = 1;
  TColor pen = 0, brush = Rgb(255, 255, 255);
  for (const DrawRecord& r : picture.records()) {
    switch (r.op) {
      case DrawOp::PenWidth: width = r.a; break;
      case DrawOp::PenColour: pen = TColor(r.a); break;
      case DrawOp::BrushColour: brush = TColor(r.a); break;
      case DrawOp::FillRect:
      case DrawOp::Ellipse: drawn.push_back({r.op, width, pen, brush, {{r.a, r.b}, {r.c, r.d}}}); break;
      case DrawOp::MoveTo:
      case DrawOp::LineTo: drawn.push_back({r.op, width, pen, brush, {{r.a, r.b}}}); break;
      case DrawOp::Polyline: {
        const TPoint* p = picture.PolylinePoints(r);
        drawn.push_back({r.op, width, pen, brush, std::vector<TPoint>(p, p + r.b)});
        break;
      }
    }
  }
  return drawn;
}

// The drawing after the net frame (fill, circle, four ticks of two records each).
inline std::vector<Drawn> DataDrawingOf(const Picture& picture) {
  std::vector<Drawn> drawn = DrawingOf(picture);
  const std::size_t frame = 10;
  if (drawn.size() < frame) return {};
  return std::vector<Drawn>(drawn.begin() + frame, drawn.end());
}

// A data set read from lines as a load reads it: checked and coloured.
inline FaultSet DataFromLines(const std::vector<std::string>& lines) {
  FaultSet data;
  data.Recreate(std::int16_t(lines.size()));
  CheckFaultLines(lines, data);
  AssignColours(data);
  return data;
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
