// The diagrams of the analyses' results: the stress axes over the fault
// planes, and a field over the net (density or right dihedra) as filled
// bands, contour lines and the data on top. The analyses compute what they
// draw; these only place it on the net.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/fault_data.h"
#include "math/directional_operations.h"
#include "platform/graphics.h"
#include "plot/data_colours.h"
#include "plot/net.h"

namespace orniva {

// What the stress-axes diagram draws beyond the data.
struct StressAxesFigure {
  // By line (index 0 unused): faults switched out of the inversion, drawn
  // grey. Shorter than the data: the rest are in.
  std::vector<bool> switchedOut;
  // sigma1, sigma2, sigma3; none when the inversion refused the data.
  std::optional<std::array<directional_operations::Orientation, 3>> axes;
  double phi = 0;
  // With every method shown: each method that solved the data, by its place
  // in the order of the methods (Michael, Shan, Fry, Yamaji-Sato, Angelier),
  // with its sigma1 and sigma3.
  struct MethodAxes {
    std::size_t method = 0;
    directional_operations::Orientation sigma1, sigma3;
  };
  std::vector<MethodAxes> methods;
  // The bootstrap's confidence region: sigma1, sigma2 and sigma3 of each
  // kept resample, and how it was made ("Bootstrap region: 95% of 2000
  // resamples (Michael 1987)"), also the last of the summary's lines.
  std::vector<std::array<directional_operations::Orientation, 3>> confidence;
  std::string confidenceNote;
  // The region drawn as contours instead (analysis/confidence_region.h):
  // each axis's outer line, round 90% of the kept axes, and inner line,
  // round the densest half. Empty: the symbols.
  struct RegionLine {
    std::size_t axis = 0;  // 0 sigma1, 1 sigma2, 2 sigma3
    bool inner = false;
    std::vector<TPoint> points;
  };
  std::vector<RegionLine> confidenceLines;
  // The layout's lines about the stress (StressSummaryLines), below its legend.
  std::vector<std::string> summary;
};

constexpr TColor kSwitchedOutGrey = Rgb(160, 160, 160);

// The symbol of stress axis k (0: sigma1, a square; 1: sigma2, a triangle
// pointing up; 2: sigma3, a circle) of half-size a at p, with the pen and
// brush set. Every diagram and key that shows a stress axis draws this one.
void DrawStressSymbol(RecordingCanvas& canvas, std::size_t k, TPoint p, std::int32_t a);

// The colour of axis k's confidence region: red, green, blue for sigma1,
// sigma2, sigma3.
TColor ConfidenceColour(std::size_t axis);

// How many methods have a symbol of their own, and each one's name in a key.
constexpr std::size_t kMethodSymbols = 5;
const char* MethodKeyName(std::size_t method);

// The pen and brush of a method's sigma1 (filled in the method's colour,
// outlined in black) or sigma3 (open: white, outlined in its colour).
struct MethodSymbolStyle {
  TColor pen = 0, brush = 0;
  std::int32_t width = 1;
};
MethodSymbolStyle MethodStyle(std::size_t method, bool sigma1);

// The outline of a method's symbol of half-size a centred on c: a square,
// a diamond, a triangle pointing up, one pointing down, or a cross.
std::vector<TPoint> MethodSymbolOutline(std::size_t method, TPoint c, std::int32_t a);

// The fault planes with their arrows as the fault-plane diagram draws them
// (switched-out faults grey), the highlighted fault after every fault; then
// sigma1 as a square, sigma2 as a triangle and sigma3 as a circle, white
// with a black outline of width 3 at 1.6 times the symbol radius, each
// labelled 1, 2 or 3 on a white halo; and their legend in the top-left corner. With the
// layout, Phi below the legend. Every method's sigma1 and sigma3 in its own
// symbol of the symbol radius go before the chosen axes, with their key in
// the bottom-left corner. Before them, the confidence region: each kept
// sigma1, sigma2 and sigma3 in its axis's shape, small and filled in its
// axis's colour, or with contour lines each axis's outer (width 3) and
// inner line (width 1) in its colour (the layout's legend says which).
void PlotStressAxes(const FaultSet& data, const StressAxesFigure& figure, PlotTarget& target,
                    std::int16_t highlightIndex, bool layout,
                    const std::vector<TColor>* colours = nullptr);

// A field's drawing in plot units.
struct FieldFigure {
  struct Band {
    int level = 0;
    std::vector<TPoint> points;  // a convex polygon
  };
  std::vector<Band> bands;                 // painted in order, each over the last
  std::vector<std::vector<TPoint>> lines;  // contour lines
  std::vector<TColor> levelColours;        // per level
  std::vector<std::string> levelLabels;    // per level, for the legend
  // Per line (index 0 unused): the datum's point on top, none for a datum
  // the field leaves out. Empty for a field drawn with its planes.
  std::vector<std::optional<directional_operations::Orientation>> points;
  bool planes = false;  // the fault planes on top as thin black great circles
  // Labels on the net with the layout (the right dihedra's sigma1 and sigma3).
  struct Label {
    directional_operations::Orientation at;
    std::string text;
  };
  std::vector<Label> labels;
  // The layout's lines below its legend: what was counted and how, what the
  // colours mean.
  std::vector<std::string> notes;
};

// The colour of level k of n: a ramp from pale yellow to dark red whose
// lightness falls with every level, so that it stays readable in grey.
TColor RampColour(std::size_t k, std::size_t n);

// A field's bands, each filled and outlined at width 2 in its level's
// colour, its contour lines in dark grey, and the primitive circle again
// over them: what every diagram over a field draws first.
void DrawFieldBands(RecordingCanvas& canvas, const FieldFigure& figure, const NetGeometry& geometry,
                    bool smooth);

// The bands (each outlined in its own colour at width 2, so that no seam
// shows), the
// contour lines in dark grey, then the points as small black dots or the
// planes, and the highlighted datum's point or plane in aqua. With the
// layout, the legend of the levels in the top-right corner and the labels.
void PlotField(const FaultSet& data, const FieldFigure& figure, PlotTarget& target,
               std::int16_t highlightIndex, bool layout);

}  // namespace orniva
