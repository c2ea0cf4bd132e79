#include "shell/settings_files.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace trawlex::shell {
namespace {

namespace fs = std::filesystem;

fs::path HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && *entry->pw_dir) {
    return entry->pw_dir;
  }
  return {};  // nowhere better: the current directory
}

// The base directory rules of XDG: a relative $XDG_CONFIG_HOME is invalid and ignored.
fs::path ConfigHome() {
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
    const fs::path dir(config);
    if (dir.is_absolute()) return dir;
  }
  return HomeDirectory() / ".config";
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

SettingsFiles DefaultSettingsFiles() {
  const fs::path userDir = ConfigHome() / "trawlex";
  SettingsFiles files;
  files.searchDat = fs::path(kSearchDatName);
  files.lookFile = fs::path(kLookFileName);
  files.trawlexIni = userDir / kTrawlexIniName;
  files.winIni = userDir / kWinIniName;
  files.uedit32Ini = userDir / kUedit32IniName;
  return files;
}

SettingsFiles SettingsFilesIn(const fs::path& dir) {
  SettingsFiles files;
  files.searchDat = dir / kSearchDatName;
  files.lookFile = dir / kLookFileName;
  files.trawlexIni = dir / kTrawlexIniName;
  files.winIni = dir / kWinIniName;
  files.uedit32Ini = dir / kUedit32IniName;
  return files;
}

std::string ProfileText(std::string_view value) {
  value = value.substr(0, value.find_first_of("\r\n"));
  if (value.empty()) return {};
  const bool blankEnds = IsBlank(value.front()) || IsBlank(value.back());
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  if (!blankEnds && !quoted) return std::string(value);
  std::string text;
  text.reserve(value.size() + 2);
  text.append("\"").append(value).append("\"");
  return text;
}

}  // namespace trawlex::shell
