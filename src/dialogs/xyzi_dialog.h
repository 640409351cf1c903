// "Zolvane - Options input xyz ": the layout of an input point file and whether to
// pre-scan it for its ranges.
#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace zolvane {

class XyziDialog : public QDialog {
  Q_OBJECT

 public:
  explicit XyziDialog(QWidget* parent = nullptr);

  // Delimiter code (10, 20, 30) plus order code (1..4).
  int InputFormatCode() const;
  bool CheckStatistics() const;

 private:
  QRadioButton* comma_;
  QRadioButton* space_;
  QRadioButton* tab_;
  QRadioButton* xyz_;
  QRadioButton* yxz_;
  QRadioButton* xy_;
  QRadioButton* yx_;
  QCheckBox* statistics_;
};

}  // namespace zolvane
