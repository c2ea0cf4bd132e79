#include "results/look_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "results/list_format.h"
#include "runtime/profile.h"
#include "support/scripted_desktop.h"
#include "support/temp_tree.h"

namespace trawlex::results {
namespace {

namespace fs = std::filesystem;
using runtime::ReadProfileString;
using runtime::WriteProfileString;

std::string FileText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class LooksTest : public ::testing::Test {
 protected:
  void Set(std::string_view section, std::string_view key, std::string_view value) {
    ASSERT_TRUE(WriteProfileString(file_, section, key, value));
  }

  testing::TempTree tree_;
  fs::path file_ = tree_.root() / "VavaDud2.INI";
  Looks looks_{file_};
};

const LookFont kDefaultFont{"MS Sans Serif", 8, 700};

TEST_F(LooksTest, OpeningTakesTheDefaultsAndReplacesOutOfRangeOnes) {
  struct Case {
    const char* withLoc;  // nullptr: key missing
    const char* noLoc;
    int expectWithLoc;
    int expectNoLoc;
  };
  const Case cases[] = {
      {nullptr, nullptr, 1, 3}, {"0", "0", 1, 3},  {"9", "9", 1, 3},    {"5", "7", 5, 7},
      {"8", "1", 8, 1},         {"abc", "", 1, 3}, {"-2", "300", 1, 3}, {"2", "4", 2, 4},
  };
  for (const Case& c : cases) {
    fs::remove(file_);
    if (c.withLoc) Set("General", "DefaultWithLoc", c.withLoc);
    if (c.noLoc) Set("General", "DefaultNoLoc", c.noLoc);
    Looks looks(file_);
    const AppliedLook applied = looks.Open();
    EXPECT_EQ(looks.defaultWithLoc(), c.expectWithLoc) << c.withLoc;
    EXPECT_EQ(looks.defaultNoLoc(), c.expectNoLoc) << c.noLoc;
    EXPECT_EQ(applied.look, c.expectWithLoc);
    EXPECT_EQ(looks.currentLook(), c.expectWithLoc);
    EXPECT_FALSE(looks.lookChosen());
  }
}

TEST_F(LooksTest, ApplyingTakesTheLookIntoRangeAndPrefersTheSavedFormat) {
  Set("Look1", "Default", "10L~one~@s5@");
  Set("Look8", "Default", "80L~eight~@s5@");
  Set("Look3", "Default", "30L~shipped~@s5@");
  Set("Look3", "Format", "33L~saved~@s5@");
  Set("Look4", "Default", "40L~shipped~@s5@");
  Set("Look4", "Format", "   ");  // blank: the shipped format
  const std::pair<int, std::pair<int, std::string>> cases[] = {
      {0, {1, "10L~one~@s5@"}},
      {-5, {1, "10L~one~@s5@"}},
      {9, {8, "80L~eight~@s5@"}},
      {255, {8, "80L~eight~@s5@"}},
      {3, {3, "33L~saved~@s5@"}},
      {4, {4, "40L~shipped~@s5@"}},
      {5, {5, ""}},  // a look the file lacks leaves the list without a format
  };
  for (const auto& [asked, expected] : cases) {
    const AppliedLook applied = looks_.Apply(asked);
    EXPECT_EQ(applied.look, expected.first) << asked;
    EXPECT_EQ(looks_.currentLook(), expected.first) << asked;
    EXPECT_EQ(applied.format, expected.second) << asked;
    EXPECT_EQ(looks_.Menus().checked, expected.first) << asked;
  }
}

TEST_F(LooksTest, ReadsTheLookFontOrTheBoldDefault) {
  Set("Look2", "FontName", "Courier New");
  Set("Look2", "FontSize", "11");
  Set("Look2", "FontStyle", "400");
  Set("Look3", "FontName", "Arial");  // size and style missing
  Set("Look4", "FontName", "Arial");
  Set("Look4", "FontSize", "0");      // no size: the list's size
  Set("Look4", "FontStyle", "4796");  // bold italic
  Set("Look5", "FontSize", "20");     // no name: the default font whatever else is saved
  const std::pair<int, LookFont> cases[] = {
      {1, kDefaultFont},      {2, {"Courier New", 11, 400}},
      {3, {"Arial", 8, 400}}, {4, {"Arial", 8, 4796}},
      {5, kDefaultFont},
  };
  for (const auto& [look, font] : cases) EXPECT_EQ(looks_.Apply(look).font, font) << look;
}

TEST_F(LooksTest, FirstCompletedRunChoosesTheLookOnce) {
  Set("General", "DefaultWithLoc", "2");
  Set("General", "DefaultNoLoc", "6");
  looks_.Open();
  ASSERT_EQ(looks_.currentLook(), 2);
  const auto first = looks_.RunCompleted(false);  // no hit had a location
  ASSERT_TRUE(first);
  EXPECT_EQ(first->look, 6);
  EXPECT_EQ(looks_.currentLook(), 6);
  EXPECT_TRUE(looks_.lookChosen());
  EXPECT_FALSE(looks_.RunCompleted(true));  // later runs keep the look
  EXPECT_EQ(looks_.currentLook(), 6);
  looks_.Apply(4);
  EXPECT_FALSE(looks_.RunCompleted(false));
  EXPECT_EQ(looks_.currentLook(), 4);

  Looks withLocations(file_);
  withLocations.Open();
  withLocations.Apply(5);  // chosen by hand while the first run was going
  EXPECT_EQ(withLocations.RunCompleted(true)->look, 2);
}

TEST_F(LooksTest, BuildsMenuCaptionsAndThePopupText) {
  Set("General", "DefaultWithLoc", "1");
  Set("General", "DefaultNoLoc", "6");
  Set("Look1", "Name", "Two Line");
  Set("Look2", "Name", "Wide   ");
  Set("Look6", "Name", "Line#,Text");
  Set("Look7", "Name", "A|B{c}");
  looks_.Open();
  looks_.Apply(6);
  const LookMenus menus = looks_.Menus();
  const std::array<std::string, kLookCount> captions = {
      "&1. Two Line\t(Default Loc)",   "&2. Wide",   "&3. User", "&4. User", "&5. User",
      "&6. Line#,Text\t(Default n/l)", "&7. A|B{c}", "&8. User"};
  EXPECT_EQ(menus.captions, captions);
  EXPECT_EQ(menus.checked, 6);
  // The popup's syntax characters in a name become blanks, so each look stays one item.
  EXPECT_EQ(menus.popupText,
            "&1. Two Line\t(Default Loc)|&2. Wide|&3. User|&4. User|&5. User|"
            "&6. Line#,Text\t(Default n/l)|&7. A B c |&8. User");
}

TEST_F(LooksTest, OneLookAsBothDefaultsCarriesBothMarks) {
  Set("General", "DefaultWithLoc", "4");
  Set("General", "DefaultNoLoc", "4");
  looks_.Open();
  const LookMenus menus = looks_.Menus();
  EXPECT_EQ(menus.captions[3], "&4. User\t(Default Loc)\t(Default n/l)");
  EXPECT_EQ(menus.captions[2], "&3. User");
  EXPECT_NE(menus.popupText.find("|&4. User\t(Default Loc)\t(Default n/l)|&5. User|"),
            std::string::npos);
}

TEST_F(LooksTest, SavingTheCurrentLookAsDefault) {
  looks_.Open();
  looks_.Apply(5);
  ASSERT_TRUE(looks_.SaveAsDefaultWithLoc());
  EXPECT_EQ(ReadProfileString(file_, "General", "DefaultWithLoc", ""), "5");
  EXPECT_EQ(looks_.defaultWithLoc(), 5);
  looks_.Apply(7);
  ASSERT_TRUE(looks_.SaveAsDefaultNoLoc());
  EXPECT_EQ(ReadProfileString(file_, "General", "DefaultNoLoc", ""), "7");
  const LookMenus menus = looks_.Menus();
  EXPECT_EQ(menus.captions[4], "&5. User\t(Default Loc)");
  EXPECT_EQ(menus.captions[6], "&7. User\t(Default n/l)");
  EXPECT_EQ(menus.captions[0], "&1. User");
  EXPECT_EQ(menus.captions[2], "&3. User");
  Looks reopened(file_);
  EXPECT_EQ(reopened.Open().look, 5);
  EXPECT_EQ(reopened.defaultNoLoc(), 7);
}

TEST_F(LooksTest, AFailedSaveKeepsTheOldDefault) {
  tree_.Write("plain", "not a directory");
  Looks looks(tree_.root() / "plain" / "VavaDud2.INI");
  looks.Open();
  looks.Apply(6);
  EXPECT_FALSE(looks.SaveAsDefaultWithLoc());
  EXPECT_EQ(looks.defaultWithLoc(), 1);
  EXPECT_FALSE(looks.SaveFormat("10L"));
  EXPECT_FALSE(looks.SaveFont({"Arial", 9, 400}));
}

TEST_F(LooksTest, SavedFormatComesBackAfterResetToOriginal) {
  Set("Look1", "Default", std::string(kLook1Format));
  looks_.Open();
  ParsedListFormat parsed = ListFormat::Parse(looks_.Apply(1).format);
  ASSERT_TRUE(parsed.format);
  parsed.format->SetGroupWidth(0, 80);
  const std::string dragged = parsed.format->Write();
  ASSERT_TRUE(looks_.SaveFormat(dragged));
  EXPECT_EQ(ReadProfileString(file_, "Look1", "Format", ""), dragged);
  EXPECT_EQ(ReadProfileString(file_, "Look1", "Default", ""), kLook1Format);

  EXPECT_EQ(looks_.OriginalFormat(), kLook1Format);  // "Reset to Original"
  EXPECT_EQ(ReadProfileString(file_, "Look1", "Format", ""), dragged);
  looks_.Apply(2);
  EXPECT_EQ(looks_.Apply(1).format, dragged);  // the saved format is back
}

TEST_F(LooksTest, SavedValuesReadBackUnchanged) {
  looks_.Apply(3);
  for (const std::string format : {" 10L~lead~", "10L~trail~ ", "'10L'", "\"q\"", "10L"}) {
    ASSERT_TRUE(looks_.SaveFormat(format));
    EXPECT_EQ(looks_.Apply(3).format, format);
  }
  const LookFont font{"DejaVu Sans Mono", 10, 4796};
  ASSERT_TRUE(looks_.SaveFont(font));
  EXPECT_EQ(looks_.Apply(3).font, font);
  EXPECT_EQ(ReadProfileString(file_, "Look3", "FontSize", ""), "10");
  EXPECT_EQ(looks_.Apply(2).font, kDefaultFont);  // other looks keep theirs
}

// ---- Repair at start ----

// The sections of a profile file in order, each with its keys in order.
std::vector<std::pair<std::string, std::vector<std::string>>> Layout(const fs::path& file) {
  std::vector<std::pair<std::string, std::vector<std::string>>> layout;
  std::istringstream lines(FileText(file));
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with('[')) {
      layout.push_back({line.substr(1, line.size() - 2), {}});
    } else if (const auto equals = line.find('='); equals != std::string::npos && !layout.empty()) {
      layout.back().second.push_back(line.substr(0, equals));
    }
  }
  return layout;
}

TEST(LookFileRepair, WritesTheBasicFileWhenNothingCanBeFound) {
  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  EXPECT_EQ(RepairLookFile(tree.root(), desktop), LookFileRepair::MadeBasic);
  ASSERT_EQ(desktop.messages.size(), 1u);
  EXPECT_EQ(desktop.messages[0].text,
            "Missing file: VAVADUD2.INI||Search results will NOT look right. Try to locate this "
            "file. A basic one will now be made.");

  const fs::path file = tree.root() / "VavaDud2.INI";
  using Sections = std::vector<std::pair<std::string, std::vector<std::string>>>;
  EXPECT_EQ(Layout(file), (Sections{{"Note", {"Fix 1", "Fix 2"}},
                                    {"General", {"DefaultWithLoc", "DefaultNoLoc", "LookVer"}},
                                    {"Look1", {"Name", "Default"}},
                                    {"Look6", {"Name", "Default"}}}));
  const std::tuple<const char*, const char*, std::string_view> values[] = {
      {"Note", "Fix 1", "Try to locate VAVADUD2.INI file or VAVADUD2.INI.Shipped"},
      {"Note", "Fix 2", "Delete this file and replace it with VAVADUD2.INI.Shipped"},
      {"General", "DefaultWithLoc", "1"},
      {"General", "DefaultNoLoc", "6"},
      {"General", "LookVer", "3"},
      {"Look1", "Name", "Two Line"},
      {"Look1", "Default", kLook1Format},
      {"Look6", "Name", "Line#,Text"},
      {"Look6", "Default", kLook6Format},
  };
  for (const auto& [section, key, value] : values) {
    EXPECT_EQ(ReadProfileString(file, section, key, "?"), value) << key;
  }

  // A window opened on it: look 1 with locations, look 6 without.
  Looks looks(LookFilePath(tree.root()));
  EXPECT_EQ(looks.Open().format, kLook1Format);
  EXPECT_EQ(looks.RunCompleted(false)->format, kLook6Format);
}

TEST(LookFileRepair, CopiesTheShippedFile) {
  for (const char* shippedName : {"VAVADUD2.INI.Shipped", "vavadud2.ini.shipped"}) {
    testing::TempTree tree;
    testing::ScriptedDesktop desktop;
    const std::string shipped = "[General]\r\nDefaultWithLoc=2\r\n[Look2]\r\nName=Shipped\r\n";
    tree.Write(shippedName, shipped);
    EXPECT_EQ(RepairLookFile(tree.root(), desktop), LookFileRepair::CopiedShipped) << shippedName;
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(FileText(tree.root() / "VavaDud2.INI"), shipped);
    EXPECT_EQ(FileText(tree.root() / shippedName), shipped);  // the shipped copy stays
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(tree.root())) ++entries;
    EXPECT_EQ(entries, 2u);  // no temporary file left behind
  }
}

TEST(LookFileRepair, LeavesAnExistingFileAlone) {
  for (const char* name : {"VavaDud2.INI", "VAVADUD2.INI", "vavadud2.ini"}) {
    testing::TempTree tree;
    testing::ScriptedDesktop desktop;
    tree.Write(name, "[General]\nDefaultWithLoc=4\n");
    tree.Write("VAVADUD2.INI.Shipped", "[General]\nDefaultWithLoc=2\n");
    EXPECT_EQ(RepairLookFile(tree.root(), desktop), LookFileRepair::Present) << name;
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(LookFilePath(tree.root()), tree.root() / name);
    EXPECT_EQ(FileText(tree.root() / name), "[General]\nDefaultWithLoc=4\n");
    Looks looks(LookFilePath(tree.root()));
    EXPECT_EQ(looks.Open().look, 4) << name;
  }
}

TEST(LookFileRepair, ReportsABasicFileThatCouldNotBeWritten) {
  testing::TempTree tree;
  testing::ScriptedDesktop desktop;
  tree.Write("plain", "not a directory");
  EXPECT_EQ(RepairLookFile(tree.root() / "plain", desktop), LookFileRepair::Failed);
  EXPECT_EQ(desktop.messages.size(), 1u);
}

TEST(LookFilePath, PrefersTheExactNameAndDefaultsToIt) {
  testing::TempTree tree;
  EXPECT_EQ(LookFilePath(tree.root()), tree.root() / "VavaDud2.INI");
  tree.Write("vavadud2.INI", "");
  tree.Write("VAVADUD2.ini", "");
  EXPECT_EQ(LookFilePath(tree.root()), tree.root() / "VAVADUD2.ini");  // first by name
  tree.Write("VavaDud2.INI", "");
  EXPECT_EQ(LookFilePath(tree.root()), tree.root() / "VavaDud2.INI");
}

}  // namespace
}  // namespace trawlex::results
