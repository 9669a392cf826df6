// What the diagrams that show an analysis need, computed from the data: the
// bridge from the analyses to the plot layer's DiagramInputs.
#pragma once

#include <cstdint>
#include <optional>
#include <tuple>
#include <vector>

#include "analysis/choices.h"
#include "analysis/density.h"
#include "analysis/net_projection.h"
#include "analysis/study.h"
#include "data/fault_data.h"
#include "picture/picture.h"
#include "plot/diagram.h"
#include "plot/figure_layout.h"

namespace orniva {

using analysis::AnalysisChoices;

// The grid a field is drawn from: nodes across the square about the net.
constexpr int kFieldGridSize = 100;

// The inputs of the diagrams that need an analysis; `Inputs()` points into it.
struct DiagramFigures {
  KinematicAxesFigure kinematicAxes;
  StressAxesFigure stressAxes;
  FieldFigure field;
  RoseFigure rose;
  MohrFigure mohr;
  bool hasKinematicAxes = false, hasStressAxes = false, hasField = false, hasRose = false,
       hasMohr = false;
  analysis::DensityOf densityOf = analysis::DensityOf::Poles;  // what a density field counts
  // By line (index 0 unused): the data the analyses read; empty: all.
  std::vector<bool> inUse;
  // DiagramInputs::dataColours; empty: every datum in its own colour.
  std::vector<TColor> dataColours;
  std::vector<std::pair<TColor, std::string>> colourNames;  // DiagramInputs::colourNames
  std::uint64_t revision = 0;  // set by FiguresFor, new for every computation

  DiagramInputs Inputs(bool layout = false) const {
    DiagramInputs inputs;
    if (hasKinematicAxes) inputs.kinematicAxes = &kinematicAxes;
    if (hasStressAxes) inputs.stressAxes = &stressAxes;
    if (hasField) inputs.field = &field;
    if (!dataColours.empty()) inputs.dataColours = &dataColours;
    if (!colourNames.empty()) inputs.colourNames = &colourNames;
    if (hasRose) inputs.rose = &rose;
    if (hasMohr) inputs.mohr = &mohr;
    inputs.layout = layout;
    inputs.revision = revision;
    return inputs;
  }
};

// Computes what `mode` needs of `study` on the net of `geometry`, from the
// study's results; nothing for the diagrams that draw the data alone.
DiagramFigures FiguresFor(PlotMode mode, const analysis::Study& study, const NetGeometry& geometry);
// The same for `data` under `choices`, in a study of their own.
DiagramFigures FiguresFor(PlotMode mode, const FaultSet& data, const NetGeometry& geometry,
                          const AnalysisChoices& choices = {});

// The figures of the diagram drawn last, kept while the study, the diagram
// and the net stay the same.
class DiagramFiguresCache {
 public:
  // What `mode` needs of `study` on the net of `geometry`: computed again
  // only when one of them has changed. A diagram that draws the data alone
  // keeps the figures it finds.
  const DiagramFigures& For(PlotMode mode, const analysis::Study& study,
                            const NetGeometry& geometry);
  const DiagramFigures& figures() const { return figures_; }

 private:
  using Key = std::tuple<std::uint64_t, PlotMode, NetKind, Hemisphere>;
  DiagramFigures figures_;
  std::optional<Key> key_;
};

// The figure of a density or right-dihedra field of `values` on `grid`:
// bands and contour lines at `levels`, the ramp's colours and `labels` per
// level.
FieldFigure FieldOf(const analysis::DrawingGrid& grid, const std::vector<double>& values,
                    const std::vector<double>& levels, std::vector<std::string> labels);

// The density field of `directions` (axes) counted by `method` on the
// drawing grid of `geometry`: its bands, contour lines, colours and level
// labels ("2σ", "3 %"), without points or notes.
FieldFigure DensityField(const std::vector<math::Vector3d>& directions,
                         analysis::DensityMethod method, const NetGeometry& geometry);
// The line that says how a density was counted and of what: `counted` is
// "34 poles", "12 poles and 5 lines" ...
std::string DensityNote(analysis::DensityMethod method, const std::string& counted);

// A level as the figures write it: "2σ", "25 %", "0.4" (`unit` after the number).
std::string LevelLabel(double level, const char* unit = "");

// The layout's lines about a stress below the legend of the stress axes:
// R' and its regime, the World Stress Map regime, SHmax and SHmin, each
// with what it means; first a line that says so of a given stress.
std::vector<std::string> StressSummaryLines(const analysis::StressResult& result, bool given);

// What a figure for a file or the clipboard is drawn as.
struct FigureRequest {
  PlotMode mode = PlotMode::FaultPlaneAndStriation;
  NetGeometry geometry;  // InitNetGeometry's, of the chosen kind
  SymbolSize symbolSize = SymbolSize::Medium;
  std::int16_t highlight = -1;
  bool layout = false;  // the figure layout (plot/figure_layout.h)
  std::string title;
};

// The number of data that diagram `mode` draws: every datum with a plane
// that can be drawn, or, where an analysis is drawn, the faults it uses.
// Of those, `inUse` (by line, empty: all) counts the ones in use.
struct DataCount {
  std::size_t inUse = 0, all = 0;
};
DataCount DataDrawn(PlotMode mode, const FaultSet& data, const std::vector<bool>& inUse = {});

// The diagram as the window draws it; with the layout, framed by it.
// `figures` are FiguresFor the same mode, data and net. `zeroDivides`, when
// given, gets the plot's count of vectors of length 0 (PlotTarget).
Picture DrawFigure(const FaultSet& data, const FigureRequest& request,
                   const DiagramFigures& figures, int* zeroDivides = nullptr);

}  // namespace orniva
