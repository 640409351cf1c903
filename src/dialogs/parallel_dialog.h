// "Zolvane - Create Parallel": the master line, the spacing and the number of lines.
#pragma once

#include <QDialog>
#include <QString>

#include "dialogs/layout_options.h"

class QLabel;
class QLineEdit;
class QScrollBar;

namespace zolvane {

class ParallelDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ParallelDialog(QWidget* parent = nullptr);

  bool Degrees() const;
  QString Xa() const;
  QString Ya() const;
  QString Xb() const;
  QString Yb() const;
  double Spacing() const;
  int Count() const;

 private:
  OptionFrame units_;
  QLabel* xLabel_;
  QLabel* yLabel_;
  QLineEdit *xa_, *ya_, *xb_, *yb_;
  QLineEdit* spacing_;
  QLineEdit* count_;
  QScrollBar* scroll_;
};

}  // namespace zolvane
