// "Datum change": the source and target coordinate reference systems, searched by code or
// name, and the operation that will be used.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

namespace zolvane {

class CrsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CrsDialog(QWidget* parent = nullptr);

  // The systems as PROJ takes them: the code of a completion chosen, or the text typed.
  QString From() const;
  QString To() const;

 private:
  void ShowOperation();

  QLineEdit *from_, *to_;
  QLabel* operation_;
};

}  // namespace zolvane
