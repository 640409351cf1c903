// BNA to XY(Z): one delimited line per coordinate pair, Z taken from a label of the object.
#pragma once

#include <istream>
#include <ostream>

#include "core/block_pass.h"
#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

struct BnaToXyzOptions {
  int label = 1;              // 1: z from label 1, otherwise label 2
  int outputFormatCode = 11;  // XYZ layout; codes outside 11..34 or orders beyond 4 write nothing
  BlockPassOptions blocks;    // several threads: the same bytes, faults and lines as one
};

struct BnaToXyzResult {
  PassResult pass;
  int singlePointForm = 0;   // of the last header read
  long long pointCount = 0;  // count of the last header read
};

// The conversion pass over a checked file. `progress` is called every 200 points, or after
// every block when the pass runs on several threads.
BnaToXyzResult ConvertBnaToXyz(std::istream& in, std::ostream& out, const BnaToXyzOptions& options,
                               const ProgressFn& progress);

// The menu command; `index` is the menu item's (1: z = label 1, 2: z = label 2).
void BnaToXyz(int index, RunState& state, Ui& ui);

}  // namespace zolvane
