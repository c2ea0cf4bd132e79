#include "engine/prefetcher.h"

#include <algorithm>

namespace trawlex::engine {

struct Prefetcher::Pass {
  std::vector<std::optional<FileJob>> jobs;
  std::vector<JobState> states;
  std::vector<std::optional<FileOutcome>> outcomes;
  SearchFn search;
  std::size_t nextToStart = 0;  // first job no worker has looked at
  std::size_t taken = 0;        // jobs up to here have been taken
  bool cancelled = false;
};

Prefetcher::Prefetcher(int workers, std::size_t window) : window_(window) {
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
  return static_cast<int>(std::clamp(cores, 1u, 8u));
}

void Prefetcher::Start(std::vector<std::optional<FileJob>> jobs, SearchFn search) {
  auto pass = std::make_shared<Pass>();
  pass->states.assign(jobs.size(), JobState::Waiting);
  pass->outcomes.resize(jobs.size());
  pass->jobs = std::move(jobs);
  pass->search = std::move(search);
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
}

bool Prefetcher::HasWorkLocked() const {
  if (!pass_ || pass_->cancelled) return false;
  const Pass& p = *pass_;
  std::size_t next = p.nextToStart;
  while (next < p.jobs.size() && (!p.jobs[next] || p.states[next] != JobState::Waiting)) ++next;
  return next < p.jobs.size() && next < p.taken + window_;
}

void Prefetcher::WorkerLoop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    workAvailable_.wait(lock, [this] { return stopping_ || HasWorkLocked(); });
    if (stopping_) return;
    std::shared_ptr<Pass> pass = pass_;
    while (pass->nextToStart < pass->jobs.size() &&
           (!pass->jobs[pass->nextToStart] || pass->states[pass->nextToStart] != JobState::Waiting)) {
      ++pass->nextToStart;
    }
    const std::size_t index = pass->nextToStart++;
    pass->states[index] = JobState::Running;
    lock.unlock();
    FileOutcome outcome = pass->search(*pass->jobs[index]);
    lock.lock();
    if (!pass->cancelled) {
      pass->outcomes[index] = std::move(outcome);
      pass->states[index] = JobState::Done;
    }
    jobDone_.notify_all();
  }
}

FileOutcome Prefetcher::Take(std::size_t index) {
  std::unique_lock lock(mutex_);
  std::shared_ptr<Pass> pass = pass_;
  if (!pass || index >= pass->jobs.size() || !pass->jobs[index]) return {};
  pass->taken = std::max(pass->taken, index + 1);
  workAvailable_.notify_all();
  if (pass->states[index] == JobState::Waiting) {
    // Nobody started it: search it here rather than wait for a worker.
    pass->states[index] = JobState::Taken;
    lock.unlock();
    return pass->search(*pass->jobs[index]);
  }
  jobDone_.wait(lock, [&] { return pass->states[index] == JobState::Done || pass->cancelled; });
  pass->states[index] = JobState::Taken;
  if (!pass->outcomes[index]) {
    lock.unlock();
    return pass->search(*pass->jobs[index]);
  }
  FileOutcome outcome = std::move(*pass->outcomes[index]);
  pass->outcomes[index].reset();
  return outcome;
}

}  // namespace trawlex::engine
