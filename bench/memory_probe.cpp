// Runs one search over a tree keeping every hit in the results queue, as the results window
// does, and prints the number of hits and the peak resident memory.
//
// Usage: trawlex_memory_probe TEXT PATH

#include <sys/resource.h>

#include <iostream>

#include "engine/prefetcher.h"
#include "engine/search_run.h"
#include "engine/standard_trackers.h"
#include "probe_request.h"
#include "results/run_texts.h"

namespace {

using trawlex::engine::ContinueOrStop;
using trawlex::engine::OpenFailureAnswer;
using trawlex::runtime::OsError;

// Every failure is passed over: the probe measures the search, not its questions.
class Quiet final : public trawlex::engine::SearchQuestions {
 public:
  OpenFailureAnswer OpenFailed(const std::string&, const OsError&) override {
    return OpenFailureAnswer::Ignore;
  }
  ContinueOrStop ReadFailed(const std::string&, const OsError&) override {
    return ContinueOrStop::Continue;
  }
  ContinueOrStop DirectoryMissing() override { return ContinueOrStop::Continue; }
  void DirectoryUnreadable(const std::string&, const OsError&) override {}
  void NoFilesFound(const std::string&, const std::string&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: trawlex_memory_probe TEXT PATH\n";
    return 2;
  }
  const trawlex::engine::SearchSpec request = trawlex::bench::WholeTreeRequest(argv[1], argv[2]);
  Quiet questions;
  trawlex::engine::RunOptions options;
  options.workers = trawlex::engine::Prefetcher::DefaultWorkers();
  trawlex::engine::SearchRun run(request, {}, questions, trawlex::engine::StandardTrackers(),
                                 options);
  if (run.Open()) {
    while (run.Step(1000)) {
    }
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::cout << "  " << run.results().size() << " hits kept, peak resident memory "
            << usage.ru_maxrss / 1024 << " MB\n  " << trawlex::results::SummaryText(run) << "\n";
  return 0;
}
