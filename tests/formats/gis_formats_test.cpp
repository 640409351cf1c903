// Miramon VEC, MapGen coastlines and Kingdom Suite navigation, run as the menu runs them.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/services.h"
#include "formats/bna/bna_reader.h"
#include "formats/csv_to_kingdom.h"
#include "formats/engine_cases.h"
#include "formats/mapgen_to_bna.h"
#include "formats/miramon_vec.h"

namespace zolvane {
namespace {

using testing::RunPass;
using testing::TempDir;

class GisFlow : public testing::FlowTest<> {
 protected:
  void Files(const std::string& input, const std::string& inName, const std::string& outName) {
    FlowTest::Files(input, inName);
    ui.outputFiles.back() = outputPath = dir.File(outName);
  }
};

TEST_F(GisFlow, BnaToVecWritesTheVecAndItsDvc) {
  Files("\"A\",\"7\",3\r\n2.5,41.25\r\n3,41\r\n2.5,41.25\r\n\"B\",\"x y\",1,4,40\r\n", "in.bna",
        "out.vec");
  ui.vecLayerAnswers.push_back(VecLayerChoice{3, true, false, true, " 31 "});
  BnaToVec(15, state, ui);
  EXPECT_EQ(ui.status, "VEC Created");
  EXPECT_EQ(testing::DialogsOf(ui), (testing::FileDialogs{kVecFileFilters, {2}, {4}}));
  EXPECT_EQ(state.LabelChoice, 3);
  EXPECT_EQ(Output(), "A_7 3\r\n2.5 41.25\r\n3 41\r\n2.5 41.25\r\nB_x y 1\r\n4 40\r\n0 0\r\n\r\n");
  EXPECT_EQ(TempDir::Read(dir.File("out.dvc")),
            "file title  : \r\nid type     : string\r\nfile type   : ascii\r\n"
            "object type : polygon\r\n"  // a polygon first, then a point: the first decides
            "ref. system : UTM-31S-ED50\r\nref. units  : m\r\nunit dist.  : 1.000000\r\n"
            "min. X      : 2.5\r\nmax. X      : 4\r\nmin. Y      : 40\r\nmax. Y      : 41.25\r\n"
            "pos'n error : unknown\r\nresolution  : unknown\r\ncomment     : creado a partir de  " +
                inputPath + "\r\ncomment     : check object type if is true.\r\n");
}

TEST(MiramonVec, IdentifierObjectTypeAndReferenceSystem) {
  const struct {
    const char* bna;
    int identifier;
    const char* vec;
    const char* type;
  } cases[] = {
      {"\"A\",\"7\",-2\n1,2\n3,4\n", 1, "A 2\r\n1 2\r\n3 4\r\n0 0\r\n\r\n", "line"},
      {" A , \" 7 \" ,1,5,6\n", 2, "7 1\r\n5 6\r\n0 0\r\n\r\n", "point"},
      {"a,b,2\n1,2\n3,4\na,b,-2\n1,2\n3,4\na,b,3\n0,0\n1,1\n0,0\n", 3, nullptr, "line"},
      {"a,b,1,0,0\na,b,2\n1,2\n3,4\n", 3, nullptr, "point"},
      {"a,b,-1\n7,8\n", 3, "a_b 1\r\n7 8\r\n0 0\r\n\r\n", ""},  // -1 decides nothing
  };
  for (const auto& c : cases) {
    const auto [result, out] = RunPass(
        c.bna, [&](auto& in, auto& out) { return ConvertBnaToVec(in, out, {c.identifier}, {}); });
    EXPECT_EQ(result.pass.status, PassStatus::Done) << c.bna;
    if (c.vec) {
      EXPECT_EQ(out, c.vec) << c.bna;
    }
    EXPECT_EQ(result.objectType, c.type) << c.bna;
  }
  EXPECT_EQ(DvcOf({3, false, true, false, "31"}).referenceSystem, "lat/long-WGS84");
  EXPECT_EQ(DvcOf({3, false, true, false, "31"}).units, "deg");
  EXPECT_EQ(DvcOf({3, false, false, false, "7.0"}).referenceSystem, "UTM-7N-WGS84");
  EXPECT_EQ(DvcPathOf("/data/layer.vec"), "/data/layer.dvc");
}

TEST(MiramonVec, VecHeadersBecomeBnaHeadersOfTheDvcType) {
  const struct {
    const char* vec;
    const char* type;
    const char* bna;
  } cases[] = {
      {"12 5\n1 2\n3 4\n5 6\n7 8\n1 2\n0 0\n", "polygon",
       "12 ,polygon, 5 \r\n1,2\r\n3,4\r\n5,6\r\n7,8\r\n1,2\r\n"},
      {"12 2\n 1.5 -2\n3e2 4\n0 0\n\n", "line", "12 ,line,-2 \r\n1.5,-2\r\n300,4\r\n"},
      {"12 1\n1 2\n", "point", "12 ,point,1\r\n1,2\r\n"},
      // The count is the last word; an identifier may hold blanks or be empty.
      {"Cap Creus 1\n1 2\n 2\n3 4\n5 6\n0 0\n9 1\n", "x",
       "Cap Creus ,x,1\r\n1,2\r\n,x,-2 \r\n3,4\r\n5,6\r\n"},
  };
  for (const auto& c : cases) {
    const auto [result, out] =
        RunPass(c.vec, [&](auto& in, auto& out) { return ConvertVecToBna(in, out, c.type, {}); });
    EXPECT_EQ(result.status, PassStatus::Done) << c.vec;
    EXPECT_EQ(out, c.bna) << c.vec;
  }
  const struct {
    const char* dvc;
    std::optional<std::string> type;
  } dvcs[] = {
      {"a\nb\nc\nobject type : line \nmore\n", "line"},
      {"a\nb\nc\nref. system : UTM-31N: x\n", "UTM-31N: x"},
      {"a\nb\nc\nobject type : \n", ""},
      {"a\nb\n", std::nullopt},
  };
  for (const auto& d : dvcs) {
    std::istringstream in(d.dvc);
    EXPECT_EQ(ReadDvcObjectType(in), d.type) << d.dvc;
  }
}

TEST(MiramonVec, BnaToVecToBnaKeepsEveryObjectVertexAndLabel) {
  const std::string bna =
      "\"A\",\"1\",-3\n-3.5,41.25\n-3.25,41.125\n-3,41\n\"Cap Creus\",\"2\",4\n0.1,0.2\n1e-7,-0.3\n"
      "123456.789,4712345.25\n0.1,0.2\n\"C\",\"\",1,-0.000001,89.999999\n\"\",\"x "
      "y\",-2\n1,2\n3,4\n";
  const std::string vec =
      RunPass(bna, [](auto& in, auto& out) { return ConvertBnaToVec(in, out, {3}, {}); }).second;
  const auto [result, back] =
      RunPass(vec, [](auto& in, auto& out) { return ConvertVecToBna(in, out, "line", {}); });
  EXPECT_EQ(result.status, PassStatus::Done);
  EXPECT_EQ(back,
            "A_1 ,line,-3 \r\n-3.5,41.25\r\n-3.25,41.125\r\n-3,41\r\nCap Creus_2 ,line,-4 \r\n"
            "0.1,0.2\r\n0.0000001,-0.3\r\n123456.789,4712345.25\r\n0.1,0.2\r\nC_ ,line,1\r\n"
            "-0.000001,89.999999\r\n_x y ,line,-2 \r\n1,2\r\n3,4\r\n");
}

TEST_F(GisFlow, VecFaultsLeaveNoBna) {
  const std::string lineDvc = "a\nb\nc\nobject type : line\n";
  const struct {
    const char* vec;
    std::string dvc;  // "-": none beside the VEC
    const char* reason;
    int line;  // 0: a fault of the DVC, said in a message box too unless it is missing
  } cases[] = {
      {"1 1\n1 2\nCap Creus\n", lineDvc, "Object header without a count", 3},
      {"1 1\n1 2\n12\n", lineDvc, "The file ends inside an object", 3},
      {"A 0\n1 2\n0 0\n", lineDvc, "Object with a count of 0", 1},
      {"1 -2\n", lineDvc, "Object with a negative count", 1},
      {"1 3\n1 2\n3 4\n", lineDvc, "The file ends inside an object", 3},
      {"1 2\n1 2\n34\n", lineDvc, "Vertex line without a blank between x and y", 3},
      {"1 1\n1 2\n0 0\n", "-", " Not found", 0},
      {"1 1\n1 2\n0 0\n", "a\nb\n", "The DVC file could not be read: ", 0},
      {"1 1\n1 2\n0 0\n", std::string("a\nb\0\n", 5) + "c\nobject type : line\n",
       "The DVC file could not be read: ", 0},
  };
  for (const auto& c : cases) {
    Files(c.vec, "bad.vec", "out.bna");
    const std::string dvcPath = dir.File("bad.dvc");
    std::filesystem::remove(dvcPath);
    if (c.dvc != "-") dir.Write("bad.dvc", c.dvc);
    ui.messages.clear();
    state.InputError = 0;
    vec2bna(18, state, ui);
    const std::string reason = c.reason;
    const std::string status =
        c.line > 0         ? reason + ": line " + std::to_string(c.line) + " of " + inputPath
        : reason[0] == ' ' ? dvcPath + reason
                           : reason + dvcPath;
    EXPECT_EQ(ui.status, status) << c.vec;
    EXPECT_EQ(ui.messages.size(), c.line == 0 && c.dvc != "-" ? 1u : 0u) << c.vec;
    EXPECT_EQ(state.InputError, 1) << c.vec;
    EXPECT_FALSE(OutputExists()) << c.vec;
  }

  // Cancel in the option dialog writes neither file.
  Files("a,b,1,2,3\n", "in.bna", "out.vec");
  ui.vecLayerAnswers.push_back(std::nullopt);
  BnaToVec(15, state, ui);
  EXPECT_FALSE(OutputExists());
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.dvc")));
}

TEST(Mapgen, SegmentsBecomeOpenLines) {
  testing::ExpectRows(
      [](auto& in, auto& out) { return ConvertMapgenToBna(in, out, {}); },
      {
          // The end of the file closes the last segment; marker runs make no empty records.
          {"# -b\n# -b\n\n1.000000 2.000000\n# -b\n# -b\n3.000000 4.000000",
           "\"shore\",\"costa\",-1\r\n1,2\r\n\"shore\",\"costa\",-1\r\n3,4\r\n"},
          // Split at blanks, a tab or a comma: signs and short decimals survive.
          {"-7.5\t-33.123456\n12.25   -1.5 9\n-70.964500,42.266300\n1.5 , -2.5,7\n",
           "\"shore\",\"costa\",-4\r\n-7.5,-33.12346\r\n12.25,-1.5\r\n-70.9645,42.2663\r\n1.5,-2."
           "5\r\n"},
          {"# -b\n", ""},
          {"# -b\n-70.964500 42.266300\n-70.96450042.2663\n", "Point line without two numbers", 3},
          {"# -b\n-70.964500 42.266300\n-70.964500,,42.266300\n", "Point line without two numbers",
           3},
      });
}

TEST_F(GisFlow, MapgenFromTheMenuPassesTheBnaCheck) {
  Files("# -b\n-70.964500 42.266300\n-70.965200 42.265600\n# -b\n1.500000 2.500000\n# -b\n",
        "in.dat", "out.bna");
  MapgenToBna(0, state, ui);
  EXPECT_EQ(ui.status, "Conversion mapgen >> bna finished");
  EXPECT_EQ(testing::DialogsOf(ui), (testing::FileDialogs{kMapgenFileFilters, {4}, {2}}));
  EXPECT_EQ(ui.progressCount, 2);
  CheckBnaFile(outputPath, state, ui);
  EXPECT_EQ(state.InputError, 0) << ui.status;

  Files("# -b\n-70.964500 42.266300\nno numbers here\n", "bad.dat", "bad.bna");
  MapgenToBna(0, state, ui);
  EXPECT_EQ(ui.status, "Point line without two numbers: line 3 of " + inputPath);
  EXPECT_FALSE(OutputExists());
}

TEST(Kingdom, RecordsBecomePaddedLines) {
  testing::ExpectRows([](auto& in, auto& out) { return ConvertCsvToKingdom(in, out, {}, {}); },
                      {
                          {" -5 , 1.0625 ,x\n7,8,9",
                           "-00005.000    000001.063   0000000.000   L-0\r\n"
                           "00007.000    000008.000   0000009.000   L-0\r\n"},
                          {"1,2\n3\n", "00001.000    000002.000   0000003.000   L-0\r\n"},
                      });
  EXPECT_EQ(KingdomColumnFault({1, 1, 3}), "The shot, X and Y columns must differ");
  EXPECT_EQ(KingdomColumnFault({0, 2, 3}), "Column numbers must be 1, 2 or 3");
  EXPECT_EQ(KingdomColumnFault({1, 2, 4}), "Column numbers must be 1, 2 or 3");
}

TEST_F(GisFlow, KingdomDialogRetriesUntilItsColumnsCanBeUsed) {
  dir.Write("out.dat", "kept");
  Files("101,523456.7,4712345.25\n", "in.csv", "out.dat");
  ui.kingdomNavigationAnswers = {KingdomNavigationChoice{1, 1, 3, "L-0"},
                                 KingdomNavigationChoice{1, 2, 5, "L-0"},
                                 KingdomNavigationChoice{1, 2, 3, " L-9 "}};
  cs2ks(0, state, ui);
  EXPECT_EQ(ui.kingdomKeptValues, (std::vector<bool>{false, true, true}));
  ASSERT_EQ(ui.messages.size(), 1u);  // only the columns outside 1-3 are said
  EXPECT_EQ(ui.messages[0].text, "Column numbers must be 1, 2 or 3");
  EXPECT_EQ(ui.filters, "All files (*.*)|*.*|DAT  (*.dat)|*.dat");
  EXPECT_EQ(ui.status, "DAT file created");
  EXPECT_EQ(Output(), "00101.000    523456.700   4712345.250   L-9\r\n");

  // Cancel after equal columns leaves the file as it was.
  dir.Write("out.dat", "kept");
  Files("1,2,3\n", "in.csv", "out.dat");
  ui.kingdomNavigationAnswers = {KingdomNavigationChoice{2, 2, 3, "L-0"}, std::nullopt};
  cs2ks(0, state, ui);
  EXPECT_EQ(Output(), "kept");

  // A short last record keeps no output.
  Files("1,2,3\n4,5\n", "short.csv", "short.dat");
  ui.kingdomNavigationAnswers = {KingdomNavigationChoice{}};
  cs2ks(0, state, ui);
  EXPECT_EQ(ui.status, "The last record has fewer than three values: line 2 of " + inputPath);
  EXPECT_FALSE(OutputExists());
}

}  // namespace
}  // namespace zolvane
