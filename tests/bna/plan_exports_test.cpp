// The survey-plan, Geosail, Bridge and XYZ exports, engine by engine, and the faults and stops
// they share.
#include <gtest/gtest.h>

#include <functional>

#include "core/number_format.h"
#include "formats/bna/bna_to_asciiplan.h"
#include "formats/bna/bna_to_bridge.h"
#include "formats/bna/bna_to_geosail.h"
#include "formats/bna/bna_to_hypack.h"
#include "formats/bna/bna_to_merlin.h"
#include "formats/bna/bna_to_xyz.h"
#include "formats/engine_cases.h"

namespace zolvane {
namespace {

using Engine = std::function<PassResult(std::istream&, std::ostream&, const ProgressFn&)>;

Engine Hypack(int label, long long objects) {
  return [=](std::istream& in, std::ostream& out, const ProgressFn& p) {
    return ConvertBnaToHypack(in, out, {label, objects}, p);
  };
}
Engine Merlin(const char* name) {
  return [=](std::istream& in, std::ostream& out, const ProgressFn& p) {
    return ConvertBnaToMerlin(in, out, {name}, p);
  };
}
Engine Asciiplan() {
  return [](std::istream& in, std::ostream& out, const ProgressFn& p) {
    return ConvertBnaToAsciiplan(in, out, p);
  };
}
Engine Geosail(int label) {
  return [=](std::istream& in, std::ostream& out, const ProgressFn& p) {
    return ConvertBnaToGeosail(in, out, label, p);
  };
}
Engine Bridge(int label) {
  return [=](std::istream& in, std::ostream& out, const ProgressFn& p) {
    return ConvertBnaToBridgePlan(in, out, label, p);
  };
}
// bna2xyz, with the count of the points it wrote after them.
Engine Xyz(int label = 1, int code = 11) {
  return [=](std::istream& in, std::ostream& out, const ProgressFn& p) {
    const PassResult pass = ConvertBnaToXyz(in, out, {label, code, {}}, p).pass;
    out << "|" << pass.count;
    return pass;
  };
}

std::string Export(const Engine& engine, const std::string& bna, PassResult* pass = nullptr,
                   const ProgressFn& progress = {}) {
  auto [result, out] =
      testing::RunPass(bna, [&](auto& in, auto& out) { return engine(in, out, progress); });
  if (pass) *pass = result;
  return out;
}

const char* const kTwoLines =
    "\"L1\",\"A\",-3\r\n1,2\r\n3,4\r\n5.5,-6\r\n\"L2\",\" B \",-2\n7,8\n9,10\n";
const char* const kContours = "\"-100\",\"depth\",2\r\n2.5,41.3\r\n2.75,41.25\r\n";
// Near the equator and Greenwich, where the numbers must stay plain decimals.
const char* const kNearZero =
    "E,q,-2\n-0.0123456789012346,0.05579995\n0.000000000000001,-0.001234567\n";

TEST(PlanExports, WorkedExamples) {
  const struct {
    const char* what;
    Engine engine;
    const char* bna;
    const char* expected;
  } cases[] = {
      {"hypack, label 2", Hypack(2, 2), kTwoLines,
       "REM Generated from bna2hypack-Zolvane\r\nLNS 2\r\n"
       "LIN 3\r\nPTS 1 2\r\nPTS 3 4\r\nPTS 5.5 -6\r\nLNN A\r\nEOL\r\n"
       "LIN 2\r\nPTS 7 8\r\nPTS 9 10\r\nLNN B\r\nEOL\r\n"},
      {"hypack, single point", Hypack(1, 1), " \"P \",\"Q\",1,2.5,41.3\n",
       "REM Generated from bna2hypack-Zolvane\r\nLNS 1\r\nLIN 1\r\nPTS 2.5 41.3\r\nLNN P\r\n"
       "EOL\r\n"},
      {"merlin", Merlin("Plan 7"), "\"A\",\"x\",-2\n-3.25,41.5\n0.5,-0.5\n\"P\",\"q\",1,1,2\n",
       "DEG\r\nPlan 7\r\n0 0 0 0\r\n"
       "_LINE L-A 0 20020110101010 0  41.50000000 -3.25000000 -.50000000 .50000000 \"A\r\n"},
      {"merlin, points only", Merlin(""), "\"P\",\"q\",1,1,2\n\"R\",\"s\",-1\n3,4\n",
       "DEG\r\n\r\n0 0 0 0\r\n"},
      {"merlin, name of two lines", Merlin("Two\r\nlines"), "\"P\",\"q\",1,1,2\n",
       "DEG\r\nTwo  lines\r\n0 0 0 0\r\n"},
      {"asciiplan", Asciiplan(),
       "\"P 1\",\"x\",1,2.5,41.3\n\"L\",y,-2\n1,4512345.67\n-0.25,0.5\n\"M\",\"z\",-1\n3,4\n"
       "Q,z,3\n1,2\n3,4\n5,6\n",
       "DEG\r\n \r\n0 0 0 0\r\n"
       "_POLYGON P 1 1 20060501010101 0   41.3  2.5 \"\r\n"
       "_LINE L 2 20060501010101 0   4512346  1  .5 -.25 \"\r\n"
       "_LINE M 3 20060501010101 0   4  3 \"\r\n"
       "_POLYGON Q 4 20060501010101 0   2  1  4  3  6  5 \"\r\n"},
      {"hypack, near zero", Hypack(1, 1), kNearZero,
       "REM Generated from bna2hypack-Zolvane\r\nLNS 1\r\nLIN 2\r\n"
       "PTS -0.0123456789012346 0.05579995\r\nPTS 0.000000000000001 -0.001234567\r\nLNN E\r\n"
       "EOL\r\n"},
      {"asciiplan, near zero", Asciiplan(), kNearZero,
       "DEG\r\n \r\n0 0 0 0\r\n_LINE E 1 20060501010101 0   .05579995 -.0123456789012346 "
       "-.001234567  .000000000000001 \"\r\n"},
      {"geosail, near zero", Geosail(1), kNearZero,
       "\"E\",2\r\n-.0123456789012346,.05579995\r\n.000000000000001,-.001234567\r\n"},
      {"geosail, label 1", Geosail(1),
       "\"A\",\"b\",1,2.5,41.3\n\"L\",\"m\",-5\n1,2\n3,4\n5,6\n7,8\n-0.25,0.5\n",
       "\"A\",1\r\n2.5,41.3\r\n\"L\",2\r\n1,2\r\n-.25,.5\r\n"},
      {"geosail, label 2", Geosail(2), "\"A\",\"b\",1,2.5,41.3\n\"L\",\"m\",2\n1,2\n3,4\n",
       "\"b\",1\r\n2.5,41.3\r\n\"m\",2\r\n1,2\r\n3,4\r\n"},
      {"bridge", Bridge(1), "\"S1\",\"two\",-2\n-3.25,41.5\n10.5,-33.75\n\"P\",\"pt\",1,0,0\n",
       "\"S1\"\r\n"
       " 41 30.0000N  -   003 15.0000W 1  1 \r\n"
       " 33 45.0000S  -   010 30.0000E 2  2 \r\n"
       "\"P\"\r\n"
       " 00 00.0000S  -   000 00.0000W 1  3 \r\n"},
      // Labels keep their quotes and lose their blanks.
      {"xyz", Xyz(), kContours, "2.5,41.3,\"-100\"\r\n2.75,41.25,\"-100\"\r\n|2"},
      {"xyz, label 2", Xyz(2, 11), kContours, "2.5,41.3,\"depth\"\r\n2.75,41.25,\"depth\"\r\n|2"},
      {"xyz, blanks", Xyz(1, 21), "  z1  ,b,1\r\n1,2\r\n", "1 2 z1\r\n|1"},
      {"xyz, open line", Xyz(), "a,b,-2\n1e3,-0.5,7\n-3,4\n", "1000,-0.5,a\r\n-3,4,a\r\n|2"},
      {"xyz, tabs", Xyz(1, 32), kContours, "41.3\t2.5\t\"-100\"\r\n41.25\t2.75\t\"-100\"\r\n|2"},
      {"xyz, no z", Xyz(1, 23), kContours, "2.5 41.3\r\n2.75 41.25\r\n|2"},
      // Codes outside the layouts write nothing.
      {"xyz, code 15", Xyz(1, 15), kContours, "|2"},
  };
  for (const auto& c : cases) {
    PassResult pass;
    EXPECT_EQ(Export(c.engine, c.bna, &pass), c.expected) << c.what;
    EXPECT_EQ(pass.status, PassStatus::Done) << c.what;
  }
}

TEST(PlanExports, DegreesAndMinutes) {
  const struct {
    double value;
    bool latitude;
    const char* expected;
  } cases[] = {
      {41.5, true, " 41 30.0000N"},
      {-33.75, true, " 33 45.0000S"},
      {41.99999999, true, " 41 60.0000N"},  // rounded up, degrees not carried
      {0, true, " 00 00.0000S"},
      {-3.25, false, " 003 15.0000W"},
      {-0.5, false, " 000 30.0000W"},
      {123.1, false, " 123 06.0000E"},
      {2.0000008333, false, " 002 00.0000E"},  // 0.000049998 minutes: just under a half
  };
  for (const auto& c : cases) {
    std::string text;
    if (c.latitude) {
      AppendDegreesMinutes(text, c.value, " 00 ", 'N', 'S');
    } else {
      AppendDegreesMinutes(text, c.value, " 000 ", 'E', 'W');
    }
    EXPECT_EQ(text, c.expected) << c.value;
  }
}

TEST(PlanExports, NumberFormsOfThePlans) {
  EXPECT_EQ(FormatSignedSingle(4512345.67f), " 4512346");
  EXPECT_EQ(FormatSignedSingle(0.5f), " .5");
  EXPECT_EQ(FormatSignedSingle(-41.3f), "-41.3");
  for (const auto& [value, text] : {std::pair{0.5, ".5"}, {-0.25, "-.25"}, {41.3, "41.3"}}) {
    std::string out;
    AppendCompact(out, value);
    EXPECT_EQ(out, text);
  }
}

TEST(PlanExports, LongObjectsAreWrittenWhole) {
  std::string bna = "\"Long\",\"x\",-25\n";
  for (int i = 1; i <= 25; ++i)
    bna += std::to_string(i) + ",7\n";
  const std::string out = Export(Asciiplan(), bna);
  EXPECT_NE(out.find(" 7  24  7  25 \"\r\n"), std::string::npos) << out;
}

TEST(PlanExports, FaultsAndStopsEndThePass) {
  const Engine engines[] = {Hypack(1, 1), Merlin("p"), Asciiplan(), Geosail(1), Bridge(1), Xyz()};
  std::string many = "a,b,-450\n";
  for (int i = 0; i < 450; ++i)
    many += "1,2\n";
  for (const Engine& engine : engines) {
    PassResult pass;
    Export(engine, "a,b,-3\n1,2\n3,4\n", &pass);  // changed since its check
    EXPECT_EQ(pass.status, PassStatus::Failed);
    EXPECT_EQ(pass.line, 3);
    Export(engine, "a,b,-2\n1;2\n3,4\n", &pass);
    EXPECT_EQ(pass.status, PassStatus::Failed);
    EXPECT_EQ(pass.line, 2);

    std::vector<long long> counts;
    Export(engine, many, &pass, [&](long long count, std::uint64_t) {
      counts.push_back(count);
      return counts.size() < 2;
    });
    EXPECT_EQ(pass.status, PassStatus::Stopped);
    EXPECT_EQ(counts, (std::vector<long long>{200, 400}));
  }
}

}  // namespace
}  // namespace zolvane
