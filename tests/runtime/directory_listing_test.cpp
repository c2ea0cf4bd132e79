#include "runtime/directory_listing.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "runtime/error_codes.h"
#include "runtime/names.h"
#include "runtime/pictures.h"
#include "support/temp_tree.h"

namespace trawlex::runtime {
namespace {

namespace fs = std::filesystem;

TEST(Names, Utf8AndLowerCase) {
  struct Case {
    std::string name;
    bool utf8;
    std::string lower;
  };
  const Case cases[] = {
      {"Main.VLW", true, "main.vlw"},
      {"\xC3\x89T\xC3\x89.vlw", true, "\xC3\x89t\xC3\x89.vlw"},  // UTF-8 bytes stay intact
      {"\xC9T\xC9.VLW", false, "\xE9t\xE9.vlw"},                 // Windows-1252 folds
      {"\xE2\x82\xAC", true, "\xE2\x82\xAC"},                    // euro sign
      {"\xF0\x9F\x98\x80", true, "\xF0\x9F\x98\x80"},
      {"\xC0\xAF", false, "\xE0\xAF"},                  // overlong '/'
      {"\xED\xA0\x80", false, "\xED\xA0\x80"},          // surrogate
      {"\xF4\x90\x80\x80", false, "\xF4\x90\x80\x80"},  // above U+10FFFF
      {"A\xC3", false, "a\xE3"},                        // cut sequence
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(IsValidUtf8(c.name), c.utf8);
    EXPECT_EQ(LowerName(c.name), c.lower);
  }
}

TEST(Names, FitNeverSplitsAUtf8Character) {
  const struct {
    std::string name;
    std::size_t width;
    std::string fitted;
  } cases[] = {
      {"abcdef", 4, "abcd"},
      {"ab  ", 10, "ab"},
      {"ab\xC3\xA9z", 3, "ab"},  // 'é' would be cut in half
      {"ab\xC3\xA9z", 4, "ab\xC3\xA9"},
      {"ab\xE9\xE9z", 3, "ab\xE9"},  // not UTF-8: cut by bytes
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FitName(c.name, c.width), c.fitted);
  }
}

TEST(SpecMatches, WindowsRules) {
  const struct {
    std::string spec;
    std::vector<std::string> matching;
    std::vector<std::string> other;
  } cases[] = {
      {"*.*", {"readme", "x.c", ".profile"}, {}},
      {"*.vlw", {"MAIN.VLW", "a.vlw"}, {"main.vlwx", "main.vlw.bak"}},
      {"*.VLW", {"main.vlw"}, {}},
      {"?.c", {"a.c"}, {"ab.c", ".c"}},
      {"a*b*c", {"axbyc", "abc"}, {"abcb"}},
      {"a**", {"a"}, {}},
      {"read*.*", {"readme", "read.me"}, {"rea"}},
      {"read.*", {"read.me"}, {"readme"}},
      {"*.", {"readme"}, {"x.c"}},
      {"readme.", {"readme"}, {"readme.c"}},
      {"", {}, {"x"}},
      {"*a*a*a*a*a*a*a*a*a*a*a*c", {}, {std::string(40, 'a') + "b"}},  // answers at once
      {"\xE9t\xE9*", {"\xC9T\xC9.txt"}, {}},                           // Windows-1252 letters fold
      {"\xC3\xA9*", {}, {"\xE3\xA9\x80"}},  // UTF-8 lead bytes are not letters
  };
  for (const auto& c : cases) {
    for (const std::string& name : c.matching) EXPECT_TRUE(SpecMatches(name, c.spec)) << name;
    for (const std::string& name : c.other) EXPECT_FALSE(SpecMatches(name, c.spec)) << name;
  }
}

class ListDirectoryTest : public ::testing::Test {
 protected:
  void Put(const std::string& name, std::size_t size = 0) {
    std::ofstream(dir_ + name, std::ios::binary) << std::string(size, 'x');
  }
  std::vector<std::string> Names(std::string_view spec, ListKind kind) {
    std::vector<DirectoryEntry> listed;
    EXPECT_FALSE(ListDirectory(dir_, spec, kind, listed));
    std::vector<std::string> names;
    for (const auto& e : listed) names.push_back(e.name + (e.isDirectory ? "/" : ""));
    std::sort(names.begin(), names.end());
    return names;
  }
  testing::TempTree tree_;
  std::string dir_ = tree_.path();
};

TEST_F(ListDirectoryTest, KindsSpecsAndLinks) {
  Put("a.vlw", 3);
  Put("B.VLW");
  Put("notes");
  fs::create_directory(dir_ + "sub.vlw");
  fs::create_symlink(dir_ + "a.vlw", dir_ + "link.vlw");
  fs::create_symlink(dir_ + "sub.vlw", dir_ + "dirlink");
  fs::create_symlink(dir_ + "absent", dir_ + "dangling.vlw");
  ASSERT_EQ(mkfifo((dir_ + "pipe.vlw").c_str(), 0600), 0);

  using V = std::vector<std::string>;
  EXPECT_EQ(Names("*.vlw", ListKind::FilesOnly), (V{"B.VLW", "a.vlw", "link.vlw"}));
  EXPECT_EQ(Names("*.vlw", ListKind::FilesAndDirectories),
            (V{"B.VLW", "a.vlw", "link.vlw", "sub.vlw/"}));
  EXPECT_EQ(Names("*.*", ListKind::FilesAndDirectories),
            (V{"B.VLW", "a.vlw", "dirlink/", "link.vlw", "notes", "sub.vlw/"}));
  EXPECT_EQ(Names("*.", ListKind::FilesAndDirectories), (V{"dirlink/", "notes"}));

  std::vector<DirectoryEntry> listed;
  ASSERT_FALSE(ListDirectory(dir_, "link.vlw", ListKind::FilesOnly, listed));
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].size, 3);  // the target's size
  EXPECT_EQ(listed[0].shortName, "");
}

TEST_F(ListDirectoryTest, DateTimeAndIdentityOfTheEntry) {
  Put("dated.txt");
  std::tm local{};
  local.tm_year = 2021 - 1900;
  local.tm_mon = 2;
  local.tm_mday = 4;
  local.tm_hour = 13;
  local.tm_min = 14;
  local.tm_sec = 15;
  local.tm_isdst = -1;
  const timespec times[2] = {{mktime(&local), 560'000'000}, {mktime(&local), 560'000'000}};
  ASSERT_EQ(utimensat(AT_FDCWD, (dir_ + "dated.txt").c_str(), times, 0), 0);
  struct stat info {};
  ASSERT_EQ(stat((dir_ + "dated.txt").c_str(), &info), 0);

  std::vector<DirectoryEntry> listed;
  ASSERT_FALSE(ListDirectory(dir_, "*.txt", ListKind::FilesOnly, listed));
  ASSERT_EQ(listed.size(), 1u);
  EXPECT_EQ(listed[0].date, DayNumber(2021, 3, 4));
  EXPECT_EQ(listed[0].time, TimeOf(13, 14, 15, 56));
  EXPECT_EQ(listed[0].device, info.st_dev);
  EXPECT_EQ(listed[0].inode, info.st_ino);
}

TEST_F(ListDirectoryTest, FailureComesBackAsAValue) {
  Put("plain.txt");
  const struct {
    std::string path;
    int code;
  } cases[] = {
      {dir_ + "absent/", 302},
      {dir_ + "absent/deeper/", 303},
      {dir_ + "plain.txt/", 303},  // a file is no directory
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    std::vector<DirectoryEntry> listed;
    EXPECT_EQ(ListDirectory(c.path, "*.*", ListKind::FilesAndDirectories, listed).code, c.code);
    EXPECT_TRUE(listed.empty());
  }
}

}  // namespace
}  // namespace trawlex::runtime
