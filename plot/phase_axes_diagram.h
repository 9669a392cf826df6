// The net of the phases that a separation of mixed populations proposes:
// each phase's poles and its sigma1 and sigma3 in the phase's colour, with
// sigma1 a square and sigma3 a circle as in the stress-axes diagram, and a
// key that says so. Every net of the program draws a stress axis alike.
#pragma once

#include <vector>

#include "math/directional_operations.h"
#include "platform/graphics.h"
#include "plot/net.h"

namespace orniva {

struct PhaseAxesFigure {
  struct Phase {
    TColor colour = 0;
    directional_operations::Orientation sigma1, sigma3;
    std::vector<directional_operations::Orientation> poles;  // of the phase's faults
  };
  std::vector<Phase> phases;
};

// Text of the key and its symbols, larger than the stress-axes diagram's:
// this net is shown small, beside its tables.
constexpr std::int32_t kPhaseKeyText = 48;

// The net frame; per phase in order its poles as dots of radius 8 filled in
// its colour, then its sigma1 and sigma3 (DrawStressSymbol, half-size 24,
// white with a pen of width 5 in its colour); last the key of sigma1 and
// sigma3 in black in the top-left corner.
void PlotPhaseAxes(const PhaseAxesFigure& figure, PlotTarget& target);

}  // namespace orniva
