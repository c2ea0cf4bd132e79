#include "results/find_text_queue.h"

#include <algorithm>

#include "results/character_cut.h"
#include "runtime/case_table.h"
#include "runtime/fixed_text.h"

namespace trawlex::results {

void FindTextQueue::Record(std::string_view text) {
  const std::string entry = runtime::Clip(CutToFit(text, kFindTextWidth));
  if (entry.find_first_not_of(' ') == std::string::npos) return;
  std::erase_if(entries_,
                [&](const std::string& old) { return runtime::EqualNoCase(old, entry); });
  if (entries_.size() >= kFindTextEntries) entries_.pop_back();
  entries_.insert(entries_.begin(), entry);
}

FindTextQueue& ProgramFindTexts() {
  static FindTextQueue texts;
  return texts;
}

}  // namespace trawlex::results
