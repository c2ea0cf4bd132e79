#include "engine/load_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "runtime/names.h"
#include "support/ordinary_user.h"
#include "support/temp_tree.h"

namespace trawlex::engine {
namespace {

namespace fs = std::filesystem;

TEST(ParseSpecs, Segments) {
  using S = SpecQueue;
  const struct {
    std::string spec;
    SpecQueue expected;
  } cases[] = {
      {"*.vlw; *.inc;", S{{"*.vlw", 0}, {"*.inc", 0}}},
      {";;", S{}},
      {"*;", S{}},     // a one-character segment is ignored
      {"*.vlw", S{}},  // only a ';' ends a segment
      {"   ;*.vlw   ;  ", S{{"*.vlw", 0}}},
      {"*.*;~*.bak;~x;", S{{"*.*", 0}, {"*.bak", 1}, {"x", 1}}},
      {"a;bc;d;", S{{"bc", 0}}},
      {"  0123456789012345678901234567;", S{{"012345678901234567890123", 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.spec);
    const SpecQueue specs = ParseSpecs(c.spec);
    ASSERT_EQ(specs.size(), c.expected.size());
    for (std::size_t i = 0; i < specs.size(); ++i) {
      EXPECT_EQ(specs[i].spec, c.expected[i].spec);
      EXPECT_EQ(specs[i].tilde, c.expected[i].tilde);
    }
  }
}

TEST(FileKindOf, Extensions) {
  using K = FileKind;
  const EngineSettings defaults;
  EngineSettings datIsVeldar;  // the settings win over the fixed kinds and the skip list
  datIsVeldar.extVeldar = "vlwdat";
  datIsVeldar.extTemplates = "exe";
  const struct {
    const EngineSettings& settings;
    std::optional<FileKind> kind;
    std::vector<std::string> names;
  } cases[] = {
      {defaults, K::PlainText, {"readme", "x.h", "x.jpeg", "x.", "x.v", "x.in", "x.c.bak"}},
      {defaults, K::Veldar, {"x.vlw", "x.inc", "x.int", "x.vla", "x.vli", "X.VLW", "x.vlwx"}},
      {defaults, K::Template, {"x.tpl", "x.tpw", "x.tpx", "x.tpd"}},
      {defaults, K::TextExport, {"x.txa"}},
      {defaults, K::Style, {"x.sty"}},
      {defaults, K::C, {"x.c", "x.cpp", "X.CPP", "a.exe.c"}},
      {defaults, K::Asp, {"x.asp"}},
      {defaults, K::Php, {"x.php"}},
      {defaults, K::Vb, {"x.bas", "x.frm", "x.cls"}},
      {defaults, K::VbNet, {"x.vb"}},
      {defaults, std::nullopt, {"x.exe", "x.DLL", "x.dat", "x.$$$", "x.ap~", "x.dbf", "x.zip "}},
      {datIsVeldar, K::Veldar, {"x.dat", "x.vlw"}},
      {datIsVeldar, K::Template, {"x.exe"}},
      {datIsVeldar, K::PlainText, {"x.inc"}},
  };
  for (const auto& c : cases) {
    for (const std::string& name : c.names) {
      SCOPED_TRACE(name);
      EXPECT_EQ(FileKindOf(name, c.settings), c.kind);
    }
  }
}

class LoadFilesTest : public ::testing::Test {
 protected:
  void Put(const std::string& path, std::size_t size = 0) {
    fs::create_directories(fs::path(root_ + path).parent_path());
    std::ofstream(root_ + path, std::ios::binary) << std::string(size, 'x');
  }
  std::string Lower() const { return runtime::LowerName(root_); }
  ScanDirQueue Dirs(bool subdirs, int levels) {
    return BuildDirList(Lower(), root_, subdirs, levels);
  }
  FileSet Load(const std::string& spec, bool subdirs = false, int levels = 0) {
    return LoadFiles(Lower(), root_, spec, subdirs, levels, EngineSettings{});
  }
  // "subdir|name|realName|kind" of every file, in list order.
  static std::vector<std::string> Describe(const FileQueue& files) {
    std::vector<std::string> out;
    for (const FileEntry& f : files) {
      out.push_back(f.subdir.str() + "|" + f.name.str() + "|" + f.realName + "|" +
                    std::to_string(static_cast<int>(f.fileType)));
    }
    return out;
  }
  testing::TempTree tree_;
  std::string root_ = tree_.path();
};

using Lines = std::vector<std::string>;

TEST_F(LoadFilesTest, LevelsDisplayNamesAndOrder) {
  Put("Src/lib/deep/deeper/x.vlw");
  Put("doc/readme");
  Put("a-b/x.vlw");
  Put(".git/x.vlw");
  Put("a_very_long_directory/x.vlw");

  // Every directory of the tree in list order: relative real path, level, display name.
  const Lines tree = {"|0|",
                      "a-b/|1|a-b",
                      "a_very_long_directory/|1|a_very_long",
                      "doc/|1|doc",
                      "Src/|1|Src",
                      "Src/lib/|2|\xBBlib",
                      "Src/lib/deep/|3|\xBB\xBB"
                      "deep",
                      "Src/lib/deep/deeper/|4|\xBB\xBB\xBB"
                      "deeper"};
  const struct {
    bool subdirs;
    int levels;
    char deepest;
  } cases[] = {{false, 5, '0'}, {true, 0, '0'}, {true, 1, '1'}, {true, 3, '3'}, {true, 255, '4'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.levels);
    Lines expected;
    for (const std::string& dir : tree) {
      if (dir[dir.find('|') + 1] <= c.deepest) expected.push_back(dir);
    }
    Lines got;
    for (const ScanDirEntry& d : Dirs(c.subdirs, c.levels)) {
      EXPECT_EQ(d.fPathBs, runtime::LowerName(d.realPath));
      got.push_back(d.realPath.substr(root_.size()) + "|" + std::to_string(d.level) + "|" +
                    d.subdir.str());
    }
    EXPECT_EQ(got, expected);
  }
}

TEST_F(LoadFilesTest, SymlinkLoopsEndAndLinkedDirectoriesAreFollowed) {
  Put("src/x.vlw");
  Put("other/y.vlw");
  fs::create_directory_symlink(root_, root_ + "src/loop");
  fs::create_directory_symlink(root_ + "src", root_ + "src/self");
  fs::create_directory_symlink(root_ + "other", root_ + "src/linked");
  fs::create_directory_symlink(root_ + "other/y.vlw", root_ + "src/file-link");

  Lines got;
  for (const ScanDirEntry& d : Dirs(true, 8)) got.push_back(d.realPath.substr(root_.size()));
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0], "");
  EXPECT_EQ(got[2], "src/");
  EXPECT_TRUE(got[1] == "other/" || got[1] == "src/linked/") << got[1];  // whichever came first
}

TEST_F(LoadFilesTest, FilesByDirectoryThenName) {
  Put("b.vlw", 5);
  Put("A.vlw");
  Put("a.vlw");
  Put("c.inc");
  Put("x.bak");
  Put("Y.BAK");
  Put("x.exe");
  Put("readme");
  Put("sub/z.c");
  Put("sub/deep/w.vb");
  Put("empty/x.dll");

  std::vector<std::string> status;
  const FileSet set = LoadFiles(Lower(), root_, "*.vlw; *.*;~*.bak;", true, 2, EngineSettings{},
                                [&](const std::string& s) { status.push_back(s); });
  EXPECT_EQ(Describe(set.files), (Lines{"|a.vlw|A.vlw|1", "|a.vlw|a.vlw|1", "|b.vlw|b.vlw|1",
                                        "|c.inc|c.inc|1", "|readme|readme|5", "sub|z.c|z.c|6",
                                        "\xBB"
                                        "deep|w.vb|w.vb|11"}));
  ASSERT_EQ(set.dirs.size(), 4u);
  const std::int64_t fileCnts[] = {5, 0, 1, 1};  // start, empty, sub, sub/deep
  for (std::size_t d = 0; d < set.dirs.size(); ++d) {
    EXPECT_EQ(set.dirs[d].fileCnt, fileCnts[d]) << d;
    EXPECT_EQ(status[d], set.dirs[d].fPathBs);
  }
  EXPECT_EQ(set.files[2].size, 5);
  // Listing names only finds the same files, without examining them.
  const FileSet names = LoadFiles(Lower(), root_, "*.vlw; *.*;~*.bak;", true, 2, EngineSettings{},
                                  {}, FileDetails::NamesOnly);
  EXPECT_EQ(Describe(names.files), Describe(set.files));
  EXPECT_EQ(names.files[2].size, 0);
  EXPECT_EQ(set.files[5].subdirNum, 3u);
  EXPECT_EQ(set.files[6].subdirNum, 4u);
  EXPECT_EQ(set.specs.size(), 3u);
}

TEST_F(LoadFilesTest, NamesKeepTheirBytesAndLongNamesTheirFullName) {
  const std::string latin = "\xC9T\xC9.vlw";  // Windows-1252, not UTF-8
  const std::string utf8 = "\xC3\x89T\xC3\x89.vlw";
  const std::string longName = std::string(70, 'L') + ".vlw";
  const std::string longDir = std::string(250, 'D');
  Put(latin);
  Put(utf8);
  Put(longDir + "/" + longName);
  const FileSet set = Load("*.vlw;", true, 1);
  EXPECT_EQ(Describe(set.files),
            (Lines{"|\xC3\x89t\xC3\x89.vlw|" + utf8 + "|1", "|\xE9t\xE9.vlw|" + latin + "|1",
                   "DDDDDDDDDDD|" + std::string(68, 'l') + "|" + longName + "|1"}));
  ASSERT_EQ(set.dirs.size(), 2u);
  EXPECT_EQ(set.dirs[1].fPathBs, (Lower() + std::string(250, 'd') + "/").substr(0, 254));
  EXPECT_EQ(set.dirs[1].realPath, root_ + longDir + "/");
}

TEST_F(LoadFilesTest, DirectoriesThatCannotBeReadAreToldOnce) {
  Put("x.vlw");
  Put("locked/y.vlw");
  Put("open/z.vlw");
  const FileSet none = Load("*;");
  EXPECT_TRUE(none.files.empty());

  const std::string notADir = root_ + "x.vlw/";
  const FileSet fromFile =
      LoadFiles(runtime::LowerName(notADir), notADir, "*.*;", true, 3, EngineSettings{});
  EXPECT_EQ(fromFile.dirs.size(), 1u);
  EXPECT_TRUE(fromFile.files.empty());
  ASSERT_EQ(fromFile.unreadable.size(), 1u);  // the starting directory itself
  EXPECT_EQ(fromFile.unreadable[0].error.text, "Path Not Found");

  // A directory that vanished after the directory list was built.
  const ScanDirQueue dirs = Dirs(true, 2);
  ASSERT_EQ(dirs.size(), 3u);
  fs::remove_all(root_ + "open");
  FileQueue files;
  const SpecQueue specs = ParseSpecs("*.vlw;");
  runtime::OsError failure;
  EXPECT_EQ(ListOneDirectory(dirs[2], 3, specs, EngineSettings{}, files, {}, &failure), 0);
  EXPECT_EQ(failure.text, "File Not Found");
  EXPECT_EQ(ListOneDirectory(dirs[1], 2, specs, EngineSettings{}, files), 1);
  EXPECT_EQ(Describe(files), (Lines{"locked|y.vlw|y.vlw|1"}));
  Put("open/z.vlw");

  // A directory that cannot be listed, and one that can be listed but not entered.
  Put("dark/w.vlw");
  ASSERT_EQ(chmod(root_.c_str(), 0755), 0);  // open to the ordinary user of the check
  ASSERT_EQ(chmod((root_ + "locked").c_str(), 0), 0);
  ASSERT_EQ(chmod((root_ + "dark").c_str(), 0444), 0);
  const bool told = testing::AsOrdinaryUser([&] {
    const FileSet set = Load("*.vlw;", true, 2);
    std::vector<std::string> unreadable;
    for (const UnreadableDirectory& d : set.unreadable) {
      unreadable.push_back(d.realPath + "|" + d.error.text);
    }
    return Describe(set.files) == Lines{"|x.vlw|x.vlw|1", "open|z.vlw|z.vlw|1"} &&
           unreadable == Lines{root_ + "dark/|Access Denied", root_ + "locked/|Access Denied"};
  });
  chmod((root_ + "locked").c_str(), 0700);
  chmod((root_ + "dark").c_str(), 0700);
  EXPECT_TRUE(told);
}

}  // namespace
}  // namespace trawlex::engine
