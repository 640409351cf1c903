// Comma-separated shot navigation to the fixed-layout navigation text Kingdom Suite imports.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

struct KingdomOptions {
  int shotColumn = 1, xColumn = 2, yColumn = 3;  // each 1 to 3
  std::string lineName = "L-0";                  // written trimmed
};

// Why the columns cannot be used, or empty when they can: each must be 1, 2 or 3, and no two
// the same.
std::string KingdomColumnFault(const KingdomOptions& options);

// The conversion pass: three values per record, one output line each. `progress` is called
// every 500 records.
PassResult ConvertCsvToKingdom(std::istream& in, std::ostream& out, const KingdomOptions& options,
                               const ProgressFn& progress);

// The menu command: the files, then the dialog whose GO converts.
void cs2ks(int index, RunState& state, Ui& ui);

}  // namespace zolvane
