#pragma once
// The wildcard rules written out literally, recursion and all: the yardstick for the
// production wildcard matcher on small inputs.

#include <string_view>

#include "runtime/case_table.h"

namespace trawlex::runtime::testing {

inline bool ReferenceWildcard(std::string_view text, std::string_view pattern, bool noCase,
                              std::size_t t = 0, std::size_t p = 0) {
  if (p == pattern.size()) return t == text.size();
  const char c = pattern[p];
  if (c == '?') return t < text.size() && ReferenceWildcard(text, pattern, noCase, t + 1, p + 1);
  if (c == '*') {
    if (p + 1 == pattern.size()) return true;
    for (std::size_t at = t; at + 1 <= text.size(); ++at) {  // up to the last character only
      if (ReferenceWildcard(text, pattern, noCase, at, p + 1)) return true;
    }
    return false;
  }
  if (t == text.size()) return false;
  const bool same = noCase ? SameLetterNoCase(static_cast<unsigned char>(c),
                                              static_cast<unsigned char>(text[t]))
                           : c == text[t];
  return same && ReferenceWildcard(text, pattern, noCase, t + 1, p + 1);
}

}  // namespace trawlex::runtime::testing
