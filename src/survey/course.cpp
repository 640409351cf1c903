#include "survey/course.h"

#include <cmath>

#include "core/numbers.h"

namespace zolvane {

double CourseOverGround(double& x0, double& y0, double x1, double y1) {
  if (x0 == x1 && y0 == y1) return 0;
  if (x0 == x1) x0 = x1 + 0.000001;
  if (y0 == y1) y0 = y1 + 0.000001;
  const double theta = std::atan((y0 - y1) / (x0 - x1));
  const double d = std::fabs(theta) * 57.2958;
  double course;
  if (theta > 0) {
    course = y0 > y1 ? 270 - d : 90 - d;
  } else {
    course = y0 > y1 ? 90 + d : 270 + d;
  }
  return RoundHalfEven(course);
}

}  // namespace zolvane
