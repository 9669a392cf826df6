// The slip or dilation tendency diagram: Ts' or Td of every plane
// orientation, contoured at the plane's pole over the net like the density
// diagram, with the poles of the faults in use on top and, in the figure
// layout, sigma1, sigma2 and sigma3 labelled at their places. The
// directions are the study's stress inversion, the magnitudes and the field
// the study's tendency choice; without magnitudes, or where the inversion
// or the magnitudes are refused, only the poles are drawn.
#pragma once

#include <string>
#include <vector>

#include "analysis/study.h"
#include "analysis/tendency.h"
#include "plot/figures.h"

namespace orniva {

// The levels of the bands and lines: 0, 0.2, 0.4, 0.6 and 0.8.
std::vector<double> TendencyLevels();

// The field's figure on a grid of kFieldGridSize nodes a side over the net
// of `geometry`.
FieldFigure TendencyField(const analysis::Study& study, const NetGeometry& geometry);

// What the field shows, for a legend: "Ts′" or "Td".
std::string TendencyName(analysis::TendencyOf of);

}  // namespace orniva
