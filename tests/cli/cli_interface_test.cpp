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
  std::ifstream completionFile(ZOLVANE_COMPLETION);
  const std::string completion((std::istreambuf_iterator<char>(completionFile)), {});
  const std::size_t listAt = completion.find("subcommands=\"") + 13;
  std::string subcommands(1, ' ');
  subcommands.append(completion, listAt, completion.find('"', listAt) - listAt).append(1, ' ');
  for (const std::string& name : names) {
    const auto help = RunCli(name + " --help");
    EXPECT_EQ(help.status, 0) << name;
    std::string last = help.output.substr(0, help.output.find_last_not_of('\n') + 1);
    last = last.substr(last.rfind('\n') + 1);
    EXPECT_EQ(last.rfind("Example: zolvane-cli " + name + " ", 0), 0u) << name << ": " << last;
    const std::size_t usageAt = help.output.find("Usage:");
    const std::string usage =
        help.output.substr(usageAt, help.output.find('\n', usageAt) - usageAt);
    const bool takesInput =
        usage.find(" IN") != std::string::npos || usage.find("FILES") != std::string::npos;
    EXPECT_EQ(help.output.find("IN may be -") != std::string::npos, takesInput) << name;
    EXPECT_NE(readme.find("| `" + name + "` |"), std::string::npos) << name << " not in README";
    EXPECT_NE(readme.find(" | `" + last.substr(9) + "` |"), std::string::npos) << last;
    // Its manual page names every option of its help, and the completion knows it.
    const std::string page =
        RunBash("zcat " + std::string(ZOLVANE_MANUALS) + "/zolvane-cli-" + name + ".1.gz").output;
    std::istringstream lines(help.output);
    for (std::string line; std::getline(lines, line);) {
      const std::size_t at = line.find("--");
      if (line.rfind("  -", 0) != 0 || at == std::string::npos) continue;
      std::string option;  // as roff spells it
      for (std::size_t i = at; i < line.size() && line[i] != ' ' && line[i] != ','; ++i)
        option += line[i] == '-' ? std::string("\\-") : std::string(1, line[i]);
      EXPECT_NE(page.find(option), std::string::npos) << name << " " << option;
    }
    EXPECT_NE(page.find(".SH EXAMPLE"), std::string::npos) << name;
    EXPECT_NE(completion.find("\n    " + name + ")\n"), std::string::npos) << name;
    EXPECT_NE(subcommands.find(" " + name + " "), std::string::npos) << name;
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

TEST(CliInterface, AMistypedWordIsNamedWithTheNearestRightOne) {
  const struct {
    const char* arguments;
    const char* said;
  } cases[] = {
      {"bogus", "unknown subcommand bogus\n"},
      {"bna2xzy a.bna b.xyz", "unknown subcommand bna2xzy (did you mean bna2xyz?)"},
      {"--versoin", "unknown option --versoin (did you mean --version?)"},
      {"-q --hlep", "unknown option --hlep (did you mean --help?)"},
      {"bna2xyz --lable 1 a.bna b.xyz", "--lable (did you mean --label?)"},
      {"--threads 2 bogus", "unknown subcommand bogus\n"},
      {"--threads=2 -q bna2xzy a.bna b.xyz", "unknown subcommand bna2xzy (did you mean"},
  };
  for (const auto& c : cases) {
    const auto run = RunCli(c.arguments);
    EXPECT_EQ(run.status, 2) << c.arguments;
    EXPECT_NE(run.output.find(c.said), std::string::npos) << c.arguments << ": " << run.output;
  }
}

// zolvane-cli itself loads no drawing, projection or GIS library; the subcommands that need
// one start a program of their own, and say which package brings it when it is missing.
TEST(CliInterface, HeavyLibrariesLoadOnlyForTheSubcommandsThatNeedThem) {
  TempDir dir;
  const std::string alone = "d=" + dir.Path().string() + " && cp \"$CLI\" \"$d\" && \"$d\"/";
  const struct {
    std::string script;
    const char* said;
  } cases[] = {
      {"ldd \"$CLI\" | grep -iE 'qt|gdal|proj'; echo \"found $?\"", "found 1\n"},
      {"\"$CLI\" crs 'ETRS89 UTM 30N' | cut -f1", "EPSG:25830\n"},
      {alone + "zolvane-cli plot a.bna b.png; echo \"exit $?\"",
       "zolvane-cli: plot is run by zolvane-cli-plot, which is not installed: install the "
       "package zolvane\nexit 1\n"},
      {alone + "zolvane-cli -q reproject --help; echo \"exit $?\"",
       "reproject is run by zolvane-cli-proj, which is not installed: install the package "
       "zolvane-cli\nexit 1\n"},
  };
  for (const auto& c : cases) {
    const auto run = RunBash(c.script);
    EXPECT_NE(run.output.find(c.said), std::string::npos) << c.script << ": " << run.output;
  }
}

// One spelling per idea; the old spellings and any case of a choice give the same bytes.
TEST(CliInterface, OldSpellingsAndChoicesInAnyCaseGiveTheSameBytes) {
  TempDir dir;
  const std::string bna = std::string(ZOLVANE_EXAMPLES) + "/contours.bna";
  const std::string points = dir.Write("p.xyz", "2 41 0\n2.1 41.2 0\n");
  const std::string log =
      dir.Write("log.csv", "1.5,2.25,3\n4.5,5.25,6\n7.5,8.25,9\n10.5,11.25,12\n");
  const struct {
    std::string spelling, alias, files;
  } cases[] = {
      {"bna2vec --ellipsoid ed50 --zone 31 --south", "bna2vec --datum ED50 --utm-zone 31 --south",
       bna + " OUT.vec && cat OUT.vec OUT.dvc"},
      {"bna2daf --label 1 --ellipsoid ed50", "bna2daf --label 1 --ed50", bna + " -"},
      {"bna2kml --style-name s --symbol Star", "bna2kml --style-name s --symbol star", bna + " -"},
      {"geo2utm --zone 31 --ellipsoid ed50 --in-layout 21",
       "geo2utm --zone 31 --ellipsoid ED50 "
       "--in-layout 21",
       points + " -"},
      {"plot --format svg --in-layout 21", "plot --format SVG --layout 21", points + " -"},
      {"translate --distance 1 --degrees --zone 31 --ellipsoid wgs84 --in-layout 21",
       "translate --distance 1 --degrees --zone 31 --in-layout 21", points + " -"},
      {"filter-xyz --z -1,1 --in-layout 21 --out-layout 21", "filter-xyz --z -1,1 --in-layout 21",
       points + " -"},
      {"parallel --start 500000,4500000 --end 500000,4510000",
       "parallel --a 500000,4500000 --b 500000,4510000", "-"},
      {"interpolate --start 500000.5,4500000 --end 500100,4500050.25 --slider 300",
       "interpolate --p1 500000.5,4500000 --p2 500100,4500050.25 --slider 300", ""},
      {"extract --every 2 --whole-lines", "extract --every 2 --lines", log + " OUT && cat OUT"},
  };
  for (const auto& c : cases) {
    auto run = [&](const std::string& arguments, const std::string& out) {
      std::string files = c.files;
      for (std::size_t at; (at = files.find("OUT")) != std::string::npos;)
        files.replace(at, 3, dir.File(out));
      return RunBash("\"$CLI\" " + arguments + " " + files);
    };
    const auto spelt = run(c.spelling, "new"), old = run(c.alias, "old");
    EXPECT_EQ(spelt.status, 0) << c.spelling << "\n" << spelt.output;
    EXPECT_GT(spelt.output.size(), 20u) << c.spelling;
    EXPECT_EQ(old.output, spelt.output) << c.alias;
  }
  // An unknown choice is a usage error that lists them.
  const auto unknown = RunCli("bna2kml --symbol Moon " + bna + " -");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.output.find("Moon is not one of {Circle,"), std::string::npos)
      << unknown.output;
}

TEST(CliInterface, AnInterruptedRunLeavesNoTemporaryAndKeepsTheOldOutput) {
  const struct {
    const char* signal;
    int status;
  } cases[] = {{"INT", 130}, {"TERM", 143}, {"HUP", 129}};
  for (const auto& c : cases) {
    TempDir dir;
    dir.Write("out.xyz", "old\n");
    // The input comes through a FIFO held open, so the run waits inside its pass (or while
    // copying its input) until the signal comes; job control keeps SIGINT for the job.
    const auto run = RunBash(
        "cd " + dir.Path().string() +
        " && export TMPDIR=$PWD && mkfifo in && set -m\n"
        "\"$CLI\" geo2utm --zone 31 --in-layout 21 --out-layout 11 in out.xyz & pid=$!\n"
        "exec 3>in; printf '2 41 0\\n%.0s' $(seq 2000) >&3\n"
        "for i in $(seq 200); do compgen -G 'out.xyz.tmp~*' || compgen -G 'zolvane-input-*' "
        "&& break; sleep 0.05; done\n"
        "kill -" +
        std::string(c.signal) +
        " $pid; wait $pid; echo \"exit $?\"; exec 3>&-\n"
        "echo \"left: $(ls | tr '\\n' ' ')\"");
    const std::string exit = "exit " + std::to_string(c.status) + "\n";
    for (const std::string& said : {exit, std::string("left: in out.xyz \n")})
      EXPECT_NE(run.output.find(said), std::string::npos) << c.signal << ": " << run.output;
    EXPECT_EQ(TempDir::Read(dir.File("out.xyz")), "old\n") << c.signal;
  }
}

}  // namespace
}  // namespace zolvane
