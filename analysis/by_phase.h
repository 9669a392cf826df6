// A report run on each phase of the curation in turn: one table whose rows
// are led by the name of the phase they come from, as orniva-analyse
// writes it with --by-subset and the Each Phase in Turn window shows it.
// Every phase that can be analysed gives its rows; one that cannot (too
// few faults, none in use) gives one row, its reason in the first column
// after the phase's name, and a note. The run is refused only when no
// phase gave a result.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/report_format.h"
#include "analysis/report_table.h"
#include "analysis/study.h"

namespace orniva::analysis {

// The refusal of a curation without phases.
inline constexpr const char* kNoPhases = "the curation has no phases";
// The error of a run cancelled before its end.
inline constexpr const char* kByPhaseCancelled = "cancelled";

// A report of the data the study's analyses read (its scope).
using StudyTable = std::function<ReportTable(Study&)>;

// What a run may be told and asked between phases: `cancel` stops it,
// `phaseDone` hears how many of how many phases are done.
struct ByPhaseControl {
  const std::atomic<bool>* cancel = nullptr;
  std::function<void(int done, int count)> phaseDone;
};

// `report` for each phase of the study's curation in turn, its `columns`
// led by "subset" (a Text cell of the phase's name). A phase's refusal (or
// a result with a number that is not finite) is a row (the name, the
// reason, empty cells) and a note "phase NAME: reason"; the notes of the
// report itself are kept, led the same way.
// Refused: kNoPhases, kByPhaseCancelled, or no phase with a result. The
// study's scope is set to each phase and back to what it was.
ReportTable ByPhaseTable(Study& study, const StudyTable& report,
                         const std::vector<std::string>& columns,
                         const ByPhaseControl& control = {});
// The same of any groups of data by name (the sets of an orientation
// table): `report` of group k (0-based) of `names`; none: cancelled.
using NamedTable = std::function<std::optional<ReportTable>(std::size_t)>;
ReportTable ByNameTable(const std::vector<std::string>& names, const NamedTable& report,
                        const std::vector<std::string>& columns);

// The data that passed their checks and are switched off, of those in the
// study's scope (every datum, or those of the phase): what "Switched out"
// counts, not the data of other phases.
int SwitchedOffInScope(const Study& study);

// A study of the same data, curation, scope, choices and given stress that
// shares nothing with `study` (no listeners, no results yet): one to work
// on in another thread.
std::unique_ptr<Study> DetachedStudy(const Study& study);

// The fields of one CSV row: quotes around a field removed and doubled
// quotes within it made one.
std::vector<std::string> CsvFields(const std::string& row);

}  // namespace orniva::analysis
