#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "formats/bna/bna_reader.h"

namespace zolvane {
namespace {

BnaCheckResult Check(const std::string& text, Statistics* statistics = nullptr) {
  std::istringstream in(text);
  Statistics local;
  return CheckBna(in, statistics ? *statistics : local, {});
}

TEST(CheckBna, ValidFilesAndTheirRanges) {
  const struct {
    std::string text;
    long long objects, lines;
    double xMin, xMax, yMin, yMax;
  } cases[] = {
      {"\"z1\",\"z2\",3\r\n1,2\r\n3,4\r\n5,6\r\n\"a\",\"b\",-3\r\n7,8\r\n9,10\r\n-1,0.5\r\n", 2, 8,
       -1, 9, 0.5, 10},
      {"\"A\",\"B\",1,2.5,41.3\n", 1, 1, 2.5, 2.5, 41.3, 41.3},
      // Zero is an extreme like any other value.
      {"a,b,3\n5,1\n0,1\n3,1\n", 1, 4, 0, 5, 1, 1},
      {"a,b,3\n-5,-1\n0,0\n-3,-2\n", 1, 4, -5, 0, -2, 0},
      {"a,b,1,0,0\n", 1, 1, 0, 0, 0, 0},
      // What record-style writers make of coordinate texts reads as the numbers they hold.
      {"a,b,1\n\"499750\",\"4500000\"\n", 1, 2, 499750, 499750, 4500000, 4500000},
      {"a,b,1\n \" -1.5 \" ,\t\"2e3\"\n", 1, 2, -1.5, -1.5, 2000, 2000},
      {"a,b,1\n7,\"8\"\n", 1, 2, 7, 7, 8, 8},
      {"\"A\",\"B\",1,\"2.5\",\"41.3\"\n", 1, 1, 2.5, 2.5, 41.3, 41.3},
      // Extra columns and long coordinate lines pass.
      {"a,b,1\n\"2.5\",\"41.3\",\"100\"\n", 1, 2, 2.5, 2.5, 41.3, 41.3},
      {"a,b,1\n2.5,41.3,100\n", 1, 2, 2.5, 2.5, 41.3, 41.3},
      {"a,b,2\n1," + std::string(100, '2') + "\n1,2\n", 1, 3, 1, 1, 2,
       std::stod(std::string(100, '2'))},
      {std::string(76, 'L') + ",b,1\n1,2\n", 1, 2, 1, 1, 2, 2},  // a header of 80 characters
  };
  for (const auto& c : cases) {
    Statistics s;
    const BnaCheckResult r = Check(c.text, &s);
    EXPECT_EQ(r.fault, BnaFault::None) << c.text;
    EXPECT_EQ(r.objectCount, c.objects) << c.text;
    EXPECT_EQ(r.lineCount, c.lines) << c.text;
    EXPECT_EQ(std::vector<double>({s.XMin, s.XMax, s.YMin, s.ZMax}),
              std::vector<double>({c.xMin, c.xMax, c.yMin, 0}))
        << c.text;
    EXPECT_DOUBLE_EQ(s.YMax, c.yMax) << c.text;
  }
  EXPECT_EQ(Check("\"A\",\"B\",1,2.5,41.3\n").singlePointForm, 1);
}

TEST(CheckBna, FaultsAndTheLinesTheyConcern) {
  struct Case {
    std::string text;
    BnaFault fault;
    long long line;
  };
  const Case cases[] = {
      {"a,b,2\n1,2\n3,4\n\n", BnaFault::MissingComma, 4},  // one empty line after the last object
      {"a b 2\n", BnaFault::MissingComma, 1},
      {"a,b 2\n", BnaFault::MissingComma, 1},
      {"a,b,0\n", BnaFault::ZeroCount, 1},
      {"a,b,2\n1,2\n3,4\nA,B,2,1,2,3,4\n", BnaFault::UnsupportedSinglePoint, 4},
      {"A,B,1,2.5\n", BnaFault::SinglePointWithoutY, 1},
      {"a,b,3\n1,2\n3 4\n5,6\n", BnaFault::CoordinateWithoutComma, 3},
      {"a,b,3\n1,2\n3,4\n", BnaFault::EndInsideObject, 3},
      {"a,b,1e18\n1,2\n", BnaFault::EndInsideObject, 2},
      {"", BnaFault::EmptyFile, 0},
      {std::string(77, 'L') + ",b,1\n1,2\n", BnaFault::HeaderTooLong, 1},  // 81 characters
      {"a,b,2\n1,2\n1," + std::string(kMaxLineLength + 1, '5') + "\n", BnaFault::LineTooLong, 3},
      // Quotes mark a text: one without a number is no coordinate.
      {"a,b,2\n1,2\n\"\",3\n", BnaFault::UnreadableNumber, 3},
      {"a,b,1\n5,\" abc\"\n", BnaFault::UnreadableNumber, 2},
      {"a,b,1,1,2\nA,B,1,\"x\",1\n", BnaFault::UnreadableNumber, 2},
  };
  for (const Case& c : cases) {
    const auto r = Check(c.text);
    EXPECT_EQ(r.fault, c.fault) << c.text.substr(0, 80);
    EXPECT_EQ(r.line, c.line) << c.text.substr(0, 80);
  }
  EXPECT_EQ(DescribeBnaFault(Check("a,b,3\n1,2\n"), "/data/x.bna"),
            "The file ends inside an object: line 2 of /data/x.bna");
  EXPECT_EQ(DescribeBnaFault(Check(cases[11].text), "x.bna"),
            "Line longer than 1048576 characters: line 3 of x.bna");
}

TEST(CheckBna, TenThousandObjectsAndBinaryJunk) {
  std::string text;
  for (int i = 0; i < 10000; ++i)
    text += "a,b,1,1,2\n";
  const auto r = Check(text);
  EXPECT_EQ(r.fault, BnaFault::None);
  EXPECT_EQ(r.objectCount, 10000);
  std::string junk;
  for (int i = 0; i < 5000; ++i)
    junk += static_cast<char>((i * 7919) % 256);
  EXPECT_NE(Check(junk).fault, BnaFault::None);
}

TEST(CheckBna, ProgressAtHeadersAndEveryHundredthLineAndStop) {
  std::string text = "a,b,250\n";
  for (int i = 0; i < 250; ++i)
    text += "1,2\n";
  std::vector<long long> counts;
  std::istringstream in(text);
  Statistics s;
  CheckBna(in, s, [&](long long count, std::uint64_t) {
    counts.push_back(count);
    return true;
  });
  EXPECT_EQ(counts, (std::vector<long long>{1, 100, 200, 251}));

  std::istringstream again(text);
  EXPECT_EQ(CheckBna(again, s, [](long long, std::uint64_t) { return false; }).fault,
            BnaFault::Stopped);
}

}  // namespace
}  // namespace zolvane
