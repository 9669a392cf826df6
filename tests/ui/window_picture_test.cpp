// What the window's image shows after any change equals a fresh drawing of
// the same state replayed whole, pixel for pixel, for every diagram (those
// with text and blended fills too): the raster kept, recoloured or
// composed with a highlight never shows a stale picture.
#include <QImage>

#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

using document::Edit;

class WindowPicture : public WindowTest, public ::testing::WithParamInterface<PlotMode> {
 protected:
  // The image as the control paints it, and as a new control paints a
  // fresh drawing of the same state. A change draws an analysis's diagram
  // again without the highlight; a diagram of the data alone keeps it.
  void ExpectFresh(const char* change, std::int16_t highlight = -1, bool highlighting = false) {
    Settle();
    SCOPED_TRACE(change);
    if (!highlighting && NeedsAnalysis(window->PlotMode)) highlight = -1;
    const Picture expected = Expected(highlight);
    EXPECT_TRUE(SamePicture(window->plotPicture, expected));
    PictureView freshView;
    freshView.resize(window->Image1->size());
    freshView.setPicture(&expected);
    EXPECT_TRUE(Shown(*window->Image1) == Shown(freshView));
  }
  static QImage Shown(PictureView& view) {
    QImage image(view.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    view.render(&image);
    return image;
  }
  void Do(const Edit& edit) { window->document.Do(edit, "change"); }
  void Choose(const std::function<void(analysis::AnalysisChoices&)>& change) {
    analysis::AnalysisChoices choices = window->study.choices();
    change(choices);
    window->document.SetChoices(choices);
  }
};

TEST_P(WindowPicture, AfterEveryChangeAsAFreshDrawing) {
  const PlotMode mode = GetParam();
  Show();
  OpenTen();
  Choose([](analysis::AnalysisChoices& c) {
    c.tendency.magnitudes = analysis::StressMagnitudes{3, 2, 1, 0};
  });
  window->ChooseDiagram(mode);
  window->StringGrid1->setCurrentCell(2, 1);  // no highlight from the grid's paints
  ExpectFresh("drawn");
  Do(Edit::Switch({2, 5}, true));
  ExpectFresh("two switched off");
  Do(Edit::NewPhase({"A", "#7570b3"}, 0, {1, 3, 4}));
  Choose([](analysis::AnalysisChoices& c) { c.colourByPhase = true; });
  ExpectFresh("coloured by phase");
  Do(Edit{document::SetPhaseInfo{1, {"A", "#e7298a"}}});
  ExpectFresh("the phase recoloured");
  window->document.Undo();
  ExpectFresh("undone");
  window->document.SetScope(1);
  ExpectFresh("one phase analysed");
  Do(Edit::LineText(6, "44 62 29.4 61.4 N"));
  ExpectFresh("a line edited");
  window->Replot(7);
  ExpectFresh("highlighted", 7, true);
  Do(Edit::Switch({3}, true));
  ExpectFresh("switched off while highlighted", 7);
  window->document.Undo();
  ExpectFresh("the edit undone", 7);
  window->resize(window->size() + QSize(80, 60));
  ExpectFresh("larger", 7);
  window->analysisMenu()->ActionEqualArea->trigger();
  ExpectFresh("on the equal-area net");
}

INSTANTIATE_TEST_SUITE_P(EveryDiagram, WindowPicture,
                         testing::Values(PlotMode::FaultPlaneAndStriation,
                                         PlotMode::TangentLineation, PlotMode::Poles,
                                         PlotMode::KinematicAxes, PlotMode::StressAxes,
                                         PlotMode::Density, PlotMode::RightDihedra, PlotMode::Rose,
                                         PlotMode::Mohr, PlotMode::Tendency));

}  // namespace
}  // namespace orniva::ui::test
