// The GIS menu's choices: for an export the format and the system the data are in, for an
// import the layer, the label fields and a system to reproject to.
#pragma once

#include <QDialog>

#include "gis/gis_questions.h"

class QComboBox;
class QLineEdit;

namespace zolvane {

class GisDialog : public QDialog {
  Q_OBJECT

 public:
  GisDialog(const GisRequest& request, QWidget* parent = nullptr);

  GisChoice Choice() const;

 private:
  void ChooseCrs();
  void ShowFields();

  GisRequest request_;
  QComboBox* format_ = nullptr;
  QComboBox *layer_ = nullptr, *label1_ = nullptr, *label2_ = nullptr;
  QLineEdit* crs_;
};

}  // namespace zolvane
