// Where each datum lies on the diagram the window draws, for picking data
// with the mouse: the direction the diagram draws of it on a net (its
// striation, pole, P or T axis, or the lines a density counts), or its
// point on the Mohr diagram, in plot units. A rose draws no datum.
#pragma once

#include <optional>
#include <vector>

#include "analysis/geometry.h"
#include "data/fault_data.h"
#include "plot/figures.h"
#include "plot/net.h"
#include "plot/plot_mode.h"

namespace orniva {

// The frame of the net of `geometry`, for the analyses' projections.
analysis::NetFrame FrameOf(const NetGeometry& geometry);

// Whether diagram `mode` is drawn on the net (every diagram but the rose
// and the Mohr diagram).
bool DrawsOnNet(PlotMode mode);

// The points of every datum that passed its checks (in use or not) on
// diagram `mode` as drawn from `figures` (FiguresFor the same mode, data
// and net); the kinematic axes and right dihedra give each datum's P and
// T axis, two points with its line.
std::vector<analysis::ProjectedDatum> PickPoints(PlotMode mode, const FaultSet& data,
                                                 const NetGeometry& geometry,
                                                 const DiagramFigures& figures);

// The directions of the same data that a window of trend and plunge or a
// cone picks: the lines the net draws of them (poles where no net does).
std::vector<analysis::DatumDirection> PickDirections(PlotMode mode, const FaultSet& data,
                                                     const DiagramFigures& figures);

// The line under `point` of the net; none off the net or beyond it.
std::optional<math::TrendPlunge> LineUnder(PlotMode mode, const NetGeometry& geometry,
                                           analysis::NetPoint point);

}  // namespace orniva
