// The course over ground between two fixes, as the swath and towed-vehicle commands take it.
#pragma once

namespace zolvane {

// Whole degrees clockwise from grid north (0 to 360) from the previous fix (x0, y0) to the
// current one (x1, y1); 0 when they coincide. A previous fix level with the current one in X
// or Y is first moved by 0.000001 to keep the arctangent defined, and stays moved: the
// corners and offsets computed afterwards use the moved point.
double CourseOverGround(double& x0, double& y0, double x1, double y1);

// Radians of whole-degree angles, with the rounded pi the course geometry has always used.
inline constexpr double kCoursePi = 3.14159265358979;
inline double CourseRadians(double degrees) {
  return degrees * kCoursePi / 180.0;
}

}  // namespace zolvane
