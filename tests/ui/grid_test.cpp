// The data grid: its number format, its model's contract, and the row
// rule: the focused row's datum is highlighted once per row change, by
// clicks and keys.
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QStyledItemDelegate>
#include <gtest/gtest.h>

#include "tests/support/model_contract.h"
#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

TEST(GridNumbers, FifteenDigitsOfTheWidenedFloatInTheLocalesFormat) {
  // clang-format off
  const std::tuple<float, QLocale, QString> rows[] = {
      {30.1f, QLocale::c(), "30.1000003814697"}, {120.0f, QLocale::c(), "120"},
      {1234.5f, QLocale::c(), "1234.5"},  // no group separator
      {1234.5f, QLocale(QLocale::German, QLocale::Germany), "1234,5"},
  };
  // clang-format on
  for (const auto& [value, locale, text] : rows) {
    QLocale::setDefault(locale);
    EXPECT_EQ(FormatGridNumber(value), text);
  }
  QLocale::setDefault(QLocale::c());
}

class GridEventsTest : public WindowTest {
 protected:
  void SetUp() override {
    Show();
    OpenTen();
    Settle();
  }
  void ClickCell(int col, int row) {
    FaultGridView* grid = window->StringGrid1;
    grid->scrollTo(grid->model()->index(row - 1, col - 1));
    const QRect cell = grid->visualRect(grid->model()->index(row - 1, col - 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    Settle();
  }
  void Key(Qt::Key key) {
    QTest::keyClick(window->StringGrid1, key);
    Settle();
  }
  // Empties the picture: it stays empty unless something redraws.
  void Mark() { window->plotPicture.Clear(); }
  bool Redrawn() const { return !window->plotPicture.empty(); }

  orniva::test::ModelContract contract{window->StringGrid1->model()};
};

// Clicks and arrow keys: a new row highlights its datum, the last one's
// too; a move within the row redraws nothing, not even a double click later.
TEST_F(GridEventsTest, ClicksAndKeysHighlightOncePerRow) {
  struct Step {
    int col, row;
    Qt::Key key;
    std::int16_t highlight;
  };  // a click, or a key if row 0
  // clang-format off
  const Step steps[] = {
      {0, 0, Qt::Key_Down, 2}, {0, 0, Qt::Key_Right, 0}, {0, 0, Qt::Key_Right, 0},
      {0, 0, Qt::Key_Down, 3}, {1, 4, {}, 4}, {1, 10, {}, 10}, {4, 10, {}, 0},
  };
  // clang-format on
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << s.col << "," << s.row << " key " << s.key);
    Mark();
    if (s.row)
      ClickCell(s.col, s.row);
    else
      Key(s.key);
    if (s.highlight == 0) {
      EXPECT_FALSE(Redrawn());
      continue;
    }
    EXPECT_EQ(window->StringGrid1->row(), s.highlight);
    EXPECT_TRUE(SamePicture(window->plotPicture, Expected(s.highlight)));
  }
  QTest::qWait(700);  // longer than a double click
  EXPECT_EQ(window->StringGrid1->col(), 4);
  EXPECT_FALSE(Redrawn());
}

// The focused cell is painted aqua with its text; a load with the focus in
// column 2 ends without a highlight. Clicks and keys above pin the row rule
// through the grid's own painting.
TEST_F(GridEventsTest, TheFocusedCellAndALoadOutsideColumnOne) {
  Mark();  // a focused row beyond the data redraws without a highlight
  window->StringGrid1DrawCell(1, 11, QRect(), gdSelected | gdFocused);
  EXPECT_TRUE(Redrawn() && SamePicture(window->plotPicture, Expected(-1)));
  window->StringGrid1->setCurrentCell(2, 5);
  ASSERT_TRUE(window->StringGrid1->isActiveControl());
  QImage image(36, 18, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    window->StringGrid1->cellPainted(&painter, image.rect(),
                                     window->StringGrid1->model()->index(4, 1));
  }
  EXPECT_EQ(image.pixel(33, 15), qRgb(0, 255, 255));
  int dark = 0;
  for (int y = 2; y < 18; ++y)
    for (int x = 2; x < 20; ++x) dark += qGray(image.pixel(x, y)) < 100;
  EXPECT_GT(dark, 5);  // the text "69"
  OpenThroughDialog(Q(work.File("ten.fdt")));
  Settle();
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
}

TEST_F(WindowTest, AFailedFieldsTipSaysWhatTheLogSays) {
  OpenThroughDialog(DataFile("bad.fdt", "120 45 200 30 N\n120,5 45 200 30 N\n"));
  const QAbstractItemModel* model = window->StringGrid1->model();
  EXPECT_EQ(model->index(1, 0).data(Qt::ToolTipRole).toString(), "faz invalid at line #2");
  EXPECT_EQ(model->index(1, 1).data(Qt::ToolTipRole).toString(), "45");
}

// The grid's cells as the style's own item painting draws them.
class StyleDrawnCells : public QStyledItemDelegate {
 public:
  explicit StyleDrawnCells(FaultGridView* grid) : grid_(grid) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem cell(option);
    cell.state.setFlag(QStyle::State_HasFocus, grid_->isFocusedCell(index));
    QStyledItemDelegate::paint(painter, cell, index);
    grid_->cellPainted(painter, option.rect, index);
  }

 private:
  FaultGridView* grid_;
};

// Texts cut off by their column, empty cells and the focused cell look the
// same as the style draws them, with the grid focused, unfocused and
// disabled.
TEST_F(GridEventsTest, CellsLookAsTheStyleDrawsThem) {
  FaultGridView* grid = window->StringGrid1;
  QAbstractItemDelegate* own = grid->itemDelegate();
  StyleDrawnCells style(grid);
  // clang-format off
  const std::function<void()> states[] = {
      [] {}, [grid] { grid->clearFocus(); }, [grid] { grid->setEnabled(false); }};
  // clang-format on
  for (const auto& enter : states) {
    enter();
    Settle();
    const QImage ours = grid->viewport()->grab().toImage();
    grid->setItemDelegate(&style);
    EXPECT_EQ(grid->viewport()->grab().toImage(), ours);
    grid->setItemDelegate(own);
  }
}

}  // namespace
}  // namespace orniva::ui::test
