// The net of an orientation table: planes as great circles or as poles,
// lines as points, each in its set's colour; over them the best-fit girdle
// (the great circle whose pole is the fold axis) with its axis, and the
// Fisher mean with its cone of confidence. Drawn on either net and
// hemisphere through RenderPlot, as the fault diagrams are.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/curation_state.h"
#include "data/orientation_table.h"
#include "math/vector3d.h"
#include "platform/graphics.h"
#include "plot/analysis_diagrams.h"
#include "plot/figure_legend.h"
#include "plot/net.h"

namespace orniva {

enum class PlaneSymbol : std::uint8_t { GreatCircles, Poles };

struct OrientationNetFigure {
  const std::vector<OrientationRecord>* records = nullptr;  // none: the empty net
  // By record: its colour (SetColours); shorter: the rest black.
  std::vector<TColor> colours;
  PlaneSymbol planes = PlaneSymbol::GreatCircles;
  // The Fisher mean and, where defined, the half-angle of its cone [deg].
  struct Mean {
    math::TrendPlunge mean;
    std::optional<double> alpha;
    double confidence = 0.95;  // of the cone, for the legend
  };
  std::optional<Mean> fisher;
  std::optional<math::TrendPlunge> girdleAxis;  // the fold axis: the girdle is its plane
  const FieldFigure* field = nullptr;           // a density under the records; none: white
  // The records ringed as selected (indices into records, any order).
  std::vector<std::size_t> selected;
};

// The colours of the records by set: a record takes the colour of the set
// its `set` names among `sets` (the curation's, in its order; the table's
// own are document::CurationFromSetColumn's), a record in none black; with
// each set's colour and name, in the order of `sets`, for a legend.
struct SetColouring {
  std::vector<TColor> colours;
  std::vector<std::pair<TColor, std::string>> names;
};
SetColouring SetColours(const std::vector<OrientationRecord>& records,
                        const std::vector<analysis::PhaseInfo>& sets);

// The field first (its bands, contour lines and the primitive circle
// again), then the symbols, at the symbol radius r: a pole a dot, a line a triangle,
// both filled with the record's colour and outlined black at width 1; a
// great circle at width 1 in its colour; the girdle a black great circle
// at width 3 and its axis a black cross of half-length 1.5 r at width 3;
// the Fisher mean a white square of half-size 1.2 r outlined black at
// width 3 and its cone a black small circle at width 2 (an axis has two
// ends: the part of the cone above the primitive circle is drawn at the
// other end); last a ring about each selected record's pole or line: a
// magenta (255, 0, 255) circle of radius 2 r at width 4, unfilled (a
// closed polyline of 36 sides). In that order, records in theirs.
void PlotOrientationNet(const OrientationNetFigure& figure, PlotTarget& target);

// The runs of points of the small circle of half-angle `alpha` [deg] about
// `axis`, 360 steps, projected on `geometry`: a run ends where the circle
// passes from one hemisphere to the other.
// Where a record is marked on the net: a plane's pole, a line itself.
TPoint RecordPoint(const NetGeometry& geometry, const OrientationRecord& record);

std::vector<std::vector<TPoint>> SmallCircleRuns(const NetGeometry& geometry,
                                                 math::TrendPlunge axis, double alpha);

// The legend of what the net draws: each set's symbols (great circle or
// pole, line) where it has such records ("no set" for records in none),
// then the girdle and the mean.
std::vector<LegendEntry> OrientationNetLegend(const OrientationNetFigure& figure,
                                              const SetColouring& sets, std::int32_t symbolRadius);

}  // namespace orniva
