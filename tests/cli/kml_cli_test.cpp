// bna2kml, bna2xml and xml2kml from the shell; the KML read by GDAL and xmllint when present.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::RunCli;
using testing::TempDir;

// Output of a shell command, standard error included.
std::string Shell(const std::string& command) {
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

bool Installed(const std::string& tool) {
  return !Shell("command -v " + tool).empty();
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

const char* const kObjects =
    "\"P & Q\",\"p2\",1,-3.5,41.25\n\"L\",\"l2\",-3\n1,2\n3,4\n5,5\n"
    "\"G\",\"g2\",4\n0,0\n1,0\n1,1\n0,0\nM,N,-1\n2,3\n";

TEST(CliBnaToKml, OptionsBecomeTheStyle) {
  TempDir dir;
  const std::string in = dir.Write("a.bna", kObjects);
  const std::string out = dir.File("a.kml");
  const auto run = RunCli(
      "bna2kml --label 2 --symbol Flag --symbol-scale 2 --point-colour ff8000 --line-colour "
      "0A0B0C --line-width 3 --polygon-colour 102030 --transparency 0 --folder 'F <1>' "
      "--description D --style-name s1 " +
      in + " " + out);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(Has(run.output, "Error in object  M N")) << run.output;
  const std::string kml = TempDir::Read(out);
  for (const char* part :
       {"<Style id=\"s1\" > ", "<scale>2</scale>", "<color>ff0080ff</color>", "pal2/icon13.png",
        "<color>ff0c0b0a</color>", "<width>3</width>", "<color>ff302010</color>",
        "<colorMode>normal</colorMode>", "<name>F &lt;1&gt;</name>", "<description>D</description>",
        "<name>p2</name>", "<styleUrl>#s1</styleUrl>"}) {
    EXPECT_TRUE(Has(kml, part)) << part;
  }
  const auto defaults = RunCli("bna2kml " + in + " " + dir.File("b.kml"));
  ASSERT_EQ(defaults.status, 0) << defaults.output;
  const std::string plain = TempDir::Read(dir.File("b.kml"));
  EXPECT_TRUE(Has(plain, "<color>80ffffff</color>\r\n     <colorMode>random</colorMode>"));
  EXPECT_TRUE(Has(plain, "_map</styleUrl>"));
}

TEST(CliBnaToKml, GdalReadsEveryKind) {
  if (!Installed("ogrinfo")) GTEST_SKIP() << "ogrinfo is not installed";
  TempDir dir;
  const std::string out = dir.File("a.kml");
  ASSERT_EQ(RunCli("bna2kml --style-name s1 " + dir.Write("a.bna", kObjects) + " " + out).status,
            0);
  // LIBKML names the style each placemark refers to; only "#s1" refers to the document's.
  std::string info = Shell("ogrinfo -ro -al " + out);
  std::size_t styled = 0;
  for (std::size_t at = info.find("Style = @s1\n"); at != std::string::npos;
       at = info.find("Style = @s1\n", at + 1)) {
    ++styled;
  }
  EXPECT_EQ(styled, 4u) << info;
  for (const char* driver : {"", "--config GDAL_SKIP LIBKML "}) {
    info = Shell("ogrinfo " + std::string(driver) + "-ro -al " + out);
    EXPECT_TRUE(Has(info, "Feature Count: 4")) << info;
    EXPECT_TRUE(Has(info, "POINT Z (-3.5 41.25 0)")) << info;
    EXPECT_TRUE(Has(info, "LINESTRING Z (1 2 0,3 4 0,5 5 0)")) << info;
    EXPECT_TRUE(Has(info, "POLYGON Z ((0 0 0,1 0 0,1 1 0,0 0 0))")) << info;
    EXPECT_TRUE(Has(info, "POINT Z (2 3 0)")) << info;
    EXPECT_TRUE(Has(info, "P & Q")) << info;
  }
}

TEST(CliBnaToXml, MarkersWithCsvAndBackToKml) {
  TempDir dir;
  const std::string in = dir.Write("a.bna", kObjects);
  // Two rows for one label, and a column named like the marker's own attribute.
  const std::string csv = dir.Write("t.csv", "Survey,Line_Id,label\n\"S & 1\",K,L\nS2,K2,L\n");
  const std::string xml = dir.File("a.xml");
  const auto run = RunCli("bna2xml --line-colour FF8000 --line-width 2 --csv " + csv +
                          " --sync-column 3 " + in + " " + xml);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(Has(run.output, "line not found: G")) << run.output;
  const std::string markers = TempDir::Read(xml);
  EXPECT_TRUE(Has(markers,
                  "label=\"L\" Survey=\"S &amp; 1\" Line_Id=\"K\" label_2=\"L\" Survey_2=\"S2\" "
                  "Line_Id_2=\"K2\" label_3=\"L\"  />"))
      << markers;
  EXPECT_TRUE(Has(markers, "<line colour=\"#ff8000\" width=\"2\" label=\"L\" > ")) << markers;

  const std::string kml = dir.File("b.kml");
  ASSERT_EQ(RunCli("xml2kml " + xml + " " + kml).status, 0);
  EXPECT_TRUE(Has(TempDir::Read(kml), "<name>K</name>"));
  if (Installed("xmllint")) {
    for (const std::string& file : {xml, kml}) {
      EXPECT_EQ(Shell("xmllint --noout " + file), "") << file;
    }
  }
}

TEST(CliKml, UsageAndFileFaults) {
  TempDir dir;
  const std::string in = dir.Write("a.bna", "a,b,1,1,2\n");
  const std::string out = dir.File("o");
  std::string wide;
  for (int i = 0; i <= 60; ++i)
    wide.append("c,");
  const struct {
    std::string arguments;
    int status;
  } cases[] = {
      {"bna2kml --point-colour orange " + in + " " + out, 2},
      {"bna2kml --polygon-colour 12345 " + in + " " + out, 2},
      {"bna2kml --transparency 101 " + in + " " + out, 2},
      {"bna2xml --csv x.csv " + in + " " + out, 2},
      {"xml2kml " + in, 2},
      {"bna2kml " + in + " " + in, 1},
      {"bna2kml " + dir.Write("bad.bna", "a,b,2\n1,2\n") + " " + out, 1},
      {"bna2xml --csv " + dir.File("none.csv") + " --sync-column 1 " + in + " " + out, 1},
      {"bna2xml --csv " + dir.Write("w.csv", wide + "c\n") + " --sync-column 1 " + in + " " + out,
       1},
      {"xml2kml " + dir.Write("bad.xml", "<?xml?>\n<markers>\n<marker />\n") + " " + out, 1},
  };
  for (const auto& c : cases) {
    const auto run = RunCli(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.output;
  }
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_EQ(TempDir::Read(in), "a,b,1,1,2\n");
}

}  // namespace
}  // namespace zolvane
