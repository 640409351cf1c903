#include "dialogs/interpolation_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "dialogs/dialog_controls.h"

namespace zolvane {

InterpolationDialog::InterpolationDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("Interpolation");
  setWindowTitle("Zolvane lineal interpolation");
  setModal(false);
  x1_ = NamedBox(this, "X1", "0");
  y1_ = NamedBox(this, "Y1", "0");
  x2_ = NamedBox(this, "X2", "0");
  y2_ = NamedBox(this, "Y2", "0");
  x3_ = NamedBox(this, "X3", "0");
  y3_ = NamedBox(this, "Y3", "0");
  slider_ = new QScrollBar(Qt::Horizontal, this);
  slider_->setObjectName("HScroll1");
  slider_->setRange(0, 1000);
  percent_ = NamedLabel(this, "Label3", "0 %");
  auto* distances = new QGroupBox("by distances (use same units in both distances)", this);
  distances->setObjectName("Frame1");
  along_ = NamedBox(distances, "Text2", "0");
  total_ = NamedBox(distances, "Text1", "0");
  QPushButton* calc = NamedButton(distances, "Command2", "Calc");
  QPushButton* done = NamedButton(this, "Command1", "done");

  auto* distanceLayout = new QGridLayout(distances);
  distanceLayout->addWidget(NamedLabel(distances, nullptr, "p1-X distance "), 0, 0);
  distanceLayout->addWidget(along_, 0, 1);
  distanceLayout->addWidget(NamedLabel(distances, nullptr, "p1-p2 distance"), 1, 0);
  distanceLayout->addWidget(total_, 1, 1);
  distanceLayout->addWidget(calc, 0, 2, 2, 1);

  auto* layout = new QGridLayout(this);
  const std::pair<const char*, QLineEdit*> boxes[] = {{"X1", x1_}, {"Y1", y1_}, {"X2", x2_},
                                                      {"Y2", y2_}, {"X", x3_},  {"Y", y3_}};
  for (int i = 0; i < 6; ++i) {
    layout->addWidget(NamedLabel(this, nullptr, boxes[i].first), i / 2, (i % 2) * 2);
    layout->addWidget(boxes[i].second, i / 2, (i % 2) * 2 + 1);
  }
  layout->addWidget(slider_, 3, 0, 1, 3);
  layout->addWidget(percent_, 3, 3);
  layout->addWidget(distances, 4, 0, 1, 4);
  layout->addWidget(done, 5, 0, 1, 4);

  connect(slider_, &QScrollBar::valueChanged, this, &InterpolationDialog::SliderChanged);
  connect(calc, &QPushButton::clicked, this, &InterpolationDialog::CalcClicked);
  connect(done, &QPushButton::clicked, this, &QWidget::hide);
}

QString InterpolationDialog::X1() const {
  return x1_->text();
}
QString InterpolationDialog::Y1() const {
  return y1_->text();
}
QString InterpolationDialog::X2() const {
  return x2_->text();
}
QString InterpolationDialog::Y2() const {
  return y2_->text();
}
QString InterpolationDialog::AlongText() const {
  return along_->text();
}
QString InterpolationDialog::TotalText() const {
  return total_->text();
}
int InterpolationDialog::Slider() const {
  return slider_->value();
}
void InterpolationDialog::SetSlider(int value) {
  slider_->setValue(value);
}
void InterpolationDialog::ShowPoint(const QString& x, const QString& y, const QString& percent) {
  x3_->setText(x);
  y3_->setText(y);
  percent_->setText(percent);
}

}  // namespace zolvane
