// The room a line of text takes on the page, estimated from its characters
// as a plain sans-serif face sets them (never narrower), and a label drawn
// over a white halo so that it stays readable over lines and arrows.
#pragma once

#include <cstdint>
#include <string>

#include "picture/picture.h"
#include "platform/graphics.h"

namespace orniva {

// A box in plot units: left and top inclusive, right and bottom exclusive.
struct PlotBox {
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;

  bool Contains(const PlotBox& b) const {
    return b.left >= left && b.top >= top && b.right <= right && b.bottom <= bottom;
  }
  bool Meets(const PlotBox& b) const {
    return b.left < right && left < b.right && b.top < bottom && top < b.bottom;
  }
};

// The width of `utf8` at em height `height`, from the advance widths of a
// sans-serif face's characters, a twentieth wider; any character beyond
// ASCII 0.8 em.
std::int32_t EstimatedTextWidth(const std::string& utf8, std::int32_t height);

// The box of `text` drawn at `anchor` (on its baseline, by its anchor):
// from 0.8 em above the baseline (the tallest letters) to 0.25 em below it
// (the descenders).
PlotBox TextBoxOf(const TextItem& text, TPoint anchor);

// The text's box widened by `margin` on every side, filled white with the
// brush, then the text in `pen`. Leaves the brush white and the pen `pen`.
void DrawHaloText(RecordingCanvas& canvas, TPoint anchor, TextItem text, TColor pen,
                  std::int32_t margin = 3);

}  // namespace orniva
