#pragma once
// Searching one file: open it once, test its raw bytes for a possible hit, and run the line
// stage over the lines that can hold a hit or move the location, only counting the others.
// A pure function of the plan and the file, so files can be searched ahead of time on other
// threads while the run commits their outcomes in order.

#include <cstdint>
#include <functional>
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

// A line the search reported, kept compact until the run commits it: its text lies in the
// outcome's one buffer and its location in the outcome's list, so that a file with many hits
// costs the searching thread no allocation and no shared count per hit.
struct FoundLine {
  std::uint32_t lineNo = 0;
  std::uint32_t location = 0;  // index in FileOutcome::locations
  std::int64_t ptr = 0;        // RQ:PTR
  std::size_t textEnd = 0;     // its RQ:TEXT ends here in FileOutcome::texts, after the last's
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
  std::vector<FoundLine> found;       // the file's reported lines, in file order
  std::string texts;                  // their texts, one after another
  std::vector<SharedText> locations;  // their locations, each once
  // More hits than a search ahead may hold were found: the search stopped there, and the
  // file is to be searched again when its turn comes, its hits delivered as they are found.
  bool overflowed = false;

  void ClearLines() {
    found.clear();
    texts.clear();
    locations.clear();
  }

  // Makes `line` the result line of found line `i`, for `file` in `dir`; `path` is the file's
  // full path. Filling a caller's line lets a run that does not keep its results reuse one
  // line, and its text buffer, for every hit.
  void FillResult(std::size_t i, const FileEntry& file, const ScanDirEntry& dir,
                  const SharedText& path, ResultLine& line) const;
};

// Where a file's hits go while it is searched. A file searched ahead keeps them in its outcome,
// up to `holdLimit` (beyond it the search stops and the outcome says overflowed). A file
// searched in its turn hands them to `deliver` in batches as they are found, so memory does
// not grow with the hits of one file; the outcome keeps only the last, short batch.
struct HitHandling {
  std::size_t holdLimit = SIZE_MAX;
  std::function<void(FileOutcome& batch)> deliver;  // takes and clears the batch's lines
};

FileOutcome SearchOneFile(const SearchPlan& plan, const FileJob& job, LocationTrackers& trackers,
                          const HitHandling& hits = {});

// RQ:TEXT of a line: every run of blanks reduced to one blank, cut to 199 characters.
std::string ResultText(std::string_view line);
// The same, appended to `out`.
void AppendResultText(std::string_view line, std::string& out);

// Files up to this size are read into memory once for the pre-scan and the line stage.
inline constexpr std::int64_t kWholeFileLimit = 16 << 20;

}  // namespace trawlex::engine
