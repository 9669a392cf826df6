// Separation of a mixed population of faults into phases: each proposed
// phase is a stress and the data it explains, for the user to accept, edit
// or reject as phases of the curation.
//
// 1. Candidates: M reduced stress tensors uniform on the unit sphere of the
//    trace-free tensors, each a Gaussian 5-vector (std::normal_distribution
//    fed by std::mt19937_64 seeded with the user's seed) normalised, in the
//    orthonormal basis (xx - yy) / sqrt2, (xx + yy - 2 zz) / sqrt6,
//    (xy + yx) / sqrt2, (xz + zx) / sqrt2, (yz + zy) / sqrt2.
// 2. The score of a candidate over the data not yet assigned:
//    F = sum exp(-beta_i^2 / (2 w^2)), beta in [0, 180] (candidate_scores.h).
// 3. The best candidate refined by Michael's inversion of the data not yet
//    assigned with the weights exp(-beta_i^2 / (2 w^2)), iterated: each
//    solution takes the weights and, as Michael's iterative option does,
//    the shear traction magnitudes |tau_i| (the slips' lengths) from the
//    one before, until the principal axes move by less than 0.01 degrees
//    (at most 100 solutions). Without the magnitudes the equal shear
//    traction of Michael's method biases the axes by several degrees.
// 4. The data with beta < cut join the phase. Repeat from 2 on the rest
//    until fewer than 5 data remain or the most phases were found. A datum
//    within the cut of a phase besides its own is reported as compatible
//    with that one too.
// Each candidate's score over the data not yet assigned is kept as its
// score over every datum in use less its scores over the phases found.
// The data are taken in the order of their vectors, not of their lines, and
// a tie of scores goes to the candidate first in the order of its
// components: the order of the lines never changes the result. The
// candidates are scored on two threads, each score computed whole by one
// of them, so the result is that of a single thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "analysis/report_format.h"
#include "analysis/stress_inversion.h"
#include "data/fault_data.h"
#include "platform/graphics.h"

namespace orniva::analysis {

struct SeparationOptions {
  int maxPhases = 3;
  double cut = 30;    // [deg]
  double width = 15;  // w [deg]
  std::int64_t candidates = 1000000;
  std::uint64_t seed = 1;
};

// The most candidates a search may draw (they are kept in memory).
inline constexpr std::int64_t kMaxCandidates = 10000000;
// The fewest data a search starts from.
inline constexpr int kFewestToSeparate = 5;

// Why `options` cannot be used, e.g. "the cut must be above 0 and at most
// 180 degrees"; empty when they can.
std::string SeparationOptionsError(const SeparationOptions& options);

// A search's link to whoever waits for it; both optional.
struct SeparationControl {
  // Set, from any thread, to stop the search: it then returns `cancelled`.
  const std::atomic<bool>* cancel = nullptr;
  // The share of the search done, 0 to 1, called on the caller's thread.
  std::function<void(double)> progress;
};

// A datum's place in the proposal: its phase (1-based; 0 none) and the
// other phases within whose cut it lies.
struct SeparatedFault {
  int line = 0;
  int phase = 0;
  std::vector<int> also;
};

struct SeparationResult {
  std::string error;  // a refusal: no usable data, too few, bad options
  bool cancelled = false;
  // Each phase's stress: its `faults` are every datum that passed its
  // checks, with its beta under this stress and `used` for those of the
  // phase; `used` counts them and `rounds` the refining solutions.
  std::vector<StressResult> phases;
  std::vector<SeparatedFault> faults;  // the data in use, in line order
  std::vector<int> leftOut;            // lines that failed a check
  int used = 0;                        // data in use
};

// Separates the data that passed every check and are in `use` (by line,
// index 0 unused; null: all of them, as InvertStress takes it).
SeparationResult SeparatePhases(const FaultSet& data, const SeparationOptions& options,
                                const std::vector<bool>* use = nullptr,
                                const SeparationControl& control = {});

// The reports of the command line: `separate` (one row per phase:
// phase,n,s1_trend,s1_plunge,s2_trend,s2_plunge,s3_trend,s3_plunge,phi,
// mean_misfit) and `separate --assignments` (line,phase,also per datum in
// use; `also` the other phases separated by ';'). A refusal sets `error`.
CsvReport SeparationCsv(const SeparationResult& result);
CsvReport SeparationAssignmentsCsv(const SeparationResult& result);

// A phase as proposed to the curation: a name, a colour to draw it in, its
// lines and its stress.
struct ProposedPhase {
  std::string name;
  TColor colour = 0;
  std::vector<int> lines;
  StressResult result;
};
// The phases of `result` as proposals, named "Phase 1", "Phase 2", ... in
// colours that stay apart.
std::vector<ProposedPhase> ProposedPhases(const SeparationResult& result);

}  // namespace orniva::analysis
