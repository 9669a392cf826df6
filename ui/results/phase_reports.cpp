#include "ui/results/phase_reports.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "analysis/density.h"
#include "analysis/dihedra.h"
#include "analysis/kinematics.h"
#include "analysis/leave_one_out.h"
#include "analysis/mohr.h"
#include "analysis/stress_bootstrap.h"
#include "analysis/stress_summary.h"
#include "analysis/tendency.h"
#include "ui/shared/long_work.h"
#include "ui/shared/window_services.h"

namespace orniva::ui {

using analysis::CsvReport;
using analysis::Study;

// A report's CSV as cells, with each cell's number (NaN for text) to sort by.
struct PhaseTable {
  QStringList header;
  std::vector<QStringList> rows;
  std::vector<std::vector<double>> numbers;
};

namespace {

// The choices a report reads, which its title names.
enum class Reads { Data, Density, Inversion, EveryMethod, StressInView };

struct ReportKind {
  const char* name;
  const char* command;  // orniva-analyse's
  Reads reads;
  analysis::StudyReport report;
};

// The tendency under the study's magnitudes and the stress in view;
// refused until magnitudes are given.
CsvReport Tendency(Study& s) {
  const std::optional<analysis::StressMagnitudes>& magnitudes = s.choices().tendency.magnitudes;
  if (!magnitudes) return {{}, "no stress magnitudes given (Analysis > Stress Magnitudes...)"};
  return analysis::TendencyCsv(
      analysis::FaultTendencies(s.data(), s.InUse(), s.StressInView(), *magnitudes));
}

// The reports of orniva-analyse that read the study's data in use and its
// choices, in the order listed.
const std::vector<ReportKind>& Reports() {
  using namespace analysis;
  static const std::vector<ReportKind> reports = {
      {"Kinematics", "kinematics", Reads::Data,
       [](Study& s) { return KinematicsCsv(s.Kinematics()); }},
      {"Linked Bingham axes", "bingham", Reads::Data,
       [](Study& s) { return BinghamCsv(s.Kinematics()); }},
      {"Stress inversion", "stress", Reads::Inversion,
       [](Study& s) { return StressCsv(s.Stress()); }},
      {"Stress summary", "stress-summary", Reads::Inversion,
       [](Study& s) { return StressSummaryCsv(s.Stress(), s.choices().method); }},
      {"Comparison of the methods", "stress-methods", Reads::EveryMethod,
       [](Study& s) { return StressMethodsCsv(s.StressByEveryMethod()); }},
      {"Misfit angles", "misfit-angles", Reads::StressInView,
       [](Study& s) { return MisfitAnglesCsv(s.StressInView()); }},
      {"Mohr diagram values", "mohr", Reads::StressInView,
       [](Study& s) { return MohrCsv(MohrOf(s.data(), s.StressInView())); }},
      {"Slip and dilation tendency", "tendency", Reads::StressInView, Tendency},
      {"Leave-one-out influence", "leave-one-out", Reads::Inversion,
       [](Study& s) { return LeaveOneOutCsv(LeaveEachOut(SetupOf(s))); }},
      {"Density", "density", Reads::Density,
       [](Study& s) {
         return DensityCsv(s.data(), s.choices().densityOf, s.choices().densityMethod, s.InUse());
       }},
      {"Right dihedra", "dihedra", Reads::Data,
       [](Study& s) { return DihedraCsv(s.data(), s.InUse()); }},
  };
  return reports;
}

PhaseTable TableOf(const std::string& csv) {
  PhaseTable table;
  for (std::size_t start = 0; start < csv.size();) {
    const std::size_t end = std::min(csv.find('\n', start), csv.size());
    QStringList cells;
    std::vector<double> numbers;
    for (const std::string& field : analysis::CsvFields(csv.substr(start, end - start))) {
      cells << QString::fromStdString(field);
      bool ok = false;
      const double value = cells.back().toDouble(&ok);
      numbers.push_back(ok ? value : std::numeric_limits<double>::quiet_NaN());
    }
    if (start == 0) {
      table.header = cells;
    } else {
      table.rows.push_back(std::move(cells));
      table.numbers.push_back(std::move(numbers));
    }
    start = end + 1;
  }
  return table;
}

// The first letter in capitals and a full stop after.
QString Sentence(const std::string& text) {
  QString sentence = QString::fromStdString(text) + '.';
  sentence[0] = sentence[0].toUpper();
  return sentence;
}

// " (poles, Kamb)": what the density counts and how.
QString DensityChoiceText(const analysis::AnalysisChoices& choices) {
  using analysis::DensityOf;
  const char* of = choices.densityOf == DensityOf::Poles   ? "poles"
                   : choices.densityOf == DensityOf::PAxes ? "P axes"
                   : choices.densityOf == DensityOf::TAxes ? "T axes"
                                                           : "striations";
  const char* method = choices.densityMethod == analysis::DensityMethod::Kamb ? "Kamb" : "1 %";
  return QStringLiteral(" (%1, %2)").arg(QString::fromLatin1(of), QString::fromLatin1(method));
}

// Keeps the window of an owner and deletes it with the owner.
class WindowKeeper : public QObject {
 public:
  WindowKeeper(QObject* owner, PhaseReportsWindow* window) : QObject(owner), window_(window) {
    setObjectName(QStringLiteral("PhaseReportsKeeper"));
  }
  ~WindowKeeper() override { delete window_; }
  PhaseReportsWindow* window() const { return window_; }

 private:
  QPointer<PhaseReportsWindow> window_;
};

}  // namespace

// The rows of a by-phase report, sorted by a column (numbers as numbers)
// or in the report's own order.
class PhaseReportModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The report's order until sorted again; the views read the rows anew.
  void setTable(PhaseTable table) {
    beginResetModel();
    table_ = std::move(table);
    order_.resize(table_.rows.size());
    std::iota(order_.begin(), order_.end(), std::size_t(0));
    endResetModel();
    sort(sortColumn_, sortOrder_);
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(table_.rows.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(table_.header.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const std::size_t row = order_[std::size_t(index.row())];
    if (role == Qt::DisplayRole) return table_.rows[row].value(index.column());
    if (role == Qt::TextAlignmentRole && !std::isnan(NumberAt(row, index.column())))
      return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
      return table_.header.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  void sort(int column, Qt::SortOrder order) override;
  // The header and rows `rows` (view rows, ascending), tab-separated.
  QString text(const std::vector<int>& rows) const;

 private:
  double NumberAt(std::size_t row, int column) const {
    const std::vector<double>& numbers = table_.numbers[row];
    return std::size_t(column) < numbers.size() ? numbers[std::size_t(column)] : std::nan("");
  }
  bool Less(std::size_t a, std::size_t b, int column) const;

  PhaseTable table_;
  std::vector<std::size_t> order_;
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

// Numbers before text; numbers by value, text as text.
bool PhaseReportModel::Less(std::size_t a, std::size_t b, int column) const {
  const double x = NumberAt(a, column), y = NumberAt(b, column);
  if (std::isnan(x) != std::isnan(y)) return !std::isnan(x);
  if (!std::isnan(x)) return x < y;
  return table_.rows[a].value(column) < table_.rows[b].value(column);
}

void PhaseReportModel::sort(int column, Qt::SortOrder order) {
  emit layoutAboutToBeChanged();
  sortColumn_ = column;
  sortOrder_ = order;
  order_.resize(table_.rows.size());
  std::iota(order_.begin(), order_.end(), std::size_t(0));
  if (column >= 0 && column < columnCount())
    std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
      return order == Qt::AscendingOrder ? Less(a, b, column) : Less(b, a, column);
    });
  emit layoutChanged();
}

QString PhaseReportModel::text(const std::vector<int>& rows) const {
  QString text = table_.header.join('\t') + '\n';
  for (int row : rows) text += table_.rows[order_[std::size_t(row)]].join('\t') + '\n';
  return text;
}

PhaseReportsWindow::PhaseReportsWindow(const document::Document& document, WindowServices& services,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), services_(services) {
  setObjectName(QStringLiteral("PhaseReportsWindow"));
  setWindowTitle(QStringLiteral("Each Phase in Turn"));
  resize(900, 560);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(newControls());
  title_ = new QLabel(this);
  title_->setWordWrap(true);
  title_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(title_);
  model_ = new PhaseReportModel(this);
  table_ = new QTableView(this);
  table_->setModel(model_);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);  // the report's order
  table_->setSortingEnabled(true);
  layout->addWidget(table_, 1);
  work_ = new LongWork(this, [this](int done, int count) {
    progress_->setRange(0, count);
    progress_->setValue(done);
  });
  listener_ = document_.AddListener([this](const document::Notice& notice) {
    if (notice.has(document::kFileNameChanged)) title_->setText(titleText({}));
    if (!notice.has(~unsigned(document::kFileNameChanged | document::kSavedStateChanged))) return;
    stale_ = true;
    if (followQueued_) return;
    followQueued_ = true;
    QTimer::singleShot(0, this, [this] { follow(); });
  });
  showRunning(false);
  title_->setText(titleText({}));
}

PhaseReportsWindow::~PhaseReportsWindow() {
  document_.RemoveListener(listener_);
  delete work_;  // stops a run under way and waits for it
}

// The list of reports, Refresh, Cancel, the progress and Copy.
QWidget* PhaseReportsWindow::newControls() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  reports_ = new QComboBox(box);
  for (int k = 0; k < reportCount(); ++k) {
    reports_->addItem(reportName(k));
    reports_->setItemData(
        k, QStringLiteral("orniva-analyse FILE %1 --by-subset").arg(reportCommand(k)),
        Qt::ToolTipRole);
  }
  auto* label = new QLabel(QStringLiteral("&Report:"), box);
  label->setBuddy(reports_);
  refresh_ = new QPushButton(QStringLiteral("R&efresh"), box);
  cancelButton_ = new QPushButton(QStringLiteral("Cancel"), box);
  progress_ = new QProgressBar(box);
  progress_->setTextVisible(false);
  auto* copy = new QPushButton(QStringLiteral("&Copy"), box);
  for (QWidget* w : std::initializer_list<QWidget*>{label, reports_, refresh_, cancelButton_})
    row->addWidget(w);
  row->addWidget(progress_, 1);
  row->addWidget(copy);
  connect(reports_, &QComboBox::currentIndexChanged, this, [this] {
    stale_ = true;
    follow();
  });
  connect(refresh_, &QPushButton::clicked, this, [this] { run(); });
  connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
  connect(copy, &QPushButton::clicked, this, &PhaseReportsWindow::copy);
  connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
          &PhaseReportsWindow::copy);
  return box;
}

int PhaseReportsWindow::reportCount() { return int(Reports().size()); }
QString PhaseReportsWindow::reportName(int index) {
  return QString::fromLatin1(Reports()[std::size_t(index)].name);
}
const char* PhaseReportsWindow::reportCommand(int index) {
  return Reports()[std::size_t(index)].command;
}

void PhaseReportsWindow::chooseReport(int index) { reports_->setCurrentIndex(index); }

void PhaseReportsWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  follow();
}

void PhaseReportsWindow::follow() {
  followQueued_ = false;
  if (isVisible() && stale_) run();
}

// The report runs on a study of its own, detached from the document's; the
// progress and the result come back to this window's thread. A run under
// way gives way to it.
void PhaseReportsWindow::run() {
  stale_ = false;
  std::shared_ptr<Study> study = analysis::DetachedStudy(document_.study());
  const analysis::StudyReport report = Reports()[std::size_t(reports_->currentIndex())].report;
  showRunning(true);
  work_->Start(
      [study, report](const LongWork::Control& control) {
        const analysis::ByPhaseControl phases{control.cancel, control.report};
        CsvReport result = analysis::ByPhase(*study, report, phases);
        PhaseTable table = result.error.empty() ? TableOf(result.text) : PhaseTable{};
        return std::make_pair(std::move(result), std::move(table));
      },
      [this](std::pair<CsvReport, PhaseTable> ran) {
        finish(std::move(ran.first), std::move(ran.second));
      });
}

void PhaseReportsWindow::cancel() {
  if (!running()) return;
  work_->Cancel();
  stale_ = true;
  showRunning(false);
  title_->setText(titleText(QStringLiteral("Cancelled; the table is as it was.")));
  emit finished();
}

bool PhaseReportsWindow::running() const { return work_->running(); }

void PhaseReportsWindow::finish(CsvReport report, PhaseTable table) {
  showRunning(false);
  if (report.error == analysis::kByPhaseCancelled) {
    stale_ = true;
    title_->setText(titleText(QStringLiteral("Cancelled; the table is as it was.")));
  } else {
    model_->setTable(std::move(table));
    table_->resizeColumnsToContents();
    title_->setText(titleText(report.error.empty() ? QString() : Sentence(report.error)));
  }
  emit finished();
}

void PhaseReportsWindow::showRunning(bool on) {
  refresh_->setEnabled(!on);
  cancelButton_->setEnabled(on);
  progress_->setRange(0, on ? 0 : 1);  // busy until the first phase is done
  progress_->setValue(0);
  if (on) title_->setText(titleText(QStringLiteral("Running...")));
}

// "Each phase in turn: REPORT (its choices) of FILE." and `outcome`.
QString PhaseReportsWindow::titleText(const QString& outcome) const {
  const ReportKind& kind = Reports()[std::size_t(reports_->currentIndex())];
  QString choice;
  if (kind.reads == Reads::Density) {
    choice = DensityChoiceText(document_.study().choices());
  } else if (kind.reads == Reads::StressInView && document_.study().givenStress()) {
    choice = QStringLiteral(" (the given stress)");
  } else if (kind.reads == Reads::EveryMethod) {
    if (document_.study().choices().iterate) choice = QStringLiteral(" (iterated)");
  } else if (kind.reads != Reads::Data) {
    choice = QStringLiteral(" (%1%2)").arg(
        QString::fromLatin1(analysis::StressMethodName(document_.study().choices().method)),
        document_.study().choices().iterate ? QStringLiteral(", iterated") : QString());
  }
  const QString file = QFileInfo(QFile::decodeName(document_.fileName().c_str())).fileName();
  return QStringLiteral("Each phase in turn: %1%2 of %3. %4")
      .arg(QString::fromLatin1(kind.name), choice, file, outcome)
      .trimmed();
}

QString PhaseReportsWindow::text() const {
  std::vector<int> rows;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows())
    rows.push_back(index.row());
  if (rows.empty()) {
    rows.resize(std::size_t(model_->rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
  }
  std::sort(rows.begin(), rows.end());
  return model_->text(rows);
}

void PhaseReportsWindow::copy() const { services_.CopyText(text()); }

PhaseReportsWindow* ShowPhaseReports(const document::Document& document, WindowServices& services,
                                     QObject* owner, QWidget* parent) {
  auto* keeper = dynamic_cast<WindowKeeper*>(
      owner->findChild<QObject*>(QStringLiteral("PhaseReportsKeeper"), Qt::FindDirectChildrenOnly));
  if (!keeper) keeper = new WindowKeeper(owner, new PhaseReportsWindow(document, services, parent));
  PhaseReportsWindow* window = keeper->window();
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace orniva::ui
