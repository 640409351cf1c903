#include <gtest/gtest.h>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunCli;
using testing::TempDir;

const char* const kLine = "\"S1\",\"two\",-2\r\n-3.25,41.5\r\n10.5,-33.75\r\n";

// The options each plan takes; the plans themselves are tabled with their passes.
TEST(CliPlans, OptionsReachThePlan) {
  const struct {
    const char* arguments;
    const char* expected;
    const char* bna = kLine;
  } cases[] = {
      {"bna2hypack --label 2",
       "REM Generated from bna2hypack-Zolvane\r\nLNS 1\r\nLIN 2\r\nPTS -3.25 41.5\r\n"
       "PTS 10.5 -33.75\r\nLNN two\r\nEOL\r\n"},
      {"bna2merlin", "DEG\r\nSurvey1 from bna\r\n0 0 0 0\r\n_LINE L-S1 "},  // the default name
      {"bna2merlin --plan-name 'Bay 3'",
       "DEG\r\nBay 3\r\n0 0 0 0\r\n"
       "_LINE L-S1 0 20020110101010 0  41.50000000 -3.25000000 -33.75000000 10.50000000 \"S1\r\n"},
      {"bna2geosail --label 1", "\"S1\",2\r\n-3.25,41.5\r\n10.5,-33.75\r\n"},
      {"bna2bridge --label 2",
       "\"two\"\r\n 41 30.0000N  -   003 15.0000W 1  1 \r\n"
       " 33 45.0000S  -   010 30.0000E 2  2 \r\n"},
      {"bna2asciiplan",
       "DEG\r\n \r\n0 0 0 0\r\n_LINE M 1 20060501010101 0   .05579995 -.0123456789 \"\r\n",
       "M,n,-1\n-0.0123456789,0.05579995\n"},
  };
  TempDir dir;
  for (const auto& c : cases) {
    const std::string in = dir.Write("in.bna", c.bna);
    const auto run = RunCli(std::string(c.arguments) + " " + in + " " + dir.File("out"));
    EXPECT_EQ(run.status, 0) << c.arguments << run.output;
    EXPECT_EQ(TempDir::Read(dir.File("out")).substr(0, std::string(c.expected).size()), c.expected)
        << c.arguments;
  }
}

TEST(CliPlans, UsageAndInputFaults) {
  TempDir dir;
  const std::string in = dir.Write("in.bna", kLine);
  const std::string bad = dir.Write("bad.bna", "a,b,-3\n1,2\n");
  const std::string out = dir.File("out");
  const struct {
    std::string arguments;
    int status;
  } cases[] = {
      {"bna2hypack " + in + " " + out, 2},  // the label is not optional
      {"bna2geosail --label 3 " + in + " " + out, 2},
      {"bna2bridge --label 1 " + in, 2},
      {"bna2asciiplan " + in + " " + in, 1},
      {"bna2merlin " + bad + " " + out, 1},
      {"bna2bridge --label 1 " + dir.File("missing.bna") + " " + out, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunCli(c.arguments).status, c.status) << c.arguments;
  }
  EXPECT_EQ(TempDir::Read(in), kLine);
  EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace zolvane
