#include "geo/utm.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zolvane {
namespace {

TEST(UtmZones, CentralMeridianAndZone) {
  for (int zone = 1; zone <= 60; ++zone)
    EXPECT_EQ(ZoneOfCentralMeridian(CentralMeridianOfZone(zone)), zone);
  EXPECT_EQ(CentralMeridianOfZone(1), -177);
  EXPECT_EQ(CentralMeridianOfZone(31), 3);
  EXPECT_EQ(ZoneOfCentralMeridian(-1), 30);  // a typed meridian snaps to its zone
  EXPECT_EQ(ZoneOfCentralMeridian(180), 61);
}

TEST(GeoToUtm, WorkedValues) {
  struct Case {
    double latitude, longitude, centralMeridian;
    Ellipsoid ellipsoid;
    double easting, northing;
    double tolerance = 0.0005;
  };
  const Case cases[] = {
      {0, 3, 3, kWgs84, 500000, 0},
      {41, 2, 3, kWgs84, 415897.866, 4539238.589},
      {41, 2, 3, kEd50, 415894.042, 4539317.709},
      {-33, 18, 21, kWgs84, 219700.010, 13655285.854},  // 10000000 + distance south
      {90, 40, 3, kWgs84, 500000, 9997964.943},
      {-90, -100, 3, kWgs84, 500000, 19997964.943},
      // PROJ's cs2cs to within a millimetre (its southern northings 10000000 - distance south
      // taken as 10000000 + distance south).
      {57.25, 5.25, 3, kWgs84, 635750.420766, 6347457.520565, 1e-3},
      {-29.25, 0.75, 3, kWgs84, 281349.981658, 13237782.418195, 1e-3},
      {64.25, 5.25, 3, kEd50, 609056.151540, 7126978.290843, 1e-3},
      {50.25, 6, 3, kEd50, 713876.730924, 5570846.831074, 1e-3},
      {-1.25, 0, 3, kEd50, 166087.388842, 10138355.115160, 1e-3},
  };
  for (const Case& c : cases) {
    const UtmCoordinate utm = GeoToUtm(c.latitude, c.longitude, c.centralMeridian, c.ellipsoid);
    EXPECT_NEAR(utm.Easting, c.easting, c.tolerance) << c.latitude << " " << c.longitude;
    EXPECT_NEAR(utm.Northing, c.northing, c.tolerance) << c.latitude << " " << c.longitude;
  }
}

TEST(GeoToUtm, LongitudeDifferenceWrapsAcrossTheAntimeridian) {
  // 179 in zone 1 lies 4 degrees west of -177; -179 in zone 60 4 degrees east of 177.
  EXPECT_NEAR(GeoToUtm(20, 179, -177, kWgs84).Easting, GeoToUtm(20, -1, 3, kWgs84).Easting, 1e-6);
  EXPECT_NEAR(GeoToUtm(20, -179, 177, kWgs84).Easting, GeoToUtm(20, 7, 3, kWgs84).Easting, 1e-6);
  const UtmCoordinate east = GeoToUtm(20, -179, 177, kWgs84);
  const GeoCoordinate back = UtmToGeo(east.Easting, east.Northing, 177, kWgs84);
  EXPECT_NEAR(back.Longitude, -179, 1e-7);
}

TEST(UtmToGeo, NorthingsAtAndBeyondTheLimits) {
  // 10000000 is northern, past the quadrant: the pole on the central meridian.
  const GeoCoordinate pole = UtmToGeo(400000, 10000000, 15, kWgs84);
  EXPECT_EQ(pole.Latitude, 90.0);
  EXPECT_EQ(pole.Longitude, 15.0);
  // Just above it is just south of the equator.
  EXPECT_LT(UtmToGeo(400000, 10003000, 15, kWgs84).Latitude, 0.0);
  EXPECT_GT(UtmToGeo(400000, 10003000, 15, kWgs84).Latitude, -0.1);
  const GeoCoordinate farSouth = UtmToGeo(450000, 25000000, -9, kWgs84);
  EXPECT_EQ(farSouth.Latitude, -90.0);
  EXPECT_EQ(farSouth.Longitude, -9.0);
  EXPECT_EQ(UtmToGeo(450000, -12000000, -9, kWgs84).Latitude, -90.0);
}

TEST(UtmRoundTrip, GridOfLatitudesAndOffsets) {
  for (const Ellipsoid& ellipsoid : {kWgs84, kEd50}) {
    for (int latitude = -80; latitude <= 84; latitude += 4) {
      for (double offset : {-6.0, -3.0, -1.0, 0.0, 0.5, 2.0, 3.0, 6.0}) {
        const UtmCoordinate utm = GeoToUtm(latitude, 3 + offset, 3, ellipsoid);
        const GeoCoordinate geo = UtmToGeo(utm.Easting, utm.Northing, 3, ellipsoid);
        // 1e-8 within 3 degrees and 1e-6 at 6 degrees at mid latitudes; the truncated
        // series drifts further toward the poles.
        const bool polar = std::abs(latitude) >= 60;
        double tolerance = std::fabs(offset) <= 3 ? 1e-8 : (polar ? 1e-4 : 1e-6);
        if (std::abs(latitude) >= 80 && std::fabs(offset) <= 3) tolerance = 1e-7;
        EXPECT_NEAR(geo.Latitude, latitude, tolerance) << latitude << " " << offset;
        EXPECT_NEAR(geo.Longitude, 3 + offset, tolerance) << latitude << " " << offset;
      }
    }
  }
}

}  // namespace
}  // namespace zolvane
