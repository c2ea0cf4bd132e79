// The run's questions as the desktop program asks them: message boxes with their texts,
// captions, buttons and answers, alone and as a real run asks them.

#include "results/desktop_search_questions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/search_run.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"

namespace trawlex::results {
namespace {

using engine::ContinueOrStop;
using engine::OpenFailureAnswer;

TEST(DesktopSearchQuestions, OpenFailureAsksRetryIgnoreOrRemove) {
  testing::ScriptedDesktop desktop;
  DesktopSearchQuestions questions(desktop);
  desktop.answers = {1, 2, 3};
  const runtime::OsError denied{5, "Access Denied"};
  EXPECT_EQ(questions.OpenFailed("/src/a.vlw", denied), OpenFailureAnswer::Retry);
  EXPECT_EQ(questions.OpenFailed("/src/a.vlw", denied), OpenFailureAnswer::Ignore);
  EXPECT_EQ(questions.OpenFailed("/src/a.vlw", denied), OpenFailureAnswer::Remove);
  ASSERT_EQ(desktop.messages.size(), 3u);
  const runtime::Message& m = desktop.messages[0];
  EXPECT_EQ(m.caption, "Search");
  EXPECT_EQ(m.buttons, "&Retry|&Ignore|Remove List");
  EXPECT_EQ(m.defaultButton, 1);
  EXPECT_EQ(m.text,
            "An error occured while opening the below file.||Error: Access Denied|File: "
            "/src/a.vlw||Please correct this and press Retry |or press Ignore to skip the file "
            "this pass|or press Remove to delete the file from the list.");
}

TEST(DesktopSearchQuestions, NoFilesFoundIsTold) {
  testing::ScriptedDesktop desktop;
  DesktopSearchQuestions questions(desktop);
  questions.NoFilesFound("/src", "*.vlw");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "No files were found||Path: /src|Spec: *.vlw");
  EXPECT_EQ(desktop.messages[0].caption, "Search");
}

TEST(DesktopSearchQuestions, FailuresAskToContinueOrStop) {
  testing::ScriptedDesktop desktop;
  DesktopSearchQuestions questions(desktop);
  desktop.answers = {1, 2, 1, 2};
  EXPECT_EQ(questions.DirectoryMissing(), ContinueOrStop::Continue);
  EXPECT_EQ(questions.DirectoryMissing(), ContinueOrStop::Stop);
  const runtime::OsError failed{30, "Read Fault"};
  EXPECT_EQ(questions.ReadFailed("/src/a.vlw", failed), ContinueOrStop::Continue);
  EXPECT_EQ(questions.ReadFailed("/src/a.vlw", failed), ContinueOrStop::Stop);
  ASSERT_EQ(desktop.messages.size(), 4u);
  EXPECT_EQ(desktop.messages[0].text, "ScanDirQ no path ??");
  EXPECT_EQ(desktop.messages[2].text, "Read error /src/a.vlw\r\nRead Fault");
  for (const runtime::Message& m : desktop.messages) {
    EXPECT_EQ(m.caption, "Search");
    EXPECT_EQ(m.buttons, "&Continue|&Stop");
  }
}

TEST(DesktopSearchQuestions, AFileGoneBeforeItsSearchIsNamedWithItsError) {
  testing::TempTree tree;
  tree.Write("a.txt", "kmn\r\n");
  const auto gone = tree.Write("b.txt", "kmn\r\n");
  engine::SearchSpec request;
  request.text = "kmn";
  request.path = tree.root().string();
  request.spec = "*.*";
  testing::ScriptedDesktop desktop;
  desktop.answers = {2};  // Ignore
  DesktopSearchQuestions questions(desktop);
  engine::NoLocationTrackers trackers;
  engine::SearchRun run(request, {}, questions, trackers);
  ASSERT_TRUE(run.Open());
  std::filesystem::remove(gone);  // deleted between listing and search
  while (run.Step(1)) {
  }
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(
      desktop.messages[0].text,
      "An error occured while opening the below file.||Error: File Not Found|File: " + tree.path() +
          "b.txt||Please correct this and press Retry |or press Ignore to "
          "skip the file this pass|or press Remove to delete the file from the list.");
  EXPECT_EQ(run.counts().findCnt, 1);
}

}  // namespace
}  // namespace trawlex::results
