#include "ui/dialogs/tendency_dialog.h"

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

// A number in the user's locale or with a period; none for anything else.
std::optional<double> NumberIn(const QLineEdit* field) {
  bool ok = false;
  const QString text = field->text().trimmed();
  double value = QLocale().toDouble(text, &ok);
  if (!ok) value = QLocale::c().toDouble(text, &ok);
  return ok ? std::optional<double>(value) : std::nullopt;
}

QString Shown(double value) { return QLocale().toString(value, 'g', 12); }

}  // namespace

QString MagnitudesSentence(const std::string& problem) {
  QString text = QString::fromStdString(problem);
  text.replace(QStringLiteral("sigma"), QStringLiteral("\u03C3"));
  text.replace(QStringLiteral(">="), QStringLiteral("\u2265"));
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text.isEmpty() ? text : text + '.';
}

TendencyDialog::TendencyDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TendencyDialog"));
  setWindowTitle(QStringLiteral("Stress Magnitudes"));
  setMinimumWidth(360);
  auto* layout = new QVBoxLayout(this);
  auto* note = new QLabel(QStringLiteral("Principal stresses for the slip and dilation tendency, "
                                         "compression positive, in any one unit. Their directions "
                                         "are the stress inversion's."),
                          this);
  note->setWordWrap(true);
  layout->addWidget(note);
  auto* form = new QFormLayout;
  const char* labels[] = {"\u03C3&1:", "\u03C3&2:", "\u03C3&3:", "&Pore pressure Pf:"};
  for (std::size_t k = 0; k < fields_.size(); ++k) {
    fields_[k] = new QLineEdit(this);
    form->addRow(QString::fromUtf8(labels[k]), fields_[k]);
    connect(fields_[k], &QLineEdit::textChanged, this, &TendencyDialog::check);
  }
  layout->addLayout(form);
  AddCheckedFoot(this, layout, problem_, buttons_);
  setMagnitudes(std::nullopt);
}

void TendencyDialog::setMagnitudes(const std::optional<analysis::StressMagnitudes>& magnitudes) {
  const analysis::StressMagnitudes m = magnitudes.value_or(analysis::StressMagnitudes{});
  const double values[] = {m.sigma1, m.sigma2, m.sigma3, m.porePressure};
  for (std::size_t k = 0; k < fields_.size(); ++k)
    fields_[k]->setText(magnitudes || k == 3 ? Shown(values[k]) : QString());
  check();
}

std::optional<analysis::StressMagnitudes> TendencyDialog::magnitudes() const {
  std::array<double, 4> values{};
  for (std::size_t k = 0; k < fields_.size(); ++k) {
    const std::optional<double> value = NumberIn(fields_[k]);
    if (!value) return std::nullopt;
    values[k] = *value;
  }
  return analysis::StressMagnitudes{values[0], values[1], values[2], values[3]};
}

void TendencyDialog::check() {
  const std::optional<analysis::StressMagnitudes> m = magnitudes();
  const QString problem =
      m ? MagnitudesSentence(analysis::MagnitudesProblem(*m))
        : QStringLiteral("Enter \u03C31, \u03C32, \u03C33 and the pore pressure as numbers.");
  problem_->setText(problem);
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.isEmpty());
}

}  // namespace orniva::ui
