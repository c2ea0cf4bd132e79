// The regular-expression assistant without its window: trials of the pattern on the samples,
// the options that change the trial, validation and the remembered samples.

#include "utilities/regex_assistant.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "support/scripted_desktop.h"

namespace trawlex::utilities {
namespace {

class RegexAssistantTest : public ::testing::Test {
 protected:
  void SetUp() override { RememberedTestTexts::Forget(); }
  void TearDown() override { RememberedTestTexts::Forget(); }

  std::string Results(const RegexAssistant& assistant) {
    std::string all;
    for (int k = 1; k <= kTestTextCount; ++k) all += "[" + assistant.ResultAt(k) + "]";
    return all;
  }

  testing::ScriptedDesktop desktop;
};

TEST_F(RegexAssistantTest, OpensWithTheCallersPatternAndFreshOptions) {
  RegexAssistant assistant(desktop);
  assistant.Open("kmn   ");
  EXPECT_TRUE(assistant.IsOpen());
  EXPECT_EQ(assistant.Pattern(), "kmn");
  EXPECT_EQ(assistant.Case(), CaseOption::No);
  EXPECT_FALSE(assistant.Word());
  EXPECT_FALSE(assistant.Trailing());
  EXPECT_TRUE(assistant.Validated());
  EXPECT_EQ(assistant.LastValidation(), 0);
  EXPECT_EQ(Results(assistant), "[][][][][]");
  ASSERT_EQ(assistant.Rows().size(), 1u);
  EXPECT_EQ(assistant.Rows()[0].in, "kmn");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(RegexAssistantTest, KeepsSixtyCharactersOfThePattern) {
  RegexAssistant assistant(desktop);
  assistant.Open(std::string(70, 'k'));
  EXPECT_EQ(assistant.Pattern(), std::string(60, 'k'));
  EXPECT_EQ(assistant.Ok(), std::string(60, 'k'));
}

struct CaseTrial {
  const char* pattern;
  const char* text;
  const char* no;      // case option 1: both upper-cased
  const char* yes;     // case option 2: as written
  const char* noCase;  // case option 3: the matcher's no-case mode
};

TEST_F(RegexAssistantTest, TriesThePatternByTheCaseOption) {
  const CaseTrial trials[] = {
      {"kmn", "xKMNy", "Yes", "No", "Yes"},
      {"KMN", "xKMNy", "Yes", "Yes", "Yes"},
      {"kmn", "abc", "No", "No", "No"},
      // Upper-casing the pattern folds its sets too; the no-case mode leaves sets exact.
      {"[a-z]mn", "KMN", "Yes", "No", "No"},
      {"[A-Z]MN", "kmn", "Yes", "No", "No"},
      {"^if", "IF x", "Yes", "No", "Yes"},
      {"\xe9t\xe9", "\xc9T\xc9", "Yes", "No", "Yes"},  // accented letters fold as well
  };
  for (const auto& t : trials) {
    RegexAssistant assistant(desktop);
    assistant.Open(t.pattern);
    assistant.SetTestText(2, t.text);
    EXPECT_EQ(assistant.ResultAt(2), t.no) << t.pattern << " / " << t.text;
    assistant.SetCaseOption(CaseOption::Yes);
    EXPECT_EQ(assistant.ResultAt(2), t.yes) << t.pattern << " / " << t.text;
    assistant.SetCaseOption(CaseOption::MatchNoCase);
    EXPECT_EQ(assistant.ResultAt(2), t.noCase) << t.pattern << " / " << t.text;
    assistant.SetCaseOption(CaseOption::No);
    EXPECT_EQ(assistant.ResultAt(2), t.no) << t.pattern << " / " << t.text;
  }
  EXPECT_STREQ(CaseOptionText(CaseOption::No), "No");
  EXPECT_STREQ(CaseOptionText(CaseOption::Yes), "Yes");
  EXPECT_STREQ(CaseOptionText(CaseOption::MatchNoCase), "Match:NoCase");
}

struct WrapTrial {
  bool word;
  bool trailing;
  const char* text;
  const char* result;
};

TEST_F(RegexAssistantTest, WordAndTrailingWrapTheTestedPattern) {
  RegexAssistant assistant(desktop);
  assistant.Open("kmn");
  EXPECT_EQ(assistant.TestedPattern(), "kmn");
  const WrapTrial trials[] = {
      {false, false, "xkmny", "Yes"},
      {true, false, "x kmn y", "Yes"},
      {true, false, "xkmn y", "No"},
      {true, false, "x kmny", "No"},
      // MATCH drops the sample's trailing blanks: its end is not a blank here.
      {true, false, "x kmn", "No"},
      {false, true, "xkmn y", "Yes"},
      {false, true, "kmnx", "No"},
  };
  for (const auto& t : trials) {
    if (t.word) assistant.SetWord(true);
    if (t.trailing) assistant.SetTrailing(true);
    if (!t.word && !t.trailing) {
      assistant.SetWord(false);
      assistant.SetTrailing(false);
    }
    assistant.SetTestText(1, t.text);
    EXPECT_EQ(assistant.TestedPattern(), t.word ? " kmn{ }" : (t.trailing ? "kmn{ }" : "kmn"));
    EXPECT_EQ(assistant.ResultAt(1), t.result) << t.text << " word " << t.word;
  }
}

TEST_F(RegexAssistantTest, WordAndTrailingExcludeEachOther) {
  RegexAssistant assistant(desktop);
  assistant.Open("kmn");
  assistant.SetWord(true);
  EXPECT_TRUE(assistant.Word());
  assistant.SetTrailing(true);
  EXPECT_TRUE(assistant.Trailing());
  EXPECT_FALSE(assistant.Word());
  assistant.SetWord(true);
  EXPECT_TRUE(assistant.Word());
  EXPECT_FALSE(assistant.Trailing());
}

TEST_F(RegexAssistantTest, BlankSamplesKeepBlankResults) {
  RegexAssistant assistant(desktop);
  assistant.Open("kmn");
  assistant.SetTestText(1, "kmn");
  assistant.SetTestText(3, "abc");
  assistant.SetTestText(5, "   ");
  EXPECT_EQ(Results(assistant), "[Yes][][No][][]");
  assistant.SetTestText(1, "");
  EXPECT_EQ(Results(assistant), "[][][No][][]");
  EXPECT_THROW(assistant.SetTestText(0, "x"), std::out_of_range);
  EXPECT_THROW(assistant.SetTestText(6, "x"), std::out_of_range);
}

TEST_F(RegexAssistantTest, ABlankPatternTestsNothing) {
  RegexAssistant assistant(desktop);
  assistant.Open("   ");
  assistant.SetTestText(1, "anything");
  EXPECT_EQ(Results(assistant), "[][][][][]");
  EXPECT_TRUE(assistant.Rows().empty());
}

TEST_F(RegexAssistantTest, AnInvalidPatternShowsErrOnce) {
  RegexAssistant assistant(desktop);
  assistant.Open("{kmn");
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, "Regular Expression Checker");
  EXPECT_EQ(assistant.LastValidation(), 1);
  EXPECT_EQ(Results(assistant), "[Err][][][][]");
  assistant.SetTestText(2, "{kmn");
  EXPECT_EQ(Results(assistant), "[Err][][][][]");
  ASSERT_EQ(assistant.Rows().size(), 1u);
  EXPECT_EQ(assistant.Rows()[0].in, "Error");
  EXPECT_EQ(assistant.Rows()[0].desc, "Regular Expression is Invalid");
  // Refreshing uses the remembered outcome: no further messages.
  assistant.Refresh();
  EXPECT_EQ(desktop.messages.size(), 1u);
}

TEST_F(RegexAssistantTest, AcceptingThePatternValidatesItAgain) {
  RegexAssistant assistant(desktop);
  assistant.Open("kmn");
  assistant.SetTestText(1, "xkmn");
  EXPECT_EQ(Results(assistant), "[Yes][][][][]");

  EXPECT_FALSE(assistant.SetPattern("kmn|"));
  EXPECT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(assistant.LastValidation(), 1);
  assistant.Refresh();  // the next accepted control shows the failure
  EXPECT_EQ(Results(assistant), "[Err][][][][]");

  EXPECT_TRUE(assistant.SetPattern("^xk"));
  EXPECT_EQ(assistant.LastValidation(), 0);
  EXPECT_EQ(Results(assistant), "[Yes][][][][]");
  EXPECT_EQ(assistant.Rows().size(), 2u);
}

TEST_F(RegexAssistantTest, ValidationClearsTheAssistantsWordSwitch) {
  RegexAssistant assistant(desktop);
  assistant.Open("kmn");
  assistant.SetWord(true);
  EXPECT_FALSE(assistant.SetPattern("^IF"));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_NE(desktop.messages[0].text.find("I will uncheck Word"), std::string::npos);
  EXPECT_FALSE(assistant.Word());
  EXPECT_TRUE(assistant.SetPattern("^IF"));  // without Word it passes
}

TEST_F(RegexAssistantTest, OkCopiesBackOnlyAValidPattern) {
  RegexAssistant assistant(desktop);
  assistant.Open("kmn");
  EXPECT_TRUE(assistant.SetPattern("kmn|") == false);
  EXPECT_EQ(assistant.Ok(), std::nullopt);
  EXPECT_TRUE(assistant.IsOpen());
  EXPECT_EQ(assistant.Result(), RegexAssistant::kCancelled);

  assistant.SetTrailing(true);
  EXPECT_TRUE(assistant.SetPattern("kmn$") == false);  // Trailing was cleared
  EXPECT_EQ(assistant.Ok(), "kmn$");
  EXPECT_FALSE(assistant.IsOpen());
  EXPECT_EQ(assistant.Result(), RegexAssistant::kCompleted);
}

TEST_F(RegexAssistantTest, CancelClosesWithTwo) {
  RegexAssistant assistant(desktop);
  assistant.Open("kmn");
  assistant.Cancel();
  EXPECT_FALSE(assistant.IsOpen());
  EXPECT_EQ(assistant.Result(), RegexAssistant::kCancelled);
}

TEST_F(RegexAssistantTest, SamplesAreRememberedFromOneOpeningToTheNext) {
  {
    RegexAssistant first(desktop);
    first.Open("kmn");
    EXPECT_TRUE(first.TestTextAt(1).empty());
    first.SetTestText(1, "kmn one");
    first.SetTestText(5, "five");
    // Another assistant opened meanwhile still sees the samples of the last closing.
    RegexAssistant other(desktop);
    other.Open("x");
    EXPECT_TRUE(other.TestTextAt(1).empty());
    first.Ok();
    other.Cancel();  // closing stores its own (blank) samples last
  }
  RegexAssistant second(desktop);
  second.Open("kmn");
  EXPECT_TRUE(second.TestTextAt(1).empty());

  second.SetTestText(2, "two kmn");
  second.Close();
  second.Close();  // closing twice stores once
  RegexAssistant third(desktop);
  third.Open("kmn");
  EXPECT_EQ(third.TestTextAt(2), "two kmn");
  EXPECT_EQ(Results(third), "[][Yes][][][]");  // loaded samples are tried at once
}

TEST_F(RegexAssistantTest, ToolResultsRefreshWithoutValidating) {
  RegexAssistant assistant(desktop);
  assistant.Open("abc");
  assistant.SetTestText(1, "xkmn");
  EXPECT_EQ(assistant.ResultAt(1), "No");
  assistant.ApplyToolResult("kmn");
  EXPECT_EQ(assistant.Pattern(), "kmn");
  EXPECT_EQ(assistant.ResultAt(1), "Yes");
  EXPECT_TRUE(desktop.messages.empty());
}

}  // namespace
}  // namespace trawlex::utilities
