// The diagrams the program draws, as the Plot menu lists them.
#pragma once

#include <cstdint>

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
  Rose = 7,
  Mohr = 8,
  Tendency = 9,  // slip or dilation tendency
};

}  // namespace orniva
