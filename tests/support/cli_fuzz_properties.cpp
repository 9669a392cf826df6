// The properties of the import table and of the command-line options for
// any bytes (tests/support/fuzz_properties.h).
#include <algorithm>
#include <string_view>
#include <vector>

#include "app/options.h"
#include "app/program_tables.h"
#include "data/fault_reader.h"
#include "data/import_columns.h"
#include "data/import_file.h"
#include "data/import_table.h"
#include "data/utf8_text.h"
#include "tests/support/fuzz_properties.h"

namespace orniva::fuzz {

namespace {

std::string_view AsText(const std::uint8_t* bytes, std::size_t size) {
  return size == 0 ? std::string_view()
                   : std::string_view(reinterpret_cast<const char*>(bytes), size);
}

bool WellFormedUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

// Each converted row's line as the data reader reads it: every check
// passed, but for the sense of a row written without one (X).
std::string CheckDataLines(const ImportResult& result) {
  std::string data;
  for (const ImportedRow& row : result.rows) {
    data += row.dataLine;
    if (row.dataLine.empty()) continue;
    FaultSet checked;
    CheckFaultLines({row.dataLine.substr(0, row.dataLine.find('\r'))}, checked);
    const bool unknownSense = checked[1].sense == "X";
    if ((checked[1].failedChecks & ~(unknownSense ? kSenseCheck : 0)) != 0)
      return "the converted line '" + row.dataLine + "' fails a check of the reader";
  }
  return data == result.data ? "" : "the data are not the converted rows' lines";
}

}  // namespace

std::string CheckImportProperties(const std::uint8_t* bytes, std::size_t size) {
  const DecodedText decoded = DecodeImportBytes(AsText(bytes, size));
  if (!decoded.refusal.empty()) return decoded.text.empty() ? "" : "a refusal with a text";
  if (!WellFormedUtf8(decoded.text) || decoded.text.find('\0') != std::string::npos)
    return "the decoded text is not UTF-8 without NUL";
  const ImportTable table = ReadTable(decoded.text);
  for (std::size_t k = 0; k < table.rows.size(); ++k)
    if (table.rows[k].line < 1 || (k > 0 && table.rows[k].line <= table.rows[k - 1].line))
      return "the rows' lines are not ascending from 1";
  const ColumnProposal proposal = ProposeColumns(table);
  ImportSettings settings;
  if (proposal.plane && proposal.line) {
    settings.plane = *proposal.plane;
    settings.line = *proposal.line;
    settings.columns = ChosenColumns(proposal.columns);
  }
  const ImportResult result = ConvertTable(table, settings);
  if (result.overflowLine == 0 &&
      std::size_t(result.converted + result.failed) != table.rows.size())
    return "converted and failed rows do not add up to the table's rows";
  return CheckDataLines(result);
}

namespace {

// Whether `parsed`, accepted, holds only values the table declares for its
// command, and every option the command needs.
std::string CheckAccepted(const cli::ProgramTable& program, const cli::Arguments& parsed) {
  if (!program.commands.empty()) {
    bool known = false;
    for (const cli::CommandEntry& command : program.commands)
      known |= command.name == parsed.command;
    if (!known) return "an accepted run of an unknown command";
  }
  for (const auto& [name, value] : parsed.values) {
    const cli::OptionDeclaration* declared = program.OptionFor(name, parsed.command);
    if (!declared) return "an accepted option that does not apply: " + name;
    if (!cli::ValueProblem(*declared, value).empty())
      return "an accepted value out of range: " + name;
  }
  for (const cli::ProgramOption& option : program.options) {
    const bool applies =
        option.commands.empty() || std::find(option.commands.begin(), option.commands.end(),
                                             parsed.command) != option.commands.end();
    if (option.declaration.required && applies && !parsed.Has(option.declaration.name))
      return "a run without its needed option " + option.declaration.name;
  }
  return {};
}

}  // namespace

std::string CheckOptionsProperties(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) return {};
  const cli::ProgramTable* programs[] = {&cli::AnalyseProgram(), &cli::PlotProgram(),
                                         &cli::WindowProgram()};
  const cli::ProgramTable& program = *programs[bytes[0] % 3];
  std::vector<std::string> args;
  std::string arg;
  for (char c : AsText(bytes + 1, size - 1)) {
    if (c != '\0') arg += c;
    if (c == '\0' || arg.size() > 256) args.push_back(std::exchange(arg, {}));
  }
  args.push_back(arg);
  const cli::Arguments parsed = cli::ParseArguments(program, args);
  const cli::Arguments again = cli::ParseArguments(program, args);
  if (parsed.error != again.error || parsed.values != again.values || parsed.ask != again.ask)
    return "the same arguments read twice read differently";
  if (parsed.error.find('\n') != std::string::npos) return "a refusal of more than one line";
  if (parsed.ask != cli::Arguments::Ask::Run || !parsed.error.empty()) return {};
  return CheckAccepted(program, parsed);
}

}  // namespace orniva::fuzz
