#pragma once
// How a stored search is described in text: its options text (the "Parms" and "Options"
// columns) and the "[Trawlex Specs]" form that the list windows put on the clipboard.

#include <string>

#include "engine/search_spec.h"
#include "shell/saved_search.h"

namespace trawlex::shell {

// The options text of a record's switches (case, word, trail, code only, first, levels,
// smash, wildcards, regular expression, label mode), as a request's would read.
std::string RecordOptionsText(const engine::SearchSwitches& sw);

// The list column: the options text in at most 59 characters.
inline constexpr std::size_t kParmsWidth = 59;
std::string ParmsColumn(const engine::SearchSwitches& sw);

// "[Trawlex Specs]", "Name=", "Text=", "Path=" (followed by one space), "Specs=", "Options=",
// each value without trailing blanks, lines joined by CR LF, no line break at the end.
std::string SpecsText(const SavedSearch& record);
// The same without the "Name=" line.
std::string SpecsText(const RecentSearch& record);

}  // namespace trawlex::shell
