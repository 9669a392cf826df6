#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "analysis/contours.h"
#include "analysis/density.h"
#include "analysis/dihedra.h"
#include "analysis/net_projection.h"
#include "data/fault_reader.h"

namespace orniva::analysis {
namespace {

using math::Vector3d;

std::vector<Vector3d> RandomDirections(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> normal;
  std::vector<Vector3d> v;
  for (int k = 0; k < count; ++k)
    v.push_back(math::Normalise({normal(random), normal(random), normal(random)}));
  return v;
}

// The direction at the equal-area check points of the analysis conventions
// (rounded to the unit, so within 0.1 degrees) and at equal-angle points by
// hand: r = 450 tan(22.5) = 186.3961 for a plunge of 45.
TEST(NetProjection, DirectionAtKnownNetPoints) {
  struct Row {
    NetKind kind;
    NetPoint point;
    math::TrendPlunge line;
    double tolerance;
  };  // [deg]
  const NetKind area = NetKind::EqualArea, angle = NetKind::EqualAngle;
  const Row rows[] = {{area, {672, 328}, {45, 45}, 0.1},  {area, {582, 357}, {30, 60}, 0.1},
                      {area, {360, 884}, {200, 10}, 0.1}, {area, {242, 242}, {315, 20}, 0.1},
                      {area, {950, 500}, {90, 0}, 1e-9},  {angle, {500, 313.6039}, {0, 45}, 1e-4},
                      {angle, {50, 500}, {270, 0}, 1e-9}, {angle, {500, 500}, {0, 90}, 1e-9}};
  for (const Row& c : rows) {
    const Vector3d d = DirectionAtNetPoint(c.kind, NetFrame{}, c.point);
    EXPECT_LT(math::AngleBetween(d, math::LineVector(c.line.trend, c.line.plunge)), c.tolerance)
        << int(c.kind) << " " << c.line.trend << "/" << c.line.plunge;
  }
}

// 36 directions on a cone about the zenith (upward: the data are axial)
// counted at the nadir. Kamb, N 36: A = 0.2, cap cos 0.8, sigma 2.4, so
// 36 inside give 15 and 18 give 7.5; one per cent: cap cos 0.99 (8.11 deg).
TEST(Density, ClosedFormCountsOnACone) {
  struct Row {
    DensityMethod method;
    double inner, outer, value;
  };  // half-angles of each 18 [deg]
  const Row rows[] = {{DensityMethod::Kamb, 30, 30, 15},
                      {DensityMethod::Kamb, 30, 40, 7.5},
                      {DensityMethod::Kamb, 40, 40, 0},
                      {DensityMethod::OnePercent, 8, 8, 100},
                      {DensityMethod::OnePercent, 8.2, 8.2, 0}};
  for (const Row& c : rows) {
    std::vector<Vector3d> cone;
    for (int k = 0; k < 36; ++k)
      cone.push_back(-math::LineVector(k * 10.0, 90 - (k % 2 ? c.outer : c.inner)));
    const std::vector<double> values = DensityValues(cone, c.method, {{0, 0, -1}});
    ASSERT_EQ(values.size(), 1u);
    EXPECT_NEAR(values[0], c.value, 1e-12) << int(c.method) << " " << c.inner << " " << c.outer;
  }
}

TEST(Density, CountsEqualABruteForceCount) {
  const DrawingGrid grid = MakeDrawingGrid(NetKind::EqualArea, NetFrame{}, 60);
  std::vector<Vector3d> nodes = RandomDirections(2000, 7);
  nodes.insert(nodes.end(), grid.nodes.begin(), grid.nodes.end());
  const std::vector<Vector3d> special{{0, 0, 1}, {0, 0, -1}, {-1, 0, 0}, {1, 0, 0}, {0, -1, 0}};
  nodes.insert(nodes.end(), special.begin(), special.end());
  for (int count : {1, 7, 300, 5000}) {
    std::vector<Vector3d> directions = RandomDirections(count, unsigned(count));
    directions.insert(directions.end(), special.begin(), special.end());
    for (DensityMethod method : {DensityMethod::Kamb, DensityMethod::OnePercent}) {
      const double cap = CapOf(method, directions.size()).minAbsDot;
      const std::vector<int> counts = CountInCap(directions, cap, nodes);
      int mismatches = 0;
      for (std::size_t k = 0; k < nodes.size(); ++k) {
        int brute = 0;
        for (const Vector3d& v : directions) brute += std::fabs(Dot(nodes[k], v)) >= cap;
        mismatches += brute != counts[k];
      }
      EXPECT_EQ(mismatches, 0) << count << " directions, method " << int(method);
    }
  }
}

// Random faults (n and an in-plane slip) against the definition in double,
// at random nodes and at nodes on the dihedra's boundaries (n and s
// themselves), one thread and two, and fault counts that leave a tail.
TEST(Dihedra, EqualsTheDefinitionAtEveryNode) {
  for (int count : {3, 205, 2001}) {
    const std::vector<Vector3d> normals = RandomDirections(count, unsigned(count) + 11);
    const std::vector<Vector3d> others = RandomDirections(count, unsigned(count) + 12);
    std::vector<FaultVectors> faults;
    std::vector<Vector3d> nodes = RandomDirections(1200, 5);
    for (int i = 0; i < count; ++i) {
      const Vector3d n = normals[std::size_t(i)];
      const Vector3d s = math::Normalise(Cross(n, others[std::size_t(i)]));
      faults.push_back({i + 1, n, s, s, false});
      if (i < 50) nodes.insert(nodes.end(), {n, s});
    }
    const std::vector<double> values = DihedraValues(faults, nodes);
    int mismatches = 0;
    for (std::size_t k = 0; k < nodes.size(); ++k) {
      int twice = 0;
      for (const FaultVectors& f : faults) {
        const double x = Dot(nodes[k], f.n) * Dot(nodes[k], f.s);
        twice += (x < -kDihedronBoundary) + (x <= kDihedronBoundary);
      }
      mismatches += values[k] != 50.0 / count * twice;
    }
    EXPECT_EQ(mismatches, 0) << count << " faults";
  }
}

double Area(const std::vector<NetPoint>& p) {
  double twice = 0;
  for (std::size_t k = 0; k < p.size(); ++k)
    twice += p[k].x * p[(k + 1) % p.size()].y - p[(k + 1) % p.size()].x * p[k].y;
  return std::fabs(twice) / 2;
}

double Radius(NetPoint p) { return std::hypot(p.x - 500, p.y - 500); }

// Fields with a known contour: a cone about the centre (the level-150 line
// is the circle of radius 300, the region inside it filled) and a plane
// x - 500 (the level-0 line is the north-south diameter, from the north
// pole of the circle to the south one, the region east of it half the disc).
TEST(Contours, LineAndFillOfAKnownField) {
  const DrawingGrid grid = MakeDrawingGrid(NetKind::EqualArea, NetFrame{}, 101);
  for (const bool cone : {true, false}) {
    SCOPED_TRACE(cone ? "cone" : "plane");
    std::vector<double> values;
    for (int j = 0; j < grid.size; ++j)
      for (int i = 0; i < grid.size; ++i) {
        const NetPoint p = grid.Node(i, j);
        values.push_back(cone ? 450 - Radius(p) : p.x - 500);
      }
    const Contours contours = ContourGrid(grid, values, {cone ? 150.0 : 0.0});
    ASSERT_EQ(contours.lines.size(), 1u);
    const ContourLine& line = contours.lines[0];
    ASSERT_FALSE(line.points.empty());
    EXPECT_EQ(line.closed, cone);
    for (NetPoint p : line.points)
      EXPECT_NEAR(cone ? Radius(p) : p.x, cone ? 300 : 500, cone ? 0.2 : 1e-9);
    // Closed, it ends where it began; open, it runs from rim to rim.
    EXPECT_NEAR(std::fabs(line.points.front().y - line.points.back().y), cone ? 0 : 900, 1e-9);
    double area = 0;
    for (const FillPolygon& f : contours.fills) area += Area(f.points);
    EXPECT_NEAR(area / (cone ? M_PI * 300 * 300 : M_PI * 450 * 450 / 2), 1, 2e-4);
  }
}

// The fault 090/45 N: P 000/90 in its compressional dihedron, T 090/00 in
// the extensional one, B 000/00 on their boundary.
TEST(Reports, GridRowsInOrder) {
  FaultSet data;
  LoadFaultLines({"90 45 90 45 N", "400 45 90 45 N"}, data);
  const CsvReport dihedra = DihedraCsv(data);
  const CsvReport density = DensityCsv(data, DensityOf::Poles, DensityMethod::OnePercent);
  ASSERT_EQ(dihedra.error, "");
  const std::vector<std::string> rows = SplitDataLines(dihedra.text);
  ASSERT_EQ(rows.size(), 1298u);
  EXPECT_EQ(rows[0], "trend,plunge,value");
  EXPECT_EQ(rows[1], "0.00,0.00,50.0000");
  EXPECT_EQ(rows[19], "90.00,0.00,0.0000");
  EXPECT_EQ(rows[73].substr(0, 10), "0.00,5.00,");
  EXPECT_EQ(rows[1297], "0.00,90.00,100.0000");
  // The pole of 090/45 is 270/45.
  const std::vector<std::string> densityRows = SplitDataLines(density.text);
  ASSERT_EQ(densityRows.size(), 1298u);
  EXPECT_EQ(densityRows[1 + 9 * 72 + 54], "270.00,45.00,100.0000");
  FaultSet unusable;
  LoadFaultLines({"400 45 90 45 N"}, unusable);
  EXPECT_EQ(DihedraCsv(unusable).error, kNoUsableData);
  EXPECT_EQ(DensityCsv(unusable, DensityOf::TAxes, DensityMethod::Kamb).text, "");
}

}  // namespace
}  // namespace orniva::analysis
