#include "dialogs/parallel_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "core/number_format.h"
#include "core/numbers.h"
#include "dialogs/dialog_controls.h"

namespace zolvane {

ParallelDialog::ParallelDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("parallel");
  setWindowTitle("Zolvane - Create Parallel");
  units_ = MakeOptionFrame(this, "Frame1", "",
                           {{"Option1", "Unprojected Lat-Lon"}, {"Option2", "Meters UTM"}});
  units_.options[1]->setChecked(true);
  xLabel_ = NamedLabel(this, "Label4_0", "X");
  yLabel_ = NamedLabel(this, "Label4_1", "Y");
  xa_ = NamedBox(this, "xa", "", "X or long of point A");
  ya_ = NamedBox(this, "ya", "", "Y or lat of point A");
  xb_ = NamedBox(this, "xb", "", "X or long of point B");
  yb_ = NamedBox(this, "yb", "", "Y or long of point B");
  spacing_ = NamedBox(this, "Text5", "1000");
  count_ = NamedBox(this, "paranum", "1");
  scroll_ = new QScrollBar(Qt::Vertical, this);
  scroll_->setObjectName("VScroll1");
  scroll_->setRange(1, 500);
  scroll_->setValue(1);
  QPushButton* cancel = NamedButton(this, "cancel", "Cancel");

  auto* layout = new QGridLayout(this);
  layout->addWidget(NamedLabel(this, "Label7", "Master line"), 0, 0);
  layout->addWidget(units_.frame, 0, 1, 1, 3);
  layout->addWidget(xLabel_, 1, 1);
  layout->addWidget(yLabel_, 1, 2);
  layout->addWidget(NamedLabel(this, "Label3_0", "Point A"), 2, 0);
  layout->addWidget(xa_, 2, 1);
  layout->addWidget(ya_, 2, 2);
  layout->addWidget(NamedLabel(this, "Label3_1", "Point B"), 3, 0);
  layout->addWidget(xb_, 3, 1);
  layout->addWidget(yb_, 3, 2);
  layout->addWidget(NamedLabel(this, "Label5", "Distance in meters"), 4, 0);
  layout->addWidget(spacing_, 4, 1);
  layout->addWidget(NamedLabel(this, "Label6_0", "Parallel lines"), 5, 0);
  layout->addWidget(count_, 5, 1);
  layout->addWidget(scroll_, 5, 2);
  layout->addWidget(NamedLabel(this, "Label6_1", "each side"), 5, 3);
  layout->addWidget(
      NamedLabel(this, "Label2", "Values will be displayed in the same units of master line"), 6, 0,
      1, 4);
  layout->addWidget(
      NamedLabel(this, "Label1", "Parallel lines will be calculated on the UTM projection"), 7, 0,
      1, 4);
  layout->addWidget(AcceptIcon(this), 8, 0, 1, 2);
  layout->addWidget(cancel, 8, 2, 1, 2);

  connect(units_.options[0], &QRadioButton::clicked, this, [this] {
    xLabel_->setText(QString::fromUtf8("\u00baLONGITUDE"));
    yLabel_->setText(QString::fromUtf8("\u00baLATITUDE"));
  });
  connect(units_.options[1], &QRadioButton::clicked, this, [this] {
    xLabel_->setText("X");
    yLabel_->setText("Y");
  });
  // The spacing box always shows the number it holds.
  connect(spacing_, &QLineEdit::textEdited, this, [this](const QString& text) {
    const QString number = QString::fromStdString(FormatGeneral(ReadNumber(text.toStdString())));
    if (number != text) spacing_->setText(number);
  });
  connect(scroll_, &QScrollBar::valueChanged, this,
          [this](int value) { count_->setText(QString::number(value)); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool ParallelDialog::Degrees() const {
  return units_.Selected() == 1;
}
QString ParallelDialog::Xa() const {
  return xa_->text();
}
QString ParallelDialog::Ya() const {
  return ya_->text();
}
QString ParallelDialog::Xb() const {
  return xb_->text();
}
QString ParallelDialog::Yb() const {
  return yb_->text();
}
double ParallelDialog::Spacing() const {
  return BoxNumber(spacing_);
}
int ParallelDialog::Count() const {
  return ToInt32(Int(BoxNumber(count_)));
}

}  // namespace zolvane
