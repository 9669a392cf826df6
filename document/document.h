// One open data set: the data file's name, its bytes as read (once) or last
// saved, the Study of its data and analyses, the curation with the verdict
// it was opened with, the edits of the data and the curation on an undo
// history, the unsaved state, and saving. The window, every results window
// and the command-line tools open, change and save a data file only through
// its document; each document stands alone, so that many can be open at
// once.
//
// Every change is told to the listeners once, after it is whole, with what
// changed (document/notice.h): a view never sees data without their
// curation, or a name without its data.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/study.h"
#include "document/edit_history.h"
#include "document/edits.h"
#include "document/listeners.h"
#include "document/notice.h"
#include "document/opening.h"
#include "document/save_plan.h"

namespace orniva::analysis {
struct StressBootstrap;
}

namespace orniva::document {

class Document {
 public:
  using Listener = Listeners::Listener;

  Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // ---- what is open ----
  // The data file's path as opened or saved as; empty before any.
  const std::string& fileName() const { return fileName_; }
  const analysis::Study& study() const { return study_; }
  // The curation file's verdict when the data file was opened.
  const CurationVerdict& verdict() const { return verdict_; }
  // There are changes of the data or the curation not saved.
  bool modified() const { return !history_.clean(); }
  const EditHistory& history() const { return history_; }

  // ---- opening ----
  // Takes over a data file read by OpenDataFile (not refused): its data,
  // lines, bytes and name, its curation when the verdict is Applied (or
  // OtherData and `applyOtherData`), every datum in use otherwise; an empty
  // history. One notice.
  void Adopt(Opening opening, bool applyOtherData = false);

  // ---- edits, undoable ----
  // Applies `edit` as one step named `text`; false when it is refused
  // (nothing changed).
  bool Do(const Edit& edit, std::string text);
  bool Undo();
  bool Redo();

  // ---- choices, not undoable ----
  void SetScope(int phase);
  void SetChoices(const analysis::AnalysisChoices& choices);
  void SetGivenStress(std::optional<analysis::GivenStress> given);
  // The bootstrap of the inversion `of` (Study::StressKey()); dropped when
  // it is not the present one.
  void SetBootstrap(std::shared_ptr<const analysis::StressBootstrap> bootstrap,
                    analysis::Study::ResultKey of);

  // ---- saving ----
  // What saving to `path` writes: the data file when it is another file
  // or its lines changed (the bytes as read while they did not, else each
  // line and CR LF), then the curation file beside it when there is a
  // curation to keep or already a curation file there.
  SavePlan PlanSave(const std::string& path) const;
  // Writes the plan's files, each atomically, in order; then the document
  // is the plan's data file, saved. Throws FileError (nothing taken over).
  void Save(const SavePlan& plan);

  // ---- listeners ----
  // `listener` is told every change after it is made; the key removes it.
  int AddListener(Listener listener) const;
  void RemoveListener(int key) const;

 private:
  // Runs `change` on the study and tells the listeners what it changed:
  // `bits`, and the inversion and the saved state as they moved.
  template <typename Change>
  void Changing(unsigned bits, Change&& change,
                std::optional<std::vector<int>> curationLines = std::nullopt);
  void Tell(unsigned changes, std::optional<std::vector<int>> curationLines = std::nullopt) const;
  bool LinesAsRead() const;

  std::string fileName_;
  analysis::Study study_;
  CurationVerdict verdict_;
  std::optional<std::string> bytes_;  // the data file's bytes as read or saved, when kept
  std::string sha256_;                // of the data file's bytes as read or saved
  EditHistory history_;
  mutable Listeners listeners_;
};

}  // namespace orniva::document
