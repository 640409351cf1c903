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

TEST(BnaToXyz, LayoutsLabelsObjectFormsAndFaults) {
  const struct {
    std::string bna;
    int label, code;
    const char* expected;
    PassStatus status;
    long long count;  // the points, or the line at fault
  } cases[] = {
      // Labels keep their quotes and lose their blanks.
      {kContours, 1, 11, "2.5,41.3,\"-100\"\r\n2.75,41.25,\"-100\"\r\n", PassStatus::Done, 2},
      {kContours, 2, 11, "2.5,41.3,\"depth\"\r\n2.75,41.25,\"depth\"\r\n", PassStatus::Done, 2},
      {"  z1  ,b,1\r\n1,2\r\n", 1, 21, "1 2 z1\r\n", PassStatus::Done, 1},
      {"\"A\",\"B\",1,2.5,41.3\r\n", 2, 22, "41.3 2.5 \"B\"\r\n", PassStatus::Done, 1},
      {"a,b,-2\n1e3,-0.5,7\n-3,4\n", 1, 11, "1000,-0.5,a\r\n-3,4,a\r\n", PassStatus::Done, 2},
      {kContours, 1, 32, "41.3\t2.5\t\"-100\"\r\n41.25\t2.75\t\"-100\"\r\n", PassStatus::Done, 2},
      {kContours, 1, 23, "2.5 41.3\r\n2.75 41.25\r\n", PassStatus::Done, 2},
      // Codes outside the layouts write nothing.
      {kContours, 1, 15, "", PassStatus::Done, 2},
      {kContours, 1, 40, "", PassStatus::Done, 2},
      // A file that changed since its check ends with a fault.
      {"a,b,3\n1,2\n", 1, 11, "1,2,a\r\n", PassStatus::Failed, 2},
  };
  for (const auto& c : cases) {
    PassResult pass;
    EXPECT_EQ(Convert(c.bna, c.label, c.code, &pass), c.expected) << c.bna;
    EXPECT_EQ(pass.status, c.status) << c.bna;
    EXPECT_EQ(pass.status == PassStatus::Done ? pass.count : pass.line, c.count) << c.bna;
  }
}

}  // namespace
}  // namespace zolvane
