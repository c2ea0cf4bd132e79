#pragma once
// The logic of the "Last Searches" window: its title, rows in each order with their time
// stamps, the locator, "&Delete" and "Copy search Specs to clipboard".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/desktop.h"
#include "shell/recent_store.h"
#include "shell/saved_search.h"

namespace trawlex::shell {

struct LastSearchRow {
  RecentSearch record;  // text, path, specifications, date, time and the position
  std::string byTime;   // "Time Stamp", at most 13 characters
  std::string parms;    // "Options": the options text, at most 59 characters
};

class LastSearchList {
 public:
  // `today` is the day number the time stamps are relative to.
  LastSearchList(RecentSearchStore& store, runtime::Desktop& desktop, int lastSearchCnt,
                 std::int32_t today);

  // "Last " & LastSearchCnt & " Searches".
  std::string title() const;

  // The rows "By Time" (newest first), "By Text" or "By Path".
  std::optional<std::vector<LastSearchRow>> Rows(RecentKey order);
  // "Locate:" of "By Text" and "By Path"; 0 past the last row.
  std::optional<RecordPosition> Locate(RecentKey order, std::string_view typed);

  // "&Delete": the confirmation shows the search text; true when the record was deleted.
  bool Delete(const RecentSearch& record);
  // "Copy search Specs to clipboard": the text form without a "Name=" line.
  void CopySpecs(const RecentSearch& record);

 private:
  RecentSearchStore& store_;
  runtime::Desktop& desktop_;
  int lastSearchCnt_;
  std::int32_t today_;
};

}  // namespace trawlex::shell
