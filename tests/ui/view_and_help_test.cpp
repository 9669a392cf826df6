// The help and the view of the main window: the manual among the program's
// resources and its window, Help > Contents, the selection counted in the
// status bar, the wide data grid, the recent files and what the window
// remembers between runs only when the user asks it to.
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "plot/manual_pages.h"
#include "tests/ui/ui_test_support.h"
#include "ui/main/fault_grid.h"
#include "ui/shared/manual_window.h"

namespace orniva::ui::test {
namespace {

using orniva::test::ReadFile;

const std::string kManual = std::string(ORNIVA_SOURCE_DIR) + "/docs/manual/";

// Every page the program names, and every file of the manual's list, is
// among the resources as it is in the source.
TEST(ManualResources, HoldEveryPageNamed) {
  std::vector<std::string> pages = {std::string(kManualIndex),    std::string(kManualConventions),
                                    std::string(kManualDataFile), std::string(kManualImport),
                                    std::string(kManualCuration), std::string(kManualFigures)};
  for (int mode = 0; mode <= int(PlotMode::Tendency); ++mode)
    pages.emplace_back(ManualPageOfDiagram(PlotMode(mode)));
  const QString list = QString::fromStdString(ReadFile(kManual + "manual.qrc"));
  for (const auto& file : QRegularExpression("<file>(.*)</file>").globalMatch(list))
    pages.push_back(file.captured(1).toStdString());
  ASSERT_GT(pages.size(), 30u);
  for (const std::string& page : pages) {
    QFile resource(ManualPagePath(page));
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly)) << page;
    EXPECT_EQ(resource.readAll().toStdString(), ReadFile(kManual + page)) << page;
  }
}

// The help window shows a page titled as the page is, and goes back.
TEST(ManualWindow, ShowsAPageAndGoesBack) {
  ManualWindow window;
  window.ShowPage(kManualIndex);
  EXPECT_EQ(window.source(), QUrl("qrc:/manual/index.html"));
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Orniva manual \u2014 Orniva manual"));
  window.ShowPage("density.html");
  EXPECT_EQ(window.source(), QUrl("qrc:/manual/density.html"));
  EXPECT_TRUE(window.Browser1->toPlainText().contains("Kamb"));
  window.Browser1->backward();
  EXPECT_EQ(window.source(), QUrl("qrc:/manual/index.html"));
}

TEST_F(WindowTest, HelpContentsOpensTheManualsIndex) {
  ASSERT_TRUE(window->Contents1->isEnabled());
  window->Contents1->trigger();
  EXPECT_EQ(services.manualPages, std::vector<QString>{"index.html"});
}

// "N selected" at the right of the status bar while data are selected.
TEST_F(WindowTest, TheStatusBarCountsTheSelection) {
  Show();
  OpenTen();
  const std::pair<std::vector<int>, QString> rows[] = {
      {{2, 5, 7}, "3 selected"}, {{9}, "1 selected"}, {{}, ""}};
  for (const auto& [lines, text] : rows) {
    window->selection().Change(lines, SelectionChange::Replace);
    EXPECT_EQ(window->StatusSelection->isHidden(), text.isEmpty());
    if (!text.isEmpty()) {
      EXPECT_EQ(window->StatusSelection->text(), text);
    }
  }
  window->selection().Change({4}, SelectionChange::Replace);
  OpenTen();  // other data: the selection is emptied
  EXPECT_TRUE(window->StatusSelection->isHidden());
}

// The wide grid shows the longest number whole; the window widens with it
// and the image keeps its size; narrowed, the grid is as at first.
TEST_F(WindowTest, TheWideGridShowsItsNumbersWhole) {
  Show();
  OpenThroughDialog(DataFile("long.fdt", "359.9 89.9 -1.1 0.1 N\n"));
  FaultGridView* grid = window->StringGrid1;
  const QString longest = grid->gridModel()->cellText(1, 1);
  ASSERT_EQ(longest, "359.899993896484");
  const QSize image = window->Image1->size(), outer = window->size();
  window->viewCommands()->ActionWideGrid->trigger();
  Settle();
  EXPECT_GE(grid->columnWidth(0), grid->fontMetrics().horizontalAdvance("-" + longest) + 2);
  EXPECT_EQ(grid->width(), 225 + grid->extraWidth());
  EXPECT_EQ(window->size(), outer + QSize(grid->extraWidth(), 0));
  EXPECT_EQ(window->Image1->size(), image);
  window->viewCommands()->ActionWideGrid->trigger();
  Settle();
  EXPECT_EQ(grid->columnWidth(0), 36);
  EXPECT_EQ(grid->width(), 225);
  EXPECT_EQ(window->size(), outer);
}

// Recent Files: the latest first, once each, at most eight; an item opens
// its file, or, gone, leaves the list; Clear List empties it.
TEST_F(WindowTest, RecentFilesListTheLatestFirst) {
  ViewCommands& view = *window->viewCommands();
  EXPECT_FALSE(view.Recent1->isEnabled());
  std::vector<QString> paths;
  for (int i = 0; i < 9; ++i) paths.push_back(DataFile(std::to_string(i) + ".fdt", kTenData));
  for (const QString& path : paths) window->LoadDataFile(path);
  window->LoadDataFile(paths[4]);
  const QStringList expected = {paths[4], paths[8], paths[7], paths[6],
                                paths[5], paths[3], paths[2], paths[1]};
  EXPECT_EQ(view.recentFiles(), expected);
  EXPECT_TRUE(view.Recent1->isEnabled());
  view.Recent1->actions()[2]->trigger();
  EXPECT_EQ(window->FileName(), paths[7]);
  EXPECT_EQ(view.recentFiles().front(), paths[7]);
  QFile::remove(paths[5]);  // a file deleted meanwhile: reported, and off the list
  view.Recent1->actions()[4]->trigger();
  EXPECT_EQ(services.errors.size(), 1u);
  EXPECT_FALSE(view.recentFiles().contains(paths[5]));
  EXPECT_EQ(view.recentFiles().size(), 7);
  view.Recent1->actions().back()->trigger();  // Clear List
  EXPECT_TRUE(view.recentFiles().isEmpty());
  EXPECT_FALSE(view.Recent1->isEnabled());
}

// Nothing is written unless the user asks; asked, the next window starts
// as this one ended (size, place, folder, grid, recent files); turned off,
// all is forgotten and the next window starts as at first.
TEST_F(WindowTest, TheWindowIsRememberedOnlyWhenAsked) {
  const QString settings = Q(services.settingsFolder.File("orniva.ini"));
  Show();
  OpenTen();
  window->viewCommands()->ActionWideGrid->trigger();
  window->setGeometry(40, 50, 900, 700);
  window.reset();
  EXPECT_FALSE(QFileInfo::exists(settings));

  const QString folder = QDir::currentPath();
  auto next = [&] {
    window = std::make_unique<TFormMain>(&services);
    Show();
  };
  next();
  EXPECT_FALSE(window->viewCommands()->ActionWideGrid->isChecked());
  OpenTen();
  window->viewCommands()->ActionRemember->trigger();
  window->viewCommands()->ActionWideGrid->trigger();
  window->resize(880, 640);
  const QSize size = window->size();
  window.reset();
  QDir::setCurrent(QDir::tempPath());
  next();
  EXPECT_TRUE(window->viewCommands()->ActionRemember->isChecked());
  EXPECT_TRUE(window->viewCommands()->ActionWideGrid->isChecked());
  EXPECT_EQ(window->size(), size);
  EXPECT_EQ(QDir::currentPath(), folder);
  EXPECT_EQ(window->viewCommands()->recentFiles(), QStringList{Q(work.File("ten.fdt"))});

  window->viewCommands()->ActionRemember->trigger();
  window.reset();
  next();
  EXPECT_FALSE(window->viewCommands()->ActionRemember->isChecked() ||
               window->viewCommands()->ActionWideGrid->isChecked());
  EXPECT_TRUE(window->viewCommands()->recentFiles().isEmpty());
  EXPECT_EQ(window->Image1->size(), QSize(390, 390));
}

}  // namespace
}  // namespace orniva::ui::test
