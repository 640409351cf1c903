#include "dialogs/rotate_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/dialog_controls.h"

namespace zolvane {

RotateDialog::RotateDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("rotate");
  setWindowTitle("Zolvane - ROTATE BNA");
  x_ = NamedBox(this, "Text1", "0");
  y_ = NamedBox(this, "Text2", "0");
  angle_ = NamedBox(this, "Text3", "0");
  direction_ = MakeOptionFrame(this, "Frame1", "", {{"Option1", "CW"}, {"Option2", "CCW"}});
  QPushButton* cancel = NamedButton(this, "cancel", "Cancel");

  auto* layout = new QGridLayout(this);
  layout->addWidget(NamedLabel(this, "Label1", "Rotation Center:"), 0, 0, 1, 2);
  layout->addWidget(NamedLabel(this, nullptr, "Long\u00ba or meters X "), 1, 0);
  layout->addWidget(x_, 1, 1);
  layout->addWidget(NamedLabel(this, nullptr, "Lat\u00ba or meters Y "), 2, 0);
  layout->addWidget(y_, 2, 1);
  layout->addWidget(NamedLabel(this, nullptr, "Angle of rotation in degrees"), 3, 0);
  layout->addWidget(angle_, 3, 1);
  layout->addWidget(direction_.frame, 4, 0, 1, 2);
  layout->addWidget(AcceptIcon(this), 5, 0);
  layout->addWidget(cancel, 5, 1);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

double RotateDialog::CentreX() const {
  return BoxNumber(x_);
}
double RotateDialog::CentreY() const {
  return BoxNumber(y_);
}
double RotateDialog::Angle() const {
  return BoxNumber(angle_);
}
bool RotateDialog::Ccw() const {
  return direction_.Selected() == 2;
}

}  // namespace zolvane
