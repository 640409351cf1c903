// MapGen coastline extracts to BNA: one open line per coastline segment.
#pragma once

#include <istream>
#include <ostream>
#include <string_view>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

inline constexpr std::string_view kMapgenFileFilters =
    "All files (*.*)|*.*|BNA (*.bna)|*.bna|GEBCO (*.asc)|*.asc|MapGen (*.dat)|*.dat|Geosail "
    "(*.obj)|*.obj ";

// A line longer than this holds a point; shorter ones separate segments.
inline constexpr std::size_t kMapgenMarkerLength = 10;

// The conversion pass. The result's count is the number of segments written; `progress` is
// called with it after every segment and every 1000 points.
PassResult ConvertMapgenToBna(std::istream& in, std::ostream& out, const ProgressFn& progress);

// The menu command.
void MapgenToBna(int index, RunState& state, Ui& ui);

}  // namespace zolvane
