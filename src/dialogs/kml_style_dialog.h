// "BNA => GOOGLE EARTH  KML": the label that names the placemarks and the one style of the
// document (icon, colours, line width, polygon transparency), its folder and description.
#pragma once

#include <QDialog>
#include <cstdint>

#include "dialogs/markup_controls.h"
#include "formats/bna/bna_questions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace zolvane {

class KmlStyleDialog : public QDialog {
  Q_OBJECT

 public:
  explicit KmlStyleDialog(ColourChooser chooser, QWidget* parent = nullptr);

  KmlStyleChoice Choice() const;

 private:
  void ChoosePolygonColour();
  void RandomToggled(bool on);

  ColourChooser chooser_;
  QRadioButton* second_;
  QPushButton* pointButton_;
  QComboBox* symbol_;
  QLineEdit* symbolScale_;
  QPushButton* lineButton_;
  QLineEdit* lineWidth_;
  QCheckBox* random_;
  QPushButton* polygonButton_;
  QLineEdit* transparency_;
  QScrollBar* scroll_;
  QLineEdit* folder_;
  QLineEdit* description_;
  std::uint32_t pointColour_ = 0xFF0000;
  std::uint32_t lineColour_ = 0x00FF00;
  std::uint32_t polygonColour_ = 0xFFFFFF;
};

}  // namespace zolvane
