#include "app/data_scope.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "analysis/by_phase.h"
#include "data/utf8_text.h"

namespace orniva::cli {

namespace {

bool ParseLineNumber(const std::string& text, int count, int& line) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  errno = 0;
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (errno != 0 || value < 1 || value > count) return false;
  line = int(value);
  return true;
}

// The curation file's verdict on the data of `study`.
std::string ApplyCuration(const std::string& dataPath, const document::CurationVerdict& verdict,
                          const ScopeOptions& options, analysis::Study& study,
                          const std::function<void(const std::string&)>& warn) {
  std::string refusal;
  if (!AppliesCuration(verdict, options, refusal, warn)) return refusal;
  study.SetCuration(verdict.curation);
  warn(ApplyingCurationLine(dataPath, verdict, "phase"));
  return {};
}

}  // namespace

bool AppliesCuration(const document::CurationVerdict& verdict, const ScopeOptions& options,
                     std::string& refusal, const std::function<void(const std::string&)>& warn) {
  if (options.noCuration) return false;
  using Kind = document::CurationVerdict::Kind;
  switch (verdict.kind) {
    case Kind::None:
      return false;
    case Kind::Applied:
      return true;
    case Kind::OtherData:
      if (options.curation) break;
      warn("warning: " + verdict.path + ": " + verdict.reason + "; the curation is not applied");
      return false;
    case Kind::Unusable:
      break;
  }
  refusal = verdict.path + ": " + verdict.reason;
  return false;
}

std::string ApplyingCurationLine(const std::string& dataPath,
                                 const document::CurationVerdict& verdict,
                                 const std::string& group) {
  const analysis::CurationState& curation = verdict.curation;
  const std::size_t groups = curation.phases.size();
  return dataPath + ": applying the curation file " + verdict.path + " (" +
         std::to_string(curation.offCount()) + " switched off, " + std::to_string(groups) + " " +
         group + (groups == 1 ? ")" : "s)");
}

std::optional<std::vector<int>> ParseLineList(const std::string& list, int count,
                                              std::string& error) {
  std::vector<bool> chosen(std::size_t(count) + 1, false);
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string item = list.substr(start, comma - start);
    const std::size_t dash = item.find('-');
    int first = 0, last = 0;
    const bool ok = dash == std::string::npos
                        ? ParseLineNumber(item, count, first) && ParseLineNumber(item, count, last)
                        : ParseLineNumber(item.substr(0, dash), count, first) &&
                              ParseLineNumber(item.substr(dash + 1), count, last) && first <= last;
    if (!ok) {
      error = "bad --lines item '" + item + "' (lines 1 to " + std::to_string(count) + ")";
      return std::nullopt;
    }
    for (int line = first; line <= last; ++line) chosen[std::size_t(line)] = true;
    start = comma + 1;
  }
  std::vector<int> lines;
  for (int line = 1; line <= count; ++line)
    if (chosen[std::size_t(line)]) lines.push_back(line);
  return lines;
}

namespace {

// --lines: the data of the other lines switched off; refused when the list
// is bad or keeps no datum in use.
std::string ApplyLines(const std::string& dataPath, const std::string& list,
                       analysis::Study& study) {
  std::string error;
  const auto lines = ParseLineList(list, study.data().count(), error);
  if (!lines) return dataPath + ": " + error;
  std::vector<int> others;
  for (int line = 1, k = 0; line <= study.data().count(); ++line) {
    if (std::size_t(k) < lines->size() && (*lines)[std::size_t(k)] == line)
      ++k;
    else
      others.push_back(line);
  }
  study.SetOff(others, true);
  if (study.usedCount() == 0 && study.data().count() > 0)
    return dataPath + ": no datum of --lines " + list +
           " is in use (each failed a check or is switched off)";
  return {};
}

// Why --by-subset has no phases to run.
std::string NoPhasesReason(const document::CurationVerdict& verdict, const ScopeOptions& options) {
  if (options.noCuration) return "--no-curation leaves no phases";
  if (verdict.kind == document::CurationVerdict::Kind::None)
    return "there is no curation file (" + verdict.path + ") to give phases";
  return analysis::kNoPhases;
}

}  // namespace

std::string ApplyScope(const std::string& dataPath, const document::CurationVerdict& verdict,
                       const ScopeOptions& options, analysis::Study& study,
                       const std::function<void(const std::string&)>& warn) {
  if (std::string error = ApplyCuration(dataPath, verdict, options, study, warn); !error.empty())
    return error;
  if (options.lines)
    if (std::string error = ApplyLines(dataPath, *options.lines, study); !error.empty())
      return error;
  if (options.subset) {
    const std::vector<analysis::PhaseInfo>& phases = study.curation().phases;
    for (std::size_t k = 0; k < phases.size(); ++k)
      if (phases[k].name == *options.subset) study.SetScope(int(k) + 1);
    if (study.scope() == 0)
      return dataPath + ": no phase named '" + PrintableText(*options.subset) + "' in the curation";
  }
  if (options.bySubset && study.curation().phases.empty())
    return dataPath + ": --by-subset: " + NoPhasesReason(verdict, options);
  return {};
}

}  // namespace orniva::cli
