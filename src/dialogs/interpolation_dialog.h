// "Zolvane lineal interpolation": a window left open beside the main one. The slider and
// "Calc" say when they are used; the window shows what it is given.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace zolvane {

class InterpolationDialog : public QDialog {
  Q_OBJECT

 public:
  explicit InterpolationDialog(QWidget* parent = nullptr);

  QString X1() const;
  QString Y1() const;
  QString X2() const;
  QString Y2() const;
  QString AlongText() const;  // "p1-X distance"
  QString TotalText() const;  // "p1-p2 distance"
  int Slider() const;
  void SetSlider(int value);
  void ShowPoint(const QString& x, const QString& y, const QString& percent);

 signals:
  void SliderChanged(int value);
  void CalcClicked();

 private:
  QLineEdit *x1_, *y1_, *x2_, *y2_, *x3_, *y3_;
  QScrollBar* slider_;
  QLabel* percent_;
  QLineEdit *along_, *total_;
};

}  // namespace zolvane
