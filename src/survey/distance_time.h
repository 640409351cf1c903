// Distance-time estimate: the sailing time and distance of every line of a plan and of the
// transits between them, measured on the UTM plane, with running totals.
#pragma once

#include <istream>
#include <ostream>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"
#include "geo/utm.h"

namespace zolvane {

struct DistanceTimeOptions {
  double lineSpeed = 5;     // knots on the lines
  double transitSpeed = 5;  // knots between them
  Ellipsoid ellipsoid = kWgs84;
  int centralMeridian = 0;  // 0: taken from the zone of the first point
};

struct DistanceTimeResult {
  PassResult pass;          // pass.count: the points read
  int centralMeridian = 0;  // the meridian the distances were measured in
};

// A speed that reads as 0 would divide by zero; it becomes 0.1 knots.
double UsableSpeed(double knots);

// The report pass over a checked BNA file of longitude/latitude lines. `progress` is called
// every 200 points.
DistanceTimeResult EstimateDistanceTime(std::istream& in, std::ostream& out,
                                        const DistanceTimeOptions& options,
                                        const ProgressFn& progress);

// The menu command "Distance-Time".
void DistanceTimeEstimate(int index, RunState& state, Ui& ui);

}  // namespace zolvane
