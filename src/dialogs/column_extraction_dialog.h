// " Zolvane - Extract": the mode, frequency and columns of a column extraction.
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;

namespace zolvane {

class ColumnExtractionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ColumnExtractionDialog(QWidget* parent = nullptr);

  bool Bna() const;
  bool Columns() const;
  bool Lines() const;
  // The frequency box, always a whole number.
  QString FrequencyText() const;
  // The X (0), Y (1) and Z (2) column boxes, as typed.
  QString ColumnText(int which) const;

 private:
  QCheckBox* bna_;
  QGroupBox* extract_;
  QCheckBox* columns_;
  QCheckBox* lines_;
  QLineEdit* frequency_;
  QGroupBox* columnsFrame_;
  QLineEdit* columnBoxes_[3];
};

}  // namespace zolvane
