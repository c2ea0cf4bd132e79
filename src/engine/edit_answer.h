#pragma once
// The answer of the search-parameters dialogue that a results window opened to edit its
// search: whether the edited request is taken, whether a run starts with it, and whether that
// run adds its hits to the current results.

namespace trawlex::engine {

enum class EditChoice {
  Cancelled,            // closed without a search: the request stays as it was
  Apply,                // "Ok": the edited request is taken, no run starts
  SearchFilesWithHits,  // "Refre&sh": taken, and the files that had hits are searched again
  SearchAll,            // "&Again": taken, and every file is searched again
};

struct EditAnswer {
  EditChoice choice = EditChoice::Cancelled;
  // The run the answer starts keeps the current results ("Append"); never set without a run.
  bool keepResults = false;

  bool StartsRun() const {
    return choice == EditChoice::SearchFilesWithHits || choice == EditChoice::SearchAll;
  }
  bool operator==(const EditAnswer&) const = default;
};

}  // namespace trawlex::engine
