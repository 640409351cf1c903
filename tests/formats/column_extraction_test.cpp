// Column extraction: kept lines, reshaped columns, thinned BNA lines, appended output.
#include <gtest/gtest.h>

#include <string>

#include "formats/column_extraction.h"
#include "formats/engine_cases.h"

namespace zolvane {
namespace {

using testing::RunPass;

auto Extract(const std::string& input, const ColumnExtractionOptions& options) {
  return RunPass(input, [&](auto& in, auto& out) {
    Statistics statistics;
    return ExtractColumns(in, out, options, statistics, {});
  });
}

TEST(ExtractColumns, KeptLinesAndColumns) {
  const std::string seven = "1\n2\n3\n4\n5\n6\n7\n";
  const struct {
    std::string input;
    ColumnExtractionOptions options;
    const char* expected;
  } cases[] = {
      {seven, {2, 3, 0, 0, 0}, "1\r\n4\r\n7\r\n"},
      {"a\nb,c\n", {2, 1, 0, 0, 0}, "a\r\nb,c\r\n"},
      {seven.substr(0, 6), {2, 3, 0, 0, 0}, "1\r\n"},
      {"10.5,20.25,abc\n", {3, 1, 2, 1, 3}, "20.25,10.5,\"abc\"\r\n"},
      {"1,4123456.789\n", {1, 1, 1, 2, 0}, "1,4123457\r\n"},
      {"1,2,,last\n", {1, 1, 1, 2, 4}, "1,2,\"last\"\r\n"},
      {"1,2,\n", {1, 1, 1, 2, 3}, "1,2,\"\"\r\n"},
      {"x,7\n", {1, 1, 1, 2, 0}, "0,7\r\n"},
      // Blank lines are no records, wherever they stand, and do not count in the step.
      {"1,2\n\n \t\n3,4\n5,6\n\n", {1, 2, 1, 2, 0}, "1,2\r\n5,6\r\n"},
      {"\n1\n\n2\n3\n", {2, 2, 0, 0, 0}, "1\r\n3\r\n"},
  };
  for (const auto& c : cases) {
    const auto [result, out] = Extract(c.input, c.options);
    EXPECT_EQ(result.pass.status, PassStatus::Done) << c.input;
    EXPECT_EQ(out, c.expected) << c.input;
  }
}

TEST(ExtractColumns, ShortLinesAreReportedForAnyChosenColumn) {
  for (const ColumnExtractionOptions& options :
       {ColumnExtractionOptions{1, 1, 1, 2, 4}, ColumnExtractionOptions{1, 1, 5, 2, 0},
        ColumnExtractionOptions{1, 1, 1, 21, 0}}) {
    const std::string line21 = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21\n";
    const auto result = Extract(options.yColumn == 21 ? line21 : "1,2,3\n1,2\n", options).first;
    EXPECT_EQ(result.pass.status, PassStatus::Failed);
    EXPECT_EQ(result.shortLineFields, options.yColumn == 21 ? 20 : 3);
    EXPECT_EQ(result.pass.line, 1);
  }
}

TEST(ThinBna, KeepsEveryNthPointAsOpenLines) {
  std::string ten;
  for (int i = 1; i <= 10; ++i)
    ten += std::to_string(i) + "," + std::to_string(-i) + "\n";
  testing::ExpectRows(
      [](auto& in, auto& out) { return ThinBnaLines(in, out, 3, {}); },
      {
          {"\"A\",\"B\",10\n" + ten, "\"A\",\"B\",-3\r\n3,-3\r\n6,-6\r\n9,-9\r\n"},
          {"\"A\",\"B\",-10\n" + ten, "\"A\",\"B\",-3\r\n3,-3\r\n6,-6\r\n9,-9\r\n"},
          {"\"A\",\"B\",2\n1,1\n2,2\n\"P\",\"Q\",1,5,5\n\"C\",\"D\",3\n1,1\n2,2\n3,3\n",
           "\"C\",\"D\",-1\r\n3,3\r\n"},
          {"\"A\",\"B\",5\n1,1\n", "The file ends inside an object", 2},
      });
}

class ExtractFlow : public testing::FlowTest<> {
 protected:
  // Every run appends to the same output.
  void RunWith(const std::string& input, const ColumnExtractionChoice& choice,
               const std::string& name = "in.dat") {
    ui.columnExtractionAnswers.push_back(choice);
    ui.inputFiles.push_back(inputPath = dir.Write(name, input));
    ui.outputFiles.push_back(outputPath = dir.File("out.dat"));
    ExtractColumnsOrLines(0, state, ui);
  }
};

TEST_F(ExtractFlow, AppendsEachRunAndShowsTheRanges) {
  const ColumnExtractionChoice columns{true, false, 1, 2, 1, 0, false};
  RunWith("10.5,20.25,abc\n", columns);
  RunWith("1.5,-3,x\n", columns);
  EXPECT_EQ(Output(), "20.25,10.5\r\n-3,1.5\r\n");
  EXPECT_EQ(testing::DialogsOf(ui),
            (testing::FileDialogs{"All files  (*.*)|*.*|DAT (*.dat)|*.dat", {1, 1}, {2, 2}}));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].text, " Finished ");
  EXPECT_EQ(ui.messages[1].title, " EXTRACT ");
  EXPECT_EQ(state.ExtractionMode, 1);
  ASSERT_TRUE(ui.shownStatistics);
  // The ranges of the last run's input only, though the output holds both.
  EXPECT_EQ(ui.shownStatistics->XMin, -3);
  EXPECT_EQ(ui.shownStatistics->YMax, 1.5);

  RunWith("\"A\",\"B\",4\n1,1\n2,2\n3,3\n4,4\n", {false, false, 2, 0, 0, 0, true}, "in.bna");
  EXPECT_EQ(Output(), "20.25,10.5\r\n-3,1.5\r\n\"A\",\"B\",-2\r\n2,2\r\n4,4\r\n");
  EXPECT_EQ(ui.filters, "All files (*.*)|*.*|BNA (*.bna)|*.bna");
  EXPECT_EQ(ui.inputFilterIndices.back(), 2);
}

TEST_F(ExtractFlow, OptionFaultsEndBeforeAnyOutput) {
  const struct {
    ColumnExtractionChoice choice;
    const char* text;
    bool filesAsked;
  } cases[] = {
      {{false, false, 3, 1, 2, 0, false}, "flag=0  ", true},
      {{true, false, 3, 0, 2, 0, false}, " error, column not defined ", true},
      {{true, false, 1, 1, 2, 0, true}, "No Extraction ", false},
  };
  for (const auto& c : cases) {
    ui = {};
    ui.columnExtractionAnswers.push_back(c.choice);
    if (c.filesAsked) Files("1,2\n");
    ExtractColumnsOrLines(0, state, ui);
    EXPECT_EQ(
        testing::MessagesOf(ui),
        (testing::Shown{{c.text, " Extract ", MessageIcon::Information, MessageButtons::Ok}}));
    EXPECT_TRUE(ui.unanswered.empty()) << c.text;
    EXPECT_FALSE(OutputExists());
  }
  // Cancel ends the command.
  ui = {};
  ui.columnExtractionAnswers.push_back(std::nullopt);
  ExtractColumnsOrLines(0, state, ui);
  EXPECT_TRUE(ui.inputFilterIndices.empty());
  EXPECT_EQ(state.ExtractionMode, 0);
}

TEST_F(ExtractFlow, AFailedRunLeavesTheOutputAsItWas) {
  dir.Write("out.dat", "before\r\n");
  RunWith("1,2,a\n3,4\n", {true, false, 1, 1, 2, 3, false});
  EXPECT_EQ(Output(), "before\r\n");
  EXPECT_EQ(testing::MessagesOf(ui), (testing::Shown{{"error , only  2 columns", "EXTRACT",
                                                      MessageIcon::None, MessageButtons::Ok}}));
  EXPECT_EQ(ui.status, "error , only  2 columns: line 2 of " + inputPath);

  // Lines mode with a stop asked halfway.
  std::string many;
  for (int i = 0; i < 500; ++i)
    many += "line\n";
  ui.stopAtProgressCall = 1;
  RunWith(many, {false, true, 1, 0, 0, 0, false});
  EXPECT_EQ(Output(), "before\r\n");
  EXPECT_EQ(ui.status, "Stopped");
}

}  // namespace
}  // namespace zolvane
