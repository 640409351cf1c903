#include "dialogs/distance_time_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/dialog_controls.h"

namespace zolvane {

DistanceTimeDialog::DistanceTimeDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("CalculDist");
  setWindowTitle("Zolvane - Nav. Parameters");
  velocitat_ = NamedBox(this, "velocitat", "5");
  vel2_ = NamedBox(this, "vel2", "5");
  ellipsoid_ =
      MakeOptionFrame(this, "Frame1", "ellipsoid", {{"Option1", "WGS 84"}, {"Option2", "ED 50"}});
  QPushButton* calculate = NamedButton(this, "Command1", "Calculate");
  calculate->setDefault(true);

  auto* layout = new QGridLayout(this);
  layout->addWidget(NamedLabel(this, nullptr, "Sailing Speed in lines"), 0, 0);
  layout->addWidget(velocitat_, 0, 1);
  layout->addWidget(NamedLabel(this, nullptr, "knots"), 0, 2);
  layout->addWidget(NamedLabel(this, nullptr, "Id. between lines or points"), 1, 0);
  layout->addWidget(vel2_, 1, 1);
  layout->addWidget(NamedLabel(this, nullptr, "knots"), 1, 2);
  layout->addWidget(ellipsoid_.frame, 2, 0, 1, 3);
  layout->addWidget(calculate, 3, 0, 1, 3);

  connect(calculate, &QPushButton::clicked, this, [this] {
    // A speed of 0 would divide by zero.
    for (QLineEdit* box : {velocitat_, vel2_}) {
      if (BoxNumber(box) == 0) box->setText(".1");
    }
    accept();
  });
}

double DistanceTimeDialog::LineSpeed() const {
  return BoxNumber(velocitat_);
}
double DistanceTimeDialog::TransitSpeed() const {
  return BoxNumber(vel2_);
}
bool DistanceTimeDialog::Ed50() const {
  return ellipsoid_.Selected() == 2;
}

}  // namespace zolvane
