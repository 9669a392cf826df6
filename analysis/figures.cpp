#include "analysis/figures.h"

#include "analysis/kinematics.h"
#include "math/numeric.h"

namespace orniva::analysis {

namespace {

directional_operations::Orientation Stored(math::TrendPlunge line) {
  return {numeric::Store(line.trend), numeric::Store(line.plunge)};
}

AxisTriple Stored(const math::TrendPlunge& p, const math::TrendPlunge& t,
                  const math::TrendPlunge& b) {
  return {Stored(p), Stored(t), Stored(b)};
}

KinematicAxesFigure KinematicFigure(const FaultSet& data) {
  const KinematicsResult result = ComputeKinematics(data);
  KinematicAxesFigure figure;
  figure.perDatum.resize(data.size());
  for (const KinematicAxes& f : result.faults)
    figure.perDatum[std::size_t(f.line)] = Stored(f.p, f.t, f.b);
  if (!result.faults.empty()) {
    const auto& axes = result.bingham.axes;  // T, B, P
    figure.summary = Stored(axes[2], axes[0], axes[1]);
  }
  return figure;
}

}  // namespace

DiagramFigures FiguresFor(PlotMode mode, const FaultSet& data) {
  DiagramFigures figures;
  if (mode == PlotMode::KinematicAxes) {
    figures.kinematicAxes = KinematicFigure(data);
    figures.hasKinematicAxes = true;
  }
  return figures;
}

}  // namespace orniva::analysis
