// The data table: the use switch, phases, a sort that keeps every row's
// datum, the filter, edits with undo, and saving the data and the curation.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include "data/curation.h"
#include "tests/support/model_contract.h"
#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

class DataTableTest : public WindowTest {
 protected:
  void SetUp() override {
    OpenTen();
    window->curationCommands()->ShowTable();
    table = window->curationCommands()->table();
    contracts.emplace_back(std::make_unique<orniva::test::ModelContract>(table->model()));
    contracts.emplace_back(std::make_unique<orniva::test::ModelContract>(table->view()->model()));
  }
  QModelIndex Cell(int row, int column) const { return table->view()->model()->index(row, column); }
  // The line each row shows, top to bottom.
  std::vector<int> Lines() const {
    std::vector<int> lines;
    for (int row = 0; row < table->view()->model()->rowCount(); ++row)
      lines.push_back(Cell(row, DataTableModel::kLine).data().toInt());
    return lines;
  }
  void Select(const std::vector<int>& rows) {
    table->view()->clearSelection();
    for (int row : rows)
      table->view()->selectionModel()->select(
          Cell(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  std::string Saved() const { return orniva::test::ReadFile(work.File("ten.fdt")); }

  DataTableWindow* table = nullptr;
  std::vector<std::unique_ptr<orniva::test::ModelContract>> contracts;
};

TEST_F(DataTableTest, UseSwitchPhasesSortAndFilter) {
  QAbstractItemModel* model = table->view()->model();
  ASSERT_EQ(model->rowCount(), 10);
  model->setData(Cell(1, DataTableModel::kUse), Qt::Unchecked, Qt::CheckStateRole);
  EXPECT_TRUE(window->study.curation().off[2]);
  EXPECT_EQ(window->study.Stress().used, 9);
  EXPECT_EQ(window->windowTitle(), "Orniva  [ ten.fdt ] *");

  Select({5, 6, 7});
  services.textAnswers.push_back(QStringLiteral("Late"));
  table->newPhaseOfSelected();
  EXPECT_EQ(window->study.curation().phase, (std::vector<int>{0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0}));
  window->document.SetScope(1);
  EXPECT_EQ(window->study.usedCount(), 3);
  window->analysisMenu()->ActionKinematics->trigger();
  EXPECT_EQ(window->analysisMenu()->kinematicsWindow()->summary()->text(),
            "3 data used. Phase Late only.");
  window->document.SetScope(0);

  table->view()->sortByColumn(DataTableModel::kBeta, Qt::DescendingOrder);
  const std::vector<int> sorted = Lines();
  EXPECT_NE(sorted, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  table->view()->setCurrentIndex(Cell(0, DataTableModel::kFaz));  // the row names its datum
  EXPECT_EQ(window->StringGrid1->row(), sorted[0]);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(std::int16_t(sorted[0]))));

  const struct {
    const char* filter;
    std::vector<int> lines;  // none: refused
    const char* status;
  } rows[] = {{"dip >= 69", {2, 5, 9, 10}, ""},
              {"phase = late and sense = N", {6, 7, 8}, ""},
              {"use = off", {2}, ""},
              {"dip > x", {2}, "'x' is not a number"},
              {"colour = red",
               {2},
               "cannot read 'colour = red' (fields: line, faz, fpl, saz, "
               "spl, angle, beta, sense, phase, use)"}};
  table->view()->sortByColumn(DataTableModel::kLine, Qt::AscendingOrder);
  for (const auto& row : rows) {
    table->filterBox()->setText(QString::fromUtf8(row.filter));
    EXPECT_EQ(Lines(), row.lines) << row.filter;
    EXPECT_EQ(table->status()->text().toStdString(), row.status);
  }
  // A row switched off leaves the rows in use, and comes back with its undo.
  table->filterBox()->setText(QStringLiteral("use = on"));
  model->setData(Cell(0, DataTableModel::kUse), Qt::Unchecked, Qt::CheckStateRole);
  EXPECT_EQ(Lines(), (std::vector<int>{3, 4, 5, 6, 7, 8, 9, 10}));
  window->document.Undo();
  EXPECT_EQ(Lines(), (std::vector<int>{1, 3, 4, 5, 6, 7, 8, 9, 10}));
  table->filterBox()->clear();
  EXPECT_EQ(window->curationCommands()->ActionUndo->text(), "&Undo New phase Late");
  window->curationCommands()->ActionUndo->trigger();  // the phase
  window->curationCommands()->ActionUndo->trigger();  // the switch
  EXPECT_TRUE(window->study.curation().plain());
  EXPECT_EQ(window->windowTitle(), "Orniva  [ ten.fdt ]");
  EXPECT_FALSE(window->curationCommands()->ActionUndo->isEnabled());
  // The rows follow the undo: line 2 in use and drawn as such in every column.
  for (int column = 0; column < DataTableModel::kCount; ++column)
    EXPECT_FALSE(Cell(1, column).data(Qt::ForegroundRole).isValid()) << column;
  EXPECT_EQ(Cell(1, DataTableModel::kUse).data(Qt::CheckStateRole), Qt::Checked);
}

TEST_F(DataTableTest, EditsUndoAndSave) {
  const std::string original = Saved();
  table->editBox()->setChecked(true);
  QAbstractItemModel* model = table->view()->model();
  EXPECT_FALSE(model->setData(Cell(0, DataTableModel::kFpl), "95", Qt::EditRole));
  EXPECT_EQ(table->status()->text(), "fpl invalid at line #1: accepted are numbers from 0 to 90");
  table->view()->setCurrentIndex(Cell(4, DataTableModel::kFpl));
  Select({0, 4});
  ASSERT_TRUE(model->setData(Cell(0, DataTableModel::kFpl), "58.50", Qt::EditRole));
  EXPECT_EQ(table->selectedLines(), (std::vector<int>{1, 5}));  // the edit keeps the selection
  EXPECT_EQ(table->view()->currentIndex(), Cell(4, DataTableModel::kFpl));
  EXPECT_EQ(window->study.lines()[0], "97 58.5 137 50 R");
  EXPECT_EQ(window->StringGrid1->gridModel()->cellText(2, 1), "58.5");
  Select({2, 3});
  table->deleteRows();
  services.clipboard = "10\t20\t30\t15\tN\n\n40 50 60 30 R\n";
  table->view()->setCurrentIndex(Cell(0, 0));
  table->pasteRows();  // one step
  EXPECT_EQ(window->faultSet.count(), 10);
  EXPECT_EQ(window->study.lines()[0], "10 20 30 15 N");
  EXPECT_EQ(window->study.lines()[1], "40 50 60 30 R");
  EXPECT_EQ(window->StatusPanel0->text(), "10");
  EXPECT_EQ(window->document.history().size(), 3u);
  while (window->document.Undo()) {
  }
  window->curationCommands()->Save();  // nothing changed: the file stays as it was
  EXPECT_EQ(Saved(), original);
  EXPECT_FALSE(QFileInfo::exists(Q(CurationPathFor(work.File("ten.fdt")))));

  window->document.Redo();
  model->setData(Cell(3, DataTableModel::kUse), Qt::Unchecked, Qt::CheckStateRole);
  ASSERT_TRUE(window->curationCommands()->Save());
  EXPECT_EQ(window->windowTitle(), "Orniva  [ ten.fdt ]");
  const std::vector<float> edited = {window->faultSet[1].fpl, window->faultSet[2].faz};
  OpenThroughDialog(Q(work.File("ten.fdt")));  // the saved data and curation read back
  EXPECT_EQ((std::vector<float>{window->faultSet[1].fpl, window->faultSet[2].faz}), edited);
  EXPECT_TRUE(window->study.curation().off[4]);
  EXPECT_EQ(Saved().substr(0, 18), "97 58.5 137 50 R\r\n");
}

// Accepted proposals become phases in one step; a name taken gets a number.
TEST_F(DataTableTest, ProposedPhasesAccepted) {
  window->document.Do(document::Edit::NewPhase({"Phase 1", "#000000"}, 0, {}), "new");
  window->curationCommands()->AcceptPhases(
      {{"Phase 1", Rgb(31, 95, 191), {1, 2}, {}}, {"Phase 2", Rgb(191, 63, 31), {3}, {}}});
  const analysis::CurationState& c = window->study.curation();
  ASSERT_EQ(c.phases.size(), 3u);
  EXPECT_EQ(c.phases[1], (analysis::PhaseInfo{"Phase 1 (2)", "#1f5fbf"}));
  EXPECT_EQ(c.phase, (std::vector<int>{0, 2, 2, 3, 0, 0, 0, 0, 0, 0, 0}));
  window->document.Undo();
  EXPECT_EQ(window->study.curation().phases.size(), 1u);
}

// A curation file that does not fit the data is reported and not applied
// unless the user agrees; a stale one is asked about.
TEST_F(DataTableTest, ACurationFileThatDoesNotFit) {
  const std::string curationPath = CurationPathFor(work.File("ten.fdt"));
  Curation curation;
  curation.off = {3};
  const struct {
    std::string text;
    bool confirm;
    bool applied;
  } rows[] = {
      {CurationText(curation, "ten.fdt", 10, Sha256Hex(kTenData)), false, true},
      {CurationText(curation, "ten.fdt", 10, Sha256Hex("other")), false, false},
      {CurationText(curation, "ten.fdt", 10, Sha256Hex("other")), true, true},
      {"{\"orniva\": 1", true, false},
  };
  for (const auto& row : rows) {
    orniva::test::WriteFile(curationPath, row.text);
    services.confirm = row.confirm;
    services.messages.clear();
    OpenTen();
    EXPECT_EQ(window->study.curation().off[3], row.applied) << row.text;
    EXPECT_EQ(window->windowTitle(), "Orniva  [ ten.fdt ]");
    EXPECT_EQ(orniva::test::ReadFile(curationPath), row.text);  // never written unasked
  }
  EXPECT_EQ(services.messages.back(),
            "ten.fdt.orniva.json: not a curation file (not JSON: unexpected end of the text)"
            "\r\nIts choices are not applied.");
}

// What a field app recorded of each line is shown in columns after the
// others while the file has any, goes with its row through a deletion and
// its undo, and is copied with the rows.
TEST_F(DataTableTest, AttributeColumnsWhileTheFileHasThem) {
  QAbstractItemModel* model = table->view()->model();
  EXPECT_EQ(model->columnCount(), DataTableModel::kCount);
  Curation curation;
  LineAttributes& a = curation.attributes.emplace_back();
  a.line = 2;
  a.site = "S2";
  a.longitude = -52.5;
  a.latitude = 47.25;
  a.elevation = 9;
  a.time = "2024-06-11 09:12";
  a.notes = "steps";
  orniva::test::WriteFile(CurationPathFor(work.File("ten.fdt")),
                          CurationText(curation, "ten.fdt", 10, Sha256Hex(kTenData)));
  OpenTen();
  const int site = DataTableModel::kCount;
  ASSERT_EQ(model->columnCount(), site + DataTableModel::kAttributeColumns);
  QStringList headers, cells;
  for (int column = site; column < model->columnCount(); ++column) {
    headers << model->headerData(column, Qt::Horizontal).toString();
    cells << Cell(1, column).data().toString();
  }
  EXPECT_EQ(headers, (QStringList{"Site", "Time", "Notes", "Position"}));
  EXPECT_EQ(cells, (QStringList{"S2", "2024-06-11 09:12", "steps", "47.25, -52.5, 9 m"}));
  EXPECT_EQ(Cell(0, site).data().toString(), "");
  Select({0});
  table->deleteRows();
  EXPECT_EQ(Cell(0, site).data().toString(), "S2");
  table->view()->clearSelection();
  table->copyRows();
  EXPECT_TRUE(services.clipboard.startsWith("Line\t")) << services.clipboard.toStdString();
  EXPECT_TRUE(services.clipboard.contains("\tSite\tTime\tNotes\tPosition\n1\t"));
  EXPECT_TRUE(services.clipboard.contains("\tS2\t2024-06-11 09:12\tsteps\t47.25, -52.5, 9 m\n"));
  window->document.Undo();
  EXPECT_EQ(Cell(1, site).data().toString(), "S2");
  window->document.Do(document::Edit::Remove({2}), "the only line with attributes");
  EXPECT_EQ(model->columnCount(), DataTableModel::kCount);
}

}  // namespace
}  // namespace orniva::ui::test
