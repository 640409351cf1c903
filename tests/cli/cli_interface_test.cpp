// What every subcommand shares: help with an example, the version, the progress bar.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunBash;
using testing::RunCli;
using testing::TempDir;

std::vector<std::string> Subcommands() {
  std::istringstream help(RunCli("--help").output);
  std::vector<std::string> names;
  std::string line;
  bool listing = false;
  while (std::getline(help, line)) {
    if (line == "Subcommands:") {
      listing = true;
    } else if (listing && line.empty()) {
      break;
    } else if (listing) {
      names.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
  }
  return names;
}

TEST(CliInterface, EverySubcommandHasItsExampleAndItsReadmeRow) {
  std::ifstream file(std::string(ZOLVANE_EXAMPLES) + "/../README.md");
  const std::string readme((std::istreambuf_iterator<char>(file)), {});
  const auto names = Subcommands();
  ASSERT_GE(names.size(), 8u);
  for (const std::string& name : names) {
    const auto help = RunCli(name + " --help");
    EXPECT_EQ(help.status, 0) << name;
    std::string last = help.output.substr(0, help.output.find_last_not_of('\n') + 1);
    last = last.substr(last.rfind('\n') + 1);
    EXPECT_EQ(last.rfind("Example: zolvane-cli " + name + " ", 0), 0u) << name << ": " << last;
    EXPECT_NE(help.output.find("standard output"), std::string::npos) << name;
    EXPECT_NE(readme.find("| `" + name + "` |"), std::string::npos) << name << " not in README";
  }
  const auto version = RunCli("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.output, "zolvane-cli 8.05\n");
}

TEST(CliInterface, TheProgressBarShowsOnlyOnATerminalAndNotWhenQuiet) {
  TempDir dir;
  std::string points;
  for (int i = 0; i < 100000; ++i)
    points += std::to_string(i) + ",1,2\r\n";
  const std::string in = dir.Write("in.xyz", points);
  const std::string command = "xyz2xyz " + in + " " + dir.File("out.xyz");
  const auto onTerminal = [&](const std::string& flags) {
    const std::string log = dir.File("typescript");
    RunBash("ZOLVANE_PROGRESS_DELAY_MS=0 script -qec '\"$CLI\" " + flags + command + "' " + log);
    return TempDir::Read(log);
  };
  const std::string shown = onTerminal("");
  EXPECT_NE(shown.find("%"), std::string::npos) << shown;
  EXPECT_NE(shown.find("MB/s"), std::string::npos) << shown;
  EXPECT_EQ(onTerminal("--quiet ").find("MB/s"), std::string::npos);
  // Captured output of a run that succeeds stays empty.
  EXPECT_EQ(RunBash("ZOLVANE_PROGRESS_DELAY_MS=0 \"$CLI\" " + command).output, "");
}

}  // namespace
}  // namespace zolvane
