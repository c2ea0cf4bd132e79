#pragma once
// Searching one file: open it once, test its raw bytes for a possible hit, and run the line
// stage over the lines that can hold a hit or move the location, only counting the others.
// A pure function of the plan and the file, so files can be searched ahead of time on other
// threads while the run commits their outcomes in order.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/file_set.h"
#include "engine/location.h"
#include "engine/result_line.h"
#include "engine/search_plan.h"
#include "runtime/error_codes.h"

namespace trawlex::engine {

struct FileJob {
  std::string path;  // the full on-disk path
  SharedText name;   // FQ:NAME
  SharedText subdir;
  std::uint32_t subdirNum = 0;
  FileKind kind = FileKind::PlainText;
  bool preScan = true;  // false in a files-with-hits run or in line mode
};

struct FileOutcome {
  enum class Status {
    Searched,    // opened and searched (or ruled out by the pre-scan)
    OpenFailed,  // could not be opened: the run asks what to do
  };
  Status status = Status::Searched;
  runtime::OsError error;   // the failure to open, or the read error
  bool readFailed = false;  // reading stopped early on an error; the lines before it count
  std::int64_t bytes = 0;   // the file's size when opened
  std::int64_t linesRead = 0;
  std::vector<ResultLine> lines;  // the file's reported lines, in file order
};

FileOutcome SearchOneFile(const SearchPlan& plan, const FileJob& job, LocationTrackers& trackers);

// RQ:TEXT of a line: every run of blanks reduced to one blank, cut to 199 characters.
std::string ResultText(std::string_view line);

// Files up to this size are read into memory once for the pre-scan and the line stage.
inline constexpr std::int64_t kWholeFileLimit = 16 << 20;

}  // namespace trawlex::engine
