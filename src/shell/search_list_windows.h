#pragma once
// The windows the saved-search operations open: the "Open Search" and "Last Searches" lists
// and the "Search Save" naming dialogue, plus starting a new search-parameters window. The
// desktop program implements them with widgets over the list models; tests answer them.

#include <optional>

#include "shell/saved_search.h"

namespace trawlex::shell {

class OpenSearchList;
class LastSearchList;
class SearchSaveModel;

// A record chosen in a list window, and whether Ctrl or Shift was held when it was opened
// (which asks for it in a new search-parameters window).
struct SavedChoice {
  SavedSearch record;
  bool newWindow = false;
};
struct RecentChoice {
  RecentSearch record;
  bool newWindow = false;
};

class SearchListWindows {
 public:
  virtual ~SearchListWindows() = default;

  // "Open Search": the list over the saved searches with its buttons (see OpenSearchList).
  // nullopt when closed without a choice.
  virtual std::optional<SavedChoice> OpenSearch(OpenSearchList& list) = 0;
  // "Last Searches": the list over the recent searches, newest first.
  virtual std::optional<RecentChoice> OpenLastSearch(LastSearchList& list) = 0;
  // "Search Save": true when it closes as completed (OK accepted by model.Ok()).
  virtual bool SearchSave(SearchSaveModel& model) = 0;

  // Whether Ctrl or Shift is held now (a favourite chosen from the popup with either opens
  // in a new window).
  virtual bool NewWindowModifierHeld() = 0;
  // Starts another search-parameters window, which takes the pending open request
  // (TakeOpenRequest) as it opens, even while one is open already.
  virtual void StartSearchParameters() = 0;
};

}  // namespace trawlex::shell
