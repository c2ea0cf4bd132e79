// The line stage: which lines of a file are reported, by matching mode, word and trailing
// switches, code-only, label modes and first-only.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/line_stage.h"
#include "engine/prepare_search.h"

namespace trawlex::engine {
namespace {

using Lines = std::vector<std::string>;
using Numbers = std::vector<std::uint32_t>;

// Line numbers the stage reports for these lines (already read: tabs expanded).
Numbers Reported(const SearchSpec& request, const Lines& lines, FileKind kind = FileKind::Veldar) {
  const SearchPlan plan = MakeSearchPlan(request, PrepareSearch(request, {}).work);
  NoLocationTrackers trackers;
  LineStage stage(plan, trackers, kind);
  Numbers numbers;
  const std::function<std::string()> peek = [] { return std::string(); };
  const std::function<bool(const ReportedLine&)> report = [&](const ReportedLine& r) {
    numbers.push_back(r.lineNo);
    return true;
  };
  for (const std::string& line : lines) {
    if (!stage.OnLine(StageLine{line, 0}, peek, report)) break;
  }
  return numbers;
}

SearchSpec Find(const char* text, void (*set)(SearchSwitches&) = nullptr) {
  SearchSpec r;
  r.text = text;
  r.path = "/tmp";
  r.spec = "*.*";
  if (set) set(r.sw);
  return r;
}

struct StageCase {
  const char* name;
  SearchSpec request;
  Lines lines;
  Numbers expected;
  FileKind kind = FileKind::Veldar;
};

TEST(LineStage, ReportsTheLinesEachRequestFinds) {
  auto word = [](SearchSwitches& s) { s.word = 1; };
  auto trail = [](SearchSwitches& s) { s.trail = 1; };
  auto code = [](SearchSwitches& s) { s.codeOnly = 1; };
  auto regex = [](SearchSwitches& s) { s[Extra::Regex] = 1; };
  auto wild = [](SearchSwitches& s) { s[Extra::Wild] = 1; };
  const StageCase cases[] = {
      {"plain text ignores case", Find("kmn"), {"x = KMN", "kmx", "Kmn"}, {1, 3}},
      {"case-sensitive", Find("Kmn", [](SearchSwitches& s) { s.caseSensitive = 1; }),
       {"x = KMN", "Kmn"}, {2}},
      {"whole word: blanks and line ends separate words", Find("kmn", word),
       {"x = kmn;", "x = kmn + 1", "kmn = 1", "x = kmn", "(kmn)", "xkmn", "  kmn"},
       {2, 3, 4, 7}},
      {"trailing: the text ends a word", Find("kmn", trail),
       {"kmndef", "xkmn = 1", "x = kmn", "kmn;"}, {2, 3}},
      {"smash ignores blanks", Find("a=b", [](SearchSwitches& s) { s.smash = 1; }),
       {"x  a = b", "a =  c"}, {1}},
      {"code only in Veldar: '!' outside quotes starts a comment", Find("kmn", code),
       {"x = 'a!b' ! kmn", "x = 'it''s' ! kmn", "kmn ! comment", "x = 'kmn!'"}, {3, 4}},
      {"code only in VB: a quote inside double quotes is text", Find("kmn", code),
       {"x = \"it's\" & kmn", "x = 1 ' kmn", "kmn ' note"}, {1, 3}, FileKind::Vb},
      {"code only does nothing for plain text", Find("kmn", code), {"! kmn"}, {1},
       FileKind::PlainText},
      {"regex anchored at the left matches without leading blanks", Find("^if", regex),
       {"    IF x", "x IF", "IFFY"}, {1, 3}},
      {"regex whole word: the line end counts as a blank", Find("k.n", [](SearchSwitches& s) {
         s[Extra::Regex] = 1;
         s.word = 1;
       }),
       {"x = kmn", "kmn = 1", "x = kmnx", "x=kmn"}, {1, 2}},
      {"regex with code only cuts the comment first", Find("kmn", [](SearchSwitches& s) {
         s[Extra::Regex] = 1;
         s.codeOnly = 1;
       }),
       {"x = 1 ! kmn", "x = 'a!b' kmn", "kmn ! x"}, {2, 3}},
      {"wildcard finds the pattern anywhere", Find("k?n", wild), {"x = kmn", "kn", "x = kXn"},
       {1, 3}},
      {"wildcard whole word", Find("k?n", [](SearchSwitches& s) {
         s[Extra::Wild] = 1;
         s.word = 1;
       }),
       {"x = kmn", "x = kmnx", "kan = 1"}, {1, 3}},
      {"first only stops after the first report", Find("k", [](SearchSwitches& s) { s.first = 1; }),
       {"a", "k1", "k2"}, {2}},
      {"a line with three hits counts once", Find("k"), {"k k k"}, {1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Reported(c.request, c.lines, c.kind), c.expected) << c.name;
  }
}

TEST(LineStage, LabelModesChooseWhatOfALineIsSearched) {
  auto mode = [](int value) {
    SearchSpec r = Find("main");
    r.sw[Extra::LabelMode] = static_cast<std::uint8_t>(value);
    return r;
  };
  const Lines lines = {
      "MainProc PROCEDURE(LONG x)",   // 1: label holds the text
      "Other PROCEDURE(Main)",        // 2: only the rest holds it
      "  CALL(Main)",                 // 3: not a label line
      "Main",                         // 4: nothing but a label
      "Main ROUTINE",                 // 5
      "MainQ QUEUE,EXTERNAL",         // 6
      "MainQ QUEUE",                  // 7
  };
  const struct {
    int mode;
    Numbers expected;
  } cases[] = {
      {0, {1, 2, 3, 4, 5, 6, 7}},
      {1, {1}},                 // label only, procedures
      {2, {5}},                 // routines
      {4, {7}},                 // queues, not external ones
      {11, {1, 4, 5, 6, 7}},    // any label
      {129, {1, 2}},            // whole label line, procedures
      {251, {2, 3}},            // every line, but not the label of a label line
      {252, {3}},               // label lines are skipped
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Reported(mode(c.mode), lines), c.expected) << "label mode " << c.mode;
  }
}

TEST(LineStage, LabelFilterHonoursMapsClassesAndExternals) {
  LocationState outside;
  LocationState inMap;
  inMap.inMap = 1;
  LocationState inClass;
  inClass.inClass = 1;
  EXPECT_TRUE(LabelFilterKeeps(1, "PROCEDURE(LONG X)", outside));
  EXPECT_TRUE(LabelFilterKeeps(1, "FUNCTION", outside));
  EXPECT_FALSE(LabelFilterKeeps(1, "PROCEDURE(LONG X)", inMap));
  EXPECT_FALSE(LabelFilterKeeps(1, "PROCEDURE(LONG X)", inClass));
  EXPECT_FALSE(LabelFilterKeeps(1, "PROCEDURE , EXTERNAL", outside));  // blanks do not hide it
  EXPECT_TRUE(LabelFilterKeeps(3, "CLASS(WINDOWMANAGER)", outside));
  EXPECT_TRUE(LabelFilterKeeps(3, "INTERFACE", outside));
  EXPECT_TRUE(LabelFilterKeeps(7, "KEY(CUS:ID)", outside));
  EXPECT_FALSE(LabelFilterKeeps(7, "KEY", outside));
  EXPECT_TRUE(LabelFilterKeeps(8, "ITEMIZE", outside));
  EXPECT_TRUE(LabelFilterKeeps(9, "APPLICATION('X')", outside));
  EXPECT_TRUE(LabelFilterKeeps(10, "REPORT", outside));
  EXPECT_TRUE(LabelFilterKeeps(11, "", outside));
}

TEST(LineStage, CommentRules) {
  EXPECT_EQ(CutAtComment("x = 'a!b' ! c", 13), 11);
  EXPECT_EQ(CutAtComment("no comment", 10), 10);
  EXPECT_TRUE(HitInComment(FileKind::Template, "! x", 3));
  EXPECT_FALSE(HitInComment(FileKind::C, "// x", 4));  // no rule for C
  EXPECT_TRUE(HitInComment(FileKind::VbNet, "a ' x", 5));
  EXPECT_FALSE(HitInComment(FileKind::Php, "# x", 3));
}

}  // namespace
}  // namespace trawlex::engine
