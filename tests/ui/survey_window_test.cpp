// The survey window: its rows are the batch's, its table and map follow
// each other, Run can be cancelled, every export writes what the command
// line writes, and File > New Survey... makes a survey whose site opens in
// the main window.
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <gtest/gtest.h>

#include "plot/stress_map.h"
#include "survey/gis_layers.h"
#include "survey/publication_table.h"
#include "survey/survey_map.h"
#include "survey/survey_table.h"
#include "tests/support/model_contract.h"
#include "tests/support/test_support.h"
#include "tests/survey/kettleman_sites.h"
#include "tests/ui/ui_test_support.h"
#include "ui/main/picture_view.h"
#include "ui/shared/result_table.h"
#include "ui/survey/survey_window.h"

namespace orniva::ui::test {
namespace {

using orniva::test::TempDir;

// The Kettleman Hills survey of four sites written to `dir`.
QString WriteKettlemanSurvey(const TempDir& dir, int samples) {
  survey::SurveyChoices choices;
  choices.samples = samples;
  const survey::Survey survey = orniva::test::KettlemanSurvey(dir, choices);
  survey::WriteSurveyFile(orniva::test::KettlemanSurveyPath(dir), survey);
  return Q(orniva::test::KettlemanSurveyPath(dir));
}

// The survey sites of the rows selected in the table.
std::set<int> SelectedSites(const SurveyWindow& window) {
  auto* sort = static_cast<ResultSort*>(window.table()->model());
  std::set<int> sites;
  for (const QModelIndex& index : window.table()->selectionModel()->selectedRows())
    sites.insert(window.result().rows[std::size_t(sort->sourceRow(index.row()))].site);
  return sites;
}

bool RunAndWait(SurveyWindow& window) {
  QSignalSpy finished(&window, &SurveyWindow::finished);
  window.run();
  return finished.wait(120000);
}

TEST(SurveyWindow, RowsAreTheBatchsAndTableAndMapFollowEachOther) {
  TempDir dir;
  const QString path = WriteKettlemanSurvey(dir, 200);
  StubServices services;
  std::vector<QString> opened;
  SurveyWindow window(services, [&](const QString& data) { opened.push_back(data); });
  orniva::test::ModelContract contract(window.table()->model());
  ASSERT_TRUE(window.openSurvey(path));
  EXPECT_EQ(window.windowTitle(), "Survey  [ kh.orniva-survey.json ]");
  EXPECT_EQ(window.table()->model()->rowCount(), 4);  // a row per site until it runs
  ASSERT_TRUE(RunAndWait(window));
  const survey::SurveyResult expected =
      survey::RunSurvey(survey::ReadSurveyFile(LocalPath(path)).survey, LocalPath(path));
  EXPECT_EQ(survey::SurveyTableCsv(window.result()), survey::SurveyTableCsv(expected));
  EXPECT_EQ(window.table()->model()->rowCount(), int(expected.rows.size()));

  window.table()->selectRow(2);
  const int site =
      window.result()
          .rows[std::size_t(static_cast<ResultSort*>(window.table()->model())->sourceRow(2))]
          .site;
  EXPECT_EQ(window.ringedSite(), site);
  const survey::GeoPosition at = *window.result().survey.sites[3].position;
  const StressMap map = survey::StressMapOf(window.result(), "");
  double x = 0, y = 0;
  StressMapPoint(StressMapFrameOf(map.sites), at.lon, at.lat, x, y);
  emit window.mapView()->picked(QPointF(x, y), Qt::NoModifier);
  EXPECT_EQ(SelectedSites(window), std::set<int>{3});
  EXPECT_EQ(window.ringedSite(), 3);
  EXPECT_EQ(window.siteAt(x + 1000, y), -1);  // nowhere near a site

  emit window.table()->doubleClicked(window.table()->model()->index(0, 0));
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(LocalPath(opened[0]), dir.File("kh.fdt"));
}

TEST(SurveyWindow, ACancelledRunLeavesTheRowsAsTheyWere) {
  TempDir dir;
  StubServices services;
  SurveyWindow window(services, {});
  ASSERT_TRUE(window.openSurvey(WriteKettlemanSurvey(dir, 20000)));
  QSignalSpy finished(&window, &SurveyWindow::finished);
  window.run();
  EXPECT_TRUE(window.running());
  window.cancel();
  EXPECT_EQ(finished.count(), 1);
  EXPECT_FALSE(window.running());
  EXPECT_FALSE(window.hasRun());
  EXPECT_EQ(window.result().rows.size(), 4u);
  EXPECT_EQ(window.result().rows[0].note, "not run");
}

TEST(SurveyWindow, ExportsWriteWhatTheCommandLineWrites) {
  TempDir dir;
  StubServices services;
  SurveyWindow window(services, {});
  ASSERT_TRUE(window.openSurvey(WriteKettlemanSurvey(dir, 100)));
  window.exportAs(SurveyWindow::Export::GeoJson);  // nothing to export before a run
  ASSERT_TRUE(RunAndWait(window));
  const survey::SurveyResult& result = window.result();
  const struct {
    SurveyWindow::Export what;
    std::string file, bytes;
  } rows[] = {
      {SurveyWindow::Export::GeoJson, "s.geojson", survey::SurveyGeoJson(result)},
      {SurveyWindow::Export::Kml, "s.kml", survey::SurveyKml(result)},
      {SurveyWindow::Export::WsmCsv, "s.csv", survey::SurveyWsmCsv(result)},
      {SurveyWindow::Export::Table, "s.md",
       survey::PublicationTable(result, survey::TableFormat::Markdown)},
  };
  for (const auto& row : rows) {
    services.fileAnswers.push_back(Q(dir.File(row.file)));
    window.exportAs(row.what);
    EXPECT_EQ(orniva::test::ReadFile(dir.File(row.file)), row.bytes) << row.file;
  }
  services.fileAnswers.push_back(Q(dir.File("s.txt")));
  window.exportAs(SurveyWindow::Export::Table);
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0], dir.File("s.txt") + ": the table must end in .tex, .html or .md");
  services.figureAnswers.push_back(Q(dir.File("map.svg")));
  window.exportAs(SurveyWindow::Export::Map);
  EXPECT_NE(orniva::test::ReadFile(dir.File("map.svg")).find("<svg"), std::string::npos);
  services.fileAnswers.push_back(Q(dir.File("")));
  window.exportAs(SurveyWindow::Export::Report);
  EXPECT_NE(orniva::test::ReadFile(dir.File("site-004.html")).find("<svg"), std::string::npos);
  services.fileAnswers.push_back(Q(dir.File("no/such/s.kml")));
  window.exportAs(SurveyWindow::Export::Kml);
  EXPECT_EQ(services.errors.size(), 1u);
}

TEST(SurveyWindow, RefusesASurveyFileItCannotUse) {
  TempDir dir;
  orniva::test::WriteFile(dir.File("bad.json"), R"({"orniva": 2, "sites": []})");
  StubServices services;
  SurveyWindow window(services, {});
  EXPECT_FALSE(window.openSurvey(Q(dir.File("bad.json"))));
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].rfind(dir.File("bad.json") + ": ", 0), 0u);
}

using SurveyCommandsTest = WindowTest;

// New Survey... comes after the File menu's items it had; a site
// double-clicked opens in the main window, asking first about its changes.
TEST_F(SurveyCommandsTest, NewSurveyFromADataFileOpensItsSiteInTheMainWindow) {
  auto* commands = window->findChild<SurveyCommands*>();
  ASSERT_TRUE(commands);
  const QList<QAction*> items = window->File1->actions();
  EXPECT_EQ(items.indexOf(commands->ActionNewSurvey) + 1,
            items.indexOf(commands->ActionOpenSurvey));
  EXPECT_LT(items.indexOf(window->MenuExport), items.indexOf(commands->ActionNewSurvey));
  EXPECT_EQ(items.indexOf(window->MenuExit), items.size() - 1);
  services.openAnswers.push_back(DataFile("ten.fdt", kTenData));
  services.fileAnswers.push_back(Q(work.File("ten.orniva-survey.json")));
  commands->ActionNewSurvey->trigger();
  ASSERT_EQ(commands->windows().size(), 1u);
  SurveyWindow* survey = commands->windows()[0];
  const survey::SurveyRead read = survey::ReadSurveyFile(work.File("ten.orniva-survey.json"));
  ASSERT_EQ(read.error, "");
  ASSERT_EQ(read.survey.sites.size(), 1u);
  EXPECT_EQ(read.survey.sites[0].name, "ten");
  EXPECT_EQ(read.survey.sites[0].data, "ten.fdt");
  OpenThroughDialog(DataFile("other.fdt", kTenData));
  window->document.Do(document::Edit::Switch({1}, true), "off");
  const QModelIndex row = survey->table()->model()->index(0, 0);
  emit survey->table()->doubleClicked(row);  // the user cancels the question
  EXPECT_EQ(services.asked, std::vector<std::string>{"other.fdt"});
  EXPECT_EQ(window->windowTitle(), "Orniva  [ other.fdt ] *");
  services.saveAnswer = WindowServices::SaveAnswer::Discard;
  emit survey->table()->doubleClicked(row);
  EXPECT_EQ(window->windowTitle(), "Orniva  [ ten.fdt ]");
}

}  // namespace
}  // namespace orniva::ui::test
