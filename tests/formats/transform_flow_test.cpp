// The Geo/UTM file commands as the main window runs them, answered from a script.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/number_format.h"
#include "core/services.h"
#include "formats/engine_cases.h"
#include "formats/xyz/transform_files.h"
#include "formats/xyz/xyz_reader.h"
#include "geo/utm.h"

namespace zolvane {
namespace {

using testing::TempDir;

class TransformFlow : public testing::FlowTest<> {
 protected:
  // Scripts one XYZ run: the files and the two layout dialogs.
  void Script(const std::string& input, int inCode, int outCode, bool distances = false,
              bool statistics = false) {
    Files(input, "in.dat");
    ui.inputOptionsAnswers.push_back(InputOptionsChoice{inCode, statistics});
    ui.outputOptionsAnswers.push_back(OutputOptionsChoice{outCode, distances});
  }
  void Zone(int zone) { ui.zoneAnswers.push_back(ZoneChoice{zone, CentralMeridianOfZone(zone)}); }
};

TEST_F(TransformFlow, GeoToUtmAsksEllipsoidAndZoneAndResetsTheCodes) {
  state.GeoToUtmMode = 1;
  Script("2,41,100\r\n", 11, 11);
  Zone(31);
  TransformXyzFile(state, ui);
  EXPECT_EQ(Output(), "415897,4539238,100\r\n");
  EXPECT_EQ(testing::MessagesOf(ui),
            (testing::Shown{{"Default is WGS84, change to ED50?", "Ellipsoid",
                             MessageIcon::Question, MessageButtons::YesNo}}));
  EXPECT_EQ(state.SemiMajorAxis, kWgs84.SemiMajorAxis);
  EXPECT_EQ(ui.zoneShown, 1);
  EXPECT_EQ(testing::DialogsOf(ui), (testing::FileDialogs{kPointFileFilters, {4}, {4}}));
  EXPECT_EQ(ui.status, " Finished  XYZ > XYZ ");
  EXPECT_EQ(state.InputFormatCode, 0);
  EXPECT_EQ(state.OutputFormatCode, 0);

  // Yes selects ED50.
  ui.messageAnswers.push_back(MessageAnswer::Yes);
  state.UtmZone = 0;
  Script("2,41,100\n", 11, 11);
  Zone(31);
  TransformXyzFile(state, ui);
  EXPECT_EQ(Output(), "415894,4539317,100\r\n");
  EXPECT_EQ(state.SemiMinorAxis, kEd50.SemiMinorAxis);
}

TEST_F(TransformFlow, UtmToGeoReusesTheZoneOrAsksForOne) {
  state.UtmToGeoMode = 1;
  state.UtmZone = 31;
  state.CentralMeridian = 3;
  Script("415897,4539238,100\n", 11, 11);
  TransformXyzFile(state, ui);
  EXPECT_EQ(ui.zoneShown, 0);
  EXPECT_EQ(Output(), "001.9999898,40.9999946,100\r\n");

  state.UtmZone = 0;
  Script("500000 0 1\n", 21, 21);
  Zone(30);
  TransformXyzFile(state, ui);
  EXPECT_EQ(ui.zoneShown, 1);
  EXPECT_EQ(Output(), "-003.0000000 00.0000000 1\r\n");
}

TEST_F(TransformFlow, RewritingReordersByRoleAndDropsOrEmptiesZ) {
  const struct {
    const char* input;
    int in, out;
    const char* expected;
  } cases[] = {
      {"2,41,100\n", 11, 22, "41 2 100\r\n"},
      {"1 2 3\n4 5 6\n", 21, 13, "1,2\r\n4,5\r\n"},
      {"1\t2\n", 33, 11, "1,2,\r\n"},
      {"1,2,3\n", 11, 34, "2\t1\r\n"},
      {"1.50,\"2\",abc\n", 11, 21, "1.5 2 abc\r\n"},  // comma texts are copied
      {"1 2 3\n\n4 5 6\n", 21, 21, "1 2 3\r\n"},
  };
  for (const auto& c : cases) {
    Script(c.input, c.in, c.out);
    TransformXyzFile(state, ui);
    EXPECT_EQ(Output(), c.expected) << c.input;
  }
  // The one message says what the blank line left unread.
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text,
            "A blank line ends the data: 1 line after it was left unread: line 2 of " + inputPath);
  EXPECT_EQ(ui.zoneShown, 0);
}

TEST_F(TransformFlow, DistanceColumns) {
  Script("500000,4000000\n500300,4000400\n500300,4000400\n", 13, 13, true);
  TransformXyzFile(state, ui);
  EXPECT_EQ(Output(),
            "500000,4000000, 0 , 0 \r\n500300,4000400, 500 , 500 \r\n"
            "500300,4000400, 0 , 500 \r\n");
  EXPECT_EQ(state.SemiMajorAxis, 0);  // metric points need no ellipsoid

  // Degrees are projected on the meridian in force, 0 when no zone was chosen.
  Script("0 0\n0 1\n", 23, 23, true);
  TransformXyzFile(state, ui);
  EXPECT_EQ(Output(), "0 0  0   0 \r\n0 1  110530   110530 \r\n");
  EXPECT_EQ(ui.zoneShown, 0);
  EXPECT_EQ(state.SemiMajorAxis, kWgs84.SemiMajorAxis);
}

TEST_F(TransformFlow, CancelledDialogsEndSilently) {
  ui.inputFiles.push_back(std::nullopt);
  TransformXyzFile(state, ui);
  EXPECT_EQ(ui.inputOptionsShown, 0);

  inputPath = dir.Write("in.dat", "1,2,3\n");
  ui.inputFiles.push_back(inputPath);
  ui.inputOptionsAnswers.push_back(std::nullopt);
  TransformXyzFile(state, ui);
  EXPECT_TRUE(ui.outputFilterIndices.empty());

  ui.inputFiles.push_back(inputPath);
  ui.inputOptionsAnswers.push_back(InputOptionsChoice{11, false});
  ui.outputFiles.push_back(std::nullopt);
  TransformXyzFile(state, ui);
  EXPECT_EQ(ui.outputOptionsShown, 0);
  EXPECT_EQ(state.InputFormatCode, 0);

  // An output over the input is refused.
  inputPath = dir.Write("in.dat", "2,41,100\n");
  ui.inputFiles.push_back(inputPath);
  ui.outputFiles.push_back(inputPath);
  ui.inputOptionsAnswers.push_back(InputOptionsChoice{11, false});
  TransformXyzFile(state, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(TempDir::Read(inputPath), "2,41,100\n");

  state.GeoToUtmMode = 1;
  Script("2,41,100\n", 11, 11);
  ui.zoneAnswers.push_back(std::nullopt);
  TransformXyzFile(state, ui);
  EXPECT_FALSE(OutputExists());
  EXPECT_EQ(ui.status, "STATUS");
  EXPECT_EQ(state.OutputFormatCode, 0);
  EXPECT_TRUE(ui.unanswered.empty());
}

TEST_F(TransformFlow, ReaderFaultsStopWithTheLineAndKeepTheOldOutput) {
  dir.Write("out-in.dat", "keep me");
  Script("1 2 3\n4 5\n6 7 8\n", 21, 11);
  TransformXyzFile(state, ui);
  EXPECT_EQ(ui.status, "Error in the line:  2 of " + inputPath);
  EXPECT_EQ(state.InputError, 1);
  EXPECT_EQ(Output(), "keep me");

  // With statistics the pre-scan finds it before anything is written.
  std::filesystem::remove(outputPath);
  Script("1 2 3\n4 5 6\n7\n", 21, 11, false, true);
  TransformXyzFile(state, ui);
  EXPECT_EQ(ui.status, "Error in the line:  3 of " + inputPath);
  EXPECT_FALSE(OutputExists());
  EXPECT_NE(std::find(ui.statusHistory.begin(), ui.statusHistory.end(), " Checking ascii file "),
            ui.statusHistory.end());
}

TEST_F(TransformFlow, CommaFileEndingInsideAPointKeepsThePointsBefore) {
  Script("1,2,3\n4,5,6\n7,8\n", 11, 11, false, true);
  TransformXyzFile(state, ui);
  EXPECT_EQ(Output(), "1,2,3\r\n4,5,6\r\n");
  EXPECT_EQ(ui.status, "The file ends inside a point, which was left out: line 3 of " + inputPath);
  EXPECT_EQ(ui.shownStatistics->XMax, 4);
}

TEST_F(TransformFlow, BnaLinesToPoints) {
  state.ToPointsMode = 1;
  Files("\"A\",\"B\",2\n1.5,2\n3,4\n\"C\",\"D\",-1\n5,6\n", "in.bna");
  TransformBnaFile(state, ui);
  EXPECT_EQ(Output(), "\"A\",\"B\",1,1.5,2\r\n\"A\",\"B\",1,3,4\r\n\"C\",\"D\",1,5,6\r\n");
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.status, " Finished   BNA => BNA ");
  EXPECT_EQ(state.ToPointsMode, 0);
  EXPECT_EQ(ui.inputFilterIndices, std::vector<int>{2});
}

TEST_F(TransformFlow, BnaProjectionsOfBothForms) {
  state.GeoToUtmMode = 1;
  Files("\"A\",\"B\",-3\n2,41\n3,0\n2,41\n", "in.bna");
  Zone(31);
  TransformBnaFile(state, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "Default is WGS-84, do you like to change to ED-50");
  EXPECT_EQ(Output(), "\"A\",\"B\",-3\r\n415897,4539238\r\n500000,0\r\n415897,4539238\r\n");

  // UTM > Geo keeps the zone and writes seven decimals without the pattern's zeros.
  state.GeoToUtmMode = 0;
  state.UtmToGeoMode = 1;
  Files("\"P\",\"Q\",1,500000,0\n\"R\",\"S\",1,415897,4539238\n", "points.bna");
  TransformBnaFile(state, ui);
  EXPECT_EQ(ui.zoneShown, 1);
  EXPECT_EQ(Output(), "\"P\",\"Q\",1,3,0\r\n\"R\",\"S\",1,1.9999898,40.9999946\r\n");

  // A file mixing both forms keeps each object's form.
  state.UtmToGeoMode = 0;
  state.GeoToUtmMode = 1;
  Files("\"A\",\"B\",2\n2,41\n3,0\n\"P\",\"Q\",1,2,41\n\"C\",\"D\",-2\n3,0\n2,41\n", "mixed.bna");
  Zone(31);
  TransformBnaFile(state, ui);
  EXPECT_EQ(Output(),
            "\"A\",\"B\",2\r\n415897,4539238\r\n500000,0\r\n\"P\",\"Q\",1,415897,4539238\r\n"
            "\"C\",\"D\",-2\r\n500000,0\r\n415897,4539238\r\n");
}

TEST_F(TransformFlow, InvalidBnaEndsAfterTheCheck) {
  state.GeoToUtmMode = 1;
  Files("\"A\",\"B\",3\n1,2\n", "in.bna");
  TransformBnaFile(state, ui);
  EXPECT_EQ(state.InputError, 1);
  EXPECT_TRUE(ui.outputFilterIndices.empty());
  EXPECT_NE(ui.status.find(inputPath), std::string::npos);
}

}  // namespace
}  // namespace zolvane
