// The one way a diagram is chosen and drawn, with the inputs the analyses
// give it, and the names of the diagrams and nets on the command line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/fault_data.h"
#include "plot/analysis_diagrams.h"
#include "plot/axes_diagrams.h"
#include "plot/data_colours.h"
#include "plot/fault_plane_diagram.h"
#include "plot/mohr_diagram.h"
#include "plot/net.h"
#include "plot/plot_cache.h"
#include "plot/plot_mode.h"
#include "plot/rose_diagram.h"

namespace orniva {

// What a diagram draws beyond the data, computed by the analyses. A diagram
// whose input is missing draws the empty net.
struct DiagramInputs {
  const KinematicAxesFigure* kinematicAxes = nullptr;
  const StressAxesFigure* stressAxes = nullptr;
  const FieldFigure* field = nullptr;  // density, right dihedra or tendency
  // By line (index 0 unused; a shorter list leaves the rest alone): the
  // colour each datum is drawn in instead of its own, or kOwnColour. The
  // faults switched off are grey, and the data may be coloured by phase.
  const std::vector<TColor>* dataColours = nullptr;
  // What a legend says of the colours of dataColours (a phase's name).
  const std::vector<std::pair<TColor, std::string>>* colourNames = nullptr;
  const RoseFigure* rose = nullptr;
  // The figure layout: the texts and legends of a figure for publication.
  bool layout = false;
  // Changes whenever the inputs above do, for the drawing key.
  std::uint64_t revision = 0;
  const MohrFigure* mohr = nullptr;
};

// Whether `mode` draws from an analysis's result (see DiagramInputs).
bool NeedsAnalysis(PlotMode mode);

// Draws the diagram `mode` of `data` into target.picture; with no data, the
// empty net. highlightIndex as the diagram takes it (-1: none).
void PlotDiagram(PlotMode mode, const FaultSet& data, PlotTarget& target,
                 std::int16_t highlightIndex, const DiagramInputs& inputs = {});

// The diagram's name on the command line ("fault-planes", "tangent-lineation",
// "poles", "kinematic-axes", "stress-axes", "density", "dihedra", "rose", "mohr",
// "tendency").
std::string_view PlotModeName(PlotMode mode);
std::optional<PlotMode> PlotModeNamed(std::string_view name);

// The name Save Figure As proposes for diagram `mode` of the data file at
// `dataPath`: the file's name without its folder and extension, the
// diagram's name, then `extension` ("site4-stress-axes.svg"); "orniva-..."
// when no file is loaded.
std::string ProposedFigureName(std::string_view dataPath, PlotMode mode,
                               std::string_view extension = "svg");

// The net's name on the command line ("equal-angle", "equal-area").
std::string_view NetKindName(NetKind kind);
std::optional<NetKind> NetKindNamed(std::string_view name);

// The hemisphere's name on the command line ("lower", "upper").
std::optional<Hemisphere> HemisphereNamed(std::string_view name);

}  // namespace orniva
