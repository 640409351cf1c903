// Thinning and reshaping of large comma-separated files, and thinning of BNA lines.
#pragma once

#include <istream>
#include <ostream>
#include <string>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

// Fields of a line looked at.
inline constexpr int kMaxExtractFields = 20;

struct ColumnExtractionOptions {
  int mode = 1;   // 2: whole lines; 1 or 3: columns
  int every = 1;  // keeps lines 1, 1 + every, 1 + 2 * every...
  int xColumn = 1, yColumn = 2;
  int zColumn = 0;  // 0: no z
};

struct ColumnExtractionResult {
  PassResult pass;          // count: the lines read
  int shortLineFields = 0;  // fields of the line that lacked a chosen column, 0 if none did
};

// Keeps one line in `every` and writes it whole or as "x,y[,"z"]" with y in single precision;
// blank lines are not records, skipped and not counted. The X and Y ranges of the points
// written extend `statistics`.
ColumnExtractionResult ExtractColumns(std::istream& in, std::ostream& out,
                                      const ColumnExtractionOptions& options,
                                      Statistics& statistics, const ProgressFn& progress);

// Keeps every `every`-th point of each BNA object; objects become open lines of the points
// kept, objects with fewer points than `every` are dropped. `count` of the result: objects.
PassResult ThinBnaLines(std::istream& in, std::ostream& out, int every, const ProgressFn& progress);

// Copies what the file at `path` holds now to `out`, so that a pass writing after it appends
// to the file; nothing when there is no such file. False when it could not be read.
bool CopyExistingFile(const std::string& path, std::ostream& out);

// The menu command "Extract Columns and/or lines".
void ExtractColumnsOrLines(int index, RunState& state, Ui& ui);

}  // namespace zolvane
