// The stress inversion's results window and the analysis diagrams of the
// Plot menu: the window follows loads, Use and Run reach the stress-axes
// diagram, a chosen row highlights, and the density submenu chooses the
// counting.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

// Six normal faults of differing strike and a seventh whose sense is the
// opposite of theirs; line 8 fails its checks.
constexpr char kNormalFaults[] =
    "90 45 90 45 N\n270 60 270 60 N\n0 50 0 50 N\n180 70 180 70 N\n45 30 45 30 N\n"
    "135 80 135 80 N\n225 55 225 55 R\n400 45 90 45 N\n";

TEST(StressNote, SwitchedOutBeforeTheSense) {
  EXPECT_EQ(StressNote({1, 120, true}), "sense opposite to the stress");
  EXPECT_EQ(StressNote({1, 90, true}), "");
  EXPECT_EQ(StressNote({1, 120, false}), "switched out");
}

TEST_F(WindowTest, StressInversionUseRunAndTheStressAxesDiagram) {
  Show();
  OpenThroughDialog(DataFile("normal.fdt", kNormalFaults));
  window->ActionStressAxes->trigger();
  window->ActionStressInversion->trigger();
  StressWindow* s = window->stressWindow();
  ASSERT_NE(s, nullptr);
  EXPECT_TRUE(s->isVisible());
  EXPECT_TRUE(s->summary()->text().contains("  7 faults used"));
  EXPECT_TRUE(s->summary()->text().endsWith("Left out (a check failed): lines 8."));
  ASSERT_EQ(s->table()->rowCount(), 7);
  EXPECT_EQ(s->table()->item(6, 3)->text(), "sense opposite to the stress");

  s->table()->item(0, 0)->setCheckState(Qt::Unchecked);  // line 1 out
  s->run();
  EXPECT_EQ(s->result().used, 6);
  EXPECT_EQ(s->table()->item(0, 3)->text(), "switched out");
  ASSERT_EQ(window->analysisChoices.use.size(), 9u);
  EXPECT_FALSE(window->analysisChoices.use[1]);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  s->setIterate(true);  // runs at once
  EXPECT_TRUE(window->analysisChoices.iterate);
  EXPECT_GT(s->result().rounds, 1);

  s->table()->sortItems(2, Qt::DescendingOrder);  // the reversed fault first
  s->copy();
  const QStringList lines = QApplication::clipboard()->text().split('\n');
  ASSERT_EQ(lines.size(), 9);  // header, seven rows, the final break
  EXPECT_EQ(lines[0], "Use\tLine\tMisfit \u03B2\tNote");
  EXPECT_TRUE(lines[1].startsWith("yes\t7\t"));
  s->table()->setCurrentCell(0, 1);
  Settle();
  EXPECT_EQ(window->StringGrid1->row(), 7);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(7)));

  OpenThroughDialog(DataFile("again.fdt", kNormalFaults));  // every fault back in
  EXPECT_TRUE(window->analysisChoices.use.empty());
  EXPECT_EQ(s->result().used, 7);
  EXPECT_EQ(s->windowTitle(), "Stress Inversion  [ again.fdt ]");
}

TEST_F(WindowTest, DensitySubmenuChoosesTheCountingAndTheDiagram) {
  Show();
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  window->ActionDensityP->trigger();
  EXPECT_EQ(window->PlotMode, PlotMode::Density);
  EXPECT_TRUE(window->ActionDensity->isChecked());
  EXPECT_EQ(window->analysisChoices.densityOf, analysis::DensityOf::PAxes);
  window->ActionOnePercent->trigger();
  EXPECT_EQ(window->analysisChoices.densityMethod, analysis::DensityMethod::OnePercent);
  window->ActionEqualArea->trigger();
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  window->ActionRightDihedra->trigger();
  EXPECT_FALSE(window->ActionDensity->isChecked());
  window->ActionDihedraPlanes->trigger();  // off
  EXPECT_FALSE(window->analysisChoices.dihedraPlanes);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
}

}  // namespace
}  // namespace orniva::ui::test
