// BNA to Geosail targets: one target per point, a start and an end target per line.
#pragma once

#include <istream>
#include <ostream>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

// `label` names each target: 1 label 1, otherwise label 2.
PassResult ConvertBnaToGeosail(std::istream& in, std::ostream& out, int label,
                               const ProgressFn& progress);

// The menu command; `index` chooses the label.
void BnaToGeosail(int index, RunState& state, Ui& ui);

}  // namespace zolvane
