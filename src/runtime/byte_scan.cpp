#include "runtime/byte_scan.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#define TRAWLEX_X86 1
#endif

namespace trawlex::runtime {
namespace {

constexpr char kLineFeed = '\n';

bool IsBlankOrTab(char c) {
  return c == ' ' || c == '\t';
}

#if defined(TRAWLEX_X86)
// Every x86-64 has SSE2; AVX2 doubles the width where the processor has it, chosen once.
const bool kHasAvx2 = __builtin_cpu_supports("avx2");

inline __m128i Load(const char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline unsigned Mask(__m128i hits) {
  return static_cast<unsigned>(_mm_movemask_epi8(hits));
}

__attribute__((target("avx2"))) const char* FindLineFeedAvx2(const char* from, const char* to) {
  const __m256i feed = _mm256_set1_epi8(kLineFeed);
  for (; to - from >= 32; from += 32) {
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
    const auto bits = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(bytes, feed)));
    if (bits != 0) return from + __builtin_ctz(bits);
  }
  return from;  // no line feed before here
}

// Counts in byte lanes (a match is -1, subtracted) for up to 255 blocks, then sums the lanes.
__attribute__((target("avx2"))) std::size_t CountLineFeedsAvx2(const char*& from, const char* to) {
  const __m256i feed = _mm256_set1_epi8(kLineFeed);
  std::size_t count = 0;
  while (to - from >= 32) {
    __m256i lanes = _mm256_setzero_si256();
    for (int block = 0; block < 255 && to - from >= 32; ++block, from += 32) {
      const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
      lanes = _mm256_sub_epi8(lanes, _mm256_cmpeq_epi8(bytes, feed));
    }
    const __m256i sums = _mm256_sad_epu8(lanes, _mm256_setzero_si256());
    count +=
        static_cast<std::size_t>(_mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1) +
                                 _mm256_extract_epi64(sums, 2) + _mm256_extract_epi64(sums, 3));
  }
  return count;
}

// Label line starts from `p` on, 32 at a time; `lineFeeds` counts the line feeds before `p`.
// True when `p` stops at a label line; false when it stops where fewer than 32 bytes remain.
__attribute__((target("avx2,popcnt"))) bool FindLabelLineStartAvx2(const char*& p, const char* to,
                                                                   std::size_t& lineFeeds,
                                                                   char alsoPassed) {
  const __m256i blank = _mm256_set1_epi8(' ');
  const __m256i tab = _mm256_set1_epi8('\t');
  const __m256i passed = _mm256_set1_epi8(alsoPassed);
  const __m256i feed = _mm256_set1_epi8(kLineFeed);
  for (; to - p >= 32; p += 32) {
    const __m256i before = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p - 1));
    const auto afterFeed =
        static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(before, feed)));
    if (afterFeed == 0) continue;
    const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i blankOrTab =
        _mm256_or_si256(_mm256_cmpeq_epi8(here, blank), _mm256_cmpeq_epi8(here, tab));
    const auto blanks = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_or_si256(blankOrTab, _mm256_cmpeq_epi8(here, passed))));
    if (const unsigned bits = afterFeed & ~blanks) {
      const int at = __builtin_ctz(bits);
      lineFeeds += static_cast<std::size_t>(
          __builtin_popcountll(afterFeed & ((std::uint64_t{2} << at) - 1)));
      p += at;
      return true;
    }
    lineFeeds += static_cast<std::size_t>(__builtin_popcount(afterFeed));
  }
  return false;
}
#endif

}  // namespace

const char* SkipWithoutLineFeed(const char* from, const char* to) {
#if defined(TRAWLEX_X86)
  if (kHasAvx2) return FindLineFeedAvx2(from, to);
#endif
  return from;
}

const char* FindLastLineFeed(const char* from, const char* to) {
  if (from >= to) return nullptr;
  return static_cast<const char*>(memrchr(from, kLineFeed, static_cast<std::size_t>(to - from)));
}

std::size_t CountLineFeeds(const char* from, const char* to) {
  std::size_t count = 0;
#if defined(TRAWLEX_X86)
  if (kHasAvx2) count += CountLineFeedsAvx2(from, to);
  const __m128i feed = _mm_set1_epi8(kLineFeed);
  while (to - from >= 16) {
    __m128i lanes = _mm_setzero_si128();
    for (int block = 0; block < 255 && to - from >= 16; ++block, from += 16) {
      lanes = _mm_sub_epi8(lanes, _mm_cmpeq_epi8(Load(from), feed));
    }
    const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
    count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
             static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
  }
#endif
  for (; from < to; ++from) count += *from == kLineFeed;
  return count;
}

const char* FindLabelLineStart(const char* from, const char* to, std::size_t& lineFeeds,
                               char alsoPassed) {
  lineFeeds = 0;
  if (from >= to) return to;
  const char* p = from + 1;  // p[-1] is always readable
#if defined(TRAWLEX_X86)
  if (kHasAvx2 && FindLabelLineStartAvx2(p, to, lineFeeds, alsoPassed)) return p;
#endif
  for (; p <= to; ++p) {
    if (p[-1] != kLineFeed) continue;
    ++lineFeeds;
    if (p < to && !IsBlankOrTab(*p) && *p != alsoPassed) return p;
  }
  return to;
}

}  // namespace trawlex::runtime
