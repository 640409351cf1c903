// Swath coverage and towed-vehicle positions: the course rule they share, their passes and
// their command flows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/services.h"
#include "formats/engine_cases.h"
#include "survey/course.h"
#include "survey/swath_coverage.h"
#include "survey/towed_vehicle.h"

namespace zolvane {
namespace {

TEST(Course, QuadrantsNudgesAndTheNorthCase) {
  const struct {
    double x0, y0, x1, y1, course, nudgedX0, nudgedY0;
  } cases[] = {
      {5, 5, 5, 5, 0, 5, 5},                   // standing still
      {0, 0, 100, 0, 90, 0, 0.000001},         // due east: Y nudged
      {100, 0, 100, 100, 360, 100.000001, 0},  // due north rounds to 360
      {0, 100, 0, 0, 180, 0.000001, 100},
      {100, 0, 0, 0, 270, 100, 0.000001},
      {0, 0, 30, 40, 37, 0, 0},
      {0, 0, -1, -1, 225, 0, 0},
      {0, 0, 1, -1, 135, 0, 0},
      {0, 0, -1, 1, 315, 0, 0},
  };
  for (const auto& c : cases) {
    double x0 = c.x0, y0 = c.y0;
    EXPECT_EQ(CourseOverGround(x0, y0, c.x1, c.y1), c.course) << c.x1 << "," << c.y1;
    EXPECT_EQ(x0, c.nudgedX0);
    EXPECT_EQ(y0, c.nudgedY0);
  }
}

std::string Swath(const std::string& input, int layout, bool coefficient, double factor) {
  const auto [result, out] = testing::RunPass(input, [&](auto& in, auto& out) {
    return CoverSwath(in, out, {layout, coefficient, factor}, {});
  });
  EXPECT_EQ(result.status, PassStatus::Done) << result.reason;
  return out;
}

TEST(Swath, APolygonPerSegmentOfEachLine) {
  const struct {
    const char* input;
    int layout;
    bool coefficient;
    double factor;
    const char* bna;
  } cases[] = {
      // Moved off 0,0, which would separate lines.
      {"1000,1000\n1100,1000\n1100,1100\n", 13, false, SwathFactor(20, false),
       "\" 10\",\" 10\",5\r\n1000,1010.000001\r\n1100,1010\r\n1100,990\r\n1000,990.000001\r\n"
       "1000,1010.000001\r\n\" 10\",\" 10\",5\r\n1110.000001,1000\r\n1110,1100\r\n1090,1100\r\n"
       "1090.000001,1000\r\n1110.000001,1000\r\n"},
      // Degrees, coefficient 1, depth 100: 100 x 0.5 x 0.00000899.
      {"2,41,100\n2.001,41,100\n", 11, true, SwathFactor(1, true),
       "\" .0004495\",\" .0004495\",5\r\n2,41.0004505\r\n2.001,41.0004495\r\n2.001,40.9995505\r\n"
       "2,40.9995515\r\n2,41.0004505\r\n"},
      // No polygon across the separator 0,0,0.
      {"1,1,5\n2,2,5\n0,0,0\n10,10,5\n11,11,5\n", 11, false, 1,
       "\" 1\",\" 1\",5\r\n1.70710678118655,0.292893218813452\r\n"
       "0.292893218813453,1.70710678118655\r\n1.29289321881345,2.70710678118655\r\n"
       "2.70710678118655,1.29289321881345\r\n1.70710678118655,0.292893218813452\r\n"
       "\" 1\",\" 1\",5\r\n10.7071067811865,9.29289321881345\r\n"
       "9.29289321881345,10.7071067811865\r\n10.2928932188135,11.7071067811865\r\n"
       "11.7071067811865,10.2928932188135\r\n10.7071067811865,9.29289321881345\r\n"},
      {"1,1,5\n0,0,0\n10,10,5\n0,0,0\n", 11, false, 1, ""},  // one-point lines
      // 0,0 with a depth is a point; the tiny residues keep the plain decimal form.
      {"0,0,5\n1,0,5\n", 11, false, 1,
       "\" 1\",\" 1\",5\r\n0.00000000000000161554457443259,1.000001\r\n1,1\r\n"
       "0.999999999999998,-1\r\n-0.00000000000000161554457443259,-0.999999\r\n"
       "0.00000000000000161554457443259,1.000001\r\n"},
      // Two identical points: course 0, a segment of 2W along X through the point.
      {"5,5,1\n5,5,1\n", 11, false, 2, "\" 2\",\" 2\",5\r\n7,5\r\n3,5\r\n3,5\r\n7,5\r\n7,5\r\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Swath(c.input, c.layout, c.coefficient, c.factor), c.bna) << c.input;
}

auto Towed(float layback, float maximum = 10000) {
  return [=](auto& in, auto& out) {
    return CorrectTowedPositions(in, out, {layback, maximum}, {});
  };
}

TEST(Towed, VehicleBehindTheShipInEveryQuadrantOrStopsAtABadRecord) {
  const std::string head = "\"X_ship - Y_ship - X_sonar - Y_sonar - layback - label \"\r\n";
  testing::ExpectRows(
      Towed(10),
      {
          {"0,0,5,a\n100,0,5,b\n", head + "100,0,90,0,10,\"b\"\r\n"},              // east
          {"0,0,5,a\n0,100,5,\"north\"\n", head + "0,100,0,90,10,\"north\"\r\n"},  // 360
          {"0,100,5,a\n0,0,5,b\n", head + "0,0,0,10,10,\"b\"\r\n"},                // south
          {"0,0,5,a\n30,40,5,b\n", head + "30,40,23,32,10,\"b\"\r\n"},             // course 37
          {"5,1000,5,a\n5,1000,5,b\n", head + "5,1000,4,990,10,\"b\"\r\n"},  // standing: south
          {"0,0,5,only\n", head},
          {"0,0,5,a\n1,x,5,b\n", "Unreadable number", 2},
          {"0,0,5,a\n1,2\n", "The file ends inside a record", 2},
      });
  // The layback of the file.
  testing::ExpectRows(Towed(0), {{"0,0,7.5,a\n1000,0,7.5,b\n", head + "1000,0,992,0,7,\"b\"\r\n"}});
  testing::ExpectRows(Towed(0, 50),
                      {
                          // A jump on the last record: still written, from a standing start.
                          {"0,0,5,a\n10,0,5,b\n1000,0,5,c\n",
                           head + "10,0,5,0,5,\"b\"\r\n1000,0,1000,-5,5,\"c\"\r\n"},
                          // A jump inside the track: nothing across it.
                          {"0,0,5,a\n1000,0,5,b\n1010,0,5,c\n", head + "1010,0,1005,0,5,\"c\"\r\n"},
                      });
}

using SurveyFlow = testing::FlowTest<>;

TEST_F(SurveyFlow, SwathAsksItsDialogsInOrderAndFinishesWithABox) {
  ui.swathAnswers.push_back(SwathChoice{false, false, 20});
  Files("10,10\n100,10\n");
  ui.inputOptionsAnswers.push_back(InputOptionsChoice{13, false});
  BnaSwath(0, state, ui);
  EXPECT_EQ(state.SwathMethod, 2);
  EXPECT_EQ(state.SwathFactor, 10);
  EXPECT_EQ(
      testing::DialogsOf(ui),
      (testing::FileDialogs{"All files (*.*)|*.*|BNA (*.bna)|*.bna|XYZ (*.dat)|*.dat|", {3}, {2}}));
  EXPECT_EQ(testing::MessagesOf(ui),
            (testing::Shown{{" Finished ", " xYZ => XYZ_SWATH  ", MessageIcon::Information,
                             MessageButtons::Ok}}));
  EXPECT_TRUE(Output().starts_with("\" 10\",\" 10\",5\r\n")) << Output();

  // Cancel ends at once.
  ui.swathAnswers.push_back(std::nullopt);
  BnaSwath(0, state, ui);
  EXPECT_EQ(state.SwathMethod, 3);
}

TEST_F(SurveyFlow, SwathCoefficientWithoutZWarnsAndCancelEnds) {
  for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
    ui = {};
    ui.swathAnswers.push_back(SwathChoice{true, false, 1});
    Files("10,10\n100,10\n");
    ui.inputOptionsAnswers.push_back(InputOptionsChoice{13, false});
    ui.messageAnswers.push_back(answer);
    std::filesystem::remove(outputPath);
    BnaSwath(0, state, ui);
    ASSERT_GE(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(OutputExists(), answer == MessageAnswer::Ok);
    if (answer == MessageAnswer::Ok) {
      EXPECT_TRUE(Output().starts_with("\" 0\",\" 0\",5\r\n")) << Output();
    }
  }
}

TEST_F(SurveyFlow, FaultsNameTheFileAndLineAndLeaveNoOutput) {
  ui.swathAnswers.push_back(SwathChoice{false, false, 20});
  Files("0,0,1\n1,abc,1\n");
  ui.inputOptionsAnswers.push_back(InputOptionsChoice{11, false});
  BnaSwath(0, state, ui);
  EXPECT_EQ(ui.status, "Unreadable number: line 2 of " + inputPath);
  EXPECT_FALSE(OutputExists());

  ui.laybackAnswers.push_back(LaybackChoice{false, 1, 10000});
  Files("0,0,5,a\n1,2,3\n");
  TowedVehicle(0, state, ui);
  EXPECT_EQ(ui.status, "The file ends inside a record: line 2 of " + inputPath);
  EXPECT_FALSE(OutputExists());
}

TEST_F(SurveyFlow, TowedRefusesANegativeLaybackAndReportsItsEnd) {
  ui.laybackAnswers.push_back(LaybackChoice{true, -5, 10000});
  TowedVehicle(0, state, ui);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_TRUE(ui.inputFilterIndices.empty());
  EXPECT_EQ(state.LaybackValue, -1);

  ui.laybackAnswers.push_back(LaybackChoice{true, 10, 500});
  Files("0,0,5,a\n100,0,5,b\n");
  TowedVehicle(0, state, ui);
  EXPECT_EQ(state.LaybackValue, 10);
  EXPECT_EQ(state.LaybackMaximum, 500);
  EXPECT_EQ(testing::DialogsOf(ui),
            (testing::FileDialogs{"All files (*.*)|*.*|XYZ (*.dat)|*.dat", {2}, {1}}));
  EXPECT_EQ(ui.statusHistory.front(), " Calculating corrected positions ");
  EXPECT_EQ(ui.status, " Created file with positions for towed vehicle ");
  EXPECT_NE(Output().find("100,0,90,0,10,\"b\""), std::string::npos);
}

}  // namespace
}  // namespace zolvane
