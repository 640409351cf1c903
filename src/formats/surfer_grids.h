// Surfer grids: the Genesis II export of an ASCII grid, and the extraction of the grid
// behind a map object through Surfer's automation interface.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string_view>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

struct SurferGridHeader {
  long long nx = 0, ny = 0;
  double xMin = 0, xMax = 0, yMin = 0, yMax = 0, zMin = 0, zMax = 0;
};

struct GenesisOptions {
  double substitute = -9999;  // whole number that replaces blank nodes
};

struct SurferGridResult {
  PassResult pass;  // count: the values read (or written)
  bool headerRead = false;
  SurferGridHeader header;
};
using GenesisResult = SurferGridResult;

// Node values above this are blank.
inline constexpr double kSurferBlankLimit = 1.7e30;

using SurferHeaderFn = std::function<void(const SurferGridHeader& header)>;
// Every node value in file order, rows from south to north; false ends the pass on a value
// out of range.
using SurferNodeFn = std::function<bool(double z)>;

// The reading pass of a DSAA grid: the header, then nx * ny values. `progress` is called
// every 4096 values.
SurferGridResult ReadSurferGrid(std::istream& in, const SurferHeaderFn& header,
                                const SurferNodeFn& node, const ProgressFn& progress);

// Reads a DSAA grid and writes one node value per line, northern row first, each value
// shifted by the header's z minimum and rounded down. The stream is read twice (it must be
// able to seek): the grid is checked whole before anything is written, and only a group of
// rows is held at a time.
GenesisResult SurferGridToGenesisText(std::istream& in, std::ostream& out,
                                      const GenesisOptions& options, const ProgressFn& progress);

// The menu command "Surfer=> Genesis II xyz".
void SurferGridToGenesis(int index, RunState& state, Ui& ui);

// An object of Surfer's automation interface; 0 stands for none, as a call that failed
// gives.
using SurferObject = long long;

// The calls the grid extraction makes of Surfer, late-bound by name. Every call may fail;
// the command skips a failed one and goes on.
class SurferAutomation {
 public:
  virtual ~SurferAutomation() = default;

  // The running instance of `className`, 0 when none runs.
  virtual SurferObject AttachRunning(std::string_view className) = 0;
  // Starts a new instance of `className`.
  virtual bool CreateInstance(std::string_view className) = 0;
  virtual bool SetVisible(SurferObject application, bool visible) = 0;
  // Documents.Open
  virtual bool OpenDocument(SurferObject application, std::string_view path) = 0;
  // Windows.Count
  virtual std::optional<long long> WindowsCount(SurferObject application) = 0;
  // Documents.Add
  virtual bool AddDocument(SurferObject application, int documentType) = 0;
  virtual bool SetWindowState(SurferObject application, int windowState) = 0;
  virtual SurferObject ActiveDocument(SurferObject application) = 0;
  // Selection.Item
  virtual SurferObject SelectionItem(SurferObject document, int item) = 0;
  // Overlays.Item
  virtual SurferObject OverlaysItem(SurferObject map, int item) = 0;
  virtual SurferObject Grid(SurferObject overlay) = 0;
  virtual bool SaveFile(SurferObject grid, std::string_view path, int format) = 0;
};

// Surfer's automation interface on this system; empty where there is none.
std::unique_ptr<SurferAutomation> ConnectSurfer();

// The menu command "Extract grid from a Surfer map", over the interface this system has.
void ExtractSurferGrid(int index, RunState& state, Ui& ui);
// The same over a given interface.
void ExtractSurferGrid(RunState& state, Ui& ui, SurferAutomation& surfer);

}  // namespace zolvane
