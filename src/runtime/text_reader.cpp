#include "runtime/text_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "runtime/byte_scan.h"
#include "runtime/long_path.h"

namespace trawlex::runtime {
namespace {

constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr char kTab = '\t';
constexpr std::size_t kTabWidth = 8;
constexpr std::size_t kMinBufferSize = 64;

const char* FindByte(const char* from, const char* to, char byte) {
  if (from == to) return nullptr;  // also a closed reader's null text
  return static_cast<const char*>(std::memchr(from, byte, static_cast<std::size_t>(to - from)));
}

}  // namespace

std::string_view ExpandTabs(std::string_view raw, std::string& scratch) {
  const char* const end = raw.data() + raw.size();
  const char* tab = FindByte(raw.data(), end, kTab);
  if (tab == nullptr) return raw;
  scratch.clear();
  const char* from = raw.data();
  while (tab != nullptr) {
    scratch.append(from, tab);
    scratch.append(kTabWidth - scratch.size() % kTabWidth, ' ');
    from = tab + 1;
    tab = FindByte(from, end, kTab);
  }
  scratch.append(from, end);
  return scratch;
}

TextReader::TextReader(std::size_t bufferSize)
    : bufferSize_(std::max(bufferSize, kMinBufferSize)) {}

TextReader::~TextReader() {
  Close();
}

OsError TextReader::Open(const std::string& path) {
  Close();
  const int fd = OpenPath(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error_ = OsErrorOf(errno, path);
    return error_;
  }
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  Attach(fd, path);
  ownsFd_ = true;
  return {};
}

void TextReader::Attach(int fd, const std::string& name) {
  Close();
  if (!buffer_) {
    buffer_ = std::make_unique<char[]>(bufferSize_);
    capacity_ = bufferSize_;
  }
  fd_ = fd;
  path_ = name;
  data_ = buffer_.get();
  sourceEnded_ = false;
}

void TextReader::OpenMemory(std::string_view contents) {
  Close();
  memory_ = true;
  data_ = contents.data();
  memorySize_ = contents.size();
  const char* stop = FindByte(contents.data(), contents.data() + contents.size(), kCtrlZ);
  end_ = stop ? static_cast<std::size_t>(stop - contents.data()) : contents.size();
}

void TextReader::Close() {
  if (ownsFd_ && fd_ >= 0) ::close(fd_);
  fd_ = -1;
  ownsFd_ = false;
  path_.clear();
  if (capacity_ > bufferSize_) {  // one long line must not keep its memory for every file
    buffer_.reset();
    capacity_ = 0;
  }
  data_ = nullptr;
  cursor_ = end_ = memorySize_ = 0;
  dataOffset_ = 0;
  sourceEnded_ = true;
  memory_ = readFailed_ = pendingValid_ = false;
  error_ = {};
  recordsRead_ = 0;
  if (scratch_.capacity() > bufferSize_) std::string().swap(scratch_);
  if (peekScratch_.capacity() > bufferSize_) std::string().swap(peekScratch_);
}

void TextReader::Fail(int errnoValue) {
  readFailed_ = true;
  sourceEnded_ = true;
  error_ = OsErrorOf(errnoValue, path_);
}

void TextReader::Take(std::size_t count) {
  const char* const from = buffer_.get() + end_;
  if (const char* stop = FindByte(from, from + count, kCtrlZ)) {
    end_ += static_cast<std::size_t>(stop - from);
    sourceEnded_ = true;
  } else {
    end_ += count;
  }
}

bool TextReader::Fill() {
  const std::size_t tail = end_ - cursor_;
  if (tail == capacity_) {
    // One line fills the whole buffer: double it.
    auto grown = std::make_unique<char[]>(capacity_ * 2);
    std::memcpy(grown.get(), buffer_.get() + cursor_, tail);
    buffer_ = std::move(grown);
    capacity_ *= 2;
  } else {
    std::memmove(buffer_.get(), buffer_.get() + cursor_, tail);
  }
  data_ = buffer_.get();
  dataOffset_ += static_cast<std::int64_t>(cursor_);
  cursor_ = 0;
  end_ = tail;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.get() + end_, capacity_ - end_);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
      return false;
    }
    if (n == 0) {
      sourceEnded_ = true;
    } else {
      Take(static_cast<std::size_t>(n));
    }
    return true;
  }
}

const TextReader::Pending& TextReader::Locate() {
  if (pendingValid_) return pending_;
  pendingValid_ = true;
  pending_ = Pending{};
  std::size_t scanFrom = cursor_;
  for (;;) {
    if (const char* lf = FindLineFeed(data_ + scanFrom, data_ + end_)) {
      const auto at = static_cast<std::size_t>(lf - data_);
      const bool crlf = at > cursor_ && data_[at - 1] == kCarriageReturn;
      pending_ = {true, crlf ? at - 1 : at, at + 1};
      return pending_;
    }
    if (sourceEnded_) {
      if (cursor_ < end_) pending_ = {true, end_, end_};  // a last line without line end
      return pending_;
    }
    const std::size_t scanned = end_ - cursor_;
    if (!Fill()) return pending_;
    scanFrom = cursor_ + scanned;
  }
}

bool TextReader::NextRaw(RawLine& line) {
  const Pending& pending = Locate();
  pendingValid_ = false;
  if (!pending.found) return false;
  line.bytes = std::string_view(data_ + cursor_, pending.textEnd - cursor_);
  line.rawBegin = dataOffset_ + static_cast<std::int64_t>(cursor_);
  cursor_ = pending.next;
  ++recordsRead_;
  return true;
}

bool TextReader::Next(TextRecord& record) {
  RawLine line;
  if (!NextRaw(line)) return false;
  record.text = ExpandTabs(line.bytes, scratch_);
  record.rawBegin = line.rawBegin;
  record.position = line.rawBegin + 1;
  record.rawEnd = line.rawEnd();
  return true;
}

std::string TextReader::PeekNext() {
  const Pending& pending = Locate();
  if (!pending.found) return {};
  return std::string(
      ExpandTabs(std::string_view(data_ + cursor_, pending.textEnd - cursor_), peekScratch_));
}

bool TextReader::ReadAt(std::int64_t position, std::string& text) {
  if (position < 1) return false;
  const std::int64_t offset = position - 1;
  std::string raw;
  if (memory_) {
    if (offset >= static_cast<std::int64_t>(memorySize_)) return false;
    const char* const begin = data_ + offset;
    const char* const end = data_ + memorySize_;
    const char* stop = FindByte(begin, end, kLineFeed);
    if (const char* z = FindByte(begin, stop ? stop : end, kCtrlZ)) stop = z;
    raw.assign(begin, stop ? stop : end);
    if (stop && *stop == kLineFeed && !raw.empty() && raw.back() == kCarriageReturn) raw.pop_back();
    if (stop == begin && *stop == kCtrlZ) return false;
  } else if (fd_ < 0 || !ReadFileAt(offset, raw)) {
    return false;
  }
  text.assign(ExpandTabs(raw, peekScratch_));
  return true;
}

// Reads the raw line at `offset` with pread, in growing pieces until its end.
bool TextReader::ReadFileAt(std::int64_t offset, std::string& raw) {
  std::size_t piece = 4096;
  bool any = false;
  for (;;) {
    const std::size_t used = raw.size();
    raw.resize(used + piece);
    ssize_t n;
    do {
      n = ::pread(fd_, raw.data() + used, piece, offset + static_cast<off_t>(used));
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
      error_ = OsErrorOf(errno, path_);
      return false;
    }
    raw.resize(used + static_cast<std::size_t>(n));
    const char* const from = raw.data() + used;
    const char* const to = raw.data() + raw.size();
    const char* lf = FindByte(from, to, kLineFeed);
    const char* z = FindByte(from, lf ? lf : to, kCtrlZ);
    if (z != nullptr) {
      if (!any && z == raw.data()) return false;  // a Ctrl-Z: no line starts here
      raw.resize(static_cast<std::size_t>(z - raw.data()));
      return true;
    }
    if (lf != nullptr) {
      raw.resize(static_cast<std::size_t>(lf - raw.data()));
      if (!raw.empty() && raw.back() == kCarriageReturn) raw.pop_back();
      return true;
    }
    if (n == 0) return any || !raw.empty();
    any = true;
    piece *= 2;
  }
}

}  // namespace trawlex::runtime
