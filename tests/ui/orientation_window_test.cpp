// The orientation table's window, opened by File › Open beside the data:
// a row per set and one of all, the statistics of the poles or the lines,
// the net, the table copied; the rows' commands, undo, save and closing
// with unsaved changes; its models held to Qt's contract.
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <gtest/gtest.h>

#include "analysis/orientation_statistics.h"
#include "plot/orientation_net.h"
#include "tests/support/effective_drawing.h"
#include "tests/support/model_contract.h"
#include "tests/ui/ui_test_support.h"
#include "ui/dialogs/rotation_dialog.h"
#include "ui/results/orientation_rows.h"
#include "ui/results/orientation_window.h"
#include "ui/results/picking_chart_view.h"
#include "ui/shared/fitted_picture.h"
#include "ui/results/tilt_test_window.h"
#include "ui/shared/result_table.h"

namespace orniva::ui::test {
namespace {

class OrientationWindowTest : public WindowTest {
 protected:
  OrientationWindow* Open(const std::string& name, const std::string& text) {
    OpenThroughDialog(DataFile(name, text));
    Settle();
    return window->findChild<OrientationWindow*>();
  }
  // Column `column` of each row, as the view shows them.
  static QStringList Column(const OrientationWindow* w, int column) {
    QStringList texts;
    for (int row = 0; row < w->view()->model()->rowCount(); ++row)
      texts << w->view()->model()->index(row, column).data().toString();
    return texts;
  }
};

TEST_F(OrientationWindowTest, SetsAsRowsThePolesOrTheLinesAndTheCopy) {
  OpenTen();
  OrientationWindow* w =
      Open("fold.orient.csv",
           orniva::test::ReadFile(ORNIVA_SOURCE_DIR "/tests/data/orientation/fold.orient.csv"));
  ASSERT_NE(w, nullptr);
  orniva::test::ModelContract model(w->model()), shown(w->view()->model());
  EXPECT_EQ(window->windowTitle(), "Orniva  [ ten.fdt ]");  // the data stay open
  EXPECT_EQ(w->windowTitle(), "Orientations  [ fold.orient.csv ]");
  EXPECT_EQ(Column(w, 0), (QStringList{"S0", "J1", "L1", "All"}));
  EXPECT_EQ(Column(w, 1), (QStringList{"12", "8", "", "20"}));  // n of the poles
  EXPECT_NE(Column(w, 18).at(0), "");                           // S0's fold axis
  EXPECT_GT(w->net()->picture().width(), 0);
  const QString polesMean = Column(w, 2).back();
  w->ofChoice()->setCurrentIndex(1);
  EXPECT_EQ(Column(w, 1), (QStringList{"", "", "8", "8"}));  // n of the lines
  EXPECT_NE(Column(w, 2).back(), polesMean);
  w->copy();
  EXPECT_TRUE(services.clipboard.startsWith("Set\tn\tMean trend\t"));
  EXPECT_EQ(services.clipboard.count('\n'), 5);
}

TEST_F(OrientationWindowTest, BadRowsAreToldAndAnUnreadableFileOpensNothing) {
  OrientationWindow* w =
      Open("bad.orient.csv", "kind,azimuth,angle\nplane,90,30\nplane,90,95\nline,10,20\n");
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(services.messages.back(),
            "1 of 3 rows were left out (a value failed its check).\r\nConsult the file VORN.log.");
  EXPECT_EQ(Column(w, 0), (QStringList{"All"}));
  EXPECT_EQ(ShowOrientationTable(services, window.get(), work.File("none.orient.csv")), nullptr);
  EXPECT_EQ(TakeErrorPaths(), (std::vector<std::string>{work.File("none.orient.csv")}));
}

// The action of the window whose shortcut is `keys`.
void Press(QWidget* w, const QKeySequence& keys) {
  for (QAction* action : w->actions())
    if (action->shortcut() == keys) return action->trigger();
  ADD_FAILURE() << "no action of " << keys.toString().toStdString();
}

TEST_F(OrientationWindowTest, RowsSwitchedOffAndSetsMadeAreFollowedByTheNetAndStatistics) {
  OrientationWindow* w =
      Open("fold.orient.csv",
           orniva::test::ReadFile(ORNIVA_SOURCE_DIR "/tests/data/orientation/fold.orient.csv"));
  ASSERT_NE(w, nullptr);
  orniva::test::ModelContract rows(w->rowsModel()), sorted(w->rowsView()->model());
  const QModelIndex first = w->rowsModel()->index(0, OrientationRowsModel::kFirstValue + 3);
  EXPECT_EQ(first.data().toString(), "S0");  // the set column shows the curation's set
  const Picture before = w->net()->picture();
  w->selectRows({1, 2, 3});
  w->switchSelected(true);
  EXPECT_EQ(Column(w, 1).front(), "9");  // S0's n without the three
  EXPECT_EQ(w->rowsModel()->index(0, 2).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::gray));
  EXPECT_FALSE(SamePicture(w->net()->picture(), before));
  EXPECT_TRUE(w->windowTitle().endsWith(" *"));
  Press(w, QKeySequence(Qt::CTRL | Qt::Key_Z));
  EXPECT_EQ(Column(w, 1).front(), "12");
  w->selectRows({});  // without the selection's rings
  EXPECT_TRUE(SamePicture(w->net()->picture(), before));
  Press(w, QKeySequence(Qt::CTRL | Qt::Key_Y));
  services.textAnswers.push_back(QStringLiteral("Limb"));
  w->selectRows({4, 5});
  w->newSetOfSelected();
  EXPECT_EQ(Column(w, 0), (QStringList{"S0", "J1", "L1", "Limb", "All"}));
  EXPECT_EQ(Column(w, 1).at(3), "2");
  w->selectRows({4});
  w->putSelectedInSet(0);
  EXPECT_EQ(Column(w, 1).at(3), "1");
  EXPECT_EQ(w->rowsModel()->index(3, OrientationRowsModel::kFirstValue + 3).data().toString(), "");
  w->rowsView()->setCurrentIndex(w->rowsView()->model()->index(4, 2));
  w->insertRow();  // a copy of row 5, in its set, below it
  EXPECT_EQ(w->selectedRows(), (std::vector<int>{6}));
  EXPECT_EQ(Column(w, 1).at(3), "2");
  w->deleteRows();
  EXPECT_EQ(Column(w, 1).at(3), "1");
  EXPECT_EQ(w->rowsModel()->rowCount(), 28);
  w->viewChoice()->setCurrentIndex(2);  // the rose of the lines' trends, following the rows
  const Picture rose = w->net()->picture();
  EXPECT_FALSE(SamePicture(rose, before));
  w->selectRows({21, 23});  // two of 120-130, none of 110-120
  w->switchSelected(true);
  EXPECT_FALSE(SamePicture(w->net()->picture(), rose));
}

// The density lies under the rows for the rows in use, its key says of
// how many and by which method; the rose hides it.
TEST_F(OrientationWindowTest, DensityOfTheRowsInUseWithItsKey) {
  OrientationWindow* w =
      Open("fold.orient.csv",
           orniva::test::ReadFile(ORNIVA_SOURCE_DIR "/tests/data/orientation/fold.orient.csv"));
  ASSERT_NE(w, nullptr);
  const Picture plain = w->net()->picture();
  EXPECT_TRUE(w->densityKey()->isHidden());
  w->densityChoice()->setCurrentIndex(1);
  const Picture kamb = w->net()->picture();
  EXPECT_FALSE(SamePicture(kamb, plain));
  EXPECT_FALSE(w->densityKey()->isHidden());
  EXPECT_TRUE(w->densityKey()->text().startsWith(
      QString::fromUtf8("Kamb (1959) contours of 20 poles and 8 lines, every 2\u03C3")));
  w->selectRows({1, 2});
  w->switchSelected(true);
  EXPECT_TRUE(w->densityKey()->text().contains(QStringLiteral("of 18 poles and 8 lines")));
  w->densityChoice()->setCurrentIndex(2);
  EXPECT_TRUE(w->densityKey()->text().startsWith(
      QStringLiteral("One per cent counting (Schmidt) of 18 poles and 8 lines")));
  w->viewChoice()->setCurrentIndex(1);
  EXPECT_TRUE(w->densityKey()->isHidden());
  w->viewChoice()->setCurrentIndex(0);
  w->densityChoice()->setCurrentIndex(0);
  w->switchSelected(false);
  w->selectRows({});  // without the selection's rings
  EXPECT_TRUE(SamePicture(w->net()->picture(), plain));
}

TEST_F(OrientationWindowTest, ValuesTypedAreCheckedAndSavedWithTheCuration) {
  OrientationWindow* w =
      Open("t.orient.csv", "kind,azimuth,angle,set\nplane,90,30,A\nline,10,20,\n");
  ASSERT_NE(w, nullptr);
  QAbstractItemModel* model = w->rowsView()->model();
  const QModelIndex angle = model->index(0, OrientationRowsModel::kFirstValue + 2);
  EXPECT_FALSE(model->setData(angle, QStringLiteral("95"), Qt::EditRole));
  EXPECT_EQ(w->status()->text(), "angle: '95' is not a number from 0 to 90");
  EXPECT_TRUE(model->setData(angle, QStringLiteral("35"), Qt::EditRole));
  w->selectRows({2});
  w->switchSelected(true);
  Press(w, QKeySequence(Qt::CTRL | Qt::Key_S));
  EXPECT_EQ(orniva::test::ReadFile(work.File("t.orient.csv")),
            "kind,azimuth,angle,set\r\nplane,90,35,A\r\nline,10,20,\r\n");
  EXPECT_NE(orniva::test::ReadFile(work.File("t.orient.csv.orniva.json")).find("\"off\": [2]"),
            std::string::npos);
  EXPECT_EQ(w->windowTitle(), "Orientations  [ t.orient.csv ]");
}

TEST_F(OrientationWindowTest, ClosingWithUnsavedChangesAsks) {
  OrientationWindow* w = Open("t.orient.csv", "kind,azimuth,angle\nplane,90,30\n");
  ASSERT_NE(w, nullptr);
  w->selectRows({1});
  w->switchSelected(true);
  services.saveAnswer = WindowServices::SaveAnswer::Cancel;
  EXPECT_FALSE(w->close());
  EXPECT_EQ(services.asked, (std::vector<std::string>{"t.orient.csv"}));
  services.saveAnswer = WindowServices::SaveAnswer::Discard;
  EXPECT_TRUE(w->close());
  EXPECT_FALSE(QFileInfo::exists(Q(work.File("t.orient.csv.orniva.json"))));
}

// Fisher's mean of all the rows' poles as the window has it.
math::Vector3d MeanOfAll(const OrientationWindow* w) {
  const analysis::ReportTable& fisher = w->rows().back().fisher;
  return math::LineVector(fisher.at(0, 1).number, fisher.at(0, 2).number);
}

// The back-tilt typed in the dialog turns the statistics by the bedding's
// rotation and stays over curation changes; the rows table keeps the rows
// as read; Show As Read and undo give back what was shown.
TEST_F(OrientationWindowTest, BackTiltShowsTheRowsTurnedUntilShownAsRead) {
  OrientationWindow* w =
      Open("fold.orient.csv",
           orniva::test::ReadFile(ORNIVA_SOURCE_DIR "/tests/data/orientation/fold.orient.csv"));
  ASSERT_NE(w, nullptr);
  const math::Matrix3d tilt = analysis::BackTiltRotation({120, 30}, 1);
  const auto turnedBy = [&tilt](math::Vector3d v) { return analysis::Rotate(tilt, v); };
  const QStringList asRead = Column(w, 2);
  const math::Vector3d before = MeanOfAll(w);
  RotationDialog* dialog = w->askTurn(RotationKind::BackTilt);
  dialog->field(0)->setText(QStringLiteral("120"));
  dialog->field(1)->setText(QStringLiteral("30"));
  dialog->accept();
  EXPECT_LT(math::AngleBetween(MeanOfAll(w), turnedBy(before)), 1e-3);
  EXPECT_TRUE(w->windowTitle().endsWith(" - shown back-tilted by the bedding 120/30, fraction 1"));
  EXPECT_FALSE(w->turnLine()->isHidden());
  EXPECT_EQ(w->rowsModel()->index(0, OrientationRowsModel::kFirstValue + 1).data().toString(),
            "36.2");
  w->selectRows({1, 2, 3});
  w->switchSelected(true);
  const math::Vector3d turnedOff = MeanOfAll(w);
  w->turn(std::nullopt);
  EXPECT_TRUE(w->turnLine()->isHidden());
  EXPECT_LT(math::AngleBetween(turnedOff, turnedBy(MeanOfAll(w))), 1e-3);
  w->undo();
  EXPECT_EQ(Column(w, 2), asRead);
}

// The back-tilt by a set's mean makes that set's mean pole vertical; the
// turned rows are saved to a new table, never over the open one.
TEST_F(OrientationWindowTest, BackTiltByASetsMeanAndTheTurnedRowsSaved) {
  const std::string text =
      orniva::test::ReadFile(ORNIVA_SOURCE_DIR "/tests/data/orientation/fold.orient.csv");
  OrientationWindow* w = Open("fold.orient.csv", text);
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(w->saveTurnedTo(work.File("t.orient.csv")));  // nothing turned
  w->backTiltBySet(1);
  EXPECT_NEAR(w->rows().front().fisher.at(0, 2).number, 90, 1e-3);
  EXPECT_TRUE(w->windowTitle().contains(" - shown back-tilted by the mean of set S0, "));
  EXPECT_FALSE(w->saveTurnedTo(work.File("fold.orient.csv")));
  EXPECT_EQ(orniva::test::ReadFile(work.File("fold.orient.csv")), text);
  ASSERT_TRUE(w->saveTurnedTo(work.File("t.orient.csv")));
  const std::vector<OrientationRecord> saved =
      ReadOrientationFile(work.File("t.orient.csv")).records;
  ASSERT_EQ(saved.size(), 28u);
  EXPECT_EQ(saved[0].set, "S0");
  EXPECT_NE(saved[0].azimuth, 36.2f);
}

}  // namespace
}  // namespace orniva::ui::test

namespace orniva::ui::test {
namespace {

// Where the net puts row `row`'s pole or line, in the view's pixels; the
// row as the window shows it, turned when it is.
QPoint PixelOf(const OrientationWindow* w, int row) {
  NetGeometry net;
  InitNetGeometry(net);
  const OrientationRecord& read = w->document().records()[std::size_t(row - 1)];
  const TPoint at = RecordPoint(
      net, w->turned() ? analysis::RotateOrientation(read, w->turned()->rotation) : read);
  const Picture& picture = w->net()->picture();
  const QRect fitted = FittedRect(w->netView()->size(), picture);
  return {fitted.x() + int(std::lround(double(at.x) * fitted.width() / picture.width())),
          fitted.y() + int(std::lround(double(at.y) * fitted.height() / picture.height()))};
}

// The selection's rings in the picture the net shows.
int Rings(const OrientationWindow* w) {
  int rings = 0;
  for (const EffectiveDraw& d : EffectiveDrawing(w->net()->picture()))
    rings += d.op == DrawOp::Polyline && d.penColour == Rgb(255, 0, 255);
  return rings;
}

TEST_F(OrientationWindowTest, RowsPickedOnTheNetAtAnySizeAndRingedThere) {
  OrientationWindow* w =
      Open("fold.orient.csv",
           orniva::test::ReadFile(ORNIVA_SOURCE_DIR "/tests/data/orientation/fold.orient.csv"));
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
  w->selectRows({1});
  w->switchSelected(true);  // row 1 is off the net: a lasso round it all misses it
  PickingChartView* net = w->netView();
  for (const QSize size : {QSize(1000, 700), QSize(1500, 1000)}) {
    w->resize(size);
    Settle();
    QTest::mouseClick(net, Qt::LeftButton, Qt::NoModifier, PixelOf(w, 5));
    QTest::mouseClick(net, Qt::LeftButton, Qt::ShiftModifier, PixelOf(w, 21));
    EXPECT_EQ(w->selectedRows(), (std::vector<int>{5, 21}));
    EXPECT_EQ(Rings(w), 2);
    QTest::mouseClick(net, Qt::LeftButton, Qt::ControlModifier, PixelOf(w, 5));
    EXPECT_EQ(w->selectedRows(), (std::vector<int>{21}));
    const int side = std::min(net->width(), net->height()) - 2;
    const QPoint corner((net->width() - side) / 2, (net->height() - side) / 2);
    QTest::mousePress(net, Qt::LeftButton, Qt::NoModifier, corner);
    for (const QPoint to : {QPoint(side, 0), QPoint(side, side), QPoint(0, side)})
      QTest::mouseMove(net, corner + to);
    QTest::mouseRelease(net, Qt::LeftButton, Qt::NoModifier, corner + QPoint(0, side));
    EXPECT_EQ(w->selectedRows().size(), 27u);
    EXPECT_EQ(w->selectedRows().front(), 2);
    QTest::mouseClick(net, Qt::LeftButton, Qt::NoModifier, corner);  // off every row
    EXPECT_TRUE(w->selectedRows().empty());
    EXPECT_EQ(Rings(w), 0);
  }
  // On the rows shown turned, a click picks a row where it is shown.
  w->backTiltBySet(1);
  QTest::mouseClick(net, Qt::LeftButton, Qt::NoModifier, PixelOf(w, 5));
  EXPECT_EQ(w->selectedRows(), (std::vector<int>{5}));
  w->turn(std::nullopt);
  // The table's selection, however sorted, is ringed; the keys select all and none.
  w->rowsView()->sortByColumn(OrientationRowsModel::kFirstValue + 1, Qt::DescendingOrder);
  w->rowsView()->selectRow(0);
  EXPECT_EQ(Rings(w), 1);
  Press(w, QKeySequence::SelectAll);
  EXPECT_EQ(Rings(w), 27);
  Press(w->netView(), QKeySequence(Qt::Key_Escape));
  EXPECT_TRUE(w->selectedRows().empty());
  EXPECT_TRUE(w->readoutAt(QPointF(500, 500)).startsWith("Line 000/90   Plane 180/00   Nearest"));
  w->viewChoice()->setCurrentIndex(1);  // the rose: nothing to pick
  EXPECT_FALSE(net->picking());
}

}  // namespace
}  // namespace orniva::ui::test
