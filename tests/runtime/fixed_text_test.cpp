#include "runtime/fixed_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace trawlex::runtime {
namespace {

using namespace std::string_view_literals;

TEST(FixedTextHelpers, ClipFitPadLen) {
  struct Case {
    std::string_view text;
    std::size_t width;
    std::string fit;
    std::string pad;
  };
  const Case cases[] = {
      {"abc", 5, "abc", "abc  "},
      {"abc   ", 5, "abc", "abc  "},
      {"abcdefgh", 5, "abcde", "abcde"},
      {"abcd efgh", 5, "abcd", "abcd "},  // the cut leaves a trailing blank
      {"  ab", 5, "  ab", "  ab "},       // leading blanks stay
      {"", 3, "", "   "},
      {"     ", 3, "", "   "},
      {"a\tb\t", 5, "a\tb\t", "a\tb\t "},  // only spaces are blanks
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(Fit(c.text, c.width), c.fit);
    EXPECT_EQ(Pad(c.text, c.width), c.pad);
  }
  EXPECT_EQ(Clip("ab  "), "ab");
  EXPECT_EQ(Clip("   "), "");
  EXPECT_EQ(Len("ab  "), 2u);
  EXPECT_EQ(Len(" a b "), 4u);
  EXPECT_EQ(Len(""), 0u);
}

TEST(FixedTextHelpers, CompareAsIfBlankPadded) {
  struct Case {
    std::string_view a;
    std::string_view b;
    int sign;
  };
  const Case cases[] = {
      {"abc", "abc  ", 0},   // padding never counts
      {"", "   ", 0},        // a blank field equals the empty text
      {"ab", "ab!", -1},     // '!' sorts after the padding blank
      {"ab\x01", "ab", -1},  // a control byte sorts before it
      {"ab", "ab\x01", 1},   // and the other way round
      {"ab", "abc", -1},     // a shorter text is a prefix
      {"abd", "abc", 1},     // first differing byte decides
      {"ab\xe9", "abz", 1},  // bytes are unsigned
      {"ab   x", "ab", 1},   // inner blanks count
      {"Abc", "abc", -1},    // case counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + "|" + std::string(c.b));
    const int got = CompareFixed(c.a, c.b);
    EXPECT_EQ((got > 0) - (got < 0), c.sign);
    EXPECT_EQ(SameFixed(c.a, c.b), c.sign == 0);
  }
}

TEST(FixedText, AssignmentKeepsWidthAndDropsTrailingBlanks) {
  FixedText<5> field("abcdefg");
  EXPECT_EQ(field.str(), "abcde");
  EXPECT_EQ(field.padded(), "abcde");
  field = "ab   ";
  EXPECT_EQ(field.str(), "ab");
  EXPECT_EQ(field.length(), 2u);
  EXPECT_EQ(field.padded(), "ab   ");
  field = std::string("abcd efg");
  EXPECT_EQ(field.str(), "abcd");
  field = "    ";
  EXPECT_TRUE(field.empty());
  EXPECT_EQ(field.padded(), "     ");
  EXPECT_TRUE(FixedText<3>().empty());

  struct Record {
    FixedText<4> name;
    FixedText<8> path;
  };
  const std::string path = "/home/user/src";
  const Record record{.name = "main.vlw", .path = path};
  EXPECT_EQ(record.name.str(), "main");
  FixedText<2> narrow = record.path;  // copying between widths cuts again
  EXPECT_EQ(narrow.str(), "/h");
  narrow = FixedText<8>("a       ");
  EXPECT_EQ(narrow.str(), "a");
  EXPECT_EQ(record.path.str(), "/home/us");
  FixedText<4> copied = record.name;
  copied = "x  ";
  EXPECT_EQ(copied.str(), "x");
  EXPECT_EQ(record.name.str(), "main");
  static_assert(FixedText<68>::width == 68);
}

TEST(FixedText, ComparesIgnoringPadding) {
  const FixedText<5> shortField("abc");
  const FixedText<10> longField("abc       ");
  EXPECT_TRUE(shortField == longField);
  EXPECT_TRUE(shortField == "abc   "sv);
  EXPECT_TRUE("abc"sv == shortField);
  EXPECT_FALSE(shortField == "abcd"sv);
  EXPECT_TRUE(shortField < "abc!"sv);
  EXPECT_TRUE(FixedText<5>("ab\x01") < FixedText<5>("ab"));
  EXPECT_TRUE(FixedText<5>("abd") > longField);
  EXPECT_TRUE("abb"sv < shortField);
  EXPECT_EQ(shortField <=> longField, std::strong_ordering::equal);
}

}  // namespace
}  // namespace trawlex::runtime
