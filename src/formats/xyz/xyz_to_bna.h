// XYZ to BNA and XYZ to GMT: the third column labels the points, and each run of consecutive
// points with the same label becomes one object (BNA lines, GMT segments).
#pragma once

#include <istream>
#include <ostream>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"
#include "formats/xyz/xyz_reader.h"

namespace zolvane {

struct XyzToBnaOptions {
  int inputFormatCode = 11;  // a layout with a third column
  bool lines = true;         // false: one single-point record per point
};

// The conversion passes. A layout without a third column reads as a bad first line.
// `progress` is called every 200 points.
XyzPassResult ConvertXyzToBna(std::istream& in, std::ostream& out, const XyzToBnaOptions& options,
                              const ProgressFn& progress);
XyzPassResult ConvertXyzToGmt(std::istream& in, std::ostream& out, int inputFormatCode,
                              const ProgressFn& progress);

// True when the layout code has the label column these exports need.
bool HasLabelColumn(int inputFormatCode);

// The menu commands; `index` 1 writes lines, 2 points.
void XyzToBna(int index, RunState& state, Ui& ui);
void XyzToGmt(int index, RunState& state, Ui& ui);

}  // namespace zolvane
