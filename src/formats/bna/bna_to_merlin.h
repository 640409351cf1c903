// BNA to a planning file for the Simrad Merlin multibeam control: one line per BNA line.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

inline constexpr std::string_view kDefaultMerlinPlanName = "Survey1 from bna";

struct BnaToMerlinOptions {
  std::string planName{kDefaultMerlinPlanName};
};

// Single points are read and skipped. `progress` is called every 200 vertices and after
// every line written.
PassResult ConvertBnaToMerlin(std::istream& in, std::ostream& out,
                              const BnaToMerlinOptions& options, const ProgressFn& progress);

// The menu command; only `index` 2 ("Planning file") writes anything.
void BnaToMerlin(int index, RunState& state, Ui& ui);

}  // namespace zolvane
