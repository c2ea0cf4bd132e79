#include "ui/qt_text.h"

#include <gtest/gtest.h>

#include <string>

namespace trawlex::ui {
namespace {

struct BytesCase {
  std::string bytes;
  std::string shownUtf8;  // the Qt text, as UTF-8
};

TEST(QtText, BytesAreShownAsUtf8OrElseWindows1252) {
  const BytesCase cases[] = {
      {"plain text", "plain text"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},                // valid UTF-8 stays
      {"caf\xE9", "caf\xC3\xA9"},                    // Windows-1252 e acute
      {"\x80 \x99", "\xE2\x82\xAC \xE2\x84\xA2"},    // euro sign, trade mark
      {"\x81", "\xC2\x81"},                          // undefined byte: the C1 control
      {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9"},  // one bad byte: the whole text is 1252
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const BytesCase& c : cases) {
    const QString shown = ToQString(c.bytes);
    EXPECT_EQ(shown.toStdString(), c.shownUtf8) << c.bytes;
    EXPECT_EQ(ToBytes(shown), c.shownUtf8) << c.bytes;
  }
}

TEST(QtText, BarsInMessagesBreakLines) {
  const BytesCase cases[] = {
      {"one line", "one line"},
      {"a|b", "a\nb"},
      {"Did not find: x||Start from top of file?", "Did not find: x\n\nStart from top of file?"},
      {"Unable to find a good path||||c:\\a||c:", "Unable to find a good path\n\n\n\nc:\\a\n\nc:"},
      {"|edge|", "\nedge\n"},
      {"caf\xE9|x", "caf\xC3\xA9\nx"},
  };
  for (const BytesCase& c : cases) EXPECT_EQ(MessageText(c.bytes).toStdString(), c.shownUtf8);
}

}  // namespace
}  // namespace trawlex::ui
