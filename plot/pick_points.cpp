#include "plot/pick_points.h"

#include "plot/mohr_diagram.h"

namespace orniva {

using analysis::DensityOf;
using analysis::ProjectedDatum;

std::vector<analysis::DatumDirection> PickDirections(PlotMode mode, const FaultSet& data,
                                                     const DiagramFigures& figures) {
  switch (mode) {
    case PlotMode::FaultPlaneAndStriation:
    case PlotMode::StressAxes:
      return analysis::DirectionsOf(data, nullptr, DensityOf::Striations);
    case PlotMode::KinematicAxes:
    case PlotMode::RightDihedra: {
      std::vector<analysis::DatumDirection> both =
          analysis::DirectionsOf(data, nullptr, DensityOf::PAxes);
      const auto t = analysis::DirectionsOf(data, nullptr, DensityOf::TAxes);
      both.insert(both.end(), t.begin(), t.end());
      return both;
    }
    case PlotMode::Density:
      return analysis::DirectionsOf(data, nullptr, figures.densityOf);
    default:
      return analysis::DirectionsOf(data, nullptr, DensityOf::Poles);
  }
}

namespace {

std::vector<ProjectedDatum> MohrPoints(const MohrFigure& figure) {
  std::vector<ProjectedDatum> points;
  for (std::size_t line = 1; line < figure.points.size(); ++line)
    if (const auto& p = figure.points[line]) {
      const TPoint at = MohrToPlot(p->sigmaN, p->tau);
      points.push_back({int(line), {double(at.x), double(at.y)}, std::nullopt});
    }
  return points;
}

}  // namespace

analysis::NetFrame FrameOf(const NetGeometry& g) {
  return analysis::NetFrame{double(g.netCentre.x), double(g.netCentre.y), double(g.netRadius)};
}

bool DrawsOnNet(PlotMode mode) { return mode != PlotMode::Rose && mode != PlotMode::Mohr; }

std::vector<ProjectedDatum> PickPoints(PlotMode mode, const FaultSet& data,
                                       const NetGeometry& geometry, const DiagramFigures& figures) {
  if (mode == PlotMode::Mohr)
    return figures.hasMohr ? MohrPoints(figures.mohr) : std::vector<ProjectedDatum>();
  if (!DrawsOnNet(mode)) return {};
  return analysis::ProjectDirections(PickDirections(mode, data, figures), geometry.kind,
                                     geometry.hemisphere, FrameOf(geometry));
}

std::optional<math::TrendPlunge> LineUnder(PlotMode mode, const NetGeometry& geometry,
                                           analysis::NetPoint point) {
  if (!DrawsOnNet(mode)) return std::nullopt;
  return analysis::LineAtNetPoint(geometry.kind, geometry.hemisphere, FrameOf(geometry), point);
}

}  // namespace orniva
