// Inputs that can be read only once, standard streams, and line ends of every kind.
#include <gtest/gtest.h>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunBash;
using testing::RunCli;
using testing::TempDir;

const std::string kBna =
    "\"a\",\"5\",3\r\n1.5,2\r\n3,4\r\n5,6\r\n\"b\",\"7\",1,-7,8\r\n\"c\",\"9\",-2\r\n1,1\r\n2,"
    "2\r\n";

// One-pass and two-pass subcommands (the BNA ones check first, then convert).
const char* const kCommands[] = {
    "bna2xyz --label 2 --layout 21",
    "geo2utm --zone 31 --bna",
    "geo2utm --zone 31 --in-layout 11 --out-layout 22",
    "surfer2genesis --null -1",
};

TEST(CliStreams, PipesAndStandardStreamsGiveTheFileToFileResult) {
  TempDir dir;
  const std::string bna = dir.Write("in.bna", kBna);
  const std::string xyz = dir.Write("in.xyz", "2.5,41,-10\r\n3,42,-20\r\n");
  const std::string grid = dir.Write("in.grd", "DSAA\n2 2\n0 1\n0 1\n1 4\n1 2\n3 1.70141E+38\n");
  for (const char* command : kCommands) {
    const std::string name(command);
    const std::string in = name.find("surfer2") == 0 ? grid
                           : name.find("--bna") != std::string::npos || name.find("bna2") == 0
                               ? bna
                               : xyz;
    const std::string expected = dir.File("expected");
    const auto plain = RunCli(std::string(command) + " " + in + " " + expected);
    ASSERT_EQ(plain.status, 0) << command << plain.output;
    const std::string ways[] = {
        "\"$CLI\" " + std::string(command) + " - - < " + in + " > " + dir.File("out"),
        "cat " + in + " | \"$CLI\" " + command + " - " + dir.File("out"),
        "\"$CLI\" " + std::string(command) + " <(cat " + in + ") " + dir.File("out"),
    };
    for (const std::string& way : ways) {
      const auto run = RunBash(way);
      EXPECT_EQ(run.status, 0) << way << run.output;
      EXPECT_EQ(TempDir::Read(dir.File("out")), TempDir::Read(expected)) << way;
    }
  }
  // A cut BNA on standard input ends with its fault and writes nothing.
  const auto cut = RunBash("printf 'a,b,3\\r\\n1,2\\r\\n' | \"$CLI\" bna2xyz - " + dir.File("cut"));
  EXPECT_EQ(cut.status, 1);
  EXPECT_NE(cut.output.find("standard input"), std::string::npos) << cut.output;
  EXPECT_FALSE(std::filesystem::exists(dir.File("cut")));
}

TEST(CliStreams, CrOnlyAndLfOnlyFilesConvertAsTheirCrLfTwins) {
  TempDir dir;
  const struct {
    std::string command, text;
  } cases[] = {
      {"bna2xyz --label 1", kBna},
      {"geo2utm --zone 31 --in-layout 21 --out-layout 11", "2.5 41 -10\r\n3 42 -20\r\n2 40 5\r\n"},
      {"geo2utm --zone 31 --in-layout 11 --out-layout 11", "2.5,41,-10\r\n3,42,-20\r\n"},
  };
  for (const auto& c : cases) {
    const auto convert = [&](const std::string& name, const std::string& text) {
      const auto run = RunCli(c.command + " " + dir.Write(name, text) + " " + dir.File("o" + name));
      EXPECT_EQ(run.status, 0) << c.command << run.output;
      return TempDir::Read(dir.File("o" + name));
    };
    const std::string crlf = convert("crlf", c.text);
    EXPECT_FALSE(crlf.empty());
    for (const char* end : {"\r", "\n"}) {
      std::string text;
      for (char ch : c.text) {
        if (ch == '\r') continue;
        text += ch == '\n' ? std::string(end) : std::string(1, ch);
      }
      EXPECT_EQ(convert(end[0] == '\r' ? "cr" : "lf", text), crlf) << c.command;
    }
  }
  const auto check = [&](const std::string& text) {
    return RunCli("check-bna " + dir.Write("check.bna", text)).output;
  };
  std::string crOnly = kBna;
  std::erase(crOnly, '\n');
  EXPECT_EQ(check(crOnly), check(kBna));
}

}  // namespace
}  // namespace zolvane
