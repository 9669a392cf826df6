// orniva-import: a table in one of the common conventions, or a field app's
// export, converted to a fault-slip data file.
//
// Exit status: 0 when faults were written and no row failed; 1 when some
// rows failed (OUT is still written with the others); 2 for bad arguments,
// an input that cannot be read, no fault to write, or an output that
// cannot be written.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <optional>
#include <string>
#include <vector>

#include "app/cli_support.h"
#include "app/import_orientations.h"
#include "app/program_tables.h"
#include "data/curation.h"
#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "data/field_presets.h"
#include "data/import_columns.h"
#include "data/import_conventions.h"
#include "data/import_file.h"
#include "data/import_table.h"
#include "platform/file_error.h"
#include "platform/file_identity.h"

namespace {

using namespace orniva;

constexpr const char* kProgram = "orniva-import";

struct Options {
  std::string in, out;
  std::optional<PlaneConvention> plane;
  std::optional<LineConvention> line;
  HeaderChoice header = HeaderChoice::Auto;
  Delimiter delimiter = Delimiter::Auto;
  bool columnsGiven = false;
  ImportSettings settings;  // its conventions set from plane and line
  std::optional<FieldSettings> field;
  std::optional<double> misfitLimit, holeAzimuth, holeInclination;
  bool keepMisfits = false;
  std::optional<cli::OrientationImportRun> orientations;  // --to orientations
  std::optional<OrientationKind> kind;                    // --kind
};

void Report(const std::string& line) { orniva::cli::Report(kProgram, line); }

// The source named by --from, and the numbers of its conversion (their
// ranges checked by the program's table).
std::string ApplyField(const std::string& name, const std::string& value, Options& o) {
  if (name == "--from") {
    o.field = FieldPreset(value);
    return o.field ? "" : "unknown --from '" + value + "'";
  }
  const double angle = std::strtod(value.c_str(), nullptr);
  (name == "--misfit-limit"   ? o.misfitLimit
   : name == "--hole-azimuth" ? o.holeAzimuth
                              : o.holeInclination) = angle;
  return {};
}

// --to and --kind: what an orientation table is made of.
std::string ApplyOrientations(const std::string& name, const std::string& value, Options& o) {
  if (name == "--kind") {
    if (value != "plane" && value != "line")
      return "unknown --kind '" + value + "' (use plane or line)";
    o.kind = value == "plane" ? OrientationKind::Plane : OrientationKind::Line;
  } else if (value == "orientations") {
    o.orientations.emplace();
  } else if (value != "faults") {
    return "unknown --to '" + value + "' (use faults or orientations)";
  }
  return {};
}

// The run of --to orientations; an error line for an option it does not take.
std::string OrientationsRun(Options& o) {
  if (!o.orientations) return o.kind ? "--kind applies only with --to orientations" : "";
  if (o.field) return "--to orientations does not apply with --from";
  if (o.line && *o.line != LineConvention::TrendPlunge)
    return "--to orientations reads lines as trend and plunge";
  if (o.columnsGiven) return "--to orientations takes the columns the header names";
  *o.orientations = {o.in, o.out, o.delimiter, o.header, o.plane, o.kind};
  return {};
}

// Applies one option; returns an error line, empty when fine.
std::string Apply(const std::string& name, const std::string& value, Options& o) {
  if (name == "--from" || name == "--misfit-limit" || name == "--hole-azimuth" ||
      name == "--hole-inclination")
    return ApplyField(name, value, o);
  if (name == "--to" || name == "--kind") return ApplyOrientations(name, value, o);
  if (name == "--keep-misfits") {
    o.keepMisfits = true;
  } else if (name == "--plane") {
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
    o.settings.decimals = std::atoi(value.c_str());  // 0 to 9, as the table checked
  } else {
    return "unknown option '" + name + "'";
  }
  return {};
}

// The field source's settings from the options given (the program's table
// has refused those of the other kind of input).
void SettleField(Options& o) {
  if (!o.field) return;
  FieldSettings& f = *o.field;
  f.senses = o.settings.senses;
  if (o.delimiter != Delimiter::Auto) f.delimiter = o.delimiter;
  f.misfitLimit = o.misfitLimit.value_or(f.misfitLimit);
  f.keepMisfits = o.keepMisfits;
  f.holeAzimuth = o.holeAzimuth.value_or(f.holeAzimuth);
  f.holeInclination = o.holeInclination.value_or(f.holeInclination);
}

// "k of n rows converted", the last line of every run.
void ReportConverted(std::size_t k, std::size_t n) {
  Report(std::to_string(k) + " of " + std::to_string(n) + " rows converted");
}

// A JSON, XML or HTML document is no table: one line says so.
std::string NotATable(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  const char c = first == std::string::npos ? '\0' : text[first];
  if (c == '{' || c == '[')
    return "it is JSON, not a table (a StraboSpot project imports with --from strabo-json)";
  if (c == '<') return "it is an XML or HTML document, not a table";
  return {};
}

// The table's text and its sample (the header and the first rows, and
// every column's range), with the conventions and columns settled.
bool ReadAndSettle(Options& o, std::string& text, ImportTable& sample) {
  ImportFileText file = ReadImportFile(o.in);
  if (file.error) {
    orniva::cli::ReportFileError(kProgram, *file.error);
    return false;
  }
  if (const std::string refusal = NotATable(file.text); !refusal.empty()) {
    Report("cannot read " + o.in + ": " + refusal);
    return false;
  }
  text = std::move(file.text);
  sample = ReadTable(text, o.delimiter, o.header, 100);
  const ColumnProposal proposal = ProposeColumns(sample, o.plane, o.line);
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

// Converts the rows one at a time, reporting each row's problems.
int RunTable(Options o) {
  std::string text;
  ImportTable sample;
  if (!ReadAndSettle(o, text, sample)) return orniva::cli::kFailure;
  RowConverter converter(o.settings);
  bool header = !sample.header.empty(), full = false;
  ForEachRow(text, sample.delimiter, [&](const TableRow& row) {
    if (std::exchange(header, false)) return true;
    const std::optional<ImportedRow> imported = converter.Convert(row);
    if (!imported) return !(full = true);
    const std::string at = o.in + " line " + std::to_string(row.line) + ": ";
    if (!imported->error.empty()) Report(at + imported->error);
    for (const std::string& warning : imported->warnings) Report(at + warning);
    return true;
  });
  const std::size_t converted = std::size_t(converter.converted());
  if (full)
    Report(o.in + " line " + std::to_string(converter.overflowLine()) + ": beyond the " +
           std::to_string(orniva::FaultSet::kMaxCount) + " lines a data file may hold");
  else if (converted == 0)
    Report("no row converted; " + o.out + " not written");
  ReportConverted(converted, sample.rowCount);
  if (full || converted == 0 || !orniva::cli::WriteOutput(kProgram, o.out, converter.data()))
    return orniva::cli::kFailure;
  return converter.failed() == 0 ? 0 : 1;
}

// Writes the data file and, where the faults have attributes, the
// curation file beside it.
bool WriteField(const Options& o, const FieldConversion& conversion) {
  const std::string data = DataText(conversion, o.settings.decimals);
  Curation curation;
  curation.attributes = AttributesOf(conversion);
  const int lines = int(Summarise(conversion).faults);
  return orniva::cli::WriteOutput(kProgram, o.out, data) &&
         (curation.empty() || orniva::cli::WriteOutput(kProgram, CurationPathFor(o.out),
                                                       CurationText(curation, FileNameOf(o.out),
                                                                    lines, Sha256Hex(data))));
}

int RunField(const Options& o) {
  const FieldConversion conversion = ConvertFieldSource(o.in, *o.field);
  if (!conversion.error.empty()) {
    Report(conversion.error);
    return orniva::cli::kFailure;
  }
  const ConversionReport report = Summarise(conversion);
  std::vector<std::string> lines = ReportLines(conversion, o.field->misfitLimit);
  const std::string last = lines.back();
  lines.pop_back();
  for (const std::string& line : lines) Report(o.in + ": " + line);
  const bool tooMany = report.faults > std::size_t(orniva::FaultSet::kMaxCount);
  if (tooMany)
    Report(std::to_string(report.faults) + " faults, more than the " +
           std::to_string(orniva::FaultSet::kMaxCount) + " a data file may hold");
  else if (report.faults == 0)
    Report("no fault made; " + o.out + " not written");
  Report(last);
  if (tooMany || report.faults == 0 || !WriteField(o, conversion)) return orniva::cli::kFailure;
  return report.missingValue == 0 ? 0 : 1;
}

// An output that is one of the inputs would destroy it.
bool OutputIsAnInput(const Options& o) {
  std::vector<std::string> inputs{o.in};
  if (o.field && o.field->format == FieldFormat::FieldMoveFolder) inputs = FieldMoveFiles(o.in);
  for (const std::string& output : {o.out, CurationPathFor(o.out)})
    for (const std::string& input : inputs)
      if (orniva::SameFile(input, output)) {
        Report(output + " is the input " + input + "; choose another output file");
        return true;
      }
  return false;
}

// The options into `options` and the operands IN and OUT; false, after
// reporting, for a bad argument.
bool TakeArguments(const orniva::cli::Arguments& arguments, Options& options) {
  if (!arguments.error.empty()) return Report(arguments.error), false;
  for (const auto& [name, value] : arguments.values) {
    const std::string error = Apply(name, value, options);
    if (!error.empty()) return Report(error), false;
  }
  options.in = arguments.operands[0];
  options.out = arguments.operands[1];
  SettleField(options);
  if (const std::string error = OrientationsRun(options); !error.empty())
    return Report(error), false;
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the size limit fails and is reported
  const orniva::cli::ProgramTable& program = orniva::cli::ImportProgram();
  const orniva::cli::Arguments arguments =
      orniva::cli::ParseArguments(program, std::vector<std::string>(argv + 1, argv + argc));
  if (arguments.ask != orniva::cli::Arguments::Ask::Run)
    return orniva::cli::ShowInfo(program, arguments.ask);
  Options options;
  if (!TakeArguments(arguments, options) || OutputIsAnInput(options)) return orniva::cli::kFailure;
  if (options.orientations) return orniva::cli::ImportOrientations(*options.orientations, Report);
  return options.field ? RunField(options) : RunTable(options);
}
