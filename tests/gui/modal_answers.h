// Answers the modal dialogs a command opens, in order, from the event loop the dialog runs.
#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <utility>

#include "app/trevil.h"
#include "widgets.h"

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

  // A file dialog answered with `path`; its title added to `seen` ("title|").
  ModalAnswers& File(const QString& path, QString* seen = nullptr) {
    return Then([this, path, seen](QWidget* widget) {
      auto* dialog = qobject_cast<QFileDialog*>(widget);
      if (!dialog) return Unexpected(widget, "a file dialog");
      if (seen) *seen += dialog->windowTitle() + "|";
      Choose(dialog, path);
    });
  }

  // Answers a file dialog with `path`, typed into its name box: selectFile leaves the box
  // alone once it has the focus.
  static void Choose(QFileDialog* dialog, const QString& path) {
    const QFileInfo file(path);
    dialog->setDirectory(file.absolutePath());
    Child<QLineEdit>(dialog, "fileNameEdit")->setText(file.fileName());
    static_cast<QDialog*>(dialog)->accept();  // reaches the file dialog's own check
  }

  // A dialog used through `steps`.
  ModalAnswers& Play(std::vector<Step> steps) {
    return Then([steps](QWidget* dialog) { ::Play(dialog, steps); });
  }

  // A message box closed with `button`; its text and title noted in `seen` ("title|text").
  ModalAnswers& Message(QMessageBox::StandardButton button, QString* seen = nullptr) {
    return Then([this, button, seen](QWidget* widget) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (!box) return Unexpected(widget, "a message box");
      if (seen) *seen = box->windowTitle() + "|" + box->text();
      box->button(button)->click();
    });
  }

  // Dialogs that came when no answer was left (rejected), and answers that met the wrong
  // kind of dialog.
  QStringList unexpected;
  // Empty once every answer was used and nothing came unexpected.
  QString Problems() const {
    QStringList problems = unexpected;
    if (!answers_.empty()) problems << QString("%1 answers unused").arg(answers_.size());
    return problems.join(", ");
  }

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
    answer(modal);
  }

  void Unexpected(QWidget* widget, const char* wanted) {
    unexpected << QString("wanted %1, got %2").arg(wanted, widget->objectName());
    if (auto* dialog = qobject_cast<QDialog*>(widget)) dialog->reject();
  }

  std::deque<Answer> answers_;
  QTimer timer_;
};

// The main window on a fresh state, its dialogs answered from `answers`.
struct Session {
  zolvane::RunState state;
  zolvane::Trevil window{state};
  ModalAnswers answers;

  Session() { window.show(); }
  zolvane::QtUi& ui() { return window.ui(); }
  // A click on the menu item.
  void Trigger(const char* item) { window.findChild<QAction*>(item)->trigger(); }
};

// Answers a dialog that is not modal once the one named `name` shows.
inline void WhenShows(const char* name, std::function<void(QWidget*)> answer) {
  PollUntil([name, answer] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      if (widget->objectName() == name && widget->isVisible()) {
        answer(widget);
        return true;
      }
    }
    return false;
  });
}

}  // namespace zolvane::testing
