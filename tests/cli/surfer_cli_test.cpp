// zolvane-cli's grid, palette and extraction subcommands, run as a user would run them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunCli;
using testing::TempDir;

TEST(SurferCli, GenesisAndPalettes) {
  TempDir dir;
  const std::string grid = dir.Write("g.grd", "DSAA\n2 2\n0 1\n0 1\n1 4\n1 2\n3 1.70141E+38\n");
  EXPECT_EQ(RunCli("surfer2genesis --null -7.5 " + grid + " " + dir.File("g.txt")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("g.txt")), " 2 \r\n-8 \r\n 0 \r\n 1 \r\n");

  const std::string clr = dir.Write("s.clr", "ColorMap 1 1\n0 0 0 0\n100 255 255 255\n");
  EXPECT_EQ(RunCli("invert-clr " + clr + " " + dir.File("i.clr")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("i.clr")).substr(0, 17), "ColorMap 1 1\r\n 0 ");
  EXPECT_EQ(RunCli("clr2p25 " + clr + " " + dir.File("p.p25")).status, 0);
  const std::string palette = TempDir::Read(dir.File("p.p25"));
  EXPECT_EQ(std::count(palette.begin(), palette.end(), '\n'), 257);
}

TEST(SurferCli, ExtractAppends) {
  TempDir dir;
  const std::string in = dir.Write("in.dat", "10.5,20.25,abc\n1,2,3\n4,5,6\n");
  const std::string out = dir.File("out.dat");
  EXPECT_EQ(RunCli("extract --every 2 --columns 2,1,3 " + in + " " + out).status, 0);
  EXPECT_EQ(RunCli("extract --every 1 --whole-lines " + in + " " + out).status, 0);
  EXPECT_EQ(TempDir::Read(out),
            "20.25,10.5,\"abc\"\r\n5,4,\"6\"\r\n10.5,20.25,abc\r\n1,2,3\r\n4,5,6\r\n");
  const std::string bna = dir.Write("in.bna", "\"A\",\"B\",-3\n1,1\n2,2\n3,3\n");
  EXPECT_EQ(RunCli("extract --every 3 --bna " + bna + " " + dir.File("o.bna")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("o.bna")), "\"A\",\"B\",-1\r\n3,3\r\n");
}

TEST(SurferCli, FaultsAndUsage) {
  TempDir dir;
  const std::string bad = dir.Write("bad.grd", "DSAA\n2 2\n0 1\n0 1\n0 1\n1 2\n");
  const auto run = RunCli("surfer2genesis " + bad + " " + dir.File("o.txt"));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("line 6 of " + bad), std::string::npos) << run.output;
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.txt")));

  const std::string in = dir.Write("in.dat", "1,2\n");
  const std::string out = dir.Write("out.dat", "kept\n");
  EXPECT_EQ(RunCli("extract --every 1 --columns 1,3 " + in + " " + out).status, 1);
  EXPECT_EQ(TempDir::Read(out), "kept\n");
  EXPECT_EQ(RunCli("invert-clr " + in + " " + in).status, 1);
  EXPECT_EQ(TempDir::Read(in), "1,2\n");

  for (const char* usage :
       {"extract --every 2 ", "extract --every 2 --whole-lines --bna ", "extract --every 1 --bna ",
        "extract --every 2 --columns 0,1 ", "extract --every 0 --whole-lines ",
        "extract --every 2 --columns 1 ", "extract --every 2 --lines --columns 1,2 "}) {
    EXPECT_EQ(RunCli(usage + in + " " + dir.File("u.dat")).status, 2) << usage;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("u.dat")));
}

}  // namespace
}  // namespace zolvane
