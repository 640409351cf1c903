// "Zolvane - Filters": an X-Y window or a Z range, and what to keep.
#pragma once

#include <QDialog>
#include <QString>

#include "dialogs/layout_options.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace zolvane {

class FilterDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FilterDialog(QWidget* parent = nullptr);

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
