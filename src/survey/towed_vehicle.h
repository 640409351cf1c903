// Towed-vehicle positions: the point the layback distance straight behind the ship, on the
// ship's course from its previous fix.
#pragma once

#include <istream>
#include <ostream>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

struct TowedOptions {
  float layback = 0;          // metres; 0 takes each record's own layback
  float maximumStep = 10000;  // a longer step between fixes restarts the track
};

// The correction pass over records "X ship, Y ship, layback, label" (UTM metres). `progress`
// is called every 200 records.
PassResult CorrectTowedPositions(std::istream& in, std::ostream& out, const TowedOptions& options,
                                 const ProgressFn& progress);

// The menu command.
void TowedVehicle(int index, RunState& state, Ui& ui);

}  // namespace zolvane
