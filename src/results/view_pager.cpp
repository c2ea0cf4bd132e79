#include "results/view_pager.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "runtime/text_reader.h"

namespace trawlex::results {
namespace {

// Reads start small (a page, or one line of a search going up, needs little) and grow.
constexpr std::size_t kFirstPiece = 4 * 1024;
constexpr std::size_t kReadPiece = 64 * 1024;
constexpr int kHandleEofError = 338;

// Reads up to `size` bytes at `offset`, fewer only at the end of the file; -1 on an error
// (errno tells which).
ssize_t ReadAt(int fd, char* into, std::size_t size, std::int64_t offset) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, into + done, size - done,
                              static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

// The text reader's lines from a line start on, read with positioned reads in pieces: a line
// ends at LF (a CR before it is no part of it), a Ctrl-Z ends the text. Memory follows the
// longest line read, never the file.
class LineStream {
 public:
  enum class Got { Line, End, Error };

  LineStream(int fd, std::int64_t position) : fd_(fd), base_(position - 1) {}

  // The next line without its line end, tabs not expanded; valid until the next call.
  Got Next(std::string_view& raw, std::int64_t& position) {
    if (ended_) return Got::End;
    Compact();
    std::size_t scanFrom = cursor_;
    for (;;) {
      const char* const begin = buffer_.data();
      const char* lf = Find(begin + scanFrom, begin + buffer_.size(), '\n');
      const char* z = Find(begin + scanFrom, lf ? lf : begin + buffer_.size(), runtime::kCtrlZ);
      if (z != nullptr) {
        ended_ = true;
        if (z == begin + cursor_) return Got::End;
        return Deliver(static_cast<std::size_t>(z - begin), raw, position);
      }
      if (lf != nullptr) {
        auto end = static_cast<std::size_t>(lf - begin);
        const std::size_t next = end + 1;
        if (end > cursor_ && buffer_[end - 1] == '\r') --end;
        const Got got = Deliver(end, raw, position);
        cursor_ = next;
        return got;
      }
      if (eof_) {
        ended_ = true;
        if (cursor_ == buffer_.size()) return Got::End;
        return Deliver(buffer_.size(), raw, position);
      }
      scanFrom = buffer_.size();
      if (!ReadMore()) return Got::Error;
    }
  }

  // The errno of the read that failed.
  int error() const { return error_; }

 private:
  static const char* Find(const char* from, const char* to, char byte) {
    return static_cast<const char*>(std::memchr(from, byte, static_cast<std::size_t>(to - from)));
  }

  Got Deliver(std::size_t end, std::string_view& raw, std::int64_t& position) {
    raw = std::string_view(buffer_.data() + cursor_, end - cursor_);
    position = base_ + static_cast<std::int64_t>(cursor_) + 1;
    cursor_ = end;
    return Got::Line;
  }

  // Drops the lines already delivered once they take more room than a piece.
  void Compact() {
    if (cursor_ < kReadPiece) return;
    buffer_.erase(0, cursor_);
    base_ += static_cast<std::int64_t>(cursor_);
    cursor_ = 0;
  }

  bool ReadMore() {
    const std::size_t used = buffer_.size();
    const std::size_t piece = piece_;
    piece_ = std::min(piece_ * 2, kReadPiece);
    buffer_.resize(used + piece);
    const ssize_t n =
        ReadAt(fd_, buffer_.data() + used, piece, base_ + static_cast<std::int64_t>(used));
    if (n < 0) error_ = errno;
    buffer_.resize(used + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    if (n < 0) return false;
    if (static_cast<std::size_t>(n) < piece) eof_ = true;
    return true;
  }

  int fd_;
  std::int64_t base_;  // file offset of buffer_[0]
  std::string buffer_;
  std::size_t cursor_ = 0;  // index of the next line's first byte
  std::size_t piece_ = kFirstPiece;
  bool eof_ = false;
  bool ended_ = false;
  int error_ = 0;
};

runtime::OsError FileShrunk() {
  return {kHandleEofError, runtime::TextOf(kHandleEofError)};
}

ViewRow RowOf(std::string_view raw, std::int64_t position, std::string& scratch) {
  return {std::string(runtime::ExpandTabs(raw, scratch)), position};
}

}  // namespace

struct ViewPager::Impl {
  int fd = -1;
  std::string path;
};

ViewPager::ViewPager(runtime::Desktop& desktop, int rowsPerPage)
    : desktop_(desktop), rowsPerPage_(std::max(1, rowsPerPage)), impl_(new Impl) {}

ViewPager::~ViewPager() {
  Close();
  delete impl_;
}

runtime::OsError ViewPager::Open(const std::string& path) {
  Close();
  // Not blocking: a FIFO or a device under the name must not hang the viewer on opening.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return runtime::OsErrorOf(errno, path);
  struct stat st {};
  const int why = ::fstat(fd, &st) != 0 ? errno : S_ISREG(st.st_mode) ? 0 : EACCES;
  if (why != 0) {
    ::close(fd);
    return runtime::OsErrorOf(why, path);
  }
  impl_->fd = fd;
  impl_->path = path;
  fileSize_ = st.st_size;
  error_ = {};
  return {};
}

void ViewPager::Close() {
  if (impl_->fd >= 0) ::close(impl_->fd);
  impl_->fd = -1;
  impl_->path.clear();
  fileSize_ = 0;
  rows_.clear();
}

bool ViewPager::isOpen() const {
  return impl_->fd >= 0;
}

void ViewPager::SetRowsPerPage(int rows) {
  rowsPerPage_ = std::max(1, rows);
}

bool ViewPager::FileStillWhole() {
  error_ = {};
  if (impl_->fd < 0) {
    error_ = runtime::OsErrorOf(EBADF, impl_->path);
    return false;
  }
  struct stat st {};
  if (::fstat(impl_->fd, &st) != 0) {
    error_ = runtime::OsErrorOf(errno, impl_->path);
    return false;
  }
  if (st.st_size < fileSize_) {
    error_ = FileShrunk();
    return false;
  }
  fileSize_ = st.st_size;
  return true;
}

std::int64_t ViewPager::BackUp(std::int64_t position, int count) {
  error_ = {};
  return BackUpOrFail(position, count).value_or(1);
}

// Scans back from the byte before `position`, a block at a time, counting line feeds; the
// line feed met after `count` of them ends the line before the one sought.
std::optional<std::int64_t> ViewPager::BackUpOrFail(std::int64_t position, int count) {
  if (impl_->fd < 0) {
    error_ = runtime::OsErrorOf(EBADF, impl_->path);
    return std::nullopt;
  }
  const int wanted = std::max(0, count);
  int left = wanted;
  std::int64_t start = std::clamp<std::int64_t>(position, 1, fileSize_ + 1);
  // The line above `start` ends just before it, line feed or not (the end of the text).
  std::int64_t lineEnd = start - 1;
  std::array<char, kBackUpBlock> block{};
  while (start >= 2) {
    const std::int64_t length = std::min(kBackUpBlock, start - 1);
    const std::int64_t from = start - length;  // position of the block's first byte
    const ssize_t n = ReadAt(impl_->fd, block.data(), static_cast<std::size_t>(length), from - 1);
    if (n < 0) {
      error_ = runtime::OsErrorOf(errno, impl_->path);
      runtime::Message message;
      message.text = "Error backing up in DOS " + error_.text;
      desktop_.ShowMessage(message);
      return std::nullopt;
    }
    if (n < length) {
      error_ = FileShrunk();
      return std::nullopt;
    }
    std::int64_t next = from;
    for (std::int64_t i = length - 1; i >= 0; --i) {
      const std::int64_t at = from + i;
      const char c = block[static_cast<std::size_t>(i)];
      if (c == runtime::kCtrlZ) {
        // The text ends here: what was counted after it is no text. Start again from it.
        next = at;
        lineEnd = at - 1;
        left = wanted;
        break;
      }
      if (c != '\n' && at != lineEnd) continue;
      if (left == 0) return at + 1;
      --left;
    }
    start = next;
  }
  return 1;
}

bool ViewPager::ReadRows(std::int64_t position, int count, bool skipFirst,
                         std::vector<ViewRow>& rows) {
  LineStream lines(impl_->fd, std::max<std::int64_t>(position, 1));
  std::string_view raw;
  std::int64_t at = 0;
  std::string scratch;
  for (int i = skipFirst ? -1 : 0; i < count; ++i) {
    const LineStream::Got got = lines.Next(raw, at);
    if (got == LineStream::Got::End) break;
    if (got == LineStream::Got::Error) {
      error_ = runtime::OsErrorOf(lines.error(), impl_->path);
      return false;
    }
    if (i >= 0) rows.push_back(RowOf(raw, at, scratch));
  }
  return true;
}

bool ViewPager::FillChecked(std::int64_t position) {
  std::vector<ViewRow> rows;
  if (!ReadRows(position, rowsPerPage_, false, rows)) return false;
  rows_ = std::move(rows);
  return true;
}

bool ViewPager::FillFrom(std::int64_t position) {
  return FileStillWhole() && FillChecked(position);
}

bool ViewPager::OpenAtHit(std::int64_t ptr) {
  if (!FileStillWhole()) return false;
  const auto start = BackUpOrFail(ptr, kContextAboveHit);
  return start && FillChecked(*start);
}

// Reads on after the last row and drops rows from the top down to a page.
bool ViewPager::MoveDown(int lines) {
  if (!FileStillWhole()) return false;
  if (rows_.empty()) return true;
  std::vector<ViewRow> more;
  if (!ReadRows(rows_.back().ptr, lines, true, more)) return false;
  rows_.insert(rows_.end(), more.begin(), more.end());
  const auto surplus = static_cast<std::ptrdiff_t>(rows_.size()) - rowsPerPage_;
  if (surplus > 0) rows_.erase(rows_.begin(), rows_.begin() + surplus);
  return true;
}

bool ViewPager::LineDown() {
  return MoveDown(1);
}

bool ViewPager::PageDown() {
  return MoveDown(rowsPerPage_);
}

bool ViewPager::LineUp() {
  if (!FileStillWhole()) return false;
  if (rows_.empty() || rows_.front().ptr <= 1) return true;
  const auto above = BackUpOrFail(rows_.front().ptr, 1);
  if (!above) return false;
  if (*above == 1) return FillChecked(1);
  std::vector<ViewRow> row;
  if (!ReadRows(*above, 1, false, row)) return false;
  rows_.insert(rows_.begin(), row.begin(), row.end());
  if (static_cast<int>(rows_.size()) > rowsPerPage_) rows_.resize(rowsPerPage_);
  return true;
}

bool ViewPager::PageUp() {
  if (!FileStillWhole()) return false;
  if (rows_.empty() || rows_.front().ptr <= 1) return true;
  const auto above = BackUpOrFail(rows_.front().ptr, rowsPerPage_);
  return above && FillChecked(*above);
}

bool ViewPager::Top() {
  return FillFrom(1);
}

bool ViewPager::End() {
  if (!FileStillWhole()) return false;
  const auto start = BackUpOrFail(fileSize_ + 1, rowsPerPage_);
  return start && FillChecked(*start);
}

std::optional<std::int64_t> ViewPager::Find(const FindRecord& find, std::int64_t start,
                                            FindDirection direction) {
  if (!FileStillWhole() || !find.set()) return std::nullopt;
  return direction == FindDirection::Up ? FindUp(find, start) : FindDown(find, start);
}

// Line 1 is tested when the search backs up to it, and ends the search.
std::optional<std::int64_t> ViewPager::FindUp(const FindRecord& find, std::int64_t start) {
  for (std::int64_t at = std::min(start, fileSize_ + 1); at > 1;) {
    const auto above = BackUpOrFail(at, 1);
    if (!above) return std::nullopt;
    at = *above;
    std::vector<ViewRow> row;
    if (!ReadRows(at, 1, false, row)) return std::nullopt;
    if (!row.empty() && ViewLinePassesFind(find, row.front().text)) return at;
  }
  return std::nullopt;
}

std::optional<std::int64_t> ViewPager::FindDown(const FindRecord& find, std::int64_t start) {
  std::string scratch;
  LineStream lines(impl_->fd, std::max<std::int64_t>(start, 1));
  std::string_view raw;
  std::int64_t at = 0;
  for (bool first = true;; first = false) {
    const LineStream::Got got = lines.Next(raw, at);
    if (got == LineStream::Got::End) return std::nullopt;
    if (got == LineStream::Got::Error) {
      error_ = runtime::OsErrorOf(lines.error(), impl_->path);
      return std::nullopt;
    }
    if (!first && ViewLinePassesFind(find, runtime::ExpandTabs(raw, scratch))) return at;
  }
}

std::optional<std::string> ViewPager::LineAt(std::int64_t position) {
  if (!FileStillWhole()) return std::nullopt;
  if (position < 1 || position > fileSize_) return std::nullopt;
  if (position > 1) {
    char before = 0;
    const ssize_t n = ReadAt(impl_->fd, &before, 1, position - 2);
    if (n < 0) error_ = runtime::OsErrorOf(errno, impl_->path);
    if (n != 1 || before != '\n') return std::nullopt;
  }
  std::vector<ViewRow> row;
  if (!ReadRows(position, 1, false, row) || row.empty()) return std::nullopt;
  return std::move(row.front().text);
}

}  // namespace trawlex::results
