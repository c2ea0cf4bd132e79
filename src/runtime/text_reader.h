#pragma once
// The text view of a source file: delivers it record by record, the way the line stage and
// the viewer see it.
//
// - A line ends at CR LF (the pair is not part of the line) or at a lone LF; a lone CR is an
//   ordinary character, and so is every other byte, NUL included. Text is bytes.
// - A tab becomes blanks up to the next column that is a multiple of 8 (columns from 0 in the
//   delivered record). A tab whose blanks would pass the 255-character limit fills the record
//   up to 255 and is consumed; its remaining blanks are dropped.
// - Ctrl-Z (26) ends the file: at the start of a record there is no further record; inside one
//   the record ends before it and no record follows.
// - A record holds at most 255 characters after tab expansion. A longer line comes as several
//   records of 255 and a last, shorter one. A full record does not consume the line end that
//   follows it, so a line of exactly 255 characters is followed by an empty record.
// - An empty text has no record; a last line without line end is delivered; a line end at the
//   end of the text gives no extra empty record.
// - Each record has a position: the 1-based byte position of its first byte. ReadAt reads the
//   record at a position again.
//
// The reader streams a file through one bounded buffer (refilled by large reads, the unread
// tail kept), so memory stays flat whatever the file size, and it allocates nothing per
// record: a record without tabs is a view straight into the buffer (or into the caller's text
// in memory mode); only a record with tabs is expanded into a small scratch area.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace trawlex::runtime {

inline constexpr std::size_t kMaxRecordLength = 255;

struct TextRecord {
  // The delivered record (at most 255 characters); valid until the next call on the reader.
  std::string_view text;
  std::int64_t position = 0;  // 1-based byte position of the record's first byte
  std::int64_t rawBegin = 0;  // 0-based file offset of the record's first raw byte (position - 1)
  // 0-based file offset just after the record's last raw byte (the line end not included).
  std::int64_t rawEnd = 0;
};

class TextReader {
 public:
  // Size of the file buffer; every read(2) asks for about this much.
  static constexpr std::size_t kDefaultBufferSize = 256 * 1024;

  // `bufferSize` exists so that tests can force many refills; it is raised to a small minimum.
  explicit TextReader(std::size_t bufferSize = kDefaultBufferSize);
  ~TextReader();
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  // Reads a file from disk, streaming through a bounded buffer. Returns false and posts the
  // operating-system error when the file cannot be opened.
  bool Open(const std::string& path);
  // Reads a text already in memory (not copied: the caller keeps it alive).
  void OpenMemory(std::string_view contents);
  void Close();

  // The next record; false at the end of the text (or on a read error: see ReadFailed()).
  bool Next(TextRecord& record);
  // The text of the next record without moving on; "" at the end.
  std::string PeekNext();
  // The record that starts at `position` (1-based), read afresh; false when no record starts
  // there (before the start, at or past the end, at a Ctrl-Z, or on a read error).
  bool ReadAt(std::int64_t position, std::string& text);
  // A read error (not the end of the file) stopped Next; the error has been posted.
  bool ReadFailed() const { return readFailed_; }
  std::int64_t RecordsRead() const { return recordsRead_; }

 private:
  // How one record lies in the raw bytes: its text, how many raw bytes it covers, how far the
  // reader moves on (the record plus the line end it consumed), and whether the text ends
  // after it (a Ctrl-Z met).
  struct Scan {
    std::string_view text;
    std::size_t rawLength = 0;
    std::size_t advance = 0;
    bool endsText = false;
    bool none = false;  // no record starts here: no bytes left, or a Ctrl-Z
  };

  // Scans the record that starts at `bytes`, of which `available` can be read, into `scan`. A
  // record with tabs is expanded into `scratch` (kMaxRecordLength bytes); otherwise the text
  // views `bytes`.
  static void ScanRecord(const char* bytes, std::size_t available, char* scratch, Scan& scan);

  // Makes at least a record's worth of bytes available after the cursor, unless the file ends
  // first. False on a read error.
  bool Fill();
  // Scans the record at the cursor into `pending_` unless already done.
  void ScanPending();
  std::size_t Available() const { return bufferEnd_ - cursor_; }

  std::size_t bufferSize_;
  std::unique_ptr<char[]> buffer_;  // file mode only; allocated on first Open, kept for reuse
  std::string path_;
  int fd_ = -1;

  const char* data_ = nullptr;   // start of the bytes at hand (buffer or the caller's text)
  std::size_t cursor_ = 0;       // index in data_ of the next record's first byte
  std::size_t bufferEnd_ = 0;    // index in data_ just after the last byte at hand
  std::int64_t dataOffset_ = 0;  // file offset of data_[0]
  bool fileEnded_ = true;        // every byte of the source is at hand
  bool textEnded_ = true;        // no further record: end reached or a Ctrl-Z met
  bool readFailed_ = false;
  bool memory_ = false;        // reading a caller's text rather than a file
  bool pendingValid_ = false;  // `pending_` holds the scan of the record at the cursor
  Scan pending_;
  std::int64_t recordsRead_ = 0;
  char scratch_[kMaxRecordLength];  // tab expansion of the record at the cursor
};

}  // namespace trawlex::runtime
