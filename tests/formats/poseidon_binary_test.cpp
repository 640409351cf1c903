// Poseidon grids to Surfer grids and binary point files to XYZ text: the passes and the
// menu commands answered from a script.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/number_format.h"
#include "core/services.h"
#include "formats/engine_cases.h"
#include "formats/poseidon_binary.h"

namespace zolvane {
namespace {

using testing::RunPass;

// A description line with every value where its keyword's offset puts it.
std::string Description(const std::string& columns, const std::string& rows) {
  return "LAT_LL: 40.5          LONG_LL 2.25            LAT_UR: 41.5          LONG_UR 3.5   "
         "          COLS " +
         columns + " ROWS " + rows + " SC_MIN 0 SC_MAX 255\n";
}

std::string Pad(std::string first, const std::string& second) {
  first.resize(14, ' ');
  return first + second + "\r\n";
}

const std::string kGrid2x2 = "DSAA\r\n" + Pad(" 2 ", " 2 ") + Pad(" 2.25 ", " 3.5 ") +
                             Pad(" 40.5 ", " 41.5 ") + Pad(" 0 ", " 255 ") +
                             " 5  1.70141E+38 \r\n 7  8 \r\n";

const auto kGrid = [](auto& in, auto& out) { return ConvertPoseidonGrid(in, out, {}, {}); };

TEST(Poseidon, SinglePrintForm) {
  const std::pair<float, const char*> cases[] = {{5, " 5 "},
                                                 {-0.1f, "-.1 "},
                                                 {0.1f, " .1 "},
                                                 {1.70141E+38f, " 1.70141E+38 "},
                                                 {12.34567f, " 12.34567 "}};
  for (const auto& [value, text] : cases) {
    std::string out;
    AppendPrintSingle(out, value);
    EXPECT_EQ(out, text);
  }
}

TEST(Poseidon, GridBecomesSurferGridOrFaultsNameTheKeywordOrTheRow) {
  std::string noRows = Description("2", "2");
  noRows.replace(noRows.find("ROWS"), 4, "RUWS");
  testing::ExpectRows(kGrid,
                      {
                          {Description("2", "2") + "5 -1\n7 8\n", kGrid2x2},
                          // Values may run across lines and be separated by commas.
                          {Description("2", "2") + "5,-1,7\n  8\n", kGrid2x2},
                          {noRows + "1 2 3 4\n", "The grid description has no ROWS keyword", 1},
                          {"LAT_LL: 1\n", "The grid description has no LONG_LL keyword", 1},
                          {Description("2", "2") + "5 -1\n7\n", "The values end in row 2 of 2", 3},
                          {Description("2", "2") + "5 -1\nabc 8\n", "Not a number: abc", 3},
                          {Description("2", "2") + "5 -1\n7 12abc\n", "Not a number: 12abc", 3},
                          {"", "The file is empty", 1},
                      });
  // Header line 2 of a 500 x 400 grid: 400 starts in print zone 2, column 15.
  EXPECT_EQ(testing::RunPass(Description("500", "400"), kGrid).second.substr(6, 21),
            Pad(" 500 ", " 400 "));
}

// Little-endian fields of a binary point file.
struct Bytes {
  std::string data;
  Bytes& I16(std::int16_t v) { return Raw(&v, 2); }
  Bytes& I32(std::int32_t v) { return Raw(&v, 4); }
  Bytes& F32(float v) { return Raw(&v, 4); }
  Bytes& F64(double v) { return Raw(&v, 8); }
  Bytes& Raw(const void* p, std::size_t n) {
    data.append(static_cast<const char*>(p), n);  // the test machines are little-endian
    return *this;
  }
};

auto Binary(int code) {
  return [code](auto& in, auto& out) { return ConvertBinaryPoints(in, out, {code, {}}, {}); };
}

TEST(BinaryPoints, RecordsBecomeLinesInTheChosenLayout) {
  struct Case {
    std::string input;
    int code;
    std::string output;
  } cases[] = {
      {Bytes().I16(2).I32(2).I16(2).I16(7).I16(3).I32(-8).I16(4).F32(0.1f).I16(5).F64(1e20).data,
       11, "7,-8,0\r\n0.1,1E+20,0\r\n"},
      {Bytes().I16(3).I32(1).I16(4).F32(-0.5f).I16(3).I32(41).F32(2.5f).data, 31,
       "-0.5\t41\t2.5\r\n"},
      {Bytes().I16(3).I32(1).I16(2).I16(1).I16(2).I16(2).F32(3).data, 12, "2,1,3\r\n"},
      {Bytes().I16(2).I32(0).data, 11, ""},
  };
  for (const Case& c : cases) {
    const auto [result, output] = RunPass(c.input, Binary(c.code));
    EXPECT_EQ(result.pass.status, PassStatus::Done) << result.pass.reason;
    EXPECT_EQ(output, c.output);
  }
}

TEST(BinaryPoints, ShortFilesAndUnknownTypesAreReported) {
  const std::string record = Bytes().I16(2).I16(1).I16(2).I16(2).data;
  testing::ExpectRows(
      Binary(11),
      {
          {std::string("\2\0\1", 3), "The file ends before its record count", 0},
          {Bytes().I16(2).I32(-1).data, "The record count is negative (-1)", 0},
          {Bytes().I16(2).I32(3).data + record + "\2", "The file ends after record 1 of 3", 2},
          {Bytes().I16(3).I32(1).data + record, "The file ends after record 0 of 1", 1},
          {Bytes().I16(2).I32(2).data + record + Bytes().I16(8).I16(1).data,
           "Record 2 holds a value of type 8, not 2, 3, 4 or 5", 2},
      });
}

using PoseidonBinaryFlow = testing::FlowTest<>;

TEST_F(PoseidonBinaryFlow, PoseidonCommand) {
  Files(Description("2", "2") + "5 -1\n7 8\n");
  PoseidonToSurferGrid(17, state, ui);
  EXPECT_EQ(testing::DialogsOf(ui), (testing::FileDialogs{kPoseidonFileFilters, {3}, {5}}));
  EXPECT_EQ(Output(), kGrid2x2);
  EXPECT_EQ(ui.statusHistory, (std::vector<std::string>{"1/2 changed", "2/2 changed"}));
  EXPECT_TRUE(ui.messages.empty());
  // The corners and the value range are left in the filter's limits.
  EXPECT_EQ(std::vector<double>({state.XMinLimit, state.XMaxLimit, state.YMinLimit, state.YMaxLimit,
                                 state.ZMinLimit, state.ZMaxLimit}),
            std::vector<double>({2.25, 3.5, 40.5, 41.5, 0, 255}));

  std::filesystem::remove(outputPath);
  Files(Description("2", "3") + "5 -1\n7 8\n");
  PoseidonToSurferGrid(17, state, ui);
  EXPECT_FALSE(OutputExists());
  EXPECT_EQ(ui.status, "The values end in row 3 of 3: line 3 of " + inputPath);
}

TEST_F(PoseidonBinaryFlow, BinaryCommand) {
  state.InputFormatCode = 21;
  state.OutputFormatCode = 13;  // left by an earlier command: the dialog is asked anyway
  Files(Bytes().I16(2).I32(1).I16(5).F64(2.25).I16(5).F64(41.5).data);
  ui.outputOptionsAnswers.push_back(OutputOptionsChoice{24, false});
  A2BIN(-1, state, ui);
  EXPECT_EQ(testing::DialogsOf(ui), (testing::FileDialogs{kPointFileFilters, {1}, {3}}));
  EXPECT_EQ(Output(), "41.5 2.25\r\n");
  EXPECT_EQ(testing::MessagesOf(ui),
            (testing::Shown{{" Finished ", " Binary => Ascii  ", MessageIcon::Information,
                             MessageButtons::Ok}}));
  EXPECT_EQ(state.InputFormatCode, 0);
  EXPECT_EQ(state.OutputFormatCode, 0);

  // A short file keeps no output, and the file it would replace stays as it was.
  Files(Bytes().I16(2).I32(3).I16(2).I16(1).I16(2).I16(2).data);
  ui.outputOptionsAnswers.push_back(OutputOptionsChoice{11, false});
  A2BIN(-1, state, ui);
  EXPECT_EQ(Output(), "41.5 2.25\r\n");
  EXPECT_EQ(ui.status, "The file ends after record 1 of 3: " + inputPath);
  EXPECT_EQ(state.InputError, 1);
  EXPECT_EQ(ui.messages.size(), 1u);

  // Closing the options dialog ends the command.
  std::filesystem::remove(outputPath);
  Files(Bytes().I16(2).I32(0).data);
  A2BIN(-1, state, ui);
  EXPECT_FALSE(OutputExists());
  EXPECT_EQ(ui.outputOptionsShown, 3);
}

}  // namespace
}  // namespace zolvane
