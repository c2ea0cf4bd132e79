#include "shell/settings_files.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/profile.h"
#include "support/temp_tree.h"

namespace trawlex::shell {
namespace {

namespace fs = std::filesystem;

// Puts an environment variable back when the test ends.
struct SavedEnv {
  explicit SavedEnv(const char* name) : name(name), had(std::getenv(name) != nullptr) {
    if (had) value = std::getenv(name);
  }
  ~SavedEnv() { had ? ::setenv(name, value.c_str(), 1) : ::unsetenv(name); }
  const char* name;
  bool had;
  std::string value;
};

TEST(SettingsFiles, UserFilesFollowXdgConfigHome) {
  const std::pair<const char*, fs::path> cases[] = {
      {"/cfg", "/cfg/trawlex"},
      {nullptr, "/home/t/.config/trawlex"},
      {"relative/dir", "/home/t/.config/trawlex"},  // not absolute: ignored
  };
  const SavedEnv home("HOME"), config("XDG_CONFIG_HOME");
  ::setenv("HOME", "/home/t", 1);
  for (const auto& [configHome, dir] : cases) {
    configHome ? ::setenv("XDG_CONFIG_HOME", configHome, 1) : ::unsetenv("XDG_CONFIG_HOME");
    const SettingsFiles files = DefaultSettingsFiles();
    EXPECT_EQ(files.searchDat, fs::path("Search.DAT"));  // the current directory's
    EXPECT_EQ(files.lookFile, fs::path("VavaDud2.INI"));
    EXPECT_EQ(files.trawlexIni, dir / "Trawlex.INI");
    EXPECT_EQ(files.uedit32Ini, dir / "UEDIT32.INI");
    EXPECT_EQ(files.winIni, dir / "win.ini");
  }
}

// Values a plain profile write would lose read back unchanged.
TEST(SettingsFiles, ProfileTextReadsBackUnchanged) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain text", "plain text"},
      {" PROCEDURE", " PROCEDURE"},
      {"\"/opt/my ed\"", "\"/opt/my ed\""},
      {"'x'", "'x'"},
      {"\"a", "\"a"},
      {"a=b;c", "a=b;c"},
      {"first\r\nsecond", "first"},
      {"\tlead", "\tlead"},
  };
  testing::TempTree tree;
  const fs::path file = tree.root() / "Search.DAT";
  for (const auto& [value, readBack] : cases) {
    ASSERT_TRUE(runtime::WriteProfileString(file, "Text", "1", ProfileText(value)));
    EXPECT_EQ(runtime::ReadProfileString(file, "Text", "1", "?"), readBack) << value;
  }
}

}  // namespace
}  // namespace trawlex::shell
