// The main window: its controls, opening and dropping files, the loading
// sequence and its failures, the diagram and size commands, the image size
// rule, the export command and the log clean-up at exit.
#include <cstdlib>

#include <QActionGroup>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

#include "data/fault_reader.h"
#include "platform/emf.h"
#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

using orniva::test::ReadFile;
using orniva::test::TempDir;
using orniva::test::WriteFile;

bool Exists(const std::string& path) { return QFileInfo::exists(Q(path)); }

std::string Repeat(const std::string& line, int times) {
  std::string text;
  text.reserve(line.size() * std::size_t(times));
  for (int i = 0; i < times; ++i) text += line;
  return text;
}

// Drags local files onto the window and drops them there.
void Drop(QWidget* target, const QStringList& paths) {
  QMimeData mime;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  mime.setUrls(urls);
  QDragEnterEvent enter(QPoint(20, 60), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(20, 60), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
  QCoreApplication::processEvents();
}

// Resizes the window so that its outer frame has the given size.
void ResizeOuter(QWidget* window, int width, int height) {
  const QSize frame = window->frameGeometry().size() - window->size();
  window->resize(width - frame.width(), height - frame.height());
  ASSERT_EQ(window->frameGeometry().size(), QSize(width, height));
}

// ---- controls ------------------------------------------------------------------

TEST_F(WindowTest, StartsWithItsCaptionSizeFontAndBars) {
  EXPECT_EQ(window->windowTitle(), "Orniva");
  EXPECT_EQ(window->geometry(), QRect(133, 103, 623, 486));
  EXPECT_EQ(window->font().family(), "Arial");
  EXPECT_EQ(window->font().pixelSize(), 12);
  EXPECT_EQ(window->ToolBar1->height(), 29);
  EXPECT_EQ(window->Panel1->height(), 2);
  EXPECT_EQ(window->StatusPanel0->width(), 50);
  EXPECT_EQ(window->StatusPanel1->width(), 50);
  EXPECT_EQ(window->StatusPanel0->text(), "");
  EXPECT_TRUE(window->acceptDrops());
  EXPECT_EQ(window->PlotMode, FaultPlaneAndStriation);
  EXPECT_EQ(window->faultSet.count(), 0);
  EXPECT_EQ(window->faultSet.size(), 10u);
  EXPECT_EQ(window->lastDrawnRow, 0);
  for (const char* name : {"Image1", "StringGrid1", "StatusBar1", "ToolBar1", "Panel1",
                           "ToolButton1", "ToolButton2", "ToolButton4", "MainMenu1"})
    EXPECT_NE(window->findChild<QWidget*>(name), nullptr) << name;
}

TEST_F(WindowTest, ToolButtonsRunTheirActionsWithTheirHints) {
  EXPECT_EQ(window->ToolButton1->defaultAction(), window->ActionOpen);
  EXPECT_EQ(window->ToolButton2->defaultAction(), window->ActionExport);
  EXPECT_EQ(window->ToolButton4->defaultAction(), window->ActionExit);
  EXPECT_EQ(window->ToolButton1->toolTip(), "Open Data File");
  EXPECT_EQ(window->ToolButton2->toolTip(), "Export Image");
  EXPECT_EQ(window->ToolButton4->toolTip(), "Exit");
  EXPECT_TRUE(window->ToolButton3->isSeparator());
  for (QToolButton* button : {window->ToolButton1, window->ToolButton2, window->ToolButton4})
    EXPECT_FALSE(button->icon().isNull());
}

TEST_F(WindowTest, MenusHaveTheirCaptionsRadioGroupsAndDisabledItems) {
  const QList<QAction*> top = window->menuBar()->actions();
  ASSERT_EQ(top.size(), 4);
  EXPECT_EQ(top[0]->text(), "&File");
  EXPECT_EQ(top[1]->text(), "&Edit");
  EXPECT_EQ(top[2]->text(), "&Plot");
  EXPECT_EQ(top[3]->text(), "&Help");
  EXPECT_FALSE(top[1]->isEnabled());
  EXPECT_TRUE(window->Edit1->actions().isEmpty());

  const QList<QAction*> file = window->File1->actions();
  ASSERT_EQ(file.size(), 4);
  EXPECT_EQ(file[0], window->MenuOpen);
  EXPECT_EQ(window->MenuOpen->text(), "&Open");
  EXPECT_EQ(window->MenuExport->text(), "Export &Image");
  EXPECT_TRUE(file[2]->isSeparator());
  EXPECT_EQ(window->MenuExit->text(), "E&xit");
  EXPECT_EQ(window->MenuOpen->shortcut(), QKeySequence(QKeySequence::Open));

  EXPECT_EQ(window->MenuFPS->text(), "&Fault Plane and Striation");
  EXPECT_EQ(window->MenuTLD->text(), "&Tangent Lineation Diagram");
  EXPECT_EQ(window->SymbolSize1->title(), "Symbol &Size");
  EXPECT_TRUE(window->Plot1->actions()[2]->isSeparator());
  EXPECT_EQ(window->Plot1->actions()[3], window->SymbolSize1->menuAction());
  EXPECT_EQ(window->MenuLarge->text(), "&Large");
  EXPECT_EQ(window->MenuMedium->text(), "&Medium");
  EXPECT_EQ(window->MenuSmall->text(), "&Small");
  EXPECT_TRUE(window->MenuFPS->isChecked());
  EXPECT_FALSE(window->MenuTLD->isChecked());
  EXPECT_TRUE(window->MenuMedium->isChecked());
  ASSERT_NE(window->MenuFPS->actionGroup(), nullptr);
  EXPECT_TRUE(window->MenuFPS->actionGroup()->isExclusive());
  EXPECT_EQ(window->MenuFPS->actionGroup(), window->MenuTLD->actionGroup());
  EXPECT_EQ(window->MenuLarge->actionGroup(), window->MenuSmall->actionGroup());

  EXPECT_EQ(window->Contents1->text(), "&Contents");
  EXPECT_FALSE(window->Contents1->isEnabled());
  EXPECT_EQ(window->Version1->text(), "&Version");
  EXPECT_EQ(window->ActionOpen->property("category").toString(), "File");
  EXPECT_EQ(window->ActionLarge->property("category").toString(), "PlotOption");
}

TEST_F(WindowTest, FirstShowDrawsTheEmptyNetAtThe390Image) {
  EXPECT_TRUE(window->plotPicture.empty());
  Show();
  EXPECT_EQ(window->netGeometry.netRadius, 450);
  EXPECT_EQ(window->plotPicture.width(), 1000);
  EXPECT_EQ(window->plotPicture.height(), 1000);
  Picture net;
  {
    RecordingCanvas canvas(net);
    DrawNetFrame(canvas, window->netGeometry);
  }
  EXPECT_TRUE(SamePicture(window->plotPicture, net));
  EXPECT_EQ(window->Image1->picture(), &window->plotPicture);
  EXPECT_EQ(window->Image1->size(), QSize(390, 390));
  EXPECT_EQ(window->Image1->x(), 0);
  EXPECT_EQ(window->Image1->mapTo(window.get(), QPoint(0, 0)).y(),
            window->Panel1->mapTo(window.get(), QPoint(0, 0)).y() + 2);
}

// ---- opening and dropping --------------------------------------------------------

TEST_F(WindowTest, OpeningThroughTheDialogLoadsListsAndPlots) {
  TempDir other;
  WriteFile(other.File("ten.fdt"), kTenData);
  Show();
  OpenThroughDialog(Q(other.File("ten.fdt")));
  EXPECT_EQ(window->FileName, Q(other.File("ten.fdt")));
  EXPECT_EQ(window->faultSet.count(), 10);
  EXPECT_EQ(window->StringGrid1->rowCount(), 11);
  EXPECT_EQ(window->StatusPanel0->text(), "10");
  EXPECT_EQ(window->windowTitle(), "Orniva  [ ten.fdt ]");
  EXPECT_EQ(window->StringGrid1->gridModel()->cellText(1, 1), "97");
  EXPECT_EQ(window->StringGrid1->gridModel()->cellText(5, 10), "D");
  EXPECT_EQ(window->faultSet[1].colour, clRed);
  EXPECT_EQ(window->faultSet[6].colour, clBlue);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  EXPECT_EQ(QDir::currentPath(), QFileInfo(Q(other.path())).canonicalFilePath());
  EXPECT_EQ(ReadFile(other.File("VORN.log")), ComposeLog("ten.fdt", {}));
  EXPECT_TRUE(recorder.messages.empty());
  EXPECT_TRUE(services.errors.empty());
}

TEST_F(WindowTest, CancellingTheOpenDialogChangesNothing) {
  Show();
  const QString folder = QDir::currentPath();
  services.openAnswers.push_back(std::nullopt);
  window->ActionOpen->trigger();
  EXPECT_EQ(window->faultSet.count(), 0);
  EXPECT_EQ(window->windowTitle(), "Orniva");
  EXPECT_EQ(QDir::currentPath(), folder);
}

TEST_F(WindowTest, DroppingOneFileLoadsItAsTheDialogWould) {
  TempDir other;
  WriteFile(other.File("ten.fdt"), kTenData);
  Show();
  const QString folder = QDir::currentPath();
  Drop(window.get(), {Q(other.File("ten.fdt"))});
  EXPECT_EQ(window->FileName, Q(other.File("ten.fdt")));
  EXPECT_EQ(window->faultSet.count(), 10);
  EXPECT_EQ(window->windowTitle(), "Orniva  [ ten.fdt ]");
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  EXPECT_EQ(QDir::currentPath(), folder);  // a drop leaves the current folder alone
  EXPECT_TRUE(Exists(other.File("VORN.log")));
}

TEST_F(WindowTest, DroppingTwoFilesShowsTheMessageAndKeepsTheData) {
  Show();
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  const Picture before = window->plotPicture;
  DataFile("a.fdt", "1 2 3 4 N\n");
  Drop(window.get(), {Q(work.File("a.fdt")), Q(work.File("ten.fdt"))});
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0],
            "Plural files were dropped.\r\nThis application accept only one file at a time.");
  ExpectTenDataKept(before);
}

// ---- the loading sequence ----------------------------------------------------------

TEST_F(WindowTest, MoreThan32760LinesShowTheMessageAndChangeNothing) {
  Show();
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  const Picture before = window->plotPicture;
  OpenThroughDialog(DataFile("many.fdt", Repeat("10 20 30 40 N\n", 32761)));
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0], "Number of fault must be less than 32760");
  EXPECT_EQ(window->StringGrid1->rowCount(), 11);
  EXPECT_EQ(window->StatusPanel0->text(), "10");
  ExpectTenDataKept(before);
}

TEST_F(WindowTest, Exactly32760LinesAreLoaded) {
  OpenThroughDialog(DataFile("full.fdt", Repeat("10 20 30 40 N\n", 32760)));
  EXPECT_TRUE(recorder.messages.empty());
  EXPECT_EQ(window->faultSet.count(), 32760);
  EXPECT_EQ(window->StringGrid1->rowCount(), 32761);
  EXPECT_EQ(window->StatusPanel0->text(), "32760");
  EXPECT_EQ(window->StringGrid1->gridModel()->cellText(0, 32760), "32760");
  EXPECT_EQ(window->StringGrid1->gridModel()->cellText(4, 32760), "40");
}

TEST_F(WindowTest, AZeroLineFileKeepsThePlot) {
  Show();
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  const Picture before = window->plotPicture;
  OpenThroughDialog(DataFile("empty.fdt", ""));
  EXPECT_EQ(window->faultSet.count(), 0);
  EXPECT_EQ(window->StatusPanel0->text(), "0");
  EXPECT_EQ(window->StringGrid1->rowCount(), 1);
  EXPECT_EQ(window->windowTitle(), "Orniva  [ empty.fdt ]");
  EXPECT_EQ(ReadFile(work.File("VORN.log")), "empty.fdt\r\nNo error\r\n");
  EXPECT_TRUE(SamePicture(window->plotPicture, before));
  // A later load fills the grid again, its current cell back on row 1.
  OpenThroughDialog(Q(work.File("ten.fdt")));
  EXPECT_EQ(window->StringGrid1->rowCount(), 11);
  EXPECT_EQ(window->StringGrid1->row(), 1);
}

TEST_F(WindowTest, BadDataShowTheLogMessage) {
  OpenThroughDialog(DataFile("bad.fdt", "400 20 30 40 N\n10 20 30 40 N\n"));
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0], "Data file has at least one error.\r\nConsult the file VORN.log.");
  EXPECT_EQ(window->faultSet.count(), 2);
  EXPECT_EQ(window->StringGrid1->gridModel()->cellText(1, 1), "400");
}

TEST_F(WindowTest, AnUnreadableFileIsReportedAndChangesNothing) {
  Show();
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  const Picture before = window->plotPicture;
  window->FileName = Q(work.File("missing.fdt"));
  window->LoadDataFile();
  ASSERT_EQ(services.errors.size(), 1u);
  EXPECT_EQ(services.errors[0].path(), work.File("missing.fdt"));
  EXPECT_EQ(services.errors[0].action(), FileError::Action::Read);
  EXPECT_FALSE(services.errors[0].reason().empty());
  ExpectTenDataKept(before);
}

// A folder named VORN.log beside the data stands for a log that cannot be written.
TEST_F(WindowTest, ALogThatCannotBeWrittenIsReportedAndTheLoadCompletes) {
  Show();
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  TempDir locked;
  ASSERT_TRUE(QDir().mkdir(Q(locked.File("VORN.log"))));
  WriteFile(locked.File("two.fdt"), "400 20 30 40 N\n10 20 30 40 R\n");
  OpenThroughDialog(Q(locked.File("two.fdt")));
  ASSERT_EQ(services.errors.size(), 1u);
  EXPECT_EQ(services.errors[0].path(), locked.File("VORN.log"));
  EXPECT_EQ(services.errors[0].action(), FileError::Action::Write);
  EXPECT_TRUE(recorder.messages.empty());  // no "Consult the file VORN.log." without a log
  EXPECT_EQ(window->faultSet.count(), 2);
  EXPECT_EQ(window->StringGrid1->rowCount(), 3);
  EXPECT_EQ(window->StringGrid1->gridModel()->cellText(1, 1), "400");
  EXPECT_EQ(window->StringGrid1->gridModel()->cellText(5, 2), "R");
  EXPECT_EQ(window->faultSet[2].colour, clRed);
  EXPECT_EQ(window->windowTitle(), "Orniva  [ two.fdt ]");
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  EXPECT_EQ(window->writtenLogs().size(), 1u);  // only the first load's log
}

// ---- diagram and symbol size --------------------------------------------------------

TEST_F(WindowTest, SwitchingTheDiagramRedrawsInTheOtherOne) {
  Show();
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  window->ActionTLD->trigger();
  EXPECT_EQ(window->PlotMode, TangentLineation);
  EXPECT_TRUE(window->MenuTLD->isChecked());
  EXPECT_FALSE(window->MenuFPS->isChecked());
  EXPECT_TRUE(SamePicture(window->plotPicture,
                          ExpectedPlot(*window, TangentLineation, SymbolSize::Medium, -1)));
  window->MenuFPS->trigger();  // the menu item runs its action
  EXPECT_EQ(window->PlotMode, FaultPlaneAndStriation);
  EXPECT_TRUE(window->MenuFPS->isChecked());
  EXPECT_TRUE(SamePicture(window->plotPicture,
                          ExpectedPlot(*window, FaultPlaneAndStriation, SymbolSize::Medium, -1)));
}

TEST_F(WindowTest, ChoosingTheShownDiagramRedrawsWithoutHighlight) {
  Show();
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  window->Replot(3);
  ASSERT_TRUE(HasHighlight(window->plotPicture));
  QSignalSpy shown(window->Image1, &PictureView::pictureChanged);
  window->ActionFPS->trigger();
  EXPECT_EQ(shown.count(), 1);
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
}

TEST_F(WindowTest, SymbolSizesRedrawWithTheirRadius) {
  Show();
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  window->ActionLarge->trigger();
  EXPECT_TRUE(window->MenuLarge->isChecked());
  EXPECT_FALSE(window->MenuMedium->isChecked());
  EXPECT_TRUE(SamePicture(window->plotPicture,
                          ExpectedPlot(*window, FaultPlaneAndStriation, SymbolSize::Large, -1)));
  window->ActionTLD->trigger();
  window->MenuSmall->trigger();
  EXPECT_TRUE(window->MenuSmall->isChecked());
  EXPECT_TRUE(SamePicture(window->plotPicture,
                          ExpectedPlot(*window, TangentLineation, SymbolSize::Small, -1)));
  window->ActionMedium->trigger();
  EXPECT_TRUE(SamePicture(window->plotPicture,
                          ExpectedPlot(*window, TangentLineation, SymbolSize::Medium, -1)));
}

TEST_F(WindowTest, SwitchingWithNoDataKeepsTheEmptyNet) {
  Show();
  const Picture net = window->plotPicture;
  QSignalSpy shown(window->Image1, &PictureView::pictureChanged);
  window->ActionTLD->trigger();
  window->ActionLarge->trigger();
  window->ActionFPS->trigger();
  EXPECT_TRUE(window->MenuFPS->isChecked());
  EXPECT_TRUE(window->MenuLarge->isChecked());
  EXPECT_EQ(shown.count(), 0);
  EXPECT_TRUE(SamePicture(window->plotPicture, net));
}

TEST_F(WindowTest, ClickingTheImageRemovesTheHighlight) {
  Show();
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  window->Replot(5);
  ASSERT_TRUE(HasHighlight(window->plotPicture));
  QTest::mouseClick(window->Image1, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_FALSE(HasHighlight(window->plotPicture));
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
}

// ---- image size -----------------------------------------------------------------------

TEST_F(WindowTest, TheImageSideFollowsTheWindowSize) {
  Show();
  EXPECT_EQ(window->frameGeometry().size(), QSize(623, 486));  // the outer size at start
  ResizeOuter(window.get(), 700, 600);
  EXPECT_EQ(window->Image1->size(), QSize(467, 467));
  ResizeOuter(window.get(), 623, 486);
  EXPECT_EQ(window->Image1->size(), QSize(390, 390));
  ResizeOuter(window.get(), 900, 500);
  EXPECT_EQ(window->Image1->size(), QSize(404, 404));
}

TEST_F(WindowTest, ATinyWindowGivesAnEmptyImage) {
  Show();
  window->resize(120, 80);
  EXPECT_EQ(window->Image1->size(), QSize(0, 0));
  Settle();  // and paints without failing
  ResizeOuter(window.get(), 623, 486);
  EXPECT_EQ(window->Image1->size(), QSize(390, 390));
}

// ---- export ---------------------------------------------------------------------------

TEST_F(WindowTest, ExportRightAfterStartWritesTheEmptyNet) {
  Show();
  services.saveAnswers.push_back(Q(work.File("net.emf")));
  window->ActionExport->trigger();
  const std::vector<std::uint8_t> expected = EncodeEmf(window->plotPicture);
  EXPECT_EQ(ReadFile(work.File("net.emf")), std::string(expected.begin(), expected.end()));
}

TEST_F(WindowTest, ExportComparesTheExtensionCaseBlind) {
  Show();
  OpenThroughDialog(DataFile("ten.fdt", kTenData));
  window->Replot(2);
  TempDir pictures;
  WriteFile(pictures.File("plot.EMF"), "old");
  services.saveAnswers.push_back(Q(pictures.File("plot.EMF")));
  window->ActionExport->trigger();
  const std::vector<std::uint8_t> expected = EncodeEmf(window->plotPicture);
  EXPECT_EQ(ReadFile(pictures.File("plot.EMF")), std::string(expected.begin(), expected.end()));
  EXPECT_TRUE(recorder.messages.empty());
  EXPECT_EQ(QDir::currentPath(), QFileInfo(Q(pictures.path())).canonicalFilePath());
}

TEST_F(WindowTest, ExportToAnotherFormatShowsTheMessageAndWritesNothing) {
  services.saveAnswers.push_back(Q(work.File("plot.bmp")));
  window->ActionExport->trigger();
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0], "Invalid graphic format specified.\r\nImage is not saved.");
  EXPECT_FALSE(Exists(work.File("plot.bmp")));
}

TEST_F(WindowTest, ExportOfANameWithoutExtensionAddsEmf) {
  Show();
  services.saveAnswers.push_back(Q(work.File("plot")));
  window->ActionExport->trigger();
  EXPECT_TRUE(recorder.messages.empty());
  EXPECT_TRUE(Exists(work.File("plot.emf")));
  EXPECT_FALSE(Exists(work.File("plot")));
}

TEST_F(WindowTest, ExportCancelledOrUnwritable) {
  Show();
  services.saveAnswers.push_back(std::nullopt);
  window->ActionExport->trigger();
  EXPECT_TRUE(QDir(Q(work.path())).entryList(QDir::Files).isEmpty());
  const Picture before = window->plotPicture;
  ASSERT_TRUE(QDir().mkdir(Q(work.File("taken.emf"))));
  services.saveAnswers.push_back(Q(work.File("taken.emf")));
  window->ActionExport->trigger();
  ASSERT_EQ(services.errors.size(), 1u);
  EXPECT_EQ(services.errors[0].path(), work.File("taken.emf"));
  EXPECT_EQ(services.errors[0].action(), FileError::Action::Write);
  EXPECT_TRUE(SamePicture(window->plotPicture, before));
}

// ---- exit -------------------------------------------------------------------------------

// In a child process: a quit ends the message loop for good.
TEST_F(WindowTest, ExitAsksTheMessageLoopToQuit) {
  Show();
  EXPECT_EXIT(
      {
        QTimer::singleShot(0, window->ActionExit, &QAction::trigger);
        QTimer::singleShot(5000, [] { std::_Exit(2); });
        std::_Exit(QApplication::exec() == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(WindowTest, ExitRemovesTheLogOfAFileOpenedThroughTheDialog) {
  TempDir data;
  WriteFile(data.File("ten.fdt"), kTenData);
  OpenThroughDialog(Q(data.File("ten.fdt")));
  ASSERT_TRUE(Exists(data.File("VORN.log")));
  window.reset();
  EXPECT_FALSE(Exists(data.File("VORN.log")));
  EXPECT_TRUE(Exists(data.File("ten.fdt")));
}

TEST_F(WindowTest, ExitKeepsTheLogOfAFileDroppedFromAnotherFolder) {
  TempDir data;
  WriteFile(data.File("ten.fdt"), kTenData);
  Drop(window.get(), {Q(data.File("ten.fdt"))});
  ASSERT_EQ(window->faultSet.count(), 10);
  window.reset();
  EXPECT_TRUE(Exists(data.File("VORN.log")));
}

TEST_F(WindowTest, ExitKeepsTheLogAfterAnExportIntoAnotherFolder) {
  TempDir data, pictures;
  WriteFile(data.File("ten.fdt"), kTenData);
  OpenThroughDialog(Q(data.File("ten.fdt")));
  services.saveAnswers.push_back(Q(pictures.File("plot.emf")));
  window->ActionExport->trigger();
  window.reset();
  EXPECT_TRUE(Exists(data.File("VORN.log")));
  EXPECT_TRUE(Exists(pictures.File("plot.emf")));
}

TEST_F(WindowTest, ExitKeepsALogInTheCurrentFolderThatThisRunNeverWrote) {
  WriteFile(work.File("VORN.log"), "someone else's log\r\n");
  TempDir data;
  WriteFile(data.File("ten.fdt"), kTenData);
  Drop(window.get(), {Q(data.File("ten.fdt"))});
  window.reset();
  EXPECT_EQ(ReadFile(work.File("VORN.log")), "someone else's log\r\n");
  EXPECT_TRUE(Exists(data.File("VORN.log")));
}

TEST_F(WindowTest, ExitWithoutAnyLoadKeepsAForeignLog) {
  WriteFile(work.File("VORN.log"), "older run\r\n");
  window.reset();
  EXPECT_TRUE(Exists(work.File("VORN.log")));
}

}  // namespace
}  // namespace orniva::ui::test
