// orniva-import: a table in one of the common conventions converted to a
// fault-slip data file.
//
// Exit status: 0 when every row converted; 1 when some did not (OUT is
// still written with the others); 2 for bad arguments, an input that cannot
// be read, or an output that cannot be written.

#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/cli_support.h"
#include "data/fault_data.h"
#include "data/import_columns.h"
#include "data/import_conventions.h"
#include "data/import_file.h"
#include "data/import_table.h"
#include "platform/atomic_file.h"
#include "platform/file_error.h"

namespace {

using namespace orniva;

constexpr const char* kProgram = "orniva-import";

constexpr const char* kUsage =
    "Usage: orniva-import IN OUT.fdt [--plane CONVENTION] [--line CONVENTION] [OPTIONS]\n"
    "\n"
    "Converts the rows of the table IN to fault-slip data lines in OUT.fdt.\n"
    "IN may be CSV (quoted fields too) or text split by semicolons, tabs or\n"
    "blanks, in UTF-8, UTF-16 with a byte-order mark or Windows-1252.\n"
    "\n"
    "  --plane dip-direction|strike-rhr|strike-quadrant\n"
    "  --line trend-plunge|pitch-quadrant|rake|rake-360|rake-aki\n"
    "                       default: as the header row's names say (strike,\n"
    "                       dip direction, trend, plunge, pitch, rake, sense ...)\n"
    "  --columns LIST       the 1-based columns that hold the fields in order\n"
    "                       (plane, line, sense), e.g. 2,3,5,6,7; default the\n"
    "                       columns the header names, else all\n"
    "  --header auto|yes|no whether the first row names the columns (auto)\n"
    "  --delimiter auto|comma|semicolon|tab|space\n"
    "  --sense-map CODE=LETTER,...\n"
    "                       more sense codes, e.g. U=R,1=N (N, R, S, D, TL, TR,\n"
    "                       NL or NR)\n"
    "  --default-sense N|R|S|D|X|skip\n"
    "                       the sense of a row without one (X); skip leaves\n"
    "                       such rows out\n"
    "  --decimals N         round the values to N decimals (0 to 9); default\n"
    "                       as many as the reader needs to read them back\n"
    "  -h, --help           show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "Problems go to standard error, one line each, with the input line.\n"
    "Exit status: 0 when every row converted, 1 when some did not (OUT still\n"
    "written with the others), 2 on bad arguments, an unreadable input or an\n"
    "output that cannot be written.\n";

struct Options {
  std::string in, out;
  std::optional<PlaneConvention> plane;
  std::optional<LineConvention> line;
  HeaderChoice header = HeaderChoice::Auto;
  Delimiter delimiter = Delimiter::Auto;
  bool columnsGiven = false;
  ImportSettings settings;  // its conventions set from plane and line
};

void Report(const std::string& line) { orniva::cli::Report(kProgram, line); }

// Applies one option; returns an error line, empty when fine.
std::string Apply(const std::string& name, const std::string& value, Options& o) {
  if (name == "--plane") {
    o.plane = PlaneConventionNamed(value);
    if (!o.plane)
      return "unknown plane convention '" + value +
             "' (use dip-direction, strike-rhr or strike-quadrant)";
  } else if (name == "--line") {
    o.line = LineConventionNamed(value);
    if (!o.line)
      return "unknown line convention '" + value +
             "' (use trend-plunge, pitch-quadrant, rake, rake-360 or rake-aki)";
  } else if (name == "--columns") {
    const auto columns = ParseColumns(value);
    if (!columns || columns->empty())
      return "--columns needs column numbers from 1, not '" + value + "'";
    o.settings.columns = *columns;
    o.columnsGiven = true;
  } else if (name == "--header") {
    const auto header = HeaderChoiceNamed(value);
    if (!header) return "unknown --header '" + value + "' (use auto, yes or no)";
    o.header = *header;
  } else if (name == "--delimiter") {
    const auto delimiter = DelimiterNamed(value);
    if (!delimiter)
      return "unknown --delimiter '" + value + "' (use auto, comma, semicolon, tab or space)";
    o.delimiter = *delimiter;
  } else if (name == "--sense-map") {
    const std::string pair = AddSenseCodes(value, o.settings.senses);
    if (!pair.empty() || value.empty())
      return "--sense-map needs CODE=LETTER pairs with N, R, S, D, TL, TR, NL or NR, not '" +
             (value.empty() ? value : pair) + "'";
  } else if (name == "--default-sense") {
    if (!o.settings.senses.SetWhenMissing(value))
      return "unknown --default-sense '" + value + "' (use N, R, S, D, X or skip)";
  } else if (name == "--decimals") {
    if (value.size() != 1 || value[0] < '0' || value[0] > '9')
      return "--decimals needs a number from 0 to 9, not '" + value + "'";
    o.settings.decimals = value[0] - '0';
  } else {
    return "unknown option '" + name + "'";
  }
  return {};
}

// The table of IN with its conventions and columns as given, else as its
// header names them; false, after reporting, when it cannot be read or the
// conventions are neither given nor named.
bool ReadAndSettle(Options& o, ImportTable& table) {
  const ImportFileText file = ReadImportFile(o.in);
  if (file.error) {
    orniva::cli::ReportFileError(kProgram, *file.error);
    return false;
  }
  table = ReadTable(file.text, o.delimiter, o.header);
  const ColumnProposal proposal = ProposeColumns(table, o.plane, o.line);
  if (!proposal.plane || !proposal.line) {
    Report(
        "--plane and --line are both needed where the header does not name the fields (see "
        "--help)");
    return false;
  }
  o.settings.plane = *proposal.plane;
  o.settings.line = *proposal.line;
  if (!o.columnsGiven) o.settings.columns = ChosenColumns(proposal.columns);
  return true;
}

int Run(Options o) {
  ImportTable table;
  if (!ReadAndSettle(o, table)) return orniva::cli::kFailure;
  const ImportResult result = ConvertTable(table, o.settings);
  for (const ImportedRow& row : result.rows) {
    const std::string at = o.in + " line " + std::to_string(row.line) + ": ";
    if (!row.error.empty()) Report(at + row.error);
    for (const std::string& warning : row.warnings) Report(at + warning);
  }
  if (result.overflowLine != 0) {
    Report(o.in + " line " + std::to_string(result.overflowLine) + ": beyond the " +
           std::to_string(orniva::FaultSet::kMaxCount) + " lines a data file may hold");
    return orniva::cli::kFailure;
  }
  try {
    orniva::WriteFileAtomically(o.out, result.data);
  } catch (const orniva::FileError& error) {
    orniva::cli::ReportFileError(kProgram, error);
    return orniva::cli::kFailure;
  }
  return result.failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the size limit fails and is reported
  const std::vector<std::string> args(argv + 1, argv + argc);
  Options options;
  std::vector<std::string> operands;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (orniva::cli::IsHelpOrVersion(arg))
      return orniva::cli::ShowHelpOrVersion(kProgram, arg, kUsage);
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      operands.push_back(arg);
      continue;
    }
    const std::string name = arg.substr(0, arg.find('='));
    const std::optional<std::string> value = orniva::cli::OptionValue(args, i);
    if (!value) {
      Report("option '" + name + "' needs a value");
      return orniva::cli::kFailure;
    }
    const std::string error = Apply(name, *value, options);
    if (!error.empty()) {
      Report(error);
      return orniva::cli::kFailure;
    }
  }
  if (operands.size() != 2) {
    Report(operands.size() < 2 ? "expected IN and OUT.fdt (see --help)"
                               : "unexpected argument '" + operands[2] + "'");
    return orniva::cli::kFailure;
  }
  options.in = operands[0];
  options.out = operands[1];
  return Run(options);
}
