#include "analysis/stress_methods.h"

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "analysis/stress_summary.h"
#include "analysis/study.h"
#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

using math::Matrix3d;
using math::Vector3d;

Matrix3d Full(const StressTensor& x) {
  return {{{x[0], x[1], x[2]}, {x[1], x[3], x[4]}, {x[2], x[4], -x[0] - x[3]}}};
}

Vector3d Times(const Matrix3d& m, Vector3d v) {
  return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
          m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
          m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

// r x r^T, trace removed.
StressTensor Turned(const Matrix3d& r, const StressTensor& x) {
  const Matrix3d t = Full(x);
  Matrix3d m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k)
        for (int l = 0; l < 3; ++l) m[i][j] += r[i][k] * t[k][l] * r[j][l];
  const double third = (m[0][0] + m[1][1] + m[2][2]) / 3;
  return {m[0][0] - third, m[0][1], m[0][2], m[1][1] - third, m[1][2]};
}

// Principal values -1 (sigma1), 1 (sigma3) and 1 - 2 Phi on the given axes;
// sigma3 is first made perpendicular to sigma1.
StressTensor FromAxes(Vector3d s1, Vector3d s3, double phi) {
  s3 = math::Normalise(s3 - math::Dot(s3, s1) * s1);
  const Vector3d s2 = math::Cross(s3, s1);
  Matrix3d axes = {{{s1.x, s2.x, s3.x}, {s1.y, s2.y, s3.y}, {s1.z, s2.z, s3.z}}};
  const double mean = (1 - 2 * phi) / 3;
  return Turned(axes, {-1 - mean, 0, 0, 1 - 2 * phi - mean, 0});
}

// Random planes slipping along their shear traction under `t`, each slip
// then turned in its plane by up to `noise` degrees.
std::vector<FaultSlip> Faults(const StressTensor& t, int count, double noise, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> normal;
  std::uniform_real_distribution<double> turn(-noise, noise);
  std::vector<FaultSlip> faults;
  for (int i = 0; i < count; ++i) {
    const Vector3d n = math::Normalise({normal(random), normal(random), normal(random)});
    const Vector3d s = math::Normalise(ShearTraction(t, n));
    const double a = turn(random) * M_PI / 180;
    faults.push_back({n, std::cos(a) * s + std::sin(a) * math::Cross(n, s)});
  }
  return faults;
}

std::vector<FaultSlip> RealFaults(const std::string& name) {
  FaultSet data;
  LoadFaultLines(ReadDataFile(std::string(ORNIVA_REALDATA_DIR) + "/" + name).lines, data);
  std::vector<FaultSlip> faults;
  for (const FaultVectors& f : CollectUsedFaults(data).faults) faults.push_back(SlipOf(f));
  return faults;
}

double LargestDifference(const StressTensor& a, const StressTensor& b) {
  double largest = 0;
  for (std::size_t i = 0; i < 5; ++i) largest = std::max(largest, std::fabs(a[i] - b[i]));
  return largest;
}

const StressTensor kKnown = FromAxes(math::LineVector(30, 80), math::LineVector(120, 0), 0.3);
const StressTensor kStrikeSlip = FromAxes(math::LineVector(200, 10), math::LineVector(110, 5), 0.6);

TEST(StressMethods, NoiseFreeDataGiveTheKnownTensorWithItsSign) {
  struct Row {
    StressMethod method;
    bool iterate;
    double tolerance;  // of each element of the reduced tensor
  };
  // Iterated Michael stops while its axes still move by up to 0.01 degrees
  // a round: about 2e-4 in the reduced tensor.
  const Row rows[] = {{StressMethod::Shan, false, 1e-9},
                      {StressMethod::Fry, false, 1e-9},
                      {StressMethod::YamajiSato, false, 1e-9},
                      {StressMethod::Michael, true, 5e-4}};
  for (const Row& row : rows)
    for (const StressTensor& known : {kKnown, kStrikeSlip}) {
      SCOPED_TRACE(StressMethodName(row.method));
      const StressResult r = InvertStress(Faults(known, 40, 0, 5), row.method, row.iterate);
      ASSERT_EQ(r.error, "");
      EXPECT_LT(LargestDifference(ReducedTensor(r.tensor), ReducedTensor(known)), row.tolerance);
    }
}

// A turn of the data turns the results of the methods whose normalisation
// has no preferred frame; Fry's only by a permutation of the axes and
// Shan's only by one that keeps z, the axis its unknowns leave out.
TEST(StressMethods, ResultsTurnWithTheData) {
  const double c = std::cos(0.7), s = std::sin(0.7);
  const Matrix3d general = {{{c, -s, 0}, {s * c, c * c, -s}, {s * s, s * c, c}}};
  const Matrix3d cyclic = {{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}};
  const Matrix3d quarterAboutZ = {{{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}};
  const std::pair<StressMethod, Matrix3d> rows[] = {
      {StressMethod::Michael, general},   {StressMethod::YamajiSato, general},
      {StressMethod::Angelier, general},  {StressMethod::Fry, cyclic},
      {StressMethod::Fry, quarterAboutZ}, {StressMethod::Shan, quarterAboutZ}};
  const std::vector<FaultSlip> faults = RealFaults("angelier1979_tymbaki.fdt");
  for (const auto& [method, r] : rows) {
    SCOPED_TRACE(StressMethodName(method));
    std::vector<FaultSlip> turned;
    for (const FaultSlip& f : faults) turned.push_back({Times(r, f.n), Times(r, f.s)});
    const StressTensor expected = Turned(r, InvertStress(faults, method, false).tensor);
    EXPECT_LT(LargestDifference(InvertStress(turned, method, false).tensor, expected), 1e-9);
  }
}

double S4(const std::vector<FaultSlip>& faults, StressTensor x) {
  x = ReducedTensor(x);  // into Angelier's normalisation, |T|_F^2 = 3/2
  for (double& v : x) v *= std::sqrt(1.5);
  double sum = 0;
  for (const FaultSlip& f : faults) {
    const Vector3d d = std::sqrt(0.75) * f.s - ShearTraction(x, f.n);
    sum += math::Dot(d, d);
  }
  return sum;
}

// No other method's result, no tensor near the minimum and none of many
// spread over the sphere has a smaller S4; in the hard case (every fault
// twice, with opposite slips: g = 0) and near it too.
TEST(StressMethods, AngelierS4MinimumIsGlobal) {
  std::vector<FaultSlip> twice, apart = Faults(kKnown, 12, 10, 3);
  for (const FaultSlip& f : apart) twice.insert(twice.end(), {f, {f.n, -f.s}});     // g = 0 exactly
  for (std::size_t i = 0; i < 12; ++i) apart.push_back({apart[i].n, -apart[i].s});  // nearly
  const std::vector<FaultSlip> sets[] = {RealFaults("angelier1979_tymbaki.fdt"),
                                         RealFaults("jujuy.fdt"), Faults(kKnown, 30, 30, 9), twice,
                                         apart};
  std::mt19937 random(11);
  std::normal_distribution<double> normal;
  for (const std::vector<FaultSlip>& faults : sets) {
    const StressResult r = InvertStress(faults, StressMethod::Angelier, false);
    ASSERT_EQ(r.error, "");
    const double least = S4(faults, r.tensor) * (1 - 1e-12);
    // A zero tensor (Michael's where the slips cancel exactly) is not in the normalisation.
    for (StressMethod other : kStressMethods)
      if (const StressTensor x = InvertStress(faults, other, false).tensor; x != StressTensor{}) {
        EXPECT_GE(S4(faults, x), least);
      }
    for (double scale : {1e-6, 1e-3, 1e-1, 1e3})
      for (int i = 0; i < 5000; ++i) {
        StressTensor x = r.tensor;
        for (double& v : x) v += scale * normal(random);
        ASSERT_GE(S4(faults, x), least) << scale;
      }
  }
}

TEST(StressMethods, RefusalsNameTheMethod) {
  const std::vector<std::string> four = {"10 30 10 30 N", "100 40 100 40 R", "200 50 200 50 N",
                                         "300 60 300 60 R"};
  const std::vector<std::string> onePlane(10, "90 45 90 45 N");
  struct Row {
    StressMethod method;
    const std::vector<std::string>& lines;
    std::string error;
  };
  const Row rows[] = {
      {StressMethod::Shan, four, "Shan's method needs at least 5 faults; 4 given"},
      {StressMethod::Fry, four, "Fry's method needs at least 5 faults; 4 given"},
      {StressMethod::YamajiSato, four, "Yamaji and Sato's method needs at least 5 faults; 4 given"},
      {StressMethod::Angelier, onePlane,
       "Angelier's S4 minimum: the fault planes do not determine the stress (rank below 5)"},
      {StressMethod::Fry, onePlane,
       "Fry's method: the fault planes do not determine the stress (rank below 5)"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(InvertStress(test::DataFromLines(row.lines), row.method, false).error, row.error);
}

TEST(StressSummary, ShMaxCheckValues) {
  const Vector3d s1 = math::LineVector(250.89, 70.07), s3 = math::LineVector(103.01, 17.07);
  const double rows[][2] = {{0, 13.01}, {0.5, 16.47}, {0.9, 45.01}, {1, 70.89}};  // R, SHmax
  for (const auto& [r, shMax] : rows) {
    const StressTensor t = FromAxes(s1, s3, 1 - r);
    EXPECT_NEAR(*ShMax(t), shMax, 0.005) << r;
    EXPECT_NEAR(*ShMin(t), shMax + 90, 0.005) << r;
  }
  EXPECT_FALSE(ShMax(FromAxes({0, 0, -1}, {1, 0, 0}, 0)));  // horizontal stress the same all round
}

TEST(StressSummary, RegimesAtTheirEdges) {
  const std::pair<double, std::string> names[] = {
      {0, "radial extension"},    {0.2499, "radial extension"}, {0.25, "pure extension"},
      {0.75, "transtension"},     {1.25, "pure strike-slip"},   {1.75, "transpression"},
      {2.25, "pure compression"}, {2.7499, "pure compression"}, {2.75, "radial compression"},
      {3, "radial compression"}};
  for (const auto& [rPrime, name] : names) EXPECT_EQ(StressRegimeName(rPrime), name) << rPrime;
  // Phi 0.25 and the plunges of sigma1, 2, 3: sigma3 wins a tie, then sigma2.
  const std::pair<std::array<double, 3>, double> indices[] = {
      {{40, 10, 40}, 2.25}, {{40, 40, 10}, 1.75}, {{50, 30, 20}, 0.25}};
  for (const auto& [p, rPrime] : indices)
    EXPECT_EQ(StressRegimeIndex(0.25, p[0], p[1], p[2]), rPrime) << p[0] << " " << p[2];
  // clang-format off
  const std::pair<std::array<double, 3>, std::string> wsm[] = {
      {{52, 0, 35}, "NF"}, {{51.99, 0, 20}, "NS"}, {{52, 0, 35.01}, "U"},
      {{40, 0, 20}, "NS"}, {{39.99, 44.99, 20}, "U"}, {{40, 0, 20.01}, "U"},
      {{39.99, 45, 20}, "SS"}, {{20, 45, 39.99}, "SS"}, {{20.01, 45, 39.99}, "U"},
      {{20, 44.99, 40}, "TS"}, {{20, 0, 51.99}, "TS"}, {{20.01, 0, 45}, "U"},
      {{20, 0, 52}, "TF"}, {{35, 0, 52}, "TF"}, {{35.01, 0, 52}, "U"},
  };
  // clang-format on
  for (const auto& [p, name] : wsm)
    EXPECT_EQ(WorldStressMapRegime(p[0], p[1], p[2]), name) << p[0] << " " << p[1] << " " << p[2];
}

TEST(StressSummary, AngularDistance) {
  const StressTensor t = kKnown, minus = {-t[0], -t[1], -t[2], -t[3], -t[4]};
  const StressTensor doubled = {2 * t[0], 2 * t[1], 2 * t[2], 2 * t[3], 2 * t[4]};
  EXPECT_NEAR(StressDistance(t, doubled), 0, 1e-6);
  EXPECT_NEAR(StressDistance(t, minus), 180, 1e-6);
  EXPECT_NEAR(StressDistance({1, 0, 0, -1, 0}, {0, 0, 0, 1, 0}), 120, 1e-9);  // diag(0, 1, -1)
}

// Each method's result once per change of the choice; Michael's is the one
// without a choice, byte for byte.
TEST(Study, TheMethodIsAChoice) {
  Study study;
  LoadFaultLines(ReadDataFile(std::string(ORNIVA_REALDATA_DIR) + "/jujuy.fdt").lines, study.data());
  study.DataReplaced();
  EXPECT_EQ(StressCsv(study.Stress()).text, StressCsv(study.data(), false).text);
  study.SetMethod(StressMethod::Fry);
  study.SetMethod(StressMethod::Fry);
  EXPECT_EQ(study.Stress().tensor, InvertStress(study.data(), StressMethod::Fry, false).tensor);
  EXPECT_EQ(study.stressRuns(), 2);
  const std::array<StressResult, 5> every = study.StressByEveryMethod();
  for (std::size_t i = 0; i < every.size(); ++i)
    EXPECT_EQ(every[i].tensor, InvertStress(study.data(), kStressMethods[i], false).tensor);
  EXPECT_EQ(study.stressRuns(), 2);
}

}  // namespace
}  // namespace orniva::analysis
