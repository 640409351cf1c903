// "Zolvane -   Lay-back": where the layback comes from and the largest step between fixes.
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace zolvane {

class LaybackDialog : public QDialog {
  Q_OBJECT

 public:
  explicit LaybackDialog(QWidget* parent = nullptr);

  bool Constant() const;  // "Constant"; otherwise "in file value"
  QString LaybackText() const;
  QString MaximumText() const;

 private:
  QRadioButton* fromFile_;
  QRadioButton* constant_;
  QLineEdit* layback_;
  QLineEdit* maximum_;
};

}  // namespace zolvane
