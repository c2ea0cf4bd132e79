#include "shell/setup_check.h"

#include <gtest/gtest.h>

#include "settings_test_support.h"
#include "setup_test_support.h"
#include "shell/debug_trace.h"
#include "shell/veldar_versions.h"

namespace trawlex::shell::testing {
namespace {

constexpr const char* kFirstSpecs = "1=*.VLW;*.INC;*.INT;*.EQU|2=*.TPW;*.TPL|3=*.VLA|4=*.TXT|";

SetupCheckResult Start(SetupDir& dir) {
  return RunSetupCheck(dir.files, dir.tree.root(), dir.desktop);
}

// A later start: the store and the mark exist.
void AfterFirstStart(const SetupDir& dir, const char* mark) {
  dir.CreateStore();
  dir.SetDat("Setup", "Searches", mark);
}

TEST(SetupCheckTest, FirstStartCreatesFavouritesForEveryInstalledVersion) {
  struct Case {
    std::vector<std::string> versions;
    std::size_t searches;
    int pathCount;
    const char* mark;
  };
  const Case cases[] = {
      {{"6.0", "2"}, 5, 4, "6.0"},
      {{"6.0", "5.5"}, 6, 4, "6.0"},
      {{"9", "7"}, 6, 4, "9"},
      {{"9", "8", "7", "6.0", "5.5", "5", "4", "2"}, 23, 12, "9"},  // Path 11 and 12: version 5
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.versions.size());
    SetupDir dir;
    std::string winIni, paths;
    int key = 0;
    for (const std::string& v : c.versions) {
      winIni += SetupDir::Section(v, dir.Install("vw" + v));
      const std::string suffix = VersionNumber(v) >= 7 ? "/win" : "";
      for (const char* sub : {"/template", "/libsrc"}) {
        if (++key > 12) break;
        paths += std::to_string(key) + "=" + dir.Root() + "/vw" + v + sub + suffix + "|";
      }
    }
    dir.WriteWinIni(winIni);
    dir.tree.Write("vw6.0/bin/V60Help.HLP", "help");  // found, and already set up: no question

    const SetupCheckResult result = Start(dir);
    EXPECT_TRUE(result.firstStart);
    EXPECT_EQ(result.versionsSetUp, c.versions);
    EXPECT_EQ(result.searchesAdded, static_cast<int>(c.searches));
    const std::vector<Search> searches = dir.Searches();
    EXPECT_EQ(searches.size(), c.searches);
    for (const Search& s : searches) EXPECT_EQ(s.favourite, 1) << s;
    EXPECT_EQ(result.pathCount, c.pathCount);
    EXPECT_EQ(dir.Keys("Path"), paths);
    EXPECT_EQ(dir.Mark(), c.mark);
    EXPECT_EQ(dir.Keys("Spec"), kFirstSpecs);
    EXPECT_TRUE(dir.desktop.messages.empty());
  }
}

TEST(SetupCheckTest, FirstStartWithoutWinIniCreatesAnEmptyStoreAndAsksNothing) {
  SetupDir dir;
  const SetupCheckResult result = Start(dir);
  EXPECT_TRUE(result.firstStart);
  EXPECT_TRUE(std::filesystem::exists(dir.StorePath()));
  EXPECT_TRUE(dir.Searches().empty());
  EXPECT_EQ(dir.Keys("Path"), "");
  EXPECT_EQ(dir.Mark(), "1");
  EXPECT_EQ(dir.Keys("Spec"), kFirstSpecs);
  EXPECT_EQ(result.helpFilePath, "");
  EXPECT_EQ(result.versionFound, "2");
  EXPECT_EQ(result.answer, VersionAnswer::NotAsked);
  EXPECT_TRUE(dir.desktop.messages.empty());
  EXPECT_FALSE(Start(dir).firstStart);
}

TEST(SetupCheckTest, FirstStartRunsWhileTheStoreOrTheMarkIsMissing) {
  const std::tuple<bool, const char*, bool> cases[] = {
      // store exists, mark (nullptr: no key), first start expected
      {true, "5.6", false}, {true, "1", false},   {true, nullptr, true}, {true, "", true},
      {true, "0", true},    {true, "done", true}, {false, "5.6", true},
  };
  for (const auto& [store, mark, firstStart] : cases) {
    SCOPED_TRACE(std::string(store ? "store, " : "") + (mark ? mark : "no mark"));
    SetupDir dir;
    dir.WriteWinIni(SetupDir::Section("5.5", dir.Install("vw55")));
    if (store) dir.CreateStore();
    if (mark) dir.SetDat("Setup", "Searches", mark);
    EXPECT_EQ(Start(dir).firstStart, firstStart);
    EXPECT_EQ(dir.Searches().size(), firstStart ? 3u : 0u);
    EXPECT_EQ(dir.Keys("Spec"), firstStart ? kFirstSpecs : "");
    EXPECT_EQ(dir.Mark(), firstStart ? "5.5" : mark);
  }
}

TEST(SetupCheckTest, FirstStartKeepsTheUsersHistories) {
  SetupDir dir;
  dir.WriteWinIni(SetupDir::Section("5.5", dir.Install("vw55")));
  dir.SetDat("Path", "1", "/my/project");
  dir.SetDat("Spec", "1", "*.CLW");
  const SetupCheckResult result = Start(dir);
  EXPECT_TRUE(result.firstStart);
  EXPECT_TRUE(dir.Searches().empty());  // a used Path list: the searches were made before
  EXPECT_EQ(dir.Keys("Path"), "1=/my/project|");
  EXPECT_EQ(dir.Keys("Spec"), "1=*.CLW|");
  EXPECT_EQ(dir.Mark(), "1");
}

TEST(SetupCheckTest, HelpFileOfTheNewestVersionThatHasOne) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> installs;  // version, help file made
    std::string help;  // expected, below the test directory; blank for none
    std::string version;
  };
  const Case cases[] = {
      {{{"6.0", ""}, {"5.5", "V55Help.HLP"}}, "vw5.5/bin/V55Help.HLP", "5.5"},
      {{{"6.0", "V60Help.HLP"}, {"5.5", "V55Help.HLP"}}, "vw6.0/bin/V60Help.HLP", "6.0"},
      {{{"6.0", "v60help.hlp"}}, "vw6.0/bin/v60help.hlp", "6.0"},
      {{{"7", "V7Help.HLP"}, {"5", "V5Help.HLP"}}, "vw5/bin/V5Help.HLP", "5"},
      {{{"5.5", "V60Help.HLP"}, {"2", "V2Help.HLP"}}, "vw2/bin/V2Help.HLP", "2"},
      {{{"6.0", "readme.txt"}}, "", "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.help);
    SetupDir dir;
    AfterFirstStart(dir, "9");
    std::string winIni;
    for (const auto& [version, help] : c.installs) {
      winIni += SetupDir::Section(version, dir.Install("vw" + version, help));
    }
    dir.WriteWinIni(winIni);
    const SetupCheckResult result = Start(dir);
    EXPECT_EQ(result.helpFilePath, c.help.empty() ? "" : dir.Root() + "/" + c.help);
    EXPECT_EQ(result.versionFound, c.version);
  }
}

TEST(SetupCheckTest, HelpFileInADirectoryWrittenWithoutSeparator) {
  SetupDir dir;
  AfterFirstStart(dir, "9");
  dir.Install("vw55", "V55Help.HLP");
  dir.tree.Dir("vw4/bin/V4Help.HLP");  // a directory of that name is no help file
  dir.WriteWinIni("[Veldar 6.0]\nworkdir=" + dir.Root() +
                  "/gone/bin/\n[Veldar 5.5]\nworkdir=" + dir.Root() + "/vw55/bin\n");
  EXPECT_EQ(Start(dir).helpFilePath, dir.Root() + "/vw55/bin/V55Help.HLP");
  dir.WriteWinIni("[Veldar 4]\nworkdir=" + dir.Root() + "/vw4/bin/\n");
  EXPECT_EQ(Start(dir).helpFilePath, "");
}

void ExpectQuestion(const runtime::Message& m, const std::string& version) {
  EXPECT_EQ(m.text, "Would you like me to setup searchs in the favorites list for Veldar version " +
                        version + "?");
  EXPECT_EQ(m.caption, "Search Setup");
  EXPECT_EQ(m.icon, runtime::Icon::Question);
  EXPECT_EQ(m.buttons, "&Yes|&No|&Later");
  EXPECT_EQ(m.defaultButton, 1);
}

TEST(SetupCheckTest, NoWritesTheDeclinedMarkAndANewerVersionAsksAgain) {
  SetupDir dir;
  AfterFirstStart(dir, "1");
  const std::string vw55 = SetupDir::Section("5.5", dir.Install("vw55", "V55Help.HLP"));
  dir.WriteWinIni(vw55);
  dir.desktop.answers = {2};
  EXPECT_EQ(Start(dir).answer, VersionAnswer::No);
  ASSERT_EQ(dir.desktop.messages.size(), 1u);
  ExpectQuestion(dir.desktop.messages[0], "5.5");
  EXPECT_EQ(dir.Mark(), "5.6");
  EXPECT_TRUE(dir.Searches().empty());
  EXPECT_EQ(Start(dir).answer, VersionAnswer::NotAsked);  // 5.5 is not asked about again

  dir.WriteWinIni(SetupDir::Section("6.0", dir.Install("vw60", "V60Help.HLP")) + vw55);
  dir.desktop.answers = {1};
  EXPECT_EQ(Start(dir).answer, VersionAnswer::Yes);
  ASSERT_EQ(dir.desktop.messages.size(), 2u);
  ExpectQuestion(dir.desktop.messages[1], "6.0");
  EXPECT_EQ(dir.Searches(), VersionSearches("V6.0, ", dir.Root() + "/vw60"));
  EXPECT_EQ(dir.Mark(), "6.0");
  EXPECT_EQ(Start(dir).answer, VersionAnswer::NotAsked);
}

TEST(SetupCheckTest, LaterOrNoAnswerChangesNothingAndAsksAgainNextStart) {
  for (const int answer : {3, 0}) {
    SCOPED_TRACE(answer);
    SetupDir dir;
    AfterFirstStart(dir, "1");
    dir.WriteWinIni(SetupDir::Section("6.0", dir.Install("vw60", "V60Help.HLP")));
    dir.desktop.answers = {answer, answer};
    EXPECT_EQ(Start(dir).answer, VersionAnswer::Later);
    EXPECT_EQ(Start(dir).answer, VersionAnswer::Later);
    EXPECT_EQ(dir.Mark(), "1");
    EXPECT_TRUE(dir.Searches().empty());
  }
}

TEST(SetupCheckTest, QuestionOnlyForVersionsAboveFiveNewerThanTheMark) {
  const std::tuple<const char*, const char*, const char*, bool> cases[] = {
      // mark, version found, its short form, asked
      {"1", "6.0", "60", true},    {"1", "5.5", "55", true},    {"5.5", "6.0", "60", true},
      {"5.6", "5.5", "55", false}, {"6.0", "6.0", "60", false}, {"1", "5", "5", false},
      {"1", "4", "4", false},
  };
  for (const auto& [mark, version, shortForm, asked] : cases) {
    SCOPED_TRACE(std::string(mark) + " / " + version);
    SetupDir dir;
    AfterFirstStart(dir, mark);
    // Without BIN: the help file is found, but no searches could be made.
    dir.tree.Write(std::string("vw/V") + shortForm + "Help.HLP", "help");
    dir.WriteWinIni(SetupDir::Section(version, dir.Root() + "/vw/"));
    dir.desktop.answers = {3};
    EXPECT_EQ(Start(dir).answer, asked ? VersionAnswer::Later : VersionAnswer::NotAsked);
  }
}

TEST(SetupCheckTest, YesOnALaterStartPutsThePathsAfterTheUsersHistory) {
  const std::pair<int, std::string> cases[] = {{0, "1=T|2=L|"}, {3, "4=T|5=L|"}, {11, "12=T|"}};
  for (const auto& [userPaths, added] : cases) {
    SCOPED_TRACE(userPaths);
    SetupDir dir;
    AfterFirstStart(dir, "1");
    dir.WriteWinIni(SetupDir::Section("6.0", dir.Install("vw60", "V60Help.HLP")));
    std::string expected;
    for (int key = 1; key <= userPaths; ++key) {
      dir.SetDat("Path", std::to_string(key), "/mine" + std::to_string(key));
      expected += std::to_string(key) + "=/mine" + std::to_string(key) + "|";
    }
    dir.desktop.answers = {1};
    EXPECT_EQ(Start(dir).answer, VersionAnswer::Yes);
    EXPECT_EQ(dir.Keys("Path"), expected + PathPattern(added, dir.Root() + "/vw60"));
    EXPECT_EQ(dir.Searches().size(), 3u);
  }
}

TEST(SetupCheckTest, ShippedFilesAreCopiedOnlyWhenMissing) {
  const std::tuple<bool, bool, const char*> cases[] = {
      // WinTypes.VLW exists, shipped copy exists, WinTypes.VLW afterwards
      {false, true, "shipped"},
      {true, true, "mine"},
      {false, false, nullptr}};
  for (const auto& [target, shipped, content] : cases) {
    SCOPED_TRACE(std::to_string(target) + std::to_string(shipped));
    SetupDir dir;
    AfterFirstStart(dir, "9");
    if (target) dir.tree.Write("WinTypes.VLW", "mine");
    if (shipped) dir.tree.Write("WinTypes.vlw.Shipped", "shipped");
    if (target) dir.tree.Write("FeqUseLoad.vlw", "mine");
    if (shipped) dir.tree.Write("FeqUseLoad.vlw.Shipped", "shipped");
    const SetupCheckResult result = Start(dir);
    EXPECT_EQ(result.winTypesCopied, !target && shipped);
    EXPECT_EQ(result.feqSnippetsCopied, !target && shipped);
    for (const char* name : {"WinTypes.VLW", "FeqUseLoad.vlw"}) {
      const auto file = dir.tree.root() / name;
      EXPECT_EQ(test::FileBytes(file), content ? content : "") << name;
      EXPECT_EQ(std::filesystem::exists(file), content != nullptr) << name;
    }
  }
}

TEST(SetupCheckTest, AStoreThatCannotBeOpenedLeavesTheMarkForTheNextStart) {
  SetupDir dir;
  dir.WriteWinIni(SetupDir::Section("5.5", dir.Install("vw55")));
  const std::string junk = "this is no store, and must stay as it is";
  dir.tree.Write("searches.hvn", junk);
  const SetupCheckResult result = Start(dir);
  EXPECT_TRUE(result.firstStart);
  EXPECT_FALSE(result.storeError.empty());
  EXPECT_EQ(dir.Mark(), "<none>");
  EXPECT_EQ(dir.Keys("Path"), "");
  EXPECT_EQ(dir.Keys("Spec"), kFirstSpecs);
  EXPECT_EQ(test::FileBytes(dir.tree.root() / "searches.hvn"), junk);
}

// Search.DAT in the way reads as empty and takes no writes; the user is told why, once.
TEST(SetupCheckTest, ASettingsFileThatCannotBeUsedIsNamedInAWarning) {
  SetupDir dir;
  std::filesystem::create_directory(dir.files.searchDat);
  const SetupCheckResult result = Start(dir);
  const std::string refusal = dir.files.searchDat.string() + " is a directory, not a settings file";
  EXPECT_EQ(result.refusedSettings, std::vector<std::string>{refusal});
  ASSERT_EQ(dir.desktop.messages.size(), 1u);
  const runtime::Message& warning = dir.desktop.messages.front();
  EXPECT_EQ(warning.text, refusal +
                              ".|Its settings take their default values, and changes to them "
                              "cannot be saved.");
  EXPECT_EQ(warning.caption, "Settings File");
  EXPECT_EQ(warning.icon, runtime::Icon::Warning);
  EXPECT_TRUE(std::filesystem::is_empty(dir.files.searchDat));
}

TEST(SetupCheckTest, TraceSaysWhatTheSetupDid) {
  SetupDir dir;
  dir.WriteWinIni(SetupDir::Section("5.5", dir.Install("vw55")));
  ScopedEnv trace(kTraceVariable, "1");
  ::testing::internal::CaptureStderr();
  Start(dir);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "[TRX][Setup] first start\n[TRX][Setup] version 5.5 at " + dir.Root() +
                "/vw55: 3 searches added\n");
}

}  // namespace
}  // namespace trawlex::shell::testing
