// Plan drawing: lines parallel to a master line, a BNA file rotated about a centre, and a
// circle of 38 points.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"
#include "geo/utm.h"

namespace zolvane {

struct ParallelOptions {
  bool degrees = false;        // master line in longitude/latitude, otherwise metres
  std::string xa, ya, xb, yb;  // the points as typed; numbers by the leading-number rule
  double spacing = 1000;       // metres
  long long count = 1;         // lines on each side
};

struct ParallelResult {
  PassResult pass;
  int utmZone = 0, centralMeridian = 0;  // the zone of point A in degree mode
};

// Writes the master line and `count` lines on each side of it ("1L"... and "1R"...), worked
// out on the UTM plane (WGS84).
ParallelResult WriteParallelLines(std::ostream& out, const ParallelOptions& options);

struct RotateOptions {
  double centreX = 0, centreY = 0;
  double angle = 0;  // degrees, clockwise unless ccw
  bool ccw = false;
};

// Rotates every point of a BNA file; X below 360 is taken for degrees and kept to 7
// decimals, anything else rounded to whole metres. `progress` is called every 200 points.
PassResult RotateBnaRecords(std::istream& in, std::ostream& out, const RotateOptions& options,
                            const ProgressFn& progress);

// A closed line of 38 points on the circle, starting east of the centre.
PassResult WriteCircle(std::ostream& out, double centreX, double centreY, double radius);

// The menu commands "Create Parallel lines", "Rotate bna" and "Draw a circle bna".
void CreateParallelLines(int index, RunState& state, Ui& ui);
void RotateBna(int index, RunState& state, Ui& ui);
void DrawCircleBna(int index, RunState& state, Ui& ui);

}  // namespace zolvane
