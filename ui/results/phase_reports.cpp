#include "ui/results/phase_reports.h"

#include <algorithm>
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

#include "analysis/by_phase.h"
#include "analysis/stress_summary.h"
#include "ui/shared/long_work.h"
#include "ui/shared/window_services.h"
#include "ui/results/manual_help.h"

namespace orniva::ui {

using analysis::ReportCell;
using analysis::ReportKind;
using analysis::ReportTable;
using analysis::Study;

namespace {

// The reports of the report table offered for each phase, in its order.
const std::vector<const ReportKind*>& Reports() {
  static const std::vector<const ReportKind*> reports = [] {
    std::vector<const ReportKind*> offered;
    for (const ReportKind& kind : analysis::ReportKinds())
      if (kind.eachPhase) offered.push_back(&kind);
    return offered;
  }();
  return reports;
}

// A cell as the table shows and copies it: a number as orniva-analyse
// writes it, the program's words as they are, the user's text (a phase's
// name) neutralised for spreadsheets.
QString CellText(const ReportTable& table, const ReportCell& cell) {
  if (cell.kind == ReportCell::Kind::Text)
    return QString::fromStdString(analysis::NeutralisedText(table.TextOf(cell)));
  if (cell.kind == ReportCell::Kind::Label) return QString::fromStdString(table.TextOf(cell));
  return QString::fromStdString(table.Written(cell));
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
  void setTable(ReportTable table) {
    beginResetModel();
    table_ = std::move(table);
    order_.resize(table_.rowCount());
    std::iota(order_.begin(), order_.end(), std::size_t(0));
    endResetModel();
    sort(sortColumn_, sortOrder_);
  }
  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(table_.rowCount());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : int(table_.columns.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const ReportCell& cell = CellAt(order_[std::size_t(index.row())], index.column());
    if (role == Qt::DisplayRole) return CellText(table_, cell);
    if (role == Qt::TextAlignmentRole && cell.IsNumber())
      return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columnCount())
      return QString::fromStdString(table_.columns[std::size_t(section)]);
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  void sort(int column, Qt::SortOrder order) override;
  // The header and rows `rows` (view rows, ascending), tab-separated.
  QString text(const std::vector<int>& rows) const;

 private:
  const ReportCell& CellAt(std::size_t row, int column) const {
    return table_.at(row, std::size_t(column));
  }
  bool Less(std::size_t a, std::size_t b, int column) const;

  ReportTable table_;
  std::vector<std::size_t> order_;
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

// Numbers before text; numbers by value, text as text.
bool PhaseReportModel::Less(std::size_t a, std::size_t b, int column) const {
  const ReportCell &x = CellAt(a, column), &y = CellAt(b, column);
  if (x.IsNumber() != y.IsNumber()) return x.IsNumber();
  if (x.IsNumber()) return x.number < y.number;
  return CellText(table_, x) < CellText(table_, y);
}

void PhaseReportModel::sort(int column, Qt::SortOrder order) {
  emit layoutAboutToBeChanged();
  sortColumn_ = column;
  sortOrder_ = order;
  order_.resize(table_.rowCount());
  std::iota(order_.begin(), order_.end(), std::size_t(0));
  if (column >= 0 && column < columnCount())
    std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
      return order == Qt::AscendingOrder ? Less(a, b, column) : Less(b, a, column);
    });
  emit layoutChanged();
}

QString PhaseReportModel::text(const std::vector<int>& rows) const {
  QStringList header;
  for (const std::string& column : table_.columns) header << QString::fromStdString(column);
  QString text = header.join('\t') + '\n';
  for (int row : rows) {
    for (int column = 0; column < columnCount(); ++column)
      text += (column ? QStringLiteral("\t") : QString()) +
              CellText(table_, CellAt(order_[std::size_t(row)], column));
    text += '\n';
  }
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
  row->addWidget(NewHelpButton(this, services_, ManualPageOfCommand(reportCommand(0))));
  connect(reports_, &QComboBox::currentIndexChanged, this, [this](int index) {
    SetManualPage(this, ManualPageOfCommand(reportCommand(index)));
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
  return QString::fromStdString(Reports()[std::size_t(index)]->title);
}
const char* PhaseReportsWindow::reportCommand(int index) {
  return Reports()[std::size_t(index)]->name.c_str();
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
  const ReportKind* kind = Reports()[std::size_t(reports_->currentIndex())];
  showRunning(true);
  work_->Start(
      [study, kind](const LongWork::Control& control) {
        analysis::ReportRequest request;
        request.cancel = control.cancel;
        const analysis::StudyTable report = [&](Study& s) {
          return analysis::RunReport(*kind, s, request);
        };
        return analysis::ByPhaseTable(*study, report, kind->ColumnsFor(request),
                                      {control.cancel, control.report});
      },
      [this](ReportTable table) { finish(std::move(table)); });
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

void PhaseReportsWindow::finish(ReportTable table) {
  showRunning(false);
  if (table.error == analysis::kByPhaseCancelled) {
    stale_ = true;
    title_->setText(titleText(QStringLiteral("Cancelled; the table is as it was.")));
  } else {
    const QString outcome = table.error.empty() ? QString() : Sentence(table.error);
    model_->setTable(std::move(table));
    table_->resizeColumnsToContents();
    title_->setText(titleText(outcome));
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
  using analysis::ReportReads;
  const ReportKind& kind = *Reports()[std::size_t(reports_->currentIndex())];
  QString choice;
  if (kind.reads == ReportReads::Density) {
    choice = DensityChoiceText(document_.study().choices());
  } else if (kind.reads == ReportReads::StressInView && document_.study().givenStress()) {
    choice = QStringLiteral(" (the given stress)");
  } else if (kind.reads == ReportReads::EveryMethod) {
    if (document_.study().choices().iterate) choice = QStringLiteral(" (iterated)");
  } else if (kind.reads == ReportReads::Inversion || kind.reads == ReportReads::StressInView) {
    choice = QStringLiteral(" (%1%2)").arg(
        QString::fromLatin1(analysis::StressMethodName(document_.study().choices().method)),
        document_.study().choices().iterate ? QStringLiteral(", iterated") : QString());
  }
  const QString file = QFileInfo(QFile::decodeName(document_.fileName().c_str())).fileName();
  return QStringLiteral("Each phase in turn: %1%2 of %3. %4")
      .arg(QString::fromStdString(kind.title), choice, file, outcome)
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
