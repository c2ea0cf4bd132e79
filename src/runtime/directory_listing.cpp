#include "runtime/directory_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <ctime>

#include "runtime/error_codes.h"
#include "runtime/names.h"
#include "runtime/pictures.h"

namespace trawlex::runtime {
namespace {

// The whole name against the whole pattern; '*' any run (also empty), '?' one character.
// Only the latest '*' is ever moved on, which keeps the work at length times length at worst:
// any way an earlier star could absorb more text is also open to the later one.
bool GlobMatches(std::string_view name, std::string_view pattern) {
  std::size_t n = 0;
  std::size_t p = 0;
  std::size_t starPattern = std::string_view::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (starPattern != std::string_view::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

void SetDateTime(const struct stat& info, DirectoryEntry& entry) {
  std::tm local{};
  const std::time_t seconds = info.st_mtim.tv_sec;
  if (localtime_r(&seconds, &local) == nullptr) return;  // out of range: no date
  entry.date = DayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  entry.time = TimeOf(local.tm_hour, local.tm_min, local.tm_sec,
                      static_cast<int>(info.st_mtim.tv_nsec / 10'000'000));
}

}  // namespace

bool SpecMatches(std::string_view name, std::string_view spec) {
  const std::string lowerName = LowerName(name);
  const std::string lowerSpec = LowerName(spec);
  if (GlobMatches(lowerName, lowerSpec)) return true;
  const std::string_view pattern = lowerSpec;
  if (EndsWith(pattern, ".*")) {
    return GlobMatches(lowerName, pattern.substr(0, pattern.size() - 2));
  }
  if (EndsWith(pattern, ".")) {
    return lowerName.find('.') == std::string::npos &&
           GlobMatches(lowerName, pattern.substr(0, pattern.size() - 1));
  }
  return false;
}

bool ListDirectory(const std::string& directory, std::string_view spec, ListKind kind,
                   std::vector<DirectoryEntry>& out) {
  DIR* dir = opendir(directory.c_str());
  if (dir == nullptr) {
    PostOsError(errno, directory);
    return false;
  }
  const int fd = dirfd(dir);
  while (const dirent* item = readdir(dir)) {
    const std::string_view name = item->d_name;
    if (name == "." || name == "..") continue;
    if (!SpecMatches(name, spec)) continue;
    struct stat info {};
    if (fstatat(fd, item->d_name, &info, 0) != 0) continue;  // vanished or dangling link
    const bool isDirectory = S_ISDIR(info.st_mode);
    if (!isDirectory && !S_ISREG(info.st_mode)) continue;
    if (isDirectory && kind == ListKind::FilesOnly) continue;
    DirectoryEntry entry;
    entry.name = name;
    entry.size = info.st_size;
    entry.isDirectory = isDirectory;
    entry.device = info.st_dev;
    entry.inode = info.st_ino;
    SetDateTime(info, entry);
    out.push_back(std::move(entry));
  }
  closedir(dir);
  ClearError();
  return true;
}

}  // namespace trawlex::runtime
