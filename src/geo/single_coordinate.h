// The arithmetic of the single-coordinate calculator and of the zone dialog, kept apart
// from their windows.
#pragma once

#include <string>
#include <string_view>

#include "geo/utm.h"

namespace zolvane {

struct CalculatorUtmResult {
  int zone = 0;             // Int((longitude + 186) / 6)
  int centralMeridian = 0;  // 6 * zone - 183
  std::string easting;      // rounded down, plain integer text
  std::string northing;
  std::string fault;  // why nothing was converted; empty when it was
};
// The calculator's "Geo > UTM" button on the typed texts (read by the number rule). A
// latitude beyond +-90 converts nothing.
CalculatorUtmResult CalculatorGeoToUtm(std::string_view latitudeText,
                                       std::string_view longitudeText, const Ellipsoid& ellipsoid);

struct CalculatorGeoResult {
  std::string latitude;   // "00.0000000"
  std::string longitude;  // "000.0000000"
};
// The calculator's "UTM > Geo" button: the typed zone is rounded halves to even.
CalculatorGeoResult CalculatorUtmToGeo(std::string_view zoneText, std::string_view eastingText,
                                       std::string_view northingText, const Ellipsoid& ellipsoid);

// What a calculator box shows once left: its value by the number rule, in general form.
std::string NormalizeNumberText(std::string_view text);

// The zone dialog's western and eastern limits of the zone of `centralMeridian`:
// |cm - 3| and |cm + 3| followed by "ºE" (cm >= 0) or "ºW" (cm < 0).
struct ZoneRange {
  std::string west;
  std::string east;
};
ZoneRange ZoneRangeText(double centralMeridian);

}  // namespace zolvane
