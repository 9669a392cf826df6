// The window at a typical size and at the format's limit: replaying the
// picture, a load to a painted image, a row change to a repainted image, and
// the memory of a window holding 32760 faults. Offscreen Qt platform.
#include <sys/resource.h>

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QApplication>
#include <QMimeData>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "bench/bench_data.h"
#include "tests/support/test_support.h"
#include "plot/fault_plane_diagram.h"
#include "ui/main/VORNmain.h"
#include "render/replay.h"
#include "ui/main/picture_view.h"
#include "ui/results/data_table.h"

namespace orniva::bench {
namespace {

class NoDialogs : public ui::WindowServices {
 public:
  std::optional<QString> OpenDataFile(QWidget*) override { return std::nullopt; }
  std::optional<QString> SavePicture(QWidget*) override { return std::nullopt; }
  void ReportError(QWidget*, const FileError&) override {}
  std::optional<QString> SaveFigureFile(QWidget*, const QString&) override { return std::nullopt; }
  std::optional<ui::FigureOptions> ChooseFigureOptions(QWidget*, const ui::FigureOptions&, bool,
                                                       const QString&) override {
    return std::nullopt;
  }
  void PrintFigure(QWidget*, const Picture&, double) override {}
  std::optional<QString> OpenImportFile(QWidget*) override { return std::nullopt; }
  std::optional<ui::ImportedData> ConfirmImport(QWidget*, const std::string&, const QString&,
                                                const std::string&) override {
    return std::nullopt;
  }
  std::optional<QString> SaveDataFile(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  void ShowMessage(QWidget*, const std::string&) override {}
  std::optional<QString> OpenFile(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> SaveFile(QWidget*, const QString&, const QString&,
                                  const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> ChooseFolder(QWidget*, const QString&) override { return std::nullopt; }
  SaveAnswer AskToSave(QWidget*, const QString&) override { return SaveAnswer::Discard; }
  bool Confirm(QWidget*, const std::string&) override { return false; }
  std::optional<QString> AskText(QWidget*, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> AskColour(QWidget*, const QString&) override { return std::nullopt; }
  void CopyText(const QString&) override {}
  QString ClipboardText() override { return {}; }
  void CopyData(QMimeData* data) override { delete data; }
  void ShowManual(QWidget*, const QString&) override {}
  // A scratch file, never the user's settings.
  std::unique_ptr<QSettings> Settings() override {
    return std::make_unique<QSettings>(folder_.filePath(QStringLiteral("orniva.ini")),
                                       QSettings::IniFormat);
  }

 private:
  QTemporaryDir folder_;
};

// Counts the paints of a widget.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// A shown main window on the offscreen platform.
struct Window {
  NoDialogs services;
  TFormMain form{&services};
  PaintCounter image;

  Window() {
    form.show();
    form.Image1->installEventFilter(&image);
    QApplication::processEvents();
  }
  // Runs the event loop until the image has been painted after `before`
  // paints and nothing more is pending.
  void WaitForImage(int before) {
    do QApplication::processEvents();
    while (image.paints == before);
    QApplication::processEvents();
  }
  void Load(int count) { LoadFile(FaultFile(count)); }
  void LoadFile(const std::string& path) {
    const int before = image.paints;
    form.LoadDataFile(QString::fromStdString(path));
    WaitForImage(before);
  }
};

void BM_ReplayPicture(benchmark::State& state) {
  const FaultSet data = LoadedData(int(state.range(0)));
  Plot plot(false);
  PlotFaultPlanes(data, plot.target, -1);
  const Picture& picture = plot.picture;
  const int side = int(state.range(1));
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    QPainter painter(&image);
    render::PaintPicture(picture, painter, image.rect());
  }
}
BENCHMARK(BM_ReplayPicture)
    ->ArgNames({"faults", "side"})
    ->Args({kTypical, 390})
    ->Args({kTypical, 1000})
    ->Args({kLargest, 390})
    ->Args({kLargest, 1000})
    ->Unit(benchmark::kMillisecond);

void BM_LoadToPaintedImage(benchmark::State& state) {
  Window window;
  for (auto _ : state) window.Load(int(state.range(0)));
}
BENCHMARK(BM_LoadToPaintedImage)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

// The window made large enough for an image of about `side` x `side`.
void Enlarge(Window& window, int side) {
  const QSize image = window.form.Image1->size();
  window.form.resize(window.form.size() + QSize(side, side) - image);
  QApplication::processEvents();
}

// After a load, the first paint of a large image (1000 x 1000).
void BM_LoadToPaintedLargeImage(benchmark::State& state) {
  Window window;
  Enlarge(window, 1000);
  for (auto _ : state) window.Load(int(state.range(0)));
  state.counters["side"] = window.form.Image1->width();
}
BENCHMARK(BM_LoadToPaintedLargeImage)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

// The window resized, between images of about 1000 and 960 pixels, to a
// repainted image.
void BM_ResizeToRepaintedImage(benchmark::State& state) {
  Window window;
  window.Load(int(state.range(0)));
  int side = 960;
  for (auto _ : state) {
    side = side == 960 ? 1000 : 960;
    const int before = window.image.paints;
    Enlarge(window, side);
    window.WaitForImage(before);
  }
}
BENCHMARK(BM_ResizeToRepaintedImage)->Arg(kTypical)->Arg(kLargest)->Unit(benchmark::kMillisecond);

// Moves the grid's focus from row 4 to row 7 and back, each time to a
// repainted image with the new row highlighted.
// Arguments: data count, diagram (PlotMode: 0 fault planes, 1 tangent
// lineation).
void BM_RowChangeToRepaintedImage(benchmark::State& state) {
  Window window;
  window.form.PlotMode = PlotMode(state.range(1));
  window.Load(int(state.range(0)));
  QTableView* grid = window.form.StringGrid1;
  grid->setFocus();
  int row = 4;
  for (auto _ : state) {
    row = row == 4 ? 7 : 4;
    const int before = window.image.paints;
    grid->setCurrentIndex(grid->model()->index(row - 1, 1));
    window.WaitForImage(before);
  }
}
BENCHMARK(BM_RowChangeToRepaintedImage)
    ->ArgNames({"faults", "diagram"})
    ->Args({kTypical, 0})
    ->Args({kLargest, 0})
    ->Args({kLargest, 1})
    ->Unit(benchmark::kMillisecond);

// One fault switched off or back on in the data table (state.range(1) 0),
// or that switch undone or redone (1), to the repainted image with the data
// table open and updated; with state.range(2) 1 also the stress and
// kinematics windows.
void BM_SwitchOneFaultToRepaintedImage(benchmark::State& state) {
  Window window;
  window.Load(int(state.range(0)));
  if (state.range(2) == 1) {
    window.form.analysisMenu()->ActionStressInversion->trigger();
    window.form.analysisMenu()->ActionKinematics->trigger();
  }
  window.form.curationCommands()->ShowTable();
  QApplication::processEvents();
  QAbstractItemModel* table = window.form.curationCommands()->table()->model();
  document::Document& history = window.form.document;
  bool off = false;
  if (state.range(1) == 1) table->setData(table->index(4, 6), Qt::Unchecked, Qt::CheckStateRole);
  for (auto _ : state) {
    off = !off;
    const int before = window.image.paints;
    if (state.range(1) == 0)
      table->setData(table->index(4, 6), off ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    else if (off)
      history.Undo();
    else
      history.Redo();
    window.WaitForImage(before);
  }
}
BENCHMARK(BM_SwitchOneFaultToRepaintedImage)
    ->ArgNames({"faults", "undo", "windows"})
    ->Args({kTypical, 0, 1})
    ->Args({kLargest, 0, 0})
    ->Args({kLargest, 1, 0})
    ->Args({kLargest, 0, 1})
    ->Args({kLargest, 1, 1})
    ->Unit(benchmark::kMillisecond);

// Save after one fault was switched off (the curation file written), or
// after one line was edited too (the data file written as well), to a
// saved state.
void BM_Save(benchmark::State& state) {
  Window window;
  const std::string path = TempPath("saved.fdt");  // the others' files stay as they are
  test::WriteFile(path, test::ReadFile(FaultFile(int(state.range(0)))));
  window.LoadFile(path);
  QAbstractItemModel* table = nullptr;
  window.form.curationCommands()->ShowTable();
  table = window.form.curationCommands()->table()->model();
  if (state.range(1) == 1) {
    window.form.curationCommands()->table()->editBox()->setChecked(true);
    table->setData(table->index(2, 1), QStringLiteral("12.5"), Qt::EditRole);
  }
  bool off = false;
  for (auto _ : state) {
    state.PauseTiming();
    off = !off;
    table->setData(table->index(4, 6), off ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    QApplication::processEvents();
    state.ResumeTiming();
    window.form.curationCommands()->Save();
  }
}
BENCHMARK(BM_Save)
    ->ArgNames({"faults", "edited"})
    ->Args({kTypical, 0})
    ->Args({kLargest, 0})
    ->Args({kLargest, 1})
    ->Unit(benchmark::kMillisecond);

// A lasso drawn on the net round its west half, then round its east half,
// each to the repainted image with the selection marked and the data
// table open with the selected rows selected.
void BM_LassoToRepaintedImage(benchmark::State& state) {
  Window window;
  window.Load(int(state.range(0)));
  if (state.range(1)) window.form.curationCommands()->ShowTable();
  QApplication::processEvents();
  const QPolygonF west({{50, 50}, {500, 50}, {500, 950}, {50, 950}}),
      east({{500, 50}, {950, 50}, {950, 950}, {500, 950}});
  bool onWest = false;
  for (auto _ : state) {
    onWest = !onWest;
    const int before = window.image.paints;
    window.form.selectionCommands()->Lasso(onWest ? west : east, ui::SelectionChange::Replace);
    window.WaitForImage(before);
  }
  state.counters["selected"] = double(window.form.selection().lines().size());
}
BENCHMARK(BM_LassoToRepaintedImage)
    ->ArgNames({"faults", "table"})
    ->Args({kTypical, 1})
    ->Args({kLargest, 0})
    ->Args({kLargest, 1})
    ->Unit(benchmark::kMillisecond);

// The status bar's readout of the point under the cursor: the line, its
// plane and the nearest datum, at points across the net.
void BM_HoverReadout(benchmark::State& state) {
  Window window;
  window.Load(int(state.range(0)));
  double x = 100;
  for (auto _ : state) {
    x = x > 900 ? 100 : x + 7;
    benchmark::DoNotOptimize(window.form.selectionCommands()->ReadoutAt(QPointF(x, 1000 - x)));
  }
}
BENCHMARK(BM_HoverReadout)->ArgName("faults")->Arg(kLargest)->Unit(benchmark::kMicrosecond);

// Peak resident memory of the process after the window has loaded and
// painted 32760 faults and highlighted a row [MB].
void BM_PeakMemoryAfterLargestLoad(benchmark::State& state) {
  for (auto _ : state) {
    Window window;
    window.Load(kLargest);
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_PeakMemoryAfterLargestLoad)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orniva::bench

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
