#include "cli/helper_programs.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

namespace zolvane::cli {
namespace {

// Beside zolvane-cli in the build tree; in the private program folder once installed.
std::string FindProgram(std::string_view program) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const std::filesystem::path here = self.parent_path();
  for (const std::filesystem::path& candidate :
       {here / program, here / ZOLVANE_HELPER_DIR / program}) {
    if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return {};
}

int RunHelper(const HelperCommand& helper, char** argv) {
  const std::string path = FindProgram(helper.program);
  if (path.empty()) {
    return Fail(std::string(helper.command) + " is run by " + std::string(helper.program) +
                ", which is not installed: install the package " + std::string(helper.package));
  }
  execv(path.c_str(), argv);
  return Fail("cannot start " + path + ": " + std::strerror(errno));
}

}  // namespace

std::string_view HelperSummary(std::string_view command) {
  for (const HelperCommand& helper : kHelperCommands) {
    if (helper.command == command) return helper.summary;
  }
  return {};
}

void AddHelperCommands(CLI::App& app, Action& action, char** argv) {
  for (const HelperCommand& helper : kHelperCommands) {
    CLI::App* command = app.add_subcommand(std::string(helper.command), std::string(helper.summary));
    // Everything after the name, --help included, is the program's to read.
    command->set_help_flag();
    command->prefix_command();
    command->callback([&action, &helper, argv] {
      action = [&helper, argv] { return RunHelper(helper, argv); };
    });
  }
}

}  // namespace zolvane::cli
