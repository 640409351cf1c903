// "Single Coordinate Transform": converts one typed position between geographic and UTM.
// Shown without blocking the main window; closing it discards it.
#pragma once

#include <QDialog>

#include "core/run_state.h"

class QLineEdit;
class QRadioButton;

namespace zolvane {

class SingleCoordinateDialog : public QDialog {
  Q_OBJECT

 public:
  // The chosen ellipsoid stays in force in `state` after each conversion.
  explicit SingleCoordinateDialog(RunState& state, QWidget* parent = nullptr);

  void GeoToUtm();
  void UtmToGeo();

 private:
  void UseChosenEllipsoid();

  RunState& state_;
  QRadioButton* wgs84_;
  QRadioButton* ed50_;
  QLineEdit* latitude_;
  QLineEdit* longitude_;
  QLineEdit* zone_;
  QLineEdit* easting_;
  QLineEdit* northing_;
};

}  // namespace zolvane
