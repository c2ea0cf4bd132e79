#include "ui/window_centring.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace trawlex::ui {
namespace {

// The space in the coordinates of `placed`'s geometry.
QRect SpaceOf(const QWidget& placed) {
  if (const auto* sub = qobject_cast<const QMdiSubWindow*>(&placed); sub && sub->mdiArea()) {
    return sub->mdiArea()->viewport()->rect();
  }
  // The screen under the window's centre; a place stored on a larger or another screen
  // lies on none, and is brought onto the screen the window would otherwise be shown on.
  const QScreen* screen = QGuiApplication::screenAt(placed.geometry().center());
  if (screen == nullptr) screen = placed.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

}  // namespace

QWidget& PlacedWindow(QWidget& window) {
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window.parentWidget())) return *sub;
  return window;
}

void CentreOver(QWidget& placed, const QWidget* over) {
  QPoint centre = SpaceOf(placed).center();
  if (over != nullptr && over->isVisible()) {
    const QPoint global = over->mapToGlobal(over->rect().center());
    centre = placed.isWindow() || placed.parentWidget() == nullptr
                 ? global
                 : placed.parentWidget()->mapFromGlobal(global);
  }
  QRect place = placed.geometry();
  place.moveCenter(centre);
  placed.setGeometry(place);
}

void FitIntoSpace(QWidget& placed) {
  if (placed.isMaximized()) return;  // the window system keeps it inside already
  const QRect space = SpaceOf(placed);
  QRect place = placed.geometry();
  place.setWidth(std::min(place.width(), space.width()));
  place.setHeight(std::min(place.height(), space.height()));
  place.moveLeft(std::clamp(place.left(), space.left(), space.right() - place.width() + 1));
  place.moveTop(std::clamp(place.top(), space.top(), space.bottom() - place.height() + 1));
  placed.setGeometry(place);
}

void ShowInFront(QWidget& window) {
  window.setAttribute(Qt::WA_DeleteOnClose);
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace trawlex::ui
