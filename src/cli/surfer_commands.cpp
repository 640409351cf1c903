// Surfer grids, palettes and column extraction.
#include "cli/commands.h"

namespace zolvane::cli {

void AddSurferCommands(CLI::App& /*app*/, Action& /*action*/) {}

}  // namespace zolvane::cli
