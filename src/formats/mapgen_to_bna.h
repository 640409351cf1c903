// MapGen coastline extracts to BNA: one open line per coastline segment.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string_view>
#include <vector>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

inline constexpr std::string_view kMapgenFileFilters =
    "All files (*.*)|*.*|BNA (*.bna)|*.bna|GEBCO (*.asc)|*.asc|MapGen (*.dat)|*.dat|Geosail "
    "(*.obj)|*.obj ";

// A line longer than this holds a point; shorter ones separate segments.
inline constexpr std::size_t kMapgenMarkerLength = 10;

// One coastline segment: longitude, latitude pairs, in single precision as the format holds
// them. Never empty.
using MapgenSegmentFn = std::function<void(const std::vector<float>& lonLat)>;

// The reading pass: a line longer than the marker holds a point, a shorter one ends a
// segment. The result's count is the number of segments; `progress` is called with it
// after every segment and every 1000 points.
PassResult ReadMapgenSegments(std::istream& in, const MapgenSegmentFn& segment,
                              const ProgressFn& progress);

// The conversion pass. The result's count is the number of segments written; `progress` is
// called with it after every segment and every 1000 points.
PassResult ConvertMapgenToBna(std::istream& in, std::ostream& out, const ProgressFn& progress);

// The menu command.
void MapgenToBna(int index, RunState& state, Ui& ui);

}  // namespace zolvane
