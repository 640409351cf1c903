// zolvane-cli's planning subcommands, run as a user would run them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunCli;
using testing::TempDir;

TEST(PlanningCli, DrawingCommands) {
  TempDir dir;
  const struct {
    std::string arguments;
    std::string expected;
  } cases[] = {
      {"parallel --start 0,0 --end 0,1000 --spacing 100 " + dir.File("p.bna"),
       "\"Master\",\"0\",-2\r\n0,0\r\n0,1000\r\n\" 1L\",\" 1L\",-2\r\n"
       "\"-000100\",\"0000000\"\r\n\"-000100\",\"0001000\"\r\n\" 1R\",\" 1R\",-2\r\n"
       "\"000100\",\"0000000\"\r\n\"000100\",\"0001000\"\r\n"},
      {"rotate --centre -3.5,41 --angle 90 --ccw " + dir.Write("r.bna", "\"A\",\"B\",1,-3.5,42\n") +
           " " + dir.File("p.bna"),
       "\"A\",\"B\",1\r\n-4.5,41\r\n"},
      {"rotate --centre=0,0 --angle 90 " + dir.Write("s.bna", "\"A\",\"B\",1,10,0\n") + " " +
           dir.File("p.bna"),
       "\"A\",\"B\",1\r\n0,-10\r\n"},
      {"rotate --centre=0,0 --angle 90 " +
           dir.Write("q.bna", "\"A\",\"B\",2\n\"10\",\" 0 \"\n 0 ,\"-5\"\n") + " " +
           dir.File("p.bna"),
       "\"A\",\"B\",2\r\n0,-10\r\n-5,0\r\n"},
  };
  for (const auto& c : cases) {
    const auto run = RunCli(c.arguments);
    EXPECT_EQ(run.status, 0) << c.arguments << run.output;
    EXPECT_EQ(TempDir::Read(dir.File("p.bna")), c.expected) << c.arguments;
  }
  // Every line of parallel's output converts, its quoted coordinates as their numbers.
  const std::string par = dir.File("par.bna");
  ASSERT_EQ(
      RunCli("parallel --start 500000,4500000 --end 500000,4510000 --spacing 250 --count 2 " + par)
          .status,
      0);
  const auto check = RunCli("check-bna " + par);
  EXPECT_EQ(check.status, 0) << check.output;
  EXPECT_NE(check.output.find("X min: 499500  X Max: 500500"), std::string::npos) << check.output;
  ASSERT_EQ(RunCli("bna2xyz --layout 13 " + par + " " + dir.File("par.xyz")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("par.xyz")).substr(0, 64),
            "500000,4500000\r\n500000,4510000\r\n499750,4500000\r\n499750,4510000\r\n");
  EXPECT_EQ(RunCli("circle --centre -1,2 --radius 1 " + dir.File("c.bna")).status, 0);
  const std::string circle = TempDir::Read(dir.File("c.bna"));
  EXPECT_EQ(circle.substr(0, 26), "circle,38, 38 \r\n 0 ,  2 \r\n");
}

TEST(PlanningCli, DistanceTimeAndInterpolate) {
  TempDir dir;
  const std::string plan = dir.Write("plan.bna", "\"A\",\"B\",2\n2,41\n2,41.1\n");
  const auto run =
      RunCli("distance-time --line-speed 0 --zone 31 " + plan + " " + dir.File("o.txt"));
  EXPECT_EQ(run.status, 0) << run.output;
  const std::string report = TempDir::Read(dir.File("o.txt"));
  EXPECT_EQ(report.substr(0, 62),
            "Sailing speed in the line:  .1  Kn., Between lines:  5  Kn. \r\n");
  EXPECT_NE(report.find(" 41 06.0000N  002 00.0000E 002  005.99nm."), std::string::npos) << report;

  const struct {
    std::string arguments;
    int status;
    std::string output;
  } cases[] = {
      {"--start 0,0 --end 100,50 --slider 250", 0, "x 25\ny 12.5\n25%\n"},
      {"--start 0,0 --end 100,50 --distance 3 --total 12", 0, "x 25\ny 12.5\n25%\n"},
      {"--start 0,0 --slider 250", 2, ""},
      {"--end 100,50 --slider 250", 2, ""},
      {"--start -10,0 --end 10,0 --slider 15", 0, "x -9.7\ny 0\n2%\n"},
      {"--start 0,0 --end 100,50 --distance 3 --total 0", 1, ""},
      {"--start 0,0 --end 100,50 --distance 13 --total 12", 1, ""},
      {"--start 0,0 --end 100,50", 2, ""},
      {"--start 0,0 --end 100,50 --slider 1001", 2, ""},
      {"--start 0:0 --end 100,50 --slider 1", 2, ""},
  };
  for (const auto& c : cases) {
    const auto result = RunCli("interpolate " + c.arguments);
    EXPECT_EQ(result.status, c.status) << c.arguments << result.output;
    if (c.status == 0) {
      EXPECT_EQ(result.output, c.output) << c.arguments;
    }
  }
}

TEST(PlanningCli, PlansAcrossTheEquatorAndImpossibleLatitudes) {
  TempDir dir;
  const std::string out = dir.File("o");
  const struct {
    std::string arguments;
    int status;
    std::string found;  // in the output file, or in what was printed for a fault
  } cases[] = {
      // 0.2 degrees of latitude: 11.94 nm, not the 10000 km step of the southern northings.
      {"distance-time " + dir.Write("e.bna", "\"A\",\"B\",2\n2,-0.1\n2,0.1\n"), 0,
       "N.Miles = 11.94"},
      {"distance-time " + dir.Write("p.bna", "\"A\",\"B\",2\n2,41\n2,95\n"), 1,
       "Latitude beyond 90 degrees north or south: line 3 of "},
      // 1000 m to the west of a master line from south to north, on both sides of the equator.
      {"parallel --degrees --start 2,-0.1 --end 2,0.1", 0,
       "\" 1L\",\" 1L\",-2\r\n\"001.9910100\",\"-00.0999934\"\r\n"
       "\"001.9910100\",\"00.1000024\"\r\n"},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(out);
    const auto run = RunCli(c.arguments + " " + out);
    EXPECT_EQ(run.status, c.status) << c.arguments << run.output;
    const std::string seen = c.status == 0 ? TempDir::Read(out) : run.output;
    EXPECT_NE(seen.find(c.found), std::string::npos) << c.arguments << "\n" << seen;
    if (c.status != 0) {
      EXPECT_FALSE(std::filesystem::exists(out)) << c.arguments;
    }
  }
}

TEST(PlanningCli, FiltersAndFaults) {
  TempDir dir;
  const std::string points = dir.Write("p.dat", "0 0 1\n10 10 2\n5 5 3\n20 5 4\n");
  const struct {
    std::string options;
    std::string expected;
  } cases[] = {
      {"--x 0,10 --y 0,10", "0 0 1\r\n10 10 2\r\n5 5 3\r\n"},
      {"--x 0,10 --y 0,10 --delete", "20 5 4\r\n"},
      {"--z -1,2", "0 0 1\r\n10 10 2\r\n"},
      {"--z -1,2 --out-layout 11", "0,0,1\r\n10,10,2\r\n"},
  };
  for (const auto& c : cases) {
    const auto run =
        RunCli("filter-xyz --in-layout 21 " + c.options + " " + points + " " + dir.File("o.dat"));
    EXPECT_EQ(run.status, 0) << c.options << run.output;
    EXPECT_EQ(TempDir::Read(dir.File("o.dat")), c.expected) << c.options;
  }
  const std::string bna = dir.Write("c.bna", "\"A\",\"B\",3\n1,1\n20,1\n2,2\n");
  EXPECT_EQ(RunCli("clip-bna --x 0,10 --y 0,10 " + bna + " " + dir.File("c2.bna")).status, 0);
  EXPECT_EQ(TempDir::Read(dir.File("c2.bna")),
            "\"A\",\"B\", 1 \r\n1,1\r\n\"A\",\"B\", 1 \r\n2,2\r\n");

  // Faults name the file and line and leave no output; usage errors exit 2.
  const std::string bad = dir.Write("bad.bna", "\"A\",\"B\",2\n1,1\nx,2\n");
  for (const std::string& command : {"distance-time " + bad, "rotate --centre 0,0 --angle 5 " + bad,
                                     "clip-bna --x 0,10 --y 0,10 " + bad}) {
    const auto run = RunCli(command + " " + dir.File("none.out"));
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_NE(run.output.find("line 3 of " + bad), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(dir.File("none.out")));
  }
  EXPECT_EQ(RunCli("rotate --centre 0,0 --angle 5 " + bad + " " + bad).status, 1);
  EXPECT_EQ(TempDir::Read(bad), "\"A\",\"B\",2\n1,1\nx,2\n");
  EXPECT_EQ(RunCli("filter-xyz " + points + " " + dir.File("o.dat")).status, 2);
  EXPECT_EQ(RunCli("filter-xyz --x 0,1 --z 0,1 " + points + " " + dir.File("o.dat")).status, 2);
  EXPECT_EQ(RunCli("filter-xyz --x 5,1 --y 0,1 " + points + " " + dir.File("o.dat")).status, 1);
}

}  // namespace
}  // namespace zolvane
