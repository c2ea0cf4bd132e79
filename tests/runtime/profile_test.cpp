#include "runtime/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <sstream>
#include <thread>

#include "runtime/error_codes.h"
#include "support/file_size_limit.h"
#include "support/temp_tree.h"

namespace trawlex::runtime {
namespace {

namespace fs = std::filesystem;

class ProfileTest : public ::testing::Test {
 protected:
  fs::path Put(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return dir_ / name;
  }
  static std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }

  testing::TempTree tree_;
  fs::path dir_ = tree_.root();
};

std::string WithLineEnds(std::string text, const std::string& eol) {
  for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += eol.size()) {
    text.replace(at, 1, eol);
  }
  return text;
}

const char* const kSample =
    "Stray=outside\n"
    "; comment\n"
    "[Options]\n"
    "EditorName = vi %F  \n"
    "FilesPerTimer=2\n"
    "  Spaced Key\t=\t  tabbed value\t\n"
    "Quoted=\"  padded  \"\n"
    "Single='x'\n"
    "Unmatched=\"abc\n"
    "OneQuote=\"\n"
    "Empty=\n"
    "Eq=a=b;c\n"
    ";Commented=1\n"
    "NoEquals\n"
    "FilesPerTimer=99\n"
    "[ Spaced Section ]\n"
    "Key=in spaced\n"
    "[options]\n"
    "Later=second section\n"
    "[\xC4nderung]\n"
    "K=folded\n";

TEST_F(ProfileTest, ReadsValuesTheWindowsWay) {
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"Options", "EditorName", "vi %F"},
      {"OPTIONS", "editorname", "vi %F"},
      {"Options", "FilesPerTimer", "2"},  // the first of two keys wins
      {"Options", "spaced key", "tabbed value"},
      {"Options", "Quoted", "  padded  "},
      {"Options", "Single", "x"},
      {"Options", "Unmatched", "\"abc"},
      {"Options", "OneQuote", "\""},
      {"Options", "Empty", ""},  // present but empty is not the default
      {"Options", "Eq", "a=b;c"},
      {"Options", "Commented", "dflt"},
      {"Options", "NoEquals", "dflt"},
      {"Options", "Later", "dflt"},  // only the first matching section counts
      {"Options", "Missing", "dflt"},
      {" Spaced Section ", " Key ", "in spaced"},
      {"\xE4nderung", "k", "folded"},
      {"", "Stray", "dflt"},
      {"Missing", "Key", "dflt"},
  };
  for (const std::string eol : {"\n", "\r\n"}) {
    const fs::path file = Put("s.ini", WithLineEnds(kSample, eol));
    for (const Case& c : cases) {
      EXPECT_EQ(ReadProfileString(file, c.section, c.key, "dflt"), c.expected)
          << c.section << "/" << c.key << (eol == "\n" ? " LF" : " CRLF");
    }
  }
  EXPECT_EQ(ReadProfileString(dir_ / "none.ini", "Options", "EditorName", "x  "), "x");
  EXPECT_EQ(ReadProfileString(Put("b.ini", "\xEF\xBB\xBF[A]\nk=v\n"), "A", "k", ""), "v");
  // A header without its ']' heads nothing: the keys after it stay in the section before.
  const fs::path open = Put("o.ini", "[Options\nk=lost\n[Options]\nk=v\n");
  EXPECT_EQ(ReadProfileString(open, "Options", "k", "dflt"), "v");
}

TEST_F(ProfileTest, ReadsIntegersLikeGetPrivateProfileInt) {
  const fs::path file = Put("i.ini",
                            "[N]\na=12\nb=-7\nc=+5\nd=42abc\ne=abc\nf=\ng='15'\nh=99999999999\n"
                            "i=-99999999999\nj=-\nk=0x10\n");
  const std::pair<const char*, int> cases[] = {{"a", 12},      {"b", -7}, {"c", 5},  {"d", 42},
                                               {"e", 0},       {"f", 33}, {"g", 15}, {"h", INT_MAX},
                                               {"i", INT_MIN}, {"j", 0},  {"k", 0},  {"zz", 33}};
  for (const auto& [key, expected] : cases) {
    EXPECT_EQ(ReadProfileInt(file, "n", key, 33), expected) << key;
  }
}

TEST_F(ProfileTest, WritesChangeOnlyWhatTheyMust) {
  struct Case {
    const char* before;
    const char* section;
    const char* key;
    const char* after;
  };
  const Case cases[] = {
      // In place: the key keeps its spelling and spacing, only the first duplicate changes.
      {";top\n\n[A]\n  X = 1 ; old\n\n[B]\nx=2\n", "a", "x",
       ";top\n\n[A]\n  X = new\n\n[B]\nx=2\n"},
      {"[A]\nx=1\nx=2\n", "A", "x", "[A]\nx=new\nx=2\n"},
      {"[A]\r\nx=1\r\ny=2\r\n", "A", "x", "[A]\r\nx=new\r\ny=2\r\n"},
      {"[A]\nx=1", "A", "x", "[A]\nx=new"},
      // Appended after the last non-blank line of the first matching section.
      {"[A]\nx=1\n\n; c\n\n[B]\n[A]\n", "A", "k", "[A]\nx=1\n\n; c\nk=new\n\n[B]\n[A]\n"},
      {"[A]\nx=1", "A", "k", "[A]\nx=1\nk=new\n"},
      {"[A]\r\nx=1\r\n", "A", "k", "[A]\r\nx=1\r\nk=new\r\n"},
      // A new section at the end, after one blank line.
      {"[A]\nx=1\n", "B", "k", "[A]\nx=1\n\n[B]\nk=new\n"},
      {"[A]\nx=1\n\n", "B", "k", "[A]\nx=1\n\n[B]\nk=new\n"},
      {"[A]\nx=1", " B ", " k ", "[A]\nx=1\n\n[B]\nk=new\n"},
      {"[A]\r\nx=1\r\n", "B", "k", "[A]\r\nx=1\r\n\r\n[B]\r\nk=new\r\n"},
      {"", "B", "k", "[B]\nk=new\n"},
  };
  for (const Case& c : cases) {
    const fs::path file = Put("w.ini", c.before);
    EXPECT_TRUE(WriteProfileString(file, c.section, c.key, "new")) << c.before;
    EXPECT_EQ(Bytes(file), c.after) << c.before;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
      << "no temporary file is left behind";
}

TEST_F(ProfileTest, CreatesFileAndDirectoriesAndClearsTheError) {
  const fs::path file = dir_ / "a" / "b" / "new.ini";
  PostOsError(ENOENT);
  const mode_t oldMask = umask(022);
  EXPECT_TRUE(WriteProfileString(file, "S", "k", "v"));
  umask(oldMask);
  EXPECT_EQ(ErrorCode(), 0);
  EXPECT_EQ(Bytes(file), "[S]\nk=v\n");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, static_cast<fs::perms>(0644));
}

TEST_F(ProfileTest, ReplacesTheFileAtomicallyKeepingModeAndLinks) {
  const fs::path real = Put("real.ini", "[S]\nk=old\n");
  fs::permissions(real, static_cast<fs::perms>(0640));
  const fs::path link = dir_ / "link.ini";
  fs::create_symlink(real, link);
  std::ifstream before(real, std::ios::binary);  // a reader holding the old file
  ASSERT_TRUE(WriteProfileString(link, "S", "k", "new"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Bytes(real), "[S]\nk=new\n");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, static_cast<fs::perms>(0640));
  std::string oldLine;
  std::getline(before, oldLine);
  std::getline(before, oldLine);
  EXPECT_EQ(oldLine, "k=old");
}

TEST_F(ProfileTest, ValuesRoundTrip) {
  const fs::path file = dir_ / "r.ini";
  for (const char* value :
       {"a=b", "x;y", "; lead", "=", "[x]", "C:\\dir\\f.txt", "%F %L", "\xE9t\xE9"}) {
    ASSERT_TRUE(WriteProfileString(file, "R", "v", value));
    EXPECT_EQ(ReadProfileString(file, "R", "v", "dflt"), value);
  }
  EXPECT_EQ(Bytes(file), "[R]\nv=\xE9t\xE9\n");
}

TEST_F(ProfileTest, RefusesNamesAndValuesThatWouldCorruptTheFile) {
  const fs::path file = dir_ / "bad.ini";
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"S", "k=x", "v"},    {"S", "", "v"},    {"S", ";k", "v"},    {"S", "[k", "v"},
      {"S", "k", "v\nx=1"}, {"S", "k\r", "v"}, {"S\n[T]", "k", "v"}};
  for (const auto& [section, key, value] : cases) {
    EXPECT_FALSE(WriteProfileString(file, section, key, value)) << key << value;
    EXPECT_NE(ErrorCode(), 0);
  }
  EXPECT_FALSE(fs::exists(file));
}

TEST_F(ProfileTest, DeletesKeysAndSections) {
  const fs::path file = Put("d.ini", "[A]\nx=1\ny=2\nX=3\n\n[B]\nx=4\n\n[a]\nz=5\n");
  EXPECT_TRUE(DeleteProfileKey(file, "a", "x"));
  EXPECT_EQ(Bytes(file), "[A]\ny=2\n\n[B]\nx=4\n\n[a]\nz=5\n");
  EXPECT_EQ(ReadProfileString(file, "A", "x", "gone"), "gone");
  EXPECT_TRUE(DeleteProfileSection(file, "A"));
  EXPECT_EQ(Bytes(file), "[B]\nx=4\n\n");
  EXPECT_TRUE(DeleteProfileKey(file, "B", "missing"));
  EXPECT_TRUE(DeleteProfileSection(file, "missing"));
  EXPECT_EQ(Bytes(file), "[B]\nx=4\n\n");
  EXPECT_TRUE(DeleteProfileKey(dir_ / "none.ini", "B", "x"));
  EXPECT_FALSE(fs::exists(dir_ / "none.ini"));
}

TEST_F(ProfileTest, ListsSectionKeysInFileOrder) {
  const fs::path file = Put("l.ini", "[L]\nb=1\n;c=2\nA=3\nnoeq\nB=4\n[M]\nd=5\n[l]\ne=6\n");
  EXPECT_EQ(ReadProfileSectionKeys(file, "l"), (std::vector<std::string>{"b", "A"}));
  EXPECT_TRUE(ReadProfileSectionKeys(file, "none").empty());
  EXPECT_TRUE(ReadProfileSectionKeys(dir_ / "none.ini", "L").empty());
}

TEST_F(ProfileTest, FailedWriteLeavesEverythingUntouched) {
  const fs::path blocker = Put("plain", "not a directory\n");
  EXPECT_FALSE(WriteProfileString(blocker / "x.ini", "S", "k", "v"));
  EXPECT_NE(ErrorCode(), 0);
  EXPECT_EQ(Bytes(blocker), "not a directory\n");

  fs::create_directory(dir_ / "sub.ini");
  EXPECT_FALSE(WriteProfileString(dir_ / "sub.ini", "S", "k", "v"));
  EXPECT_NE(ErrorCode(), 0);
}

// A disk that refuses the new text (here a file-size limit, which holds for root too) leaves
// the file as it was, whether the file grows or is written anew.
TEST_F(ProfileTest, RefusedWriteLeavesTheFileAsItWas) {
  const fs::path file = Put("p.ini", "[S]\nk=old\n");
  testing::FileSizeLimit limit(8);
  EXPECT_FALSE(WriteProfileString(file, "S", "k", "a longer value than the disk takes"));
  EXPECT_NE(ErrorCode(), 0);
  EXPECT_FALSE(WriteProfileString(dir_ / "new.ini", "S", "k", "a longer value than that"));
  EXPECT_EQ(Bytes(file), "[S]\nk=old\n");
  EXPECT_FALSE(fs::exists(dir_ / "new.ini"));
}

TEST_F(ProfileTest, ConcurrentWritersDoNotLoseUpdates) {
  const fs::path file = dir_ / "c.ini";
  auto writer = [&](const char* key) {
    for (int i = 1; i <= 20; ++i) WriteProfileString(file, "C", key, std::to_string(i));
  };
  std::thread first(writer, "one"), second(writer, "two");
  first.join();
  second.join();
  EXPECT_EQ(ReadProfileInt(file, "C", "one", 0), 20);
  EXPECT_EQ(ReadProfileInt(file, "C", "two", 0), 20);
}

}  // namespace
}  // namespace trawlex::runtime

namespace trawlex::runtime {
namespace {

TEST(ProfileBatch, WritesSeveralKeysOrNone) {
  testing::TempTree tree;
  const auto file = tree.Write("s.dat", "[Gen]\r\nCase=1\r\n; keep me\r\n[Text]\r\n1=old\r\n");
  ASSERT_TRUE(WriteProfileStrings(file, "Gen", {{"Case", "0"}, {"Word", "1"}}));
  EXPECT_EQ(ReadProfileString(file, "Gen", "Case", ""), "0");
  EXPECT_EQ(ReadProfileString(file, "Gen", "Word", ""), "1");
  EXPECT_EQ(ReadProfileString(file, "Text", "1", ""), "old");
  // One key that cannot be stored: nothing of the batch is written.
  EXPECT_FALSE(WriteProfileStrings(file, "Gen", {{"Case", "5"}, {"Bad=Key", "x"}}));
  EXPECT_EQ(ReadProfileString(file, "Gen", "Case", ""), "0");
}

}  // namespace
}  // namespace trawlex::runtime
