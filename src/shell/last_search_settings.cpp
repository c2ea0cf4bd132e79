#include "shell/last_search_settings.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "runtime/case_table.h"
#include "runtime/fixed_text.h"
#include "runtime/profile.h"
#include "shell/settings_files.h"

namespace trawlex::shell {
namespace {

using engine::Extra;
using engine::SearchSwitches;

enum class SwitchKind { Flag, Byte };

// One "Gen" key and the request switch it keeps.
struct SwitchKey {
  std::string_view key;
  SwitchKind kind;
  int defaultValue;
  std::uint8_t& (*field)(SearchSwitches&);
};

// The keys in the order they are written.
constexpr SwitchKey kSwitchKeys[] = {
    {"Case", SwitchKind::Flag, 0,
     [](SearchSwitches& s) -> std::uint8_t& { return s.caseSensitive; }},
    {"Word", SwitchKind::Flag, 0, [](SearchSwitches& s) -> std::uint8_t& { return s.word; }},
    {"Trail", SwitchKind::Flag, 0, [](SearchSwitches& s) -> std::uint8_t& { return s.trail; }},
    {"Code", SwitchKind::Flag, 0, [](SearchSwitches& s) -> std::uint8_t& { return s.codeOnly; }},
    {"OOP", SwitchKind::Flag, 1, [](SearchSwitches& s) -> std::uint8_t& { return s.oop; }},
    {"First", SwitchKind::Flag, 0, [](SearchSwitches& s) -> std::uint8_t& { return s.first; }},
    {"Subs", SwitchKind::Flag, 0, [](SearchSwitches& s) -> std::uint8_t& { return s.subdirs; }},
    {"Levels", SwitchKind::Byte, 1, [](SearchSwitches& s) -> std::uint8_t& { return s.subLevels; }},
    {"Modal", SwitchKind::Flag, 0, [](SearchSwitches& s) -> std::uint8_t& { return s.modal; }},
    {"Smash", SwitchKind::Flag, 0, [](SearchSwitches& s) -> std::uint8_t& { return s.smash; }},
    {"Wild", SwitchKind::Flag, 0,
     [](SearchSwitches& s) -> std::uint8_t& { return s[Extra::Wild]; }},
    {"RegX", SwitchKind::Flag, 0,
     [](SearchSwitches& s) -> std::uint8_t& { return s[Extra::Regex]; }},
    {"Label", SwitchKind::Byte, 0,
     [](SearchSwitches& s) -> std::uint8_t& { return s[Extra::LabelMode]; }},
};

std::uint8_t StoredSwitch(SwitchKind kind, int value) {
  if (kind == SwitchKind::Flag) return value != 0 ? 1 : 0;
  // A byte cannot hold more; wrapping a level count of 300 round to 44 would be worse.
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

std::size_t HistoryWidth(std::string_view section) {
  if (runtime::EqualNoCase(section, kPathHistorySection)) return 127;
  if (runtime::EqualNoCase(section, kTextHistorySection) ||
      runtime::EqualNoCase(section, kSpecHistorySection)) {
    return 60;
  }
  return std::numeric_limits<std::size_t>::max();
}

SearchSwitches ReadLastSwitches(const std::filesystem::path& searchDat) {
  SearchSwitches sw;
  for (const SwitchKey& entry : kSwitchKeys) {
    const int value =
        runtime::ReadProfileInt(searchDat, kSwitchesSection, entry.key, entry.defaultValue);
    entry.field(sw) = StoredSwitch(entry.kind, value);
  }
  return sw;
}

bool WriteLastSwitches(const std::filesystem::path& searchDat, const SearchSwitches& sw) {
  SearchSwitches copy = sw;  // the accessors hand out references
  std::vector<std::pair<std::string, std::string>> entries;
  for (const SwitchKey& entry : kSwitchKeys) {
    entries.emplace_back(entry.key, std::to_string(entry.field(copy)));
  }
  // One replacement of the file for the whole section: a search writes it every time.
  return runtime::WriteProfileStrings(searchDat, kSwitchesSection, entries);
}

std::vector<std::string> ReadHistory(const std::filesystem::path& searchDat,
                                     std::string_view section) {
  const std::size_t width = HistoryWidth(section);
  std::vector<std::string> entries;
  for (int key = 1; key <= kHistoryEntries; ++key) {
    std::string entry = runtime::Fit(
        runtime::ReadProfileString(searchDat, section, std::to_string(key), ""), width);
    if (entry.empty()) break;
    entries.push_back(std::move(entry));
  }
  return entries;
}

bool WriteHistory(const std::filesystem::path& searchDat, std::string_view section,
                  const std::vector<std::string>& entries) {
  std::vector<std::pair<std::string, std::string>> keys;
  for (int key = 1; key <= kHistoryEntries; ++key) {
    const std::size_t at = static_cast<std::size_t>(key - 1);
    keys.emplace_back(std::to_string(key), at < entries.size() ? ProfileText(entries[at]) : "");
  }
  return runtime::WriteProfileStrings(searchDat, section, keys);
}

}  // namespace trawlex::shell
