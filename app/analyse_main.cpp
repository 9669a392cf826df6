// orniva-analyse: the analyses on the command line. Loads one fault-slip
// data file as the window does (VORN.log beside it) and writes one report as
// CSV to standard output.
//
// Exit status: 0 when the report was written; 2 for bad arguments, a data
// file that cannot be read or has too many lines, and data that cannot be
// analysed (the reason on standard error, one line).

#include <array>
#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/by_phase.h"
#include "analysis/density.h"
#include "analysis/dihedra.h"
#include "analysis/kinematics.h"
#include "analysis/stress_inversion.h"
#include "analysis/stress_methods.h"
#include "analysis/stress_summary.h"
#include "analysis/study.h"
#include "app/analyse_commands.h"
#include "app/cli_support.h"
#include "app/data_scope.h"

namespace {

using orniva::analyse::Command;
using orniva::analyse::Options;
using orniva::analysis::CsvReport;
using orniva::analysis::Study;
using orniva::cli::kFailure;

constexpr const char* kProgram = "orniva-analyse";

constexpr const char* kUsage =
    "Usage: orniva-analyse DATAFILE COMMAND [OPTIONS]\n"
    "\n"
    "Analyses the fault-slip data of DATAFILE and writes the report as CSV\n"
    "(a header row, '.' decimals, angles with 2 decimals, other values with 4)\n"
    "to standard output. The data file is checked as in the window: VORN.log\n"
    "is written beside it, and only data that passed every check are used.\n"
    "\n"
    "Commands:\n"
    "  kinematics           per datum: misfit and the P, T and B axes\n"
    "  bingham              the Linked Bingham axes T, B, P and eigenvalues\n"
    "  density --of poles|p|t|striations --method kamb|one-percent\n"
    "                       density of the directions on the report grid\n"
    "                       (trend 0-355, plunge 0-85 in steps of 5, then 0/90)\n"
    "  dihedra              right dihedra: per cent of the faults whose\n"
    "                       compressional dihedron holds each grid direction\n"
    "  stress [--iterate]   stress inversion (Michael 1984): the principal axes,\n"
    "                       Phi, R, the mean misfit angle and the faults used\n"
    "  misfit-angles [--iterate]\n"
    "                       per datum used: the misfit angle beta\n"
    "  stress-summary [--iterate] [--method M]\n"
    "                       the inversion's axes, Phi, R' and its regime, the\n"
    "                       World Stress Map regime, SHmax, SHmin, mean misfit\n"
    "  stress-methods [--iterate]\n"
    "                       the same by every method, with each one's angular\n"
    "                       distance Theta to Michael's result\n"
    "  --method M           for stress, misfit-angles and stress-summary: michael\n"
    "                       (the default), shan, fry, yamaji-sato or angelier\n"
    "                       (Angelier's S4 minimum); --iterate is Michael's\n"
    "  mohr [--iterate] [--method M] [--stress T1,P1,T3,P3,PHI]\n"
    "                       per datum used, in Angelier's normalisation: the\n"
    "                       normal stress (compression positive), the shear\n"
    "                       stress, its component along the slip, RUP and ANG\n"
    "  tendency --magnitudes S1,S2,S3 [--pore-pressure PF]\n"
    "                       per datum used: normal and shear stress, the slip\n"
    "                       tendency Ts and Ts' and the dilation tendency Td\n"
    "  tendency-grid --of slip|dilation --magnitudes S1,S2,S3 [--pore-pressure PF]\n"
    "                       Ts' or Td of the plane whose pole is each grid node\n"
    "  --stress T1,P1,T3,P3,PHI\n"
    "                       for misfit-angles, mohr, tendency and tendency-grid:\n"
    "                       sigma1's and sigma3's trend and plunge and Phi\n"
    "                       instead of the inversion\n"
    "  stress-bootstrap [--samples B] [--seed S] [--confidence C] [--solutions]\n"
    "                       bootstrap confidence (defaults 2000, 1, 0.95): the\n"
    "                       ranges of Phi, R' and SHmax and the radius Theta;\n"
    "                       --solutions: every kept resample's axes\n"
    "  leave-one-out        per datum used: Theta to the result without it and\n"
    "                       its beta under that result\n"
    "  separate [--assignments] [--max-phases K] [--cut DEG] [--width DEG]\n"
    "           [--candidates M] [--seed S]\n"
    "                       phases proposed in a mixed population; with\n"
    "                       --assignments each datum's phase\n"
    "  select --window T1,T2,P1,P2 | --cone T,P,A [--of poles|striations|p|t]\n"
    "                       the lines whose direction lies in the window or cone\n"
    "  rose --of strike|dip-direction|trend [--bin W]\n"
    "                       counts per bin of W degrees (default 10)\n"
    "  back-tilt --bedding DD,DIP [--fraction F]\n"
    "                       the data turned until the bedding is horizontal\n"
    "  tilt-test --bedding DD,DIP\n"
    "                       inverted at back-tilt fractions 0 to 1.25\n"
    "\n"
    "Options of every command:\n"
    "  --lines LIST         only these lines, e.g. 1-25,30\n"
    "  --subset NAME        only the data of phase NAME of the curation\n"
    "  --by-subset          the report for each phase in turn, with a leading\n"
    "                       subset column\n"
    "  --curation FILE      the curation file (default: DATAFILE.orniva.json\n"
    "                       when there is one): faults switched off, phases\n"
    "\n"
    "  -h, --help           show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "Every message on standard error names the data file it is about.\n"
    "Exit status: 0 when the report was written, 2 on bad arguments, an\n"
    "unreadable data file, more than 32760 lines or no usable data.\n";

// The values were checked against the command's table.
CsvReport Density(Study& study, const Options& options) {
  return orniva::analysis::DensityCsv(
      study.data(), *orniva::analysis::DensityOfNamed(options.at("--of")),
      *orniva::analysis::DensityMethodNamed(options.at("--method")), study.InUse());
}

// --method of a command that inverts, with every method's name.
std::pair<const std::string, std::vector<std::string>> MethodOption() {
  std::vector<std::string> names;
  for (const orniva::analysis::StressMethod method : orniva::analysis::kStressMethods)
    names.push_back(orniva::analysis::StressMethodName(method));
  return {"--method", names};
}

// The inversion's choices of a command that inverts: --iterate and --method.
void ChooseInversion(Study& study, const Options& options) {
  study.SetIterate(options.count("--iterate") > 0);
  const auto method = options.find("--method");
  if (method != options.end())
    study.SetMethod(*orniva::analysis::StressMethodNamed(method->second));
}

CsvReport StressMethods(Study& study, const Options& options) {
  ChooseInversion(study, options);
  const std::array<orniva::analysis::StressResult, 5> results = study.StressByEveryMethod();
  const CsvReport report = orniva::analysis::StressMethodsCsv(results);
  const std::string warning = orniva::analysis::MethodsDisagreement(results);
  if (report.error.empty() && !warning.empty())
    orniva::cli::Report(kProgram, "warning: " + warning);
  return report;
}

std::vector<Command> FirstCommands() {
  return {
      {"kinematics",
       {},
       [](Study& s, const Options&) { return orniva::analysis::KinematicsCsv(s.Kinematics()); }},
      {"bingham",
       {},
       [](Study& s, const Options&) { return orniva::analysis::BinghamCsv(s.Kinematics()); }},
      {"density",
       {{"--of", {"poles", "p", "t", "striations"}}, {"--method", {"kamb", "one-percent"}}},
       Density,
       true},
      {"dihedra",
       {},
       [](Study& s, const Options&) { return orniva::analysis::DihedraCsv(s.data(), s.InUse()); }},
      {"stress",
       {{"--iterate", {}}, MethodOption()},
       [](Study& s, const Options& o) {
         ChooseInversion(s, o);
         return orniva::analysis::StressCsv(s.Stress());
       }},
      {"misfit-angles",
       {{"--iterate", {}}, MethodOption(), {"--stress", {orniva::analyse::kAnyValue}}},
       [](Study& s, const Options& o) {
         if (const auto given = orniva::analyse::GivenStressOption(s, o))
           return orniva::analysis::MisfitAnglesCsv(*given);
         ChooseInversion(s, o);
         return orniva::analysis::MisfitAnglesCsv(s.Stress());
       }},
      {"stress-summary",
       {{"--iterate", {}}, MethodOption()},
       [](Study& s, const Options& o) {
         ChooseInversion(s, o);
         return orniva::analysis::StressSummaryCsv(s.Stress(), s.choices().method);
       }},
      {"stress-methods", {{"--iterate", {}}}, StressMethods},
  };
}

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = [] {
    std::vector<Command> all = FirstCommands();
    for (auto family : {orniva::analyse::StressResultCommands, orniva::analyse::ConfidenceCommands,
                        orniva::analyse::SeparationCommands, orniva::analyse::GeometryCommands,
                        orniva::analyse::TendencyCommands})
      for (Command& command : family()) all.push_back(std::move(command));
    return all;
  }();
  return commands;
}

const Command* Find(const std::string& name) {
  for (const Command& command : Commands())
    if (name == command.name) return &command;
  return nullptr;
}

void Report(const std::string& line) { orniva::cli::Report(kProgram, line); }

// The values option `name` of `command` allows: its own options, then those
// of every command; none for an unknown option.
const std::vector<std::string>* AllowedValues(const Command& command, const std::string& name) {
  using orniva::analyse::kAnyValue;
  static const std::map<std::string, std::vector<std::string>> kEveryCommand = {
      {"--lines", {kAnyValue}},
      {"--subset", {kAnyValue}},
      {"--by-subset", {}},
      {"--curation", {kAnyValue}}};
  for (const auto* table : {&command.options, &kEveryCommand})
    if (const auto known = table->find(name); known != table->end()) return &known->second;
  return nullptr;
}

// Reads the options after COMMAND ("--name value", "--name=value" or a
// flag); returns an error line, empty when fine.
std::string ParseOptions(const Command& command, const std::vector<std::string>& args,
                         Options& options) {
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::size_t equals = args[i].find('=');
    const std::string name = args[i].substr(0, equals);
    const std::vector<std::string>* values = AllowedValues(command, name);
    if (!values) return "unknown option '" + args[i] + "' for " + command.name;
    std::string value;
    if (values->empty() && equals != std::string::npos)
      return "option '" + name + "' takes no value";
    if (!values->empty()) {
      if (equals != std::string::npos) {
        value = args[i].substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        return "option '" + name + "' needs a value";
      }
      bool allowed = *values == std::vector<std::string>{orniva::analyse::kAnyValue};
      for (const std::string& v : *values) allowed = allowed || v == value;
      if (!allowed) return "unknown value '" + value + "' for " + name;
    }
    options[name] = value;
  }
  if (command.allRequired)
    for (const auto& [name, values] : command.options)
      if (!options.count(name))
        return std::string(command.name) + " needs " + name + " (see --help)";
  return {};
}

orniva::cli::ScopeOptions ScopeOf(const Options& options) {
  orniva::cli::ScopeOptions scope;
  auto value = [&options](const char* name) -> std::optional<std::string> {
    const auto found = options.find(name);
    if (found == options.end()) return std::nullopt;
    return found->second;
  };
  scope.lines = value("--lines");
  scope.subset = value("--subset");
  scope.curation = value("--curation");
  scope.bySubset = options.count("--by-subset") > 0;
  return scope;
}

// Loads the data file at `path` and writes the command's report.
int Analyse(const std::string& path, const Command& command, const Options& options) {
  try {
    Study study;
    const orniva::cli::ScopeOptions scope = ScopeOf(options);
    const auto verdict = orniva::cli::LoadDataFile(kProgram, path, scope.curation, study);
    if (!verdict) return kFailure;
    const std::string refused = orniva::cli::ApplyScope(
        *verdict, scope, study, [](const std::string& line) { Report(line); });
    if (!refused.empty()) {
      Report(refused);
      return kFailure;
    }
    const auto reportOf = [&command, &options](Study& s) { return command.report(s, options); };
    const CsvReport report =
        scope.bySubset ? orniva::analysis::ByPhase(study, reportOf) : reportOf(study);
    if (!report.error.empty()) {
      Report(path + ": " + report.error);
      return kFailure;
    }
    std::fwrite(report.text.data(), 1, report.text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kFailure;
  } catch (const std::exception& error) {
    Report(path + ": " + error.what());
    return kFailure;
  }
}

int Run(const std::vector<std::string>& args) {
  for (const std::string& arg : args)
    if (orniva::cli::IsHelpOrVersion(arg))
      return orniva::cli::ShowHelpOrVersion(kProgram, arg, kUsage);
  if (args.size() < 2) {
    Report("expected DATAFILE and COMMAND (see --help)");
    return kFailure;
  }
  const Command* command = Find(args[1]);
  if (!command) {
    Report("unknown command '" + args[1] + "' (see --help)");
    return kFailure;
  }
  Options options;
  const std::string error = ParseOptions(*command, args, options);
  if (!error.empty()) {
    Report(error);
    return kFailure;
  }
  return Analyse(args[0], *command, options);
}

}  // namespace

int main(int argc, char* argv[]) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    Report(error.what());
    return kFailure;
  }
}
