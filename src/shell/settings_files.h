#pragma once
// Where the program's profile files live, and the small rules every writer of them shares.
//
// "Search.DAT" (preferences, last switches, drop-list histories, setup mark) and the look file
// "VavaDud2.INI" are relative to the current directory, so each working directory keeps its
// own. Trawlex.INI (window positions, column widths, converter options) is per user, under
// $XDG_CONFIG_HOME/trawlex/; the read-only stand-ins for WIN.INI and UEDIT32.INI sit beside it.

#include <filesystem>
#include <string>
#include <string_view>

namespace trawlex::shell {

inline constexpr std::string_view kSearchDatName = "Search.DAT";
inline constexpr std::string_view kTrawlexIniName = "Trawlex.INI";
inline constexpr std::string_view kLookFileName = "VavaDud2.INI";
inline constexpr std::string_view kWinIniName = "win.ini";
inline constexpr std::string_view kUedit32IniName = "UEDIT32.INI";

struct SettingsFiles {
  std::filesystem::path searchDat;   // preferences and last search
  std::filesystem::path trawlexIni;  // window positions and list column widths
  std::filesystem::path lookFile;    // results looks and viewer font
  std::filesystem::path winIni;      // installed Veldar environments, read only
  std::filesystem::path uedit32Ini;  // UltraEdit's settings, read only (editor detection)
};

// The files of a normal run: Search.DAT and VavaDud2.INI as relative names (they follow the
// current directory at the time of each access), the rest in the user's configuration
// directory: $XDG_CONFIG_HOME/trawlex when that is an absolute path, else ~/.config/trawlex.
SettingsFiles DefaultSettingsFiles();

// All five files in one directory (tests, portable set-ups).
SettingsFiles SettingsFilesIn(const std::filesystem::path& dir);

// The text to write for `value` so that a profile read gives `value` back. A profile read
// trims blanks and tabs and removes one pair of enclosing quotes, which would lose a search
// text's leading blank or the quotes around an editor path; such values are written inside
// one extra pair of double quotes. A profile line cannot hold a line break: the value ends
// before the first one.
std::string ProfileText(std::string_view value);

}  // namespace trawlex::shell
