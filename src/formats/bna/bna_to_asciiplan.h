// BNA to an asciiplan for Simrad SIS: one line per object, whatever its length.
#pragma once

#include <istream>
#include <ostream>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

PassResult ConvertBnaToAsciiplan(std::istream& in, std::ostream& out, const ProgressFn& progress);

// The menu command.
void BnaToAsciiplan(int index, RunState& state, Ui& ui);

}  // namespace zolvane
