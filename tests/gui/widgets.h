// Finding a dialog's controls by their object names and using them as a user would.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

template <typename T>
T* Child(QWidget* parent, const char* name) {
  T* child = parent->findChild<T*>(name);
  if (!child) qFatal("no %s in %s", name, qPrintable(parent->objectName()));
  return child;
}

inline QString Text(QWidget* parent, const char* name) {
  return Child<QLineEdit>(parent, name)->text();
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

// Types and leaves the box.
inline void Enter(QWidget* parent, const char* name, const QString& text) {
  Type(parent, name, text);
  Leave(parent, name);
}

// The text of a label of the main window, such as "status".
inline QString Label(const QWidget& window, const char* name) {
  return Child<QLabel>(const_cast<QWidget*>(&window), name)->text();
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void WriteFile(const QString& path, const QByteArray& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  file.write(text);
}

// With ZOLVANE_SCREENSHOTS=DIR, saves the window as DIR/<name>.png, for the documentation.
inline void SaveScreenshot(QWidget& window, const QString& name) {
  const QString folder = qEnvironmentVariable("ZOLVANE_SCREENSHOTS");
  if (folder.isEmpty()) return;
  QApplication::processEvents();
  QVERIFY2(window.grab().save(folder + "/" + name + ".png"), qPrintable(folder));
}
