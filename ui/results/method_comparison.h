// The comparison of the stress inversion's methods inside the Stress
// Inversion window: one row per method (sigma1 and sigma3, Phi, R', mean
// beta, Theta to Michael's result), a warning line where two methods are
// more than 10 degrees apart, and the rows as tab-separated text. Computed
// from the document's study after each change of the inversion or the
// choices, when shown.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include <QGroupBox>
#include <QString>

#include "analysis/stress_inversion.h"
#include "document/document.h"

class QLabel;
class QTableWidget;

namespace orniva::ui {

class WindowServices;

class MethodComparison : public QGroupBox {
  Q_OBJECT

 public:
  MethodComparison(const document::Document& document, WindowServices& services,
                   QWidget* parent = nullptr);

  // The inversion or the choices changed: computed again now when shown,
  // else when next shown.
  void follow();
  QString tableText() const;
  void copy() const;

  QTableWidget* table() const { return table_; }
  QLabel* warning() const { return warning_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void fill(const std::array<analysis::StressResult, 5>& results);
  void fillRow(int row, const std::array<analysis::StressResult, 5>& results);

  void fillWhenShown();

  const document::Document& document_;
  WindowServices& services_;
  bool stale_ = true;  // what is shown is not of the document as it is
  QTableWidget* table_ = nullptr;
  QLabel* warning_ = nullptr;
};

// "The methods disagree: A and B are x° apart (Θ)." for the farthest pair
// of the results that solved when more than 10 degrees apart; else "".
// `results` in the order of analysis::kStressMethods.
QString MethodsWarning(const std::array<analysis::StressResult, 5>& results);

}  // namespace orniva::ui
