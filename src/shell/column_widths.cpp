#include "shell/column_widths.h"

#include <algorithm>
#include <charconv>

#include "runtime/profile.h"

namespace trawlex::shell {
namespace {

constexpr std::string_view kVersionKey = "VersionNumber";
constexpr std::string_view kGroupWidthsKey = "Browse:1GroupWidths";
constexpr std::string_view kColumnWidthsKey = "Browse:1ColumnWidths";

int CellWidth(std::string_view cell) {
  int width = 0;
  for (const char c : cell) {
    if (c < '0' || c > '9') return 0;
    width = width * 10 + (c - '0');
  }
  return width;
}

// The stored version must be a whole number; "2x" or junk never matches.
bool SameVersion(std::string_view stored, int layoutVersion) {
  int version = 0;
  const auto [end, error] = std::from_chars(stored.data(), stored.data() + stored.size(), version);
  return error == std::errc() && end == stored.data() + stored.size() && version == layoutVersion;
}

}  // namespace

std::string FormatWidths(const std::vector<int>& widths) {
  std::string text;
  const std::size_t count = std::min<std::size_t>(widths.size(), kMaxStoredWidths);
  for (std::size_t i = 0; i < count && widths[i] > 0; ++i) {
    const int width = std::min(widths[i], kMaxStoredWidth);
    text += static_cast<char>('0' + width / 100);
    text += static_cast<char>('0' + width / 10 % 10);
    text += static_cast<char>('0' + width % 10);
  }
  return text;
}

std::vector<int> ParseWidths(std::string_view text) {
  std::vector<int> widths;
  for (std::size_t at = 0; at + 3 <= text.size() && widths.size() < kMaxStoredWidths; at += 3) {
    widths.push_back(CellWidth(text.substr(at, 3)));
  }
  return widths;
}

bool SaveColumnWidths(const std::filesystem::path& file, std::string_view section,
                      int layoutVersion, const std::vector<int>& groupWidths,
                      const std::vector<int>& columnWidths) {
  bool allWritten =
      runtime::WriteProfileString(file, section, kVersionKey, std::to_string(layoutVersion));
  allWritten &=
      runtime::WriteProfileString(file, section, kGroupWidthsKey, FormatWidths(groupWidths));
  allWritten &=
      runtime::WriteProfileString(file, section, kColumnWidthsKey, FormatWidths(columnWidths));
  return allWritten;
}

std::optional<ColumnWidths> RestoreColumnWidths(const std::filesystem::path& file,
                                                std::string_view section, int layoutVersion) {
  const std::string version = runtime::ReadProfileString(file, section, kVersionKey, "0");
  if (!SameVersion(version, layoutVersion)) return std::nullopt;
  ColumnWidths widths;
  widths.groupWidths = ParseWidths(runtime::ReadProfileString(file, section, kGroupWidthsKey, ""));
  widths.columnWidths =
      ParseWidths(runtime::ReadProfileString(file, section, kColumnWidthsKey, ""));
  return widths;
}

}  // namespace trawlex::shell
