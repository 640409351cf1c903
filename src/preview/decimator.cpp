#include "preview/decimator.h"

#include <algorithm>
#include <array>
#include <numbers>

#include "core/block_pass.h"

namespace zolvane::preview {
namespace {

constexpr double kMetresPerDegree = 111320;

std::string LabelOf(const ShapeStart& start) {
  std::string label(start.label1);
  if (!start.label2.empty()) {
    label += ' ';
    label += start.label2;
  }
  return label;
}

// The cell an offset from the area's edge falls in, kept inside the raster whatever rounding,
// a zero cell or an infinite area made of the quotient.
int CellIndex(double offset, double cell, int cells) {
  const double index = offset / cell;
  if (!(index >= 0)) return 0;
  return index < cells ? static_cast<int>(index) : cells - 1;
}

}  // namespace

void Survey::Begin(const ShapeStart& start) {
  ++layer_.objects;
  layer_.range.Add(start.value);
}

void Survey::Vertex(double x, double y) {
  ++layer_.vertices;
  layer_.bounds.Add(x, y);
}

void Survey::Sample(double x, double y, double z) {
  ++layer_.objects;
  ++layer_.vertices;
  layer_.bounds.Add(x, y);
  layer_.range.Add(z);
}

void Survey::BeginGrid(const GridArea& area) {
  layer_.bounds.Add(area.xMin, area.yMin);
  layer_.bounds.Add(area.xMax, area.yMax);
}

void Survey::Node(double z) {
  ++layer_.vertices;
  layer_.range.Add(z);
}

Decimator::Decimator(Layer& layer, const Grid& grid) : layer_(layer), grid_(grid) {
  layer_.held.clear();
  // Room for what the survey counted, so that a long file is not copied as it grows; pages
  // never written cost no memory.
  constexpr long long kMostReserved = 1 << 23;
  layer_.held.reserve(static_cast<std::size_t>(std::clamp(layer_.vertices, 0LL, kMostReserved)));
  PreferHugePages(layer_.held.data(), layer_.held.capacity() * sizeof(preview::Vertex));
  layer_.shapes.clear();
  layer_.labels.clear();
  layer_.samples = {};
  layer_.grid = {};
  layer_.cellWidth = grid.CellWidth();
  layer_.cellHeight = grid.CellHeight();
}

int Decimator::ColumnOf(double x) const {
  const double column = std::floor((x - grid_.area.xMin) / grid_.CellWidth());
  // Everything beyond either side of the view shares one column there.
  if (std::isnan(column)) return -1;
  return static_cast<int>(std::clamp(column, -1.0, static_cast<double>(grid_.columns)));
}

void Decimator::FlushRun() {
  if (!runActive_) return;
  runActive_ = false;
  // A run of one vertex, as most are where vertices lie far apart.
  if (first_.order == last_.order) {
    layer_.held.push_back(first_.at);
    ++layer_.shapes.back().count;
    return;
  }
  std::array<Kept, 4> kept = {first_, low_, high_, last_};
  std::sort(kept.begin(), kept.end(),
            [](const Kept& a, const Kept& b) { return a.order < b.order; });
  long long previous = -1;
  for (const Kept& k : kept) {
    if (k.order == previous) continue;
    previous = k.order;
    layer_.held.push_back(k.at);
    ++layer_.shapes.back().count;
  }
}

void Decimator::Begin(const ShapeStart& start) {
  FlushRun();
  open_ = true;
  Shape shape;
  shape.kind = start.kind;
  shape.first = layer_.held.size();
  shape.label = layer_.labels.size();
  shape.value = start.value;
  layer_.labels.push_back(LabelOf(start));
  layer_.shapes.push_back(shape);
}

void Decimator::Vertex(double x, double y) {
  if (!open_) Begin({});
  ++layer_.shapes.back().read;
  const Kept here{order_++, {x, y}};
  const int column = ColumnOf(x);
  if (runActive_ && column == runColumn_) {
    last_ = here;
    if (y < low_.at.y) low_ = here;
    if (y > high_.at.y) high_ = here;
    return;
  }
  FlushRun();
  runActive_ = true;
  runColumn_ = column;
  first_ = last_ = low_ = high_ = here;
}

void Decimator::Sample(double x, double y, double z) {
  const Bounds& area = grid_.area;
  if (!(x >= area.xMin && x <= area.xMax && y >= area.yMin && y <= area.yMax)) return;
  Raster& samples = layer_.samples;
  if (samples.Empty()) {
    samples.width = grid_.columns;
    samples.height = grid_.rows;
    samples.area = area;
    samples.values.assign(static_cast<std::size_t>(grid_.columns) * grid_.rows, kNoValue);
  }
  const int column = CellIndex(x - area.xMin, grid_.CellWidth(), grid_.columns);
  const int row = CellIndex(area.yMax - y, grid_.CellHeight(), grid_.rows);
  samples.values[static_cast<std::size_t>(row) * grid_.columns + column] =
      std::isnan(z) ? 0.0f : static_cast<float>(z);
}

void Decimator::BeginGrid(const GridArea& area) {
  gridArea_ = area;
  node_ = 0;
  Raster& raster = layer_.grid;
  // Nodes stand at the centres of their cells.
  const double dx = area.nx > 1 ? (area.xMax - area.xMin) / static_cast<double>(area.nx - 1) : 1;
  const double dy = area.ny > 1 ? (area.yMax - area.yMin) / static_cast<double>(area.ny - 1) : 1;
  raster.area = {area.xMin - dx / 2, area.xMax + dx / 2, area.yMin - dy / 2, area.yMax + dy / 2};
  // No finer than the nodes, nor than the view's pixels over the grid.
  auto cells = [](long long nodes, double span, double cell) {
    const double pixels = cell > 0 ? std::ceil(span / cell) : 1;
    return static_cast<int>(std::clamp(pixels, 1.0, static_cast<double>(nodes)));
  };
  raster.width = cells(area.nx, raster.area.Width(), grid_.CellWidth());
  raster.height = cells(area.ny, raster.area.Height(), grid_.CellHeight());
  raster.values.assign(static_cast<std::size_t>(raster.width) * raster.height, kNoValue);
}

void Decimator::Node(double z) {
  const GridArea& area = gridArea_;
  const long long column = node_ % area.nx, row = node_ / area.nx;
  ++node_;
  if (std::isnan(z)) return;
  Raster& raster = layer_.grid;
  const long long cellColumn = column * raster.width / area.nx;
  const long long cellRow = (area.ny - 1 - row) * raster.height / area.ny;
  raster.values[static_cast<std::size_t>(cellRow * raster.width + cellColumn)] =
      static_cast<float>(z);
}

void Decimator::Finish() {
  FlushRun();
}

double MetresPerUnitX(const Bounds& view) {
  if (!view.Geographic()) return 1;
  const double latitude = (view.yMin + view.yMax) / 2;
  return kMetresPerDegree * std::cos(latitude * std::numbers::pi / 180);
}

Bounds Fit(const Bounds& data, int width, int height) {
  // Beyond 1e300 no coordinate is real; the limit keeps the view's sizes finite.
  constexpr double kLimit = 1e300;
  Bounds view = data;
  if (view.Empty()) view = {0, 1, 0, 1};
  for (double* edge : {&view.xMin, &view.xMax, &view.yMin, &view.yMax})
    *edge = std::clamp(*edge, -kLimit, kLimit);
  // A single point or a straight line still gets an area.
  const double magnitude = std::max(
      {std::abs(view.xMin), std::abs(view.xMax), std::abs(view.yMin), std::abs(view.yMax)});
  const double spread = std::max({view.Width(), view.Height(), 1e-9 * magnitude, 1e-9});
  if (view.Width() < spread * 1e-3) {
    view.xMin -= spread / 2;
    view.xMax += spread / 2;
  }
  if (view.Height() < spread * 1e-3) {
    view.yMin -= spread / 2;
    view.yMax += spread / 2;
  }
  const double margin = 0.04;
  const double mx = view.Width() * margin, my = view.Height() * margin;
  view = {view.xMin - mx, view.xMax + mx, view.yMin - my, view.yMax + my};
  // Metres along x and y per pixel, made equal by widening the shorter side.
  const double xScale = data.Geographic() ? MetresPerUnitX(data) / kMetresPerDegree : 1;
  const double perPixelX = view.Width() * xScale / std::max(width, 1);
  const double perPixelY = view.Height() / std::max(height, 1);
  if (perPixelX < perPixelY) {
    const double grow = (perPixelY / xScale * width - view.Width()) / 2;
    view.xMin -= grow;
    view.xMax += grow;
  } else {
    const double grow = (perPixelX * height - view.Height()) / 2;
    view.yMin -= grow;
    view.yMax += grow;
  }
  return view;
}

}  // namespace zolvane::preview
