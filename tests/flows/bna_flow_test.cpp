// The BNA commands as a user meets them, answered by a scripted window: BNA > XYZ and the
// check, the KML and XML exports and the survey plans.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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
#include "formats/engine_cases.h"

namespace zolvane {
namespace {

using testing::ScriptedUi;
using testing::TempDir;

using Command = void (*)(int, RunState&, Ui&);

using BnaFlow = testing::FlowTest<>;

bool Saw(const ScriptedUi& ui, const std::string& status) {
  return std::find(ui.statusHistory.begin(), ui.statusHistory.end(), status) !=
         ui.statusHistory.end();
}

TEST_F(BnaFlow, AChosenLayoutIsUsedWithoutAskingAgain) {
  state.OutputFormatCode = 13;
  Files("a,b,1\r\n1,2\r\n");
  BnaToXyz(2, state, ui);
  EXPECT_EQ(ui.outputOptionsShown, 0);
  EXPECT_EQ(Output(), "1,2\r\n");
}

// A Cancel at any dialog, a refused output, a missing or faulty input or table, a stop: the old
// output stays, the input is untouched, no temporary is left, and the dialogs after the end are not
// asked.
TEST(FlowEndings, RunsThatEndEarlyKeepTheOldOutput) {
  struct Named {
    const char* what;
    Command command;
    int index;
  };
  const Named xyz{"xyz", &BnaToXyz, 1}, kml{"kml", &BnaToKml, 0}, xml{"xml", &BnaToXml, 0},
      xmlToKml{"xml2kml", &XmlToKml, 0};
  const std::vector<Named> plans = {{"hypack", &BnaToHypack, 2},
                                    {"merlin", &BnaToMerlin, 2},
                                    {"ascii", &BnaToAsciiplan, -1},
                                    {"geosail", &BnaToGeosail, 1},
                                    {"bridge", &BnaToBridgePlan, 2}};
  std::vector<Named> xyzAndPlans = plans, kmlXmlAndPlans = plans;
  xyzAndPlans.push_back(xyz);
  kmlXmlAndPlans.insert(kmlXmlAndPlans.end(), {kml, xml});
  // A CSV table for the XML markers that is missing, of more than 60 columns, or of two whose
  // sync column would be the fifth.
  enum At { kInput, kOutput, kDialog, kSame, kMissing, kFaulty, kStop, kCsv, kWideCsv, kSyncCsv };
  const struct {
    At at;
    std::size_t outputsAsked;
    int dialogsShown;   // the command's own: layout, style, markers
    const char* named;  // the file the one message names ("in" or "missing"); empty: none
    int inputError;
    const char* status;  // its end, when it says so; ending "of ": the input follows
    std::vector<Named> commands;
    const char* words = "";  // in the one message too
  } endings[] = {
      {kInput, 0, 0, "", 0, nullptr, xyzAndPlans},
      {kOutput, 1, 0, "", 0, nullptr, xyzAndPlans},
      {kDialog, 1, 1, "", 0, nullptr, {xyz, kml, xml}},
      {kSame, 1, 0, "in", 0, nullptr, xyzAndPlans},
      {kMissing, 0, 0, "missing", 1, nullptr, {xyz}},
      {kFaulty, 0, 0, "", 1, nullptr, kmlXmlAndPlans},
      {kFaulty, 1, 0, "", 1, "Marker without its lat and lng: line 3 of ", {xmlToKml}},
      // The check reports 12 times, then the conversion starts.
      {kStop, 1, 1, "", 1, "Stopped", {xyz}},
      {kStop, 1, 0, "", 1, "Stopped", plans},
      {kCsv, 1, 1, "t.csv", 0, nullptr, {xml}, "cannot be opened"},
      {kWideCsv, 1, 1, "t.csv", 0, nullptr, {xml}, "more than 60 columns"},
      {kSyncCsv, 1, 1, "t.csv", 0, nullptr, {xml}, "between 1 and 2"},
  };
  std::string longBna = "a,b,-1000\r\n", wide = "c";
  for (int i = 0; i < 1000; ++i)
    longBna += "1,2\r\n";
  for (int i = 0; i < 61; ++i)
    wide += ",c";
  for (const auto& c : endings) {
    for (const Named& named : c.commands) {
      const std::string what = named.what + std::string(" ") + std::to_string(c.at);
      TempDir dir;
      RunState state;
      ScriptedUi ui;
      const bool xml = named.command == &XmlToKml;
      const std::string text = c.at != kFaulty ? longBna
                               : xml           ? "<?xml?>\n<markers>\n<marker label=\"a\" />\n"
                                               : "a,b,-3\n1,2\n";
      const std::string in = dir.Write("in", text), out = dir.Write("out", "previous");
      ui.inputFiles = {c.at == kInput
                           ? std::nullopt
                           : std::optional(dir.File(c.at == kMissing ? "missing" : "in"))};
      ui.outputFiles = {c.at == kOutput ? std::nullopt : std::optional(c.at == kSame ? in : out)};
      if (c.at == kDialog) {
        ui.outputOptionsAnswers = {std::nullopt};
        ui.kmlStyleAnswers = {std::nullopt};
        ui.xmlMarkersAnswers = {std::nullopt};
      } else {
        ui.outputOptionsAnswers = {OutputOptionsChoice{}};
      }
      const bool csv = c.at == kWideCsv || c.at == kSyncCsv;
      if (csv) dir.Write("t.csv", c.at == kWideCsv ? wide + "\n" : "a,b\n");
      if (c.at >= kCsv) {
        ui.xmlMarkersAnswers = {
            XmlMarkersChoice{1, "", "", true, dir.File("t.csv"), c.at == kSyncCsv ? 5 : 1}};
      }
      ui.stopAtProgressCall = c.at == kStop ? 13 : 0;
      named.command(named.index, state, ui);
      EXPECT_EQ(TempDir::Read(out), "previous") << what;
      EXPECT_EQ(TempDir::Read(in), text) << what;
      EXPECT_EQ(dir.Entries(), csv ? 3 : 2) << what;
      EXPECT_EQ(ui.outputFilterIndices.size(), c.outputsAsked) << what;
      EXPECT_EQ(ui.outputOptionsShown + ui.kmlShown + ui.xmlShown, c.dialogsShown) << what;
      EXPECT_EQ(ui.messages.size(), *c.named ? 1u : 0u) << what;
      if (*c.named && !ui.messages.empty()) {
        EXPECT_NE(ui.messages[0].text.find(dir.File(c.named)), std::string::npos) << what;
        EXPECT_NE(ui.messages[0].text.find(c.words), std::string::npos) << what;
      }
      EXPECT_EQ(state.InputError, c.inputError) << what;
      if (c.status) {
        const std::string status = c.status;
        EXPECT_EQ(ui.status, status.ends_with("of ") ? status + in : status) << what;
      }
      if (c.at == kStop) {
        EXPECT_EQ(ui.progressCalls, 13) << what;
      } else if (c.inputError == 0 && c.at < kCsv) {
        // A cancel or a refused output leaves the run state and the panel alone.
        EXPECT_EQ(state.OutputFormatCode, 0) << what;
        EXPECT_EQ(state.BnaPointCount, 0) << what;
        EXPECT_EQ(state.KmlDialogResult, 0) << what;
        // BNA > XYZ names its output before it asks the layout; the KML and XML exports name
        // neither file before they write.
        EXPECT_EQ(ui.outputFileName.empty(), c.at != kDialog || named.command != &BnaToXyz) << what;
        if (named.command == &BnaToKml || named.command == &BnaToXml) {
          EXPECT_EQ(ui.inputFileName, "") << what;
        }
      }
      EXPECT_EQ(ui.kmlForgotten + ui.xmlForgotten, 0) << what;
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
      {"a,b,2\n1,2\n3;4\n", " Error in the line   3 of segment: ", ""},
      {"A,B,2,2.5,41.3,3,4\n", " Error in the line   1 of segment: ",
       "this BNA format is not supported (a$,b$,n(<>1),x,y,......,x,y) "},
      {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa,b,1\n",
       "Checking BNA file", "Line too long, Max. 80 characters "},
      {"a,b,3\n1,2\n", "The file ends inside an object: line 2 of ", ""},
      {"a,b,3\n1,2\n3,4\n5,6\nc,d,3\n1,2\n3,4\n5,6\n", "", ""},
  };
  for (const auto& c : cases) {
    RunState state;
    ScriptedUi ui;
    const std::string in = dir.Write("in.bna", c.text), status = c.status;
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

class KmlFlow : public BnaFlow {
 protected:
  bool Has(const std::string& part) const { return Output().find(part) != std::string::npos; }
};

TEST_F(KmlFlow, BnaToKmlWritesTheChosenStyleAndForgetsIt) {
  Files("A,B,1,-3.5,41.25\n", "in.bna");
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

TEST_F(KmlFlow, BnaToXmlCombinesTheCsvTable) {
  const std::string csv = dir.Write("t.csv", "Line_Id,Survey\nL1,S1\n");
  Files("L1,x,1,1,2\nL2,y,-2\n1,2\n3,4\n", "in.bna");
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
  Files("L2,y,1,1,2\n", "in.bna");
  ui.xmlMarkersAnswers.push_back(XmlMarkersChoice{1, "", "", true, csv, 1});
  ui.messageAnswers.push_back(MessageAnswer::Cancel);
  BnaToXml(0, state, ui);
  EXPECT_EQ(ui.status, "Stopped");
  EXPECT_TRUE(Has("Survey=\"S1\""));
}

TEST_F(KmlFlow, XmlToKmlReadsOurMarkers) {
  Files(
      "<?xml?>\n<markers>\n<marker lat=\"+1.0\" lng=\"+2.0\" html=\"a\" label=\"a\" />\n"
      "</markers>\n",
      "in.xml");
  XmlToKml(0, state, ui);
  EXPECT_EQ(ui.filters,
            "All files (*.*)|*.*|XML created with zolvane (*.xml)|*.xml|Google KML (*.kml)|*.kml");
  EXPECT_EQ(ui.inputFilterIndices, std::vector<int>{2});
  EXPECT_EQ(ui.outputFilterIndices, std::vector<int>{3});
  EXPECT_EQ(ui.status, "Google KML ready");
  EXPECT_EQ(ui.inputFileName, "");
  EXPECT_TRUE(Has("<Point><coordinates>+2.0,+1.0,0</coordinates></Point>"));
}

// BNA > XYZ, the survey-plan, Geosail and Bridge exports, each run as the menu runs it.
TEST(BnaFlows, ConvertEndToEnd) {
  const struct {
    const char* what;
    Command command;
    int index;
    std::string_view outputFilters;  // the list the output dialog sees
    int inputIndex, outputIndex;
    const char* working;  // status while converting; empty: none
    const char* finished;
    const char* expected;
    const char* planName = "Bay plan";  // the box's answer; empty: cancelled
    int layout = 0;                     // the layout answered, which the command leaves in force
    const char* checking = "Checking BNA file";
  } cases[] = {
      {"xyz", &BnaToXyz, 1, kPointFileFilters, 2, 4, " Converting bna to ascii ",
       " Finished  BNA > XYZ ", "41.5 -3.25\r\n-33.75 10.5\r\n", "", 24, " checking bna file "},
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
      {"merlin_unnamed", &BnaToMerlin, 2, kPointFileFilters, 2, 1, "processing",
       " Finished ,  BNA => PLANNING  ",
       "DEG\r\n\r\n0 0 0 0\r\n_LINE L-S1 0 20020110101010 0  "
       "41.50000000 -3.25000000 -33.75000000 10.50000000 \"S1\r\n",
       ""},
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

  for (const auto& c : cases) {
    TempDir dir;
    RunState state;
    ScriptedUi ui;
    const std::string in =
        dir.Write("in.bna", "\"S1\",\"two\",-2\r\n-3.25,41.5\r\n10.5,-33.75\r\n");
    ui.inputFiles = {in};
    ui.outputFiles = {dir.File("out")};
    if (*c.planName) ui.inputBoxAnswers = {c.planName};
    if (c.layout) ui.outputOptionsAnswers = {OutputOptionsChoice{c.layout, false}};
    c.command(c.index, state, ui);

    EXPECT_EQ(TempDir::Read(dir.File("out")), c.expected) << c.what;
    EXPECT_EQ(ui.filters, c.outputFilters) << c.what;
    EXPECT_EQ(ui.inputFilterIndices, std::vector<int>{c.inputIndex}) << c.what;
    EXPECT_EQ(ui.outputFilterIndices, std::vector<int>{c.outputIndex}) << c.what;
    EXPECT_EQ(ui.status, c.finished) << c.what;
    if (*c.working) {
      EXPECT_TRUE(Saw(ui, c.working)) << c.what;
    }
    EXPECT_TRUE(Saw(ui, c.checking)) << c.what;
    EXPECT_EQ(ui.inputFileName, in) << c.what;
    EXPECT_EQ(ui.outputFileName, dir.File("out")) << c.what;
    EXPECT_EQ(ui.shownStatistics.value_or(Statistics{}).YMin, -33.75) << c.what;
    EXPECT_EQ(ui.shownStatistics.value_or(Statistics{}).XMax, 10.5) << c.what;
    // BNA > XYZ leaves its layout (for the dispatch to reset) and the last header's count.
    EXPECT_EQ(state.OutputFormatCode, c.layout) << c.what;
    EXPECT_EQ(state.BnaPointCount, c.layout ? -2 : 0) << c.what;
    EXPECT_TRUE(ui.messages.empty()) << c.what;
    EXPECT_TRUE(ui.unanswered.empty()) << c.what;
  }
}

}  // namespace
}  // namespace zolvane
