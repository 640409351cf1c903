// The pieces the plan and filter windows are built from: named boxes, labels and buttons.
#pragma once

#include <QString>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace zolvane {

QLineEdit* NamedBox(QWidget* parent, const char* name, const char* text, const char* tip = nullptr);
// A label; `name` may be null for captions nothing reads.
QLabel* NamedLabel(QWidget* parent, const char* name, const char* text);
QPushButton* NamedButton(QWidget* parent, const char* name, const char* text);
// The accept button of the plan windows: an icon and no caption.
QPushButton* AcceptIcon(QDialog* dialog);
// The number a box holds by the leading-number rule.
double BoxNumber(const QLineEdit* box);

}  // namespace zolvane
