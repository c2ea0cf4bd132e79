#include "runtime/directory_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "runtime/long_path.h"
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
  return LowerSpecMatches(LowerName(name), LowerName(spec));
}

bool LowerSpecMatches(std::string_view lowerName, std::string_view pattern) {
  if (GlobMatches(lowerName, pattern)) return true;
  if (EndsWith(pattern, ".*")) {
    return GlobMatches(lowerName, pattern.substr(0, pattern.size() - 2));
  }
  if (EndsWith(pattern, ".")) {
    return lowerName.find('.') == std::string::npos &&
           GlobMatches(lowerName, pattern.substr(0, pattern.size() - 1));
  }
  return false;
}

DirectoryReader::~DirectoryReader() {
  if (fd_ >= 0) close(fd_);
}

OsError DirectoryReader::Open(const std::string& directory) {
  names_.clear();
  if (fd_ >= 0) close(fd_);
  fd_ = OpenPath(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) return OsErrorOf(errno, directory);
  // fdopendir takes the descriptor over; a duplicate stays open for Examine.
  const int listFd = dup(fd_);
  DIR* dir = listFd < 0 ? nullptr : fdopendir(listFd);
  if (dir == nullptr) {
    const OsError error = OsErrorOf(errno, directory);
    if (listFd >= 0) close(listFd);
    return error;
  }
  while (const dirent* item = readdir(dir)) {
    const std::string_view name = item->d_name;
    if (name == "." || name == "..") continue;
    DirectoryName entry;
    entry.name = name;
    switch (item->d_type) {
      case DT_REG: entry.type = DirectoryName::Type::Regular; break;
      case DT_DIR: entry.type = DirectoryName::Type::Directory; break;
      case DT_LNK:
      case DT_UNKNOWN: entry.type = DirectoryName::Type::Unknown; break;
      default: entry.type = DirectoryName::Type::Other; break;
    }
    names_.push_back(std::move(entry));
  }
  closedir(dir);
  return {};
}

bool DirectoryReader::Examine(const std::string& name, DirectoryEntry& entry,
                              int* failure) const {
  struct stat info {};
  if (fstatat(fd_, name.c_str(), &info, 0) != 0) {
    // A name that vanished or a dangling or looping link is simply not there; anything else
    // (no permission to enter the directory, an I/O error) is a failure to tell.
    if (failure != nullptr && errno != ENOENT && errno != ELOOP) *failure = errno;
    return false;
  }
  const bool isDirectory = S_ISDIR(info.st_mode);
  if (!isDirectory && !S_ISREG(info.st_mode)) return false;
  entry.name = name;
  entry.size = info.st_size;
  entry.isDirectory = isDirectory;
  entry.device = info.st_dev;
  entry.inode = info.st_ino;
  SetDateTime(info, entry);
  return true;
}

OsError ListDirectory(const std::string& directory, std::string_view spec, ListKind kind,
                      std::vector<DirectoryEntry>& out) {
  DirectoryReader reader;
  if (OsError error = reader.Open(directory)) return error;
  const std::string lowerSpec = LowerName(spec);
  for (const DirectoryName& listed : reader.names()) {
    if (listed.type == DirectoryName::Type::Other) continue;
    if (kind == ListKind::FilesOnly && listed.type == DirectoryName::Type::Directory) continue;
    if (!LowerSpecMatches(LowerName(listed.name), lowerSpec)) continue;
    DirectoryEntry entry;
    if (!reader.Examine(listed.name, entry)) continue;
    if (entry.isDirectory && kind == ListKind::FilesOnly) continue;
    out.push_back(std::move(entry));
  }
  return {};
}

}  // namespace trawlex::runtime
