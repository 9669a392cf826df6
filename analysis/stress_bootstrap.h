// How well the data fix their stress: bootstrap confidence (Michael 1987).
//
// The N data in use are resampled with replacement B times: a
// std::mt19937_64 seeded by the seed draws each index as
// std::uniform_int_distribution<std::size_t>(0, N - 1), N draws a resample,
// resample after resample, so that a seed gives the same resamples wherever
// it is used. Each resample is inverted by the chosen method and options;
// those whose planes do not fix the stress (rank below 5) are counted and
// skipped. The rest are ranked by their angular distance Theta to the result
// of all the data (ties by the order drawn) and the nearest ceil(c M) of the
// M solved are kept (c the confidence). The confidence region of sigma_k is
// the set of the kept results' sigma_k axes; Phi and R' are given as their
// least and greatest over the kept results, and the region's radius is the
// largest kept Theta.
//
// SHmax is axial (0 and 180 are one azimuth), so its interval is the
// shortest arc that holds every kept SHmax: the circle of 180 degrees less
// its widest empty gap (the gap across 0 preferred on a tie, then the
// first). It runs clockwise from `low`, in [0, 180), to `high`, in
// [low, low + 180): `high` is above 180 when the arc crosses north, so
// 170 to 195 is the 25 degrees about 2.5. Kept results whose SHmax is
// undefined are not in it; it is empty when none has one.
//
// Michael's method is summed from each fault's share of the normal
// equations (analysis/michael_terms.h), weighted by how often the resample
// drew it; the other methods invert the resample's faults themselves. Two
// threads share the work and each resample's arithmetic is its own, so a
// seed gives the same result bit for bit.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/report_format.h"
#include "analysis/stress_inversion.h"
#include "analysis/stress_methods.h"
#include "analysis/stress_summary.h"
#include "data/fault_data.h"
#include "math/vector3d.h"

namespace orniva::analysis {

class Study;

// The data an analysis of the inversion's reliability reads, copied so that
// it may run on another thread: the faults in use (their lines beside them)
// and how they are inverted.
struct InversionSetup {
  std::vector<FaultSlip> faults;
  std::vector<int> lines;
  StressMethod method = StressMethod::Michael;
  bool iterate = false;
};
InversionSetup SetupOf(const FaultSet& data, const std::vector<bool>* use, StressMethod method,
                       bool iterate);
// The study's data in use, method and iterative option.
InversionSetup SetupOf(const Study& study);

// Following a long computation from another thread: it stops soon after
// `cancel` turns true, and calls `report` with the work done of the total
// from the thread that started it.
struct WorkControl {
  const std::atomic<bool>* cancel = nullptr;
  std::function<void(int done, int total)> report;
};

inline constexpr int kMaxResamples = 1000000;

// How the stress-axes diagram draws the confidence region: each kept
// resample's axes as a small symbol, or each axis's region as contour lines
// (analysis/confidence_region.h).
enum class BootstrapRegion { Symbols, Contours };
// The names on the command line: "symbols", "contours".
std::optional<BootstrapRegion> BootstrapRegionNamed(std::string_view name);

struct BootstrapSettings {
  int samples = 2000;        // B, 1 to kMaxResamples
  double confidence = 0.95;  // c, in (0, 1]
  std::uint64_t seed = 1;
  BootstrapRegion region = BootstrapRegion::Symbols;  // drawn only, never computed with
};

// Reads the settings from text; a null text keeps the setting as it is.
// Returns the refusal, empty when every text given is good.
std::string ReadBootstrapSettings(const std::string* samples, const std::string* confidence,
                                  const std::string* seed, BootstrapSettings& settings);

// One kept resample's result.
struct BootstrapSolution {
  StressTensor tensor{};
  std::array<math::TrendPlunge, 3> axes{};  // sigma1, sigma2, sigma3
  double phi = 0, rPrime = 0;
  std::optional<double> shMax;
  double theta = 0;  // to the result of all the data [deg]
  int sample = 0;    // its place in the order drawn, from 0
};

struct ValueRange {
  double low = 0, high = 0;
};

struct StressBootstrap {
  std::string error;  // the data's refusal, or "cancelled"
  BootstrapSettings settings;
  StressMethod method = StressMethod::Michael;
  bool iterate = false;
  int rankDeficient = 0;
  std::vector<BootstrapSolution> kept;  // nearest first
  double thetaRadius = 0;               // [deg]
  ValueRange phi, rPrime;
  std::optional<ValueRange> shMax;  // [deg], see above
};

// The shortest arc that holds every azimuth (in [0, 180)), as above; none
// for none.
std::optional<ValueRange> AxialRange(std::vector<double> azimuths);

StressBootstrap BootstrapStress(const InversionSetup& setup, const BootstrapSettings& settings,
                                const WorkControl& control = {});

// The tensor of one resample, fault i drawn counts[i] times, as the
// bootstrap inverts it; none when its planes do not fix the stress.
std::optional<StressTensor> InvertResample(const InversionSetup& setup,
                                           const std::vector<std::uint32_t>& counts);

// The reports of the command line: `stress-bootstrap` (one row:
// samples,rank_deficient,confidence,theta_radius,phi_low,phi_high,
// r_prime_low,r_prime_high,shmax_low,shmax_high) and `stress-bootstrap
// --solutions` (s1_trend,s1_plunge,s2_trend,s2_plunge,s3_trend,s3_plunge,
// phi,theta per kept resample, nearest first).
CsvReport StressBootstrapCsv(const StressBootstrap& bootstrap);
CsvReport BootstrapSolutionsCsv(const StressBootstrap& bootstrap);

}  // namespace orniva::analysis
