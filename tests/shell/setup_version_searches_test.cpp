#include <gtest/gtest.h>

#include "setup_test_support.h"
#include "shell/setup_check.h"

namespace trawlex::shell::testing {
namespace {

VersionSetup RunIn(const SetupDir& dir, std::string_view version, int& pathCount) {
  SavedSearchStore store;
  EXPECT_TRUE(store.Open(dir.StorePath()));
  return SetupVersionSearches(version, store, dir.files, pathCount);
}

TEST(SetupVersionSearchesTest, CreatesTheFavouritesAndPathsOfOneVersion) {
  struct Case {
    const char* version;
    std::string workDir;  // "{R}" stands for the test's directory
    std::string root;
    std::string suffix;  // of both directories
    std::vector<Search> searches;
  };
  const std::vector<Search> version2 = {{"Vw20, LibSrc", "{R}/vw2/libsrc", kSourceSpec},
                                        {"Vw20, Templates", "{R}/vw2/template", kTemplateSpec}};
  const Case cases[] = {
      {"5.5", "[Veldar 5.5]\nworkdir={R}/vw55/bin/", "{R}/vw55", "",
       VersionSearches("V5.5, ", "{R}/vw55")},
      {"6.0", "[Veldar 6.0  Enterprise Edition]\nworkdir={R}/vw60/BIN", "{R}/vw60", "",
       VersionSearches("V6.0, ", "{R}/vw60")},
      {"7", "[Veldar 7]\nworkdir={R}/vw7/bin/", "{R}/vw7", "/win",
       VersionSearches("V7, ", "{R}/vw7", "/win")},
      {"9", "[Veldar 9.0]\nworkdir={R}/vw9/bin/", "{R}/vw9", "/win",  // found as 9.0
       VersionSearches("V9, ", "{R}/vw9", "/win")},
      {"2", "[Veldar for Windows V2.0]\nworkdir={R}/vw2/bin", "{R}/vw2", "", version2},
      {"2", "[Veldar 2.0]\nworkdir={R}/vw2/bin", "{R}/vw2", "", version2},
      {"5.5", "[Veldar 5.5]\nworkdir=C:\\VW55\\BIN\\", "C:\\VW55", "",  // copied from Windows
       VersionSearches("V5.5, ", "C:\\VW55")},
      {"5.5", "[Veldar 5.5]\nworkdir={R}/a/bin/b/bin/", "{R}/a", "",
       VersionSearches("V5.5, ", "{R}/a")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.workDir);
    SetupDir dir;
    const std::string r = dir.Root();
    dir.WriteWinIni(Replace(c.workDir, "{R}", r));
    int pathCount = 0;
    const VersionSetup setup = RunIn(dir, c.version, pathCount);
    const std::string root = Replace(c.root, "{R}", r);
    EXPECT_EQ(setup.root, root);
    EXPECT_EQ(setup.searchesAdded, static_cast<int>(c.searches.size()));
    std::vector<Search> expected = c.searches;
    for (Search& s : expected) s.path = Replace(s.path, "{R}", r);
    EXPECT_EQ(dir.Searches(), expected);
    EXPECT_EQ(pathCount, 2);
    EXPECT_EQ(dir.Keys("Path"), PathPattern("1=T" + c.suffix + "|2=L" + c.suffix + "|", root));
    EXPECT_EQ(dir.Mark(), c.version);
  }
}

TEST(SetupVersionSearchesTest, AnEnvironmentWithoutUsableRootCreatesNothing) {
  const std::string tooLong = "/" + std::string(118, 'x') + "/bin";  // 119 + "/template" > 127
  const std::string cases[] = {
      "",  // no win.ini
      "[Veldar 5.5]\nworkdir={R}/vw55/",
      "[Veldar 5.5]\nworkdir={R}/vw55bin/",
      "[Veldar 5.5]\nworkdir=/bin/",  // blank root
      "[Veldar 5.5]\nworkdir=\\BIN\\",
      "[Veldar 5.5]\nworkdir=" + tooLong,
  };
  for (const std::string& winIni : cases) {
    SCOPED_TRACE(winIni);
    SetupDir dir;
    if (!winIni.empty()) dir.WriteWinIni(Replace(winIni, "{R}", dir.Root()));
    dir.SetDat("Setup", "Searches", "1");
    int pathCount = 2;
    const VersionSetup setup = RunIn(dir, "5.5", pathCount);
    EXPECT_EQ(setup.root, "");
    EXPECT_TRUE(dir.Searches().empty());
    EXPECT_EQ(pathCount, 2);
    EXPECT_EQ(dir.Keys("Path"), "");
    EXPECT_EQ(dir.Mark(), "1");
  }
  SetupDir dir;  // the longest directories that fit are kept whole
  const std::string root = "/" + std::string(113, 'x');  // + "/template/win" = 127
  dir.WriteWinIni("[Veldar 7]\nworkdir=" + root + "/bin");
  int pathCount = 0;
  EXPECT_EQ(RunIn(dir, "7", pathCount).root, root);
  EXPECT_EQ(dir.Searches().back().path, root + "/template/win");
}

TEST(SetupVersionSearchesTest, TheMarkOnlyRises) {
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"", "5.5", "5.5"},    {"1", "2", "2"},     {"6.0", "5.5", "6.0"}, {"5.5", "6.0", "6.0"},
      {"5.6", "5.5", "5.6"}, {"5", "5.5", "5.5"}, {"9", "6.0", "9"},
  };
  for (const auto& [stored, version, after] : cases) {
    SCOPED_TRACE(std::string(stored) + " then " + version);
    SetupDir dir;
    dir.WriteWinIni(SetupDir::Section(version, dir.Install("vw")));
    if (*stored) dir.SetDat("Setup", "Searches", stored);
    int pathCount = 0;
    RunIn(dir, version, pathCount);
    EXPECT_EQ(dir.Mark(), after);
  }
}

TEST(SetupVersionSearchesTest, PathKeysStopAtTwelve) {
  const std::tuple<int, int, std::string> cases[] = {
      {10, 12, "11=T|12=L|"}, {11, 12, "12=T|"}, {12, 12, ""}, {40, 40, ""}};
  for (const auto& [start, end, keys] : cases) {
    SCOPED_TRACE(start);
    SetupDir dir;
    dir.WriteWinIni(SetupDir::Section("5.5", dir.Install("vw55")));
    int pathCount = start;
    const VersionSetup setup = RunIn(dir, "5.5", pathCount);
    EXPECT_EQ(pathCount, end);
    EXPECT_EQ(setup.searchesAdded, 3);  // the searches do not depend on the count
    EXPECT_EQ(dir.Keys("Path"), PathPattern(keys, dir.Root() + "/vw55"));
  }
}

TEST(SetupVersionSearchesTest, ANameAlreadyStoredIsSkippedAndTheRestAdded) {
  SetupDir dir;
  dir.WriteWinIni(SetupDir::Section("5.5", dir.Install("vw55")));
  {
    SavedSearchStore store;
    ASSERT_TRUE(store.Open(dir.StorePath()));
    SavedSearch mine;
    mine.name = "v5.5, libsrc qrm";  // the same name without case
    mine.path = "/mine";
    ASSERT_TRUE(store.Add(mine));
  }
  int pathCount = 0;
  EXPECT_EQ(RunIn(dir, "5.5", pathCount).searchesAdded, 2);
  std::vector<Search> expected = VersionSearches("V5.5, ", dir.Root() + "/vw55");
  expected[1] = {"v5.5, libsrc qrm", "/mine", "", 0};  // left as the user had it
  EXPECT_EQ(dir.Searches(), expected);

  SavedSearchStore store;  // nothing but the name, path, specs and favourite flag is set
  ASSERT_TRUE(store.Open(dir.StorePath()));
  engine::SearchSwitches favourite;
  favourite[engine::Extra::Favourite] = 1;
  EXPECT_EQ(store.FindByName("V5.5, Templates")->sw, favourite);
  EXPECT_EQ(store.FindByName("V5.5, Templates")->text.str(), "");
}

}  // namespace
}  // namespace trawlex::shell::testing
