// What the tables of the tools that read a data file share: the options
// of the data chosen, and what the parsed arguments ask of the program.
#include <cstdio>

#include "app/cli_support.h"
#include "app/program_tables.h"

namespace orniva::cli {

std::vector<OptionDeclaration> DataScopeOptions(const std::string& bySubset) {
  OptionDeclaration subset{"--subset", "NAME", ValueKind::Text,
                           {},         {},     "only the data of phase NAME of the curation"};
  subset.notWith = {"--by-subset"};
  OptionDeclaration curation{
      "--curation",
      "FILE",
      ValueKind::Text,
      {},
      {},
      "the curation file (default: DATAFILE.orniva.json when there is one): the "
      "faults switched off and the phases"};
  curation.notWith = {"--no-curation"};
  return {{"--lines",
           "LIST",
           ValueKind::Text,
           {},
           {},
           "only these lines, e.g. 1-25,30 (numbers from 1 to the data's count)"},
          subset,
          {"--by-subset", "", ValueKind::Flag, {}, {}, bySubset},
          curation,
          {"--no-curation",
           "",
           ValueKind::Flag,
           {},
           {},
           "ignore the data file's curation file: every datum in use, no phases"},
          {"--quiet",
           "",
           ValueKind::Flag,
           {},
           {},
           "no progress on standard error (shown during a long run when it is a terminal)"}};
}

ScopeOptions ScopeOf(const Arguments& arguments) {
  ScopeOptions scope;
  scope.lines = arguments.Value("--lines");
  scope.subset = arguments.Value("--subset");
  scope.curation = arguments.Value("--curation");
  scope.bySubset = arguments.Has("--by-subset");
  scope.noCuration = arguments.Has("--no-curation");
  return scope;
}

int ShowInfo(const ProgramTable& program, Arguments::Ask ask) {
  const std::string help = HelpText(program);
  return ShowHelpOrVersion(program.name.c_str(),
                           ask == Arguments::Ask::Version ? "--version" : "--help", help.c_str());
}

}  // namespace orniva::cli
