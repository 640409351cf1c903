#include "geo/utm.h"

#include <cmath>

#include "core/numbers.h"

namespace zolvane {
namespace {

constexpr double kDegreesToRadians = 0.017453292519943278;
constexpr double kRadiansToDegrees = 57.29577951308238;
constexpr double kScale = 0.9996;
constexpr double kFalseEasting = 500000.0;
constexpr double kSouthernFalseNorthing = 10000000.0;
// The series' divisors as factors: a multiplication is much cheaper than a division and
// differs from it only in the last bit.
constexpr double k1By6 = 1.0 / 6.0;
constexpr double k1By24 = 1.0 / 24.0;
constexpr double k1By120 = 1.0 / 120.0;
constexpr double k1By720 = 1.0 / 720.0;

// sin 2x, sin 4x and sin 6x of the series from one sine and cosine: the same values to
// within rounding, at a fraction of the cost of three more sine calls.
struct MultipleSines {
  double sin2, sin4, sin6;
};

MultipleSines MultipleSinesOf(double sinX, double cosX) {
  const double sin2 = 2.0 * sinX * cosX;
  const double cos2 = (cosX - sinX) * (cosX + sinX);
  return {sin2, 2.0 * sin2 * cos2, sin2 * (3.0 - 4.0 * sin2 * sin2)};
}

}  // namespace

int CentralMeridianOfZone(int zone) {
  return 6 * zone - 183;
}

int ZoneOfCentralMeridian(double centralMeridian) {
  return ToInt32(Int((centralMeridian + 186.0) / 6.0));
}

UtmProjection::UtmProjection(const Ellipsoid& ellipsoid) {
  const double a = ellipsoid.SemiMajorAxis;
  const double b = ellipsoid.SemiMinorAxis;
  const double e2 = 1.0 - (b * b) / (a * a);
  const double e4 = e2 * e2;
  const double e6 = e4 * e2;
  a_ = a;
  e2_ = e2;
  ep2_ = e2 / (1.0 - e2);
  m0_ = a * (1.0 - e2 / 4.0 - 3.0 * e4 / 64.0 - 5.0 * e6 / 256.0);
  m2_ = a * (3.0 * e2 / 8.0 + 3.0 * e4 / 32.0 + 45.0 * e6 / 1024.0);
  m4_ = a * (15.0 * e4 / 256.0 + 45.0 * e6 / 1024.0);
  m6_ = a * (35.0 * e6 / 3072.0);
  const double root = std::sqrt(1.0 - e2);
  const double e1 = (1.0 - root) / (1.0 + root);
  const double e1Squared = e1 * e1;
  const double e1Cubed = e1Squared * e1;
  f2_ = 3.0 * e1 / 2.0 - 27.0 * e1Cubed / 32.0;
  f4_ = 21.0 * e1Squared / 16.0 - 55.0 * e1Squared * e1Squared / 32.0;
  f6_ = 151.0 * e1Cubed / 96.0;
  r_ = a * (1.0 - e2);
}

UtmCoordinate UtmProjection::Series(double latitude, double longitude,
                                    double centralMeridian) const {
  const double phi = latitude * kDegreesToRadians;
  double deltaDegrees = longitude - centralMeridian;
  if (deltaDegrees < -180.0) deltaDegrees += 360.0;
  if (deltaDegrees > 180.0) deltaDegrees -= 360.0;
  const double delta = deltaDegrees * kDegreesToRadians;
  const double sinPhi = std::sin(phi);
  const double cosPhi = std::cos(phi);
  const MultipleSines s = MultipleSinesOf(sinPhi, cosPhi);
  const double m = m0_ * phi - m2_ * s.sin2 + m4_ * s.sin4 - m6_ * s.sin6;

  double x = 0;
  double y = 0;
  if (latitude == 90.0 || latitude == -90.0) {
    y = kScale * m;
  } else {
    const double tanPhi = sinPhi / cosPhi;
    const double n = a_ / std::sqrt(1.0 - e2_ * sinPhi * sinPhi);
    const double tt = tanPhi * tanPhi;
    const double c = ep2_ * cosPhi * cosPhi;
    const double aa = cosPhi * delta;
    const double a2 = aa * aa;
    const double a3 = a2 * aa;
    const double a4 = a2 * a2;
    const double a5 = a4 * aa;
    const double a6 = a4 * a2;
    x = kScale * n *
        (aa + (1.0 - tt + c) * a3 * k1By6 +
         (5.0 - 18.0 * tt + tt * tt + 72.0 * c - 58.0 * ep2_) * a5 * k1By120);
    y = kScale * (m + n * tanPhi *
                          (a2 / 2.0 + (5.0 - tt + 9.0 * c + 4.0 * c * c) * a4 * k1By24 +
                           (61.0 - 58.0 * tt + tt * tt + 600.0 * c - 330.0 * ep2_) * a6 * k1By720));
  }
  return {x, y};
}

UtmCoordinate UtmProjection::ToUtm(double latitude, double longitude,
                                   double centralMeridian) const {
  const UtmCoordinate s = Series(latitude, longitude, centralMeridian);
  // Southern northings count the distance south of the equator up from 10000000.
  const double northing =
      latitude < 0 ? kSouthernFalseNorthing + std::fabs(s.Northing) : s.Northing;
  return {kFalseEasting + s.Easting, northing};
}

UtmCoordinate UtmProjection::ToUtmOn(Hemisphere side, double latitude, double longitude,
                                     double centralMeridian) const {
  const UtmCoordinate s = Series(latitude, longitude, centralMeridian);
  // South of the equator the distance is taken as ToUtm takes it, so each side matches it.
  const double y = latitude < 0 ? -std::fabs(s.Northing) : s.Northing;
  return {kFalseEasting + s.Easting, side == Hemisphere::North ? y : kSouthernFalseNorthing - y};
}

GeoCoordinate UtmProjection::ToGeo(double easting, double northing, double centralMeridian) const {
  const double y =
      northing <= kSouthernFalseNorthing ? northing : kSouthernFalseNorthing - northing;
  return FromSeries(easting - kFalseEasting, y, centralMeridian);
}

GeoCoordinate UtmProjection::ToGeoOn(Hemisphere side, double easting, double northing,
                                     double centralMeridian) const {
  const double y = side == Hemisphere::North ? northing : kSouthernFalseNorthing - northing;
  return FromSeries(easting - kFalseEasting, y, centralMeridian);
}

GeoCoordinate UtmProjection::FromSeries(double x, double y, double centralMeridian) const {
  const double lambda0 = centralMeridian * kDegreesToRadians;
  const double mu = (y / kScale) / m0_;
  const MultipleSines s = MultipleSinesOf(std::sin(mu), std::cos(mu));
  const double phi1 = mu + f2_ * s.sin2 + f4_ * s.sin4 + f6_ * s.sin6;
  const double phi1Degrees = phi1 * kRadiansToDegrees;

  GeoCoordinate geo{0, centralMeridian};
  if (phi1Degrees > -90.0 && phi1Degrees < 90.0) {
    const double sinPhi1 = std::sin(phi1);
    const double cosPhi1 = std::cos(phi1);
    const double tanPhi1 = sinPhi1 / cosPhi1;
    const double c1 = ep2_ * cosPhi1 * cosPhi1;
    const double t1 = tanPhi1 * tanPhi1;
    const double w = 1.0 - e2_ * sinPhi1 * sinPhi1;
    const double n1 = a_ / std::sqrt(w);
    const double r1 = r_ / std::sqrt(w * w * w);
    const double d = x / (n1 * kScale);
    const double d2 = d * d;
    const double d3 = d2 * d;
    const double d4 = d2 * d2;
    const double d5 = d4 * d;
    const double d6 = d4 * d2;
    const double phi =
        phi1 -
        (n1 * tanPhi1 / r1) *
            (d2 / 2.0 - (5.0 + 3.0 * t1 + 10.0 * c1 - 4.0 * c1 * c1 - 9.0 * ep2_) * d4 * k1By24 +
             (61.0 + 90.0 * t1 + 298.0 * c1 + 45.0 * t1 * t1 - 252.0 * ep2_ - 3.0 * c1 * c1) * d6 *
                 k1By720);
    const double lambda =
        lambda0 + (d - (1.0 + 2.0 * t1 + c1) * d3 * k1By6 +
                   (5.0 - 2.0 * c1 + 28.0 * t1 - 3.0 * c1 * c1 + 8.0 * ep2_ + 24.0 * t1 * t1) * d5 *
                       k1By120) /
                      cosPhi1;
    geo.Latitude = phi * kRadiansToDegrees;
    geo.Longitude = lambda * kRadiansToDegrees;
    if (geo.Longitude < -180.0) geo.Longitude += 360.0;
    if (geo.Longitude > 180.0) geo.Longitude -= 360.0;
  } else {
    // No position is computed; the pole rule below puts it on the pole of its side.
    geo.Latitude = phi1Degrees >= 90.0 ? 90.0 : -90.0;
  }
  if (geo.Latitude >= 90.0) {
    geo = {90.0, centralMeridian};
  } else if (geo.Latitude <= -90.0) {
    geo = {-90.0, centralMeridian};
  }
  return geo;
}

// The ellipsoid's terms are derived at every call, so a change of ellipsoid takes effect
// at once.
UtmCoordinate GeoToUtm(double latitude, double longitude, double centralMeridian,
                       const Ellipsoid& ellipsoid) {
  return UtmProjection(ellipsoid).ToUtm(latitude, longitude, centralMeridian);
}

GeoCoordinate UtmToGeo(double easting, double northing, double centralMeridian,
                       const Ellipsoid& ellipsoid) {
  return UtmProjection(ellipsoid).ToGeo(easting, northing, centralMeridian);
}

}  // namespace zolvane
