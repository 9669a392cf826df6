#include "tests/support/effective_drawing.h"

#include <algorithm>

namespace orniva {

void PrintTo(const EffectiveDraw& d, std::ostream* os) {
  *os << "{op " << int(d.op) << " points";
  for (const TPoint& p : d.points) *os << " " << p.x << "," << p.y;
  *os << " pen " << d.penWidth << "/" << d.penColour << " brush " << d.brushColour << " " << d.text
      << "}";
}

std::vector<EffectiveDraw> EffectiveDrawing(const Picture& picture) {
  std::vector<EffectiveDraw> out;
  std::int32_t penWidth = 1;
  TColor penColour = Rgb(0, 0, 0), brushColour = Rgb(255, 255, 255);
  TPoint position;  // where the next line starts
  const std::vector<TPoint>& points = picture.points();
  const std::vector<TextItem>& texts = picture.texts();
  for (const DrawRecord& r : picture.records()) {
    EffectiveDraw d{r.op, {{r.a, r.b}, {r.c, r.d}}, penWidth, penColour, brushColour, {}};
    switch (r.op) {
      case DrawOp::PenWidth:
        penWidth = r.a;
        continue;
      case DrawOp::PenColour:
        penColour = TColor(r.a);
        continue;
      case DrawOp::BrushColour:
        brushColour = TColor(r.a);
        continue;
      case DrawOp::MoveTo:
        position = TPoint{r.a, r.b};
        continue;
      case DrawOp::FillRect:
        d.penWidth = 0, d.penColour = 0;
        break;
      case DrawOp::Ellipse:
        break;
      case DrawOp::LineTo:
        d.points = {position, {r.a, r.b}}, d.brushColour = 0;
        position = TPoint{r.a, r.b};
        break;
      case DrawOp::Text: {
        const TextItem item =
            r.a >= 0 && std::size_t(r.a) < texts.size() ? texts[std::size_t(r.a)] : TextItem();
        d = EffectiveDraw{r.op, {{r.b, r.c}, {item.height, std::int32_t(item.anchor)}},
                          0,    penColour,
                          0,    item.utf8};
        break;
      }
      case DrawOp::Polygon:
      case DrawOp::Polyline: {
        const std::size_t first = std::min(std::size_t(std::max(r.a, 0)), points.size());
        const std::size_t count = std::min(std::size_t(std::max(r.b, 0)), points.size() - first);
        d.points.assign(points.begin() + std::ptrdiff_t(first),
                        points.begin() + std::ptrdiff_t(first + count));
        if (r.op == DrawOp::Polyline) d.brushColour = 0;
        break;
      }
    }
    out.push_back(std::move(d));
  }
  return out;
}

}  // namespace orniva
