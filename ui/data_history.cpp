#include "ui/data_history.h"

#include <QUndoCommand>

namespace orniva::ui {

namespace {

using Records = std::vector<std::pair<int, analysis::Study::LineRecord>>;

// A step whose change is already made when it is pushed.
class DoneStep : public QUndoCommand {
 public:
  explicit DoneStep(const QString& text) : QUndoCommand(text) {}
  void redo() final {
    if (done_) return void(done_ = false);
    Redo();
  }
  void undo() final { Undo(); }

 protected:
  virtual void Redo() = 0;
  virtual void Undo() = 0;

 private:
  bool done_ = true;
};

}  // namespace

// One step of the history: the curation from `before` to `after`, or lines
// edited, inserted or removed.
class LineStep : public DoneStep {
 public:
  LineStep(DataHistory& history, const QString& text, std::function<void()> redo,
           std::function<void()> undo)
      : DoneStep(text), history_(history), redo_(std::move(redo)), undo_(std::move(undo)) {}

 protected:
  void Redo() override { history_.Applying(redo_); }
  void Undo() override { history_.Applying(undo_); }

 private:
  DataHistory& history_;
  std::function<void()> redo_, undo_;
};

DataHistory::DataHistory(analysis::Study& study, QObject* parent)
    : QObject(parent), study_(study), curation_(study.curation()) {
  listener_ = study_.AddListener([this] { StudyChanged(); });
}

DataHistory::~DataHistory() { study_.RemoveListener(listener_); }

void DataHistory::Reset() {
  stack_.clear();
  curation_ = study_.curation();
  savedLines_ = study_.lines();
  stack_.setClean();
}

void DataHistory::MarkSaved() {
  savedLines_ = study_.lines();
  stack_.setClean();
}

void DataHistory::StudyChanged() {
  if (applying_ || study_.curation() == curation_) return;
  if (study_.curation().count() != curation_.count()) {  // new data, not an edit
    curation_ = study_.curation();
    return;
  }
  analysis::CurationState before = curation_, after = study_.curation();
  curation_ = after;
  analysis::Study& study = study_;
  stack_.push(new LineStep(
      *this, QStringLiteral("Change of the curation"),
      [&study, after] { study.SetCuration(after); },
      [&study, before] { study.SetCuration(before); }));
}

void DataHistory::ReplaceLine(int line, const std::string& text) {
  if (line < 1 || line > int(study_.lines().size())) return;
  const std::string before = study_.lines()[std::size_t(line - 1)];
  if (before == text) return;
  Applying([&] { study_.ReplaceLine(line, text); });
  analysis::Study& study = study_;
  stack_.push(new LineStep(
      *this, QStringLiteral("Edit of line %1").arg(line),
      [&study, line, text] { study.ReplaceLine(line, text); },
      [&study, line, before] { study.ReplaceLine(line, before); }));
}

bool DataHistory::InsertLines(int first, const std::vector<std::string>& texts,
                              const QString& what) {
  Records records;
  for (std::size_t k = 0; k < texts.size(); ++k)
    records.push_back({first + int(k), {texts[k], false, 0}});
  if (records.empty()) return true;
  bool inserted = false;
  Applying([&] { inserted = study_.InsertLines(records); });
  if (!inserted) return false;
  std::vector<int> lines;
  for (const auto& record : records) lines.push_back(record.first);
  analysis::Study& study = study_;
  stack_.push(new LineStep(
      *this, what, [&study, records] { study.InsertLines(records); },
      [&study, lines] { study.RemoveLines(lines); }));
  return true;
}

void DataHistory::RemoveLines(const std::vector<int>& lines) {
  if (lines.empty()) return;
  Records removed;
  Applying([&] { removed = study_.RemoveLines(lines); });
  analysis::Study& study = study_;
  stack_.push(new LineStep(
      *this, QStringLiteral("Deletion of %1 lines").arg(lines.size()),
      [&study, lines] { study.RemoveLines(lines); },
      [&study, removed] { study.InsertLines(removed); }));
}

}  // namespace orniva::ui
