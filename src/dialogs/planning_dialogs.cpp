#include "dialogs/planning_dialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "core/number_format.h"
#include "core/numbers.h"

namespace zolvane {
namespace {

QLineEdit* Box(QWidget* parent, const char* name, const char* text, const char* tip = nullptr) {
  auto* box = new QLineEdit(QString::fromUtf8(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  if (tip) box->setToolTip(QString::fromUtf8(tip));
  return box;
}

QLabel* Label(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  if (name) label->setObjectName(QString::fromLatin1(name));
  return label;
}

QPushButton* Button(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

// The accept button of the plan dialogs carries an icon and no caption.
QPushButton* AcceptIcon(QDialog* dialog) {
  QPushButton* button = Button(dialog, "fes", "");
  button->setIcon(dialog->style()->standardIcon(QStyle::SP_DialogOkButton));
  button->setToolTip("OK");
  button->setDefault(true);
  QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
  return button;
}

double Number(const QLineEdit* box) {
  return ReadNumber(box->text().toStdString());
}

}  // namespace

CalculDistDialog::CalculDistDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("CalculDist");
  setWindowTitle("Zolvane - Nav. Parameters");
  velocitat_ = Box(this, "velocitat", "5");
  vel2_ = Box(this, "vel2", "5");
  ellipsoid_ =
      MakeOptionFrame(this, "Frame1", "ellipsoid", {{"Option1", "WGS 84"}, {"Option2", "ED 50"}});
  QPushButton* calculate = Button(this, "Command1", "Calculate");
  calculate->setDefault(true);

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label(this, nullptr, "Sailing Speed in lines"), 0, 0);
  layout->addWidget(velocitat_, 0, 1);
  layout->addWidget(Label(this, nullptr, "knots"), 0, 2);
  layout->addWidget(Label(this, nullptr, "Id. between lines or points"), 1, 0);
  layout->addWidget(vel2_, 1, 1);
  layout->addWidget(Label(this, nullptr, "knots"), 1, 2);
  layout->addWidget(ellipsoid_.frame, 2, 0, 1, 3);
  layout->addWidget(calculate, 3, 0, 1, 3);

  connect(calculate, &QPushButton::clicked, this, [this] {
    // A speed of 0 would divide by zero.
    for (QLineEdit* box : {velocitat_, vel2_}) {
      if (Number(box) == 0) box->setText(".1");
    }
    accept();
  });
}

double CalculDistDialog::LineSpeed() const {
  return Number(velocitat_);
}
double CalculDistDialog::TransitSpeed() const {
  return Number(vel2_);
}
bool CalculDistDialog::Ed50() const {
  return ellipsoid_.Selected() == 2;
}

ParallelDialog::ParallelDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("parallel");
  setWindowTitle("Zolvane - Create Parallel");
  units_ = MakeOptionFrame(this, "Frame1", "",
                           {{"Option1", "Unprojected Lat-Lon"}, {"Option2", "Meters UTM"}});
  units_.options[1]->setChecked(true);
  xLabel_ = Label(this, "Label4_0", "X");
  yLabel_ = Label(this, "Label4_1", "Y");
  xa_ = Box(this, "xa", "", "X or long of point A");
  ya_ = Box(this, "ya", "", "Y or lat of point A");
  xb_ = Box(this, "xb", "", "X or long of point B");
  yb_ = Box(this, "yb", "", "Y or long of point B");
  spacing_ = Box(this, "Text5", "1000");
  count_ = Box(this, "paranum", "1");
  scroll_ = new QScrollBar(Qt::Vertical, this);
  scroll_->setObjectName("VScroll1");
  scroll_->setRange(1, 500);
  scroll_->setValue(1);
  QPushButton* cancel = Button(this, "cancel", "Cancel");

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label(this, "Label7", "Master line"), 0, 0);
  layout->addWidget(units_.frame, 0, 1, 1, 3);
  layout->addWidget(xLabel_, 1, 1);
  layout->addWidget(yLabel_, 1, 2);
  layout->addWidget(Label(this, "Label3_0", "Point A"), 2, 0);
  layout->addWidget(xa_, 2, 1);
  layout->addWidget(ya_, 2, 2);
  layout->addWidget(Label(this, "Label3_1", "Point B"), 3, 0);
  layout->addWidget(xb_, 3, 1);
  layout->addWidget(yb_, 3, 2);
  layout->addWidget(Label(this, "Label5", "Distance in meters"), 4, 0);
  layout->addWidget(spacing_, 4, 1);
  layout->addWidget(Label(this, "Label6_0", "Parallel lines"), 5, 0);
  layout->addWidget(count_, 5, 1);
  layout->addWidget(scroll_, 5, 2);
  layout->addWidget(Label(this, "Label6_1", "each side"), 5, 3);
  layout->addWidget(
      Label(this, "Label2", "Values will be displayed in the same units of master line"), 6, 0, 1,
      4);
  layout->addWidget(
      Label(this, "Label1", "Parallel lines will be calculated on the UTM projection"), 7, 0, 1, 4);
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
  return Number(spacing_);
}
int ParallelDialog::Count() const {
  return ToInt32(Int(Number(count_)));
}

RotateDialog::RotateDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("rotate");
  setWindowTitle("Zolvane - ROTATE BNA");
  x_ = Box(this, "Text1", "0");
  y_ = Box(this, "Text2", "0");
  angle_ = Box(this, "Text3", "0");
  direction_ = MakeOptionFrame(this, "Frame1", "", {{"Option1", "CW"}, {"Option2", "CCW"}});
  QPushButton* cancel = Button(this, "cancel", "Cancel");

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label(this, "Label1", "Rotation Center:"), 0, 0, 1, 2);
  layout->addWidget(Label(this, nullptr, "Long\u00ba or meters X "), 1, 0);
  layout->addWidget(x_, 1, 1);
  layout->addWidget(Label(this, nullptr, "Lat\u00ba or meters Y "), 2, 0);
  layout->addWidget(y_, 2, 1);
  layout->addWidget(Label(this, nullptr, "Angle of rotation in degrees"), 3, 0);
  layout->addWidget(angle_, 3, 1);
  layout->addWidget(direction_.frame, 4, 0, 1, 2);
  layout->addWidget(AcceptIcon(this), 5, 0);
  layout->addWidget(cancel, 5, 1);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

double RotateDialog::CentreX() const {
  return Number(x_);
}
double RotateDialog::CentreY() const {
  return Number(y_);
}
double RotateDialog::Angle() const {
  return Number(angle_);
}
bool RotateDialog::Ccw() const {
  return direction_.Selected() == 2;
}

InterpolationDialog::InterpolationDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("Interpolation");
  setWindowTitle("Zolvane lineal interpolation");
  setModal(false);
  x1_ = Box(this, "X1", "0");
  y1_ = Box(this, "Y1", "0");
  x2_ = Box(this, "X2", "0");
  y2_ = Box(this, "Y2", "0");
  x3_ = Box(this, "X3", "0");
  y3_ = Box(this, "Y3", "0");
  slider_ = new QScrollBar(Qt::Horizontal, this);
  slider_->setObjectName("HScroll1");
  slider_->setRange(0, 1000);
  percent_ = Label(this, "Label3", "0 %");
  auto* distances = new QGroupBox("by distances (use same units in both distances)", this);
  distances->setObjectName("Frame1");
  along_ = Box(distances, "Text2", "0");
  total_ = Box(distances, "Text1", "0");
  QPushButton* calc = Button(distances, "Command2", "Calc");
  QPushButton* done = Button(this, "Command1", "done");

  auto* distanceLayout = new QGridLayout(distances);
  distanceLayout->addWidget(Label(distances, nullptr, "p1-X distance "), 0, 0);
  distanceLayout->addWidget(along_, 0, 1);
  distanceLayout->addWidget(Label(distances, nullptr, "p1-p2 distance"), 1, 0);
  distanceLayout->addWidget(total_, 1, 1);
  distanceLayout->addWidget(calc, 0, 2, 2, 1);

  auto* layout = new QGridLayout(this);
  const std::pair<const char*, QLineEdit*> boxes[] = {{"X1", x1_}, {"Y1", y1_}, {"X2", x2_},
                                                      {"Y2", y2_}, {"X", x3_},  {"Y", y3_}};
  for (int i = 0; i < 6; ++i) {
    layout->addWidget(Label(this, nullptr, boxes[i].first), i / 2, (i % 2) * 2);
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

FiltrosDialog::FiltrosDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("filtros");
  setWindowTitle("Zolvane - Filters");
  filters_ = MakeOptionFrame(this, "Frame3", "filters", {{"fil_xy", "X-Y"}, {"fil_Z", "Z"}});
  xyFrame_ = new QGroupBox("Window limits XY", this);
  xyFrame_->setObjectName("Frame1");
  xMax_ = Box(xyFrame_, "xmaxtext", "180");
  xMin_ = Box(xyFrame_, "xmintext", "-180");
  yMax_ = Box(xyFrame_, "ymaxtext", "90");
  yMin_ = Box(xyFrame_, "ymintext", "-90");
  auto* xy = new QGridLayout(xyFrame_);
  xy->addWidget(Label(xyFrame_, nullptr, "X Max"), 0, 0);
  xy->addWidget(xMax_, 0, 1);
  xy->addWidget(Label(xyFrame_, nullptr, "X Min"), 1, 0);
  xy->addWidget(xMin_, 1, 1);
  xy->addWidget(Label(xyFrame_, nullptr, "Y Max"), 2, 0);
  xy->addWidget(yMax_, 2, 1);
  xy->addWidget(Label(xyFrame_, nullptr, "Y Min"), 3, 0);
  xy->addWidget(yMin_, 3, 1);
  zFrame_ = new QGroupBox("Limits Z", this);
  zFrame_->setObjectName("Frame2");
  zMax_ = Box(zFrame_, "zmaxtext", "1000");
  zMin_ = Box(zFrame_, "zmintext", "0");
  auto* z = new QGridLayout(zFrame_);
  z->addWidget(Label(zFrame_, nullptr, "Z Max"), 0, 0);
  z->addWidget(zMax_, 0, 1);
  z->addWidget(Label(zFrame_, nullptr, "Z Min"), 1, 0);
  z->addWidget(zMin_, 1, 1);
  action_ = MakeOptionFrame(this, "Frame4", "Action",
                            {{"accio1", "Extract window"}, {"accio2", "Delete window"}});
  action_.options[0]->setToolTip("Point out of limits will be deleted");
  action_.options[1]->setToolTip("Point inside the window will be deleted");
  statistics_ = new QCheckBox("Statistics", this);
  statistics_->setObjectName("stad");
  statistics_->setToolTip("takes more time");
  QPushButton* next = Button(this, "Command1", " next ");
  next->setDefault(true);
  QPushButton* cancel = Button(this, "Command2", "Cancel");

  auto* layout = new QGridLayout(this);
  layout->addWidget(filters_.frame, 0, 0);
  layout->addWidget(action_.frame, 0, 1);
  layout->addWidget(xyFrame_, 1, 0);
  layout->addWidget(zFrame_, 1, 1);
  layout->addWidget(statistics_, 2, 0, 1, 2);
  layout->addWidget(next, 3, 0);
  layout->addWidget(cancel, 3, 1);

  for (QRadioButton* option : filters_.options)
    connect(option, &QRadioButton::toggled, this, &FiltrosDialog::EnableLimits);
  connect(next, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  EnableLimits();
}

void FiltrosDialog::EnableLimits() {
  const bool z = ZRange();
  xyFrame_->setEnabled(!z);
  zFrame_->setEnabled(z);
}

void FiltrosDialog::SetClipping(bool clipping) {
  clipping_ = clipping;
  filters_.frame->setEnabled(!clipping);
  action_.frame->setEnabled(!clipping);
  EnableLimits();
}

bool FiltrosDialog::ZRange() const {
  return !clipping_ && filters_.Selected() == 2;
}
double FiltrosDialog::XMax() const {
  return Number(xMax_);
}
double FiltrosDialog::XMin() const {
  return Number(xMin_);
}
double FiltrosDialog::YMax() const {
  return Number(yMax_);
}
double FiltrosDialog::YMin() const {
  return Number(yMin_);
}
double FiltrosDialog::ZMax() const {
  return Number(zMax_);
}
double FiltrosDialog::ZMin() const {
  return Number(zMin_);
}
bool FiltrosDialog::DeleteWindow() const {
  return !clipping_ && action_.Selected() == 2;
}
bool FiltrosDialog::Statistics() const {
  return statistics_->isChecked();
}

}  // namespace zolvane
