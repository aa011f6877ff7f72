// Driving Qt dialogs in window tests: showing them without exec(), finding their controls by
// name and typing any characters into them (QTest's key clicks take ASCII only).
#pragma once

#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>
#include <QtTest>

namespace marvessa::test {

// Shows the window and makes it active, so that the focus moves as it does for the user.
inline bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

// The control with this object name; a missing one ends the test program.
template <class W>
W* Control(const QWidget& window, const char* name) {
  W* widget = window.findChild<W*>(QString::fromLatin1(name));
  if (!widget) qFatal("no control %s", name);
  return widget;
}

inline void TypeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &release);
  }
}

}  // namespace marvessa::test
