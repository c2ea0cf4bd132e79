#pragma once
// Directory listing: the names of a directory read once, each examined only when its type or
// size is wanted, and file specifications matched the Windows way.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/error_codes.h"

namespace trawlex::runtime {

// Windows-style matching of a name against one file specification, without case (names
// fold as LowerName folds them): '*' stands for any run of characters, '?' for exactly one.
// A specification ending in ".*" also matches when the part before ".*" matches the whole
// name, so "*.*" matches every name and "read*.*" matches "readme". A specification ending
// in a single "." matches names without a dot when the part before it matches the whole name.
bool SpecMatches(std::string_view name, std::string_view spec);
// The same for a name and a specification already folded with LowerName.
bool LowerSpecMatches(std::string_view lowerName, std::string_view lowerSpec);

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

// A name as the directory gives it, with what the file system tells of its type for free.
struct DirectoryName {
  std::string name;
  enum class Type : std::uint8_t { Regular, Directory, Other, Unknown } type = Type::Unknown;
};

// An open directory: its names in the order it gives them ("." and ".." never), and each
// name examined on demand.
class DirectoryReader {
 public:
  DirectoryReader() = default;
  ~DirectoryReader();
  DirectoryReader(const DirectoryReader&) = delete;
  DirectoryReader& operator=(const DirectoryReader&) = delete;

  // Opens the directory and reads its names; a failure comes back as the error.
  OsError Open(const std::string& directory);
  const std::vector<DirectoryName>& names() const { return names_; }
  // Fills `entry` for a name of this directory, following symbolic links. False when the entry
  // vanished or dangles, or is neither a regular file nor a directory: a pipe, socket or device
  // would block or never end when searched. When the entry could not be examined for another
  // reason (the directory cannot be entered), `failure` receives the errno value.
  bool Examine(const std::string& name, DirectoryEntry& entry, int* failure = nullptr) const;

 private:
  int fd_ = -1;
  std::vector<DirectoryName> names_;
};

// Appends the entries of `directory` whose names match `spec`, in the order the directory
// gives them; "." and ".." never. Symbolic links are followed for type, size and date; a
// dangling link is passed over, as is an entry that vanishes or cannot be examined while the
// listing runs. Only regular files and directories are listed: a pipe, socket or device
// would block or never end when searched.
// A directory that cannot be opened comes back as the error.
OsError ListDirectory(const std::string& directory, std::string_view spec, ListKind kind,
                      std::vector<DirectoryEntry>& out);

}  // namespace trawlex::runtime
