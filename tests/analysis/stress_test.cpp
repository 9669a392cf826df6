#include "analysis/stress_inversion.h"

#include <cmath>
#include <cstdio>
#include <random>

#include <gtest/gtest.h>

#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

using math::Vector3d;

// A known stress: sigma1 near-vertical, sigma3 north-south, Phi 0.3; the
// deviator of l1 = -1, l3 = 0.8, l2 = l3 + Phi (l1 - l3) on these axes.
const Vector3d kS1 = math::LineVector(30, 80), kS3 = math::Normalise(math::Cross(kS1, {1, 0, 0}));
const std::array<double, 5> kStress = [] {
  const Vector3d axes[3] = {kS1, math::Cross(kS3, kS1), kS3};
  const double l[3] = {-1, 0.8 + 0.3 * (-1 - 0.8), 0.8}, mean = (l[0] + l[1] + l[2]) / 3;
  auto m = [&](double Vector3d::*i, double Vector3d::*j) {
    double sum = 0;
    for (int k = 0; k < 3; ++k) sum += (l[k] - mean) * (axes[k].*i) * (axes[k].*j);
    return sum;
  };
  return std::array<double, 5>{m(&Vector3d::x, &Vector3d::x), m(&Vector3d::x, &Vector3d::y),
                               m(&Vector3d::x, &Vector3d::z), m(&Vector3d::y, &Vector3d::y),
                               m(&Vector3d::y, &Vector3d::z)};
}();

// Random planes slipping along their resolved shear traction, written as
// data lines (N when the slip points down, else R), as a user would file them.
std::vector<std::string> SyntheticLines(int count, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> normal;
  std::vector<std::string> lines;
  while (int(lines.size()) < count) {
    Vector3d n = math::Normalise({normal(random), normal(random), std::fabs(normal(random))});
    const Vector3d s = math::Normalise(ShearTraction(kStress, n));
    const math::TrendPlunge plane = math::LowerHemisphereLine(-n),
                            slip = math::LowerHemisphereLine(s);
    if (plane.plunge < 1 || std::fabs(s.z) < 1e-3) continue;  // keep clear of 0/360 and N/R ties
    char text[96];
    std::snprintf(text, sizeof text, "%.6f %.6f %.6f %.6f %c", std::fmod(plane.trend + 180, 360),
                  90 - plane.plunge, slip.trend, slip.plunge, s.z < 0 ? 'N' : 'R');
    lines.push_back(text);
  }
  return lines;
}

double AxialAngle(math::TrendPlunge a, Vector3d b) {
  const double angle = math::AngleBetween(math::LineVector(a.trend, a.plunge), b);
  return std::min(angle, 180 - angle);
}

TEST(StressInversion, IteratedRecoversAKnownStress) {
  const StressResult r = InvertStress(test::DataFromLines(SyntheticLines(60, 7)), true);
  ASSERT_EQ(r.error, "");
  EXPECT_LT(AxialAngle(r.axes[0], kS1), 0.1);
  EXPECT_LT(AxialAngle(r.axes[2], kS3), 0.1);
  EXPECT_NEAR(r.phi, 0.3, 0.005);
  EXPECT_LT(r.meanBeta, 0.1);
  EXPECT_GT(r.rounds, 1);
  EXPECT_EQ(r.histogram[0], 60);
}

TEST(StressInversion, RefusalsReversedSensesAndSwitchedOutFaults) {
  EXPECT_EQ(InvertStress(
                test::DataFromLines({"10 30 10 30 N", "100 40 100 40 R", "200 50 200 50 N"}), false)
                .error,
            "stress inversion needs at least 4 faults; 3 given");
  const std::vector<std::string> onePlane(10, "90 45 90 45 N");
  EXPECT_EQ(InvertStress(test::DataFromLines(onePlane), true).error,
            "the fault planes do not determine the stress (rank below 5)");
  std::vector<std::string> lines = SyntheticLines(30, 3);
  std::string& last = lines.back();
  last.back() = last.back() == 'N' ? 'R' : 'N';
  const StressResult r = InvertStress(test::DataFromLines(lines), true);
  ASSERT_EQ(r.faults.size(), 30u);
  EXPECT_GT(r.faults.back().beta, 90);
  std::vector<bool> use(31, true);
  use[30] = false;
  const StressResult chosen = InvertStress(test::DataFromLines(lines), true, &use);
  ASSERT_EQ(chosen.faults.size(), 30u);
  EXPECT_EQ(chosen.used, 29);
  EXPECT_FALSE(chosen.faults.back().used);
  EXPECT_GT(chosen.faults.back().beta, 170);  // no say, so nearly opposite
  EXPECT_LT(chosen.meanBeta, 0.1);
}

// angelier1979_tymbaki.fdt (38 normal faults), single pass, against a
// Python script of the formulas run outside the suite: the 114 x 5 system
// solved by modified Gram-Schmidt QR, the axes by its own Jacobi solver.
TEST(StressInversion, RealDataAgainstAnIndependentComputation) {
  const std::string path = std::string(ORNIVA_REALDATA_DIR) + "/angelier1979_tymbaki.fdt";
  FaultSet data;
  LoadFaultLines(ReadDataFile(path).lines, data);
  EXPECT_EQ(StressCsv(data, false).text,
            "s1_trend,s1_plunge,s2_trend,s2_plunge,s3_trend,s3_plunge,phi,r,mean_misfit,n\n"
            "225.85,83.75,63.36,5.97,333.16,1.87,0.1017,0.8983,11.75,38\n");
  const std::string angles = MisfitAnglesCsv(data, false).text;
  EXPECT_EQ(angles.substr(0, 25), "line,beta\n1,20.14\n2,1.35\n");
}

}  // namespace
}  // namespace orniva::analysis
