#pragma once
// The state cache of a lazy DFA: each state is a sorted set of automaton positions plus an
// end-of-subject flag, found again by hashing, with one row of transitions per state.
// States are named by their row's first index into the transition table (state index x
// classes), so a scan step is a single load. The cache never grows past its caps by itself:
// its owner asks whether a state fits and empties it when not.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trawlex::runtime {

// Caps on one cache. The bytes count the states' position lists, transition rows and hash
// slots.
struct DfaLimits {
  std::size_t maxStates = 10000;
  std::size_t maxBytes = std::size_t{8} << 20;
};

struct DfaCacheStats {
  std::size_t states = 0;
  std::size_t bytes = 0;
  std::size_t peakStates = 0;
  std::size_t peakBytes = 0;
  std::size_t clears = 0;  // times the cache was full and emptied
};

class DfaStateCache {
 public:
  // A transition entry not built yet.
  static constexpr std::int32_t kUnknown = -1;

  DfaStateCache(int classCount, DfaLimits limits);

  static std::uint64_t Hash(const std::vector<std::uint32_t>& ids, bool matchesAtEnd);

  // The row of the state, or kUnknown.
  std::int32_t Find(const std::vector<std::uint32_t>& ids, bool matchesAtEnd,
                    std::uint64_t hash) const;
  // Whether one more state of this size stays within the caps.
  bool Fits(std::size_t idCount) const;
  // Adds a state, within the caps or not, and answers its row.
  std::int32_t Add(const std::vector<std::uint32_t>& ids, bool matchesAtEnd, std::uint64_t hash);
  // Forgets every state.
  void Clear();

  std::size_t Size() const { return states_.size(); }
  const std::int32_t* Table() const { return transitions_.data(); }
  void SetTransition(std::int32_t row, int byteClass, std::int32_t to) {
    transitions_[static_cast<std::size_t>(row + byteClass)] = to;
  }
  const std::uint32_t* Ids(std::int32_t row) const { return ids_.data() + State(row).firstId; }
  std::size_t IdCount(std::int32_t row) const { return State(row).idCount; }
  bool MatchesAtEnd(std::int32_t row) const { return State(row).matchesAtEnd; }
  const DfaCacheStats& Stats() const { return stats_; }

 private:
  struct Entry {
    std::uint32_t firstId;  // into ids_
    std::uint32_t idCount;
    std::uint64_t hash;
    bool matchesAtEnd;
  };

  const Entry& State(std::int32_t row) const {
    return states_[static_cast<std::size_t>(row / classCount_)];
  }
  std::size_t StateBytes(std::size_t idCount) const;
  void GrowSlots();

  int classCount_;
  std::size_t maxStates_;
  std::size_t maxBytes_;
  DfaCacheStats stats_;
  std::vector<Entry> states_;
  std::vector<std::uint32_t> ids_;
  std::vector<std::int32_t> transitions_;  // states x classes
  std::vector<std::int32_t> slots_;        // open-addressing hash of state indexes
};

}  // namespace trawlex::runtime
