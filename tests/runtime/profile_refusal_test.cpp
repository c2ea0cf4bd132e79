// Settings files whose names stand for something other than a regular file of sane size: reads
// take them as missing, writes fail and leave them as they are, and the caller learns why.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <vector>

#include "runtime/error_codes.h"
#include "support/directory_snapshot.h"
#include "support/finishes_in_child.h"
#include "runtime/profile.h"
#include "support/temp_tree.h"

namespace trawlex::runtime {
namespace {

namespace fs = std::filesystem;

void PutProfile(const fs::path& file, std::uintmax_t size) {
  std::ofstream(file, std::ios::binary) << "[S]\nk=v\n";
  fs::resize_file(file, size);
}

void MakeSocket(const fs::path& file) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, file.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  ::close(fd);  // the socket's name stays
}

TEST(ProfileRefusal, OnlyARegularFileOfSaneSizeIsReadOrWritten) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> make;
    const char* refusal;  // what follows the file's name; nullptr when the file is used
  };
  const Case cases[] = {
      {"regular file", [](const fs::path& f) { PutProfile(f, 8); }, nullptr},
      {"largest size", [](const fs::path& f) { PutProfile(f, kProfileSizeLimit); }, nullptr},
      {"one byte too large", [](const fs::path& f) { PutProfile(f, kProfileSizeLimit + 1); },
       " is larger than 16 MiB, too large for a settings file"},
      {"directory", [](const fs::path& f) { fs::create_directory(f); },
       " is a directory, not a settings file"},
      {"named pipe", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0600), 0); },
       " is a named pipe, not a settings file"},
      {"link to /dev/zero", [](const fs::path& f) { fs::create_symlink("/dev/zero", f); },
       " is a character device, not a settings file"},
      {"dangling link", [](const fs::path& f) { fs::create_symlink("gone.ini", f); },
       " is a symbolic link to a missing file, not a settings file"},
      {"link loop", [](const fs::path& f) { fs::create_symlink(f.filename(), f); },
       " is a symbolic link loop, not a settings file"},
      {"socket", MakeSocket, " is a socket, not a settings file"},
  };
  testing::TempTree tree;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path dir = tree.Dir("case" + std::to_string(&c - cases));
    const fs::path file = dir / "Search.DAT";
    c.make(file);
    const std::string before = trawlex::testing::DirectorySnapshot(dir);
    // Writing the value the file already holds changes nothing where the file is used.
    if (!testing::FinishesInChild([&] {
          ReadProfileString(file, "S", "k", "");
          ProfileFileRefusal(file);
          WriteProfileString(file, "S", "k", "v");
        })) {
      ADD_FAILURE() << "blocked, or read without end";
      continue;  // here it would hang the run
    }

    if (!c.refusal) {
      EXPECT_EQ(ProfileFileRefusal(file), std::nullopt);
      EXPECT_EQ(ReadProfileString(file, "S", "k", "default"), "v");
      EXPECT_TRUE(WriteProfileString(file, "S", "k", "w"));
      EXPECT_EQ(ReadProfileString(file, "S", "k", ""), "w");
      continue;
    }
    EXPECT_EQ(ProfileFileRefusal(file), file.string() + c.refusal);
    EXPECT_EQ(ReadProfileString(file, "S", "k", "default"), "default");
    EXPECT_EQ(ReadProfileInt(file, "S", "k", 7), 7);
    EXPECT_FALSE(WriteProfileString(file, "S", "k", "w"));
    EXPECT_EQ(ErrorCode(), 305);
    EXPECT_EQ(ErrorText(), std::string("Search.DAT") + c.refusal);
    EXPECT_FALSE(DeleteProfileSection(file, "S"));
    EXPECT_EQ(trawlex::testing::DirectorySnapshot(dir), before) << "a refused file stays as it was";
  }
  EXPECT_TRUE(fs::is_character_file("/dev/zero"));
}

}  // namespace
}  // namespace trawlex::runtime
