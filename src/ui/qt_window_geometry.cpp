#include "ui/qt_window_geometry.h"

#include <QLayout>
#include <QMdiSubWindow>
#include <QWidget>

#include "ui/window_centring.h"

namespace trawlex::ui {
namespace {

bool HasFixedSize(const QWidget& widget) {
  if (widget.minimumSize() == widget.maximumSize()) return true;
  const QSizePolicy policy = widget.sizePolicy();
  if (policy.horizontalPolicy() == QSizePolicy::Fixed &&
      policy.verticalPolicy() == QSizePolicy::Fixed) {
    return true;
  }
  // A layout fixes the size only when it is activated (on showing); the placement is
  // restored before that.
  const QLayout* layout = widget.layout();
  return layout != nullptr && layout->sizeConstraint() == QLayout::SetFixedSize;
}

shell::Rect ToRect(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace

bool QtWindowGeometry::IsMaximized() const {
  return window_.isMaximized();
}

bool QtWindowGeometry::IsMinimized() const {
  return window_.isMinimized();
}

void QtWindowGeometry::Restore() {
  if (!window_.isMaximized()) return;
  if (window_.isWindow()) restoredPlace_ = window_.normalGeometry();
  window_.setWindowState(window_.windowState() & ~Qt::WindowMaximized);
}

void QtWindowGeometry::Maximize() {
  window_.setWindowState((window_.windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

bool QtWindowGeometry::IsResizable() const {
  if (window_.windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint)) return false;
  if (HasFixedSize(window_)) return false;
  if (const auto* child = qobject_cast<const QMdiSubWindow*>(&window_)) {
    if (child->widget() != nullptr && HasFixedSize(*child->widget())) return false;
  }
  return true;
}

shell::Rect QtWindowGeometry::Position() const {
  if (restoredPlace_ && restoredPlace_->isValid() && !window_.isMaximized()) {
    return ToRect(*restoredPlace_);
  }
  // normalGeometry() is only kept for top-level windows; an MDI child that is still
  // maximised answers with its current geometry.
  if (window_.isWindow() && window_.isMaximized() && window_.normalGeometry().isValid()) {
    return ToRect(window_.normalGeometry());
  }
  return ToRect(window_.geometry());
}

void QtWindowGeometry::MoveTo(const shell::Rect& place) {
  restoredPlace_.reset();
  if (IsResizable()) {
    window_.setGeometry(place.x, place.y, place.width, place.height);
  } else {
    // Only the place: a fixed-size window keeps its designed size.
    const QRect current = window_.geometry();
    window_.setGeometry(place.x, place.y, current.width(), current.height());
  }
  // A place stored on a larger screen (or on a monitor no longer attached) would leave the
  // window's title bar and close box out of reach.
  FitIntoSpace(window_);
}

}  // namespace trawlex::ui
