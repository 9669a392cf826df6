// The kinematics results window: its warnings, and the wiring to the main window (it follows loads; a chosen row highlights).
#include <QLabel>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

TEST(KinematicsWarnings, MisfitAboveTheThresholdAndLateralOnDipSlip) {
  analysis::KinematicAxes axes;
  axes.misfit = 20.5;
  EXPECT_EQ(KinematicsWarnings(axes, 20), "Misfit above 20.00°");
  EXPECT_EQ(KinematicsWarnings(axes, 20.5), "");
  axes.lateralOnDipSlip = true;
  EXPECT_EQ(KinematicsWarnings(axes, 10),
            "Misfit above 10.00°; Lateral sense on a dip-slip striation");
}

// Sorting, copying and choosing a row are the result tables' own, tested
// through the stress window.
TEST_F(WindowTest, KinematicsFollowsTheDataAndHighlights) {
  Show();
  OpenThroughDialog(DataFile("three.fdt", "90 45 90 45 N\n400 45 90 45 R\n0 0 90 30 S\n"));
  window->ActionKinematics->trigger();
  KinematicsWindow* k = window->kinematicsWindow();
  ASSERT_NE(k, nullptr);
  EXPECT_TRUE(k->isVisible());
  EXPECT_EQ(k->summary()->text(), "2 data used. Left out (a check failed): lines 2.");
  ASSERT_EQ(k->table()->rowCount(), 2);
  EXPECT_EQ(k->table()->item(1, 8)->text(), "Misfit above 20.00°");  // line 3, misfit 30
  k->setMisfitThreshold(45);
  EXPECT_EQ(k->table()->item(1, 8)->text(), "");
  k->table()->setCurrentCell(1, 0);  // line 3, the last datum
  Settle();
  EXPECT_EQ(window->StringGrid1->row(), 3);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(3)));
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  EXPECT_EQ(k->table()->rowCount(), 10);
  EXPECT_EQ(k->windowTitle(), "Kinematics  [ ten.fdt ]");
}

}  // namespace
}  // namespace orniva::ui::test
