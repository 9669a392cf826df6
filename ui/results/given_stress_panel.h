// The Stress Inversion window's section for a given stress: the user types
// sigma1's and sigma3's trend and plunge and Phi, and the stress views (the
// window, the stress axes, the Mohr diagram) show the data against that
// stress instead of the inversion while the section is checked. The stress
// lives in the document; the section hands it over and follows it.
#pragma once

#include <array>

#include <QGroupBox>

#include "analysis/given_stress.h"
#include "document/document.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace orniva::ui {

class GivenStressPanel : public QGroupBox {
  Q_OBJECT

 public:
  GivenStressPanel(document::Document& document, QWidget* parent = nullptr);

  // The values typed, in the order sigma1 trend, plunge, sigma3 trend,
  // plunge, Phi.
  analysis::GivenStress typed() const;
  void setTyped(const analysis::GivenStress& given);
  // Hands the values typed to the document, or says why they cannot be used.
  void apply();
  // Shows the document's given stress (checked with its values) or none.
  void follow();

  QLabel* refusal() const { return refusal_; }
  QPushButton* applyButton() const { return apply_; }

 private:
  void toggled(bool on);

  document::Document& document_;
  std::array<QDoubleSpinBox*, 5> boxes_{};
  QPushButton* apply_ = nullptr;
  QLabel* refusal_ = nullptr;
};

}  // namespace orniva::ui
