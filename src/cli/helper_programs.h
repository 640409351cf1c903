// The subcommands that need a library zolvane-cli itself does not load (Qt to draw, PROJ for
// coordinate systems, GDAL for GIS files): each runs from a program of its own, which zolvane-cli starts with the
// same arguments. The table keeps them in zolvane-cli's --help, suggestions, manual pages and
// completion.
#pragma once

#include <string_view>

#include <CLI/CLI.hpp>

#include "cli/commands.h"

namespace zolvane::cli {

struct HelperCommand {
  std::string_view command;
  std::string_view program;  // found beside zolvane-cli or in its private program folder
  std::string_view package;  // what to install when the program is missing
  std::string_view summary;  // the subcommand's line in --help
};

inline constexpr HelperCommand kHelperCommands[] = {
    {"plot", "zolvane-cli-plot", "zolvane",
     "Draw files as a PNG or SVG map: the first in grey, the others in colour; files in degrees "
     "and in metres side by side"},
    {"reproject", "zolvane-cli-proj", "zolvane-cli",
     "Transform points or a BNA file between coordinate reference systems"},
    {"crs", "zolvane-cli-proj", "zolvane-cli",
     "List the coordinate reference systems whose code or name holds every word given"},
    {"bna2gis", "zolvane-cli-gis", "zolvane-cli",
     "BNA objects as features of a GIS file (GeoPackage, Shapefile, GeoJSON...)"},
    {"xyz2gis", "zolvane-cli-gis", "zolvane-cli",
     "XYZ points as point features of a GIS file, Z as z"},
    {"gis2bna", "zolvane-cli-gis", "zolvane-cli",
     "The features of any vector file GDAL reads as BNA records"},
};

// The summary of a helper's subcommand, for the program that defines it.
std::string_view HelperSummary(std::string_view command);

// Registers every helper subcommand as a stand-in that hands the whole command line, as
// given in `argv`, to its program.
void AddHelperCommands(CLI::App& app, Action& action, char** argv);

}  // namespace zolvane::cli
