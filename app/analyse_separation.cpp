// orniva-analyse: the separation of a mixed population into phases.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include "analysis/separation.h"
#include "app/analyse_commands.h"

namespace orniva::analyse {

namespace {

// The number of `text`, all of it; false when it is none.
bool ReadNumber(const std::string& text, double& value) {
  char* end = nullptr;
  errno = 0;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && errno == 0 && std::isfinite(value);
}

// The whole number of `text`, digits only; false when it is none.
bool ReadCount(const std::string& text, unsigned long long& value) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoull(text.c_str(), &end, 10);
  return errno == 0;
}

// The options of `separate` over the defaults; a value that is no number
// sets `error`, one out of range is the analysis's to refuse.
analysis::SeparationOptions OptionsOf(const Options& given, std::string& error) {
  analysis::SeparationOptions options;
  for (const auto& [name, text] : given) {
    double number = 0;
    unsigned long long count = 0;
    if (name == "--cut" || name == "--width") {
      if (!ReadNumber(text, number)) error = name + ": '" + text + "' is not a number";
      (name == "--cut" ? options.cut : options.width) = number;
    } else if (name != "--assignments") {
      if (!ReadCount(text, count)) error = name + ": '" + text + "' is not a whole number";
      if (name == "--seed") options.seed = count;
      if (name == "--max-phases")
        options.maxPhases = int(std::min<unsigned long long>(count, INT_MAX));
      if (name == "--candidates")
        options.candidates = std::int64_t(std::min<unsigned long long>(count, LLONG_MAX));
    }
  }
  return options;
}

analysis::CsvReport Separate(analysis::Study& study, const Options& given) {
  std::string error;
  const analysis::SeparationOptions options = OptionsOf(given, error);
  if (!error.empty()) return {"", error};
  const analysis::SeparationResult result =
      analysis::SeparatePhases(study.data(), options, study.InUse());
  return given.count("--assignments") ? analysis::SeparationAssignmentsCsv(result)
                                      : analysis::SeparationCsv(result);
}

}  // namespace

std::vector<Command> SeparationCommands() {
  return {{"separate",
           {{"--assignments", {}},
            {"--max-phases", {kAnyValue}},
            {"--cut", {kAnyValue}},
            {"--width", {kAnyValue}},
            {"--candidates", {kAnyValue}},
            {"--seed", {kAnyValue}}},
           Separate}};
}

}  // namespace orniva::analyse
