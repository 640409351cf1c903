// What the two point-file option dialogs are made of: a frame of column orders, a frame of
// delimiters, a check box and the button that confirms.
#pragma once

#include <QGroupBox>
#include <QRadioButton>
#include <initializer_list>
#include <utility>
#include <vector>

class QCheckBox;
class QDialog;
class QPushButton;

namespace zolvane {

// A frame of option buttons, the first one selected.
struct OptionFrame {
  QGroupBox* frame = nullptr;
  std::vector<QRadioButton*> options;

  // 1 for the first option, 2 for the second...
  int Selected() const;
};

// Options as {object name, caption} pairs.
OptionFrame MakeOptionFrame(QWidget* parent, const char* name, const char* caption,
                            std::initializer_list<std::pair<const char*, const char*>> options);

// Delimiter code (10 comma, 20 blank, 30 tab) plus order code (1..4).
inline int LayoutCode(const OptionFrame& delimiters, const OptionFrame& order) {
  return 10 * delimiters.Selected() + order.Selected();
}

// Lays the dialog out: the two frames side by side, below them the check box and the
// button, which accepts the dialog.
void LayOutLayoutDialog(QDialog& dialog, QGroupBox* left, QGroupBox* right, QCheckBox* check,
                        QPushButton* confirm);

}  // namespace zolvane
