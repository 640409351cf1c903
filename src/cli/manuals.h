// Manual pages and shell completion made from the programs' own option definitions, so that
// neither falls behind the options.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace zolvane::cli {

// Writes into `folder` a page zolvane-cli-NAME.1 and a completion fragment NAME.bash for each
// subcommand the program defines; the program whose app holds every subcommand (zolvane-cli,
// with its helpers' stand-ins) also writes zolvane-cli.1 and the completion's frame
// (zolvane-cli.bash-head, zolvane-cli.bash-tail). False when a file could not be written.
bool WriteManuals(const CLI::App& app, const std::string& folder);

}  // namespace zolvane::cli
