#include "dialogs/xyzi_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zolvane {
namespace {

QRadioButton* AddOption(QGroupBox* frame, const char* name, const char* caption) {
  auto* option = new QRadioButton(QString::fromUtf8(caption), frame);
  option->setObjectName(QString::fromLatin1(name));
  frame->layout()->addWidget(option);
  return option;
}

}  // namespace

XyziDialog::XyziDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("xyzi");
  setWindowTitle("Zolvane - Options input xyz ");

  auto* delimiters = new QGroupBox("Delimiters", this);
  delimiters->setObjectName("Frame1");
  delimiters->setLayout(new QVBoxLayout);
  comma_ = AddOption(delimiters, "Option1", "Comma");
  space_ = AddOption(delimiters, "Option2", "Space");
  tab_ = AddOption(delimiters, "Option3", "tab");
  comma_->setChecked(true);

  auto* order = new QGroupBox("Order", this);
  order->setObjectName("frame2");
  order->setLayout(new QVBoxLayout);
  xyz_ = AddOption(order, "xyz", "X Y Z ");
  yxz_ = AddOption(order, "yxz", "Y X Z");
  xy_ = AddOption(order, "XY", " X Y");
  yx_ = AddOption(order, "YX", "Y X");
  xyz_->setChecked(true);

  statistics_ = new QCheckBox("Statistics", this);
  statistics_->setObjectName("stad");
  statistics_->setToolTip("Checks Max and Min before selected transformation.");

  auto* next = new QPushButton("Next", this);
  next->setObjectName("Command1");
  next->setDefault(true);
  connect(next, &QPushButton::clicked, this, &QDialog::accept);

  auto* frames = new QHBoxLayout;
  frames->addWidget(delimiters);
  frames->addWidget(order);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(statistics_);
  bottom->addStretch();
  bottom->addWidget(next);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(frames);
  layout->addLayout(bottom);
}

int XyziDialog::InputFormatCode() const {
  const int delimiter = comma_->isChecked() ? 10 : space_->isChecked() ? 20 : 30;
  const int order = xyz_->isChecked() ? 1 : yxz_->isChecked() ? 2 : xy_->isChecked() ? 3 : 4;
  return delimiter + order;
}

bool XyziDialog::CheckStatistics() const {
  return statistics_->isChecked();
}

}  // namespace zolvane
