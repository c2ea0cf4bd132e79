// Preparing a run: the working values and batch size derived from a request, and the options
// text.

#include <gtest/gtest.h>

#include "engine/prepare_search.h"

namespace trawlex::engine {
namespace {

SearchSpec Request(const char* text) {
  SearchSpec r;
  r.text = text;
  r.path = "/src/App";
  r.spec = "*.vlw";
  return r;
}

TEST(PrepareSearch, BlankTextSearchesNothing) {
  const auto p = PrepareSearch(Request("   "), {});
  EXPECT_EQ(p.work.len, 0);
  EXPECT_EQ(p.work.searchedText(), "");
}

TEST(PrepareSearch, UpperCasesUnlessCaseSensitive) {
  EXPECT_EQ(PrepareSearch(Request("Cust"), {}).work.searchedText(), "CUST");
  SearchSpec r = Request("Cust");
  r.sw.caseSensitive = 1;
  EXPECT_EQ(PrepareSearch(r, {}).work.searchedText(), "Cust");
}

struct WorkCase {
  const char* name;
  const char* text;
  void (*set)(SearchSwitches&);
  const char* searched;  // first LEN characters of TEXT
  const char* wt1;
  const char* wt2;
  FindMode mode;
  int matchMode;
  int skipFastDos;
  int left;
};

TEST(PrepareSearch, DerivesTheSearchedTextAndItsAlternatives) {
  const WorkCase cases[] = {
      {"word", "kmn", [](SearchSwitches& s) { s.word = 1; }, " KMN ", "\nKMN ", " KMN\r",
       FindMode::Substring, 0, 0, 0},
      {"word trims leading blanks", "  kmn", [](SearchSwitches& s) { s.word = 1; }, " KMN ",
       "\nKMN ", " KMN\r", FindMode::Substring, 0, 0, 0},
      {"trailing", "kmn", [](SearchSwitches& s) { s.trail = 1; }, "KMN ", "", "KMN\r",
       FindMode::Substring, 0, 0, 0},
      {"smash", "a b\tc", [](SearchSwitches& s) { s.smash = 1; }, "ABC", "", "",
       FindMode::Substring, 0, 0, 0},
      {"regex with word keeps a blank group", "kmn",
       [](SearchSwitches& s) { s.word = 1; s[Extra::Regex] = 1; }, " KMN{ }", "", "",
       FindMode::Pattern, 2, 0, 0},
      {"wildcard wraps in stars", "k?n", [](SearchSwitches& s) { s[Extra::Wild] = 1; }, "*K?N*",
       "", "", FindMode::Pattern, 1, 0, 0},
      {"wildcard wins over regex", "k?n",
       [](SearchSwitches& s) { s[Extra::Wild] = 1; s[Extra::Regex] = 1; }, "*K?N*", "", "",
       FindMode::Pattern, 1, 0, 0},
      {"code only cuts comments first", "k.n",
       [](SearchSwitches& s) { s[Extra::Regex] = 1; s.codeOnly = 1; }, "K.N", "", "",
       FindMode::PatternNoComment, 2, 0, 0},
      {"anchored regex is matched from the left", "^if",
       [](SearchSwitches& s) { s[Extra::Regex] = 1; }, "^IF", "", "", FindMode::Pattern, 2, 1, 1},
      {"regex ending in $ is not pre-scanned", "end$",
       [](SearchSwitches& s) { s[Extra::Regex] = 1; }, "END$", "", "", FindMode::Pattern, 2, 1, 0},
      {"line mode", "x", [](SearchSwitches& s) { s[Extra::LineMode] = 1; }, "X", "", "",
       FindMode::Substring, 0, 1, 0},
  };
  for (const auto& c : cases) {
    SearchSpec r = Request(c.text);
    c.set(r.sw);
    const SearchWork w = PrepareSearch(r, {}).work;
    EXPECT_EQ(w.searchedText(), c.searched) << c.name;
    if (*c.wt1) {
      EXPECT_EQ(w.searchedWt1(), c.wt1) << c.name;
    }
    if (*c.wt2) {
      EXPECT_EQ(w.searchedWt2().substr(0, std::string(c.wt2).size()), c.wt2) << c.name;
    }
    EXPECT_EQ(w.find2Execute, c.mode) << c.name;
    EXPECT_EQ(w.matchMode, c.matchMode) << c.name;
    EXPECT_EQ(w.skipFastDos, c.skipFastDos) << c.name;
    EXPECT_EQ(w.left, c.left) << c.name;
  }
}

TEST(PrepareSearch, WordSearchHasLengthFiveForThreeLetters) {
  SearchSpec r = Request("kmn");
  r.sw.word = 1;
  const SearchWork w = PrepareSearch(r, {}).work;
  EXPECT_EQ(w.len, 5);
  EXPECT_EQ(w.wtCheck, 1);
  EXPECT_EQ(w.searchedWt1(), "\nKMN ");
  EXPECT_EQ(w.searchedWt2(), " KMN\r");
}

TEST(PrepareSearch, BlockStepLeavesRoomForTheText) {
  EXPECT_EQ(PrepareSearch(Request("abcd"), {}).work.fastDosIncr, 4098 - 4);
  SearchSpec r = Request("abcd");
  r.sw[Extra::Regex] = 1;
  EXPECT_EQ(PrepareSearch(r, {}).work.fastDosIncr, 4098 - 4 - 120);
  r.sw.codeOnly = 1;  // comments cut first: no extra margin
  EXPECT_EQ(PrepareSearch(r, {}).work.fastDosIncr, 4098 - 4);
}

TEST(PrepareSearch, LabelModesSplitIntoFilterAndLineMode) {
  const struct {
    int mode, label, labelLine;
  } cases[] = {{0, 0, 0}, {1, 1, 0}, {11, 11, 0}, {129, 1, 1}, {139, 11, 1},
               {251, 251, 2}, {252, 252, 3}};
  for (const auto& c : cases) {
    SearchSpec r = Request("x");
    r.sw[Extra::LabelMode] = static_cast<std::uint8_t>(c.mode);
    const SearchWork w = PrepareSearch(r, {}).work;
    EXPECT_EQ(w.label, c.label) << c.mode;
    EXPECT_EQ(w.labelLine, c.labelLine) << c.mode;
  }
}

TEST(PrepareSearch, PathsSpecAndBatch) {
  SearchSpec r = Request("Cust");
  r.sw.word = 1;
  r.sw.subdirs = 1;
  r.sw.subLevels = 3;
  EngineSettings settings;
  settings.filesPerTimer = 7;
  settings.filesPerTimerModal = 70;
  const auto p = PrepareSearch(r, settings);
  EXPECT_EQ(p.work.pathBs, "/src/app/");
  EXPECT_EQ(p.work.realPathBs, "/src/App/");
  EXPECT_EQ(p.work.pathLen, 9);
  EXPECT_EQ(p.work.spec, "*.vlw;");
  EXPECT_EQ(p.filesPerTick, 7);
  r.sw.modal = 1;
  EXPECT_EQ(PrepareSearch(r, settings).filesPerTick, 70);
}

TEST(OptionsText, NamesTheSwitchesInOrder) {
  SearchSwitches all;
  all.caseSensitive = all.word = all.trail = all.smash = all.codeOnly = all.first = 1;
  all[Extra::Wild] = all[Extra::Regex] = 1;
  all.subdirs = 1;
  all.subLevels = 2;
  all[Extra::LabelMode] = 129;
  EXPECT_EQ(OptionsText(all), "Case Word Trail Smash Wild RegX Skip! 1st Sub2 Lbl:LnProc");
  EXPECT_EQ(OptionsText({}), "");
  SearchSwitches levelsOnly;
  levelsOnly.subLevels = 5;  // without the subdirectories switch, no "Sub"
  EXPECT_EQ(OptionsText(levelsOnly), "");
  SearchSwitches unknownLabel;
  unknownLabel[Extra::LabelMode] = 9;
  EXPECT_EQ(OptionsText(unknownLabel), "");
}

}  // namespace
}  // namespace trawlex::engine
