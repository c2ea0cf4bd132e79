#include "runtime/regular_file_read.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace trawlex::runtime {
namespace {

constexpr std::size_t kReadChunk = 4096;

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// O_NONBLOCK lets the open of a named pipe return at once, and O_NOCTTY keeps a terminal from
// becoming ours; neither changes how a regular file reads.
int OpenForReading(const std::filesystem::path& file) {
  return ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

// Finds out what the open of `file` gave (`fd`, or -1 with errno set). True when it is a
// regular file within the limit.
bool CheckOpened(const std::filesystem::path& file, int fd, std::size_t limit,
                 RegularFileRead& result) {
  if (fd < 0) {
    result.error = errno;
    result.kind = KindAfterFailedLookup(file, result.error);
    return false;
  }
  if (::fstat(fd, &result.info) != 0) {
    result.error = errno;
    return false;
  }
  result.kind = KindOfMode(result.info.st_mode);
  if (result.kind != PathKind::Regular) return false;
  result.tooLarge = static_cast<std::uintmax_t>(result.info.st_size) > limit;
  return !result.tooLarge;
}

ssize_t ReadSome(int fd, char* into, std::size_t size) {
  ssize_t got = 0;
  do {
    got = ::read(fd, into, size);
  } while (got < 0 && errno == EINTR);
  return got;
}

// Reads to the end of the file, keeping at most `limit` bytes; one byte more marks the file as
// too large. The size from fstat is only the first guess: the file may change meanwhile, and
// some regular files (under /proc) report 0.
void ReadText(int fd, std::size_t limit, RegularFileRead& result) {
  std::string& text = result.text;
  text.resize(static_cast<std::size_t>(result.info.st_size));
  std::size_t filled = 0;
  for (;;) {
    if (filled == text.size()) {
      if (filled == limit) break;
      text.resize(std::min(limit, filled + kReadChunk));
    }
    const ssize_t got = ReadSome(fd, text.data() + filled, text.size() - filled);
    if (got < 0) result.error = errno;
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  text.resize(filled);
  if (result.error == 0 && filled == limit) {
    char probe = 0;
    const ssize_t more = ReadSome(fd, &probe, 1);
    if (more < 0) result.error = errno;
    result.tooLarge = more > 0;
  }
  if (!result.ok()) text.clear();
}

}  // namespace

RegularFileRead ReadRegularFile(const std::filesystem::path& file, std::size_t limit) {
  RegularFileRead result;
  const Descriptor fd(OpenForReading(file));
  if (CheckOpened(file, fd.get(), limit, result)) ReadText(fd.get(), limit, result);
  return result;
}

RegularFileRead CheckRegularFile(const std::filesystem::path& file, std::size_t limit) {
  RegularFileRead result;
  const Descriptor fd(OpenForReading(file));
  CheckOpened(file, fd.get(), limit, result);
  return result;
}

}  // namespace trawlex::runtime
