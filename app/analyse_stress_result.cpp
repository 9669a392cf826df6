// orniva-analyse: the reports that read a stress result beyond its axes,
// and the given stress (--stress) that any of them may read instead of the
// inversion.
#include <string>

#include "analysis/given_stress.h"
#include "analysis/mohr.h"
#include "analysis/stress_methods.h"
#include "app/analyse_commands.h"

namespace orniva::analyse {

namespace {

using analysis::StressResult;

// --method with every method's name, --iterate and --stress.
std::map<std::string, std::vector<std::string>> StressOptions() {
  std::vector<std::string> names;
  for (const analysis::StressMethod method : analysis::kStressMethods)
    names.push_back(analysis::StressMethodName(method));
  return {{"--iterate", {}}, {"--method", names}, {"--stress", {kAnyValue}}};
}

// The study's inversion by --method and --iterate.
const StressResult& Inversion(analysis::Study& study, const Options& options) {
  study.SetIterate(options.count("--iterate") > 0);
  const auto method = options.find("--method");
  if (method != options.end()) study.SetMethod(*analysis::StressMethodNamed(method->second));
  return study.Stress();
}

analysis::CsvReport Mohr(analysis::Study& study, const Options& options) {
  const std::optional<StressResult> given = GivenStressOption(study, options);
  return analysis::MohrCsv(
      analysis::MohrOf(study.data(), given ? *given : Inversion(study, options)));
}

}  // namespace

std::optional<StressResult> GivenStressOption(const analysis::Study& study,
                                              const Options& options) {
  const auto option = options.find("--stress");
  if (option == options.end()) return std::nullopt;
  const std::optional<analysis::GivenStress> given = analysis::GivenStressNamed(option->second);
  if (!given) {
    StressResult refused;
    refused.used = 1;  // the data are not the matter
    refused.error = "--stress needs T1,P1,T3,P3,PHI (five numbers), not '" + option->second + "'";
    return refused;
  }
  return analysis::GivenStressResult(study.data(), *given, study.InUse());
}

std::vector<Command> StressResultCommands() { return {{"mohr", StressOptions(), Mohr}}; }

}  // namespace orniva::analyse
