// The two ellipsoids and the UTM projection by the truncated USGS power series.
#pragma once

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

}  // namespace zolvane
