// The find text of Find and Delete and of the viewer: its preparation from what was typed
// and the switches, and the viewer's test of one line of the file.

#include "results/find_text.h"

#include <gtest/gtest.h>

#include "results/find_text_queue.h"
#include "runtime/match.h"

namespace trawlex::results {
namespace {

FindRecord Prepared(const char* text, FindSwitches sw) {
  FindRecord find;
  find.findText = text;
  find.sw = sw;
  PrepareFindText(find);
  return find;
}

TEST(FindText, PreparationFollowsTheSwitches) {
  struct Case {
    const char* text;
    FindSwitches sw;
    std::string needle;
    FindHow how;
    unsigned mode;
  };
  using runtime::Match::NoCase;
  const Case cases[] = {
      {"foo  ", {}, "FOO", FindHow::Substring, 0},
      {"foo", {.caseSensitive = true, .word = true}, " foo ", FindHow::Substring, 0},
      {" foo", {.trailing = true}, " FOO ", FindHow::Substring, 0},
      {"foo", {.word = true, .wild = true}, "* FOO *", FindHow::Match, 1 | NoCase},
      {"fo+", {.word = true, .regex = true}, " FO+{ }", FindHow::Match, 2 | NoCase},
      {"Fo+", {.caseSensitive = true, .regex = true}, "Fo+", FindHow::Match, 2},
      {"a b c", {.smash = true, .wild = true}, "*ABC*", FindHow::Match, 1 | NoCase},
  };
  for (const Case& c : cases) {
    const FindRecord find = Prepared(c.text, c.sw);
    EXPECT_EQ(find.needle(), c.needle) << c.text;
    EXPECT_EQ(find.findLen, c.needle.size()) << c.text;
    EXPECT_EQ(find.find2Execute, c.how) << c.text;
    EXPECT_EQ(find.matchMode, c.mode) << c.text;
  }
  EXPECT_FALSE(Prepared("   ", {.word = true}).set());
}

TEST(FindText, ViewLineTestTable) {
  struct Case {
    const char* text;
    FindSwitches sw;
    const char* line;
    bool passes;
  };
  const Case cases[] = {
      {"foo", {}, "  x = Foo(1)", true},
      {"foo", {.caseSensitive = true}, "  x = Foo(1)", false},
      {"Foo", {.caseSensitive = true}, "  x = Foo(1)", true},
      {"foo", {.word = true}, "  x = foobar", false},
      {"foo", {.word = true}, "foo", true},  // the line's ends count as blanks
      {"foo", {.word = true}, "   Foo = 1   ", true},
      {"foo", {.trailing = true}, "barfoo = 1", true},
      {"foo", {.trailing = true}, "x = foobar", false},
      {"a b", {.smash = true}, "x = A  B", true},
      {"a b", {.smash = true}, "x = a-b", false},
      {"f?o", {.wild = true}, "x fxo y", true},
      {"f?o", {.wild = true}, "x fo y", false},
      {"f*o", {.word = true, .wild = true}, "call fizzo", true},  // a word at the line's end
      {"f*o", {.word = true, .wild = true}, "call fizzo2", false},
      {"fo+", {.regex = true}, "x = FOOO", true},
      {"^fo+", {.regex = true}, "    foo", true},  // leading blanks go before a pattern
      {"fo+", {.word = true, .regex = true}, "x = foo", true},
      {"fo+", {.word = true, .regex = true}, "x = foox", false},
      {"Fo+", {.caseSensitive = true, .regex = true}, "x = foo", false},
      {"ab", {.smash = true, .regex = true}, "x = a b", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ViewLinePassesFind(Prepared(c.text, c.sw), c.line), c.passes)
        << c.text << " in \"" << c.line << "\"";
  }
  EXPECT_FALSE(ViewLinePassesFind(FindRecord{}, "anything"));
}

TEST(FindText, HistoryKeepsThirteenRecentTextsOnce) {
  FindTextQueue history;
  for (int i = 0; i < 15; ++i) history.Record("text" + std::to_string(i));
  history.Record("TEXT10");
  history.Record("  ");
  ASSERT_EQ(history.entries().size(), kFindTextEntries);
  EXPECT_EQ(history.entries()[0], "TEXT10");
  EXPECT_EQ(history.entries()[1], "text14");
  EXPECT_EQ(std::count(history.entries().begin(), history.entries().end(), "text10"), 0);
  EXPECT_EQ(history.entries().back(), "text2");
}

}  // namespace
}  // namespace trawlex::results
