// What the format readers hand to whoever draws or converts their contents: objects in
// file order, each announced with its kind, labels and value, then its vertices.
#pragma once

#include <limits>
#include <string_view>

namespace zolvane {

enum class ShapeKind { Point, Line, Polygon };

inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

struct ShapeStart {
  ShapeKind kind = ShapeKind::Line;
  std::string_view label1, label2;  // valid only during the call
  double value = kNoValue;          // a depth or Z that colours it; NaN when none
};

class ShapeSink {
 public:
  virtual ~ShapeSink() = default;
  virtual void Begin(const ShapeStart& start) = 0;
  virtual void Vertex(double x, double y) = 0;
};

}  // namespace zolvane
