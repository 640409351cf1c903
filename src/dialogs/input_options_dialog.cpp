#include "dialogs/input_options_dialog.h"

#include <QCheckBox>
#include <QPushButton>

namespace zolvane {

InputOptionsDialog::InputOptionsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("xyzi");
  setWindowTitle("Zolvane - Options input xyz ");
  delimiters_ = MakeOptionFrame(this, "Frame1", "Delimiters",
                                {{"Option1", "Comma"}, {"Option2", "Space"}, {"Option3", "tab"}});
  order_ = MakeOptionFrame(this, "frame2", "Order",
                           {{"xyz", "X Y Z "}, {"yxz", "Y X Z"}, {"XY", " X Y"}, {"YX", "Y X"}});
  statistics_ = new QCheckBox("Statistics", this);
  statistics_->setObjectName("stad");
  statistics_->setToolTip("Checks Max and Min before selected transformation.");
  auto* next = new QPushButton("Next", this);
  next->setObjectName("Command1");
  LayOutLayoutDialog(*this, delimiters_.frame, order_.frame, statistics_, next);
}

bool InputOptionsDialog::CheckStatistics() const {
  return statistics_->isChecked();
}

}  // namespace zolvane
