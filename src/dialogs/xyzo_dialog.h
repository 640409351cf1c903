// "Zolvane - Options output xyz": the column order and delimiter of an output point file.
#pragma once

#include <QDialog>

class QCheckBox;
class QRadioButton;

namespace zolvane {

class XyzoDialog : public QDialog {
  Q_OBJECT

 public:
  explicit XyzoDialog(QWidget* parent = nullptr);

  // Order code (1..4) plus delimiter code (10, 20, 30).
  int OutputFormatCode() const;
  bool Distances() const;

 private:
  QRadioButton* xyz_;
  QRadioButton* yxz_;
  QRadioButton* xy_;
  QRadioButton* yx_;
  QRadioButton* comma_;
  QRadioButton* spaces_;
  QRadioButton* tabs_;
  QCheckBox* distances_;
};

}  // namespace zolvane
