// zolvane-cli's swath, towed, igrf and igrf-anomaly subcommands, run as a user would.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/numbers.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunCli;
using testing::TempDir;

TEST(GeophysicsCli, FilesAndFields) {
  TempDir dir;
  const std::string track = dir.Write("track.dat", "10,10\n100,10\n100,100\n");
  const std::string bna = dir.File("swath.bna");
  EXPECT_EQ(RunCli("swath --constant 20 --metres --in-layout 13 " + track + " " + bna).status, 0);
  EXPECT_EQ(TempDir::Read(bna).substr(0, 15), "\" 10\",\" 10\",5\r\n");

  const std::string fixes = dir.Write("fixes.dat", "0,0,5,a\n100,0,5,b\n");
  const std::string towed = dir.File("towed.dat");
  EXPECT_EQ(RunCli("towed --layback 10 " + fixes + " " + towed).status, 0);
  EXPECT_EQ(TempDir::Read(towed),
            "\"X_ship - Y_ship - X_sonar - Y_sonar - layback - label \"\r\n"
            "100,0,90,0,10,\"b\"\r\n");
  EXPECT_EQ(RunCli("towed --layback-from-file " + fixes + " " + towed).status, 0);
  EXPECT_NE(TempDir::Read(towed).find("100,0,95,0,5,\"b\""), std::string::npos);

  // Negative coordinates are values, not options.
  for (const char* model : {"igrf2005", "igrf14"}) {
    const auto run =
        RunCli(std::string("igrf --lat -33.9 --lon 18.4 --year 2006 --month 6 --model ") + model);
    EXPECT_EQ(run.status, 0) << run.output;
    const double field = ReadNumber(run.output);
    EXPECT_GT(field, 20000);
    EXPECT_LT(field, 40000);
  }

  const std::string measured = dir.Write("mag.dat", "2 41 45000\n-3.5 -41 30000\n");
  const std::string anomaly = dir.File("anomaly.dat");
  EXPECT_EQ(RunCli("igrf-anomaly --model igrf14 --year 2024 --in-layout 21 --out-layout 13 " +
                   measured + " " + anomaly)
                .status,
            0);
  EXPECT_EQ(TempDir::Read(anomaly), "2,41\r\n-3.5,-41\r\n");
}

TEST(GeophysicsCli, RefusalsAndFaults) {
  TempDir dir;
  const std::string points = dir.Write("p.dat", "2,41,45000\n");
  const std::string out = dir.File("o.dat");
  const struct {
    std::string arguments;
    int status;
  } cases[] = {
      {"swath " + points + " " + out, 2},  // no method
      {"swath --constant 1 --coefficient 1 " + points + " " + out, 2},
      {"towed --layback -5 " + points + " " + out, 2},
      {"towed " + points + " " + out, 2},
      {"igrf --lat 0 --lon 0 --year 2031 --model igrf14", 2},
      {"igrf --lat 0 --lon 0 --year 1899 --model igrf14", 2},
      {"igrf-anomaly --in-layout 13 " + points + " " + out, 2},
      {"igrf-anomaly " + points + " " + points, 1},  // output equal to input
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunCli(c.arguments).status, c.status) << c.arguments;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.arguments;
  }
  EXPECT_EQ(TempDir::Read(points), "2,41,45000\n");

  const std::string bad = dir.Write("bad.dat", "0,0,5,a\n1,zz,5,b\n");
  const auto run = RunCli("towed --layback 10 " + bad + " " + out);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("line 2 of " + bad), std::string::npos) << run.output;
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace zolvane
