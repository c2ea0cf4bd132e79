#pragma once
// The texts a results window shows for its run: the caption and the "&Parms..." tip from the
// request, the status line while the run loads and searches, the found count and the summary
// of a finished run. The Files tab's counters are FilesCountText and WithFoundText
// (results_navigation.h).

#include <cstdint>
#include <string>

#include "engine/search_run.h"

namespace trawlex::results {

// "Results: " + text, then " [" + options + "]" when a switch is set.
std::string CaptionText(const engine::SearchSpec& request);

// The tip of "&Parms...": the text, path, file specifications and options of the request.
std::string ParmsTipText(const engine::SearchSpec& request);

// "Load Files: " + the directory being listed.
std::string LoadFilesStatusText(const std::string& directory);

// "Scan: name (i of n)", cut to the status field's 50 characters.
std::string ScanStatusText(const engine::ScanPosition& position);

// The status line of a run: the directory it lists while loading, the file it searches while
// running, nothing otherwise.
std::string StatusText(const engine::SearchRun& run);

// "n found" once a line was found; empty before.
std::string FoundText(std::int64_t findCnt);

// "1 folder could not be read", "3 folders could not be read"; empty for none.
std::string UnreadableFoldersText(std::int64_t folders);

// "12 found in 0.05 seconds,  6,166 bytes", with ", n lines" when every file was read line by
// line (and not only each file's first hit was looked for).
std::string SummaryText(const engine::SearchCounts& counts, const engine::SearchWork& work,
                        bool firstOnly);
// The summary of a finished run.
std::string SummaryText(const engine::SearchRun& run);

}  // namespace trawlex::results
