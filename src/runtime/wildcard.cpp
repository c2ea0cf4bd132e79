// Wildcard comparison: the whole text must match the whole pattern; '*' stands for any run
// of characters and '?' for exactly one.
//
// A '*' that is not the pattern's last character is only tried at text positions before the
// text's end, so "a**" does not match "a" and "**" does not match an empty text. The match
// runs in linear passes: only the most recent '*' ever needs to be moved on, since any way an
// earlier star could absorb more text is also open to the later one.

#include "runtime/case_table.h"
#include "runtime/match.h"

namespace trawlex::runtime {
namespace {

bool SameChar(char a, char b, bool noCase) {
  return noCase ? SameLetterNoCase(static_cast<unsigned char>(a), static_cast<unsigned char>(b))
                : a == b;
}

// A pattern of '*' and one more star-free part is compared right-aligned with the text's end.
bool RightAligned(std::string_view text, std::string_view rest, bool noCase) {
  if (text.size() < rest.size()) return false;
  const std::string_view tail = text.substr(text.size() - rest.size());
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] != '?' && !SameChar(rest[i], tail[i], noCase)) return false;
  }
  return true;
}

}  // namespace

bool WildcardMatch(std::string_view text, std::string_view pattern, bool noCase) {
  if (!pattern.empty() && pattern[0] == '*' &&
      pattern.find('*', 1) == std::string_view::npos) {
    return RightAligned(text, pattern.substr(1), noCase);
  }
  std::size_t t = 0;
  std::size_t p = 0;
  std::size_t starPattern = std::string_view::npos;  // where the latest '*' stands
  std::size_t starText = 0;                          // where its rest is being tried
  for (;;) {
    if (p == pattern.size()) {
      if (t == text.size()) return true;
    } else if (pattern[p] == '*') {
      if (p + 1 == pattern.size()) return true;
      if (t >= text.size()) return false;  // no later position is open to any star
      starPattern = p++;
      starText = t;
      continue;
    } else if (t < text.size() && (pattern[p] == '?' || SameChar(pattern[p], text[t], noCase))) {
      ++p;
      ++t;
      continue;
    }
    // Mismatch: let the latest star absorb one more character.
    if (starPattern == std::string_view::npos || starText + 1 >= text.size()) return false;
    t = ++starText;
    p = starPattern + 1;
  }
}

}  // namespace trawlex::runtime
