// zolvane-cli's Miramon VEC, MapGen and Kingdom Suite subcommands, run as a user would.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunCli;
using testing::TempDir;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(GisCli, VecBothWays) {
  TempDir dir;
  const std::string bna = dir.Write("in.bna", "\"A\",\"7\",-2\n500000,4000000\n500100,4000100\n");
  const std::string vec = dir.File("out.vec");
  EXPECT_EQ(
      RunCli("bna2vec --id both --datum ed50 --utm-zone 31 --south " + bna + " " + vec).status, 0);
  EXPECT_EQ(TempDir::Read(vec), "A_7 2\r\n500000 4000000\r\n500100 4000100\r\n0 0\r\n\r\n");
  const std::string dvc = TempDir::Read(dir.File("out.dvc"));
  EXPECT_TRUE(Has(dvc, "object type : line\r\nref. system : UTM-31S-ED50\r\nref. units  : m\r\n"))
      << dvc;
  EXPECT_TRUE(Has(dvc, "comment     : creado a partir de  " + bna + "\r\n")) << dvc;

  EXPECT_EQ(RunCli("vec2bna " + vec + " " + dir.File("back.bna")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("back.bna")),
            "A_7 ,line,-2 \r\n500000,4000000\r\n500100,4000100\r\n");

  EXPECT_EQ(RunCli("bna2vec --id label2 " + bna + " " + dir.File("deg.vec")).status, 0);
  EXPECT_TRUE(Has(TempDir::Read(dir.File("deg.dvc")), "ref. system : lat/long-WGS84\r\n"));

  // No DVC beside the VEC, or one without its object type.
  const std::string lone = dir.Write("lone.vec", "1 1\n1 2\n0 0\n");
  const std::string dvcPath = dir.File("lone.dvc");
  for (const std::string& said :
       {dvcPath + " Not found", "The DVC file could not be read: " + dvcPath}) {
    if (said.starts_with("The")) dir.Write("lone.dvc", "file title  : \n");
    const auto run = RunCli("vec2bna " + lone + " " + dir.File("lone.bna"));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.output, said)) << run.output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("lone.bna")));
  }
}

TEST(GisCli, MapgenAndKingdom) {
  TempDir dir;
  const std::string mapgen =
      dir.Write("shore.dat", "# -b\r\n-70.964500 42.266300\r\n-70.965200 42.265600\r\n# -b\r\n");
  EXPECT_EQ(RunCli("mapgen2bna " + mapgen + " " + dir.File("shore.bna")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("shore.bna")),
            "\"shore\",\"costa\",-2\r\n-70.9645,42.2663\r\n-70.9652,42.2656\r\n");
  EXPECT_EQ(RunCli("check-bna " + dir.File("shore.bna")).status, 0);

  const std::string csv = dir.Write("nav.csv", "101,523456.7,4712345.25\n");
  EXPECT_EQ(RunCli("csv2ks " + csv + " " + dir.File("nav.dat")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("nav.dat")), "00101.000    523456.700   4712345.250   L-0\r\n");
  EXPECT_EQ(RunCli("csv2ks --shot-column 3 --x-column 1 --y-column 2 --line-name L-7 " + csv + " " +
                   dir.File("wide.dat"))
                .status,
            0);
  EXPECT_EQ(TempDir::Read(dir.File("wide.dat")),
            "4712345.250    000101.000   0523456.700   L-7\r\n");
}

TEST(GisCli, FaultsAndUsage) {
  TempDir dir;
  const struct {
    const char* command;
    const char* input;
    const char* where;
  } faults[] = {
      {"mapgen2bna", "# -b\n1.5 2.5\n1.52.5 and more\n", "line 3 of "},
      {"csv2ks", "1,2,3\n4,5\n", "line 2 of "},
      {"bna2vec", "\"A\",\"B\",3\n1,2\n", "line 2 of "},
  };
  for (const auto& f : faults) {
    const std::string in = dir.Write("bad.txt", f.input);
    const auto run = RunCli(std::string(f.command) + " " + in + " " + dir.File("out.txt"));
    EXPECT_EQ(run.status, 1) << f.command;
    EXPECT_TRUE(Has(run.output, f.where + in)) << run.output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.txt"))) << f.command;
  }
  const std::string same = dir.Write("same.csv", "1,2,3\n");
  EXPECT_EQ(RunCli("csv2ks " + same + " " + same).status, 1);
  EXPECT_EQ(TempDir::Read(same), "1,2,3\n");

  const std::string files = same + " " + dir.File("o.txt");
  for (const std::string& arguments :
       {"csv2ks --shot-column 4 " + files, "csv2ks --x-column 0 " + files,
        "csv2ks --shot-column 2 " + files, "bna2vec --south " + files,
        "bna2vec --utm-zone 61 " + files, "bna2vec --id label3 " + files,
        "bna2vec --datum nad27 " + files, std::string("vec2bna")}) {
    EXPECT_EQ(RunCli(arguments).status, 2) << arguments;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.txt")));
}

}  // namespace
}  // namespace zolvane
