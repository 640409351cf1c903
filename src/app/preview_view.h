// The map of the preview window: draws the layers through the shared renderer, pans by
// dragging, zooms with the wheel about the cursor and tells what lies under the cursor.
// Resizing keeps the scale and the middle of a view the user moved; an untouched view is
// fitted again.
#pragma once

#include <QPoint>
#include <QWidget>
#include <memory>
#include <vector>

#include "preview/layer.h"

namespace zolvane {

class PreviewView : public QWidget {
  Q_OBJECT

 public:
  explicit PreviewView(QWidget* parent = nullptr);

  // Draws the layers of `frame`, indices into `layers`.
  void SetLayers(std::shared_ptr<const std::vector<preview::Layer>> layers,
                 std::vector<std::size_t> frame);
  const preview::Bounds& View() const { return view_; }
  void SetView(const preview::Bounds& view);
  // The view that shows everything.
  void Fit();
  QRect Area() const;
  // Object names at their first vertex, as `zolvane-cli plot --labels` writes them.
  void SetLabels(bool labels);
  // Said in the legend after the files.
  void SetNote(const QString& note);

 signals:
  void viewChanged();
  // The cursor's position and what lies under it, as text.
  void pointed(const QString& position, const QString& object);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QString ObjectAt(QPointF pixel) const;

  std::shared_ptr<const std::vector<preview::Layer>> layers_;
  std::vector<std::size_t> frame_;
  preview::Bounds view_;
  bool moved_ = false;  // by the user since the last fit
  bool labels_ = false;
  QString note_;
  QPoint dragFrom_;
};

}  // namespace zolvane
