#include "app/dispatch.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "app/menu_tree.h"
#include "core/services.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::ScriptedUi;

const MenuItem& Item(std::string_view name) {
  const MenuItem* item = FindMenuItem(name);
  EXPECT_NE(item, nullptr) << name;
  return *item;
}

// The item with a stand-in command, for the rules around commands not built yet.
MenuItem With(std::string_view name, CommandFn command) {
  MenuItem item = Item(name);
  item.command = command;
  return item;
}

// A command that reports what it saw through the status line.
void ReportState(int index, RunState& state, Ui& ui) {
  ui.SetStatus("ran " + std::to_string(index) + " points " + std::to_string(state.ToPointsMode) +
               " g2u " + std::to_string(state.GeoToUtmMode) + " u2g " +
               std::to_string(state.UtmToGeoMode) + " zone " + std::to_string(state.UtmZone) +
               " cm " + std::to_string(state.CentralMeridian) + " error " +
               std::to_string(state.InputError) + " out " + std::to_string(state.OutputFormatCode));
}

void FailsAfterRaisingTheError(int, RunState& state, Ui& ui) {
  ui.SetStatus("half way");
  state.InputError = 1;
  throw std::runtime_error("broken input");
}

void FailsWithoutReason(int, RunState&, Ui&) {
  throw 42;
}

// A state as a previous command leaves it.
RunState UsedState() {
  RunState state;
  state.Stats = {5, 1, 45, 40, -10, -200, true, true, true};
  state.InputFormatCode = 21;
  state.OutputFormatCode = 24;
  state.CheckStatistics = 1;
  state.InputError = 1;
  state.GeoToUtmMode = 1;
  state.UtmZone = 31;
  state.CentralMeridian = 3;
  state.InputFileName = "in.bna";
  state.OutputFileName = "out.dat";
  return state;
}

void ExpectFileToFileReset(const RunState& state) {
  EXPECT_FALSE(state.Stats.HasX || state.Stats.HasY);
  EXPECT_EQ(state.InputFormatCode, 0);
  EXPECT_EQ(state.OutputFormatCode, 0);
  EXPECT_EQ(state.CheckStatistics, 0);
  EXPECT_EQ(state.InputError, 0);
  EXPECT_EQ(state.GeoToUtmMode, 0);
}

// What each item's dispatch changes around its command, from a state a previous command left.
TEST(Dispatch, ResetsAndModesAroundTheCommand) {
  const struct {
    const char* name;
    const char* report;  // a part of what the command saw
    bool reset;          // the file-to-file reset ran first
    int zone, centralMeridian, geoToUtmAfter;
  } cases[] = {
      {"fil2fil_4", "ran 4 points 0 g2u 0 u2g 0 zone 31 cm 3 error 0 out 0", true, 31, 3, 0},
      {"fil2fil_2", "ran 2 points 1 g2u 0", true, 31, 3, 0},  // lines to points
      // Items under File to File start after the reset.
      {"bnaxyz_1", "ran 1 points 0 g2u 0 u2g 0 zone 31 cm 3 error 0 out 0", true, 31, 3, 0},
      // Geo to UTM clears the zone around the command and raises its mode; no reset here.
      {"G2U_1", "ran 1 points 0 g2u 1 u2g 0 zone 0 cm 0 error 1 out 24", false, 0, 0, 0},
      {"G2U_2", "ran 2 points 0 g2u 1 u2g 0 zone 0 cm 0", false, 0, 0, 0},
      // UTM to geo raises its own mode and keeps the zone.
      {"U2G_2", "ran 2 points 0 g2u 1 u2g 1 zone 31 cm 3 error 1 out 24", false, 31, 3, 1},
  };
  for (const auto& c : cases) {
    RunState state = UsedState();
    ScriptedUi ui;
    ui.filters = "old";
    Dispatch(With(c.name, &ReportState), state, ui);
    EXPECT_NE(ui.status.find(c.report), std::string::npos) << c.name << ": " << ui.status;
    if (c.reset) {
      ExpectFileToFileReset(state);
      EXPECT_EQ(ui.filters, kPointFileFilters) << c.name;
      ASSERT_EQ(ui.statusHistory.size(), 3u) << c.name;  // cleared twice, then the command's
      EXPECT_EQ(ui.statusHistory[0] + ui.statusHistory[1], "") << c.name;
    } else {
      EXPECT_EQ(state.InputFormatCode, 21) << c.name;
      EXPECT_EQ(ui.filters, "old") << c.name;
    }
    EXPECT_EQ(state.ToPointsMode, 0) << c.name;
    EXPECT_EQ(state.UtmToGeoMode, 0) << c.name;
    EXPECT_EQ(state.GeoToUtmMode, c.geoToUtmAfter) << c.name;
    EXPECT_EQ(state.UtmZone, c.zone) << c.name;
    EXPECT_EQ(state.CentralMeridian, c.centralMeridian) << c.name;
    EXPECT_EQ(state.InputFileName, "in.bna") << c.name;  // the names are not part of the reset
  }
}

// File to File ends a failing command silently and clears the error; other items say why.
TEST(Dispatch, AFailingCommand) {
  const struct {
    const char* name;
    CommandFn command;
    const char* status;
    int errorAfter;
  } cases[] = {
      {"fil2fil_5", &FailsAfterRaisingTheError, "half way", 0},
      {"fil2fil_6", &FailsWithoutReason, "", 0},
      {"swath", &FailsAfterRaisingTheError, " Error: broken input ", 1},
      {"bnaxyz_2", &FailsWithoutReason, " Error: the command failed ", 0},
  };
  for (const auto& c : cases) {
    RunState state;
    ScriptedUi ui;
    Dispatch(With(c.name, c.command), state, ui);
    EXPECT_EQ(ui.status, c.status) << c.name;
    EXPECT_TRUE(ui.messages.empty()) << c.name;
    EXPECT_EQ(state.InputError, c.errorAfter) << c.name;
  }
}

// The codes stay as the previous command left them; what it gathered and showed does not.
TEST(OtherDispatch, KeepsTheCodesButNotTheStatisticsNorTheStatus) {
  RunState state = UsedState();
  state.Stats.UpdateXRange(500105);
  state.Stats.UpdateZRange(100);
  ScriptedUi ui;
  ui.status = "Calculating the Magnetic anomalies...";
  Dispatch(With("utils_8", &ReportState), state, ui);
  Dispatch(With("bna2kml_0", &ReportState), state, ui);
  EXPECT_FALSE(state.Stats.HasX || state.Stats.HasY || state.Stats.HasZ);
  ASSERT_TRUE(ui.shownStatistics);
  EXPECT_FALSE(ui.shownStatistics->HasX || ui.shownStatistics->HasZ);
  EXPECT_EQ(state.OutputFormatCode, 24);
  EXPECT_EQ(state.InputError, 1);
  EXPECT_EQ(ui.statusHistory, (std::vector<std::string>{"", ui.statusHistory[1], "", ui.status}));
  EXPECT_TRUE(ui.filters.empty());
}

TEST(SubmenuDispatch, OpeningAFileToFileSubmenuResetsAndOpeningTransformClearsTheNames) {
  RunState state = UsedState();
  ScriptedUi ui;
  ui.inputFileName = "in.bna";
  ui.outputFileName = "out.dat";
  OpenMenu(Item("transformar"), state, ui);
  EXPECT_EQ(state.InputFileName, "");
  EXPECT_EQ(state.OutputFileName, "");
  EXPECT_EQ(ui.inputFileName, "");
  EXPECT_EQ(ui.outputFileName, "");
  EXPECT_EQ(state.Stats.XMax, 5);  // opening Transform resets nothing else

  OpenMenu(Item("fil2fil_13"), state, ui);
  ExpectFileToFileReset(state);
  EXPECT_EQ(ui.filters, kPointFileFilters);

  // Other submenus do nothing on opening.
  RunState other = UsedState();
  ScriptedUi otherUi;
  OpenMenu(Item("B2Y"), other, otherUi);
  OpenMenu(Item("utils_3"), other, otherUi);
  OpenMenu(Item("utilitatsmnu"), other, otherUi);
  EXPECT_EQ(other.Stats.XMax, 5);
  EXPECT_EQ(other.InputFileName, "in.bna");
  EXPECT_TRUE(otherUi.statusHistory.empty());
}

// The box each item shows: its title, the first line of its text, its icon and its buttons.
TEST(WindowItems, MessageBoxes) {
  using enum MessageIcon;
  using enum MessageButtons;
  const struct {
    const char* name;
    const char* title;
    const char* line;
    MessageIcon icon;
    MessageButtons buttons;
  } cases[] = {
      {"about_0", " About This Program ", " Zolvane version 8.05 - october 2012 \n", Exclamation,
       Ok},
      {"about_6", " About Miramon ",
       " Miramon: Centre de Recerca Ecologica i aplicacions Forestals, UAB  \n", Exclamation, Ok},
      {"sortir", " E X I T ", "Zolvane Bye bye ", None, OkCancel},
      {"id2_2", " Format GeoSail ",
       " GeoSail only accepts points or lined defined by to points. Only the first and the last "
       "points will be used",
       Information, OkCancel},
      {"id1_1", " Bridge format ",
       " Convert a bna file to a points or lines file  defined in  DEGREES & MINUTES as used in "
       "Navigation (Sailing format) ",
       Information, OkCancel},
  };
  for (const auto& c : cases) {
    RunState state;
    ScriptedUi ui;
    ui.messageAnswers = {MessageAnswer::Cancel};
    EXPECT_EQ(Dispatch(Item(c.name), state, ui), DispatchOutcome::Done) << c.name;
    ASSERT_EQ(ui.messages.size(), 1u) << c.name;
    EXPECT_EQ(ui.messages[0].title, c.title);
    const std::string& text = ui.messages[0].text;
    EXPECT_EQ(text.substr(0, std::min(text.find('\n'), text.size() - 1) + 1), c.line) << c.name;
    EXPECT_EQ(ui.messages[0].icon, c.icon) << c.name;
    EXPECT_EQ(ui.messages[0].buttons, c.buttons) << c.name;
  }
  ScriptedUi ui;
  ShowAbout(0, ui);
  const std::string& text = ui.messages[0].text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << "three credit lines";
  EXPECT_EQ(text.back(), '\n');
}

// Exit asks with Cancel as the default; GeoSail and Bridge run only once their box is accepted;
// help is the window's to show.
TEST(WindowItems, ExitGeosailBridgeAndHelp) {
  RunState state;
  ScriptedUi ui;
  EXPECT_EQ(Dispatch(Item("sortir"), state, ui), DispatchOutcome::Done);  // the default
  ui.messageAnswers = {MessageAnswer::Ok};
  EXPECT_EQ(Dispatch(Item("sortir"), state, ui), DispatchOutcome::Quit);
  for (const char* name : {"id2_2", "id1_1"}) {
    state = UsedState();
    ui.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    const MenuItem item = With(name, &ReportState);
    Dispatch(item, state, ui);
    ExpectFileToFileReset(state);
    EXPECT_EQ(ui.status, "") << "cancelled: nothing ran";
    Dispatch(item, state, ui);
    EXPECT_EQ(ui.status.substr(0, 6), "ran " + std::to_string(item.index) + " ");
  }
  EXPECT_EQ(Dispatch(Item("ajuda"), state, ui), DispatchOutcome::ShowHelp);
  EXPECT_EQ(ui.status, " Help file [zolvane32.rtf] should be in windows dir ");
}

TEST(WindowItems, ZonesUtmKeepsAConfirmedZoneInForce) {
  RunState state;
  ScriptedUi ui;
  ui.zoneAnswers = {ZoneChoice{30, -3}, std::nullopt};
  Dispatch(Item("utils_6"), state, ui);
  EXPECT_EQ(state.UtmZone, 30);
  EXPECT_EQ(state.CentralMeridian, -3);
  Dispatch(Item("utils_6"), state, ui);  // closed without confirming
  EXPECT_EQ(state.UtmZone, 30);
  EXPECT_EQ(ui.zoneShown, 2);
}

TEST(WindowItems, UnbuiltAndHiddenItemsRunNothing) {
  RunState state = UsedState();
  ScriptedUi ui;
  for (const MenuItem& item : MenuTree()) {
    if (item.kind == MenuKind::Command && !IsEnabled(item)) Dispatch(item, state, ui);
  }
  EXPECT_TRUE(ui.statusHistory.empty());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(state.Stats.XMax, 5);
}

// Through a pipe, as its input is read twice: the check, then the conversion.
TEST(BuiltCommands, BnaToXyzRunsFromItsMenuItemOnAPipedInput) {
  testing::TempDir dir;
  const std::string fifo = dir.File("fifo.bna"), output = dir.File("plan.dat");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << "a,\"-5\",2\r1,2\r3,4\r"; });
  RunState state = UsedState();
  ScriptedUi ui;
  ui.inputFiles = {fifo};
  ui.outputFiles = {output};
  ui.outputOptionsAnswers = {OutputOptionsChoice{11, false}};
  OpenMenu(Item("transformar"), state, ui);
  OpenMenu(Item("fil2fil_1"), state, ui);
  Dispatch(Item("bnaxyz_2"), state, ui);
  writer.join();
  EXPECT_EQ(ui.status, " Finished  BNA > XYZ ");
  EXPECT_EQ(ui.outputOptionsShown, 1) << "the reset cleared the output layout";
  EXPECT_EQ(testing::TempDir::Read(output), "1,2,\"-5\"\r\n3,4,\"-5\"\r\n");
  EXPECT_EQ(ui.filters, kPointFileFilters);
  EXPECT_EQ(ui.inputFileName, fifo);
  EXPECT_FALSE(state.InputCopyFile);  // removed with its command
  EXPECT_TRUE(ui.unanswered.empty());
}

// A window that cannot ask a family's questions runs none of its commands: the status line
// says so, and nothing else is asked or changed.
TEST(BuiltCommands, AWindowWithoutAFamilysQuestionsRunsNoneOfItsCommands) {
  for (const char* name : {"swath", "trasla_1", "utils_6", "utils_11"}) {
    RunState state = UsedState();
    testing::ScriptedServices ui;
    Dispatch(Item(name), state, ui);
    EXPECT_EQ(ui.status, " Error: this window cannot ask what the command needs ") << name;
    EXPECT_TRUE(ui.messages.empty()) << name;
    EXPECT_TRUE(ui.unanswered.empty()) << name;
  }
}

}  // namespace
}  // namespace zolvane
