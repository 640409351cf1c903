// Transformations between coordinate reference systems, against values cs2cs gave for the
// same pairs and points (PROJ 9.1 and its Debian grids).
#include <gtest/gtest.h>

#include <string>

#include "crs/crs.h"
#include "crs/reproject.h"

namespace zolvane {
namespace {

TEST(Crs, PairsAgreeWithCs2cs) {
  const struct {
    const char* from;
    const char* to;
    double x, y;  // longitude or easting, latitude or northing
    double expectedX, expectedY;
  } pairs[] = {
      {"EPSG:4326", "EPSG:32631", 2.4, 41.2, 449691.7986298935, 4561132.8565961393},
      {"EPSG:4326", "EPSG:32631", -0.9, 43.5, 184694.0901017046, 4823734.0757926702},
      {"EPSG:4230", "EPSG:4326", -3.7, 40.4, -3.7013051380, 40.3988189118},
      {"EPSG:4230", "EPSG:4326", 13.4, 52.0, 13.3989338236, 51.9992955422},
      {"EPSG:23030", "EPSG:32630", 440000, 4474000, 439890.9100688306, 4473792.6012157993},
      {"EPSG:23030", "EPSG:32630", 700000, 4800000, 699893.3389371801, 4799790.0164436381},
      {"ED50 / UTM zone 31N", "EPSG:32631", 500000, 4600000, 499905.5867547278, 4599794.8621552587},
      {"EPSG:4326", "EPSG:23031", 2.4, 41.0, 449633.8504622309, 4539135.1229456533},
      // Southern northings by the standard rule.
      {"EPSG:4326", "EPSG:32734", 20.5, -33.9, 453771.8236780815, 6248819.2302491078},
      {"EPSG:4326", "EPSG:32734", 18.4, -33.9, 259583.2216604314, 6245888.0454407688},
      {"EPSG:4326", "EPSG:32734", 23.9, -1.5, 822726.1159692022, 9833990.6159114707},
      {"EPSG:4258", "EPSG:3035", 10, 52, 4321000, 3210000},
      {"EPSG:4258", "EPSG:3035", -3.7, 40.4, 3159401.6966273151, 2027957.6324077290},
  };
  for (const auto& pair : pairs) {
    CrsFault fault = CrsFault::None;
    std::string message, reason;
    const auto transform = CrsTransform::Create(pair.from, pair.to, fault, message);
    ASSERT_TRUE(transform) << pair.from << " " << pair.to << ": " << message;
    const double tolerance = transform->TargetIsGeographic() ? 1e-8 : 1e-3;
    double x = pair.x, y = pair.y;
    ASSERT_EQ(transform->Transform(&x, &y, 1, reason), 1u) << pair.from << " " << reason;
    EXPECT_NEAR(x, pair.expectedX, tolerance) << pair.from << " " << pair.to << " " << pair.x;
    EXPECT_NEAR(y, pair.expectedY, tolerance) << pair.from << " " << pair.to << " " << pair.y;
  }
}

}  // namespace
}  // namespace zolvane
