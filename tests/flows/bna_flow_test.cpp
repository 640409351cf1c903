// The BNA commands as a user meets them, answered by a scripted window: BNA > XYZ and the
// check, the KML and XML exports and the survey plans.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "app/dispatch.h"
#include "app/menu_tree.h"
#include "core/services.h"
#include "formats/bna/bna_reader.h"
#include "formats/bna/bna_to_asciiplan.h"
#include "formats/bna/bna_to_bridge.h"
#include "formats/bna/bna_to_geosail.h"
#include "formats/bna/bna_to_hypack.h"
#include "formats/bna/bna_to_kml.h"
#include "formats/bna/bna_to_merlin.h"
#include "formats/bna/bna_to_xml.h"
#include "formats/bna/bna_to_xyz.h"
#include "formats/bna/xml_to_kml.h"
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
  bool Saw(const std::string& status) const {
    return std::find(ui.statusHistory.begin(), ui.statusHistory.end(), status) !=
           ui.statusHistory.end();
  }
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
  EXPECT_TRUE(Saw(" checking bna file "));
  EXPECT_TRUE(Saw(" Converting bna to ascii "));
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

// What the check reports: the old faults in the status line (and a box for some), the new
// ones naming the file and line; a clean file its count and statistics.
TEST_F(BnaFlow, CheckBnaFileReports) {
  const struct {
    const char* text;
    const char* status;   // ending "of ": the file's name follows
    const char* message;  // empty: no message box
  } cases[] = {
      {"a,b,1\n1,2\n\n", " Error in the line   0 of segment: ", ""},
      {"a,b,0\n", " Error in the line   0 of segment: ", ""},
      {"a,b,2\n1,2\n3;4\n", " Error in the line   3 of segment: ", ""},
      {"A,B,2,2.5,41.3,3,4\n", " Error in the line   1 of segment: ",
       "this BNA format is not supported (a$,b$,n(<>1),x,y,......,x,y) "},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa,b,1\n",
       "Checking BNA file", "Line too long, Max. 80 characters "},
      {"a,b,3\n1,2\n", "The file ends inside an object: line 2 of ", ""},
      {"a,b,2\n\"499750\",\"4500000\"\n\"\",\"4510000\"\n", "Unreadable number: line 3 of ", ""},
      {"a,b,3\n1,2\n3,4\n5,6\nc,d,3\n1,2\n3,4\n5,6\n", "", ""},
  };
  for (const auto& c : cases) {
    RunState state;
    ScriptedUi ui;
    const std::string in = Bna(c.text), status = c.status;
    state.InputError = status.empty();  // the check sets or clears it
    CheckBnaFile(in, state, ui);
    EXPECT_EQ(ui.status, status.ends_with("of ") ? status + in : status) << c.text;
    EXPECT_EQ(ui.messages.size(), *c.message ? 1u : 0u) << c.text;
    if (*c.message && !ui.messages.empty()) {
      EXPECT_EQ(ui.messages[0].text, c.message);
      EXPECT_EQ(ui.messages[0].title, "Test BNA");
      EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
    }
    EXPECT_EQ(state.InputError, status.empty() ? 0 : 1) << c.text;
    EXPECT_EQ(ui.shownStatistics.has_value(), status.empty()) << c.text;
    if (status.empty()) {
      EXPECT_EQ(ui.progressCount, 8);
      EXPECT_EQ(state.BnaObjectCount, 2);
    }
  }
}

TEST(LineError, TextAndFlag) {
  RunState state;
  ScriptedUi ui;
  state.InputFileName = "c:\\a.dat";
  ReportLineError(12, state, ui);
  EXPECT_EQ(ui.status, "Error in the line:  12 of c:\\a.dat");
  EXPECT_EQ(state.InputError, 1);
}

class KmlFlow : public BnaFlow {
 protected:
  void Files(const std::string& input, const std::string& name, const std::string& outName) {
    inputPath = dir.Write(name, input);
    outputPath = dir.File(outName);
    ui.inputFiles.push_back(inputPath);
    ui.outputFiles.push_back(outputPath);
  }
  std::string Output() const { return TempDir::Read(outputPath); }
  bool Has(const std::string& part) const { return Output().find(part) != std::string::npos; }

  std::string inputPath, outputPath;
};

TEST_F(KmlFlow, BnaToKmlWritesTheChosenStyleAndForgetsIt) {
  Files("A,B,1,-3.5,41.25\n", "in.bna", "out.kml");
  KmlStyleChoice choice;
  choice.LabelChoice = 2;
  ui.kmlStyleAnswers.push_back(choice);
  BnaToKml(0, state, ui);
  EXPECT_EQ(ui.filters,
            "All files (*.*)|*.*|BNA (*.bna)|*.bna|GEBCO (*.asc)|*.asc|GOOGLE EARTH KML "
            "(*.kml)|*.kml");
  EXPECT_EQ(ui.inputFilterIndices, std::vector<int>{2});
  EXPECT_EQ(ui.outputFilterIndices, std::vector<int>{4});
  EXPECT_EQ(ui.status, "kml ready");
  EXPECT_EQ(state.LabelChoice, 2);
  EXPECT_EQ(state.KmlDialogResult, 0);
  ASSERT_TRUE(state.StyleName.ends_with("_map"));
  EXPECT_TRUE(Has("<Document><name>" + outputPath + "</name>"));
  EXPECT_TRUE(Has("<styleUrl>#" + state.StyleName + "</styleUrl>"));
  EXPECT_EQ(ui.kmlForgotten, 1);
  EXPECT_EQ(ui.shownStatistics->XMin, -3.5);
}

TEST_F(KmlFlow, CancelInEitherDialogKeepsTheOldFileAndItsSettings) {
  for (const bool kml : {true, false}) {
    Files("A,B,1,1,2\n", "in.bna", kml ? "old.kml" : "old.xml");
    dir.Write(kml ? "old.kml" : "old.xml", "keep me");
    if (kml) {
      ui.kmlStyleAnswers.push_back(std::nullopt);
      BnaToKml(0, state, ui);
    } else {
      ui.xmlMarkersAnswers.push_back(std::nullopt);
      BnaToXml(0, state, ui);
    }
    EXPECT_EQ(Output(), "keep me");
    EXPECT_EQ(ui.inputFileName, "");
    EXPECT_EQ(ui.outputFileName, "");
    EXPECT_EQ(state.KmlDialogResult, 0);
  }
  EXPECT_EQ(ui.kmlForgotten + ui.xmlForgotten, 0);
  EXPECT_TRUE(ui.unanswered.empty());
}

TEST_F(KmlFlow, FaultyBnaEndsBeforeTheOutputAndTheDialog) {
  for (const bool kml : {true, false}) {
    Files("A,B,3\n1,2\n", "bad.bna", "out");
    ui.outputFiles.clear();
    kml ? BnaToKml(0, state, ui) : BnaToXml(0, state, ui);
    EXPECT_EQ(state.InputError, 1);
  }
  EXPECT_TRUE(ui.outputFilterIndices.empty());
  EXPECT_EQ(ui.kmlShown + ui.xmlShown, 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out")));
}

TEST_F(KmlFlow, BnaToXmlCombinesTheCsvTable) {
  const std::string csv = dir.Write("t.csv", "Line_Id,Survey\nL1,S1\n");
  Files("L1,x,1,1,2\nL2,y,-2\n1,2\n3,4\n", "in.bna", "out.xml");
  ui.xmlMarkersAnswers.push_back(XmlMarkersChoice{1, "#ff8000", "2", true, csv, 1});
  ui.messageAnswers.push_back(MessageAnswer::Ok);  // "L2" is not in the table
  BnaToXml(0, state, ui);
  EXPECT_EQ(ui.outputFilterIndices, std::vector<int>{3});
  EXPECT_EQ(ui.status, "XML ready");
  EXPECT_EQ(ui.xmlForgotten, 1);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "L2");
  EXPECT_EQ(ui.messages[0].title, "line not found");
  EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkCancel);
  EXPECT_TRUE(Has("label=\"L1\" Line_Id=\"L1\" Survey=\"S1\"  />"));

  // Cancel stops the command; the file already there stays.
  Files("L2,y,1,1,2\n", "in.bna", "out.xml");
  ui.xmlMarkersAnswers.push_back(XmlMarkersChoice{1, "", "", true, csv, 1});
  ui.messageAnswers.push_back(MessageAnswer::Cancel);
  BnaToXml(0, state, ui);
  EXPECT_EQ(ui.status, "Stopped");
  EXPECT_TRUE(Has("Survey=\"S1\""));
}

TEST_F(KmlFlow, CsvTablesThatCannotBeUsedAreRefusedWithAMessage) {
  std::string wide;
  for (int i = 0; i <= 60; ++i)
    wide += "c,";
  const struct {
    std::string csvPath;
    int sync;
    const char* words;
  } cases[] = {{dir.File("missing.csv"), 1, "cannot be opened"},
               {dir.Write("wide.csv", wide + "c\n"), 1, "more than 60 columns"},
               {dir.Write("two.csv", "a,b\n"), 5, "between 1 and 2"}};
  for (const auto& c : cases) {
    ui.messages.clear();
    Files("A,B,1,1,2\n", "in.bna", "none.xml");
    ui.xmlMarkersAnswers.push_back(XmlMarkersChoice{1, "", "", true, c.csvPath, c.sync});
    BnaToXml(0, state, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(c.words), std::string::npos) << ui.messages[0].text;
    EXPECT_NE(ui.messages[0].text.find(c.csvPath), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(outputPath));
  }
}

TEST_F(KmlFlow, XmlToKmlReadsOurMarkers) {
  Files(
      "<?xml?>\n<markers>\n<marker lat=\"+1.0\" lng=\"+2.0\" html=\"a\" label=\"a\" />\n"
      "</markers>\n",
      "in.xml", "out.kml");
  XmlToKml(0, state, ui);
  EXPECT_EQ(ui.filters,
            "All files (*.*)|*.*|XML created with zolvane (*.xml)|*.xml|Google KML (*.kml)|*.kml");
  EXPECT_EQ(ui.inputFilterIndices, std::vector<int>{2});
  EXPECT_EQ(ui.outputFilterIndices, std::vector<int>{3});
  EXPECT_EQ(ui.status, "Google KML ready");
  EXPECT_EQ(ui.inputFileName, "");
  EXPECT_TRUE(Has("<Point><coordinates>+2.0,+1.0,0</coordinates></Point>"));

  Files("<?xml?>\n<markers>\n<marker label=\"a\" />\n", "bad.xml", "bad.kml");
  XmlToKml(0, state, ui);
  EXPECT_EQ(ui.status, "Marker without its lat and lng: line 3 of " + inputPath);
  EXPECT_FALSE(std::filesystem::exists(outputPath));
}

// The survey-plan, Geosail and Bridge exports.
using Command = void (*)(int, RunState&, Ui&);

const char* const kPlanLine = "\"S1\",\"two\",-2\r\n-3.25,41.5\r\n10.5,-33.75\r\n";

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

class PlanFlow : public BnaFlow, public ::testing::WithParamInterface<FlowCase> {};

TEST_P(PlanFlow, ConvertsEndToEnd) {
  const FlowCase& c = GetParam();
  const std::string in = dir.Write("in.bna", kPlanLine);
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
  const std::string in = dir.Write("in.bna", kPlanLine);
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
  EXPECT_EQ(TempDir::Read(in), kPlanLine);

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
  ui.inputFiles = {dir.Write("in.bna", kPlanLine)};
  ui.outputFiles = {dir.File("out")};
  BnaToMerlin(2, state, ui);  // no answer: the box is cancelled
  EXPECT_EQ(TempDir::Read(dir.File("out")).substr(0, 16), "DEG\r\n\r\n0 0 0 0\r\n");
  EXPECT_EQ(ui.status, " Finished ,  BNA => PLANNING  ");
}

}  // namespace
}  // namespace zolvane
