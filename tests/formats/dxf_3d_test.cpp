// Didger 2D profile drawings laid along a transect as 3D DXF: the scan, the conversion and
// the menu command answered from a script.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/dxf_3d.h"
#include "formats/engine_cases.h"

namespace zolvane {
namespace {

using testing::RunPass;

std::string Lines(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string text;
  for (const auto& line : lines)
    text += line + end;
  return text;
}

// A drawing whose X runs from 100 to 600: one SOLID, then a polyline of one vertex.
const std::string kDrawing = Lines(
    {"  0",      "SECTION", "  2",    "HEADER", "  0",    "ENDSEC", "  0",      "SECTION", "  2",
     "ENTITIES", "  0",     "SOLID",  "  8",    "0",      " 62",    "1",        " 10",     "100.0",
     " 20",      "0.0",     " 11",    "350",    " 21",    "-100",   " 12",      "600",     " 22",
     "-50",      " 13",     "600",    " 23",    "-50",    "  0",    "POLYLINE", "  8",     "0",
     " 66",      "1",       "  0",    "VERTEX", "  8",    "0",      " 10",      "600",     " 20",
     "-200",     "  0",     "ENDSEQ", "  0",    "ENDSEC", "  0",    "EOF"},
    "\n");

// Start 0,0 and end 1000,0 with factor 1000: drawing x 350, y -100 becomes 500, 0, -.1.
const std::string kEastWest = Lines(
    {" 999 ", "Line1",  " 0 ",  "SECTION", " 2 ",  "ENTITIES", "0",    "SOLID",    "  8",  "Line1",
     " 62",   "1",      "10",   " 0 ",     "20",   " 0 ",      " 30 ", " 0 ",      "11",   " 500 ",
     "21",    " 0 ",    " 31 ", "-.1 ",    "12",   " 1000 ",   "22",   " 0 ",      " 32 ", "-.05 ",
     "13",    " 1000 ", "23",   " 0 ",     " 33 ", "-.05 ",    "0",    "POLYLINE", "  8",  "Line1",
     "66",    "1",      "0",    "VERTEX",  "  8",  "Line1",    "10",   " 1000 ",   "20",   " 0 ",
     " 30 ",  "-.2 ",   "0",    "ENDSEQ",  " 8 ",  "Line1",    "0",    "ENDSEC",   "0",    "EOF"});

DxfTo3dOptions Transect(double x1, double y1, double x2, double y2, double factor = 1000) {
  DxfTo3dOptions options;
  options.x1 = x1;
  options.y1 = y1;
  options.x2 = x2;
  options.y2 = y2;
  options.xMin = 100;
  options.xMax = 600;
  options.factor = factor;
  return options;
}

auto Converter(const DxfTo3dOptions& options) {
  return [options](auto& in, auto& out) { return ConvertDxfTo3d(in, out, options, {}); };
}

PassResult Scan(const std::string& input, Statistics& statistics) {
  return RunPass(input, [&](auto& in, auto&) { return ScanDxfSolids(in, statistics, {}); }).first;
}

TEST(Dxf3d, ScanTakesTheCornersOfExactSolidLinesOnly) {
  struct Case {
    std::string input;
    double xMin, xMax, yMin, yMax;
  } cases[] = {
      {kDrawing, 100, 600, -100, 0},  // the first corner's Y of 0 is the top
      // A blanked entity name is not a SOLID to the scan.
      {"  SOLID\n8\n0\n62\n1\n10\n5\n20\n7\n", 0, 0, 0, 0},
      // Corners with Z use up rounds: only two corners are taken.
      {"SOLID\n8\n0\n62\n1\n10\n1\n20\n2\n30\n0\n11\n3\n21\n4\n31\n0\n12\n9\n22\n9\n", 1, 3, 2, 4},
      // A corner at 0 is an extreme like any other.
      {"SOLID\n8\n0\n62\n1\n10\n5\n20\n-1\n11\n0\n21\n0\n12\n3\n22\n-2\n13\n3\n23\n-2\n", 0, 5, -2,
       0},
  };
  for (const Case& c : cases) {
    Statistics statistics;
    EXPECT_EQ(Scan(c.input, statistics).status, PassStatus::Done);
    EXPECT_EQ(statistics.XMin, c.xMin) << c.input;
    EXPECT_EQ(statistics.XMax, c.xMax) << c.input;
    EXPECT_EQ(statistics.YMin, c.yMin) << c.input;
    EXPECT_EQ(statistics.YMax, c.yMax) << c.input;
  }
}

TEST(Dxf3d, CornersAreLaidAlongTheTransectUnlessTheDrawingIsDamaged) {
  const std::string notNumber = [] {
    std::string text = kDrawing;
    text.replace(text.find("350"), 3, "3x0");
    return text;
  }();
  testing::ExpectRows(
      Converter(Transect(0, 0, 1000, 0)),
      {
          {kDrawing, kEastWest},
          {kDrawing.substr(0, kDrawing.find("ENTITIES")), "The file has no ENTITIES line", 9},
          {kDrawing.substr(0, kDrawing.find("EOF")), "The file ends before its EOF line", 51},
          {kDrawing.substr(0, kDrawing.find("350")), "The file ends inside an entity", 21},
          {notNumber, "A corner value is not a number", 22},
      });
  testing::ExpectRows(Converter(Transect(0, 0, 1000, 0, 0)),
                      {{kDrawing, "The scale factor for Z must not be 0", 0}});
  DxfTo3dOptions flat = Transect(0, 0, 1000, 0);
  flat.xMax = flat.xMin;
  EXPECT_NE(DxfOptionsFault(flat).find("no X extent"), std::string::npos);
  Statistics statistics;
  const PassResult scan = Scan(notNumber, statistics);
  EXPECT_EQ(scan.reason, "A corner value is not a number");
  EXPECT_EQ(scan.line, 22);

  // North-south: every X is the end X, Y runs from start to end. A blanked SOLID converts.
  std::string blanked = kDrawing;
  blanked.replace(blanked.find("SOLID"), 5, "  SOLID ");
  DxfTo3dOptions options = Transect(2, 40, 2, 41);
  options.profile = " P7 ";
  const auto [northSouth, output] = RunPass(blanked, Converter(options));
  ASSERT_EQ(northSouth.status, PassStatus::Done);
  const std::string head = Lines({" 999 ", " P7 ", " 0 ", "SECTION", " 2 ", "ENTITIES"});
  EXPECT_EQ(output.substr(0, head.size()), head);
  EXPECT_NE(output.find(Lines({"SOLID", "  8", "P7"})), std::string::npos);
  EXPECT_NE(output.find(Lines({"10", " 2 ", "20", " 40 ", " 30 ", " 0 "})), std::string::npos);
  EXPECT_NE(output.find(Lines({"11", " 2 ", "21", " 40.5 ", " 31 ", "-.1 "})), std::string::npos);
  EXPECT_NE(output.find(Lines({"12", " 2 ", "22", " 41 "})), std::string::npos);
}

using Dxf3dFlow = testing::FlowTest<>;

TEST_F(Dxf3dFlow, ScanShowsTheRangeThenConvertWritesTheDrawing) {
  Files(kDrawing);
  ui.profileDxfAnswers.push_back(ProfileDxfChoice{"0", "0", "1000abc", "", "1000", "Line1"});
  Xy2Xyz(0, state, ui);
  EXPECT_EQ(testing::DialogsOf(ui), (testing::FileDialogs{kDxfFileFilters, {2}, {2}}));
  ASSERT_TRUE(ui.statisticsAtProfileDxf);
  EXPECT_EQ(ui.statisticsAtProfileDxf->XMin, 100);
  EXPECT_EQ(ui.statisticsAtProfileDxf->XMax, 600);
  EXPECT_EQ(Output(), kEastWest);
  EXPECT_EQ(ui.status, " Real World 3D dxf ready ");

  // The scan starts afresh: a range an earlier command left does not widen this one.
  state.Stats.UpdateXRange(-400);
  state.Stats.UpdateXRange(500105);
  Files(kDrawing);
  ui.profileDxfAnswers.push_back(ProfileDxfChoice{"0", "0", "1000", "0", "1000", "Line1"});
  Xy2Xyz(0, state, ui);
  EXPECT_EQ(Output(), kEastWest);
}

TEST_F(Dxf3dFlow, RefusalsLeaveNoOutput) {
  struct Case {
    std::string input;
    std::optional<ProfileDxfChoice> choice;
    std::string status;
    std::size_t messages;
  } cases[] = {
      {kDrawing, std::nullopt, "STATUS", 0},  // closed without Convert
      {kDrawing, ProfileDxfChoice{"0", "0", "1000", "0", "0", "L"}, "STATUS", 1},  // factor 0
      {"SOLID\n8\n0\n62\n1\n10\n5\n20\n7\n0\nENTITIES\n0\nEOF\n", ProfileDxfChoice{}, "STATUS",
       1},  // W = 0
      {kDrawing.substr(0, kDrawing.find("EOF")), ProfileDxfChoice{},
       "The file ends before its EOF line: line 51 of ", 0},
  };
  for (const Case& c : cases) {
    ui = {};
    state = {};
    Files(c.input);
    ui.profileDxfAnswers.push_back(c.choice);
    Xy2Xyz(0, state, ui);
    EXPECT_FALSE(OutputExists()) << c.status;
    EXPECT_EQ(ui.status, c.status == "STATUS" ? c.status : c.status + inputPath);
    EXPECT_EQ(ui.messages.size(), c.messages) << c.status;
  }
}

}  // namespace
}  // namespace zolvane
