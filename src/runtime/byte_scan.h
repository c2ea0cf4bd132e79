#pragma once
// Scans over raw text that a search runs on every byte of a file: finding and counting line
// feeds, finding the next label line and the first of a few bytes, 16 bytes at a time. Lines are short, so these are
// inline loops rather than calls into the C library, whose set-up costs more than a line.

#include <cstddef>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace trawlex::runtime {

// The first line feed in [from, to) of a long span, 32 bytes at a time where the processor
// allows; `from` when the span is short. Used by FindLineFeed.
const char* SkipWithoutLineFeed(const char* from, const char* to);

// The first line feed in [from, to), or nullptr. Inline: it is asked once per line, and most
// lines end within their first 64 bytes; longer spans go on 32 bytes at a time.
inline const char* FindLineFeed(const char* from, const char* to) {
#if defined(__x86_64__)
  const __m128i feed = _mm_set1_epi8('\n');
  for (int block = 0; block < 4 && to - from >= 16; ++block, from += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    if (const int bits = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, feed))) {
      return from + __builtin_ctz(static_cast<unsigned>(bits));
    }
  }
  if (to - from >= 64) from = SkipWithoutLineFeed(from, to);
  for (; to - from >= 16; from += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    if (const int bits = _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, feed))) {
      return from + __builtin_ctz(static_cast<unsigned>(bits));
    }
  }
#endif
  for (; from < to; ++from) {
    if (*from == '\n') return from;
  }
  return nullptr;
}

// The first byte in [from, to) that is `a`, `b` or `c`, or `to` when none. Inline and 16 bytes
// at a time: it is asked once per line of C source, where a library call per byte value would
// cost more than the line.
inline const char* FindFirstOfThree(const char* from, const char* to, char a, char b, char c) {
#if defined(__x86_64__)
  const __m128i va = _mm_set1_epi8(a);
  const __m128i vb = _mm_set1_epi8(b);
  const __m128i vc = _mm_set1_epi8(c);
  for (; to - from >= 16; from += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i any =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, va), _mm_cmpeq_epi8(bytes, vb)),
                     _mm_cmpeq_epi8(bytes, vc));
    if (const int bits = _mm_movemask_epi8(any)) {
      return from + __builtin_ctz(static_cast<unsigned>(bits));
    }
  }
#endif
  for (; from < to; ++from) {
    if (*from == a || *from == b || *from == c) return from;
  }
  return to;
}

// The last line feed in [from, to), or nullptr.
const char* FindLastLineFeed(const char* from, const char* to);

// How many line feeds [from, to) holds.
std::size_t CountLineFeeds(const char* from, const char* to);

// The first position p in (from, to) that starts a line whose first byte is neither a blank
// nor a tab nor `alsoPassed` (p[-1] is a line feed and p[0] is something else), or `to` when
// none; `lineFeeds` is set to the number of line feeds in [from, p). A label line in Veldar
// terms (`alsoPassed` passes over comment lines), or an empty line ended by CR LF: callers look
// at the line itself. Finding and counting are one pass.
const char* FindLabelLineStart(const char* from, const char* to, std::size_t& lineFeeds,
                               char alsoPassed = ' ');

}  // namespace trawlex::runtime
