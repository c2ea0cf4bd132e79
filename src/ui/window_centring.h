#pragma once
// Where a window opens when no saved placement applies: centred over the window it belongs
// to; and, saved placement or not, wholly inside the space it is seen in: the screen for a
// top-level window, the frame's MDI area for one of its child windows.

class QWidget;

namespace trawlex::ui {

// What the desktop moves and sizes for `window`: the MDI sub-window that holds it, or the
// window itself.
QWidget& PlacedWindow(QWidget& window);

// Centres `placed` (a top-level window or an MDI sub-window) over `over`, or over its space
// when there is none.
void CentreOver(QWidget& placed, const QWidget* over);

// Shrinks `placed` to its space when it is larger and moves it into it.
void FitIntoSpace(QWidget& placed);

// Shows a window that deletes itself when closed, in front of the others and active: how
// the utility windows open from the frame's menus.
void ShowInFront(QWidget& window);

}  // namespace trawlex::ui
