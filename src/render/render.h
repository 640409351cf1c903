// Draws the preview's layers with QPainter, for the window and for pictures written by
// zolvane-cli plot: the input in grey, the outputs in colour, axes in the data's units, a
// scale bar, the legend of the files and the colour legend of the values.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <string>
#include <vector>

#include "preview/layer.h"

namespace zolvane::render {

struct DrawnLayer {
  const preview::Layer* layer = nullptr;
  bool input = false;  // drawn in grey
  QColor colour;       // of an output without values, and of its legend entry
};

struct Scene {
  std::vector<DrawnLayer> layers;
  preview::Bounds view;       // what the plot area shows
  preview::ValueRange range;  // of the values coloured
  std::string title;          // above the data, when not empty
  bool labels = false;        // object names at their first vertex
  std::string note;           // in the legend after the files
};

// The layers drawn in one frame, and what the frame shows.
struct Frame {
  std::vector<std::size_t> layers;
  preview::Bounds view;
};

// The colour of the n-th output file, and of a value at `t` (0..1) along the range.
QColor OutputColour(int index);
QColor ValueColour(double t);

// The part of a picture of `size` the data are drawn in; the rest holds the axes and legend.
QRect PlotArea(QSize size);

// Where a world position falls in `area` showing `view`, and back.
QPointF ToPixel(const QRect& area, const preview::Bounds& view, double x, double y);
preview::Vertex ToWorld(const QRect& area, const preview::Bounds& view, QPointF pixel);

// "2°06.50'E"-style text of a coordinate when `geographic` (minutes with `decimals`), else
// the number.
std::string CoordinateText(double value, bool geographic, bool latitude, int decimals = 2);

void Draw(QPainter& painter, QSize size, const Scene& scene);

// The size of each of `frames` frames side by side in a picture of `size`.
QSize FrameSize(QSize size, std::size_t frames);

// The file-reading part of a picture: every file surveyed, parted into frames of one kind of
// unit (frames side by side), each frame's view fitted to its files, which are then reduced
// to its plot area's pixels. The first file is the input when there are several. Faults are
// kept in each layer's result.
std::vector<preview::Layer> LoadForPicture(const std::vector<std::string>& paths, int layout,
                                           QSize size, std::vector<Frame>& frames);

// The scene of a frame of loaded layers: the first layer in grey when there are several, the
// others in colour (by their place among all the layers), values coloured over their joint
// range.
Scene SceneOf(const std::vector<preview::Layer>& layers, const Frame& frame);

// The scenes side by side as a PNG, or an SVG document.
QByteArray Picture(const std::vector<Scene>& scenes, QSize size, bool svg);

}  // namespace zolvane::render
