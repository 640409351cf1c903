// Distance-time, parallel lines, rotation, circles, the interpolator and the filters, run as
// the main window runs them, answered from a script.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "core/number_format.h"
#include "core/numbers.h"
#include "formats/bna/bna_reader.h"
#include "formats/engine_cases.h"
#include "geo/utm.h"
#include "survey/distance_time.h"
#include "survey/graphic_interpolator.h"
#include "survey/plan_lines.h"
#include "survey/xyz_filters.h"

namespace zolvane {
namespace {

using testing::SplitLines;

const std::string kRule(63, '_');

using PlanningFlow = testing::FlowTest<>;

TEST_F(PlanningFlow, DistanceTimeReport) {
  // Speeds at which the line of 29.88 miles takes 65.5 minutes and the transit 65.25.
  Files("\"A\",\"B\",2\n0,0\n0,0.5\n\"C\",\"D\",1,0,1\n", "plan.bna");
  ui.distanceTimeAnswers.push_back(DistanceTimeChoice{27.3727876567231, 27.4777004348628, false});
  DistanceTimeEstimate(1, state, ui);
  const std::vector<std::string> expected = {
      "Sailing speed in the line:  27.3727876567231  Kn., Between lines:  27.4777004348628  Kn. ",
      "",
      "\"A  B\"",
      " 00 00.0000S  000 00.0000W 001  nm.",
      " 00 30.0000N  000 00.0000W 002  029.88nm.",
      "LINE  Time (P/A) = 1:5 / 1:5 hours     N.Miles = 29.88",
      kRule,
      "",
      "\"C  D\"",
      "",
      "TRANSIT  Time (P/A) = 1:05 / 2:10 hours      Dist. between lines= 029.88",
      "",
      " 01 00.0000N  000 00.0000W 001  029.88nm.",
      "LINE  Time (P/A) = 0:0 / 2:10 hours     N.Miles = 0.00",
      kRule,
      "Total Time: 2:10 hours    N.Miles = 59.76",
      kRule,
  };
  EXPECT_EQ(SplitLines(Output()), expected);
  EXPECT_EQ(ui.status, "   Finished   BNA => ESTIMATED TIME  ");
  EXPECT_EQ(ui.inputFilterIndices, std::vector<int>{2});
  EXPECT_EQ(ui.outputFilterIndices, std::vector<int>{1});
  EXPECT_EQ(ui.filters.substr(0, 19), "Al files (*.*)|*.*|");
  EXPECT_EQ(state.CentralMeridian, 3);  // from the first point, kept
  EXPECT_EQ(state.SemiMajorAxis, kWgs84.SemiMajorAxis);
}

TEST_F(PlanningFlow, DistanceTimeSpeedsMeridianAndEllipsoid) {
  const std::string plan = "\"A\",\"B\",-2\n-3.5,-41\n-3.5,-43\n";
  // A speed read as 0 becomes .1; a meridian already chosen is kept; ED50 measures otherwise.
  Files(plan, "a.bna");
  ui.distanceTimeAnswers.push_back(DistanceTimeChoice{0, 0, false});
  DistanceTimeEstimate(1, state, ui);
  const std::string wgs = Output();
  EXPECT_EQ(SplitLines(wgs)[0], "Sailing speed in the line:  .1  Kn., Between lines:  .1  Kn. ");
  EXPECT_EQ(SplitLines(wgs)[3], "- 41 00.0000S - 003 30.0000W 001  nm.");
  EXPECT_EQ(state.CentralMeridian, -3);
  EXPECT_EQ(state.LineSpeed, 0.1);

  Files(plan, "b.bna");
  ui.distanceTimeAnswers.push_back(DistanceTimeChoice{5, 5, true});
  DistanceTimeEstimate(1, state, ui);
  EXPECT_EQ(state.SemiMajorAxis, kEd50.SemiMajorAxis);
  EXPECT_NE(SplitLines(Output())[4], SplitLines(wgs)[4]);

  state.CentralMeridian = 9;
  std::istringstream in(plan);
  std::ostringstream zoned, derived;
  EXPECT_EQ(EstimateDistanceTime(in, zoned, {5, 5, kWgs84, 9}, {}).centralMeridian, 9);
  in.clear();
  in.seekg(0);
  EXPECT_EQ(EstimateDistanceTime(in, derived, {5, 5, kWgs84, 0}, {}).centralMeridian, -3);
  EXPECT_NE(zoned.str(), derived.str());
}

TEST_F(PlanningFlow, FaultsStopWithTheFileAndLineAndNoOutput) {
  const std::vector<testing::Row> faults = {
      {"\"A\",\"B\",2\n0,0\nabc,1\n", "Unreadable number", 3},
      {"\"A\",\"B\",2\n0,0\n", "The file ends inside an object", 2},
      {"\"A\",\"B\",2\n0,0\n1\n", "Coordinate line without a comma", 3},
      {"\"A\",\"B\",1,x,1\n", "Unreadable number", 1},
      {"\"A\",\"B\",2\n\"0\",\"0\"\n\" \",\"1\"\n", "Unreadable number", 3},
  };
  testing::ExpectRows([](auto& in, auto& out) { return EstimateDistanceTime(in, out, {}, {}); },
                      faults);
  testing::ExpectRows([](auto& in, auto& out) { return RotateBnaRecords(in, out, {}, {}); },
                      faults);
  testing::ExpectRows([](auto& in, auto& out) { return ClipBnaRecords(in, out, {}, {}); }, faults);
  // Through the window: the checked file still holds a number it cannot read.
  Files(faults[0].input, "bad.bna");
  ui.distanceTimeAnswers.push_back(DistanceTimeChoice{});
  DistanceTimeEstimate(1, state, ui);
  EXPECT_EQ(ui.status, "Unreadable number: line 3 of " + inputPath);
  EXPECT_FALSE(OutputExists());
  EXPECT_EQ(state.InputError, 1);

  // Stopped halfway: no partial output either.
  std::string many = "\"A\",\"B\",-400\n";
  for (int i = 0; i < 400; ++i)
    many += "1,2\n";
  Files(many, "many.bna");
  ui.rotateAnswers.push_back(RotateChoice{});
  ui.stopAtProgressCall = 1;
  RotateBna(9, state, ui);
  EXPECT_EQ(ui.status, "Stopped");
  EXPECT_FALSE(OutputExists());
}

TEST_F(PlanningFlow, ParallelLinesInMetresAndDegrees) {
  const auto run = [&](ParallelChoice choice) {
    outputPath = dir.File("parallel.bna");
    ui.outputFiles.push_back(outputPath);
    ui.parallelAnswers.push_back(choice);
    CreateParallelLines(8, state, ui);
    return SplitLines(Output());
  };
  // The bytes are the engine's (the CLI table has them); two lines a side reach the check.
  run({false, "0", "0", "0", "1000", 100, 2});
  EXPECT_EQ(ui.status, "Parallel BNA file >> Created");
  EXPECT_EQ(ui.filters, "BNA (*.bna)|*.bna");
  // The whole file passes the check, its quoted coordinates read as their numbers.
  CheckBnaFile(outputPath, state, ui);
  EXPECT_EQ(state.InputError, 0) << ui.status;
  ASSERT_TRUE(ui.shownStatistics);
  EXPECT_EQ(ui.shownStatistics->XMin, -200);
  EXPECT_EQ(ui.shownStatistics->XMax, 200);
  EXPECT_EQ(ui.shownStatistics->YMax, 1000);

  // A horizontal master line: one line above, one below.
  const auto horizontal = run({false, "0", "0", "1000", "0", 100, 1});
  EXPECT_EQ(horizontal[4], "\"000000\",\"0000100\"");
  EXPECT_EQ(horizontal[8], "\"001000\",\"-0000100\"");

  // Degrees: worked out in metres, written back as longitude and latitude.
  state.UtmZone = 5;
  const auto degrees = run({true, "3", "40", "3", "41", 1000, 1});
  EXPECT_EQ(degrees[1], "3,40");
  const double west = ReadNumber(degrees[4].substr(1));
  EXPECT_NEAR(west, 3 - 1000 / (111320 * std::cos(40 * M_PI / 180)), 2e-4);
  EXPECT_NEAR(ReadNumber(degrees[4].substr(degrees[4].find(",\"") + 2)), 40, 1e-4);
  EXPECT_EQ(state.CentralMeridian, 3);
  EXPECT_EQ(state.UtmZone, 0);

  // Cancel ends the command before any file is asked for.
  ui.parallelAnswers.push_back(std::nullopt);
  const std::size_t asked = ui.outputFilterIndices.size();
  CreateParallelLines(8, state, ui);
  EXPECT_EQ(ui.outputFilterIndices.size(), asked);
}

TEST_F(PlanningFlow, RotationAndCircle) {
  const struct {
    RotateChoice choice;
    const char* expected;
  } cases[] = {
      {{0, 0, 90, false}, "\"P\",\"Q\",1\r\n0,-10\r\n\"L\",\"M\",-2\r\n-1000000,0\r\n5,-5\r\n"},
      {{0, 0, 90, true}, "\"P\",\"Q\",1\r\n0,10\r\n\"L\",\"M\",-2\r\n1000000,0\r\n-5,5\r\n"},
      {{5, 5, 0, false}, "\"P\",\"Q\",1\r\n10,0\r\n\"L\",\"M\",-2\r\n0,-1000000\r\n5,5\r\n"},
  };
  for (const auto& c : cases) {
    // The metres point turns about (0,0) or stays; X < 360 keeps 7 decimals.
    Files("\"P\",\"Q\",1,10,0\n\"L\",\"M\",-2\n0,-1000000\n5,5\n", "r.bna");
    ui.rotateAnswers.push_back(c.choice);
    RotateBna(9, state, ui);
    EXPECT_EQ(Output(), c.expected) << c.choice.Angle << c.choice.Ccw;
  }
  EXPECT_EQ(ui.status, " BNA file Rotated ");
  ui.rotateAnswers.push_back(std::nullopt);
  const std::size_t asked = ui.inputFilterIndices.size();
  RotateBna(9, state, ui);
  EXPECT_EQ(ui.inputFilterIndices.size(), asked);

  outputPath = dir.File("circle.bna");
  ui.outputFiles.push_back(outputPath);
  ui.inputBoxAnswers = {"0", "0", "1"};
  DrawCircleBna(10, state, ui);
  const auto circle = SplitLines(Output());
  ASSERT_EQ(circle.size(), 39u);
  EXPECT_EQ(circle[0], "circle,38, 38 ");
  EXPECT_EQ(circle[1], " 1 ,  0 ");
  EXPECT_EQ(circle[10], " .00000000000000161554457443259 ,  1 ");
  EXPECT_EQ(circle[37], " 1 , -.00000000000000646217829773035 ");
  EXPECT_EQ(circle[38], " 1 ,  0 ");
  EXPECT_EQ(ui.status, outputPath + " created");

  ui.inputBoxAnswers = {"0", ""};  // an empty answer ends it
  const std::size_t asked2 = ui.outputFilterIndices.size();
  DrawCircleBna(10, state, ui);
  EXPECT_EQ(ui.outputFilterIndices.size(), asked2);
}

TEST(Interpolator, SliderAndDistances) {
  const struct {
    int slider;
    const char *x, *y, *percent;
  } cases[] = {
      {250, "25", "12.5", "25%"}, {5, "0.5", "0.25", "0%"},    {15, "1.5", "0.75", "2%"},
      {0, "0", "0", "0%"},        {1000, "100", "50", "100%"},
  };
  for (const auto& c : cases) {
    const InterpolatedPoint p = InterpolateAt(0, 0, 100, 50, c.slider);
    EXPECT_EQ(FormatSingle(p.x), c.x) << c.slider;
    EXPECT_EQ(FormatSingle(p.y), c.y) << c.slider;
    EXPECT_EQ(p.percent, c.percent) << c.slider;
  }
  // A northing of several millions keeps no decimals in single precision.
  EXPECT_EQ(FormatSingle(InterpolateAt(4512345.25f, 0, 4512345.25f, 0, 500).x).find('.'),
            std::string::npos);

  const struct {
    double along, total;
    std::optional<int> slider;
  } distances[] = {{3, 12, 250}, {0, 12, 0}, {12, 12, 1000},      {13, 12, std::nullopt},
                   {-1, 12, {}}, {3, 0, {}}, {0, 0, std::nullopt}};
  for (const auto& d : distances)
    EXPECT_EQ(SliderOfDistances(d.along, d.total), d.slider) << d.along << "/" << d.total;

  testing::ScriptedUi ui;
  RunState state;
  GraphicInterpolator(11, state, ui);
  EXPECT_EQ(ui.interpolationShown, 1);
}

TEST_F(PlanningFlow, FilterXyzWindowsAndRanges) {
  const std::string points = "0,0,1\n10,10,2\n5,5,3\n20,5,4\n-1,5,5\n";
  const struct {
    FilterChoice choice;
    int layout;
    std::string input;
    const char* expected;
    int accepted;  // -1: the limits are in error
  } cases[] = {
      {{false, 10, 0, 10, 0}, 11, points, "0,0,1\r\n10,10,2\r\n5,5,3\r\n", 3},
      {{false, 10, 0, 10, 0, 1000, 0, true}, 11, points, "20,5,4\r\n-1,5,5\r\n", 2},
      {{true, 180, -180, 90, -90, 3, 2},
       21,
       "1 2 1\n3 4 2\n5 6 3\n7 8 4\n",
       "3 4 2\r\n5 6 3\r\n",
       2},
      // No Z column: z reads 0.
      {{true, 180, -180, 90, -90, 1, 0}, 33, "1\t2\n3\t4\n", "1\t2\r\n3\t4\r\n", 2},
      {{false, -1, 1}, 11, "0,0,1\n", "", -1},
  };
  for (const auto& c : cases) {
    Files(c.input, "f.dat");
    ui.filterAnswers.push_back(c.choice);
    ui.inputOptionsAnswers.push_back(InputOptionsChoice{c.layout, false});
    FilterMenu(1, state, ui);
    EXPECT_EQ(Output(), c.expected) << c.input;
    EXPECT_EQ(ui.status, c.accepted < 0 ? " 0 Accepted points | End filter xyz "
                                        : " " + std::to_string(c.accepted) +
                                              " Accepted points  | End filter xyz ")
        << c.input;
    EXPECT_EQ(state.FilterMode, 0);
    EXPECT_EQ(state.InputFormatCode, 0);
  }
  // The limits in error.
  EXPECT_EQ(testing::MessagesOf(ui),
            (testing::Shown{{" Minims > maxims ", " error filters ", MessageIcon::Information,
                             MessageButtons::Ok}}));
  EXPECT_EQ(ui.outputFilterIndices.back(), 4);
  EXPECT_EQ(ui.outputOptionsShown, 0);  // the output keeps the input layout

  ui.filterAnswers.push_back(std::nullopt);  // Cancel
  const std::size_t asked = ui.inputFilterIndices.size();
  FilterMenu(1, state, ui);
  EXPECT_EQ(ui.inputFilterIndices.size(), asked);
}

TEST_F(PlanningFlow, ClipBnaRunsAndWarning) {
  Files(
      "\"A\",\"B\",5\n1,1\n2,2\n20,20\n3,3\n4,4\n\"C\",\"D\",-3\n20,20\n5,5\n30,30\n"
      "\"E\",\"F\",2\n0,5\n10,5\n",
      "c.bna");
  ui.filterAnswers.push_back(FilterChoice{false, 10, 0, 10, 0});
  FilterMenu(2, state, ui);
  EXPECT_EQ(Output(),
            "\"A\",\"B\",-2 \r\n1,1\r\n2,2\r\n\"A\",\"B\",-2 \r\n3,3\r\n4,4\r\n"
            "\"C\",\"D\", 1 \r\n5,5\r\n");
  EXPECT_EQ(ui.status, " 5 accepted point  / filter bna finished");
  EXPECT_EQ(
      testing::MessagesOf(ui),
      (testing::Shown{{"BNA file shoud be multiline format \n Cliping will convert areas to curves",
                       " Atencion ", MessageIcon::Exclamation, MessageButtons::OkCancel}}));
  EXPECT_EQ(ui.filterClipping, std::vector<bool>{true});

  // Nothing inside; then Cancel in the warning asks for nothing more.
  Files("\"A\",\"B\",1,50,50\n", "d.bna");
  ui.filterAnswers.push_back(FilterChoice{false, 10, 0, 10, 0});
  FilterMenu(2, state, ui);
  EXPECT_EQ(Output(), "");
  EXPECT_EQ(ui.status, " 0 acceted points  / filter bna finished");
  ui.messageAnswers.push_back(MessageAnswer::Cancel);
  FilterMenu(2, state, ui);
  EXPECT_EQ(ui.filterClipping.size(), 2u);

  // A run longer than any fixed store.
  std::string big = "\"L\",\"M\",-300000\n";
  for (int i = 0; i < 300000; ++i)
    big += "1,1\n";
  std::istringstream in(big);
  std::ostringstream out;
  const PassResult pass = ClipBnaRecords(in, out, {0, 10, 0, 10}, {});
  EXPECT_EQ(pass.count, 300000);
  EXPECT_EQ(out.str().substr(0, 18), "\"L\",\"M\",-300000 \r\n");
}

}  // namespace
}  // namespace zolvane
