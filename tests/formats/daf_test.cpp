// DAF contours from and to BNA, and to XYZ.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "formats/bna/bna_reader.h"
#include "formats/daf.h"
#include "formats/engine_cases.h"

namespace zolvane {
namespace {

using testing::RunPass;

constexpr const char* kHeader = "Header\n1\n2\n3\n4\n2\nDecimal\nEndHeader\n";

std::string ToDaf(const std::string& bna, int label, std::vector<double>* depths = nullptr) {
  BnaToDafOptions options;
  options.label = label;
  options.bounds.XMin = -3.5;
  options.bounds.XMax = 2.25;
  options.bounds.YMin = 41.25;
  options.bounds.YMax = 41.5;
  const auto [result, out] = RunPass(bna, [&](auto& in, auto& out) {
    return ConvertBnaToDaf(in, out, options, {}, [depths](double depth) {
      if (depths) depths->push_back(depth);
    });
  });
  EXPECT_EQ(result.status, PassStatus::Done) << bna;
  return out;
}

const auto kToBna = [](auto& in, auto& out) { return ConvertDafToBna(in, out, {}); };

auto ToBna(const std::string& daf) {
  return RunPass(daf, kToBna);
}

TEST(Daf, BnaLinesBecomeBlocks) {
  // A tab after a label's closing quote is a blank like any other.
  const std::string bna = "\"-200\",\"x\",2\n-3.5,41.25\n2.25,41.5\n\"abc\",\"7\"\t,1,1,2\n";
  const std::string head =
      "Header\r\n41.25\r\n-3.5\r\n41.5\r\n2.25\r\n2\r\nDecimal\r\nEndHeader\r\n";
  std::vector<double> depths;
  EXPECT_EQ(ToDaf(bna, 1, &depths),
            head +
                "START 43, 174=200;185=12\r\n-3.500000 41.250000\r\n2.250000 41.500000\r\n"
                "STOP\r\nSTART 43, 174=0;185=12\r\n1.000000 2.000000\r\nSTOP\r\n");
  EXPECT_EQ(depths, (std::vector<double>{200, 0}));
  EXPECT_NE(ToDaf(bna, 2).find("174=7;185=12\r\n1.000000"), std::string::npos);
}

TEST(Daf, BlocksBecomeBnaLinesAndLinesOutsideThemAreFaults) {
  const struct {
    std::string daf;
    std::string bna;
    long long unended;
  } cases[] = {
      {std::string(kHeader) + "START 43, 174=200;185=12\n2.250000 41.500000\n-3.5 41.25\nSTOP\n",
       "\"200\",\"200\",-2\r\n2.25,41.5\r\n-3.5,41.25\r\n", 0},
      // Empty lines and empty blocks are passed over; a point without a blank is all y.
      {std::string(kHeader) + "\nSTART 43, 174=5\nSTOP\nSTART =12.5;\n41.5\n\nSTOP\n\n",
       "\"12.5\",\"12.5\",-1\r\n0,41.5\r\n", 0},
      // The last block is written without its STOP, and so is one cut short by a START.
      {std::string(kHeader) + "START =1;\n1 1\nSTART =2;\n2 2\n",
       "\"1\",\"1\",-1\r\n1,1\r\n\"2\",\"2\",-1\r\n2,2\r\n", 10},
  };
  for (const auto& c : cases) {
    const auto [result, bna] = ToBna(c.daf);
    EXPECT_EQ(result.pass.status, PassStatus::Done) << c.daf;
    EXPECT_EQ(bna, c.bna) << c.daf;
    EXPECT_EQ(result.unendedLine, c.unended) << c.daf;
    std::istringstream written(bna);
    Statistics statistics;
    EXPECT_EQ(CheckBna(written, statistics, {}).fault, BnaFault::None) << bna;
  }
  testing::ExpectRows(kToBna,
                      {
                          // Without its header the first block's points fall outside it.
                          {"START =1;\n1 1\n2 2\n3 3\n4 4\n5 5\n6 6\n7 7\n8 8\nSTOP\n",
                           "Line outside a START ... STOP block", 9},
                          {std::string(kHeader) + "START =1;\n1 1\nSTOP\nstray\n",
                           "Line outside a START ... STOP block", 12},
                          {std::string(kHeader) + "STOP\n", "STOP outside a block", 9},
                          {std::string(kHeader), "No contour with points", 8},  // no contour at all
                      });
}

TEST(Daf, PointsWithTheirDepth) {
  const auto [result, out] =
      RunPass(std::string(kHeader) +
                  "START 43, 174=200;185=12\n2.250000 41.500000\n\nSTOP\n"
                  "noise\nSTART 43, 174=-7.5;185=12\n1 2\n",
              [](auto& in, auto& out) { return ConvertDafToXyz(in, out, {}); });
  EXPECT_EQ(result.count, 2);
  EXPECT_EQ(out, "2.250000 41.500000 200\r\n1 2 -7.5\r\n");
}

TEST(Daf, BnaRoundTripKeepsEveryCoordinate) {
  std::string bna;
  for (int object = 0; object < 300; ++object) {
    const std::string depth = std::to_string(object * 5);
    const int points = 1 + object % 7;
    bna += "\"" + depth + "\",\"" + depth + "\"," + std::to_string(-points) + "\r\n";
    for (int i = 0; i < points; ++i)
      bna += std::to_string(object - 150) + ".125," + std::to_string(40 + i) + ".5\r\n";
  }
  const auto [result, back] = ToBna(ToDaf(bna, 1));
  EXPECT_EQ(result.pass.status, PassStatus::Done);
  EXPECT_TRUE(back == bna);
}

using DafFlow = testing::FlowTest<>;

TEST_F(DafFlow, EachCommandEndToEnd) {
  Files("\"-200\",\"x\",-2\n-3.5,41.25\n2.25,41.5\n");
  ui.messageAnswers.push_back(MessageAnswer::Yes);
  BnaToDaf(1, state, ui);
  EXPECT_EQ(Output().substr(0, 43), "Header\r\n41.25\r\n-3.5\r\n41.5\r\n2.25\r\n3\r\nDecimal");
  EXPECT_EQ(testing::MessagesOf(ui),
            (testing::Shown{{"Default is WGS84, IS BNA file in ED50?", "Ellipsoid",
                             MessageIcon::Question, MessageButtons::YesNo}}));
  EXPECT_EQ(ui.filters, "All files (*.*)|*.*|contours DAF  (*.DAF)|*.DAF");
  EXPECT_EQ(ui.status, " BNA >> DAF finished");
  EXPECT_NE(std::find(ui.statusHistory.begin(), ui.statusHistory.end(), " depth = 200"),
            ui.statusHistory.end());

  const std::string daf = Output();
  Files(daf);
  DafToBna(0, state, ui);
  EXPECT_EQ(Output(), "\"200\",\"200\",-2\r\n-3.5,41.25\r\n2.25,41.5\r\n");
  EXPECT_EQ(ui.filters, "ascii BNA  (*.BNA)|*.bna|ALL files (*.*)|*.*");
  EXPECT_EQ(ui.status, "DAF >> BNA finished");

  Files(daf);
  DafToXyz(0, state, ui);
  EXPECT_EQ(Output(), "-3.500000 41.250000 200\r\n2.250000 41.500000 200\r\n");
  EXPECT_EQ(ui.status, "DAF >> X Y Z finished");
  EXPECT_EQ(ui.inputFilterIndices, (std::vector<int>{2, 1, 1}));
  EXPECT_EQ(ui.outputFilterIndices, (std::vector<int>{2, 1, 1}));
  EXPECT_EQ(ui.fileDialogTitles,
            (std::vector<std::string>{"", "", "", "", "Abrir", "Guardar como"}));
  EXPECT_TRUE(ui.unanswered.empty());
}

TEST_F(DafFlow, FaultsLeaveNoOutputAndNoScratchFile) {
  const auto before = std::filesystem::directory_iterator(std::filesystem::current_path());
  const std::size_t entries = std::distance(before, {});
  Files(std::string(kHeader) + "START =1;\n1 1\nSTOP\nstray\n");
  DafToBna(0, state, ui);
  EXPECT_FALSE(OutputExists());
  EXPECT_EQ(ui.status, "Line outside a START ... STOP block: line 12 of " + inputPath);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::current_path()), {}),
            static_cast<std::ptrdiff_t>(entries));

  Files(std::string(kHeader) + "START =1;\n1 1\n");
  DafToBna(0, state, ui);
  EXPECT_EQ(Output(), "\"1\",\"1\",-1\r\n1,1\r\n");
  EXPECT_EQ(ui.status,
            "Block without its STOP line, written as it stands: line 10 of " + inputPath);
}

}  // namespace
}  // namespace zolvane
