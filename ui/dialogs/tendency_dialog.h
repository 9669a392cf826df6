// The stress magnitudes of the slip and dilation tendency: sigma1, sigma2
// and sigma3 (compression positive, any unit) and the pore pressure,
// checked as they are typed; OK only for magnitudes the tendency can use.
// The principal directions are the stress inversion's.
#pragma once

#include <array>
#include <optional>

#include <QDialog>

#include "analysis/tendency.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace orniva::ui {

class TendencyDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TendencyDialog(QWidget* parent = nullptr);

  // Shows `magnitudes`, or empty fields (and Pf 0) for none.
  void setMagnitudes(const std::optional<analysis::StressMagnitudes>& magnitudes);
  // The magnitudes typed, none while a field is not a number.
  std::optional<analysis::StressMagnitudes> magnitudes() const;

  // sigma1, sigma2, sigma3 and Pf.
  QLineEdit* field(int k) const { return fields_[std::size_t(k)]; }
  // Why OK is disabled, or empty.
  QLabel* problem() const { return problem_; }

 private:
  void check();

  std::array<QLineEdit*, 4> fields_{};
  QLabel* problem_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

// `problem` of analysis::MagnitudesProblem as a sentence for the window:
// Greek letters, a capital and a full stop.
QString MagnitudesSentence(const std::string& problem);

}  // namespace orniva::ui
