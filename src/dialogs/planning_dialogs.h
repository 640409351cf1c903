// The option windows of distance-time, parallel lines, rotation, the interpolator and the
// filters. Each holds its controls and hands back what they say; the commands do the rest.
#pragma once

#include <QDialog>
#include <QString>

#include "dialogs/layout_options.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace zolvane {

// "Zolvane - Nav. Parameters": the two speeds and the ellipsoid.
class CalculDistDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CalculDistDialog(QWidget* parent = nullptr);

  // Knots; a box that reads as 0 has been set to ".1" by "Calculate".
  double LineSpeed() const;
  double TransitSpeed() const;
  bool Ed50() const;

 private:
  QLineEdit* velocitat_;
  QLineEdit* vel2_;
  OptionFrame ellipsoid_;
};

// "Zolvane - Create Parallel": the master line, the spacing and the number of lines.
class ParallelDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ParallelDialog(QWidget* parent = nullptr);

  bool Degrees() const;
  QString Xa() const;
  QString Ya() const;
  QString Xb() const;
  QString Yb() const;
  double Spacing() const;
  int Count() const;

 private:
  OptionFrame units_;
  QLabel* xLabel_;
  QLabel* yLabel_;
  QLineEdit *xa_, *ya_, *xb_, *yb_;
  QLineEdit* spacing_;
  QLineEdit* count_;
  QScrollBar* scroll_;
};

// "Zolvane - ROTATE BNA": the centre, the angle and its direction.
class RotateDialog : public QDialog {
  Q_OBJECT

 public:
  explicit RotateDialog(QWidget* parent = nullptr);

  double CentreX() const;
  double CentreY() const;
  double Angle() const;
  bool Ccw() const;

 private:
  QLineEdit *x_, *y_, *angle_;
  OptionFrame direction_;
};

// "Zolvane lineal interpolation": a window left open beside the main one. The slider and
// "Calc" say when they are used; the window shows what it is given.
class InterpolationDialog : public QDialog {
  Q_OBJECT

 public:
  explicit InterpolationDialog(QWidget* parent = nullptr);

  QString X1() const;
  QString Y1() const;
  QString X2() const;
  QString Y2() const;
  QString AlongText() const;  // "p1-X distance"
  QString TotalText() const;  // "p1-p2 distance"
  int Slider() const;
  void SetSlider(int value);
  void ShowPoint(const QString& x, const QString& y, const QString& percent);

 signals:
  void SliderChanged(int value);
  void CalcClicked();

 private:
  QLineEdit *x1_, *y1_, *x2_, *y2_, *x3_, *y3_;
  QScrollBar* slider_;
  QLabel* percent_;
  QLineEdit *along_, *total_;
};

// "Zolvane - Filters": an X-Y window or a Z range, and what to keep.
class FiltrosDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FiltrosDialog(QWidget* parent = nullptr);

  // The BNA clip takes only an X-Y window to extract: the other choices are locked.
  void SetClipping(bool clipping);

  bool ZRange() const;
  double XMax() const;
  double XMin() const;
  double YMax() const;
  double YMin() const;
  double ZMax() const;
  double ZMin() const;
  bool DeleteWindow() const;
  bool Statistics() const;

 private:
  void EnableLimits();

  OptionFrame filters_;
  QGroupBox* xyFrame_;
  QGroupBox* zFrame_;
  QLineEdit *xMax_, *xMin_, *yMax_, *yMin_, *zMax_, *zMin_;
  OptionFrame action_;
  QCheckBox* statistics_;
  bool clipping_ = false;
};

}  // namespace zolvane
