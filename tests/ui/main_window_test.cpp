// The main window's wiring: its controls and texts, opening and dropping
// files, the load's refusals, the diagram and size commands, the image size
// rule, the export command and the log clean-up at exit; the version box,
// the message boxes behind ShowMessage and ReportError, and the picture
// extension rule.
#include <cstdlib>
#include <functional>
#include <tuple>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

#include "picture/emf.h"
#include "ui/main/About.h"
#include "tests/ui/ui_test_support.h"

namespace orniva::ui::test {
namespace {

using orniva::test::ReadFile;
using orniva::test::Repeat;
using orniva::test::TempDir;
using orniva::test::WriteFile;

bool Exists(const std::string& path) { return QFileInfo::exists(Q(path)); }

// Drags local files onto the window and drops them there, offering
// `actions`; the window takes the drag only when it offers a copy.
void Drop(QWidget* target, const QStringList& paths, Qt::DropActions actions = Qt::CopyAction) {
  QMimeData mime;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  mime.setUrls(urls);
  QDragEnterEvent enter(QPoint(20, 60), actions, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  ASSERT_EQ(enter.isAccepted(), bool(actions & Qt::CopyAction));
  QDropEvent drop(QPointF(20, 60), actions, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
  QCoreApplication::processEvents();
}

// ---- controls ------------------------------------------------------------------

// The menus' and the toolbar's texts in order, "" for a separator.
TEST_F(WindowTest, ControlTexts) {
  auto texts = [](const QList<QAction*>& actions) {
    QStringList list;
    for (const QAction* action : actions) list << action->text();
    return list.join('|');
  };
  // clang-format off
  const std::pair<QString, QString> rows[] = {
      {window->windowTitle(), "Orniva"},
      {texts(window->menuBar()->actions()), "&File|&Edit|&Plot|&Analysis|&Data|&Select|&View|&Help"},
      {texts(window->File1->actions()),
       "&Open|Export &Image|Save &Figure As...|&Print...|I&mport...|New S&urvey...|Open "
       "Sur&vey...|&Save|Save &As...|Recent &Files||E&xit"},
      {texts(window->viewCommands()->View1->actions()),
       "&Wide Data Grid|&Colour Key Beside the Picture||&Remember Window and Recent Files"},
      {texts(window->Edit1->actions()), "&Copy Figure|&Paste Data||&Undo|&Redo"},
      {texts(window->curationCommands()->Data1->actions()), "Data &Table...|&Analyse|&Colour by Phase"},
      {texts(window->Plot1->actions()),
       "&Fault Plane and Striation|&Tangent Lineation Diagram||Symbol &Size||Equal-&Angle Net|"
       "Equal-A&rea Net|&Upper Hemisphere|Net &Grid||&Poles|&Kinematic Axes|Str&ess Axes|"
       "Every &Method's \u03C31 and \u03C33|&Density|Right D&ihedra|"
       "Fault P&lanes on Right Dihedra|M&ohr Diagram|Slip and Dilation Te&ndency|R&ose Diagram"},
      {texts(window->SymbolSize1->actions()), "&Large|&Medium|&Small"},
      {texts(window->analysisMenu()->Density1->actions()),
       "of &Poles|of P &Axes|of &T Axes|of &Striations||&Kamb|&One Per Cent"},
      {texts(window->analysisMenu()->Tendency1->actions()),
       "&Slip Tendency (Ts\u2032)|&Dilation Tendency (Td)||Stress &Magnitudes..."},
      {texts(window->analysisMenu()->Rose1->actions()),
       "of &Strikes|of &Dip Directions|of Striation &Trends||5\u00B0 Bins|10\u00B0 Bins|"
       "15\u00B0 Bins|30\u00B0 Bins"},
      {texts(window->analysisMenu()->Analysis1->actions()),
       "&Kinematics...|&Stress Inversion...|Separate &Phases...|Stress &Magnitudes...||"
       "R&otate Data...|&Back-tilt Data...|&Tilt Test...|Ba&ck-tilt by an Orientation Set...|"
       "T&ilt Test by an Orientation Set..."},
      {texts(window->Help1->actions()), "&Contents|&Version"},
      {window->ToolButton1->toolTip() + "|" + window->ToolButton2->toolTip() + "|" +
           window->ToolButton4->toolTip(),
       "Open Data File|Export Image|Exit"},
      {window->StatusPanel0->text(), ""},
  };
  // clang-format on
  for (const auto& [actual, expected] : rows)
    EXPECT_EQ(actual.toStdString(), expected.toStdString());
  EXPECT_TRUE(window->analysisMenu()->ActionEqualAngle->isChecked() &&
              window->ActionFPS->isChecked() && window->ActionMedium->isChecked());
  EXPECT_FALSE(window->viewCommands()->ActionWideGrid->isChecked() ||
               window->viewCommands()->ActionRemember->isChecked());
  EXPECT_TRUE(window->StatusSelection->isHidden());
  EXPECT_EQ(window->MenuOpen->shortcut(), QKeySequence(QKeySequence::Open));
  // One action per command, shared by the menu and the toolbar.
  EXPECT_EQ(texts({window->ToolButton1->defaultAction(), window->ToolButton2->defaultAction(),
                   window->ToolButton4->defaultAction()}),
            texts({window->ActionOpen, window->ActionExport, window->ActionExit}));
}

// The first show draws the empty net; the image's side follows the outer
// size of the window, from 390 at the first size.
TEST_F(WindowTest, FirstShowDrawsTheEmptyNetAndTheImageFollowsTheWindowSize) {
  EXPECT_TRUE(window->plotPicture.empty());
  Show();
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));  // no data: the net alone
  EXPECT_EQ(window->Image1->size(), QSize(390, 390));
  EXPECT_EQ(window->Image1->mapTo(window.get(), QPoint(0, 0)).y(),
            window->Panel1->mapTo(window.get(), QPoint(0, 0)).y() + 2);
  const std::pair<QSize, int> rows[] = {{{700, 600}, 467}, {{623, 486}, 390}, {{900, 500}, 404}};
  for (const auto& [outer, side] : rows) {
    window->resize(outer - (window->frameGeometry().size() - window->size()));  // the outer size
    ASSERT_EQ(window->frameGeometry().size(), outer);
    Settle();  // paints at every size, also the empty image
    EXPECT_EQ(window->Image1->size(), QSize(side, side)) << outer.width();
  }
  window->resize(120, 80);
  Settle();
  EXPECT_EQ(window->Image1->size(), QSize(0, 0));
}

// ---- opening and dropping --------------------------------------------------------

// Opening through the dialog loads, lists and plots the file, also after
// another of as many lines.
TEST_F(WindowTest, OpeningThroughTheDialogLoadsListsAndPlots) {
  TempDir other;
  WriteFile(other.File("ten.fdt"), kTenData);
  Show();
  OpenThroughDialog(Q(other.File("ten.fdt")));
  EXPECT_EQ(window->faultSet.count(), 10);
  EXPECT_EQ(window->StatusPanel0->text(), "10");
  EXPECT_EQ(window->windowTitle(), "Orniva  [ ten.fdt ]");
  EXPECT_EQ(window->StringGrid1->gridModel()->cellText(5, 10), "D");
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  EXPECT_EQ(QDir::currentPath(), QFileInfo(Q(other.path())).canonicalFilePath());
  EXPECT_EQ(ReadFile(other.File("VORN.log")), "ten.fdt\r\nNo error\r\n");
  EXPECT_TRUE(services.messages.empty() && services.errors.empty());
  // Another file of as many lines draws its own great circles, not the cached ones.
  std::string same;
  for (int i = 0; i < 10; ++i)
    same += std::to_string(20 * i) + " 30 " + std::to_string(20 * i) + " 30 N\n";
  const Picture first = window->plotPicture;
  OpenThroughDialog(DataFile("same.fdt", same));
  EXPECT_FALSE(SamePicture(window->plotPicture, first));
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
}

// Exit removes the log in the current folder only when this run wrote it:
// a drop leaves the folder alone, an opening makes its folder current.
TEST_F(WindowTest, DroppingOneFileLoadsItPluralFilesAreRefusedAndExitRemovesItsOwnLog) {
  TempDir other, opened;
  WriteFile(other.File("ten.fdt"), kTenData);
  WriteFile(work.File("VORN.log"), "someone else's log\r\n");
  Show();
  const QString folder = QDir::currentPath();
  Drop(window.get(), {Q(other.File("ten.fdt"))});
  EXPECT_EQ(window->FileName(), Q(other.File("ten.fdt")));
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
  EXPECT_EQ(QDir::currentPath(), folder);  // a drop leaves the current folder alone
  Settle();
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(1)));
  const Picture before = window->plotPicture;
  Drop(window.get(), {DataFile("a.fdt", "1 2 3 4 N\n"), Q(other.File("ten.fdt"))});
  EXPECT_EQ(services.messages,
            std::vector<std::string>{"Plural files were dropped.\r\n"
                                     "This application accept only one file at a time."});
  ExpectTenDataKept(before);
  Drop(window.get(), {DataFile("moved.fdt", "1 2 3 4 N\n")}, Qt::MoveAction);  // no copy offered
  EXPECT_EQ(window->FileName(), Q(other.File("ten.fdt")));
  ExpectTenDataKept(before);
  WriteFile(opened.File("ten.fdt"), kTenData);
  OpenThroughDialog(Q(opened.File("ten.fdt")));
  window.reset();
  EXPECT_FALSE(Exists(opened.File("VORN.log")));
  EXPECT_TRUE(Exists(other.File("VORN.log")));
  window = std::make_unique<TFormMain>(&services);
  OpenThroughDialog(
      Q(work.File("missing.fdt")));  // makes the scratch folder current, writes no log
  window.reset();
  EXPECT_EQ(ReadFile(work.File("VORN.log")), "someone else's log\r\n");
}

// A refused load keeps the data and the picture; a load whose log cannot be
// written or whose fields are bad goes on, a tab-separated file named as
// such; striations far off their planes are named after the load.
TEST_F(WindowTest, LoadRefusalsAndReports) {
  TempDir locked;
  ASSERT_TRUE(QDir().mkdir(Q(locked.File("VORN.log"))));
  const std::string kOffBy21 =
      "striation more than 20\u00B0 off its plane at line 2 (20.97\u00B0).\r\n"
      "Every analysis reads a striation as if it lay in its plane.";
  WriteFile(locked.File("two.fdt"), "400 20 30 40 N\n10 20 30 40 R\n");
  struct Row {
    QString path;
    std::vector<std::string> messages, errorPaths;  // the FileErrors reported
    int count;                                      // data loaded; 10 is the earlier file kept
  };
  // clang-format off
  const Row rows[] = {
      {DataFile("many.fdt", Repeat("10 20 30 40 N\n", 32761)),
       {"Number of fault must be less than 32760"}, {}, 10},
      {Q(work.File("missing.fdt")), {}, {work.File("missing.fdt")}, 10},
      {Q(locked.File("two.fdt")), {"two.fdt: " + kOffBy21}, {locked.File("VORN.log")}, 2},
      {DataFile("bad.fdt", "400 20 30 40 N\n10 20 30 40 N\n"),
       {"Data file has at least one error.\r\nConsult the file VORN.log.", "bad.fdt: " + kOffBy21},
       {}, 2},
      {DataFile("tabs.fdt", "120\t45\t200\t30\tN\n10 20 10 20 R\n"),
       {"Data file has at least one error.\r\nConsult the file VORN.log.\r\n"
        "The file is tab-separated: a data file separates its fields by spaces."}, {}, 2},
      {DataFile("zero.fdt", ""), {}, {}, 0},  // the empty net, not the earlier data
  };
  // clang-format on
  Show();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path.toStdString());
    OpenTen();
    const Picture before = window->plotPicture;
    services.messages.clear();
    TakeErrorPaths();
    OpenThroughDialog(row.path);
    EXPECT_EQ(services.messages, row.messages);
    EXPECT_EQ(TakeErrorPaths(), row.errorPaths);
    EXPECT_EQ(window->faultSet.count(), row.count);
    EXPECT_EQ(window->StringGrid1->rowCount(), row.count + 1);
    if (row.count == 10) ExpectTenDataKept(before);
    if (row.count < 10) {
      EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
    }
  }
}

// ---- diagram and symbol size --------------------------------------------------------

// Each command, and a click on the image, redraws without the highlight.
TEST_F(WindowTest, PlotCommandsRedrawWithTheirDiagramAndSize) {
  Show();
  OpenTen();
  struct Row {
    QAction* action;
    PlotMode mode;
    SymbolSize size;
  };
  const PlotMode fps = PlotMode::FaultPlaneAndStriation, tld = PlotMode::TangentLineation;
  // clang-format off
  const Row rows[] = {
      {window->ActionTLD, tld, SymbolSize::Medium},  {window->ActionLarge, tld, SymbolSize::Large},
      {window->ActionFPS, fps, SymbolSize::Large},   {window->ActionSmall, fps, SymbolSize::Small},
      {window->ActionMedium, fps, SymbolSize::Medium},
      {window->analysisMenu()->ActionEqualArea, fps, SymbolSize::Medium},
      {window->analysisMenu()->ActionPoles, PlotMode::Poles, SymbolSize::Medium},
      {window->analysisMenu()->ActionKinematicAxes, PlotMode::KinematicAxes, SymbolSize::Medium},
      {window->analysisMenu()->ActionEqualAngle, PlotMode::KinematicAxes, SymbolSize::Medium},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.action->text().toStdString());
    window->Replot(3);
    row.action->trigger();
    EXPECT_TRUE(row.action->isChecked());
    EXPECT_EQ(window->PlotMode, row.mode);
    EXPECT_EQ(window->netGeometry.kind, window->analysisMenu()->ActionEqualArea->isChecked()
                                            ? NetKind::EqualArea
                                            : NetKind::EqualAngle);
    EXPECT_TRUE(SamePicture(window->plotPicture, ExpectedPlot(*window, row.mode, row.size, -1)));
  }
  window->Replot(3);
  QTest::mouseClick(window->Image1, Qt::LeftButton, {},
                    QPoint(100, 100));  // also without highlight
  EXPECT_TRUE(SamePicture(window->plotPicture, Expected(-1)));
}

// ---- export ---------------------------------------------------------------------------

TEST_F(WindowTest, ExportWritesThePictureOrSaysWhy) {
  Show();
  OpenTen();
  window->Replot(2);
  TempDir pictures;
  ASSERT_TRUE(QDir().mkdir(Q(pictures.File("taken.emf"))));
  WriteFile(pictures.File("plot.EMF"), "old");
  struct Row {
    std::string answer, written, message, error;
  };
  // clang-format off
  const Row rows[] = {
      {"plot.EMF", "plot.EMF", "", ""},  // case-blind extension, old file replaced
      {"plot.bmp", "", "Invalid graphic format specified.\r\nImage is not saved.", ""},
      {"taken.emf", "", "", "taken.emf"},
      {"", "", "", ""},  // cancelled: nothing at all
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.answer);
    services.messages.clear();
    services.saveAnswers.push_back(
        row.answer.empty() ? std::nullopt : std::optional(Q(pictures.File(row.answer))));
    window->ActionExport->trigger();
    const std::vector<std::uint8_t> emf = EncodeEmf(window->plotPicture);
    if (!row.written.empty()) {
      EXPECT_EQ(ReadFile(pictures.File(row.written)), std::string(emf.begin(), emf.end()));
    }
    EXPECT_EQ(services.messages.empty() ? "" : services.messages[0], row.message);
    EXPECT_EQ(TakeErrorPaths(), row.error.empty()
                                    ? std::vector<std::string>{}
                                    : std::vector<std::string>{pictures.File(row.error)});
  }
  EXPECT_FALSE(Exists(pictures.File("plot.bmp")));
  EXPECT_EQ(QDir::currentPath(), QFileInfo(Q(pictures.path())).canonicalFilePath());
}

// ---- exit -------------------------------------------------------------------------------

// In a child process, as a quit also ends every later event loop of this
// one: a quit ends the message loop with status 0. The child is started
// afresh rather than forked from this process and its threads.
TEST_F(WindowTest, ExitAsksTheMessageLoopToQuit) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Show();
  EXPECT_EXIT(
      {
        QTimer::singleShot(0, window->ActionExit, &QAction::trigger);
        QTimer::singleShot(5000, [] { std::_Exit(2); });
        std::_Exit(QApplication::exec() == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

// ---- the version box and the message boxes --------------------------------------

TEST_F(WindowTest, TheVersionBoxIsShownTwiceAsOneAndHiddenByOK) {
  Show();
  TFormAbout about;
  FormAbout = &about;
  window->Version1->trigger();
  window->Version1->trigger();
  EXPECT_TRUE(about.isVisible());
  EXPECT_TRUE(window->isEnabled());  // modeless
  QTest::mouseClick(about.Button1, Qt::LeftButton);
  EXPECT_FALSE(about.isVisible());
  window->Version1->trigger();
  EXPECT_TRUE(about.isVisible());
  FormAbout = nullptr;
}

// The modal box that `show` opens, as "title|text|icon|buttons". Every
// message box open is closed at once, so that none is left waiting.
std::string ModalBox(const std::function<void()>& show) {
  QString seen = "no box";
  QTimer::singleShot(0, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (!box || !box->isVisible()) continue;
      seen = box->windowTitle() + "|" + box->text() + "|" + QString::number(int(box->icon())) +
             "|" + QString::number(int(box->standardButtons()));
      box->accept();
    }
  });
  show();
  return seen.toStdString();
}

TEST(MessageBoxes, TheTextUnderTheApplicationTitleWithOneOK) {
  const std::string ok = "|" + std::to_string(QMessageBox::Ok);
  QtWindowServices services;
  EXPECT_EQ(ModalBox([&] {
              services.ShowMessage(nullptr, "Plural files were dropped.\r\nOne at a time.");
            }),
            "Halvaro|Plural files were dropped.\nOne at a time.|0" + ok);
  EXPECT_EQ(ModalBox([&] {
              services.ReportError(nullptr, FileError(FileError::Action::Write, "/data/VORN.log",
                                                      "Permission denied"));
            }),
            "Halvaro|Cannot write file /data/VORN.log:\nPermission denied.|" +
                std::to_string(QMessageBox::Critical) + ok);
}

// The lower-cased text from the last period of the name; the save dialog's
// default extension, and Save Figure As's chosen filter's, only for a name
// without one.
TEST(PictureExtension, FromTheLastPeriodOfTheName) {
  // clang-format off
  const std::tuple<QString, std::string, QString> rows[] = {
      {"/tmp/plot.EMF", ".emf", "/tmp/plot.EMF"},   {"/tmp/plot.emf.bmp", ".bmp", "/tmp/plot.emf.bmp"},
      {"/tmp/a.d/plot", "", "/tmp/a.d/plot.emf"},   {"plot.", ".", "plot."},
      {"/tmp/plot.emfx", ".emfx", "/tmp/plot.emfx"},
  };
  // clang-format on
  for (const auto& [name, extension, saved] : rows) {
    EXPECT_EQ(PictureExtension(name), extension) << name.toStdString();
    EXPECT_EQ(WithDefaultSuffix(name, kPictureSuffix), saved) << name.toStdString();
  }
  EXPECT_EQ(WithFigureSuffix("a", "PDF documents (*.pdf)"), "a.pdf");
  EXPECT_EQ(WithFigureSuffix("a.PNG", "PDF documents (*.pdf)"), "a.PNG");
}

}  // namespace
}  // namespace orniva::ui::test
