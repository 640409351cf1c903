// Finding a dialog's controls by their object names and using them as a user would.
#pragma once

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <vector>

template <typename T>
T* Child(QWidget* parent, const char* name) {
  T* child = parent->findChild<T*>(name);
  if (!child) qFatal("no %s in %s", name, qPrintable(parent->objectName()));
  return child;
}

inline void Click(QWidget* parent, const char* name) {
  Child<QAbstractButton>(parent, name)->click();
}

// Types into a box as the user would, replacing its text.
inline void Type(QWidget* parent, const char* name, const QString& text) {
  auto* box = Child<QLineEdit>(parent, name);
  box->setFocus();
  box->selectAll();
  QTest::keyClick(box, Qt::Key_Backspace);
  QTest::keyClicks(box, text);
}

// Leaves a box as a click elsewhere would.
inline void Leave(QWidget* parent, const char* name) {
  QFocusEvent leaving(QEvent::FocusOut, Qt::MouseFocusReason);
  QApplication::sendEvent(Child<QLineEdit>(parent, name), &leaving);
}

// What a control shows: a box, label or button its text, a tick or option "on" or "off", a
// list its choice, a scroll bar its value.
inline QString Shown(QWidget* parent, const char* name) {
  QWidget* control = Child<QWidget>(parent, name);
  if (auto* box = qobject_cast<QLineEdit*>(control)) return box->text();
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentText();
  if (auto* bar = qobject_cast<QAbstractSlider*>(control)) return QString::number(bar->value());
  auto* button = qobject_cast<QAbstractButton*>(control);
  if (button && button->isCheckable()) return button->isChecked() ? "on" : "off";
  return button ? button->text() : QString();
}

// One thing a user does at a dialog, or reads off it: types into a box (and leaves it), sets a
// box, list or scroll bar at once (as a paste would), leaves a box and reads what it shows then,
// clicks, finds what a control shows or whether it is enabled ("yes" or "no"), closes the dialog
// through its frame, clicks a button that opens the colour chooser and picks a colour there, or
// checks which dialog it is.
enum StepKind { kType, kEnter, kSet, kLeave, kClick, kShows, kEnabled, kClose, kChoose, kNamed };
struct Step {
  StepKind kind;
  const char* name;
  QString value = {};
};

inline Step Typing(const char* name, const QString& text) {
  return {kType, name, text};
}
// Typed, then the box left.
inline Step Entering(const char* name, const QString& text) {
  return {kEnter, name, text};
}
inline Step Setting(const char* name, const QString& value) {
  return {kSet, name, value};
}
// The box left, showing `shown` then.
inline Step Leaving(const char* name, const QString& shown) {
  return {kLeave, name, shown};
}
inline Step Pressing(const char* name) {
  return {kClick, name};
}
inline Step Shows(const char* name, const QString& value) {
  return {kShows, name, value};
}
inline Step IsEnabled(const char* name, bool enabled) {
  return {kEnabled, name, enabled ? "yes" : "no"};
}
inline Step Closing() {
  return {kClose, ""};
}
// The dialog's object name.
inline Step Named(const char* name) {
  return {kNamed, name};
}
// `colour` as "#rrggbb".
inline Step Choosing(const char* button, const QString& colour) {
  return {kChoose, button, colour};
}

// Calls `answer` from the event loop, every few milliseconds, until it says it is done: the way
// to answer a window that runs its own event loop once it shows.
inline void PollUntil(std::function<bool()> answer) {
  auto* poll = new QTimer;
  poll->setInterval(5);
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    poll->stop();  // the answer may run an event loop of its own
    answer() ? poll->deleteLater() : poll->start();
  });
  poll->start();
}

inline void Play(QWidget* dialog, const std::vector<Step>& steps) {
  for (const Step& step : steps) {
    if (step.kind == kClose) {
      qobject_cast<QDialog*>(dialog)->reject();
      continue;
    }
    if (step.kind == kNamed) {
      QCOMPARE(dialog->objectName(), QString(step.name));
      continue;
    }
    QWidget* control = Child<QWidget>(dialog, step.name);
    QString found = step.value;
    if (step.kind == kType) {
      Type(dialog, step.name, step.value);
    } else if (step.kind == kEnter) {
      Type(dialog, step.name, step.value);
      Leave(dialog, step.name);
    } else if (step.kind == kLeave) {
      Leave(dialog, step.name);
      found = Shown(dialog, step.name);
    } else if (step.kind == kClick) {
      Click(dialog, step.name);
    } else if (step.kind == kChoose) {
      PollUntil([colour = QColor(step.value)] {
        auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (!chooser || !chooser->isVisible()) return false;
        chooser->setCurrentColor(colour);
        chooser->accept();
        return true;
      });
      Click(dialog, step.name);
    } else if (step.kind == kShows) {
      found = Shown(dialog, step.name);
    } else if (step.kind == kEnabled) {
      found = control->isEnabled() ? "yes" : "no";
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
      list->setCurrentText(step.value);
    } else if (auto* bar = qobject_cast<QAbstractSlider*>(control)) {
      bar->setValue(step.value.toInt());
    } else {
      Child<QLineEdit>(dialog, step.name)->setText(step.value);
    }
    const QString seen = dialog->objectName() + " " + step.name + ": " + found + ", not ";
    QVERIFY2(found == step.value, qPrintable(seen + step.value));
  }
}

// The text of a label of the main window, such as "status".
inline QString Label(const QWidget& window, const char* name) {
  return Child<QLabel>(const_cast<QWidget*>(&window), name)->text();
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Returns `path`.
inline QString WriteFile(const QString& path, const QByteArray& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  file.write(text);
  return path;
}

// With ZOLVANE_SCREENSHOTS=DIR, saves the window as DIR/<name>.png, for the documentation.
inline void SaveScreenshot(QWidget& window, const QString& name) {
  const QString folder = qEnvironmentVariable("ZOLVANE_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QApplication::processEvents();
  QVERIFY2(window.grab().save(folder + "/" + name + ".png"), qPrintable(folder));
}
