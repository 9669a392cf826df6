// orniva-survey: a survey of many sites on the command line. Reads a
// survey file (NAME.orniva-survey.json), inverts and bootstraps every site
// x phase as orniva-analyse does, writes the survey table as CSV to
// standard output and, as asked, the GIS layers, the map, the table for
// publication and the report.
//
// Exit status: 0 when everything asked for was written (also when some
// sites could not be inverted: their rows say why); 2 for bad arguments, a
// survey file that cannot be used and an output that cannot be written.

#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/cli_support.h"
#include "platform/atomic_file.h"
#include "platform/file_error.h"
#include "render/figure_files.h"
#include "survey/gis_layers.h"
#include "survey/publication_table.h"
#include "survey/survey_map.h"
#include "survey/survey_report.h"
#include "survey/survey_table.h"

namespace {

using orniva::cli::kFailure;
using Values = std::map<std::string, std::string>;

constexpr const char* kProgram = "orniva-survey";

// One option: its name, its value's placeholder (none for a flag) and
// what it does, as --help, the manual page and the README say.
struct OptionSpec {
  const char* name;
  const char* value;
  const char* help;
};

const OptionSpec kOptions[] = {
    {"--geojson", "FILE",
     "the rows as GeoJSON (RFC 7946): a point per site and phase, a line per SHmax bar"},
    {"--kml", "FILE", "the same as KML 2.2: a placemark per row with a position"},
    {"--wsm-csv", "FILE", "the rows with a position in the World Stress Map's CSV columns"},
    {"--bar-km", "L", "the SHmax bars' length in km, above 0 and at most 1000 (default 2)"},
    {"--map", "FILE",
     "the map of SHmax (local equirectangular projection) as .svg, .pdf, .png or .emf"},
    {"--width-mm", "W", "the width of an SVG, PDF or PNG map, 10 to 1000 mm (default 160)"},
    {"--dpi", "N", "the resolution of a PNG map, 72 to 2400 (default 300)"},
    {"--table", "FILE", "the table for publication as .tex (LaTeX, booktabs), .html or .md"},
    {"--report", "DIR", "the reproducible report: index.html, survey.csv and a page per site"},
    {"-h, --help", nullptr, "show this help and exit"},
    {"--version", nullptr, "show the version and exit"},
};

std::string Usage() {
  std::string text =
      "Usage: orniva-survey SURVEY [OPTIONS]\n\n"
      "Inverts every site x phase of the survey file SURVEY (NAME.orniva-survey.json)\n"
      "with its method and bootstraps it with its seed, as orniva-analyse's\n"
      "stress-summary and stress-bootstrap do on that site's data, and writes the\n"
      "survey table as CSV to standard output: site,phase,n,n_total,lon,lat,\n"
      "s1_trend,s1_plunge,s2_trend,s2_plunge,s3_trend,s3_plunge,phi,r_prime,regime,\n"
      "wsm_regime,shmax,shmax_low,shmax_high,mean_beta,theta_radius,accuracy_class,\n"
      "frame,note. Azimuths are from true north. The accuracy class (A-E) bounds\n"
      "the SHmax interval's half-width as the World Stress Map does; it is not the\n"
      "World Stress Map's own quality ranking of fault-slip inversions.\n\nOptions:\n";
  for (const OptionSpec& o : kOptions) {
    std::string head = std::string("  ") + o.name + (o.value ? std::string(" ") + o.value : "");
    text += head + std::string(head.size() < 20 ? 20 - head.size() : 1, ' ') + o.help + "\n";
  }
  return text +
         "\nEvery message on standard error names the file or site it is about. Exit\n"
         "status: 0 when everything asked for was written, 2 on bad arguments, a survey\n"
         "file that cannot be used or an output that cannot be written.\n";
}

void Report(const std::string& line) { orniva::cli::Report(kProgram, line); }

bool TakesValue(const std::string& name) {
  for (const OptionSpec& o : kOptions)
    if (o.value && name == o.name) return true;
  return false;
}

// The survey file and the options given; `error` set for bad arguments.
struct Arguments {
  std::string survey;
  Values values;
  std::string error;
};

Arguments Parse(const std::vector<std::string>& args) {
  Arguments parsed;
  std::vector<std::string> operands;
  for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
    if (args[i].size() < 2 || args[i][0] != '-') {
      operands.push_back(args[i]);
      continue;
    }
    const std::string name = args[i].substr(0, args[i].find('='));
    const std::optional<std::string> value =
        TakesValue(name) ? orniva::cli::OptionValue(args, i) : std::nullopt;
    if (!TakesValue(name))
      parsed.error = "unknown option '" + args[i] + "'";
    else if (!value)
      parsed.error = "option '" + name + "' needs a value";
    else
      parsed.values[name] = *value;
  }
  if (parsed.error.empty() && operands.size() != 1)
    parsed.error = operands.empty() ? "expected SURVEY (see --help)"
                                    : "unexpected argument '" + operands[1] + "'";
  if (!operands.empty()) parsed.survey = operands[0];
  return parsed;
}

// The map's size and the bars' length from the options; an error line.
std::string ReadSizes(const Values& values, orniva::render::FigureSize& size, double& barKm) {
  using orniva::render::FigureSize;
  size.widthMm = 160;
  for (const auto& [name, value] : values) {
    const std::optional<double> number = orniva::survey::CellNumber(value);
    if (name == "--bar-km" && !(number && *number > 0 && *number <= 1000))
      return "--bar-km needs a length above 0 and at most 1000 (km), not '" + value + "'";
    if (name == "--width-mm" &&
        !(number && *number >= FigureSize::kMinWidthMm && *number <= FigureSize::kMaxWidthMm))
      return "--width-mm needs a width from 10 to 1000 (mm), not '" + value + "'";
    if (name == "--dpi" && !(number && *number == int(*number) && *number >= FigureSize::kMinDpi &&
                             *number <= FigureSize::kMaxDpi))
      return "--dpi needs a whole number from 72 to 2400, not '" + value + "'";
    if (name == "--bar-km") barKm = *number;
    if (name == "--width-mm") size.widthMm = *number;
    if (name == "--dpi") size.dpi = int(*number);
  }
  return {};
}

// Writes `bytes` to `path`; false, after reporting, when it cannot.
bool Write(const std::string& path, const std::string& bytes) {
  try {
    orniva::WriteFileAtomically(path, bytes);
    return true;
  } catch (const orniva::FileError& error) {
    orniva::cli::ReportFileError(kProgram, error);
    return false;
  }
}

std::string SurveyTitle(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return "Survey " + (slash == std::string::npos ? path : path.substr(slash + 1));
}

bool WriteMap(const orniva::survey::SurveyResult& result, const std::string& path,
              const orniva::render::FigureSize& size) {
  const auto format = orniva::render::FigureFormatOf(path);
  if (!format) {
    Report(path + ": the map must end in .svg, .pdf, .png or .emf");
    return false;
  }
  const orniva::Picture map =
      orniva::DrawStressMap(orniva::survey::StressMapOf(result, SurveyTitle(result.surveyPath)));
  if (const auto problem = orniva::render::FigureSizeProblem(map, size, *format)) {
    Report(path + ": " + *problem);
    return false;
  }
  return Write(path, orniva::render::EncodeFigure(map, *format, size));
}

bool WriteTable(const orniva::survey::SurveyResult& result, const std::string& path) {
  const auto format = orniva::survey::TableFormatOf(path);
  if (!format) {
    Report(path + ": the table must end in .tex, .html or .md");
    return false;
  }
  return Write(path, orniva::survey::PublicationTable(result, *format));
}

std::string Today() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", &utc);
  return text;
}

bool WriteReport(const orniva::survey::SurveyResult& result, const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directory(folder, error);
  if (error) {
    Report("cannot write " + folder + ": " + error.message());
    return false;
  }
  orniva::render::FigureSize size;
  size.widthMm = 120;
  const auto svgOf = [&size](const orniva::Picture& picture) {
    return orniva::render::EncodeFigure(picture, orniva::render::FigureFormat::Svg, size);
  };
  for (const orniva::survey::ReportFile& file :
       orniva::survey::SurveyReport(result, svgOf, Today()))
    if (!Write(folder + "/" + file.name, file.bytes)) return false;
  return true;
}

// Each site's warnings and each row's note, on standard error.
void ReportNotes(const orniva::survey::SurveyResult& result) {
  for (const orniva::survey::SurveySite& site : result.sites)
    for (const std::string& warning : site.opened.warnings) Report(warning);
  for (const orniva::survey::SurveyRow& row : result.rows)
    if (!row.note.empty())
      Report("site " + result.survey.sites[std::size_t(row.site)].name + ", " + row.phase + ": " +
             row.note);
}

// Writes every output asked for; false when one could not be.
bool WriteOutputs(const orniva::survey::SurveyResult& result, const Values& values,
                  const orniva::render::FigureSize& size, double barKm) {
  using namespace orniva::survey;
  bool ok = true;
  for (const auto& [name, path] : values) {
    if (name == "--geojson") ok = Write(path, SurveyGeoJson(result, barKm)) && ok;
    if (name == "--kml") ok = Write(path, SurveyKml(result, barKm)) && ok;
    if (name == "--wsm-csv") ok = Write(path, SurveyWsmCsv(result)) && ok;
    if (name == "--map") ok = WriteMap(result, path, size) && ok;
    if (name == "--table") ok = WriteTable(result, path) && ok;
    if (name == "--report") ok = WriteReport(result, path) && ok;
  }
  return ok;
}

int Run(const Arguments& arguments) {
  orniva::render::FigureSize size;
  double barKm = orniva::survey::kDefaultBarKm;
  if (const std::string error = ReadSizes(arguments.values, size, barKm); !error.empty()) {
    Report(error);
    return kFailure;
  }
  const orniva::survey::SurveyRead read = orniva::survey::ReadSurveyFile(arguments.survey);
  if (!read.error.empty()) {
    Report(arguments.survey + ": " + read.error);
    return kFailure;
  }
  const orniva::survey::SurveyResult result =
      orniva::survey::RunSurvey(read.survey, arguments.survey);
  ReportNotes(result);
  const std::string table = orniva::survey::SurveyTableCsv(result);
  std::fwrite(table.data(), 1, table.size(), stdout);
  const bool written = std::fflush(stdout) == 0;
  return WriteOutputs(result, arguments.values, size, barKm) && written ? 0 : kFailure;
}

// Standard error carries this tool's own reports: Qt's notes about the
// desktop it does not use stay out of them.
void QuietQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) Report(message.toStdString());
}

}  // namespace

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> args(argv + 1, argv + argc);
  for (const std::string& arg : args)
    if (orniva::cli::IsHelpOrVersion(arg))
      return orniva::cli::ShowHelpOrVersion(kProgram, arg, Usage().c_str());
  const Arguments arguments = Parse(args);
  if (!arguments.error.empty()) {
    Report(arguments.error);
    return kFailure;
  }
  // The map's texts and rasters need Qt's fonts, which need a GUI
  // application; a batch tool has no screen to show it on.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtWarnings);
  QGuiApplication application(argc, argv);
  try {
    return Run(arguments);
  } catch (const std::exception& error) {
    Report(arguments.survey + ": " + error.what());
    return kFailure;
  }
}
