#include "analysis/study.h"

#include <utility>

namespace orniva::analysis {

void Study::DataReplaced() {
  choices_.use.clear();
  Changed(true);
}

void Study::SetUse(std::vector<bool> use) {
  if (use == choices_.use) return;
  choices_.use = std::move(use);
  Changed(true);
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

void Study::SetTendency(const TendencyChoice& tendency) {
  if (tendency == choices_.tendency) return;
  choices_.tendency = tendency;
  Changed(false);
}

void Study::SetChoices(const AnalysisChoices& choices) {
  if (choices == choices_) return;
  const bool stressChoice = choices.use != choices_.use || choices.iterate != choices_.iterate ||
                            choices.method != choices_.method;
  choices_ = choices;
  Changed(stressChoice);
}

const KinematicsResult& Study::Kinematics() const {
  if (kinematicsOf_ != data_.generation()) {
    kinematics_ = ComputeKinematics(data_);
    kinematicsOf_ = data_.generation();
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

const std::vector<bool>* Study::InUse() const {
  return choices_.use.size() == data_.size() ? &choices_.use : nullptr;
}

int Study::AddListener(Listener listener) const {
  listeners_.emplace(nextListener_, std::move(listener));
  return nextListener_++;
}

void Study::RemoveListener(int key) const { listeners_.erase(key); }

void Study::Changed(bool stressChoice) {
  ++revision_;
  if (stressChoice) ++stressRevision_;
  // A listener may add or remove listeners: call a copy.
  const std::map<int, Listener> listeners = listeners_;
  for (const auto& [key, listener] : listeners) listener();
}

}  // namespace orniva::analysis
