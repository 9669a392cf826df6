// A given stress and the stresses on each plane in Angelier's
// normalisation (the Mohr diagram's values).
#include <gtest/gtest.h>

#include "analysis/given_stress.h"
#include "analysis/mohr.h"
#include "analysis/study.h"
#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

// sigma1 vertical, sigma3 east-west, Phi 1/2: T = diag(l, 0, -l) with
// lambda = sqrt(3)/2. The plane 090/45 slips down its dip with |tau| =
// lambda (RUP 0); 090/60 with |tau| = 3/4 and sigma_n = -sqrt(3)/4
// (RUP 100 (1 - (3/4) / lambda)); the reverse sense on 090/45 is driven
// backwards (tau_s = -lambda, RUP 200, ANG 180).
TEST(Mohr, ValuesOfPlanesWorkedByHand) {
  const FaultSet data = test::DataFromLines({"90 45 90 45 N", "90 60 90 60 N", "90 45 90 45 R"});
  const StressResult given = GivenStressResult(data, {{0, 90}, {90, 0}, 0.5});
  const MohrResult mohr = MohrOf(data, given);
  EXPECT_EQ(MohrCsv(mohr).text,
            "line,sigma_n,tau,tau_slip,rup,ang\n"
            "1,0.0000,0.8660,0.8660,0.0000,0.00\n"
            "2,-0.4330,0.7500,0.7500,13.3975,0.00\n"
            "3,0.0000,0.8660,-0.8660,200.0000,180.00\n");
  EXPECT_NEAR(mohr.principal[0], kAngelierLambda, 1e-12);
  EXPECT_NEAR(mohr.principal[2], -kAngelierLambda, 1e-12);
  std::vector<bool> use = {true, true, false, true};  // switched out: no row
  EXPECT_EQ(MohrCsv(MohrOf(data, GivenStressResult(data, {{0, 90}, {90, 0}, 0.5}, &use)))
                .text.find("\n2,"),
            std::string::npos);
}

TEST(GivenStress, RefusedBeyondOneDegreeFromPerpendicularOrPhiOutsideZeroToOne) {
  // clang-format off
  const struct { GivenStress given; const char* refusal; } rows[] = {
      {{{0, 0}, {90.99, 0}, 0.5}, ""},
      {{{0, 0}, {89.01, 0}, 0.5}, ""},
      {{{0, 0}, {91.01, 0}, 0.5}, "sigma1 and sigma3 are 1.01 degrees off perpendicular (at most 1)"},
      {{{0, 0}, {88.99, 0}, 0.5}, "sigma1 and sigma3 are 1.01 degrees off perpendicular (at most 1)"},
      {{{0, 0}, {90, 0}, 0}, ""},
      {{{0, 0}, {90, 0}, 1}, ""},
      {{{0, 0}, {90, 0}, -0.01}, "Phi must lie in [0, 1]"},
      {{{0, 0}, {90, 0}, 1.01}, "Phi must lie in [0, 1]"},
      {{{0, 90.5}, {90, 0}, 1}, "a given axis needs a trend in [0, 360] and a plunge in [0, 90]"},
  };
  // clang-format on
  const FaultSet data = test::DataFromLines({"90 45 90 45 N"});
  for (const auto& row : rows) {
    const StressResult result = GivenStressResult(data, row.given);
    EXPECT_EQ(result.error, row.refusal) << row.given.sigma3.trend << " " << row.given.phi;
    if (!result.error.empty()) continue;
    EXPECT_NEAR(result.axes[2].trend, 90, 1e-9);  // sigma3 made perpendicular to sigma1
    EXPECT_EQ(result.phi, row.given.phi);
  }
}

TEST(GivenStress, ReadFromFiveNumbers) {
  EXPECT_EQ(GivenStressNamed("10.5,20,100.5,0,0.25"), (GivenStress{{10.5, 20}, {100.5, 0}, 0.25}));
  for (const char* bad : {"10,20,100,0", "10,20,100,0,0.5,1", "10,20,,0,0.5", "10,20,100,0,x"})
    EXPECT_FALSE(GivenStressNamed(bad)) << bad;
}

// The study's own inversion given back as sigma1, sigma3 and Phi: the same
// betas, and the study's views read it until it is taken away.
TEST(GivenStress, TheInversionsAxesAndPhiReproduceItsBetas) {
  Study study;
  LoadFaultLines(ReadDataFile(std::string(ORNIVA_REALDATA_DIR) + "/jujuy.fdt").lines, study.data());
  study.DataReplaced();
  const StressResult inverted = study.Stress();
  study.SetGivenStress(GivenStress{inverted.axes[0], inverted.axes[2], inverted.phi});
  const StressResult& given = study.StressInView();
  ASSERT_EQ(given.faults.size(), inverted.faults.size());
  for (std::size_t i = 0; i < given.faults.size(); ++i)
    EXPECT_NEAR(given.faults[i].beta, inverted.faults[i].beta, 1e-6) << i;
  EXPECT_NEAR(given.meanBeta, inverted.meanBeta, 1e-6);
  study.SetGivenStress(std::nullopt);
  EXPECT_EQ(&study.StressInView(), &study.Stress());
}

}  // namespace
}  // namespace orniva::analysis
