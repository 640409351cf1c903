// zolvane-cli: the converters of the main window, for shells and scripts. It loads neither
// Qt nor PROJ: the subcommands that need them run from programs of their own.
#include "cli/helper_programs.h"
#include "cli/program.h"

int main(int argc, char** argv) {
  using namespace zolvane::cli;
  return RunProgram(argc, argv, [argv](CLI::App& app, Action& action) {
    AddBnaCommands(app, action);
    AddGeoCommands(app, action);
    AddKmlCommands(app, action);
    AddPlanCommands(app, action);
    AddVectorCommands(app, action);
    AddGisCommands(app, action);
    AddSurferCommands(app, action);
    AddBinaryDxfCommands(app, action);
    AddPlanningCommands(app, action);
    AddGeophysicsCommands(app, action);
    AddHelperCommands(app, action, argv);
  });
}
