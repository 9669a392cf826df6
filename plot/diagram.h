// The diagrams the program draws, the one way a diagram is chosen and
// drawn, and what the window keeps between two plots.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "data/fault_data.h"
#include "plot/analysis_diagrams.h"
#include "plot/axes_diagrams.h"
#include "plot/fault_plane_diagram.h"
#include "plot/net.h"

namespace orniva {

// The diagram of the Plot menu.
enum class PlotMode : std::uint8_t {
  FaultPlaneAndStriation = 0,
  TangentLineation = 1,
  Poles = 2,
  KinematicAxes = 3,
  StressAxes = 4,
  Density = 5,
  RightDihedra = 6,
};

// What a diagram draws beyond the data, computed by the analyses. A diagram
// whose input is missing draws the empty net.
struct DiagramInputs {
  const KinematicAxesFigure* kinematicAxes = nullptr;
  const StressAxesFigure* stressAxes = nullptr;
  const FieldFigure* field = nullptr;  // density or right dihedra
  // The figure layout: the texts and legends of a figure for publication.
  bool layout = false;
  // Changes whenever the inputs above do, for the drawing key.
  std::uint64_t revision = 0;
};

// Whether `mode` draws from an analysis's result (see DiagramInputs).
bool NeedsAnalysis(PlotMode mode);

// Draws the diagram `mode` of `data` into target.picture; with no data, the
// empty net. highlightIndex as the diagram takes it (-1: none).
void PlotDiagram(PlotMode mode, const FaultSet& data, PlotTarget& target,
                 std::int16_t highlightIndex, const DiagramInputs& inputs = {});

// The diagram's name on the command line ("fault-planes", "tangent-lineation",
// "poles", "kinematic-axes", "stress-axes", "density", "dihedra").
std::string_view PlotModeName(PlotMode mode);
std::optional<PlotMode> PlotModeNamed(std::string_view name);

// The net's name on the command line ("equal-angle", "equal-area").
std::string_view NetKindName(NetKind kind);
std::optional<NetKind> NetKindNamed(std::string_view name);

// Kept by the window from one plot to the next: the projected great circles
// of the loaded data, the last drawing without its highlight, and the key
// of what was last drawn.
class PlotCache {
 public:
  GreatCircleCache greatCircles;
  DrawingBody body;

  // The same key as long as the data (their generation), the diagram, the
  // symbol size, the net and the inputs' revision stay the same; a key
  // never handed out before when any of them changes. Never 0.
  std::uint64_t DrawingKey(const FaultSet& data, PlotMode mode, const PlotTarget& target,
                           std::uint64_t revision = 0);

 private:
  struct Inputs {
    std::uint64_t generation = 0;
    PlotMode mode = PlotMode::FaultPlaneAndStriation;
    SymbolSize symbolSize = SymbolSize::Medium;
    NetGeometry geometry;
    std::uint64_t revision = 0;
  };
  Inputs last_;
  std::uint64_t key_ = 0;
};

}  // namespace orniva
