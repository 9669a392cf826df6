#include "plot/diagram.h"

#include "platform/names.h"
#include "plot/tangent_lineation_diagram.h"

namespace orniva {

bool NeedsAnalysis(PlotMode mode) {
  return mode == PlotMode::KinematicAxes || mode == PlotMode::StressAxes ||
         mode == PlotMode::Density || mode == PlotMode::RightDihedra || mode == PlotMode::Rose ||
         mode == PlotMode::Mohr || mode == PlotMode::Tendency;
}

namespace {

void DrawDiagram(PlotMode mode, const FaultSet& data, PlotTarget& target,
                 std::int16_t highlightIndex, const DiagramInputs& inputs) {
  switch (mode) {
    case PlotMode::FaultPlaneAndStriation:
      PlotFaultPlanes(data, target, highlightIndex, inputs.dataColours);
      return;
    case PlotMode::TangentLineation:
      PlotTangentLineation(data, target, highlightIndex);
      return;
    case PlotMode::Poles:
      PlotPoles(data, target, highlightIndex, inputs.dataColours);
      return;
    case PlotMode::KinematicAxes:
      if (inputs.kinematicAxes)
        PlotKinematicAxes(data, *inputs.kinematicAxes, target, highlightIndex, inputs.dataColours);
      else
        RenderPlot(target, nullptr);
      return;
    case PlotMode::StressAxes:
      if (inputs.stressAxes)
        PlotStressAxes(data, *inputs.stressAxes, target, highlightIndex, inputs.layout,
                       inputs.dataColours);
      else
        RenderPlot(target, nullptr);
      return;
    case PlotMode::Density:
    case PlotMode::RightDihedra:
    case PlotMode::Tendency:
      if (inputs.field)
        PlotField(data, *inputs.field, target, highlightIndex, inputs.layout);
      else
        RenderPlot(target, nullptr);
      return;
    case PlotMode::Rose:
      if (inputs.rose)
        PlotRose(*inputs.rose, target);
      else
        RenderPlot(target, nullptr);
      return;
    case PlotMode::Mohr:
      PlotMohr(data, inputs.mohr ? *inputs.mohr : MohrFigure{}, target, highlightIndex,
               inputs.layout);
      return;
  }
}

}  // namespace

void PlotDiagram(PlotMode mode, const FaultSet& data, PlotTarget& target,
                 std::int16_t highlightIndex, const DiagramInputs& inputs) {
  target.zeroDivides = 0;
  if (target.cache)
    target.drawingKey = target.cache->DrawingKey(data, mode, target, inputs.revision);
  DrawDiagram(mode, data, target, highlightIndex, inputs);
  if (target.cache) target.zeroDivides += target.cache->greatCircles.TakeZeroDivides();
}

namespace {
constexpr Named<PlotMode> kModeNames[] = {
    {"fault-planes", PlotMode::FaultPlaneAndStriation},
    {"tangent-lineation", PlotMode::TangentLineation},
    {"poles", PlotMode::Poles},
    {"kinematic-axes", PlotMode::KinematicAxes},
    {"stress-axes", PlotMode::StressAxes},
    {"density", PlotMode::Density},
    {"dihedra", PlotMode::RightDihedra},
    {"rose", PlotMode::Rose},
    {"mohr", PlotMode::Mohr},
    {"tendency", PlotMode::Tendency},
};
constexpr Named<Hemisphere> kHemisphereNames[] = {
    {"lower", Hemisphere::Lower},
    {"upper", Hemisphere::Upper},
};
constexpr Named<NetKind> kNetNames[] = {
    {"equal-angle", NetKind::EqualAngle},
    {"equal-area", NetKind::EqualArea},
};
}  // namespace

std::string_view NetKindName(NetKind kind) { return NameOf(kNetNames, kind); }
std::optional<NetKind> NetKindNamed(std::string_view name) { return ValueNamed(kNetNames, name); }
std::optional<Hemisphere> HemisphereNamed(std::string_view name) {
  return ValueNamed(kHemisphereNames, name);
}
std::string_view PlotModeName(PlotMode mode) { return NameOf(kModeNames, mode); }

std::string ProposedFigureName(std::string_view dataPath, PlotMode mode,
                               std::string_view extension) {
  std::string_view stem = dataPath.substr(dataPath.find_last_of("/\\") + 1);
  const std::size_t dot = stem.rfind('.');
  if (dot != std::string_view::npos && dot > 0) stem = stem.substr(0, dot);
  if (stem.empty()) stem = "orniva";
  return std::string(stem) + "-" + std::string(PlotModeName(mode)) + "." + std::string(extension);
}
std::optional<PlotMode> PlotModeNamed(std::string_view name) {
  return ValueNamed(kModeNames, name);
}

}  // namespace orniva
