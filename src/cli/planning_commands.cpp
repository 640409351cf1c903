// Distance-time, parallel lines, interpolator, filters.
#include "cli/commands.h"

namespace zolvane::cli {

void AddPlanningCommands(CLI::App& /*app*/, Action& /*action*/) {}

}  // namespace zolvane::cli
