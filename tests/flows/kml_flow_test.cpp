// BNA => KML, BNA => XML and XML => KML as the main window runs them, answered from a script.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "formats/bna/bna_to_kml.h"
#include "formats/bna/bna_to_xml.h"
#include "formats/bna/xml_to_kml.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace zolvane {
namespace {

using testing::TempDir;

class KmlFlow : public ::testing::Test {
 protected:
  void Files(const std::string& input, const std::string& name, const std::string& outName) {
    inputPath = dir.Write(name, input);
    outputPath = dir.File(outName);
    ui.inputFiles.push_back(inputPath);
    ui.outputFiles.push_back(outputPath);
  }
  std::string Output() const { return TempDir::Read(outputPath); }
  bool Has(const std::string& part) const { return Output().find(part) != std::string::npos; }

  TempDir dir;
  testing::ScriptedUi ui;
  RunState state;
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

}  // namespace
}  // namespace zolvane
