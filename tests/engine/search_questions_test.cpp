// The run's questions as the user sees them: message boxes with their captions, buttons and
// answers.

#include <gtest/gtest.h>

#include "engine/search_questions.h"
#include "support/scripted_desktop.h"

namespace trawlex::engine {
namespace {

TEST(DesktopSearchQuestions, OpenFailureAsksRetryIgnoreOrRemove) {
  testing::ScriptedDesktop desktop;
  DesktopSearchQuestions questions(desktop);
  desktop.answers = {1, 2, 3};
  EXPECT_EQ(questions.OpenFailed("/src/a.vlw", "Access Denied"), OpenFailureAnswer::Retry);
  EXPECT_EQ(questions.OpenFailed("/src/a.vlw", "Access Denied"), OpenFailureAnswer::Ignore);
  EXPECT_EQ(questions.OpenFailed("/src/a.vlw", "Access Denied"), OpenFailureAnswer::Remove);
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

TEST(DesktopSearchQuestions, NoFilesAndStopPrompt) {
  testing::ScriptedDesktop desktop;
  DesktopSearchQuestions questions(desktop);
  questions.NoFilesFound("/src", "*.vlw");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, "No files were found||Path: /src|Spec: *.vlw");
  EXPECT_EQ(desktop.messages[0].caption, "Search");
  desktop.answers = {1, 2};
  EXPECT_TRUE(questions.StopPrompt("ScanDirQ no path ??"));
  EXPECT_FALSE(questions.StopPrompt("ScanDirQ no path ??"));
  EXPECT_EQ(desktop.messages[1].text, "ScanDirQ no path ??");
}

}  // namespace
}  // namespace trawlex::engine
