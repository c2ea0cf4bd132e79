#include "results/pruning.h"

#include <vector>

namespace trawlex::results {
namespace {

// Moves the lines that stay to the front in their order and cuts the queue after them: one
// pass however many lines go.
void Compact(engine::ResultsQueue& queue, const std::vector<char>& goes) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < queue.size(); ++i) {
    if (goes[i]) continue;
    if (kept != i) queue[kept] = std::move(queue[i]);
    ++kept;
  }
  queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(kept), queue.end());
}

}  // namespace

runtime::Message DeleteAllMessage() {
  runtime::Message message;
  message.text = kDeleteAllText;
  message.caption = kDeleteAllCaption;
  message.icon = runtime::Icon::Warning;
  message.buttons = "Cancel";
  return message;
}

PruneOutcome PruneResults(engine::ResultsQueue& queue, const LineTest& selects,
                          PruneOptions options, runtime::Desktop& desktop) {
  PruneOutcome outcome;
  // The first pass decides for every line; the second only acts on what it decided, so an
  // expensive criterion (a regular expression) runs once per line.
  std::vector<char> goes(queue.size(), 0);
  std::size_t count = 0;
  for (std::size_t i = 0; i < queue.size(); ++i) {
    if (selects(queue[i]) == options.keep) continue;
    goes[i] = 1;
    ++count;
    if (options.test) queue[i].blank = kFlaggedLine;
  }
  if (options.test) outcome.flagged = count;
  if (count > 0 && count == queue.size()) {
    desktop.ShowMessage(DeleteAllMessage());
    outcome.refused = true;
    return outcome;
  }
  if (options.test || count == 0) return outcome;
  Compact(queue, goes);
  outcome.deleted = count;
  return outcome;
}

bool DeleteSelectedLine(engine::ResultsQueue& queue, std::optional<std::size_t> row) {
  if (!row || *row >= queue.size()) return false;
  queue.erase(queue.begin() + static_cast<std::ptrdiff_t>(*row));
  return true;
}

PruneOutcome ApplyDeleteChoice(engine::ResultsQueue& queue, std::optional<std::size_t> selectedRow,
                               DeleteChoice choice, bool keep,
                               const FindAndDeleteRecord& findAndDelete, std::size_t directoryCount,
                               runtime::Desktop& desktop) {
  if (!selectedRow || *selectedRow >= queue.size()) return {};
  if (choice == DeleteChoice::SelectedLine) {
    return {.deleted = DeleteSelectedLine(queue, selectedRow) ? 1u : 0u};
  }
  if (choice == DeleteChoice::FindAndDelete && !findAndDelete.find.set()) return {};
  const engine::ResultLine& selected = queue[*selectedRow];
  if (!DeleteChoiceEnabled(choice, DeriveDeleteMenuValues(selected), directoryCount)) return {};
  const LineTest selects = DeleteCriterion(choice, selected, findAndDelete);
  if (!selects) return {};
  return PruneResults(queue, selects, {.keep = keep, .test = findAndDelete.test}, desktop);
}

std::optional<std::size_t> RowAfterDeletion(std::size_t selectedRow, std::size_t remaining) {
  if (remaining == 0) return std::nullopt;
  return selectedRow < remaining ? selectedRow : remaining - 1;
}

}  // namespace trawlex::results
