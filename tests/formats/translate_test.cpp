#include "formats/xyz/translate.h"

#include <gtest/gtest.h>

#include <cmath>

#include "formats/engine_cases.h"

namespace zolvane {
namespace {

TEST(DisplacementOf, UnitsAndComponents) {
  const Displacement east = DisplacementOf({1, true, 90});
  EXPECT_EQ(east.distance, 1000);
  EXPECT_NEAR(east.dx, 1000, 1e-9);
  EXPECT_LT(std::fabs(east.dy), 1e-4);
  const Displacement north = DisplacementOf({1, false, 0});
  EXPECT_EQ(north.distance, 1852);
  EXPECT_EQ(north.dy, 1852.0f);
  EXPECT_EQ(north.dx, 0);
  EXPECT_NEAR(DisplacementOf({2, true, 360}).dy, 2000, 1e-3);
  // The north component is kept in single precision.
  EXPECT_EQ(DisplacementOf({1.234567, true, 33}).dy, 1035.39501953125f);
}

class TranslateFlow : public testing::FlowTest<> {
 protected:
  void Script(const std::string& input, int inCode, int outCode, TranslateChoice choice) {
    Files(input);
    ui.translateAnswers.push_back(choice);
    ui.inputOptionsAnswers.push_back(InputOptionsChoice{inCode, false});
    ui.outputOptionsAnswers.push_back(OutputOptionsChoice{outCode, false});
  }
};

TEST_F(TranslateFlow, MetresShiftEveryPointDegreesGoThroughTheZone) {
  Script("100 200 5\n", 21, 21, {1, true, 90});
  TranslateXyzFile(2, state, ui);
  // cos 90 with the dialog's pi is not quite 0: Y moves by about 1.6e-12.
  EXPECT_EQ(Output(), "1100 200.000000000002 5\r\n");
  EXPECT_EQ(ui.zoneShown, 0);
  EXPECT_EQ(ui.status, " Finished translation");
  EXPECT_EQ(state.TranslateDistance, 1000);
  EXPECT_EQ(state.SemiMajorAxis, kWgs84.SemiMajorAxis);
  EXPECT_EQ(state.InputFormatCode, 0);

  Script("10,20,1\n", 11, 11, {1, false, 0});
  TranslateXyzFile(2, state, ui);
  EXPECT_EQ(Output(), "10,1872,1\r\n");

  // Degrees go through the zone and back.
  state.UtmZone = 30;  // cleared by the command: the zone is always asked
  Script("2,41,7\n", 11, 11, {1, true, 0});
  ui.zoneAnswers.push_back(ZoneChoice{31, 3});
  TranslateXyzFile(1, state, ui);
  EXPECT_EQ(ui.zoneShown, 1);
  EXPECT_EQ(Output(), "001.9998536,41.0090015,7\r\n");  // 1000 m north of 415897,4539238
  EXPECT_EQ(state.UtmZone, 31);
}

TEST_F(TranslateFlow, NoPositiveDistanceAsksNothingElse) {
  ui.translateAnswers.push_back(TranslateChoice{0, true, 45});
  ui.translateAnswers.push_back(TranslateChoice{-3, true, 45});
  ui.translateAnswers.push_back(std::nullopt);
  for (int i = 0; i < 3; ++i)
    TranslateXyzFile(1 + i % 2, state, ui);
  EXPECT_TRUE(ui.inputFilterIndices.empty());
  EXPECT_TRUE(ui.unanswered.empty());
}

}  // namespace
}  // namespace zolvane
