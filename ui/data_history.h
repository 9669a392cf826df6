// The undo history of the loaded data: every change of the curation (from
// any window: the data table, the stress window's Use column, accepted
// phases) and every edit of the lines is one step of one QUndoStack. The
// history is clean where the data and curation are as last loaded or saved.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "analysis/study.h"

namespace orniva::ui {

class DataHistory : public QObject {
  Q_OBJECT

 public:
  explicit DataHistory(analysis::Study& study, QObject* parent = nullptr);
  ~DataHistory() override;

  QUndoStack* stack() { return &stack_; }
  bool clean() const { return stack_.isClean(); }
  // Data were loaded: no history, and what is there now is clean.
  void Reset();
  // The data's lines differ from those last loaded or saved.
  bool linesChanged() const { return study_.lines() != savedLines_; }
  // What is there now was saved.
  void MarkSaved();

  // Line `line` becomes `text`.
  void ReplaceLine(int line, const std::string& text);
  // `texts` inserted so that the first becomes line `first`; false when
  // the data would have too many lines.
  bool InsertLines(int first, const std::vector<std::string>& texts, const QString& what);
  // Lines removed (ascending, distinct).
  void RemoveLines(const std::vector<int>& lines);

 private:
  friend class LineStep;
  // A change of the curation that is not one of this history's own steps
  // becomes a step.
  void StudyChanged();
  // Runs `apply` on the study as a step of this history.
  template <typename Apply>
  void Applying(Apply&& apply) {
    applying_ = true;
    apply();
    applying_ = false;
    curation_ = study_.curation();
  }

  analysis::Study& study_;
  QUndoStack stack_;
  analysis::CurationState curation_;
  std::vector<std::string> savedLines_;
  bool applying_ = false;
  int listener_ = 0;
};

}  // namespace orniva::ui
