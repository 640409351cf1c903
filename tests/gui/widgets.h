// Finding a dialog's controls by their object names and using them as a user would.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
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
