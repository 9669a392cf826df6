// The stress map: the local equirectangular projection against distances
// on the sphere, the scale bar's lengths, and the bars as recorded.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/stress_map.h"
#include "tests/support/great_circle.h"

namespace orniva {
namespace {

TEST(StressMap, ProjectionKeepsNorthUpAndDistancesLocally) {
  const std::vector<StressMapSite> sites = {
      {"W", -120.2, 36.0}, {"E", -120.0, 36.0}, {"N", -120.1, 36.1}, {"S", -120.1, 35.95}};
  const StressMapFrame frame = StressMapFrameOf(sites);
  double x[4], y[4];
  for (int i = 0; i < 4; ++i) StressMapPoint(frame, sites[i].lon, sites[i].lat, x[i], y[i]);
  EXPECT_LT(x[0], x[1]);
  EXPECT_LT(y[2], y[3]);
  EXPECT_NEAR(x[2], x[3], 1e-9);
  EXPECT_NEAR((x[0] + x[1]) / 2, (x[2] + x[3]) / 2, 1e-9);  // centred on the extent
  for (const auto& [a, b] : {std::pair{0, 1}, std::pair{2, 3}, std::pair{0, 2}}) {
    const double km =
        test::HaversineDistance(sites[a].lon, sites[a].lat, sites[b].lon, sites[b].lat, 6371008.8) /
        1000;
    EXPECT_NEAR(std::hypot(x[a] - x[b], y[a] - y[b]) / frame.unitsPerKm / km, 1, 2e-3);
  }
  // Across the antimeridian the two sites stay side by side.
  const StressMapFrame date = StressMapFrameOf({{"a", 179.99, 0}, {"b", -179.99, 0}});
  double ax, ay, bx, by;
  StressMapPoint(date, 179.99, 0, ax, ay);
  StressMapPoint(date, -179.99, 0, bx, by);
  EXPECT_NEAR((bx - ax) / date.unitsPerKm, 2.2239, 1e-3);
}

TEST(StressMap, ScaleBarIsOneTwoOrFiveTimesAPowerOfTen) {
  const std::pair<std::pair<double, double>, double> rows[] = {
      {{100, 250}, 2}, {{40, 250}, 5}, {{1000, 250}, 0.2}, {{0.25, 250}, 1000}, {{250, 250}, 1}};
  for (const auto& [scale, km] : rows)
    EXPECT_DOUBLE_EQ(ScaleBarKm(scale.first, scale.second), km) << scale.first;
}

TEST(StressMap, BarsLieAlongShMaxInTheirColourAboutTheSite) {
  StressMap map;
  map.sites = {{"A", 10, 45}};
  const TColor red = Rgb(200, 0, 0), green = Rgb(0, 200, 0);
  map.bars = {{0, 90, red}, {0, 0, green}};
  map.key = {{"phase A", red}};
  map.ringed = 0;
  const Picture picture = DrawStressMap(map);
  std::vector<std::pair<TColor, std::pair<TPoint, TPoint>>> bars;
  TColor pen = 0;
  const auto& r = picture.records();
  for (std::size_t i = 0; i + 1 < r.size(); ++i) {
    if (r[i].op == DrawOp::PenColour) pen = TColor(r[i].a);
    if (r[i].op == DrawOp::MoveTo && r[i + 1].op == DrawOp::LineTo && (pen == red || pen == green))
      bars.push_back({pen, {{r[i].a, r[i].b}, {r[i + 1].a, r[i + 1].b}}});
  }
  ASSERT_EQ(bars.size(), 3u);  // the two bars, then the key's sample
  const auto [first, second] = bars[0].second;
  EXPECT_EQ(first.y, second.y);
  EXPECT_EQ(second.x - first.x, 80);
  EXPECT_EQ(bars[1].second.first.x, bars[1].second.second.x);
  EXPECT_EQ(bars[1].second.first.y - bars[1].second.second.y, 80);
  EXPECT_EQ((first.x + second.x) / 2, bars[1].second.first.x);
  std::vector<std::string> texts;
  for (const TextItem& t : picture.texts()) texts.push_back(t.utf8);
  for (const char* text : {"A", "N", "phase A", "200 m"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
  const auto polylines = std::count_if(
      r.begin(), r.end(), [](const DrawRecord& d) { return d.op == DrawOp::Polyline; });
  EXPECT_EQ(polylines, 2);  // the frame and the ring about the site
}

}  // namespace
}  // namespace orniva
