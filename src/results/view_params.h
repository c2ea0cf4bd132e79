#pragma once
// The viewer parameter block: what a results window hands to a file viewer when it opens one
// or moves it to another hit, with the search request and the positions of every hit in the
// same file, which the viewer marks.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/file_set.h"
#include "engine/result_line.h"
#include "engine/search_spec.h"

namespace trawlex::results {

// The list a viewed hit came from.
enum class ViewList { Results, Files };

struct ViewParams {
  std::string file;            // RQ:FILE: the display name
  std::string subdir;          // RQ:SUBDIR
  std::uint32_t lineNo = 1;    // RQ:LINENO: 1 for a file of the Files list
  std::string location;        // RQ:LOCATION
  std::int64_t ptr = 1;        // RQ:PTR: 1-based byte position of the hit's line
  std::int64_t resQNum = 0;    // RESQNUM: 1-based row of the hit in its list
  std::int64_t resQRecs = 0;   // RESQRECS: rows of that list
  std::string fileAndPath;     // FILEANDPATH: the file's full path on disk
  bool linked = false;         // RESULTSTHREAD not 0: navigation goes to a results window
  ViewList list = ViewList::Results;  // RESULTLISTFEQ
  // RQ:TEXT of the hit, when the block comes from a hit: the viewer compares it with the
  // line it finds at `ptr`, so that a file changed since the search is told, not misshown.
  std::optional<std::string> hitText;
  engine::SearchSpec request;             // the search, copied alongside
  std::vector<std::int64_t> hitPositions;  // RQ:PTR of every hit in the file, ascending
};

// The positions of the hits in the same file as `hit`, ascending. The file is told by its
// path on disk: two names that differ only in case, or only after the display width, are
// two files.
std::vector<std::int64_t> HitPositions(const engine::ResultsQueue& results,
                                       const engine::ResultLine& hit);

// The block for the hit at `row` (0-based) of the results list.
ViewParams ViewParamsForHit(const engine::ResultsQueue& results, std::size_t row,
                            const engine::SearchSpec& request, bool linked);

// The block for the file at `row` of the Files list: line 1, position 1, no hits marked.
ViewParams ViewParamsForFile(const engine::FileQueue& files, const engine::ScanDirQueue& dirs,
                             std::size_t row, const engine::SearchSpec& request, bool linked);

// The block for a file outside any search (a help file the frame shows): unlinked, line 1.
ViewParams ViewParamsForPath(const std::string& fullFileName);

// The first hit of the file at `row` of the Files list, for "Results" on the Files tab.
std::optional<std::size_t> FirstHitRow(const engine::ResultsQueue& results,
                                       const engine::FileQueue& files,
                                       const engine::ScanDirQueue& dirs, std::size_t row);

}  // namespace trawlex::results
