// "CSV => KS Navigation": the columns of the shot, X and Y, and the line name. The column
// boxes hold whole numbers only.
#pragma once

#include <QDialog>

class QLineEdit;

namespace zolvane {

class KingdomNavigationDialog : public QDialog {
  Q_OBJECT

 public:
  explicit KingdomNavigationDialog(QWidget* parent = nullptr);

  int ShotColumn() const;
  int XColumn() const;
  int YColumn() const;
  QString LineName() const;

 private:
  QLineEdit* shot_;
  QLineEdit* x_;
  QLineEdit* y_;
  QLineEdit* lineName_;
};

}  // namespace zolvane
