// orniva-survey: a survey of many sites on the command line. Reads a
// survey file (NAME.orniva-survey.json), or makes one of the sites a data
// file's lines name (--from-data), inverts and bootstraps every site
// x phase as orniva-analyse does, writes the survey table as CSV to
// standard output and, as asked, the GIS layers, the map, the table for
// publication and the report.
//
// Exit status: 0 when everything asked for was written (also when some
// sites could not be inverted: their rows say why); 2 for bad arguments, a
// survey file (or data file) that cannot be used and an output that cannot
// be written.

#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/cli_support.h"
#include "app/program_tables.h"
#include "platform/file_error.h"
#include "render/figure_files.h"
#include "survey/gis_layers.h"
#include "survey/publication_table.h"
#include "survey/site_grouping.h"
#include "survey/survey_edit.h"
#include "survey/survey_map.h"
#include "survey/survey_report.h"
#include "survey/survey_table.h"

namespace {

using orniva::cli::Arguments;
using orniva::cli::kFailure;

constexpr const char* kProgram = "orniva-survey";

void Report(const std::string& line) { orniva::cli::Report(kProgram, line); }

// The map's size and the bars' length from the options (their ranges
// checked by the options' table).
void ReadSizes(const Arguments& arguments, orniva::render::FigureSize& size, double& barKm) {
  size.widthMm = 160;
  const auto number = [&arguments](const char* name) {
    return orniva::survey::CellNumber(arguments.Value(name).value_or(""));
  };
  if (const auto value = number("--bar-km")) barKm = *value;
  if (const auto value = number("--width-mm")) size.widthMm = *value;
  if (const auto value = number("--dpi")) size.dpi = int(*value);
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
  return orniva::cli::WriteOutput(kProgram, path, orniva::render::EncodeFigure(map, *format, size));
}

bool WriteTable(const orniva::survey::SurveyResult& result, const std::string& path) {
  const auto format = orniva::survey::TableFormatOf(path);
  if (!format) {
    Report(path + ": the table must end in .tex, .html or .md");
    return false;
  }
  return orniva::cli::WriteOutput(kProgram, path,
                                  orniva::survey::PublicationTable(result, *format));
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
    if (!orniva::cli::WriteOutput(kProgram, folder + "/" + file.name, file.bytes)) return false;
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
bool WriteOutputs(const orniva::survey::SurveyResult& result, const Arguments& arguments,
                  const orniva::render::FigureSize& size, double barKm) {
  using namespace orniva::survey;
  bool ok = true;
  for (const auto& [name, path] : arguments.values) {
    if (name == "--geojson")
      ok = orniva::cli::WriteOutput(kProgram, path, SurveyGeoJson(result, barKm)) && ok;
    if (name == "--kml")
      ok = orniva::cli::WriteOutput(kProgram, path, SurveyKml(result, barKm)) && ok;
    if (name == "--wsm-csv")
      ok = orniva::cli::WriteOutput(kProgram, path, SurveyWsmCsv(result)) && ok;
    if (name == "--map") ok = WriteMap(result, path, size) && ok;
    if (name == "--table") ok = WriteTable(result, path) && ok;
    if (name == "--report") ok = WriteReport(result, path) && ok;
  }
  return ok;
}

// Whether `a` and `b` name one existing file.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

// The survey of the sites of the data file at `data`, its data file named
// from `surveyPath`; written there when --save-survey asks. False, after
// saying why, when the data file or its curation file cannot be used or
// the survey cannot be written.
bool SurveyOfData(const Arguments& arguments, const std::string& data,
                  const std::string& surveyPath, orniva::survey::Survey& survey) {
  const orniva::survey::FileSites found =
      orniva::survey::SitesOfDataFile(data, orniva::survey::DataNameFor(data, surveyPath),
                                      std::filesystem::path(data).stem().string());
  if (!found.error.empty()) {
    Report(found.error);
    return false;
  }
  survey.sites = found.sites;
  if (!arguments.Has("--save-survey")) return true;
  if (SameFile(surveyPath, data)) {
    Report(surveyPath + ": is the data file; the survey is not written over it");
    return false;
  }
  return orniva::cli::WriteOutput(kProgram, surveyPath, orniva::survey::SurveyText(survey));
}

// The survey to run and the path its data files are named from: the survey
// file SURVEY, or with --from-data the survey of the data file SURVEY's
// sites (named from the file --save-survey names, else from SURVEY's
// folder). False, after saying why, when there is none.
bool SurveyToRun(const Arguments& arguments, orniva::survey::Survey& survey, std::string& path) {
  const std::string& operand = arguments.operands[0];
  if (arguments.Has("--from-data")) {
    path = arguments.Value("--save-survey").value_or(operand);
    return SurveyOfData(arguments, operand, path, survey);
  }
  path = operand;
  orniva::survey::SurveyRead read = orniva::survey::ReadSurveyFile(operand);
  if (!read.error.empty()) {
    Report(operand + ": " + read.error);
    return false;
  }
  survey = std::move(read.survey);
  return true;
}

int Run(const Arguments& arguments) {
  orniva::render::FigureSize size;
  double barKm = orniva::survey::kDefaultBarKm;
  ReadSizes(arguments, size, barKm);
  orniva::survey::Survey survey;
  std::string path;
  if (!SurveyToRun(arguments, survey, path)) return kFailure;
  const orniva::survey::SurveyResult result = orniva::survey::RunSurvey(survey, path);
  ReportNotes(result);
  const std::string table = orniva::survey::SurveyTableCsv(result);
  std::fwrite(table.data(), 1, table.size(), stdout);
  const bool written = std::fflush(stdout) == 0;
  return WriteOutputs(result, arguments, size, barKm) && written ? 0 : kFailure;
}

// Standard error carries this tool's own reports: Qt's notes about the
// desktop it does not use stay out of them.
void QuietQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) Report(message.toStdString());
}

}  // namespace

int main(int argc, char* argv[]) {
  std::signal(SIGXFSZ, SIG_IGN);
  const orniva::cli::ProgramTable& program = orniva::cli::SurveyProgram();
  const Arguments arguments =
      orniva::cli::ParseArguments(program, std::vector<std::string>(argv + 1, argv + argc));
  if (arguments.ask != Arguments::Ask::Run) return orniva::cli::ShowInfo(program, arguments.ask);
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
    Report(arguments.operands[0] + ": " + error.what());
    return kFailure;
  }
}
