#include "geo/single_coordinate.h"

#include <algorithm>
#include <cmath>

#include "core/number_format.h"
#include "core/numbers.h"

namespace zolvane {
namespace {

// Far beyond any zone, but small enough that 6 * zone stays an exact whole number.
constexpr double kZoneLimit = 1.0e6;

std::string WholeText(double value) {
  return std::to_string(ToInt64(Int(value)));
}

int ClampedZone(double zone) {
  return ToInt32(std::clamp(zone, -kZoneLimit, kZoneLimit));
}

}  // namespace

CalculatorUtmResult CalculatorGeoToUtm(std::string_view latitudeText,
                                       std::string_view longitudeText, const Ellipsoid& ellipsoid) {
  const double latitude = ReadNumber(latitudeText);
  const double longitude = ReadNumber(longitudeText);
  CalculatorUtmResult result;
  if (!IsLatitude(latitude)) {
    result.fault = std::string(kLatitudeFault) + ": " + FormatGeneral(latitude);
    return result;
  }
  result.zone = ClampedZone(Int((longitude + 186.0) / 6.0));
  result.centralMeridian = CentralMeridianOfZone(result.zone);
  const UtmCoordinate utm = GeoToUtm(latitude, longitude, result.centralMeridian, ellipsoid);
  result.easting = WholeText(utm.Easting);
  result.northing = WholeText(utm.Northing);
  return result;
}

CalculatorGeoResult CalculatorUtmToGeo(std::string_view zoneText, std::string_view eastingText,
                                       std::string_view northingText, const Ellipsoid& ellipsoid) {
  const int zone = ClampedZone(RoundHalfEven(ReadNumber(zoneText)));
  const GeoCoordinate geo = UtmToGeo(ReadNumber(eastingText), ReadNumber(northingText),
                                     CentralMeridianOfZone(zone), ellipsoid);
  return {FormatPicture(geo.Latitude, kLatitudePattern),
          FormatPicture(geo.Longitude, kLongitudePattern)};
}

std::string NormalizeNumberText(std::string_view text) {
  return FormatGeneral(ReadNumber(text));
}

ZoneRange ZoneRangeText(double centralMeridian) {
  const char* suffix = centralMeridian >= 0 ? "\u00baE" : "\u00baW";
  return {FormatGeneral(std::fabs(centralMeridian - 3)) + suffix,
          FormatGeneral(std::fabs(centralMeridian + 3)) + suffix};
}

}  // namespace zolvane
