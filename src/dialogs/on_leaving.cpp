#include "dialogs/on_leaving.h"

#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>

namespace zolvane {
namespace {

// Owned by the box, so it lives exactly as long as the box it watches.
class LeavingFilter : public QObject {
 public:
  LeavingFilter(QLineEdit* box, std::function<void()> action)
      : QObject(box), action_(std::move(action)) {
    box->installEventFilter(this);
    connect(box, &QLineEdit::returnPressed, this, [this] { action_(); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // A box also loses the focus while its window is being destroyed (reason "other"); the
    // user leaves it by mouse, keyboard or another window.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::OtherFocusReason) {
      action_();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> action_;
};

}  // namespace

void OnLeaving(QLineEdit* box, std::function<void()> action) {
  new LeavingFilter(box, std::move(action));
}

}  // namespace zolvane
