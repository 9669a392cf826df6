#include "ui/kinematics_window.h"

#include <QApplication>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/report_format.h"
#include "ui/result_table.h"

namespace orniva::ui {

namespace {

constexpr int kWarningColumn = 8;

}  // namespace

QString KinematicsWarnings(const analysis::KinematicAxes& axes, double misfitThreshold) {
  QStringList warnings;
  if (axes.misfit > misfitThreshold)
    warnings << QStringLiteral("More than %1° off its plane").arg(misfitThreshold, 0, 'f', 2);
  if (axes.lateralOnDipSlip) warnings << QStringLiteral("Lateral sense on a dip-slip striation");
  return warnings.join(QStringLiteral("; "));
}

KinematicsWindow::KinematicsWindow(const analysis::Study& study, QWidget* parent)
    : QWidget(parent, Qt::Window), study_(study) {
  setObjectName(QStringLiteral("KinematicsWindow"));
  setWindowTitle(QStringLiteral("Kinematics"));
  resize(720, 520);
  auto* layout = new QVBoxLayout(this);
  summary_ = NewSummaryLabel(this);
  layout->addWidget(summary_);
  bingham_ = NewAxesTable(QStringLiteral("Linked Bingham"), this);
  layout->addWidget(bingham_);

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel(QStringLiteral("Warn above the angle to the plane [°]:"), this));
  threshold_ = new QDoubleSpinBox(this);
  threshold_->setRange(0, 90);
  threshold_->setDecimals(1);
  threshold_->setValue(20);
  controls->addWidget(threshold_);
  controls->addStretch(1);
  controls->addWidget(NewCopyButton(this, [this] { copy(); }));
  layout->addLayout(controls);

  table_ = NewResultTable({"Line", "Angle to plane", "P trend", "P plunge", "T trend", "T plunge",
                           "B trend", "B plunge", "Warning"},
                          this);
  table_->setSortingEnabled(true);
  table_->sortByColumn(0, Qt::AscendingOrder);  // line order until the user sorts
  layout->addWidget(table_, 1);

  connect(threshold_, &QDoubleSpinBox::valueChanged, this, [this] { markWarnings(); });
  OnLineSelected(table_, 0, [this](int line) { emit datumSelected(line); });
  listener_ = study_.AddListener([this] { follow(); });
  follow();
}

KinematicsWindow::~KinematicsWindow() { study_.RemoveListener(listener_); }

void KinematicsWindow::setFileName(const QString& fileName) {
  setWindowTitle(QStringLiteral("Kinematics  [ %1 ]").arg(QFileInfo(fileName).fileName()));
}

// Shows the study's kinematics again when its data have changed.
void KinematicsWindow::follow() {
  if (shown_ == study_.data().generation()) return;
  shown_ = study_.data().generation();
  fill();
}

void KinematicsWindow::fill() {
  const analysis::KinematicsResult& result = study_.Kinematics();
  summary_->setText(QStringLiteral("%1 data used.").arg(result.faults.size()) + ScopeText(study_) +
                    LeftOutText(result.leftOut));
  FillAxesTable(bingham_, {"T", "B", "P"}, result.faults.empty() ? nullptr : &result.bingham.axes,
                result.bingham.eigenvalues);
  const TableFill filling(table_);
  table_->setSortingEnabled(false);
  table_->clearContents();
  table_->setRowCount(int(result.faults.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const analysis::KinematicAxes& f = result.faults[std::size_t(row)];
    table_->setItem(row, 0, new NumberItem(f.line, std::to_string(f.line)));
    table_->setItem(row, 1, new NumberItem(f.misfit, analysis::FormatAngle(f.misfit)));
    SetLineCells(table_, row, 2, f.p);
    SetLineCells(table_, row, 4, f.t);
    SetLineCells(table_, row, 6, f.b);
    auto* warning = new QTableWidgetItem;
    warning->setData(Qt::UserRole, row);  // the datum's index in the result
    table_->setItem(row, kWarningColumn, warning);
  }
  table_->setSortingEnabled(true);
  markWarnings();
}

void KinematicsWindow::markWarnings() {
  for (int row = 0; row < table_->rowCount(); ++row) {
    QTableWidgetItem* item = table_->item(row, kWarningColumn);
    if (!item) continue;
    const auto& f = study_.Kinematics().faults[std::size_t(item->data(Qt::UserRole).toInt())];
    item->setText(KinematicsWarnings(f, threshold_->value()));
  }
}

QString KinematicsWindow::tableText() const { return TableText(table_); }

void KinematicsWindow::copy() const { QApplication::clipboard()->setText(tableText()); }

double KinematicsWindow::misfitThreshold() const { return threshold_->value(); }
void KinematicsWindow::setMisfitThreshold(double degrees) { threshold_->setValue(degrees); }

}  // namespace orniva::ui
