#include "runtime/text_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "runtime/error_codes.h"

namespace trawlex::runtime {
namespace {

constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr char kTab = '\t';
constexpr char kCtrlZ = 26;
constexpr std::size_t kTabWidth = 8;

// The most raw bytes one record can look at: its 255 characters (every raw byte gives at least
// one character) and the byte after them, which tells whether a line end follows a full record
// or a CR at the limit belongs to a CR LF.
constexpr std::size_t kWindow = kMaxRecordLength + 1;

// The smallest buffer: a window's tail kept at a refill plus room for a useful read.
constexpr std::size_t kMinBufferSize = 2 * kWindow;

constexpr std::array<bool, 256> MakeSpecialTable() {
  std::array<bool, 256> table{};
  table[static_cast<unsigned char>(kLineFeed)] = true;
  table[static_cast<unsigned char>(kTab)] = true;
  table[static_cast<unsigned char>(kCtrlZ)] = true;
  return table;
}
constexpr std::array<bool, 256> kSpecial = MakeSpecialTable();

#if defined(__SSE2__)
// Bit i set when byte i of the 16 at `p` is a line feed, a tab or a Ctrl-Z.
inline unsigned SpecialMask16(const char* p) {
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(kLineFeed)),
                                                 _mm_cmpeq_epi8(bytes, _mm_set1_epi8(kTab))),
                                    _mm_cmpeq_epi8(bytes, _mm_set1_epi8(kCtrlZ)));
  return static_cast<unsigned>(_mm_movemask_epi8(hits));
}
#endif

// Index of the first line feed, tab or Ctrl-Z among the first `n` bytes at `p`, or `n` when
// there is none. `readable` (>= n) bytes may be loaded, so the last partial block can be
// tested in one load when the bytes beyond the window exist.
inline std::size_t FindSpecial(const char* p, std::size_t n, std::size_t readable) {
  std::size_t i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= n; i += 16) {
    if (const unsigned bits = SpecialMask16(p + i)) return i + __builtin_ctz(bits);
  }
  if (i < n && i + 16 <= readable) {
    const unsigned bits = SpecialMask16(p + i) & ((1u << (n - i)) - 1);
    return bits ? i + __builtin_ctz(bits) : n;
  }
#endif
  for (; i < n; ++i) {
    if (kSpecial[static_cast<unsigned char>(p[i])]) return i;
  }
  return n;
}

// Builds the record's text: a view of the raw bytes until the first tab, then a copy expanded
// into the scratch area.
class RecordText {
 public:
  RecordText(const char* raw, char* scratch) : raw_(raw), scratch_(scratch) {}

  // Appends the `count` raw bytes at `from` (no tab among them).
  void Take(std::size_t from, std::size_t count) {
    if (copying_) {
      std::memcpy(scratch_ + length_, raw_ + from, count);
    }
    length_ += count;
  }

  // Appends the blanks of a tab; the record never passes kMaxRecordLength.
  void Tab() {
    if (!copying_) {
      std::memcpy(scratch_, raw_, length_);  // everything so far is raw bytes 0..length_
      copying_ = true;
    }
    const std::size_t blanks =
        std::min(kTabWidth - length_ % kTabWidth, kMaxRecordLength - length_);
    std::memset(scratch_ + length_, ' ', blanks);
    length_ += blanks;
  }

  std::size_t Length() const { return length_; }
  std::string_view View() const { return {copying_ ? scratch_ : raw_, length_}; }

 private:
  const char* raw_;
  char* scratch_;
  std::size_t length_ = 0;
  bool copying_ = false;
};

}  // namespace

TextReader::TextReader(std::size_t bufferSize)
    : bufferSize_(std::max(bufferSize, kMinBufferSize)) {}

TextReader::~TextReader() {
  Close();
}

// Fills `scan` in place: returning it by value made every record pay a store-forwarding stall.
void TextReader::ScanRecord(const char* bytes, std::size_t available, char* scratch, Scan& scan) {
  scan.endsText = false;
  RecordText text(bytes, scratch);
  std::size_t raw = 0;  // raw bytes of the record scanned so far
  for (;;) {
    const std::size_t room = kMaxRecordLength - text.Length();
    const std::size_t window = std::min(available - raw, room + 1);
    const std::size_t k = FindSpecial(bytes + raw, window, available - raw);
    const char found = k < window ? bytes[raw + k] : 0;

    if (k < window && found == kLineFeed) {
      // A CR just before the LF belongs to the line end. A line end right after a full
      // record is left for the next (empty) record.
      const std::size_t length = (k > 0 && bytes[raw + k - 1] == kCarriageReturn) ? k - 1 : k;
      if (length >= room) {
        text.Take(raw, room);
        scan.rawLength = scan.advance = raw + room;
      } else {
        text.Take(raw, length);
        scan.rawLength = raw + length;
        scan.advance = raw + k + 1;
      }
      break;
    }
    if (k == window || k >= room) {
      // Nothing special in what the record can still hold: it fills up or the bytes end.
      const std::size_t count = std::min(window, room);
      text.Take(raw, count);
      scan.rawLength = scan.advance = raw + count;
      break;
    }
    if (found == kCtrlZ) {
      text.Take(raw, k);
      scan.rawLength = scan.advance = raw + k;
      scan.endsText = true;
      break;
    }
    text.Take(raw, k);  // the bytes before a tab
    text.Tab();
    raw += k + 1;
    if (text.Length() == kMaxRecordLength) {
      scan.rawLength = scan.advance = raw;
      break;
    }
  }
  scan.none = scan.rawLength == 0 && (available == 0 || scan.endsText);
  scan.text = text.View();
}

bool TextReader::Open(const std::string& path) {
  Close();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    PostOsError(errno, path);
    return false;
  }
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
  if (!buffer_) buffer_ = std::make_unique<char[]>(bufferSize_);
  fd_ = fd;
  path_ = path;
  data_ = buffer_.get();
  fileEnded_ = false;
  textEnded_ = false;
  return true;
}

void TextReader::OpenMemory(std::string_view contents) {
  Close();
  memory_ = true;
  data_ = contents.data();
  bufferEnd_ = contents.size();
  textEnded_ = false;
}

void TextReader::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  path_.clear();
  data_ = nullptr;
  cursor_ = bufferEnd_ = 0;
  dataOffset_ = 0;
  fileEnded_ = textEnded_ = true;
  readFailed_ = memory_ = pendingValid_ = false;
  recordsRead_ = 0;
}

bool TextReader::Fill() {
  if (fd_ < 0 || fileEnded_ || Available() >= kWindow) return true;
  // Keep the unread tail: move it to the front and read after it.
  const std::size_t tail = Available();
  std::memmove(buffer_.get(), buffer_.get() + cursor_, tail);
  dataOffset_ += static_cast<std::int64_t>(cursor_);
  cursor_ = 0;
  bufferEnd_ = tail;
  while (bufferEnd_ < kWindow) {
    const ssize_t n = ::read(fd_, buffer_.get() + bufferEnd_, bufferSize_ - bufferEnd_);
    if (n < 0) {
      if (errno == EINTR) continue;
      readFailed_ = true;
      PostOsError(errno, path_);
      return false;
    }
    if (n == 0) {
      fileEnded_ = true;
      break;
    }
    bufferEnd_ += static_cast<std::size_t>(n);
  }
  return true;
}

void TextReader::ScanPending() {
  if (pendingValid_) return;
  pendingValid_ = true;
  if (textEnded_ || (Available() < kWindow && !Fill())) {
    pending_ = Scan{};
    pending_.none = true;
    return;
  }
  // The common record, a short line without tab or Ctrl-Z, is settled here; everything
  // else goes through the full scan.
  const char* const bytes = data_ + cursor_;
  const std::size_t available = Available();
  const std::size_t window = std::min(available, kWindow);
  const std::size_t k = FindSpecial(bytes, window, available);
  if (k < window && k < kMaxRecordLength && bytes[k] == kLineFeed) {
    const std::size_t length = (k > 0 && bytes[k - 1] == kCarriageReturn) ? k - 1 : k;
    pending_.text = std::string_view(bytes, length);
    pending_.rawLength = length;
    pending_.advance = k + 1;
    pending_.endsText = false;
    pending_.none = false;
    return;
  }
  ScanRecord(bytes, available, scratch_, pending_);
}

bool TextReader::Next(TextRecord& record) {
  ScanPending();
  pendingValid_ = false;
  if (pending_.none) {
    textEnded_ = true;
    return false;
  }
  const std::int64_t begin = dataOffset_ + static_cast<std::int64_t>(cursor_);
  // Field by field: a 16-byte copy of the view would stall on the two 8-byte stores that
  // just wrote it.
  const char* const textData = pending_.text.data();
  const std::size_t textSize = pending_.text.size();
  record.text = std::string_view(textData, textSize);
  record.rawBegin = begin;
  record.position = begin + 1;
  record.rawEnd = begin + static_cast<std::int64_t>(pending_.rawLength);
  cursor_ += pending_.advance;
  if (pending_.endsText) textEnded_ = true;
  ++recordsRead_;
  return true;
}

std::string TextReader::PeekNext() {
  ScanPending();
  return pending_.none ? std::string() : std::string(pending_.text);
}

bool TextReader::ReadAt(std::int64_t position, std::string& text) {
  if (position < 1) return false;
  const std::int64_t offset = position - 1;
  char raw[kWindow];  // file bytes; the scan may view them, so they live as long as it
  char expanded[kMaxRecordLength];
  Scan scan;
  if (memory_) {
    if (offset >= static_cast<std::int64_t>(bufferEnd_)) return false;
    const auto start = static_cast<std::size_t>(offset);
    ScanRecord(data_ + start, bufferEnd_ - start, expanded, scan);
  } else if (fd_ >= 0) {
    std::size_t got = 0;
    while (got < kWindow) {
      const ssize_t n = ::pread(fd_, raw + got, kWindow - got, offset + static_cast<off_t>(got));
      if (n < 0) {
        if (errno == EINTR) continue;
        PostOsError(errno, path_);
        return false;
      }
      if (n == 0) break;
      got += static_cast<std::size_t>(n);
    }
    ScanRecord(raw, got, expanded, scan);
  } else {
    return false;
  }
  if (scan.none) return false;
  text.assign(scan.text);
  return true;
}

}  // namespace trawlex::runtime
