#include "analysis/tendency.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

// sigma1 vertical, sigma2 north-south, sigma3 east-west.
StressResult Andersonian() {
  StressResult stress;
  stress.axes = {{{0, 90}, {0, 0}, {90, 0}}};
  return stress;
}

// The check planes worked by hand (NaN: not checked). With Pf = 10 the
// plane 090/60 carries the largest Ts: tau / (55 - 10) = Ts_max = 1 / sqrt 3.
TEST(Tendency, CheckPlanes) {
  struct Row {
    double dipDirection, dip, porePressure, sigmaN, tau, ts, tsNormalised, td;
  };
  // clang-format off
  const Row rows[] = {{90, 60, 0, 55.000, 25.981, 0.4724, 0.9959, 0.7500},
                      {45, 50, 0, 70.659, 25.784, 0.3649, NAN, 0.4890},
                      {90, 60, 10, 55.000, 25.981, 0.5774, 1.0000, 0.7500}};
  // clang-format on
  for (const Row& c : rows) {
    const TendencyStress stress =
        MakeTendencyStress({100, 60, 40, c.porePressure}, Andersonian().axes);
    ASSERT_EQ(stress.error, "");
    const double d = c.dipDirection * M_PI / 180, a = c.dip * M_PI / 180;
    const PlaneTendency t = TendencyOnPlane(
        stress, {std::sin(a) * std::sin(d), std::sin(a) * std::cos(d), std::cos(a)});
    SCOPED_TRACE(testing::Message() << c.dipDirection << "/" << c.dip << " Pf " << c.porePressure);
    EXPECT_NEAR(t.sigmaN, c.sigmaN, 5e-4);
    EXPECT_NEAR(t.tau, c.tau, 5e-4);
    EXPECT_NEAR(t.ts, c.ts, 5e-5);
    if (!std::isnan(c.tsNormalised)) {
      EXPECT_NEAR(t.tsNormalised, c.tsNormalised, 5e-5);
    }
    EXPECT_NEAR(t.td, c.td, 5e-5);
  }
}

TEST(Tendency, ReportsOfTheDataInUseAndOfTheGrid) {
  const FaultSet data = test::DataFromLines({"90 60 90 60 N", "400 1 1 1 N", "45 50 45 50 N"});
  const std::vector<bool> use{false, true, true, false};
  EXPECT_EQ(TendencyCsv(FaultTendencies(data, &use, Andersonian(), {100, 60, 40, 0})).text,
            "line,sigma_n,tau,ts,ts_normalised,td\n1,55.0000,25.9808,0.4724,0.9959,0.7500\n");
  const std::string slip = TendencyGridCsv(Andersonian(), {100, 60, 40, 0}, TendencyOf::Slip).text;
  const std::string dilation =
      TendencyGridCsv(Andersonian(), {100, 60, 40, 0}, TendencyOf::Dilation).text;
  // The pole of 090/60, and the poles along sigma2, sigma3 and sigma1.
  EXPECT_NE(slip.find("\n270.00,30.00,0.9959\n"), std::string::npos);
  EXPECT_NE(dilation.find("\n0.00,0.00,0.6667\n"), std::string::npos);
  EXPECT_NE(dilation.find("\n90.00,0.00,1.0000\n"), std::string::npos);
  EXPECT_EQ(dilation.substr(dilation.size() - 19), "\n0.00,90.00,0.0000\n");
  EXPECT_EQ(std::count(slip.begin(), slip.end(), '\n'), 1298);
}

TEST(Tendency, RefusesMagnitudesItCannotUse) {
  struct Row {
    const char *magnitudes, *porePressure, *error;
  };
  // clang-format off
  const Row rows[] = {
      {"40,60,100", "", "the stress magnitudes must be ordered sigma1 >= sigma2 >= sigma3 "
                        "(compression positive); 40, 60, 100 given"},
      {"100,60,40", "40", "the effective sigma3 (sigma3 - pore pressure) must be positive; 40 - 40 given"},
      {"50,50,50", "-1", "sigma1 must exceed sigma3: the tendencies need a differential stress"},
      {"100,60", "", "--magnitudes needs three numbers S1,S2,S3, not '100,60'"},
      {"100,60,40,", "", "--magnitudes needs three numbers S1,S2,S3, not '100,60,40,'"},
      {"1e400,60,40", "", "--magnitudes needs three numbers S1,S2,S3, not '1e400,60,40'"},
      {"100,60,40", "x", "--pore-pressure needs a number, not 'x'"},
      {"1e300,1e299,1e298", "", "the stress magnitudes and the pore pressure must lie within +-1e12"},
      {"100,60,40", "-1e17", "the stress magnitudes and the pore pressure must lie within +-1e12"},
      {"3,2,1", "-1e12", "sigma1 - sigma3 and sigma3 - pore pressure are too small beside the "
                         "magnitudes (1e+12) to be told from 0"},
      {"1e12,5e11,1", "0", ""},
      {"100,60.5,4e1", "-2.5", ""},
  };
  // clang-format on
  for (const Row& c : rows)
    EXPECT_EQ(ParseMagnitudes(c.magnitudes, c.porePressure).error, c.error) << c.magnitudes;
  StressResult refused;
  refused.error = "stress inversion needs at least 4 faults; 1 given";
  EXPECT_EQ(TendencyGridCsv(refused, {3, 2, 1, 0}, TendencyOf::Slip).error, refused.error);
  EXPECT_EQ(FaultTendencies({}, nullptr, Andersonian(), {1, 2, 3, 0}).error,
            ParseMagnitudes("1,2,3", "").error);
}

}  // namespace
}  // namespace orniva::analysis
