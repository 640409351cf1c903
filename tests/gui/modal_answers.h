// Answers the modal dialogs a command opens, in order, from the event loop the dialog runs.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <utility>

namespace zolvane::testing {

class ModalAnswers {
 public:
  using Answer = std::function<void(QWidget*)>;

  ModalAnswers() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
    timer_.start();
  }

  ModalAnswers& Then(Answer answer) {
    answers_.push_back(std::move(answer));
    return *this;
  }

  // A file dialog answered with `path`.
  ModalAnswers& File(const QString& path) {
    return Then([path](QWidget* widget) {
      auto* dialog = qobject_cast<QFileDialog*>(widget);
      if (!dialog) return Unexpected(widget, "a file dialog");
      dialog->selectFile(path);
      static_cast<QDialog*>(dialog)->accept();  // reaches the file dialog's own check
    });
  }

  // Dialogs that came when no answer was left (rejected), and answers that met the wrong
  // kind of dialog.
  QStringList unexpected;
  bool Done() const { return answers_.empty(); }

 private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible()) return;
    if (answers_.empty()) {
      unexpected << modal->objectName() + " " + modal->windowTitle();
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
      return;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    current_ = this;
    answer(modal);
    current_ = nullptr;
  }

  static void Unexpected(QWidget* widget, const char* wanted) {
    if (current_) {
      current_->unexpected << QString("wanted %1, got %2").arg(wanted, widget->objectName());
    }
    if (auto* dialog = qobject_cast<QDialog*>(widget)) dialog->reject();
  }

  static inline ModalAnswers* current_ = nullptr;
  std::deque<Answer> answers_;
  QTimer timer_;
};

}  // namespace zolvane::testing
