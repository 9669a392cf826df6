// A digest of everything a diagram is drawn from, for the picture's
// drawingKey: the window's view keeps the raster of a drawing for as long
// as the key stays the same.
#pragma once

#include <cstdint>

#include "data/fault_data.h"
#include "plot/net.h"

namespace orniva {

enum class Diagram : std::uint8_t { FaultPlanes = 1, TangentLineation = 2 };

// FNV-1a over the diagram, the net, the symbol size and every field of
// data 1 to count that the diagram reads. Never 0.
std::uint64_t DrawingKey(Diagram diagram, const FaultSet& data, const PlotTarget& target);

}  // namespace orniva
