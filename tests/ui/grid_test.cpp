// The data grid: its model and number format, its look, and the cell-draw
// event that highlights the focused row, both from scripted cell sequences
// and from real clicks and keys on the offscreen window.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "ui/About.h"
#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

constexpr CellState kFocused = gdSelected | gdFocused;

// ---- model and numbers ---------------------------------------------------------

TEST(GridNumbers, ShowFifteenDigitsOfTheWidenedFloat) {
  EXPECT_EQ(FormatGridNumber(30.1f), "30.1000003814697");
  EXPECT_EQ(FormatGridNumber(30.5f), "30.5");
  EXPECT_EQ(FormatGridNumber(120.0f), "120");
  EXPECT_EQ(FormatGridNumber(0.0f), "0");
  EXPECT_EQ(FormatGridNumber(1234.5f), "1234.5");  // no group separator
}

TEST(GridNumbers, UseTheLocalesDecimalSeparator) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(FormatGridNumber(30.5f), "30,5");
  EXPECT_EQ(FormatGridNumber(1234.5f), "1234,5");
  QLocale::setDefault(saved);
}

TEST(FaultGridModel, PassesTheModelTesterThroughLoads) {
  FaultSet data;
  FaultGridModel model(data);
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  EXPECT_EQ(model.gridRowCount(), 101);
  EXPECT_EQ(model.rowCount(), 100);
  EXPECT_EQ(model.columnCount(), 5);
  data.Recreate(3);
  data[2].faz = 30.1f;
  data[3].sense = "N";
  model.setGridRowCount(4);
  model.clearCells();
  model.fillCells(3);
  EXPECT_EQ(model.rowCount(), 3);
  EXPECT_EQ(model.data(model.index(1, 0)).toString(), "30.1000003814697");
  EXPECT_EQ(model.data(model.index(2, 4)).toString(), "N");
  model.setGridRowCount(1);
  EXPECT_EQ(model.rowCount(), 0);
  model.setGridRowCount(301);
  EXPECT_EQ(model.rowCount(), 300);
  EXPECT_EQ(model.headerData(299, Qt::Vertical).toString(), "300");
  EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}

TEST(FaultGridModel, HeadersAndNumbersBeforeAnyLoad) {
  FaultSet data;
  FaultGridModel model(data);
  const char* headers[] = {"", "F Az", "F Dip", "S Az", "S Pl", "Sen"};
  for (int c = 0; c < 6; ++c) EXPECT_EQ(model.cellText(c, 0), headers[c]);
  for (int c = 1; c < 6; ++c) EXPECT_EQ(model.headerData(c - 1, Qt::Horizontal).toString(), headers[c]);
  for (int r = 1; r <= 100; ++r) {
    EXPECT_EQ(model.cellText(0, r), QString::number(r));
    for (int c = 1; c < 6; ++c) EXPECT_EQ(model.cellText(c, r), "");
  }
  EXPECT_EQ(model.cellText(0, 101), "");
}

// ---- the grid in the window ------------------------------------------------------

TEST_F(WindowTest, TheGridHasItsSizesAndIsReadOnly) {
  Show();
  FaultGridView* grid = window->StringGrid1;
  EXPECT_EQ(grid->width(), 225);
  EXPECT_EQ(grid->verticalHeader()->width(), 36);
  for (int c = 0; c < 4; ++c) EXPECT_EQ(grid->columnWidth(c), 36);
  EXPECT_EQ(grid->columnWidth(4), 19);
  EXPECT_EQ(grid->rowHeight(0), 18);
  EXPECT_EQ(grid->rowHeight(99), 18);
  EXPECT_EQ(grid->horizontalHeader()->height(), 18);
  EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
  EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(grid->rowCount(), 101);
  EXPECT_EQ(grid->col(), 1);
  EXPECT_EQ(grid->row(), 1);
  EXPECT_TRUE(grid->isActiveControl());
  EXPECT_EQ(grid->x() + grid->width(), window->centralWidget()->width());  // aligned right
}

TEST_F(WindowTest, ALoadLeavesNoCellsOfTheEarlierOne) {
  std::string many;
  for (int i = 0; i < 300; ++i) many += "10 20 30 40 N\n";
  OpenThroughDialog(DataFile("many.fdt", many));
  EXPECT_EQ(window->StringGrid1->rowCount(), 301);
  EXPECT_EQ(window->StringGrid1->gridModel()->cellText(0, 300), "300");
  EXPECT_EQ(window->StringGrid1->gridModel()->cellText(1, 300), "10");
  OpenThroughDialog(DataFile("five.fdt", "1 2 3 4 R\n5 6 7 8 R\n9 10 11 12 R\n13 14 15 16 R\n\n"));
  FaultGridModel* model = window->StringGrid1->gridModel();
  EXPECT_EQ(window->StringGrid1->rowCount(), 6);
  EXPECT_EQ(model->rowCount(), 5);
  EXPECT_EQ(model->cellText(1, 1), "1");
  EXPECT_EQ(model->cellText(4, 4), "16");
  EXPECT_EQ(model->cellText(4, 5), "0");  // a blank line: nothing converted
  EXPECT_EQ(model->cellText(5, 5), "");   // and no sense
  EXPECT_EQ(model->cellText(0, 6), "");
}

TEST_F(WindowTest, TheGridShowsFloatErrors) {
  OpenThroughDialog(DataFile("one.fdt", "30.1 30.5 120 7.9 d\n"));
  FaultGridModel* model = window->StringGrid1->gridModel();
  EXPECT_EQ(model->cellText(1, 1), "30.1000003814697");
  EXPECT_EQ(model->cellText(2, 1), "30.5");
  EXPECT_EQ(model->cellText(3, 1), "120");
  EXPECT_EQ(model->cellText(4, 1), "7.90000009536743");
  EXPECT_EQ(model->cellText(5, 1), "D");
}

// ---- scripted cell-draw sequences ------------------------------------------------

class CellDrawTest : public WindowTest {
 protected:
  void SetUp() override {
    window->FormShow();  // net geometry, without painting the grid
    OpenThroughDialog(DataFile("ten.fdt", kTenData));
  }
  void Draw(int col, int row, CellState state) {
    window->StringGrid1DrawCell(col, row, QRect(), state);
  }
};

TEST_F(CellDrawTest, FocusOnRow7AfterRow4HighlightsDatum7) {
  ASSERT_FALSE(HasHighlight(window->plotPicture));
  Draw(1, 1, 0);
  Draw(1, 4, kFocused);
  EXPECT_EQ(window->lastDrawnRow, 4);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(4)));
  // The grid repaints the old and the new focused cell, in screen order.
  QSignalSpy shown(window->Image1, &PictureView::pictureChanged);
  Draw(1, 4, gdSelected);
  Draw(3, 7, kFocused);
  EXPECT_EQ(shown.count(), 1);
  EXPECT_TRUE(HasHighlight(window->plotPicture));
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(7)));
  EXPECT_EQ(window->lastDrawnRow, 7);
}

TEST_F(CellDrawTest, AnotherCellOfTheSameRowDoesNotRedraw) {
  Draw(1, 6, 0);
  Draw(3, 7, kFocused);
  ASSERT_TRUE(SamePicture(window->plotPicture, Expected(7)));
  QSignalSpy shown(window->Image1, &PictureView::pictureChanged);
  Draw(3, 7, 0);
  Draw(4, 7, kFocused);
  EXPECT_EQ(shown.count(), 0);
  EXPECT_EQ(window->lastDrawnRow, 7);
}

TEST_F(CellDrawTest, AWholeRepaintHighlightsOnlyAFocusedCellOfColumn1) {
  QSignalSpy shown(window->Image1, &PictureView::pictureChanged);
  // Row numbers first, then the data cells row by row; focus on (2, 3).
  for (int r = 1; r <= 10; ++r) Draw(0, r, gdFixed);
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 5; ++c) Draw(c, r, c == 2 && r == 3 ? kFocused : 0);
  EXPECT_EQ(shown.count(), 0);
  // Focus on (1, 3): the cell before it is (5, 2).
  for (int r = 1; r <= 10; ++r) Draw(0, r, gdFixed);
  for (int r = 1; r <= 10; ++r)
    for (int c = 1; c <= 5; ++c) Draw(c, r, c == 1 && r == 3 ? kFocused : 0);
  EXPECT_EQ(shown.count(), 1);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(3)));
}

TEST_F(CellDrawTest, UnfocusedCellsAndRowsBeyondTheDataHighlightNothing) {
  QSignalSpy shown(window->Image1, &PictureView::pictureChanged);
  Draw(1, 5, gdSelected);
  EXPECT_EQ(shown.count(), 0);
  Draw(1, 11, kFocused);
  EXPECT_EQ(shown.count(), 1);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
}

TEST_F(CellDrawTest, TheTangentLineationDiagramIsHighlightedToo) {
  window->ActionTLD->trigger();
  Draw(1, 9, kFocused);
  EXPECT_TRUE(SamePicture(window->plotPicture,
                          ExpectedPlot(*window, TangentLineation, SymbolSize::Medium, 9)));
  EXPECT_TRUE(HasHighlight(window->plotPicture));
}

TEST_F(CellDrawTest, TheFocusedCellIsFilledAquaWithItsText) {
  FaultGridView* grid = window->StringGrid1;
  grid->setCurrentCell(2, 5);
  ASSERT_TRUE(grid->isActiveControl());
  QImage image(36, 18, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    grid->cellPainted(&painter, image.rect(), grid->model()->index(4, 1));
  }
  EXPECT_EQ(image.pixel(33, 15), qRgb(0, 255, 255));
  int dark = 0;
  for (int y = 2; y < 18; ++y)
    for (int x = 2; x < 20; ++x) dark += qGray(image.pixel(x, y)) < 100;
  EXPECT_GT(dark, 5);  // the text "69"
  EXPECT_EQ(grid->canvas(), nullptr);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(5)));
}

TEST_F(WindowTest, BeforeAnyLoadFocusingARowDrawsNothing) {
  window->FormShow();
  const Picture net = window->plotPicture;
  QSignalSpy shown(window->Image1, &PictureView::pictureChanged);
  window->StringGrid1DrawCell(1, 50, QRect(), kFocused);
  EXPECT_EQ(window->lastDrawnRow, 50);
  EXPECT_EQ(shown.count(), 0);
  EXPECT_TRUE(SamePicture(window->plotPicture, net));
}

// ---- real clicks and keys ---------------------------------------------------------

class GridEventsTest : public WindowTest {
 protected:
  void SetUp() override {
    Show();
    OpenThroughDialog(DataFile("ten.fdt", kTenData));
    Settle();
  }
  void ClickCell(int col, int row) {
    FaultGridView* grid = window->StringGrid1;
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, col - 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    Settle();
  }
  void Key(Qt::Key key) {
    QTest::keyClick(window->StringGrid1, key);
    Settle();
  }
};

TEST_F(GridEventsTest, ALoadEndsWithTheFocusedRowHighlighted) {
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(1)));
}

TEST_F(GridEventsTest, ClickingRow7AfterRow4HighlightsDatum7) {
  ClickCell(1, 4);
  EXPECT_EQ(window->StringGrid1->row(), 4);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(4)));
  ClickCell(3, 7);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(7)));
  QSignalSpy shown(window->Image1, &PictureView::pictureChanged);
  ClickCell(4, 7);
  QTest::qWait(700);  // longer than a double click: nothing comes later either
  EXPECT_EQ(window->StringGrid1->col(), 4);
  EXPECT_EQ(shown.count(), 0);
}

TEST_F(GridEventsTest, ArrowKeysMoveTheHighlightBetweenRowsOnly) {
  Key(Qt::Key_Down);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(2)));
  QSignalSpy shown(window->Image1, &PictureView::pictureChanged);
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  EXPECT_EQ(shown.count(), 0);
  Key(Qt::Key_Down);
  EXPECT_EQ(shown.count(), 1);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(3)));
}

TEST_F(GridEventsTest, AnImageClickedHighlightStaysRemovedWhileTheWindowLosesFocus) {
  ClickCell(1, 6);
  ASSERT_TRUE(SamePicture(window->plotPicture, Expected(6)));
  QTest::mouseClick(window->Image1, Qt::LeftButton, {}, QPoint(50, 50));
  Settle();
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  TFormAbout about;
  FormAbout = &about;
  window->Version1->trigger();
  Settle();
  about.Button1->click();
  window->activateWindow();
  Settle();
  FormAbout = nullptr;
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
}

TEST_F(GridEventsTest, ALoadWithTheFocusInColumn2EndsWithoutHighlight) {
  ClickCell(2, 4);
  ASSERT_TRUE(SamePicture(window->plotPicture, Expected(4)));
  OpenThroughDialog(Q(work.File("ten.fdt")));
  Settle();
  EXPECT_EQ(window->StringGrid1->row(), 4);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  ClickCell(1, 4);  // back to column 1 of the same row: no redraw
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  OpenThroughDialog(Q(work.File("ten.fdt")));
  Settle();
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(4)));
}

}  // namespace
}  // namespace orniva::ui::test
