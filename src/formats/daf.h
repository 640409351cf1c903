// DAF contours: an eight-line header (bounding box and datum), then one START ... STOP block
// per contour line, its depth in the START line and one "x y" line per vertex.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string_view>
#include <utility>
#include <vector>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

struct BnaToDafOptions {
  int label = 1;      // the depth is label 1, otherwise label 2
  bool ed50 = false;  // only labels the coordinates: datum code 3, else 2 (WGS84)
  Statistics bounds;  // of the BNA file, for the header
};

// Told the depth of every block as it is written.
using DepthFn = std::function<void(double depth)>;

// The conversion pass over a checked BNA file. `progress` is called every 200 points.
PassResult ConvertBnaToDaf(std::istream& in, std::ostream& out, const BnaToDafOptions& options,
                           const ProgressFn& progress, const DepthFn& depthShown);

// One contour block: its depth and its vertices, held until its STOP.
using DafBlockFn =
    std::function<void(double depth, const std::vector<std::pair<double, double>>& points)>;

struct DafReadResult {
  PassResult pass;            // pass.count: the points read
  long long unendedLine = 0;  // a block ended here without its STOP line; it was handed over
};

// How a reader takes what lies outside the blocks. Fixed: the first eight lines are the
// header, whatever they hold, and any other line outside a block is a fault. Free: as daf2xyz
// reads, nothing outside a block matters, so a file without its header reads too.
enum class DafOutside { Fixed, Free };

// The reading pass every DAF reader shares; empty lines are ignored. Empty blocks are handed
// over too. `progress` is called every 200 points.
DafReadResult ReadDafBlocks(std::istream& in, const DafBlockFn& block, const ProgressFn& progress,
                            DafOutside outside = DafOutside::Fixed);

struct DafToBnaResult {
  PassResult pass;            // pass.count: the points written
  long long unendedLine = 0;  // a block ended here without its STOP line; it was written
  long long emptyBlocks = 0;  // blocks without points, which a BNA file cannot hold
};

// The first eight lines are the header, whatever they hold. Empty lines are ignored; any
// other line outside a block is a fault. `progress` is called every 200 points.
DafToBnaResult ConvertDafToBna(std::istream& in, std::ostream& out, const ProgressFn& progress);

// Every line inside a block, followed by a blank and the block's depth. `progress` is called
// every 200 points.
PassResult ConvertDafToXyz(std::istream& in, std::ostream& out, const ProgressFn& progress);

// The depth of a START line: the number after its first "="; sets `outOfRange` for one
// beyond the double range.
double DafDepth(std::string_view startLine, bool& outOfRange);

// The menu commands; `index` 1 takes the depth from label 1, 2 from label 2.
void BnaToDaf(int index, RunState& state, Ui& ui);
void DafToBna(int index, RunState& state, Ui& ui);
void DafToXyz(int index, RunState& state, Ui& ui);

}  // namespace zolvane
