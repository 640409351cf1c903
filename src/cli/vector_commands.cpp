// XYZ to BNA/GMT, GEBCO and DAF.
#include "cli/commands.h"

namespace zolvane::cli {

void AddVectorCommands(CLI::App& /*app*/, Action& /*action*/) {}

}  // namespace zolvane::cli
