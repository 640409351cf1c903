// Menu commands of the main window itself that need no window of their own.
#pragma once

#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

// "Zones UTM": shows the zone dialog as a reference window; a confirmed zone stays in force
// for the next file command.
void ZonesUtm(int index, RunState& state, Ui& ui);

}  // namespace zolvane
