// Fuzzes the matcher: compile and search arbitrary patterns and subjects in every mode, and
// on small inputs compare the answers with the plain recursive matchers of the tests. For
// regular expressions the search and one thread's DFA, with a roomy cache and with one so
// small it is emptied all the time, must agree with each other on every input.
//
// Input layout: byte 0 is the mode; the rest is split at the first 0xFF byte into the second
// string (pattern) and the text. Without a 0xFF byte the whole rest is both.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtime/match.h"
#include "runtime/regex_automaton.h"
#include "runtime/regex_program.h"
#include "runtime/regex_reference.h"  // from tests/
#include "runtime/wildcard_reference.h"  // from tests/

using namespace trawlex::runtime;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CompareWithReference(std::string_view pattern, std::string_view text, bool noCase) {
  const auto program = CompileRegex(pattern, noCase);
  if (!program) return;
  const auto found = SearchRegex(*program, text);
  const auto nfa = RegexNfa::Build(*program);
  LazyRegexDfa dfa(nfa);
  LazyRegexDfa crampedDfa(nfa, DfaLimits{.maxStates = 3, .maxBytes = 1024});
  // The search reads up to the first NUL and at most kMaxSubjectLength characters.
  const std::string_view searched = text.substr(0, std::min(text.find('\0'), kMaxSubjectLength));
  Check(dfa.Found(searched) == found.has_value());
  Check(crampedDfa.Found(searched) == found.has_value());
  Check(dfa.Found(text) == crampedDfa.Found(text));
  Check(dfa.Found(text) == LeftmostMatchStart(*nfa, text).has_value());
  // Plain backtracking is exponential in the worst case: only on small inputs.
  if (pattern.size() <= 12 && text.size() <= 16 && text.find('\0') == std::string_view::npos) {
    Check(found == testing::ReferenceMatcher(*program, text).Search());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const unsigned mode = data[0];
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t split = rest.find('\xFF');
  const std::string_view pattern = split == std::string_view::npos ? rest : rest.substr(0, split);
  const std::string_view text = split == std::string_view::npos ? rest : rest.substr(split + 1);

  const int answer = MATCH(text, pattern, mode);
  Check(answer == 0 || answer == 1);
  const bool noCase = (mode & Match::NoCase) != 0;
  switch (mode & 0x0F) {
    case Match::Regular:
      CompareWithReference(pattern, text, noCase);
      break;
    case Match::Wild:
      if (pattern.size() <= 10 && text.size() <= 12) {
        Check(WildcardMatch(text, pattern, noCase) ==
              testing::ReferenceWildcard(text, pattern, noCase));
      }
      break;
    default:
      break;
  }
  return 0;
}
