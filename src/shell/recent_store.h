#pragma once
// The recent-search store SEARCH20 ("SEARCH20.hvn"): one record per search run, kept newest
// first by date and time (LAST:BY_DATE), by text (LAST:BY_TEXT) and by path (LAST:BY_PATH);
// all three keys allow duplicates and compare text without case.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "shell/record_store.h"
#include "shell/saved_search.h"

namespace trawlex::shell {

enum class RecentKey { ByDate, ByText, ByPath };

class RecentSearchStore : public RecordStore {
 public:
  static constexpr std::string_view kFileName = "SEARCH20.hvn";

  RecentSearchStore();

  std::optional<RecentSearch> Get(RecordPosition position);
  // Every record in the key's order. Records that tie on the key keep the order in which
  // they were added (by date: the later added first, as they are the newer).
  std::optional<std::vector<RecentSearch>> List(RecentKey key);
  // The position of the first record whose text (or path) is not less than `typed` without
  // case; 0 when every record is less. By date there is no locator: the newest record.
  std::optional<RecordPosition> Locate(RecentKey key, std::string_view typed);

  bool Add(RecentSearch& record);

  // When the store holds at least `whenAtLeast` records, deletes the oldest (by date and
  // time) until `keep` remain, in one transaction. Returns the number deleted.
  std::optional<std::int64_t> Prune(std::int64_t keep, std::int64_t whenAtLeast);
};

}  // namespace trawlex::shell
