// The regular-expression checker (its messages, in order, and the switches it clears) and the
// explainer's rows.

#include "utilities/regex_checker.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "runtime/fixed_text.h"
#include "support/scripted_desktop.h"

namespace trawlex::utilities {
namespace {

constexpr const char* kSet =
    "You have an unbalanced Character Set. |Sets start and end with Square Braces []. ||If you "
    "want to search for a Square Brace, |prefix it with a backslash, e.g. \\[ or \\].";
constexpr const char* kGroup =
    "You have an unbalanced group. Groups |start and end with Curly Braces {}. ||If you want to "
    "search for a Curly Brace, |prefix it with a backslash, e.g. \\{ or \\}.";
constexpr const char* kCaret =
    "You used the Caret \"^\" to start the match at the start of the line. You have also "
    "checked the Word option. This will not work, I will uncheck Word.";
constexpr const char* kDollar =
    "You used the Dollar \"$\" to match at the end of the line. You have also checked the "
    "Trailing option. This will not work, I will uncheck Trailing.";
constexpr const char* kRepeat =
    "Starting or Ending a Regular Expression with \".*\" or \".?\" is meaning less and will "
    "require more time to process. Please remove it.";
constexpr const char* kStart =
    "Starting a Regular Expression with a ? * + $ or Pipe is not allowed. These are special "
    "meta characters and must be prefixed with a \\ to use them as normal characters. Please "
    "remove it.";
constexpr const char* kEnd =
    "Ending a Regular Expression with a ^ or Pipe is not allowed. These are special meta "
    "characters and must be prefixed with a \\ to use them as normal characters. Please remove "
    "it.";

struct CheckCase {
  const char* pattern;
  bool word;
  bool trailing;
  const char* message;  // nullptr: the pattern passes
  SwitchToClear clears;
};

constexpr auto kNone = SwitchToClear::None;

const CheckCase kCheckCases[] = {
    // Blank patterns pass.
    {"", false, false, nullptr, kNone},
    {"    ", true, true, nullptr, kNone},
    {"kmn", true, true, nullptr, kNone},
    // Sets: the first member may be ']', also after '^'; a '\' in a set is a member.
    {"[]kmn", false, false, kSet, kNone},
    {"[abc", false, false, kSet, kNone},
    {"[", false, false, kSet, kNone},
    {"[^]", false, false, kSet, kNone},
    {"x[]", false, false, kSet, kNone},
    {"[]a]", false, false, nullptr, kNone},
    {"[^]a]", false, false, nullptr, kNone},
    {"[\\]x", false, false, nullptr, kNone},
    {"\\[kmn", false, false, nullptr, kNone},
    {"[{]x", false, false, nullptr, kNone},  // a brace inside a set is a member
    // Groups.
    {"{kmn", false, false, kGroup, kNone},
    {"kmn}", false, false, kGroup, kNone},
    {"{a}}", false, false, kGroup, kNone},
    {"{a{b}", false, false, kGroup, kNone},
    {"}{a", false, false, kGroup, kNone},  // a '}' before any '{' is reported at once
    {"\\{kmn", false, false, nullptr, kNone},
    {"a\\}", false, false, nullptr, kNone},
    {"{a{b}c}", false, false, nullptr, kNone},
    // Balance comes before the switches: the switch survives.
    {"^{a", true, false, kGroup, kNone},
    // Word and a start anchor.
    {"^IF", true, false, kCaret, SwitchToClear::Word},
    {"^IF", false, false, nullptr, kNone},
    {"^IF$", true, true, kCaret, SwitchToClear::Word},
    // Trailing and an end anchor; an escaped dollar is a literal a blank may follow.
    {"kmn$", false, true, kDollar, SwitchToClear::Trailing},
    {"kmn$", true, false, nullptr, kNone},
    {"$", false, true, kDollar, SwitchToClear::Trailing},
    {"kmn\\$", false, true, nullptr, kNone},
    // A repeated character at either end.
    {"a*b", false, false, kRepeat, kNone},
    {"a?", false, false, kRepeat, kNone},
    {".*x", false, false, kRepeat, kNone},
    {"\\**", false, false, nullptr, kNone},
    {"kmn*", false, false, kRepeat, kNone},
    {"abc?", false, false, kRepeat, kNone},
    {"kmn.*", false, false, kRepeat, kNone},
    {"[ab]*", false, false, nullptr, kNone},
    {"{ab}*", false, false, nullptr, kNone},
    {"ab\\*", false, false, nullptr, kNone},
    {"ab*", false, false, nullptr, kNone},  // three characters: too short for the end rule
    {"x.?", false, false, nullptr, kNone},
    {"kmn*   ", false, false, kRepeat, kNone},  // trailing blanks never count
    // Meta characters at the start.
    {"|kmn", false, false, kStart, kNone},
    {"$kmn", false, false, kStart, kNone},
    {"*a", false, false, kStart, kNone},
    {"+a", false, false, kStart, kNone},
    {"?a", false, false, kStart, kNone},
    {"*", false, false, kStart, kNone},
    {"$", false, false, kStart, kNone},
    // Meta characters at the end.
    {"kmn|", false, false, kEnd, kNone},
    {"kmn^", false, false, kEnd, kNone},
    {"kmn|  ", false, false, kEnd, kNone},
    {"a|", false, false, nullptr, kNone},
    {"a|  ", false, false, nullptr, kNone},
    {"kmn\\|", false, false, nullptr, kNone},
    {"kmn\\^", false, false, nullptr, kNone},
    {"^", false, false, nullptr, kNone},
};

TEST(RegexProblem, FindsTheFirstProblemInOrder) {
  for (const auto& c : kCheckCases) {
    const auto problem = RegexProblem(c.pattern, c.word, c.trailing);
    if (c.message == nullptr) {
      EXPECT_FALSE(problem) << "'" << c.pattern << "': " << problem->text;
      continue;
    }
    ASSERT_TRUE(problem) << "'" << c.pattern << "'";
    EXPECT_EQ(problem->text, c.message) << "'" << c.pattern << "'";
    EXPECT_EQ(problem->clears, c.clears) << "'" << c.pattern << "'";
  }
}

TEST(ValidateRegex, ShowsTheMessageAndClearsTheSwitch) {
  for (const auto& c : kCheckCases) {
    testing::ScriptedDesktop desktop;
    std::uint8_t word = c.word ? 1 : 0;
    std::uint8_t trailing = c.trailing ? 1 : 0;
    const int result = ValidateRegex(c.pattern, &word, &trailing, desktop);
    if (c.message == nullptr) {
      EXPECT_EQ(result, 0) << c.pattern;
      EXPECT_TRUE(desktop.messages.empty()) << c.pattern;
      EXPECT_EQ(word, c.word ? 1 : 0) << c.pattern;
      EXPECT_EQ(trailing, c.trailing ? 1 : 0) << c.pattern;
      continue;
    }
    EXPECT_EQ(result, 1) << c.pattern;
    ASSERT_EQ(desktop.messages.size(), 1u) << c.pattern;
    const runtime::Message& shown = desktop.messages[0];
    EXPECT_EQ(shown.text, c.message) << c.pattern;
    EXPECT_EQ(shown.caption, "Regular Expression Checker");
    EXPECT_EQ(shown.icon, runtime::Icon::Warning);
    EXPECT_EQ(shown.standard, runtime::Buttons::Ok);
    EXPECT_TRUE(shown.buttons.empty());
    EXPECT_EQ(word, c.word && c.clears != SwitchToClear::Word ? 1 : 0) << c.pattern;
    EXPECT_EQ(trailing, c.trailing && c.clears != SwitchToClear::Trailing ? 1 : 0) << c.pattern;
  }
}

TEST(ValidateRegex, AbsentSwitchesNeverClash) {
  testing::ScriptedDesktop desktop;
  EXPECT_EQ(ValidateRegex("^IF", nullptr, nullptr, desktop), 0);
  EXPECT_EQ(ValidateRegex("kmn$", nullptr, nullptr, desktop), 0);
  EXPECT_TRUE(desktop.messages.empty());
  // Any non-zero byte counts as set.
  std::uint8_t word = 7;
  EXPECT_EQ(ValidateRegex("^IF", &word, nullptr, desktop), 1);
  EXPECT_EQ(word, 0);
  std::uint8_t trailing = 1;
  EXPECT_EQ(ValidateRegex("kmn$", nullptr, &trailing, desktop), 1);
  EXPECT_EQ(trailing, 0);
}

// --- ExplainRegex -------------------------------------------------------------------------

struct Row {
  std::string in;
  std::string desc;
  int indent;
};

struct ExplainCase {
  std::string pattern;
  std::vector<Row> rows;
};

const std::string B = "\x80";  // how a blank of the pattern is shown
const std::string kIgnored = "<Ignored, Meta's require a \\ before them>";

std::vector<ExplainCase> ExplainCases() {
  return {
      {"kmn", {{"kmn", "kmn", 0}}},
      {"ab*c", {{"a", "a", 0}, {"b*", "b <Occurs 0 or More Times>", 0}, {"c", "c", 0}}},
      {"a+b?", {{"a+", "a <Occurs 1 or More Times>", 0}, {"b?", "b <Occurs 0 or 1 Time>", 0}}},
      {"4{th}?", {{"4", "4", 0}, {"{th}", "th", 0}, {"?", "<Above Occurs 0 or 1 Time>", 0}}},
      {"^IF.*THEN$",
       {{"^", "<Match at Beginning of Line>", 0},
        {"IF", "IF", 0},
        {".*", "<Any Character> <Occurs 0 or More Times>", 0},
        {"THEN", "THEN", 0},
        {"$", "<Match at End of Line>", 0}}},
      {".?x.+.",
       {{".?", "<Any Character> <Occurs 0 or 1 Time>", 0},
        {"x", "x", 0},
        {".+", "<Any Character> <Occurs 1 or More Times>", 0},
        {".", "<Any Character>", 0}}},
      // Escapes: a meta character after '\' is a literal; anything else makes the '\' idle.
      {"\\.*", {{"\\.", ".", 0}, {"*", "<Above Occurs 0 or More Times>", 0}}},
      {"a\\x", {{"a", "a", 0}, {"\\", "<Ignored \\ w/o meta after>", 0}, {"x", "x", 0}}},
      {"x\\", {{"x", "x", 0}, {"\\", "<Ignored \\ w/o meta after>", 0}}},
      {"\\{a\\}\\|\\\\",
       {{"\\{", "{", 0}, {"a", "a", 0}, {"\\}", "}", 0}, {"\\|", "|", 0}, {"\\\\", "\\", 0}}},
      {"a\\$", {{"a", "a", 0}, {"\\$", "$", 0}}},  // an escaped final dollar is no anchor
      // Sets.
      {"[abc]x", {{"[abc]", "<1 of the Characters> abc", 0}, {"x", "x", 0}}},
      {"[^a-z]+",
       {{"[^a-z]", "<A Character but NOT> a-z", 0}, {"+", "<Above Occurs 1 or More Times>", 0}}},
      {"[]a]", {{"[]a]", "<1 of the Characters> ]a", 0}}},
      {"[^]a]", {{"[^]a]", "<A Character but NOT> ]a", 0}}},
      {"x[ab", {{"x", "x", 0}, {"[ab", "Error Unbalanced []", 0}}},
      {"[ ]", {{"[" + B + "]", "<1 of the Characters> " + B, 0}}},
      // Groups: one row for plain text, row by row when they hold structure.
      {"{IF|CASE} x",
       {{"{", "{ <Begin Group>", 0},
        {"  IF", "   IF", 1},
        {"  |", "   <-or->", 1},
        {"  CASE", "   CASE", 1},
        {"}", "} <End Group>", 0},
        {B + "x", B + "x", 0}}},
      {"{a{b}c}",
       {{"{", "{ <Begin Group>", 0},
        {"  a", "   a", 1},
        {"  {b}", "   b", 1},
        {"  c", "   c", 1},
        {"}", "} <End Group>", 0}}},
      {"{a|{b|c}}",
       {{"{", "{ <Begin Group>", 0},
        {"  a", "   a", 1},
        {"  |", "   <-or->", 1},
        {"  {", "   { <Begin Group>", 1},
        {"    b", "      b", 2},
        {"    |", "      <-or->", 2},
        {"    c", "      c", 2},
        {"  }", "   } <End Group>", 1},
        {"}", "} <End Group>", 0}}},
      {"{a\\.b}",
       {{"{", "{ <Begin Group>", 0},
        {"  a", "   a", 1},
        {"  \\.", "   .", 1},
        {"  b", "   b", 1},
        {"}", "} <End Group>", 0}}},
      {"{a\\}", {{"{", "{ <Begin Group>", 0}, {"  a", "   a", 1}, {"  \\}", "   }", 1}}},
      {"{a$b}", {{"{a$b}", "a$b", 0}}},
      {"{a b}", {{"{a" + B + "b}", "a" + B + "b", 0}}},
      {"{}", {{"{}", "{}", 0}}},  // a blank description shows the element
      {"x{ab", {{"x", "x", 0}, {"{", "{ <Begin Group>", 0}, {"  ab", "   ab", 1}}},
      // Meta characters that stand where they mean nothing.
      {"a]b", {{"a", "a", 0}, {"]", kIgnored, 0}, {"b", "b", 0}}},
      {"a}b", {{"a", "a", 0}, {"}", kIgnored, 0}, {"b", "b", 0}}},
      {"a^b", {{"a", "a", 0}, {"^", kIgnored, 0}, {"b", "b", 0}}},
      {"a$b", {{"a", "a", 0}, {"$", kIgnored, 0}, {"b", "b", 0}}},
      {"$", {{"$", kIgnored, 0}}},  // one character: too short to be the end anchor
      {"^$", {{"^", "<Match at Beginning of Line>", 0}, {"$", "<Match at End of Line>", 0}}},
      // Blanks are shown as character 128 and join literal runs.
      {"a b  ", {{"a" + B + "b", "a" + B + "b", 0}}},
      {" *x", {{B + "*", B + " <Occurs 0 or More Times>", 0}, {"x", "x", 0}}},
  };
}

TEST(ExplainRegex, GivesOneRowPerElement) {
  for (const auto& c : ExplainCases()) {
    const auto rows = ExplainRegex(c.pattern, true);
    std::vector<Row> got;
    for (const auto& row : rows) {
      got.push_back({row.in, row.desc, row.indent});
      EXPECT_EQ(row.inLen, static_cast<int>(row.in.size())) << c.pattern << " row " << row.in;
    }
    ASSERT_EQ(got.size(), c.rows.size()) << c.pattern;
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].in, c.rows[i].in) << c.pattern << " row " << i;
      EXPECT_EQ(got[i].desc, c.rows[i].desc) << c.pattern << " row " << i;
      EXPECT_EQ(got[i].indent, c.rows[i].indent) << c.pattern << " row " << i;
    }
  }
}

TEST(ExplainRegex, BlankAndInvalidPatterns) {
  EXPECT_TRUE(ExplainRegex("", true).empty());
  EXPECT_TRUE(ExplainRegex("   ", true).empty());
  EXPECT_TRUE(ExplainRegex("   ", false).empty());
  const std::vector<ParseRow> invalid = {{"Error", "Regular Expression is Invalid", 5, 0}};
  EXPECT_EQ(ExplainRegex("[]kmn", false), invalid);
  EXPECT_EQ(ExplainRegex("kmn", false), invalid);  // the caller's verdict decides
}

TEST(ExplainRegex, ExplainsTheFirstSixtyCharactersOnly) {
  const std::string sixty(60, 'a');
  EXPECT_EQ(ExplainRegex(sixty + "bcd", true), (std::vector<ParseRow>{{sixty, sixty, 60, 0}}));
  // The cut makes the 60th character the last one: a '$' there anchors.
  const std::string run(59, 'a');
  EXPECT_EQ(ExplainRegex(run + "$xyz", true),
            (std::vector<ParseRow>{{run, run, 59, 0}, {"$", "<Match at End of Line>", 1, 0}}));
  // A set cut in two is unbalanced.
  const std::string lead(58, 'a');
  const auto rows = ExplainRegex(lead + "[bc]", true);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].in, "[b");
  EXPECT_EQ(rows[1].desc, "Error Unbalanced []");
}

TEST(ExplainRegex, DeepRowsAreCutToTheirFieldWidths) {
  // 25 groups opened row by row, then a set: the indents push both fields past their widths.
  const std::string members(33, 'm');
  const auto rows = ExplainRegex(std::string(25, '{') + "[" + members + "]", true);
  ASSERT_EQ(rows.size(), 26u);
  const ParseRow& set = rows.back();
  EXPECT_EQ(set.indent, 25);
  EXPECT_EQ(set.in, std::string(50, ' ') + "[" + std::string(9, 'm'));
  EXPECT_EQ(set.inLen, 60);
  EXPECT_EQ(set.desc.size(), 120u);
  EXPECT_EQ(set.desc, std::string(75, ' ') + "<1 of the Characters> " + std::string(23, 'm'));
}

// Every character of the explained pattern appears in exactly one row, in order: nothing is
// lost or doubled, whatever the pattern (the explainer is also given patterns the checker
// would refuse).
TEST(ExplainRegex, RowsHoldEveryCharacterOnceInOrder) {
  std::mt19937 rng(7);
  const std::string alphabet = "ab {}[]^$\\.*?+|";
  for (int i = 0; i < 20000; ++i) {
    std::string pattern;
    const int length = std::uniform_int_distribution<int>(1, 16)(rng);
    for (int k = 0; k < length; ++k) {
      pattern += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
    }
    std::string expected = pattern.substr(0, runtime::Len(pattern));
    for (char& c : expected) c = c == ' ' ? '\x80' : c;
    std::string joined;
    for (const auto& row : ExplainRegex(pattern, true)) {
      ASSERT_LE(row.in.size(), kParseInWidth);
      ASSERT_LE(row.desc.size(), kParseDescWidth);
      ASSERT_EQ(row.inLen, static_cast<int>(row.in.size()));
      ASSERT_EQ(row.in.substr(0, 2 * row.indent), std::string(2 * row.indent, ' ')) << pattern;
      ASSERT_EQ(row.desc.substr(0, 3 * row.indent), std::string(3 * row.indent, ' ')) << pattern;
      joined += row.in.substr(2 * row.indent);
    }
    ASSERT_EQ(joined, expected) << "pattern '" << pattern << "'";
  }
}

}  // namespace
}  // namespace trawlex::utilities
