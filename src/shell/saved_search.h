#pragma once
// The records of the two search stores: a saved search (SEA:, kept by name) and a recent
// search (LAST:, kept by date and time), and how they copy to and from a search request.

#include <cstdint>

#include "engine/search_spec.h"
#include "runtime/fixed_text.h"

namespace trawlex::shell {

using runtime::FixedText;

// A record's place in its store; 0 for a record not stored.
using RecordPosition = std::int64_t;

struct SavedSearch {
  RecordPosition position = 0;
  FixedText<30> name;          // SEA:NAME, unique without case
  FixedText<60> text;          // SEA:TEXT
  FixedText<127> path;         // SEA:PATH
  FixedText<60> spec;          // SEA:SPEC
  engine::SearchSwitches sw;   // SEA:SW:CASE .. SEA:SW:EXTRA
  bool operator==(const SavedSearch&) const = default;
};

struct RecentSearch {
  RecordPosition position = 0;
  std::int32_t date = 0;       // LAST:DATE: day number
  std::int32_t time = 0;       // LAST:TIME: hundredths of a second after midnight, plus one
  FixedText<60> text;          // LAST:TEXT
  FixedText<127> path;         // LAST:PATH
  FixedText<60> spec;          // LAST:SPEC
  engine::SearchSwitches sw;
  bool operator==(const RecentSearch&) const = default;
};

// Request to record: text, path (cut to 127), specifications, the switches but MODAL and the
// two literal switches (the record keeps what it held), all ten extra slots. A saved record
// never keeps line mode (slot 10).
void CopyRequestToSaved(const engine::SearchSpec& request, SavedSearch& record);
void CopyRequestToRecent(const engine::SearchSpec& request, RecentSearch& record);
// Record to request, the same fields back. A saved search with a blank text leaves the
// request's text as it is.
void CopySavedToRequest(const SavedSearch& record, engine::SearchSpec& request);
void CopyRecentToRequest(const RecentSearch& record, engine::SearchSpec& request);

}  // namespace trawlex::shell
