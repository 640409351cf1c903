// What the preview holds of one file: its extent and value range, and its contents reduced
// to what a view of a given resolution can show.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "core/pass.h"
#include "core/shape_sink.h"

namespace zolvane::preview {

struct Bounds {
  double xMin = std::numeric_limits<double>::infinity();
  double xMax = -std::numeric_limits<double>::infinity();
  double yMin = std::numeric_limits<double>::infinity();
  double yMax = -std::numeric_limits<double>::infinity();

  bool Empty() const { return !(xMin <= xMax && yMin <= yMax); }
  double Width() const { return xMax - xMin; }
  double Height() const { return yMax - yMin; }
  void Add(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    xMin = std::min(xMin, x);
    xMax = std::max(xMax, x);
    yMin = std::min(yMin, y);
    yMax = std::max(yMax, y);
  }
  void Add(const Bounds& other) {
    if (other.Empty()) return;
    Add(other.xMin, other.yMin);
    Add(other.xMax, other.yMax);
  }
  // Longitudes and latitudes, as far as the numbers tell.
  bool Geographic() const {
    return !Empty() && xMin >= -180 && xMax <= 360 && yMin >= -90 && yMax <= 90;
  }
};

struct ValueRange {
  double min = std::numeric_limits<double>::infinity();
  double max = -std::numeric_limits<double>::infinity();

  bool Empty() const { return !(min <= max); }
  void Add(double value) {
    if (!std::isfinite(value)) return;
    min = std::min(min, value);
    max = std::max(max, value);
  }
  void Add(const ValueRange& other) {
    Add(other.min);
    Add(other.max);
  }
};

struct Vertex {
  double x, y;
};

struct Shape {
  ShapeKind kind = ShapeKind::Line;
  std::size_t first = 0;  // into Layer::vertices
  std::size_t count = 0;  // vertices held, after decimation
  long long read = 0;     // vertices the file gives it
  std::size_t label = 0;  // into Layer::labels
  double value = kNoValue;
};

// One value per cell over an area, row 0 at the north; NaN where nothing fell.
struct Raster {
  int width = 0, height = 0;
  Bounds area;
  std::vector<float> values;

  bool Empty() const { return values.empty(); }
  float At(int column, int row) const {
    return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                  static_cast<std::size_t>(column)];
  }
};

struct Layer {
  std::string path;
  Bounds bounds;     // of everything the file holds
  ValueRange range;  // of the values that colour it
  long long objects = 0, vertices = 0;
  PassResult result;  // how the reading ended; a fault leaves what came before it

  // Held at the resolution of the view they were reduced for.
  std::vector<Vertex> held;
  std::vector<Shape> shapes;
  std::vector<std::string> labels;
  Raster samples;                        // point clouds
  Raster grid;                           // grid nodes
  double cellWidth = 0, cellHeight = 0;  // of the reduction
};

}  // namespace zolvane::preview
