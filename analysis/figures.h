// What the diagrams that show an analysis need, computed from the data: the
// bridge from the analyses to the plot layer's DiagramInputs.
#pragma once

#include "data/fault_data.h"
#include "plot/diagram.h"

namespace orniva::analysis {

// The inputs of the diagrams that need an analysis; `Inputs()` points into it.
struct DiagramFigures {
  KinematicAxesFigure kinematicAxes;
  bool hasKinematicAxes = false;

  DiagramInputs Inputs() const {
    DiagramInputs inputs;
    if (hasKinematicAxes) inputs.kinematicAxes = &kinematicAxes;
    return inputs;
  }
};

// Computes what `mode` needs of `data`; nothing for the diagrams that draw
// the data alone.
DiagramFigures FiguresFor(PlotMode mode, const FaultSet& data);

}  // namespace orniva::analysis
