// The subcommands of zolvane-cli. Each group registers its subcommands on the app; the one
// chosen runs after parsing and returns the exit status (0 done, 1 the input or a file is
// at fault).
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include <CLI/CLI.hpp>

#include "core/files.h"
#include "core/pass.h"
#include "formats/bna/bna_reader.h"

namespace zolvane::cli {

using Action = std::function<int()>;

void AddBnaCommands(CLI::App& app, Action& action);
void AddGeoCommands(CLI::App& app, Action& action);
void AddKmlCommands(CLI::App& app, Action& action);
void AddPlanCommands(CLI::App& app, Action& action);
void AddVectorCommands(CLI::App& app, Action& action);
void AddGisCommands(CLI::App& app, Action& action);
void AddSurferCommands(CLI::App& app, Action& action);
void AddBinaryDxfCommands(CLI::App& app, Action& action);
void AddPlanningCommands(CLI::App& app, Action& action);
void AddGeophysicsCommands(CLI::App& app, Action& action);

// Prints "zolvane-cli: <text>" on the error stream and returns 1.
int Fail(const std::string& text);

// Runs `convert` from `inputPath` into `outputPath`: refuses the same file, opens both,
// keeps the output only when the pass is done. Returns the exit status.
int ConvertFile(const std::string& inputPath, const std::string& outputPath,
                const std::function<PassResult(InputFile&, std::ostream&)>& convert);

// Accepts the XYZ layout codes 11-14, 21-24 and 31-34.
CLI::Validator LayoutCode();
// What --help says of a layout option.
inline constexpr const char* kLayoutHelp =
    "tens 1 comma, 2 blank, 3 tab; units 1 XYZ, 2 YXZ, 3 XY, 4 YX";

// The checking pass a BNA subcommand starts with; prints the fault when there is one.
bool CheckBnaInput(const std::string& path, BnaCheckResult& result, Statistics& statistics);

}  // namespace zolvane::cli
