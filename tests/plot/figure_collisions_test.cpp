// Figures without collisions: every text of a figure inside its page and
// clear of the net (or on a halo of its own over it), clear of every other
// text; the Mohr diagram filling its page; curves carrying their fine
// points; the phases' net drawing sigma1 and sigma3 as the stress axes do.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "analysis/stress_bootstrap.h"
#include "data/colours.h"
#include "data/fault_reader.h"
#include "plot/figures.h"
#include "plot/great_circles.h"
#include "plot/phase_axes_diagram.h"
#include "plot/text_box.h"
#include "tests/plot/plot_test_support.h"

namespace orniva::test {
namespace {

struct PlacedText {
  PlotBox box;
  std::string text;
  bool onHalo = false;  // a white box holding it was filled just before it
};

// Every text of `figure` with its box, and whether a halo lies under it.
std::vector<PlacedText> TextsOf(const Picture& figure) {
  std::vector<PlacedText> texts;
  std::vector<PlotBox> halos;  // white fills, newest last
  TColor brush = Rgb(255, 255, 255);
  for (const DrawRecord& r : figure.records()) {
    if (r.op == DrawOp::BrushColour) brush = TColor(r.a);
    if (r.op == DrawOp::FillRect && brush == Rgb(255, 255, 255))
      halos.push_back({r.a, r.b, r.c, r.d});
    if (r.op != DrawOp::Text) continue;
    const TextItem& item = figure.texts()[std::size_t(r.a)];
    PlacedText placed{TextBoxOf(item, {r.b, r.c}), item.utf8};
    placed.onHalo = !halos.empty() && halos.back().Contains(placed.box) &&
                    halos.back().right - halos.back().left < figure.width();
    texts.push_back(placed);
  }
  return texts;
}

// Whether the box reaches into the disc of radius r about c.
bool MeetsDisc(const PlotBox& b, TPoint c, double r) {
  const double dx = std::max({b.left - c.x, 0, c.x - b.right});
  const double dy = std::max({b.top - c.y, 0, c.y - b.bottom});
  return std::hypot(dx, dy) < r;
}

std::shared_ptr<analysis::StressBootstrap> ExampleBootstrap(const analysis::Study& study,
                                                            analysis::BootstrapRegion region) {
  const analysis::BootstrapSettings settings{100, 0.95, 1, region};
  return std::make_shared<analysis::StressBootstrap>(
      analysis::BootstrapStress(analysis::SetupOf(study), settings));
}

// The example file in each diagram with the layout, bootstrap regions of
// both kinds and every method's axes: each text inside the page; the notes,
// keys and the net's "N" clear of the net; the labels on the net on their
// halos; no two texts meeting.
TEST(FigureTexts, StayInsideTheirBoxesAndClearOfEachOther) {
  using M = PlotMode;
  using R = analysis::BootstrapRegion;
  const struct {
    M mode;
    std::optional<R> region;
    bool everyMethod;
    std::vector<std::string> onNet;  // the texts drawn on the net, each on a halo
  } cases[] = {
      {M::FaultPlaneAndStriation, {}, false, {}},
      {M::StressAxes, R::Symbols, false, {"1", "2", "3"}},
      {M::StressAxes, R::Contours, true, {"1", "2", "3"}},
      {M::Density, {}, false, {}},
      {M::RightDihedra, {}, false, {"\u03C31", "\u03C33"}},
      {M::KinematicAxes, {}, false, {}},
      {M::Tendency, {}, false, {}},
      {M::Mohr, {}, false, {}},
  };
  const FaultSet data = DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines);
  for (const auto& c : cases) {
    SCOPED_TRACE(PlotModeName(c.mode));
    analysis::Study study;
    study.data() = data;
    study.DataReplaced();
    study.SetEveryMethod(c.everyMethod);
    if (c.region) study.SetBootstrap(ExampleBootstrap(study, *c.region), study.StressKey());
    const FigureRequest request{c.mode,       Net(NetKind::EqualArea), SymbolSize::Medium, -1, true,
                                "example.fdt"};
    const Picture figure = DrawFigure(data, request, FiguresFor(c.mode, study, request.geometry));
    const PlotBox page{0, 0, figure.width(), figure.height()};
    const TPoint centre{500, kTitleBand + 500};
    const std::vector<PlacedText> texts = TextsOf(figure);
    std::vector<std::string> onNet;
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const PlacedText& t = texts[i];
      EXPECT_TRUE(page.Contains(t.box)) << t.text;
      if (c.mode != M::Mohr && MeetsDisc(t.box, centre, 450)) {
        onNet.push_back(t.text);
        EXPECT_TRUE(t.onHalo) << t.text;
      }
      for (std::size_t j = 0; j < i; ++j)
        EXPECT_FALSE(t.box.Meets(texts[j].box)) << t.text << " | " << texts[j].text;
    }
    EXPECT_EQ(onNet, c.onNet);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const PlacedText& t) { return t.text == "N"; }),
              c.mode == M::Mohr ? 0 : 1);
  }
}

// With the layout the Mohr diagram's page is only as high as the diagram:
// its drawing reaches within 50 units of the top and the bottom.
TEST(MohrDiagram, FillsTheFiguresPage) {
  const FaultSet data = DataFromLines(ReadDataFile(ORNIVA_EXAMPLE_FILE).lines);
  for (const bool layout : {false, true}) {
    PlotFixture f;
    const DiagramFigures figures = FiguresFor(PlotMode::Mohr, data, f.target.geometry);
    PlotDiagram(PlotMode::Mohr, data, f.target, -1, figures.Inputs(layout));
    std::int32_t top = f.picture.height(), bottom = 0;
    for (const PlacedText& t : TextsOf(f.picture))
      top = std::min(top, t.box.top), bottom = std::max(bottom, t.box.bottom);
    EXPECT_EQ(f.picture.height(), layout ? kMohrFigurePage.height : 1000);
    EXPECT_EQ(top < 50 && f.picture.height() - bottom < 50, layout) << top << " " << bottom;
  }
}

// Each fine point of a great circle lies within half a plot unit (and a
// hair for the rounding of floats) of the rounded point, on both nets and
// hemispheres, for planes of every dip.
TEST(GreatCircles, FinePointsLieOnTheirRoundedPoints) {
  const float planes[][2] = {{0, 0}, {30, 10}, {123.4f, 45}, {250, 89.9f}, {359, 90}};
  for (const NetKind kind : {NetKind::EqualAngle, NetKind::EqualArea})
    for (const Hemisphere hemisphere : {Hemisphere::Lower, Hemisphere::Upper})
      for (const auto& plane : planes) {
        NetGeometry g = Net(kind);
        g.hemisphere = hemisphere;
        TPoint points[kGreatCirclePoints];
        FinePoint fine[kGreatCirclePoints];
        GreatCirclePoints(g, plane[0], plane[1], points);
        FineGreatCirclePoints(g, plane[0], plane[1], fine);
        for (std::size_t k = 0; k < kGreatCirclePoints; ++k)
          EXPECT_TRUE(std::abs(fine[k].x - points[k].x * kFineUnits) <= 51 &&
                      std::abs(fine[k].y - points[k].y * kFineUnits) <= 51)
              << plane[0] << "/" << plane[1] << " point " << k;
      }
}

// sigma1 a square and sigma3 a circle on the phases' net as on the stress
// axes, each in its phase's colour at its axis, and a key naming both.
TEST(PhaseAxes, DrawSigma1AndSigma3AsTheStressAxesDo) {
  PlotFixture f;
  f.target.geometry.kind = NetKind::EqualArea;
  const TColor colour = Rgb(27, 158, 119);
  PlotPhaseAxes({{{colour, {90, 0}, {0, 90}, {{45, 45}}}}}, f.target);
  const std::vector<Drawn> drawn = DataDrawingOf(f.picture);
  auto find = [&](DrawOp op, TPoint at, TColor pen) {
    return std::any_of(drawn.begin(), drawn.end(), [&](const Drawn& d) {
      if (d.op != op || d.penColour != pen || d.points.empty()) return false;
      std::int64_t x = 0, y = 0;
      for (TPoint p : d.points) x += p.x, y += p.y;
      const auto n = std::int64_t(d.points.size());
      return std::abs(x / n - at.x) <= 1 && std::abs(y / n - at.y) <= 1;
    });
  };
  EXPECT_TRUE(find(DrawOp::Polygon, ProjectLine(f.target.geometry, {90, 0}), colour));
  EXPECT_TRUE(find(DrawOp::Ellipse, ProjectLine(f.target.geometry, {0, 90}), colour));
  EXPECT_TRUE(find(DrawOp::Polygon, {40, 50}, clBlack) &&
              find(DrawOp::Ellipse, {40, 120}, clBlack));
  std::vector<std::string> key;
  for (const Drawn& d : drawn)
    if (d.op == DrawOp::Text) key.push_back(d.text);
  EXPECT_EQ(key, (std::vector<std::string>{"\u03C31", "\u03C33"}));
}

}  // namespace
}  // namespace orniva::test
