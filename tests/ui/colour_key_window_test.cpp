// The main window's colour key beside or below the picture, following the
// diagram, the data and their undo, never drawn into the picture; and the
// results windows, whose extra height goes to their per-fault table while
// their small tables keep to their columns.
#include <QHeaderView>
#include <QTableView>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "tests/ui/ui_test_support.h"
#include "ui/results/kinematics_window.h"
#include "ui/results/separation_window.h"
#include "ui/results/stress_window.h"

namespace orniva::ui::test {
namespace {

const QString kKambOfTen =
    QString::fromUtf8("Kamb (1959) contours of 10 poles, every 2\u03C3 (uniform: 3\u03C3)");

bool Within(const QWidget* part, const QWidget* whole) {
  return QRect(QPoint(0, 0), whole->size()).contains(part->geometry());
}

// Widened, the window shows the key to the right of the picture for the
// density, with the picture, its place and its size as without it; the key
// follows the data in use and their undo and hides for the data alone.
TEST_F(WindowTest, TheColourKeyFollowsTheDiagramAndTheData) {
  Show();
  OpenTen();
  window->resize(window->width() + 300, window->height());
  Settle();
  const QRect image = window->Image1->geometry();
  const ColourKeyView* key = window->ColourKey1;
  EXPECT_TRUE(key->isHidden());
  window->ChooseDiagram(PlotMode::Density);
  Settle();
  ASSERT_FALSE(key->isHidden());
  EXPECT_EQ(key->lines().front(), kKambOfTen);
  EXPECT_EQ(window->Image1->geometry(), image);
  EXPECT_GT(key->x(), image.right());
  EXPECT_TRUE(Within(key, key->parentWidget()));
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  window->document.Do(document::Edit::Switch({1}, true), "off");
  EXPECT_TRUE(key->lines().front().contains(" 9 poles"));
  window->document.Undo();
  EXPECT_EQ(key->lines().front(), kKambOfTen);
  window->ChooseDiagram(PlotMode::FaultPlaneAndStriation);
  EXPECT_TRUE(key->isHidden());
}

// At the first size there is no room: the picture keeps its size and the
// key waits, unless the user asks the picture to make room; a tall window
// shows it below the picture.
TEST_F(WindowTest, TheColourKeyTakesRoomOnlyWhenAsked) {
  Show();
  OpenTen();
  window->ChooseDiagram(PlotMode::RightDihedra);
  Settle();
  const QSize first = window->Image1->size();
  const ColourKeyView* key = window->ColourKey1;
  EXPECT_EQ(first, QSize(390, 390));
  EXPECT_TRUE(key->isHidden());
  window->ActionKeyRoom->trigger();
  Settle();
  EXPECT_FALSE(key->isHidden());
  EXPECT_LT(window->Image1->width(), first.width());
  EXPECT_GT(key->x(), window->Image1->geometry().right());
  EXPECT_TRUE(Within(key, key->parentWidget()));
  EXPECT_TRUE(key->lines().contains(QString::fromUtf8("100 %, compressional (P, \u03C31 side)")));
  window->ActionKeyRoom->trigger();
  Settle();
  EXPECT_EQ(window->Image1->size(), first);
  window->resize(window->width(), window->height() + 400);
  Settle();
  ASSERT_FALSE(key->isHidden());
  EXPECT_GT(key->y(), window->Image1->geometry().bottom());
  EXPECT_TRUE(Within(key, key->parentWidget()));
}

// A results window made taller than its first size gives all the height to
// its per-fault table; made wider, its small table keeps its width and its
// columns.
void ExpectRoomToTheFaults(QWidget* window, QTableView* faults, QTableView* small) {
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  Settle();
  const int faultsHigh = faults->height(), smallHigh = small->height(), smallWide = small->width(),
            lastColumn = small->horizontalHeader()->count() - 1,
            lastWide = small->columnWidth(lastColumn);
  EXPECT_LT(smallWide, window->width() - 100) << window->objectName().toStdString();
  window->resize(window->size() + QSize(0, 300));
  Settle();
  EXPECT_EQ(faults->height(), faultsHigh + 300) << window->objectName().toStdString();
  EXPECT_EQ(small->height(), smallHigh);
  window->resize(window->size() + QSize(400, 0));
  Settle();
  EXPECT_EQ(small->width(), smallWide);
  EXPECT_EQ(small->columnWidth(lastColumn), lastWide);
}

TEST_F(WindowTest, ResultsWindowsGiveTheirHeightToTheFaults) {
  Show();
  OpenTen();
  window->analysisMenu()->ActionKinematics->trigger();
  KinematicsWindow* k = window->analysisMenu()->kinematicsWindow();
  ASSERT_NE(k, nullptr);
  ExpectRoomToTheFaults(k, k->table(), k->binghamTable());
  window->analysisMenu()->ActionStressInversion->trigger();
  StressWindow* s = window->analysisMenu()->stressWindow();
  ASSERT_NE(s, nullptr);
  ExpectRoomToTheFaults(s, s->table(), s->axesTable());
  StubServices stub;
  SeparationWindow separation(window->document, stub, [](const auto&) {});
  ExpectRoomToTheFaults(&separation, separation.faultTable(), separation.phaseTable());
}

}  // namespace
}  // namespace orniva::ui::test
