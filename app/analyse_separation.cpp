// orniva-analyse: the separation of a mixed population into phases.
#include "app/analyse_commands.h"

namespace orniva::analyse {

std::vector<Command> SeparationCommands() { return {}; }

}  // namespace orniva::analyse
