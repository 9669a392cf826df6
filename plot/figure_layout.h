// The figure layout: a diagram framed for publication. A title above the
// net; below it the number of data drawn, the net and hemisphere, and a
// legend of the diagram's symbols, all as text records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "picture/picture.h"
#include "math/net_kind.h"
#include "plot/plot_mode.h"

namespace orniva {

// What the layout says about the diagram.
struct FigureCaption {
  std::string title;      // the first line; none when empty
  std::size_t count = 0;  // "N = count": the data drawn
  NetKind net = NetKind::EqualAngle;
  bool planes = true;  // the right dihedra with their fault planes on top
};

// One symbol of the legend and what it means.
struct LegendEntry {
  enum class Symbol : std::uint8_t {
    Line,
    Dot,
    OpenCircle,
    Cross,
    StraightArrow,
    ShearArrow,
    MirroredShearArrow,
  };
  Symbol symbol = Symbol::Line;
  TColor colour = 0;   // the line, the dot's fill or the open circle's pen
  TColor outline = 0;  // the dot's pen
  std::int32_t width = 2;
  std::string text;
};

// "Equal-angle, lower hemisphere" or "Equal-area, lower hemisphere".
std::string NetCaption(NetKind net);

// The symbols that diagram `mode` draws; `highlighted` adds the highlight's.
std::vector<LegendEntry> LegendOf(PlotMode mode, bool planes, bool highlighted);

// Bands of the layout in plot units, across the diagram's width.
constexpr std::int32_t kTitleBand = 110;  // when there is a title
constexpr std::int32_t kUntitledBand = 20;
constexpr std::int32_t kCaptionBand = 80;  // N and the net
constexpr std::int32_t kLegendRow = 50;    // two entries a row

// The figure of `diagram` (as PlotDiagram drew it with the layout's inputs):
// the diagram moved down below the title, on a white page as wide as the
// diagram and as high as the bands need. A diagram with a repeated run has
// a highlight, and its legend says so.
Picture LayoutFigure(const Picture& diagram, PlotMode mode, const FigureCaption& caption);

}  // namespace orniva
