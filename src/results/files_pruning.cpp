#include "results/files_pruning.h"

#include <algorithm>
#include <string>

namespace trawlex::results {
namespace {

// What a choice does to one entry: whether it goes, and whether a staying entry loses its mark.
struct FileRule {
  FilesDeleteChoice choice = FilesDeleteChoice::None;
  std::uint32_t subdirNum = 0;
  std::string prefix;

  bool Deletes(const engine::FileEntry& entry) const {
    switch (choice) {
      case FilesDeleteChoice::FoundCountZero:
        return entry.count == 0;
      case FilesDeleteChoice::Marked:
        return entry.mark != 0;
      case FilesDeleteChoice::Unmarked:
        return entry.mark == 0;
      case FilesDeleteChoice::Subdirectory:
        return entry.subdirNum == subdirNum;
      case FilesDeleteChoice::AppFiles:
        return entry.subdirNum == subdirNum && !prefix.empty() &&
               entry.name.view().substr(0, prefix.size()) == prefix;
      default:
        return false;
    }
  }
  bool ClearsMarks() const {
    return choice == FilesDeleteChoice::Unmarked || choice == FilesDeleteChoice::Subdirectory ||
           choice == FilesDeleteChoice::AppFiles;
  }
};

}  // namespace

FilesPruneOutcome PruneFiles(engine::FileQueue& files, FilesDeleteChoice choice,
                             const engine::FileEntry& selected) {
  // Copied first: `selected` may stand in the list that is about to move.
  const FileRule rule{choice, selected.subdirNum, ApplicationPrefix(selected.name.view(), false)};
  FilesPruneOutcome outcome;
  std::erase_if(files, [&rule, &outcome](const engine::FileEntry& entry) {
    if (!rule.Deletes(entry)) return false;
    ++outcome.deleted;
    if (entry.count != 0) ++outcome.withHitsDeleted;
    return true;
  });
  if (rule.ClearsMarks()) UnmarkFiles(files);  // every entry left is one of "the others"
  return outcome;
}

void UnmarkFiles(engine::FileQueue& files) {
  for (engine::FileEntry& entry : files) entry.mark = 0;
}

std::int64_t FilesWithHits(const engine::FileQueue& files) {
  return std::count_if(files.begin(), files.end(),
                       [](const engine::FileEntry& entry) { return entry.count != 0; });
}

}  // namespace trawlex::results
