// The one owner of a loaded data set's analyses: the data, the user's
// choices about them, and each analysis's result, computed once per change
// of what it depends on. The window, its results windows and the
// command-line tools all read one Study; choices change only through it,
// and every view that listens is told of each change.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "analysis/choices.h"
#include "analysis/kinematics.h"
#include "analysis/stress_inversion.h"
#include "analysis/stress_methods.h"
#include "data/fault_data.h"

namespace orniva::analysis {

class Study {
 public:
  using Listener = std::function<void()>;
  // What a result was computed from: the data's generation and the revision
  // of the choices it depends on.
  using ResultKey = std::pair<std::uint64_t, std::uint64_t>;

  // The data, for the reader to fill; tell DataReplaced() once they are.
  FaultSet& data() { return data_; }
  const FaultSet& data() const { return data_; }
  // New data were loaded: every fault is back in the inversion.
  void DataReplaced();

  const AnalysisChoices& choices() const { return choices_; }
  // By line (index 0 unused): the faults in the inversion; empty: all.
  void SetUse(std::vector<bool> use);
  void SetMethod(StressMethod method);
  void SetIterate(bool on);
  void SetDensity(DensityOf of, DensityMethod method);
  void SetDihedraPlanes(bool on);
  void SetEveryMethod(bool on);
  void SetTendency(const TendencyChoice& tendency);
  void SetChoices(const AnalysisChoices& choices);

  // Different after every change of the data or of a choice.
  std::uint64_t generation() const { return data_.generation() * 0x9E3779B97F4A7C15u + revision_; }

  // The results, computed when first asked for after a change.
  const KinematicsResult& Kinematics() const;
  // The inversion by the chosen method.
  const StressResult& Stress() const;
  // The inversion by every method, in the order of kStressMethods, with the
  // same faults and iterative option; kept like Stress().
  const std::array<StressResult, 5>& StressByEveryMethod() const;
  // The same key as long as Stress() would give the same result.
  ResultKey StressKey() const { return {data_.generation(), stressRevision_}; }
  // By line (index 0 unused): the data every analysis reads, those in use
  // and in the chosen scope; null: every datum that passed its checks.
  const std::vector<bool>* InUse() const;
  // How many inversions this study has computed.
  int stressRuns() const { return stressRuns_; }

  // `listener` is called after every change; the returned key removes it.
  // Listening does not change the study.
  int AddListener(Listener listener) const;
  void RemoveListener(int key) const;

 private:
  void Changed(bool stressChoice);

  FaultSet data_;
  AnalysisChoices choices_;
  std::uint64_t revision_ = 0;  // bumped by every change of a choice
  std::uint64_t stressRevision_ = 0;
  // What each result was computed from: the data's generation, and for the
  // inversion also stressRevision_.
  mutable std::optional<std::uint64_t> kinematicsOf_;
  mutable std::optional<ResultKey> stressOf_, everyMethodOf_;
  mutable std::array<StressResult, 5> everyMethod_;
  mutable KinematicsResult kinematics_;
  mutable StressResult stress_;
  mutable int stressRuns_ = 0;
  mutable std::map<int, Listener> listeners_;
  mutable int nextListener_ = 0;
};

}  // namespace orniva::analysis
