// Where the leftmost match starts: all threads of the automaton advance together, one byte at
// a time, each remembering the position it started from.
//
// Threads are kept in order of their start. When two reach the same state at the same
// position only the first, the earlier start, is kept: both have the same future, and the
// earlier one is the better answer. Once a thread reaches the match with start s, no later
// start can win, so no new threads start and those with start s or later are dropped; the
// search ends when no thread with an earlier start is left.

#include <algorithm>

#include "runtime/regex_automaton.h"

namespace trawlex::runtime {
namespace {

using Kind = RegexNfa::Kind;
constexpr std::uint32_t kNone = RegexNfa::kNone;

struct Thread {
  std::uint32_t state;
  std::size_t start;
};

// Reused between calls on one thread, so a search over many lines does not allocate.
struct Scratch {
  std::vector<Thread> current;
  std::vector<Thread> next;
  std::vector<std::uint32_t> stack;
  std::vector<std::uint32_t> seen;
  std::uint32_t stamp = 0;
};

thread_local Scratch scratch;

class ThreadSimulation {
 public:
  ThreadSimulation(const RegexNfa& nfa, std::string_view subject)
      : nfa_(nfa), states_(nfa.States()), subject_(subject), s_(scratch) {
    if (s_.seen.size() < states_.size()) s_.seen.resize(states_.size(), 0);
  }

  std::optional<std::size_t> Run() {
    const std::size_t n = subject_.size();
    const bool injectLater = !nfa_.StartsOnlyAtZero();
    s_.current.clear();
    NewPosition();
    Add(nfa_.Start(), 0, 0, s_.current);
    for (std::size_t at = 0; at < n && !(s_.current.empty() && (best_ || !injectLater)); ++at) {
      NewPosition();
      s_.next.clear();
      const auto c = static_cast<unsigned char>(subject_[at]);
      for (const Thread& t : s_.current) {
        if (best_ && t.start >= *best_) break;
        if (!nfa_.Accepts(t.state, c)) continue;
        const std::uint32_t target = states_[t.state].out;
        if (target != kNone && states_[target].kind == Kind::Byte) {  // no links to follow
          if (s_.seen[target] != s_.stamp) {
            s_.seen[target] = s_.stamp;
            s_.next.push_back({target, t.start});
          }
          continue;
        }
        if (Add(target, t.start, at + 1, s_.next)) break;  // the threads after started later
      }
      if (!best_ && injectLater) Add(nfa_.Start(), at + 1, at + 1, s_.next);
      std::swap(s_.current, s_.next);
    }
    return best_;
  }

 private:
  void NewPosition() {
    if (++s_.stamp == 0) {
      std::fill(s_.seen.begin(), s_.seen.end(), 0);
      s_.stamp = 1;
    }
  }

  // Adds the threads reachable from `from` without consuming at position `at`; true when
  // one of them is a match (which then becomes the best answer).
  bool Add(std::uint32_t from, std::size_t start, std::size_t at, std::vector<Thread>& into) {
    const bool atStart = at == 0;
    const bool atEnd = at == subject_.size();
    bool matched = false;
    s_.stack.assign(1, from);
    while (!s_.stack.empty()) {
      const std::uint32_t q = s_.stack.back();
      s_.stack.pop_back();
      if (q == kNone || s_.seen[q] == s_.stamp) continue;
      s_.seen[q] = s_.stamp;
      const RegexNfa::State& s = states_[q];
      switch (s.kind) {
        case Kind::Byte:
          into.push_back({q, start});
          break;
        case Kind::Match:
          matched = true;
          break;
        case Kind::Split:
          s_.stack.push_back(s.out2);
          s_.stack.push_back(s.out);
          break;
        case Kind::LineStart:
          if (atStart) s_.stack.push_back(s.out);
          break;
        case Kind::LineEnd:
          if (atEnd) s_.stack.push_back(s.out);
          break;
      }
    }
    if (matched) best_ = start;
    return matched;
  }

  const RegexNfa& nfa_;
  const std::vector<RegexNfa::State>& states_;
  std::string_view subject_;
  Scratch& s_;
  std::optional<std::size_t> best_;
};

}  // namespace

std::optional<std::size_t> LeftmostMatchStart(const RegexNfa& nfa, std::string_view subject) {
  return ThreadSimulation(nfa, subject).Run();
}

std::optional<std::size_t> LeftmostMatchStart(LazyRegexDfa& dfa, std::string_view subject) {
  if (!dfa.Found(subject)) return std::nullopt;
  if (dfa.Nfa().StartsOnlyAtZero()) return 0;
  return LeftmostMatchStart(dfa.Nfa(), subject);
}

}  // namespace trawlex::runtime
