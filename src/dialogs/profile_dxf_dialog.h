// "2D > 3D DXF": the transect a Didger profile is laid along, the scale factor for Z and the
// profile name.
#pragma once

#include <QDialog>

#include "formats/format_questions.h"

class QLineEdit;

namespace zolvane {

class ProfileDxfDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ProfileDxfDialog(QWidget* parent = nullptr);

  // The six boxes as they stand.
  ProfileDxfChoice Choice() const;

 private:
  QLineEdit* positions_[4];  // Text1 .. Text4
  QLineEdit* factor_;        // Text5
  QLineEdit* profile_;       // Text6
};

}  // namespace zolvane
