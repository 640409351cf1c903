#include "dialogs/dialog_controls.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "core/numbers.h"

namespace zolvane {

QLineEdit* NamedBox(QWidget* parent, const char* name, const char* text, const char* tip) {
  auto* box = new QLineEdit(QString::fromUtf8(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  if (tip) box->setToolTip(QString::fromUtf8(tip));
  return box;
}

QLabel* NamedLabel(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  if (name) label->setObjectName(QString::fromLatin1(name));
  return label;
}

QPushButton* NamedButton(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

QPushButton* AcceptIcon(QDialog* dialog) {
  QPushButton* button = NamedButton(dialog, "fes", "");
  button->setIcon(dialog->style()->standardIcon(QStyle::SP_DialogOkButton));
  button->setToolTip("OK");
  button->setDefault(true);
  QObject::connect(button, &QPushButton::clicked, dialog, &QDialog::accept);
  return button;
}

double BoxNumber(const QLineEdit* box) {
  return ReadNumber(box->text().toStdString());
}

}  // namespace zolvane
