#include "plot/tendency_diagram.h"

#include "analysis/fault_vectors.h"
#include "analysis/net_projection.h"
#include "math/numeric.h"

namespace orniva {

namespace {

using Orientation = directional_operations::Orientation;

Orientation Stored(math::TrendPlunge line) {
  return {numeric::Store(line.trend), numeric::Store(line.plunge)};
}

// Each level as a label; the first names the field.
std::vector<std::string> LevelLabels(const std::vector<double>& levels, analysis::TendencyOf of) {
  std::vector<std::string> labels;
  for (double level : levels)
    labels.push_back(labels.empty() ? TendencyName(of) + " " + LevelLabel(level)
                                    : LevelLabel(level));
  return labels;
}

// The poles of the faults the study uses, by line.
std::vector<std::optional<Orientation>> PolesInUse(const analysis::Study& study) {
  const FaultSet& data = study.data();
  const std::vector<bool>* use = study.InUse();
  std::vector<std::optional<Orientation>> poles(data.size());
  for (std::size_t i = 1; i <= std::size_t(data.count()); ++i) {
    if (data[i].failedChecks != 0 || (use && !(*use)[i])) continue;
    poles[i] = Stored(math::LowerHemisphereLine(-analysis::NormalOf(data[i])));
  }
  return poles;
}

}  // namespace

std::vector<double> TendencyLevels() { return {0, 0.2, 0.4, 0.6, 0.8}; }

std::string TendencyName(analysis::TendencyOf of) {
  return of == analysis::TendencyOf::Slip ? "Ts\u2032" : "Td";
}

FieldFigure TendencyField(const analysis::Study& study, const NetGeometry& geometry) {
  const analysis::TendencyChoice& choice = study.choices().tendency;
  const analysis::StressResult& stress = study.Stress();
  analysis::TendencyStress tendency;
  tendency.error = "no magnitudes";
  if (choice.magnitudes && stress.error.empty())
    tendency = analysis::MakeTendencyStress(*choice.magnitudes, stress.axes);
  FieldFigure figure;
  if (tendency.error.empty()) {
    const analysis::NetFrame frame{double(geometry.netCentre.x), double(geometry.netCentre.y),
                                   double(geometry.netRadius)};
    const analysis::DrawingGrid grid = MakeDrawingGrid(geometry.kind, frame, kFieldGridSize);
    const std::vector<double> levels = TendencyLevels();
    figure = FieldOf(grid, analysis::TendencyValues(tendency, choice.of, grid.nodes), levels,
                     LevelLabels(levels, choice.of));
    for (std::size_t k = 0; k < 3; ++k)
      figure.labels.push_back({Stored(stress.axes[k]), "\u03C3" + std::to_string(k + 1)});
  }
  figure.points = PolesInUse(study);
  return figure;
}

}  // namespace orniva
