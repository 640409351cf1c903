#include "dialogs/zone_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "core/number_format.h"
#include "core/numbers.h"
#include "dialogs/on_leaving.h"
#include "geo/single_coordinate.h"
#include "geo/utm.h"

namespace zolvane {
namespace {

double ValueOf(const QLineEdit* box) {
  return ReadNumber(box->text().toStdString());
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

QString WholeText(double value) {
  return Text(FormatGeneral(Int(value)));
}

}  // namespace

ZoneDialog::ZoneDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("fusform");
  setWindowTitle("Zolvane - UTM Zone");

  zone_ = new QLineEdit("1", this);
  zone_->setObjectName("fustext");
  zone_->setToolTip("use the scroll to change de value");
  scroll_ = new QScrollBar(Qt::Vertical, this);
  scroll_->setObjectName("VScroll1");
  scroll_->setRange(1, 60);
  scroll_->setValue(1);
  centralMeridian_ = new QLineEdit("-177", this);
  centralMeridian_->setObjectName("cmtext");
  west_ = new QLineEdit(QString::fromUtf8("180\u00baW"), this);
  west_->setObjectName("Text1_0");
  west_->setReadOnly(true);
  east_ = new QLineEdit(QString::fromUtf8("174\u00baW"), this);
  east_->setObjectName("Text1_1");
  east_->setReadOnly(true);
  auto* ok = new QPushButton("O.K.", this);
  ok->setObjectName("fuscm");
  ok->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(" UTM Zone :", this), 0, 0);
  layout->addWidget(zone_, 0, 1);
  layout->addWidget(scroll_, 0, 2, 2, 1);
  layout->addWidget(new QLabel(" Central Meridian :", this), 1, 0);
  layout->addWidget(centralMeridian_, 1, 1);
  layout->addWidget(new QLabel("Range :", this), 2, 0);
  auto* range = new QHBoxLayout;
  range->addWidget(west_);
  range->addWidget(east_);
  layout->addLayout(range, 2, 1, 1, 2);
  layout->addWidget(ok, 3, 1, 1, 2);

  connect(scroll_, &QScrollBar::valueChanged, this,
          [this](int value) { zone_->setText(QString::number(value)); });
  connect(zone_, &QLineEdit::textChanged, this, &ZoneDialog::ZoneChanged);
  connect(zone_, &QLineEdit::editingFinished, this, &ZoneDialog::ZoneChanged);
  connect(centralMeridian_, &QLineEdit::textChanged, this, &ZoneDialog::CentralMeridianChanged);
  OnLeaving(centralMeridian_, [this] { CentralMeridianLeft(); });
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void ZoneDialog::ZoneChanged() {
  const double zone = ValueOf(zone_);
  if (zone == 0) return;
  // The scroll bar follows a typed zone, so that scrolling goes on from there.
  if (zone >= scroll_->minimum() && zone <= scroll_->maximum() && zone == Int(zone)) {
    const QSignalBlocker quiet(scroll_);
    scroll_->setValue(static_cast<int>(zone));
  }
  centralMeridian_->setText(WholeText(6 * zone - 183));
}

void ZoneDialog::CentralMeridianChanged() {
  if (ValueOf(centralMeridian_) == 0) return;
  zone_->setText(QString::number(ZoneOfCentralMeridian(ValueOf(centralMeridian_))));
  // Setting the zone has snapped the meridian to the zone's own; the range follows that.
  const ZoneRange range = ZoneRangeText(ValueOf(centralMeridian_));
  west_->setText(Text(range.west));
  east_->setText(Text(range.east));
}

void ZoneDialog::CentralMeridianLeft() {
  const double centralMeridian = ValueOf(centralMeridian_);
  if (centralMeridian == 0) return;
  const int zone = ZoneOfCentralMeridian(centralMeridian);
  zone_->setText(QString::number(zone));
  // Also when the zone stays the same, so that no change signal would snap the meridian.
  centralMeridian_->setText(WholeText(6 * zone - 183));
}

int ZoneDialog::UtmZone() const {
  return ToInt32(RoundHalfEven(ValueOf(zone_)));
}

int ZoneDialog::CentralMeridian() const {
  return ToInt32(RoundHalfEven(ValueOf(centralMeridian_)));
}

}  // namespace zolvane
