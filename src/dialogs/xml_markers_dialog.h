// "BNA => XML": the label of the markers, the line style and the CSV table to combine.
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

namespace zolvane {

class XmlMarkersDialog : public QDialog {
  Q_OBJECT

 public:
  explicit XmlMarkersDialog(ColourChooser chooser, QWidget* parent = nullptr);

  XmlMarkersChoice Choice() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ChooseCsvFile();

  ColourChooser chooser_;
  QRadioButton* second_;
  QPushButton* lineButton_;
  QLineEdit* lineWidth_;
  QPushButton* pointButton_;
  QCheckBox* combine_;
  QLineEdit* csvFile_;
  QLineEdit* syncField_;
  std::string lineColour_;  // "#rrggbb" once chosen
  std::uint32_t lineColourValue_ = 0;
  std::uint32_t pointColour_ = 0;
};

}  // namespace zolvane
