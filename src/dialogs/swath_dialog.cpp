#include "dialogs/swath_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zolvane {

SwathDialog::SwathDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("shapo");
  setWindowTitle("Zolvane - Swath utility");

  auto* caption =
      new QLabel("creation of a  BNA file from a XYZ/XY  file to display swath coverage ", this);
  caption->setObjectName("Label1");
  caption->setWordWrap(true);

  auto* units = new QGroupBox("XY Units", this);
  units->setObjectName("Frame2");
  metres_ = new QRadioButton("meters", units);
  metres_->setObjectName("uni_m");
  degrees_ = new QRadioButton("Degrees", units);
  degrees_->setObjectName("uni_d");
  degrees_->setChecked(true);
  auto* unitsLayout = new QVBoxLayout(units);
  unitsLayout->addWidget(metres_);
  unitsLayout->addWidget(degrees_);

  auto* method = new QGroupBox("Method", this);
  method->setObjectName("Frame1");
  constant_ = new QRadioButton("Constant", method);
  constant_->setObjectName("meto_const");
  constant_->setToolTip("Swath = Value (in meters)");
  coefficient_ = new QRadioButton("Coeficient", method);
  coefficient_->setObjectName("Meto_coef");
  coefficient_->setToolTip("Swath = Depth x  value");
  coefficient_->setChecked(true);
  auto* methodLayout = new QVBoxLayout(method);
  methodLayout->addWidget(constant_);
  methodLayout->addWidget(coefficient_);

  value_ = new QLineEdit("1", this);
  value_->setObjectName("Value_const");
  auto* next = new QPushButton("next", this);
  next->setObjectName("shapo_go");
  next->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Command1");

  auto* layout = new QGridLayout(this);
  layout->addWidget(caption, 0, 0, 1, 2);
  layout->addWidget(units, 1, 0);
  layout->addWidget(method, 1, 1);
  layout->addWidget(new QLabel("Value:", this), 2, 0);
  layout->addWidget(value_, 2, 1);
  layout->addWidget(next, 3, 0);
  layout->addWidget(cancel, 3, 1);
  connect(next, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool SwathDialog::Coefficient() const {
  return coefficient_->isChecked();
}
bool SwathDialog::Degrees() const {
  return degrees_->isChecked();
}
QString SwathDialog::ValueText() const {
  return value_->text();
}

}  // namespace zolvane
