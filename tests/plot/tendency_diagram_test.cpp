// The tendency diagram at known nodes: the poles of the principal planes.
#include "plot/tendency_diagram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "data/fault_reader.h"
#include "tests/plot/plot_test_support.h"

namespace orniva {
namespace {

using analysis::TendencyOf;

// The highest level of the bands that hold `p` (-1: none); a band rounded
// to a point holds nothing.
int LevelAt(const FieldFigure& figure, TPoint p) {
  int level = -1;
  for (const FieldFigure::Band& band : figure.bands) {
    int positive = 0, negative = 0;
    for (std::size_t k = 0; k < band.points.size(); ++k) {
      const TPoint a = band.points[k], b = band.points[(k + 1) % band.points.size()];
      const long long cross =
          (long long)(b.x - a.x) * (p.y - a.y) - (long long)(b.y - a.y) * (p.x - a.x);
      positive += cross > 0, negative += cross < 0;
    }
    if ((positive == 0 || negative == 0) && positive + negative > 0)
      level = std::max(level, band.level);
  }
  return level;
}

// `p` moved 10 units towards the centre when it lies on the rim, where the
// bands stop just inside the primitive circle.
TPoint Inside(TPoint p, const NetGeometry& g) {
  const double dx = p.x - g.netCentre.x, dy = p.y - g.netCentre.y, r = std::hypot(dx, dy);
  if (r < g.netRadius - 10) return p;
  const double f = (g.netRadius - 10) / r;
  return {g.netCentre.x + std::int32_t(dx * f), g.netCentre.y + std::int32_t(dy * f)};
}

// On the planes normal to sigma1, sigma2 and sigma3 tau = 0, so Ts' = 0;
// Td = 0, (100 - 60) / 60 = 0.67 and 1 (bands 0, 0.6 and 0.8). Without
// magnitudes only the poles are drawn.
TEST(TendencyField, BandsAtThePolesOfThePrincipalPlanesOnBothNets) {
  analysis::Study study;
  study.data() = test::DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines);
  study.DataReplaced();
  const FieldFigure bare = TendencyField(study, test::Net());
  EXPECT_TRUE(bare.bands.empty());
  EXPECT_EQ(std::count(bare.points.begin(), bare.points.end(), std::nullopt), 1);  // index 0
  const int expected[2][3] = {{0, 0, 0}, {0, 3, 4}};
  for (const NetKind kind : {NetKind::EqualAngle, NetKind::EqualArea})
    for (const TendencyOf of : {TendencyOf::Slip, TendencyOf::Dilation}) {
      study.SetTendency({analysis::StressMagnitudes{100, 60, 40, 0}, of});
      const FieldFigure f = TendencyField(study, test::Net(kind));
      ASSERT_EQ(f.labels.size(), 3u);
      for (std::size_t k = 0; k < 3; ++k) {
        const TPoint at = Inside(ProjectLine(test::Net(kind), f.labels[k].at), test::Net(kind));
        EXPECT_EQ(LevelAt(f, at), expected[int(of)][k]) << int(kind) << " " << int(of) << " " << k;
      }
      EXPECT_EQ(f.levelLabels.front(), of == TendencyOf::Slip ? "Ts\u2032 0" : "Td 0");
    }
}

}  // namespace
}  // namespace orniva
