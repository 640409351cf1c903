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

TEST(CheckBna, ValidFilesOfBothHeaderForms) {
  Statistics s;
  const auto r = Check(
      "\"z1\",\"z2\",3\r\n1,2\r\n3,4\r\n5,6\r\n\"a\",\"b\",-3\r\n7,8\r\n9,10\r\n-1,0.5\r\n", &s);
  EXPECT_EQ(r.fault, BnaFault::None);
  EXPECT_EQ(r.objectCount, 2);
  EXPECT_EQ(r.lineCount, 8);
  EXPECT_EQ(s.XMax, 9);
  EXPECT_EQ(s.XMin, -1);
  EXPECT_EQ(s.YMax, 10);
  EXPECT_EQ(s.YMin, 0.5);
  EXPECT_EQ(s.ZMax, 0);

  const auto single = Check("\"A\",\"B\",1,2.5,41.3\n", &s);
  EXPECT_EQ(single.fault, BnaFault::None);
  EXPECT_EQ(single.singlePointForm, 1);
  EXPECT_EQ(single.lineCount, 1);
}

TEST(CheckBna, ZeroIsAnExtremeLikeAnyOtherValue) {
  const struct {
    const char* text;
    double xMin, xMax, yMin, yMax;
  } cases[] = {
      {"a,b,3\n5,1\n0,1\n3,1\n", 0, 5, 1, 1},
      {"a,b,3\n-5,-1\n0,0\n-3,-2\n", -5, 0, -2, 0},
      {"a,b,1,0,0\n", 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    Statistics s;
    EXPECT_EQ(Check(c.text, &s).fault, BnaFault::None) << c.text;
    EXPECT_EQ(std::vector<double>({s.XMin, s.XMax, s.YMin, s.YMax}),
              std::vector<double>({c.xMin, c.xMax, c.yMin, c.yMax}))
        << c.text;
  }
}

// What record-style writers make of coordinate texts reads as the numbers they hold.
TEST(CheckBna, QuotedCoordinatesReadAsTheirNumbers) {
  const struct {
    const char* text;
    double x, y;
  } cases[] = {
      {"a,b,1\n\"499750\",\"4500000\"\n", 499750, 4500000},
      {"a,b,1\n \" -1.5 \" ,\t\"2e3\"\n", -1.5, 2000},
      {"a,b,1\n\"2.5\",\"41.3\",\"100\"\n", 2.5, 41.3},
      {"a,b,1\n7,\"8\"\n", 7, 8},
      {"\"A\",\"B\",1,\"2.5\",\"41.3\"\n", 2.5, 41.3},
  };
  for (const auto& c : cases) {
    Statistics s;
    EXPECT_EQ(Check(c.text, &s).fault, BnaFault::None) << c.text;
    EXPECT_EQ(s.XMax, c.x) << c.text;
    EXPECT_EQ(s.YMin, c.y) << c.text;
  }
}

TEST(CheckBna, ExtraColumnsAndLongCoordinateLinesPass) {
  Statistics s;
  EXPECT_EQ(Check("a,b,1\n2.5,41.3,100\n", &s).fault, BnaFault::None);
  EXPECT_EQ(s.YMax, 41.3);
  EXPECT_EQ(Check("a,b,2\n1," + std::string(100, '2') + "\n1,2\n").fault, BnaFault::None);
}

TEST(CheckBna, HeaderLengthLimitIsEightyCharacters) {
  const std::string label(76, 'L');
  EXPECT_EQ(Check(label + ",b,1\n1,2\n").fault, BnaFault::None);  // 80
  const auto r = Check(label + "x,b,1\n1,2\n");                   // 81
  EXPECT_EQ(r.fault, BnaFault::HeaderTooLong);
  EXPECT_EQ(r.line, 1);
}

TEST(CheckBna, StructuralFaultsAndTheLinesTheyConcern) {
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
      // Quotes mark a text: one without a number is no coordinate.
      {"a,b,2\n1,2\n\"\",3\n", BnaFault::UnreadableNumber, 3},
      {"a,b,1\n5,\" abc\"\n", BnaFault::UnreadableNumber, 2},
      {"a,b,1,1,2\nA,B,1,\"x\",1\n", BnaFault::UnreadableNumber, 2},
  };
  for (const Case& c : cases) {
    const auto r = Check(c.text);
    EXPECT_EQ(r.fault, c.fault) << c.text;
    EXPECT_EQ(r.line, c.line) << c.text;
  }
}

TEST(CheckBna, TenThousandObjectsAreOrdinary) {
  std::string text;
  for (int i = 0; i < 10000; ++i)
    text += "a,b,1,1,2\n";
  const auto r = Check(text);
  EXPECT_EQ(r.fault, BnaFault::None);
  EXPECT_EQ(r.objectCount, 10000);
}

TEST(CheckBna, ALineBeyondAnyReaderIsAFault) {
  const auto r = Check("a,b,2\n1,2\n1," + std::string(kMaxLineLength + 1, '5') + "\n");
  EXPECT_EQ(r.fault, BnaFault::LineTooLong);
  EXPECT_EQ(r.line, 3);
  EXPECT_EQ(DescribeBnaFault(r, "x.bna"), "Line longer than 1048576 characters: line 3 of x.bna");
}

TEST(CheckBna, BinaryJunkIsAFaultNotACrash) {
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

TEST(DescribeBnaFault, NamesTheFileAndTheLine) {
  const auto r = Check("a,b,3\n1,2\n");
  EXPECT_EQ(DescribeBnaFault(r, "/data/x.bna"),
            "The file ends inside an object: line 2 of /data/x.bna");
}

}  // namespace
}  // namespace zolvane
