#include "dialogs/single_coordinate_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/on_leaving.h"
#include "geo/single_coordinate.h"
#include "geo/utm.h"

namespace zolvane {
namespace {

std::string TextOf(const QLineEdit* box) {
  return box->text().toStdString();
}

QLineEdit* NumberBox(QWidget* parent, const char* name, const char* text) {
  auto* box = new QLineEdit(text, parent);
  box->setObjectName(name);
  return box;
}

QToolButton* PictureButton(QWidget* parent, const char* name, QStyle::StandardPixmap picture,
                           const char* tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setIcon(parent->style()->standardIcon(picture));
  button->setIconSize(QSize(24, 24));
  button->setToolTip(tip);
  // Taking the focus makes the box being typed in normalise its text before the click.
  button->setFocusPolicy(Qt::StrongFocus);
  return button;
}

}  // namespace

SingleCoordinateDialog::SingleCoordinateDialog(RunState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
  setObjectName("Singlecoord");
  setWindowTitle("Single Coordinate Transform");
  setAttribute(Qt::WA_DeleteOnClose);

  auto* ellipsoid = new QGroupBox("Ellipsoid", this);
  ellipsoid->setObjectName("Frame1");
  wgs84_ = new QRadioButton("WGS-84", ellipsoid);
  wgs84_->setObjectName("Option1");
  wgs84_->setChecked(true);
  ed50_ = new QRadioButton("ED-50", ellipsoid);
  ed50_->setObjectName("Option2");
  auto* ellipsoidLayout = new QVBoxLayout(ellipsoid);
  ellipsoidLayout->addWidget(wgs84_);
  ellipsoidLayout->addWidget(ed50_);

  latitude_ = NumberBox(this, "Text1_4", "00.00");
  longitude_ = NumberBox(this, "Text1_3", "000.00");
  zone_ = NumberBox(this, "huso", "0");
  easting_ = NumberBox(this, "Text1_0", "0");
  northing_ = NumberBox(this, "Text1_1", "0");
  auto* degreesNote = new QLabel("Decimal degrees (Negative if W or S)", this);
  degreesNote->setObjectName("Label2_0");
  auto* metresNote = new QLabel("Meters", this);
  metresNote->setObjectName("Label2_1");

  auto* toUtm = PictureButton(this, "G2U", QStyle::SP_ArrowDown, "Geo > UTM");
  auto* toGeo = PictureButton(this, "U2G", QStyle::SP_ArrowUp, "UTM > Geo");
  auto* close = new QPushButton("close", this);
  close->setObjectName("Command1");
  close->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(ellipsoid, 0, 0, 2, 1);
  layout->addWidget(new QLabel("Lat:", this), 0, 1);
  layout->addWidget(latitude_, 0, 2);
  layout->addWidget(new QLabel("Lon:", this), 1, 1);
  layout->addWidget(longitude_, 1, 2);
  layout->addWidget(degreesNote, 2, 1, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(toUtm);
  buttons->addWidget(toGeo);
  buttons->addStretch();
  layout->addLayout(buttons, 3, 0, 1, 3);
  layout->addWidget(new QLabel("Zone", this), 4, 0);
  layout->addWidget(zone_, 5, 0);
  layout->addWidget(new QLabel("X UTM", this), 4, 1);
  layout->addWidget(easting_, 4, 2);
  layout->addWidget(new QLabel("Y UTM", this), 5, 1);
  layout->addWidget(northing_, 5, 2);
  layout->addWidget(metresNote, 6, 1, 1, 2);
  layout->addWidget(close, 7, 2);

  for (QLineEdit* box : {latitude_, longitude_, easting_, northing_}) {
    OnLeaving(box, [box] {
      box->setText(QString::fromStdString(NormalizeNumberText(box->text().toStdString())));
    });
  }
  connect(toUtm, &QToolButton::clicked, this, &SingleCoordinateDialog::GeoToUtm);
  connect(toGeo, &QToolButton::clicked, this, &SingleCoordinateDialog::UtmToGeo);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void SingleCoordinateDialog::UseChosenEllipsoid() {
  const Ellipsoid& ellipsoid = ed50_->isChecked() ? kEd50 : kWgs84;
  state_.SemiMajorAxis = ellipsoid.SemiMajorAxis;
  state_.SemiMinorAxis = ellipsoid.SemiMinorAxis;
}

void SingleCoordinateDialog::GeoToUtm() {
  state_.UtmZone = 0;
  state_.CentralMeridian = 0;
  UseChosenEllipsoid();
  const CalculatorUtmResult result = CalculatorGeoToUtm(
      TextOf(latitude_), TextOf(longitude_), {state_.SemiMajorAxis, state_.SemiMinorAxis});
  if (!result.fault.empty()) {
    QMessageBox::warning(this, windowTitle(), QString::fromStdString(result.fault));
    return;
  }
  zone_->setText(QString::number(result.zone));
  easting_->setText(QString::fromStdString(result.easting));
  northing_->setText(QString::fromStdString(result.northing));
  // The calculator leaves no zone in force, so the next file command asks for one.
  state_.UtmZone = 0;
  state_.CentralMeridian = 0;
}

void SingleCoordinateDialog::UtmToGeo() {
  UseChosenEllipsoid();
  const CalculatorGeoResult result =
      CalculatorUtmToGeo(TextOf(zone_), TextOf(easting_), TextOf(northing_),
                         {state_.SemiMajorAxis, state_.SemiMinorAxis});
  longitude_->setText(QString::fromStdString(result.longitude));
  latitude_->setText(QString::fromStdString(result.latitude));
  state_.UtmZone = 0;
  state_.CentralMeridian = 0;
}

}  // namespace zolvane
