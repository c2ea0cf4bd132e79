#pragma once
// The logic of the "Open Search" window: its rows in either order, the locator, and the
// buttons that change the store ("&Delete", "&Rename", "&Fav") or copy a search. The window
// itself only draws the rows and calls these.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/desktop.h"
#include "shell/saved_search.h"
#include "shell/search_store.h"

namespace trawlex::shell {

class SearchListWindows;

struct OpenSearchRow {
  SavedSearch record;  // name, path, specifications, text and the position
  std::string fav;     // "Fav": "*" for a favourite, else blank
  std::string parms;   // "Parms": the options text, at most 59 characters
};

class OpenSearchList {
 public:
  OpenSearchList(SavedSearchStore& store, runtime::Desktop& desktop, SearchListWindows& windows);

  std::string title() const { return "Open Search"; }

  // The rows in "By Name" or "By Path" order; nullopt (error posted) when the store fails.
  std::optional<std::vector<OpenSearchRow>> Rows(SavedKey order);
  // "Locate:": the position of the first row not less than `typed` (name or path, without
  // case); 0 past the last row.
  std::optional<RecordPosition> Locate(SavedKey order, std::string_view typed);

  // "&Delete": asks for confirmation, then deletes. True when the record was deleted.
  bool Delete(const SavedSearch& record);
  // "&Rename": the naming dialogue in rename mode; the renamed record (to keep the list on
  // it), or nullopt when cancelled or failed.
  std::optional<SavedSearch> Rename(const SavedSearch& record);
  // "&Fav": flips the favourite flag; the record as stored now, or nullopt on failure.
  std::optional<SavedSearch> ToggleFavourite(const SavedSearch& record);
  // "Copy search Specs to clipboard": the text form with its "Name=" line.
  void CopySpecs(const SavedSearch& record);

 private:
  SavedSearchStore& store_;
  runtime::Desktop& desktop_;
  SearchListWindows& windows_;
};

}  // namespace trawlex::shell
