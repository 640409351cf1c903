// BNA to XML markers for web maps: one marker per object at its first vertex, and a line
// element with every vertex for lines and polygons; optionally enriched from a CSV table.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"
#include "formats/bna/markup.h"

namespace zolvane {

inline constexpr std::size_t kMaxCsvColumns = 60;

// The rows of a CSV table as marker attributes, grouped by their sync-column value.
struct CsvTable {
  std::vector<std::string> columns;
  // Sync value -> ` NAME="VALUE"` pieces of every row holding it, in file order.
  std::unordered_map<std::string, std::string> pieces;
};

enum class CsvFault { None, NoColumns, TooManyColumns, BadSyncColumn, ReadError };

struct CsvLoadResult {
  CsvFault fault = CsvFault::None;
  long long line = 0;
};

// Reads the column names from the first line and the records (as many fields each as there
// are names, across lines) after it. `syncColumn` counts from 1.
CsvLoadResult LoadCsvTable(std::istream& in, int syncColumn, CsvTable& table);

struct BnaToXmlOptions {
  int label = 1;           // LABEL: 1 label 1, 2 label 2
  std::string lineColour;  // "#rrggbb" or empty
  std::string lineWidth;
  const CsvTable* csv = nullptr;  // combination on when set
};

// Told when no CSV row matches a label; false stops the pass.
using LabelMissingFn = std::function<bool(std::string_view label)>;

// The conversion pass over a checked BNA file. `progress` is called at every object.
PassResult ConvertBnaToXml(std::istream& in, std::ostream& out, const BnaToXmlOptions& options,
                           const ProgressFn& progress, const ObjectNoteFn& note,
                           const LabelMissingFn& missing);

// The menu command.
void BnaToXml(int index, RunState& state, Ui& ui);

}  // namespace zolvane
