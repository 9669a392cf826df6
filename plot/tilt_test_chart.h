// The chart of the tilt test: across, the back-tilt fraction from 0 to
// 1.25; up, the plunge of the steepest principal axis from 0 to 90 degrees
// (left scale), each step a dot in the colour of the axis that is steepest
// there and the axis's name where it changes; the mean misfit beta on the
// right scale (0 to 90 degrees, or to 180 when it goes beyond 90) as a
// second line. Fraction 1, where the bedding is horizontal, is marked.
#pragma once

#include <string>
#include <vector>

#include "analysis/rotation.h"
#include "picture/picture.h"
#include "platform/graphics.h"

namespace orniva {

// The chart's size in plot units.
inline constexpr std::int32_t kTiltChartWidth = 1400, kTiltChartHeight = 940;

// The point of `fraction` and `plunge` on the left scale.
TPoint TiltChartPoint(double fraction, double plunge);
// The point of `fraction` and mean misfit `beta` on the right scale, whose
// top is `betaTop` degrees.
TPoint TiltChartBetaPoint(double fraction, double beta, double betaTop);
// The right scale's top for `steps`: 90, or 180 when a mean misfit exceeds 90.
double TiltChartBetaTop(const std::vector<analysis::TiltStep>& steps);

// Which of sigma1, sigma2, sigma3 (0, 1, 2) plunges most at `step`.
int SteepestAxis(const analysis::TiltStep& step);

// The chart of `steps` titled `title`. A step whose inversion was refused
// draws no dot and breaks the lines.
Picture DrawTiltTestChart(const std::vector<analysis::TiltStep>& steps, const std::string& title);

}  // namespace orniva
