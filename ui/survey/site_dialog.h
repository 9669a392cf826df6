// The Edit Site dialog of the survey window: a site's name, position,
// elevation, bedding, locality, date and notes, checked as typed by the
// survey's own rules (survey/survey_edit.h); the refusal, naming the field
// and what it accepts, shows under the fields and OK stays disabled.
#pragma once

#include <array>

#include <QDialog>

#include "survey/survey_edit.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace orniva::ui {

class SiteDialog : public QDialog {
  Q_OBJECT

 public:
  // Edits site `index` of `survey` (a copy is kept to check the name).
  SiteDialog(const survey::Survey& survey, std::size_t index, QWidget* parent = nullptr);

  // The site as typed; its `problem` empty when every field is accepted.
  survey::SiteReading reading() const;

  // The line fields in the order of survey::SiteFields: name, longitude,
  // latitude, elevation, dip direction, dip, locality, date.
  enum Field { Name, Lon, Lat, Elevation, DipDirection, Dip, Locality, Date, FieldCount };
  QLineEdit* field(Field which) const { return fields_[which]; }
  QPlainTextEdit* notes() const { return notes_; }
  // Why OK is disabled, or empty.
  QLabel* problem() const { return problem_; }

 private:
  survey::SiteFields typed() const;
  void check();

  survey::Survey survey_;
  std::size_t index_;
  std::array<QLineEdit*, FieldCount> fields_{};
  QPlainTextEdit* notes_ = nullptr;
  QLabel* problem_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace orniva::ui
