#include "dialogs/markup_controls.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zolvane {

QStringList KmlSymbols() {
  return {"Circle", "Solid_square", "Empty_Square", "Cross", "Flag",
          "Star",   "Triangle",     "Diamond",      "Donut"};
}

void PaintColour(QPushButton* button, std::uint32_t colour) {
  button->setStyleSheet(QString("background-color: rgb(%1, %2, %3)")
                            .arg(colour & 0xFF)
                            .arg((colour >> 8) & 0xFF)
                            .arg((colour >> 16) & 0xFF));
}

bool ChooseColour(const ColourChooser& chooser, std::uint32_t& colour, QPushButton* button) {
  const std::optional<std::uint32_t> chosen = chooser(colour);
  if (!chosen) return false;
  colour = *chosen;
  PaintColour(button, colour);
  return true;
}

QLabel* Wgs84Notice(QWidget* parent) {
  auto* notice = new QLabel(
      "Google Earth only accepts WGS84 LAT/LON data   remember convert your BNA to degrees in "
      "WGS84)",
      parent);
  notice->setObjectName("Label1");
  notice->setWordWrap(true);
  return notice;
}

LabelRadios MakeLabelRadios(QWidget* parent, const QString& title) {
  auto* box = new QGroupBox(title, parent);
  box->setObjectName("Frame4");
  auto* first = new QRadioButton("Fisrt", box);
  first->setObjectName("Option1");
  first->setChecked(true);
  auto* second = new QRadioButton("Second", box);
  second->setObjectName("Option2");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(first);
  layout->addWidget(second);
  return {box, second};
}

LineControls MakeLineControls(QWidget* parent, const QString& width) {
  auto* box = new QGroupBox("Lines properties", parent);
  box->setObjectName("Frame2");
  auto* colour = new QPushButton("Color", box);
  colour->setObjectName("colorlinea");
  auto* widthBox = new QLineEdit(width, box);
  widthBox->setObjectName("lineancho");
  auto* layout = new QGridLayout(box);
  layout->addWidget(colour, 0, 0, 1, 2);
  layout->addWidget(new QLabel("Line Width", box), 1, 0);
  layout->addWidget(widthBox, 1, 1);
  return {box, colour, widthBox};
}

ContinueCancel MakeContinueCancel(QDialog* dialog) {
  auto* accept = new QPushButton("CONTINUE", dialog);
  accept->setObjectName("Command4");
  accept->setDefault(true);
  auto* cancel = new QPushButton("CANCEL", dialog);
  cancel->setObjectName("Command5");
  QObject::connect(accept, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return {accept, cancel};
}

}  // namespace zolvane
