// Miramon VEC, MapGen and Kingdom Suite.
#include "cli/commands.h"

namespace zolvane::cli {

void AddGisCommands(CLI::App& /*app*/, Action& /*action*/) {}

}  // namespace zolvane::cli
