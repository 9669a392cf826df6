// What the command-line tools share: one-line reports on standard error
// under the program's name, and the load of a data file as the window does it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/study.h"
#include "app/data_scope.h"
#include "document/opening.h"
#include "platform/file_error.h"

namespace orniva::cli {

// Exit status of a refused run: bad arguments, unreadable or unusable data,
// an output that cannot be written.
constexpr int kFailure = 2;

// "<program>: <line>" on standard error.
void Report(const char* program, const std::string& line);
// "cannot read <path>: <reason>" or "cannot write ...".
void ReportFileError(const char* program, const FileError& error);

// -h, --help or --version: the arguments that ask for the usage or the
// version and nothing else.
bool IsHelpOrVersion(const std::string& arg);
// Prints `usage`, or for --version "<program> (Orniva) <version>", on
// standard output; returns the exit status 0.
int ShowHelpOrVersion(const char* program, const std::string& arg, const char* usage);

// A message the window shows modally, as one line on standard error that
// names the data file: "<program>: <file>: <message>", the message's lines
// joined by blanks. A batch run over many files can tell which one a
// message is about.
void ReportMessage(const char* program, const std::string& file, const std::string& text);

// Opens `path` as the window does, reading it once: its data checked
// (VORN.log beside it) into `study`, every datum in use, and its curation
// file (the one --curation names, else the one beside it) judged unless
// --no-curation is given. Returns
// the curation file's verdict, to apply with ApplyScope (app/data_scope.h);
// none, after reporting, when the load is refused. A log that cannot be
// written is reported and the load goes on.
std::optional<document::CurationVerdict> LoadDataFile(const char* program, const std::string& path,
                                                      const ScopeOptions& scope,
                                                      analysis::Study& study);

// Writes `bytes` to `path` atomically; false, after reporting the reason
// under `program`'s name, when it cannot.
bool WriteOutput(const char* program, const std::string& path, const std::string& bytes);

// The value of the option args[i]: after its '=', or the next argument
// (which `i` then moves to); none when there is neither.
std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& i);

}  // namespace orniva::cli
