// The command table of orniva-analyse. Each family of reports lives in a
// file of its own and hands its commands to the table through a function
// declared here; analyse_main.cpp parses the arguments against the table,
// loads the data and writes the chosen command's report.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "analysis/report_format.h"
#include "analysis/study.h"

namespace orniva::analyse {

// The options given after COMMAND, by name; a flag has an empty value.
using Options = std::map<std::string, std::string>;

// The one allowed value of an option that takes any value: the command's
// report checks it and refuses a bad one through CsvReport::error.
inline const std::string kAnyValue = "*";

// One command: its name, the options it takes (each with its allowed
// values; an empty list marks a flag, {kAnyValue} any value), whether all
// of them are required, and the report it makes of the study.
struct Command {
  const char* name;
  std::map<std::string, std::vector<std::string>> options;
  std::function<analysis::CsvReport(analysis::Study&, const Options&)> report;
  bool allRequired = false;
};

// The stress given by --stress T1,P1,T3,P3,PHI (sigma1's and sigma3's trend
// and plunge, Phi) against the study's data in use, for a report to read
// instead of the inversion; nullopt without the option. A value that is
// not five numbers, axes more than 1 degree from perpendicular or Phi
// outside [0, 1] give a result whose `error` says so.
std::optional<analysis::StressResult> GivenStressOption(const analysis::Study& study,
                                                        const Options& options);

// The families of commands beyond the first reports.
std::vector<Command> StressResultCommands();
std::vector<Command> ConfidenceCommands();
std::vector<Command> SeparationCommands();
std::vector<Command> GeometryCommands();
std::vector<Command> TendencyCommands();

}  // namespace orniva::analyse
