// orniva-analyse: slip and dilation tendency of the faults and of every
// plane orientation, under the stress magnitudes the user gives.
#include "analysis/stress_methods.h"
#include "analysis/tendency.h"
#include "app/analyse_commands.h"

namespace orniva::analyse {

namespace {

using analysis::CsvReport;
using analysis::Study;

// --method with every method's name.
std::pair<const std::string, std::vector<std::string>> MethodOption() {
  std::vector<std::string> names;
  for (const analysis::StressMethod method : analysis::kStressMethods)
    names.push_back(analysis::StressMethodName(method));
  return {"--method", names};
}

// The options of both commands.
std::map<std::string, std::vector<std::string>> TendencyOptions() {
  return {{"--magnitudes", {kAnyValue}},
          {"--pore-pressure", {kAnyValue}},
          {"--iterate", {}},
          {"--stress", {kAnyValue}},
          MethodOption()};
}

// The value of option `name`, "" when not given.
std::string ValueOf(const Options& options, const std::string& name) {
  const auto found = options.find(name);
  return found == options.end() ? std::string() : found->second;
}

// The stress whose principal directions the tendencies read: the study's
// inversion with --iterate and --method, or the stress given with --stress.
analysis::StressResult StressDirections(Study& study, const Options& options) {
  if (std::optional<analysis::StressResult> given = GivenStressOption(study, options))
    return std::move(*given);
  study.SetIterate(options.count("--iterate") > 0);
  if (const auto method = options.find("--method"); method != options.end())
    study.SetMethod(*analysis::StressMethodNamed(method->second));
  return study.Stress();
}

// The magnitudes of --magnitudes and --pore-pressure; `error` when refused
// or, for `command`, when an option in `required` is missing.
analysis::ParsedMagnitudes MagnitudesOf(const Options& options, const std::string& command,
                                        const std::vector<std::string>& required) {
  for (const std::string& name : required)
    if (!options.count(name)) return {{}, command + " needs " + name + " (see --help)"};
  return analysis::ParseMagnitudes(ValueOf(options, "--magnitudes"),
                                   ValueOf(options, "--pore-pressure"));
}

CsvReport Tendency(Study& study, const Options& options) {
  const analysis::ParsedMagnitudes magnitudes = MagnitudesOf(options, "tendency", {"--magnitudes"});
  if (!magnitudes.error.empty()) return {{}, magnitudes.error};
  return analysis::TendencyCsv(analysis::FaultTendencies(
      study.data(), study.InUse(), StressDirections(study, options), magnitudes.magnitudes));
}

CsvReport TendencyGrid(Study& study, const Options& options) {
  const analysis::ParsedMagnitudes magnitudes =
      MagnitudesOf(options, "tendency-grid", {"--of", "--magnitudes"});
  if (!magnitudes.error.empty()) return {{}, magnitudes.error};
  return analysis::TendencyGridCsv(StressDirections(study, options), magnitudes.magnitudes,
                                   *analysis::TendencyOfNamed(options.at("--of")));
}

}  // namespace

std::vector<Command> TendencyCommands() {
  std::map<std::string, std::vector<std::string>> gridOptions = TendencyOptions();
  gridOptions["--of"] = {"slip", "dilation"};
  return {{"tendency", TendencyOptions(), Tendency}, {"tendency-grid", gridOptions, TendencyGrid}};
}

}  // namespace orniva::analyse
