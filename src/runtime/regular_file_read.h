#pragma once
// Reading a small data file whole, without the ways a plain open-and-read goes wrong on a name
// that is not a regular file: the name is opened without blocking (a named pipe would wait
// for a writer), what was opened is checked on the descriptor itself (so nothing can be put in
// its place between a check and the open), and no more than a limit is read (a device such as
// /dev/zero never ends).

#include <sys/stat.h>

#include <cstddef>
#include <filesystem>
#include <string>

#include "runtime/path_kind.h"

namespace trawlex::runtime {

struct RegularFileRead {
  int error = 0;                      // errno of a failed open or read; ENOENT: no such file
  PathKind kind = PathKind::Unknown;  // what the name stands for
  bool tooLarge = false;              // a regular file larger than the limit
  std::string text;                   // the whole file, when it was read
  struct stat info {};                // the opened file's status (valid when kind is known)

  // The file is a regular file within the limit and was read to its end.
  bool ok() const { return error == 0 && kind == PathKind::Regular && !tooLarge; }
  // The name stands for something that must not be used as a data file.
  bool refused() const { return IsRefusedPathKind(kind) || tooLarge; }
};

// Reads `file` whole when it is a regular file of at most `limit` bytes. A file that grows
// past the limit while it is read counts as too large; its text is then left empty.
RegularFileRead ReadRegularFile(const std::filesystem::path& file, std::size_t limit);

// The same checks as ReadRegularFile, without reading the text.
RegularFileRead CheckRegularFile(const std::filesystem::path& file, std::size_t limit);

}  // namespace trawlex::runtime
