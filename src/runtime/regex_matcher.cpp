// SearchRegex: the leftmost match of a compiled program, through the automata of
// regex_automaton.h. The automata for the last program searched on each thread are kept, so
// a caller that searches line after line with one program builds them once.

#include <algorithm>

#include "runtime/regex_automaton.h"
#include "runtime/regex_program.h"

namespace trawlex::runtime {
namespace {

struct AutomatonCache {
  std::vector<unsigned char> program;
  bool noCase = false;
  std::string mustHave;
  std::optional<LazyRegexDfa> dfa;
};

thread_local AutomatonCache cache;

LazyRegexDfa& CachedDfa(const RegexProgram& program) {
  if (!cache.dfa || cache.noCase != program.noCase || cache.program != program.program ||
      cache.mustHave != program.mustHave) {
    cache.dfa.reset();
    cache.dfa.emplace(RegexNfa::Build(program));
    cache.program = program.program;
    cache.noCase = program.noCase;
    cache.mustHave = program.mustHave;
  }
  return *cache.dfa;
}

}  // namespace

std::optional<std::size_t> SearchRegex(const RegexProgram& program, std::string_view subject) {
  subject = subject.substr(0, std::min(subject.find('\0'), kMaxSubjectLength));
  return LeftmostMatchStart(CachedDfa(program), subject);
}

}  // namespace trawlex::runtime
