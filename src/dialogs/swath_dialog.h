// "Zolvane - Swath utility": the units of the track and how wide the swath is.
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace zolvane {

class SwathDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SwathDialog(QWidget* parent = nullptr);

  bool Coefficient() const;  // "Coeficient"; otherwise "Constant"
  bool Degrees() const;      // "Degrees"; otherwise "meters"
  QString ValueText() const;

 private:
  QRadioButton* metres_;
  QRadioButton* degrees_;
  QRadioButton* constant_;
  QRadioButton* coefficient_;
  QLineEdit* value_;
};

}  // namespace zolvane
