#include "dialogs/vec_layer_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zolvane {

VecLayerDialog::VecLayerDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("Fbna2vec");
  setWindowTitle("bna > vec");
  labels_ = MakeOptionFrame(this, "Frame1", "Objects label",
                            {{"Option1", "Label1"}, {"Option2", "Label2"}, {"Option3", "Both"}});
  labels_.options[2]->setChecked(true);
  datum_ = MakeOptionFrame(this, "Frame2", "Datum", {{"Option9", "WGS84"}, {"Option8", "ED50"}});
  units_ =
      MakeOptionFrame(this, "Frame3", "Units", {{"Option6", "Degrees"}, {"Option5", "meters UTM"}});
  hemisphere_ =
      MakeOptionFrame(this, "Frame4", "Hemisphere", {{"Option4", "North"}, {"Option7", "South"}});
  auto* zoneLabel = new QLabel("UTM Zone (if UTM)", this);
  zoneLabel->setObjectName("Label1");
  zone_ = new QLineEdit("31", this);
  zone_->setObjectName("Text1");
  auto* next = new QPushButton("Continue", this);
  next->setObjectName("Command1");
  next->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("Command2");

  auto* layout = new QGridLayout(this);
  layout->addWidget(labels_.frame, 0, 0);
  layout->addWidget(datum_.frame, 0, 1);
  layout->addWidget(units_.frame, 1, 0);
  layout->addWidget(hemisphere_.frame, 1, 1);
  layout->addWidget(zoneLabel, 2, 0);
  layout->addWidget(zone_, 2, 1);
  layout->addWidget(next, 3, 0);
  layout->addWidget(cancel, 3, 1);
  connect(next, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool VecLayerDialog::Ed50() const {
  return datum_.Selected() == 2;
}
bool VecLayerDialog::Degrees() const {
  return units_.Selected() == 1;
}
bool VecLayerDialog::South() const {
  return hemisphere_.Selected() == 2;
}
QString VecLayerDialog::ZoneText() const {
  return zone_->text();
}

}  // namespace zolvane
