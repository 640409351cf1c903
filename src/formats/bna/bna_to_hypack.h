// BNA to a HYPACK line file (LNW): one LIN/PTS/LNN/EOL block per object.
#pragma once

#include <istream>
#include <ostream>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

struct BnaToHypackOptions {
  int label = 1;              // the label that names each line: 1, otherwise 2
  long long objectCount = 0;  // as found by the check, for the LNS line
};

PassResult ConvertBnaToHypack(std::istream& in, std::ostream& out,
                              const BnaToHypackOptions& options, const ProgressFn& progress);

// The menu command; `index` chooses the label (1: label 1, 2: label 2).
void BnaToHypack(int index, RunState& state, Ui& ui);

}  // namespace zolvane
