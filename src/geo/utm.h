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

// A latitude the projection can take: within +-90 degrees.
inline bool IsLatitude(double degrees) {
  return degrees >= -90.0 && degrees <= 90.0;
}
inline constexpr std::string_view kLatitudeFault = "Latitude beyond 90 degrees north or south";

// The hemisphere whose northings a plan keeps on both sides of the equator.
enum class Hemisphere { North, South };

// The same two operations with the ellipsoid's terms derived once, for loops over the points
// of a file. The results are those of the functions above.
class UtmProjection {
 public:
  explicit UtmProjection(const Ellipsoid& ellipsoid);

  UtmCoordinate ToUtm(double latitude, double longitude, double centralMeridian) const;
  GeoCoordinate ToGeo(double easting, double northing, double centralMeridian) const;

  // Northings that run on across the equator in the convention of `side`: north, negative
  // south of it; south, 10000000 minus the distance north, so the southern rule carries on
  // north of it. On its own side each equals what ToUtm gives and ToGeo takes.
  UtmCoordinate ToUtmOn(Hemisphere side, double latitude, double longitude,
                        double centralMeridian) const;
  GeoCoordinate ToGeoOn(Hemisphere side, double easting, double northing,
                        double centralMeridian) const;

 private:
  // x from the central meridian and y from the equator, north positive.
  UtmCoordinate Series(double latitude, double longitude, double centralMeridian) const;
  GeoCoordinate FromSeries(double x, double y, double centralMeridian) const;

  double a_, e2_, ep2_;
  double m0_, m2_, m4_, m6_;  // meridian distance: a times the series coefficients
  double f2_, f4_, f6_;       // footpoint latitude series
  double r_;                  // a (1 - e2)
};

// Planar positions of one line or plan, for its distances and offsets. The stored southern
// rule makes northings jump by 10000 km at the equator; these run on across it, in the
// convention of the hemisphere of the plan's first point, so a plan that stays on one side
// keeps the northings it always had.
class UtmPlane {
 public:
  explicit UtmPlane(const UtmProjection& projection) : projection_(projection) {}

  UtmCoordinate ToPlane(double latitude, double longitude, double centralMeridian) {
    if (!started_) {
      side_ = latitude < 0 ? Hemisphere::South : Hemisphere::North;
      started_ = true;
    }
    return projection_.ToUtmOn(side_, latitude, longitude, centralMeridian);
  }
  GeoCoordinate ToGeo(double easting, double northing, double centralMeridian) const {
    return projection_.ToGeoOn(side_, easting, northing, centralMeridian);
  }

 private:
  const UtmProjection& projection_;
  Hemisphere side_ = Hemisphere::North;
  bool started_ = false;
};

}  // namespace zolvane
