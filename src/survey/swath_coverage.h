// Swath coverage: a BNA quadrilateral for every segment of a ship track, as wide as the
// swath on each side of the track.
#pragma once

#include <istream>
#include <ostream>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

struct SwathOptions {
  int inputFormatCode = 11;
  bool coefficient = true;  // half-width = Z x factor; otherwise half-width = factor
  double factor = 0.5;
};

// The half-width factor of a swath value: half of it, turned from metres into degrees
// (0.00000899 degrees a metre) when the track is in degrees.
double SwathFactor(double value, bool degrees);

// The coverage pass; a point 0,0(,0) separates track lines. `progress` is called every 200
// points.
PassResult CoverSwath(std::istream& in, std::ostream& out, const SwathOptions& options,
                      const ProgressFn& progress);

// The menu command.
void BnaSwath(int index, RunState& state, Ui& ui);

}  // namespace zolvane
