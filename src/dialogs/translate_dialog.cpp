#include "dialogs/translate_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace zolvane {

TranslateDialog::TranslateDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("translate");
  setWindowTitle("Zolvane - Translate xyz points");

  distance_ = new QLineEdit("0", this);
  distance_->setObjectName("distancia");
  unit_ = new QLabel("Km", this);
  unit_->setObjectName("Label1");

  auto* units = new QGroupBox("Units", this);
  units->setObjectName("Range");
  kilometres_ = new QCheckBox("Kilometers", units);
  kilometres_->setObjectName("Check1");
  kilometres_->setChecked(true);
  nauticalMiles_ = new QCheckBox("Nautic Milles", units);
  nauticalMiles_->setObjectName("Check2");
  auto* unitsLayout = new QVBoxLayout(units);
  unitsLayout->addWidget(kilometres_);
  unitsLayout->addWidget(nauticalMiles_);

  direction_ = new QLineEdit("0", this);
  direction_->setObjectName("teta");
  scroll_ = new QScrollBar(Qt::Vertical, this);
  scroll_->setObjectName("VScroll1");
  scroll_->setRange(0, 360);

  auto* ok = new QPushButton("Translate", this);
  ok->setObjectName("traslatecom");
  ok->setDefault(true);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("Distance", this), 0, 0);
  layout->addWidget(distance_, 0, 1);
  layout->addWidget(unit_, 0, 2);
  layout->addWidget(units, 1, 0, 1, 3);
  layout->addWidget(new QLabel("Direction", this), 2, 0);
  layout->addWidget(direction_, 2, 1);
  layout->addWidget(new QLabel("Degrees", this), 2, 2);
  layout->addWidget(scroll_, 0, 3, 3, 1);
  layout->addWidget(ok, 3, 0, 1, 4);

  // Ticking one unit unticks the other; unticking leaves both off.
  connect(kilometres_, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) return;
    unit_->setText("Km");
    nauticalMiles_->setChecked(false);
  });
  connect(nauticalMiles_, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) return;
    unit_->setText("NM");
    kilometres_->setChecked(false);
  });
  connect(scroll_, &QScrollBar::valueChanged, this,
          [this](int value) { direction_->setText(QString::number(value)); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

QString TranslateDialog::DistanceText() const {
  return distance_->text();
}
QString TranslateDialog::DirectionText() const {
  return direction_->text();
}
bool TranslateDialog::Kilometres() const {
  return kilometres_->isChecked();
}

}  // namespace zolvane
