#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "analysis/confidence_region.h"
#include "analysis/index_draws.h"
#include "analysis/leave_one_out.h"
#include "analysis/stress_bootstrap.h"
#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

using math::Vector3d;

FaultSet RealData(const std::string& name) {
  return test::DataFromLines(ReadDataFile(std::string(ORNIVA_REALDATA_DIR) + "/" + name).lines);
}

struct Inversion {
  StressMethod method;
  bool iterate;
};
// clang-format off
constexpr Inversion kInversions[] = {
    {StressMethod::Michael, false}, {StressMethod::Michael, true}, {StressMethod::Shan, false},
    {StressMethod::Fry, false}, {StressMethod::YamajiSato, false}, {StressMethod::Angelier, false}};
// clang-format on

TEST(StressBootstrap, ResampleOfTheDataGivesTheirResultExactly) {
  const FaultSet data = RealData("angelier1979_tymbaki.fdt");
  for (const Inversion& inversion : kInversions) {
    const InversionSetup setup = SetupOf(data, nullptr, inversion.method, inversion.iterate);
    std::vector<std::uint32_t> once(setup.faults.size(), 1), oneFault(setup.faults.size(), 0);
    oneFault[3] = std::uint32_t(setup.faults.size());
    EXPECT_EQ(InvertResample(setup, once),
              InvertStress(data, inversion.method, inversion.iterate).tensor);
    EXPECT_EQ(InvertResample(setup, oneFault), std::nullopt);  // rank below 5
  }
}

TEST(StressBootstrap, SameSeedSameReportAndTheNearestKept) {
  const InversionSetup setup = SetupOf(RealData("jujuy.fdt"), nullptr, StressMethod::Michael, true);
  const BootstrapSettings settings{300, 0.9, 7};
  const StressBootstrap b = BootstrapStress(setup, settings);
  ASSERT_EQ(b.error, "");
  EXPECT_EQ(StressBootstrapCsv(b).text, StressBootstrapCsv(BootstrapStress(setup, settings)).text);
  EXPECT_NE(StressBootstrapCsv(b).text,
            StressBootstrapCsv(BootstrapStress(setup, {300, 0.9, 8})).text);
  EXPECT_EQ(b.kept.size(), std::size_t(std::ceil(0.9 * (300 - b.rankDeficient))));
  for (std::size_t k = 1; k < b.kept.size(); ++k) EXPECT_LE(b.kept[k - 1].theta, b.kept[k].theta);
  EXPECT_EQ(b.thetaRadius, b.kept.back().theta);
}

TEST(StressBootstrap, DrawsAreTheLibrarysToTheBit) {
  // clang-format off
  const struct { std::uint64_t seed; std::size_t count, draws; } rows[] = {
      {1, 32760, 200000}, {0, 1, 700}, {~std::uint64_t(0), 7, 5000}, {5489, 4000000000u, 5000}};
  // clang-format on
  for (const auto& row : rows) {
    std::mt19937_64 engine(row.seed);
    std::uniform_int_distribution<std::size_t> pick(0, row.count - 1);
    std::vector<std::uint32_t> drawn(row.draws);
    IndexDraws(row.seed, row.count).Draw(drawn.data(), drawn.size());
    for (std::size_t d = 0; d < row.draws; ++d) ASSERT_EQ(drawn[d], pick(engine)) << d;
  }
}

// A cluster about (trend, plunge): `centre` axes on it and `ring` axes
// evenly round it at `radius` degrees.
std::vector<Vector3d> Cluster(double trend, double plunge, int centre, int ring, double radius) {
  const Vector3d c = math::LineVector(trend, plunge);
  const Vector3d u = math::Normalise(math::Cross(c, {0, 0, 1})), w = math::Cross(c, u);
  const double rho = radius * M_PI / 180;
  std::vector<Vector3d> axes(std::size_t(centre), c);
  for (int k = 0; k < ring; ++k) {
    const double phi = 2 * M_PI * k / ring;
    axes.push_back(std::cos(rho) * c + std::sin(rho) * (std::cos(phi) * u + std::sin(phi) * w));
  }
  return axes;
}

NetPoint Projected(NetKind kind, Vector3d axis) {
  const math::TrendPlunge line = math::LowerHemisphereLine(axis);
  const double half = (90 - line.plunge) * M_PI / 360, t = line.trend * M_PI / 180;
  const double r = 450 * (kind == NetKind::EqualAngle ? std::tan(half) : M_SQRT2 * std::sin(half));
  return {500 + r * std::sin(t), 500 - r * std::cos(t)};
}

bool Encloses(const ContourLine& line, NetPoint p) {
  bool inside = false;
  for (std::size_t i = 0, j = line.points.size() - 1; i < line.points.size(); j = i++) {
    const NetPoint a = line.points[i], b = line.points[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
      inside = !inside;
  }
  return line.closed && inside;
}

TEST(ConfidenceRegion, LinesRoundTheCrowdedAxesNotTheStragglers) {
  // clang-format off
  const struct { double trend, plunge; int centre, ring; double radius; NetKind kind;
                 int outer, inner; bool ringInside; } rows[] = {
      {0, 90, 40, 0, 0, NetKind::EqualAngle, 40, 40, true},      // one axis
      {120, 40, 13, 12, 12, NetKind::EqualArea, 3, 13, true},    // each ring axis and 2 more
      {300, 65, 30, 2, 40, NetKind::EqualAngle, 30, 30, false},  // two stragglers
      {45, 30, 10, 30, 15, NetKind::EqualArea, 5, 5, true},      // most on the ring
  };
  // clang-format on
  for (const auto& row : rows) {
    const DrawingGrid grid = MakeDrawingGrid(row.kind, {}, 100);
    const std::vector<Vector3d> axes =
        Cluster(row.trend, row.plunge, row.centre, row.ring, row.radius);
    const AxisRegion region = AxisRegionOf(grid, axes);
    EXPECT_EQ(region.outerCount, row.outer);
    EXPECT_EQ(region.innerCount, row.inner);
    auto enclosed = [&](Vector3d axis, int level) {
      return std::any_of(region.lines.begin(), region.lines.end(), [&](const ContourLine& l) {
        return l.level == level && Encloses(l, Projected(row.kind, axis));
      });
    };
    EXPECT_TRUE(enclosed(axes.front(), 0)) << row.trend;
    EXPECT_EQ(enclosed(axes.front(), 1), row.inner > row.outer) << row.trend;
    for (std::size_t k = std::size_t(row.centre); k < axes.size(); ++k)
      EXPECT_EQ(enclosed(axes[k], 0), row.ringInside) << row.trend;
    const Vector3d centre = math::LineVector(row.trend, row.plunge);
    const double reach = (row.ringInside ? row.radius : 0) + 8.2 + 3.3;  // the cap, a cell
    for (const ContourLine& line : region.lines)
      for (NetPoint p : line.points)
        EXPECT_LT(std::acos(std::fabs(Dot(DirectionAtNetPoint(row.kind, {}, p), centre))),
                  reach * M_PI / 180);
  }
}

TEST(StressBootstrap, ShMaxArcNeverWrapsWrongly) {
  // clang-format off
  const struct { std::vector<double> azimuths; double low, high; } rows[] = {
      {{10, 30, 20}, 10, 30},
      {{175, 5, 170}, 170, 185},   // across north
      {{0, 90}, 0, 90},            // a tie: the gap across 0 is left out
      {{0, 60, 120}, 0, 120},
      {{100, 20, 179.5}, 100, 200},
  };
  // clang-format on
  for (const auto& row : rows) {
    const std::optional<ValueRange> range = AxialRange(row.azimuths);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->low, row.low);
    EXPECT_EQ(range->high, row.high);
  }
  EXPECT_FALSE(AxialRange({}));
}

TEST(StressBootstrap, SettingsRefusedWithTheReason) {
  // clang-format off
  const struct { std::string samples, confidence, seed; bool good; } rows[] = {
      {"1", "1", "0", true}, {"2000", "0.95", "18446744073709551615", true},
      {"0", "0.95", "1", false}, {"1.5", "0.95", "1", false}, {"1000001", "0.95", "1", false},
      {"10", "0", "1", false}, {"10", "1.01", "1", false}, {"10", "0.9x", "1", false},
      {"10", "0.9", "-1", false}, {"10", "0.9", "18446744073709551616", false},
  };
  // clang-format on
  for (const auto& row : rows) {
    BootstrapSettings settings;
    const std::string refusal =
        ReadBootstrapSettings(&row.samples, &row.confidence, &row.seed, settings);
    EXPECT_EQ(refusal.empty(), row.good) << refusal;
  }
}

TEST(LeaveOneOut, EqualsAFreshInversionWithoutTheLine) {
  const FaultSet data = RealData("angelier1979_tymbaki.fdt");
  for (const Inversion& inversion : kInversions) {
    const StressResult all = InvertStress(data, inversion.method, inversion.iterate);
    const LeaveOneOut loo =
        LeaveEachOut(SetupOf(data, nullptr, inversion.method, inversion.iterate));
    ASSERT_EQ(loo.data.size(), std::size_t(all.used));
    for (const std::size_t i : {0, 7, 20}) {
      const int line = loo.data[i].line;
      std::vector<bool> use(data.size(), true);
      use[std::size_t(line)] = false;
      const StressResult without = InvertStress(data, inversion.method, inversion.iterate, &use);
      EXPECT_NEAR(*loo.data[i].theta, StressDistance(without.tensor, all.tensor), 1e-9);
      EXPECT_NEAR(*loo.data[i].beta, without.faults[i].beta, 1e-9);
    }
  }
}

// A turn of 0.7 radians about an oblique axis (Rodrigues' formula).
Vector3d Turn(Vector3d v) {
  const double c = std::cos(0.7), s = std::sin(0.7);
  const Vector3d k = math::Normalise({1, -2, 2});
  return c * v + s * math::Cross(k, v) + (1 - c) * math::Dot(k, v) * k;
}

TEST(StressConfidence, TurningTheDataTurnsEveryResultAlike) {
  const InversionSetup setup =
      SetupOf(RealData("jujuy.fdt"), nullptr, StressMethod::Michael, false);
  InversionSetup turned = setup;
  for (FaultSlip& f : turned.faults) f = {Turn(f.n), Turn(f.s)};
  const StressBootstrap a = BootstrapStress(setup, {200, 0.95, 3});
  const StressBootstrap b = BootstrapStress(turned, {200, 0.95, 3});
  ASSERT_EQ(a.kept.size(), b.kept.size());
  for (std::size_t k = 0; k < a.kept.size(); ++k) {
    EXPECT_NEAR(a.kept[k].theta, b.kept[k].theta, 1e-9);
    EXPECT_NEAR(a.kept[k].phi, b.kept[k].phi, 1e-9);
    for (std::size_t axis = 0; axis < 3; ++axis) {
      const auto line = [](math::TrendPlunge l) { return math::LineVector(l.trend, l.plunge); };
      const double cosine = math::Dot(Turn(line(a.kept[k].axes[axis])), line(b.kept[k].axes[axis]));
      EXPECT_NEAR(std::fabs(cosine), 1, 1e-9);
    }
  }
  const LeaveOneOut x = LeaveEachOut(setup), y = LeaveEachOut(turned);
  for (std::size_t i = 0; i < x.data.size(); ++i) {
    EXPECT_NEAR(*x.data[i].theta, *y.data[i].theta, 1e-9);
    EXPECT_NEAR(*x.data[i].beta, *y.data[i].beta, 1e-9);
  }
}

}  // namespace
}  // namespace orniva::analysis
