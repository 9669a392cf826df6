// The influence of each datum on the stress result: for every datum in use,
// the angular distance Theta between the result of all the data and the
// result without it (the same method and options), and its misfit beta
// under the result without it.
//
// For Michael's single pass the normal equations without a datum are those
// of all the data less its share (a downdate, analysis/michael_terms.h), so
// all N results cost about one inversion's assembly and N 5 x 5 solutions.
// The iterated option and the other methods invert the other N - 1 data
// afresh for every datum: about N inversions, shared by two threads.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/report_format.h"
#include "analysis/stress_bootstrap.h"

namespace orniva::analysis {

struct LeftOut {
  int line = 0;
  // Empty where the other data do not fix the stress.
  std::optional<double> theta, beta;  // [deg]
};

struct LeaveOneOut {
  std::string error;          // the refusal of all the data, or "cancelled"
  std::vector<LeftOut> data;  // in the order of the setup's faults
};

LeaveOneOut LeaveEachOut(const InversionSetup& setup, const WorkControl& control = {});

// The report of the command line, `leave-one-out`: line,theta,beta per
// datum in use (empty where the others do not fix the stress).
CsvReport LeaveOneOutCsv(const LeaveOneOut& result);

}  // namespace orniva::analysis
