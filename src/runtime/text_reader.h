#pragma once
// The text view of a source file: delivers it line by line, the way the search and the
// viewer see it.
//
// - A line ends at CR LF (the pair is not part of the line) or at a lone LF; a lone CR is an
//   ordinary character, and so is every other byte, NUL included. Text is bytes.
// - A line is delivered whole, however long, so line numbers are the file's own: the ones an
//   editor and grep -n count.
// - A tab becomes blanks up to the next column that is a multiple of 8 (columns from 0).
// - Ctrl-Z (26) ends the text: the line it stands in ends before it, and no line follows.
// - An empty text has no line; a last line without line end is delivered; a line end at the
//   end of the text gives no extra empty line.
// - Each line has a position: the 1-based byte position of its first byte. ReadAt reads the
//   line that starts at a position again.
//
// The reader streams a file through one buffer, refilled by large reads with the unread tail
// kept. The buffer grows only when a single line does not fit, and a grown buffer is given
// back when the file is closed, so memory follows the longest line, never the file size. It
// allocates nothing per line: a line is a view straight into the buffer (or into the caller's
// text in memory mode), and only a line with tabs is expanded, into a scratch string. A caller
// that passes over most lines (the search) takes them raw and expands only those it reads.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/error_codes.h"

namespace trawlex::runtime {

inline constexpr char kCtrlZ = 26;

// A line as it lies in the file: its bytes without the line end, tabs not yet expanded.
struct RawLine {
  std::string_view bytes;     // valid until the next call on the reader
  std::int64_t rawBegin = 0;  // 0-based file offset of the first byte
  std::int64_t rawEnd() const { return rawBegin + static_cast<std::int64_t>(bytes.size()); }
};

struct TextRecord {
  std::string_view text;      // the line with its tabs expanded; valid until the next call
  std::int64_t position = 0;  // 1-based byte position of the line's first byte
  std::int64_t rawBegin = 0;  // 0-based file offset of the first byte (position - 1)
  std::int64_t rawEnd = 0;    // 0-based file offset just after the last byte (line end excluded)
};

// The text a raw line stands for: tabs expanded to the next multiple of 8. Returns `raw`
// itself when it holds no tab, else a view of `scratch`.
std::string_view ExpandTabs(std::string_view raw, std::string& scratch);

class TextReader {
 public:
  // Size of the file buffer; every read(2) asks for about this much.
  static constexpr std::size_t kDefaultBufferSize = 256 * 1024;

  // `bufferSize` exists so that tests can force many refills and growths.
  explicit TextReader(std::size_t bufferSize = kDefaultBufferSize);
  ~TextReader();
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  // Reads a file from disk. A failure to open comes back as the error; nothing is posted.
  OsError Open(const std::string& path);
  // Reads from a descriptor the caller has open at the file's start and closes itself later;
  // `name` is for error texts.
  void Attach(int fd, const std::string& name);
  // Reads a text already in memory (not copied: the caller keeps it alive).
  void OpenMemory(std::string_view contents);
  void Close();

  // The next line, raw; false at the end of the text (or on a read error: see ReadFailed).
  bool NextRaw(RawLine& line);
  // The next line with its tabs expanded.
  bool Next(TextRecord& record);
  // The text of the next line without moving on; "" at the end.
  std::string PeekNext();
  // The line that starts at `position` (1-based), read afresh; false when no line starts
  // there (before the start, at or past the end, at a Ctrl-Z, or on a read error).
  bool ReadAt(std::int64_t position, std::string& text);

  // The bytes at hand, the line just delivered among them, and the file offset of the first.
  // Valid until the next call on the reader.
  std::string_view Window() const { return {data_, end_}; }
  std::int64_t WindowOffset() const { return dataOffset_; }
  // Whether the window holds the rest of the text: no more bytes will come.
  bool WindowHoldsRest() const { return sourceEnded_; }
  // The file offset of the next line's first byte.
  std::int64_t NextOffset() const { return dataOffset_ + static_cast<std::int64_t>(cursor_); }
  // Passes over `lines` lines without delivering them, to the line that starts at file offset
  // `lineStart`: a line start within the window, at or after NextOffset().
  void SkipTo(std::int64_t lineStart, std::int64_t lines) {
    cursor_ = static_cast<std::size_t>(lineStart - dataOffset_);
    pendingValid_ = false;
    recordsRead_ += lines;
  }

  // A read error (not the end of the file) stopped the reader; error() tells which.
  bool ReadFailed() const { return readFailed_; }
  // The last failure of this reader: opening, reading, or reading afresh.
  const OsError& error() const { return error_; }
  std::int64_t RecordsRead() const { return recordsRead_; }

 private:
  // Where the line at the cursor lies in the bytes at hand.
  struct Pending {
    bool found = false;
    std::size_t textEnd = 0;  // index just after its last byte, line end excluded
    std::size_t next = 0;     // index of the following line
  };

  // Finds the line at the cursor, reading and growing the buffer as needed.
  const Pending& Locate();
  // Keeps the unread tail, growing the buffer when the tail fills it, and reads after it.
  // False on a read error.
  bool Fill();
  // Takes `count` new bytes at the end of the buffer, stopping the text at a Ctrl-Z.
  void Take(std::size_t count);
  void Fail(int errnoValue);
  bool ReadFileAt(std::int64_t offset, std::string& text);

  std::size_t bufferSize_;
  std::unique_ptr<char[]> buffer_;  // file mode only; kept between files unless it grew
  std::size_t capacity_ = 0;
  std::string path_;
  int fd_ = -1;
  bool ownsFd_ = false;

  const char* data_ = nullptr;   // the bytes at hand: the buffer, or the caller's text
  std::size_t cursor_ = 0;       // index in data_ of the next line's first byte
  std::size_t end_ = 0;          // index just after the last byte of the text at hand
  std::size_t memorySize_ = 0;   // memory mode: the whole text, Ctrl-Z and beyond included
  std::int64_t dataOffset_ = 0;  // file offset of data_[0]
  bool sourceEnded_ = true;      // no more bytes will come: end of file, Ctrl-Z or error
  bool memory_ = false;
  bool readFailed_ = false;
  Pending pending_;
  bool pendingValid_ = false;
  OsError error_;
  std::int64_t recordsRead_ = 0;
  std::string scratch_;      // tab expansion of the line just delivered
  std::string peekScratch_;  // tab expansion of a peeked line
};

}  // namespace trawlex::runtime
