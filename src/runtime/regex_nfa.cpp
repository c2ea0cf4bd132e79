// The Thompson automaton of a compiled regular expression: its states come from the node
// translator; here are the facts every matcher over it needs, derived once.

#include <algorithm>

#include "runtime/case_table.h"
#include "runtime/regex_automaton.h"
#include "runtime/regex_node_translator.h"

namespace trawlex::runtime {
namespace {

using Kind = RegexNfa::Kind;
using State = RegexNfa::State;
using ByteSet = RegexNfa::ByteSet;

template <typename Visit>
void ForEachByte(const ByteSet& set, Visit visit) {
  for (unsigned word = 0; word < 4; ++word) {
    for (std::uint64_t bits = set[word]; bits != 0; bits &= bits - 1) {
      visit(word * 64 + static_cast<unsigned>(__builtin_ctzll(bits)));
    }
  }
}

// Bit counting without relying on a popcount instruction (not in the x86-64 baseline).
int Count(const ByteSet& set) {
  int count = 0;
  for (std::uint64_t x : set) {
    x -= (x >> 1) & 0x5555555555555555u;
    x = (x & 0x3333333333333333u) + ((x >> 2) & 0x3333333333333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
    count += static_cast<int>((x * 0x0101010101010101u) >> 56);
  }
  return count;
}

}  // namespace

RegexNfa::RegexNfa(const RegexProgram& program) {
  TranslatedProgram draft = TranslateNodeProgram(program);
  if (draft.start == kNone) {
    draft.states.push_back({Kind::Split});  // a program without a way through: a dead end
    draft.start = static_cast<std::uint32_t>(draft.states.size() - 1);
  }
  states_ = std::move(draft.states);
  start_ = draft.start;
  ComputeByteClasses();
  ComputeEndReachability();
  ComputeStartFacts();
  if (!program.mustHave.empty()) {
    mustHave_.emplace(program.noCase ? UpperText(program.mustHave) : program.mustHave,
                      program.noCase);
  }
}

// Splits the 256 byte values into classes by refining with every set in use: two bytes share
// a class when every byte step accepts both or neither. Splitting by a set or by its
// complement is the same, so each set costs at most 128 steps.
void RegexNfa::ComputeByteClasses() {
  // Local tables: stores through members would make the compiler reload after every byte.
  std::array<unsigned char, 256> classOf{};
  std::array<std::uint16_t, 256> size{};
  size[0] = 256;
  std::array<std::uint16_t, 256> hits{};
  std::array<unsigned char, 256> moveTo;
  std::array<unsigned char, 256> touched;
  int count = 1;
  const ByteSet* previous = nullptr;
  for (std::size_t i = 0; i < states_.size() && count < 256; ++i) {
    if (states_[i].kind != Kind::Byte) continue;
    if (previous && *previous == states_[i].set) continue;  // runs like a*a*a* repeat sets
    previous = &states_[i].set;
    ByteSet members = states_[i].set;
    if (Count(members) > 128) {
      for (auto& word : members) word = ~word;
    }
    int touchedCount = 0;
    ForEachByte(members, [&](unsigned b) {
      const unsigned char c = classOf[b];
      if (hits[c]++ == 0) touched[touchedCount++] = c;
    });
    // A class with members on both sides of the set splits: its members in the set move.
    for (int t = 0; t < touchedCount; ++t) {
      const unsigned char c = touched[t];
      moveTo[c] = hits[c] < size[c] ? static_cast<unsigned char>(count++) : c;
      hits[c] = 0;
    }
    ForEachByte(members, [&](unsigned b) {
      const unsigned char c = classOf[b];
      if (moveTo[c] == c) return;
      classOf[b] = moveTo[c];
      --size[c];
      ++size[moveTo[c]];
    });
  }
  classOf_ = classOf;
  classCount_ = count;
}

// Marks the states from which a match ends without consuming anything at the end of a
// subject (past its start): a search backwards from the match states over split and $ links.
// Only $ states are ever asked, so a pattern without $ needs none of it.
void RegexNfa::ComputeEndReachability() {
  const std::size_t n = states_.size();
  if (std::none_of(states_.begin(), states_.end(),
                   [](const State& s) { return s.kind == Kind::LineEnd; })) {
    return;
  }
  // Links into each state, grouped by target: those into t are from[firstIn[t]..firstIn[t+1]).
  std::vector<std::uint32_t> firstIn(n + 2, 0);
  auto silentLinks = [](const State& s) {
    return s.kind == Kind::Split || s.kind == Kind::LineEnd;
  };
  for (const State& s : states_) {
    if (!silentLinks(s)) continue;
    for (std::uint32_t t : {s.out, s.out2}) {
      if (t != kNone) ++firstIn[t + 2];
    }
  }
  for (std::size_t i = 2; i < n + 2; ++i) firstIn[i] += firstIn[i - 1];
  std::vector<std::uint32_t> from(firstIn[n + 1]);
  for (std::uint32_t q = 0; q < n; ++q) {
    if (!silentLinks(states_[q])) continue;
    for (std::uint32_t t : {states_[q].out, states_[q].out2}) {
      if (t != kNone) from[firstIn[t + 1]++] = q;
    }
  }
  matchesAtEnd_.assign(n, 0);
  std::vector<std::uint32_t> pending;
  for (std::uint32_t q = 0; q < n; ++q) {
    if (states_[q].kind == Kind::Match) {
      matchesAtEnd_[q] = 1;
      pending.push_back(q);
    }
  }
  while (!pending.empty()) {
    const std::uint32_t q = pending.back();
    pending.pop_back();
    for (std::uint32_t i = firstIn[q]; i < firstIn[q + 1]; ++i) {
      if (!matchesAtEnd_[from[i]]) {
        matchesAtEnd_[from[i]] = 1;
        pending.push_back(from[i]);
      }
    }
  }
}

// What the start's links lead to without consuming: the empty subject passes both
// assertions; a start after position 0 that can reach no byte step and no match (passing $
// as if at the end) cannot match.
void RegexNfa::ComputeStartFacts() {
  std::vector<unsigned char> seen(states_.size(), 0);
  std::vector<std::uint32_t> stack;
  auto reach = [&](bool atStart, auto&& onState) {
    std::fill(seen.begin(), seen.end(), 0);
    stack.assign(1, start_);
    while (!stack.empty()) {
      const std::uint32_t q = stack.back();
      stack.pop_back();
      if (q == kNone || seen[q]) continue;
      seen[q] = 1;
      const State& s = states_[q];
      onState(s);
      if (s.kind == Kind::Split || s.kind == Kind::LineEnd ||
          (s.kind == Kind::LineStart && atStart)) {
        stack.push_back(s.out);
        stack.push_back(s.out2);
      }
    }
  };
  matchesEmptySubject_ = false;
  reach(true, [&](const State& s) { matchesEmptySubject_ |= s.kind == Kind::Match; });
  startsOnlyAtZero_ = true;
  reach(false, [&](const State& s) {
    if (s.kind == Kind::Byte || s.kind == Kind::Match) startsOnlyAtZero_ = false;
  });
}

}  // namespace trawlex::runtime
