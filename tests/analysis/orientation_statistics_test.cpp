// Fisher's mean, the fabric, the fold axis and the mean bedding of
// orientations: published examples, cases known in closed form, and
// rotation equivariance.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/orientation_statistics.h"
#include "analysis/rotation.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

using math::LineVector;
using math::Vector3d;

std::vector<Vector3d> Lines(const std::vector<std::pair<double, double>>& lines) {
  std::vector<Vector3d> vectors;
  for (const auto& [trend, plunge] : lines) vectors.push_back(LineVector(trend, plunge));
  return vectors;
}

OrientationRecord Row(OrientationKind kind, double azimuth, double angle) {
  OrientationRecord r;
  r.kind = kind;
  r.azimuth = float(azimuth);
  r.angle = float(angle);
  return r;
}

double Angle(math::TrendPlunge a, math::TrendPlunge b) {  // between two axes [deg]
  const double d = math::AngleBetween(LineVector(a.trend, a.plunge), LineVector(b.trend, b.plunge));
  return std::min(d, 180 - d);
}

TEST(Fisher, PublishedAndClosedFormExamples) {
  struct Case {
    const char* source;
    std::vector<std::pair<double, double>> lines;
    double trend, plunge, meanLength, tolerance;  // mean to `tolerance` degrees, R / N to 1e-3
    double k, alpha, csd;                         // to 1e-3
  };
  const Case cases[] = {
      // Ragan (2009), Structural Geology, 4th ed., pp. 147-148: the mean of ten poles of
      // bedding, 208.6/40.0 with mean resultant length 0.963 (as worked again in Cardozo
      // et al., Computational Geosciences, Univ. of Stavanger 2020, sect. 4.3.1). k,
      // alpha95 and csd follow from R by the formulas of Fisher (1953).
      {"Ragan 2009",
       {{206, 32},
        {220, 30},
        {204, 46},
        {198, 40},
        {200, 20},
        {188, 32},
        {192, 54},
        {228, 56},
        {236, 36},
        {218, 44}},
       208.6,
       40.0,
       0.963,
       0.05,
       24.398,
       9.978,
       16.399},
      // Four lines 10 degrees off the vertical about it: R = 4 cos 10, k = 3 / (4 - R),
      // cos a95 = 1 - (4 - R) / R (20^(1/3) - 1), csd = 81 / sqrt(k), by hand.
      {"four lines",
       {{0, 80}, {90, 80}, {180, 80}, {270, 80}},
       0,
       90,
       0.985,
       1e-9,
       49.367,
       13.207,
       11.528},
  };
  for (const Case& c : cases) {
    const FisherResult fisher = FisherStatistics(Lines(c.lines));
    ASSERT_TRUE(fisher.error.empty()) << c.source;
    EXPECT_NEAR(fisher.mean.trend, c.trend, c.tolerance) << c.source;
    EXPECT_NEAR(fisher.mean.plunge, c.plunge, c.tolerance) << c.source;
    EXPECT_NEAR(fisher.r / double(fisher.n), c.meanLength, 5e-4) << c.source;
    EXPECT_NEAR(*fisher.k, c.k, 1e-3) << c.source;
    EXPECT_NEAR(*fisher.alpha, c.alpha, 1e-3) << c.source;
    EXPECT_NEAR(*fisher.csd, c.csd, 1e-3) << c.source;
  }
}

TEST(Fisher, AxesTurnToOneSideAndEdgesLeaveValuesEmpty) {
  // The same axes given by opposite ends: one mean, R = N.
  const FisherResult flipped = FisherStatistics({LineVector(30, 20), -LineVector(30, 20)});
  EXPECT_NEAR(flipped.r, 2, 1e-12);
  EXPECT_FALSE(flipped.k);  // infinite
  EXPECT_EQ(flipped.alpha, 0);
  EXPECT_EQ(flipped.csd, 0);
  const FisherResult one = FisherStatistics({LineVector(30, 20)});
  EXPECT_NEAR(one.mean.trend, 30, 1e-9);
  EXPECT_FALSE(one.k || one.alpha || one.csd);
  // Three axes 90 degrees apart: no cone at 95 %.
  EXPECT_FALSE(FisherStatistics(Lines({{0, 0}, {90, 0}, {0, 90}})).alpha);
  EXPECT_EQ(FisherStatistics({}).error, kNoOrientations);
  EXPECT_FALSE(FisherStatistics({LineVector(0, 0)}, 1).error.empty());
}

TEST(Fabric, KnownEigenvaluesAndShapes) {
  // Five lines in the north-south vertical plane at 45 degrees to each other:
  // T = diag(0, 3/5, 2/5) by hand, so S = 0.6, 0.4, 0 with e1 north-south,
  // e2 vertical and e3 east-west; S3 = 0 leaves K and C undefined.
  const FabricResult plane = Fabric(Lines({{0, 0}, {0, 45}, {0, 90}, {180, 45}, {180, 0}}));
  EXPECT_NEAR(plane.s[0], 0.6, 1e-12);
  EXPECT_NEAR(plane.s[1], 0.4, 1e-12);
  EXPECT_EQ(plane.s[2], 0);
  EXPECT_NEAR(plane.e[0].trend, 0, 1e-9);
  EXPECT_NEAR(plane.e[1].plunge, 90, 1e-9);
  EXPECT_NEAR(plane.e[2].trend, 90, 1e-9);
  EXPECT_FALSE(plane.K || plane.C);
  EXPECT_NEAR(plane.P, 0.2, 1e-12);
  EXPECT_NEAR(plane.G, 0.8, 1e-12);
  EXPECT_NEAR(plane.I, 7.5 * (0.6 * 0.6 + 0.4 * 0.4 + 0 - 1.0 / 3), 1e-12);
  // The three axes of the frame: uniform, every shape value at its end.
  const FabricResult uniform = Fabric(Lines({{0, 0}, {90, 0}, {0, 90}}));
  EXPECT_NEAR(uniform.R, 1, 1e-12);
  EXPECT_NEAR(uniform.I, 0, 1e-12);
  EXPECT_NEAR(*uniform.C, 0, 1e-12);
  EXPECT_FALSE(uniform.K);  // 0 / 0
  // Three lines apart: K and C defined, P + G + R = 1.
  const FabricResult spread = Fabric(Lines({{0, 10}, {20, 30}, {40, 15}}));
  EXPECT_NEAR(*spread.K, std::log(spread.s[0] / spread.s[1]) / std::log(spread.s[1] / spread.s[2]),
              1e-12);
  EXPECT_NEAR(spread.P + spread.G + spread.R, 1, 1e-12);
}

TEST(FoldAxis, PublishedChevronFoldAndRefusals) {
  // Leyshon and Lisle (1996), Stereographic Projection Techniques in Structural Geology:
  // a chevron fold with limbs 120/40 and 250/60 (strike, right-hand rule) has its hinge
  // at 265.8/25.3 (worked again in Cardozo et al. 2020, sect. 4.3.2). Four bedding
  // planes, two on each limb (dip directions 210 and 340).
  const std::vector<Vector3d> poles = {PoleVector(210, 40), PoleVector(340, 60),
                                       PoleVector(210, 40), PoleVector(340, 60)};
  const FoldAxisResult fold = FoldAxis(poles);
  ASSERT_TRUE(fold.error.empty());
  EXPECT_NEAR(fold.axis.trend, 265.8, 0.05);
  EXPECT_NEAR(fold.axis.plunge, 25.3, 0.05);
  EXPECT_EQ(fold.n, 4u);
  EXPECT_EQ(fold.s3, 0);  // perfectly cylindrical
  EXPECT_NEAR(fold.G, 2 * TensorOf(poles).values[1], 1e-12);
  EXPECT_FALSE(FoldAxis({PoleVector(210, 40)}).error.empty());
  EXPECT_FALSE(FoldAxis({PoleVector(210, 40), PoleVector(210, 40)}).error.empty());
}

// A cluster and a girdle of axes, turned by rotations about several axes,
// give turned means and axes and the same k, alpha and shape values.
TEST(OrientationStatistics, TurnWithTheData) {
  std::vector<Vector3d> axes;
  for (int i = 0; i < 25; ++i)
    axes.push_back(LineVector(120 + 9 * std::sin(i * 1.7), 35 + 70 * std::cos(i * 0.9)));
  const FisherResult fisher = FisherStatistics(axes);
  const FabricResult fabric = Fabric(axes);
  const FoldAxisResult fold = FoldAxis(axes);
  std::vector<OrientationRecord> rows;  // each axis as a plane's pole and as a line
  for (const Vector3d& x : axes) {
    const math::TrendPlunge line = math::LowerHemisphereLine(x);
    rows.push_back(Row(OrientationKind::Plane, std::fmod(line.trend + 180, 360), 90 - line.plunge));
    rows.push_back(Row(OrientationKind::Line, line.trend, line.plunge));
  }
  for (const auto& [axis, degrees] :
       {std::pair{math::TrendPlunge{10, 20}, 37.0}, {{200, 70}, 123.0}, {{300, 0}, 90.0}}) {
    const math::Matrix3d turn = RotationMatrix(axis, degrees);
    auto turned = [&turn](math::TrendPlunge line) {
      return math::LowerHemisphereLine(Rotate(turn, LineVector(line.trend, line.plunge)));
    };
    std::vector<Vector3d> moved;
    for (const Vector3d& x : axes) moved.push_back(Rotate(turn, x));
    const FisherResult f = FisherStatistics(moved);
    EXPECT_LT(Angle(f.mean, turned(fisher.mean)), 1e-9);
    EXPECT_NEAR(*f.k, *fisher.k, 1e-9);
    EXPECT_NEAR(*f.alpha, *fisher.alpha, 1e-9);
    const FabricResult s = Fabric(moved);
    for (std::size_t k = 0; k < 3; ++k) {
      EXPECT_NEAR(s.s[k], fabric.s[k], 1e-12);
      EXPECT_LT(Angle(s.e[k], turned(fabric.e[k])), 1e-6);
    }
    EXPECT_NEAR(*s.K, *fabric.K, 1e-9);
    EXPECT_NEAR(s.I, fabric.I, 1e-12);
    EXPECT_LT(Angle(FoldAxis(moved).axis, turned(fold.axis)), 1e-6);
    // The turned rows, stored as floats, give the same to a float's precision.
    const std::vector<OrientationRecord> turnedRows = RotateOrientations(rows, turn);
    for (const OrientationOf of : {OrientationOf::Poles, OrientationOf::Lines}) {
      const FisherResult r = FisherStatistics(OrientationDirections(turnedRows, of));
      EXPECT_LT(Angle(r.mean, f.mean), 1e-4);
      EXPECT_NEAR(*r.k, *f.k, 1e-3);
      EXPECT_LT(Angle(Fabric(OrientationDirections(turnedRows, of)).e[2], s.e[2]), 1e-4);
    }
  }
}

// Records turned: planes written back by their lower pole, lines as
// lower-hemisphere lines, every other field kept.
TEST(RotateOrientation, KnownAttitudes) {
  using K = OrientationKind;
  const math::Matrix3d tilt120 = BackTiltRotation({120, 30}, 1);
  // clang-format off
  const struct { K kind; float azimuth, angle; math::Matrix3d turn; double toAzimuth, toAngle; }
      rows[] = {
      {K::Plane, 120, 30, tilt120,                          -1,  0},   // the bedding: horizontal
      {K::Line,  120, 30, tilt120,                          120, 0},   // its dip line
      {K::Line,  30,  0,  tilt120,                          30,  0},   // its strike stays
      {K::Plane, 0,   0,  BackTiltRotation({90, 40}, 1),    270, 40},  // horizontal plane
      {K::Plane, 90,  80, BackTiltRotation({270, 40}, 1),   270, 60},  // turned over
      {K::Plane, 120, 30, RotationMatrix({0, 90}, 30),      150, 30},  // about the vertical
      {K::Line,  350, 10, RotationMatrix({0, 90}, 30),      20,  10},  // through north
      {K::Line,  0,   90, RotationMatrix({0, 0}, 90),       270, 0},   // the vertical to the west
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.azimuth) + "/" + std::to_string(row.angle));
    OrientationRecord record = Row(row.kind, row.azimuth, row.angle);
    record.set = "S";
    record.line = 7;
    const std::vector<OrientationRecord> turned = RotateOrientations({record}, row.turn);
    ASSERT_EQ(turned.size(), 1u);
    if (row.toAzimuth >= 0) {
      EXPECT_NEAR(turned[0].azimuth, row.toAzimuth, 1e-4);
    }
    EXPECT_NEAR(turned[0].angle, row.toAngle, 1e-4);
    EXPECT_EQ(turned[0].kind, row.kind);
    EXPECT_EQ(turned[0].set, "S");
    EXPECT_EQ(turned[0].line, 7);
  }
}

TEST(MeanBedding, IsThePlaneOfTheMeanPole) {
  // Two beds dipping 35 to 080 and 100: the mean pole trends 270 and plunges
  // atan(tan 55 / cos 10), so the bedding dips 34.589 to 090.
  const MeanBedding mean = MeanBeddingOf({PoleVector(80, 35), PoleVector(100, 35)});
  EXPECT_NEAR(mean.bedding.dipDirection, 90, 1e-9);
  EXPECT_NEAR(mean.bedding.dip, 34.589, 1e-3);
  EXPECT_EQ(MeanBeddingOf({}).error, kNoOrientations);
}

TEST(OrientationDirections, PolesLinesSetsAndFaults) {
  auto record = [](OrientationKind kind, float azimuth, float angle, const char* set) {
    OrientationRecord r;
    r.kind = kind;
    r.azimuth = azimuth;
    r.angle = angle;
    r.set = set;
    return r;
  };
  const std::vector<OrientationRecord> records = {record(OrientationKind::Plane, 120, 45, "B"),
                                                  record(OrientationKind::Line, 200, 30, "A"),
                                                  record(OrientationKind::Plane, 10, 90, "B")};
  const std::vector<bool> setB = InSet(records, "B");
  EXPECT_EQ(OrientationDirections(records, OrientationOf::Poles, &setB).size(), 2u);
  const std::vector<Vector3d> lines = OrientationDirections(records, OrientationOf::Lines, &setB);
  EXPECT_TRUE(lines.empty());
  const math::TrendPlunge pole =
      math::LowerHemisphereLine(OrientationDirections(records, OrientationOf::Poles)[0]);
  EXPECT_NEAR(pole.trend, 300, 1e-9);
  EXPECT_NEAR(pole.plunge, 45, 1e-9);
  // A data file's poles and striations, of the data that passed their checks.
  const FaultSet data = test::DataFromLines({"120 45 200 30 N", "120 95 200 30 N"});
  const std::vector<Vector3d> striations = FaultDirections(data, OrientationOf::Lines);
  ASSERT_EQ(striations.size(), 1u);
  EXPECT_LT(math::AngleBetween(striations[0], LineVector(200, 30)), 1e-9);
  EXPECT_LT(math::AngleBetween(FaultDirections(data, OrientationOf::Poles)[0], LineVector(300, 45)),
            1e-9);
  EXPECT_EQ(OrientationOfNamed("lines"), OrientationOf::Lines);
  EXPECT_FALSE(OrientationOfNamed("p"));
}

}  // namespace
}  // namespace orniva::analysis
