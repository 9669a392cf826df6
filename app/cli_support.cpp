#include "app/cli_support.h"

#include <cstdio>
#include <utility>

#include "data/fault_reader.h"
#include "platform/atomic_file.h"
#include "orniva_version.h"

namespace orniva::cli {

void Report(const char* program, const std::string& line) {
  std::fprintf(stderr, "%s: %s\n", program, line.c_str());
}

void ReportFileError(const char* program, const FileError& error) {
  const char* verb = error.action() == FileError::Action::Read ? "cannot read " : "cannot write ";
  Report(program, verb + error.path() + ": " + error.reason());
}

bool IsHelpOrVersion(const std::string& arg) {
  return arg == "-h" || arg == "--help" || arg == "--version";
}

int ShowHelpOrVersion(const char* program, const std::string& arg, const char* usage) {
  if (arg == "--version")
    std::printf("%s (Orniva) %s\n", program, ORNIVA_VERSION);
  else
    std::fputs(usage, stdout);
  return 0;
}

void ReportMessage(const char* program, const std::string& file, const std::string& text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool lineBreak = text[i] == '\r' || text[i] == '\n';
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    line += lineBreak ? ' ' : text[i];
  }
  Report(program, file + ": " + line);
  std::fflush(stderr);
}

std::optional<document::CurationVerdict> LoadDataFile(const char* program, const std::string& path,
                                                      const ScopeOptions& scope,
                                                      analysis::Study& study) {
  document::OpenOptions options;
  options.curationPath = scope.curation;
  options.readCuration = !scope.noCuration;
  options.keepBytes = false;
  document::Opening opening = document::OpenDataFile(path, options);
  if (opening.error) {
    ReportFileError(program, *opening.error);
    return std::nullopt;
  }
  if (opening.tooManyLines) {
    ReportMessage(program, path, TooManyLinesMessage());
    return std::nullopt;
  }
  if (opening.check.logError)
    ReportFileError(program, *opening.check.logError);  // the data are checked all the same
  else if (opening.check.badFields)
    ReportMessage(program, path, BadFieldsMessage(opening.check));
  study.Replace(std::move(opening.data), std::move(opening.lines), {});
  return std::move(opening.curation);
}

bool WriteOutput(const char* program, const std::string& path, const std::string& bytes) {
  try {
    WriteFileAtomically(path, bytes);
    return true;
  } catch (const FileError& error) {
    ReportFileError(program, error);
    return false;
  }
}

std::optional<std::string> OptionValue(const std::vector<std::string>& args, std::size_t& i) {
  const std::size_t equals = args[i].find('=');
  if (equals != std::string::npos) return args[i].substr(equals + 1);
  if (i + 1 < args.size()) return args[++i];
  return std::nullopt;
}

}  // namespace orniva::cli
