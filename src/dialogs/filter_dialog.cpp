#include "dialogs/filter_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/dialog_controls.h"

namespace zolvane {

FilterDialog::FilterDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("filtros");
  setWindowTitle("Zolvane - Filters");
  filters_ = MakeOptionFrame(this, "Frame3", "filters", {{"fil_xy", "X-Y"}, {"fil_Z", "Z"}});
  xyFrame_ = new QGroupBox("Window limits XY", this);
  xyFrame_->setObjectName("Frame1");
  xMax_ = NamedBox(xyFrame_, "xmaxtext", "180");
  xMin_ = NamedBox(xyFrame_, "xmintext", "-180");
  yMax_ = NamedBox(xyFrame_, "ymaxtext", "90");
  yMin_ = NamedBox(xyFrame_, "ymintext", "-90");
  auto* xy = new QGridLayout(xyFrame_);
  xy->addWidget(NamedLabel(xyFrame_, nullptr, "X Max"), 0, 0);
  xy->addWidget(xMax_, 0, 1);
  xy->addWidget(NamedLabel(xyFrame_, nullptr, "X Min"), 1, 0);
  xy->addWidget(xMin_, 1, 1);
  xy->addWidget(NamedLabel(xyFrame_, nullptr, "Y Max"), 2, 0);
  xy->addWidget(yMax_, 2, 1);
  xy->addWidget(NamedLabel(xyFrame_, nullptr, "Y Min"), 3, 0);
  xy->addWidget(yMin_, 3, 1);
  zFrame_ = new QGroupBox("Limits Z", this);
  zFrame_->setObjectName("Frame2");
  zMax_ = NamedBox(zFrame_, "zmaxtext", "1000");
  zMin_ = NamedBox(zFrame_, "zmintext", "0");
  auto* z = new QGridLayout(zFrame_);
  z->addWidget(NamedLabel(zFrame_, nullptr, "Z Max"), 0, 0);
  z->addWidget(zMax_, 0, 1);
  z->addWidget(NamedLabel(zFrame_, nullptr, "Z Min"), 1, 0);
  z->addWidget(zMin_, 1, 1);
  action_ = MakeOptionFrame(this, "Frame4", "Action",
                            {{"accio1", "Extract window"}, {"accio2", "Delete window"}});
  action_.options[0]->setToolTip("Point out of limits will be deleted");
  action_.options[1]->setToolTip("Point inside the window will be deleted");
  statistics_ = new QCheckBox("Statistics", this);
  statistics_->setObjectName("stad");
  statistics_->setToolTip("takes more time");
  QPushButton* next = NamedButton(this, "Command1", " next ");
  next->setDefault(true);
  QPushButton* cancel = NamedButton(this, "Command2", "Cancel");

  auto* layout = new QGridLayout(this);
  layout->addWidget(filters_.frame, 0, 0);
  layout->addWidget(action_.frame, 0, 1);
  layout->addWidget(xyFrame_, 1, 0);
  layout->addWidget(zFrame_, 1, 1);
  layout->addWidget(statistics_, 2, 0, 1, 2);
  layout->addWidget(next, 3, 0);
  layout->addWidget(cancel, 3, 1);

  for (QRadioButton* option : filters_.options)
    connect(option, &QRadioButton::toggled, this, &FilterDialog::EnableLimits);
  connect(next, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  EnableLimits();
}

void FilterDialog::EnableLimits() {
  const bool z = ZRange();
  xyFrame_->setEnabled(!z);
  zFrame_->setEnabled(z);
}

void FilterDialog::SetClipping(bool clipping) {
  clipping_ = clipping;
  filters_.frame->setEnabled(!clipping);
  action_.frame->setEnabled(!clipping);
  EnableLimits();
}

bool FilterDialog::ZRange() const {
  return !clipping_ && filters_.Selected() == 2;
}
double FilterDialog::XMax() const {
  return BoxNumber(xMax_);
}
double FilterDialog::XMin() const {
  return BoxNumber(xMin_);
}
double FilterDialog::YMax() const {
  return BoxNumber(yMax_);
}
double FilterDialog::YMin() const {
  return BoxNumber(yMin_);
}
double FilterDialog::ZMax() const {
  return BoxNumber(zMax_);
}
double FilterDialog::ZMin() const {
  return BoxNumber(zMin_);
}
bool FilterDialog::DeleteWindow() const {
  return !clipping_ && action_.Selected() == 2;
}
bool FilterDialog::Statistics() const {
  return statistics_->isChecked();
}

}  // namespace zolvane
