#pragma once
// Searches upcoming files of a pass on worker threads while the run commits earlier ones.
// The run still takes every outcome in file-list order, and a file nobody started yet is
// searched on the caller's thread, so what the run commits is exactly what a sequential
// search gives.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/file_search.h"

namespace trawlex::engine {

class Prefetcher {
 public:
  using SearchFn = std::function<FileOutcome(const FileJob&)>;

  // `workers` threads (0: everything runs on the caller's thread); at most `window` files
  // are searched ahead of the last one taken.
  Prefetcher(int workers, std::size_t window);
  ~Prefetcher();
  Prefetcher(const Prefetcher&) = delete;
  Prefetcher& operator=(const Prefetcher&) = delete;

  // Starts a pass over `jobs` (nullopt entries are never searched); ends any previous pass.
  void Start(std::vector<std::optional<FileJob>> jobs, SearchFn search);
  // The outcome of job `index`: waits for a worker that is on it, or searches it here.
  FileOutcome Take(std::size_t index);
  // Ends the pass; workers drop what they are doing as soon as they finish it.
  void Cancel();

  // How many workers suit this machine: one per core, at most 8.
  static int DefaultWorkers();

 private:
  enum class JobState : std::uint8_t { Waiting, Running, Done, Taken };
  struct Pass;

  void WorkerLoop();
  bool HasWorkLocked() const;

  std::mutex mutex_;
  std::condition_variable workAvailable_;
  std::condition_variable jobDone_;
  std::shared_ptr<Pass> pass_;
  std::size_t window_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace trawlex::engine
