// orniva-plot: the batch renderer. Loads one fault-slip data file (or an
// orientation table, app/orientation_plot.h) through the window's reader, draws one diagram through
// the window's plotting code and writes the figure as EMF, SVG, PDF or PNG, by the output's
// extension. Its arguments are read against its table (app/plot_options.cpp).
//
// Exit status: 0 when the picture was written (also for a data file with bad
// fields, or a log that could not be written); 2 for bad arguments, a data
// file that cannot be read or has too many lines, data whose stress the
// diagram draws but cannot be determined, and an output file that cannot
// be written or would replace an input.

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QGuiApplication>

#include "analysis/geometry.h"
#include "analysis/report_table.h"
#include "analysis/rose.h"
#include "analysis/rotation.h"
#include "analysis/stress_bootstrap.h"
#include "analysis/tendency.h"
#include "app/cli_support.h"
#include "app/data_scope.h"
#include "app/orientation_input.h"
#include "app/orientation_plot.h"
#include "app/phase_files.h"
#include "app/program_tables.h"
#include "app/progress.h"
#include "data/curation.h"
#include "data/fault_data.h"
#include "data/utf8_text.h"
#include "picture/picture.h"
#include "platform/file_error.h"
#include "platform/file_identity.h"
#include "plot/diagram.h"
#include "plot/figures.h"
#include "plot/net.h"
#include "plot/tilt_test_chart.h"
#include "render/figure_files.h"

namespace {

using orniva::cli::Arguments;

constexpr const char* kProgram = "orniva-plot";
constexpr int kFailure = orniva::cli::kFailure;

struct Options {
  std::string dataPath;
  std::string outputPath;
  orniva::PlotMode diagram = orniva::PlotMode::FaultPlaneAndStriation;
  bool tiltTest = false;        // the tilt test's chart instead of a net
  std::int16_t highlight = -1;  // datum index, or -1 for none
  orniva::SymbolSize symbolSize = orniva::SymbolSize::Medium;
  orniva::NetKind net = orniva::NetKind::EqualAngle;
  orniva::Hemisphere hemisphere = orniva::Hemisphere::Lower;
  bool grid = false;
  orniva::analysis::AnalysisChoices choices;
  orniva::render::FigureFormat format = orniva::render::FigureFormat::Emf;
  bool layout = false;
  std::optional<std::string> title;
  orniva::render::FigureSize size;
  orniva::cli::ScopeOptions scope;
  orniva::analysis::Bedding bedding;
  bool bootstrap = false;
  orniva::analysis::BootstrapSettings bootstrapSettings;
  bool quiet = false;
  std::optional<Arguments> orientations;  // the arguments of an orientation table's diagram
};

// One line on standard error, whatever a file's name or a value held.
void Report(const std::string& line) { orniva::cli::Report(kProgram, orniva::PrintableText(line)); }

// The diagram's look: the net, the symbols, the layout and the size.
void ReadLook(const Arguments& a, Options& o) {
  if (const auto net = a.Value("--net")) o.net = *orniva::NetKindNamed(*net);
  if (const auto side = a.Value("--hemisphere")) o.hemisphere = *orniva::HemisphereNamed(*side);
  if (const auto size = a.Value("--symbol-size"))
    o.symbolSize = *size == "large"   ? orniva::SymbolSize::Large
                   : *size == "small" ? orniva::SymbolSize::Small
                                      : orniva::SymbolSize::Medium;
  if (const auto line = a.Value("--highlight")) o.highlight = std::int16_t(std::stoi(*line));
  if (const auto width = a.Value("--width-mm")) o.size.widthMm = std::stod(*width);
  if (const auto dpi = a.Value("--dpi")) o.size.dpi = std::stoi(*dpi);
  o.grid = a.Has("--grid");
  o.layout = a.Has("--layout");
  o.title = a.Value("--title");
  o.quiet = a.Has("--quiet");
}

// The analyses' choices; an error line when a value is refused.
std::string ReadAnalysis(const Arguments& a, Options& o) {
  orniva::analysis::Study study;
  orniva::analysis::ReportRequest request;
  request.options = a.values;
  if (std::string refused = orniva::analysis::ApplyReportChoices(study, request); !refused.empty())
    return refused;
  o.choices = study.choices();
  o.choices.everyMethod = a.Has("--every-method");
  o.choices.colourByPhase = a.Value("--colour-by") == std::optional<std::string>("phase");
  if (!orniva::analysis::ValidRoseBin(o.choices.roseBin))
    return "--bin needs a width in degrees that divides 360, not '" + *a.Value("--bin") + "'";
  // The bedding typed, or the mean of an orientation table's set; the line
  // that refuses the table is the error.
  std::map<std::string, std::string> values = a.values;
  std::string told;
  const bool bedding = orniva::cli::ReadBeddingFrom(values, [&told](const std::string& line) {
    if (!told.empty()) Report(told);
    told = line;
  });
  if (!bedding) return told;
  if (!told.empty()) Report(told);
  if (const auto typed = values.find("--bedding"); typed != values.end()) {
    const auto numbers = orniva::analysis::NumbersOf(typed->second, 2);
    o.bedding = {(*numbers)[0], (*numbers)[1]};
  }
  const auto samples = a.Value("--samples"), confidence = a.Value("--confidence"),
             seed = a.Value("--seed"), region = a.Value("--bootstrap-region");
  o.bootstrap = a.Has("--bootstrap") || samples || confidence || seed || region;
  if (region) o.bootstrapSettings.region = *orniva::analysis::BootstrapRegionNamed(*region);
  return orniva::analysis::ReadBootstrapSettings(samples ? &*samples : nullptr,
                                                 confidence ? &*confidence : nullptr,
                                                 seed ? &*seed : nullptr, o.bootstrapSettings);
}

// The options of `arguments` (checked against the table), the operands and
// the format of the output; an error line when they do not go together.
std::string OptionsOf(const Arguments& arguments, Options& o) {
  o.dataPath = arguments.operands[0];
  o.outputPath = arguments.operands[1];
  const auto format = orniva::render::FigureFormatOf(o.outputPath);
  if (!format) return o.outputPath + ": output file must end in .emf, .svg, .pdf or .png";
  o.format = *format;
  using orniva::render::FigureFormat;
  if (arguments.Has("--dpi") && o.format != FigureFormat::Png)
    return "option '--dpi' applies to a PNG file only";
  if (arguments.Has("--width-mm") && o.format == FigureFormat::Emf)
    return "option '--width-mm' does not apply to an EMF file (1000 x 1000 units)";
  o.tiltTest = arguments.command == "tilt-test";
  if (orniva::cli::IsOrientationDiagram(arguments.command) ||
      orniva::IsOrientationTablePath(o.dataPath))
    o.orientations = arguments;
  else if (!o.tiltTest)
    o.diagram = *orniva::PlotModeNamed(arguments.command);
  ReadLook(arguments, o);
  o.scope = orniva::cli::ScopeOf(arguments);
  return ReadAnalysis(arguments, o);
}

// The data file's name without its folder: the layout's default title.
std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The net the options choose.
orniva::NetGeometry NetOf(const Options& options) {
  orniva::NetGeometry geometry;
  orniva::InitNetGeometry(geometry);
  geometry.kind = options.net;
  geometry.hemisphere = options.hemisphere;
  geometry.grid = options.grid;
  return geometry;
}

// Writes `picture` to `outputPath` in the options' format and size.
int WritePicture(const orniva::Picture& picture, const Options& options,
                 const std::string& outputPath) {
  if (const auto problem =
          orniva::render::FigureSizeProblem(picture, options.size, options.format)) {
    Report(outputPath + ": " + *problem);
    return kFailure;
  }
  try {
    orniva::render::SaveFigure(picture, outputPath, options.format, options.size);
  } catch (const orniva::FileError& error) {
    orniva::cli::ReportFileError(kProgram, error);
    return kFailure;
  }
  return 0;
}

// The tilt test of the study's data in use by its stress method, drawn and
// written to `outputPath`; a refused inversion is reported.
int WriteTiltTest(const orniva::analysis::Study& study, const Options& options,
                  const std::string& outputPath) {
  const auto steps =
      orniva::analysis::TiltTest(study.data(), options.bedding, study.choices().method,
                                 study.choices().iterate, study.InUse());
  if (!steps.front().stress.error.empty()) {
    Report(options.dataPath + ": " + steps.front().stress.error);
    return kFailure;
  }
  char bedding[64];
  std::snprintf(bedding, sizeof bedding, "%g/%g", options.bedding.dipDirection,
                options.bedding.dip);
  const std::string title = options.title ? *options.title
                                          : "Tilt test, bedding " + std::string(bedding) + " - " +
                                                FileNameOf(options.dataPath);
  return WritePicture(orniva::DrawTiltTestChart(steps, title), options, outputPath);
}

// The bootstrap of the study's inversion, kept by the study for the
// stress-axes diagram; a refusal is reported and the diagram drawn without.
void Bootstrap(orniva::analysis::Study& study, const Options& options) {
  if (!options.bootstrap) return;
  orniva::cli::Progress progress(std::string(kProgram) + ": " + options.dataPath + ": bootstrap",
                                 orniva::cli::ShowsProgress(options.quiet));
  orniva::analysis::WorkControl control;
  control.report = [&progress](int done, int total) { progress.Update(double(done) / total); };
  auto bootstrap =
      std::make_shared<orniva::analysis::StressBootstrap>(orniva::analysis::BootstrapStress(
          orniva::analysis::SetupOf(study), options.bootstrapSettings, control));
  if (bootstrap->error.empty())
    study.SetBootstrap(bootstrap, study.StressKey());
  else
    Report(options.dataPath + ": warning: bootstrap: " + bootstrap->error);
}

// Why the study's data in scope cannot be drawn in the diagram: no data in
// use for a diagram of an analysis, a stress that cannot be determined for
// one that draws it; empty when they can.
std::string Undrawable(const orniva::analysis::Study& study, const Options& options) {
  using orniva::PlotMode;
  const bool stress = options.diagram == PlotMode::StressAxes ||
                      options.diagram == PlotMode::Mohr || options.diagram == PlotMode::Tendency;
  if (!stress && !options.tiltTest) return {};
  if (std::string reason = orniva::analysis::NoDataReason(study); !reason.empty()) return reason;
  return study.StressInView().error;
}

// Draws the figure of `study` and writes it to `outputPath`.
int WriteFigure(orniva::analysis::Study& study, const Options& options,
                const std::string& outputPath) {
  if (options.tiltTest) return WriteTiltTest(study, options, outputPath);
  Bootstrap(study, options);
  orniva::FigureRequest request;
  request.mode = options.diagram;
  request.geometry = NetOf(options);
  request.symbolSize = options.symbolSize;
  request.highlight = options.highlight;
  request.layout = options.layout;
  request.title = options.title ? *options.title : FileNameOf(options.dataPath);
  const orniva::DiagramFigures figures =
      orniva::FiguresFor(options.diagram, study, request.geometry);
  int zeroDivides = 0;
  const orniva::Picture picture = orniva::DrawFigure(study.data(), request, figures, &zeroDivides);
  for (int k = 0; k < zeroDivides; ++k)
    orniva::cli::ReportMessage(kProgram, options.dataPath,
                               orniva::directional_operations::kZeroDivideMessage);
  return WritePicture(picture, options, outputPath);
}

// The files the run reads: the data file and its curation file.
std::vector<std::string> Inputs(const Options& options) {
  std::vector<std::string> inputs = {options.dataPath};
  if (!options.scope.noCuration)
    inputs.push_back(options.scope.curation ? *options.scope.curation
                                            : orniva::CurationPathFor(options.dataPath));
  return inputs;
}

// Why `output` may not be written: it is one of the inputs; empty when it
// may.
std::string ReplacesAnInput(const Options& options, const std::string& output) {
  for (const std::string& input : Inputs(options))
    if (orniva::SameFile(output, input))
      return output + ": is " + input + ", which this run reads; choose another output file";
  return {};
}

// The phases with data in use (indices into the curation's phases); the
// others are named in one warning.
std::vector<std::size_t> PhasesWithData(const orniva::analysis::Study& study,
                                        const Options& options) {
  const orniva::analysis::CurationState& curation = study.curation();
  std::vector<int> inUse(curation.phases.size(), 0);
  for (int i = 1; i <= study.data().count() && i <= curation.count(); ++i) {
    const std::size_t k = std::size_t(i);
    if (curation.phase[k] > 0 && !curation.off[k] && study.data()[k].failedChecks == 0)
      ++inUse[std::size_t(curation.phase[k] - 1)];
  }
  std::vector<std::size_t> drawn;
  std::string empty;
  int emptyCount = 0;
  for (std::size_t k = 0; k < inUse.size(); ++k) {
    if (inUse[k] > 0) {
      drawn.push_back(k);
    } else if (++emptyCount <= 5) {
      empty += (empty.empty() ? "" : ", ") + orniva::PrintableText(curation.phases[k].name);
    }
  }
  if (emptyCount > 0)
    Report(options.dataPath + ": warning: " + std::to_string(emptyCount) +
           (emptyCount == 1 ? " phase holds" : " phases hold") +
           " no data in use, no figure: " + empty + (emptyCount > 5 ? " ..." : ""));
  return drawn;
}

// The file of each phase drawn, none of them an input; empty, after
// reporting, when they cannot be written so.
std::vector<std::string> PhasePaths(const orniva::analysis::Study& study, const Options& options,
                                    const std::vector<std::size_t>& drawn) {
  std::vector<std::string> names;
  for (std::size_t k : drawn) names.push_back(study.curation().phases[k].name);
  const orniva::cli::PhaseFiles files = orniva::cli::PhaseFilesFor(options.outputPath, names);
  if (!files.error.empty()) {
    Report(options.dataPath + ": --by-subset: " + files.error);
    return {};
  }
  for (const std::string& path : files.paths)
    if (std::string refused = ReplacesAnInput(options, path); !refused.empty()) {
      Report(refused);
      return {};
    }
  return files.paths;
}

// One figure per phase with data in use; a phase that cannot be drawn is
// named and left out. 0 when at least one figure was written.
int WriteEachPhase(orniva::analysis::Study& study, const Options& options) {
  const std::vector<std::size_t> drawn = PhasesWithData(study, options);
  const std::vector<std::string> paths = PhasePaths(study, options, drawn);
  if (paths.empty() && !drawn.empty()) return kFailure;
  int written = 0;
  for (std::size_t k = 0; k < drawn.size(); ++k) {
    study.SetScope(int(drawn[k]) + 1);
    if (const std::string why = Undrawable(study, options); !why.empty()) {
      Report(options.dataPath + ": warning: phase " +
             orniva::PrintableText(study.curation().phases[drawn[k]].name) + ": " + why +
             "; no figure");
      continue;
    }
    if (const int status = WriteFigure(study, options, paths[k])) return status;
    ++written;
  }
  if (written > 0) return 0;
  Report(options.dataPath + ": --by-subset: no phase could be drawn");
  return kFailure;
}

// The diagram of an orientation table, or the refusal of a diagram that
// does not go with the file.
int WriteOrientations(const Options& options) {
  Arguments arguments = *options.orientations;
  const bool table = orniva::IsOrientationTablePath(options.dataPath);
  if (table && !arguments.Has("--diagram")) arguments.command = "orientations";
  if (!table || !orniva::cli::IsOrientationDiagram(arguments.command)) {
    Report(options.dataPath + ": the " + arguments.command + " diagram draws " +
           (table ? "fault-slip data, not an orientation table"
                  : "an orientation table (.orient.csv)"));
    return kFailure;
  }
  if (options.scope.bySubset) {
    Report(options.dataPath +
           ": --by-subset: an orientation table's diagrams show its sets at once");
    return kFailure;
  }
  const auto input = orniva::cli::LoadOrientationInput(options.dataPath, options.scope, Report);
  if (!input) return kFailure;
  orniva::cli::OrientationLook look;
  look.geometry = NetOf(options);
  look.symbolSize = options.symbolSize;
  look.layout = options.layout;
  look.title = options.title ? *options.title : FileNameOf(options.dataPath);
  std::string error;
  const auto picture = orniva::cli::DrawOrientationDiagram(arguments, look, *input, error);
  if (!picture) {
    Report(options.dataPath + ": " + error);
    return kFailure;
  }
  return WritePicture(*picture, options, options.outputPath);
}

int Run(const Options& options) {
  if (options.orientations) {
    if (std::string refused = ReplacesAnInput(options, options.outputPath); !refused.empty())
      return Report(refused), kFailure;
    return WriteOrientations(options);
  }
  if (std::string refused = ReplacesAnInput(options, options.outputPath);
      !refused.empty() && !options.scope.bySubset) {
    Report(refused);
    return kFailure;
  }
  orniva::analysis::Study study;
  const auto verdict = orniva::cli::LoadDataFile(kProgram, options.dataPath, options.scope, study);
  if (!verdict) return kFailure;
  study.SetChoices(options.choices);
  if (options.highlight > study.data().count()) {
    Report(options.dataPath + ": --highlight " + std::to_string(options.highlight) +
           " is beyond its " + std::to_string(study.data().count()) + " data");
    return kFailure;
  }
  const std::string refused =
      orniva::cli::ApplyScope(options.dataPath, *verdict, options.scope, study,
                              [](const std::string& line) { Report(line); });
  if (!refused.empty()) {
    Report(refused);
    return kFailure;
  }
  if (options.scope.bySubset) return WriteEachPhase(study, options);
  if (const std::string why = Undrawable(study, options); !why.empty()) {
    Report(options.dataPath + ": " + why);
    return kFailure;
  }
  return WriteFigure(study, options, options.outputPath);
}

// Standard error carries this tool's own reports: Qt's notes about the
// desktop it does not use (a runtime folder, fonts) stay out of them.
void QuietQtWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) Report(message.toStdString());
}

}  // namespace

int main(int argc, char* argv[]) {
  // A write beyond the file-size limit fails and is reported like any other
  // failed write, instead of ending the program half way.
  std::signal(SIGXFSZ, SIG_IGN);
  const orniva::cli::ProgramTable& program = orniva::cli::PlotProgram();
  const Arguments arguments =
      orniva::cli::ParseArguments(program, std::vector<std::string>(argv + 1, argv + argc));
  if (arguments.ask != Arguments::Ask::Run) return orniva::cli::ShowInfo(program, arguments.ask);
  Options options;
  const std::string error =
      arguments.error.empty() ? OptionsOf(arguments, options) : arguments.error;
  if (!error.empty()) {
    Report(error);
    return kFailure;
  }
  // Text and rasters need Qt's fonts, which need a GUI application; a
  // batch tool has no screen to show it on.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtWarnings);
  QGuiApplication application(argc, argv);
  try {
    return Run(options);
  } catch (const std::exception& error) {
    Report(options.dataPath + ": " + error.what());
    return kFailure;
  }
}
