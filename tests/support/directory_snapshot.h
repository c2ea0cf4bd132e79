#pragma once
// What a directory holds, entry by entry as lstat sees it (name, mode, inode, size, change
// time, link target), sorted: a test compares two snapshots to show that nothing was created,
// replaced or written.

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace trawlex::testing {

inline std::string DirectorySnapshot(const std::filesystem::path& dir) {
  namespace fs = std::filesystem;
  std::vector<std::string> entries;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    struct stat info {};
    ::lstat(entry.path().c_str(), &info);
    std::string line = entry.path().filename().string() + " " + std::to_string(info.st_mode) +
                       " " + std::to_string(info.st_ino) + " " + std::to_string(info.st_size) +
                       " " + std::to_string(info.st_ctim.tv_sec) + "." +
                       std::to_string(info.st_ctim.tv_nsec);
    if (S_ISLNK(info.st_mode)) line += " -> " + fs::read_symlink(entry.path()).string();
    entries.push_back(line);
  }
  std::sort(entries.begin(), entries.end());
  std::string all;
  for (const std::string& e : entries) all += e + "\n";
  return all;
}

}  // namespace trawlex::testing
