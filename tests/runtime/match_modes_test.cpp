// MATCH in its simple, wildcard and sound-alike modes, and the mode byte itself.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "runtime/match.h"
#include "wildcard_reference.h"

namespace trawlex::runtime {
namespace {

struct ModeCase {
  const char* text;
  const char* second;
  unsigned mode;
  int expected;
};

TEST(MatchModes, SimpleComparesClippedTexts) {
  const ModeCase cases[] = {
      {"abc", "abc", Match::Simple, 1},
      {"abc  ", "abc", Match::Simple, 1},   // trailing spaces never count
      {" abc", "abc", Match::Simple, 0},    // leading ones do
      {"abc", "ABC", Match::Simple, 0},
      {"abc", "ABC", Match::Simple | Match::NoCase, 1},
      {"\xE9t\xE9", "\xC9T\xC9", Match::Simple | Match::NoCase, 1},
      {"ab", "abc", Match::Simple | Match::NoCase, 0},
      {"", "   ", Match::Simple, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MATCH(c.text, c.second, c.mode), c.expected) << c.text << " / " << c.second;
  }
}

TEST(MatchModes, WildcardMatchesTheWholeText) {
  const ModeCase cases[] = {
      {"", "*", Match::Wild, 1},
      {"a", "a*", Match::Wild, 1},
      {"a", "a**", Match::Wild, 0},  // a star before the end needs a character to stand on
      {"", "**", Match::Wild, 0},
      {"MAIN.VLW", "*.VLW", Match::Wild, 1},
      {"MAIN.VLW", "*.vlw", Match::Wild, 0},
      {"MAIN.VLW", "*.vlw", Match::Wild | Match::NoCase, 1},
      {"", "?", Match::Wild, 0},
      {"x", "?", Match::Wild, 1},
      {"xy", "?", Match::Wild, 0},
      {"abcabd", "a*d", Match::Wild, 1},
      {"abcabd", "a*c", Match::Wild, 0},
      {"abcabd", "*b?", Match::Wild, 1},  // the right-aligned shortcut
      {"ab", "*abc", Match::Wild, 0},     // shorter than the rest
      {"xay", "*a*", Match::Wild, 1},
      {"ya", "*a*", Match::Wild, 1},   // a final star needs nothing
      {"ya", "*a*?", Match::Wild, 0},  // an inner star stands after the text's end
      {"abc   ", "abc", Match::Wild, 1},
      {"a*b", "a*b", Match::Wild, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MATCH(c.text, c.second, c.mode), c.expected) << c.text << " / " << c.second;
  }
}

TEST(MatchModes, WildcardAgreesWithTheRulesOnGeneratedCases) {
  std::mt19937 rng(42);
  auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  auto make = [&](const char* alphabet, int alphabetSize, int maxLength) {
    std::string out;
    for (int i = pick(maxLength + 1); i > 0; --i) out += alphabet[pick(alphabetSize)];
    return out;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string pattern = make("ab*?A", 5, 7);
    const std::string text = make("abB", 3, 8);
    const bool noCase = i % 2 == 0;
    ASSERT_EQ(WildcardMatch(text, pattern, noCase),
              testing::ReferenceWildcard(text, pattern, noCase))
        << "text '" << text << "' pattern '" << pattern << "' nocase " << noCase;
  }
}

TEST(MatchModes, WildcardWithManyStarsStaysFast) {
  const std::string text(5000, 'a');
  std::string pattern;
  for (int i = 0; i < 40; ++i) pattern += "*a";
  pattern += "*b";
  EXPECT_EQ(MATCH(text, pattern, Match::Wild), 0);
}

TEST(MatchModes, SoundAlikeCodes) {
  const struct {
    const char* text;
    const char* code;
  } cases[] = {
      {"Robert", "R163"},  {"Rupert", "R163"},   {"Tymczak", "T520"}, {"Ashcraft", "A261"},
      {"Lee", "L000"},     {"  #lloyd", "L300"}, {"", "!000"},        {"123 !", "!000"},
      {"bfpv", "B000"},    {"Pfister", "P236"},  {"\xE9mile", "\xC9" "540"},
  };
  for (const auto& c : cases) EXPECT_EQ(SoundAlikeCode(c.text), c.code) << c.text;
  EXPECT_EQ(MATCH("Robert", "Rupert", Match::Soundex), 1);
  EXPECT_EQ(MATCH("Robert", "Rubin", Match::Soundex), 0);
  EXPECT_EQ(MATCH("12", "!?", Match::Soundex), 1);  // no letters on either side
}

TEST(MatchModes, UndefinedModesNeverMatch) {
  for (unsigned mode = 4; mode <= 15; ++mode) {
    EXPECT_EQ(MATCH("a", "a", mode), 0) << mode;
    EXPECT_EQ(MATCH("a", "a", mode | Match::NoCase), 0) << mode;
  }
}

}  // namespace
}  // namespace trawlex::runtime
