// Positions on the sphere: the SHmax bar checked by the inverse problem
// solved apart (tests/support/great_circle.h), the spherical mean, and the
// sites made from lines that carry them.
#include <gtest/gtest.h>

#include "survey/geodesy.h"
#include "survey/site_grouping.h"
#include "tests/support/great_circle.h"

namespace orniva::survey {
namespace {

double AxialDifference(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360);
  return std::fmin(d, 360 - d);
}

TEST(Geodesy, ShMaxBarHasItsLengthAndBearingByTheInverseProblem) {
  struct Row {
    GeoPosition centre;
    double shMax, km;
  };
  const Row rows[] = {{{-120.1, 36.05}, 0, 2},  {{-120.1, 36.05}, 13.01, 2}, {{10, -45}, 90, 0.5},
                      {{179.999, 12}, 89.9, 5}, {{-179.9995, -70}, 135, 2},  {{0, 84}, 179.99, 20}};
  for (const Row& r : rows) {
    const auto [a, b] = ShMaxBar(r.centre, r.shMax, r.km);
    const double length = test::HaversineDistance(a.lon, a.lat, b.lon, b.lat, kEarthRadiusM);
    EXPECT_NEAR(length, r.km * 1000, 1e-6) << r.shMax;
    for (const auto& [end, bearing] : {std::pair{a, r.shMax}, std::pair{b, r.shMax + 180}}) {
      EXPECT_NEAR(
          test::HaversineDistance(r.centre.lon, r.centre.lat, end.lon, end.lat, kEarthRadiusM),
          r.km * 500, 1e-6);
      EXPECT_LT(AxialDifference(test::InitialBearing(r.centre.lon, r.centre.lat, end.lon, end.lat),
                                bearing),
                1e-7);
      EXPECT_TRUE(end.lon >= -180 && end.lon < 180) << end.lon;
    }
  }
}

TEST(Geodesy, SphericalMean) {
  struct Row {
    std::vector<GeoPosition> positions;
    std::optional<GeoPosition> mean;
  };
  const Row rows[] = {
      {{{-120.1, 36}}, GeoPosition{-120.1, 36}},
      {{{10, 0}, {20, 0}}, GeoPosition{15, 0}},
      {{{179, 10}, {-179, 10}}, GeoPosition{-180, 10.0014925}},  // across the antimeridian
      {{{0, 89}, {180, 89}}, GeoPosition{0, 90}},
      {{{0, 0}, {180, 0}}, std::nullopt},  // in balance
      {{}, std::nullopt},
  };
  for (const Row& r : rows) {
    const std::optional<GeoPosition> mean = SphericalMean(r.positions);
    ASSERT_EQ(mean.has_value(), r.mean.has_value());
    if (!mean) continue;
    EXPECT_NEAR(mean->lat, r.mean->lat, 1e-6);
    EXPECT_NEAR(AxialDifference(mean->lon, r.mean->lon), 0, 1e-9);
  }
}

TEST(SiteGrouping, OneSitePerNameAtTheMeanOfItsLines) {
  const std::vector<LineSite> lines = {
      {1, "B", GeoPosition{10, 0}, 100.0, "", "2024"},
      {2, "A", std::nullopt, std::nullopt, "Hill", ""},
      {3, "", GeoPosition{50, 50}, std::nullopt, "", ""},
      {4, "B", GeoPosition{20, 0}, 200.0, "Ridge", "2025"},
      {5, "A", std::nullopt, std::nullopt, "", ""},
  };
  const std::vector<SiteEntry> sites = SitesFromLines("f.fdt", lines);
  ASSERT_EQ(sites.size(), 2u);
  EXPECT_EQ(sites[0].name, "B");
  EXPECT_EQ(sites[0].lines, (std::vector<int>{1, 4}));
  EXPECT_NEAR(sites[0].position->lon, 15, 1e-9);
  EXPECT_EQ(sites[0].elevation, 150.0);
  EXPECT_EQ(sites[0].locality, "Ridge");
  EXPECT_EQ(sites[0].date, "2024");
  EXPECT_EQ(sites[1].data, "f.fdt");
  EXPECT_EQ(sites[1].lines, (std::vector<int>{2, 5}));
  EXPECT_FALSE(sites[1].position || sites[1].elevation);
}

}  // namespace
}  // namespace orniva::survey
