// The lazy deterministic automaton: a state is the set of automaton byte steps that threads
// stand at after following every link that consumes nothing, built the first time a scan
// needs it and kept, with its transitions, in a capped cache.
//
// Assertions: ^ passes only in the start state's closure (position 0). At every later
// position the start's closure without ^ is injected (a search may start anywhere); when
// no path from the start avoids ^, that injection is empty and a state without threads ends
// the scan. $ is not followed while scanning; instead each state records whether one of its
// $ assertions leads to a match, which is the answer when the subject ends in that state.

#include <algorithm>
#include <bit>
#include <cstring>

#include "runtime/regex_automaton.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trawlex::runtime {
namespace {

using Kind = RegexNfa::Kind;
constexpr std::uint32_t kNone = RegexNfa::kNone;
// Few enough exits from the idle state to look for them with memchr or a vector compare.
constexpr std::size_t kMaxIdleExits = 3;
// When the cache fills up before the scan has read this many bytes per state it held, the
// states are hardly ever used twice.
constexpr std::size_t kBytesPerCachedState = 10;

// The first byte in [at, end) that is one of `bytes` (one to three values), or end.
const char* FindAnyOf(const char* at, const char* end, const std::vector<unsigned char>& bytes) {
  if (bytes.size() == 1) {
    const void* hit = std::memchr(at, bytes[0], static_cast<std::size_t>(end - at));
    return hit ? static_cast<const char*>(hit) : end;
  }
  const unsigned char a = bytes[0];
  const unsigned char b = bytes[1];
  const unsigned char c = bytes.size() > 2 ? bytes[2] : bytes[1];
#if defined(__SSE2__)
  const __m128i va = _mm_set1_epi8(static_cast<char>(a));
  const __m128i vb = _mm_set1_epi8(static_cast<char>(b));
  const __m128i vc = _mm_set1_epi8(static_cast<char>(c));
  for (; end - at >= 16; at += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, va), _mm_cmpeq_epi8(v, vb)),
                                     _mm_cmpeq_epi8(v, vc));
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
    if (mask != 0) return at + __builtin_ctz(mask);
  }
#endif
  for (; at < end; ++at) {
    const auto x = static_cast<unsigned char>(*at);
    if (x == a || x == b || x == c) return at;
  }
  return end;
}

}  // namespace

LazyRegexDfa::LazyRegexDfa(std::shared_ptr<const RegexNfa> nfa, DfaLimits limits)
    : nfa_(std::move(nfa)), cache_(nfa_->ClassCount(), limits) {
  seen_.assign(nfa_->States().size(), 0);
  ComputeClosure(nfa_->Start(), true, startClosure_);
  ComputeClosure(nfa_->Start(), false, injected_);
  // The idle state moves on only at bytes one of its own byte steps accepts.
  for (std::uint32_t q : injected_.ids) {
    const RegexNfa::ByteSet& set = nfa_->States()[q].set;
    for (int w = 0; w < 4; ++w) idleExitSet_[w] |= set[w];
  }
  ListIdleExits();
  Restart();
}

bool LazyRegexDfa::Found(std::string_view subject) {
  if (subject.empty()) return nfa_->MatchesEmptySubject();
  if (const FoldedFinder* must = nfa_->MustHave()) {
    if (must->Find(subject) == std::string_view::npos) return false;
  }
  std::int32_t row = startRow_;
  if (row == kMatched) return true;
  if (row == kDead) return false;
  const unsigned char* classOf = nfa_->ClassTable();
  const std::int32_t* table = cache_.Table();
  std::int32_t idle = idleExits_.size() <= kMaxIdleExits ? idleRow_ : kUnknown;
  const char* at = subject.data();
  const char* const end = at + subject.size();
  const char* lastClear = at;
  while (at < end) {
    if (row == idle) {
      at = SkipIdle(at, end);
      if (at == end) break;
    }
    const int byteClass = classOf[static_cast<unsigned char>(*at)];
    std::int32_t next = table[row + byteClass];
    if (next < 0) {
      if (next == kUnknown) {
        const std::size_t clears = cache_.Stats().clears;
        const std::size_t cached = cache_.Size();
        next = Transition(row, static_cast<unsigned char>(*at));
        table = cache_.Table();
        idle = idleExits_.size() <= kMaxIdleExits ? idleRow_ : kUnknown;
        if (cache_.Stats().clears != clears && next >= 0) {
          // States are built faster than they are used again: caching them costs more than
          // it saves, so the rest of this subject is followed set by set.
          if (static_cast<std::size_t>(at - lastClear) < kBytesPerCachedState * cached) {
            return Simulate(next, at + 1, end);
          }
          lastClear = at;
        }
      }
      if (next == kMatched) return true;
      if (next == kDead) return false;
    }
    row = next;
    ++at;
  }
  return cache_.MatchesAtEnd(row);
}

bool LazyRegexDfa::Simulate(std::int32_t row, const char* at, const char* end) {
  Closure* current = &simulated_[0];
  Closure* next = &simulated_[1];
  current->ids.assign(cache_.Ids(row), cache_.Ids(row) + cache_.IdCount(row));
  current->matchesAtEnd = cache_.MatchesAtEnd(row);
  for (; at < end; ++at) {
    Step(current->ids.data(), current->ids.size(), static_cast<unsigned char>(*at), *next);
    if (next->matched) return true;
    if (next->ids.empty() && !next->matchesAtEnd) return false;
    std::swap(current, next);
  }
  return current->matchesAtEnd;
}

const char* LazyRegexDfa::SkipIdle(const char* at, const char* end) const {
  if (idleExits_.empty()) return end;
  return FindAnyOf(at, end, idleExits_);
}

void LazyRegexDfa::ListIdleExits() {
  idleExits_.clear();
  for (unsigned word = 0; word < 4; ++word) {
    for (std::uint64_t bits = idleExitSet_[word]; bits != 0; bits &= bits - 1) {
      if (idleExits_.size() > kMaxIdleExits) return;
      idleExits_.push_back(static_cast<unsigned char>(word * 64 + std::countr_zero(bits)));
    }
  }
}

// The idle state turned out to loop back to itself on a byte class: those bytes no longer
// count as exits, so the idle scan may skip them too.
void LazyRegexDfa::LearnIdleLoop(int byteClass) {
  for (int c = 0; c < 256; ++c) {
    if (nfa_->ClassOf(static_cast<unsigned char>(c)) == byteClass) {
      idleExitSet_[c >> 6] &= ~(std::uint64_t{1} << (c & 63));
    }
  }
  ListIdleExits();
}

// --- closures -------------------------------------------------------------------------------

// Adds to `into` everything reachable from `from` without consuming, at a position after the
// start unless `atStart`. Shares the `seen_` marks of the closure being built.
void LazyRegexDfa::ComputeClosure(std::uint32_t from, bool atStart, Closure& into) {
  if (++stamp_ == 0) {
    std::fill(seen_.begin(), seen_.end(), 0);
    stamp_ = 1;
  }
  into.ids.clear();
  into.matched = false;
  into.matchesAtEnd = false;
  stack_.assign(1, from);
  const auto& states = nfa_->States();
  while (!stack_.empty()) {
    const std::uint32_t q = stack_.back();
    stack_.pop_back();
    if (q == kNone || seen_[q] == stamp_) continue;
    seen_[q] = stamp_;
    const RegexNfa::State& s = states[q];
    switch (s.kind) {
      case Kind::Byte:
        into.ids.push_back(q);
        break;
      case Kind::Match:
        into.matched = true;
        break;
      case Kind::Split:
        stack_.push_back(s.out2);
        stack_.push_back(s.out);
        break;
      case Kind::LineStart:
        if (atStart) stack_.push_back(s.out);
        break;
      case Kind::LineEnd:
        if (nfa_->MatchesAtEndFrom(q)) into.matchesAtEnd = true;
        break;
    }
  }
  Canonicalize(into.ids);
}

// The closure after consuming byte `c` from the positions `ids`, with the start's closure
// injected for a match starting right after it. Not yet in canonical order.
void LazyRegexDfa::Step(const std::uint32_t* ids, std::size_t count, unsigned char c,
                        Closure& into) {
  if (++stamp_ == 0) {
    std::fill(seen_.begin(), seen_.end(), 0);
    stamp_ = 1;
  }
  into.ids.clear();
  into.matched = injected_.matched;
  into.matchesAtEnd = injected_.matchesAtEnd;
  // The injected positions come first: they are the lowest, which often leaves the whole
  // set in order already.
  for (std::uint32_t q : injected_.ids) {
    seen_[q] = stamp_;
    into.ids.push_back(q);
  }
  const auto& states = nfa_->States();
  stack_.clear();
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t q = ids[i];
    if (!nfa_->Accepts(q, c)) continue;
    const std::uint32_t target = states[q].out;
    if (target == kNone || seen_[target] == stamp_) continue;
    if (states[target].kind == Kind::Byte) {  // the common case, without the stack
      seen_[target] = stamp_;
      into.ids.push_back(target);
      continue;
    }
    // Follow each target's links before the next so `stack_` stays small.
    stack_.push_back(target);
    while (!stack_.empty()) {
      const std::uint32_t t = stack_.back();
      stack_.pop_back();
      if (t == kNone || seen_[t] == stamp_) continue;
      seen_[t] = stamp_;
      const RegexNfa::State& s = states[t];
      switch (s.kind) {
        case Kind::Byte:
          into.ids.push_back(t);
          break;
        case Kind::Match:
          into.matched = true;
          return;  // the answer is certain: nothing else matters
        case Kind::Split:
          stack_.push_back(s.out2);
          stack_.push_back(s.out);
          break;
        case Kind::LineStart:
          break;  // never past position 0
        case Kind::LineEnd:
          if (nfa_->MatchesAtEndFrom(t)) into.matchesAtEnd = true;
          break;
      }
    }
  }
}

// Puts a closure's positions in increasing order, so equal sets are found equal. A big set
// goes through a bit map, in time linear in its size and the span of its positions, rather
// than through a comparison sort.
void LazyRegexDfa::Canonicalize(std::vector<std::uint32_t>& ids) {
  if (std::is_sorted(ids.begin(), ids.end())) return;
  const std::size_t count = ids.size();
  if (count < 64) {
    std::sort(ids.begin(), ids.end());
    return;
  }
  const auto [low, high] = std::minmax_element(ids.begin(), ids.end());
  const std::size_t first = *low / 64;
  const std::size_t last = *high / 64;
  if (last - first > count * 8) {
    std::sort(ids.begin(), ids.end());
    return;
  }
  if (bits_.size() < last + 1) bits_.resize(last + 1, 0);
  for (std::uint32_t id : ids) bits_[id / 64] |= std::uint64_t{1} << (id % 64);
  ids.clear();
  for (std::size_t word = first; word <= last; ++word) {
    for (std::uint64_t b = bits_[word]; b != 0; b &= b - 1) {
      ids.push_back(static_cast<std::uint32_t>(word * 64 + std::countr_zero(b)));
    }
    bits_[word] = 0;
  }
}

// --- the state cache ------------------------------------------------------------------------

// Builds the transition from a state on byte `c`, which stands for its whole class.
std::int32_t LazyRegexDfa::Transition(std::int32_t fromRow, unsigned char c) {
  Step(cache_.Ids(fromRow), cache_.IdCount(fromRow), c, work_);
  if (!work_.matched) Canonicalize(work_.ids);
  const std::size_t clears = cache_.Stats().clears;
  const std::int32_t to = StateFor(work_);
  // A cleared cache no longer holds `from`: the new state is only returned.
  if (cache_.Stats().clears == clears) {
    const int byteClass = nfa_->ClassOf(c);
    cache_.SetTransition(fromRow, byteClass, to);
    if (fromRow == idleRow_ && to == idleRow_) LearnIdleLoop(byteClass);
  }
  return to;
}

// The row of the closure's state, added to the cache if new; a verdict for a closure that
// has matched or has nothing left to follow.
std::int32_t LazyRegexDfa::StateFor(const Closure& closure) {
  if (closure.matched) return kMatched;
  if (closure.ids.empty() && !closure.matchesAtEnd) return kDead;
  const std::uint64_t hash = DfaStateCache::Hash(closure.ids, closure.matchesAtEnd);
  std::int32_t row = cache_.Find(closure.ids, closure.matchesAtEnd, hash);
  if (row >= 0) return row;
  // The states every scan needs are kept even when they alone exceed the caps.
  if (!cache_.Fits(closure.ids.size()) && cache_.Size() > pinnedStates_) {
    cache_.Clear();
    Restart();
    row = cache_.Find(closure.ids, closure.matchesAtEnd, hash);
    if (row >= 0) return row;
  }
  return cache_.Add(closure.ids, closure.matchesAtEnd, hash);
}

// Enters the start and idle states into the empty cache.
void LazyRegexDfa::Restart() {
  pinnedStates_ = SIZE_MAX;  // nothing may clear the cache while it is being refilled
  startRow_ = StateFor(startClosure_);
  idleRow_ = StateFor(injected_);
  pinnedStates_ = cache_.Size();
}

}  // namespace trawlex::runtime
