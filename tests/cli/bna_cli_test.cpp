#include <gtest/gtest.h>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunCli;
using testing::TempDir;

TEST(CliCheckBna, CountsAndRangesOrTheFault) {
  TempDir dir;
  const auto good = RunCli("check-bna " + dir.Write("a.bna", "a,b,3\n1,2\n3,4\n5,6\nc,d,1,-7,8\n"));
  EXPECT_EQ(good.status, 0);
  EXPECT_NE(good.output.find("objects: 2"), std::string::npos) << good.output;
  EXPECT_NE(good.output.find("X min: -7  X Max: 5"), std::string::npos) << good.output;

  const auto bad = RunCli("check-bna " + dir.Write("b.bna", "a,b,3\n1,2\n3;4\n"));
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.output.find("line 3 of"), std::string::npos) << bad.output;

  EXPECT_EQ(RunCli("check-bna " + dir.File("missing.bna")).status, 1);
  EXPECT_EQ(RunCli("check-bna").status, 2);
}

TEST(CliBnaToXyz, ConvertsWithLabelAndLayout) {
  TempDir dir;
  const std::string in = dir.Write("a.bna", "\"A\",\"B\",1,2.5,41.3\r\n");
  const auto run = RunCli("bna2xyz --label 2 --layout 22 " + in + " " + dir.File("a.dat"));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(TempDir::Read(dir.File("a.dat")), "41.3 2.5 \"B\"\r\n");
}

TEST(CliBnaToXyz, UsageFaultsAndUnsafeOutputs) {
  TempDir dir;
  const std::string in = dir.Write("a.bna", "a,b,1\n1,2\n");
  EXPECT_EQ(RunCli("bna2xyz --layout 25 " + in + " " + dir.File("o")).status, 2);
  EXPECT_EQ(RunCli("bna2xyz --label 3 " + in + " " + dir.File("o")).status, 2);
  EXPECT_EQ(RunCli("bna2xyz " + in).status, 2);
  EXPECT_EQ(RunCli("frobnicate").status, 2);
  EXPECT_EQ(RunCli("bna2xyz " + in + " " + in).status, 1);
  EXPECT_EQ(TempDir::Read(in), "a,b,1\n1,2\n");
  EXPECT_EQ(RunCli("bna2xyz " + dir.Write("bad.bna", "a,b,2\n1,2\n") + " " + dir.File("o")).status,
            1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("o")));
}

}  // namespace
}  // namespace zolvane
