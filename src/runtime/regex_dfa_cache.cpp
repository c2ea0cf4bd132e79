#include "runtime/regex_dfa_cache.h"

#include <algorithm>
#include <climits>

namespace trawlex::runtime {
namespace {

constexpr std::size_t kFirstSlots = 16;

}  // namespace

DfaStateCache::DfaStateCache(int classCount, DfaLimits limits)
    : classCount_(classCount),
      // Rows must also stay within the range of a transition entry.
      maxStates_(std::min(limits.maxStates, static_cast<std::size_t>(INT32_MAX / classCount))),
      maxBytes_(limits.maxBytes) {
  // Room for the states a typical pattern needs, so the first lines do not keep regrowing.
  states_.reserve(32);
  ids_.reserve(256);
  transitions_.reserve(32 * static_cast<std::size_t>(classCount));
  slots_.assign(kFirstSlots, -1);
  stats_.bytes = slots_.size() * sizeof(std::int32_t);
}

// Four independent multiply chains, so long sets hash at the speed of the loads.
std::uint64_t DfaStateCache::Hash(const std::vector<std::uint32_t>& ids, bool matchesAtEnd) {
  constexpr std::uint64_t kPrime = 0x100000001B3u;
  std::uint64_t h[4] = {matchesAtEnd ? 0x9E3779B97F4A7C15u : 0xC2B2AE3D27D4EB4Fu, 1, 2, 3};
  const std::size_t n = ids.size();
  std::size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    for (int lane = 0; lane < 4; ++lane) h[lane] = (h[lane] ^ ids[i + lane]) * kPrime;
  }
  for (; i < n; ++i) h[0] = (h[0] ^ ids[i]) * kPrime;
  const std::uint64_t all = h[0] ^ (h[1] * 0x9E3779B97F4A7C15u) ^ (h[2] << 21) ^ (h[3] >> 7) ^ n;
  return all ^ (all >> 29);
}

std::int32_t DfaStateCache::Find(const std::vector<std::uint32_t>& ids, bool matchesAtEnd,
                                 std::uint64_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const std::int32_t index = slots_[i];
    if (index < 0) return kUnknown;
    const Entry& s = states_[static_cast<std::size_t>(index)];
    if (s.hash == hash && s.matchesAtEnd == matchesAtEnd && s.idCount == ids.size() &&
        std::equal(ids.begin(), ids.end(), ids_.begin() + s.firstId)) {
      return index * classCount_;
    }
  }
}

std::size_t DfaStateCache::StateBytes(std::size_t idCount) const {
  // Up to four hash slots per state: the table is doubled when it gets half full.
  return sizeof(Entry) + idCount * sizeof(std::uint32_t) +
         static_cast<std::size_t>(classCount_) * sizeof(std::int32_t) + 4 * sizeof(std::int32_t);
}

bool DfaStateCache::Fits(std::size_t idCount) const {
  return states_.size() < maxStates_ && stats_.bytes + StateBytes(idCount) <= maxBytes_;
}

std::int32_t DfaStateCache::Add(const std::vector<std::uint32_t>& ids, bool matchesAtEnd,
                                std::uint64_t hash) {
  const auto index = static_cast<std::int32_t>(states_.size());
  states_.push_back({static_cast<std::uint32_t>(ids_.size()),
                     static_cast<std::uint32_t>(ids.size()), hash, matchesAtEnd});
  ids_.insert(ids_.end(), ids.begin(), ids.end());
  transitions_.resize(transitions_.size() + static_cast<std::size_t>(classCount_), kUnknown);
  if (states_.size() * 2 > slots_.size()) GrowSlots();
  const std::size_t mask = slots_.size() - 1;
  std::size_t i = hash & mask;
  while (slots_[i] >= 0) i = (i + 1) & mask;
  slots_[i] = index;
  stats_.states = states_.size();
  stats_.bytes += StateBytes(ids.size());
  stats_.peakStates = std::max(stats_.peakStates, stats_.states);
  stats_.peakBytes = std::max(stats_.peakBytes, stats_.bytes);
  return index * classCount_;
}

void DfaStateCache::GrowSlots() {
  slots_.assign(slots_.size() * 2, -1);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t index = 0; index < states_.size(); ++index) {
    std::size_t i = states_[index].hash & mask;
    while (slots_[i] >= 0) i = (i + 1) & mask;
    slots_[i] = static_cast<std::int32_t>(index);
  }
}

void DfaStateCache::Clear() {
  states_.clear();
  ids_.clear();
  transitions_.clear();
  slots_.assign(kFirstSlots, -1);
  stats_.states = 0;
  stats_.bytes = slots_.size() * sizeof(std::int32_t);
  ++stats_.clears;
}

}  // namespace trawlex::runtime
