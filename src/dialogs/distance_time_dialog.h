// "Zolvane - Nav. Parameters": the two speeds and the ellipsoid.
#pragma once

#include <QDialog>
#include <QString>

#include "dialogs/layout_options.h"

class QLineEdit;

namespace zolvane {

class DistanceTimeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit DistanceTimeDialog(QWidget* parent = nullptr);

  // Knots; a box that reads as 0 has been set to ".1" by "Calculate".
  double LineSpeed() const;
  double TransitSpeed() const;
  bool Ed50() const;

 private:
  QLineEdit* velocitat_;
  QLineEdit* vel2_;
  OptionFrame ellipsoid_;
};

}  // namespace zolvane
