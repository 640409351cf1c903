// "Zolvane - Translate xyz points": the distance, its unit and the direction of a shift.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace zolvane {

class TranslateDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TranslateDialog(QWidget* parent = nullptr);

  // The texts of the boxes, as typed.
  QString DistanceText() const;
  QString DirectionText() const;
  // Kilometres when "Kilometers" is ticked; otherwise nautical miles, also with neither.
  bool Kilometres() const;

 private:
  QLineEdit* distance_;
  QLabel* unit_;
  QCheckBox* kilometres_;
  QCheckBox* nauticalMiles_;
  QLineEdit* direction_;
  QScrollBar* scroll_;
};

}  // namespace zolvane
