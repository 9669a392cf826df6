#include "ui/results/kinematics_window.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/report_format.h"
#include "ui/shared/result_table.h"
#include "ui/results/manual_help.h"
#include "ui/shared/window_services.h"

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

KinematicsWindow::KinematicsWindow(const document::Document& document, WindowServices& services,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), services_(services) {
  setObjectName(QStringLiteral("KinematicsWindow"));
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
  controls->addWidget(NewHelpButton(this, services_, ManualPageOfCommand("kinematics")));
  layout->addLayout(controls);

  model_ = new ResultModel(this);
  addColumns();
  table_ = NewResultView(model_, 0, this);  // line order until the user sorts
  layout->addWidget(table_, 1);

  connect(threshold_, &QDoubleSpinBox::valueChanged, this,
          [this] { model_->columnsChanged(kWarningColumn, kWarningColumn); });
  OnLineSelected(table_, 0, [this](int line) { emit datumSelected(line); });
  listener_ = document_.AddListener([this](const document::Notice& notice) {
    if (notice.analysedChanged()) fill();
    if (notice.has(document::kFileNameChanged)) ShowTitle(this, "Kinematics", document_);
  });
  fill();
  ShowTitle(this, "Kinematics", document_);
}

// The table may read its cells while the window closes, after the rows
// are gone: it has none by then.
KinematicsWindow::~KinematicsWindow() {
  document_.RemoveListener(listener_);
  model_->reset(0);
}

void KinematicsWindow::fill() {
  const analysis::KinematicsResult& result = document_.study().Kinematics();
  summary_->setText(QStringLiteral("%1 data used.").arg(result.faults.size()) +
                    ScopeText(document_.study()) + LeftOutText(result.leftOut));
  FillAxesTable(bingham_, {"T", "B", "P"}, result.faults.empty() ? nullptr : &result.bingham.axes,
                result.bingham.eigenvalues);
  faults_ = result.faults;
  model_->reset(int(faults_.size()));
}

// Line, the angle to the plane, the P, T and B axes and the warnings.
void KinematicsWindow::addColumns() {
  auto fault = [this](int row) -> const analysis::KinematicAxes& {
    return faults_[std::size_t(row)];
  };
  auto text = [](const std::string& s) { return QString::fromStdString(s); };
  model_->addColumn({QStringLiteral("Line"),
                     {},
                     [=](int row) { return QString::number(fault(row).line); },
                     [=](int row) { return double(fault(row).line); }});
  model_->addColumn({QStringLiteral("Angle to plane"),
                     {},
                     [=](int row) { return text(analysis::FormatAngle(fault(row).misfit)); },
                     [=](int row) { return fault(row).misfit; }});
  using Axis = math::TrendPlunge analysis::KinematicAxes::*;
  const std::pair<const char*, Axis> axes[] = {{"P", &analysis::KinematicAxes::p},
                                               {"T", &analysis::KinematicAxes::t},
                                               {"B", &analysis::KinematicAxes::b}};
  for (const auto& [name, axis] : axes) {
    model_->addColumn(
        {QStringLiteral("%1 trend").arg(QLatin1String(name)),
         {},
         [=](int row) { return text(analysis::FormatTrend((fault(row).*axis).trend)); },
         [=](int row) { return (fault(row).*axis).trend; }});
    model_->addColumn(
        {QStringLiteral("%1 plunge").arg(QLatin1String(name)),
         {},
         [=](int row) { return text(analysis::FormatAngle((fault(row).*axis).plunge)); },
         [=](int row) { return (fault(row).*axis).plunge; }});
  }
  model_->addColumn({QStringLiteral("Warning"),
                     {},
                     [=](int row) { return KinematicsWarnings(fault(row), threshold_->value()); },
                     {}});
}

QString KinematicsWindow::tableText() const { return TableText(table_); }

void KinematicsWindow::copy() const { services_.CopyText(tableText()); }

double KinematicsWindow::misfitThreshold() const { return threshold_->value(); }
void KinematicsWindow::setMisfitThreshold(double degrees) { threshold_->setValue(degrees); }

}  // namespace orniva::ui
