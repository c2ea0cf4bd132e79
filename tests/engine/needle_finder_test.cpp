// A one-word needle of a whole-word or trailing search is only taken where a hit could stand.

#include "engine/needle_finder.h"

#include <gtest/gtest.h>

namespace trawlex::engine {
namespace {

constexpr std::size_t npos = std::string_view::npos;

TEST(NeedleFinder, TakesAWordOnlyWhereBlanksOrLineEndsStandAroundIt) {
  const NeedleFinder word("KMN", true, true, true);
  const NeedleFinder trailing("KMN", true, false, true);
  const struct {
    const char* text;
    std::size_t word;      // where `word` finds it
    std::size_t trailing;  // where `trailing` finds it
  } cases[] = {
      {"kmn", 0, 0},                  // the text's ends stand for what lies beyond
      {"x kmn;\r\n", npos, npos},     // punctuation is no blank
      {"xkmn kmn\r\n", 5, 1},         // only trailing takes a word's end
      {"a\tkmn\tb", 2, 2},            // tabs become blanks
      {"a\nkmn\r\nb", 2, 2},          // a line's start and its CR LF end
      {"a kmn\rb kmn", 8, 8},         // a lone CR is an ordinary character
      {"a kmn\r", 2, 2},              // a CR at the end may precede a line feed
  };
  for (const auto& c : cases) {
    EXPECT_EQ(word.Find(c.text), c.word) << c.text;
    EXPECT_EQ(trailing.Find(c.text), c.trailing) << c.text;
  }
}

}  // namespace
}  // namespace trawlex::engine
