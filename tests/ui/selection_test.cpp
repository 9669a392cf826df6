// The one selection: how a pick changes it, picking on the net with the
// mouse, the data table showing it and the commands on it.
#include <QLabel>
#include <QMenu>
#include <QTableView>

#include "plot/pick_points.h"
#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

TEST(DataSelection, PickReplacesJoinsOrLeavesIt) {
  document::Document document;
  // clang-format off
  const struct { Qt::KeyboardModifiers keys; std::vector<int> picked, expected; } rows[] = {
      {Qt::NoModifier,      {5, 3, 3}, {3, 5}},
      {Qt::ShiftModifier,   {5, 1},    {1, 2, 4, 5}},
      {Qt::ControlModifier, {4, 9},    {2}},
  };
  // clang-format on
  for (const auto& row : rows) {
    DataSelection selection(document);
    selection.Change({4, 2}, SelectionChange::Replace);
    selection.Change(row.picked, ChangeFor(row.keys));
    EXPECT_EQ(selection.lines(), row.expected);
  }
}

class SelectionTest : public WindowTest {
 protected:
  void SetUp() override {
    OpenTen();
    Show();
    window->selectionCommands()->ActionSelectMode->setChecked(true);
  }
  // Where the diagram drawn puts datum `line`, in the control's pixels.
  QPoint PixelOf(int line) const {
    const auto points = PickPoints(window->PlotMode, window->faultSet, window->netGeometry,
                                   window->figures.figures());
    for (const auto& datum : points)
      if (datum.line == line) {
        const double scale = double(window->Image1->width()) / window->plotPicture.width();
        return QPoint(int(datum.point.x * scale + 0.5), int(datum.point.y * scale + 0.5));
      }
    return {};
  }
  void Click(int line, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QTest::mouseClick(window->Image1, Qt::LeftButton, keys, PixelOf(line));
  }
  const std::vector<int>& Selected() { return window->selection().lines(); }
};

TEST_F(SelectionTest, ClickAndLassoOnTheNetSelectInEveryView) {
  Click(3);
  Click(9, Qt::ShiftModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{3, 9}));
  EXPECT_EQ(window->Image1->marks().size(), 2u);
  window->curationCommands()->ShowTable();
  DataTableWindow* table = window->curationCommands()->table();
  EXPECT_EQ(table->selectedLines(), (std::vector<int>{3, 9}));
  Click(3, Qt::ControlModifier);
  EXPECT_EQ(table->selectedLines(), (std::vector<int>{9}));

  // A drag round the whole control takes every datum; a click off them none.
  const int side = window->Image1->width() - 1;
  QTest::mousePress(window->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
  for (const QPoint corner : {QPoint(side, 1), QPoint(side, side), QPoint(1, side)})
    QTest::mouseMove(window->Image1, corner);
  QTest::mouseRelease(window->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(1, side));
  EXPECT_EQ(Selected(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  QTest::mouseClick(window->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
  EXPECT_TRUE(Selected().empty());

  table->view()->selectRow(4);
  EXPECT_EQ(Selected(), (std::vector<int>{5}));
  for (QAction* action : window->selectionCommands()->Select1->actions())
    if (action->text() == "Switch Selection O&ff") action->trigger();
  EXPECT_TRUE(window->study.curation().off[5]);
  window->selectionCommands()->CopySelection();
  EXPECT_EQ(services.clipboard, "73 69 123 59 R\n");
}

TEST_F(SelectionTest, WindowConeAndReadout) {
  services.textAnswers = {QStringLiteral("20,60,50,70"), QStringLiteral("30,0,20"),
                          QStringLiteral("10,20,30")};
  window->selectionCommands()->SelectInWindow(SelectionChange::Replace);
  EXPECT_EQ(Selected(), (std::vector<int>{6, 7, 8}));
  window->selectionCommands()->SelectInCone(SelectionChange::Add);
  EXPECT_EQ(Selected(), (std::vector<int>{6, 7, 8, 9, 10}));
  window->selectionCommands()->SelectInWindow(SelectionChange::Replace);
  EXPECT_EQ(services.messages.back(),
            "The window needs T1,T2,P1,P2 (trends 0 to 360, 0 <= P1 <= P2 <= 90), not '10,20,30'.");
  EXPECT_EQ(Selected(), (std::vector<int>{6, 7, 8, 9, 10}));

  const QString readout = window->selectionCommands()->ReadoutAt(QPointF(500, 500));
  EXPECT_TRUE(readout.startsWith("Line 000/90   Plane 180/00   Nearest: line "))
      << readout.toStdString();
  window->document.Do(document::Edit::LineText(1, "97 57 137 50 N"), "edit");
  EXPECT_EQ(Selected(), (std::vector<int>{6, 7, 8, 9, 10}));  // a value edited: kept
  window->document.Do(document::Edit::Remove({2}), "delete");
  EXPECT_TRUE(Selected().empty());  // the lines renumbered: nothing selected
}

}  // namespace
}  // namespace orniva::ui::test
