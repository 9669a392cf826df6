#include "ui/results/given_stress_panel.h"

#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace orniva::ui {

namespace {

struct SpinBoxRange {
  const char* label;
  double maximum, step;
  const char* suffix;
};
constexpr SpinBoxRange kBoxes[5] = {{"\u03C31 trend", 360, 1, "\u00B0"},
                                    {"plunge", 90, 1, "\u00B0"},
                                    {"\u03C33 trend", 360, 1, "\u00B0"},
                                    {"plunge", 90, 1, "\u00B0"},
                                    {"\u03A6", 1, 0.05, ""}};

}  // namespace

GivenStressPanel::GivenStressPanel(document::Document& document, QWidget* parent)
    : QGroupBox(QStringLiteral("&Given stress instead of the inversion"), parent),
      document_(document) {
  setObjectName(QStringLiteral("GivenStress"));
  setCheckable(true);
  setChecked(false);
  setToolTip(QStringLiteral(
      "Show the data against \u03C31, \u03C33 and \u03A6 typed here; \u03C33 is made exactly "
      "perpendicular to \u03C31 (at most 1\u00B0 off)"));
  auto* layout = new QGridLayout(this);
  for (std::size_t k = 0; k < boxes_.size(); ++k) {
    auto* box = new QDoubleSpinBox(this);
    box->setRange(0, kBoxes[k].maximum);
    box->setSingleStep(kBoxes[k].step);
    box->setDecimals(2);
    box->setSuffix(QString::fromUtf8(kBoxes[k].suffix));
    auto* label = new QLabel(QString::fromUtf8(kBoxes[k].label), this);
    label->setBuddy(box);
    layout->addWidget(label, 0, 2 * int(k));
    layout->addWidget(box, 0, 2 * int(k) + 1);
    boxes_[k] = box;
  }
  apply_ = new QPushButton(QStringLiteral("Appl&y"), this);
  layout->addWidget(apply_, 0, 10);
  refusal_ = new QLabel(this);
  refusal_->setStyleSheet(QStringLiteral("color: #b00000"));
  layout->addWidget(refusal_, 1, 0, 1, 11);
  refusal_->hide();
  connect(apply_, &QPushButton::clicked, this, &GivenStressPanel::apply);
  connect(this, &QGroupBox::toggled, this, &GivenStressPanel::toggled);
  follow();
}

analysis::GivenStress GivenStressPanel::typed() const {
  return {{boxes_[0]->value(), boxes_[1]->value()},
          {boxes_[2]->value(), boxes_[3]->value()},
          boxes_[4]->value()};
}

void GivenStressPanel::setTyped(const analysis::GivenStress& given) {
  const double values[5] = {given.sigma1.trend, given.sigma1.plunge, given.sigma3.trend,
                            given.sigma3.plunge, given.phi};
  for (std::size_t k = 0; k < boxes_.size(); ++k) boxes_[k]->setValue(values[k]);
}

void GivenStressPanel::apply() {
  const analysis::GivenStress given = typed();
  const std::string refusal = analysis::GivenStressRefusal(given);
  refusal_->setText(QString::fromStdString(refusal));
  refusal_->setVisible(!refusal.empty());
  if (refusal.empty()) document_.SetGivenStress(given);
}

// Checked: the inversion's axes and Phi to start from when nothing was
// given yet, then applied; unchecked: the inversion again.
void GivenStressPanel::toggled(bool on) {
  if (!on) {
    refusal_->hide();
    document_.SetGivenStress(std::nullopt);
    return;
  }
  const analysis::StressResult& inverted = document_.study().Stress();
  if (!document_.study().givenStress() && inverted.error.empty() && inverted.used > 0)
    setTyped({inverted.axes[0], inverted.axes[2], inverted.phi});
  apply();
}

void GivenStressPanel::follow() {
  const QSignalBlocker quiet(this);
  const std::optional<analysis::GivenStress>& given = document_.study().givenStress();
  setChecked(given.has_value());
  if (given) setTyped(*given);
}

}  // namespace orniva::ui
