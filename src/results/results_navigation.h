#pragma once
// Moving the selection of the Results and Files lists when the linked file viewer asks for
// the next or previous hit or file, and the status texts of the two tabs.
//
// Rows are positions in the list's queue, from 0. Every move stays within the list: asked to
// go past either end it keeps the end row. A selection beyond the end (the list shrank) counts
// as the last row. An empty list has nothing to select: nothing is returned.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/result_line.h"

namespace trawlex::results {

// Next and previous row of any list (the Results tab's lines, the Files tab's files).
std::optional<std::size_t> NextRow(std::size_t count, std::size_t selected);
std::optional<std::size_t> PreviousRow(std::size_t count, std::size_t selected);

// Results tab, next file: the first row after the selected one that belongs to another file,
// or the last row when none does.
std::optional<std::size_t> NextFileRow(const engine::ResultsQueue& results, std::size_t selected);

// Results tab, previous file: the first row before the selected one that belongs to another
// file, which is the last hit of the previous file, or the first row when none does.
std::optional<std::size_t> PreviousFileRow(const engine::ResultsQueue& results,
                                           std::size_t selected);

// Status line after a deletion: "12 found, 7 remaining".
std::string RemainingText(std::int64_t findCnt, std::size_t remaining);

// Files tab counters: "Files Count:  40" and "With Found: 3".
std::string FilesCountText(std::size_t files);
std::string WithFoundText(std::int64_t filesFindCnt);

}  // namespace trawlex::results
