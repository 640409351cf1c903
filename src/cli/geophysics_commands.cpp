// Swath coverage, towed vehicle, IGRF.
#include "cli/commands.h"

namespace zolvane::cli {

void AddGeophysicsCommands(CLI::App& /*app*/, Action& /*action*/) {}

}  // namespace zolvane::cli
