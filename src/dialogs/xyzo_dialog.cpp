#include "dialogs/xyzo_dialog.h"

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

XyzoDialog::XyzoDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("xyzo");
  setWindowTitle("Zolvane - Options output xyz");

  auto* order = new QGroupBox("Order", this);
  order->setObjectName("Frame2");
  order->setLayout(new QVBoxLayout);
  xyz_ = AddOption(order, "xyz", "X Y Z ");
  yxz_ = AddOption(order, "yxz", "Y X Z");
  xy_ = AddOption(order, "XY", "X Y");
  yx_ = AddOption(order, "YX", "Y X");
  xyz_->setChecked(true);

  auto* delimiters = new QGroupBox("Delimiters ", this);
  delimiters->setObjectName("Frame1");
  delimiters->setLayout(new QVBoxLayout);
  comma_ = AddOption(delimiters, "Option1", "Comma");
  spaces_ = AddOption(delimiters, "Option2", "Spaces");
  tabs_ = AddOption(delimiters, "Option3", "Tab's");
  comma_->setChecked(true);

  distances_ = new QCheckBox("Distances", this);
  distances_->setObjectName("distances");

  auto* next = new QPushButton(" Next ", this);
  next->setObjectName("Command1");
  next->setDefault(true);
  connect(next, &QPushButton::clicked, this, &QDialog::accept);

  auto* frames = new QHBoxLayout;
  frames->addWidget(order);
  frames->addWidget(delimiters);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(distances_);
  bottom->addStretch();
  bottom->addWidget(next);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(frames);
  layout->addLayout(bottom);
}

int XyzoDialog::OutputFormatCode() const {
  const int order = xyz_->isChecked() ? 1 : yxz_->isChecked() ? 2 : xy_->isChecked() ? 3 : 4;
  const int delimiter = comma_->isChecked() ? 10 : spaces_->isChecked() ? 20 : 30;
  return order + delimiter;
}

bool XyzoDialog::Distances() const {
  return distances_->isChecked();
}

}  // namespace zolvane
