#pragma once
// The listing of one directory with one file specification, matched the Windows way.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trawlex::runtime {

// Windows-style matching of a name against one file specification, without case (names
// fold as LowerName folds them): '*' stands for any run of characters, '?' for exactly one.
// A specification ending in ".*" also matches when the part before ".*" matches the whole
// name, so "*.*" matches every name and "read*.*" matches "readme". A specification ending
// in a single "." matches names without a dot when the part before it matches the whole name.
bool SpecMatches(std::string_view name, std::string_view spec);

struct DirectoryEntry {
  std::string name;       // the name on disk
  std::string shortName;  // the 8.3 name: always blank here
  std::int32_t date = 0;  // day number of the last change (local time)
  std::int32_t time = 0;  // hundredths of a second since midnight of the last change
  std::int64_t size = 0;
  bool isDirectory = false;
  std::uint64_t device = 0;  // device and inode identify a directory reached twice
  std::uint64_t inode = 0;
};

enum class ListKind { FilesOnly, FilesAndDirectories };

// Appends the entries of `directory` whose names match `spec`, in the order the directory
// gives them; "." and ".." never. Symbolic links are followed for type, size and date; a
// dangling link is passed over, as is an entry that vanishes or cannot be examined while the
// listing runs. Only regular files and directories are listed: a pipe, socket or device
// would block or never end when searched.
// Returns false and posts the error when the directory cannot be opened; clears it otherwise.
bool ListDirectory(const std::string& directory, std::string_view spec, ListKind kind,
                   std::vector<DirectoryEntry>& out);

}  // namespace trawlex::runtime
