#pragma once
// Drives modal dialogues and popup menus from inside their own event loop: a timer polls
// until the expected window shows and then acts on it (reads its texts, presses a button).
// A window that never shows fails the test and closes whatever is open, so that no loop
// waits for ever; so does a dialogue or menu that nobody expects (a question the code
// should not have asked). Pending timers die with the driver, so nothing acts on a later
// test.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <functional>

namespace trawlex::ui::test {

class DialogDriver {
 public:
  DialogDriver() {
    // Watches for windows that stay open with no action waiting for them.
    auto* watchdog = new QTimer(&owner_);
    watchdog->setInterval(100);
    QObject::connect(watchdog, &QTimer::timeout, watchdog, [this] {
      const bool open = QApplication::activeModalWidget() || QApplication::activePopupWidget();
      unexpectedTicks_ = pending_ == 0 && open ? unexpectedTicks_ + 1 : 0;
      if (unexpectedTicks_ < 30) return;
      QWidget* window = QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                          : QApplication::activeModalWidget();
      ADD_FAILURE() << "an unexpected " << window->metaObject()->className() << " \""
                    << window->windowTitle().toStdString() << "\" stayed open";
      unexpectedTicks_ = 0;
      CloseEverything();
    });
    watchdog->start();
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Acts on the next modal dialogue of this type.
  template <class Dialog>
  void WhenModal(std::function<void(Dialog&)> act) {
    Poll<Dialog>([] { return qobject_cast<Dialog*>(QApplication::activeModalWidget()); },
                 std::move(act));
  }

  // Acts on the next popup menu that is not `shownBefore`.
  void WhenPopup(std::function<void(QMenu&)> act, const QMenu* shownBefore = nullptr) {
    Poll<QMenu>(
        [shownBefore]() -> QMenu* {
          auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
          return menu != shownBefore ? menu : nullptr;
        },
        std::move(act));
  }

  // Whether every scheduled action has run.
  bool AllActed() const { return pending_ == 0; }

 private:
  template <class Widget>
  void Poll(std::function<Widget*()> find, std::function<void(Widget&)> act) {
    ++pending_;
    auto* timer = new QTimer(&owner_);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [this, timer, find, act, tries = 0]() mutable {
      if (Widget* widget = find()) {
        timer->deleteLater();
        timer->stop();
        act(*widget);  // still pending while it acts: the watchdog leaves a slow action alone
        --pending_;
      } else if (++tries > 1000) {
        timer->stop();
        timer->deleteLater();
        ADD_FAILURE() << "the expected dialogue or menu did not show";
        CloseEverything();
      }
    });
    timer->start();
  }

  static void CloseEverything() {
    while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->reject();
  }

  QObject owner_;
  int pending_ = 0;
  int unexpectedTicks_ = 0;
};

}  // namespace trawlex::ui::test
