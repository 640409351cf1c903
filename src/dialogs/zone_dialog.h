// "Zolvane - UTM Zone": the zone, its central meridian and its longitude range, each kept
// consistent with the others as the user changes one.
#pragma once

#include <QDialog>

class QLineEdit;
class QScrollBar;

namespace zolvane {

class ZoneDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ZoneDialog(QWidget* parent = nullptr);

  // The boxes' values rounded to whole numbers.
  int UtmZone() const;
  int CentralMeridian() const;

 private:
  void ZoneChanged();
  void CentralMeridianChanged();
  void CentralMeridianLeft();

  QLineEdit* zone_;
  QScrollBar* scroll_;
  QLineEdit* centralMeridian_;
  QLineEdit* west_;
  QLineEdit* east_;
};

}  // namespace zolvane
