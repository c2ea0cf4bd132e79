// The pattern tools of the assistant's "Tool&s" menu: each rewrite with exact outputs, the
// MATCH() code, the undo stack and the converter on an open assistant.

#include "utilities/pattern_tools.h"

#include <gtest/gtest.h>

#include <string>

#include "support/scripted_desktop.h"

namespace trawlex::utilities {
namespace {

TEST(PatternTools, RewriteTheWayEachToolSays) {
  using enum PatternTool;
  const struct {
    PatternTool tool;
    std::string in;
    std::string out;
    bool braces;
  } cases[] = {
      {PrefixMetas, "a.b", "a\\.b", false},
      {PrefixMetas, "\\.", "\\.", false},
      {PrefixMetas, "\\a", "\\\\a", false},
      {PrefixMetas, "a\\", "a\\\\", false},  // a backslash at the end is a lone one
      {PrefixMetas, "^{a|b}*[x]+?$", "\\^\\{a\\|b\\}\\*\\[x\\]\\+\\?\\$", false},
      {PrefixMetas, "IF x  ", "IF x", false},  // trailing blanks never count
      {RemoveMetas, "^IF.*THEN$", "IFTHEN", false},
      {RemoveMetas, "MyQ\\.Nums\\[3\\]", "MyQ.Nums[3]", false},
      {RemoveMetas, "\\\\", "\\", false},
      {RemoveMetas, "a\\b\\", "ab", false},
      {ConvertUnix, "(IF|CASE)", "{IF|CASE}", false},
      {ConvertUnix, "\\(a\\)", "{a}", false},
      {ConvertUnix, "(a)", "{a}", false},
      {ConvertUnix, "a{2}", "a\\{2\\}", true},
      {ConvertUnix, "\\.\\{x", "\\.\\{x", false},  // escapes other than \( \) stay
      {ConvertUnix, "a\\", "a\\", false},
      {UndoubleLiteral, "''{{x<<", "'{x<", false},
      {UndoubleLiteral, "{{{", "{{", false},
      {UndoubleLiteral, "a}}b", "a}}b", false},
      {UndoubleLiteral, "", "", false},
  };
  for (const auto& c : cases) {
    const ToolOutcome outcome = RunPatternTool(c.tool, c.in);
    EXPECT_EQ(outcome.pattern, c.out) << InfoOf(c.tool).cliName << " on " << c.in;
    EXPECT_EQ(outcome.bracesEscaped, c.braces) << InfoOf(c.tool).cliName << " on " << c.in;
  }
}

// Every meta is escaped after one run, so a second run must change nothing.
TEST(PatternTools, PrefixingTwiceChangesNothingMore) {
  for (const std::string pattern : {"a.b", "\\\\x", "{[^]a]}*$", "a\\", "x\\y\\"}) {
    const std::string once = PrefixMetas(pattern);
    EXPECT_EQ(PrefixMetas(once), once) << pattern;
    EXPECT_EQ(UndoubleLiteral(DoubleForLiteral(pattern)), pattern) << pattern;
  }
}

TEST(PatternTools, MatchCodeFollowsTheCaseOption) {
  const struct {
    std::string pattern;
    CaseOption option;
    std::string code;
  } cases[] = {
      {"IF {x}", CaseOption::Yes, "MATCH( string ,'IF {{x}',MATCH:Regular)  ! +MATCH:NoCase"},
      {"[A-Z]+", CaseOption::No,
       "MATCH( UPPER(string) ,'[A-Z]+',MATCH:Regular)  ! +MATCH:NoCase   ! [sets] are case "
       "sensitive"},
      {"it's<a>  ", CaseOption::MatchNoCase,
       "MATCH( string ,'it''s<<a>',MATCH:Regular+MATCH:NoCase)"},
      {"[a]", CaseOption::MatchNoCase,
       "MATCH( string ,'[a]',MATCH:Regular+MATCH:NoCase)     ! [sets] are case sensitive"},
  };
  for (const auto& c : cases) EXPECT_EQ(MatchCode(c.pattern, c.option), c.code) << c.pattern;
}

TEST(PatternTools, TooLongResultsAreNamedNotCut) {
  EXPECT_FALSE(TooLongProblem(PatternTool::PrefixMetas, std::string(60, 'a')));
  EXPECT_FALSE(TooLongProblem(PatternTool::PrefixMetas, std::string(60, 'a') + "  "));
  EXPECT_EQ(TooLongProblem(PatternTool::PrefixMetas, std::string(61, 'a')),
            "\"Fix Meta Characters by Prefixing a Backslash\" would make the pattern 61 "
            "characters long, but it holds at most 60. The pattern was not changed.");
}

TEST(PatternUndoStack, UndoesLastFirstWithItsTip) {
  PatternUndoStack stack;
  EXPECT_TRUE(stack.Empty());
  EXPECT_EQ(stack.Tip(), "");
  stack.Push("\\ Prefix Metas", "a.b");
  stack.Push("Remove Metas", "a\\.b");
  EXPECT_EQ(stack.Tip(), "Undo: Remove Metas\r\na\\.b");
  EXPECT_EQ(stack.Pop(), "a\\.b");
  EXPECT_EQ(stack.Tip(), "Undo: \\ Prefix Metas\r\na.b");
  EXPECT_EQ(stack.Pop(), "a.b");
  EXPECT_TRUE(stack.Empty());
  EXPECT_EQ(stack.Pop(), std::nullopt);
}

class PatternConverterTest : public ::testing::Test {
 protected:
  void SetUp() override { RememberedTestTexts::Forget(); }
  void TearDown() override { RememberedTestTexts::Forget(); }

  testing::ScriptedDesktop desktop;
  RegexAssistant assistant{desktop};
  PatternConverter converter{assistant, desktop};
};

TEST_F(PatternConverterTest, AppliesUndoesAndRefusesWhatDoesNotFit) {
  assistant.Open("(a)|x.y");
  assistant.SetTestText(1, "a");
  EXPECT_EQ(converter.Apply(PatternTool::ConvertUnix), PatternConverter::Applied::Changed);
  EXPECT_EQ(assistant.Pattern(), "{a}|x.y");
  EXPECT_EQ(assistant.ResultAt(1), "Yes");  // tried again on the new pattern
  converter.TellAboutBraces();
  EXPECT_TRUE(desktop.messages.empty());
  converter.Apply(PatternTool::PrefixMetas);
  EXPECT_EQ(assistant.Pattern(), "\\{a\\}\\|x\\.y");
  EXPECT_EQ(converter.UndoStack().Tip(), "Undo: \\ Prefix Metas\r\n{a}|x.y");

  assistant.SetPattern(std::string(40, '.'));
  EXPECT_EQ(converter.Apply(PatternTool::PrefixMetas), PatternConverter::Applied::Refused);
  EXPECT_EQ(assistant.Pattern(), std::string(40, '.'));
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].caption, "Regular Expression Assistant");
  EXPECT_EQ(converter.UndoStack().Size(), 2u);

  EXPECT_TRUE(converter.Undo());
  EXPECT_EQ(assistant.Pattern(), "{a}|x.y");
  EXPECT_TRUE(converter.Undo());
  EXPECT_EQ(assistant.Pattern(), "(a)|x.y");
  EXPECT_FALSE(converter.Undo());
}

TEST_F(PatternConverterTest, EscapedBracesAreToldAfterwardsOnce) {
  assistant.Open("a{2}");
  converter.Apply(PatternTool::ConvertUnix);
  EXPECT_TRUE(desktop.messages.empty());
  converter.TellAboutBraces();
  converter.TellAboutBraces();
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text, kBracesEscapedMessage);
}

}  // namespace
}  // namespace trawlex::utilities
