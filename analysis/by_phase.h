// A report run on each phase of the curation in turn: one CSV whose rows
// are led by the name of the phase they come from, as orniva-analyse
// writes it with --by-subset and the Each Phase in Turn window shows it.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "analysis/report_format.h"
#include "analysis/study.h"

namespace orniva::analysis {

// The refusal of a curation without phases.
inline constexpr const char* kNoPhases = "the curation has no phases";
// The error of a run cancelled before its end.
inline constexpr const char* kByPhaseCancelled = "cancelled";

// A report of the data the study's analyses read (its scope).
using StudyReport = std::function<CsvReport(Study&)>;

// What a run may be told and asked between phases: `cancel` stops it,
// `phaseDone` hears how many of how many phases are done.
struct ByPhaseControl {
  const std::atomic<bool>* cancel = nullptr;
  std::function<void(int done, int count)> phaseDone;
};

// `report` for each phase of the study's curation in turn: the header once,
// led by "subset", then each phase's rows led by its name (quoted as CSV
// fields are). Refused: kNoPhases, or the first phase's refusal as "phase
// NAME: reason". The study's scope is set to each phase and back to what
// it was.
CsvReport ByPhase(Study& study, const StudyReport& report, const ByPhaseControl& control = {});

// A study of the same data, curation, scope, choices and given stress that
// shares nothing with `study` (no listeners, no results yet): one to work
// on in another thread.
std::unique_ptr<Study> DetachedStudy(const Study& study);

// The fields of one CSV row: quotes around a field removed and doubled
// quotes within it made one.
std::vector<std::string> CsvFields(const std::string& row);

}  // namespace orniva::analysis
