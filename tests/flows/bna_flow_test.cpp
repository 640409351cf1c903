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

TEST_F(BnaFlow, CancelAtEachDialogEndsSilentlyWithoutOutput) {
  const std::string in = Bna("a,b,1\r\n1,2\r\n");
  ui.inputFiles = {std::nullopt};
  BnaToXyz(1, state, ui);
  EXPECT_EQ(ui.outputFilterIndices.size(), 0u);

  ui.inputFiles = {in};
  ui.outputFiles = {std::nullopt};
  BnaToXyz(1, state, ui);
  EXPECT_EQ(ui.outputOptionsShown, 0);

  ui.inputFiles = {in};
  ui.outputFiles = {dir.File("out.dat")};
  ui.outputOptionsAnswers = {std::nullopt};
  BnaToXyz(1, state, ui);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.dat")));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(BnaFlow, AChosenLayoutIsUsedWithoutAskingAgain) {
  state.OutputFormatCode = 13;
  ui.inputFiles = {Bna("a,b,1\r\n1,2\r\n")};
  ui.outputFiles = {dir.File("out.dat")};
  BnaToXyz(2, state, ui);
  EXPECT_EQ(ui.outputOptionsShown, 0);
  EXPECT_EQ(TempDir::Read(dir.File("out.dat")), "1,2\r\n");
}

TEST_F(BnaFlow, RefusesToWriteOverTheInput) {
  const std::string in = Bna("a,b,1\r\n1,2\r\n");
  ui.inputFiles = {in};
  ui.outputFiles = {in};
  BnaToXyz(1, state, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find(in), std::string::npos);
  EXPECT_EQ(TempDir::Read(in), "a,b,1\r\n1,2\r\n");
  EXPECT_EQ(ui.outputOptionsShown, 0);
}

TEST_F(BnaFlow, AMissingInputIsNamedInAMessage) {
  ui.inputFiles = {dir.File("missing.bna")};
  BnaToXyz(1, state, ui);
  EXPECT_EQ(state.InputError, 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("missing.bna"), std::string::npos);
  EXPECT_TRUE(ui.outputFilterIndices.empty());
}

TEST_F(BnaFlow, StoppingTheConversionKeepsTheOldOutput) {
  std::string text = "a,b,1000\r\n";
  for (int i = 0; i < 1000; ++i)
    text += "1,2\r\n";
  const std::string out = dir.Write("out.dat", "previous");
  ui.inputFiles = {Bna(text)};
  ui.outputFiles = {out};
  ui.outputOptionsAnswers = {OutputOptionsChoice{}};
  ui.stopAtProgressCall = 13;  // the check reports 12 times, then the conversion starts
  BnaToXyz(1, state, ui);
  EXPECT_EQ(ui.status, "Stopped");
  EXPECT_EQ(ui.progressCalls, 13);
  EXPECT_EQ(TempDir::Read(out), "previous");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
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
