#include "runtime/match.h"

#include <algorithm>
#include <optional>

#include "runtime/case_table.h"
#include "runtime/regex_automaton.h"
#include "runtime/regex_program.h"

namespace trawlex::runtime {
namespace {

std::string_view ClipSpaces(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// The last regular expression compiled on this thread, with its automaton and this thread's
// DFA over it. Searches call MATCH once per line with one pattern, so compiling is skipped
// while the same pattern and case flag come again, and the DFA keeps the states earlier lines
// built. A pattern that fails to compile is kept too (without a DFA), so it is not compiled
// again on every line.
struct PatternCache {
  bool filled = false;
  std::string pattern;
  bool noCase = false;
  std::optional<RegexProgram> program;
  std::optional<LazyRegexDfa> dfa;
};

thread_local PatternCache cache;

LazyRegexDfa* CachedDfa(std::string_view pattern, bool noCase) {
  if (!cache.filled || cache.noCase != noCase || cache.pattern != pattern) {
    cache.pattern.assign(pattern);
    cache.noCase = noCase;
    cache.dfa.reset();
    cache.program = CompileRegex(pattern, noCase);
    if (cache.program) cache.dfa.emplace(RegexNfa::Build(*cache.program));
    cache.filled = true;
  }
  return cache.dfa ? &*cache.dfa : nullptr;
}

}  // namespace

bool RegexMatch(std::string_view text, std::string_view pattern, bool noCase) {
  LazyRegexDfa* dfa = CachedDfa(pattern, noCase);
  if (!dfa) return false;
  text = text.substr(0, std::min(text.find('\0'), kMaxSubjectLength));
  return dfa->Found(text);
}

int MATCH(std::string_view first, std::string_view second, unsigned mode) {
  const std::string_view text = ClipSpaces(first);
  const std::string_view other = ClipSpaces(second);
  const bool noCase = (mode & Match::NoCase) != 0;
  switch (mode & 0x0F) {
    case Match::Simple:
      return noCase ? EqualNoCase(text, other) : text == other;
    case Match::Wild:
      return WildcardMatch(text, other, noCase);
    case Match::Regular:
      return RegexMatch(text, other, noCase);
    case Match::Soundex:
      return SoundAlikeCode(text) == SoundAlikeCode(other);
    default:
      return 0;
  }
}

}  // namespace trawlex::runtime
