#pragma once
// The viewer's page of a file: as many rows as the list shows, read from a byte position
// (the page start), never the whole file. Moving down reads on from the last row; moving up
// backs up over the bytes before the top row, a block at a time, to find where the lines
// above begin; the top and the end of the file are one backing-up away.
//
// Lines are the text reader's: a line ends at CR LF or a lone LF, tabs are expanded, Ctrl-Z
// ends the text, and a line is a row whole however long. Every row keeps its position: the
// 1-based byte position of its first byte, as RQ:PTR counts it. Reading down stops at a
// Ctrl-Z. The end of the file is its size: End() backs up from there, and a Ctrl-Z met on the
// way ends the text (so a file closed with a Ctrl-Z ends at its last line); a Ctrl-Z further
// up than one page is not seen and the lines after it show, since finding it would mean
// reading the whole file.
//
// The file is opened once and read through that descriptor with positioned reads, so a file
// of any size pages at once and memory follows the page. When a read fails (the file vanished,
// shrank or became unreadable) the pager keeps its page as it was and error() says why.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "results/find_text.h"
#include "runtime/desktop.h"
#include "runtime/error_codes.h"

namespace trawlex::results {

struct ViewRow {
  std::string text;       // the line, tabs expanded, without its line end
  std::int64_t ptr = 0;   // 1-based byte position of its first byte
};

// Lines of context shown above a hit when a page opens on it.
inline constexpr int kContextAboveHit = 5;
// Backing up reads the file in blocks of this many bytes (plus two).
inline constexpr std::int64_t kBackUpBlock = 510;

enum class FindDirection { Down, Up };

class ViewPager {
 public:
  // `desktop` shows the backing-up read error ("Error backing up in DOS ").
  ViewPager(runtime::Desktop& desktop, int rowsPerPage);
  ~ViewPager();
  ViewPager(const ViewPager&) = delete;
  ViewPager& operator=(const ViewPager&) = delete;

  // Opens the file and notes its size; the page is empty until filled.
  runtime::OsError Open(const std::string& path);
  void Close();
  bool isOpen() const;
  std::int64_t fileSize() const { return fileSize_; }

  // At least 1. The page is not refilled: the next move or fill uses the new count.
  void SetRowsPerPage(int rows);
  int rowsPerPage() const { return rowsPerPage_; }
  const std::vector<ViewRow>& rows() const { return rows_; }

  // The start of the line `count` lines above the line that starts at `position`, or 1.
  // The end of the text counts as a line start (so End() shows the last lines whether or
  // not the file ends with a line feed), and a Ctrl-Z met on the way ends the text there.
  std::int64_t BackUp(std::int64_t position, int count = 1);

  // Each of these gives false when a read failed; the page is then left as it was.
  bool FillFrom(std::int64_t position);   // the page from a line start
  bool OpenAtHit(std::int64_t ptr);       // the page starting five lines above the hit
  bool LineDown();
  bool PageDown();
  bool LineUp();
  bool PageUp();
  bool Top();
  bool End();

  // Searches from the line at `start` (never testing that line) down or up, one line at a
  // time, for a line that passes the find. The position of the line found, or nothing at the
  // end (or start) of the file or on a read error.
  std::optional<std::int64_t> Find(const FindRecord& find, std::int64_t start,
                                   FindDirection direction);

  // Why the last call failed: every call that reads clears it first. A file that became
  // shorter than the pager last saw it fails the call ("Handle EOF"): its positions no
  // longer hold. When backing up cannot read, the message "Error backing up in DOS " is
  // shown as well and the call fails (BackUp itself then gives 1).
  const runtime::OsError& error() const { return error_; }

  // The line that starts at `position`, or nothing when none starts there (or on a read
  // error). For checking that a hit is still where the search found it.
  std::optional<std::string> LineAt(std::int64_t position);

 private:
  struct Impl;
  // Checks the file is still open and not shorter than last seen; notes a grown size.
  bool FileStillWhole();
  std::optional<std::int64_t> BackUpOrFail(std::int64_t position, int count);
  // Up to `count` rows from the line at `position` (after it, with `skipFirst`).
  bool ReadRows(std::int64_t position, int count, bool skipFirst, std::vector<ViewRow>& rows);
  bool FillChecked(std::int64_t position);
  bool MoveDown(int lines);
  std::optional<std::int64_t> FindUp(const FindRecord& find, std::int64_t start);
  std::optional<std::int64_t> FindDown(const FindRecord& find, std::int64_t start);

  runtime::Desktop& desktop_;
  int rowsPerPage_;
  std::int64_t fileSize_ = 0;
  std::vector<ViewRow> rows_;
  runtime::OsError error_;
  Impl* impl_;
};

}  // namespace trawlex::results
