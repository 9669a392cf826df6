// The user's choices about a loaded data set that shape its analyses and
// their diagrams.
#pragma once

#include "analysis/density.h"
#include "analysis/rose.h"
#include "analysis/stress_methods.h"
#include "analysis/tendency.h"

namespace orniva::analysis {

// The user's choices that shape an analysis's diagram.
struct AnalysisChoices {
  DensityOf densityOf = DensityOf::Poles;
  DensityMethod densityMethod = DensityMethod::Kamb;
  bool iterate = false;       // the stress inversion's iterative option
  bool dihedraPlanes = true;  // the fault planes over the right dihedra
  // The stress inversion's method (last, so that tables of choices written
  // field by field stay valid).
  StressMethod method = StressMethod::Michael;
  // The stress-axes diagram shows every method's sigma1 and sigma3 besides
  // the chosen method's axes.
  bool everyMethod = false;
  // The diagrams draw the data in their phase's colour instead of their own.
  bool colourByPhase = false;
  // What the rose diagram counts, and its bins' width [deg].
  RoseOf roseOf = RoseOf::Strike;
  double roseBin = kDefaultRoseBin;
  // The stress magnitudes and pore pressure of the slip and dilation
  // tendency, and the field its diagram shows.
  TendencyChoice tendency{};

  friend bool operator==(const AnalysisChoices& a, const AnalysisChoices& b) {
    return a.densityOf == b.densityOf && a.densityMethod == b.densityMethod &&
           a.method == b.method && a.iterate == b.iterate && a.dihedraPlanes == b.dihedraPlanes &&
           a.everyMethod == b.everyMethod && a.colourByPhase == b.colourByPhase &&
           a.roseOf == b.roseOf && a.roseBin == b.roseBin && a.tendency == b.tendency;
  }
  friend bool operator!=(const AnalysisChoices& a, const AnalysisChoices& b) { return !(a == b); }
};

}  // namespace orniva::analysis
