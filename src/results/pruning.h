#pragma once
// Deleting results lines: one line at a time, or every line a Delete-menu criterion selects
// (or, in keep mode, every line it does not). Deleting is in memory only; a search brings
// the lines back.
//
// A criterion never deletes the whole queue: when it would, the user is told and nothing
// goes. In test mode lines are only flagged ('x' in their blank field) and nothing goes.

#include <cstddef>
#include <optional>
#include <string>

#include "engine/result_line.h"
#include "results/delete_menu.h"
#include "results/find_and_delete.h"
#include "results/prune_criteria.h"
#include "runtime/desktop.h"

namespace trawlex::results {

inline constexpr const char* kDeleteAllText = "That will delete all the Results.";
inline constexpr const char* kDeleteAllCaption = "Don't Do It";
inline constexpr char kFlaggedLine = 'x';

struct PruneOptions {
  bool keep = false;  // Ctrl held: the selected lines stay, all others go
  bool test = false;  // only flag the lines that would go
};

struct PruneOutcome {
  std::size_t deleted = 0;
  std::size_t flagged = 0;
  bool refused = false;  // every line would have gone: the user was told, nothing went
};

// The message that refuses to delete every line.
runtime::Message DeleteAllMessage();

// Deletes (or flags) the lines `selects` picks, inverted in keep mode, in one compaction of
// the queue. Refused, with DeleteAllMessage shown on `desktop`, when that is every line;
// flags set in test mode stay then.
PruneOutcome PruneResults(engine::ResultsQueue& queue, const LineTest& selects,
                          PruneOptions options, runtime::Desktop& desktop);

// The Delete key and "Selected Line": deletes the line at `row`, the last one too. False
// when there is no such line.
bool DeleteSelectedLine(engine::ResultsQueue& queue, std::optional<std::size_t> row);

// What the Delete menu's choice does to the queue, the selected line being `selectedRow`:
// nothing for None, the title, a disabled item, no selected line or a cancelled Find and
// Delete; the selected line for "Selected Line" (keep mode does not apply); otherwise the
// choice's criterion, in test mode when the Find and Delete record's Test is on.
PruneOutcome ApplyDeleteChoice(engine::ResultsQueue& queue, std::optional<std::size_t> selectedRow,
                               DeleteChoice choice, bool keep,
                               const FindAndDeleteRecord& findAndDelete, std::size_t directoryCount,
                               runtime::Desktop& desktop);

// The row to select after a deletion (rows from 0): the same row while it exists, else the
// last row; none when the list is empty.
std::optional<std::size_t> RowAfterDeletion(std::size_t selectedRow, std::size_t remaining);

}  // namespace trawlex::results
