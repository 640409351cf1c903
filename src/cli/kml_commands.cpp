// BNA to KML and XML markers.
#include "cli/commands.h"

namespace zolvane::cli {

void AddKmlCommands(CLI::App& /*app*/, Action& /*action*/) {}

}  // namespace zolvane::cli
