// orniva-analyse: the analyses on the command line. Loads one fault-slip
// data file as the window does (VORN.log beside it) and writes one report as
// CSV to standard output.
//
// Exit status: 0 when the report was written; 2 for bad arguments, a data
// file that cannot be read or has too many lines, and data that cannot be
// analysed (the reason on standard error, one line).

#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "analysis/kinematics.h"
#include "app/cli_support.h"

namespace {

using orniva::FaultSet;
using orniva::analysis::CsvReport;
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
    "\n"
    "  -h, --help           show this help and exit\n"
    "\n"
    "Exit status: 0 when the report was written, 2 on bad arguments, an\n"
    "unreadable data file, more than 32760 lines or no usable data.\n";

// One command: its name, the options it takes (flags without values) and
// the report it makes.
struct Command {
  const char* name;
  std::vector<std::string> flags;
  std::function<CsvReport(const FaultSet&, const std::vector<std::string>& flags)> report;
};

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"kinematics", {}, [](const FaultSet& d, const auto&) { return orniva::analysis::KinematicsCsv(d); }},
      {"bingham", {}, [](const FaultSet& d, const auto&) { return orniva::analysis::BinghamCsv(d); }},
  };
  return commands;
}

const Command* Find(const std::string& name) {
  for (const Command& command : Commands())
    if (name == command.name) return &command;
  return nullptr;
}

void Report(const std::string& line) { orniva::cli::Report(kProgram, line); }

int Run(const std::vector<std::string>& args) {
  for (const std::string& arg : args)
    if (arg == "-h" || arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    }
  if (args.size() < 2) {
    Report("expected DATAFILE and COMMAND (see --help)");
    return kFailure;
  }
  const Command* command = Find(args[1]);
  if (!command) {
    Report("unknown command '" + args[1] + "' (see --help)");
    return kFailure;
  }
  std::vector<std::string> flags;
  for (std::size_t i = 2; i < args.size(); ++i) {
    bool known = false;
    for (const std::string& flag : command->flags) known = known || flag == args[i];
    if (!known) {
      Report("unknown option '" + args[i] + "' for " + command->name);
      return kFailure;
    }
    flags.push_back(args[i]);
  }
  FaultSet data;
  if (!orniva::cli::LoadDataFile(kProgram, args[0], data)) return kFailure;
  const CsvReport report = command->report(data, flags);
  if (!report.error.empty()) {
    Report(args[0] + ": " + report.error);
    return kFailure;
  }
  std::fwrite(report.text.data(), 1, report.text.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : kFailure;
}

}  // namespace

int main(int argc, char* argv[]) {
  orniva::cli::StderrMessages messages;
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    Report(error.what());
    return kFailure;
  }
}
