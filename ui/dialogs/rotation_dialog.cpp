#include "ui/dialogs/rotation_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/shared/widget_parts.h"

namespace orniva::ui {

namespace {

// A field's name and the range of its numbers.
struct FieldRule {
  const char* name;
  double low, high;
  const char* initial;
};

const std::array<FieldRule, 3>& RulesOf(RotationKind kind) {
  static const std::array<FieldRule, 3> kAxis = {
      {{"Axis trend", 0, 360, ""}, {"Axis plunge", 0, 90, ""}, {"Angle", -360, 360, ""}}};
  static const std::array<FieldRule, 3> kBedding = {{{"Bedding dip direction", 0, 360, ""},
                                                     {"Bedding dip", 0, 90, ""},
                                                     {"Fraction", -2, 2, "1"}}};
  return kind == RotationKind::AboutAxis ? kAxis : kBedding;
}

int FieldCount(RotationKind kind) { return kind == RotationKind::Bedding ? 2 : 3; }

std::optional<double> NumberIn(const QString& typed) {
  bool ok = false;
  const QString text = typed.trimmed();
  double value = QLocale().toDouble(text, &ok);
  if (!ok) value = QLocale::c().toDouble(text, &ok);
  return ok ? std::optional<double>(value) : std::nullopt;
}

QString NoteOf(RotationKind kind) {
  switch (kind) {
    case RotationKind::AboutAxis:
      return QStringLiteral(
          "Turns the data in a new data set, right-handed about the axis "
          "pointing down its trend and plunge.");
    case RotationKind::BackTilt:
      return QStringLiteral(
          "Turns the data in a new data set about the bedding's strike, so "
          "that the bedding becomes horizontal at fraction 1.");
    default:
      return QStringLiteral(
          "Back-tilts the data in use by fractions 0 to 1.25 of the bedding's "
          "dip and inverts each with the stress inversion's method and "
          "options.");
  }
}

QString Shown(double value) { return QLocale().toString(value, 'g', 6); }

QString AttitudeText(double trend, double plunge) {
  return Shown(trend) + QLatin1Char('/') + Shown(plunge);
}

}  // namespace

std::optional<RotationChoice> ReadRotation(RotationKind kind, const std::array<QString, 3>& fields,
                                           QString& problem) {
  std::array<double, 3> values{};
  for (int k = 0; k < FieldCount(kind); ++k) {
    const FieldRule& rule = RulesOf(kind)[std::size_t(k)];
    const std::optional<double> value = NumberIn(fields[std::size_t(k)]);
    if (!value || !(*value >= rule.low && *value <= rule.high)) {
      const QString typed = fields[std::size_t(k)].trimmed();
      problem = QStringLiteral("%1 needs a number from %2 to %3")
                    .arg(QString::fromLatin1(rule.name), Shown(rule.low), Shown(rule.high)) +
                (typed.isEmpty() ? QStringLiteral(".")
                                 : QStringLiteral(", not \u2018%1\u2019.").arg(typed));
      return std::nullopt;
    }
    values[std::size_t(k)] = *value;
  }
  problem.clear();
  RotationChoice choice;
  if (kind == RotationKind::AboutAxis) {
    choice.rotation = analysis::RotationMatrix({values[0], values[1]}, values[2]);
    choice.description = QStringLiteral("rotated by %1\u00B0 about %2")
                             .arg(Shown(values[2]), AttitudeText(values[0], values[1]));
    choice.nameEnding = QStringLiteral("-rotated");
    return choice;
  }
  choice.bedding = {values[0], values[1]};
  const double fraction = kind == RotationKind::BackTilt ? values[2] : 1;
  choice.rotation = analysis::BackTiltRotation(choice.bedding, fraction);
  choice.description = QStringLiteral("back-tilted by the bedding %1, fraction %2")
                           .arg(AttitudeText(values[0], values[1]), Shown(fraction));
  choice.nameEnding = QStringLiteral("-back-tilted");
  return choice;
}

RotationDialog::RotationDialog(RotationKind kind, QWidget* parent) : QDialog(parent), kind_(kind) {
  setObjectName(QStringLiteral("RotationDialog"));
  setWindowTitle(kind == RotationKind::AboutAxis  ? QStringLiteral("Rotate Data")
                 : kind == RotationKind::BackTilt ? QStringLiteral("Back-tilt Data")
                                                  : QStringLiteral("Tilt Test"));
  setMinimumWidth(380);
  auto* layout = new QVBoxLayout(this);
  note_ = new QLabel(NoteOf(kind), this);
  note_->setWordWrap(true);
  layout->addWidget(note_);
  auto* form = new QFormLayout;
  for (int k = 0; k < FieldCount(kind); ++k) {
    const FieldRule& rule = RulesOf(kind)[std::size_t(k)];
    fields_[std::size_t(k)] = new QLineEdit(QString::fromLatin1(rule.initial), this);
    const bool degrees = rule.high > 2;
    form->addRow(QString::fromLatin1(rule.name) +
                     (degrees ? QStringLiteral(" (\u00B0):") : QStringLiteral(":")),
                 fields_[std::size_t(k)]);
    connect(fields_[std::size_t(k)], &QLineEdit::textChanged, this, &RotationDialog::check);
  }
  layout->addLayout(form);
  AddCheckedFoot(this, layout, problem_, buttons_);
  check();
}

std::optional<RotationChoice> RotationDialog::choice() const {
  QString problem;
  return ReadRotation(kind_, texts(), problem);
}

void RotationDialog::setNote(const QString& note) { note_->setText(note); }

std::array<QString, 3> RotationDialog::texts() const {
  std::array<QString, 3> texts;
  for (int k = 0; k < FieldCount(kind_); ++k)
    texts[std::size_t(k)] = fields_[std::size_t(k)]->text();
  return texts;
}

void RotationDialog::check() {
  QString problem;
  ReadRotation(kind_, texts(), problem);
  problem_->setText(problem);
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

}  // namespace orniva::ui
