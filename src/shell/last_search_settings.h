#pragma once
// The last search as Search.DAT keeps it for the search-parameters dialogue: the switches of
// the last search run (section "Gen") and the histories of its three drop-down lists
// (sections "Text", "Path" and "Spec", keys "1" to "12", most recent first).

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/search_spec.h"

namespace trawlex::shell {

inline constexpr std::string_view kSwitchesSection = "Gen";
inline constexpr std::string_view kTextHistorySection = "Text";
inline constexpr std::string_view kPathHistorySection = "Path";
inline constexpr std::string_view kSpecHistorySection = "Spec";

// Entries each drop-down list keeps after a search.
inline constexpr int kHistoryEntries = 12;

// Widths of the list entries: the find and specification lists hold 60 characters, the path
// list 127. Other sections are read without a limit.
std::size_t HistoryWidth(std::string_view section);

// The thirteen "Gen" switches. A missing file or key gives OOP 1, Levels 1 and all others 0.
// On/off switches read as 0 or 1 (any non-zero number is on); Levels and Label are bytes,
// kept within 0 to 255. The switches the section does not hold stay 0.
engine::SearchSwitches ReadLastSwitches(const std::filesystem::path& searchDat);

// Writes the thirteen switches, each key on its own. False when any write failed (each key
// that could not be written leaves the file as it was).
bool WriteLastSwitches(const std::filesystem::path& searchDat, const engine::SearchSwitches& sw);

// Keys 1 to 12 of `section` up to the first blank one, each cut to the list's width.
std::vector<std::string> ReadHistory(const std::filesystem::path& searchDat,
                                     std::string_view section);

// Writes keys 1 to 12: the first twelve entries, blank for the missing ones. False when any
// write failed.
bool WriteHistory(const std::filesystem::path& searchDat, std::string_view section,
                  const std::vector<std::string>& entries);

}  // namespace trawlex::shell
