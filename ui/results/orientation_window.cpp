#include "ui/results/orientation_window.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "analysis/orientation_statistics.h"
#include "analysis/study.h"
#include "document/orientation_opening.h"
#include "plot/orientation_net.h"
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
analysis::ReportTable Statistic(const char* name, const OrientationTable& table,
                                const std::vector<bool>& use, const char* of) {
  analysis::Study none;
  analysis::ReportRequest request;
  request.options["--of"] = of;
  request.orientations = &table.records;
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

}  // namespace

OrientationWindow::OrientationWindow(OrientationTable table, std::string path,
                                     WindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window),
      table_(std::move(table)),
      path_(std::move(path)),
      services_(services) {
  setObjectName(QStringLiteral("OrientationWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Orientations  [ %1 ]").arg(FileNameOf(path_)));
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
  choices->addStretch();
  choices->addWidget(NewCopyButton(this, [this] { copy(); }));
  layout->addLayout(choices);
  net_ = new ChartView(this);
  net_->setMinimumSize(360, 360);
  layout->addWidget(net_, 3);
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
  view_ = NewResultView(model_, -1, this);
  layout->addWidget(view_, 2);
  connect(of_, &QComboBox::currentIndexChanged, this, [this] { compute(); });
  connect(planes_, &QComboBox::currentIndexChanged, this, [this] { draw(); });
  compute();
  resize(900, 860);
}

OrientationWindow::~OrientationWindow() {
  // The view reads the rows while it goes: it goes before them.
  delete view_;
  delete model_;
}

void OrientationWindow::compute() {
  const char* of = of_->currentIndex() == 1 ? "lines" : "poles";
  std::vector<std::pair<QString, std::vector<bool>>> groups;
  for (const std::string& set : analysis::SetNames(table_.records))
    groups.emplace_back(QString::fromStdString(set), analysis::InSet(table_.records, set));
  groups.emplace_back(QStringLiteral("All"), std::vector<bool>(table_.records.size(), true));
  std::vector<SetRow> rows;
  for (const auto& [name, use] : groups)
    rows.push_back({name, Statistic("fisher", table_, use, of),
                    Statistic("fabric", table_, use, of), Statistic("fold-axis", table_, use, of)});
  rows_ = std::move(rows);  // as many as before: the sets stay the same
  model_->reset(int(rows_.size()));
  view_->resizeColumnsToContents();
  const std::size_t planes = std::size_t(
      std::count_if(table_.records.begin(), table_.records.end(),
                    [](const OrientationRecord& r) { return r.kind == OrientationKind::Plane; }));
  summary_->setText(
      QStringLiteral("%1 planes and %2 lines in %3 sets.%4 Fisher's k is (N - 1)/(N - R); the "
                     "cone holds the mean with 95 % confidence.")
          .arg(planes)
          .arg(table_.records.size() - planes)
          .arg(rows_.size() - 1)
          .arg(table_.badRows > 0
                   ? QStringLiteral(" %1 rows left out (VORN.log).").arg(table_.badRows)
                   : QString()));
  draw();
}

void OrientationWindow::draw() {
  OrientationNetFigure figure;
  figure.records = &table_.records;
  figure.colours = SetColours(table_.records).colours;
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
  PlotOrientationNet(figure, target);
  net_->setPicture(std::move(picture));
}

void OrientationWindow::copy() const { services_.CopyText(TableText(view_)); }

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
  auto* window = new OrientationWindow(std::move(opening.table), path, services, parent);
  window->show();
  return window;
}

}  // namespace orniva::ui
