// Whole XYZ and BNA files from one coordinate reference system to another.
#pragma once

#include <istream>
#include <ostream>

#include "core/block_pass.h"
#include "core/pass.h"
#include "crs/crs.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane {

// Decimals of the coordinates written: 8 for degrees, 3 for metres, unless given.
int DefaultDecimals(const CrsTransform& transform);

struct ReprojectOptions {
  int inputFormatCode = 11;
  int outputFormatCode = 11;
  int decimals = 3;
  BlockPassOptions blocks;  // each thread makes a transformation of its own
};

// Every point keeps its Z (or label) and is written in the output layout. A point the
// operation cannot transform ends the pass at its line. `progress` is called every 200
// points.
XyzPassResult ReprojectXyz(std::istream& in, std::ostream& out, CrsTransform& transform,
                           const ReprojectOptions& options, const ProgressFn& progress);

// Every record of a checked BNA file, with its labels, every vertex transformed. `progress`
// is called every 200 pairs.
PassResult ReprojectBna(std::istream& in, std::ostream& out, CrsTransform& transform, int decimals,
                        const ProgressFn& progress);

}  // namespace zolvane
