// The drawing a picture describes, for the tests and the fuzz targets (no
// program links this).
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "picture/picture.h"

namespace orniva {

// One drawing operation with the attributes that shape it: the pen for
// outlines and lines, the brush for fills; attributes an operation does not
// use are 0. Moves draw nothing and are not listed; a line instead carries
// the point it starts from. So two pictures that draw the same thing compare
// equal however their moves and pen and brush changes were recorded.
struct EffectiveDraw {
  DrawOp op = DrawOp::FillRect;  // never a move or an attribute change
  // Polyline and Polygon: their points. FillRect and Ellipse: the two
  // corners; LineTo: from and to; Text: the anchor and (height, TextAnchor),
  // drawn in penColour.
  std::vector<TPoint> points;
  std::int32_t penWidth = 0;
  TColor penColour = 0;
  TColor brushColour = 0;
  std::string text;

  friend bool operator==(const EffectiveDraw& l, const EffectiveDraw& r) {
    return l.op == r.op && l.points == r.points && l.text == r.text && l.penWidth == r.penWidth &&
           l.penColour == r.penColour && l.brushColour == r.brushColour;
  }
};
// Readable failures in GoogleTest comparisons.
void PrintTo(const EffectiveDraw& d, std::ostream* os);

// The drawing operations of `picture` in order, starting from a fresh
// canvas's black pen of width 1, white brush and position (0, 0). A
// polyline's points are clamped to the picture's points.
std::vector<EffectiveDraw> EffectiveDrawing(const Picture& picture);

}  // namespace orniva
