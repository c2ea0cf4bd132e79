#pragma once
// The saved-search store SEARCHES ("searches.hvn"): one record per named search, kept by
// name (SEA:BY_NAME, unique) and by path then name (SEA:BY_PATH), both without case.

#include <optional>
#include <string_view>
#include <vector>

#include "shell/record_store.h"
#include "shell/saved_search.h"

namespace trawlex::shell {

enum class SavedKey { ByName, ByPath };

class SavedSearchStore : public RecordStore {
 public:
  static constexpr std::string_view kFileName = "searches.hvn";

  SavedSearchStore();

  // The record at `position`; "Record Not Found" when there is none.
  std::optional<SavedSearch> Get(RecordPosition position);
  // The record whose name equals `name` without case (the name is cut to its 30 characters
  // first, as the entry field would); "Record Not Found" when there is none.
  std::optional<SavedSearch> FindByName(std::string_view name);
  // Every record in the key's order.
  std::optional<std::vector<SavedSearch>> List(SavedKey key);
  // The position of the first record, in the key's order, whose name (or path) is not less
  // than `typed` without case; 0 when every record is less. nullopt on failure.
  std::optional<RecordPosition> Locate(SavedKey key, std::string_view typed);

  // Adds the record and sets its position. A name already used (without case) fails with
  // "Creates Duplicate Key" and adds nothing.
  bool Add(SavedSearch& record);
  // Rewrites the record at record.position with every field of `record`.
  bool Put(const SavedSearch& record);
};

}  // namespace trawlex::shell
