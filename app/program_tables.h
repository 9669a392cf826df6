// The table of each program's commands and options (app/options.h), kept
// apart from the programs so that the tests read the same tables that the
// programs parse their arguments with and print --help from.
#pragma once

#include <vector>

#include "app/data_scope.h"
#include "app/options.h"

namespace orniva::cli {

// orniva-analyse: the report table's reports as its commands, each with
// its options, and the options of every command.
const ProgramTable& AnalyseProgram();
// orniva-plot: the diagrams (--diagram) and the options each one takes.
const ProgramTable& PlotProgram();
// The window program, orniva (VORN): its data files.
const ProgramTable& WindowProgram();
// orniva-import: the conventions of a table, the field apps' sources and
// the options of their conversion.
const ProgramTable& ImportProgram();
// orniva-survey: the survey's outputs and the map's size.
const ProgramTable& SurveyProgram();

// The options of a tool that reads a data file, for every command: the
// data chosen (--lines, --subset, --by-subset with its help `bySubset`),
// the curation file (--curation, --no-curation), and --quiet.
std::vector<OptionDeclaration> DataScopeOptions(const std::string& bySubset);
// The data chosen by those options.
ScopeOptions ScopeOf(const Arguments& arguments);

// Prints the help or the version, as `ask` says, on standard output;
// returns the exit status 0.
int ShowInfo(const ProgramTable& program, Arguments::Ask ask);

}  // namespace orniva::cli
