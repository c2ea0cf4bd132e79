#pragma once
// Finding a window's controls by object name and bringing a window up, the way every
// widget test starts: a missing control fails the test by name instead of crashing later
// on a null pointer.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTest>
#include <QWidget>

namespace trawlex::ui::test {

template <typename Widget>
Widget* NamedChild(const QWidget& window, const char* name) {
  auto* widget = window.findChild<Widget*>(QString::fromUtf8(name));
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

// Clicks the named button of the window.
inline void Click(const QWidget& window, const char* name) {
  if (auto* button = NamedChild<QAbstractButton>(window, name)) button->click();
}

// Shows the window and waits until it has the focus, so key presses reach it.
inline void ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
}

}  // namespace trawlex::ui::test
