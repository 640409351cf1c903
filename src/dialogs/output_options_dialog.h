// "Zolvane - Options output xyz": the column order and delimiter of an output point file.
#pragma once

#include <QDialog>

#include "dialogs/layout_options.h"

class QCheckBox;

namespace zolvane {

class OutputOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit OutputOptionsDialog(QWidget* parent = nullptr);

  // Order code (1..4) plus delimiter code (10, 20, 30).
  int OutputFormatCode() const { return LayoutCode(delimiters_, order_); }
  bool Distances() const;

 private:
  OptionFrame order_;
  OptionFrame delimiters_;
  QCheckBox* distances_;
};

}  // namespace zolvane
