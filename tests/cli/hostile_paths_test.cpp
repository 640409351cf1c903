// zolvane-cli with awkward file names and outputs that cannot be written.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

namespace fs = std::filesystem;
using testing::RunBash;
using testing::ShellWord;
using testing::TempDir;

const std::string kBna = "\"-25\",\"first\",2\r\n2.5,41.3\r\n2.75,41.25\r\n";
const std::string kXyz = "2.5,41.3,\"-25\"\r\n2.75,41.25,\"-25\"\r\n";

std::size_t Entries(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(HostilePaths, BlanksNonAsciiAndLeadingDashes) {
  const struct {
    std::string input, output, separator;
  } cases[] = {
      {"survey lines.bna", "survey lines.xyz", ""},
      {"Kiel Förde ø.bna", "Ñandú é.xyz", ""},
      {"-lines.bna", "-lines.xyz", "-- "},
      {"- x ü.bna", "--.xyz", "-- "},
  };
  for (const auto& c : cases) {
    TempDir dir;
    dir.Write(c.input, kBna);
    const auto run = RunBash("cd " + ShellWord(dir.Path()) + " && \"$CLI\" bna2xyz " + c.separator +
                             ShellWord(c.input) + " " + ShellWord(c.output));
    EXPECT_EQ(run.status, 0) << c.input << "\n" << run.output;
    EXPECT_EQ(TempDir::Read(dir.File(c.output)), kXyz) << c.output;
    // A fault names the file as it was typed.
    dir.Write(c.input, kBna + "oops\r\n");
    const auto fault = RunBash("cd " + ShellWord(dir.Path()) + " && \"$CLI\" check-bna " +
                               c.separator + ShellWord(c.input));
    EXPECT_EQ(fault.status, 1) << c.input;
    EXPECT_NE(fault.output.find("line 4 of " + c.input), std::string::npos) << fault.output;
  }
}

TEST(HostilePaths, ADashNameWithoutTheSeparatorIsAUsageErrorThatSaysHow) {
  TempDir dir;
  dir.Write("-lines.bna", kBna);
  const auto run =
      RunBash("cd " + ShellWord(dir.Path()) + " && \"$CLI\" bna2xyz -lines.bna out.xyz");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("zolvane-cli bna2xyz -- -lines.bna"), std::string::npos) << run.output;
  EXPECT_EQ(Entries(dir.Path()), 1u);
}

TEST(HostilePaths, AnOutputThatCannotBeWrittenIsNamedAndLeavesNothing) {
  TempDir dir;
  const std::string input = dir.Write("in.bna", kBna);
  const std::string full = dir.File("full");
  if (mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
    GTEST_SKIP() << "a private full device needs root";
  }
  const std::string gone = dir.File("gone/out.xyz");
  const struct {
    std::string output, named, reason;
  } cases[] = {
      {ShellWord(full), full, "No space left on device"},
      {"- > " + ShellWord(full), "standard output", "No space left on device"},
      {ShellWord(gone), gone, "No such file or directory"},
      {ShellWord(dir.Path()), dir.Path(), "Is a directory"},
  };
  for (const auto& c : cases) {
    const auto run = RunBash("\"$CLI\" bna2xyz " + ShellWord(input) + " " + c.output);
    EXPECT_EQ(run.status, 1) << c.output;
    EXPECT_EQ(run.output, "zolvane-cli: cannot write " + c.named + ": " + c.reason + "\n");
  }
  EXPECT_EQ(Entries(dir.Path()), 2u);  // the input and the device, no temporary
}

TEST(HostilePaths, StandardOutputAppendedToAFileKeepsItsText) {
  TempDir dir;
  const std::string input = dir.Write("in.bna", kBna);
  const std::string log = dir.Write("log.txt", "kept\n");
  const auto run = RunBash("\"$CLI\" bna2xyz " + ShellWord(input) + " - >> " + ShellWord(log));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(TempDir::Read(log), "kept\n" + kXyz);
}

// Root writes through permission bits, so the run is made as an unprivileged user.
TEST(HostilePaths, AReadOnlyFolderTakesNoNewFile) {
  TempDir dir;
  const std::string input = dir.Write("in.bna", kBna);
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
      {"open.xyz", 0, kXyz},  // the folder refuses a temporary: written in place
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
  EXPECT_EQ(Entries(folder), 2u);
  chmod(folder.c_str(), 0755);  // so that the folder can be removed by any user
}

}  // namespace
}  // namespace zolvane
