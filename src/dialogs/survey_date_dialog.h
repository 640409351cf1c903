// "Zolvane - IGRF 2005": the year and month of the survey.
#pragma once

#include <QDialog>

class QLineEdit;

namespace zolvane {

class SurveyDateDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SurveyDateDialog(QWidget* parent = nullptr);

  // The boxes hold whole numbers: every change is cut to the integer part of its number.
  double Year() const;
  double Month() const;

 private:
  QLineEdit* year_;
  QLineEdit* month_;
};

}  // namespace zolvane
