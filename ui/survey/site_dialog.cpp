#include "ui/survey/site_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/shared/widget_parts.h"

namespace orniva::ui {

namespace {

constexpr const char* kLabels[SiteDialog::FieldCount] = {"&Name:",
                                                         "&Longitude [\u00B0, east +]:",
                                                         "L&atitude [\u00B0, north +]:",
                                                         "&Elevation [m]:",
                                                         "Bedding &dip direction [\u00B0]:",
                                                         "Bedding d&ip [\u00B0]:",
                                                         "L&ocality:",
                                                         "Da&te:"};

// A number typed in the user's locale as the survey file writes it; any
// other text as typed, for the survey's rules to refuse.
std::string NumberText(const QString& typed) {
  const QString text = typed.trimmed();
  bool ok = false;
  QLocale::c().toDouble(text, &ok);
  if (ok) return text.toStdString();
  const double value = QLocale().toDouble(text, &ok);
  return ok ? survey::JsonNumber(value) : text.toStdString();
}

}  // namespace

SiteDialog::SiteDialog(const survey::Survey& survey, std::size_t index, QWidget* parent)
    : QDialog(parent), survey_(survey), index_(index) {
  setObjectName(QStringLiteral("SiteDialog"));
  const survey::SiteEntry& site = survey_.sites[index_];
  setWindowTitle(QStringLiteral("Edit Site %1").arg(QString::fromStdString(site.name)));
  const survey::SiteFields shown = survey::SiteFieldsOf(site);
  const std::string* values[FieldCount] = {&shown.name,      &shown.lon,          &shown.lat,
                                           &shown.elevation, &shown.dipDirection, &shown.dip,
                                           &shown.locality,  &shown.date};
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  for (int k = 0; k < FieldCount; ++k) {
    fields_[std::size_t(k)] = new QLineEdit(QString::fromStdString(*values[k]), this);
    form->addRow(QString::fromUtf8(kLabels[k]), fields_[std::size_t(k)]);
    connect(fields_[std::size_t(k)], &QLineEdit::textChanged, this, [this] { check(); });
  }
  notes_ = new QPlainTextEdit(QString::fromStdString(shown.notes), this);
  notes_->setTabChangesFocus(true);
  form->addRow(QStringLiteral("Note&s:"), notes_);
  layout->addLayout(form);
  layout->addWidget(
      new QLabel(QStringLiteral("The data file: %1").arg(QString::fromStdString(site.data)), this));
  AddCheckedFoot(this, layout, problem_, buttons_);
  check();
}

survey::SiteFields SiteDialog::typed() const {
  const auto text = [this](Field which) { return fields_[which]->text().toStdString(); };
  survey::SiteFields typed;
  typed.name = text(Name);
  typed.lon = NumberText(fields_[Lon]->text());
  typed.lat = NumberText(fields_[Lat]->text());
  typed.elevation = NumberText(fields_[Elevation]->text());
  typed.dipDirection = NumberText(fields_[DipDirection]->text());
  typed.dip = NumberText(fields_[Dip]->text());
  typed.locality = text(Locality);
  typed.date = text(Date);
  typed.notes = notes_->toPlainText().toStdString();
  return typed;
}

survey::SiteReading SiteDialog::reading() const {
  return survey::ReadSiteFields(typed(), survey_, index_);
}

void SiteDialog::check() {
  const std::string problem = reading().problem;
  problem_->setText(QString::fromStdString(problem));
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(problem.empty());
}

}  // namespace orniva::ui
