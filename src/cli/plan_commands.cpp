// Survey-plan, Geosail and Bridge exports.
#include "cli/commands.h"

namespace zolvane::cli {

void AddPlanCommands(CLI::App& /*app*/, Action& /*action*/) {}

}  // namespace zolvane::cli
