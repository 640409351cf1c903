// X-Y-Z filters: the points of an XYZ file inside (or outside) an X-Y window or a Z range,
// and a BNA file clipped to an X-Y window.
#pragma once

#include <istream>
#include <ostream>

#include "core/block_pass.h"
#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"
#include "formats/xyz/xyz_reader.h"
#include "survey/survey_questions.h"

namespace zolvane {

struct FilterLimits {
  double xMin = -180, xMax = 180, yMin = -90, yMax = 90, zMin = 0, zMax = 1000;
};

enum class FilterMode { None = 0, Window = 1, ZRange = 2 };

// The mode the dialog's choice gives: None when a minimum is not below its maximum.
FilterMode FilterModeOf(const FilterChoice& choice);

struct XyzFilterOptions {
  int inputFormatCode = 11;
  int outputFormatCode = 0;  // 0 keeps the input's layout
  FilterMode mode = FilterMode::Window;
  FilterLimits limits;
  bool deleteWindow = false;  // keep the points outside instead
  BlockPassOptions blocks;
};

struct XyzFilterResult : XyzPassResult {
  long long accepted = 0;
};

// The filter pass; limits included. Mode None writes no point. `progress` is called every
// 200 points with the accepted count.
XyzFilterResult FilterXyzPoints(std::istream& in, std::ostream& out,
                                const XyzFilterOptions& options, const ProgressFn& progress);

// The clip pass: every record split into its runs of points strictly inside the window,
// each written as an open line (or a single point) under the record's names. pass.count:
// the points written. `progress` is called every 200 points read.
PassResult ClipBnaRecords(std::istream& in, std::ostream& out, const FilterLimits& limits,
                          const ProgressFn& progress);

// The status texts at the end of the two passes.
std::string FilterXyzEndText(long long accepted);
std::string ClipBnaEndText(long long accepted);

// The menu command "Filters x-y-z": item 1 "xyz >", item 2 "bna >".
void FilterMenu(int index, RunState& state, Ui& ui);

}  // namespace zolvane
