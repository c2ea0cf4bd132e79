#include "runtime/menu_text.h"

#include <gtest/gtest.h>

#include <string>

namespace trawlex::runtime {
namespace {

// A compact picture of a menu: "3:caption", "~3:caption" when disabled, "[shortcut]" after
// the caption, "-" for a separator and "Heading{...}" for a submenu.
std::string Describe(const std::vector<MenuItem>& items) {
  std::string out;
  for (const MenuItem& item : items) {
    if (!out.empty()) out += " | ";
    if (!item.enabled) out += "~";
    switch (item.kind) {
      case MenuItem::Kind::Separator:
        out += "-";
        break;
      case MenuItem::Kind::Item:
        out += std::to_string(item.number) + ":" + item.caption;
        break;
      case MenuItem::Kind::Submenu:
        out += item.caption + "{" + Describe(item.children) + "}";
        break;
    }
    if (!item.shortcut.empty()) out += "[" + item.shortcut + "]";
  }
  return out;
}

struct MenuCase {
  const char* name;
  std::string text;
  std::string expected;
};

const std::string kLookPopup =
    "&1. Two Line\t(Default Loc)|&2. User|&3. User|&4. User|&5. User|"
    "&6. Line#,Text\t(Default n/l)|&7. User|&8. User";

const MenuCase kMenus[] = {
    {"Empty", "", ""},
    {"OneItem", "Copy Line\tCtrl+C|Copy Line w/o !Comment",
     "1:Copy Line[Ctrl+C] | 2:Copy Line w/o !Comment"},
    {"DropPopup", "Drop Lists|-|Sort{All|Find|Path|Specs}|Empty{All|Find|Path|Specs}",
     "1:Drop Lists | - | Sort{2:All | 3:Find | 4:Path | 5:Specs} | "
     "Empty{6:All | 7:Find | 8:Path | 9:Specs}"},
    {"PrintPopup",
     "Print Menu|-|Print Results Report with Preview|Save Results to Text File|"
     "Save Results to Text File and Edit|Copy Results to Clipboard",
     "1:Print Menu | - | 2:Print Results Report with Preview | 3:Save Results to Text File | "
     "4:Save Results to Text File and Edit | 5:Copy Results to Clipboard"},
    {"ResultsPopup",
     "Find and Delete...\tCtrl+Delete|Delete Menu...\tAlt+Delete|-|Copy Result Line...\tCtrl+C|"
     "Show File Name/Path...|-|View File\tDbl-Click|Edit File\tShift+Dbl-Click|"
     "File Options{Edit Related File|Edit All Files|-|Explore 2 Pane|Explore 1 Pane|"
     "Command Prompt Here|-|ShellExecute Open\tAlt+Dbl-Click|ShellExecute Edit}|-|"
     "Change Look{" +
         kLookPopup + "}",
     "1:Find and Delete...[Ctrl+Delete] | 2:Delete Menu...[Alt+Delete] | - | "
     "3:Copy Result Line...[Ctrl+C] | 4:Show File Name/Path... | - | 5:View File[Dbl-Click] | "
     "6:Edit File[Shift+Dbl-Click] | File Options{7:Edit Related File | 8:Edit All Files | - | "
     "9:Explore 2 Pane | 10:Explore 1 Pane | 11:Command Prompt Here | - | "
     "12:ShellExecute Open[Alt+Dbl-Click] | 13:ShellExecute Edit} | - | "
     "Change Look{14:&1. Two Line[(Default Loc)] | 15:&2. User | 16:&3. User | 17:&4. User | "
     "18:&5. User | 19:&6. Line#,Text[(Default n/l)] | 20:&7. User | 21:&8. User}"},
    // Disabled items keep their numbers: the Delete menu's items 8, 10 and 11 to 13 may be
    // disabled and the items after them still answer 9, 14, 15 and 16.
    {"DeleteMenuWithDisabledItems",
     "Delete Menu (Ctrl=Keep)\tAlt+Delete|-|Selected Line\tDelete|!Comment Lines (' VB)|"
     "Label Lines|-|File Name{File.ext \"a.vlw\"|File.*    \"a.*\"|*.Ext    \"*.vlw\"}|-|"
     "~App Files \"*.*\"|-|RI Files _RD _RU _SF and BC0.VLW|-|~Subdirectory \"src\"|"
     "~Location{~Equals \"\"|~Left \"\"|~Contains \"\"}|Text Equals \"x...\"|"
     "Text Contains \"x...\"|-|Find and Delete....\tCtrl+Delete",
     "1:Delete Menu (Ctrl=Keep)[Alt+Delete] | - | 2:Selected Line[Delete] | "
     "3:!Comment Lines (' VB) | 4:Label Lines | - | File Name{5:File.ext \"a.vlw\" | "
     "6:File.*    \"a.*\" | 7:*.Ext    \"*.vlw\"} | - | ~8:App Files \"*.*\" | - | "
     "9:RI Files _RD _RU _SF and BC0.VLW | - | ~10:Subdirectory \"src\" | "
     "~Location{~11:Equals \"\" | ~12:Left \"\" | ~13:Contains \"\"} | 14:Text Equals \"x...\" | "
     "15:Text Contains \"x...\" | - | 16:Find and Delete....[Ctrl+Delete]"},
    {"Favourites", "Alpha|Beta  gamma|-|Open List", "1:Alpha | 2:Beta  gamma | - | 3:Open List"},
    {"BothDefaultsOnOneLook", "&1. Two Line\t(Default Loc)\t(Default n/l)",
     "1:&1. Two Line[(Default Loc)\t(Default n/l)]"},
    {"EmptyPiecesAreItems", "a||b|", "1:a | 2: | 3:b | 4:"},
    {"EmptySubmenu", "Sub{}|x", "Sub{} | 1:x"},
    {"SeparatorWithBlanks", "a| - |--", "1:a | - | 2:--"},
    {"DisabledWithShortcut", "~Find Next\tF3", "~1:Find Next[F3]"},
    {"TextAfterSubmenuIgnored", "A{x}tail|b", "A{1:x} | 2:b"},
    {"UnmatchedOpenBraceRunsToEnd", "A{x|B{y", "A{1:x | B{2:y}}"},
    {"StrayCloseBraceIsText", "a}b|c", "1:a}b | 2:c"},
    {"NestedSubmenus", "A{B{C{x}|y}|z}|w", "A{B{C{1:x} | 2:y} | 3:z} | 4:w"},
};

class MenuTextTest : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MenuTextTest, ParsesIntoNumberedTree) {
  const MenuCase& c = GetParam();
  EXPECT_EQ(Describe(ParseMenuText(c.text)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Menus, MenuTextTest, ::testing::ValuesIn(kMenus),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MenuTextChoices, PresetsPopupNumbersEveryPreset) {
  const char* presets[] = {"*.vlw", "*.inc", "*.int", "*.vla", "*.vli", "*.vl?", "*.trn",
                           "*.tp?", "*.txa", "*.txd", "*.shp", "*.exp", "*.map", "*.red",
                           "*.sty", "*.stf", "*.txt", "*.bat", "*.ini", "*.htm", "*.asp",
                           "*.php", "*.c",   "*.cpp", "*.bas", "*.vb"};
  std::string text = "Erase|-";
  for (const char* preset : presets) text += std::string("|") + preset;
  const auto items = ParseMenuText(text);
  ASSERT_EQ(MenuChoiceCount(items), 27);
  EXPECT_EQ(FindMenuChoice(items, 1)->caption, "Erase");
  for (int i = 0; i < 26; ++i) EXPECT_EQ(FindMenuChoice(items, i + 2)->caption, presets[i]);
}

TEST(MenuTextChoices, FindsChoicesInsideSubmenusAndRejectsOthers) {
  const auto items = ParseMenuText("Drop Lists|-|Sort{All|Find|Path|Specs}|Empty{All|Find}");
  EXPECT_EQ(MenuChoiceCount(items), 7);
  const struct {
    int number;
    const char* caption;  // nullptr: no such choice
  } cases[] = {{0, nullptr}, {-1, nullptr}, {1, "Drop Lists"}, {2, "All"},
               {5, "Specs"}, {7, "Find"},   {8, nullptr}};
  for (const auto& c : cases) {
    const MenuItem* found = FindMenuChoice(items, c.number);
    if (c.caption == nullptr) {
      EXPECT_EQ(found, nullptr) << c.number;
    } else {
      ASSERT_NE(found, nullptr) << c.number;
      EXPECT_EQ(found->caption, c.caption) << c.number;
      EXPECT_EQ(found->number, c.number);
    }
  }
}

TEST(MenuTextChoices, DeepNestingStopsAtTheDepthLimit) {
  constexpr int kDepth = kMaxMenuDepth + 4;
  std::string text;
  for (int i = 0; i < kDepth; ++i) text += "a{";
  text += "x";
  for (int i = 0; i < kDepth; ++i) text += "}";
  text += "|after";

  auto items = ParseMenuText(text);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1].caption, "after");
  EXPECT_EQ(items[1].number, 2);
  const MenuItem* level = &items[0];
  for (int depth = 1; depth < kMaxMenuDepth; ++depth) {
    ASSERT_EQ(level->kind, MenuItem::Kind::Submenu) << depth;
    ASSERT_EQ(level->children.size(), 1u) << depth;
    level = &level->children[0];
  }
  ASSERT_EQ(level->kind, MenuItem::Kind::Submenu);
  ASSERT_EQ(level->children.size(), 1u);
  EXPECT_EQ(level->children[0].caption, "a{a{a{a{x}}}}");
  EXPECT_EQ(level->children[0].number, 1);
}

}  // namespace
}  // namespace trawlex::runtime
