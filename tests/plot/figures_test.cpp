// The figures the analyses hand to the diagrams: what each diagram draws
// of the analysis's result and of the user's choices.
#include "plot/figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "data/fault_reader.h"
#include "math/numeric.h"
#include "math/vector3d.h"
#include "tests/plot/plot_test_support.h"

namespace orniva {
namespace {

using test::Net;

// Axial angle between a stored line and a direction [deg].
double AxialAngle(directional_operations::Orientation line, math::Vector3d d) {
  const double a = math::AngleBetween(math::LineVector(line.trend, line.plunge), d);
  return std::min(a, 180 - a);
}

// A normal fault dipping east down its dip: n = (1, 0, 1) / sqrt 2 and
// s = (1, 0, -1) / sqrt 2, so (d . n)(d . s) = (dx^2 - dz^2) / 2. The sigma1
// label lies in the middle of the compressional dihedron (about P,
// vertical), the sigma3 label in that of the extensional one (about T,
// east-west, split across the primitive circle), on both nets.
// Save Figure As's name: the data file's stem (folders and the last
// extension gone) and the diagram's command-line name.
TEST(ProposedFigureName, IsTheDataFilesStemAndTheDiagram) {
  const struct {
    std::string path;
    PlotMode mode;
    std::string extension, name;
  } cases[] = {
      {"/data/site 4.fdt", PlotMode::StressAxes, "svg", "site 4-stress-axes.svg"},
      {"C:\\geo\\a.b.fdt", PlotMode::RightDihedra, "pdf", "a.b-dihedra.pdf"},
      {"", PlotMode::FaultPlaneAndStriation, "png", "orniva-fault-planes.png"},
      {"/data/.fdt", PlotMode::Mohr, "emf", ".fdt-mohr.emf"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProposedFigureName(c.path, c.mode, c.extension), c.name) << c.path;
}

TEST(DihedraFigure, LabelsInTheRegionsOfTheAxesOnBothNets) {
  const FaultSet data = test::DataFromLines({"90 45 90 45 N"});
  for (NetKind kind : {NetKind::EqualAngle, NetKind::EqualArea}) {
    AnalysisChoices choices;
    choices.dihedraPlanes = false;
    const DiagramFigures f = FiguresFor(PlotMode::RightDihedra, data, Net(kind), choices);
    ASSERT_TRUE(f.hasField);
    EXPECT_EQ(f.field.levelLabels,
              (std::vector<std::string>{"0 %", "25 %", "50 %", "75 %", "100 %"}));
    EXPECT_FALSE(f.field.planes);
    ASSERT_EQ(f.field.labels.size(), 2u);
    EXPECT_EQ(f.field.labels[0].text, std::string("\u03C3") + "1");
    EXPECT_LT(AxialAngle(f.field.labels[0].at, {0, 0, 1}), 3);
    EXPECT_LT(AxialAngle(f.field.labels[1].at, {1, 0, 0}), 3);
    EXPECT_FALSE(f.field.bands.empty());
  }
}

// Ten poles in one direction: levels 2, 4, ... sigma up to the peak, a band
// of every level, bands within the primitive circle, and a point per datum
// used (none for the line that failed a check).
TEST(DensityFigure, LevelsBandsAndPointsOfTheDataUsed) {
  std::vector<std::string> lines(10, "90 45 90 45 N");
  lines.push_back("400 45 90 45 N");
  const DiagramFigures f =
      FiguresFor(PlotMode::Density, test::DataFromLines(lines), Net(NetKind::EqualArea));
  ASSERT_TRUE(f.hasField);
  ASSERT_GE(f.field.levelLabels.size(), 2u);
  EXPECT_EQ(f.field.levelLabels[0], "2\u03C3");
  EXPECT_EQ(f.field.levelLabels[1], "4\u03C3");
  EXPECT_EQ(f.field.levelColours.size(), f.field.levelLabels.size());
  std::vector<bool> seen(f.field.levelLabels.size(), false);
  for (const FieldFigure::Band& band : f.field.bands) {
    seen.at(std::size_t(band.level)) = true;
    for (TPoint p : band.points) EXPECT_LE(std::hypot(p.x - 500, p.y - 500), 451);
  }
  for (std::size_t k = 0; k < seen.size(); ++k) EXPECT_TRUE(seen[k]) << k;
  ASSERT_EQ(f.field.points.size(), 12u);
  EXPECT_TRUE(f.field.points[10].has_value());
  EXPECT_FALSE(f.field.points[11].has_value());
  EXPECT_LT(AxialAngle(*f.field.points[1], {-std::sqrt(0.5), 0, -std::sqrt(0.5)}), 0.01);
}

// The summary of one fault is its own axes, each in its place.
TEST(KinematicFigure, SummaryAxesInTheirPlaces) {
  const DiagramFigures f = FiguresFor(
      PlotMode::KinematicAxes, test::DataFromLines({"90 45 90 45 N"}), Net(NetKind::EqualArea));
  ASSERT_TRUE(f.kinematicAxes.summary.has_value());
  EXPECT_LT(AxialAngle(f.kinematicAxes.summary->p, {0, 0, 1}), 0.01);
  EXPECT_LT(AxialAngle(f.kinematicAxes.summary->t, {1, 0, 0}), 0.01);
  EXPECT_LT(AxialAngle(f.kinematicAxes.summary->b, {0, 1, 0}), 0.01);
}

TEST(StressFigure, SwitchedOutFaultsAndARefusal) {
  const FaultSet data =
      test::DataFromLines({"90 45 90 45 N", "270 60 270 60 N", "0 50 0 50 N", "180 70 180 70 N",
                           "45 30 45 30 N", "135 80 135 80 N"});
  analysis::Study study;
  study.data() = data;
  study.DataReplaced();
  study.SetOff({1}, true);
  DiagramFigures f = FiguresFor(PlotMode::StressAxes, study, Net(NetKind::EqualAngle));
  ASSERT_TRUE(f.hasStressAxes);
  EXPECT_EQ(f.stressAxes.switchedOut,
            (std::vector<bool>{false, true, false, false, false, false, false}));
  ASSERT_TRUE(f.stressAxes.axes.has_value());
  EXPECT_GT((*f.stressAxes.axes)[0].plunge, 60);  // normal faults: sigma1 steep
  study.SetOff({2, 3}, true);                     // 3 faults: refused
  f = FiguresFor(PlotMode::StressAxes, study, Net(NetKind::EqualAngle));
  EXPECT_FALSE(f.stressAxes.axes.has_value());
  EXPECT_NE(FiguresFor(PlotMode::StressAxes, data, Net(NetKind::EqualAngle)).revision, f.revision);
}

// Whether `picture` draws a polygon of method `k`'s sigma1 or sigma3 style:
// anywhere, or as the symbol of the symbol radius centred on `at`.
bool DrawsMethod(const Picture& picture, std::size_t k, bool sigma1,
                 std::optional<TPoint> at = std::nullopt) {
  const MethodSymbolStyle style = MethodStyle(k, sigma1);
  const std::int32_t r = SymbolRadius(Net(), SymbolSize::Medium);
  for (const test::Drawn& d : EffectiveDrawing(picture))
    if (d.op == DrawOp::Polygon && d.penColour == style.pen && d.brushColour == style.brush &&
        d.penWidth == style.width && (!at || d.points == MethodSymbolOutline(k, *at, r)))
      return true;
  return false;
}

// Each method that solved the data draws its sigma1 and sigma3 where its
// axes project; a refused method draws nothing, and so does every method
// with the choice off.
TEST(StressFigure, EveryMethodsSigma1AndSigma3AtItsAxes) {
  const FaultSet data =
      test::DataFromLines({"90 45 90 45 N", "270 60 270 60 N", "0 50 0 50 N", "180 70 180 70 N",
                           "45 30 45 30 N", "135 80 135 80 N"});
  const struct {
    std::vector<int> off;
    bool everyMethod;
    int solved;  // methods that solve the faults used
  } rows[] = {{{}, true, 5}, {{1, 2}, true, 1}, {{}, false, 5}};
  for (const auto& row : rows) {
    analysis::Study study;
    study.data() = data;
    study.DataReplaced();
    study.SetOff(row.off, true);
    study.SetEveryMethod(row.everyMethod);
    test::PlotFixture f;
    PlotDiagram(PlotMode::StressAxes, data, f.target, -1,
                FiguresFor(PlotMode::StressAxes, study, f.target.geometry).Inputs());
    const auto results = study.StressByEveryMethod();
    int solved = 0;
    for (std::size_t k = 0; k < results.size(); ++k) {
      SCOPED_TRACE(testing::Message() << "method " << k << " on " << row.everyMethod);
      auto at = [&](std::size_t axis) {
        const math::TrendPlunge a = results[k].axes[axis];
        return ProjectLine(f.target.geometry, {numeric::Store(a.trend), numeric::Store(a.plunge)});
      };
      const bool drawn = row.everyMethod && results[k].error.empty();
      solved += results[k].error.empty() ? 1 : 0;
      EXPECT_EQ(DrawsMethod(f.picture, k, true), drawn);
      EXPECT_EQ(DrawsMethod(f.picture, k, false), drawn);
      if (!drawn) continue;
      EXPECT_TRUE(DrawsMethod(f.picture, k, true, at(0)));
      EXPECT_TRUE(DrawsMethod(f.picture, k, false, at(2)));
    }
    EXPECT_EQ(solved, row.solved);
  }
}

}  // namespace
}  // namespace orniva
