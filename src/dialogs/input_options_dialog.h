// "Zolvane - Options input xyz ": the layout of an input point file and whether to
// pre-scan it for its ranges.
#pragma once

#include <QDialog>

#include "dialogs/layout_options.h"

class QCheckBox;

namespace zolvane {

class InputOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit InputOptionsDialog(QWidget* parent = nullptr);

  // Delimiter code (10, 20, 30) plus order code (1..4).
  int InputFormatCode() const { return LayoutCode(delimiters_, order_); }
  bool CheckStatistics() const;

 private:
  OptionFrame delimiters_;
  OptionFrame order_;
  QCheckBox* statistics_;
};

}  // namespace zolvane
