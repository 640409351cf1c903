#include "dialogs/fbna2kml_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "core/numbers.h"
#include "formats/bna/bna_to_kml.h"
#include "formats/bna/markup.h"

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

Fbna2kmlDialog::Fbna2kmlDialog(ColourChooser chooser, QWidget* parent)
    : QDialog(parent), chooser_(std::move(chooser)) {
  setObjectName("Fbna2kml");
  setWindowTitle("BNA => GOOGLE EARTH  KML");

  auto* notice = new QLabel(
      "Google Earth only accepts WGS84 LAT/LON data   remember convert your BNA to degrees in "
      "WGS84)",
      this);
  notice->setObjectName("Label1");
  notice->setWordWrap(true);

  auto* labels = new QGroupBox("bna label to be used", this);
  labels->setObjectName("Frame4");
  first_ = new QRadioButton("Fisrt", labels);
  first_->setObjectName("Option1");
  first_->setChecked(true);
  second_ = new QRadioButton("Second", labels);
  second_->setObjectName("Option2");
  auto* labelsLayout = new QVBoxLayout(labels);
  labelsLayout->addWidget(first_);
  labelsLayout->addWidget(second_);

  auto* points = new QGroupBox("Points properties", this);
  points->setObjectName("Frame1");
  pointButton_ = new QPushButton("Color", points);
  pointButton_->setObjectName("colorpoint");
  symbol_ = new QComboBox(points);
  symbol_->setObjectName("Symbol");
  symbol_->setEditable(true);
  symbol_->addItems(KmlSymbols());
  symbol_->setCurrentText("Circle");
  symbolScale_ = new QLineEdit("0.5", points);
  symbolScale_->setObjectName("symbolscale");
  auto* pointsLayout = new QGridLayout(points);
  pointsLayout->addWidget(pointButton_, 0, 0);
  pointsLayout->addWidget(symbol_, 0, 1);
  pointsLayout->addWidget(new QLabel("Symbol scale", points), 1, 0);
  pointsLayout->addWidget(symbolScale_, 1, 1);

  auto* lines = new QGroupBox("Lines properties", this);
  lines->setObjectName("Frame2");
  lineButton_ = new QPushButton("Color", lines);
  lineButton_->setObjectName("colorlinea");
  lineWidth_ = new QLineEdit("1", lines);
  lineWidth_->setObjectName("lineancho");
  auto* linesLayout = new QGridLayout(lines);
  linesLayout->addWidget(lineButton_, 0, 0, 1, 2);
  linesLayout->addWidget(new QLabel("Line Width", lines), 1, 0);
  linesLayout->addWidget(lineWidth_, 1, 1);

  auto* polygons = new QGroupBox("polygon properties", this);
  polygons->setObjectName("Frame3");
  random_ = new QCheckBox("Random", polygons);
  random_->setObjectName("Check1");
  random_->setChecked(true);
  polygonButton_ = new QPushButton("random", polygons);
  polygonButton_->setObjectName("polcolor");
  transparency_ = new QLineEdit("50", polygons);
  transparency_->setObjectName("Text3");
  transparency_->setEnabled(false);
  scroll_ = new QScrollBar(Qt::Vertical, polygons);
  scroll_->setObjectName("VScroll1");
  scroll_->setRange(0, 100);
  scroll_->setValue(50);
  scroll_->setEnabled(false);
  auto* polygonsLayout = new QGridLayout(polygons);
  polygonsLayout->addWidget(random_, 0, 0);
  polygonsLayout->addWidget(polygonButton_, 0, 1);
  polygonsLayout->addWidget(new QLabel("Transparency", polygons), 1, 0);
  polygonsLayout->addWidget(transparency_, 1, 1);
  polygonsLayout->addWidget(scroll_, 0, 2, 2, 1);

  folder_ = new QLineEdit(this);
  folder_->setObjectName("Text2");
  description_ = new QLineEdit(this);
  description_->setObjectName("Text1");
  auto* accept = new QPushButton("CONTINUE", this);
  accept->setObjectName("Command4");
  accept->setDefault(true);
  auto* cancel = new QPushButton("CANCEL", this);
  cancel->setObjectName("Command5");

  auto* layout = new QGridLayout(this);
  layout->addWidget(notice, 0, 0, 1, 2);
  layout->addWidget(labels, 1, 0);
  layout->addWidget(points, 1, 1);
  layout->addWidget(lines, 2, 0);
  layout->addWidget(polygons, 2, 1);
  layout->addWidget(new QLabel("Folder Name:", this), 3, 0);
  layout->addWidget(folder_, 3, 1);
  layout->addWidget(new QLabel("Description:", this), 4, 0);
  layout->addWidget(description_, 4, 1);
  layout->addWidget(accept, 5, 0);
  layout->addWidget(cancel, 5, 1);

  const auto chooseOpaque = [this](std::uint32_t& colour, QPushButton* button) {
    const std::optional<std::uint32_t> chosen = chooser_(colour);
    if (!chosen) return;
    colour = *chosen;
    button->setText(QString::fromStdString(KmlColour(0xFF, colour)));
    PaintColour(button, colour);
  };
  connect(pointButton_, &QPushButton::clicked, this,
          [this, chooseOpaque] { chooseOpaque(pointColour_, pointButton_); });
  connect(lineButton_, &QPushButton::clicked, this,
          [this, chooseOpaque] { chooseOpaque(lineColour_, lineButton_); });
  connect(polygonButton_, &QPushButton::clicked, this, &Fbna2kmlDialog::ChoosePolygonColour);
  connect(random_, &QCheckBox::toggled, this, &Fbna2kmlDialog::RandomToggled);
  connect(transparency_, &QLineEdit::textChanged, this, [this](const QString& text) {
    const double value = ReadNumber(text.toStdString());
    if (value > 100) transparency_->setText("100");
    if (value < 0) transparency_->setText("0");
  });
  connect(scroll_, &QScrollBar::valueChanged, this,
          [this](int value) { transparency_->setText(QString::number(value)); });
  connect(accept, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void Fbna2kmlDialog::ChoosePolygonColour() {
  const std::optional<std::uint32_t> chosen = chooser_(polygonColour_);
  if (!chosen) return;
  polygonColour_ = *chosen;
  PaintColour(polygonButton_, polygonColour_);
  polygonButton_->setText(random_->isChecked() ? "random" : "normal");
}

void Fbna2kmlDialog::RandomToggled(bool on) {
  transparency_->setEnabled(!on);
  scroll_->setEnabled(!on);
  if (on) {
    polygonButton_->setText("random");
    polygonButton_->setStyleSheet("background-color: rgb(211, 211, 211)");
    return;
  }
  if (const std::optional<std::uint32_t> chosen = chooser_(polygonColour_)) {
    polygonColour_ = *chosen;
    PaintColour(polygonButton_, polygonColour_);
  }
  polygonButton_->setText(QString::fromStdString(KmlPolygonColour(Choice())));
}

KmlChoice Fbna2kmlDialog::Choice() const {
  KmlChoice choice;
  choice.LabelChoice = second_->isChecked() ? 2 : 1;
  choice.PointColour = pointColour_;
  choice.Symbol = symbol_->currentText().toStdString();
  choice.SymbolScale = symbolScale_->text().toStdString();
  choice.LineColour = lineColour_;
  choice.LineWidth = lineWidth_->text().toStdString();
  choice.RandomPolygons = random_->isChecked();
  choice.PolygonColour = polygonColour_;
  choice.Transparency = ReadNumber(transparency_->text().toStdString());
  choice.FolderName = folder_->text().toStdString();
  choice.Description = description_->text().toStdString();
  return choice;
}

}  // namespace zolvane
