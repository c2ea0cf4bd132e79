#pragma once
// Automata over a compiled regular expression, for matching in time linear in the subject and
// memory bounded by the pattern:
//
// - RegexNfa: a Thompson automaton built once from a RegexProgram. Immutable, so one instance
//   may be shared by every thread of a search.
// - LazyRegexDfa: one thread's deterministic automaton over a RegexNfa, built state by state
//   as subjects need it. Its state cache has a hard size cap; when full it is emptied and the
//   scan goes on from where it stands. A scan that fills it again before reusing its states
//   follows the automaton set by set for the rest of the subject, without caching.
// - LeftmostMatchStart: where the leftmost match starts, by simulating the automaton with
//   every thread remembering its start.
//
// Every byte of a subject costs at most O(automaton states) time, so no pattern the compiler
// accepts takes longer than O(pattern size x subject length), and memory stays within
// O(pattern size) plus the capped cache.
//
// All three take the subject exactly as given: no cut at NUL, no length cap. A NUL byte is a
// member of no character class, so only '.' and a negated class accept it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "runtime/folded_search.h"
#include "runtime/regex_dfa_cache.h"
#include "runtime/regex_program.h"

namespace trawlex::runtime {

class RegexNfa {
 public:
  enum class Kind : std::uint8_t {
    Byte,       // consumes one byte of its set, then goes on to `out`
    Split,      // goes on to `out` and to `out2` without consuming; neither: a dead end
    LineStart,  // goes on to `out` at the subject's start only
    LineEnd,    // goes on to `out` at the subject's end only
    Match,      // a match ends here
  };
  static constexpr std::uint32_t kNone = UINT32_MAX;

  using ByteSet = std::array<std::uint64_t, 4>;

  struct State {
    Kind kind = Kind::Split;
    std::uint32_t out = kNone;
    std::uint32_t out2 = kNone;
    ByteSet set{};  // Byte: the bytes it accepts
  };

  explicit RegexNfa(const RegexProgram& program);
  static std::shared_ptr<const RegexNfa> Build(const RegexProgram& program) {
    return std::make_shared<const RegexNfa>(program);
  }

  const std::vector<State>& States() const { return states_; }
  std::uint32_t Start() const { return start_; }
  bool Accepts(std::uint32_t byteState, unsigned char c) const {
    return (states_[byteState].set[c >> 6] >> (c & 63)) & 1;
  }

  // Bytes that no byte set tells apart share a class; automata step by class, not by byte.
  unsigned char ClassOf(unsigned char c) const { return classOf_[c]; }
  const unsigned char* ClassTable() const { return classOf_.data(); }
  int ClassCount() const { return classCount_; }

  // Whether a match may be completed from the $ state without consuming anything once the
  // subject's end has been reached at a position after its start.
  bool MatchesAtEndFrom(std::uint32_t lineEndState) const {
    return matchesAtEnd_[lineEndState] != 0;
  }
  // Whether the empty subject matches.
  bool MatchesEmptySubject() const { return matchesEmptySubject_; }
  // Whether every match must start at position 0 (no path from the start avoids '^').
  bool StartsOnlyAtZero() const { return startsOnlyAtZero_; }

  // A literal every match contains, as a finder; nullptr when there is none.
  const FoldedFinder* MustHave() const { return mustHave_ ? &*mustHave_ : nullptr; }

 private:
  void ComputeByteClasses();
  void ComputeEndReachability();
  void ComputeStartFacts();

  std::vector<State> states_;
  std::uint32_t start_ = 0;
  std::array<unsigned char, 256> classOf_{};
  int classCount_ = 1;
  std::vector<unsigned char> matchesAtEnd_;
  bool matchesEmptySubject_ = false;
  bool startsOnlyAtZero_ = false;
  std::optional<FoldedFinder> mustHave_;
};

class LazyRegexDfa {
 public:
  explicit LazyRegexDfa(std::shared_ptr<const RegexNfa> nfa, DfaLimits limits = {});

  // Whether some match exists in the subject; stops as soon as one is certain.
  bool Found(std::string_view subject);

  const RegexNfa& Nfa() const { return *nfa_; }
  const DfaCacheStats& Stats() const { return cache_.Stats(); }

 private:
  // Scan verdicts, kept in transition entries like rows (which are never negative).
  static constexpr std::int32_t kUnknown = DfaStateCache::kUnknown;
  static constexpr std::int32_t kMatched = -2;
  static constexpr std::int32_t kDead = -3;

  // A set of NFA byte states after following every link that consumes nothing, plus whether
  // a match ends there or could end there at the subject's end.
  struct Closure {
    std::vector<std::uint32_t> ids;
    bool matched = false;
    bool matchesAtEnd = false;
  };

  void ComputeClosure(std::uint32_t from, bool atStart, Closure& into);
  void Step(const std::uint32_t* ids, std::size_t count, unsigned char c, Closure& into);
  void Canonicalize(std::vector<std::uint32_t>& ids);
  std::int32_t Transition(std::int32_t fromRow, unsigned char c);
  std::int32_t StateFor(const Closure& closure);
  void Restart();
  bool Simulate(std::int32_t row, const char* at, const char* end);
  void ListIdleExits();
  void LearnIdleLoop(int byteClass);
  const char* SkipIdle(const char* at, const char* end) const;

  std::shared_ptr<const RegexNfa> nfa_;
  DfaStateCache cache_;
  std::size_t pinnedStates_ = 0;  // the start and idle states, never cleared alone

  // The closures every scan needs: from the start at position 0, and the one injected at
  // every later position (for an unanchored search).
  Closure startClosure_;
  Closure injected_;
  std::int32_t startRow_ = kUnknown;
  std::int32_t idleRow_ = kUnknown;  // nothing in flight but the injected closure
  // Bytes that may lead out of the idle state (shrinking as loops back to it are found),
  // and the same as a list while it is short enough to look for them with memchr.
  RegexNfa::ByteSet idleExitSet_{};
  std::vector<unsigned char> idleExits_;

  // Scratch for building closures, and the two sets of a scan that has given up caching.
  Closure work_;
  Closure simulated_[2];
  std::vector<std::uint32_t> stack_;
  std::vector<std::uint32_t> seen_;
  std::uint32_t stamp_ = 0;
  std::vector<std::uint64_t> bits_;  // all zero between uses
};

// The start of the leftmost match, or nullopt, by simulating the automaton with threads that
// carry their start position. O(states) memory, O(states x subject) time.
std::optional<std::size_t> LeftmostMatchStart(const RegexNfa& nfa, std::string_view subject);

// The same, after the DFA has ruled out subjects without any match.
std::optional<std::size_t> LeftmostMatchStart(LazyRegexDfa& dfa, std::string_view subject);

}  // namespace trawlex::runtime
