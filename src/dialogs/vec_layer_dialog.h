// "bna > vec": the identifier, datum, units, hemisphere and zone of a Miramon VEC layer.
#pragma once

#include <QDialog>

#include "dialogs/layout_options.h"

class QLineEdit;

namespace zolvane {

class VecLayerDialog : public QDialog {
  Q_OBJECT

 public:
  explicit VecLayerDialog(QWidget* parent = nullptr);

  int Identifier() const { return labels_.Selected(); }  // 1 label 1, 2 label 2, 3 both
  bool Ed50() const;
  bool Degrees() const;
  bool South() const;
  QString ZoneText() const;

 private:
  OptionFrame labels_;
  OptionFrame datum_;
  OptionFrame units_;
  OptionFrame hemisphere_;
  QLineEdit* zone_;
};

}  // namespace zolvane
