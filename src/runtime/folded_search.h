#pragma once
// Finding a text in raw bytes, with or without case: when case is ignored every byte of the
// haystack is read through the case table, without first making an upper-cased copy. This is
// the innermost loop of a search, so it looks at 64 positions a round (16 without AVX2),
// probing the needle's rarest characters before comparing it whole.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trawlex::runtime {

// Lets a caller of FoldedFinder refuse occurrences (say, ones that do not stand between blanks)
// inside the scan, rather than scanning again after each refused one.
struct OccurrenceFilter {
  bool (*accepts)(const void* context, std::string_view hay, std::size_t at) = nullptr;
  const void* context = nullptr;
  bool operator()(std::string_view hay, std::size_t at) const {
    return accepts == nullptr || accepts(context, hay, at);
  }
};

class FoldedFinder {
 public:
  // `needle` as it must appear after folding (upper-cased when `ignoreCase`).
  FoldedFinder(std::string needle, bool ignoreCase);

  // The first position at or after `from` where the needle starts; npos when none.
  std::size_t Find(std::string_view hay, std::size_t from = 0, OccurrenceFilter filter = {}) const;

  const std::string& needle() const { return needle_; }

 private:
  bool MatchesAt(const char* at) const;
  // The first of the candidate positions (bit i: position at + i) where the needle stands.
  std::size_t FirstMatch(std::string_view hay, std::size_t at, std::uint64_t candidates,
                         OccurrenceFilter filter) const;
  std::size_t FindScalar(std::string_view hay, std::size_t from, OccurrenceFilter filter) const;
  std::size_t FindAvx2(std::string_view hay, std::size_t& at, OccurrenceFilter filter) const;
  std::size_t FindSse2(std::string_view hay, std::size_t& at, OccurrenceFilter filter) const;

  std::string needle_;
  bool ignoreCase_;
  // Two positions of the needle (its rarest characters) that candidates are found by, and the
  // two byte values that fold to the character at each.
  std::size_t probe_[2] = {0, 1};
  bool rareProbe_ = false;  // the first probe alone finds few enough candidates
  unsigned char probeBytes_[2][2] = {{0, 0}, {0, 0}};
};

}  // namespace trawlex::runtime
