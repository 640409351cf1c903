// What the preview's readers hand over: shapes, and beside them point clouds and grids,
// which are kept per cell rather than per object.
#pragma once

#include <cstdint>

#include "core/shape_sink.h"

namespace zolvane::preview {

struct GridArea {
  long long nx = 0, ny = 0;
  double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

class PreviewSink : public ShapeSink {
 public:
  // One point of a point file, z NaN when it has none.
  virtual void Sample(double x, double y, double z) = 0;
  virtual void BeginGrid(const GridArea& area) = 0;
  // The nodes in file order, rows from south to north; NaN for a blank node.
  virtual void Node(double z) = 0;
};

}  // namespace zolvane::preview
