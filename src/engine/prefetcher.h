#pragma once
// Searches upcoming files of a pass on worker threads while the run commits earlier ones.
// The run still takes every outcome in file-list order, and a file nobody started yet is
// searched on the caller's thread, so what the run commits is exactly what a sequential
// search gives.
//
// Files are small and many, so the hand-over avoids the kernel wherever it can: jobs are
// claimed with an atomic counter and finished with an atomic state, and a thread sleeps (and
// is woken) only when there is nothing at all for it to do. A caller waiting for a file that a
// worker is still on searches the next unclaimed file meanwhile instead of sleeping.

#include <atomic>
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
  // The outcome of job `index` as a worker searched it (helping with later jobs while the
  // worker is on it), or nullopt when the caller is to search it itself: nobody had started
  // it, or it held more hits than a search ahead keeps.
  std::optional<FileOutcome> Take(std::size_t index);
  // Ends the pass; workers drop what they are doing as soon as they finish it.
  void Cancel();

  // How many workers suit this machine: one per core besides the caller's, at most 8.
  static int DefaultWorkers();

 private:
  struct Pass;

  void WorkerLoop();
  std::shared_ptr<Pass> CurrentPass();
  void WakeWorkers();

  std::mutex mutex_;
  std::condition_variable workAvailable_;
  std::condition_variable jobDone_;
  std::shared_ptr<Pass> pass_;  // guarded by mutex_
  std::atomic<int> sleepingWorkers_{0};
  std::atomic<std::size_t> awaited_;  // the job the caller sleeps on, or none
  std::size_t window_;
  bool stopping_ = false;  // guarded by mutex_
  std::vector<std::thread> threads_;
};

}  // namespace trawlex::engine
