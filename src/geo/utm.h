// The two ellipsoids and the UTM projection by the truncated USGS power series.
#pragma once

#include <string_view>

namespace zolvane {

struct Ellipsoid {
  double SemiMajorAxis;
  double SemiMinorAxis;
};

inline constexpr Ellipsoid kWgs84{6378137.0, 6356752.314};
inline constexpr Ellipsoid kEd50{6378388.0, 6356911.946};

struct UtmCoordinate {
  double Easting;
  double Northing;
};

// Picture patterns of the degrees the coordinate commands write: seven decimals, at least
// three and two integer digits.
inline constexpr std::string_view kLongitudePattern = "000.0000000";
inline constexpr std::string_view kLatitudePattern = "00.0000000";

struct GeoCoordinate {
  double Latitude;
  double Longitude;
};

// CentralMeridian = 6 * zone - 183.
int CentralMeridianOfZone(int zone);
// zone = Int((centralMeridian + 186) / 6).
int ZoneOfCentralMeridian(double centralMeridian);

// Decimal degrees to metres in the zone of `centralMeridian`; southern latitudes get the
// northing 10000000 + |y|.
UtmCoordinate GeoToUtm(double latitude, double longitude, double centralMeridian,
                       const Ellipsoid& ellipsoid);
// Metres to decimal degrees. A northing whose footpoint latitude is out of range gives the
// pole (+-90) on the central meridian.
GeoCoordinate UtmToGeo(double easting, double northing, double centralMeridian,
                       const Ellipsoid& ellipsoid);

// The same two operations with the ellipsoid's terms derived once, for loops over the points
// of a file. The results are those of the functions above.
class UtmProjection {
 public:
  explicit UtmProjection(const Ellipsoid& ellipsoid);

  UtmCoordinate ToUtm(double latitude, double longitude, double centralMeridian) const;
  GeoCoordinate ToGeo(double easting, double northing, double centralMeridian) const;

 private:
  double a_, e2_, ep2_;
  double m0_, m2_, m4_, m6_;  // meridian distance: a times the series coefficients
  double f2_, f4_, f6_;       // footpoint latitude series
  double r_;                  // a (1 - e2)
};

}  // namespace zolvane
