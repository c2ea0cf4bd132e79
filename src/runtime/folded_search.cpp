#include "runtime/folded_search.h"

#include <string.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "runtime/case_table.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace trawlex::runtime {
namespace {

// The byte values that fold to `c`: itself and, for a letter, its lower-case partner.
std::array<unsigned char, 2> Variants(unsigned char c, bool ignoreCase) {
  return {c, ignoreCase ? ToLower(c) : c};
}

// How common a byte is in source text, roughly (higher is more common). Candidates are found
// by the needle's two rarest bytes, so that common letters do not flood the full comparison.
int Commonness(unsigned char c) {
  static constexpr std::string_view kLetters = "ETAOINSRLCDUMPHFGBYWVKXJQZ";  // most common first
  c = ToUpper(c);
  if (c == ' ') return 100;
  if (const std::size_t at = kLetters.find(static_cast<char>(c)); at != std::string_view::npos) {
    return 90 - static_cast<int>(at);
  }
  if (c >= '0' && c <= '9') return 70;
  if (std::string_view("();,.=:'\"_-+*<>!/[]{}").find(static_cast<char>(c)) !=
      std::string_view::npos) {
    return 75;
  }
  return 0;
}

// As rare as X, J, Q, Z or a byte that is neither letter, digit nor common punctuation: one
// probe finds few enough candidates.
constexpr int kRare = 68;

#if defined(__x86_64__)
// Every x86-64 has SSE2; AVX2 doubles the width where the processor has it, chosen once.
const bool kHasAvx2 = __builtin_cpu_supports("avx2");
#endif

}  // namespace

FoldedFinder::FoldedFinder(std::string needle, bool ignoreCase)
    : needle_(std::move(needle)), ignoreCase_(ignoreCase) {
  if (needle_.size() < 2) return;
  auto rarer = [this](std::size_t a, std::size_t b) {
    return Commonness(static_cast<unsigned char>(needle_[a])) <
           Commonness(static_cast<unsigned char>(needle_[b]));
  };
  for (std::size_t i = 1; i < needle_.size(); ++i) {
    if (rarer(i, probe_[0])) probe_[0] = i;
  }
  // The second probe keeps a distance from the first where it can: neighbouring letters go
  // together ("IN", "ER"), letters two apart much less.
  for (const std::size_t apart : {2u, 1u}) {
    probe_[1] = needle_.size();
    for (std::size_t i = 0; i < needle_.size(); ++i) {
      const std::size_t distance = i > probe_[0] ? i - probe_[0] : probe_[0] - i;
      if (distance >= apart && (probe_[1] == needle_.size() || rarer(i, probe_[1]))) {
        probe_[1] = i;
      }
    }
    if (probe_[1] < needle_.size()) break;
  }
  rareProbe_ = Commonness(static_cast<unsigned char>(needle_[probe_[0]])) <= kRare;
  for (int k = 0; k < 2; ++k) {
    const auto variants = Variants(static_cast<unsigned char>(needle_[probe_[k]]), ignoreCase_);
    probeBytes_[k][0] = variants[0];
    probeBytes_[k][1] = variants[1];
  }
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

std::size_t FoldedFinder::FirstMatch(std::string_view hay, std::size_t at, std::uint64_t candidates,
                                     OccurrenceFilter filter) const {
  for (; candidates != 0; candidates &= candidates - 1) {
    const std::size_t candidate = at + static_cast<std::size_t>(__builtin_ctzll(candidates));
    if (candidate + needle_.size() <= hay.size() && MatchesAt(hay.data() + candidate) &&
        filter(hay, candidate)) {
      return candidate;
    }
  }
  return std::string_view::npos;
}

std::size_t FoldedFinder::FindScalar(std::string_view hay, std::size_t from,
                                     OccurrenceFilter filter) const {
  for (std::size_t at = from; at + needle_.size() <= hay.size(); ++at) {
    if (MatchesAt(hay.data() + at) && filter(hay, at)) return at;
  }
  return std::string_view::npos;
}

std::size_t FoldedFinder::Find(std::string_view hay, std::size_t from,
                               OccurrenceFilter filter) const {
  const std::size_t n = needle_.size();
  if (from > hay.size()) return std::string_view::npos;
  if (n == 0) return from;
  if (n > hay.size() - from) return std::string_view::npos;
  std::size_t at = from;
#if defined(__x86_64__)
  if (n >= 2 && kHasAvx2) {
    const std::size_t found = FindAvx2(hay, at, filter);
    if (found != std::string_view::npos) return found;
  }
  if (n >= 2) {
    const std::size_t found = FindSse2(hay, at, filter);
    if (found != std::string_view::npos) return found;
  }
#endif
  return FindScalar(hay, at, filter);
}

#if defined(__x86_64__)
// Candidates are positions whose probed bytes fold to the needle's; only those are compared in
// full. Each scan stops where a block would read past the haystack, leaving `at` there for the
// next, narrower scan: npos means "not before `at`".
namespace {

// Positions among the 32 at `p` whose probed bytes fold to the needle's (`probes` bytes).
__attribute__((target("avx2"), always_inline)) inline std::uint32_t ProbeHits32(
    const char* p, const std::size_t probe[2], const __m256i (&bytes)[4], bool oneProbe) {
  const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + probe[0]));
  __m256i hit = _mm256_or_si256(_mm256_cmpeq_epi8(a, bytes[0]), _mm256_cmpeq_epi8(a, bytes[1]));
  if (!oneProbe) {
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + probe[1]));
    hit = _mm256_and_si256(
        hit, _mm256_or_si256(_mm256_cmpeq_epi8(b, bytes[2]), _mm256_cmpeq_epi8(b, bytes[3])));
  }
  return static_cast<std::uint32_t>(_mm256_movemask_epi8(hit));
}

}  // namespace

__attribute__((target("avx2"))) std::size_t FoldedFinder::FindAvx2(std::string_view hay,
                                                                   std::size_t& at,
                                                                   OccurrenceFilter filter) const {
  // 64 positions a round; a rare probe byte is enough alone and costs half the comparisons.
  const std::size_t reach = std::max(probe_[0], probe_[1]) + 64;  // bytes a round reads
  if (hay.size() < reach) return std::string_view::npos;
  const __m256i bytes[4] = {_mm256_set1_epi8(static_cast<char>(probeBytes_[0][0])),
                            _mm256_set1_epi8(static_cast<char>(probeBytes_[0][1])),
                            _mm256_set1_epi8(static_cast<char>(probeBytes_[1][0])),
                            _mm256_set1_epi8(static_cast<char>(probeBytes_[1][1]))};
  const char* data = hay.data();
  for (const std::size_t last = hay.size() - reach; at <= last; at += 64) {
    const auto mask = ProbeHits32(data + at, probe_, bytes, rareProbe_) |
                      (std::uint64_t{ProbeHits32(data + at + 32, probe_, bytes, rareProbe_)} << 32);
    if (const std::size_t found = FirstMatch(hay, at, mask, filter);
        found != std::string_view::npos) {
      return found;
    }
  }
  return std::string_view::npos;
}

std::size_t FoldedFinder::FindSse2(std::string_view hay, std::size_t& at,
                                   OccurrenceFilter filter) const {
  const std::size_t reach = std::max(probe_[0], probe_[1]) + 16;
  if (hay.size() < reach) return std::string_view::npos;
  const __m128i a0 = _mm_set1_epi8(static_cast<char>(probeBytes_[0][0]));
  const __m128i a1 = _mm_set1_epi8(static_cast<char>(probeBytes_[0][1]));
  const __m128i b0 = _mm_set1_epi8(static_cast<char>(probeBytes_[1][0]));
  const __m128i b1 = _mm_set1_epi8(static_cast<char>(probeBytes_[1][1]));
  const char* data = hay.data();
  for (const std::size_t last = hay.size() - reach; at <= last; at += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + probe_[0]));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + probe_[1]));
    const __m128i aHit = _mm_or_si128(_mm_cmpeq_epi8(a, a0), _mm_cmpeq_epi8(a, a1));
    const __m128i bHit = _mm_or_si128(_mm_cmpeq_epi8(b, b0), _mm_cmpeq_epi8(b, b1));
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(aHit, bHit)));
    if (const std::size_t found = FirstMatch(hay, at, mask, filter);
        found != std::string_view::npos) {
      return found;
    }
  }
  return std::string_view::npos;
}
#endif

}  // namespace trawlex::runtime
