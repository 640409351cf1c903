// What every zolvane-cli program shares: the global options, the parse with its hints for
// mistyped words, and the run of the chosen subcommand.
#pragma once

#include <functional>

#include <CLI/CLI.hpp>

#include "cli/commands.h"

namespace zolvane::cli {

// Registers a program's subcommands on the app.
using CommandGroup = std::function<void(CLI::App&, Action&, const Settings&)>;

// Parses the command line against the subcommands `addCommands` registers and runs the one
// chosen; returns the exit status (2 for a usage error).
int RunProgram(int argc, char** argv, const CommandGroup& addCommands);

}  // namespace zolvane::cli
