#include "geo/single_coordinate.h"

#include <gtest/gtest.h>

#include <string>

namespace zolvane {
namespace {

TEST(CalculatorGeoToUtm, ZoneFromTheLongitudeAndWholeMetres) {
  const CalculatorUtmResult result = CalculatorGeoToUtm("41", "2", kWgs84);
  EXPECT_EQ(result.zone, 31);
  EXPECT_EQ(result.centralMeridian, 3);
  EXPECT_EQ(result.easting, "415897");
  EXPECT_EQ(result.northing, "4539238");
  EXPECT_EQ(CalculatorGeoToUtm("41", "2", kEd50).northing, "4539317");

  const CalculatorUtmResult south = CalculatorGeoToUtm("-33", "18", kWgs84);
  EXPECT_EQ(south.zone, 34);
  EXPECT_GT(std::stod(south.northing), 10000000.0);
  EXPECT_EQ(CalculatorGeoToUtm("0", "-180", kWgs84).zone, 1);
  EXPECT_EQ(CalculatorGeoToUtm("0", "180", kWgs84).centralMeridian, 183);
  EXPECT_FALSE(CalculatorGeoToUtm("90", "-1e308", kWgs84).easting.empty());
  // A latitude beyond 90 degrees converts nothing.
  const CalculatorUtmResult beyond = CalculatorGeoToUtm("1e308", "2", kWgs84);
  EXPECT_TRUE(beyond.easting.empty());
  EXPECT_EQ(beyond.fault, "Latitude beyond 90 degrees north or south: 1E+308");
}

TEST(CalculatorUtmToGeo, PatternTextsZoneRoundingAndPole) {
  const CalculatorGeoResult result = CalculatorUtmToGeo("31", "415897", "4539238", kWgs84);
  EXPECT_EQ(result.longitude, "001.9999898");
  EXPECT_EQ(result.latitude, "40.9999946");
  EXPECT_EQ(CalculatorUtmToGeo("30", "500000", "0", kWgs84).longitude, "-003.0000000");
  EXPECT_EQ(CalculatorUtmToGeo("30.5", "500000", "0", kWgs84).longitude, "-003.0000000");
  EXPECT_EQ(CalculatorUtmToGeo("31.5", "500000", "0", kWgs84).longitude, "009.0000000");
  EXPECT_EQ(CalculatorUtmToGeo("0", "500000", "0", kWgs84).longitude, "177.0000000");  // cm -183
  const CalculatorGeoResult pole = CalculatorUtmToGeo("31", "400000", "25000000", kWgs84);
  EXPECT_EQ(pole.latitude, "-90.0000000");
  EXPECT_EQ(pole.longitude, "003.0000000");
}

TEST(CalculatorTexts, NormalizedBoxes) {
  EXPECT_EQ(NormalizeNumberText(" -3e2x"), "-300");
}

}  // namespace
}  // namespace zolvane
