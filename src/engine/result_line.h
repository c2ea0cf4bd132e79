#pragma once
// One reported line (the RQ: record) and the results queue of a run.

#include <cstdint>
#include <string>
#include <deque>

#include "runtime/shared_text.h"

namespace trawlex::engine {

using runtime::SharedText;

struct ResultLine {
  SharedText file;              // RQ:FILE: the file's display name, lower case (68)
  SharedText subdir;            // RQ:SUBDIR: the directory's display name (12)
  std::uint32_t lineNo = 0;     // RQ:LINENO, from 1
  char blank = ' ';             // RQ:BLANK: 'x' flags a line a test delete would remove
  SharedText location;          // RQ:LOCATION (80), or "MAP"
  std::string text;             // RQ:TEXT: blank runs reduced to one blank, at most 199
  std::int64_t ptr = 0;         // RQ:PTR: 1-based byte position of the line in the file
  std::uint32_t subdirNum = 0;  // RQ:SUBDIRNUM: 1 is the starting directory
  SharedText path;              // the file's full path on disk, for every access to it
};

inline constexpr std::size_t kResultTextWidth = 199;
inline constexpr std::size_t kLocationWidth = 80;

// Appended in the order the lines are found: files in file-list order, lines in file order.
using ResultsQueue = std::deque<ResultLine>;

}  // namespace trawlex::engine
