#include "dialogs/layback_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zolvane {

LaybackDialog::LaybackDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("layback");
  setWindowTitle("Zolvane -   Lay-back");

  auto* method = new QGroupBox("Method", this);
  method->setObjectName("Frame1");
  fromFile_ = new QRadioButton("in file value", method);
  fromFile_->setObjectName("layfile");
  fromFile_->setChecked(true);
  constant_ = new QRadioButton("Constant", method);
  constant_->setObjectName("constante");
  auto* methodLayout = new QVBoxLayout(method);
  methodLayout->addWidget(fromFile_);
  methodLayout->addWidget(constant_);

  layback_ = new QLineEdit("1", this);
  layback_->setObjectName("constlay");
  maximum_ = new QLineEdit("10000", this);
  maximum_->setObjectName("laymaxim");
  auto* format = new QLabel(
      "File format must be: [ Xutm , Yutm, layback, (\"Id-string\" or Idvalue) ]. The last "
      "string has no length limitations",
      this);
  format->setObjectName("Label1");
  format->setWordWrap(true);
  auto* next = new QPushButton("Next", this);
  next->setObjectName("golay");
  next->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Command2");

  auto* layout = new QGridLayout(this);
  layout->addWidget(method, 0, 0, 2, 1);
  layout->addWidget(new QLabel("Value:", this), 0, 1);
  layout->addWidget(layback_, 0, 2);
  layout->addWidget(new QLabel("Maximum", this), 1, 1);
  layout->addWidget(maximum_, 1, 2);
  layout->addWidget(format, 2, 0, 1, 3);
  layout->addWidget(next, 3, 1);
  layout->addWidget(cancel, 3, 2);
  connect(next, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool LaybackDialog::Constant() const {
  return constant_->isChecked();
}
QString LaybackDialog::LaybackText() const {
  return layback_->text();
}
QString LaybackDialog::MaximumText() const {
  return maximum_->text();
}

}  // namespace zolvane
