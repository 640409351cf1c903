// Shifting every point of an XYZ file by one distance and bearing.
#pragma once

#include <istream>
#include <ostream>

#include "core/block_pass.h"
#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"
#include "formats/xyz/transform_questions.h"
#include "formats/xyz/xyz_pass.h"
#include "geo/utm.h"

namespace zolvane {

struct Displacement {
  double distance = 0;  // metres
  double angle = 0;     // degrees clockwise from north
  double dx = 0;        // distance * sin(angle)
  float dy = 0;         // distance * cos(angle), in single precision
};

// The translate dialog's arithmetic: kilometres or nautical miles to metres, and the
// east and north components.
Displacement DisplacementOf(const TranslateChoice& choice);

struct TranslateOptions {
  int inputFormatCode = 11;
  int outputFormatCode = 11;
  bool degrees = false;  // geographic data: shifted in UTM metres and projected back
  Ellipsoid ellipsoid = kWgs84;
  int centralMeridian = 0;
  double dx = 0;
  float dy = 0;
  BlockPassOptions blocks;
};

// The translation pass. `progress` is called every 200 points.
XyzPassResult TranslateXyz(std::istream& in, std::ostream& out, const TranslateOptions& options,
                           const ProgressFn& progress);

// The menu command; `index` is the menu item's (1 data in degrees, 2 data in metres).
void TranslateXyzFile(int index, RunState& state, Ui& ui);

}  // namespace zolvane
