// Sticky notes: the title taken from the text, the saved look and its guard key, the colour
// list.

#include "utilities/sticky_note.h"

#include <gtest/gtest.h>

#include "runtime/profile.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"

namespace trawlex::utilities {
namespace {

TEST(StickNoteTitle, FollowsTheTextsStart) {
  const struct {
    std::string text;
    std::string title;
  } cases[] = {
      {"", "Stick Note"},
      {"  \r\n\t ", "Stick Note"},
      {"\nShopping", "Shopping - Stick Note"},
      {"\r\nShopping\nmilk", "Shopping milk - Stick Note"},
      {"\tcall\tBob", "call Bob - Stick Note"},
      {"a line longer than twenty characters", "a line longer than t - Stick Note"},
      {"trailing blanks     cut here", "trailing blanks - Stick Note"},
      {"ärger über öl und fett", "ärger über öl und fe - Stick Note"},  // characters, not bytes
      {std::string(100, ' ') + "beyond the first hundred", "Stick Note"},
  };
  for (const auto& c : cases) EXPECT_EQ(StickNoteTitle(c.text), c.title) << c.text;
}

StickLook ChangedLook() {
  StickLook look;
  look.winW = 500;
  look.winH = 321;
  look.fontName = "DejaVu Sans Mono";
  look.fontSize = 14;
  look.fontColor = 0x0000FF;
  look.fontStyle = 700 | 0x1000;
  look.fillColor = 0xC0C0C0;
  look.hScroll = false;
  look.vScroll = true;
  return look;
}

TEST(StickLook, SavedLookComesBackUntilReset) {
  testing::TempTree tree;
  const auto dat = tree.root() / "Search.DAT";
  EXPECT_EQ(LoadStickLook(dat), StickLook());
  ASSERT_TRUE(SaveStickLook(dat, ChangedLook()));
  EXPECT_EQ(LoadStickLook(dat), ChangedLook());
  EXPECT_EQ(runtime::ReadProfileString(dat, "Stick", "FillColor", ""), "12632256");

  // A key that makes no sense falls back alone.
  ASSERT_TRUE(runtime::WriteProfileString(dat, "Stick", "FontSize", "huge"));
  StickLook expected = ChangedLook();
  expected.fontSize = StickLook().fontSize;
  EXPECT_EQ(LoadStickLook(dat), expected);

  ASSERT_TRUE(ResetStickLook(dat));
  EXPECT_EQ(LoadStickLook(dat), StickLook());
}

TEST(StickLook, SaveStoppedHalfWayLeavesTheDefaults) {
  testing::TempTree tree;
  const auto dat = tree.root() / "Search.DAT";
  ASSERT_TRUE(SaveStickLook(dat, ChangedLook()));
  int writes = 0;
  const auto failsOnFifth = [&](std::string_view key, std::string_view value) {
    return ++writes < 5 && runtime::WriteProfileString(dat, kStickSection, key, value);
  };
  EXPECT_FALSE(SaveStickLook(StickLook(), failsOnFifth));
  EXPECT_EQ(runtime::ReadProfileString(dat, "Stick", "Custom", ""), "0");
  EXPECT_EQ(LoadStickLook(dat), StickLook());

  // A settings path that cannot exist (through a regular file) fails the save at once.
  const auto blocked = tree.Write("file", "x") / "Search.DAT";
  EXPECT_FALSE(SaveStickLook(blocked, ChangedLook()));
  EXPECT_EQ(LoadStickLook(blocked), StickLook());
}

TEST(NoteColour, ListChoicesAndTheCustomDialogue) {
  testing::ScriptedDesktop desktop;
  desktop.menuChoices = {2, 6, 0, 9, 9};
  desktop.chosenColours = {0x123456, std::nullopt};
  const runtime::ScreenPoint where{40, 50};
  EXPECT_EQ(ChooseNoteColour(desktop, 0xFFFFFF, where), 0x00FF00);  // Lime
  EXPECT_EQ(ChooseNoteColour(desktop, 0xFFFFFF, where), 0x80FFFF);  // Yellow
  EXPECT_EQ(ChooseNoteColour(desktop, 0xFFFFFF, where), std::nullopt);
  EXPECT_EQ(ChooseNoteColour(desktop, 0xABCDEF, where), 0x123456);
  EXPECT_EQ(ChooseNoteColour(desktop, 0xABCDEF, where), std::nullopt);  // dialogue cancelled
  ASSERT_EQ(desktop.menus.size(), 5u);
  EXPECT_EQ(desktop.menus[0], "Green|Lime|Aqua|Blue|Fuschia|Yellow|Silver|White|-|Custom");
  EXPECT_EQ(desktop.menuPlaces[0].x, 40);
  EXPECT_EQ(desktop.menuPlaces[0].y, 50);
  EXPECT_EQ(desktop.colourStarts, (std::vector<int>{0xABCDEF, 0xABCDEF}));
  EXPECT_EQ(desktop.dialogTitles,
            (std::vector<std::string>{"Select Background Color", "Select Background Color"}));
}

}  // namespace
}  // namespace trawlex::utilities
