#include "plot/manual_pages.h"

#include <utility>

namespace orniva {

std::string_view ManualPageOfDiagram(PlotMode mode) {
  switch (mode) {
    case PlotMode::FaultPlaneAndStriation:
    case PlotMode::TangentLineation:
    case PlotMode::Poles:
      return kManualFigures;
    case PlotMode::KinematicAxes:
      return "kinematics.html";
    case PlotMode::StressAxes:
      return "stress-inversion.html";
    case PlotMode::Density:
      return "density.html";
    case PlotMode::RightDihedra:
      return "dihedra.html";
    case PlotMode::Rose:
      return "rose.html";
    case PlotMode::Mohr:
      return "mohr.html";
    case PlotMode::Tendency:
      return "tendency.html";
  }
  return kManualIndex;
}

std::string_view ManualPageOfCommand(std::string_view command) {
  static constexpr std::pair<std::string_view, std::string_view> kPages[] = {
      {"kinematics", "kinematics.html"},
      {"bingham", "kinematics.html"},
      {"density", "density.html"},
      {"dihedra", "dihedra.html"},
      {"stress", "stress-inversion.html"},
      {"misfit-angles", "stress-inversion.html"},
      {"stress-summary", "stress-inversion.html"},
      {"stress-methods", "stress-inversion.html"},
      {"stress-bootstrap", "bootstrap.html"},
      {"mohr", "mohr.html"},
      {"tendency", "tendency.html"},
      {"tendency-grid", "tendency.html"},
      {"leave-one-out", "leave-one-out.html"},
      {"separate", "separation.html"},
      {"select", "selection.html"},
      {"rose", "rose.html"},
      {"back-tilt", "rotation.html"},
      {"tilt-test", "rotation.html"},
      {"fisher", "orientation.html"},
      {"fabric", "orientation.html"},
      {"fold-axis", "orientation.html"},
  };
  for (const auto& [name, page] : kPages)
    if (name == command) return page;
  return {};
}

}  // namespace orniva
