#include "analysis/kinematics.h"

#include <cmath>

#include <gtest/gtest.h>

#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

void ExpectLine(math::TrendPlunge got, double trend, double plunge, double tolerance) {
  // Trends of (near-)vertical lines are arbitrary; compare the vectors.
  EXPECT_LE(
      math::AngleBetween(math::LineVector(got.trend, got.plunge), math::LineVector(trend, plunge)),
      tolerance)
      << got.trend << "/" << got.plunge << " vs " << trend << "/" << plunge;
}

// The check values of the conventions (the reverse and dextral ones in the
// report below), and a striation 10 degrees off its plane.
TEST(Kinematics, CheckValues) {
  struct Row {
    std::string line;
    double misfit;
    double p[2], t[2], b[2];
  };
  // clang-format off
  const Row rows[] = {
      {"90 45 90 45 N", 0, {0, 90}, {90, 0}, {0, 0}},
      {"0 0 90 10 N", 10, {}, {}, {}},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const KinematicsResult r = ComputeKinematics(test::DataFromLines({row.line}));
    ASSERT_EQ(r.faults.size(), 1u);
    EXPECT_NEAR(r.faults[0].misfit, row.misfit, 1e-4);
    if (row.misfit != 0) continue;
    ExpectLine(r.faults[0].p, row.p[0], row.p[1], 1e-4);
    ExpectLine(r.faults[0].t, row.t[0], row.t[1], 1e-4);
    ExpectLine(r.faults[0].b, row.b[0], row.b[1], 1e-4);
  }
}

// One report row per datum used, by its line; the lateral flag carried over
// (which data are used, and the flag itself, are the fault vectors' tests').
TEST(Kinematics, UsesTheDataThatPassedAndFlagsLateralSensesOnDipSlip) {
  const KinematicsResult r =
      ComputeKinematics(test::DataFromLines({"90 45 90 45 N", "90 45 90 45 S"}));
  ASSERT_EQ(r.faults.size(), 2u);
  EXPECT_TRUE(r.faults[1].lateralOnDipSlip && !r.faults[0].lateralOnDipSlip);
  EXPECT_EQ(
      KinematicsCsv(test::DataFromLines({"90 45 90 45 R", "400 1 1 1 N", "90 90 0 0 D"})).text,
      "line,misfit,p_trend,p_plunge,t_trend,t_plunge,b_trend,b_plunge\n"
      "1,0.00,90.00,0.00,0.00,90.00,180.00,0.00\n"
      "3,0.00,45.00,0.00,135.00,0.00,0.00,90.00\n");
  EXPECT_EQ(KinematicsCsv(test::DataFromLines({"400 45 90 45 N"})).error, kNoUsableData);
  EXPECT_EQ(BinghamCsv(test::DataFromLines({})).error, kNoUsableData);
}

// jujuy.fdt (58 faults, all four senses), against values computed outside
// the suite by a Python script of the formulas of the conventions (pure
// Python, its own Jacobi eigen-solver), from the file's decimal text.
TEST(Kinematics, RealDataAgainstAnIndependentComputation) {
  const std::string path = std::string(ORNIVA_REALDATA_DIR) + "/jujuy.fdt";
  FaultSet data;
  LoadFaultLines(ReadDataFile(path).lines, data);
  const KinematicsResult r = ComputeKinematics(data);
  ASSERT_EQ(r.faults.size(), 58u);
  struct Row {
    int line;
    double misfit, p[2], t[2], b[2];
  };
  // clang-format off
  const Row rows[] = {
      {1, 0.24, {114.24, 9.03}, {226.97, 67.64}, {20.88, 20.27}},
      {14, 0.23, {289.35, 8.97}, {26.04, 36.47}, {187.65, 52.08}},   // D
      {20, 0.42, {207.02, 12.32}, {96.24, 58.38}, {303.86, 28.61}},  // S
      {58, 0.00, {288.00, 40.00}, {108.00, 50.00}, {18.00, 0.00}},   // N
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const KinematicAxes& f = r.faults[std::size_t(row.line - 1)];
    EXPECT_NEAR(f.misfit, row.misfit, 0.006);
    ExpectLine(f.p, row.p[0], row.p[1], 0.01);
    ExpectLine(f.t, row.t[0], row.t[1], 0.01);
    ExpectLine(f.b, row.b[0], row.b[1], 0.01);
  }
  EXPECT_EQ(BinghamCsv(data).text,
            "axis,trend,plunge,eigenvalue\nT,354.25,86.76,17.2431\nB,190.73,3.10,-2.2074\n"
            "P,100.68,0.92,-15.0356\n");
}

}  // namespace
}  // namespace orniva::analysis
