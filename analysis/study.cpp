#include "analysis/study.h"

#include <algorithm>
#include <utility>

#include "data/fault_reader.h"

namespace orniva::analysis {

void Study::DataReplaced(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  curation_ = CurationState::Empty(data_.count());
  scope_ = 0;
  CurationChanged();
}

void Study::Replace(FaultSet data, std::vector<std::string> lines, CurationState curation) {
  data_ = std::move(data);
  lines_ = std::move(lines);
  curation_ =
      curation.count() == data_.count() ? std::move(curation) : CurationState::Empty(data_.count());
  scope_ = 0;
  CurationChanged();
}

void Study::SetCuration(CurationState curation) {
  if (curation.count() != data_.count() || curation == curation_) return;
  curation_ = std::move(curation);
  if (scope_ > int(curation_.phases.size())) scope_ = 0;
  CurationChanged();
}

void Study::SetOff(const std::vector<int>& lines, bool off) {
  CurationState next = curation_;
  for (int line : lines)
    if (line >= 1 && line <= next.count()) next.off[std::size_t(line)] = off;
  SetCuration(std::move(next));
}

void Study::SetPhaseOf(const std::vector<int>& lines, int phase) {
  if (phase < 0 || phase > int(curation_.phases.size())) return;
  CurationState next = curation_;
  for (int line : lines)
    if (line >= 1 && line <= next.count()) next.phase[std::size_t(line)] = phase;
  SetCuration(std::move(next));
}

void Study::SetPhaseInfo(int phase, PhaseInfo info) {
  if (phase < 1 || phase > int(curation_.phases.size())) return;
  CurationState next = curation_;
  next.phases[std::size_t(phase - 1)] = std::move(info);
  SetCuration(std::move(next));
}

int Study::AddPhase(PhaseInfo info) {
  InsertPhase(int(curation_.phases.size()) + 1, std::move(info));
  return int(curation_.phases.size());
}

void Study::InsertPhase(int at, PhaseInfo info) {
  if (at < 1 || at > int(curation_.phases.size()) + 1) return;
  CurationState next = curation_;
  next.phases.insert(next.phases.begin() + (at - 1), std::move(info));
  for (int& k : next.phase) k = k >= at ? k + 1 : k;
  if (scope_ >= at) ++scope_;
  SetCuration(std::move(next));
}

void Study::RemovePhase(int phase) {
  if (phase < 1 || phase > int(curation_.phases.size())) return;
  CurationState next = curation_;
  next.phases.erase(next.phases.begin() + (phase - 1));
  for (int& k : next.phase) k = k == phase ? 0 : k > phase ? k - 1 : k;
  if (scope_ == phase) scope_ = 0;
  if (scope_ > phase) --scope_;
  SetCuration(std::move(next));
}

void Study::SetScope(int phase) {
  if (phase < 0 || phase > int(curation_.phases.size())) phase = 0;
  if (phase == scope_) return;
  scope_ = phase;
  CurationChanged();
}

int Study::usedCount() const {
  int n = 0;
  for (int i = 1; i <= data_.count(); ++i)
    n += data_[std::size_t(i)].failedChecks == 0 && (inUse_.empty() || inUse_[std::size_t(i)]);
  return n;
}

void Study::CurationChanged() {
  inUse_.clear();
  if (scope_ != 0 || curation_.offCount() != 0) {
    inUse_.assign(data_.size(), false);
    for (int i = 1; i <= data_.count(); ++i)
      inUse_[std::size_t(i)] = !curation_.off[std::size_t(i)] &&
                               (scope_ == 0 || curation_.phase[std::size_t(i)] == scope_);
  }
  ++maskRevision_;
  Changed(true);
}

void Study::ReplaceLine(int line, std::string text) { ReplaceLines({{line, std::move(text)}}); }

void Study::ReplaceLines(const std::vector<std::pair<int, std::string>>& texts) {
  if (lines_.size() != std::size_t(data_.count())) return;
  bool changed = false;
  for (const auto& [line, text] : texts) {
    if (line < 1 || line > data_.count()) continue;
    lines_[std::size_t(line - 1)] = text;
    FaultSet one;
    one.Recreate(1);
    CheckFaultLines({text}, one);
    AssignColours(one);
    data_[std::size_t(line)] = one[1];
    changed = true;
  }
  if (!changed) return;
  data_.Touch();
  CurationChanged();
}

bool Study::InsertLines(const std::vector<std::pair<int, LineRecord>>& records) {
  if (lines_.size() + records.size() > std::size_t(FaultSet::kMaxCount)) return false;
  for (const auto& [line, record] : records) {
    const std::size_t at = std::size_t(std::clamp(line, 1, int(lines_.size()) + 1));
    if (!curation_.attributes.empty() || !record.attributes.empty()) {
      curation_.attributes.resize(curation_.off.size());
      curation_.attributes.insert(curation_.attributes.begin() + long(at), record.attributes);
    }
    lines_.insert(lines_.begin() + long(at - 1), record.text);
    curation_.off.insert(curation_.off.begin() + long(at), record.off);
    curation_.phase.insert(curation_.phase.begin() + long(at),
                           record.phase <= int(curation_.phases.size()) ? record.phase : 0);
  }
  DataEdited();
  return true;
}

std::vector<std::pair<int, Study::LineRecord>> Study::RemoveLines(const std::vector<int>& lines) {
  std::vector<std::pair<int, LineRecord>> removed;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    const std::size_t line = std::size_t(*it);
    if (line < 1 || line > lines_.size()) continue;
    LineAttributes attributes;
    if (line < curation_.attributes.size()) {
      attributes = std::move(curation_.attributes[line]);
      curation_.attributes.erase(curation_.attributes.begin() + long(line));
    }
    removed.push_back(
        {*it,
         {lines_[line - 1], curation_.off[line], curation_.phase[line], std::move(attributes)}});
    lines_.erase(lines_.begin() + long(line - 1));
    curation_.off.erase(curation_.off.begin() + long(line));
    curation_.phase.erase(curation_.phase.begin() + long(line));
  }
  std::reverse(removed.begin(), removed.end());
  DataEdited();
  return removed;
}

void Study::DataEdited() {
  LoadFaultLines(lines_, data_);
  if (scope_ > int(curation_.phases.size())) scope_ = 0;
  CurationChanged();
}

void Study::SetMethod(StressMethod method) {
  if (method == choices_.method) return;
  choices_.method = method;
  Changed(true);
}

void Study::SetIterate(bool on) {
  if (on == choices_.iterate) return;
  choices_.iterate = on;
  Changed(true);
}

void Study::SetDensity(DensityOf of, DensityMethod method) {
  if (of == choices_.densityOf && method == choices_.densityMethod) return;
  choices_.densityOf = of;
  choices_.densityMethod = method;
  Changed(false);
}

void Study::SetDihedraPlanes(bool on) {
  if (on == choices_.dihedraPlanes) return;
  choices_.dihedraPlanes = on;
  Changed(false);
}

void Study::SetEveryMethod(bool on) {
  if (on == choices_.everyMethod) return;
  choices_.everyMethod = on;
  Changed(false);
}

void Study::SetColourByPhase(bool on) {
  if (on == choices_.colourByPhase) return;
  choices_.colourByPhase = on;
  ++maskRevision_;
  Changed(false);
}

void Study::SetTendency(const TendencyChoice& tendency) {
  if (tendency == choices_.tendency) return;
  choices_.tendency = tendency;
  Changed(false);
}

void Study::SetChoices(const AnalysisChoices& choices) {
  if (choices == choices_) return;
  const bool stressChoice =
      choices.iterate != choices_.iterate || choices.method != choices_.method;
  if (choices.colourByPhase != choices_.colourByPhase) ++maskRevision_;
  choices_ = choices;
  Changed(stressChoice);
}

const UsedFaults& Study::EveryFault() const {
  if (everyFaultOf_ != data_.generation()) {
    everyFault_ = CollectUsedFaults(data_, nullptr);
    everyFaultOf_ = data_.generation();
  }
  return everyFault_;
}

const KinematicsResult& Study::Kinematics() const {
  const ResultKey key{data_.generation(), maskRevision_};
  if (kinematicsOf_ != key) {
    if (everyAxesOf_ != data_.generation()) {
      everyAxes_ = AxesOfEach(EveryFault().faults);
      everyAxesOf_ = data_.generation();
    }
    kinematics_ = KinematicsInUse(EveryFault(), everyAxes_, InUse());
    kinematicsOf_ = key;
  }
  return kinematics_;
}

const StressResult& Study::Stress() const {
  const ResultKey key = StressKey();
  if (stressOf_ != key) {
    stress_ = InvertStress(data_, choices_.method, choices_.iterate, InUse());
    stressOf_ = key;
    ++stressRuns_;
  }
  return stress_;
}

const std::array<StressResult, 5>& Study::StressByEveryMethod() const {
  if (everyMethodOf_ != StressKey()) {
    everyMethod_ = InvertByEveryMethod(data_, choices_.iterate, InUse());
    everyMethodOf_ = StressKey();
  }
  return everyMethod_;
}

void Study::SetGivenStress(std::optional<GivenStress> given) {
  if (given == given_) return;
  given_ = given;
  Changed(true);
}

const StressResult& Study::StressInView() const {
  if (!given_) return Stress();
  if (givenOf_ != StressKey()) {
    givenResult_ = GivenStressResult(data_, *given_, InUse());
    givenOf_ = StressKey();
  }
  return givenResult_;
}

void Study::SetBootstrap(std::shared_ptr<const StressBootstrap> bootstrap, ResultKey of) {
  if (of != StressKey()) return;
  bootstrap_ = std::move(bootstrap);
  bootstrapOf_ = of;
  Changed(false);
}

const StressBootstrap* Study::Bootstrap() const {
  return bootstrapOf_ == StressKey() ? bootstrap_.get() : nullptr;
}

void Study::Changed(bool stressChoice) {
  ++revision_;
  if (stressChoice) ++stressRevision_;
}

}  // namespace orniva::analysis
