// The geometry tools' windows: the rotation dialog refuses a field by its
// name, the turned data are saved to a new file but never over the open
// one, and the tilt test runs off the window's thread, a cancelled run
// changing nothing.
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "tests/support/model_contract.h"
#include "tests/support/test_support.h"
#include "tests/ui/ui_test_support.h"
#include "analysis/orientation_statistics.h"
#include "data/curation.h"
#include "ui/results/rotated_data_window.h"
#include "ui/results/set_bedding.h"
#include "ui/dialogs/rotation_dialog.h"
#include "ui/results/tilt_test_window.h"

namespace orniva::ui::test {
namespace {

std::vector<std::string> TenLines() { return LinesOf(kTenData); }

TEST(RotationDialog, RefusesTheFirstBadFieldByName) {
  using K = RotationKind;
  // clang-format off
  const struct { K kind; std::array<QString, 3> fields; const char* refused; } rows[] = {
      {K::AboutAxis, {"120", "40", "-30"},  ""},
      {K::AboutAxis, {"abc", "40", "30"},   "Axis trend"},
      {K::AboutAxis, {"120", "95", "30"},   "Axis plunge"},
      {K::AboutAxis, {"120", "40", ""},     "Angle"},
      {K::BackTilt,  {"361", "30", "1"},    "Bedding dip direction"},
      {K::BackTilt,  {"135", "90.5", "1"},  "Bedding dip"},
      {K::BackTilt,  {"135", "30", "1/2"},  "Fraction"},
      {K::BackTilt,  {" 135 ", "30", "0.5"}, ""},
      {K::Bedding,   {"135", "-1", ""},     "Bedding dip"},
      {K::Bedding,   {"135", "30", "x"},    ""},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE((row.fields[0] + "," + row.fields[1] + "," + row.fields[2]).toStdString());
    QString problem;
    const bool read = ReadRotation(row.kind, row.fields, problem).has_value();
    EXPECT_EQ(read, *row.refused == '\0');
    EXPECT_EQ(problem.section(QStringLiteral(" needs"), 0, 0).toStdString(), row.refused);
  }
}

TEST(RotatedDataWindow, SavesANewFileNeverTheOpenOne) {
  orniva::test::TempDir dir;
  const std::string opened = dir.File("data.fdt"), saved = dir.File("turned.fdt");
  orniva::test::WriteFile(opened, kTenData);
  StubServices services;
  std::vector<QString> loaded;
  RotatedDataWindow window(analysis::RotateData(orniva::test::DataFromLines(TenLines()),
                                                analysis::RotationMatrix({}, 90)),
                           {Q(opened), TenLines(), std::nullopt}, "turned", "-turned", services,
                           [&](const QString& path) { loaded.push_back(path); });
  orniva::test::ModelContract contract(window.table()->model());
  EXPECT_FALSE(window.saveTo(Q(dir.path() + "/./data.fdt")));
  EXPECT_EQ(orniva::test::ReadFile(opened), kTenData);
  EXPECT_EQ(services.messages.size(), 1u);
  ASSERT_TRUE(window.saveTo(Q(saved)));
  window.openSaved();
  EXPECT_EQ(loaded, std::vector<QString>{Q(saved)});
}

TEST(TiltTestWindow, ShowsTheStepsAndACancelChangesNothing) {
  document::Document document;
  Adopt(document, TenLines(), "ten.fdt");
  StubServices services;
  TiltTestWindow window(document, {250, 30}, services);
  EXPECT_EQ(window.windowTitle(), "Tilt test, bedding 250/30 - ten.fdt");
  QSignalSpy finished(&window, &TiltTestWindow::finished);
  window.run();
  ASSERT_TRUE(finished.wait(60000));
  ASSERT_EQ(window.table()->rowCount(), analysis::kTiltSteps);
  EXPECT_EQ(window.table()->item(20, 0)->text(), "1.0000");
  EXPECT_FALSE(window.chart().empty());
  const QString shown = window.tableText();
  std::vector<std::string> many;
  for (int k = 0; k < 30000; ++k) many.push_back(TenLines()[std::size_t(k % 10)]);
  Adopt(document, many, "many.fdt");
  EXPECT_EQ(window.windowTitle(), "Tilt test, bedding 250/30 - many.fdt");
  window.run();
  window.cancel();
  EXPECT_EQ(finished.count(), 2);  // at once
  EXPECT_FALSE(window.running());
  EXPECT_EQ(window.tableText(), shown);
}

// The bedding of an orientation set: the Fisher mean of the chosen set's
// poles; a set the table lacks, one without planes and a file that cannot
// be read are told, and give none.
TEST(SetBedding, TheMeanOfTheChosenSet) {
  const std::string table = ORNIVA_SOURCE_DIR "/tests/data/orientation/fold.orient.csv";
  const std::vector<OrientationRecord> records = ReadOrientationFile(table).records;
  const std::vector<bool> s0 = analysis::InSet(records, "S0");
  const analysis::Bedding mean =
      analysis::MeanBeddingOf(
          analysis::OrientationDirections(records, analysis::OrientationOf::Poles, &s0))
          .bedding;
  const struct {
    std::optional<QString> file, set;
    std::string told;  // the message, or the path of the file error
  } rows[] = {
      {std::nullopt, std::nullopt, ""},
      {Q(table), std::nullopt, ""},
      {Q(table), "S9", "The table has no set named 'S9'."},
      {Q(table), "L1", "Set L1: no plane or line to analyse."},
      {"/nonexistent/none.orient.csv", "S0", "/nonexistent/none.orient.csv"},
  };
  for (const auto& row : rows) {
    StubServices services;
    services.openAnswers = {row.file};
    services.textAnswers = {row.set};
    EXPECT_FALSE(AskSetBedding(services, nullptr).has_value());
    const std::string told = services.messages.empty()
                                 ? (services.errors.empty() ? "" : services.errors[0].path())
                                 : services.messages[0];
    EXPECT_EQ(told, row.told);
  }
  StubServices services;
  services.openAnswers = {Q(table)};
  services.textAnswers = {" S0 "};
  const std::optional<SetBedding> chosen = AskSetBedding(services, nullptr);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(chosen->bedding.dipDirection, mean.dipDirection);
  EXPECT_EQ(chosen->bedding.dip, mean.dip);
  EXPECT_TRUE(chosen->description.startsWith("the mean of set S0 of fold.orient.csv, "));
  // The table's curation file names its sets and the rows switched off.
  orniva::test::TempDir dir;
  const std::string copy = dir.File("fold.orient.csv"), text = orniva::test::ReadFile(table);
  orniva::test::WriteFile(copy, text);
  Curation curation;
  curation.off = {1};
  curation.phases = {{"early", "#ff0000", {1, 2, 3, 4}, {}}};
  orniva::test::WriteFile(
      CurationPathFor(copy),
      CurationText(curation, "fold.orient.csv", int(records.size()), Sha256Hex(text)));
  std::vector<bool> early(records.size());
  early[1] = early[2] = early[3] = true;
  services.openAnswers = {Q(copy)};
  services.textAnswers = {"early"};
  const std::optional<SetBedding> curated = AskSetBedding(services, nullptr);
  ASSERT_TRUE(curated.has_value());
  EXPECT_EQ(curated->bedding.dip,
            analysis::MeanBeddingOf(
                analysis::OrientationDirections(records, analysis::OrientationOf::Poles, &early))
                .bedding.dip);
}

}  // namespace
}  // namespace orniva::ui::test
