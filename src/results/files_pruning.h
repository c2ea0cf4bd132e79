#pragma once
// Pruning the Files list: the FileQueue is what "&Again" and "Refres&h" search, so deleting
// files from it narrows later runs. Each deletion clears marks as its menu item promises.

#include <cstddef>
#include <cstdint>

#include "engine/file_set.h"
#include "results/delete_menu.h"

namespace trawlex::results {

struct FilesPruneOutcome {
  std::size_t deleted = 0;
  std::size_t withHitsDeleted = 0;  // deleted entries with a found count: FILESFINDCNT drops by it
};

// Applies a choice of the Files list's Delete menu; `selected` is the entry the menu was
// opened on (read before anything is deleted). None and the title do nothing.
FilesPruneOutcome PruneFiles(engine::FileQueue& files, FilesDeleteChoice choice,
                             const engine::FileEntry& selected);

// "&UnMark": clears every entry's mark.
void UnmarkFiles(engine::FileQueue& files);

// FILESFINDCNT as the list stands: the entries with hits.
std::int64_t FilesWithHits(const engine::FileQueue& files);

}  // namespace trawlex::results
