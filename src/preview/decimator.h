// The two passes over a file: a survey of its extent, then a reduction to what a view of
// a given resolution can show. Lines keep, per pixel column, their first and last vertex
// and their lowest and highest, so that their extremes stay exact; point clouds and grids
// keep one value per pixel.
#pragma once

#include "preview/layer.h"
#include "preview/preview_sink.h"

namespace zolvane::preview {

// The area a view shows, cut into columns x rows pixels.
struct Grid {
  Bounds area;
  int columns = 1, rows = 1;

  double CellWidth() const { return area.Width() / columns; }
  double CellHeight() const { return area.Height() / rows; }
};

// Extends the layer's bounds, value range and counts.
class Survey final : public PreviewSink {
 public:
  explicit Survey(Layer& layer) : layer_(layer) {}
  void Begin(const ShapeStart& start) override;
  void Vertex(double x, double y) override;
  void Sample(double x, double y, double z) override;
  void BeginGrid(const GridArea& area) override;
  void Node(double z) override;

 private:
  Layer& layer_;
};

// Fills the layer's held contents for `grid`. Finish() after the last call.
class Decimator final : public PreviewSink {
 public:
  Decimator(Layer& layer, const Grid& grid);
  void Begin(const ShapeStart& start) override;
  void Vertex(double x, double y) override;
  void Sample(double x, double y, double z) override;
  void BeginGrid(const GridArea& area) override;
  void Node(double z) override;
  void Finish();

 private:
  struct Kept {
    long long order = 0;
    preview::Vertex at{};
  };
  int ColumnOf(double x) const;
  void FlushRun();

  Layer& layer_;
  Grid grid_;
  bool open_ = false;  // a shape has begun
  bool runActive_ = false;
  int runColumn_ = 0;
  long long order_ = 0;
  Kept first_, last_, low_, high_;
  GridArea gridArea_;
  long long node_ = 0;
};

// The view of `data` that fills width x height pixels at one scale in both directions
// (east-west shortened by the cosine of the latitude when the data are geographic), with a
// small margin around.
Bounds Fit(const Bounds& data, int width, int height);

// Metres per unit of x at the middle of the view: 1 for projected data.
double MetresPerUnitX(const Bounds& view);

}  // namespace zolvane::preview
