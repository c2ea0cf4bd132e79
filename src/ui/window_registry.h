#pragma once
// Windows talk to each other by posting program events to numbered slots. Every window
// lives on the GUI thread; the 63 slots stand for the runtime's thread table: opening a
// window takes the lowest free slot (slot 1 is the frame's, which opens first) and fails
// when all are taken, and the frame's Window menu broadcasts group events to every window
// but its own.

#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <array>
#include <vector>

class QWidget;

namespace trawlex::ui {

// Program event codes, in the application's user-event range.
inline constexpr int kEventShowLine = 0x450;       // show the viewer parameter block's line
inline constexpr int kEventPartnerClosed = 0x451;  // the linked results window or viewer closed
inline constexpr int kEventNextLine = 0x452;       // viewer to results window
inline constexpr int kEventPreviousLine = 0x453;
inline constexpr int kEventNextFile = 0x454;
inline constexpr int kEventPreviousFile = 0x455;
inline constexpr int kEventCloseViewers = 0x457;
inline constexpr int kEventCloseResults = 0x458;
inline constexpr int kEventMinimizeViewers = 0x459;
inline constexpr int kEventMinimizeResults = 0x45A;
inline constexpr int kEventRestoreViewers = 0x45B;
inline constexpr int kEventRestoreResults = 0x45C;
inline constexpr int kEventRestoreBoth = 0x45D;
inline constexpr int kEventMultiSearchDone = 0x45E;  // its count is in the multi-search state

// A program event as the receiving window's event() sees it.
class ProgramEvent final : public QEvent {
 public:
  explicit ProgramEvent(int code) : QEvent(EventType()), code_(code) {}
  // The one QEvent type that all program events share.
  static QEvent::Type EventType();
  int Code() const { return code_; }

 private:
  int code_;
};

enum class WindowKind {
  Frame,
  SearchParameters,
  Results,
  Viewer,
  MultiSearch,
  Utility,
  StickyNote
};

inline constexpr int kWindowSlots = 63;

class WindowRegistry final : public QObject {
 public:
  WindowRegistry() = default;

  // Takes the lowest free slot for the window and returns its number (1 to 63); 0 when all
  // slots are taken or there is no window. A window already registered keeps its slot.
  int Open(QWidget* window, WindowKind kind);
  // Frees the slot; the window itself is left alone. A destroyed window frees its own slot.
  void Close(int slot);

  // Queues the event to the slot's window; false when the slot is empty.
  bool Post(int slot, int code) const;
  // Queues the event to every open slot from 2 on (all windows but the frame's).
  void Broadcast(int code) const;

  QWidget* Window(int slot) const;
  int SlotOf(const QWidget* window) const;  // 0 when not registered
  // The open slots holding windows of the kind, in slot order.
  std::vector<int> SlotsOf(WindowKind kind) const;
  int OpenCount() const;

 private:
  struct Entry {
    QWidget* window = nullptr;
    WindowKind kind = WindowKind::Utility;
    QMetaObject::Connection destroyed;
  };
  const Entry* Find(int slot) const;

  std::array<Entry, kWindowSlots> entries_;  // entries_[0] is slot 1
};

// The application's registry.
WindowRegistry& AppWindows();

}  // namespace trawlex::ui
