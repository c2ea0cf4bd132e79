#pragma once
// Tells which lines of a file can hold a hit at all, by walking the occurrences of the plan's
// needle in the file's raw bytes once, front to back, instead of looking at every line. Lines
// for which it answers no are never matched.

#include <cstdint>
#include <string_view>

#include "engine/needle_finder.h"

namespace trawlex::engine {

class HitScout {
 public:
  explicit HitScout(const NeedleFinder& finder)
      : finder_(finder), length_(static_cast<std::int64_t>(finder.needle().size())) {}

  // Tells the scout where the first occurrence is, when a look at the whole text found it.
  void Seed(std::int64_t first, std::int64_t textEnd) {
    found_ = first >= 0;
    next_ = first;
    lookedFrom_ = 0;
    lookedTo_ = textEnd;
  }

  // The next occurrence at or after file offset `from` among the bytes at hand, or -1 when
  // there is none among them. `window` holds the bytes at hand, starting at file offset
  // `windowOffset`. Offsets asked about never go back.
  std::int64_t Next(std::int64_t from, std::string_view window, std::int64_t windowOffset) {
    const std::int64_t windowEnd = windowOffset + static_cast<std::int64_t>(window.size());
    const bool known = from >= lookedFrom_ && (found_ ? next_ >= from : windowEnd == lookedTo_);
    if (!known) {
      const std::size_t at = finder_.Find(window, static_cast<std::size_t>(from - windowOffset));
      found_ = at != std::string_view::npos;
      next_ = found_ ? windowOffset + static_cast<std::int64_t>(at) : -1;
      lookedFrom_ = from;
      lookedTo_ = windowEnd;
    }
    return next_;
  }

  // Can the raw line [begin, end), which lies whole in the window, hold the needle?
  bool MayHit(std::int64_t begin, std::int64_t end, std::string_view window,
              std::int64_t windowOffset) {
    const std::int64_t at = Next(begin, window, windowOffset);
    return at >= 0 && at + length_ <= end;
  }

 private:
  const NeedleFinder& finder_;
  std::int64_t length_;
  // The last look: from `lookedFrom_` over the bytes up to `lookedTo_`, finding `next_`.
  bool found_ = false;
  std::int64_t next_ = -1;
  std::int64_t lookedFrom_ = 1;
  std::int64_t lookedTo_ = 0;
};

}  // namespace trawlex::engine
