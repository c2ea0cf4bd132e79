#pragma once
// The request to open a search in a new search-parameters window (Ctrl or Shift with
// "&Open", "&Last" or a favourite): left here by the window that starts the new one, read
// and cleared by the new one as it opens.

#include <cstdint>

#include "shell/saved_search.h"

namespace trawlex::shell {

enum class OpenOnStart : std::uint8_t { None = 0, SavedSearch = 1, RecentSearch = 2 };

struct OpenRequest {
  OpenOnStart openOnStart = OpenOnStart::None;
  RecordPosition openPosition = 0;
};

void RequestOpenOnStart(OpenOnStart kind, RecordPosition position);
// The pending request, which is cleared.
OpenRequest TakeOpenRequest();

}  // namespace trawlex::shell
