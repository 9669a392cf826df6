// orniva-analyse: how far a stress result can be trusted (bootstrap
// confidence, leave-one-out influence).
#include "app/analyse_commands.h"

namespace orniva::analyse {

std::vector<Command> ConfidenceCommands() { return {}; }

}  // namespace orniva::analyse
