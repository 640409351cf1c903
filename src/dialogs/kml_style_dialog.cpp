#include "dialogs/kml_style_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "core/numbers.h"
#include "formats/bna/bna_to_kml.h"
#include "formats/bna/markup.h"

namespace zolvane {

KmlStyleDialog::KmlStyleDialog(ColourChooser chooser, QWidget* parent)
    : QDialog(parent), chooser_(std::move(chooser)) {
  setObjectName("Fbna2kml");
  setWindowTitle("BNA => GOOGLE EARTH  KML");

  const LabelRadios labels = MakeLabelRadios(this, "bna label to be used");
  second_ = labels.second;

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

  const LineControls lines = MakeLineControls(this, "1");
  lineButton_ = lines.colour;
  lineWidth_ = lines.width;

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
  const ContinueCancel buttons = MakeContinueCancel(this);

  auto* layout = new QGridLayout(this);
  layout->addWidget(Wgs84Notice(this), 0, 0, 1, 2);
  layout->addWidget(labels.box, 1, 0);
  layout->addWidget(points, 1, 1);
  layout->addWidget(lines.box, 2, 0);
  layout->addWidget(polygons, 2, 1);
  layout->addWidget(new QLabel("Folder Name:", this), 3, 0);
  layout->addWidget(folder_, 3, 1);
  layout->addWidget(new QLabel("Description:", this), 4, 0);
  layout->addWidget(description_, 4, 1);
  layout->addWidget(buttons.accept, 5, 0);
  layout->addWidget(buttons.cancel, 5, 1);

  const auto chooseOpaque = [this](std::uint32_t& colour, QPushButton* button) {
    if (ChooseColour(chooser_, colour, button)) {
      button->setText(QString::fromStdString(KmlColour(0xFF, colour)));
    }
  };
  connect(pointButton_, &QPushButton::clicked, this,
          [this, chooseOpaque] { chooseOpaque(pointColour_, pointButton_); });
  connect(lineButton_, &QPushButton::clicked, this,
          [this, chooseOpaque] { chooseOpaque(lineColour_, lineButton_); });
  connect(polygonButton_, &QPushButton::clicked, this, &KmlStyleDialog::ChoosePolygonColour);
  connect(random_, &QCheckBox::toggled, this, &KmlStyleDialog::RandomToggled);
  connect(transparency_, &QLineEdit::textChanged, this, [this](const QString& text) {
    const double value = ReadNumber(text.toStdString());
    if (value > 100) transparency_->setText("100");
    if (value < 0) transparency_->setText("0");
  });
  connect(scroll_, &QScrollBar::valueChanged, this,
          [this](int value) { transparency_->setText(QString::number(value)); });
}

void KmlStyleDialog::ChoosePolygonColour() {
  if (!ChooseColour(chooser_, polygonColour_, polygonButton_)) return;
  polygonButton_->setText(random_->isChecked() ? "random" : "normal");
}

void KmlStyleDialog::RandomToggled(bool on) {
  transparency_->setEnabled(!on);
  scroll_->setEnabled(!on);
  if (on) {
    polygonButton_->setText("random");
    polygonButton_->setStyleSheet("background-color: rgb(211, 211, 211)");
    return;
  }
  ChooseColour(chooser_, polygonColour_, polygonButton_);
  polygonButton_->setText(QString::fromStdString(KmlPolygonColour(Choice())));
}

KmlStyleChoice KmlStyleDialog::Choice() const {
  KmlStyleChoice choice;
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
