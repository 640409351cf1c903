// "Zolvane - ROTATE BNA": the centre, the angle and its direction.
#pragma once

#include <QDialog>
#include <QString>

#include "dialogs/layout_options.h"

class QLineEdit;

namespace zolvane {

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

}  // namespace zolvane
