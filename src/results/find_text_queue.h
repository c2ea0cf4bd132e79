#pragma once
// The find-text history (FindTextQueue): the texts last used in Find and Delete and in the
// viewer's find, most recent first, shared by every window for the whole program run.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "results/find_text.h"

namespace trawlex::results {

inline constexpr std::size_t kFindTextEntries = 13;

class FindTextQueue {
 public:
  // Puts `text` first: a blank text is ignored; an entry equal to it without case goes; the
  // oldest entry goes when the history is full.
  void Record(std::string_view text);
  const std::vector<std::string>& entries() const { return entries_; }
  void Clear() { entries_.clear(); }

 private:
  std::vector<std::string> entries_;
};

// The program's one history. The windows use it from the GUI thread only.
FindTextQueue& ProgramFindTexts();

}  // namespace trawlex::results
