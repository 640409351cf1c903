// zolvane-cli's dxf3d, poseidon2grd and bin2xyz, and what GDAL makes of their outputs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunCli;
using testing::TempDir;

bool OnPath(const std::string& tool) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path ? path : "");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (!folder.empty() && std::filesystem::exists(std::filesystem::path(folder) / tool)) {
      return true;
    }
  }
  return false;
}

std::string RunTool(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return output;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
    output.append(buffer, n);
  pclose(pipe);
  return output;
}

// X from 100 to 600; a corner at 350, -100.
const char* const kDrawing =
    "0\nSECTION\n2\nENTITIES\n0\nSOLID\n8\n0\n62\n1\n10\n100\n20\n0\n11\n350\n21\n-100\n12\n"
    "600\n22\n-50\n13\n600\n23\n-50\n0\nENDSEC\n0\nEOF\n";

TEST(BinaryDxfCli, Dxf3dLaysTheDrawingAlongTheTransect) {
  TempDir dir;
  const std::string in = dir.Write("p.dxf", kDrawing);
  const std::string out = dir.File("r.dxf");
  auto run = RunCli("dxf3d --start 0,0 --end 1000,0 " + in + " " + out);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(TempDir::Read(out).find("11\r\n 500 \r\n21\r\n 0 \r\n 31 \r\n-.1 \r\n"),
            std::string::npos);

  run = RunCli("dxf3d --start -100,40 --end -100,41 --factor 10 --profile P " + in + " " + out);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(TempDir::Read(out).find("11\r\n-100 \r\n21\r\n 40.5 \r\n 31 \r\n-10 \r\n"),
            std::string::npos);

  if (!OnPath("ogrinfo")) GTEST_SKIP() << "no ogrinfo";
  const std::string info = RunTool("ogrinfo -al " + out);
  EXPECT_NE(info.find("Layer (String) = P"), std::string::npos) << info;
  EXPECT_NE(info.find("-100 40.5 -10"), std::string::npos) << info;
}

TEST(BinaryDxfCli, RefusalsKeepNoOutput) {
  TempDir dir;
  const std::string in = dir.Write("p.dxf", kDrawing);
  const std::string flat =
      dir.Write("flat.dxf", "SOLID\n8\n0\n62\n1\n10\n5\n20\n1\n0\nENTITIES\n0\nEOF\n");
  const std::string grid = dir.Write("g.pos", "LAT_LL: 1 LONG_LL 2 LAT_UR: 3\n");
  const std::string shortBinary =
      dir.Write("s.bin", std::string("\2\0\3\0\0\0\2\0\1\0\2\0\2\0", 14));
  const std::string out = dir.File("out");
  struct Case {
    std::string arguments;
    int status;
    std::string message;
  } cases[] = {
      {"dxf3d --start 0,0 --end 1,1 --factor 0 " + in + " " + out, 2, "not 0"},
      {"dxf3d --start 0,0 --end 1,1 " + flat + " " + out, 1, "no X extent"},
      {"poseidon2grd " + grid + " " + out, 1, "no LONG_UR keyword: line 1 of " + grid},
      {"bin2xyz " + shortBinary + " " + out, 1,
       "The file ends after record 1 of 3: " + shortBinary},
  };
  for (const Case& c : cases) {
    const auto run = RunCli(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.arguments;
  }
}

TEST(BinaryDxfCli, PoseidonGridOpensInGdal) {
  TempDir dir;
  const std::string in = dir.Write(
      "g.pos",
      "LAT_LL: 40.5          LONG_LL 2               LAT_UR: 41.5          LONG_UR 3  COLS 3 "
      "ROWS 2 SC_MIN 0 SC_MAX 9\n1 -1 3\n4 5 6\n");
  const std::string out = dir.File("g.grd");
  const auto run = RunCli("poseidon2grd " + in + " " + out);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(TempDir::Read(out).substr(0, 6), "DSAA\r\n");

  if (!OnPath("gdalinfo")) GTEST_SKIP() << "no gdalinfo";
  const std::string info = RunTool("gdalinfo " + out);
  EXPECT_NE(info.find("Driver: GSAG"), std::string::npos) << info;
  EXPECT_NE(info.find("Size is 3, 2"), std::string::npos) << info;
  EXPECT_NE(info.find("NoData Value=1.70141"), std::string::npos) << info;
  // Nodes at 2, 2.5, 3 and 40.5, 41.5: cells of 0.5 by 1 around them.
  EXPECT_NE(info.find("Upper Left  (   1.7500000,  42.0000000)"), std::string::npos) << info;
  EXPECT_NE(info.find("Lower Right (   3.2500000,  40.0000000)"), std::string::npos) << info;
}

}  // namespace
}  // namespace zolvane
