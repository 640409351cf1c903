// The BNA commands as a user meets them, answered by a scripted window.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <thread>

#include "app/dispatch.h"
#include "app/menu_tree.h"
#include "core/services.h"
#include "formats/bna/bna_reader.h"
#include "formats/bna/bna_to_xyz.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::ScriptedUi;
using testing::TempDir;

class BnaFlow : public ::testing::Test {
 protected:
  TempDir dir;
  RunState state;
  ScriptedUi ui;

  std::string Bna(const std::string& text) { return dir.Write("in.bna", text); }
};

TEST_F(BnaFlow, ConvertsEndToEnd) {
  ui.inputFiles = {Bna("\"-100\",\"depth\",2\r\n2.5,41.3\r\n2.75,41.25\r\n")};
  ui.outputFiles = {dir.File("out.dat")};
  ui.outputOptionsAnswers = {OutputOptionsChoice{24, false}};
  BnaToXyz(1, state, ui);

  EXPECT_EQ(TempDir::Read(dir.File("out.dat")), "41.3 2.5\r\n41.25 2.75\r\n");
  EXPECT_EQ(ui.filters, kPointFileFilters);
  EXPECT_EQ(ui.inputFilterIndices, std::vector<int>{2});
  EXPECT_EQ(ui.outputFilterIndices, std::vector<int>{4});
  EXPECT_EQ(ui.status, " Finished  BNA > XYZ ");
  EXPECT_NE(std::find(ui.statusHistory.begin(), ui.statusHistory.end(), " checking bna file "),
            ui.statusHistory.end());
  EXPECT_NE(
      std::find(ui.statusHistory.begin(), ui.statusHistory.end(), " Converting bna to ascii "),
      ui.statusHistory.end());
  EXPECT_EQ(ui.inputFileName, dir.File("in.bna"));
  EXPECT_EQ(ui.outputFileName, dir.File("out.dat"));
  ASSERT_TRUE(ui.shownStatistics);
  EXPECT_EQ(ui.shownStatistics->XMax, 2.75);
  EXPECT_EQ(ui.shownStatistics->YMin, 41.25);
  EXPECT_EQ(state.OutputFormatCode, 24);  // the command leaves the code for the dispatch to reset
  EXPECT_EQ(state.BnaPointCount, 2);
}

TEST_F(BnaFlow, APipedInputIsReadTwiceThroughAPrivateCopy) {
  const std::string fifo = dir.File("fifo.bna");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << "a,\"-5\",2\r1,2\r3,4\r"; });
  ui.inputFiles = {fifo};
  ui.outputFiles = {dir.File("out.dat")};
  ui.outputOptionsAnswers = {OutputOptionsChoice{11, false}};
  Dispatch(*FindMenuItem("bnaxyz_2"), state, ui);
  writer.join();
  EXPECT_EQ(TempDir::Read(dir.File("out.dat")), "1,2,\"-5\"\r\n3,4,\"-5\"\r\n");
  EXPECT_EQ(ui.inputFileName, fifo);
  EXPECT_FALSE(state.InputCopyFile);  // removed with its command
}

TEST_F(BnaFlow, AChosenLayoutIsUsedWithoutAskingAgain) {
  state.OutputFormatCode = 13;
  ui.inputFiles = {Bna("a,b,1\r\n1,2\r\n")};
  ui.outputFiles = {dir.File("out.dat")};
  BnaToXyz(2, state, ui);
  EXPECT_EQ(ui.outputOptionsShown, 0);
  EXPECT_EQ(TempDir::Read(dir.File("out.dat")), "1,2\r\n");
}

// A Cancel at any dialog, a refused output, a missing input or a stop: the old output stays,
// nothing else is written, and the dialogs after it are not asked.
TEST_F(BnaFlow, RunsThatEndEarlyKeepTheOldOutput) {
  std::string text = "a,b,1000\r\n";
  for (int i = 0; i < 1000; ++i)
    text += "1,2\r\n";
  const std::string in = Bna(text), out = dir.File("out.dat");
  const std::optional<OutputOptionsChoice> layout = OutputOptionsChoice{};
  const struct {
    const char* what;
    std::optional<std::string> input, output;
    std::optional<std::optional<OutputOptionsChoice>> layoutAnswer;  // none: not asked
    int stopAt;
    std::string message;  // a part of the one message shown; empty: none
    std::size_t outputDialogs;
    int layoutsShown;
  } cases[] = {
      {"cancel input", std::nullopt, {}, {}, 0, "", 0, 0},
      {"cancel output", in, std::nullopt, {}, 0, "", 1, 0},
      {"cancel layout", in, out, std::optional<OutputOptionsChoice>(), 0, "", 1, 1},
      {"output is input", in, in, {}, 0, in, 1, 0},
      {"missing input", dir.File("missing.bna"), {}, {}, 0, "missing.bna", 0, 0},
      // The check reports 12 times, then the conversion starts.
      {"stopped", in, out, layout, 13, "", 1, 1},
  };
  for (const auto& c : cases) {
    RunState state;
    ScriptedUi ui;
    dir.Write("out.dat", "previous");
    ui.inputFiles = {c.input};
    ui.outputFiles = {c.output};
    if (c.layoutAnswer) ui.outputOptionsAnswers = {*c.layoutAnswer};
    ui.stopAtProgressCall = c.stopAt;
    BnaToXyz(1, state, ui);
    EXPECT_EQ(TempDir::Read(out), "previous") << c.what;
    EXPECT_EQ(TempDir::Read(in), text) << c.what;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2) << c.what;
    EXPECT_EQ(ui.outputFilterIndices.size(), c.outputDialogs) << c.what;
    EXPECT_EQ(ui.outputOptionsShown, c.layoutsShown) << c.what;
    EXPECT_EQ(ui.messages.size(), c.message.empty() ? 0u : 1u) << c.what;
    if (!c.message.empty() && !ui.messages.empty()) {
      EXPECT_NE(ui.messages[0].text.find(c.message), std::string::npos) << c.what;
    }
    EXPECT_EQ(state.InputError, c.what == std::string("missing input") || c.stopAt) << c.what;
    if (c.stopAt == 0) {
      EXPECT_EQ(state.OutputFormatCode, 0) << c.what;  // a cancel leaves the run state alone
      EXPECT_EQ(state.BnaPointCount, 0) << c.what;
    } else {
      EXPECT_EQ(ui.status, "Stopped");
      EXPECT_EQ(ui.progressCalls, c.stopAt);
    }
  }
}

struct CheckCase {
  const char* text;
  const char* status;
  const char* message;  // empty: no message box
};

class CheckBnaFileReports : public BnaFlow, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckBnaFileReports, ExactTexts) {
  const CheckCase& c = GetParam();
  CheckBnaFile(Bna(c.text), state, ui);
  EXPECT_EQ(state.InputError, 1);
  EXPECT_EQ(ui.status, c.status);
  if (*c.message == '\0') {
    EXPECT_TRUE(ui.messages.empty());
  } else {
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, c.message);
    EXPECT_EQ(ui.messages[0].title, "Test BNA");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
  }
  EXPECT_FALSE(ui.shownStatistics);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CheckBnaFileReports,
    ::testing::Values(CheckCase{"a,b,1\n1,2\n\n", " Error in the line   0 of segment: ", ""},
                      CheckCase{"a,b,0\n", " Error in the line   0 of segment: ", ""},
                      CheckCase{"a,b,2\n1,2\n3;4\n", " Error in the line   3 of segment: ", ""},
                      CheckCase{"A,B,2,2.5,41.3,3,4\n", " Error in the line   1 of segment: ",
                                "this BNA format is not supported (a$,b$,n(<>1),x,y,......,x,y) "},
                      CheckCase{"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                                "aaaaaaaaaaaaaa,b,1\n",
                                "Checking BNA file", "Line too long, Max. 80 characters "}));

TEST_F(BnaFlow, NewFaultsNameTheFileAndLine) {
  const struct {
    const char* text;
    const char* status;
  } cases[] = {
      {"a,b,3\n1,2\n", "The file ends inside an object: line 2 of "},
      {"a,b,2\n\"499750\",\"4500000\"\n\"\",\"4510000\"\n", "Unreadable number: line 3 of "},
  };
  for (const auto& c : cases) {
    const std::string in = Bna(c.text);
    CheckBnaFile(in, state, ui);
    EXPECT_EQ(state.InputError, 1) << c.text;
    EXPECT_EQ(ui.status, c.status + in);
  }
}

TEST_F(BnaFlow, ACleanCheckShowsCountAndStatistics) {
  state.InputError = 1;
  CheckBnaFile(Bna("a,b,3\n1,2\n3,4\n5,6\nc,d,3\n1,2\n3,4\n5,6\n"), state, ui);
  EXPECT_EQ(state.InputError, 0);
  EXPECT_EQ(ui.status, "");
  EXPECT_EQ(ui.progressCount, 8);
  EXPECT_EQ(state.BnaObjectCount, 2);
  ASSERT_TRUE(ui.shownStatistics);
}

TEST(LineError, TextAndFlag) {
  RunState state;
  ScriptedUi ui;
  state.InputFileName = "c:\\a.dat";
  ReportLineError(12, state, ui);
  EXPECT_EQ(ui.status, "Error in the line:  12 of c:\\a.dat");
  EXPECT_EQ(state.InputError, 1);
}

}  // namespace
}  // namespace zolvane
