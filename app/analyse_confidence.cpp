// orniva-analyse: how far a stress result can be trusted (bootstrap
// confidence, leave-one-out influence).
#include <string>

#include "analysis/leave_one_out.h"
#include "analysis/stress_bootstrap.h"
#include "app/analyse_commands.h"

namespace orniva::analyse {

namespace {

using analysis::CsvReport;
using analysis::Study;

// --iterate and --method, as every command that inverts takes them.
std::map<std::string, std::vector<std::string>> InversionOptions() {
  std::vector<std::string> methods;
  for (const analysis::StressMethod method : analysis::kStressMethods)
    methods.push_back(analysis::StressMethodName(method));
  return {{"--iterate", {}}, {"--method", methods}};
}

void ChooseInversion(Study& study, const Options& options) {
  study.SetIterate(options.count("--iterate") > 0);
  const auto method = options.find("--method");
  if (method != options.end()) study.SetMethod(*analysis::StressMethodNamed(method->second));
}

const std::string* Given(const Options& options, const std::string& name) {
  const auto found = options.find(name);
  return found == options.end() ? nullptr : &found->second;
}

CsvReport Bootstrap(Study& study, const Options& options) {
  analysis::BootstrapSettings settings;
  const std::string refusal =
      analysis::ReadBootstrapSettings(Given(options, "--samples"), Given(options, "--confidence"),
                                      Given(options, "--seed"), settings);
  if (!refusal.empty()) return {"", refusal};
  ChooseInversion(study, options);
  const analysis::StressBootstrap bootstrap =
      analysis::BootstrapStress(analysis::SetupOf(study), settings);
  return options.count("--solutions") ? analysis::BootstrapSolutionsCsv(bootstrap)
                                      : analysis::StressBootstrapCsv(bootstrap);
}

CsvReport LeaveOneOut(Study& study, const Options& options) {
  ChooseInversion(study, options);
  return analysis::LeaveOneOutCsv(analysis::LeaveEachOut(analysis::SetupOf(study)));
}

}  // namespace

std::vector<Command> ConfidenceCommands() {
  auto bootstrapOptions = InversionOptions();
  for (const char* name : {"--samples", "--seed", "--confidence"})
    bootstrapOptions[name] = {kAnyValue};
  bootstrapOptions["--solutions"] = {};
  return {{"stress-bootstrap", bootstrapOptions, Bootstrap},
          {"leave-one-out", InversionOptions(), LeaveOneOut}};
}

}  // namespace orniva::analyse
