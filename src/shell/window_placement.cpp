#include "shell/window_placement.h"

#include <string>

#include "runtime/profile.h"

namespace trawlex::shell {
namespace {

namespace fs = std::filesystem;

int ReadNumber(const fs::path& file, std::string_view section, std::string_view key) {
  return runtime::ReadProfileInt(file, section, key, 0);
}

// Moves the window to the stored place when it is complete; false when it is not.
bool MoveToStoredPlace(WindowGeometry& window, const fs::path& file, std::string_view section) {
  Rect place = window.Position();
  place.x = ReadNumber(file, section, "XPosit");
  place.y = ReadNumber(file, section, "YPosit");
  if (place.x == 0 || place.y == 0) return false;
  if (window.IsResizable()) {
    place.width = ReadNumber(file, section, "Width");
    place.height = ReadNumber(file, section, "Height");
    if (place.width < 1 || place.height < 1) return false;
  }
  window.MoveTo(place);
  return true;
}

}  // namespace

bool SaveWindowPosition(WindowGeometry& window, const fs::path& file, std::string_view section) {
  // Checked first: a window minimised from the maximised state must not be restored and
  // then saved at the place it would take on the screen.
  if (window.IsMinimized()) return true;
  const bool wasMaximized = window.IsMaximized();
  if (wasMaximized) window.Restore();
  const Rect place = window.Position();
  const std::pair<std::string_view, std::string> keys[] = {
      {"Maximize", wasMaximized ? "Yes" : "No"}, {"XPosit", std::to_string(place.x)},
      {"YPosit", std::to_string(place.y)},       {"Width", std::to_string(place.width)},
      {"Height", std::to_string(place.height)},
  };
  bool allWritten = true;
  for (const auto& [key, value] : keys) {
    allWritten &= runtime::WriteProfileString(file, section, key, value);
  }
  return allWritten;
}

void RestoreWindowPosition(WindowGeometry& window, const fs::path& file, std::string_view section) {
  if (ReadNumber(file, section, "XPosit") == 0) return;  // never saved
  if (!window.IsMaximized()) MoveToStoredPlace(window, file, section);
  if (runtime::ReadProfileString(file, section, "Maximize", "") == "Yes") window.Maximize();
}

}  // namespace trawlex::shell
