#pragma once
// Column widths of the saved-search lists kept in Trawlex.INI. Each width is written as three
// digits ("093"), the widths of a list run together ("093092057"); "VersionNumber" names the
// list layout they belong to, so a changed layout (a raised version) discards stored widths.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trawlex::shell {

// Layout versions of the lists whose widths are kept (section names in window_placement.h).
inline constexpr int kOpenSearchLayoutVersion = 2;
inline constexpr int kOpenLastSearchLayoutVersion = 3;

// At most this many groups or columns are kept.
inline constexpr int kMaxStoredWidths = 64;
// Three digits hold at most this; wider columns are stored at this width.
inline constexpr int kMaxStoredWidth = 999;

struct ColumnWidths {
  // Widths by position; 0 marks a width that could not be read: keep the designed one.
  std::vector<int> groupWidths;
  std::vector<int> columnWidths;
  bool operator==(const ColumnWidths&) const = default;
};

// The stored text of a list's widths: from the first entry up to the first width of 0 (or
// less), at most 64, each as three digits, widths above 999 stored as 999.
std::string FormatWidths(const std::vector<int>& widths);

// Widths by three-character cells; a cell that is not three digits reads as 0 and a short
// cell at the end is dropped. At most 64.
std::vector<int> ParseWidths(std::string_view text);

// On closing a list window that opened: writes VersionNumber and both width texts.
// False when a write failed.
bool SaveColumnWidths(const std::filesystem::path& file, std::string_view section,
                      int layoutVersion, const std::vector<int>& groupWidths,
                      const std::vector<int>& columnWidths);

// On opening: the stored widths when VersionNumber (default "0") is the window's layout
// version, else nothing and the list keeps its designed widths.
std::optional<ColumnWidths> RestoreColumnWidths(const std::filesystem::path& file,
                                                std::string_view section, int layoutVersion);

}  // namespace trawlex::shell
