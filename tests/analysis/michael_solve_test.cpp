// Michael's solve against an independent least-squares solution (an SVD of
// the stacked design matrix, tests/support/least_squares.h): on draws with
// duplicates from every real data set, in any order of the lines, through
// the bootstrap's summed shares and through an inversion of the faults.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>

#include "analysis/michael_terms.h"
#include "analysis/stress_bootstrap.h"
#include "data/fault_reader.h"
#include "tests/support/least_squares.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

// Draws the independent solution fixes well are solved; those it finds of
// rank 4 to rounding are refused; between the two either may happen.
constexpr double kWellFixed = 1e-8, kRankFour = 1e-13;

// The 11 faults of one site of the Kettleman Hills set that the elimination
// with row swaps got wrong.
const std::vector<std::string> kElevenFaults = {
    "287 77 8.05 33.98 D",  "287 77 8.05 33.98 D",   "287 77 8.05 33.98 D",   "287 77 8.05 33.98 D",
    "287 77 8.05 33.98 D",  "285 65 355.47 35.63 D", "285 65 355.47 35.63 D", "291 75 6.49 43.08 N",
    "312 59 348.7 53.15 N", "184 70 140.47 63.34 N", "184 70 140.47 63.34 N"};

std::vector<std::string> RealDataSets() {
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::directory_iterator(ORNIVA_REALDATA_DIR))
    if (entry.path().extension() == ".fdt") paths.push_back(entry.path().string());
  std::sort(paths.begin(), paths.end());
  return paths;
}

double RelativeDifference(const StressTensor& a, const StressTensor& b) {
  double difference = 0, length = 0;
  for (std::size_t k = 0; k < 5; ++k) {
    difference += (a[k] - b[k]) * (a[k] - b[k]);
    length += b[k] * b[k];
  }
  return std::sqrt(difference / length);
}

// The product's tensor against the independent one: the normal equations
// met and the same tensor (to rounding, which grows with the condition of
// the normal equations, 1 / smallestShare), or both refusing.
void ExpectLeastSquares(const std::optional<StressTensor>& x, const test::LeastSquaresStress& svd) {
  if (svd.smallestShare > kWellFixed) {
    ASSERT_TRUE(x && svd.x) << svd.smallestShare;
    EXPECT_LE(test::NormalResidual(svd, *x), 1e-10);
    EXPECT_LE(RelativeDifference(*x, *svd.x), 1e-14 / svd.smallestShare);
  } else if (svd.smallestShare < kRankFour) {
    EXPECT_FALSE(x) << svd.smallestShare;
  }
}

// Thousands of draws of 6 to 40 faults with duplicates from 15 neighbouring
// lines (a site's clustered planes), solved from the bootstrap's shares
// weighted by the counts and from the drawn faults in the order drawn.
TEST(MichaelSolve, EqualsTheLeastSquaresSolutionOfRealDataDraws) {
  std::mt19937 random(39);
  int solved = 0, draws = 0;
  for (const std::string& path : RealDataSets()) {
    SCOPED_TRACE(path);
    const FaultSet data = test::DataFromLines(ReadDataFile(path).lines);
    const InversionSetup setup = SetupOf(data, nullptr, StressMethod::Michael, false);
    const std::size_t n = setup.faults.size(), window = std::min<std::size_t>(15, n);
    for (int d = 0; d < 400; ++d, ++draws) {
      const std::size_t first = std::uniform_int_distribution<std::size_t>(0, n - window)(random);
      std::uniform_int_distribution<std::size_t> pick(first, first + window - 1);
      std::vector<std::uint32_t> counts(n, 0);
      std::vector<FaultSlip> drawn;
      for (int k = std::uniform_int_distribution<int>(6, 40)(random); k > 0; --k) {
        const std::size_t i = pick(random);
        ++counts[i];
        drawn.push_back(setup.faults[i]);
      }
      const test::LeastSquaresStress svd =
          test::StressBySvd(setup.faults, std::vector<double>(counts.begin(), counts.end()));
      ExpectLeastSquares(InvertResample(setup, counts), svd);
      const StressResult inverted = InvertStress(drawn, StressMethod::Michael, false);
      ExpectLeastSquares(inverted.error.empty() ? std::optional(inverted.tensor) : std::nullopt,
                         svd);
      solved += svd.smallestShare > kWellFixed;
    }
  }
  EXPECT_GT(solved, draws / 2);
}

// Every real data set whole, its lines in a shuffled order.
TEST(MichaelSolve, EqualsTheLeastSquaresSolutionOfWholeSetsInAnyOrder) {
  std::mt19937 random(41);
  for (const std::string& path : RealDataSets()) {
    SCOPED_TRACE(path);
    std::vector<std::string> lines = ReadDataFile(path).lines;
    std::shuffle(lines.begin(), lines.end(), random);
    const InversionSetup setup =
        SetupOf(test::DataFromLines(lines), nullptr, StressMethod::Michael, false);
    const StressResult r = InvertStress(setup.faults, StressMethod::Michael, false);
    ExpectLeastSquares(r.error.empty() ? std::optional(r.tensor) : std::nullopt,
                       test::StressBySvd(setup.faults, std::vector<double>(lines.size(), 1)));
  }
}

TEST(MichaelSolve, TheSiteTheRowSwapsGotWrong) {
  EXPECT_EQ(StressCsv(test::DataFromLines(kElevenFaults), false).text,
            "s1_trend,s1_plunge,s2_trend,s2_plunge,s3_trend,s3_plunge,phi,r,mean_misfit,n\n"
            "57.20,76.18,251.09,13.43,160.32,3.20,0.4930,0.5070,5.58,11\n");
}

// A positive definite system on which elimination with partial pivoting
// swaps rows in every column (pivots in rows 1, 2, 3 and 4).
TEST(MichaelSolve, SolvesASystemThatPivotsInEveryColumn) {
  const double h[5][5] = {
      {1, 2, -1, -1, 0}, {2, 6, -1, -4, 0}, {-1, -1, 7, 2, 0}, {-1, -4, 2, 10, 5}, {0, 0, 0, 5, 4}};
  const std::array<double, 5> x = {1, 2, 3, 4, 5};
  MichaelTerm sums;
  std::size_t m = 0;
  for (std::size_t j = 0; j < 5; ++j) {
    for (std::size_t k = 0; k < 5; ++k) sums.g[j] += h[j][k] * x[k];
    for (std::size_t k = j; k < 5; ++k) sums.h[m++] = h[j][k];
  }
  const MichaelSolution solution = SolveMichael(sums, {}, {}, false);
  ASSERT_TRUE(solution.x);
  for (std::size_t k = 0; k < 5; ++k) EXPECT_NEAR((*solution.x)[k], x[k], 1e-12);
}

// The bootstrap's radius of a small clustered site equals the radius found
// resample by resample with the independent solution: the same draws, the
// same resamples of rank 4, the nearest 95 % by Theta.
TEST(MichaelSolve, BootstrapRadiusOfAClusteredSiteIsTheLeastSquaresOne) {
  const InversionSetup setup =
      SetupOf(test::DataFromLines(kElevenFaults), nullptr, StressMethod::Michael, false);
  const std::size_t n = setup.faults.size();
  const StressBootstrap b = BootstrapStress(setup, {2000, 0.95, 1});
  ASSERT_EQ(b.error, "");
  const StressTensor all = *test::StressBySvd(setup.faults, std::vector<double>(n, 1)).x;
  std::mt19937_64 engine(1);
  std::uniform_int_distribution<std::size_t> pick(0, n - 1);
  std::vector<double> thetas;
  int rankFour = 0;
  for (int resample = 0; resample < 2000; ++resample) {
    std::vector<double> counts(n, 0);
    for (std::size_t k = 0; k < n; ++k) ++counts[pick(engine)];
    const test::LeastSquaresStress svd = test::StressBySvd(setup.faults, counts);
    ASSERT_TRUE(svd.smallestShare > kWellFixed || svd.smallestShare < kRankFour);
    if (svd.smallestShare < kRankFour)
      ++rankFour;
    else
      thetas.push_back(StressDistance(*svd.x, all));
  }
  std::sort(thetas.begin(), thetas.end());
  EXPECT_EQ(b.rankDeficient, rankFour);
  EXPECT_NEAR(b.thetaRadius, thetas[std::size_t(std::ceil(0.95 * double(thetas.size()))) - 1],
              1e-6);
}

}  // namespace
}  // namespace orniva::analysis
