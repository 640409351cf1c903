// The survey-plan, Geosail and Bridge exports as a user meets them, answered by a script.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/services.h"
#include "formats/bna/bna_to_asciiplan.h"
#include "formats/bna/bna_to_bridge.h"
#include "formats/bna/bna_to_geosail.h"
#include "formats/bna/bna_to_hypack.h"
#include "formats/bna/bna_to_merlin.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::ScriptedUi;
using testing::TempDir;
using Command = void (*)(int, RunState&, Ui&);

const char* const kLine = "\"S1\",\"two\",-2\r\n-3.25,41.5\r\n10.5,-33.75\r\n";

struct FlowCase {
  const char* what;
  Command command;
  int index;
  std::string_view outputFilters;  // the list the output dialog sees
  int inputIndex, outputIndex;
  const char* working;  // status while converting; empty: none
  const char* finished;
  const char* expected;
};

const FlowCase kCases[] = {
    {"hypack", &BnaToHypack, 2,
     "All files (*.*)|*.*|BNA (*.bna)|*.bna|HYPACK (*.lnw)|*.lnw|XYZ (*.dat)|*.dat|Geosail "
     "(*.obj)|*.obj ",
     2, 3, " Converting BNA to HYPACK line targets format", " Finished,  BNA => LNW HYPACK ",
     "REM Generated from bna2hypack-Zolvane\r\nLNS 1\r\nLIN 2\r\nPTS -3.25 41.5\r\n"
     "PTS 10.5 -33.75\r\nLNN two\r\nEOL\r\n"},
    {"merlin", &BnaToMerlin, 2, kPointFileFilters, 2, 1, "processing",
     " Finished ,  BNA => PLANNING  ",
     "DEG\r\nBay plan\r\n0 0 0 0\r\n"
     "_LINE L-S1 0 20020110101010 0  41.50000000 -3.25000000 -33.75000000 10.50000000 \"S1\r\n"},
    {"asciiplan", &BnaToAsciiplan, -1, "All files (*.*)|*.*|ASCIIPLAN  (*.asciiplan)|*.asciiplan",
     2, 2, "", "Asciiplan Created (remove spaces in the labels, if necesary)",
     "DEG\r\n \r\n0 0 0 0\r\n_LINE S1 1 20060501010101 0   41.5 -3.25 -33.75  10.5 \"\r\n"},
    {"geosail", &BnaToGeosail, 1, kPointFileFilters, 2, 5,
     " Converting BNA to Geosail targets format", " Finished,  BNA => GEOSAIL ",
     "\"S1\",2\r\n-3.25,41.5\r\n10.5,-33.75\r\n"},
    {"bridge", &BnaToBridgePlan, 2, kPointFileFilters, 2, 1, " Making Bridge format file ",
     "  finished,  BNA => BRIDGE FORMAT  ",
     "\"two\"\r\n 41 30.0000N  -   003 15.0000W 1  1 \r\n"
     " 33 45.0000S  -   010 30.0000E 2  2 \r\n"},
};

void PrintTo(const FlowCase& c, std::ostream* out) {
  *out << c.what;
}

class PlanFlow : public ::testing::TestWithParam<FlowCase> {
 protected:
  TempDir dir;
  RunState state;
  ScriptedUi ui;

  bool Saw(const std::string& status) const {
    return std::find(ui.statusHistory.begin(), ui.statusHistory.end(), status) !=
           ui.statusHistory.end();
  }
};

TEST_P(PlanFlow, ConvertsEndToEnd) {
  const FlowCase& c = GetParam();
  const std::string in = dir.Write("in.bna", kLine);
  ui.inputFiles = {in};
  ui.outputFiles = {dir.File("out")};
  ui.inputBoxAnswers = {"Bay plan"};
  c.command(c.index, state, ui);

  EXPECT_EQ(TempDir::Read(dir.File("out")), c.expected);
  EXPECT_EQ(ui.filters, c.outputFilters);
  EXPECT_EQ(ui.inputFilterIndices, std::vector<int>{c.inputIndex});
  EXPECT_EQ(ui.outputFilterIndices, std::vector<int>{c.outputIndex});
  EXPECT_EQ(ui.status, c.finished);
  if (*c.working) {
    EXPECT_TRUE(Saw(c.working));
  }
  EXPECT_TRUE(Saw("Checking BNA file"));
  EXPECT_EQ(ui.inputFileName, in);
  EXPECT_EQ(ui.outputFileName, dir.File("out"));
  ASSERT_TRUE(ui.shownStatistics);
  EXPECT_EQ(ui.shownStatistics->YMin, -33.75);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.unanswered.empty());
}

TEST_P(PlanFlow, CancelsFaultsAndStopsWriteNothing) {
  const FlowCase& c = GetParam();
  const std::string in = dir.Write("in.bna", kLine);
  const std::string out = dir.File("out");

  ui.inputFiles = {std::nullopt};
  c.command(c.index, state, ui);
  EXPECT_TRUE(ui.outputFilterIndices.empty());

  ui.inputFiles = {in};
  ui.outputFiles = {std::nullopt};
  c.command(c.index, state, ui);
  EXPECT_FALSE(std::filesystem::exists(out));
  EXPECT_TRUE(ui.messages.empty());

  // A faulty file stops before the output is asked for.
  ui.inputFiles = {dir.Write("bad.bna", "a,b,-3\n1,2\n")};
  c.command(c.index, state, ui);
  EXPECT_EQ(state.InputError, 1);
  EXPECT_EQ(ui.outputFilterIndices.size(), 1u);

  // The output may not be the input.
  ui.inputFiles = {in};
  ui.outputFiles = {in};
  c.command(c.index, state, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find(in), std::string::npos);
  EXPECT_EQ(TempDir::Read(in), kLine);

  // Stopped: the old output stays, and no temporary is left.
  std::string text = "a,b,-1000\r\n";
  for (int i = 0; i < 1000; ++i)
    text += "1,2\r\n";
  dir.Write("out", "previous");
  ui.inputFiles = {dir.Write("long.bna", text)};
  ui.outputFiles = {out};
  ui.progressCalls = 0;
  ui.stopAtProgressCall = 13;  // the check reports 12 times, then the export starts
  c.command(c.index, state, ui);
  EXPECT_EQ(ui.status, "Stopped");
  EXPECT_EQ(TempDir::Read(out), "previous");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 4);
}

INSTANTIATE_TEST_SUITE_P(Commands, PlanFlow, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(MerlinFlow, ACancelledPlanNameIsWrittenEmpty) {
  TempDir dir;
  RunState state;
  ScriptedUi ui;
  ui.inputFiles = {dir.Write("in.bna", kLine)};
  ui.outputFiles = {dir.File("out")};
  BnaToMerlin(2, state, ui);  // no answer: the box is cancelled
  EXPECT_EQ(TempDir::Read(dir.File("out")).substr(0, 16), "DEG\r\n\r\n0 0 0 0\r\n");
  EXPECT_EQ(ui.status, " Finished ,  BNA => PLANNING  ");
}

}  // namespace
}  // namespace zolvane
