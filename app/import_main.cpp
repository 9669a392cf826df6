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
#include "data/curation.h"
#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "data/field_presets.h"
#include "data/import_columns.h"
#include "data/import_conventions.h"
#include "data/import_file.h"
#include "data/import_table.h"
#include "platform/atomic_file.h"
#include "platform/file_error.h"
#include "platform/file_identity.h"

namespace {

using namespace orniva;

constexpr const char* kProgram = "orniva-import";

constexpr const char* kUsage =
    "Usage: orniva-import IN OUT.fdt [--plane CONVENTION] [--line CONVENTION] [OPTIONS]\n"
    "       orniva-import IN OUT.fdt --from SOURCE [OPTIONS]\n"
    "       orniva-import IN OUT.orient.csv --to orientations [--kind plane|line]\n"
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
    "  --from strabo-json|strabo-tsv|tectostress|fieldmove|core\n"
    "                       IN is a field app's export: a StraboSpot project\n"
    "                       (JSON), its tab-separated export, a TectoStress\n"
    "                       table, a FieldMove CSV project folder, or oriented\n"
    "                       core (alpha, beta, gamma); planes and lines are\n"
    "                       paired into faults, and each line's site, position,\n"
    "                       time and notes go to OUT.fdt.orniva.json\n"
    "  --misfit-limit DEG   a paired striation further than DEG (0 to 90, 10)\n"
    "                       from its plane is left out\n"
    "  --keep-misfits       keep such pairs, as measured\n"
    "  --hole-azimuth DEG, --hole-inclination DEG\n"
    "                       the hole of --from core (0 and 90: vertical)\n"
    "  --sense-map CODE=LETTER,...\n"
    "                       more sense codes, e.g. U=R,1=N (N, R, S, D, TL, TR,\n"
    "                       NL or NR)\n"
    "  --default-sense N|R|S|D|X|skip\n"
    "                       the sense of a row without one (X); skip leaves\n"
    "                       such rows out\n"
    "  --to faults|orientations\n"
    "                       what OUT holds: fault-slip data (the default) or an\n"
    "                       orientation table of planes (dip direction, strike\n"
    "                       by --plane) and lines (trend and plunge)\n"
    "  --kind plane|line    with --to orientations: every row's kind, where no\n"
    "                       kind column says it\n"
    "  --decimals N         round the values to N decimals (0 to 9); default\n"
    "                       as many as the reader needs to read them back\n"
    "  -h, --help           show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "Problems go to standard error, one line each, with the input line, then\n"
    "\"k of n rows converted\". OUT is never written empty, nor over IN.\n"
    "Exit status: 0 when faults were written and no row failed, 1 when some\n"
    "rows failed (OUT still written with the others), 2 on bad arguments, an\n"
    "unreadable input, nothing to write or an output that cannot be written.\n";

struct Options {
  std::string in, out;
  std::optional<PlaneConvention> plane;
  std::optional<LineConvention> line;
  HeaderChoice header = HeaderChoice::Auto;
  Delimiter delimiter = Delimiter::Auto;
  bool columnsGiven = false;
  ImportSettings settings;  // its conventions set from plane and line
  std::optional<FieldSettings> field;
  std::vector<std::string> tableOnly, fieldOnly;  // options given, by kind
  std::optional<double> misfitLimit, holeAzimuth, holeInclination;
  bool keepMisfits = false;
  std::optional<cli::OrientationImportRun> orientations;  // --to orientations
  std::optional<OrientationKind> kind;                    // --kind
};

void Report(const std::string& line) { orniva::cli::Report(kProgram, line); }

// A number from `low` to `high`; none otherwise.
std::optional<double> Angle(const std::string& value, double low, double high) {
  char* end = nullptr;
  const double number = std::strtod(value.c_str(), &end);
  if (value.empty() || *end != '\0' || !(number >= low && number <= high)) return std::nullopt;
  return number;
}

std::string ApplyField(const std::string& name, const std::string& value, Options& o) {
  if (name == "--from") {
    o.field = FieldPreset(value);
    if (!o.field)
      return "unknown --from '" + value +
             "' (use strabo-json, strabo-tsv, tectostress, fieldmove or core)";
    return {};
  }
  const bool limit = name == "--misfit-limit", azimuth = name == "--hole-azimuth";
  const std::optional<double> angle = Angle(value,
                                            azimuth ? -360
                                            : limit ? 0
                                                    : -90,
                                            azimuth ? 360 : 90);
  if (!angle)
    return name + " needs a number from " +
           (azimuth ? "-360 to 360"
            : limit ? "0 to 90"
                    : "-90 to 90") +
           ", not '" + value + "'";
  (limit ? o.misfitLimit : azimuth ? o.holeAzimuth : o.holeInclination) = angle;
  o.fieldOnly.push_back(name);
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
  if (name == "--plane" || name == "--line" || name == "--columns" || name == "--header")
    o.tableOnly.push_back(name);
  if (name == "--to" || name == "--kind") return ApplyOrientations(name, value, o);
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

// Options that belong to the other kind of input are refused, not ignored.
std::string CheckKinds(Options& o) {
  if (o.field && !o.tableOnly.empty())
    return o.tableOnly[0] + " does not apply with --from (the source names its columns)";
  if (!o.field && !o.fieldOnly.empty()) return o.fieldOnly[0] + " applies only with --from";
  const bool hole = o.holeAzimuth || o.holeInclination;
  if (o.field && hole && o.field->rows != FieldRows::Core)
    return "--hole-azimuth and --hole-inclination apply only with --from core";
  if (!o.field) return {};
  FieldSettings& f = *o.field;
  f.senses = o.settings.senses;
  if (o.delimiter != Delimiter::Auto) f.delimiter = o.delimiter;
  f.misfitLimit = o.misfitLimit.value_or(f.misfitLimit);
  f.keepMisfits = o.keepMisfits;
  f.holeAzimuth = o.holeAzimuth.value_or(f.holeAzimuth);
  f.holeInclination = o.holeInclination.value_or(f.holeInclination);
  return {};
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

bool WriteOutput(const std::string& path, const std::string& bytes) {
  try {
    orniva::WriteFileAtomically(path, bytes);
    return true;
  } catch (const orniva::FileError& error) {
    orniva::cli::ReportFileError(kProgram, error);
    return false;
  }
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
  if (full || converted == 0 || !WriteOutput(o.out, converter.data())) return orniva::cli::kFailure;
  return converter.failed() == 0 ? 0 : 1;
}

// Writes the data file and, where the faults have attributes, the
// curation file beside it.
bool WriteField(const Options& o, const FieldConversion& conversion) {
  const std::string data = DataText(conversion, o.settings.decimals);
  Curation curation;
  curation.attributes = AttributesOf(conversion);
  const int lines = int(Summarise(conversion).faults);
  return WriteOutput(o.out, data) &&
         (curation.empty() ||
          WriteOutput(CurationPathFor(o.out),
                      CurationText(curation, FileNameOf(o.out), lines, Sha256Hex(data))));
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
bool ParseArguments(const std::vector<std::string>& args, Options& options) {
  std::vector<std::string> operands;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--keep-misfits") {
      options.keepMisfits = true;
      options.fieldOnly.push_back(arg);
    } else if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      operands.push_back(arg);
    } else {
      const std::string name = arg.substr(0, arg.find('='));
      const std::optional<std::string> value = orniva::cli::OptionValue(args, i);
      const std::string error =
          value ? Apply(name, *value, options) : "option '" + name + "' needs a value";
      if (!error.empty()) return Report(error), false;
    }
  }
  if (operands.size() != 2) {
    Report(operands.size() < 2 ? "expected IN and OUT.fdt (see --help)"
                               : "unexpected argument '" + operands[2] + "'");
    return false;
  }
  options.in = operands[0];
  options.out = operands[1];
  std::string error = CheckKinds(options);
  if (error.empty()) error = OrientationsRun(options);
  if (!error.empty()) Report(error);
  return error.empty();
}

}  // namespace

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the size limit fails and is reported
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& arg : args)
    if (orniva::cli::IsHelpOrVersion(arg))
      return orniva::cli::ShowHelpOrVersion(kProgram, arg, kUsage);
  Options options;
  if (!ParseArguments(args, options) || OutputIsAnInput(options)) return orniva::cli::kFailure;
  if (options.orientations) return orniva::cli::ImportOrientations(*options.orientations, Report);
  return options.field ? RunField(options) : RunTable(options);
}
