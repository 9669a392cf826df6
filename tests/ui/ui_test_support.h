// Helpers of the window tests: stand-in dialogs, a window fixture, sample
// data and picture comparisons.
#pragma once

#include <algorithm>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QMimeData>
#include <QSettings>
#include <QString>
#include <QTest>
#include <gtest/gtest.h>

#include "tests/plot/plot_test_support.h"
#include "ui/main/VORNmain.h"  // with the plot, the figures and the window services

namespace orniva::ui::test {

inline QString Q(const std::string& path) { return QString::fromStdString(path); }

// Answers the file dialogs from queues (an empty queue or nullopt cancels)
// and records what the window hands them.
class StubServices : public WindowServices {
 public:
  using Answers = std::deque<std::optional<QString>>;
  std::optional<QString> OpenDataFile(QWidget*) override { return Next(openAnswers); }
  std::optional<QString> SavePicture(QWidget*) override { return Next(saveAnswers); }
  void ReportError(QWidget*, const FileError& error) override { errors.push_back(error); }
  std::optional<QString> SaveFigureFile(QWidget*, const QString& offered) override {
    figureNamesOffered.push_back(offered);
    return Next(figureAnswers);
  }
  std::optional<FigureOptions> ChooseFigureOptions(QWidget*, const FigureOptions& current, bool,
                                                   const QString&) override {
    optionsShown.push_back(current);
    return figureOptions;
  }
  void PrintFigure(QWidget*, const Picture& figure, double widthMm) override {
    printed.push_back({figure, widthMm});
  }
  std::optional<QString> OpenImportFile(QWidget*) override { return Next(importAnswers); }
  std::optional<ImportedData> ConfirmImport(QWidget*, const std::string& text, const QString&,
                                            const std::string&) override {
    importedTexts.push_back(text);
    return importData;
  }
  std::optional<QString> SaveDataFile(QWidget*, const QString& title,
                                      const QString& offered) override {
    dataFileDialogs.push_back({title, offered});
    return Next(dataFileAnswers);
  }
  void ShowMessage(QWidget*, const std::string& text) override { messages.push_back(text); }
  std::optional<QString> OpenFile(QWidget*, const QString&, const QString&) override {
    return Next(fileAnswers);
  }
  std::optional<QString> SaveFile(QWidget*, const QString&, const QString&,
                                  const QString&) override {
    return Next(fileAnswers);
  }
  std::optional<QString> ChooseFolder(QWidget*, const QString&) override {
    return Next(fileAnswers);
  }
  SaveAnswer AskToSave(QWidget*, const QString& fileName) override {
    asked.push_back(fileName.toStdString());
    return saveAnswer;
  }
  bool Confirm(QWidget*, const std::string& question) override {
    asked.push_back(question);
    return confirm;
  }
  std::optional<QString> AskText(QWidget*, const QString&, const QString&) override {
    return Next(textAnswers);
  }
  std::optional<QString> AskColour(QWidget*, const QString&) override { return Next(textAnswers); }
  void CopyText(const QString& text) override { clipboard = text; }
  QString ClipboardText() override { return clipboard; }
  void CopyData(QMimeData* data) override {
    copied.reset(data);
    clipboard = data->text();
  }
  void ShowManual(QWidget*, const QString& page) override { manualPages.push_back(page); }
  // Kept in a file of a scratch folder, never the user's.
  std::unique_ptr<QSettings> Settings() override {
    return std::make_unique<QSettings>(Q(settingsFolder.File("orniva.ini")), QSettings::IniFormat);
  }

  Answers openAnswers, saveAnswers, figureAnswers, importAnswers, dataFileAnswers, textAnswers,
      fileAnswers;
  SaveAnswer saveAnswer = SaveAnswer::Cancel;
  bool confirm = false;
  std::vector<std::string> asked;  // the questions of AskToSave (the file) and Confirm
  std::vector<std::string> importedTexts;
  std::optional<ImportedData> importData;                        // nullopt cancels the dialog
  std::optional<FigureOptions> figureOptions = FigureOptions{};  // nullopt cancels
  std::vector<FigureOptions> optionsShown;
  std::vector<std::pair<Picture, double>> printed;
  std::vector<FileError> errors;
  std::vector<std::string> messages;
  std::vector<std::pair<QString, QString>> dataFileDialogs;  // their titles and offered names
  QString clipboard;                                         // the text copied, or to paste
  std::unique_ptr<QMimeData> copied;                         // the data copied last
  std::vector<QString> figureNamesOffered;
  std::vector<QString> manualPages;  // the pages of the manual shown
  orniva::test::TempDir settingsFolder;

 private:
  static std::optional<QString> Next(Answers& answers) {
    if (answers.empty()) return std::nullopt;
    const std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Ten valid data: normal, reverse, sinistral and dextral faults.
inline const char kTenData[] =
    "97 57 137 50 R\n"
    "110 78 156 73 R\n"
    "101 60 133 56 R\n"
    "118 47 113 47 R\n"
    "73 69 123 59 R\n"
    "42 62 29.4 61.4 N\n"
    "60 63 40.8 61.6 N\n"
    "35 68 48.1 67.5 N\n"
    "122 82 33.1 7.9 S\n"
    "296 78 24.3 7.8 D\n";

// The lines of `text`, one a line.
inline std::vector<std::string> LinesOf(const char* text) {
  std::vector<std::string> lines;
  for (const QString& line : QString::fromLatin1(text).split('\n', Qt::SkipEmptyParts))
    lines.push_back(line.toStdString());
  return lines;
}

// `document` holding `lines` as if read from the file `path` (not read).
inline void Adopt(document::Document& document, const std::vector<std::string>& lines,
                  const std::string& path = "data.fdt") {
  document::Opening opening;
  opening.path = path;
  opening.data = orniva::test::DataFromLines(lines);
  opening.lines = lines;
  document.Adopt(std::move(opening));
}

// Lets queued events, repaints included, run.
inline void Settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
    QTest::qWait(15);
  }
}

// The plot the window would record from its current data.
inline Picture ExpectedPlot(const TFormMain& window, PlotMode mode, SymbolSize size,
                            std::int16_t highlight) {
  orniva::test::PlotFixture plot;
  plot.target.geometry = window.netGeometry;
  plot.target.symbolSize = size;
  const orniva::DiagramFigures figures = orniva::FiguresFor(mode, window.study, window.netGeometry);
  PlotDiagram(mode, window.faultSet, plot.target, highlight, figures.Inputs());
  return plot.picture;
}

// The same records, texts and polyline points, wherever the points are kept.
inline bool SamePicture(const Picture& a, const Picture& b) {
  if (a.records().size() != b.records().size() || a.texts() != b.texts()) return false;
  for (std::size_t i = 0; i < a.records().size(); ++i) {
    const DrawRecord &l = a.records()[i], &r = b.records()[i];
    const bool points = l.op == DrawOp::Polyline || l.op == DrawOp::Polygon;
    if (!(points
              ? l.op == r.op && l.b == r.b &&
                    std::equal(a.PolylinePoints(l), a.PolylinePoints(l) + l.b, b.PolylinePoints(r))
              : l == r))
      return false;
  }
  return true;
}

// A window with stand-in dialogs, its messages recorded, in a scratch folder
// that becomes the current one; the current folder is restored afterwards.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest() : savedFolder_(QDir::currentPath()) { QDir::setCurrent(Q(work.path())); }
  ~WindowTest() override {
    window.reset();
    QDir::setCurrent(savedFolder_);
  }

  void Show() {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    Settle();
  }
  // Writes `content` to a file of the scratch folder and returns its path.
  QString DataFile(const std::string& name, const std::string& content) {
    orniva::test::WriteFile(work.File(name), content);
    return Q(work.File(name));
  }
  void OpenThroughDialog(const QString& path) {
    services.openAnswers.push_back(path);
    window->ActionOpen->trigger();
  }
  void OpenTen() { OpenThroughDialog(DataFile("ten.fdt", kTenData)); }
  // The paths of the file errors reported since the last call.
  std::vector<std::string> TakeErrorPaths() {
    std::vector<std::string> paths;
    for (const FileError& error : services.errors) paths.push_back(error.path());
    services.errors.clear();
    return paths;
  }
  // The ten data of ten.fdt are still loaded and the picture is `before`.
  void ExpectTenDataKept(const Picture& before) const {
    EXPECT_EQ(window->faultSet.count(), 10);
    EXPECT_EQ(window->windowTitle(), "Orniva  [ ten.fdt ]");
    EXPECT_TRUE(SamePicture(window->plotPicture, before));
  }
  Picture Expected(std::int16_t highlight) const {
    return ExpectedPlot(*window, window->PlotMode, SymbolSize::Medium, highlight);
  }

 private:
  QString savedFolder_;

 protected:
  StubServices services;
  orniva::test::TempDir work;
  std::unique_ptr<TFormMain> window = std::make_unique<TFormMain>(&services);
};

}  // namespace orniva::ui::test
