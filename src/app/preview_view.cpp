#include "app/preview_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <cmath>

#include "geo/utm.h"
#include "preview/decimator.h"
#include "preview/load.h"
#include "render/render.h"

namespace zolvane {

PreviewView::PreviewView(QWidget* parent) : QWidget(parent) {
  setObjectName("view");
  setMouseTracking(true);
  setMinimumSize(320, 240);
}

void PreviewView::SetLayers(std::shared_ptr<const std::vector<preview::Layer>> layers,
                            std::vector<std::size_t> frame) {
  layers_ = std::move(layers);
  frame_ = std::move(frame);
  if (view_.Empty()) Fit();
  update();
}

void PreviewView::SetView(const preview::Bounds& view) {
  view_ = view;
  if (view.Empty()) moved_ = false;
  update();
  emit viewChanged();
}

QRect PreviewView::Area() const {
  return render::PlotArea(size());
}

void PreviewView::Fit() {
  if (!layers_) return;
  const QRect area = Area();
  SetView(preview::Fit(preview::ExtentOf(*layers_, frame_), area.width(), area.height()));
  moved_ = false;
}

void PreviewView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!layers_) {
    painter.fillRect(rect(), Qt::white);
    return;
  }
  render::Scene scene = render::SceneOf(*layers_, {frame_, view_});
  scene.labels = labels_;
  scene.note = note_.toStdString();
  render::Draw(painter, size(), scene);
}

void PreviewView::SetNote(const QString& note) {
  note_ = note;
  update();
}

void PreviewView::SetLabels(bool labels) {
  labels_ = labels;
  update();
}

void PreviewView::resizeEvent(QResizeEvent* event) {
  if (!moved_ || view_.Empty() || !event->oldSize().isValid()) {
    Fit();
    return;
  }
  // The same units per pixel about the same middle.
  const QRect before = render::PlotArea(event->oldSize()), after = Area();
  const double perX = view_.Width() / before.width(), perY = view_.Height() / before.height();
  const double cx = (view_.xMin + view_.xMax) / 2, cy = (view_.yMin + view_.yMax) / 2;
  SetView({cx - perX * after.width() / 2, cx + perX * after.width() / 2,
           cy - perY * after.height() / 2, cy + perY * after.height() / 2});
}

void PreviewView::mousePressEvent(QMouseEvent* event) {
  dragFrom_ = event->position().toPoint();
}

void PreviewView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (event->buttons() & Qt::LeftButton && !view_.Empty()) {
    const preview::Vertex from = render::ToWorld(Area(), view_, dragFrom_);
    const preview::Vertex to = render::ToWorld(Area(), view_, at);
    dragFrom_ = at.toPoint();
    moved_ = true;
    const double dx = from.x - to.x, dy = from.y - to.y;
    SetView({view_.xMin + dx, view_.xMax + dx, view_.yMin + dy, view_.yMax + dy});
    return;
  }
  if (view_.Empty() || !Area().contains(at.toPoint())) return;
  const preview::Vertex world = render::ToWorld(Area(), view_, at);
  const bool geographic = view_.Geographic() && std::abs(world.y) < 84;
  QString position =
      QString::fromStdString(render::CoordinateText(world.x, geographic, false) + "  " +
                             render::CoordinateText(world.y, geographic, true));
  if (geographic) {
    const int zone = std::clamp(static_cast<int>(std::floor((world.x + 180) / 6)) + 1, 1, 60);
    const UtmCoordinate utm = GeoToUtm(world.y, world.x, CentralMeridianOfZone(zone), kWgs84);
    position += QString("   UTM %1: %2 %3")
                    .arg(zone)
                    .arg(utm.Easting, 0, 'f', 0)
                    .arg(utm.Northing, 0, 'f', 0);
  }
  emit pointed(position, ObjectAt(at));
}

void PreviewView::wheelEvent(QWheelEvent* event) {
  if (view_.Empty()) return;
  const double factor = std::pow(1.25, -event->angleDelta().y() / 120.0);
  moved_ = true;
  const preview::Vertex c = render::ToWorld(Area(), view_, event->position());
  SetView({c.x + (view_.xMin - c.x) * factor, c.x + (view_.xMax - c.x) * factor,
           c.y + (view_.yMin - c.y) * factor, c.y + (view_.yMax - c.y) * factor});
}

QString PreviewView::ObjectAt(QPointF pixel) const {
  constexpr double kReach = 6;
  double best = kReach * kReach;
  QString found;
  for (std::size_t index : frame_) {
    const preview::Layer& layer = (*layers_)[index];
    for (const preview::Shape& shape : layer.shapes) {
      for (std::size_t i = shape.first; i < shape.first + shape.count; ++i) {
        const QPointF p = render::ToPixel(Area(), view_, layer.held[i].x, layer.held[i].y);
        const double d =
            (p.x() - pixel.x()) * (p.x() - pixel.x()) + (p.y() - pixel.y()) * (p.y() - pixel.y());
        if (d >= best) continue;
        best = d;
        found = QString("%1  (%2 vertices)")
                    .arg(QString::fromStdString(layer.labels[shape.label]))
                    .arg(shape.read);
      }
    }
  }
  return found;
}

}  // namespace zolvane
