#include "cli/commands.h"

namespace zolvane::cli {

void AddGeoCommands(CLI::App&, Action&) {}

}  // namespace zolvane::cli
