// The survey window: its rows are the batch's, its table and map follow
// each other, Run can be cancelled, every export writes what the command
// line writes, a site is edited, undone and saved, the map keeps its
// proportions, and File > New Survey... makes a survey whose site opens in
// the main window.
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

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
#include "ui/survey/site_dialog.h"
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

// The Edit Site dialog of the row chosen, open.
SiteDialog* EditChosenSite(SurveyWindow& window) {
  window.ActionEditSite->trigger();
  QList<SiteDialog*> dialogs = window.findChildren<SiteDialog*>();
  return dialogs.isEmpty() ? nullptr : dialogs.back();
}

// The text the table shows in column `name` of the rows of `site`.
std::set<std::string> ColumnOfSite(const SurveyWindow& window, int site, const char* name) {
  auto* sort = static_cast<ResultSort*>(window.table()->model());
  std::set<std::string> texts;
  for (int row = 0; row < sort->rowCount(); ++row)
    if (window.result().rows[std::size_t(sort->sourceRow(row))].site == site)
      texts.insert(
          sort->index(row, int(survey::ColumnIndex(name))).data().toString().toStdString());
  return texts;
}

// A value refused in the dialog names what is accepted; an edit accepted
// moves the site on the map and marks the survey unsaved until Undo takes
// it back or Save writes it, the members the window does not know kept;
// closing with unsaved edits asks first.
TEST(SurveyWindow, SiteEditsAreCheckedUndoneSavedAndAskedAboutOnClose) {
  TempDir dir;
  survey::Survey written = orniva::test::KettlemanSurvey(dir, {});
  written.unknown = {{"project", "\"Kettleman\""}};
  written.sites[1].unknown = {{"geologist", "\"A. B.\""}};
  const QString path = Q(orniva::test::KettlemanSurveyPath(dir));
  survey::WriteSurveyFile(LocalPath(path), written);
  StubServices services;
  SurveyWindow window(services, {});
  ASSERT_TRUE(window.openSurvey(path));
  window.selectSite(1);
  SiteDialog* dialog = EditChosenSite(window);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(dialog->field(SiteDialog::Name)->text().toStdString(), written.sites[1].name);
  QPushButton* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
  dialog->field(SiteDialog::Lat)->setText(QStringLiteral("91"));
  EXPECT_EQ(dialog->problem()->text(), "Latitude: '91' is not a number from -90 to 90.");
  EXPECT_FALSE(ok->isEnabled());
  dialog->field(SiteDialog::Lat)->setText(QStringLiteral("35.9"));
  dialog->field(SiteDialog::Lon)->setText(QStringLiteral("-120.3"));
  dialog->field(SiteDialog::Locality)->setText(QStringLiteral("Kettleman Middle Dome"));
  ASSERT_TRUE(ok->isEnabled());
  ok->click();
  const std::string title = "Survey  [ kh.orniva-survey.json ]";
  EXPECT_EQ(window.windowTitle().toStdString(), title + " *");
  EXPECT_EQ(ColumnOfSite(window, 1, "lat"), std::set<std::string>{"35.9"});
  const StressMap map = survey::StressMapOf(window.result(), "");
  double x = 0, y = 0;
  StressMapPoint(StressMapFrameOf(map.sites), -120.3, 35.9, x, y);
  EXPECT_EQ(window.siteAt(x, y), 1);

  EXPECT_EQ(window.ActionUndo->text().toStdString(), "&Undo Edit Site " + written.sites[1].name);
  window.ActionUndo->trigger();
  EXPECT_EQ(window.windowTitle().toStdString(), title);
  EXPECT_EQ(window.result().survey, written);
  window.ActionRedo->trigger();
  window.ActionSave->trigger();
  EXPECT_EQ(window.windowTitle().toStdString(), title);
  const survey::SurveyRead saved = survey::ReadSurveyFile(LocalPath(path));
  EXPECT_EQ(saved.survey, window.result().survey);
  EXPECT_EQ(saved.survey.unknown, written.unknown);
  EXPECT_EQ(saved.survey.sites[1].unknown, written.sites[1].unknown);
  EXPECT_EQ(saved.survey.sites[1].locality, "Kettleman Middle Dome");

  window.ActionUndo->trigger();
  EXPECT_FALSE(window.close());  // the user cancels the question
  EXPECT_EQ(services.asked, std::vector<std::string>{"kh.orniva-survey.json"});
  services.saveAnswer = WindowServices::SaveAnswer::Save;
  EXPECT_TRUE(window.close());
  EXPECT_EQ(survey::ReadSurveyFile(LocalPath(path)).survey, written);
}

// With back-tilt, a bedding changed after a run leaves that site's rows
// waiting for the next run; Undo brings the run's rows back. A site
// removed leaves the others' rows as they ran.
TEST(SurveyWindow, ABeddingChangedAfterTheRunMakesItsRowsWait) {
  TempDir dir;
  survey::SurveyChoices choices;
  choices.samples = 100;
  choices.backTilt = true;
  survey::Survey written = orniva::test::KettlemanSurvey(dir, choices);
  const QString path = Q(orniva::test::KettlemanSurveyPath(dir));
  survey::WriteSurveyFile(LocalPath(path), written);
  StubServices services;
  SurveyWindow window(services, {});
  ASSERT_TRUE(window.openSurvey(path));
  ASSERT_TRUE(RunAndWait(window));
  const std::string ran = survey::SurveyTableCsv(window.result());
  survey::SiteEntry tilted = written.sites[2];
  tilted.bedding = survey::SiteBedding{90, 30};
  window.changeSite(2, tilted);
  EXPECT_EQ(ColumnOfSite(window, 2, "note"), std::set<std::string>{survey::kChangedSinceRun});
  EXPECT_EQ(ColumnOfSite(window, 1, "note"), std::set<std::string>{""});
  window.undo();
  EXPECT_EQ(survey::SurveyTableCsv(window.result()), ran);
  // A site removed: the sites after it keep their results; Undo brings it back.
  window.selectSite(1);
  window.ActionRemoveSites->trigger();
  ASSERT_EQ(window.result().survey.sites.size(), written.sites.size() - 1);
  EXPECT_EQ(window.result().survey.sites[1].name, written.sites[2].name);
  EXPECT_EQ(ColumnOfSite(window, 1, "note"), std::set<std::string>{""});
  EXPECT_EQ(window.ActionUndo->text().toStdString(), "&Undo Remove Site " + written.sites[1].name);
  window.undo();
  EXPECT_EQ(survey::SurveyTableCsv(window.result()), ran);
}

// Save As names the data files from the new place, and the survey goes on
// there.
TEST(SurveyWindow, SaveAsNamesTheDataFilesFromTheNewPlace) {
  TempDir dir;
  StubServices services;
  SurveyWindow window(services, {});
  ASSERT_TRUE(window.openSurvey(WriteKettlemanSurvey(dir, 100)));
  std::filesystem::create_directory(dir.File("copy"));
  services.fileAnswers.push_back(Q(dir.File("copy/k.orniva-survey.json")));
  ASSERT_TRUE(window.saveAs());
  EXPECT_EQ(window.windowTitle(), "Survey  [ k.orniva-survey.json ]");
  const survey::SurveyRead read = survey::ReadSurveyFile(dir.File("copy/k.orniva-survey.json"));
  ASSERT_EQ(read.error, "");
  EXPECT_EQ(read.survey.sites[0].data, "../kh.fdt");
  services.openAnswers.push_back(Q(dir.File("kh.fdt")));
  window.ActionAddSites->trigger();
  EXPECT_EQ(window.result().survey.sites.back().data, "../kh.fdt");
  EXPECT_EQ(window.result().survey.sites.back().name, "kh");
}

// The map is shown at its own proportions whatever the window's shape: a
// bar north-south is as long on the screen as one east-west.
TEST(SurveyWindow, TheMapKeepsOneScaleInXAndY) {
  StubServices services;
  SurveyWindow window(services, {});
  window.show();
  for (const QSize size : {QSize(1100, 620), QSize(700, 900), QSize(1600, 400)}) {
    window.resize(size);
    QCoreApplication::processEvents();
    const QRect shown = window.mapView()->geometry();
    const QSize room = window.mapBox()->size();
    const double perUnitX = double(shown.width()) / kStressMapWidth;
    const double perUnitY = double(shown.height()) / kStressMapHeight;
    EXPECT_NEAR(100 * perUnitX, 100 * perUnitY, 1.0) << size.width() << "x" << size.height();
    EXPECT_TRUE(shown.width() == room.width() || shown.height() == room.height());
    EXPECT_LE(std::abs(shown.left() - (room.width() - shown.right() - 1)), 1);
    EXPECT_LE(std::abs(shown.top() - (room.height() - shown.bottom() - 1)), 1);
  }
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

  services.openAnswers.push_back(DataFile("more.fdt", kTenData));
  survey->ActionAddSites->trigger();
  services.saveAnswer = WindowServices::SaveAnswer::Cancel;
  EXPECT_FALSE(window->close());  // the survey's unsaved sites keep both windows open
  EXPECT_EQ(commands->windows().size(), 1u);
  services.saveAnswer = WindowServices::SaveAnswer::Discard;
}

}  // namespace
}  // namespace orniva::ui::test
