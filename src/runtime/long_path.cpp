#include "runtime/long_path.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cerrno>

namespace trawlex::runtime {
namespace {

// Where to cut a long path: the last '/' that leaves the first piece short enough.
std::size_t CutBefore(const std::string& path, std::size_t from) {
  const std::size_t limit = from + PATH_MAX - 1;
  const std::size_t cut = path.rfind('/', limit);
  return cut == std::string::npos || cut <= from ? std::string::npos : cut;
}

}  // namespace

int OpenPath(const std::string& path, int flags, unsigned mode) {
  if (path.size() < PATH_MAX) return ::open(path.c_str(), flags, mode);
  // Walk down: open each piece as a directory relative to the one before.
  int dir = AT_FDCWD;
  std::size_t from = 0;
  while (path.size() - from >= PATH_MAX) {
    const std::size_t cut = CutBefore(path, from);
    if (cut == std::string::npos) {
      if (dir != AT_FDCWD) ::close(dir);
      errno = ENAMETOOLONG;  // a single name longer than the limit
      return -1;
    }
    const std::string piece = path.substr(from, cut - from + 1);
    const int next = ::openat(dir, piece.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int saved = errno;
    if (dir != AT_FDCWD) ::close(dir);
    if (next < 0) {
      errno = saved;
      return -1;
    }
    dir = next;
    from = cut + 1;
  }
  const int fd = ::openat(dir, path.c_str() + from, flags, mode);
  const int saved = errno;
  if (dir != AT_FDCWD) ::close(dir);
  errno = saved;
  return fd;
}

}  // namespace trawlex::runtime
