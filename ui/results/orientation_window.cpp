#include "ui/results/orientation_window.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "analysis/orientation_statistics.h"
#include "analysis/study.h"
#include "data/colours.h"
#include "document/orientation_opening.h"
#include "plot/colour_key.h"
#include "plot/figures.h"
#include "plot/orientation_net.h"
#include "plot/rose_diagram.h"
#include "plot/pick_points.h"
#include "ui/results/orientation_rows.h"
#include "ui/results/picking_chart_view.h"
#include "ui/results/tilt_test_window.h"
#include "ui/shared/result_table.h"

namespace orniva::ui {

namespace {

using SetRow = OrientationWindow::SetRow;

// A column of the table: its header and the report and column it shows.
struct StatisticColumn {
  const char* header;
  analysis::ReportTable SetRow::*report;
  const char* column;
};

const StatisticColumn kColumns[] = {
    {"n", &SetRow::fisher, "n"},
    {"Mean trend", &SetRow::fisher, "trend"},
    {"Mean plunge", &SetRow::fisher, "plunge"},
    {"Resultant R", &SetRow::fisher, "r"},
    {"k", &SetRow::fisher, "k"},
    {"\u03B195", &SetRow::fisher, "alpha"},
    {"csd", &SetRow::fisher, "csd"},
    {"S1", &SetRow::fabric, "s1"},
    {"S2", &SetRow::fabric, "s2"},
    {"S3", &SetRow::fabric, "s3"},
    {"K", &SetRow::fabric, "K"},
    {"C", &SetRow::fabric, "C"},
    {"P", &SetRow::fabric, "P"},
    {"G", &SetRow::fabric, "G"},
    {"R", &SetRow::fabric, "R"},
    {"B", &SetRow::fabric, "B"},
    {"I", &SetRow::fabric, "I"},
    {"Fold axis trend", &SetRow::fold, "trend"},
    {"Fold axis plunge", &SetRow::fold, "plunge"},
};

// The cell of `column` in the report's one row; null when it was refused.
const analysis::ReportCell* CellOf(const analysis::ReportTable& report, const char* column) {
  if (!report.error.empty() || report.rowCount() == 0) return nullptr;
  const auto at = std::find(report.columns.begin(), report.columns.end(), column);
  return at == report.columns.end() ? nullptr
                                    : &report.at(0, std::size_t(at - report.columns.begin()));
}

// The report `name` of the records in `use`, read as `of` says.
analysis::ReportTable Statistic(const char* name, const std::vector<OrientationRecord>& records,
                                const std::vector<bool>& use, const char* of) {
  analysis::Study none;
  analysis::ReportRequest request;
  request.options["--of"] = of;
  request.orientations = &records;
  request.orientationUse = &use;
  return analysis::ReportKindNamed(name)->run(none, request);
}

QComboBox* NewChoice(const QStringList& items, QWidget* parent) {
  auto* choice = new QComboBox(parent);
  choice->addItems(items);
  return choice;
}

QString FileNameOf(const std::string& path) {
  return QFileInfo(QFile::decodeName(path.c_str())).fileName();
}

QPushButton* NewButton(const QString& text, QWidget* parent, const std::function<void()>& run) {
  auto* button = new QPushButton(text, parent);
  QObject::connect(button, &QPushButton::clicked, parent, run);
  return button;
}

// A command of the window with its key, run while the focus is anywhere in it.
QAction* NewAction(const QString& text, const QKeySequence& keys, QWidget* window,
                   const std::function<void()>& run) {
  auto* action = new QAction(text, window);
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(action, &QAction::triggered, window, run);
  window->addAction(action);
  return action;
}

// A set's colour ("#rrggbb") as the net draws it.
TColor ColourOf(const std::string& colour) {
  const QColor c(QString::fromStdString(colour));
  return Rgb(std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue()));
}

}  // namespace

OrientationWindow::OrientationWindow(document::OrientationOpening opening, bool applyOtherData,
                                     WindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services) {
  setObjectName(QStringLiteral("OrientationWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  document_.Adopt(std::move(opening), applyOtherData);
  auto* layout = new QVBoxLayout(this);
  summary_ = NewSummaryLabel(this);
  layout->addWidget(summary_);
  auto* choices = new QHBoxLayout;
  of_ = NewChoice({QStringLiteral("Poles of the planes"), QStringLiteral("Lines")}, this);
  planes_ = NewChoice(
      {QStringLiteral("Planes as great circles"), QStringLiteral("Planes as poles")}, this);
  choices->addWidget(new QLabel(QStringLiteral("Statistics of:"), this));
  choices->addWidget(of_);
  choices->addWidget(planes_);
  view_choice_ =
      NewChoice({QStringLiteral("Net of the rows"), QStringLiteral("Rose of the planes' strikes"),
                 QStringLiteral("Rose of the lines' trends")},
                this);
  choices->addWidget(view_choice_);
  density_ = NewChoice({QStringLiteral("No density"), QStringLiteral("Kamb contours"),
                        QStringLiteral("1 % contours")},
                       this);
  density_->setToolTip(QStringLiteral("Density of the poles of the planes and the lines in use"));
  choices->addWidget(density_);
  choices->addWidget(newTurnButton());
  choices->addStretch();
  choices->addWidget(NewCopyButton(this, [this] { copy(); }));
  layout->addLayout(choices);
  layout->addWidget(turnLine_);
  auto* split = new QSplitter(Qt::Horizontal, this);
  auto* left = new QWidget(split);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  net_ = newNetView(left);
  net_->setMinimumSize(360, 360);
  leftLayout->addWidget(net_, 1);
  densityKey_ = new QLabel(left);
  densityKey_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  densityKey_->setWordWrap(true);
  densityKey_->hide();
  leftLayout->addWidget(densityKey_);
  auto* right = new QSplitter(Qt::Vertical, split);
  right->addWidget(newRowsPane());
  model_ = new ResultModel(this);
  model_->addColumn({QStringLiteral("Set"), {}, [this](int row) { return rows_[row].name; }, {}});
  for (const StatisticColumn& c : kColumns)
    model_->addColumn(
        {QString::fromUtf8(c.header), QString::fromLatin1(c.column),
         [this, c](int row) {
           const SetRow& r = rows_[std::size_t(row)];
           const analysis::ReportCell* cell = CellOf(r.*c.report, c.column);
           return cell ? QString::fromStdString((r.*c.report).Written(*cell)) : QString();
         },
         [this, c](int row) {
           const analysis::ReportCell* cell = CellOf(rows_[std::size_t(row)].*c.report, c.column);
           return cell && cell->IsNumber() ? cell->number
                                           : std::numeric_limits<double>::quiet_NaN();
         }});
  view_ = NewResultView(model_, -1, right);
  right->addWidget(view_);
  right->setStretchFactor(0, 3);
  right->setStretchFactor(1, 1);
  split->setStretchFactor(0, 1);
  split->setStretchFactor(1, 1);
  layout->addWidget(split, 1);
  connect(of_, &QComboBox::currentIndexChanged, this, [this] { compute(); });
  connect(planes_, &QComboBox::currentIndexChanged, this, [this] { draw(); });
  connect(view_choice_, &QComboBox::currentIndexChanged, this, [this] { draw(); });
  connect(density_, &QComboBox::currentIndexChanged, this, [this] { draw(); });
  listener_ = document_.AddListener([this](const document::Notice& n) { documentChanged(n); });
  compute();
  showState();
  setUpNetPicking();
  resize(1200, 820);
}

OrientationWindow::~OrientationWindow() {
  document_.RemoveListener(listener_);
  // The views read the rows and the document while they go: they go first.
  delete view_;
  delete model_;
  delete rowsView_;
  delete rowsSort_;
  delete rowsModel_;
}

QWidget* OrientationWindow::newRowsPane() {
  auto* pane = new QWidget(this);
  auto* layout = new QVBoxLayout(pane);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(newCommandRow());
  rowsModel_ = new OrientationRowsModel(document_, this);
  rowsSort_ = new OrientationRowsSort(rowsModel_, this);
  rowsView_ = new QTableView(pane);
  rowsView_->setModel(rowsSort_);
  rowsView_->setSortingEnabled(true);
  rowsView_->sortByColumn(OrientationRowsModel::kRow, Qt::AscendingOrder);
  rowsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
  rowsView_->verticalHeader()->hide();
  rowsView_->verticalHeader()->setDefaultSectionSize(rowsView_->fontMetrics().height() + 6);
  rowsView_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
  rowsView_->resizeColumnsToContents();
  layout->addWidget(rowsView_, 1);
  status_ = new QLabel(pane);
  status_->setWordWrap(true);
  layout->addWidget(status_);
  connect(rowsModel_, &OrientationRowsModel::refused, this,
          [this](const QString& message) { status_->setText(message); });
  NewAction(QStringLiteral("Delete Rows"), QKeySequence::Delete, rowsView_,
            [this] { deleteRows(); });
  NewAction(QStringLiteral("Copy"), QKeySequence::Copy, rowsView_,
            [this] { services_.CopyText(TableText(rowsView_)); });
  return pane;
}

QWidget* OrientationWindow::newCommandRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(
      NewButton(QStringLiteral("Switch Off"), this, [this] { switchSelected(true); }));
  layout->addWidget(
      NewButton(QStringLiteral("Switch On"), this, [this] { switchSelected(false); }));
  layout->addWidget(NewButton(QStringLiteral("Insert Row"), this, [this] { insertRow(); }));
  layout->addWidget(NewButton(QStringLiteral("Delete Rows"), this, [this] { deleteRows(); }));
  auto* sets = new QToolButton(row);
  sets->setText(QStringLiteral("Sets"));
  sets->setPopupMode(QToolButton::InstantPopup);
  setMenu_ = new QMenu(sets);
  sets->setMenu(setMenu_);
  connect(setMenu_, &QMenu::aboutToShow, this, [this] { fillSetMenu(); });
  fillSetMenu();
  layout->addWidget(sets);
  layout->addStretch();
  undo_ = NewAction(QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), this,
                    [this] { undo(); });
  redo_ = NewAction(QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y), this,
                    [this] { redo(); });
  NewAction(QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S), this, [this] { save(); });
  for (QAction* action : {undo_, redo_}) {
    auto* button = new QToolButton(row);
    button->setDefaultAction(action);
    layout->addWidget(button);
  }
  layout->addWidget(NewButton(QStringLiteral("Save"), this, [this] { save(); }));
  layout->addWidget(NewButton(QStringLiteral("Save As..."), this, [this] { saveAs(); }));
  return row;
}

// The set commands: a new set of the selected rows, and each set to put
// them in, rename or delete.
void OrientationWindow::fillSetMenu() {
  setMenu_->clear();
  setMenu_->addAction(QStringLiteral("New Set From Selection..."), this,
                      [this] { newSetOfSelected(); });
  QMenu* put = setMenu_->addMenu(QStringLiteral("Put in Set"));
  QMenu* rename = setMenu_->addMenu(QStringLiteral("Rename Set"));
  QMenu* remove = setMenu_->addMenu(QStringLiteral("Delete Set"));
  const auto& sets = document_.curation().phases;
  for (std::size_t k = 0; k < sets.size(); ++k) {
    const QString name = QString::fromStdString(sets[k].name);
    const int set = int(k) + 1;
    put->addAction(name, this, [this, set] { putSelectedInSet(set); });
    rename->addAction(name + QStringLiteral("..."), this, [this, set] { renameSet(set); });
    remove->addAction(name, this, [this, set] { deleteSet(set); });
  }
  put->addSeparator();
  put->addAction(QStringLiteral("No Set"), this, [this] { putSelectedInSet(0); });
  rename->setEnabled(!sets.empty());
  remove->setEnabled(!sets.empty());
}

std::vector<int> OrientationWindow::selectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : rowsView_->selectionModel()->selectedRows())
    rows.push_back(rowsSort_->mapToSource(index).row() + 1);
  std::sort(rows.begin(), rows.end());
  return rows;
}

void OrientationWindow::selectRows(const std::vector<int>& rows) {
  QItemSelection selection;
  for (int row : rows) {
    const QModelIndex at = rowsSort_->mapFromSource(rowsModel_->index(row - 1, 0));
    if (at.isValid()) selection.select(at, at);
  }
  rowsView_->selectionModel()->select(
      selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void OrientationWindow::switchSelected(bool off) {
  document_.Do(document::OrientationEdit::Switch(selectedRows(), off),
               off ? "Rows switched off" : "Rows switched on");
}

void OrientationWindow::newSetOfSelected() {
  const auto& sets = document_.curation().phases;
  const std::optional<QString> name = services_.AskText(
      this, QStringLiteral("Name of the new set:"), QStringLiteral("Set %1").arg(sets.size() + 1));
  if (!name || name->trimmed().isEmpty()) return;
  document_.Do(document::OrientationEdit::NewSet(
                   {name->trimmed().toStdString(), analysis::NextPhaseColour(sets)},
                   int(sets.size()), selectedRows()),
               "New set");
}

void OrientationWindow::putSelectedInSet(int set) {
  document_.Do(document::OrientationEdit::PutInSet(selectedRows(), set), "Rows put in a set");
}

void OrientationWindow::renameSet(int set) {
  const auto& sets = document_.curation().phases;
  if (set < 1 || set > int(sets.size())) return;
  const analysis::PhaseInfo& info = sets[std::size_t(set - 1)];
  const std::optional<QString> name = services_.AskText(
      this, QStringLiteral("New name of the set:"), QString::fromStdString(info.name));
  if (!name || name->trimmed().isEmpty()) return;
  document_.Do(
      document::OrientationEdit::SetInfo(set, {name->trimmed().toStdString(), info.colour}),
      "Set renamed");
}

void OrientationWindow::deleteSet(int set) {
  document_.Do(document::OrientationEdit::DeleteSet(set), "Set deleted");
}

void OrientationWindow::insertRow() {
  const QModelIndex current = rowsSort_->mapToSource(rowsView_->currentIndex());
  const int row = current.isValid() ? current.row() + 1 : document_.rowCount();
  if (row < 1) return;
  document_.Do(
      document::OrientationEdit::Insert(row + 1, {document_.records()[std::size_t(row - 1)]},
                                        document_.curation().phase[std::size_t(row)]),
      "Row inserted");
  selectRows({row + 1});
}

void OrientationWindow::deleteRows() {
  document_.Do(document::OrientationEdit::Remove(selectedRows()), "Rows deleted");
}

void OrientationWindow::undo() { document_.Undo(); }
void OrientationWindow::redo() { document_.Redo(); }

void OrientationWindow::documentChanged(const document::Notice& notice) {
  if (notice.has(document::kDataReplaced | document::kLinesEdited | document::kCurationChanged)) {
    status_->clear();
    compute();
  }
  showState();
}

// The title with the unsaved state, and what Undo and Redo would do.
void OrientationWindow::showState() {
  setWindowTitle(QStringLiteral("Orientations  [ %1 ]%2")
                     .arg(FileNameOf(document_.fileName()))
                     .arg(document_.modified() ? QStringLiteral(" *") : QString()));
  const auto& history = document_.history();
  undo_->setEnabled(history.canUndo());
  redo_->setEnabled(history.canRedo());
  // The buttons stay short; the step they take is their tip.
  undo_->setToolTip(history.canUndo()
                        ? QStringLiteral("Undo ") + QString::fromStdString(history.undoStep().text)
                        : QStringLiteral("Nothing to undo"));
  redo_->setToolTip(history.canRedo()
                        ? QStringLiteral("Redo ") + QString::fromStdString(history.redoStep().text)
                        : QStringLiteral("Nothing to redo"));
  showTurn();
}

bool OrientationWindow::save() { return saveTo(document_.fileName()); }

bool OrientationWindow::saveAs() {
  const std::optional<QString> path = services_.SaveFile(
      this, QStringLiteral("Save Orientation Table As"),
      QStringLiteral("Orientation tables (*.orient.csv)"), QStringLiteral("orient.csv"));
  return path && saveTo(LocalPath(*path));
}

// Saves to `path`, asking first when rows the reader left out would be
// lost; a file that cannot be written is told.
bool OrientationWindow::saveTo(const std::string& path) {
  const document::SavePlan plan = document_.PlanSave(path);
  if (document::OrientationDocument::WritesTable(plan) && document_.leftOutRows() > 0 &&
      !services_.Confirm(this, std::to_string(document_.leftOutRows()) +
                                   " rows failed their checks when the table was read and are "
                                   "not in it.\r\nSave the table without them?"))
    return false;
  try {
    document_.Save(plan);
  } catch (const FileError& error) {
    services_.ReportError(this, error);
    return false;
  }
  return true;
}

void OrientationWindow::closeEvent(QCloseEvent* event) {
  if (!MayDiscardChanges(services_, this, document_.modified(), FileNameOf(document_.fileName()),
                         [this] { return save(); }))
    return event->ignore();
  event->accept();
}

void OrientationWindow::compute() {
  turnRows();
  ++revision_;
  const char* of = of_->currentIndex() == 1 ? "lines" : "poles";
  const std::vector<OrientationRecord>& records = shownRecords();
  const auto& sets = document_.curation().phases;
  std::vector<SetRow> rows;
  for (int set = 1; set <= int(sets.size()) + 1; ++set) {
    const bool all = set > int(sets.size());
    const std::vector<bool> use = document_.Used(all ? 0 : set);
    rows.push_back(
        {all ? QStringLiteral("All") : QString::fromStdString(sets[std::size_t(set - 1)].name),
         Statistic("fisher", records, use, of), Statistic("fabric", records, use, of),
         Statistic("fold-axis", records, use, of)});
  }
  const bool sameRows = rows.size() == rows_.size();
  rows_ = std::move(rows);
  model_->reset(int(rows_.size()));
  if (!sameRows) view_->resizeColumnsToContents();
  const std::vector<bool> used = document_.Used();
  std::size_t planes = 0, lines = 0;
  for (std::size_t k = 0; k < records.size(); ++k)
    if (used[k]) ++(records[k].kind == OrientationKind::Plane ? planes : lines);
  summary_->setText(
      QStringLiteral("%1 planes and %2 lines in use in %3 sets.%4 Fisher's k is (N - 1)/(N - R); "
                     "the cone holds the mean with 95 % confidence.")
          .arg(planes)
          .arg(lines)
          .arg(rows_.size() - 1)
          .arg(document_.leftOutRows() > 0
                   ? QStringLiteral(" %1 rows left out (VORN.log).").arg(document_.leftOutRows())
                   : QString()));
  draw();
}

// The rows in use, in their sets' colours.
namespace {

// "12 poles and 5 lines", "1 pole" ...
std::string CountedRows(std::size_t poles, std::size_t lines) {
  const auto named = [](std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
  };
  if (lines == 0) return named(poles, "pole", "poles");
  if (poles == 0) return named(lines, "line", "lines");
  return named(poles, "pole", "poles") + " and " + named(lines, "line", "lines");
}

// The key of a density field as rich text: how it was counted, then a
// swatch of each colour with the values it stands for, the highest first.
QString DensityKeyText(const FieldFigure& field) {
  DiagramFigures figures;
  figures.field = field;
  figures.hasField = true;
  const std::optional<ColourKey> key = ColourKeyOf(PlotMode::Density, figures, {});
  QString text =
      QString::fromStdString(field.notes.empty() ? "" : field.notes.front()).toHtmlEscaped();
  if (!key) return text + QStringLiteral("<br>No row in use to count.");
  for (const ColourKeyRow& row : key->rows)
    text += QStringLiteral(
                "<br><span style=\"background-color:#%1%2%3\">&nbsp;&nbsp;&nbsp;&nbsp;"
                "</span> %4")
                .arg(RedOf(row.colour), 2, 16, QLatin1Char('0'))
                .arg(GreenOf(row.colour), 2, 16, QLatin1Char('0'))
                .arg(BlueOf(row.colour), 2, 16, QLatin1Char('0'))
                .arg(QString::fromStdString(row.values).toHtmlEscaped());
  return text;
}

}  // namespace

// The density the net shows under the rows, of the poles of the planes and
// the lines in use; none when the user chose none.
std::optional<FieldFigure> OrientationWindow::densityField(const NetGeometry& geometry) const {
  if (density_->currentIndex() <= 0) return std::nullopt;
  const std::vector<bool> used = document_.Used();
  std::vector<math::Vector3d> directions =
      analysis::OrientationDirections(shownRecords(), analysis::OrientationOf::Poles, &used);
  const std::size_t poles = directions.size();
  const std::vector<math::Vector3d> lines =
      analysis::OrientationDirections(shownRecords(), analysis::OrientationOf::Lines, &used);
  directions.insert(directions.end(), lines.begin(), lines.end());
  const auto method = density_->currentIndex() == 1 ? analysis::DensityMethod::Kamb
                                                    : analysis::DensityMethod::OnePercent;
  FieldFigure field = DensityField(directions, method, geometry);
  field.notes = {DensityNote(method, CountedRows(poles, lines.size()))};
  return field;
}

void OrientationWindow::draw() {
  const bool rose = view_choice_->currentIndex() > 0;
  densityKey_->setVisible(!rose && density_->currentIndex() > 0);
  if (rose) return drawRose(view_choice_->currentIndex() == 1);
  const std::vector<OrientationRecord>& records = shownRecords();
  const std::vector<bool> used = document_.Used();
  const auto& curation = document_.curation();
  std::vector<OrientationRecord> shown;
  OrientationNetFigure figure;
  for (std::size_t k = 0; k < records.size(); ++k) {
    if (!used[k]) continue;
    shown.push_back(records[k]);
    const int set = curation.phase[k + 1];
    figure.colours.push_back(set > 0 ? ColourOf(curation.phases[std::size_t(set - 1)].colour)
                                     : clBlack);
  }
  figure.records = &shown;
  figure.selected = selectedShown(used);
  figure.planes = planes_->currentIndex() == 1 ? PlaneSymbol::Poles : PlaneSymbol::GreatCircles;
  const SetRow& all = rows_.back();
  const analysis::ReportCell *trend = CellOf(all.fisher, "trend"),
                             *plunge = CellOf(all.fisher, "plunge"),
                             *alpha = CellOf(all.fisher, "alpha");
  if (trend && plunge)
    figure.fisher = OrientationNetFigure::Mean{
        {trend->number, plunge->number},
        alpha && alpha->IsNumber() ? std::optional<double>(alpha->number) : std::nullopt,
        0.95};
  const analysis::ReportCell *axisTrend = CellOf(all.fold, "trend"),
                             *axisPlunge = CellOf(all.fold, "plunge");
  if (axisTrend && axisPlunge)
    figure.girdleAxis = math::TrendPlunge{axisTrend->number, axisPlunge->number};
  Picture picture;
  PlotTarget target;
  target.picture = &picture;
  InitNetGeometry(target.geometry);
  netGeometry_ = target.geometry;
  netPointsStale_ = true;
  const std::optional<FieldFigure>& field = cachedDensity(target.geometry);
  if (field) {
    figure.field = &*field;
    densityKey_->setText(DensityKeyText(*field));
  }
  PlotOrientationNet(figure, target);
  net_->setPicture(std::move(picture));
}

namespace {

// The rose of the rows in use in 10-degree bins: each plane's strike (its
// dip direction - 90 and + 90, as the data's rose counts it) or each
// line's trend.
analysis::RoseCounts RoseOfRows(const std::vector<OrientationRecord>& records,
                                const std::vector<bool>& used, bool strikes) {
  analysis::RoseCounts rose = analysis::EmptyRose();
  const auto add = [&rose](double azimuth) { analysis::CountAzimuth(rose, azimuth); };
  for (std::size_t k = 0; k < records.size(); ++k) {
    const bool plane = records[k].kind == OrientationKind::Plane;
    if (!used[k] || plane != strikes) continue;
    ++rose.data;
    if (plane) {
      add(double(records[k].azimuth) - 90);
      add(double(records[k].azimuth) + 90);
    } else {
      add(records[k].azimuth);
    }
  }
  return rose;
}

}  // namespace

void OrientationWindow::drawRose(bool strikes) {
  Picture picture;
  PlotTarget target;
  target.picture = &picture;
  InitNetGeometry(target.geometry);
  const analysis::RoseCounts rose = RoseOfRows(shownRecords(), document_.Used(), strikes);
  PlotRose(RoseFigureOf(rose, strikes ? analysis::RoseOf::Strike : analysis::RoseOf::Trend,
                        target.geometry.kind),
           target);
  net_->setPicture(std::move(picture));
}

void OrientationWindow::copy() const { services_.CopyText(TableText(view_)); }

// ---- the rows shown turned ----

// The Rotation button of the choices row, its menu made as it opens (the
// sets change), and the line that says what is turned.
QWidget* OrientationWindow::newTurnButton() {
  auto* button = new QToolButton(this);
  button->setText(QStringLiteral("Rotation"));
  button->setToolTip(
      QStringLiteral("Show the rows rotated or back-tilted on the net and in the "
                     "statistics; the rows table keeps them as read"));
  button->setPopupMode(QToolButton::InstantPopup);
  turnMenu_ = new QMenu(button);
  button->setMenu(turnMenu_);
  connect(turnMenu_, &QMenu::aboutToShow, this, [this] { fillTurnMenu(); });
  fillTurnMenu();
  turnLine_ = new QLabel(this);
  turnLine_->setObjectName(QStringLiteral("TurnLine"));
  turnLine_->setWordWrap(true);
  turnLine_->setStyleSheet(QStringLiteral("font-weight: bold"));
  turnLine_->hide();
  return button;
}

void OrientationWindow::fillTurnMenu() {
  turnMenu_->clear();
  turnMenu_->addAction(QStringLiteral("Rotate..."), this,
                       [this] { askTurn(RotationKind::AboutAxis); });
  turnMenu_->addAction(QStringLiteral("Back-tilt..."), this,
                       [this] { askTurn(RotationKind::BackTilt); });
  QMenu* bySet = turnMenu_->addMenu(QStringLiteral("Back-tilt by the Mean of a Set"));
  const auto& sets = document_.curation().phases;
  for (std::size_t k = 0; k < sets.size(); ++k)
    bySet->addAction(QString::fromStdString(sets[k].name), this,
                     [this, set = int(k) + 1] { backTiltBySet(set); });
  bySet->setEnabled(!sets.empty());
  turnMenu_->addSeparator();
  turnMenu_->addAction(QStringLiteral("Show As Read"), this, [this] { turn(std::nullopt); })
      ->setEnabled(turn_.has_value());
  turnMenu_->addAction(QStringLiteral("Save Turned As..."), this, [this] { saveTurnedAs(); })
      ->setEnabled(turn_.has_value());
}

void OrientationWindow::turn(std::optional<RotationChoice> choice) {
  turn_ = std::move(choice);
  compute();
  showState();
}

RotationDialog* OrientationWindow::askTurn(RotationKind kind) {
  auto* dialog = new RotationDialog(kind, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(kind == RotationKind::AboutAxis
                             ? QStringLiteral("Rotate the Rows Shown")
                             : QStringLiteral("Back-tilt the Rows Shown"));
  dialog->setNote(
      (kind == RotationKind::AboutAxis
           ? QStringLiteral("Turns the rows shown, right-handed about the axis pointing down its "
                            "trend and plunge.")
           : QStringLiteral("Turns the rows shown about the bedding's strike, so that the "
                            "bedding becomes horizontal at fraction 1.")) +
      QStringLiteral(" The net, the statistics, the density and the rose show them turned; the "
                     "rows table and the file keep them as read."));
  connect(dialog, &QDialog::accepted, this, [this, dialog] {
    if (std::optional<RotationChoice> choice = dialog->choice()) turn(std::move(choice));
  });
  dialog->open();
  return dialog;
}

void OrientationWindow::backTiltBySet(int set) {
  const auto& sets = document_.curation().phases;
  if (set < 1 || set > int(sets.size())) return;
  const std::string& name = sets[std::size_t(set - 1)].name;
  const std::vector<bool> use = document_.Used(set);
  const analysis::MeanBedding mean = analysis::MeanBeddingOf(
      analysis::OrientationDirections(document_.records(), analysis::OrientationOf::Poles, &use));
  if (!mean.error.empty())
    return services_.ShowMessage(this, "Set " + name + ": " + mean.error + ".");
  RotationChoice choice;
  choice.bedding = mean.bedding;
  choice.rotation = analysis::BackTiltRotation(mean.bedding, 1);
  choice.description = QStringLiteral("back-tilted by the mean of set %1, %2/%3")
                           .arg(QString::fromStdString(name))
                           .arg(mean.bedding.dipDirection, 0, 'f', 1)
                           .arg(mean.bedding.dip, 0, 'f', 1);
  choice.nameEnding = QStringLiteral("-back-tilted");
  turn(std::move(choice));
}

bool OrientationWindow::saveTurnedAs() {
  if (!turn_) return false;
  const std::optional<QString> path = services_.SaveFile(
      this, QStringLiteral("Save Turned Rows As"),
      QStringLiteral("Orientation tables (*.orient.csv)"), QStringLiteral("orient.csv"));
  return path && saveTurnedTo(LocalPath(*path));
}

// Every row turned, in its set (the rows switched off too: nothing is
// lost); the open table is never written over.
bool OrientationWindow::saveTurnedTo(const std::string& path) {
  if (!turn_) return false;
  if (QFileInfo(QFile::decodeName(path.c_str())) ==
      QFileInfo(QFile::decodeName(document_.fileName().c_str()))) {
    services_.ShowMessage(this,
                          "The turned rows are a new table: they are not saved over the open "
                          "table.\r\nChoose another name.");
    return false;
  }
  std::vector<OrientationRecord> rows = turnedRecords_;
  for (std::size_t k = 0; k < rows.size(); ++k) rows[k].set = document_.setName(int(k) + 1);
  try {
    WriteOrientationTable(path, rows);
  } catch (const FileError& error) {
    services_.ReportError(this, error);
    return false;
  }
  return true;
}

// The current rows turned, when a turn is chosen.
void OrientationWindow::turnRows() {
  turnedRecords_ = turn_ ? analysis::RotateOrientations(document_.records(), turn_->rotation)
                         : std::vector<OrientationRecord>{};
}

const std::vector<OrientationRecord>& OrientationWindow::shownRecords() const {
  return turn_ ? turnedRecords_ : document_.records();
}

// The title and the line above the net say what the figure shows.
void OrientationWindow::showTurn() {
  turnLine_->setVisible(turn_.has_value());
  if (!turn_) return;
  setWindowTitle(windowTitle() + QStringLiteral(" - shown ") + turn_->description);
  turnLine_->setText(QStringLiteral("Shown %1: the net, the statistics, the density and the rose "
                                    "show the rows turned; the rows table lists them as read.")
                         .arg(turn_->description));
}

namespace {

// Whether a curation file not made for these rows is applied: the user is
// asked when it was made for other data, told when it cannot be used.
bool ApplyOtherCuration(WindowServices& services, QWidget* parent,
                        const document::CurationVerdict& verdict) {
  const std::string named = document::VerdictText(verdict);
  if (verdict.kind == document::CurationVerdict::Kind::OtherData)
    return services.Confirm(parent, named + "\r\nApply its choices to these data anyway?");
  if (verdict.kind == document::CurationVerdict::Kind::Unusable)
    services.ShowMessage(parent, named + "\r\nIts choices are not applied.");
  return false;
}

}  // namespace

OrientationWindow* ShowOrientationTable(WindowServices& services, QWidget* parent,
                                        const std::string& path) {
  document::OrientationOpening opening = document::OpenOrientationTable(path);
  if (opening.error) {
    services.ReportError(parent, *opening.error);
    return nullptr;
  }
  if (opening.check.logError)
    services.ReportError(parent, *opening.check.logError);
  else if (opening.check.badFields)
    services.ShowMessage(parent, document::LeftOutRowsMessage(opening.table));
  const bool apply = ApplyOtherCuration(services, parent, opening.curation);
  auto* window = new OrientationWindow(std::move(opening), apply, services, parent);
  window->show();
  return window;
}

}  // namespace orniva::ui

namespace orniva::ui {

// ---- selection on the net ----

namespace {

// How far from a pole or line a click still picks it [pixels of the view].
constexpr double kPickPixels = 6;

}  // namespace

ChartView* OrientationWindow::newNetView(QWidget* parent) {
  netView_ = new PickingChartView(parent);
  return netView_;
}

// The net's picking and readout, the keys, and the rings following the
// table's selection (the net drawn again, the statistics kept).
void OrientationWindow::setUpNetPicking() {
  readout_ = new QLabel(this);
  readout_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  static_cast<QVBoxLayout*>(layout())->addWidget(readout_);
  const auto netShown = [this] {
    netView_->setPicking(view_choice_->currentIndex() == 0);
    readout_->clear();
  };
  netShown();
  connect(view_choice_, &QComboBox::currentIndexChanged, this, netShown);
  connect(netView_, &PickingChartView::picked, this,
          [this](QPointF point, Qt::KeyboardModifiers keys) { pickOnNet(point, ChangeFor(keys)); });
  connect(netView_, &PickingChartView::lassoed, this,
          [this](const QPolygonF& path, Qt::KeyboardModifiers keys) {
            lassoOnNet(path, ChangeFor(keys));
          });
  connect(netView_, &PickingChartView::hovered, this,
          [this](QPointF point) { readout_->setText(readoutAt(point)); });
  connect(netView_, &PickingChartView::left, readout_, &QLabel::clear);
  connect(rowsView_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (view_choice_->currentIndex() == 0) draw();
  });
  NewAction(QStringLiteral("Select All Rows"), QKeySequence::SelectAll, this,
            [this] { selectAllRows(); });
  // Escape clears where it means nothing else: on the table (not in a cell
  // being edited) and on the net.
  for (QWidget* on : {static_cast<QWidget*>(rowsView_), static_cast<QWidget*>(netView_)})
    NewAction(QStringLiteral("Clear Selection"), QKeySequence(Qt::Key_Escape), on, [this] {
      rowsView_->clearSelection();
    })->setShortcutContext(Qt::WidgetShortcut);
}

void OrientationWindow::selectAllRows() {
  std::vector<int> all(std::size_t(document_.rowCount()));
  for (std::size_t k = 0; k < all.size(); ++k) all[k] = int(k) + 1;
  selectRows(all);
}

// The selection changed as `how` says; the table shows its first row.
void OrientationWindow::changeSelection(std::vector<int> picked, SelectionChange how) {
  const std::vector<int> rows = ChangedSelection(selectedRows(), std::move(picked), how);
  selectRows(rows);
  if (!rows.empty())
    rowsView_->scrollTo(rowsSort_->mapFromSource(rowsModel_->index(rows.front() - 1, 0)));
}

const std::vector<analysis::ProjectedDatum>& OrientationWindow::netPoints() {
  if (netPointsStale_) {
    const std::vector<bool> used = document_.Used();
    netPoints_ = analysis::ProjectDirections(analysis::RowDirectionsOf(shownRecords(), &used),
                                             netGeometry_.kind, netGeometry_.hemisphere,
                                             FrameOf(netGeometry_));
    netPointsStale_ = false;
  }
  return netPoints_;
}

void OrientationWindow::pickOnNet(QPointF point, SelectionChange how) {
  const auto row = analysis::NearestDatum(netPoints(), {point.x(), point.y()},
                                          kPickPixels * netView_->plotUnitsPerPixel());
  if (row)
    changeSelection({*row}, how);
  else if (how == SelectionChange::Replace)
    changeSelection({}, how);
}

void OrientationWindow::lassoOnNet(const QPolygonF& path, SelectionChange how) {
  std::vector<analysis::NetPoint> lasso;
  for (const QPointF& point : path) lasso.push_back({point.x(), point.y()});
  changeSelection(analysis::SelectInLasso(netPoints(), lasso), how);
}

QString OrientationWindow::readoutAt(QPointF point) {
  QStringList parts;
  const analysis::NetPoint at{point.x(), point.y()};
  if (const auto line = analysis::LineAtNetPoint(netGeometry_.kind, netGeometry_.hemisphere,
                                                 FrameOf(netGeometry_), at))
    parts << LineAndPlaneReadout(*line);
  if (const auto nearest =
          analysis::NearestDatum(netPoints(), at, std::numeric_limits<double>::infinity()))
    parts << QStringLiteral("Nearest: row %1").arg(*nearest);
  return parts.join(QStringLiteral("   "));
}

std::vector<std::size_t> OrientationWindow::selectedShown(const std::vector<bool>& used) const {
  const std::vector<int> rows = selectedRows();
  std::vector<std::size_t> shown;
  std::size_t index = 0;
  auto next = rows.begin();
  for (std::size_t k = 0; k < used.size(); ++k) {
    if (!used[k]) continue;
    while (next != rows.end() && *next < int(k) + 1) ++next;
    if (next != rows.end() && *next == int(k) + 1) shown.push_back(index);
    ++index;
  }
  return shown;
}

// The density is counted again only when the rows, the choice or the net changed.
const std::optional<FieldFigure>& OrientationWindow::cachedDensity(const NetGeometry& geometry) {
  const auto key =
      std::make_tuple(density_->currentIndex(), revision_, geometry.kind, geometry.hemisphere);
  if (densityCacheKey_ != key) {
    densityCache_ = densityField(geometry);
    densityCacheKey_ = key;
  }
  return densityCache_;
}

}  // namespace orniva::ui
