#include "runtime/folded_search.h"

#include <string.h>

#include "runtime/case_table.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace trawlex::runtime {
namespace {

// The byte values that fold to `c`: itself and, for a letter, its lower-case partner.
void Variants(unsigned char c, bool ignoreCase, unsigned char out[2]) {
  out[0] = c;
  out[1] = ignoreCase ? ToLower(c) : c;
}

}  // namespace

FoldedFinder::FoldedFinder(std::string needle, bool ignoreCase)
    : needle_(std::move(needle)), ignoreCase_(ignoreCase) {
  if (!needle_.empty()) Variants(static_cast<unsigned char>(needle_[0]), ignoreCase_, first_);
  if (needle_.size() > 1) Variants(static_cast<unsigned char>(needle_[1]), ignoreCase_, second_);
}

bool FoldedFinder::MatchesAt(const char* at) const {
  if (!ignoreCase_) return memcmp(at, needle_.data(), needle_.size()) == 0;
  const auto& upper = Cases().upper;
  for (std::size_t i = 0; i < needle_.size(); ++i) {
    if (upper[static_cast<unsigned char>(at[i])] != static_cast<unsigned char>(needle_[i])) {
      return false;
    }
  }
  return true;
}

std::size_t FoldedFinder::FindScalar(std::string_view hay, std::size_t from) const {
  for (std::size_t at = from; at + needle_.size() <= hay.size(); ++at) {
    if (MatchesAt(hay.data() + at)) return at;
  }
  return std::string_view::npos;
}

std::size_t FoldedFinder::Find(std::string_view hay, std::size_t from) const {
  const std::size_t n = needle_.size();
  if (from > hay.size()) return std::string_view::npos;
  if (n == 0) return from;
  if (n > hay.size() - from) return std::string_view::npos;
  if (!ignoreCase_) {
    const void* found = memmem(hay.data() + from, hay.size() - from, needle_.data(), n);
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - hay.data())
                 : std::string_view::npos;
  }
  std::size_t at = from;
#if defined(__SSE2__)
  // Candidates are positions whose first two bytes fold to the needle's first two; only
  // those are compared in full. `last` is the final start position that leaves room for
  // the needle and for reading 17 bytes.
  if (n >= 2 && hay.size() >= 17) {
    const __m128i f0 = _mm_set1_epi8(static_cast<char>(first_[0]));
    const __m128i f1 = _mm_set1_epi8(static_cast<char>(first_[1]));
    const __m128i s0 = _mm_set1_epi8(static_cast<char>(second_[0]));
    const __m128i s1 = _mm_set1_epi8(static_cast<char>(second_[1]));
    const char* data = hay.data();
    const std::size_t lastBlock = hay.size() - 17;
    for (; at <= lastBlock; at += 16) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + 1));
      const __m128i firstHit = _mm_or_si128(_mm_cmpeq_epi8(a, f0), _mm_cmpeq_epi8(a, f1));
      const __m128i secondHit = _mm_or_si128(_mm_cmpeq_epi8(b, s0), _mm_cmpeq_epi8(b, s1));
      auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(firstHit, secondHit)));
      while (mask != 0) {
        const std::size_t candidate = at + static_cast<std::size_t>(__builtin_ctz(mask));
        if (candidate + n <= hay.size() && MatchesAt(data + candidate)) return candidate;
        mask &= mask - 1;
      }
    }
  }
#endif
  return FindScalar(hay, at);
}

}  // namespace trawlex::runtime
