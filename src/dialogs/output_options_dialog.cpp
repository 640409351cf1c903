#include "dialogs/output_options_dialog.h"

#include <QCheckBox>
#include <QPushButton>

namespace zolvane {

OutputOptionsDialog::OutputOptionsDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("xyzo");
  setWindowTitle("Zolvane - Options output xyz");
  order_ = MakeOptionFrame(this, "Frame2", "Order",
                           {{"xyz", "X Y Z "}, {"yxz", "Y X Z"}, {"XY", "X Y"}, {"YX", "Y X"}});
  delimiters_ =
      MakeOptionFrame(this, "Frame1", "Delimiters ",
                      {{"Option1", "Comma"}, {"Option2", "Spaces"}, {"Option3", "Tab's"}});
  distances_ = new QCheckBox("Distances", this);
  distances_->setObjectName("distances");
  auto* next = new QPushButton(" Next ", this);
  next->setObjectName("Command1");
  LayOutLayoutDialog(*this, order_.frame, delimiters_.frame, distances_, next);
}

bool OutputOptionsDialog::Distances() const {
  return distances_->isChecked();
}

}  // namespace zolvane
