// Files too large to hold in memory are streamed: memory stays flat, counts do not wrap, and
// hits are still found with their line numbers and positions.

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "engine/file_search.h"
#include "engine/prepare_search.h"
#include "engine/search_plan.h"
#include "engine/search_run.h"
#include "support/scripted_questions.h"
#include "support/temp_tree.h"

namespace trawlex::engine {
namespace {

using testing::ScriptedQuestions;
using testing::TempTree;

long PeakResidentKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

SearchSpec Request(const TempTree& tree, const char* text) {
  SearchSpec r;
  r.text = text;
  r.path = tree.root().string();
  r.spec = "*.*";
  return r;
}

// A search of a tree for a text, run to its end; `grownKb` is how much the peak memory grew.
struct FinishedSearch {
  explicit FinishedSearch(const SearchSpec& request, RunOptions options = {})
      : before(PeakResidentKb()), run(request, {}, questions, trackers, std::move(options)) {
    EXPECT_TRUE(run.Open());
    while (run.Step(10)) {
    }
    grownKb = PeakResidentKb() - before;
  }
  ScriptedQuestions questions;
  NoLocationTrackers trackers;
  long before;
  long grownKb = 0;
  SearchRun run;
};

TEST(LargeFiles, StreamedFileKeepsLineNumbersAndPositions) {
  TempTree tree;
  // Larger than the in-memory limit: 300,000 lines of 80 bytes, the hit on the last one.
  std::string text;
  const std::string line = std::string(78, 'x') + "\r\n";
  for (int i = 0; i < 300000; ++i) text += line;
  text += "the kmn line\r\n";
  ASSERT_GT(static_cast<std::int64_t>(text.size()), kWholeFileLimit);
  tree.Write("big.txt", text);
  for (const bool lineMode : {false, true}) {
    SearchSpec request = Request(tree, "kmn");
    request.sw[Extra::LineMode] = lineMode;
    const FinishedSearch search(request);
    ASSERT_EQ(search.run.results().size(), 1u) << lineMode;
    EXPECT_EQ(search.run.results()[0].lineNo, 300001u);
    EXPECT_EQ(search.run.results()[0].ptr, 300000 * 80 + 1);
    EXPECT_EQ(search.run.counts().scanBytes, static_cast<std::int64_t>(text.size()));
    EXPECT_TRUE(search.questions.asked.empty());
  }
}

TEST(LargeFiles, FiftyMegabyteLineIsOneLineWithMemoryToMatch) {
  TempTree tree;
  constexpr std::size_t kLine = 50u << 20;
  std::string text(kLine, 'x');
  text.replace(kLine / 2, 3, "kmn");  // far from the line's start
  text += "\r\nkmn after\r\n";
  tree.Write("one-line.txt", text);
  const FinishedSearch search(Request(tree, "kmn"));
  const ResultsQueue& results = search.run.results();
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0].lineNo, 1u);
  EXPECT_EQ(results[0].text, std::string(199, 'x'));
  EXPECT_EQ(results[1].lineNo, 2u);
  EXPECT_EQ(results[1].ptr, static_cast<std::int64_t>(kLine) + 3);
  // A few copies of the line (buffer, upper-cased copy, subject), never one per file or more.
  EXPECT_LT(search.grownKb, 8 * static_cast<long>(kLine >> 10));
  EXPECT_TRUE(search.questions.asked.empty());
}

TEST(LargeFiles, HitsOfOneFileAreDeliveredInBatchesOrLeftForTheirTurn) {
  TempTree tree;
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "kmn\n";
  tree.Write("hits.txt", text);
  const SearchSpec request = Request(tree, "kmn");
  const SearchPlan plan = MakeSearchPlan(request, PrepareSearch(request, {}).work);
  NoLocationTrackers trackers;
  FileJob job;
  job.path = (tree.root() / "hits.txt").string();

  // In its turn: batches handed on as found, never the whole file held at once.
  std::size_t delivered = 0;
  std::size_t largest = 0;
  HitHandling inTurn;
  inTurn.deliver = [&](FileOutcome& batch) {
    delivered += batch.found.size();
    largest = std::max(largest, batch.found.size());
  };
  const FileOutcome rest = SearchOneFile(plan, job, trackers, inTurn);
  EXPECT_EQ(delivered + rest.found.size(), 100000u);
  EXPECT_LE(std::max(largest, rest.found.size()), 4096u);

  // Ahead of its turn: the search stops at the limit and says so.
  const FileOutcome ahead = SearchOneFile(plan, job, trackers, HitHandling{1000, {}});
  EXPECT_TRUE(ahead.overflowed);
  EXPECT_EQ(ahead.found.size(), 1000u);

  // A run commits them all in order, whether a worker tried the file first or not.
  for (const int workers : {0, 1}) {
    RunOptions options;
    options.workers = workers;
    options.keepResults = false;
    std::uint32_t lastLine = 0;
    bool inOrder = true;
    options.onResult = [&](const ResultLine& hit, const FileEntry&) {
      inOrder = inOrder && hit.lineNo == lastLine + 1;
      lastLine = hit.lineNo;
    };
    const FinishedSearch search(request, options);
    EXPECT_EQ(search.run.counts().findCnt, 100000) << workers;
    EXPECT_TRUE(inOrder) << workers;
  }
}

TEST(LargeFiles, MultiGigabyteFileIsScannedWithFlatMemory) {
  TempTree tree;
  // A sparse file past 2 GiB: reads as zeros, costs no disk.
  const auto path = tree.Write("huge.txt", "");
  const std::int64_t size = (std::int64_t{5} << 29) + 12345;  // 2.5 GiB and a bit
  ASSERT_EQ(truncate(path.c_str(), size), 0);
  const FinishedSearch search(Request(tree, "kmn"));
  EXPECT_EQ(search.run.counts().scanBytes, size);  // no 32-bit wrap
  EXPECT_EQ(search.run.counts().findCnt, 0);
  EXPECT_LT(search.grownKb, 64 * 1024) << "memory grew with the file";
  EXPECT_TRUE(search.questions.asked.empty());
}

}  // namespace
}  // namespace trawlex::engine
