#include "dialogs/profile_dxf_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/number_format.h"
#include "core/numbers.h"
#include "dialogs/on_leaving.h"

namespace zolvane {

ProfileDxfDialog::ProfileDxfDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("xy2dxf");
  setWindowTitle("2D > 3D DXF");

  auto box = [this](const char* name, const char* text) {
    auto* edit = new QLineEdit(text, this);
    edit->setObjectName(name);
    return edit;
  };
  const char* names[4] = {"Text1", "Text2", "Text3", "Text4"};
  for (int i = 0; i < 4; ++i) {
    positions_[i] = box(names[i], "0");
    // A position box shows the number it will be read as whenever it is left, also when
    // its text did not change.
    QLineEdit* edit = positions_[i];
    OnLeaving(edit, [edit] {
      edit->setText(QString::fromStdString(FormatGeneral(ReadNumber(edit->text().toStdString()))));
    });
  }
  factor_ = box("Text5", "1000");
  profile_ = box("Text6", "Line1");
  auto* convert = new QPushButton("Convert", this);
  convert->setObjectName("Command1");

  auto label = [this](const char* text) { return new QLabel(text, this); };
  auto* layout = new QGridLayout(this);
  layout->addWidget(label("Transect START pos: (Degrees or User)"), 0, 0, 1, 2);
  layout->addWidget(label("LONG. or X:"), 1, 0);
  layout->addWidget(positions_[0], 1, 1);
  layout->addWidget(label("LAT. or Y:"), 2, 0);
  layout->addWidget(positions_[1], 2, 1);
  layout->addWidget(label("Transect END position."), 0, 2, 1, 2);
  layout->addWidget(label("LONG or X"), 1, 2);
  layout->addWidget(positions_[2], 1, 3);
  layout->addWidget(label("LAT. or Y:"), 2, 2);
  layout->addWidget(positions_[3], 2, 3);
  layout->addWidget(label("START & END  means  LEFT & RIGTH in digitized profile "), 3, 0, 1, 4);
  layout->addWidget(label("Escale Factor for Z "), 4, 0);
  layout->addWidget(factor_, 4, 1);
  layout->addWidget(
      label("Actual Y will be divided by this factor and converted to real world Z value."), 5, 0,
      1, 4);
  layout->addWidget(label("Profile Name "), 6, 0);
  layout->addWidget(profile_, 6, 1);
  layout->addWidget(convert, 6, 3);

  connect(convert, &QPushButton::clicked, this, &QDialog::accept);
}

ProfileDxfChoice ProfileDxfDialog::Choice() const {
  auto text = [](const QLineEdit* edit) { return edit->text().toStdString(); };
  return {text(positions_[0]), text(positions_[1]), text(positions_[2]),
          text(positions_[3]), text(factor_),       text(profile_)};
}

}  // namespace zolvane
