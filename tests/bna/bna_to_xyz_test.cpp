#include "formats/bna/bna_to_xyz.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zolvane {
namespace {

const char* const kContours = "\"-100\",\"depth\",2\r\n2.5,41.3\r\n2.75,41.25\r\n";

std::string Convert(const std::string& bna, int label, int code, PassResult* pass = nullptr) {
  std::istringstream in(bna);
  std::ostringstream out;
  const auto result = ConvertBnaToXyz(in, out, {label, code, {}}, {});
  if (pass) *pass = result.pass;
  return out.str();
}

TEST(BnaToXyz, EveryLayoutCode) {
  const struct {
    int code;
    const char* first;
  } cases[] = {
      {11, "2.5,41.3,\"-100\""},
      {12, "41.3,2.5,\"-100\""},
      {13, "2.5,41.3"},
      {14, "41.3,2.5"},
      {21, "2.5 41.3 \"-100\""},
      {22, "41.3 2.5 \"-100\""},
      {23, "2.5 41.3"},
      {24, "41.3 2.5"},
      {31, "2.5\t41.3\t\"-100\""},
      {32, "41.3\t2.5\t\"-100\""},
      {33, "2.5\t41.3"},
      {34, "41.3\t2.5"},
  };
  for (const auto& c : cases) {
    const std::string out = Convert(kContours, 1, c.code);
    EXPECT_EQ(out.substr(0, out.find("\r\n")), c.first) << c.code;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << c.code;
  }
}

TEST(BnaToXyz, LabelsKeepTheirQuotesAndLoseTheirBlanks) {
  EXPECT_EQ(Convert(kContours, 1, 11), "2.5,41.3,\"-100\"\r\n2.75,41.25,\"-100\"\r\n");
  EXPECT_EQ(Convert(kContours, 2, 11), "2.5,41.3,\"depth\"\r\n2.75,41.25,\"depth\"\r\n");
  EXPECT_EQ(Convert("  z1  ,b,1\r\n1,2\r\n", 1, 21), "1 2 z1\r\n");
}

TEST(BnaToXyz, SinglePointsAndLines) {
  EXPECT_EQ(Convert("\"A\",\"B\",1,2.5,41.3\r\n", 2, 22), "41.3 2.5 \"B\"\r\n");
  EXPECT_EQ(Convert("a,b,-2\n1e3,-0.5,7\n-3,4\n", 1, 11), "1000,-0.5,a\r\n-3,4,a\r\n");
}

TEST(BnaToXyz, CodesOutsideTheLayoutsWriteNothing) {
  PassResult pass;
  EXPECT_EQ(Convert(kContours, 1, 15, &pass), "");
  EXPECT_EQ(pass.status, PassStatus::Done);
  EXPECT_EQ(pass.count, 2);
  EXPECT_EQ(Convert(kContours, 1, 40), "");
}

TEST(BnaToXyz, AFileThatChangedSinceItsCheckEndsWithAFault) {
  PassResult pass;
  Convert("a,b,3\n1,2\n", 1, 11, &pass);
  EXPECT_EQ(pass.status, PassStatus::Failed);
  EXPECT_EQ(pass.line, 2);
}

TEST(BnaToXyz, ProgressEveryTwoHundredPointsAndStop) {
  std::string bna = "a,b,450\n";
  for (int i = 0; i < 450; ++i)
    bna += "1,2\n";
  std::vector<long long> counts;
  std::istringstream in(bna);
  std::ostringstream out;
  ConvertBnaToXyz(in, out, {1, 11, {}}, [&](long long count, std::uint64_t) {
    counts.push_back(count);
    return true;
  });
  EXPECT_EQ(counts, (std::vector<long long>{200, 400}));

  std::istringstream again(bna);
  std::ostringstream ignored;
  const auto stopped =
      ConvertBnaToXyz(again, ignored, {1, 11, {}}, [](long long, std::uint64_t) { return false; });
  EXPECT_EQ(stopped.pass.status, PassStatus::Stopped);
}

}  // namespace
}  // namespace zolvane
