// The texts a results window shows for its run: built from plain values, and over real runs
// from the run's state and counters.

#include "results/run_texts.h"

#include <gtest/gtest.h>

#include "results/results_navigation.h"
#include "support/scripted_questions.h"
#include "support/temp_tree.h"

namespace trawlex::results {
namespace {

using engine::SearchRun;
using engine::SearchSpec;

SearchSpec Request(const std::string& path, const char* text) {
  SearchSpec r;
  r.text = text;
  r.path = path;
  r.spec = "*.*";
  r.sw.subdirs = 1;
  r.sw.subLevels = 255;
  return r;
}

void RunToEnd(SearchRun& run) {
  while (run.Step(2)) {
  }
}

TEST(RunTexts, CaptionAndParmsTipNameTheRequest) {
  SearchSpec r = Request("/src/App", "Cust");
  r.spec = "*.vlw";
  r.sw.word = 1;
  r.sw.subLevels = 3;
  EXPECT_EQ(CaptionText(r), "Results: Cust [Word Sub3]");
  EXPECT_EQ(ParmsTipText(r),
            "Edit the below search parameters\r\nFind:   Cust\r\nPath:  /src/App\r\nFile:    "
            "*.vlw\r\nOptn: Word Sub3");
  r.sw = {};
  EXPECT_EQ(CaptionText(r), "Results: Cust");
}

TEST(RunTexts, StatusAndFound) {
  EXPECT_EQ(LoadFilesStatusText("/src/app/"), "Load Files: /src/app/");
  EXPECT_EQ(ScanStatusText({runtime::SharedText("b.vlw"), 2, 14}), "Scan: b.vlw (2 of 14)");
  // The status field holds 50 characters.
  EXPECT_EQ(ScanStatusText({runtime::SharedText(std::string(60, 'n')), 2, 14}),
            "Scan: " + std::string(44, 'n'));
  EXPECT_EQ(FoundText(0), "");
  EXPECT_EQ(FoundText(3), "3 found");
}

TEST(RunTexts, SummaryNamesCountsTimeAndBytes) {
  engine::SearchCounts counts;
  counts.findCnt = 12;
  counts.searchTime = 0.05;
  counts.scanBytes = 6166;
  counts.scanLines = 1234567;
  engine::SearchWork work;
  EXPECT_EQ(SummaryText(counts, work, false), "12 found in 0.05 seconds,  6,166 bytes");
  work.skipFastDos = 1;  // every file read line by line: the lines are counted
  EXPECT_EQ(SummaryText(counts, work, false),
            "12 found in 0.05 seconds,  6,166 bytes, 1,234,567 lines");
  EXPECT_EQ(SummaryText(counts, work, true), "12 found in 0.05 seconds,  6,166 bytes");
}

class RunTextsOverARun : public ::testing::Test {
 protected:
  testing::TempTree tree;
  testing::ScriptedQuestions questions;
  engine::NoLocationTrackers trackers;
};

TEST_F(RunTextsOverARun, FollowTheRunFromStartToSummaryAndEdit) {
  tree.Write("b.vlw", "  x = Cust\r\n  y = 1\r\n  cust  =   cust + 1\r\n");
  tree.Write("a.vlw", "nothing here\r\n");
  tree.Write("Sub/c.txt", "CUST\r\n");
  SearchRun run(Request(tree.root().string(), "cust"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  EXPECT_EQ(StatusText(run), "");
  run.Step(2);
  EXPECT_EQ(StatusText(run), "Scan: b.vlw (2 of 3)");
  EXPECT_EQ(FoundText(run.counts().findCnt), "2 found");
  RunToEnd(run);
  EXPECT_EQ(StatusText(run), "");
  EXPECT_EQ(FoundText(run.counts().findCnt), "3 found");
  EXPECT_TRUE(SummaryText(run).starts_with("3 found in ")) << SummaryText(run);
  EXPECT_EQ(FilesCountText(run.files().size()), "Files Count:  3");
  EXPECT_EQ(WithFoundText(run.counts().filesFindCnt), "With Found: 2");
  EXPECT_EQ(CaptionText(run.request()), "Results: cust [Sub255]");

  run.Again();  // a new run starts without the last one's texts
  EXPECT_EQ(FoundText(run.counts().findCnt), "");
  run.Step(1);
  run.Stop();  // a stopped run sums up what it found
  EXPECT_TRUE(SummaryText(run).starts_with("0 found in ")) << SummaryText(run);

  tree.Write("d.txt", "x");
  ASSERT_TRUE(run.ReLoad());
  EXPECT_EQ(FilesCountText(run.files().size()), "Files Count:  4");
  EXPECT_EQ(WithFoundText(run.counts().filesFindCnt), "With Found: 0");

  SearchSpec edited = run.request();
  edited.text = "xyz";
  run.TakeEditedRequest(edited, {engine::EditChoice::Apply});
  EXPECT_EQ(CaptionText(run.request()), "Results: xyz [Sub255]");
}

TEST_F(RunTextsOverARun, SummaryCountsLinesOnlyInLineMode) {
  tree.Write("a.txt", std::string(1500, 'x') + "\r\nkmn\r\n");
  SearchRun run(Request(tree.root().string(), "kmn"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  RunToEnd(run);
  EXPECT_TRUE(SummaryText(run).starts_with("1 found in ")) << SummaryText(run);
  EXPECT_TRUE(SummaryText(run).ends_with(" seconds,  1,507 bytes")) << SummaryText(run);

  SearchSpec lineMode = Request(tree.root().string(), "kmn");
  lineMode.sw[engine::Extra::LineMode] = 1;
  SearchRun counted(lineMode, {}, questions, trackers);
  ASSERT_TRUE(counted.Open());
  RunToEnd(counted);
  // A long line is one line.
  EXPECT_TRUE(SummaryText(counted).ends_with(" bytes, 2 lines")) << SummaryText(counted);
}

}  // namespace
}  // namespace trawlex::results
