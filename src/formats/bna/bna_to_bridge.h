// BNA to a Bridge plan: every vertex in degrees and decimal minutes with hemisphere letters,
// as read out on the bridge.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"
#include "formats/bna/markup.h"

namespace zolvane {

// A coordinate as degrees in `degreesPicture` (truncated toward zero, without sign), decimal
// minutes in "00.0000" and the letter `positive` when above 0, `negative` otherwise. Minutes
// that round up to 60.0000 stay so; the degrees are not carried.
void AppendDegreesMinutes(std::string& out, double value, const FixedPicture& degreesPicture,
                          char positive, char negative);

// `label` names each object: 1 label 1, otherwise label 2.
PassResult ConvertBnaToBridgePlan(std::istream& in, std::ostream& out, int label,
                                  const ProgressFn& progress);

// The menu command; `index` chooses the label.
void BnaToBridgePlan(int index, RunState& state, Ui& ui);

}  // namespace zolvane
