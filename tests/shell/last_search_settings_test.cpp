#include "shell/last_search_settings.h"

#include <gtest/gtest.h>

#include "runtime/profile.h"
#include "settings_test_support.h"
#include "support/file_size_limit.h"
#include "support/temp_tree.h"

namespace trawlex::shell {
namespace {

namespace fs = std::filesystem;
using engine::Extra;
using engine::SearchSwitches;

class LastSearchTest : public ::testing::Test {
 protected:
  testing::TempTree tree_;
  fs::path dat_ = tree_.root() / "Search.DAT";
};

TEST_F(LastSearchTest, FirstStartHasOopAndOneLevel) {
  SearchSwitches expected;
  expected.oop = 1;
  expected.subLevels = 1;
  EXPECT_EQ(ReadLastSwitches(dat_), expected);
}

TEST_F(LastSearchTest, SwitchesRoundTripUnderTheirKeys) {
  SearchSwitches sw;
  sw.caseSensitive = sw.codeOnly = sw.subdirs = sw.smash = sw[Extra::Regex] = 1;
  sw.subLevels = 7;
  sw[Extra::LabelMode] = 129;
  ASSERT_TRUE(WriteLastSwitches(dat_, sw));
  EXPECT_EQ(test::FileBytes(dat_),
            "[Gen]\nCase=1\nWord=0\nTrail=0\nCode=1\nOOP=0\nFirst=0\nSubs=1\nLevels=7\n"
            "Modal=0\nSmash=1\nWild=0\nRegX=1\nLabel=129\n");
  EXPECT_EQ(ReadLastSwitches(dat_), sw);
}

TEST_F(LastSearchTest, OddStoredValuesReadSensibly) {
  tree_.Write("Search.DAT", "[Gen]\nCase=5\nWord=junk\nTrail=-1\nOOP=\nLevels=300\nLabel=-3");
  const SearchSwitches sw = ReadLastSwitches(dat_);
  EXPECT_EQ(sw.caseSensitive, 1);  // any number but 0 is on
  EXPECT_EQ(sw.word, 0);
  EXPECT_EQ(sw.trail, 1);
  EXPECT_EQ(sw.oop, 1);          // a blank value reads as the default
  EXPECT_EQ(sw.subLevels, 255);  // bytes stay within 0 to 255
  EXPECT_EQ(sw[Extra::LabelMode], 0);
}

TEST_F(LastSearchTest, HistoryReadsUpToTheFirstBlankAndTwelveAtMost) {
  std::string text = "[Text]\n1=alpha\n2= beta \n3=\n4=after the gap\n[Spec]\n";
  for (int i = 1; i <= 14; ++i) text += std::to_string(i) + "=*.v" + std::to_string(i) + "\n";
  text += "[Path]\n1=" + std::string(10000, 'x');  // no final line end
  tree_.Write("Search.DAT", text);
  EXPECT_EQ(ReadHistory(dat_, "text"), (std::vector<std::string>{"alpha", "beta"}));
  EXPECT_EQ(ReadHistory(dat_, "Spec").size(), 12u);
  EXPECT_EQ(ReadHistory(dat_, "Path"), std::vector<std::string>{std::string(127, 'x')});
}

TEST_F(LastSearchTest, WritingHistoryBlanksTheKeysOfMissingEntries) {
  std::vector<std::string> many;
  for (int i = 1; i <= 13; ++i) many.push_back("text " + std::to_string(i));
  ASSERT_TRUE(WriteHistory(dat_, "Text", many));
  EXPECT_EQ(runtime::ReadProfileString(dat_, "Text", "13", "none"), "none");

  ASSERT_TRUE(WriteHistory(dat_, "Text", {"Foo", " leading blank"}));
  EXPECT_EQ(ReadHistory(dat_, "Text"), (std::vector<std::string>{"Foo", " leading blank"}));
  EXPECT_EQ(runtime::ReadProfileString(dat_, "Text", "12", "gone"), "");
}

// Junk lines and a second [Gen] section: the first section counts.
TEST_F(LastSearchTest, UntidyFileReadsTheFirstSection) {
  tree_.Write("Search.DAT",
              "garbage\n\x01\xff\n[Gen]\nnoise\nCase=1\n[Text]\n1=first\n[Gen]\nWord=1\n"
              "[Text]\n1=second");
  const SearchSwitches sw = ReadLastSwitches(dat_);
  EXPECT_EQ(sw.caseSensitive, 1);
  EXPECT_EQ(sw.word, 0);
  EXPECT_EQ(ReadHistory(dat_, "Text"), std::vector<std::string>{"first"});
}

TEST_F(LastSearchTest, FailedWritesLeaveTheFileAsItWas) {
  tree_.Write("settings", "not a directory");
  const fs::path inFile = tree_.root() / "settings" / "Search.DAT";
  EXPECT_FALSE(WriteLastSwitches(inFile, SearchSwitches{}));
  EXPECT_EQ(test::FileBytes(tree_.root() / "settings"), "not a directory");

  const fs::path dat = tree_.Write("full/Search.DAT", "[Text]\n1=keep\n");
  testing::FileSizeLimit limit(8);  // a disk that takes no more
  EXPECT_FALSE(WriteHistory(dat, "Text", {"new"}));
  EXPECT_EQ(test::FileBytes(dat), "[Text]\n1=keep\n");
}

}  // namespace
}  // namespace trawlex::shell
