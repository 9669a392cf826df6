// The geometry tools: inverse projection, selection, rotation, back-tilt,
// tilt test and rose counts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numeric>

#include "analysis/geometry.h"
#include "analysis/rose.h"
#include "analysis/rotation.h"
#include "data/fault_reader.h"
#include "tests/support/test_support.h"

namespace orniva::analysis {
namespace {

using math::LineVector;
using math::Vector3d;

TEST(InverseProjection, ReturnsEveryLineOfADegreeGridOnBothNetsAndHemispheres) {
  const NetFrame frame;
  for (NetKind kind : {NetKind::EqualAngle, NetKind::EqualArea})
    for (Hemisphere hemisphere : {Hemisphere::Lower, Hemisphere::Upper})
      for (int plunge = 0; plunge <= 90; ++plunge)
        for (int trend = 0; trend < 360; ++trend) {
          const auto back =
              LineAtNetPoint(kind, hemisphere, frame,
                             NetPointOf(kind, hemisphere, frame, {double(trend), double(plunge)}));
          ASSERT_TRUE(back);
          ASSERT_LT(
              math::AngleBetween(LineVector(back->trend, back->plunge), LineVector(trend, plunge)),
              0.01)
              << trend << "/" << plunge;
        }
  // The upper hemisphere draws a line at trend + 180; nothing lies beyond the circle.
  const NetPoint east = NetPointOf(NetKind::EqualArea, Hemisphere::Upper, frame, {270, 0});
  EXPECT_NEAR(east.x, 950, 1e-9);
  EXPECT_FALSE(LineAtNetPoint(NetKind::EqualAngle, Hemisphere::Lower, frame, {500, 49}));
}

TEST(Selection, WindowsWrapThroughNorthAndConesAreAxial) {
  // clang-format off
  struct Case { TrendPlungeWindow window; double trend, plunge; bool in; };
  const Case cases[] = {
      {{350, 10, 0, 90}, 355, 30, true},  {{350, 10, 0, 90}, 5, 30, true},
      {{350, 10, 0, 90}, 20, 30, false},  {{350, 10, 0, 90}, 180, 0, true},  // the other end
      {{10, 350, 0, 90}, 0, 30, false},   {{10, 350, 0, 90}, 180, 30, true},
      {{0, 360, 20, 40}, 123, 41, false}, {{0, 360, 20, 40}, 123, 40, true},
      {{100, 120, 80, 90}, 0, 90, true},  // vertical: any trend
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(InWindow(c.window, LineVector(c.trend, c.plunge)), c.in)
        << c.trend << "/" << c.plunge;
  const Cone cone{{0, 0}, 20};
  EXPECT_TRUE(InCone(cone, LineVector(175, 10)));
  EXPECT_FALSE(InCone(cone, LineVector(0, 21)));
}

TEST(Selection, LassoAtThePrimitiveCircleTakesAHorizontalLineByEitherEnd) {
  const NetFrame frame;
  // Lines 1 and 2 horizontal toward east and west, 3 steep, 4 north.
  const std::vector<DatumDirection> directions = {{1, LineVector(90, 0)},
                                                  {2, LineVector(270, 0)},
                                                  {3, LineVector(90, 80)},
                                                  {4, LineVector(0, 5)}};
  // A lasso over the eastern rim, beyond the circle.
  const std::vector<NetPoint> lasso = {{900, 450}, {1000, 450}, {1000, 550}, {900, 550}};
  for (Hemisphere h : {Hemisphere::Lower, Hemisphere::Upper}) {
    const auto projected = ProjectDirections(directions, NetKind::EqualAngle, h, frame);
    EXPECT_EQ(SelectInLasso(projected, lasso), (std::vector<int>{1, 2}));
    EXPECT_EQ(NearestDatum(projected, {940, 505}, 20), 1);
    EXPECT_EQ(NearestDatum(projected, {500, 500}, 20), std::nullopt);
  }
}

// The rows of an orientation table in use picked by their poles and lines:
// a click near one, a lasso round one, a row switched off never.
TEST(Selection, RowsInUsePickedByTheirPolesAndLinesOnBothNetsAndHemispheres) {
  const auto record = [](OrientationKind kind, float azimuth, float angle) {
    OrientationRecord r;
    r.kind = kind, r.azimuth = azimuth, r.angle = angle;
    return r;
  };
  const std::vector<OrientationRecord> records = {
      record(OrientationKind::Plane, 90, 60), record(OrientationKind::Line, 200, 10),
      record(OrientationKind::Line, 20, 70), record(OrientationKind::Plane, 45, 90)};
  const std::vector<bool> use = {true, true, false};  // row 3 off, row 4 in use
  const NetFrame frame;
  for (NetKind kind : {NetKind::EqualAngle, NetKind::EqualArea})
    for (Hemisphere h : {Hemisphere::Lower, Hemisphere::Upper}) {
      const auto projected = ProjectDirections(RowDirectionsOf(records, &use), kind, h, frame);
      const auto near = [&](math::TrendPlunge line) {
        const NetPoint at = NetPointOf(kind, h, frame, line);
        return NearestDatum(projected, {at.x + 3, at.y - 3}, 8);
      };
      EXPECT_EQ(near({270, 30}), 1);  // the pole of 090/60
      EXPECT_EQ(near({200, 10}), 2);
      EXPECT_EQ(near({20, 70}), std::nullopt);
      EXPECT_EQ(near({45, 0}), 4);  // either end of a horizontal pole
      const NetPoint at = NetPointOf(kind, h, frame, {200, 10});
      const std::vector<NetPoint> lasso = {
          {at.x - 9, at.y - 9}, {at.x + 9, at.y - 9}, {at.x + 9, at.y + 9}, {at.x - 9, at.y + 9}};
      EXPECT_EQ(SelectInLasso(projected, lasso), (std::vector<int>{2}));
    }
}

FaultSet Example() { return test::DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines); }

// The symmetric moment of a datum's slip, n s^T + s n^T: the same for
// (n, s) and (-n, -s), so it keeps the sense through an overturned plane.
math::Matrix3d SlipMoment(const FaultVectors& v) {
  const double n[3] = {v.n.x, v.n.y, v.n.z}, s[3] = {v.s.x, v.s.y, v.s.z};
  math::Matrix3d m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = n[i] * s[j] + s[i] * n[j];
  return m;
}

TEST(Rotation, TurnsPlanesStriationsAndSensesAlikeAlsoWhenOverturned) {
  const FaultSet data = Example();
  for (double angle : {30.0, 100.0, 170.0, -135.0}) {
    const math::Matrix3d r = RotationMatrix({70, 25}, angle);
    const FaultSet turned = RotateData(data, r);
    for (int i = 1; i <= data.count(); ++i) {
      const FaultVectors before = VectorsOf(data[i], i), after = VectorsOf(turned[i], i);
      EXPECT_LE(turned[i].fpl, 90);  // an overturned plane is written from its upper side
      EXPECT_NEAR(std::fabs(Dot(after.l, Rotate(r, before.l))), 1, 1e-9);
      // R M R^T, column by column: R (M (R^T e_k)).
      const math::Matrix3d m = SlipMoment(before), m2 = SlipMoment(after);
      for (int k = 0; k < 3; ++k) {
        const Vector3d column = Rotate(r, Rotate(m, Vector3d{r[k][0], r[k][1], r[k][2]}));
        EXPECT_NEAR(column.x, m2[0][k], 1e-6) << "line " << i << " by " << angle;
        EXPECT_NEAR(column.y, m2[1][k], 1e-6);
        EXPECT_NEAR(column.z, m2[2][k], 1e-6);
      }
    }
  }
}

TEST(Rotation, TrendsStayBelow360) {
  const FaultSet turned =
      RotateData(test::DataFromLines({"0 80 285.53 56.63 N", "180 30 180 30 N"}),
                 RotationMatrix({90, 0}, 180));
  for (int i = 1; i <= turned.count(); ++i) {
    EXPECT_LT(turned[i].faz, 360) << "line " << i;
    EXPECT_LT(turned[i].saz, 360) << "line " << i;
  }
}

// Faults slipped along the shear traction (Wallace-Bott) of a stress with
// sigma1 vertical and sigma3 east-west, then tilted with a bedding that was
// horizontal to (dip direction 60, dip 40).
FaultSet TiltedFaults(const Bedding& bedding) {
  const std::array<double, 5> stress = {0.4, 0, 0, -0.1, 0};  // sxx, sxy, sxz, syy, syz
  std::vector<std::string> lines;
  for (int k = 0; k < 16; ++k) {
    const Vector3d n = -LineVector(37.0 * k, 90 - (25 + (13 * k) % 55));
    const Vector3d s = math::Normalise(ShearTraction(stress, n));
    const math::TrendPlunge pole = math::LowerHemisphereLine(-n),
                            line = math::LowerHemisphereLine(s);
    char text[96];
    std::snprintf(text, sizeof text, "%.6f %.6f %.6f %.6f %c", std::fmod(pole.trend + 180, 360),
                  90 - pole.plunge, line.trend, line.plunge, s.z < 0 ? 'N' : 'R');
    lines.push_back(text);
  }
  return RotateData(test::DataFromLines(lines), BackTiltRotation(bedding, -1));
}

TEST(Rotation, BackTiltThenTiltBackGivesTheData) {
  const Bedding bedding{60, 40};
  // Right-handed about north, east turns down; the bedding turns horizontal.
  const Vector3d down = Rotate(RotationMatrix({0, 0}, 90), {1, 0, 0});
  EXPECT_NEAR(down.z, -1, 1e-12);
  EXPECT_NEAR(Rotate(BackTiltRotation(bedding, 1), -LineVector(240, 50)).z, 1, 1e-12);
  const FaultSet data = TiltedFaults(bedding);
  const FaultSet back =
      RotateData(RotateData(data, BackTiltRotation(bedding, 0.7)), BackTiltRotation(bedding, -0.7));
  for (int i = 1; i <= data.count(); ++i) {
    const double azimuths[][2] = {{data[i].faz, back[i].faz}, {data[i].saz, back[i].saz}};
    for (const auto& a : azimuths) EXPECT_NEAR(std::remainder(a[0] - a[1], 360), 0, 1e-4);
    EXPECT_NEAR(data[i].fpl, back[i].fpl, 1e-4);
    EXPECT_NEAR(data[i].spl, back[i].spl, 1e-4);
    EXPECT_EQ(data[i].sense, back[i].sense);
  }
}

TEST(TiltTest, FindsTheVerticalAxisWhereTheBeddingIsBackToHorizontal) {
  const Bedding bedding{60, 40};
  const std::vector<TiltStep> steps =
      TiltTest(TiltedFaults(bedding), bedding, StressMethod::YamajiSato, false, nullptr);
  ASSERT_EQ(steps.size(), 26u);
  const auto steepest = std::max_element(steps.begin(), steps.end(), [](auto& a, auto& b) {
    return a.steepestPlunge < b.steepestPlunge;
  });
  EXPECT_DOUBLE_EQ(steepest->fraction, 1.0);
  EXPECT_GT(steepest->steepestPlunge, 89.99);
  EXPECT_NEAR(steepest->stress.axes[0].plunge, 90, 0.01);  // sigma1 was the vertical axis
}

TEST(Rose, CountsStrikesAtBothEndsAndRefusesBinsThatDoNotFill360) {
  const FaultSet data = Example();
  const RoseCounts rose = CountRose(data, nullptr, RoseOf::Strike, 15);
  ASSERT_EQ(rose.counts.size(), 24u);
  EXPECT_EQ(std::accumulate(rose.counts.begin(), rose.counts.end(), 0), 2 * data.count());
  for (std::size_t k = 0; k < 12; ++k) EXPECT_EQ(rose.counts[k], rose.counts[k + 12]);
  for (double bin : {1.0, 2.5, 360.0}) EXPECT_TRUE(ValidRoseBin(bin));
  for (double bin : {0.0, 1e-5, 0.5, 7.0, 400.0}) EXPECT_FALSE(ValidRoseBin(bin));
}

// Any turn of azimuth falls in its bin of [0, 360); a value that is not a
// number is not counted.
TEST(Rose, AzimuthsOfAnyTurnFallInTheirBin) {
  struct Case {
    double azimuth;
    int bin;  // -1: none
  };
  const Case cases[] = {{0, 0},   {9.999, 0}, {10, 1},  {359.999, 35},     {360, 0},
                        {-5, 35}, {-360, 0},  {725, 0}, {std::nan(""), -1}};
  for (const Case& c : cases) {
    RoseCounts rose = EmptyRose();
    CountAzimuth(rose, c.azimuth);
    ASSERT_EQ(rose.counts.size(), 36u);
    for (int bin = 0; bin < 36; ++bin)
      EXPECT_EQ(rose.counts[std::size_t(bin)], bin == c.bin ? 1 : 0) << c.azimuth << " " << bin;
  }
}

TEST(NumbersOf, ReadsExactlyTheCountOfFiniteNumbers) {
  EXPECT_EQ(NumbersOf("350,10.5,-0,90", 4), (std::vector<double>{350, 10.5, 0, 90}));
  for (const char* bad : {"1,2,3", "1,2,3,4,", "1,2,,4", "1,2,3,x", "1,2,3,inf", " 1,2,3,4"})
    EXPECT_FALSE(NumbersOf(bad, 4)) << bad;
}

}  // namespace
}  // namespace orniva::analysis
