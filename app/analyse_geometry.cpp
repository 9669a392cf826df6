// orniva-analyse: the geometry tools (selection, rose, back-tilt, tilt test).
#include "app/analyse_commands.h"

namespace orniva::analyse {

std::vector<Command> GeometryCommands() { return {}; }

}  // namespace orniva::analyse
