#include "results/results_navigation.h"

#include <algorithm>

namespace trawlex::results {
namespace {

std::size_t Within(std::size_t count, std::size_t selected) {
  return std::min(selected, count - 1);
}

// Two hits are in the same file when name and directory agree: files of the same name in
// neighbouring directories are different files, and a move to the next file must stop at each.
bool SameFile(const engine::ResultLine& a, const engine::ResultLine& b) {
  return a.subdirNum == b.subdirNum && a.file == b.file;
}

}  // namespace

std::optional<std::size_t> NextRow(std::size_t count, std::size_t selected) {
  if (count == 0) return std::nullopt;
  const std::size_t row = Within(count, selected);
  return row + 1 < count ? row + 1 : row;
}

std::optional<std::size_t> PreviousRow(std::size_t count, std::size_t selected) {
  if (count == 0) return std::nullopt;
  const std::size_t row = Within(count, selected);
  return row > 0 ? row - 1 : row;
}

std::optional<std::size_t> NextFileRow(const engine::ResultsQueue& results, std::size_t selected) {
  if (results.empty()) return std::nullopt;
  const std::size_t from = Within(results.size(), selected);
  for (std::size_t row = from + 1; row < results.size(); ++row) {
    if (!SameFile(results[row], results[from])) return row;
  }
  return results.size() - 1;
}

std::optional<std::size_t> PreviousFileRow(const engine::ResultsQueue& results,
                                           std::size_t selected) {
  if (results.empty()) return std::nullopt;
  const std::size_t from = Within(results.size(), selected);
  for (std::size_t row = from; row-- > 0;) {
    if (!SameFile(results[row], results[from])) return row;
  }
  return 0;
}

std::string RemainingText(std::int64_t findCnt, std::size_t remaining) {
  return std::to_string(findCnt) + " found, " + std::to_string(remaining) + " remaining";
}

// The counters are not cut to their 20-character fields: a count of a million files or more
// would lose its last digits and show a wrong number.
std::string FilesCountText(std::size_t files) {
  return "Files Count:  " + std::to_string(files);
}

std::string WithFoundText(std::int64_t filesFindCnt) {
  return "With Found: " + std::to_string(filesFindCnt);
}

}  // namespace trawlex::results
