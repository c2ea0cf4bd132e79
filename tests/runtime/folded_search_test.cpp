// Finding a needle in raw bytes through the case table, against a plain fold-then-find.

#include <gtest/gtest.h>

#include <random>

#include "runtime/case_table.h"
#include "runtime/folded_search.h"

namespace trawlex::runtime {
namespace {

std::size_t Reference(std::string_view hay, const std::string& needle, bool ignoreCase,
                      std::size_t from) {
  const std::string folded = ignoreCase ? UpperText(hay) : std::string(hay);
  return folded.find(needle, from);
}

TEST(FoldedFinder, FindsLikeFoldingFirst) {
  const struct {
    const char* hay;
    const char* needle;
    bool ignoreCase;
    std::size_t expected;
  } cases[] = {
      {"x = Cust + cust", "CUST", true, 4},
      {"x = Cust + cust", "cust", false, 11},
      {"x = Cust", "CUSTX", true, std::string::npos},
      {"\xE9t\xE9", "\xC9T\xC9", true, 0},  // accented letters fold in pairs
      {"ab", "B", true, 1},                  // one-letter needles
      {"", "A", true, std::string::npos},
      {"abc", "", true, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FoldedFinder(c.needle, c.ignoreCase).Find(c.hay), c.expected) << c.hay;
  }
}

TEST(FoldedFinder, AgreesWithFoldingFirstAtEveryOffset) {
  std::mt19937 rng(3);
  const std::string alphabet = "aAbB\xE0\xC0 xX";
  for (int round = 0; round < 3000; ++round) {
    std::string hay(std::uniform_int_distribution<int>(0, round % 10 ? 70 : 400)(rng), ' ');
    for (char& c : hay) c = alphabet[std::uniform_int_distribution<std::size_t>(0, 8)(rng)];
    std::string needle(std::uniform_int_distribution<int>(1, 9)(rng), ' ');
    for (char& c : needle) c = alphabet[std::uniform_int_distribution<std::size_t>(0, 8)(rng)];
    const bool ignoreCase = round % 2 == 0;
    if (ignoreCase) needle = UpperText(needle);
    const FoldedFinder finder(needle, ignoreCase);
    const std::size_t from = std::uniform_int_distribution<std::size_t>(0, hay.size())(rng);
    // A haystack of exactly its size, so reading past its end would be caught by sanitizers.
    const std::unique_ptr<char[]> exact(new char[hay.size()]);
    std::copy(hay.begin(), hay.end(), exact.get());
    const std::string_view view(exact.get(), hay.size());
    ASSERT_EQ(finder.Find(view, from), Reference(hay, needle, ignoreCase, from))
        << "hay '" << hay << "' needle '" << needle << "' from " << from;
  }
}

}  // namespace
}  // namespace trawlex::runtime
