// Positions on the sphere: the SHmax bar checked by the inverse problem
// solved apart (tests/support/great_circle.h), the spherical mean, and the
// sites made from lines that carry them.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/curation.h"
#include "document/opening.h"
#include "survey/geodesy.h"
#include "survey/site_grouping.h"
#include "tests/support/great_circle.h"
#include "tests/support/test_support.h"

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

// A data file's sites from its curation file's per-line attributes; the
// whole file one site when no line names one.
TEST(SiteGrouping, TheSitesOfADataFileFromItsLinesAttributes) {
  test::TempDir dir;
  const std::string data = "10 20 30 10 N\n50 60 70 30 R\n90 40 100 20 N\n";
  test::WriteFile(dir.File("f.fdt"), data);
  test::WriteFile(dir.File("plain.fdt"), data);
  test::WriteFile(dir.File("bad.fdt"), data);
  test::WriteFile(CurationPathFor(dir.File("bad.fdt")), "nonsense");
  Curation curation;
  curation.attributes = {{1, "B", 10.0, 0.0, 5.0, {}, "", "2024", "", "", {}},
                         {3, "B", 20.0, 0.0, {}, {}, "", "", "", "", {}},
                         {2, "A", {}, {}, {}, {}, "", "", "", "", {}}};
  test::WriteFile(CurationPathFor(dir.File("f.fdt")),
                  CurationText(curation, "f.fdt", 3, document::Sha256Of(data)));
  const std::vector<LineSite> lines = {{1, "B", GeoPosition{10, 0}, 5.0, "", "2024"},
                                       {2, "A", std::nullopt, std::nullopt, "", ""},
                                       {3, "B", GeoPosition{20, 0}, std::nullopt, "", ""}};
  SiteEntry whole;
  whole.name = "whole";
  whole.data = "d.fdt";
  const struct {
    std::string file;
    std::vector<SiteEntry> sites;
    std::string error;
  } rows[] = {
      {"f.fdt", SitesFromLines("d.fdt", lines), ""},
      {"plain.fdt", {whole}, ""},
      {"none.fdt", {}, "cannot read " + dir.File("none.fdt") + ": "},
      {"bad.fdt", {}, CurationPathFor(dir.File("bad.fdt")) + ": "},
  };
  for (const auto& row : rows) {
    const FileSites found = SitesOfDataFile(dir.File(row.file), "d.fdt", "whole");
    EXPECT_EQ(found.sites, row.sites) << row.file;
    EXPECT_EQ(found.error.substr(0, row.error.size()), row.error) << row.file;
    EXPECT_EQ(found.error.empty(), row.error.empty()) << row.file;
  }
  EXPECT_FALSE(
      std::filesystem::exists(dir.File("VORN.log")));  // a survey writes nothing beside its data
}

}  // namespace
}  // namespace orniva::survey
