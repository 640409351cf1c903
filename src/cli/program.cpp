// What every zolvane-cli program shares: global options, parse, hints, run.
#include "cli/program.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/examples.h"
#include "cli/manuals.h"
#include "cli/progress.h"
#include "core/block_pass.h"

namespace {

// The flags taken before or after the subcommand's name.
void AddGlobalFlags(CLI::App& app, zolvane::cli::Settings& settings) {
  app.add_flag("--quiet,-q", zolvane::cli::Terminal().quiet, "No progress bar on the terminal");
  app.add_option("--threads", settings.threads,
                 "Threads for the point conversions (default: all cores)")
      ->check(CLI::Range(1, 1024));
  app.add_flag("--lf", zolvane::cli::Outputs().lf,
               "End the lines written with LF alone, for Unix tools (CR LF by default)");
}

// The last lines of every subcommand's --help: its example and what "-" means.
void AddFooters(CLI::App& app, zolvane::cli::Settings& settings) {
  for (CLI::App* command : app.get_subcommands({})) {
    bool takesInput = false, takesOutput = false;
    for (const CLI::Option* option : command->get_options()) {
      if (!option->get_positional()) continue;
      const std::string name = option->get_name(true);
      takesInput = takesInput || name == "IN" || name == "FILES";
      takesOutput = takesOutput || name == "OUT" || name == "FILES";
    }
    std::string footer = zolvane::cli::StandardStreamsHelp(takesInput, takesOutput);
    for (const auto& example : zolvane::cli::kExamples) {
      if (example.command == command->get_name()) {
        if (!footer.empty()) footer += "\n\n";
        footer += "Example: ";
        footer += example.line;
      }
    }
    command->footer(footer);
    AddGlobalFlags(*command, settings);
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

// How many single-character edits turn one word into the other.
std::size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j)
    row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1] ? 1 : 0)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// " (did you mean X?)" for the nearest of `known`, when it is near enough to be a typo.
std::string Suggestion(const std::string& given, const std::vector<std::string>& known) {
  std::string best;
  std::size_t bestDistance = std::max<std::size_t>(2, given.size() / 3) + 1;
  for (const std::string& name : known) {
    const std::size_t distance = EditDistance(given, name);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = name;
    }
  }
  return best.empty() ? std::string() : " (did you mean " + best + "?)";
}

std::vector<std::string> LongNames(const CLI::App& command) {
  std::vector<std::string> names;
  for (const CLI::Option* option : command.get_options()) {
    for (const std::string& name : option->get_lnames())
      names.push_back("--" + name);
  }
  return names;
}

// CLI11 answers a mistyped subcommand or top-level option with "A subcommand is required";
// name the word at fault instead, with the nearest right one. False when the first word
// is fine.
bool ReportUnknownFirstWord(const CLI::App& app, int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--help" || word == "-h" || word == "--version") return false;
    const CLI::Option* global = app.get_option_no_throw(word.substr(0, word.find('=')));
    if (global && word.rfind('-', 0) == 0) {
      // A global option's value is the next word unless given with "=".
      if (global->get_expected_min() > 0 && word.find('=') == std::string::npos) ++i;
      continue;
    }
    if (word.rfind('-', 0) == 0) {
      std::cerr << "zolvane-cli: unknown option " << word << Suggestion(word, LongNames(app))
                << "\nRun with --help for more information.\n";
      return true;
    }
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands({})) {
      if (command->check_name(word)) return false;
      names.push_back(command->get_name());
    }
    std::cerr << "zolvane-cli: unknown subcommand " << word << Suggestion(word, names)
              << "\nRun with --help for the list.\n";
    return true;
  }
  return false;
}

// After "The following arguments were not expected", the nearest option of the subcommand.
void SuggestOptions(const CLI::App& app) {
  for (const CLI::App* command : app.get_subcommands()) {
    for (const std::string& argument : command->remaining()) {
      if (argument.rfind("--", 0) != 0) continue;
      const std::string name = argument.substr(0, argument.find('='));
      const std::string suggestion = Suggestion(name, LongNames(*command));
      if (!suggestion.empty()) std::cerr << name << suggestion << '\n';
    }
  }
}

// --precision given to a subcommand whose format fixes its decimals is a usage error, not
// an option quietly left unused. A helper's stand-in leaves the check to its program.
int RefuseFixedPrecision(const CLI::App& app) {
  if (app.get_option("--precision")->count() == 0) return 0;
  for (const CLI::App* command : app.get_subcommands()) {
    if (command->get_prefix_command() || command->get_option_no_throw("--precision")) continue;
    std::cerr << "zolvane-cli: " << command->get_name()
              << " writes the decimals its format fixes; --precision is not taken\n";
    return 2;
  }
  return 0;
}

}  // namespace

namespace zolvane::cli {

int RunProgram(int argc, char** argv, const CommandGroup& addCommands) {
  CLI::App app{"Zolvane " ZOLVANE_VERSION " converters for marine geoscience text formats",
               "zolvane-cli"};
  app.set_version_flag("--version", "zolvane-cli " ZOLVANE_VERSION);
  Settings settings;
  settings.threads = AllCores();
  AddGlobalFlags(app, settings);
  AddPrecisionOption(app,
                     "Decimals written, where the subcommand's format leaves them open "
                     "(reproject)");
  app.require_subcommand(1);
  Action action;
  addCommands(app, action, settings);
  AddFooters(app, settings);
  app.footer(StandardStreamsHelp(true, true) + "\n\n" + std::string(kExamplesNote));
  // Lets tests see the bar without a long pass.
  if (const char* delay = std::getenv("ZOLVANE_PROGRESS_DELAY_MS")) {
    Terminal().delay = std::chrono::milliseconds(std::atol(delay));
  }
  // The build makes the manual pages and completion with the programs' own definitions.
  if (argc == 3 && std::string(argv[1]) == "--write-manuals")
    return WriteManuals(app, argv[2]) ? 0 : 1;
  zolvane::RemoveTemporariesOnSignals();
  if (ReportUnknownFirstWord(app, argc, argv)) return 2;
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
    SuggestOptions(app);
    HintAtDashNames(app);
    return 2;
  }
  if (const int status = RefuseFixedPrecision(app)) return status;
  try {
    return action ? action() : 2;
  } catch (const std::exception& e) {
    return Fail(e.what());
  }
}

}  // namespace zolvane::cli
