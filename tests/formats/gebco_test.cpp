// GEBCO atlas exports to XYZ, BNA and GMT: the fixed columns, the check, the command flows.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/services.h"
#include "formats/bna/bna_reader.h"
#include "formats/engine_cases.h"
#include "formats/gebco.h"

namespace zolvane {
namespace {

using testing::RunPass;

constexpr const char* kOnePoint = "  -200    1\n41.50000  2.25000\n";

TEST(Gebco, SegmentsInEachOutput) {
  using H = GebcoHeader;
  using O = GebcoOutput;
  const std::string centennial = ">   -100 0\n>   -200 2\n41.50000  2.25000\n-41.5000  2.25000\n";
  const struct {
    std::string input;
    H header;
    O output;
    int code;
    int zone;
    std::string expected;
  } cases[] = {
      {kOnePoint, H::Atlas1997, O::Xyz, 11, 0, "2.25,41.5,-200\r\n"},
      {kOnePoint, H::Atlas1997, O::Xyz, 24, 0, "41.5 2.25\r\n"},
      {kOnePoint, H::Atlas1997, O::Xyz, 31, 0, "2.25\t41.5\t-200\r\n"},
      {kOnePoint, H::Atlas1997, O::Bna, 0, 0, "\"-200\",\"-200\",-1\r\n2.25,41.5\r\n"},
      {kOnePoint, H::Atlas1997, O::Xyz, 13, 31, "437402,4594535\r\n"},
      // The empty centennial segment gives nothing, in BNA no record of count 0.
      {centennial, H::Centennial, O::Xyz, 13, 0, "2.25,41.5\r\n2.25,-41.5\r\n"},
      {centennial, H::Centennial, O::Bna, 0, 31,
       "\"-200\",\"-200\",-2\r\n437402,4594535\r\n437402,14594535\r\n"},
      // A negative count leaves its segment out, points and all, and the rest goes on.
      {"  -200   -1\n41.50000  2.25000\n" + std::string(kOnePoint), H::Atlas1997, O::Bna, 0, 0,
       "\"-200\",\"-200\",-1\r\n2.25,41.5\r\n"},
  };
  for (const auto& c : cases) {
    GebcoOptions options;
    options.header = c.header;
    options.output = c.output;
    options.outputFormatCode = c.code;
    options.project = c.zone > 0;
    options.centralMeridian = c.zone > 0 ? CentralMeridianOfZone(c.zone) : 0;
    const auto [result, output] =
        RunPass(c.input, [&](auto& in, auto& out) { return ConvertGebco(in, out, options, {}); });
    EXPECT_EQ(result.pass.status, PassStatus::Done) << c.input;
    EXPECT_EQ(output, c.expected) << c.input;
    if (c.output == O::Bna) {
      std::istringstream written(output);
      Statistics statistics;
      EXPECT_EQ(CheckBna(written, statistics, {}).fault, BnaFault::None) << output;
    }
  }
}

TEST(Gebco, CheckFillsStatisticsAndRefusesEmptySegments) {
  std::string longSegment;
  for (int i = 0; i < 1200; ++i)
    longSegment += "41.50000  2.25000\n";
  const struct {
    std::string input;
    PassStatus status;
    long long line;
  } cases[] = {
      {"  -200     2\n41.50000  2.25000\n40.00000  3.00000\n", PassStatus::Done, 0},
      {"  -200     2\n41.50000  2.25000\n40.00000  3.00000\n\n", PassStatus::Failed, 4},
      {"  -200     0\n", PassStatus::Failed, 1},
      {"  -200     3\n41.50000  2.25000\n", PassStatus::Failed, 2},
      {"", PassStatus::Failed, 1},
      {"  -200  1200\n" + longSegment, PassStatus::Done, 0},  // a count of four digits
  };
  for (const auto& c : cases) {
    std::istringstream in(c.input);
    Statistics statistics;
    const GebcoCheckResult result = CheckGebco(in, statistics, {});
    EXPECT_EQ(result.pass.status, c.status) << c.input;
    EXPECT_EQ(result.pass.line, c.line) << c.input;
    if (c.status == PassStatus::Done) {
      EXPECT_EQ(statistics.XMax, 41.5);
      EXPECT_EQ(statistics.YMin, 2.25);
      EXPECT_EQ(statistics.ZMin, -200);
    }
  }
}

using GebcoFlow = testing::FlowTest<>;

TEST_F(GebcoFlow, LatLonOrUtmAndTheOutputLayout) {
  Files(kOnePoint);
  ui.outputOptionsAnswers.push_back(OutputOptionsChoice{24, false});
  GebcoToXyz(5, state, ui);
  EXPECT_EQ(Output(), "41.5 2.25\r\n");
  EXPECT_EQ(
      testing::MessagesOf(ui),
      (testing::Shown{{"Default is Lat-Lon, do you like to change to UTM ?", "Coordinates System ",
                       MessageIcon::Question, MessageButtons::YesNo}}));
  EXPECT_EQ(ui.inputFilterIndices, std::vector<int>{3});
  EXPECT_EQ(ui.outputFilterIndices, std::vector<int>{4});
  EXPECT_TRUE(ui.shownStatistics.has_value());
  EXPECT_EQ(ui.status, " Finished , GEBCO > XYZ ");
  EXPECT_EQ(state.OutputFormatCode, 0);
  EXPECT_EQ(state.UtmZone, 0);

  Files(kOnePoint);
  ui.messageAnswers.push_back(MessageAnswer::Yes);
  ui.zoneAnswers.push_back(ZoneChoice{31, 3});
  GebcoToBna(6, state, ui);
  EXPECT_EQ(Output(), "\"-200\",\"-200\",-1\r\n437402,4594535\r\n");
  EXPECT_EQ(ui.filters.substr(0, 9), "all files");
  EXPECT_EQ(ui.outputFilterIndices.back(), 2);
  EXPECT_EQ(state.UtmZone, 31);
  EXPECT_EQ(state.SemiMajorAxis, kWgs84.SemiMajorAxis);
  EXPECT_EQ(ui.status, " Finished , GEBCO => BNA ");

  Files(kOnePoint);
  GebcoToGmt(4, state, ui);
  EXPECT_EQ(Output(), "> -200\r\n2.25 41.5\r\n>\r\n");
  EXPECT_EQ(ui.messages.size(), 2u);  // no coordinate question
  EXPECT_EQ(ui.status, " Finished,  GEBCO > GMT  ");
  EXPECT_TRUE(ui.unanswered.empty());
}

TEST_F(GebcoFlow, RefusedOrFailedFilesLeaveNoOutput) {
  Files("  -200     0\n");
  GebcoToBna(6, state, ui);
  EXPECT_TRUE(ui.outputFilterIndices.empty());
  EXPECT_EQ(ui.status, "Segment without points: line 1 of " + inputPath);

  // The centennial commands run no check; the conversion finds the truncation.
  ui.outputFiles.clear();
  ui.outputOptionsAnswers.push_back(OutputOptionsChoice{11, false});
  Files(">   -200 2\n41.5  2.25\n");
  GebcoCentToXyz(7, state, ui);
  EXPECT_EQ(ui.status, "The file ends inside a segment: line 2 of " + inputPath);
  Files(">   -200 2\n41.5  2.25\n");
  GebcoCentToBna(8, state, ui);
  EXPECT_FALSE(OutputExists());
  EXPECT_EQ(ui.status, "The file ends inside a segment: line 2 of " + inputPath);
  EXPECT_FALSE(ui.shownStatistics.has_value());
}

}  // namespace
}  // namespace zolvane
