#include "engine/line_matcher.h"

#include "engine/prescan.h"
#include "runtime/match.h"

namespace trawlex::engine {
namespace {

// Each thread keeps the automaton of the pattern it matched last: a search's threads match
// one pattern for every line of every file. Holding the shared automaton keeps the key alive,
// so a later search's pattern can never be taken for this one.
struct ThreadAutomaton {
  std::shared_ptr<const runtime::RegexNfa> nfa;
  std::unique_ptr<runtime::LazyRegexDfa> dfa;
};

thread_local ThreadAutomaton threadAutomaton;

runtime::LazyRegexDfa* AutomatonFor(const std::shared_ptr<const runtime::RegexNfa>& nfa) {
  if (!nfa) return nullptr;
  if (threadAutomaton.nfa != nfa) {
    threadAutomaton.dfa = std::make_unique<runtime::LazyRegexDfa>(nfa);
    threadAutomaton.nfa = nfa;
  }
  return threadAutomaton.dfa.get();
}

std::string_view ClipBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

LinePattern LinePattern::Substring(std::string searched) {
  return {Kind::Substring, std::move(searched), nullptr};
}

LinePattern LinePattern::Wildcard(std::string pattern) {
  return {Kind::Wildcard, std::move(pattern), nullptr};
}

LinePattern LinePattern::Regex(std::string pattern) {
  LinePattern compiled{Kind::Regex, std::move(pattern), nullptr};
  if (const auto program = runtime::CompileRegex(compiled.text, false)) {
    compiled.regex = runtime::RegexNfa::Build(*program);
  }
  return compiled;
}

LineMatcher::LineMatcher(const LinePattern& pattern)
    : pattern_(pattern), dfa_(AutomatonFor(pattern.regex)) {}

std::size_t LineMatcher::Find(std::string_view subject) const {
  if (pattern_.text.empty()) return 0;
  // Most lines are short, where a plain search beats memmem's set-up; memmem keeps a long
  // line linear.
  constexpr std::size_t kShortLine = 4096;
  const std::size_t at = subject.size() <= kShortLine ? subject.find(pattern_.text)
                                                      : FindBytes(subject, pattern_.text);
  return at == std::string_view::npos ? 0 : at + 1;
}

std::size_t LineMatcher::Matches(std::string_view subject, bool clipSubject) {
  if (clipSubject) subject = ClipBlanks(subject);
  if (pattern_.kind == LinePattern::Kind::Wildcard) {
    return runtime::WildcardMatch(subject, pattern_.text, false) ? 1 : 0;
  }
  if (dfa_ == nullptr) return 0;  // a pattern that does not compile matches nothing
  // As everywhere in the runtime, a subject ends at its first NUL.
  return dfa_->Found(subject.substr(0, subject.find('\0'))) ? 1 : 0;
}

}  // namespace trawlex::engine
