#pragma once
// Window placement over a Qt window: a top-level window or a child of the MDI frame
// (QMdiSubWindow), so that every window keeps its place through shell::SaveWindowPosition
// and shell::RestoreWindowPosition.

#include <QRect>
#include <optional>

#include "shell/window_placement.h"

class QWidget;

namespace trawlex::ui {

class QtWindowGeometry final : public shell::WindowGeometry {
 public:
  // The adapter is short-lived: made on opening or closing, it must not outlive the window.
  explicit QtWindowGeometry(QWidget& window) : window_(window) {}

  bool IsMaximized() const override;
  bool IsMinimized() const override;
  void Restore() override;
  void Maximize() override;
  // False for a window of fixed size: a fixed minimum and maximum size, a fixed size policy
  // in both directions, a layout that fixes the size, or the same for the widget that an
  // MDI child window holds.
  bool IsResizable() const override;
  // The window's geometry (for a top-level window without its frame); of a maximised
  // top-level window, the geometry it takes when shown normally.
  shell::Rect Position() const override;
  void MoveTo(const shell::Rect& place) override;

 private:
  QWidget& window_;
  // The normal geometry taken when leaving the maximised state: the window system may
  // apply the change later, and Position() is asked right after Restore().
  std::optional<QRect> restoredPlace_;
};

}  // namespace trawlex::ui
