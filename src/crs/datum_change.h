// The window's "Datum change": a point or BNA file from one coordinate reference system to
// another.
#pragma once

#include <string>

#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

// The input file (a BNA file by its extension, any other a point file with its layout), the
// two systems, the output file and its layout, then the pass.
void DatumChange(RunState& state, Ui& ui);

// Told with an unknown system: where the known ones are found.
inline constexpr const char* kCrsSearchHint =
    "Type words of its code or name (\"ETRS89 30N\") to choose among the known systems, or "
    "search them with: zolvane-cli crs QUERY";

// Whether the command reads `path` as BNA (by its ending) rather than as points.
bool DatumChangeReadsBna(const std::string& path);

}  // namespace zolvane
