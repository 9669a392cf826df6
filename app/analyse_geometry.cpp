// orniva-analyse: the geometry tools (selection, rose, back-tilt, tilt test).
#include <optional>
#include <string>
#include <vector>

#include "analysis/geometry.h"
#include "analysis/rose.h"
#include "analysis/rotation.h"
#include "app/analyse_commands.h"

namespace orniva::analyse {

namespace {

using analysis::CsvReport;
using analysis::NumbersOf;
using analysis::Study;

CsvReport Refusal(std::string error) { return {"", std::move(error)}; }

// The value of option `name`, when given.
std::optional<std::string> ValueOf(const Options& options, const char* name) {
  const auto found = options.find(name);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

bool Within(double value, double low, double high) { return value >= low && value <= high; }

// --bedding DD,DIP of `command`, or the error line.
std::optional<analysis::Bedding> BeddingOf(const Options& options, const char* command,
                                           std::string& error) {
  const auto text = ValueOf(options, "--bedding");
  if (!text) {
    error = std::string(command) + " needs --bedding (see --help)";
    return std::nullopt;
  }
  const auto numbers = NumbersOf(*text, 2);
  if (!numbers || !Within((*numbers)[0], 0, 360) || !Within((*numbers)[1], 0, 90)) {
    error = "--bedding needs DD,DIP (dip direction 0 to 360, dip 0 to 90), not '" + *text + "'";
    return std::nullopt;
  }
  return analysis::Bedding{(*numbers)[0], (*numbers)[1]};
}

// --window T1,T2,P1,P2 or --cone T,P,A as a predicate on the study's
// directions; an error line when neither or both are given or one is bad.
CsvReport Select(Study& study, const Options& options) {
  const auto window = ValueOf(options, "--window"), cone = ValueOf(options, "--cone");
  if (window.has_value() == cone.has_value()) return Refusal("select needs --window or --cone");
  const auto of = analysis::DensityOfNamed(ValueOf(options, "--of").value_or("poles"));
  const auto directions = analysis::DirectionsOf(study.data(), study.InUse(), *of);
  if (directions.empty()) return Refusal(analysis::kNoUsableData);
  std::string error;
  if (window) {
    const auto w = analysis::WindowWritten(*window, error);
    if (!w) return Refusal("--window needs " + error);
    return analysis::SelectCsv(analysis::SelectInWindow(directions, *w));
  }
  const auto c = analysis::ConeWritten(*cone, error);
  if (!c) return Refusal("--cone needs " + error);
  return analysis::SelectCsv(analysis::SelectInCone(directions, *c));
}

CsvReport Rose(Study& study, const Options& options) {
  const auto of = ValueOf(options, "--of");
  if (!of) return Refusal("rose needs --of (see --help)");
  const std::string bin = ValueOf(options, "--bin").value_or("10");
  const auto width = NumbersOf(bin, 1);
  if (!width || !analysis::ValidRoseBin((*width)[0]))
    return Refusal("--bin needs a width in degrees that divides 360, not '" + bin + "'");
  return analysis::RoseCsv(
      analysis::CountRose(study.data(), study.InUse(), *analysis::RoseOfNamed(*of), (*width)[0]));
}

CsvReport BackTilt(Study& study, const Options& options) {
  std::string error;
  const auto bedding = BeddingOf(options, "back-tilt", error);
  if (!bedding) return Refusal(error);
  const std::string fractionText = ValueOf(options, "--fraction").value_or("1");
  const auto fraction = NumbersOf(fractionText, 1);
  if (!fraction || !Within((*fraction)[0], -2, 2))
    return Refusal("--fraction needs a number from -2 to 2, not '" + fractionText + "'");
  const FaultSet turned =
      analysis::RotateData(study.data(), analysis::BackTiltRotation(*bedding, (*fraction)[0]));
  return analysis::BackTiltCsv(turned, study.InUse());
}

CsvReport TiltTest(Study& study, const Options& options) {
  std::string error;
  const auto bedding = BeddingOf(options, "tilt-test", error);
  if (!bedding) return Refusal(error);
  const auto method = analysis::StressMethodNamed(ValueOf(options, "--method").value_or("michael"));
  return analysis::TiltTestCsv(analysis::TiltTest(study.data(), *bedding, *method,
                                                  options.count("--iterate") > 0, study.InUse()));
}

std::vector<std::string> MethodNames() {
  std::vector<std::string> names;
  for (const analysis::StressMethod method : analysis::kStressMethods)
    names.push_back(analysis::StressMethodName(method));
  return names;
}

}  // namespace

std::vector<Command> GeometryCommands() {
  return {
      {"select",
       {{"--window", {kAnyValue}},
        {"--cone", {kAnyValue}},
        {"--of", {"poles", "striations", "p", "t"}}},
       Select},
      {"rose", {{"--of", {"strike", "dip-direction", "trend"}}, {"--bin", {kAnyValue}}}, Rose},
      {"back-tilt", {{"--bedding", {kAnyValue}}, {"--fraction", {kAnyValue}}}, BackTilt},
      {"tilt-test",
       {{"--bedding", {kAnyValue}}, {"--iterate", {}}, {"--method", MethodNames()}},
       TiltTest},
  };
}

}  // namespace orniva::analyse
