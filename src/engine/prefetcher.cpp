#include "engine/prefetcher.h"

#include <algorithm>

namespace trawlex::engine {
namespace {

enum JobState : std::uint8_t { kWaiting, kRunning, kDone, kTaken };
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

}  // namespace

struct Prefetcher::Pass {
  std::vector<std::optional<FileJob>> jobs;
  std::vector<FileOutcome> outcomes;
  std::unique_ptr<std::atomic<std::uint8_t>[]> states;
  SearchFn search;
  std::size_t window = 0;
  std::atomic<std::size_t> nextToClaim{0};  // first job nobody has looked at
  std::atomic<std::size_t> taken{0};        // jobs before this one have been taken
  std::atomic<bool> cancelled{false};

  // A job within the window that nobody started, now marked running; kNone when none.
  std::size_t Claim() {
    for (;;) {
      std::size_t i = nextToClaim.load();
      if (i >= jobs.size() || i >= taken.load() + window || cancelled.load()) return kNone;
      if (!nextToClaim.compare_exchange_weak(i, i + 1)) continue;
      std::uint8_t expected = kWaiting;
      if (jobs[i] && states[i].compare_exchange_strong(expected, kRunning)) return i;
    }
  }

  bool HasWork() const {
    const std::size_t i = nextToClaim.load();
    return !cancelled.load() && i < jobs.size() && i < taken.load() + window;
  }

  // Searches a claimed job and publishes its outcome.
  void Run(std::size_t i) {
    FileOutcome outcome = search(*jobs[i]);
    outcomes[i] = std::move(outcome);
    states[i].store(kDone);
  }
};

Prefetcher::Prefetcher(int workers, std::size_t window) : awaited_(kNone), window_(window) {
  for (int i = 0; i < workers; ++i) threads_.emplace_back([this] { WorkerLoop(); });
}

Prefetcher::~Prefetcher() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    if (pass_) pass_->cancelled = true;
  }
  workAvailable_.notify_all();
  jobDone_.notify_all();
  for (auto& thread : threads_) thread.join();
}

int Prefetcher::DefaultWorkers() {
  const unsigned cores = std::thread::hardware_concurrency();
  // The caller's thread searches too, while it waits: one worker fewer than cores keeps every
  // core busy without threads taking turns on one.
  return static_cast<int>(std::clamp(cores, 2u, 9u)) - 1;
}

void Prefetcher::Start(std::vector<std::optional<FileJob>> jobs, SearchFn search) {
  auto pass = std::make_shared<Pass>();
  pass->outcomes.resize(jobs.size());
  pass->states = std::make_unique<std::atomic<std::uint8_t>[]>(jobs.size());
  for (std::size_t i = 0; i < jobs.size(); ++i) pass->states[i].store(kWaiting);
  pass->jobs = std::move(jobs);
  pass->search = std::move(search);
  pass->window = window_;
  {
    std::lock_guard lock(mutex_);
    if (pass_) pass_->cancelled = true;
    pass_ = std::move(pass);
  }
  workAvailable_.notify_all();
}

void Prefetcher::Cancel() {
  std::lock_guard lock(mutex_);
  if (pass_) pass_->cancelled = true;
  pass_.reset();
  jobDone_.notify_all();
}

std::shared_ptr<Prefetcher::Pass> Prefetcher::CurrentPass() {
  std::lock_guard lock(mutex_);
  return pass_;
}

void Prefetcher::WakeWorkers() {
  if (sleepingWorkers_.load() == 0) return;
  std::lock_guard lock(mutex_);
  workAvailable_.notify_all();
}

void Prefetcher::WorkerLoop() {
  for (;;) {
    std::shared_ptr<Pass> pass;
    {
      std::unique_lock lock(mutex_);
      ++sleepingWorkers_;
      workAvailable_.wait(lock, [this] { return stopping_ || (pass_ && pass_->HasWork()); });
      --sleepingWorkers_;
      if (stopping_) return;
      pass = pass_;
    }
    for (std::size_t i = pass->Claim(); i != kNone; i = pass->Claim()) {
      pass->Run(i);
      if (awaited_.load() == i) {
        std::lock_guard lock(mutex_);
        jobDone_.notify_all();
      }
    }
  }
}

std::optional<FileOutcome> Prefetcher::Take(std::size_t index) {
  std::shared_ptr<Pass> pass = CurrentPass();
  if (!pass || index >= pass->jobs.size() || !pass->jobs[index]) return FileOutcome{};
  if (pass->taken.load() < index + 1) pass->taken.store(index + 1);
  WakeWorkers();
  std::uint8_t expected = kWaiting;
  if (pass->states[index].compare_exchange_strong(expected, kTaken)) {
    return std::nullopt;  // nobody started it: the caller searches it
  }
  while (pass->states[index].load() != kDone) {
    // A worker is on it: search a later file meanwhile rather than sleep.
    if (const std::size_t other = pass->Claim(); other != kNone) {
      pass->Run(other);
      continue;
    }
    std::unique_lock lock(mutex_);
    awaited_.store(index);
    jobDone_.wait(lock, [&] {
      return pass->states[index].load() == kDone || pass->cancelled.load() || stopping_;
    });
    awaited_.store(kNone);
    if (pass->states[index].load() != kDone) return std::nullopt;
  }
  pass->states[index].store(kTaken);
  if (pass->outcomes[index].overflowed) return std::nullopt;
  return std::move(pass->outcomes[index]);
}

}  // namespace trawlex::engine
