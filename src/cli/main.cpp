// zolvane-cli: the converters of the main window, for shells and scripts. It loads neither
// Qt, PROJ nor GDAL: the subcommands that need them run from programs of their own.
#include "cli/helper_programs.h"
#include "cli/program.h"

int main(int argc, char** argv) {
  using namespace zolvane::cli;
  return RunProgram(argc, argv, [argv](CLI::App& app, Action& action, const Settings& settings) {
    AddBnaCommands(app, action, settings);
    AddGeoCommands(app, action, settings);
    AddKmlCommands(app, action, settings);
    AddPlanCommands(app, action);
    AddVectorCommands(app, action);
    AddGisCommands(app, action);
    AddSurferCommands(app, action);
    AddBinaryDxfCommands(app, action, settings);
    AddPlanningCommands(app, action, settings);
    AddGeophysicsCommands(app, action, settings);
    AddHelperCommands(app, action, argv);
  });
}
