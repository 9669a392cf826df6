#include "plot/text_box.h"

#include <algorithm>

#include "data/colours.h"

namespace orniva {

namespace {

// The advance widths of the printable ASCII characters (space to tilde) in
// thousandths of an em, as the common sans-serif faces set them (Arial,
// Helvetica and their metric twins).
// clang-format off
constexpr std::uint16_t kAsciiWidths[95] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,   //  !"#$%&'()*+,-./
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,   // 0-9 :;<=>?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @A-O
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,   // P-Z [\]^_
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,   // `a-o
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584};       // p-z {|}~
// clang-format on
// Any other character (a Greek letter, a degree sign, a prime): no wider.
constexpr std::uint16_t kOtherWidth = 800;

}  // namespace

std::int32_t EstimatedTextWidth(const std::string& utf8, std::int32_t height) {
  std::int64_t thousandths = 0;
  for (const char c : utf8) {
    const auto byte = std::uint8_t(c);
    if (byte >= 32 && byte < 127)
      thousandths += kAsciiWidths[byte - 32];
    else if ((byte & 0xC0) != 0x80)  // the first byte of any other character
      thousandths += kOtherWidth;
  }
  // A twentieth more for the faces that set a little wider.
  return std::int32_t((thousandths * height * 21 / 20 + 999) / 1000);
}

PlotBox TextBoxOf(const TextItem& text, TPoint anchor) {
  const std::int32_t width = EstimatedTextWidth(text.utf8, text.height);
  const std::int32_t left = text.anchor == TextAnchor::Centre  ? anchor.x - width / 2
                            : text.anchor == TextAnchor::Right ? anchor.x - width
                                                               : anchor.x;
  return {left, anchor.y - (text.height * 4 + 4) / 5, left + width,
          anchor.y + (text.height + 3) / 4};
}

void DrawHaloText(RecordingCanvas& canvas, TPoint anchor, TextItem text, TColor pen,
                  std::int32_t margin) {
  const PlotBox box = TextBoxOf(text, anchor);
  canvas.SetBrushColour(clWhite);
  canvas.FillRect(box.left - margin, box.top - margin, box.right + margin, box.bottom + margin);
  canvas.SetPenColour(pen);
  canvas.Text(anchor, std::move(text));
}

}  // namespace orniva
