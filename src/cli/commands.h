// The subcommands of zolvane-cli. Each group registers its subcommands on the app; the one
// chosen runs after parsing and returns the exit status (0 done, 1 the input or a file is
// at fault).
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "core/files.h"
#include "core/pass.h"
#include "formats/bna/bna_reader.h"
#include "geo/utm.h"

namespace zolvane::cli {

using Action = std::function<int()>;

// What the options before the subcommand set for every subcommand; read when the action
// runs, after the whole command line is parsed.
struct Settings {
  int threads = 1;  // for the point conversions that run on every core
};

void AddBnaCommands(CLI::App& app, Action& action, const Settings& settings);
void AddGeoCommands(CLI::App& app, Action& action, const Settings& settings);
void AddCrsCommands(CLI::App& app, Action& action, const Settings& settings);
void AddKmlCommands(CLI::App& app, Action& action, const Settings& settings);
void AddPlanCommands(CLI::App& app, Action& action);
void AddVectorCommands(CLI::App& app, Action& action);
void AddGisCommands(CLI::App& app, Action& action);
void AddSurferCommands(CLI::App& app, Action& action);
void AddBinaryDxfCommands(CLI::App& app, Action& action, const Settings& settings);
void AddPlanningCommands(CLI::App& app, Action& action, const Settings& settings);
void AddGeophysicsCommands(CLI::App& app, Action& action, const Settings& settings);
// GIS vector files through GDAL.
void AddGisFileCommands(CLI::App& app, Action& action, const Settings& settings);
// Only where Qt draws (zolvane_render is built).
void AddPlotCommands(CLI::App& app, Action& action, const Settings& settings);

// What the global options ask of every file written; set while parsing, before any pass.
struct OutputSettings {
  bool lf = false;     // LF line ends instead of CR LF
  int precision = -1;  // decimals, where the format leaves them open; -1 for the default
};
OutputSettings& Outputs();

// Gives a file being written the line ends the command line asked for.
void ApplyOutputSettings(std::ostream& out);

// What follows an unknown coordinate reference system, from every subcommand that takes one.
inline constexpr const char* kSearchCrsHint =
    "Search the known ones by code or name with: zolvane-cli crs QUERY";

// Prints "zolvane-cli: <text>" on the error stream and returns 1.
int Fail(const std::string& text);

// An input named on the command line: "-" is standard input. Made from a name, it is read
// where it is, once; TwoPassInput() prepares one that a subcommand reads twice.
struct InputName {
  InputName(const std::string& given);                             // NOLINT: a plain name converts
  InputName(const char* given) : InputName(std::string(given)) {}  // NOLINT

  std::string name;  // for messages
  std::string path;  // to open
  std::shared_ptr<const InputCopy> copy;
};

// An input for a checking pass and a conversion pass: one that can be read only once (a
// pipe, standard input) is copied into a private temporary file first, removed at the end.
// Empty, with the message printed, when the copy could not be made.
std::optional<InputName> TwoPassInput(const std::string& given);

// The file an output name leads to: "-" is standard output.
std::string OutputPath(const std::string& given);

// "cannot write OUT: <the system's reason>" for an output that could not be opened or
// written; returns 1.
int WriteFailure(const OutputFile& output, const std::string& outputName);

// Runs `convert` from `input` into `outputPath`: refuses the same file, opens both,
// keeps the output only when the pass is done. Returns the exit status.
int ConvertFile(const InputName& input, const std::string& outputPath,
                const std::function<PassResult(InputFile&, std::ostream&)>& convert);

// --precision, on the app for every subcommand or on one whose format leaves the decimals open.
void AddPrecisionOption(CLI::App& app, const std::string& help);

// Accepts one of `names` in any case and passes it on as spelt there; anything else is a
// usage error that lists them.
CLI::Validator Choice(std::vector<std::string> names);

// Accepts wgs84 or ed50, in any case, for --ellipsoid.
CLI::Validator EllipsoidName();
// The ellipsoid an --ellipsoid value (as EllipsoidName passed it on) stands for.
Ellipsoid EllipsoidNamed(std::string_view name);

// Accepts the XYZ layout codes 11-14, 21-24 and 31-34.
CLI::Validator LayoutCode();
// What --help says of a layout option.
inline constexpr const char* kLayoutHelp =
    "tens 1 comma, 2 blank, 3 tab; units 1 XYZ, 2 YXZ, 3 XY, 4 YX";

// The checking pass a BNA subcommand starts with; prints the fault when there is one.
bool CheckBnaInput(const InputName& input, BnaCheckResult& result, Statistics& statistics,
                   int threads = 1);

// What a subcommand's help says of "-", by the files it takes (empty for none).
std::string StandardStreamsHelp(bool takesInput, bool takesOutput);

}  // namespace zolvane::cli
