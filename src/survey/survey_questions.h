// What the survey planning and geophysics commands ask.
#pragma once

#include <optional>
#include <string>

namespace zolvane {

// Distance-time, parallel lines, rotation and filters: what their dialogs hand back.
struct DistanceTimeChoice {
  double LineSpeed = 5;     // knots; a speed read as 0 comes back as 0.1
  double TransitSpeed = 5;  // knots
  bool Ed50 = false;        // otherwise WGS84
};
struct ParallelChoice {
  bool Degrees = false;        // master line in longitude/latitude, otherwise UTM metres
  std::string Xa, Ya, Xb, Yb;  // as typed
  double Spacing = 1000;       // metres
  int Count = 1;               // lines on each side
};
struct RotateChoice {
  double CentreX = 0, CentreY = 0;
  double Angle = 0;  // degrees
  bool Ccw = false;
};
struct FilterChoice {
  bool ZRange = false;  // the "Z" filter, otherwise the X-Y window
  double XMax = 180, XMin = -180, YMax = 90, YMin = -90, ZMax = 1000, ZMin = 0;
  bool DeleteWindow = false;
  bool CheckStatistics = false;
};

// Swath coverage, towed vehicle and IGRF anomaly: the option dialogs' answers as set.
struct SwathChoice {
  bool coefficient = true;  // width = depth x value; otherwise width = value (metres)
  bool degrees = true;      // coordinates in degrees rather than metres
  double value = 1;
};
struct LaybackChoice {
  bool constant = false;  // one layback for every fix; otherwise the file's third field
  double layback = 1;     // metres
  double maximumStep = 10000;
};
struct SurveyDateChoice {
  double year = 2005;
  double month = 1;
};

// Empty when the user closed the dialog without confirming it.
class SurveyQuestions {
 public:
  virtual ~SurveyQuestions() = default;
  virtual std::optional<DistanceTimeChoice> DistanceTime() = 0;
  virtual std::optional<ParallelChoice> Parallel() = 0;
  virtual std::optional<RotateChoice> Rotate() = 0;
  // Shows the interpolator window, not modal.
  virtual void Interpolation() = 0;
  // `clipping`: the BNA clip, which takes only an X-Y window to extract.
  virtual std::optional<FilterChoice> Filter(bool clipping) = 0;
  virtual std::optional<SwathChoice> Swath() = 0;
  virtual std::optional<LaybackChoice> Layback() = 0;
  virtual std::optional<SurveyDateChoice> SurveyDate() = 0;
};

}  // namespace zolvane
