// Runs an action whenever a text box loses the focus or Enter is pressed in it. Qt's
// editingFinished skips an unchanged box, but a box must be rewritten on every leaving.
#pragma once

#include <functional>

class QLineEdit;

namespace zolvane {

void OnLeaving(QLineEdit* box, std::function<void()> action);

}  // namespace zolvane
