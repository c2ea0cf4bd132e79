#include "shell/saved_search_session.h"

#include <algorithm>

#include "runtime/error_codes.h"
#include "shell/favourites.h"
#include "shell/last_search_list.h"
#include "shell/open_search_list.h"
#include "shell/search_save_model.h"
#include "shell/store_messages.h"

namespace trawlex::shell {
namespace {

constexpr int kRecordNotFound = 35;

// The fields that make two recent searches the same search: modal, the literal switches,
// the favourite flag and line mode do not change what is found.
bool SameSearch(const RecentSearch& a, const RecentSearch& b) {
  using engine::Extra;
  return a.text == b.text && a.path == b.path && a.spec == b.spec &&
         a.sw.caseSensitive == b.sw.caseSensitive && a.sw.word == b.sw.word &&
         a.sw.trail == b.sw.trail && a.sw.codeOnly == b.sw.codeOnly && a.sw.oop == b.sw.oop &&
         a.sw.first == b.sw.first && a.sw.subdirs == b.sw.subdirs &&
         a.sw.subLevels == b.sw.subLevels && a.sw.smash == b.sw.smash &&
         a.sw[Extra::Wild] == b.sw[Extra::Wild] && a.sw[Extra::Regex] == b.sw[Extra::Regex] &&
         a.sw[Extra::LabelMode] == b.sw[Extra::LabelMode];
}

}  // namespace

SavedSearchSession::SavedSearchSession(SavedSearchStore& saved, RecentSearchStore& recent,
                                       runtime::Desktop& desktop, SearchListWindows& windows,
                                       SessionMode mode, Clock now)
    : saved_(saved),
      recent_(recent),
      desktop_(desktop),
      windows_(windows),
      mode_(mode),
      now_(std::move(now)) {}

std::string SavedSearchSession::Title() const {
  return SaveEnabled() ? "Search Parms (" + current_.name.str() + ")" : "Search Parameters";
}

bool SavedSearchSession::SaveEnabled() const {
  return hasCurrent_ && !current_.name.empty();
}

bool SavedSearchSession::LoadAtStart(engine::SearchSpec& request) {
  const OpenRequest pending = TakeOpenRequest();
  switch (pending.openOnStart) {
    case OpenOnStart::SavedSearch:
      if (const auto record = saved_.Get(pending.openPosition)) {
        Load(*record, request);
        return true;
      }
      return false;
    case OpenOnStart::RecentSearch:
      hasCurrent_ = false;
      if (const auto record = recent_.Get(pending.openPosition)) {
        Load(*record, request);
        return true;
      }
      return false;
    case OpenOnStart::None:
      break;
  }
  return false;
}

bool SavedSearchSession::Open(engine::SearchSpec& request) {
  OpenSearchList list(saved_, desktop_, windows_);
  const auto choice = windows_.OpenSearch(list);
  if (choice && !choice->newWindow) {
    Load(choice->record, request);
    return true;
  }
  if (choice) OpenInNewWindow(OpenOnStart::SavedSearch, choice->record.position);
  RefreshCurrent();
  return false;
}

bool SavedSearchSession::OpenLast(engine::SearchSpec& request, int lastSearchCnt) {
  LastSearchList list(recent_, desktop_, lastSearchCnt, now_().date);
  const auto choice = windows_.OpenLastSearch(list);
  if (!choice) return false;
  if (choice->newWindow) {
    OpenInNewWindow(OpenOnStart::RecentSearch, choice->record.position);
    return false;
  }
  Load(choice->record, request);
  return true;
}

bool SavedSearchSession::Favourites(engine::SearchSpec& request) {
  shell::Favourites& favourites = ProcessFavourites();
  if (favourites.favCount == 0 && !LoadFavourites(saved_, favourites)) {
    ShowErrorWithText(desktop_, "Unable to read the favorites|");
    return false;
  }
  if (favourites.favCount == 0) {
    runtime::Tell(desktop_, "No favorites have been defined", {}, runtime::Icon::Information);
    return Open(request);
  }
  const int choice = desktop_.PopupMenu(favourites.favMenu + "-|Open List");
  if (choice <= 0 || choice > favourites.favCount + 1) return false;
  if (choice == favourites.favCount + 1) return Open(request);
  return OpenFavourite(choice, request);
}

bool SavedSearchSession::OpenFavourite(int item, engine::SearchSpec& request) {
  const RecordPosition position = ProcessFavourites().favPos[item - 1];
  if (windows_.NewWindowModifierHeld()) {
    OpenInNewWindow(OpenOnStart::SavedSearch, position);
    return false;
  }
  const auto record = saved_.Get(position);
  if (!record) {
    ShowErrorWithText(desktop_, "FavPos[j] Reget Error: ");
    return false;
  }
  Load(*record, request);
  return true;
}

bool SavedSearchSession::Save(const engine::SearchSpec& request) {
  if (!SaveEnabled()) return false;
  InvalidateFavourites();
  SavedSearch updated = current_;
  CopyRequestToSaved(request, updated);
  if (!saved_.Put(updated)) {
    desktop_.ShowMessage(PutSearchErrorMessage(saved_));
    return false;
  }
  current_ = updated;
  return true;
}

bool SavedSearchSession::SaveAs(engine::SearchSpec& request) {
  InvalidateFavourites();
  // Only a name that is stored is held against the new one: after a failed add the typed
  // name stays in the entry and may be tried again.
  SearchSaveModel model(SearchSaveMode::SaveAsNew, current_.name.view(),
                        hasCurrent_ ? current_.name.view() : std::string_view{},
                        request.sw[engine::Extra::Favourite], saved_, desktop_);
  if (!windows_.SearchSave(model)) return false;
  request.sw[engine::Extra::Favourite] = model.favourite;
  // The new record starts from the buffer, so it keeps the modal and literal switches of the
  // search it was loaded from.
  SavedSearch added = current_;
  added.name = model.name;
  CopyRequestToSaved(request, added);
  const bool stored = saved_.Add(added);
  if (!stored) desktop_.ShowMessage(AddSearchErrorMessage(saved_));
  current_ = added;
  hasCurrent_ = stored;
  return stored;
}

void SavedSearchSession::New() {
  current_ = SavedSearch{};
  hasCurrent_ = false;
}

bool SavedSearchSession::RecordRecentSearch(const engine::SearchSpec& request, int lastSearchCnt) {
  if (mode_ == SessionMode::Edit || lastSearchCnt <= 0) return false;
  RecentSearch candidate = lastRecent_;
  CopyRequestToRecent(request, candidate);
  if (SameSearch(candidate, lastRecent_)) return false;
  const StoreDateTime now = now_();
  candidate.date = now.date;
  candidate.time = now.time;
  if (!recent_.Add(candidate)) {
    // The buffer keeps the last search that was stored, so running this one again retries.
    ShowErrorWithText(desktop_, "Error Add Search20|");
    return false;
  }
  lastRecent_ = candidate;
  return true;
}

bool SavedSearchSession::PruneRecentSearches(int lastSearchCnt) {
  if (mode_ != SessionMode::Normal) return true;
  const std::int64_t keep = std::max(lastSearchCnt, 0);
  return recent_.Prune(keep, keep + 6).has_value();
}

void SavedSearchSession::Load(const SavedSearch& record, engine::SearchSpec& request) {
  CopySavedToRequest(record, request);
  current_ = record;
  hasCurrent_ = true;
}

void SavedSearchSession::Load(const RecentSearch& record, engine::SearchSpec& request) {
  CopyRecentToRequest(record, request);
  lastRecent_ = record;
  hasCurrent_ = false;
}

// The list window may have renamed or deleted the current search: take its stored name, or
// make no search current when it is gone, so that "Sa&ve" never writes over another name
// or another record.
void SavedSearchSession::RefreshCurrent() {
  if (!hasCurrent_) return;
  if (const auto record = saved_.Get(current_.position)) {
    current_ = *record;
  } else if (runtime::ErrorCode() == kRecordNotFound) {
    hasCurrent_ = false;
  }
}

void SavedSearchSession::OpenInNewWindow(OpenOnStart kind, RecordPosition position) {
  RequestOpenOnStart(kind, position);
  windows_.StartSearchParameters();
}

}  // namespace trawlex::shell
