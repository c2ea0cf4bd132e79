#include "runtime/error_codes.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

namespace trawlex::runtime {
namespace {

struct IdText {
  int id;
  const char* text;
};

class ErrorCodesTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearError(); }
  void TearDown() override {
    for (int id : {2, 81, 97, 98, 99}) SetReplacementText(id, "");
    ClearError();
  }
};

TEST_F(ErrorCodesTest, BuiltInTextsOfEveryGroup) {
  const IdText cases[] = {
      {2, "File Not Found"},
      {5, "Access Denied"},
      {40, "Creates Duplicate Key"},
      {65, "Unable To ROLLBACK Transaction"},
      {78, "Invalid Number Of Parameters "},
      {81, "Unknown Error Posted"},
      {89, "Record Changed By Another Station"},
      {96, "Remote Object Not Found"},
      {301, "Invalid Function"},
      {316, "Invalid Operation For Current Directory"},
      {331, "General Failure"},
      {339, "Handle Disk Full"},
      {350, "Not Supported "},
      {357, "Adapter/Hardware Failure"},
      {380, "File Already Exists"},
      {391, "Unknown Error"},
      {401, "Stack overflow"},
      {403, "Termination caused by signal.  (User break or Floating point)"},
      {410, "Pure Virtual Function Called"},
      {501, "Internal error 01"},
      {509, "Internal error 09"},
      {510, "Internal error 10"},
      {515, "Internal error 15"},
      {520, "Mismatch with VWVBX.DLL detected"},
      {532, "Unable to open MDI window on APPLICATION's thread"},
      {544, "Too Many VBX Hooks"},
      {601, "Invalid DDE channel"},
      {605, "DDE transaction timed out"},
      {800, "Invalid expression for EVALUATE"},
      {802, "Mismatched PUSHSCOPE/POPSCOPE"},
  };
  for (const IdText& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(TextOf(c.id), c.text);
  }
}

TEST_F(ErrorCodesTest, PostingSetsCodeAndTextWithoutTrailingBlanks) {
  const IdText cases[] = {
      {2, "File Not Found"},      {78, "Invalid Number Of Parameters"}, {350, "Not Supported"},
      {506, "Internal error 06"}, {-1, "Unknown Error Posted : -1"},
  };
  for (const IdText& c : cases) {
    SCOPED_TRACE(c.id);
    PostError(c.id);
    EXPECT_EQ(ErrorCode(), c.id);
    EXPECT_EQ(ErrorText(), c.text);
  }
}

TEST_F(ErrorCodesTest, CodesWithoutTextFallBack) {
  const IdText cases[] = {
      {0, "Unknown Error Posted"},  // 0 is looked up as 81
      {1, "Unknown Error Posted : 1"},     {97, "Unknown Error Posted : 97"},
      {300, "Unknown Error Posted : 300"}, {314, "Unknown Error Posted : 314"},
      {411, "Unknown Error Posted : 411"}, {516, "Unknown Error Posted : 516"},
      {-7, "Unknown Error Posted : -7"},
  };
  for (const IdText& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(TextOf(c.id), c.text);
  }
  PostError(97);
  EXPECT_EQ(ErrorCode(), 97);
  EXPECT_EQ(ErrorText(), "Unknown Error Posted : 97");
}

TEST_F(ErrorCodesTest, ReplacementTakesPrecedenceUntilRemoved) {
  SetReplacementText(2, "Nothing There");
  EXPECT_EQ(TextOf(2), "Nothing There");
  PostError(2);
  EXPECT_EQ(ErrorText(), "Nothing There");
  EXPECT_EQ(TextOf(302), "File Not Found");  // other identifiers keep their texts

  SetReplacementText(2, "");
  EXPECT_EQ(TextOf(2), "File Not Found");

  SetReplacementText(97, "Ninety-seven");
  EXPECT_EQ(TextOf(97), "Ninety-seven");
  SetReplacementText(81, "Mystery");
  EXPECT_EQ(TextOf(98), "Mystery : 98");
  EXPECT_EQ(TextOf(0), "Mystery");
}

TEST_F(ErrorCodesTest, PostedTextSkipsLeadingBlanksAndKeeps79Characters) {
  const std::string long100 = std::string(60, 'a') + std::string(40, 'b');
  const struct {
    const char* name;
    std::string replacement;
    std::string expected;
  } cases[] = {
      {"longer than the field", long100, long100.substr(0, 79)},
      {"exactly 79", std::string(79, 'c'), std::string(79, 'c')},
      {"leading blanks", "   Indented Text", "Indented Text"},
      {"blanks then long", "     " + long100, long100.substr(0, 79)},
      {"only blanks", "    ", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SetReplacementText(97, c.replacement);
    PostError(97);
    EXPECT_EQ(ErrorCode(), 97);
    EXPECT_EQ(ErrorText(), c.expected);
  }
  // The fallback text is cut the same way.
  SetReplacementText(81, std::string(76, 'x'));
  PostError(99);
  EXPECT_EQ(ErrorText(), std::string(76, 'x') + " :");
}

TEST_F(ErrorCodesTest, PostingZeroReportsTheOperatingSystemError) {
  const struct {
    int errnoValue;
    int code;
    const char* text;
  } cases[] = {
      {ENOENT, 302, "File Not Found"},
      {EACCES, 305, "Access Denied"},
      {EEXIST, 380, "File Already Exists"},
      {ENOSPC, 339, "Handle Disk Full"},
      {ELOOP, 331, "General Failure"},
      // Beyond the operating-system block: no borrowing of "Internal error 06".
      {ENAMETOOLONG, 506, "Unknown Error Posted : 506"},
      {ENOTEMPTY, 445, "Unknown Error Posted : 445"},
      {0, 300, "Unknown Error Posted : 300"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.errnoValue);
    errno = c.errnoValue;
    PostError(0);
    EXPECT_EQ(ErrorCode(), c.code);
    EXPECT_EQ(ErrorText(), c.text);
    EXPECT_EQ(errno, c.errnoValue);
  }
}

TEST_F(ErrorCodesTest, ErrnoMapsToWindowsNumbers) {
  const struct {
    int errnoValue;
    int osError;
  } cases[] = {
      {ENOENT, 2}, {ENOTDIR, 3},  {EMFILE, 4},  {ENFILE, 4},      {EACCES, 5},         {EPERM, 5},
      {EISDIR, 5}, {EBADF, 6},    {ENOMEM, 8},  {EXDEV, 17},      {EROFS, 19},         {EIO, 31},
      {EBUSY, 32}, {ETXTBSY, 32}, {ENOSPC, 39}, {ENOSYS, 50},     {EOPNOTSUPP, 50},    {ENODEV, 55},
      {ENXIO, 55}, {EEXIST, 80},  {EINVAL, 87}, {ENOTEMPTY, 145}, {ENAMETOOLONG, 206}, {EAGAIN, 31},
      {ELOOP, 31}, {-4, 31},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.errnoValue);
    EXPECT_EQ(OsErrorNumber(c.errnoValue), c.osError);
  }
}

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "trawlex-err-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

TEST_F(ErrorCodesTest, MissingDirectoryOnTheWayIsPathNotFound) {
  TempDir dir;
  std::filesystem::create_directory(dir / "present");
  const struct {
    std::string path;
    int osError;
  } cases[] = {
      {dir / "absent.txt", 2},
      {dir / "present/absent.txt", 2},
      {dir / "absent/file.txt", 3},
      {dir / "absent/deeper/file.txt", 3},
      {dir / "absent/", 2},  // names the directory itself, whose parent exists
      {"trawlex-no-such-file.txt", 2},
      {"", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    errno = EINTR;
    EXPECT_EQ(OsErrorNumber(ENOENT, c.path), c.osError);
    EXPECT_EQ(errno, EINTR);  // looking at the disk leaves errno alone
  }

  const std::string inMissingDir = dir / "absent/file.txt";
  ASSERT_EQ(::open(inMissingDir.c_str(), O_RDONLY), -1);
  PostOsError(errno, inMissingDir);
  EXPECT_EQ(ErrorCode(), 303);
  EXPECT_EQ(ErrorText(), "Path Not Found");
}

TEST_F(ErrorCodesTest, EachThreadHasItsOwnError) {
  PostError(5);
  int seenAtStart = -1;
  int postedThere = -1;
  std::thread other([&] {
    seenAtStart = ErrorCode();
    errno = ENOENT;
    PostError(0);
    postedThere = ErrorCode();
  });
  other.join();
  EXPECT_EQ(seenAtStart, 0);
  EXPECT_EQ(postedThere, 302);
  EXPECT_EQ(ErrorCode(), 5);
  EXPECT_EQ(ErrorText(), "Access Denied");

  std::thread clearing([] { ClearError(); });
  clearing.join();
  EXPECT_EQ(ErrorCode(), 5);
}

TEST_F(ErrorCodesTest, ClearErrorResetsCodeAndText) {
  PostError(403);
  ASSERT_NE(ErrorCode(), 0);
  ClearError();
  EXPECT_EQ(ErrorCode(), 0);
  EXPECT_EQ(ErrorText(), "");
}

}  // namespace
}  // namespace trawlex::runtime
