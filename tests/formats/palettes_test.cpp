// Surfer spectra inverted and spread over Miramon palettes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "formats/engine_cases.h"
#include "formats/palettes.h"

namespace zolvane {
namespace {

// One output line in print zones: each number with its sign position and trailing blank,
// the items at columns 1, 15, 29 and 43.
std::string Zones(const std::vector<std::string>& numbers) {
  std::string line;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    line += (numbers[i][0] == '-' ? "" : " ") + numbers[i] + " ";
    if (i + 1 < numbers.size()) line.resize(14 * (i + 1), ' ');
  }
  return line + "\r\n";
}

PassResult Convert(PassResult (*convert)(std::istream&, std::ostream&), const std::string& input,
                   std::string& output) {
  PassResult result;
  std::tie(result, output) = testing::RunPass(input, convert);
  return result;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0, end;
  while ((end = text.find("\r\n", start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start + 2));
    start = end + 2;
  }
  return lines;
}

TEST(Spectrum, InvertedOrderAndPositionsOrBadEntriesRefused) {
  std::string many;
  for (int i = 0; i < 257; ++i)
    many += "50 1 2 3\n";
  testing::ExpectRows(
      InvertSpectrum,
      {
          {"ColorMap 1 1\r\n0 0 0 255\r\n50,0,255,0\r\n100 255 0 0\r\n",
           "ColorMap 1 1\r\n" + Zones({"0", "255", "0", "0"}) + Zones({"50", "0", "255", "0"}) +
               Zones({"100", "0", "0", "255"})},
          {"ColorMap 1 1\n12.5 1 2 3\n", "ColorMap 1 1\r\n" + Zones({"87.5", "1", "2", "3"})},
          {"ColorMap 1 1\r\n", "ColorMap 1 1\r\n"},
          {"h\n" + many, "More than 256 colour entries", 258},
          {"h\n0 1 2 3\n\n5 1 2\n", "A colour entry needs four numbers", 4},
          {"h\n0 1 2 99999\n", "Blue out of range: 99999", 2},
          {"", "The file is empty", 1},
      },
      true);
  testing::ExpectRows(
      SpectrumToP25,
      {
          {"h\n" + many + "1 2 3 4\n", "More than 257 colour entries", 259},
          {"h\n0 1 x 3\n", "Not a number: x", 2},
          {"h\n", "The palette has no colour entries", 1},
          {"h\n-300 1 2 3\n100 1 2 3\n", "A colour position below -100 per cent", 2},
      },
      true);
  // The tables hold exactly their capacity.
  std::string out;
  EXPECT_EQ(Convert(&SpectrumToP25, "h\n" + many, out).status, PassStatus::Done);
  EXPECT_EQ(Convert(&InvertSpectrum, "h\n" + many.substr(9), out).status, PassStatus::Done);
}

TEST(Spectrum, P25FromTwoEntriesHas257Lines) {
  std::string out;
  ASSERT_EQ(Convert(&SpectrumToP25, "h\n0 0 0 0\n100 255 255 255\n", out).status, PassStatus::Done);
  const auto lines = Lines(out);
  ASSERT_EQ(lines.size(), 257u);
  for (int m = 0; m < 256; ++m) {
    const std::string v = std::to_string(m);
    EXPECT_EQ(lines[m], Zones({v, v, v, v}));
  }
  EXPECT_EQ(lines[256], Zones({"255", "255", "255", "255"}));
}

TEST(Spectrum, P25IndicesRoundingSkipsAndFallingColours) {
  std::string out;
  // 10, 30 and 50 per cent meet at indices 26, 76 and 128, each written twice.
  Convert(&SpectrumToP25, "h\n0 0 0 0\n10 10 10 10\n30 30 30 30\n50 50 50 50\n100 99 99 99\n", out);
  std::vector<int> firsts;
  for (const std::string& line : Lines(out))
    firsts.push_back(std::stoi(line.substr(0, 14)));
  for (int index : {26, 76, 128}) {
    EXPECT_EQ(std::count(firsts.begin(), firsts.end(), index), 2) << index;
    EXPECT_EQ(std::count(firsts.begin(), firsts.end(), index + 1), 1) << index;
  }

  // An entry one index above the last kept one is skipped.
  std::string direct;
  Convert(&SpectrumToP25, "h\n0 0 0 0\n100 255 255 255\n", direct);
  Convert(&SpectrumToP25, "h\n0 0 0 0\n0.3 200 1 1\n100 255 255 255\n", out);
  EXPECT_EQ(out, direct);

  Convert(&SpectrumToP25, "h\n0 255 0 0\n0.7843 0 0 0\n100 0 0 0\n", out);
  const auto lines = Lines(out);
  EXPECT_EQ(lines[0], Zones({"0", "255", "0", "0"}));
  EXPECT_EQ(lines[1], Zones({"1", "127", "0", "0"}));
  EXPECT_EQ(lines[2], Zones({"2", "0", "0", "0"}));
}

using SpectrumFlow = testing::FlowTest<>;

TEST_F(SpectrumFlow, FiltersStatusAndRefusal) {
  state.InputFileName = "old";
  const std::string spectrum = "ColorMap 1 1\r\n0 0 0 0\r\n100 255 255 255\r\n";
  Files(spectrum, "s.clr");
  InvertSurferSpectrum(1, state, ui);
  EXPECT_EQ(Output().substr(0, 14), "ColorMap 1 1\r\n");
  EXPECT_EQ(testing::DialogsOf(ui),
            (testing::FileDialogs{"All files (*.*)|*.*|Palette Surfer (*.clr)|*.clr", {2}, {2}}));
  EXPECT_EQ(ui.status, "STATUS");

  Files(spectrum, "s.clr");
  SurferSpectrumToP25(0, state, ui);
  EXPECT_EQ(Lines(Output()).size(), 257u);
  EXPECT_EQ(ui.filters,
            "All files (*.*)|*.*|Paleta Surfer (*.clr)|*.clr|Paleta Miramon  (*.p25)|*.p25");
  EXPECT_EQ(ui.inputFileName, inputPath);
  EXPECT_EQ(ui.outputFilterIndices.back(), 3);
  EXPECT_EQ(ui.status, "Miramon 256 colors palette Created");

  Files("h\r\n0 0 0\r\n", "bad.clr");
  SurferSpectrumToP25(0, state, ui);
  EXPECT_FALSE(OutputExists());
  EXPECT_EQ(ui.status, "A colour entry needs four numbers: line 2 of " + inputPath);
}

}  // namespace
}  // namespace zolvane
