// The orientation table's window, opened by File › Open beside the data:
// a row per set and one of all, the statistics of the poles or the lines,
// the net, the table copied; its model held to Qt's contract.
#include <QComboBox>
#include <QTableView>
#include <gtest/gtest.h>

#include "tests/support/model_contract.h"
#include "tests/ui/ui_test_support.h"
#include "ui/results/orientation_window.h"
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

}  // namespace
}  // namespace orniva::ui::test
