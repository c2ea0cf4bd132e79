// Files too large to hold in memory are streamed: memory stays flat, counts do not wrap, and
// hits are still found with their line numbers and positions.

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "engine/file_search.h"
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
  explicit FinishedSearch(const SearchSpec& request)
      : before(PeakResidentKb()), run(request, {}, questions, trackers) {
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
