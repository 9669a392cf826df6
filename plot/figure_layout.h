// The figure layout: a diagram framed for publication. A title above the
// net; below it the number of data drawn, the net and hemisphere, and a
// legend of the diagram's symbols, all as text records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "picture/picture.h"
#include "math/net_kind.h"
#include "plot/figure_legend.h"
#include "plot/plot_mode.h"

namespace orniva {

// What the layout says about the diagram.
struct FigureCaption {
  std::string title;      // the first line; none when empty
  std::size_t count = 0;  // "N = count": the data drawn
  // The data the diagram could show when some are left out of the analyses:
  // "N = count of total". 0: none left out.
  std::size_t total = 0;
  NetKind net = NetKind::EqualAngle;
  Hemisphere hemisphere = Hemisphere::Lower;
  // What the caption says of the diagram instead of the net (a rose's
  // counts); empty: NetCaption.
  std::string netText;
  std::vector<std::string> notes;  // lines below the legend
  // The outer end of the net's north tick in the diagram, where "N" is
  // written above it; none for a diagram without a net.
  std::optional<TPoint> north;
};

// "Equal-angle, lower hemisphere", "Equal-area, upper hemisphere" ...
std::string NetCaption(NetKind net, Hemisphere hemisphere = Hemisphere::Lower);

// Bands of the layout in plot units, across the diagram's width.
constexpr std::int32_t kTitleBand = 110;  // when there is a title
constexpr std::int32_t kUntitledBand = 20;
constexpr std::int32_t kCaptionBand = 80;  // N and the net
constexpr std::int32_t kLegendRow = 50;    // the least height of a row of the legend
constexpr std::int32_t kNoteRow = 40;      // a line of the notes

// The figure of `diagram` (as PlotDiagram drew it with the layout's inputs):
// the diagram moved down below the title, on a white page as wide as the
// diagram and as high as the bands and the rows of `legend` need. The
// legend takes two entries a row where each fits in half the width, else one;
// the caption's notes follow it, a line each.
Picture LayoutFigure(const Picture& diagram, const FigureCaption& caption,
                     const std::vector<LegendEntry>& legend);

}  // namespace orniva
