// A run over real trees: files and results in order, counters, the questions it asks, the
// run's buttons and what it tells about its progress. Its texts are tested with the results
// layer that words them.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/file_search.h"
#include "engine/search_run.h"
#include "support/scripted_questions.h"
#include "support/temp_tree.h"

namespace trawlex::engine {
namespace {

using testing::AskedQuestion;
using testing::CrLf;
using testing::ScriptedQuestions;
using testing::TempTree;

SearchSpec Request(const TempTree& tree, const char* text, const char* spec = "*.*") {
  SearchSpec r;
  r.text = text;
  r.path = tree.root().string();
  r.spec = spec;
  r.sw.subdirs = 1;
  r.sw.subLevels = 255;
  return r;
}

struct Hit {
  std::string file;
  std::string subdir;
  std::uint32_t line;
  std::string text;
  bool operator==(const Hit&) const = default;
};

std::vector<Hit> Hits(const SearchRun& run) {
  std::vector<Hit> hits;
  for (const ResultLine& r : run.results()) {
    hits.push_back({r.file.str(), r.subdir.str(), r.lineNo, r.text});
  }
  return hits;
}

void RunToEnd(SearchRun& run, int perTick = 2) {
  while (run.Step(perTick)) {
  }
}

class SearchRunTest : public ::testing::Test {
 protected:
  TempTree tree;
  ScriptedQuestions questions;
  NoLocationTrackers trackers;
};

TEST_F(SearchRunTest, ReportsHitsInFileListOrderWithCounters) {
  tree.Write("b.vlw", CrLf({"  x = Cust", "  y = 1", "  cust  =   cust + 1"}));
  tree.Write("a.vlw", CrLf({"nothing here"}));
  tree.Write("Sub/c.txt", CrLf({"CUST"}));
  SearchRun run(Request(tree, "cust"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  RunToEnd(run);
  const std::vector<Hit> expected = {{"b.vlw", "", 1, " x = Cust"},
                                     {"b.vlw", "", 3, " cust = cust + 1"},
                                     {"c.txt", "Sub", 1, "CUST"}};
  EXPECT_EQ(Hits(run), expected);
  const SearchCounts& c = run.counts();
  EXPECT_EQ(c.findCnt, 3);
  EXPECT_EQ(c.filesFindCnt, 2);
  EXPECT_EQ(c.subdirsFound, 1);
  EXPECT_EQ(c.locationFound, 0);
  EXPECT_EQ(c.scanBytes, static_cast<std::int64_t>(
                             std::filesystem::file_size(tree.root() / "a.vlw") +
                             std::filesystem::file_size(tree.root() / "b.vlw") +
                             std::filesystem::file_size(tree.root() / "Sub/c.txt")));
  EXPECT_EQ(run.files()[1].count, 2u);
  EXPECT_EQ(run.dirs()[0].findCnt, 2);
  EXPECT_EQ(run.dirs()[1].findCnt, 1);
  EXPECT_EQ(run.state(), RunState::Finished);
  EXPECT_EQ(run.files().size(), 3u);
  EXPECT_EQ(run.results()[1].ptr, 22);  // byte 22 starts the third line (1-based)
  EXPECT_TRUE(questions.asked.empty());
}

TEST_F(SearchRunTest, CountsBytesAndLines) {
  tree.Write("a.txt", std::string(1500, 'x') + "\r\nkmn\r\n");
  SearchRun run(Request(tree, "kmn"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  RunToEnd(run);
  EXPECT_EQ(run.counts().findCnt, 1);
  EXPECT_EQ(run.counts().scanBytes, 1507);

  SearchSpec lineMode = Request(tree, "kmn");
  lineMode.sw[Extra::LineMode] = 1;
  SearchRun counted(lineMode, {}, questions, trackers);
  ASSERT_TRUE(counted.Open());
  RunToEnd(counted);
  EXPECT_EQ(counted.counts().scanLines, 2);  // a long line is one line
}

TEST_F(SearchRunTest, TellsWhichFileItSearches) {
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) tree.Write(name, "kmn\r\n");
  SearchRun run(Request(tree, "kmn"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  EXPECT_TRUE(run.loadingDirectory().empty());  // only while the lists load
  EXPECT_EQ(run.scanning().number, 0);
  run.Step(2);
  EXPECT_EQ(run.scanning().name, std::string_view("b.txt"));
  EXPECT_EQ(run.scanning().number, 2);
  EXPECT_EQ(run.scanning().total, 3u);
  RunToEnd(run);
  EXPECT_EQ(run.scanning().number, 0);  // a finished run searches no file
}

TEST_F(SearchRunTest, NoFilesFoundIsToldAndTheRunEnds) {
  tree.Write("a.txt", "x");
  SearchRun run(Request(tree, "x", "*.vlw"), {}, questions, trackers);
  EXPECT_FALSE(run.Open());
  ASSERT_EQ(questions.asked.size(), 1u);
  EXPECT_EQ(questions.asked[0],
            (AskedQuestion{AskedQuestion::Kind::NoFilesFound, tree.root().string(), "*.vlw"}));

  ScriptedQuestions empty;
  SearchRun noSpecs(Request(tree, "x", ";;"), {}, empty, trackers);
  EXPECT_FALSE(noSpecs.Open());
  EXPECT_EQ(empty.asked.size(), 1u);
}

TEST_F(SearchRunTest, OpenFailureAnswers) {
  for (const auto answer :
       {OpenFailureAnswer::Ignore, OpenFailureAnswer::Remove, OpenFailureAnswer::Retry}) {
    TempTree t;
    t.Write("a.txt", "kmn\r\n");
    const auto gone = t.Write("b.txt", "kmn\r\n");
    t.Write("c.txt", "kmn\r\n");
    ScriptedQuestions q;
    q.openAnswers = {answer, OpenFailureAnswer::Ignore};
    SearchRun run(Request(t, "kmn"), {}, q, trackers);
    ASSERT_TRUE(run.Open());
    std::filesystem::remove(gone);  // deleted between listing and search
    RunToEnd(run, 1);
    ASSERT_FALSE(q.asked.empty());
    EXPECT_EQ(q.asked[0], (AskedQuestion{AskedQuestion::Kind::OpenFailed, t.path() + "b.txt",
                                         "File Not Found"}));
    // Whatever the answer, the next file is searched.
    ASSERT_EQ(run.counts().findCnt, 2);
    EXPECT_EQ(run.results()[1].file, std::string_view("c.txt"));
    EXPECT_EQ(run.files().size(), answer == OpenFailureAnswer::Remove ? 2u : 3u);
    EXPECT_EQ(q.asked.size(), answer == OpenFailureAnswer::Retry ? 2u : 1u);
  }
}

TEST_F(SearchRunTest, FileSwappedForSomethingElseIsNamedAndTheRunGoesOn) {
  const auto big = tree.Write("big.txt", std::string(17 << 20, 'x') + "\r\nkmn\r\n");
  const auto small = tree.Write("small.txt", "kmn\r\n");
  tree.Write("z.txt", "kmn\r\n");
  SearchRun run(Request(tree, "kmn"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  // Between listing and search: a pipe (reading it by name would block) and a directory.
  std::filesystem::remove(big);
  ASSERT_EQ(mkfifo(big.c_str(), 0600), 0);
  std::filesystem::remove(small);
  std::filesystem::create_directory(small);
  RunToEnd(run);
  const std::vector<AskedQuestion> expected = {
      {AskedQuestion::Kind::OpenFailed, big.string(), "Access Denied"},
      {AskedQuestion::Kind::OpenFailed, small.string(), "Access Denied"}};
  EXPECT_EQ(questions.asked, expected);
  EXPECT_EQ(run.counts().findCnt, 1);
}

// Makes `depth` nested directories of long names below `root` (relative steps, as no single
// path may pass PATH_MAX) with a file at the bottom; returns the full path of the file.
std::string DeepFile(const std::string& root, int depth, const std::string& text) {
  const std::string name(200, 'd');
  std::string path = root;
  int dir = open(root.c_str(), O_RDONLY | O_DIRECTORY);
  for (int i = 0; i < depth; ++i) {
    mkdirat(dir, name.c_str(), 0755);
    const int next = openat(dir, name.c_str(), O_RDONLY | O_DIRECTORY);
    close(dir);
    dir = next;
    path += name + "/";
  }
  const int file = openat(dir, "deep.txt", O_WRONLY | O_CREAT, 0644);
  EXPECT_EQ(write(file, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  close(file);
  close(dir);
  return path + "deep.txt";
}

// Removes what DeepFile made, step by step from the top.
void RemoveDeep(int parent, const char* name) {
  const int dir = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
  if (dir < 0) {
    unlinkat(parent, name, 0);
    return;
  }
  unlinkat(dir, "deep.txt", 0);
  RemoveDeep(dir, std::string(200, 'd').c_str());
  close(dir);
  unlinkat(parent, name, AT_REMOVEDIR);
}

TEST_F(SearchRunTest, PathsLongerThanTheSystemLimitAreSearched) {
  const std::string file = DeepFile(tree.path(), 30, "x\r\nkmn\r\n");
  ASSERT_GT(file.size(), 6000u);
  SearchRun run(Request(tree, "kmn"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  RunToEnd(run);
  const int root = open(tree.path().c_str(), O_RDONLY | O_DIRECTORY);
  RemoveDeep(root, std::string(200, 'd').c_str());
  close(root);
  EXPECT_TRUE(questions.asked.empty());
  ASSERT_EQ(run.results().size(), 1u);
  EXPECT_EQ(run.results()[0].lineNo, 2u);
  EXPECT_EQ(run.results()[0].path, std::string_view(file));
}

TEST_F(SearchRunTest, RetryFindsTheFileOnceItIsBack) {
  const auto file = tree.Write("a.txt", "kmn\r\n");
  SearchRun run(Request(tree, "kmn"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  const auto moved = tree.root() / "elsewhere";
  std::filesystem::rename(file, moved);
  questions.beforeOpenAnswer = [&] { std::filesystem::rename(moved, file); };
  questions.openAnswers = {OpenFailureAnswer::Retry};
  RunToEnd(run);
  EXPECT_EQ(questions.asked.size(), 1u);
  EXPECT_EQ(run.counts().findCnt, 1);
}

TEST_F(SearchRunTest, AgainRefreshReloadAndKeptResults) {
  tree.Write("a.txt", "kmn\r\n");
  tree.Write("b.txt", "other\r\n");
  SearchRun run(Request(tree, "kmn"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  RunToEnd(run);
  ASSERT_EQ(run.counts().findCnt, 1);

  tree.Write("b.txt", "kmn too\r\n");
  run.Refresh();  // only files that had hits
  EXPECT_TRUE(run.filesWithHitsRun());
  RunToEnd(run);
  EXPECT_EQ(run.counts().findCnt, 1);
  EXPECT_FALSE(run.filesWithHitsRun());

  run.Again();  // every file again
  RunToEnd(run);
  EXPECT_EQ(run.counts().findCnt, 2);
  EXPECT_EQ(run.results().size(), 2u);

  run.KeepResultsForNextRun();
  run.Again();
  RunToEnd(run);
  EXPECT_EQ(run.results().size(), 4u);  // kept for one run
  run.Again();
  RunToEnd(run);
  EXPECT_EQ(run.results().size(), 2u);

  tree.Write("c.txt", "x");
  EXPECT_TRUE(run.ReLoad());
  EXPECT_EQ(run.files().size(), 3u);
  EXPECT_EQ(run.counts().filesFindCnt, 0);  // no file of the new list has hits yet
  EXPECT_EQ(run.results().size(), 2u);      // reloading does not search
}

TEST_F(SearchRunTest, EditedRequestAnswers) {
  tree.Write("a.txt", "kmn\r\nxyz\r\n");
  tree.Write("b.txt", "other\r\n");
  SearchRun run(Request(tree, "kmn"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  RunToEnd(run);
  SearchSpec edited = run.request();
  edited.text = "xyz";
  run.TakeEditedRequest(edited, {EditChoice::Cancelled});  // nothing changes
  EXPECT_EQ(run.request().text, std::string_view("kmn"));
  run.TakeEditedRequest(edited, {EditChoice::Apply});  // taken, no run
  EXPECT_EQ(run.request().text, std::string_view("xyz"));
  EXPECT_EQ(run.state(), RunState::Finished);
  run.TakeEditedRequest(edited, {EditChoice::SearchAll, true});  // full run keeping the results
  EXPECT_FALSE(run.filesWithHitsRun());
  RunToEnd(run);
  ASSERT_EQ(run.results().size(), 2u);
  EXPECT_EQ(run.results()[1].text, "xyz");

  tree.Write("b.txt", "xyz\r\n");
  run.TakeEditedRequest(edited, {EditChoice::SearchFilesWithHits});  // a.txt only, results anew
  EXPECT_TRUE(run.filesWithHitsRun());
  RunToEnd(run);
  ASSERT_EQ(run.results().size(), 1u);
  EXPECT_EQ(run.results()[0].file, std::string_view("a.txt"));
}

TEST_F(SearchRunTest, StopKeepsWhatWasFound) {
  for (int i = 0; i < 6; ++i) tree.Write("f" + std::to_string(i) + ".txt", "kmn\r\n");
  SearchRun run(Request(tree, "kmn"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  run.Step(2);
  run.Stop();
  EXPECT_EQ(run.state(), RunState::Finished);
  EXPECT_EQ(run.counts().findCnt, 2);
  EXPECT_FALSE(run.Step(2));
}

TEST_F(SearchRunTest, WorkersCommitExactlyWhatASequentialRunDoes) {
  for (int i = 0; i < 40; ++i) {
    std::string text;
    for (int j = 0; j < 50; ++j) text += (j % (i + 3) == 0 ? "kmn " : "abc ") + std::to_string(j) + "\r\n";
    tree.Write("d" + std::to_string(i % 4) + "/f" + std::to_string(i) + ".txt", text);
  }
  SearchRun sequential(Request(tree, "kmn"), {}, questions, trackers);
  ASSERT_TRUE(sequential.Open());
  RunToEnd(sequential, 3);
  RunOptions options;
  options.workers = 3;
  options.lookAhead = 5;
  SearchRun parallel(Request(tree, "kmn"), {}, questions, trackers, options);
  ASSERT_TRUE(parallel.Open());
  RunToEnd(parallel, 3);
  EXPECT_EQ(Hits(parallel), Hits(sequential));
  EXPECT_EQ(parallel.counts().scanBytes, sequential.counts().scanBytes);
  EXPECT_GT(sequential.counts().findCnt, 100);
}

TEST_F(SearchRunTest, BadInputIsSearchedWithoutLosingHits) {
  tree.Write("binary.dat.txt", std::string("a\0b\0kmn\0\r\nkmn\r\n", 15));
  tree.Write("long.txt", std::string(1 << 20, 'x') + "kmn\r\nkmn\r\n");
  tree.Write(std::string("bad\xff\xfe.txt"), "kmn\r\n");
  SearchRun run(Request(tree, "kmn"), {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  RunToEnd(run);
  std::vector<std::pair<std::string, std::uint32_t>> found;
  for (const auto& r : run.results()) found.emplace_back(r.file.str(), r.lineNo);
  const std::vector<std::pair<std::string, std::uint32_t>> expected = {
      {"bad\xff\xfe.txt", 1},
      {"binary.dat.txt", 1},
      {"binary.dat.txt", 2},
      // A 1 MiB line is one line: the text at its end is found on it, the next line follows.
      {"long.txt", 1},
      {"long.txt", 2},
  };
  EXPECT_EQ(found, expected);
  EXPECT_TRUE(questions.asked.empty());
}

}  // namespace
}  // namespace trawlex::engine

namespace trawlex::engine {
namespace {

TEST(ResultText, CollapsesBlankRunsAndCutsTo199) {
  EXPECT_EQ(ResultText("  IF   x  =  1  "), " IF x = 1");
  EXPECT_EQ(ResultText(""), "");
  EXPECT_EQ(ResultText(std::string(300, 'a')), std::string(199, 'a'));
  // The cut counts characters after collapsing.
  EXPECT_EQ(ResultText(std::string(10, ' ') + std::string(250, 'b')), " " + std::string(198, 'b'));
  // UTF-8 is cut before a character that does not fit; Windows-1252 bytes stand alone.
  EXPECT_EQ(ResultText(std::string(198, 'a') + "\xC3\xA9z"), std::string(198, 'a'));
  EXPECT_EQ(ResultText(std::string(197, 'a') + "\xE2\x82\xAC"), std::string(197, 'a'));
  EXPECT_EQ(ResultText(std::string(198, 'a') + "\xE9\xA9z"), std::string(198, 'a') + "\xE9");
}

}  // namespace
}  // namespace trawlex::engine
