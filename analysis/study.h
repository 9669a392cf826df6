// The one owner of a loaded data set's analyses: the data, the user's
// choices about them, and each analysis's result, computed once per change
// of what it depends on. The window, its results windows and the
// command-line tools all read one Study; choices change only through it.
// In the window it belongs to the open document (document/document.h),
// which changes it and tells every view what changed.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/choices.h"
#include "analysis/curation_state.h"
#include "analysis/given_stress.h"
#include "analysis/kinematics.h"
#include "analysis/stress_inversion.h"
#include "analysis/stress_methods.h"
#include "data/fault_data.h"

namespace orniva::analysis {

struct StressBootstrap;  // analysis/stress_bootstrap.h

class Study {
 public:
  // What a result was computed from: the data's generation and the revision
  // of the choices it depends on.
  using ResultKey = std::pair<std::uint64_t, std::uint64_t>;

  // One line of the data file and the user's curation of it.
  struct LineRecord {
    std::string text;
    bool off = false;
    int phase = 0;
    // What the curation file says of the line besides (CurationState::attributes).
    LineAttributes attributes{};
  };

  // The data, for the reader to fill; tell DataReplaced() once they are.
  FaultSet& data() { return data_; }
  const FaultSet& data() const { return data_; }
  // New data were loaded from `lines` (the file's lines, as the data were
  // checked from them; none: the study cannot edit them): every datum is
  // back in use, in no phase, and every analysis reads all data.
  void DataReplaced(std::vector<std::string> lines = {});
  // `data`, checked from `lines`, with `curation` (of as many lines; any
  // other: every datum in use, in no phase), in one change: the data every
  // analysis reads are all, never the data without their curation.
  void Replace(FaultSet data, std::vector<std::string> lines, CurationState curation);

  const AnalysisChoices& choices() const { return choices_; }

  // ---- the curation ----
  const CurationState& curation() const { return curation_; }
  // Replaces the whole curation (one of as many lines as the data).
  void SetCuration(CurationState curation);
  // Switches `lines` off or back on.
  void SetOff(const std::vector<int>& lines, bool off);
  // Puts `lines` into phase `phase` (0: out of every phase).
  void SetPhaseOf(const std::vector<int>& lines, int phase);
  // Phase k (1-based) renamed and recoloured.
  void SetPhaseInfo(int phase, PhaseInfo info);
  // A new phase, holding no data yet; returns its number.
  int AddPhase(PhaseInfo info);
  // A new phase holding no data at number `at` (1 to phases + 1): the
  // phases from `at` on move down one with their data; the data analysed
  // stay those of the same phase.
  void InsertPhase(int at, PhaseInfo info);
  // Phase k deleted: its data are in no phase, later phases move up one
  // with their data, names and colours.
  void RemovePhase(int phase);
  // The data every analysis reads: all data in use (0) or those of one
  // phase (k). Out of range: all data.
  int scope() const { return scope_; }
  void SetScope(int phase);
  // The data in use in the chosen scope, of those that passed their checks.
  int usedCount() const;

  // ---- the data file's lines, edited ----
  // The lines the data were checked from; empty when not known.
  const std::vector<std::string>& lines() const { return lines_; }
  // Line `line` (1 to count) replaced by `text` and checked again.
  void ReplaceLine(int line, std::string text);
  // Each line (1 to count) replaced by its text and checked again, in one
  // change.
  void ReplaceLines(const std::vector<std::pair<int, std::string>>& texts);
  // Each record inserted so that it becomes line `first` (ascending); the
  // data are checked again. Fails (false, nothing changed) when the data
  // would have more than FaultSet::kMaxCount lines.
  bool InsertLines(const std::vector<std::pair<int, LineRecord>>& records);
  // Removes `lines` (ascending, distinct, 1 to count) and returns them as
  // InsertLines puts them back.
  std::vector<std::pair<int, LineRecord>> RemoveLines(const std::vector<int>& lines);
  void SetMethod(StressMethod method);
  void SetIterate(bool on);
  void SetDensity(DensityOf of, DensityMethod method);
  void SetDihedraPlanes(bool on);
  void SetEveryMethod(bool on);
  void SetColourByPhase(bool on);
  void SetTendency(const TendencyChoice& tendency);
  void SetChoices(const AnalysisChoices& choices);

  // Different after every change of the data or of a choice.
  std::uint64_t generation() const { return data_.generation() * 0x9E3779B97F4A7C15u + revision_; }

  // The results, computed when first asked for after a change.
  const KinematicsResult& Kinematics() const;
  // Every datum that passed its checks, as vectors (CollectUsedFaults of
  // all the data), kept while the data stay the same.
  const UsedFaults& EveryFault() const;
  // The inversion by the chosen method.
  const StressResult& Stress() const;
  // The inversion by every method, in the order of kStressMethods, with the
  // same faults and iterative option; kept like Stress().
  const std::array<StressResult, 5>& StressByEveryMethod() const;
  // The same key as long as Stress() would give the same result.
  ResultKey StressKey() const { return {data_.generation(), stressRevision_}; }
  // By line (index 0 unused): the data every analysis reads, those in use
  // and in the chosen scope; null: every datum that passed its checks.
  // A mask made for other data (the reader has re-created them, and
  // DataReplaced() is yet to come) is no mask.
  const std::vector<bool>* InUse() const {
    return inUse_.empty() || inUse_.size() != data_.size() ? nullptr : &inUse_;
  }
  // Different after every change of the curation, the scope or the way the
  // data are coloured.
  std::uint64_t curationRevision() const { return maskRevision_; }
  // The bootstrap confidence of the inversion, kept here so that the window
  // and every figure read the same one. `of` is the StressKey() it was
  // computed for; one computed for another inversion is dropped.
  void SetBootstrap(std::shared_ptr<const StressBootstrap> bootstrap, ResultKey of);
  // The bootstrap of the present inversion; null when none was set for it.
  const StressBootstrap* Bootstrap() const;
  // A stress the user gave (sigma1, sigma3, Phi) that the stress views show
  // the data against instead of the inversion; nullopt: the inversion.
  void SetGivenStress(std::optional<GivenStress> given);
  const std::optional<GivenStress>& givenStress() const { return given_; }
  // What the stress views show: the given stress's result when one is
  // given (kept like Stress()), else Stress().
  const StressResult& StressInView() const;
  // How many inversions this study has computed.
  int stressRuns() const { return stressRuns_; }

 private:
  void Changed(bool stressChoice);
  // The curation or scope changed: the mask is made again, and every
  // analysis follows.
  void CurationChanged();
  // The data were re-created from lines_, the curation kept alongside.
  void DataEdited();

  FaultSet data_;
  AnalysisChoices choices_;
  std::vector<std::string> lines_;
  CurationState curation_ = CurationState::Empty(0);
  int scope_ = 0;
  std::vector<bool> inUse_;     // empty: every datum
  std::uint64_t revision_ = 0;  // bumped by every change of a choice
  std::uint64_t stressRevision_ = 0;
  // What each result was computed from: the data's generation, and for the
  // inversion also stressRevision_.
  std::uint64_t maskRevision_ = 0;  // bumped by every change of the curation or scope
  mutable std::optional<ResultKey> kinematicsOf_;
  mutable std::optional<ResultKey> stressOf_, everyMethodOf_;
  mutable std::array<StressResult, 5> everyMethod_;
  mutable KinematicsResult kinematics_;
  // Every datum's vectors and kinematic axes, each for the data's
  // generation beside it: the kinematics of other data in use pick from
  // them.
  mutable UsedFaults everyFault_;
  mutable std::optional<std::uint64_t> everyFaultOf_;
  mutable std::vector<KinematicAxes> everyAxes_;
  mutable std::optional<std::uint64_t> everyAxesOf_;
  mutable StressResult stress_;
  mutable int stressRuns_ = 0;
  std::shared_ptr<const StressBootstrap> bootstrap_;
  ResultKey bootstrapOf_{};
  std::optional<GivenStress> given_;
  mutable std::optional<ResultKey> givenOf_;
  mutable StressResult givenResult_;
};

}  // namespace orniva::analysis
