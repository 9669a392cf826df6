#include "document/document.h"

#include <utility>

#include "data/curation.h"
#include "platform/file_identity.h"

namespace orniva::document {

using analysis::CurationState;
using Kind = CurationVerdict::Kind;

Document::Document() = default;

template <typename Change>
void Document::Changing(unsigned bits, Change&& change,
                        std::optional<std::vector<int>> curationLines) {
  const bool wasModified = modified();
  const std::uint64_t generation = study_.generation();
  const analysis::Study::ResultKey stress = study_.StressKey();
  const int scope = study_.scope();
  change();
  if (study_.generation() == generation) return;  // nothing changed
  if (study_.StressKey() != stress) bits |= kInversionChanged;
  if (study_.scope() != scope) bits |= kScopeChanged;
  if (modified() != wasModified) bits |= kSavedStateChanged;
  Tell(bits, (bits & kScopeChanged) ? std::nullopt : std::move(curationLines));
}

void Document::Adopt(Opening opening, bool applyOtherData) {
  const bool wasModified = modified();
  const bool apply = opening.curation.kind == Kind::Applied ||
                     (opening.curation.kind == Kind::OtherData && applyOtherData);
  CurationState curation =
      apply ? std::move(opening.curation.curation) : CurationState::Empty(opening.data.count());
  study_.Replace(std::move(opening.data), std::move(opening.lines), std::move(curation));
  unsigned bits =
      kDataReplaced | kCurationChanged | kScopeChanged | kInversionChanged | kResultChanged;
  if (opening.path != fileName_) bits |= kFileNameChanged;
  if (wasModified) bits |= kSavedStateChanged;
  fileName_ = std::move(opening.path);
  bytes_ = std::move(opening.bytes);
  sha256_ = std::move(opening.sha256);
  verdict_ = std::move(opening.curation);
  history_.Clear();
  Tell(bits);
}

bool Document::Do(const Edit& edit, std::string text) {
  std::optional<Edit> undo;
  const std::uint64_t generation = study_.generation();
  Changing(
      edit.changes(),
      [&] {
        undo = Apply(edit, study_);
        if (undo && study_.generation() != generation)
          history_.Push({edit, std::move(*undo), std::move(text)});
      },
      edit.curationLines());
  return undo.has_value();
}

bool Document::Undo() {
  if (!history_.canUndo()) return false;
  const EditHistory::Step& step = history_.undoStep();
  Changing(
      step.undo.changes(),
      [&] {
        Apply(step.undo, study_);
        history_.SteppedBack();
      },
      step.undo.curationLines());
  return true;
}

bool Document::Redo() {
  if (!history_.canRedo()) return false;
  const EditHistory::Step& step = history_.redoStep();
  Changing(
      step.redo.changes(),
      [&] {
        Apply(step.redo, study_);
        history_.SteppedForward();
      },
      step.redo.curationLines());
  return true;
}

void Document::SetScope(int phase) {
  Changing(kScopeChanged, [&] { study_.SetScope(phase); });
}

void Document::SetChoices(const analysis::AnalysisChoices& choices) {
  Changing(kChoicesChanged, [&] { study_.SetChoices(choices); });
}

void Document::SetGivenStress(std::optional<analysis::GivenStress> given) {
  Changing(kChoicesChanged, [&] { study_.SetGivenStress(given); });
}

void Document::SetBootstrap(std::shared_ptr<const analysis::StressBootstrap> bootstrap,
                            analysis::Study::ResultKey of) {
  Changing(kResultChanged, [&] { study_.SetBootstrap(std::move(bootstrap), of); });
}

// The lines are those the kept bytes (or the hash) are of.
bool Document::LinesAsRead() const { return !history_.ChangedSinceClean(kLinesEdited); }

SavePlan Document::PlanSave(const std::string& path) const {
  SavePlan plan;
  plan.dataPath = path;
  const bool asRead = LinesAsRead();
  const std::string sha256 = sha256_.empty() && bytes_ ? Sha256Of(*bytes_) : sha256_;
  if (asRead && !fileName_.empty() && SameFile(path, fileName_)) {
    plan.dataSha256 = sha256;
    plan.dataBytes = bytes_;
  } else {
    std::string bytes = asRead && bytes_ ? *bytes_ : LinesText(study_.lines());
    plan.dataSha256 = asRead && bytes_ ? sha256 : Sha256Of(bytes);
    if (bytes.size() <= kMaxKeptBytes) plan.dataBytes = bytes;
    plan.files.push_back({path, std::move(bytes)});
  }
  const Curation curation = study_.curation().ToFile();
  const std::string curationPath = CurationPathFor(path);
  if (!curation.empty() || !curation.unknown.empty() || RegularFileAt(curationPath))
    plan.files.push_back({curationPath, CurationText(curation, FileNameOf(path),
                                                     study_.data().count(), plan.dataSha256)});
  return plan;
}

void Document::Save(const SavePlan& plan) {
  const unsigned bits = WriteSavePlan(plan, fileName_, modified());
  fileName_ = plan.dataPath;
  bytes_ = plan.dataBytes;
  sha256_ = plan.dataSha256;
  history_.MarkClean();
  if (bits) Tell(bits);
}

int Document::AddListener(Listener listener) const { return listeners_.Add(std::move(listener)); }

void Document::RemoveListener(int key) const { listeners_.Remove(key); }

void Document::Tell(unsigned changes, std::optional<std::vector<int>> curationLines) const {
  Notice notice;
  notice.changes = changes;
  if (notice.has(kCurationChanged)) notice.curationLines = std::move(curationLines);
  listeners_.Tell(notice);
}

}  // namespace orniva::document
