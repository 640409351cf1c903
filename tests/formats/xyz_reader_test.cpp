#include "formats/xyz/xyz_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

struct ReadOutcome {
  std::vector<XyzPoint> points;
  XyzStatus last = XyzStatus::End;  // the first status other than Point
  long long line = 0;
};

ReadOutcome ReadAll(const std::string& text, int code) {
  std::istringstream in(text);
  XyzReader reader(in, code);
  ReadOutcome outcome;
  XyzPoint point;
  while ((outcome.last = ReadXyzPoint(reader, point)) == XyzStatus::Point)
    outcome.points.push_back(point);
  outcome.line = reader.LineNumber();
  return outcome;
}

std::vector<double> Values(const XyzPoint& p) {
  std::vector<double> values{p.x.number, p.y.number};
  if (p.hasZ) values.push_back(p.z.number);
  return values;
}

TEST(ReadXyzPoint, EveryLayoutReadsItsColumnsByRole) {
  const struct {
    int code;
    const char* text;
    std::vector<double> xyz;
  } cases[] = {
      {11, "1,2,3\n", {1, 2, 3}},
      {12, "2,1,3\n", {1, 2, 3}},
      {13, "1,2\n", {1, 2}},
      {14, "2,1\n", {1, 2}},
      {21, "  10.50   20.00  5.25 \n", {10.5, 20, 5.25}},
      {22, "4512345.00 440123.50 -35.20\n", {440123.5, 4512345, -35.2}},
      {23, "1 2 3\n", {1, 23}},       // the second value runs to the end of the line
      {21, "1 2 3 4\n", {1, 2, 34}},  // and so does the third
      {21, "abc 12x -3e2y\n", {0, 12, -300}},
      {24, "2 1\n", {1, 2}},
      {31, "1.5\t2.5\t3\r\n", {1.5, 2.5, 3}},
      {32, "\t 7 \t8\t9 \n", {8, 7, 9}},  // tabs and blanks mix in the tab layouts
      {33, "1\t2\n", {1, 2}},
      {34, "2\t1\n", {1, 2}},
  };
  for (const auto& c : cases) {
    const ReadOutcome outcome = ReadAll(c.text, c.code);
    ASSERT_EQ(outcome.points.size(), 1u) << c.text;
    EXPECT_EQ(Values(outcome.points[0]), c.xyz) << c.text;
  }
}

TEST(ReadXyzPoint, WhereTheDataEndsAndWhy) {
  const std::string longLine(kMaxLineLength + 10, '1');
  std::string junk;
  for (int i = 0; i < 5000; ++i)
    junk += static_cast<char>((i * 37) % 256);
  const struct {
    std::string text;
    int code;
    std::size_t points;
    XyzStatus last;
    long long line;  // -1: not checked
  } cases[] = {
      {"1 2 3\n4 5 6\n   \n7 8 9\n", 21, 2, XyzStatus::End, -1},  // an empty line ends it
      {"1 2 3\n1 2\n", 21, 1, XyzStatus::BadLine, 2},
      {"1 2\n3 4\n5\n", 23, 2, XyzStatus::BadLine, 3},
      {"1\t2\t3\n", 21, 0, XyzStatus::BadLine, -1},  // a tab is no blank here
      {"1,2,3\n", 0, 0, XyzStatus::BadLine, -1},
      {"1,2,3\n4,5,6\n7,8\n", 11, 2, XyzStatus::PartialPoint, 3},
      {longLine + " 2 3\n", 21, 0, XyzStatus::TooLong, -1},
      {"1,2,3\n" + longLine + "\n", 11, 1, XyzStatus::TooLong, -1},
  };
  for (const auto& c : cases) {
    const ReadOutcome outcome = ReadAll(c.text, c.code);
    EXPECT_EQ(outcome.points.size(), c.points) << c.text.substr(0, 20);
    EXPECT_EQ(outcome.last, c.last) << c.text.substr(0, 20);
    if (c.line >= 0) {
      EXPECT_EQ(outcome.line, c.line) << c.text;
    }
  }
  for (int code : {11, 21, 33})
    EXPECT_NE(ReadAll(junk, code).last, XyzStatus::Point) << code;
}

TEST(ReadXyzPoint, CommaFieldsRunAcrossLineEnds) {
  const ReadOutcome outcome = ReadAll("1,2\n3,4\n\n 5 , 6\n", 11);
  ASSERT_EQ(outcome.points.size(), 2u);
  EXPECT_EQ(Values(outcome.points[1]), (std::vector<double>{4, 5, 6}));
  // Texts that are not plain numbers keep their text; arithmetic takes the leading number.
  const XyzPoint text = ReadAll("\"1,5\",2.50,\n", 11).points.at(0);
  EXPECT_TRUE(text.x.isText);
  EXPECT_EQ(text.x.text, "1,5");
  EXPECT_EQ(text.x.number, 1);
  EXPECT_FALSE(text.y.isText);
  EXPECT_TRUE(text.z.isText);  // the empty field after the last comma
}

// Records every count the window's counter shows.
class CountingUi : public testing::ScriptedUi {
 public:
  std::vector<long long> counts;
  void SetProgressCount(long long count) override {
    counts.push_back(count);
    ScriptedUi::SetProgressCount(count);
  }
};

TEST(CheckXyzFile, ProgressEvery200PointsAndTheRangesOrTheLineAtFault) {
  testing::TempDir dir;
  std::string text;
  for (int i = 1; i <= 450; ++i)
    text += std::to_string(i) + " " + std::to_string(-i) + " " + std::to_string(2 * i) + "\n";
  RunState state;
  state.InputFormatCode = 21;
  state.InputError = 1;
  CountingUi ui;
  CheckXyzFile(dir.Write("points.dat", text), state, ui);
  EXPECT_EQ(state.InputError, 0);
  EXPECT_EQ(ui.counts, (std::vector<long long>{200, 400, 450}));
  ASSERT_TRUE(ui.shownStatistics);
  EXPECT_EQ(ui.shownStatistics->XMax, 450);
  EXPECT_EQ(ui.shownStatistics->YMin, -450);
  EXPECT_EQ(ui.shownStatistics->ZMin, 2);
  EXPECT_EQ(ui.statusHistory.front(), " Checking ascii file ");
  EXPECT_EQ(ui.status, "");

  // Faults say their line.
  ui.shownStatistics.reset();
  const std::string path = dir.File("in.dat");
  auto check = [&](const std::string& input, int code) {
    state.InputFormatCode = code;
    state.InputFileName = dir.Write("in.dat", input);
    CheckXyzFile(state.InputFileName, state, ui);
    EXPECT_EQ(state.InputError, 1);
    return ui.status;
  };
  EXPECT_EQ(check("1 2 3\n4 5 6\n7 8\n", 21), "Error in the line:  3 of " + path);
  EXPECT_EQ(check("1,2,3\n", 0), "Error in the line:  1 of " + path);
  EXPECT_NE(check("1,2,3\n" + std::string(kMaxLineLength + 1, '7'), 11).find("line 2 of " + path),
            std::string::npos);
  EXPECT_FALSE(ui.shownStatistics);
}

}  // namespace
}  // namespace zolvane
