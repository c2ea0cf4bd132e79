#pragma once
// What one search-parameters dialogue does with the saved and recent searches: which saved
// search is current (and so the title and the "Sa&ve" state), the recent search last added
// or loaded, and the operations behind "&Open", "Sa&ve", "Save &As", "&Favs", "&Last",
// "&New", recording a search that "&Search" runs and trimming the recent searches on close.
// The request is the dialogue's; the operations read and fill it and report failures
// through the Desktop. When LoadAtStart, Open, OpenLast or Favourites return true a search
// has been loaded into the request: the dialogue sets its label-mode list from the request,
// selects the find field and redraws. After every operation it shows Title() and
// SaveEnabled().

#include <functional>

#include "engine/search_spec.h"
#include "runtime/desktop.h"
#include "shell/open_request.h"
#include "shell/recent_store.h"
#include "shell/recent_time_stamp.h"
#include "shell/saved_search.h"
#include "shell/search_list_windows.h"
#include "shell/search_store.h"

namespace trawlex::shell {

// How the dialogue was opened: on its own (Normal), by a results window to change that
// window's search (Edit), or by a results window as a starting point (Prefilled).
enum class SessionMode { Normal, Edit, Prefilled };

class SavedSearchSession {
 public:
  using Clock = std::function<StoreDateTime()>;

  SavedSearchSession(SavedSearchStore& saved, RecentSearchStore& recent, runtime::Desktop& desktop,
                     SearchListWindows& windows, SessionMode mode = SessionMode::Normal,
                     Clock now = StoreNow);

  // "Search Parms (" & name & ")" while a named saved search is current, else
  // "Search Parameters"; "Sa&ve" is enabled in the first case only.
  std::string Title() const;
  bool SaveEnabled() const;
  bool hasCurrent() const { return hasCurrent_; }
  const SavedSearch& current() const { return current_; }
  const RecentSearch& lastRecent() const { return lastRecent_; }

  // Loads what another window asked this one to open as it starts (TakeOpenRequest).
  bool LoadAtStart(engine::SearchSpec& request);

  bool Open(engine::SearchSpec& request);                         // "&Open"
  bool OpenLast(engine::SearchSpec& request, int lastSearchCnt);  // "&Last"
  bool Favourites(engine::SearchSpec& request);                   // "&Favs"
  // True when the request was stored. "Save &As" also takes the dialogue's "Favorite" check
  // box value back into the request.
  bool Save(const engine::SearchSpec& request);  // "Sa&ve"
  bool SaveAs(engine::SearchSpec& request);      // "Save &As"
  void New();                                    // "&New": no search current

  // Adds the request to the recent searches unless it repeats the one last added or loaded
  // (modal and the literal switches do not count), recording is off (LastSearchCnt 0) or
  // the dialogue edits a results window's search. True when a record was added.
  bool RecordRecentSearch(const engine::SearchSpec& request, int lastSearchCnt);
  // On closing a dialogue opened on its own: with LastSearchCnt + 6 or more recent searches,
  // the oldest go until LastSearchCnt remain. False when the store failed.
  bool PruneRecentSearches(int lastSearchCnt);

 private:
  void Load(const SavedSearch& record, engine::SearchSpec& request);
  void Load(const RecentSearch& record, engine::SearchSpec& request);
  void RefreshCurrent();
  bool OpenFavourite(int item, engine::SearchSpec& request);
  void OpenInNewWindow(OpenOnStart kind, RecordPosition position);

  SavedSearchStore& saved_;
  RecentSearchStore& recent_;
  runtime::Desktop& desktop_;
  SearchListWindows& windows_;
  SessionMode mode_;
  Clock now_;

  SavedSearch current_;  // the saved-search record buffer
  bool hasCurrent_ = false;
  RecentSearch lastRecent_;  // the recent search last added or loaded
};

}  // namespace trawlex::shell
