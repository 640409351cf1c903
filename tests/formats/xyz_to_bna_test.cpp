// Labelled points to BNA objects and GMT segments: the passes, the command flows, and what
// other readers make of the files.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/services.h"
#include "formats/bna/bna_reader.h"
#include "formats/bna/bna_to_xyz.h"
#include "formats/engine_cases.h"
#include "formats/xyz/xyz_to_bna.h"
#include "support/run_cli.h"

namespace zolvane {
namespace {

using testing::TempDir;

std::string Bna(const std::string& input, int code, bool lines) {
  const auto [result, out] = testing::RunPass(input, [&](auto& in, auto& out) {
    return ConvertXyzToBna(in, out, {code, lines}, {});
  });
  EXPECT_EQ(result.pass.status, PassStatus::Done) << input;
  return out;
}

std::string Gmt(const std::string& input, int code) {
  const auto [result, out] = testing::RunPass(
      input, [&](auto& in, auto& out) { return ConvertXyzToGmt(in, out, code, {}); });
  EXPECT_EQ(result.pass.status, PassStatus::Done) << input;
  return out;
}

TEST(XyzToBna, RunsOfALabelBecomeObjects) {
  const struct {
    const char* input;
    int code;
    bool lines;
    const char* expected;
  } cases[] = {
      {"1 1 7\n2 2 7\n3 3 7\n", 21, true, "\"7\",\"7\",-3\r\n1,1\r\n2,2\r\n3,3\r\n"},
      // A label coming back starts a new object; a lone point keeps count 1.
      {"1,1,A\n2,2,B\n3,3,A\n4,4,A\n", 11, true,
       "\"A\",\" \",1\r\n1,1\r\n\"B\",\" \",1\r\n2,2\r\n\"A\",\"A\",-2\r\n3,3\r\n4,4\r\n"},
      {"41,2,A\n", 12, true, "\"A\",\"A\",1\r\n2,41\r\n"},  // Y X order
      {"1\t2\t-25.50\n", 31, true, "\"-25.5\",\"-25.5\",1\r\n1,2\r\n"},
      {"431250.5,4581220,125\n1,2,125\n", 11, false,
       "\"125\",\" \",1,431250.5,4581220\r\n\"125\",\" \",1,1,2\r\n"},
      // A comma label keeps its own text; a blank one is the number of its column.
      {"1,2,007\n3,4,\"a b\"\n", 11, true,
       "\"007\",\" \",1\r\n1,2\r\n\"a b\",\"a b\",1\r\n3,4\r\n"},
      {"1 2 007\n", 21, false, "\"7\",\" \",1,1,2\r\n"},
      {"1,2,A\n3,4", 11, true, "\"A\",\"A\",1\r\n1,2\r\n"},  // partial last point left out
      {"", 11, true, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Bna(c.input, c.code, c.lines), c.expected) << c.input;
}

TEST(XyzToGmt, SegmentLinesBeforeEachRun) {
  EXPECT_EQ(Gmt("1,1,A\n2,2,A\n3,3,B\n", 11), "> A\r\n 1  1 \r\n 2  2 \r\n> B\r\n 3  3 \r\n>\r\n");
  EXPECT_EQ(Gmt("431250.5 -12 125\n", 21), "> 125\r\n 431250.5 -12 \r\n>\r\n");
}

// A long run is written whole, ten thousand runs of a point each too, and the file passes the
// BNA check and reads back point by point.
TEST(XyzToBna, LinesRoundTripThroughTheBnaReader) {
  const auto label = [](int i) { return "L" + std::to_string(i < 240000 ? 1 : i); };
  std::string xyz;
  for (int i = 0; i < 250000; ++i)
    xyz += std::to_string(i) + ".5," + std::to_string(i % 1000) + "," + label(i) + "\n";
  const std::string bna = Bna(xyz, 11, true);
  std::istringstream checkIn(bna);
  Statistics statistics;
  const BnaCheckResult check = CheckBna(checkIn, statistics, {});
  EXPECT_EQ(check.fault, BnaFault::None);
  EXPECT_EQ(check.objectCount, 10001);
  std::istringstream in(bna);
  std::ostringstream back;
  ASSERT_EQ(ConvertBnaToXyz(in, back, {1, 11, {}}, {}).pass.status, PassStatus::Done);
  std::string expected;
  for (int i = 0; i < 250000; ++i)
    expected += std::to_string(i) + ".5," + std::to_string(i % 1000) + ",\"" + label(i) + "\"\r\n";
  EXPECT_TRUE(back.str() == expected);
}

TEST(XyzToGmt, OgrinfoCountsTheSegments) {
  if (testing::RunBash("ogrinfo --version").status != 0) GTEST_SKIP() << "no ogrinfo";
  TempDir dir;
  const std::string path = dir.Write("lines.gmt", Gmt("1,1,A\n2,2,A\n3,3,B\n4,4,A\n5,5,A\n", 11));
  const auto report = testing::RunBash("ogrinfo -ro -al -so " + path);
  EXPECT_EQ(report.status, 0);
  EXPECT_NE(report.output.find("Feature Count: 3"), std::string::npos) << report.output;
}

class XyzExportFlow : public testing::FlowTest<> {
 protected:
  void Script(const std::string& input, int code, bool statistics = false) {
    Files(input);
    ui.inputOptionsAnswers.push_back(InputOptionsChoice{code, statistics});
  }
};

TEST_F(XyzExportFlow, DialogsFiltersAndStatus) {
  Script("1,1,A\n", 11);
  XyzToBna(2, state, ui);
  EXPECT_EQ(Output(), "\"A\",\" \",1,1,1\r\n");
  EXPECT_EQ(testing::DialogsOf(ui), (testing::FileDialogs{kPointFileFilters, {4}, {2}}));
  EXPECT_EQ(ui.status, " Finished,  XYZ > BNA  ");
  EXPECT_EQ(ui.statusHistory.front(), "converting ascii to bna format file ");
  EXPECT_EQ(state.InputFormatCode, 0);

  Script("1 1 A\n", 21, true);  // a blank layout's label is the number of its column
  XyzToGmt(10, state, ui);
  EXPECT_EQ(Output(), "> 0\r\n 1  1 \r\n>\r\n");
  EXPECT_EQ(ui.filters.substr(0, 20), "All files  (*.*)|*.*");
  EXPECT_EQ(ui.outputFilterIndices.back(), 1);
  EXPECT_TRUE(ui.shownStatistics.has_value());
  EXPECT_EQ(ui.status, " Finished:   XYZ > GMT  ");
  EXPECT_TRUE(ui.unanswered.empty());
}

TEST_F(XyzExportFlow, TwoColumnLayoutsAndBadLinesLeaveNoFile) {
  Script("1,1\n", 13);
  XyzToBna(1, state, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(ui.outputFilterIndices.size(), 0u);  // refused before the output is asked for

  // A label the BNA check would refuse in its header.
  ui.outputFiles.clear();
  Script("1,1,A\n2,2," + std::string(75, 'L') + "\n", 11);
  XyzToBna(1, state, ui);
  EXPECT_FALSE(OutputExists());
  EXPECT_EQ(ui.status,
            "Label too long: its BNA header would pass 80 characters: line 2 of " + inputPath);

  ui.outputFiles.clear();
  Script("1 1 A\n2 2\n", 21);
  XyzToGmt(10, state, ui);
  EXPECT_FALSE(OutputExists());
  EXPECT_EQ(ui.status, "Error in the line:  2 of " + inputPath);
}

}  // namespace
}  // namespace zolvane
