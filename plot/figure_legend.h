// The legend of a figure: the symbols a diagram drew, found from its data
// and inputs by the rules it draws by, each sampled with the pen, brush,
// shape and size the diagram drew it with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/density.h"
#include "data/fault_data.h"
#include "picture/picture.h"
#include "platform/graphics.h"
#include "plot/diagram.h"

namespace orniva {

// One mark of a legend's sample.
struct LegendMark {
  enum class Shape : std::uint8_t {
    Line,   // a short straight line, with a dot of `dot` radius outlined by `outline` in its middle
    Dot,    // a circle of radius `size`
    Cross,  // an upright cross of half-length `size`
    Arrow,  // `arrow` at symbol radius `size`, lying across the row
    Method,      // the symbol of stress method `method` of half-size `size`
    StressAxis,  // the symbol of stress axis `method` (0 to 2) of half-size `size`
  };
  Shape shape = Shape::Line;
  TColor pen = 0;
  TColor brush = 0;  // the dot's fill
  std::int32_t width = 2;
  std::int32_t size = 0;
  std::int32_t dot = 0;
  TColor outline = 0;
  ArrowKind arrow = ArrowKind::None;
  std::uint8_t method = 0;

  friend bool operator==(const LegendMark& l, const LegendMark& r) {
    return l.shape == r.shape && l.pen == r.pen && l.brush == r.brush && l.width == r.width &&
           l.size == r.size && l.dot == r.dot && l.outline == r.outline && l.arrow == r.arrow &&
           l.method == r.method;
  }
};

// One line of the legend: its marks side by side, then what they mean.
struct LegendEntry {
  std::vector<LegendMark> marks;
  std::string text;
};

// What a diagram was drawn from, as PlotDiagram took it.
struct LegendSource {
  PlotMode mode = PlotMode::FaultPlaneAndStriation;
  const FaultSet* data = nullptr;
  DiagramInputs inputs;
  std::int16_t symbolRadius = 10;
  // The highlighted datum, when the diagram drew it; 0: none.
  std::size_t highlight = 0;
  analysis::DensityOf densityOf = analysis::DensityOf::Poles;
};

// The entries of the symbols the diagram drew: the sense colours among
// the data drawn, black striations, the arrows, data left out, the
// highlight, every stress method's sigma1 and sigma3 and the bootstrap's
// confidence region, each only when drawn.
std::vector<LegendEntry> LegendOf(const LegendSource& source);

// The room a sample takes on the page [plot units].
std::int32_t SampleWidth(const LegendEntry& entry);
std::int32_t SampleHeight(const LegendEntry& entry);

// Draws the entry's marks from `left`, centred on its y.
void DrawSample(RecordingCanvas& canvas, const LegendEntry& entry, TPoint left);

}  // namespace orniva
