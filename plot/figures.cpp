#include "plot/figures.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <limits>

#include "analysis/confidence_region.h"
#include "analysis/contours.h"
#include "analysis/dihedra.h"
#include "analysis/kinematics.h"
#include "analysis/stress_bootstrap.h"
#include "analysis/mohr.h"
#include "analysis/stress_inversion.h"
#include "analysis/stress_summary.h"
#include "analysis/study.h"
#include "data/colours.h"
#include "math/numeric.h"
#include "plot/pick_points.h"
#include "plot/tendency_diagram.h"

namespace orniva {

using namespace analysis;

namespace {

using Orientation = directional_operations::Orientation;

Orientation Stored(math::TrendPlunge line) {
  return {numeric::Store(line.trend), numeric::Store(line.plunge)};
}

AxisTriple Stored(const math::TrendPlunge& p, const math::TrendPlunge& t,
                  const math::TrendPlunge& b) {
  return {Stored(p), Stored(t), Stored(b)};
}

KinematicAxesFigure KinematicFigure(const Study& study) {
  const KinematicsResult& result = study.Kinematics();
  KinematicAxesFigure figure;
  figure.perDatum.resize(study.data().size());
  for (const KinematicAxes& f : result.faults)
    figure.perDatum[std::size_t(f.line)] = Stored(f.p, f.t, f.b);
  if (!result.faults.empty()) {
    const auto& axes = result.bingham.axes;  // T, B, P
    figure.summary = Stored(axes[2], axes[0], axes[1]);
  }
  return figure;
}

// Each method's sigma1 and sigma3, leaving out the methods that refused.
std::vector<StressAxesFigure::MethodAxes> EveryMethodsAxes(const Study& study) {
  std::vector<StressAxesFigure::MethodAxes> methods;
  const std::array<StressResult, 5> results = study.StressByEveryMethod();
  for (std::size_t k = 0; k < results.size(); ++k)
    if (results[k].error.empty())
      methods.push_back({k, Stored(results[k].axes[0]), Stored(results[k].axes[2])});
  return methods;
}

TPoint ToPlot(NetPoint p) { return {numeric::RoundToPlot(p.x), numeric::RoundToPlot(p.y)}; }

// Each axis's region as density contours on the field's grid.
void RegionLines(const StressBootstrap& bootstrap, const NetGeometry& geometry,
                 StressAxesFigure& figure) {
  const DrawingGrid grid =
      MakeDrawingGrid(geometry.kind, FrameOf(geometry), kFieldGridSize, geometry.hemisphere);
  for (std::size_t k = 0; k < 3; ++k) {
    std::vector<math::Vector3d> axes;
    for (const BootstrapSolution& s : bootstrap.kept)
      axes.push_back(math::LineVector(s.axes[k].trend, s.axes[k].plunge));
    for (const ContourLine& line : AxisRegionOf(grid, axes).lines) {
      StressAxesFigure::RegionLine drawn{k, line.level == 1, {}};
      for (NetPoint p : line.points) drawn.points.push_back(ToPlot(p));
      figure.confidenceLines.push_back(std::move(drawn));
    }
  }
}

// The kept resamples' axes and how many of how many were kept.
void ConfidenceRegion(const StressBootstrap& bootstrap, const NetGeometry& geometry,
                      StressAxesFigure& figure) {
  for (const BootstrapSolution& s : bootstrap.kept)
    figure.confidence.push_back({Stored(s.axes[0]), Stored(s.axes[1]), Stored(s.axes[2])});
  char note[120];
  std::snprintf(note, sizeof note, "Bootstrap region: %g%% of %d resamples (Michael 1987)",
                100 * bootstrap.settings.confidence, bootstrap.settings.samples);
  figure.confidenceNote = note;
  figure.summary.push_back(figure.confidenceNote);
  if (bootstrap.settings.region == BootstrapRegion::Contours) {
    RegionLines(bootstrap, geometry, figure);
    figure.summary.push_back("Its lines round 90% and 50% of the kept axes");
  }
}

StressAxesFigure StressFigure(const Study& study, const NetGeometry& geometry) {
  StressAxesFigure figure;
  const FaultSet& data = study.data();
  const AnalysisChoices& choices = study.choices();
  const StressResult& result = study.StressInView();
  if (const std::vector<bool>* use = study.InUse()) {
    figure.switchedOut.resize(data.size());
    for (std::size_t i = 1; i < data.size(); ++i) figure.switchedOut[i] = !(*use)[i];
  }
  if (result.error.empty()) {
    figure.axes = {Stored(result.axes[0]), Stored(result.axes[1]), Stored(result.axes[2])};
    figure.phi = result.phi;
    figure.summary = StressSummaryLines(result, study.givenStress().has_value());
  }
  if (choices.everyMethod) figure.methods = EveryMethodsAxes(study);
  if (const StressBootstrap* bootstrap = study.Bootstrap())
    ConfidenceRegion(*bootstrap, geometry, figure);
  return figure;
}

TColor ParseColour(const std::string& hex) {
  unsigned r = 0, g = 0, b = 0;
  if (std::sscanf(hex.c_str(), "#%2x%2x%2x", &r, &g, &b) != 3) return clSilver;
  return Rgb(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b));
}

// Grey for the data the analyses leave out; with colours by phase, each
// phase's colour for its data.
std::vector<TColor> DataColours(const Study& study) {
  const std::vector<bool>* use = study.InUse();
  const CurationState& curation = study.curation();
  const bool byPhase = study.choices().colourByPhase && !curation.phases.empty();
  if (!use && !byPhase) return {};
  std::vector<TColor> phaseColours;
  for (const PhaseInfo& phase : curation.phases) phaseColours.push_back(ParseColour(phase.colour));
  std::vector<TColor> colours(study.data().size(), kOwnColour);
  for (std::size_t i = 1; i < colours.size(); ++i) {
    const int phase = i < curation.phase.size() ? curation.phase[i] : 0;
    if (use && !(*use)[i])
      colours[i] = kSwitchedOutGrey;
    else if (byPhase && phase > 0)
      colours[i] = phaseColours[std::size_t(phase - 1)];
  }
  return colours;
}

MohrFigure MohrFigureOf(const Study& study) {
  MohrFigure figure;
  const MohrResult mohr = MohrOf(study.EveryFault(), study.StressInView());
  if (!mohr.error.empty()) return figure;
  figure.principal = mohr.principal;
  figure.points.resize(study.data().size());
  figure.switchedOut.resize(study.data().size());
  for (const MohrDatum& d : mohr.faults) {
    figure.points[std::size_t(d.line)] = MohrFigure::Point{d.sigmaN, d.tau};
    figure.switchedOut[std::size_t(d.line)] = !d.used;
  }
  return figure;
}

std::string WorldStressMapName(const std::string& regime) {
  static const std::pair<const char*, const char*> kNames[] = {
      {"NF", "normal faulting"},
      {"NS", "normal faulting with strike-slip"},
      {"SS", "strike-slip faulting"},
      {"TS", "thrust faulting with strike-slip"},
      {"TF", "thrust faulting"}};
  for (const auto& [code, name] : kNames)
    if (regime == code) return name;
  return "unknown";
}

// The legend's words for the colours of DataColours.
std::vector<std::pair<TColor, std::string>> ColourNames(const Study& study) {
  std::vector<std::pair<TColor, std::string>> names = {
      {kSwitchedOutGrey, "Left out of the analyses"}};
  if (study.choices().colourByPhase)
    for (const PhaseInfo& phase : study.curation().phases)
      names.emplace_back(ParseColour(phase.colour), PhaseTitle(phase.name));
  return names;
}

std::vector<std::string> Labels(const std::vector<double>& levels, const char* unit) {
  std::vector<std::string> labels;
  for (double level : levels) labels.push_back(LevelLabel(level, unit));
  return labels;
}

double InsideMaximum(const DrawingGrid& grid, const std::vector<double>& values) {
  double maximum = std::numeric_limits<double>::quiet_NaN();
  for (std::size_t i = 0; i < values.size() && i < grid.inside.size(); ++i) {
    if (!grid.inside[i] || std::isnan(values[i])) continue;
    if (std::isnan(maximum) || values[i] > maximum) maximum = values[i];
  }
  return maximum;
}

// The inside node of value `target` (within 1e-9) nearest the axial mean
// of all such nodes (the leading eigenvector of their orientation tensor),
// as a line: the middle of a region, also of one that is split across the
// primitive circle. None when no node has the value.
std::optional<Orientation> RegionCentre(const DrawingGrid& grid, const std::vector<double>& values,
                                        double target) {
  auto inRegion = [&](std::size_t k) {
    return grid.inside[k] && std::fabs(values[k] - target) <= 1e-9;
  };
  math::Matrix3d tensor{};
  bool any = false;
  for (std::size_t k = 0; k < grid.nodes.size() && k < values.size(); ++k) {
    if (!inRegion(k)) continue;
    const math::Vector3d& d = grid.nodes[k];
    const double c[3] = {d.x, d.y, d.z};
    for (int i = 0; i < 3; ++i)
      for (int j = 0; j < 3; ++j) tensor[std::size_t(i)][std::size_t(j)] += c[i] * c[j];
    any = true;
  }
  if (!any) return std::nullopt;
  const math::Vector3d mean = math::EigenSymmetric(tensor).vectors[2];
  std::size_t best = 0;
  double bestCosine = -1;
  for (std::size_t k = 0; k < grid.nodes.size() && k < values.size(); ++k) {
    if (!inRegion(k)) continue;
    const double cosine = std::fabs(math::Dot(grid.nodes[k], mean));
    if (cosine > bestCosine) bestCosine = cosine, best = k;
  }
  return Stored(math::LowerHemisphereLine(grid.nodes[best]));
}

double InsideMinimum(const DrawingGrid& grid, const std::vector<double>& values) {
  std::vector<double> negated(values.size());
  std::transform(values.begin(), values.end(), negated.begin(), [](double v) { return -v; });
  return -InsideMaximum(grid, negated);
}

// "34 poles", "1 P axis" ...
std::string Counted(std::size_t n, analysis::DensityOf of) {
  static const char* const kNames[][2] = {
      {"pole", "poles"}, {"P axis", "P axes"}, {"T axis", "T axes"}, {"striation", "striations"}};
  return std::to_string(n) + " " + kNames[std::size_t(of) % 4][n == 1 ? 0 : 1];
}

// The layout's line that names a density's method and what it counted.

// The layout's lines that say what the right dihedra's colours and labels
// mean: the share of the faults whose compressional dihedron holds a
// direction, sigma1 at the highest share and sigma3 at the lowest.
std::vector<std::string> DihedraNotes(std::size_t n, double highest, double lowest) {
  std::vector<std::string> notes = {"Right dihedra of " + std::to_string(n) +
                                        (n == 1 ? " fault" : " faults") +
                                        " (Angelier and Mechler 1977)",
                                    "%: faults whose compressional dihedron holds the direction"};
  if (std::isnan(highest)) return notes;
  notes.push_back("Dark red compressional: \u03C31 at the highest share (" +
                  LevelLabel(std::round(highest), " %") + ")");
  notes.push_back("Pale yellow extensional: \u03C33 at the lowest share (" +
                  LevelLabel(std::round(lowest), " %") + ")");
  return notes;
}

void DensityFigure(const Study& study, const NetGeometry& geometry, DiagramFigures& figures) {
  const FaultSet& data = study.data();
  const AnalysisChoices& choices = study.choices();
  const UsedFaults used = CollectUsedFaults(data, study.InUse());
  const std::vector<math::Vector3d> directions = DensityDirections(used.faults, choices.densityOf);
  figures.field = DensityField(directions, choices.densityMethod, geometry);
  figures.field.points.resize(data.size());
  std::size_t counted = 0;
  for (std::size_t k = 0; k < used.faults.size(); ++k) {
    const math::Vector3d& d = directions[k];
    if (d.x == 0 && d.y == 0 && d.z == 0) continue;
    figures.field.points[std::size_t(used.faults[k].line)] = Stored(math::LowerHemisphereLine(d));
    ++counted;
  }
  figures.field.notes = {DensityNote(choices.densityMethod, Counted(counted, choices.densityOf))};
}

void DihedraFigure(const Study& study, const NetGeometry& geometry, DiagramFigures& figures) {
  const AnalysisChoices& choices = study.choices();
  const UsedFaults used = CollectUsedFaults(study.data(), study.InUse());
  const DrawingGrid grid =
      MakeDrawingGrid(geometry.kind, FrameOf(geometry), kFieldGridSize, geometry.hemisphere);
  const std::vector<double> values = DihedraValues(used.faults, grid.nodes);
  const std::vector<double> levels = used.faults.empty() ? std::vector<double>{} : DihedraLevels();
  figures.field = FieldOf(grid, values, levels, Labels(levels, " %"));
  figures.field.planes = choices.dihedraPlanes;
  // sigma1 at the middle of the highest share, sigma3 of the lowest: a
  // mixed population may hold no direction compatible with every fault.
  const double highest = used.faults.empty() ? std::nan("") : InsideMaximum(grid, values);
  const double lowest = used.faults.empty() ? std::nan("") : InsideMinimum(grid, values);
  if (const auto at = RegionCentre(grid, values, highest))
    figures.field.labels.push_back({*at, "\u03C31"});
  if (const auto at = RegionCentre(grid, values, lowest))
    figures.field.labels.push_back({*at, "\u03C33"});
  figures.field.notes = DihedraNotes(used.faults.size(), highest, lowest);
}

}  // namespace

std::string LevelLabel(double level, const char* unit) {
  char text[32];
  std::snprintf(text, sizeof text, "%g%s", level, unit);
  return text;
}

std::string DensityNote(DensityMethod method, const std::string& counted) {
  if (method == DensityMethod::Kamb)
    return "Kamb (1959) contours of " + counted + ", every 2\u03C3 (uniform: 3\u03C3)";
  return "One per cent counting (Schmidt) of " + counted + ", % per 1 % of the area";
}

FieldFigure DensityField(const std::vector<math::Vector3d>& directions, DensityMethod method,
                         const NetGeometry& geometry) {
  const DrawingGrid grid =
      MakeDrawingGrid(geometry.kind, FrameOf(geometry), kFieldGridSize, geometry.hemisphere);
  const std::vector<double> values = DensityValues(directions, method, grid.nodes);
  const std::vector<double> levels = DensityLevels(method, InsideMaximum(grid, values));
  return FieldOf(grid, values, levels,
                 Labels(levels, method == DensityMethod::Kamb ? "\u03C3" : " %"));
}

FieldFigure FieldOf(const DrawingGrid& grid, const std::vector<double>& values,
                    const std::vector<double>& levels, std::vector<std::string> labels) {
  FieldFigure figure;
  const Contours contours = ContourGrid(grid, values, levels);
  for (const FillPolygon& fill : contours.fills) {
    FieldFigure::Band band{fill.level, {}};
    band.points.reserve(fill.points.size());
    for (NetPoint p : fill.points) band.points.push_back(ToPlot(p));
    figure.bands.push_back(std::move(band));
  }
  for (const ContourLine& line : contours.lines) {
    std::vector<TPoint> points;
    points.reserve(line.points.size());
    for (NetPoint p : line.points) points.push_back(ToPlot(p));
    figure.lines.push_back(std::move(points));
  }
  for (std::size_t k = 0; k < levels.size(); ++k)
    figure.levelColours.push_back(RampColour(k, levels.size()));
  figure.levelLabels = std::move(labels);
  return figure;
}

DiagramFigures FiguresFor(PlotMode mode, const FaultSet& data, const NetGeometry& geometry,
                          const AnalysisChoices& choices) {
  Study study;
  study.data() = data;
  study.SetChoices(choices);
  return FiguresFor(mode, study, geometry);
}

namespace {

// What diagram `mode` draws of an analysis, into `figures`.
void AddAnalysisFigure(PlotMode mode, const Study& study, const NetGeometry& geometry,
                       DiagramFigures& figures) {
  const AnalysisChoices& choices = study.choices();
  switch (mode) {
    case PlotMode::KinematicAxes:
      figures.kinematicAxes = KinematicFigure(study);
      figures.hasKinematicAxes = true;
      break;
    case PlotMode::StressAxes:
      figures.stressAxes = StressFigure(study, geometry);
      figures.hasStressAxes = true;
      break;
    case PlotMode::Density:
      DensityFigure(study, geometry, figures);
      figures.hasField = true;
      figures.densityOf = choices.densityOf;
      break;
    case PlotMode::RightDihedra:
      DihedraFigure(study, geometry, figures);
      figures.hasField = true;
      break;
    case PlotMode::Rose:
      figures.rose =
          RoseFigureOf(CountRose(study.data(), study.InUse(), choices.roseOf, choices.roseBin),
                       choices.roseOf, geometry.kind);
      figures.hasRose = true;
      break;
    case PlotMode::Mohr:
      figures.mohr = MohrFigureOf(study);
      figures.hasMohr = true;
      break;
    case PlotMode::Tendency:
      figures.field = TendencyField(study, geometry);
      figures.hasField = true;
      break;
    default:
      break;
  }
}

}  // namespace

DiagramFigures FiguresFor(PlotMode mode, const Study& study, const NetGeometry& geometry) {
  static std::atomic<std::uint64_t> lastRevision{0};
  DiagramFigures figures;
  figures.revision = ++lastRevision;
  if (study.InUse()) figures.inUse = *study.InUse();
  figures.dataColours = DataColours(study);
  if (!figures.dataColours.empty()) figures.colourNames = ColourNames(study);
  AddAnalysisFigure(mode, study, geometry, figures);
  return figures;
}

DataCount DataDrawn(PlotMode mode, const FaultSet& data, const std::vector<bool>& inUse) {
  const bool analysed = mode == PlotMode::KinematicAxes || mode == PlotMode::Density ||
                        mode == PlotMode::RightDihedra || mode == PlotMode::Rose ||
                        mode == PlotMode::Mohr || mode == PlotMode::Tendency;
  DataCount count;
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
    if (!(analysed ? data[i].failedChecks == 0 : PlaneDrawable(data[i]))) continue;
    ++count.all;
    count.inUse += inUse.empty() || inUse[i] ? 1 : 0;
  }
  return count;
}

Picture DrawFigure(const FaultSet& data, const FigureRequest& request,
                   const DiagramFigures& figures, int* zeroDivides) {
  Picture diagram;
  PlotTarget target;
  target.picture = &diagram;
  target.geometry = request.geometry;
  target.symbolSize = request.symbolSize;
  target.smoothCurves = true;  // for the files that draw finer than a plot unit
  const DiagramInputs inputs = figures.Inputs(request.layout);
  PlotDiagram(request.mode, data, target, request.highlight, inputs);
  if (zeroDivides) *zeroDivides = target.zeroDivides;
  if (!request.layout) return diagram;
  FigureCaption caption;
  caption.title = request.title;
  const DataCount count = DataDrawn(request.mode, data, figures.inUse);
  caption.count = count.inUse;
  caption.total = count.inUse < count.all ? count.all : 0;
  caption.net = request.geometry.kind;
  caption.hemisphere = request.geometry.hemisphere;
  if (request.mode == PlotMode::Rose && figures.hasRose)
    caption.netText = RoseCaption(figures.rose);
  if (request.mode == PlotMode::Mohr) caption.netText = "Angelier's normalisation";
  if (request.mode == PlotMode::StressAxes && inputs.stressAxes)
    caption.notes = inputs.stressAxes->summary;
  if ((request.mode == PlotMode::Density || request.mode == PlotMode::RightDihedra) && inputs.field)
    caption.notes = inputs.field->notes;
  if (request.mode != PlotMode::Mohr) caption.north = NorthTickEnd(request.geometry);
  LegendSource legend{request.mode, &data, inputs,
                      SymbolRadius(target.geometry, target.symbolSize)};
  // Only a highlight that was drawn is repeated after the data.
  if (!diagram.repeats().empty()) legend.highlight = std::size_t(request.highlight);
  legend.densityOf = figures.densityOf;
  return LayoutFigure(diagram, caption, LegendOf(legend));
}

std::vector<std::string> StressSummaryLines(const StressResult& result, bool given) {
  const StressCharacter c = CharacterOf(result);
  std::vector<std::string> lines;
  if (given) lines.push_back("\u03C31, \u03C33 and \u03A6 given, not inverted");
  lines.push_back("R\u2032 = " + FormatValue(c.rPrime) + ", " + c.regime +
                  ": stress-regime index, 0 to 3");
  lines.push_back(std::string("World Stress Map regime ") + c.wsmRegime + ": " +
                  WorldStressMapName(c.wsmRegime));
  if (!c.shMax) {
    lines.push_back("SHmax, SHmin: none, horizontal stress equal all round");
    return lines;
  }
  lines.push_back("SHmax = " + FormatAngle(*c.shMax) +
                  "\u00B0: azimuth of the greatest horizontal compression");
  lines.push_back("SHmin = " + FormatAngle(*c.shMin) +
                  "\u00B0: azimuth of the least horizontal compression");
  return lines;
}

const DiagramFigures& DiagramFiguresCache::For(PlotMode mode, const Study& study,
                                               const NetGeometry& geometry) {
  const Key key{study.generation(), mode, geometry.kind, geometry.hemisphere};
  if (key_ != key) {
    figures_ = FiguresFor(mode, study, geometry);
    key_ = key;
  }
  return figures_;
}

}  // namespace orniva
