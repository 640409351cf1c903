// zolvane-cli: the converters of the main window, for shells and scripts.
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
  CLI::App app{"Zolvane 8.05 converters for marine geoscience text formats", "zolvane-cli"};
  app.require_subcommand(1);
  zolvane::cli::Action action;
  zolvane::cli::AddBnaCommands(app, action);
  zolvane::cli::AddGeoCommands(app, action);
  zolvane::cli::AddKmlCommands(app, action);
  zolvane::cli::AddPlanCommands(app, action);
  zolvane::cli::AddVectorCommands(app, action);
  zolvane::cli::AddGisCommands(app, action);
  zolvane::cli::AddSurferCommands(app, action);
  zolvane::cli::AddBinaryDxfCommands(app, action);
  zolvane::cli::AddPlanningCommands(app, action);
  zolvane::cli::AddGeophysicsCommands(app, action);
  for (CLI::App* command : app.get_subcommands({}))
    command->footer(zolvane::cli::kStandardStreamsHelp);
  app.footer(zolvane::cli::kStandardStreamsHelp);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return 2;
  }
  try {
    return action ? action() : 2;
  } catch (const std::exception& e) {
    return zolvane::cli::Fail(e.what());
  }
}
