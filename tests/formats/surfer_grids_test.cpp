// Surfer grids: the Genesis II export and the grid extraction over a recording Surfer.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/services.h"
#include "formats/engine_cases.h"
#include "formats/surfer_grids.h"

namespace zolvane {
namespace {

using testing::TempDir;

// The Genesis pass with its substitute for blank nodes.
auto Genesis(double substitute) {
  return [substitute](auto& in, auto& out) {
    return SurferGridToGenesisText(in, out, {substitute}, {});
  };
}

TEST(GenesisText, NodesShiftedNorthernRowFirstAndMalformedGridsRefused) {
  testing::ExpectRows(
      Genesis(-9999),
      {
          {"DSAA\n2 1\n0 1\n0 1\n-200 0\n-150.7 -200\n", " 49 \r\n 0 \r\n"},
          {"DSAA\n1 1\n0 1\n0 1\n0 5\n1.70141E+38\n", "-9999 \r\n"},
          // Rows wrapped over lines and parted by blank lines; the rest of a row's
          // line is dropped.
          {"DSAA\r\n3 2\r\n0 2\r\n0 1\r\n0 9\r\n1 2\r\n3 99\r\n\r\n4 5 6 77\r\n",
           " 4 \r\n 5 \r\n 6 \r\n 1 \r\n 2 \r\n 3 \r\n"},
          // The first row on the header's last line.
          {"DSAA 2 2 0 1 0 1 0 9 1 2 8\n3 4\n", " 3 \r\n 4 \r\n 1 \r\n 2 \r\n"},
          {"", "Not a Surfer ASCII grid (DSAA)", 0},
          {"DSBB\n1 1\n", "Not a Surfer ASCII grid (DSAA)", 1},
          {"DSAA\n0 3\n0 1\n0 1\n0 1\n", "The grid sizes must be positive whole numbers", 2},
          {"DSAA\n2.5 3\n", "The grid sizes must be positive whole numbers", 2},
          {"DSAA\n-2 3\n", "The grid sizes must be positive whole numbers", 2},
          {"DSAA\n100000 100000\n", "The grid is too large to be held", 2},
          {"DSAA\n2 2\n0 1\n", "The grid header is cut short", 3},
          {"DSAA\n2 2\n0 1\n0 1\n0 1\n1 2\n3\n", "The grid ends before its 4 values", 7},
          {"DSAA\n2 1\n0 1\n0 1\n0 1\n1 x\n", "Not a number: x", 6},
          {"DSAA\nnx 1\n", "Not a number: nx", 2},
          {"DSAA\n1 1\n0 1\n0 1\n1e999 0\n-1e999\n", "A number out of range", 5},
          {"DSAA\n1 1\n0 1\n0 1\n0 1\n" + std::string("5\0\n", 3), "Not a text file (a NUL byte)",
           6},
      },
      true);
  testing::ExpectRows(Genesis(7),
                      {{"DSAA,1,2\n0,1,0,1,10,20\n12.9\n1.70141E+38\n", " 7 \r\n 2 \r\n"}});
  // A node equal to the substitute keeps its value unshifted.
  testing::ExpectRows(Genesis(-3), {{"DSAA 1 1 0 1 0 1 -5 5\n-3\n", "-3 \r\n"}});
  // Grids larger than the rows held at a time: many rows of ten values a line, and rows
  // longer than that on their own.
  for (const auto& [nx, ny] : {std::pair{1000LL, 600LL}, {300000LL, 3LL}}) {
    std::string grid = "DSAA\r\n" + std::to_string(nx) + ' ' + std::to_string(ny);
    grid += "\r\n0 1\r\n0 1\r\n0 1\r\n";
    std::string expected;
    for (long long r = 0; r < ny; ++r) {
      for (long long c = 0; c < nx; ++c) {
        grid += std::to_string(r * 7 + c % 5);
        grid += c % 10 == 9 || c == nx - 1 ? "\r\n" : " ";
      }
      grid += "\r\n";
    }
    for (long long r = ny - 1; r >= 0; --r) {
      for (long long c = 0; c < nx; ++c) {
        expected += ' ';
        expected += std::to_string(r * 7 + c % 5);
        expected += " \r\n";
      }
    }
    const auto [result, out] = testing::RunPass(grid, Genesis(-9999));
    EXPECT_EQ(result.pass.status, PassStatus::Done) << nx;
    EXPECT_TRUE(out == expected) << nx << " x " << ny;
  }
  const GenesisResult result =
      testing::RunPass("DSAA\n2 2\n-1 3\n5 9\n-2.5 7\n1 2\n3 4\n", Genesis(-9999)).first;
  EXPECT_EQ(result.pass.count, 4);
  EXPECT_EQ(result.header.xMin, -1);
  EXPECT_EQ(result.header.yMax, 9);
  EXPECT_EQ(result.header.zMin, -2.5);
}

// Records the prompts of the input boxes too.
class PromptUi : public testing::ScriptedUi {
 public:
  std::vector<std::string> prompts, titles, defaults;
  std::string InputBox(std::string_view prompt, std::string_view title,
                       std::string_view defaultText) override {
    prompts.emplace_back(prompt);
    titles.emplace_back(title);
    defaults.emplace_back(defaultText);
    return ScriptedUi::InputBox(prompt, title, defaultText);
  }
};

using SurferFlow = testing::FlowTest<PromptUi>;

TEST_F(SurferFlow, GenesisExportAsksNoticeFilesAndNullValue) {
  Files("DSAA\n2 1\n10 20\n30 40\n-200 0\n1.70141E+38 -100\n", "g.grd");
  ui.inputBoxAnswers.push_back("-5.5");
  SurferGridToGenesis(0, state, ui);
  EXPECT_EQ(Output(), "-6 \r\n 100 \r\n");
  EXPECT_EQ(
      testing::MessagesOf(ui),
      (testing::Shown{
          {" Genesis TXT: a Surfer grid in format GS_ASCII will be necessary\n Output Z values "
           "will transformed to positive integers",
           " Surfer grid to Genesis II", MessageIcon::Information, MessageButtons::OkCancel}}));
  EXPECT_EQ(ui.inputFilterIndices, std::vector<int>{2});
  EXPECT_EQ(ui.outputFilterIndices, std::vector<int>{4});
  EXPECT_EQ(ui.prompts, std::vector<std::string>{
                            " Input VALUE to substitute Surfer Null values (1.70141E+38)"});
  EXPECT_EQ(ui.titles, std::vector<std::string>{"Null Value"});
  EXPECT_EQ(ui.defaults, std::vector<std::string>{"-9999"});
  EXPECT_EQ(ui.status, " Finished,  Surfer Grid > GenesisII TXT ");
  EXPECT_EQ(ui.progressCount, 2);
  ASSERT_TRUE(ui.shownStatistics);
  EXPECT_EQ(ui.shownStatistics->XMax, 20);
  EXPECT_EQ(ui.shownStatistics->ZMax, 200);
  EXPECT_EQ(ui.shownStatistics->ZMin, 0);
}

TEST_F(SurferFlow, GenesisCancelAndRefusalsLeaveNoOutput) {
  ui.messageAnswers.push_back(MessageAnswer::Cancel);
  SurferGridToGenesis(0, state, ui);
  EXPECT_TRUE(ui.inputFilterIndices.empty());

  Files("DSAA\n2 2\n0 1\n0 1\n0 1\n1 2\n", "short.grd");
  dir.Write("out-short.grd", "keep");
  ui.inputBoxAnswers.push_back("-9999");
  SurferGridToGenesis(0, state, ui);
  EXPECT_EQ(Output(), "keep");
  EXPECT_EQ(ui.status, "The grid ends before its 4 values: line 6 of " + inputPath);
  EXPECT_EQ(state.InputError, 1);
}

// Answers every call as a Surfer would and records it.
class RecordingSurfer : public SurferAutomation {
 public:
  bool running = true;
  long long windows = 1;
  bool selected = true;
  std::vector<std::string> calls;

  template <typename T>
  T Note(std::string call, T answer) {
    calls.push_back(std::move(call));
    return answer;
  }
  SurferObject AttachRunning(std::string_view name) override {
    return Note("attach " + std::string(name), running ? 1 : 0);
  }
  bool CreateInstance(std::string_view name) override {
    return running = Note("create " + std::string(name), true);
  }
  bool SetVisible(SurferObject, bool on) override { return Note(on ? "visible" : "hidden", true); }
  bool OpenDocument(SurferObject, std::string_view path) override {
    return Note("open " + std::string(path), true);
  }
  std::optional<long long> WindowsCount(SurferObject) override {
    return Note("windows", std::optional<long long>(windows));
  }
  bool AddDocument(SurferObject, int type) override {
    return Note("add " + std::to_string(type), true);
  }
  bool SetWindowState(SurferObject, int state) override {
    return Note("state " + std::to_string(state), true);
  }
  SurferObject ActiveDocument(SurferObject) override { return Note("document", 2); }
  SurferObject SelectionItem(SurferObject, int item) override {
    return Note("selection " + std::to_string(item), selected ? 3 : 0);
  }
  SurferObject OverlaysItem(SurferObject, int item) override {
    return Note("overlay " + std::to_string(item), 4);
  }
  SurferObject Grid(SurferObject) override { return Note("grid", 5); }
  bool SaveFile(SurferObject grid, std::string_view path, int format) override {
    std::ofstream(std::string(path)) << "grid";
    return Note(
        "save " + std::to_string(grid) + " " + std::string(path) + " " + std::to_string(format),
        true);
  }
};

TEST_F(SurferFlow, ExtractionWithSurferRunningAsksTheFormatUntilItIsOneToFour) {
  RecordingSurfer surfer;
  surfer.windows = 0;
  ui.inputBoxAnswers = {"5", "0", "abc", "2"};
  const std::string out = dir.File("out.grd");
  ui.outputFiles.push_back(out);
  ExtractSurferGrid(state, ui, surfer);
  EXPECT_EQ(surfer.calls,
            (std::vector<std::string>{"attach Surfer.Application", "windows", "add 1", "visible",
                                      "state 0", "attach surfer.application", "document",
                                      "selection 1", "overlay 1", "grid", "save 5 " + out + " 2"}));
  EXPECT_TRUE(ui.inputFilterIndices.empty());
  EXPECT_EQ(ui.outputFilterIndices, std::vector<int>{3});
  EXPECT_EQ(ui.prompts.size(), 4u);
  EXPECT_EQ(ui.titles[0], "Grid Extract");
  EXPECT_EQ(ui.defaults[0], "3");
  EXPECT_NE(ui.prompts[0].find("1 for GS Binary, 2 for GS ASCII"), std::string::npos);
  EXPECT_EQ(ui.filters, "All files (*.*)|*.*|Surfer Map (*.srf)|*.srf|surfer Grid (*.grd)|*.grd");
  EXPECT_EQ(ui.status, "Surfer Grid extracted");
}

TEST_F(SurferFlow, ExtractionStartsSurferOnAChosenMap) {
  RecordingSurfer surfer;
  surfer.running = false;
  const std::string map = dir.Write("m.srf", "map");
  ui.inputFiles.push_back(map);
  ui.inputBoxAnswers.push_back("3");
  ui.outputFiles.push_back(dir.File("o.grd"));
  ExtractSurferGrid(state, ui, surfer);
  EXPECT_EQ(surfer.calls,
            (std::vector<std::string>{"attach Surfer.Application", "create Surfer.Application",
                                      "attach Surfer.Application", "visible", "open " + map,
                                      "attach surfer.application", "document", "selection 1",
                                      "overlay 1", "grid", "save 5 " + dir.File("o.grd") + " 3"}));
  EXPECT_EQ(ui.inputFilterIndices, std::vector<int>{2});
}

TEST_F(SurferFlow, ExtractionEndsOnCancelAndReportsAMissingSelection) {
  RecordingSurfer surfer;
  surfer.running = false;
  ui.inputFiles.push_back(std::nullopt);
  ExtractSurferGrid(state, ui, surfer);
  EXPECT_EQ(surfer.calls, std::vector<std::string>{"attach Surfer.Application"});

  // An empty answer to the format question ends the command.
  RecordingSurfer cancelled;
  ExtractSurferGrid(state, ui, cancelled);
  EXPECT_EQ(ui.prompts.size(), 1u);
  EXPECT_TRUE(ui.outputFilterIndices.empty());

  // Nothing selected: no save, and a file left from before is no success.
  RecordingSurfer unselected;
  unselected.selected = false;
  const std::string old = dir.Write("old.grd", "old");
  ui.inputBoxAnswers.push_back("1");
  ui.outputFiles.push_back(old);
  ExtractSurferGrid(state, ui, unselected);
  EXPECT_EQ(unselected.calls.back(), "selection 1");
  EXPECT_EQ(ui.status, "try again with surfer map selected (click on the object)");
  EXPECT_EQ(TempDir::Read(old), "old");
}

TEST_F(SurferFlow, WithoutSurferTheCommandSaysSoAndAsksNothing) {
  ExtractSurferGrid(1, state, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].text.find("not available"), std::string::npos);
  EXPECT_TRUE(ui.inputFilterIndices.empty());
  EXPECT_TRUE(ui.prompts.empty());
  EXPECT_TRUE(ui.outputFilterIndices.empty());
}

}  // namespace
}  // namespace zolvane
