// The regular-expression compiler: which patterns compile, the node program it builds and
// what it learns about where matches can begin.

#include <gtest/gtest.h>

#include <vector>

#include "runtime/regex_program.h"

namespace trawlex::runtime {
namespace {

TEST(RegexCompile, RejectsPatternsThatBreakTheRules) {
  const char* bad[] = {
      "^*",        // a quantifier on an atom without width
      "$+",        //
      "{}*",       // a group that can match nothing
      "{a*}*",     //
      "{a|}+",     //
      "a**",       // doubled quantifiers
      "a+?",       //
      "a?*",       //
      "*a",        // a quantifier with nothing before it
      "+",         //
      "?",         //
      "a|*",       //
      "{*}",       //
      "a{b",       // unbalanced braces
      "a}b",       //
      "}",         //
      "{{a}",      //
      "[]",        // unterminated classes
      "[abc",      //
      "[^",        //
      "[z-a]",     // a reverse range
      "a\\",       // a trailing backslash
      "{a}{b}{c}{d}{e}{f}{g}{h}{i}{j}",  // ten groups
      "{{{{{{{{{{a}}}}}}}}}}",            // ten nested groups
  };
  for (const char* pattern : bad) {
    EXPECT_FALSE(CompileRegex(pattern, false)) << pattern;
  }
}

TEST(RegexCompile, AcceptsTheDialectsOddButLegalForms) {
  const char* good[] = {
      "",         "$?",       "x|",      "|",         "^?",        "{}",     "{}?",
      "[]a]",     "[^]]",     "[a-]",    "[-a]",      "[~a-c]",    "[a-a]",  "a-z",
      "(x)",      "]",        "~",       "{a}{b}{c}{d}{e}{f}{g}{h}{i}",    "\\*",
      "a^b",      "\\\\",     "{a|b}+",  "{ab}*c",    "[\\]",      "a{b|}c", "{{a}?b}*x",
  };
  for (const char* pattern : good) {
    EXPECT_TRUE(CompileRegex(pattern, false)) << pattern;
  }
}

using Bytes = std::vector<unsigned char>;

struct ProgramCase {
  const char* pattern;
  Bytes program;
};

TEST(RegexCompile, BuildsTheNodeProgramByteByByte) {
  const ProgramCase cases[] = {
      // BRANCH -> END; LITERAL "abc"; END
      {"abc", {6, 0, 10, 8, 0, 7, 'a', 'b', 'c', 0, 0, 0, 0}},
      // the empty pattern: one branch holding an empty node
      {"", {6, 0, 6, 9, 0, 3, 0, 0, 0}},
      // STAR inserted before its one-character operand
      {"a*", {6, 0, 11, 10, 0, 8, 8, 0, 0, 'a', 0, 0, 0, 0}},
      // a run gives its last character up to the quantifier: LITERAL "a", PLUS(LITERAL "b")
      {"ab+", {6, 0, 16, 8, 0, 5, 'a', 0, 11, 0, 8, 8, 0, 0, 'b', 0, 0, 0, 0}},
      // OPEN 1, two alternatives each leading to CLOSE 1
      {"{a|b}",
       {6, 0, 25, 21, 0, 3, 6, 0, 8, 8, 0, 13, 'a', 0, 6, 0, 8, 8, 0, 5, 'b', 0, 31, 0, 3, 0, 0,
        0}},
      // classes: the negated class keeps its members; ranges are expanded
      {"[^x-z]", {6, 0, 10, 5, 0, 7, 'x', 'y', 'z', 0, 0, 0, 0}},
      // a complex atom under '?': BRANCH(OPEN..CLOSE) | BRANCH(EMPTY), both reaching EMPTY
      {"{ab}?",
       {6, 0, 27, 6, 0, 18, 21, 0, 3, 6, 0, 9, 8, 0, 6, 'a', 'b', 0, 31, 0, 6, 6, 0, 3, 9, 0, 3,
        0, 0, 0}},
      // '*' on a group: the first alternative loops back to the choice with NodeBack
      {"{a}*",
       {6, 0, 29, 6, 0, 20, 21, 0, 3, 6, 0, 8, 8, 0, 5, 'a', 0, 31, 0, 3, 7, 0, 17, 6, 0, 3, 9, 0,
        3, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const auto program = CompileRegex(c.pattern, false);
    ASSERT_TRUE(program) << c.pattern;
    EXPECT_EQ(program->program, c.program) << c.pattern;
  }
}

TEST(RegexCompile, CountsGroups) {
  EXPECT_EQ(CompileRegex("abc", false)->groupCount, 1);
  EXPECT_EQ(CompileRegex("{a}{b}", false)->groupCount, 3);
  EXPECT_EQ(CompileRegex("{a}{b}{c}{d}{e}{f}{g}{h}{i}", false)->groupCount, 10);
}

struct AnalysisCase {
  const char* pattern;
  int firstCharacter;  // -1: none
  bool anchored;
  const char* mustHave;
};

TEST(RegexCompile, LearnsWhereMatchesBegin) {
  const AnalysisCase cases[] = {
      {"abc", 'a', false, ""},
      {"abc|d", -1, false, ""},             // two top-level alternatives: nothing learnt
      {"^abc", -1, true, ""},               // anchored
      {"a^b", 'a', false, ""},              // '^' later does not anchor
      {"{abc}", -1, false, ""},             // a group is not a literal
      {"a*bcd", -1, false, "bcd"},          // leading repeat: the must-have literal
      {"x*ab.cd", -1, false, "cd"},         // equal lengths: the later one wins
      {"x?abc.de", -1, false, "abc"},       // the longest one
      {"a*{bcdef}g", -1, false, "g"},       // literals inside groups do not count
      {"{a}*bc", -1, false, "bc"},          // a repeated group leads too
      {"ab*cd", 'a', false, ""},            // no leading repeat: no must-have literal
      {"[ab]*x", -1, false, "x"},
  };
  for (const auto& c : cases) {
    const auto program = CompileRegex(c.pattern, false);
    ASSERT_TRUE(program) << c.pattern;
    if (c.firstCharacter < 0) {
      EXPECT_FALSE(program->firstCharacter) << c.pattern;
    } else {
      EXPECT_EQ(program->firstCharacter, static_cast<unsigned char>(c.firstCharacter)) << c.pattern;
    }
    EXPECT_EQ(program->anchored, c.anchored) << c.pattern;
    EXPECT_EQ(program->mustHave, c.mustHave) << c.pattern;
  }
}

TEST(RegexCompile, StopsAtTheBufferLimit) {
  // Every class of the full byte range takes 259 bytes; enough of them overflow the buffer.
  std::string pattern;
  while (pattern.size() < 2000) pattern += "[\x01-\xff]";
  EXPECT_FALSE(CompileRegex(pattern, false));
  EXPECT_TRUE(CompileRegex("[\x01-\xff][\x01-\xff]", false));
}

}  // namespace
}  // namespace trawlex::runtime
