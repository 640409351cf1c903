// A two-dimensional Didger profile drawing (ASCII DXF) laid along a real-world transect as a
// three-dimensional DXF: drawing X gives the position along the transect, drawing Y divided
// by a scale factor gives Z.
#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>

#include "core/pass.h"
#include "core/run_state.h"
#include "core/ui.h"

namespace zolvane {

// The filter list of the two file dialogs.
inline constexpr std::string_view kDxfFileFilters = "All files (*.*)|*.*|DXF (*.dxf)|*.dxf";

// Feeds the corners of every SOLID entity (a line that is exactly "SOLID") into the X and Y
// ranges of `statistics`. `progress` is called every 500 lines.
PassResult ScanDxfSolids(std::istream& in, Statistics& statistics, const ProgressFn& progress);

struct DxfTo3dOptions {
  double x1 = 0, y1 = 0;          // transect start
  double x2 = 0, y2 = 0;          // transect end
  double xMin = 0, xMax = 0;      // the drawing's X range, mapped onto the transect
  double factor = 1000;           // drawing Y / factor = Z
  std::string profile = "Line1";  // as typed: the comment; trimmed: the layer name
};

// Why the options cannot be used (no X extent, a scale factor of 0), or an empty text.
std::string DxfOptionsFault(const DxfTo3dOptions& options);

// The conversion pass. `progress` is called every 500 lines.
PassResult ConvertDxfTo3d(std::istream& in, std::ostream& out, const DxfTo3dOptions& options,
                          const ProgressFn& progress);

// What the conversion takes of a drawing, for viewing it: each SOLID or 3DFACE begins a
// shape of its four corners, each POLYLINE one of the points of its VERTEX entities.
struct DxfShapeReader {
  std::function<void(bool solid)> begin;
  std::function<void(double x, double y)> point;
};
PassResult ReadDxfShapes(std::istream& in, const DxfShapeReader& reader,
                         const ProgressFn& progress);

// The menu command "Didger.dxf > Real World 3D DXF": files, the SOLID scan into the
// statistics, the transect dialog, then the conversion.
void Xy2Xyz(int index, RunState& state, Ui& ui);

}  // namespace zolvane
