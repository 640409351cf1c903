#include "render/render.h"

#include <QBuffer>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <thread>

#include "preview/decimator.h"
#include "preview/load.h"

namespace zolvane::render {
namespace {

using preview::Bounds;
using preview::Layer;
using preview::Raster;

const QColor kInputGrey(150, 150, 150);
const QColor kBackground(Qt::white);
const QColor kInk(40, 40, 40);
constexpr int kLeft = 78, kRight = 84, kTop = 12, kBottom = 34;

// A step of 1, 2 or 5 times a power of ten giving about `count` intervals over `span`.
double NiceStep(double span, double count) {
  const double raw = span / count;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double factor : {1.0, 2.0, 5.0}) {
    if (raw <= factor * power) return factor * power;
  }
  return 10 * power;
}

// Degrees in whole minutes or whole degrees, so labels fall on round values.
double NiceDegreeStep(double span, double count) {
  const double raw = span / count;
  for (double minutes : {1.0, 2.0, 5.0, 10.0, 15.0, 30.0, 60.0, 120.0, 300.0, 600.0, 1800.0}) {
    if (raw <= minutes / 60) return minutes / 60;
  }
  return NiceStep(span, count);
}

// Whole minutes for steps of whole minutes, else as many decimals as the step needs.
int MinuteDecimals(double degreeStep) {
  const double minutes = degreeStep * 60;
  if (minutes >= 1 - 1e-9) return 0;
  return std::clamp(static_cast<int>(std::ceil(-std::log10(minutes) - 1e-9)), 1, 6);
}

std::string NumberText(double value, double step) {
  char text[48];
  const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 9), value);
  return text;
}

QColor ShapeColour(const DrawnLayer& drawn, double value, const preview::ValueRange& range) {
  if (drawn.input) return kInputGrey;
  if (std::isfinite(value) && !range.Empty() && range.max > range.min) {
    return ValueColour((value - range.min) / (range.max - range.min));
  }
  return drawn.colour;
}

QRectF RectOf(const QRect& area, const Bounds& view, const Bounds& world) {
  return QRectF(ToPixel(area, view, world.xMin, world.yMax),
                ToPixel(area, view, world.xMax, world.yMin));
}

// A grid as a colour image lit from the north-west; blank cells stay transparent.
QImage GridImage(const Raster& raster, const DrawnLayer& drawn, const preview::ValueRange& range) {
  QImage image(raster.width, raster.height, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  const double span = range.max > range.min ? range.max - range.min : 1;
  auto at = [&](int c, int r, float fallback) {
    if (c < 0 || r < 0 || c >= raster.width || r >= raster.height) return fallback;
    const float v = raster.At(c, r);
    return std::isnan(v) ? fallback : v;
  };
  for (int r = 0; r < raster.height; ++r) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(r));
    for (int c = 0; c < raster.width; ++c) {
      const float z = raster.At(c, r);
      if (std::isnan(z)) continue;
      const double slope =
          ((at(c - 1, r, z) - at(c + 1, r, z)) + (at(c, r + 1, z) - at(c, r - 1, z))) / span *
          std::max(raster.width, raster.height) / 8;
      const double light = std::clamp(0.8 + 0.2 * std::tanh(slope), 0.55, 1.0);
      QColor colour = drawn.input ? kInputGrey : ValueColour((z - range.min) / span);
      colour.setRgbF(colour.redF() * light, colour.greenF() * light, colour.blueF() * light);
      line[c] = colour.rgb();
    }
  }
  return image;
}

// Points of a cloud: each filled cell a dot of 2 x 2 pixels, coloured by its value.
QImage SampleImage(const Raster& raster, const DrawnLayer& drawn,
                   const preview::ValueRange& range) {
  QImage image(raster.width, raster.height, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  const bool byValue =
      !drawn.input && !range.Empty() && range.max > range.min && !drawn.layer->range.Empty();
  for (int r = 0; r < raster.height; ++r) {
    for (int c = 0; c < raster.width; ++c) {
      const float z = raster.At(c, r);
      if (std::isnan(z)) continue;
      const QRgb colour = (drawn.input ? kInputGrey
                           : byValue   ? ValueColour((z - range.min) / (range.max - range.min))
                                       : drawn.colour)
                              .rgb();
      for (int dr = 0; dr < 2 && r + dr < raster.height; ++dr) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(r + dr));
        for (int dc = 0; dc < 2 && c + dc < raster.width; ++dc)
          line[c + dc] = colour;
      }
    }
  }
  return image;
}

// Lines drawn straight into pixels, one write per pixel without anti-aliasing, as a
// cosmetic pen draws them: files of a million vertices spanning the view cost hundreds of
// millions of pixels, which the painter's general path takes several times longer over.
class Canvas {
 public:
  explicit Canvas(QSize size) : image_(size, QImage::Format_ARGB32_Premultiplied) {
    image_.fill(Qt::transparent);
    bits_ = reinterpret_cast<QRgb*>(image_.bits());
    stride_ = image_.bytesPerLine() / 4;
  }
  const QImage& Image() const { return image_; }

  // The pixels nearest the line between its end pixels, one per step along the longer axis.
  // Fixed-point steps rather than an error term keep the loop free of branches, which
  // matters when a million long segments cross the picture.
  // Only the rows from `top` up to `bottom` (excluded) are drawn.
  void Line(QPointF a, QPointF b, QRgb colour, int top, int bottom) {
    double x0 = a.x(), y0 = a.y(), x1 = b.x(), y1 = b.y();
    if (!Clip(x0, y0, x1, y1, top, bottom)) return;
    const int ix = static_cast<int>(x0), iy = static_cast<int>(y0);
    const int dx = static_cast<int>(x1) - ix, dy = static_cast<int>(y1) - iy;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) {
      bits_[iy * stride_ + ix] = colour;
      return;
    }
    constexpr int kShift = 32;
    const std::int64_t half = std::int64_t{1} << (kShift - 1);
    QRgb* pixel = bits_ + iy * stride_ + ix;
    if (std::abs(dx) >= std::abs(dy)) {
      const int sx = dx > 0 ? 1 : -1;
      const std::int64_t step = (static_cast<std::int64_t>(dy) << kShift) / steps;
      std::int64_t y = half;
      for (int i = 0; i <= steps; ++i, y += step)
        pixel[(y >> kShift) * stride_ + i * sx] = colour;
    } else {
      const qsizetype sy = dy > 0 ? stride_ : -stride_;
      const std::int64_t step = (static_cast<std::int64_t>(dx) << kShift) / steps;
      std::int64_t x = half;
      for (int i = 0; i <= steps; ++i, x += step)
        pixel[i * sy + (x >> kShift)] = colour;
    }
  }

 private:
  // Liang-Barsky against the pixel centres' box; false when nothing is left.
  bool Clip(double& x0, double& y0, double& x1, double& y1, int top, int bottomRow) const {
    const double right = image_.width() - 0.5, bottom = bottomRow - 0.5;
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {x0, right - x0, y0 - top, bottom - y0};
    for (int i = 0; i < 4; ++i) {
      if (p[i] == 0) {
        if (q[i] < 0) return false;
        continue;
      }
      const double t = q[i] / p[i];
      if (p[i] < 0)
        t0 = std::max(t0, t);
      else
        t1 = std::min(t1, t);
      if (t0 > t1) return false;
    }
    const double ax = x0, ay = y0;
    x0 = ax + t0 * dx;
    y0 = ay + t0 * dy;
    x1 = ax + t1 * dx;
    y1 = ay + t1 * dy;
    return std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1);
  }

  QImage image_;
  QRgb* bits_ = nullptr;
  qsizetype stride_ = 0;
};

void DrawShapes(QPainter& painter, const QRect& area, const Scene& scene, const DrawnLayer& drawn) {
  const Layer& layer = *drawn.layer;
  // Vector output keeps its lines; anything drawn in pixels takes the canvas.
  const bool vector = painter.paintEngine()->type() == QPaintEngine::SVG;
  std::optional<Canvas> canvas;
  if (!vector) canvas.emplace(area.size());
  const QPointF origin = area.topLeft();
  std::vector<std::pair<QPointF, QColor>> markers;
  // Draws the lines into the rows from `top` to `bottom`; collects the points when asked.
  auto draw = [&](int top, int bottom, bool takeMarkers) {
    std::vector<QPointF> points;
    for (const preview::Shape& shape : layer.shapes) {
      if (shape.count == 0) continue;
      const QColor colour = ShapeColour(drawn, shape.value, scene.range);
      points.clear();
      for (std::size_t i = shape.first; i < shape.first + shape.count; ++i) {
        points.push_back(ToPixel(area, scene.view, layer.held[i].x, layer.held[i].y));
      }
      if (shape.kind == ShapeKind::Point || points.size() == 1) {
        if (takeMarkers) {
          for (const QPointF& p : points)
            markers.emplace_back(p, colour);
        }
        continue;
      }
      // Polygons are drawn as closed outlines: a fill would hide what lies beneath, and
      // filling thousands of crossing rings costs far more than the rest of the picture.
      if (shape.kind == ShapeKind::Polygon) points.push_back(points.front());
      if (canvas) {
        const QRgb rgb = colour.rgb();
        for (std::size_t i = 1; i < points.size(); ++i)
          canvas->Line(points[i - 1] - origin, points[i] - origin, rgb, top, bottom);
      } else {
        painter.setPen(QPen(colour, 0));
        painter.drawPolyline(points.data(), static_cast<int>(points.size()));
      }
    }
  };
  if (canvas) {
    // The upper and the lower half at once: their rows are apart, so the threads never
    // write the same pixel.
    const int middle = area.height() / 2;
    std::thread lower(draw, middle, area.height(), false);
    draw(0, middle, true);
    lower.join();
    painter.drawImage(area.topLeft(), canvas->Image());
  } else {
    draw(0, area.height(), true);
  }
  // Points on top, as squares of 5 pixels.
  painter.setPen(Qt::NoPen);
  for (const auto& [p, colour] : markers) {
    painter.setBrush(colour);
    painter.drawRect(QRectF(std::floor(p.x()) - 2, std::floor(p.y()) - 2, 5, 5));
  }
}

void DrawAxes(QPainter& painter, const QRect& area, const Bounds& view) {
  const bool geographic = view.Geographic();
  painter.setPen(QPen(kInk, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
  const QFontMetrics metrics = painter.fontMetrics();
  auto ticks = [&](double low, double high, double pixels, auto&& mark) {
    const double count = std::max(2.0, pixels / 110);
    const double step =
        geographic ? NiceDegreeStep(high - low, count) : NiceStep(high - low, count);
    for (double v = std::ceil(low / step) * step; v <= high; v += step)
      mark(v, step);
  };
  ticks(view.xMin, view.xMax, area.width(), [&](double x, double step) {
    const double px = ToPixel(area, view, x, view.yMin).x();
    painter.drawLine(QPointF(px, area.bottom()), QPointF(px, area.bottom() + 4));
    const QString text = QString::fromStdString(
        geographic ? CoordinateText(x, true, false, MinuteDecimals(step)) : NumberText(x, step));
    painter.drawText(
        QPointF(px - metrics.horizontalAdvance(text) / 2.0, area.bottom() + 6 + metrics.ascent()),
        text);
  });
  ticks(view.yMin, view.yMax, area.height(), [&](double y, double step) {
    const double py = ToPixel(area, view, view.xMin, y).y();
    painter.drawLine(QPointF(area.left() - 4, py), QPointF(area.left(), py));
    const QString text = QString::fromStdString(
        geographic ? CoordinateText(y, true, true, MinuteDecimals(step)) : NumberText(y, step));
    painter.drawText(
        QPointF(area.left() - 6 - metrics.horizontalAdvance(text), py + metrics.ascent() / 2.0 - 1),
        text);
  });
}

void DrawScaleBar(QPainter& painter, const QRect& area, const Bounds& view) {
  const double metresPerPixel = view.Width() * preview::MetresPerUnitX(view) / area.width();
  if (!(metresPerPixel > 0) || !std::isfinite(metresPerPixel)) return;
  const double metres = NiceStep(metresPerPixel * area.width() / 5, 1);
  const double pixels = metres / metresPerPixel;
  const QPointF start(area.left() + 12, area.bottom() - 12);
  painter.setPen(QPen(kInk, 2));
  painter.drawLine(start, start + QPointF(pixels, 0));
  painter.setPen(QPen(kInk, 0));
  const QString text =
      metres >= 1000 ? QString::number(metres / 1000) + " km" : QString::number(metres) + " m";
  painter.drawText(start + QPointF(0, -5), text);
}

void DrawLegend(QPainter& painter, const QRect& area, const preview::ValueRange& range) {
  const QRectF bar(area.right() + 14, area.top() + 10, 14, area.height() * 0.6);
  for (int i = 0; i < static_cast<int>(bar.height()); ++i) {
    painter.setPen(ValueColour(1 - i / bar.height()));
    painter.drawLine(QPointF(bar.left(), bar.top() + i), QPointF(bar.right(), bar.top() + i));
  }
  painter.setPen(QPen(kInk, 0));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(bar);
  const double step = NiceStep(range.max - range.min, 4) / 10;
  painter.drawText(QPointF(bar.right() + 4, bar.top() + 8),
                   QString::fromStdString(NumberText(range.max, step)));
  painter.drawText(QPointF(bar.right() + 4, bar.bottom()),
                   QString::fromStdString(NumberText(range.min, step)));
}

}  // namespace

QColor OutputColour(int index) {
  static const QColor kColours[] = {{0, 90, 220}, {220, 60, 20}, {20, 150, 60}, {150, 40, 170}};
  return kColours[static_cast<std::size_t>(index) % std::size(kColours)];
}

QColor ValueColour(double t) {
  static constexpr double kStops[][3] = {
      {0, 0, 160}, {0, 140, 255}, {0, 190, 80}, {250, 210, 0}, {220, 30, 30}};
  t = std::clamp(std::isfinite(t) ? t : 0.0, 0.0, 1.0) * 4;
  const int i = std::min(static_cast<int>(t), 3);
  const double f = t - i;
  auto mix = [&](int k) {
    return static_cast<int>(kStops[i][k] + (kStops[i + 1][k] - kStops[i][k]) * f);
  };
  return QColor(mix(0), mix(1), mix(2));
}

QRect PlotArea(QSize size) {
  return QRect(kLeft, kTop, std::max(1, size.width() - kLeft - kRight),
               std::max(1, size.height() - kTop - kBottom));
}

QPointF ToPixel(const QRect& area, const Bounds& view, double x, double y) {
  return QPointF(area.left() + (x - view.xMin) / view.Width() * area.width(),
                 area.top() + (view.yMax - y) / view.Height() * area.height());
}

preview::Vertex ToWorld(const QRect& area, const Bounds& view, QPointF pixel) {
  return {view.xMin + (pixel.x() - area.left()) / area.width() * view.Width(),
          view.yMax - (pixel.y() - area.top()) / area.height() * view.Height()};
}

std::string CoordinateText(double value, bool geographic, bool latitude, int decimals) {
  char text[48];
  if (!geographic) {
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
  }
  const char hemisphere = latitude ? (value < 0 ? 'S' : 'N') : (value < 0 ? 'W' : 'E');
  const double magnitude = std::abs(value);
  int degrees = static_cast<int>(magnitude);
  double minutes = (magnitude - degrees) * 60;
  if (minutes >= 60 - 0.5 * std::pow(10.0, -decimals)) {
    ++degrees;
    minutes = 0;
  }
  std::snprintf(text, sizeof text, "%d\u00b0%0*.*f'%c", degrees, decimals > 0 ? decimals + 3 : 2,
                decimals, minutes, hemisphere);
  return text;
}

void Draw(QPainter& painter, QSize size, const Scene& scene) {
  painter.fillRect(QRect(QPoint(0, 0), size), kBackground);
  if (scene.view.Empty()) return;
  const QRect area = PlotArea(size);
  painter.save();
  painter.setClipRect(area);
  for (const DrawnLayer& drawn : scene.layers) {
    const Layer& layer = *drawn.layer;
    if (!layer.grid.Empty()) {
      painter.drawImage(RectOf(area, scene.view, layer.grid.area),
                        GridImage(layer.grid, drawn, scene.range));
    }
    if (!layer.samples.Empty()) {
      painter.drawImage(RectOf(area, scene.view, layer.samples.area),
                        SampleImage(layer.samples, drawn, scene.range));
    }
    DrawShapes(painter, area, scene, drawn);
  }
  painter.restore();
  DrawAxes(painter, area, scene.view);
  DrawScaleBar(painter, area, scene.view);
  if (!scene.range.Empty() && scene.range.max > scene.range.min)
    DrawLegend(painter, area, scene.range);
}

std::vector<Layer> LoadForPicture(const std::vector<std::string>& paths, int layout, QSize size,
                                  Bounds& view) {
  std::vector<preview::Source> sources;
  std::vector<Layer> layers;
  for (const std::string& path : paths) {
    sources.push_back(preview::Source::Of(path, layout));
    layers.push_back(preview::SurveyFile(sources.back(), {}));
  }
  const QRect area = PlotArea(size);
  view = preview::Fit(preview::ExtentOf(layers), area.width(), area.height());
  const preview::Grid grid{view, area.width(), area.height()};
  for (std::size_t i = 0; i < layers.size(); ++i)
    preview::ReduceFile(sources[i], grid, layers[i], {});
  return layers;
}

Scene SceneOf(const std::vector<Layer>& layers, const Bounds& view) {
  Scene scene;
  scene.view = view;
  int outputs = 0;
  for (std::size_t i = 0; i < layers.size(); ++i) {
    const bool input = layers.size() > 1 && i == 0;
    scene.layers.push_back({&layers[i], input, OutputColour(input ? 0 : outputs++)});
    if (!input) scene.range.Add(layers[i].range);
  }
  return scene;
}

QByteArray Picture(const Scene& scene, QSize size, bool svg) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (svg) {
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle("Zolvane preview");
    QPainter painter(&generator);
    Draw(painter, size, scene);
  } else {
    QImage image(size, QImage::Format_RGB32);
    {
      QPainter painter(&image);
      Draw(painter, size, scene);
    }
    image.save(&buffer, "PNG");
  }
  return bytes;
}

}  // namespace zolvane::render
