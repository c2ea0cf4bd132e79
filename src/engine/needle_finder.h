#pragma once
// The needle as the pre-scan and the scout look for it in a file's raw bytes: the text every
// hit must contain, found through the case table. For a whole-word or trailing search of a
// single word it is only taken where a hit could stand: after a blank, a tab or a line's start,
// and before a blank, a tab or a line's end, as the word switches require. Whole-word searches
// of common words ("init") otherwise send every line that merely contains the letters to the
// line stage.

#include <cstddef>
#include <string>
#include <string_view>

#include "runtime/folded_search.h"

namespace trawlex::engine {

class NeedleFinder {
 public:
  NeedleFinder() : NeedleFinder("", false, false, false) {}
  NeedleFinder(std::string needle, bool ignoreCase, bool blankBefore, bool blankAfter)
      : finder_(std::move(needle), ignoreCase),
        blankBefore_(blankBefore),
        blankAfter_(blankAfter) {}

  // The first occurrence at or after `from` that could stand in a hit; npos when none. `text`
  // may start and end anywhere: what lies beyond its ends is taken to allow a hit.
  std::size_t Find(std::string_view text, std::size_t from = 0) const;

  const std::string& needle() const { return finder_.needle(); }

 private:
  bool StandsApart(std::string_view text, std::size_t at) const;

  runtime::FoldedFinder finder_;
  bool blankBefore_;
  bool blankAfter_;
};

}  // namespace trawlex::engine
