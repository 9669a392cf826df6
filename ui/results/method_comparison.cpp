#include "ui/results/method_comparison.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "analysis/report_format.h"
#include "analysis/stress_methods.h"
#include "analysis/stress_summary.h"
#include "ui/shared/result_table.h"
#include "ui/shared/window_services.h"
#include "ui/results/stress_window.h"

namespace orniva::ui {

namespace {

constexpr double kDisagreement = 10;  // degrees of Theta
enum Column { kMethod, kSigma1, kSigma3 = 3, kPhi = 5, kRPrime, kMeanBeta, kTheta, kNote };

NumberItem* ValueItem(double value) { return new NumberItem(value, analysis::FormatValue(value)); }
NumberItem* AngleItem(double angle) { return new NumberItem(angle, analysis::FormatAngle(angle)); }

}  // namespace

QString MethodsWarning(const std::array<analysis::StressResult, 5>& results) {
  double farthest = kDisagreement;
  std::optional<std::pair<std::size_t, std::size_t>> pair;
  for (std::size_t i = 0; i < results.size(); ++i)
    for (std::size_t j = i + 1; j < results.size(); ++j) {
      if (!results[i].error.empty() || !results[j].error.empty()) continue;
      const double theta = analysis::StressDistance(results[i].tensor, results[j].tensor);
      if (!(theta > farthest)) continue;
      farthest = theta;
      pair = {i, j};
    }
  if (!pair) return {};
  return QStringLiteral("The methods disagree: %1 and %2 are %3° apart (\u0398).")
      .arg(StressMethodTitle(analysis::kStressMethods[pair->first]),
           StressMethodTitle(analysis::kStressMethods[pair->second]),
           QString::fromStdString(analysis::FormatAngle(farthest)));
}

MethodComparison::MethodComparison(const document::Document& document, WindowServices& services,
                                   QWidget* parent)
    : QGroupBox(QStringLiteral("Methods compared"), parent),
      document_(document),
      services_(services) {
  setObjectName(QStringLiteral("MethodComparison"));
  auto* layout = new QVBoxLayout(this);
  warning_ = new QLabel(this);
  warning_->setWordWrap(true);
  warning_->setStyleSheet(QStringLiteral("color: #b00000"));
  layout->addWidget(warning_);
  table_ = NewResultTable(
      {"Method", "\u03C31 trend", "\u03C31 plunge", "\u03C33 trend", "\u03C33 plunge", "\u03A6",
       "R\u2032", "Mean \u03B2", "\u0398 to Michael", "Note"},
      this);
  table_->setToolTip(QStringLiteral(
      "\u0398: the angle between two reduced stress tensors (Yamaji and Sato 2006)"));
  table_->setSortingEnabled(true);
  table_->sortByColumn(kMethod, Qt::AscendingOrder);
  layout->addWidget(table_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* copyButton = new QPushButton(QStringLiteral("Copy Rows"), this);
  copyButton->setToolTip(QStringLiteral("Copy the comparison as tab-separated text"));
  connect(copyButton, &QPushButton::clicked, this, [this] { copy(); });
  buttons->addWidget(copyButton);
  layout->addLayout(buttons);
}

void MethodComparison::showEvent(QShowEvent* event) {
  QGroupBox::showEvent(event);
  fillWhenShown();
}

void MethodComparison::follow() {
  stale_ = true;
  fillWhenShown();
}

void MethodComparison::fillWhenShown() {
  if (!isVisible() || !stale_) return;
  stale_ = false;
  fill(document_.study().StressByEveryMethod());
}

void MethodComparison::fill(const std::array<analysis::StressResult, 5>& results) {
  warning_->setText(MethodsWarning(results));
  warning_->setVisible(!warning_->text().isEmpty());
  table_->setSortingEnabled(false);
  table_->clearContents();
  table_->setRowCount(int(results.size()));
  for (int row = 0; row < table_->rowCount(); ++row) fillRow(row, results);
  table_->setSortingEnabled(true);
  table_->resizeColumnsToContents();
}

// The method's name and its result, or the reason it refused.
void MethodComparison::fillRow(int row, const std::array<analysis::StressResult, 5>& results) {
  const analysis::StressResult& r = results[std::size_t(row)];
  const QString title = StressMethodTitle(analysis::kStressMethods[std::size_t(row)]);
  auto* method = new NumberItem(row, title.toStdString());
  method->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  table_->setItem(row, kMethod, method);
  table_->setItem(row, kNote, new QTableWidgetItem(QString::fromStdString(r.error)));
  if (!r.error.empty()) return;
  SetLineCells(table_, row, kSigma1, r.axes[0]);
  SetLineCells(table_, row, kSigma3, r.axes[2]);
  table_->setItem(row, kPhi, ValueItem(r.phi));
  table_->setItem(row, kRPrime, ValueItem(analysis::CharacterOf(r).rPrime));
  table_->setItem(row, kMeanBeta, AngleItem(r.meanBeta));
  if (results[0].error.empty())
    table_->setItem(row, kTheta, AngleItem(analysis::StressDistance(r.tensor, results[0].tensor)));
}

QString MethodComparison::tableText() const { return TableText(table_); }

void MethodComparison::copy() const { services_.CopyText(tableText()); }

}  // namespace orniva::ui
