#include "ui/window_registry.h"

#include <QCoreApplication>
#include <QWidget>

namespace trawlex::ui {

QEvent::Type ProgramEvent::EventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

int WindowRegistry::Open(QWidget* window, WindowKind kind) {
  if (window == nullptr) return 0;
  if (const int known = SlotOf(window)) return known;
  for (int slot = 1; slot <= kWindowSlots; ++slot) {
    Entry& entry = entries_[slot - 1];
    if (entry.window != nullptr) continue;
    entry.window = window;
    entry.kind = kind;
    // The destroyed signal comes from ~QObject, when the widget part is gone already: only
    // the pointer is compared, never used.
    entry.destroyed = connect(window, &QObject::destroyed, this, [this, slot] { Close(slot); });
    return slot;
  }
  return 0;
}

void WindowRegistry::Close(int slot) {
  if (slot < 1 || slot > kWindowSlots) return;
  Entry& entry = entries_[slot - 1];
  disconnect(entry.destroyed);
  entry = Entry{};
}

bool WindowRegistry::Post(int slot, int code) const {
  const Entry* entry = Find(slot);
  if (entry == nullptr) return false;
  // postEvent takes ownership; pending events of a window that is deleted are dropped.
  QCoreApplication::postEvent(entry->window, new ProgramEvent(code));
  return true;
}

void WindowRegistry::Broadcast(int code) const {
  for (int slot = 2; slot <= kWindowSlots; ++slot) Post(slot, code);
}

QWidget* WindowRegistry::Window(int slot) const {
  const Entry* entry = Find(slot);
  return entry == nullptr ? nullptr : entry->window;
}

int WindowRegistry::SlotOf(const QWidget* window) const {
  if (window == nullptr) return 0;
  for (int slot = 1; slot <= kWindowSlots; ++slot) {
    if (entries_[slot - 1].window == window) return slot;
  }
  return 0;
}

std::vector<int> WindowRegistry::SlotsOf(WindowKind kind) const {
  std::vector<int> found;
  for (int slot = 1; slot <= kWindowSlots; ++slot) {
    const Entry& entry = entries_[slot - 1];
    if (entry.window != nullptr && entry.kind == kind) found.push_back(slot);
  }
  return found;
}

int WindowRegistry::OpenCount() const {
  int count = 0;
  for (const Entry& entry : entries_) count += entry.window != nullptr ? 1 : 0;
  return count;
}

const WindowRegistry::Entry* WindowRegistry::Find(int slot) const {
  if (slot < 1 || slot > kWindowSlots) return nullptr;
  const Entry& entry = entries_[slot - 1];
  return entry.window == nullptr ? nullptr : &entry;
}

WindowRegistry& AppWindows() {
  static WindowRegistry registry;
  return registry;
}

}  // namespace trawlex::ui
