#include "runtime/path_kind.h"

#include <sys/stat.h>

#include <cerrno>

namespace trawlex::runtime {
namespace {

bool NameIsLink(const std::filesystem::path& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

}  // namespace

PathKind KindOfMode(mode_t mode) {
  if (S_ISREG(mode)) return PathKind::Regular;
  if (S_ISDIR(mode)) return PathKind::Directory;
  if (S_ISFIFO(mode)) return PathKind::NamedPipe;
  if (S_ISCHR(mode)) return PathKind::CharacterDevice;
  if (S_ISBLK(mode)) return PathKind::BlockDevice;
  if (S_ISSOCK(mode)) return PathKind::Socket;
  return PathKind::OtherSpecial;
}

PathKind KindOfPath(const std::filesystem::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return KindOfMode(info.st_mode);
  return KindAfterFailedLookup(path, errno);
}

PathKind KindAfterFailedLookup(const std::filesystem::path& path, int lookupErrno) {
  const int savedErrno = errno;  // the caller may still report the original failure
  PathKind kind = PathKind::Unknown;
  if (lookupErrno == ENOENT) {
    kind = NameIsLink(path) ? PathKind::DanglingLink : PathKind::Missing;
  } else if (lookupErrno == ELOOP) {
    // A loop on the way to the name (a looping directory link) is not the name's own kind.
    if (NameIsLink(path)) kind = PathKind::LinkLoop;
  } else if (lookupErrno == ENXIO || lookupErrno == ENODEV) {
    // Opening a socket, or a device whose driver is absent, fails this way.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) kind = KindOfMode(info.st_mode);
  }
  errno = savedErrno;
  return kind;
}

bool IsRefusedPathKind(PathKind kind) {
  return kind != PathKind::Missing && kind != PathKind::Regular && kind != PathKind::Unknown;
}

std::string_view KindPhrase(PathKind kind) {
  switch (kind) {
    case PathKind::Directory:
      return "a directory";
    case PathKind::NamedPipe:
      return "a named pipe";
    case PathKind::CharacterDevice:
      return "a character device";
    case PathKind::BlockDevice:
      return "a block device";
    case PathKind::Socket:
      return "a socket";
    case PathKind::DanglingLink:
      return "a symbolic link to a missing file";
    case PathKind::LinkLoop:
      return "a symbolic link loop";
    case PathKind::OtherSpecial:
      return "a special file";
    case PathKind::Missing:
    case PathKind::Regular:
    case PathKind::Unknown:
      break;
  }
  return {};
}

std::string RefusalText(std::string_view name, PathKind kind, std::string_view wanted) {
  std::string text(name);
  text.append(" is ").append(KindPhrase(kind)).append(", not ").append(wanted);
  return text;
}

}  // namespace trawlex::runtime
