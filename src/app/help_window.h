// "Zolvane32 HELP page": the help document in a read-only rich-text box.
#pragma once

#include <QWidget>

namespace zolvane {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);
};

}  // namespace zolvane
