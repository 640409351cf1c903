// zolvane-cli: the converters of the main window, for shells and scripts.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "cli/commands.h"
#include "cli/examples.h"
#include "cli/progress.h"

namespace {

// The last lines of every subcommand's --help: its example and what "-" means.
void AddFooters(CLI::App& app) {
  for (CLI::App* command : app.get_subcommands({})) {
    std::string footer = zolvane::cli::kStandardStreamsHelp;
    for (const auto& example : zolvane::cli::kExamples) {
      if (example.command == command->get_name()) {
        footer += "\n\nExample: ";
        footer += example.line;
      }
    }
    command->footer(footer);
    command->add_flag("--quiet,-q", zolvane::cli::Terminal().quiet,
                      "No progress bar on the terminal");
  }
}

// An argument CLI11 left over that is a file's name rather than a mistyped option: it
// exists, or it has a suffix ("-x.bna").
bool LooksLikeFileName(const std::string& argument) {
  std::error_code error;
  return argument.size() > 1 && argument[0] == '-' &&
         (std::filesystem::exists(argument, error) ||
          (argument[1] != '-' && argument.find('.') != std::string::npos));
}

// CLI11 takes "-x.bna" for an unknown option; say how such a file name is given.
void HintAtDashNames(const CLI::App& app) {
  for (const CLI::App* command : app.get_subcommands()) {
    for (const std::string& argument : command->remaining()) {
      if (LooksLikeFileName(argument)) {
        std::cerr << "A file name that starts with - goes after --, as in: zolvane-cli "
                  << command->get_name() << " -- " << argument << " ...\n";
        return;
      }
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Zolvane " ZOLVANE_VERSION " converters for marine geoscience text formats",
               "zolvane-cli"};
  app.set_version_flag("--version", "zolvane-cli " ZOLVANE_VERSION);
  app.add_flag("--quiet,-q", zolvane::cli::Terminal().quiet, "No progress bar on the terminal");
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
#ifdef ZOLVANE_PLOT
  zolvane::cli::AddPlotCommands(app, action);
#endif
  AddFooters(app);
  app.footer(zolvane::cli::kStandardStreamsHelp);
  // Lets tests see the bar without a long pass.
  if (const char* delay = std::getenv("ZOLVANE_PROGRESS_DELAY_MS")) {
    zolvane::cli::Terminal().delay = std::chrono::milliseconds(std::atol(delay));
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    HintAtDashNames(app);
    return 2;
  }
  try {
    return action ? action() : 2;
  } catch (const std::exception& e) {
    return zolvane::cli::Fail(e.what());
  }
}
