// The dialog of a rotation of the data: about an axis (its trend and
// plunge, and the angle), or the back-tilt by a bedding (its dip direction
// and dip, and the fraction of the dip, 1 by default), or only the bedding
// (for the tilt test). Checked as typed: the first field that is not a
// number in its range is named under the fields, and OK stays disabled.
#pragma once

#include <array>
#include <optional>

#include <QDialog>
#include <QString>

#include "analysis/rotation.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace orniva::ui {

enum class RotationKind { AboutAxis, BackTilt, Bedding };

// What the dialog's fields ask for.
struct RotationChoice {
  math::Matrix3d rotation{};
  analysis::Bedding bedding;  // BackTilt and Bedding
  QString description;        // "rotated by 30° about 120/40", for titles
  QString nameEnding;         // "-rotated" or "-back-tilted", for a new file's name
};

// The choice of `kind` from the fields' texts (the third unused for
// Bedding), or none with `problem` naming the first field that is refused.
// A number may be typed in the user's locale or with a period.
std::optional<RotationChoice> ReadRotation(RotationKind kind, const std::array<QString, 3>& fields,
                                           QString& problem);

class RotationDialog : public QDialog {
  Q_OBJECT

 public:
  RotationDialog(RotationKind kind, QWidget* parent = nullptr);

  // The choice typed; none while a field is refused.
  std::optional<RotationChoice> choice() const;

  QLineEdit* field(int k) const { return fields_[std::size_t(k)]; }
  // Why OK is disabled, or empty.
  QLabel* problem() const { return problem_; }
  // The note above the fields, for a turn that makes no new data set.
  void setNote(const QString& note);

 private:
  std::array<QString, 3> texts() const;
  void check();

  RotationKind kind_;
  std::array<QLineEdit*, 3> fields_{};
  QLabel* problem_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  QLabel* note_ = nullptr;
};

}  // namespace orniva::ui
