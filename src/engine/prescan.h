#pragma once
// The quick test of a file's raw bytes: can the file hold a hit at all? The bytes are
// transformed the way the line stage sees text (upper-cased when case is ignored, blanks and
// tabs removed for a smashed search) and searched for the plan's needle.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/search_plan.h"
#include "runtime/error_codes.h"

namespace trawlex::engine {

// Transforms raw bytes for searching: appends to `out`.
void FoldForSearch(const SearchPlan& plan, std::string_view raw, std::string& out);

// Finds `needle` in `hay` from `from` on; npos when absent.
std::size_t FindBytes(std::string_view hay, std::string_view needle, std::size_t from = 0);

// Streams a whole open file descriptor through the test, in chunks that overlap by the
// needle's length less one, so memory stays flat for any file size. False on a read error as
// well as when the needle is absent; `error` tells which.
bool StreamHasNeedle(const SearchPlan& plan, int fd, runtime::OsError& error);

}  // namespace trawlex::engine
