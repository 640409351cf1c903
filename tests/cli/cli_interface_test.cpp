// What every subcommand shares: help with an example, the progress bar, signals, outputs that
// cannot be written, and the ways to run it that give the same bytes.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/comma_locale.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

namespace fs = std::filesystem;
using testing::RunBash;
using testing::RunCli;
using testing::ShellWord;
using testing::TempDir;

const std::string kOne = "\"-25\",\"first\",2\r\n2.5,41.3\r\n2.75,41.25\r\n";

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

// A private device that is always full: the output and standard output named, no temporary.
TEST(HostilePaths, AFullDeviceIsNamedAndLeavesNothing) {
  TempDir dir;
  const std::string input = dir.Write("in.bna", kOne);
  const std::string full = dir.File("full");
  if (mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
    GTEST_SKIP() << "a private full device needs root";
  }
  for (const std::string& named : {full, std::string("standard output")}) {
    const std::string output = named == full ? ShellWord(full) : "- > " + ShellWord(full);
    const auto run = RunBash("\"$CLI\" bna2xyz " + ShellWord(input) + " " + output);
    EXPECT_EQ(run.status, 1) << output;
    EXPECT_EQ(run.output, "zolvane-cli: cannot write " + named + ": No space left on device\n");
  }
  EXPECT_EQ(dir.Entries(), 2);  // the input and the device
}

// Root writes through permission bits, so the run is made as an unprivileged user.
TEST(HostilePaths, AReadOnlyFolderTakesNoNewFile) {
  TempDir dir;
  const std::string input = dir.Write("in.bna", kOne);
  const fs::path folder = dir.Path() / "read-only";
  fs::create_directory(folder);
  const std::string kept = dir.Write("read-only/kept.xyz", "old\r\n");
  const std::string open = dir.Write("read-only/open.xyz", "old\r\n");
  ASSERT_EQ(chmod(kept.c_str(), 0444), 0);
  ASSERT_EQ(chmod(open.c_str(), 0666), 0);
  ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
  const std::string as =
      geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
  const std::string probe = ShellWord((folder / "probe").string());
  if (RunBash(as + "test -r " + ShellWord(input) + " -a -x \"$CLI\"").status != 0) {
    GTEST_SKIP() << "no unprivileged run that reaches the program and the temporary folder";
  }
  if (RunBash(as + "touch " + probe).status == 0) {
    GTEST_SKIP() << "permission bits do not stop this user";
  }
  const struct {
    std::string name;
    int status;
    std::string content;
  } cases[] = {
      {"new.xyz", 1, ""},
      {"kept.xyz", 1, "old\r\n"},
      {"open.xyz", 0, "2.5,41.3,\"-25\"\r\n2.75,41.25,\"-25\"\r\n"},  // the folder refuses a
                                                                      // temporary: written in place
  };
  for (const auto& c : cases) {
    const std::string output = (folder / c.name).string();
    const auto run = RunBash(as + "\"$CLI\" bna2xyz " + ShellWord(input) + " " + ShellWord(output));
    EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.output;
    if (c.status != 0) {
      EXPECT_EQ(run.output, "zolvane-cli: cannot write " + output + ": Permission denied\n");
    }
    EXPECT_EQ(TempDir::Read(output), c.content) << c.name;
  }
  EXPECT_EQ(dir.Entries("read-only"), 2);
  chmod(folder.c_str(), 0755);  // so that the folder can be removed by any user
}

// Ways to run a subcommand that give the bytes (and notes) of its plain run: pipes, standard
// streams and process substitution, for one-pass and two-pass subcommands (the BNA ones check
// first, then convert); a comma locale, for one conversion of each family with decimals to read
// and to write; and lines ended by CR alone or CR LF, quoted BNA coordinates, blank lines in
// extraction and comma-separated MapGen points, read as their plain twins. An empty point list
// converts to an empty result.
enum class Way { Streams, Comma, Twin };
using enum Way;

struct SameBytes {
  Way way;
  std::string run;    // on "in", holding `input`, and "out"; a Comma row without input on none
  std::string input;  // for a Twin, the plain run reads `twin` instead
  std::string twin = "";
};

const std::string kDafHeader = "Header\n1\n2\n3\n4\n2\nDecimal\nEndHeader\n";
const std::string kBna = "\"a\",\"5\",3\r\n1.5,2\r\n3,4\r\n5,6\r\n\"b\",\"7\",1,-7,8\r\n";
const std::string kCrBna = [] {
  std::string cr = kBna;
  std::erase(cr, '\n');
  return cr;
}();
const std::string kContours = TempDir::Read(ZOLVANE_EXAMPLES "/contours.bna");

const SameBytes kSameBytes[] = {
    {Streams, "bna2xyz --label 2 --layout 21", kBna + "\"c\",\"9\",-2\r\n1,1\r\n2,2\r\n"},
    {Streams, "geo2utm --zone 31 --bna", kBna},
    {Streams, "geo2utm --zone 31 --in-layout 11 --out-layout 22", "2.5,41,-10\r\n3,42,-20\r\n"},
    {Streams, "surfer2genesis --null -1", "DSAA\n2 2\n0 1\n0 1\n1 4\n1 2\n3 1.70141E+38\n"},
    {Comma, "bna2xyz --label 1", kContours},
    {Comma, "geo2utm --zone 31 --in-layout 21 --out-layout 11",
     TempDir::Read(ZOLVANE_EXAMPLES "/points-lonlat.xyz")},
    {Comma, "utm2geo --zone 31 --in-layout 11 --out-layout 21", "415897.5,4539238.25,100.5\n"},
    {Comma, "xyz2bna --lines --in-layout 11", "1.5,1.25,A\n2.5,2.75,A\n"},
    {Comma, "gebco2xyz --zone 31 --out-layout 13", "  -200.5    1\n41.50000  2.25000\n"},
    {Comma, "daf2xyz", kDafHeader + "START 43, 174=200;185=12\n2.25 41.5\nSTOP\n"},
    {Comma, "swath --constant 20.5 --metres --in-layout 13", "10.5,10\n100,10.25\n100,100\n"},
    {Comma, "towed --layback 10.5", "0,0,5,a\n100.5,0,5,b\n"},
    {Comma, "igrf-anomaly --model igrf14 --year 2024 --month 6 --in-layout 21",
     "2.5 41.5 45000.5\n"},
    {Comma, "bna2kml --label 1 --transparency 37.5 --style-name plan", kContours},
    {Comma, "surfer2genesis --null -7.5", "DSAA\n2 2\n0 1.5\n0 1\n1 4.5\n1.25 2\n3 1.70141E+38\n"},
    {Comma, "clr2p25", "ColorMap 1 1\n0 0 0 0\n37.5 10 20 30\n100 255 255 255\n"},
    {Comma, "distance-time --line-speed 5.5 --transit-speed 10", kContours},
    {Comma, "rotate --centre -3.5,41 --angle 30.5", kContours},
    {Comma, "igrf --lat -33.9 --lon 18.4 --year 2024.5 --model igrf14", ""},
    {Twin, "bna2xyz --label 1", kBna, kCrBna},
    {Twin, "geo2utm --zone 31 --in-layout 21 --out-layout 11", "2.5 41 -10\r3 42 -20\r2 40 5\r",
     "2.5 41 -10\r\n3 42 -20\r\n2 40 5\r\n"},
    {Twin, "geo2utm --zone 31 --in-layout 11 --out-layout 11", "2.5,41,-10\r3,42,-20\r",
     "2.5,41,-10\r\n3,42,-20\r\n"},
    {Twin, "bna2hypack --label 1", "a,b,2\n\"1\",\"2\"\n \" 3 \" ,\"4\",\"x\"\n",
     "a,b,2\n1,2\n3,4\n"},
    {Twin, "distance-time", "a,b,2\n\"2\",\"41\"\n\"2\",\"41.1\"\n", "a,b,2\n2,41\n2,41.1\n"},
    {Twin, "xyz2xyz --in-layout 21", "1 2 3\r4 5 6", "1 2 3\n4 5 6\n"},
    {Twin, "daf2bna", "Header\r1\r2\r3\r4\r2\rDecimal\rEndHeader\rSTART =1;\r1 1\rSTOP\r",
     kDafHeader + "START =1;\n1 1\nSTOP\n"},
    {Twin, "extract --every 2 --columns 1,2", "1,2\n\n3,4\n5,6\n\n", "1,2\n3,4\n5,6\n"},
    {Twin, "mapgen2bna", "# -b\n-70.964500,42.266300\n1.5\t,2.5\n",
     "# -b\n-70.964500 42.266300\n1.5 2.5\n"},
    {Twin, "xyz2xyz --in-layout 31", ""},
    {Twin, "mapgen2bna", ""},
    {Twin, "extract --every 1 --columns 1,2", ""},
    {Twin, "csv2ks", ""},
    {Twin, "xml2kml", ""},
    {Twin, "swath --constant 20 --metres --in-layout 13", ""},
    {Twin, "towed --layback 10", ""},
    {Twin, "igrf-anomaly --model igrf14 --year 2024", ""},
};

TEST(CliWays, EachWayGivesThePlainRunsBytes) {
  TempDir dir;
  const std::string locales = testing::MakeCommaLocale(dir);
  const std::string comma = "LOCPATH=" + ShellWord(locales) + " LC_ALL=" + testing::kCommaLocale;
  const std::string cd = "cd " + ShellWord(dir.Path().string()) + " && ";
  const std::string out = dir.File("out");
  // What a run printed and wrote; extract appends, so each run starts without an output.
  const auto run = [&](const std::string& script, const std::string& what) {
    fs::remove(out);
    const auto done = RunBash(cd + script);
    EXPECT_EQ(done.status, 0) << what << "\n" << done.output;
    return done.output + TempDir::Read(out);
  };
  for (const SameBytes& c : kSameBytes) {
    if (c.way == Comma && locales.empty()) continue;  // localedef could not make it
    dir.Write("in", c.way == Twin ? c.twin : c.input);
    const std::string files = c.way == Comma && c.input.empty() ? "" : " in out";
    const std::string plain = run("LC_ALL=C \"$CLI\" " + c.run + files, c.run);
    EXPECT_TRUE(c.input.empty() || !plain.empty()) << c.run;
    dir.Write("in", c.input);
    const std::vector<std::string> ways =
        c.way == Comma  ? std::vector{comma + " \"$CLI\" " + c.run + files}
        : c.way == Twin ? std::vector{"\"$CLI\" " + c.run + files}
                        : std::vector{"\"$CLI\" " + c.run + " - - <in >out",
                                      "cat in | \"$CLI\" " + c.run + " - out",
                                      "\"$CLI\" " + c.run + " <(cat in) out"};
    for (const std::string& way : ways)
      EXPECT_EQ(run(way, way), plain) << way;
  }
}

}  // namespace
}  // namespace zolvane
