// orniva-analyse: the reports that read a stress result beyond its axes.
#include "app/analyse_commands.h"

namespace orniva::analyse {

std::vector<Command> StressResultCommands() { return {}; }

}  // namespace orniva::analyse
