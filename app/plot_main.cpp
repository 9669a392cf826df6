// orniva-plot: the batch renderer. Loads one fault-slip data file through
// the window's reader, draws one diagram through the window's plotting code
// and writes the figure as EMF, SVG, PDF or PNG, by the output's extension.
//
// Exit status: 0 when the picture was written (also for a data file with bad
// fields, or a log that could not be written); 2 for bad arguments, a data
// file that cannot be read or has too many lines, and an output file that
// cannot be written.

#include <algorithm>
#include <csignal>
#include <iterator>
#include <memory>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QGuiApplication>

#include "plot/figures.h"
#include "analysis/geometry.h"
#include "analysis/rose.h"
#include "analysis/rotation.h"
#include "analysis/stress_bootstrap.h"
#include "analysis/tendency.h"
#include "app/cli_support.h"
#include "app/data_scope.h"
#include "data/fault_data.h"
#include "data/fault_reader.h"
#include "platform/file_error.h"
#include "picture/picture.h"
#include "plot/diagram.h"
#include "plot/net.h"
#include "plot/tilt_test_chart.h"
#include "render/figure_files.h"

namespace {

constexpr const char* kProgram = "orniva-plot";
constexpr int kFailure = orniva::cli::kFailure;

constexpr const char* kUsage =
    "Usage: orniva-plot DATAFILE OUTFILE.emf|.svg|.pdf|.png [OPTIONS]\n"
    "\n"
    "Draws the fault-slip data of DATAFILE on a lower-hemisphere net and writes\n"
    "the picture (1000 x 1000 units) as an enhanced metafile, SVG, PDF or PNG,\n"
    "as the output's extension says.\n"
    "The data file is checked as in the window: VORN.log is written beside it,\n"
    "and a file with bad fields is reported here and still drawn.\n"
    "\n"
    "Options:\n"
    "  --diagram fault-planes|tangent-lineation|poles|kinematic-axes|\n"
    "            stress-axes|density|dihedra|rose|mohr|tendency|tilt-test\n"
    "                       fault planes with striation arrows (default), the\n"
    "                       tangent-lineation diagram at the poles, the poles\n"
    "                       with their striations, the P, T and B axes, the\n"
    "                       stress axes of the inversion over the planes, density\n"
    "                       contours, right dihedra, a rose diagram, or the\n"
    "                       Mohr diagram of the inversion (normal and shear\n"
    "                       stress on each plane), or slip or dilation tendency,\n"
    "                       or the tilt test's chart (1400 x 940 units): the\n"
    "                       plunge of the steepest stress axis and the mean\n"
    "                       misfit against the back-tilt fraction, 0 to 1.25\n"
    "  --bedding DD,DIP     the tilt test's bedding, dip direction and dip\n"
    "                       (needed for tilt-test)\n"
    "  --of poles|p|t|striations\n"
    "                       what the density diagram counts (default poles)\n"
    "  --of strike|dip-direction|trend\n"
    "                       what the rose diagram counts (default strike; petals\n"
    "                       by the square root of the count on the equal-area net)\n"
    "  --bin W              the rose's bin width in degrees, dividing 360 (default 10)\n"
    "  --of slip|dilation   what the tendency diagram shows: the normalised slip\n"
    "                       tendency Ts' (default) or the dilation tendency Td\n"
    "  --magnitudes S1,S2,S3\n"
    "                       the tendency's principal stresses, compression\n"
    "                       positive, S1 >= S2 >= S3 (needed for tendency)\n"
    "  --pore-pressure PF   the tendency's pore pressure (default 0)\n"
    "  --method kamb|one-percent\n"
    "                       how it counts (default kamb)\n"
    "  --method michael|shan|fry|yamaji-sato|angelier\n"
    "                       how the stress axes are inverted (default michael)\n"
    "  --iterate            the stress inversion's iterative option\n"
    "  --every-method       the stress axes also show every method's sigma1 and\n"
    "                       sigma3, each in its own symbol\n"
    "  --bootstrap          the stress axes also show the bootstrap confidence\n"
    "                       region of the inversion (as orniva-analyse's\n"
    "                       stress-bootstrap computes it)\n"
    "  --samples B, --seed S, --confidence C\n"
    "                       the bootstrap's resamples, seed and confidence\n"
    "                       (defaults 2000, 1, 0.95); each implies --bootstrap\n"
    "  --bootstrap-region symbols|contours\n"
    "                       the region as each kept resample's sigma1, sigma2\n"
    "                       and sigma3 in small symbols (default), or as\n"
    "                       density contours in each axis's colour, thick round\n"
    "                       90% of the kept axes and thin round the densest\n"
    "                       half; implies --bootstrap\n"
    "  --net equal-angle|equal-area\n"
    "                       stereographic (default) or Lambert equal-area net\n"
    "  --hemisphere lower|upper\n"
    "                       the hemisphere shown (default lower)\n"
    "  --grid               the 10-degree net grid under the data\n"
    "  --highlight N        draw datum N (line N of the data file) highlighted\n"
    "  --symbol-size large|medium|small\n"
    "                       size of arrows and dots (default medium)\n"
    "  --layout             the figure layout: a title, the number of data, the\n"
    "                       net and hemisphere, and a legend of the symbols\n"
    "  --title TEXT         the layout's title (default: the data file's name)\n"
    "  --width-mm W         the width of an SVG, PDF or PNG, 10 to 1000 mm\n"
    "                       (default 80)\n"
    "  --dpi N              the resolution of a PNG, 72 to 2400 (default 300)\n"
    "  --colour-by sense|phase\n"
    "                       the data in their sense's colours (default) or in\n"
    "                       their phase's colours\n"
    "  --lines LIST         only these lines in the analyses, e.g. 1-25,30\n"
    "  --subset NAME        only the data of phase NAME of the curation\n"
    "  --by-subset          one figure per phase, OUTFILE's name followed by\n"
    "                       '-' and the phase's name\n"
    "  --curation FILE      the curation file (default: DATAFILE.orniva.json\n"
    "                       when there is one): faults switched off, phases\n"
    "  -h, --help           show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "Every message on standard error names the file it is about. A data file\n"
    "of zero lines gives the empty net. Exit status: 0 when the picture was\n"
    "written, 2 on bad arguments, an unreadable data file, more than 32760\n"
    "lines or an output file that cannot be written.\n";

struct Options {
  std::string dataPath;
  std::string outputPath;
  orniva::PlotMode diagram = orniva::PlotMode::FaultPlaneAndStriation;
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
  std::optional<std::string> magnitudes, porePressure;  // read together at the end
  bool tiltTest = false;                                // the tilt test's chart instead of a net
  std::optional<std::string> beddingText;               // --bedding, read at the end
  orniva::analysis::Bedding bedding;
  bool bootstrap = false;
  std::optional<std::string> samples, seed, confidence;  // read together at the end
  orniva::analysis::BootstrapSettings bootstrapSettings;
};

// The outcome of reading the command line: run, show the help or the
// version (as `infoOption` asks), or stop with `error` (one line, without
// the program name).
struct Command {
  enum class Kind { Run, Info, Error } kind = Kind::Run;
  Options options;
  std::string infoOption, error;
};

Command Fail(std::string error) {
  Command command;
  command.kind = Command::Kind::Error;
  command.error = std::move(error);
  return command;
}

// A datum index: decimal digits only, 1 to the largest data count.
std::optional<std::int16_t> ParseHighlight(const std::string& text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > orniva::FaultSet::kMaxCount) return std::nullopt;
  return std::int16_t(value);
}

// A whole number or decimal (digits, at most one point), within [low, high].
std::optional<double> ParseNumber(const std::string& text, double low, double high, bool whole) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  double value = 0, scale = 0;
  for (char c : text) {
    if (c == '.' && !whole && scale == 0) {
      scale = 1;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    if (scale == 0) {
      value = value * 10 + (c - '0');
    } else {
      scale /= 10;
      value += (c - '0') * scale;
    }
  }
  if (text == "." || value < low || value > high) return std::nullopt;
  return value;
}

// --method: how the density diagram counts or how the stress axes are
// inverted, told apart by the name; returns an error line, empty when fine.
std::string ApplyMethod(const std::string& value, orniva::analysis::AnalysisChoices& choices) {
  if (const auto density = orniva::analysis::DensityMethodNamed(value)) {
    choices.densityMethod = *density;
  } else if (const auto stress = orniva::analysis::StressMethodNamed(value)) {
    choices.method = *stress;
  } else {
    return "unknown method '" + value +
           "' (use kamb or one-percent for density, michael, shan, fry, yamaji-sato or angelier "
           "for the stress axes)";
  }
  return {};
}

// --of: what the density or the rose diagram counts, or what the tendency
// diagram shows, told apart by the name; returns an error line, empty when
// fine.
std::string ApplyOf(const std::string& value, orniva::analysis::AnalysisChoices& choices) {
  if (const auto density = orniva::analysis::DensityOfNamed(value)) {
    choices.densityOf = *density;
  } else if (const auto rose = orniva::analysis::RoseOfNamed(value)) {
    choices.roseOf = *rose;
  } else if (const auto tendency = orniva::analysis::TendencyOfNamed(value)) {
    choices.tendency.of = *tendency;
  } else {
    return "unknown --of '" + value +
           "' (use poles, p, t or striations for density, strike, dip-direction or trend for the "
           "rose, slip or dilation for tendency)";
  }
  return {};
}

// The tendency's magnitudes into the choices; the tendency diagram needs
// them. Returns an error line, empty when fine.
std::string ApplyMagnitudes(Options& options) {
  if (!options.magnitudes) {
    if (options.diagram != orniva::PlotMode::Tendency) return {};
    return "the tendency diagram needs --magnitudes S1,S2,S3 (see --help)";
  }
  const orniva::analysis::ParsedMagnitudes parsed =
      orniva::analysis::ParseMagnitudes(*options.magnitudes, options.porePressure.value_or(""));
  if (!parsed.error.empty()) return parsed.error;
  options.choices.tendency.magnitudes = parsed.magnitudes;
  return {};
}

// The tilt test's bedding; the tilt-test diagram needs it. Returns an
// error line, empty when fine.
std::string ApplyBedding(Options& options) {
  if (!options.beddingText)
    return options.tiltTest ? "the tilt-test diagram needs --bedding DD,DIP (see --help)" : "";
  const auto numbers = orniva::analysis::NumbersOf(*options.beddingText, 2);
  if (!numbers || !((*numbers)[0] >= 0 && (*numbers)[0] <= 360) ||
      !((*numbers)[1] >= 0 && (*numbers)[1] <= 90))
    return "--bedding needs DD,DIP (dip direction 0 to 360, dip 0 to 90), not '" +
           *options.beddingText + "'";
  options.bedding = {(*numbers)[0], (*numbers)[1]};
  return {};
}

// The options kept as text: --title, --magnitudes and --pore-pressure.
// The bootstrap's settings into the options. Returns an error line, empty
// when fine.
std::string ApplyBootstrapSettings(Options& options) {
  const std::string* text[] = {options.samples ? &*options.samples : nullptr,
                               options.confidence ? &*options.confidence : nullptr,
                               options.seed ? &*options.seed : nullptr};
  for (const std::string* given : text) options.bootstrap = options.bootstrap || given;
  return orniva::analysis::ReadBootstrapSettings(text[0], text[1], text[2],
                                                 options.bootstrapSettings);
}

// --bootstrap-region, which implies --bootstrap.
std::string ApplyBootstrapRegion(const std::string& value, Options& options) {
  const auto region = orniva::analysis::BootstrapRegionNamed(value);
  if (!region) return "unknown bootstrap region '" + value + "' (use symbols or contours)";
  options.bootstrapSettings.region = *region;
  options.bootstrap = true;
  return {};
}

// The options kept as text: --title, --magnitudes, --pore-pressure and the
// bootstrap's --samples, --seed and --confidence.
std::optional<std::string>* TextOption(const std::string& name, Options& options) {
  if (name == "--title") return &options.title;
  if (name == "--magnitudes") return &options.magnitudes;
  if (name == "--pore-pressure") return &options.porePressure;
  if (name == "--bedding") return &options.beddingText;
  if (name == "--samples") return &options.samples;
  if (name == "--seed") return &options.seed;
  if (name == "--confidence") return &options.confidence;
  return nullptr;
}

// --symbol-size; returns an error line, empty when fine.
std::string ApplySymbolSize(const std::string& value, Options& options) {
  if (value == "large") {
    options.symbolSize = orniva::SymbolSize::Large;
  } else if (value == "medium") {
    options.symbolSize = orniva::SymbolSize::Medium;
  } else if (value == "small") {
    options.symbolSize = orniva::SymbolSize::Small;
  } else {
    return "unknown symbol size '" + value + "' (use large, medium or small)";
  }
  return {};
}

// --bin (the rose's bins) or --hemisphere.
std::string ApplyRoseOrHemisphere(const std::string& name, const std::string& value,
                                  Options& options) {
  if (name == "--bin") {
    const auto width = orniva::analysis::NumbersOf(value, 1);
    if (!width || !orniva::analysis::ValidRoseBin((*width)[0]))
      return "--bin needs a width in degrees that divides 360, not '" + value + "'";
    options.choices.roseBin = (*width)[0];
    return {};
  }
  const std::optional<orniva::Hemisphere> hemisphere = orniva::HemisphereNamed(value);
  if (!hemisphere) return "unknown hemisphere '" + value + "' (use lower or upper)";
  options.hemisphere = *hemisphere;
  return {};
}

// --dpi or --width-mm: the size of a figure file.
std::string ApplySizeOption(const std::string& name, const std::string& value, Options& options) {
  using orniva::render::FigureSize;
  if (name == "--dpi") {
    const auto dpi = ParseNumber(value, FigureSize::kMinDpi, FigureSize::kMaxDpi, true);
    if (!dpi) return "--dpi needs a whole number from 72 to 2400, not '" + value + "'";
    options.size.dpi = int(*dpi);
  } else {
    const auto width = ParseNumber(value, FigureSize::kMinWidthMm, FigureSize::kMaxWidthMm, false);
    if (!width) return "--width-mm needs a width from 10 to 1000 (mm), not '" + value + "'";
    options.size.widthMm = *width;
  }
  return {};
}

// The options about the curation: the colours by phase and the data chosen.
std::string ApplyCurationOption(const std::string& name, const std::string& value,
                                Options& options) {
  if (name == "--colour-by") {
    if (value != "sense" && value != "phase")
      return "unknown colouring '" + value + "' (use sense or phase)";
    options.choices.colourByPhase = value == "phase";
  } else if (name == "--lines") {
    options.scope.lines = value;
  } else if (name == "--subset") {
    options.scope.subset = value;
  } else {
    options.scope.curation = value;
  }
  return {};
}

// Applies option `name` with `value`; returns an error line, empty when fine.
std::string ApplyOption(const std::string& name, const std::string& value, Options& options) {
  if (name == "--diagram") {
    options.tiltTest = value == "tilt-test";
    if (options.tiltTest) return {};
    const std::optional<orniva::PlotMode> mode = orniva::PlotModeNamed(value);
    if (!mode)
      return "unknown diagram '" + value +
             "' (use fault-planes, tangent-lineation, poles, kinematic-axes, stress-axes, density, "
             "dihedra, rose, mohr, tendency or tilt-test)";
    options.diagram = *mode;
  } else if (name == "--of") {
    return ApplyOf(value, options.choices);
  } else if (name == "--bin" || name == "--hemisphere") {
    return ApplyRoseOrHemisphere(name, value, options);
  } else if (std::optional<std::string>* text = TextOption(name, options)) {
    *text = value;
  } else if (name == "--method") {
    return ApplyMethod(value, options.choices);
  } else if (name == "--dpi" || name == "--width-mm") {
    return ApplySizeOption(name, value, options);
  } else if (name == "--net") {
    const std::optional<orniva::NetKind> net = orniva::NetKindNamed(value);
    if (!net) return "unknown net '" + value + "' (use equal-angle or equal-area)";
    options.net = *net;
  } else if (name == "--colour-by" || name == "--lines" || name == "--subset" ||
             name == "--curation") {
    return ApplyCurationOption(name, value, options);
  } else if (name == "--bootstrap-region") {
    return ApplyBootstrapRegion(value, options);
  } else if (name == "--highlight") {
    const std::optional<std::int16_t> index = ParseHighlight(value);
    if (!index)
      return "--highlight needs a datum number from 1 to the data count, not '" + value + "'";
    options.highlight = *index;
  } else {  // --symbol-size
    return ApplySymbolSize(value, options);
  }
  return {};
}

// `command` with its DATAFILE and OUTFILE, the figure's format by the
// latter's extension.
Command WithOperands(Command command, const std::vector<std::string>& operands) {
  if (operands.size() < 2) return Fail("expected DATAFILE and OUTFILE (see --help)");
  if (operands.size() > 2) return Fail("unexpected argument '" + operands[2] + "'");
  command.options.dataPath = operands[0];
  command.options.outputPath = operands[1];
  const auto format = orniva::render::FigureFormatOf(command.options.outputPath);
  if (!format)
    return Fail(command.options.outputPath + ": output file must end in .emf, .svg, .pdf or .png");
  command.options.format = *format;
  return command;
}

// Options and operands may come in any order; an option takes its value as
// the next argument or after '='. "--" ends the options.
// The option that switches something on, or none.
bool* FlagNamed(const std::string& arg, Options& options) {
  if (arg == "--iterate") return &options.choices.iterate;
  if (arg == "--every-method") return &options.choices.everyMethod;
  if (arg == "--layout") return &options.layout;
  if (arg == "--by-subset") return &options.scope.bySubset;
  if (arg == "--grid") return &options.grid;
  if (arg == "--bootstrap") return &options.bootstrap;
  return nullptr;
}

// Whether `name` is an option that takes a value.
bool TakesValue(const std::string& name) {
  static const char* const kNames[] = {"--diagram",
                                       "--highlight",
                                       "--symbol-size",
                                       "--net",
                                       "--of",
                                       "--method",
                                       "--title",
                                       "--dpi",
                                       "--width-mm",
                                       "--colour-by",
                                       "--lines",
                                       "--subset",
                                       "--curation",
                                       "--hemisphere",
                                       "--bin",
                                       "--magnitudes",
                                       "--pore-pressure",
                                       "--samples",
                                       "--seed",
                                       "--confidence",
                                       "--bootstrap-region",
                                       "--bedding"};
  return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

Command ParseCommandLine(const std::vector<std::string>& args) {
  Command command;
  std::vector<std::string> operands;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (orniva::cli::IsHelpOrVersion(arg)) {
      command.kind = Command::Kind::Info;
      command.infoOption = arg;
      return command;
    }
    if (bool* flag = FlagNamed(arg, command.options)) {
      *flag = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (!TakesValue(name)) return Fail("unknown option '" + arg + "'");
    const std::optional<std::string> value = orniva::cli::OptionValue(args, i);
    if (!value) return Fail("option '" + name + "' needs a value");
    const std::string error = ApplyOption(name, *value, command.options);
    if (!error.empty()) return Fail(error);
  }
  if (const std::string error = ApplyMagnitudes(command.options); !error.empty())
    return Fail(error);
  if (const std::string error = ApplyBedding(command.options); !error.empty()) return Fail(error);
  if (const std::string error = ApplyBootstrapSettings(command.options); !error.empty())
    return Fail(error);
  return WithOperands(std::move(command), operands);
}

void Report(const std::string& line) { orniva::cli::Report(kProgram, line); }

// The data file's name without its folder: the layout's default title.
std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
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
  if (!options.bootstrap || options.diagram != orniva::PlotMode::StressAxes) return;
  auto bootstrap =
      std::make_shared<orniva::analysis::StressBootstrap>(orniva::analysis::BootstrapStress(
          orniva::analysis::SetupOf(study), options.bootstrapSettings));
  if (bootstrap->error.empty())
    study.SetBootstrap(bootstrap, study.StressKey());
  else
    Report(options.dataPath + ": bootstrap: " + bootstrap->error);
}

// Draws the figure of `study` and writes it to `outputPath`.
int WriteFigure(orniva::analysis::Study& study, const Options& options,
                const std::string& outputPath) {
  if (options.tiltTest) return WriteTiltTest(study, options, outputPath);
  Bootstrap(study, options);
  const orniva::FaultSet& data = study.data();
  orniva::FigureRequest request;
  request.mode = options.diagram;
  orniva::InitNetGeometry(request.geometry);
  request.geometry.kind = options.net;
  request.geometry.hemisphere = options.hemisphere;
  request.geometry.grid = options.grid;
  request.symbolSize = options.symbolSize;
  request.highlight = options.highlight;
  request.layout = options.layout;
  request.title = options.title ? *options.title : FileNameOf(options.dataPath);
  const orniva::DiagramFigures figures =
      orniva::FiguresFor(options.diagram, study, request.geometry);
  int zeroDivides = 0;
  const orniva::Picture picture = orniva::DrawFigure(data, request, figures, &zeroDivides);
  for (int k = 0; k < zeroDivides; ++k)
    orniva::cli::ReportMessage(kProgram, options.dataPath,
                               orniva::directional_operations::kZeroDivideMessage);
  return WritePicture(picture, options, outputPath);
}

// OUTFILE for phase `name`: "-" and the name (a path separator in it made
// "_") before the extension.
std::string PhaseOutputPath(const std::string& outputPath, std::string name) {
  for (char& c : name)
    if (c == '/' || c == '\\') c = '_';
  const std::size_t dot = outputPath.find_last_of('.');
  return outputPath.substr(0, dot) + "-" + name + outputPath.substr(dot);
}

int Run(const Options& options) {
  orniva::analysis::Study study;
  const auto verdict =
      orniva::cli::LoadDataFile(kProgram, options.dataPath, options.scope.curation, study);
  if (!verdict) return kFailure;
  study.SetChoices(options.choices);
  if (options.highlight > study.data().count()) {
    Report(options.dataPath + ": --highlight " + std::to_string(options.highlight) +
           " is beyond its " + std::to_string(study.data().count()) + " data");
    return kFailure;
  }
  const std::string refused = orniva::cli::ApplyScope(
      *verdict, options.scope, study, [](const std::string& line) { Report(line); });
  if (!refused.empty()) {
    Report(refused);
    return kFailure;
  }
  if (!options.scope.bySubset) return WriteFigure(study, options, options.outputPath);
  const std::vector<orniva::analysis::PhaseInfo> phases = study.curation().phases;
  for (std::size_t k = 0; k < phases.size(); ++k) {
    study.SetScope(int(k) + 1);
    if (const int status =
            WriteFigure(study, options, PhaseOutputPath(options.outputPath, phases[k].name)))
      return status;
  }
  return 0;
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
  const Command command = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (command.kind == Command::Kind::Info)
    return orniva::cli::ShowHelpOrVersion(kProgram, command.infoOption, kUsage);
  if (command.kind == Command::Kind::Error) {
    Report(command.error);
    return kFailure;
  }
  // Text and rasters need Qt's fonts, which need a GUI application; a
  // batch tool has no screen to show it on.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtWarnings);
  QGuiApplication application(argc, argv);
  try {
    return Run(command.options);
  } catch (const std::exception& error) {
    Report(command.options.dataPath + ": " + error.what());
    return kFailure;
  }
}
