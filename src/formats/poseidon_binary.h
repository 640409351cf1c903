// Two inputs that are not plain point text: Simrad Poseidon side-scan grids, written out as
// Surfer ASCII grids, and binary point files, written out as XYZ text.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include "core/block_pass.h"
#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

// The filter list of the Poseidon command's file dialogs.
inline constexpr std::string_view kPoseidonFileFilters =
    "all files (*.*)|*.*|BNA (*.bna)|*.bna|GEBCO (*.asc)|*.asc|XYZ (*.dat)|*.dat|Surfer Grid "
    "(*.grd)|*.grd ";

// What the description line of a Poseidon grid says.
struct PoseidonHeader {
  double latLowerLeft = 0, longLowerLeft = 0, latUpperRight = 0, longUpperRight = 0;
  double columns = 0, rows = 0;
  double minimum = 0, maximum = 0;
};

struct PoseidonOptions {
  // Called after each row written, with its 1-based number and the row count.
  std::function<void(long long row, long long rows)> rowDone;
};

struct PoseidonResult {
  PassResult pass;
  PoseidonHeader header;
};

// The reading pass the conversion makes: the header, then every node row by row from the
// south as the Surfer grid holds it (no data as its blank), `rowEnd` after each row.
// `progress` is called after every row.
struct PoseidonReader {
  std::function<void(const PoseidonHeader&)> header;
  std::function<void(float value)> node;
  std::function<void(long long row, long long rows)> rowEnd;
};
PoseidonResult ReadPoseidonGrid(std::istream& in, const PoseidonReader& reader,
                                const ProgressFn& progress);

// The conversion pass. `progress` is called after every row.
PoseidonResult ConvertPoseidonGrid(std::istream& in, std::ostream& out,
                                   const PoseidonOptions& options, const ProgressFn& progress);

// The menu command "Simrad Poseidon Grid => Surfer Grid".
void PoseidonToSurferGrid(int index, RunState& state, Ui& ui);

struct BinaryPointOptions {
  int outputFormatCode = 11;  // XYZ layout; an invalid code writes no lines
  BlockPassOptions blocks;    // several threads: the same bytes and faults as one
};

struct BinaryPointResult {
  PassResult pass;        // a fault concerns a record, not a line: see BinaryFaultText
  long long records = 0;  // the record count the file declares
};

// The fault of a failed pass, naming the file.
std::string BinaryFaultText(const PassResult& result, std::string_view fileName);

// The conversion pass. `progress` is called every 200 records, or after every block when the
// pass runs on several threads.
BinaryPointResult ConvertBinaryPoints(std::istream& in, std::ostream& out,
                                      const BinaryPointOptions& options,
                                      const ProgressFn& progress);

// The menu command "Binary => Ascii".
void A2BIN(int index, RunState& state, Ui& ui);

}  // namespace zolvane
