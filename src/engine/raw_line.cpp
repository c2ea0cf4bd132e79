#include "engine/raw_line.h"

namespace trawlex::engine {

bool RawWordAmong(std::string_view raw, std::size_t from,
                  std::initializer_list<std::string_view> words) {
  while (from < raw.size() && (raw[from] == ' ' || raw[from] == '\t')) ++from;
  if (from >= raw.size()) return false;
  const std::string_view text = raw.substr(from);
  // Most lines fail on the first character: it is folded once.
  const auto first = static_cast<char>(runtime::ToUpper(static_cast<unsigned char>(text[0])));
  for (const std::string_view word : words) {
    if (word[0] != first || text.size() < word.size()) continue;
    std::size_t i = 1;
    while (i < word.size() && runtime::ToUpper(static_cast<unsigned char>(text[i])) ==
                                  static_cast<unsigned char>(word[i])) {
      ++i;
    }
    if (i == word.size()) return true;
  }
  return false;
}

}  // namespace trawlex::engine
