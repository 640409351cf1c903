// DXF, Poseidon grids and binary points.
#include "cli/commands.h"

namespace zolvane::cli {

void AddBinaryDxfCommands(CLI::App& /*app*/, Action& /*action*/) {}

}  // namespace zolvane::cli
