#include "analysis/separation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <random>

#include <gtest/gtest.h>

#include "analysis/candidate_scores.h"
#include "analysis/stress_summary.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

using math::Vector3d;

// A known stress: principal values -1 (sigma1), 1 - 2 Phi and 1 (sigma3)
// on the axes given by trend and plunge, trace removed.
struct Known {
  double t1, p1, t3, p3, phi;

  Vector3d S1() const { return math::LineVector(t1, p1); }
  Vector3d S3() const { return math::LineVector(t3, p3); }
  StressTensor Tensor() const {
    const Vector3d axes[3] = {S1(), math::Cross(S3(), S1()), S3()};
    const double mean = (1 - 2 * phi) / 3, l[3] = {-1 - mean, 1 - 2 * phi - mean, 1 - mean};
    auto m = [&](double Vector3d::*i, double Vector3d::*j) {
      double sum = 0;
      for (int k = 0; k < 3; ++k) sum += l[k] * (axes[k].*i) * (axes[k].*j);
      return sum;
    };
    return {m(&Vector3d::x, &Vector3d::x), m(&Vector3d::x, &Vector3d::y),
            m(&Vector3d::x, &Vector3d::z), m(&Vector3d::y, &Vector3d::y),
            m(&Vector3d::y, &Vector3d::z)};
  }
};

// Normal, strike-slip and thrust faulting on the same three axes, each
// pair 120 degrees apart (Theta), and normal faulting with another Phi.
const Known kNormal{0, 90, 90, 0, 0.5}, kStrikeSlip{90, 0, 0, 0, 0.5}, kThrust{0, 0, 0, 90, 0.5},
    kNormalPhi03{0, 90, 90, 0, 0.3};

// Random planes slipping along their shear traction under `stress`, each
// slip turned in its plane by up to `noise` degrees, as data lines.
void AddFaults(const Known& stress, int count, double noise, std::mt19937& random,
               std::vector<std::string>& lines) {
  std::normal_distribution<double> normal;
  std::uniform_real_distribution<double> turn(-noise * M_PI / 180, noise * M_PI / 180);
  for (int added = 0; added < count;) {
    const Vector3d n = math::Normalise({normal(random), normal(random), std::fabs(normal(random))});
    const Vector3d wb = math::Normalise(ShearTraction(stress.Tensor(), n));
    const double a = turn(random);
    const Vector3d s = std::cos(a) * wb + std::sin(a) * math::Cross(n, wb);
    const math::TrendPlunge pole = math::LowerHemisphereLine(-n),
                            slip = math::LowerHemisphereLine(s);
    if (pole.plunge < 1 || std::fabs(s.z) < 1e-3) continue;  // clear of 0/360 and N/R ties
    char text[96];
    std::snprintf(text, sizeof text, "%.6f %.6f %.6f %.6f %c", std::fmod(pole.trend + 180, 360),
                  90 - pole.plunge, slip.trend, slip.plunge, s.z < 0 ? 'N' : 'R');
    lines.push_back(text);
    ++added;
  }
}

double AxialAngle(math::TrendPlunge a, Vector3d b) {
  const double angle = math::AngleBetween(math::LineVector(a.trend, a.plunge), b);
  return std::min(angle, 180 - angle);
}

SeparationOptions Quick() {
  SeparationOptions options;
  options.candidates = 20000;
  return options;
}

// The score of a few tensors, wider and narrower, against its definition
// computed in double precision; 13 faults leave part of a block empty.
TEST(CandidateScores, AgreeWithTheirDefinition) {
  std::mt19937 random(3);
  std::normal_distribution<double> normal;
  std::vector<FaultSlip> faults;
  for (int i = 0; i < 13; ++i) {
    const Vector3d n = math::Normalise({normal(random), normal(random), normal(random)});
    const Vector3d s = math::Cross(n, math::Normalise({normal(random), normal(random), 0.3}));
    faults.push_back({n, math::Normalise(s)});
  }
  for (const double width : {2.0, 15.0, 40.0}) {
    const CandidateScorer scorer(faults, width);
    for (int k = 0; k < 20; ++k) {
      const CandidateTensor x{float(normal(random)), float(normal(random)), float(normal(random)),
                              float(normal(random)), float(normal(random))};
      double expected = 0, score = 0;
      for (const FaultSlip& f : faults) {
        const double beta =
            math::AngleBetween(f.s, ShearTraction({x[0], x[1], x[2], x[3], x[4]}, f.n));
        expected += std::exp(-beta * beta / (2 * width * width));
      }
      scorer.Score(&x, 1, &score);
      EXPECT_NEAR(score, expected, 1e-6 * double(faults.size()));
    }
  }
}

struct Mixture {
  std::vector<Known> stresses;
  std::vector<int> counts;
};

// The lines of `mixture` (5 degrees of noise) and each line's stress.
std::vector<std::string> LinesOf(const Mixture& mixture, std::vector<std::size_t>& stressOf) {
  std::mt19937 random(11);
  std::vector<std::string> lines;
  for (std::size_t k = 0; k < mixture.stresses.size(); ++k) {
    AddFaults(mixture.stresses[k], mixture.counts[k], 5, random, lines);
    stressOf.resize(lines.size(), k);
  }
  return lines;
}

// Each known stress found as a phase, with at least 80 per cent of its
// faults.
void ExpectRecovered(const Mixture& mixture, const std::vector<std::size_t>& stressOf,
                     const SeparationResult& r) {
  ASSERT_EQ(r.phases.size(), mixture.stresses.size());
  for (std::size_t k = 0; k < mixture.stresses.size(); ++k) {
    const Known& known = mixture.stresses[k];
    std::size_t phase = 0;
    for (std::size_t p = 1; p < r.phases.size(); ++p)
      if (StressDistance(r.phases[p].tensor, known.Tensor()) <
          StressDistance(r.phases[phase].tensor, known.Tensor()))
        phase = p;
    EXPECT_LT(AxialAngle(r.phases[phase].axes[0], known.S1()), 5) << k;
    EXPECT_LT(AxialAngle(r.phases[phase].axes[2], known.S3()), 5) << k;
    EXPECT_NEAR(r.phases[phase].phi, known.phi, 0.1) << k;
    int own = 0;
    for (std::size_t i = 0; i < stressOf.size(); ++i)
      own += stressOf[i] == k && r.faults[i].phase == int(phase + 1);
    EXPECT_GE(own, 0.8 * mixture.counts[k]) << k;
  }
}

TEST(Separation, RecoversMixedStressesWhateverTheOrderOfTheLines) {
  const Mixture mixtures[] = {{{kNormalPhi03}, {50}},
                              {{kNormalPhi03, kThrust}, {50, 40}},
                              {{kNormal, kStrikeSlip, kThrust}, {60, 40, 30}}};
  for (const Mixture& mixture : mixtures) {
    SCOPED_TRACE(mixture.stresses.size());
    std::vector<std::size_t> stressOf;
    std::vector<std::string> lines = LinesOf(mixture, stressOf);
    const SeparationResult r = SeparatePhases(test::DataFromLines(lines), Quick());
    ExpectRecovered(mixture, stressOf, r);
    for (const SeparatedFault& f : r.faults)  // `also`: other phases only
      EXPECT_EQ(std::count(f.also.begin(), f.also.end(), f.phase), 0);
    std::vector<std::size_t> order(lines.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(2));
    std::vector<std::string> shuffled;
    for (std::size_t i : order) shuffled.push_back(lines[i]);
    const SeparationResult s = SeparatePhases(test::DataFromLines(shuffled), Quick());
    ASSERT_EQ(s.phases.size(), r.phases.size());
    for (std::size_t p = 0; p < r.phases.size(); ++p)
      EXPECT_EQ(s.phases[p].tensor, r.phases[p].tensor);
    for (std::size_t i = 0; i < order.size(); ++i) {
      EXPECT_EQ(s.faults[i].phase, r.faults[order[i]].phase);
      EXPECT_EQ(s.faults[i].also, r.faults[order[i]].also);
    }
  }
}

TEST(Separation, DataInUseProgressAndCancel) {
  std::vector<std::size_t> stressOf;
  const FaultSet data = test::DataFromLines(LinesOf({{kNormal, kThrust}, {20, 20}}, stressOf));
  std::vector<bool> use(41, true);
  use[7] = use[40] = false;
  std::vector<double> shares;
  SeparationControl control;
  control.progress = [&](double share) { shares.push_back(share); };
  const SeparationResult r = SeparatePhases(data, Quick(), &use, control);
  ASSERT_EQ(r.faults.size(), 38u);
  EXPECT_EQ(r.faults[6].line, 8);
  EXPECT_EQ(r.faults.back().line, 39);
  EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
  EXPECT_GT(shares.front(), 0);
  std::atomic<bool> cancel{false};
  control = {&cancel, [&](double) { cancel = true; }};
  const SeparationResult cancelled = SeparatePhases(data, Quick(), &use, control);
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_TRUE(cancelled.phases.empty());
  EXPECT_EQ(SeparationCsv(cancelled).error, "the separation was cancelled");
}

TEST(Separation, Refusals) {
  SeparationOptions options;
  EXPECT_EQ(SeparatePhases(test::DataFromLines({"400 45 90 45 N"}), options).error, kNoUsableData);
  const std::vector<std::string> four = {"10 30 10 30 N", "100 40 100 40 R", "200 50 200 50 N",
                                         "300 60 300 60 N"};
  EXPECT_EQ(SeparatePhases(test::DataFromLines(four), options).error,
            "separation needs at least 5 faults; 4 given");
  options.candidates = 2000;  // five identical faults determine no stress: no phase
  EXPECT_EQ(
      SeparatePhases(test::DataFromLines(std::vector<std::string>(5, "90 45 90 45 N")), options)
          .error,
      "the fault planes do not determine the stress (rank below 5)");
  const std::pair<void (*)(SeparationOptions&), const char*> bad[] = {
      {[](SeparationOptions& o) { o.maxPhases = 0; }, "the most phases must be at least 1"},
      {[](SeparationOptions& o) { o.cut = 0; }, "the cut must be above 0 and at most 180 degrees"},
      {[](SeparationOptions& o) { o.cut = 180.5; },
       "the cut must be above 0 and at most 180 degrees"},
      {[](SeparationOptions& o) { o.width = 0; },
       "the width must be above 0 and at most 180 degrees"},
      {[](SeparationOptions& o) { o.candidates = 0; }, "the candidates must number 1 to 10000000"},
      {[](SeparationOptions& o) { o.candidates = kMaxCandidates + 1; },
       "the candidates must number 1 to 10000000"},
  };
  for (const auto& [change, error] : bad) {
    options = {};
    change(options);
    EXPECT_EQ(SeparationOptionsError(options), error);
  }
}

// The reports: phase 0 for a datum of no phase, other phases joined by ';',
// each phase's lines and colour as proposed.
TEST(Separation, ReportsAndProposals) {
  SeparationResult r;
  r.phases.resize(3);
  for (std::size_t p = 0; p < 3; ++p) {
    r.phases[p].faults = {{4, 10, p == 0}, {9, 10, p == 1}, {12, 40, false}};
    r.phases[p].used = 1;
  }
  r.faults = {{4, 1, {2, 3}}, {9, 2, {}}, {12, 0, {}}};
  EXPECT_EQ(SeparationAssignmentsCsv(r).text, "line,phase,also\n4,1,2;3\n9,2,\n12,0,\n");
  const std::string phases = SeparationCsv(r).text;
  EXPECT_EQ(std::count(phases.begin(), phases.end(), '\n'), 4);
  EXPECT_EQ(phases.substr(phases.find('\n') + 1, 4), "1,1,");
  const std::vector<ProposedPhase> proposed = ProposedPhases(r);
  ASSERT_EQ(proposed.size(), 3u);
  EXPECT_EQ(proposed[1].name, "Phase 2");
  EXPECT_EQ(proposed[1].lines, std::vector<int>{9});
  EXPECT_TRUE(proposed[2].lines.empty());
  EXPECT_NE(proposed[0].colour, proposed[1].colour);
  EXPECT_NE(proposed[1].colour, proposed[2].colour);
}

}  // namespace
}  // namespace orniva::analysis
