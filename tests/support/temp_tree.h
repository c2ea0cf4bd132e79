#pragma once
// A fresh directory tree for one test, removed when the test ends.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace trawlex::testing {

class TempTree {
 public:
  TempTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "trawlex-test-XXXXXX").string();
    root_ = mkdtemp(pattern.data());
  }
  // Tests may lock directories to see failures: they are opened up again before removal.
  ~TempTree() {
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::permissions(root_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (auto it = fs::recursive_directory_iterator(root_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
      if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
      }
    }
    fs::remove_all(root_, ignored);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::string path() const { return root_.string() + "/"; }

  // Writes a file (creating its directories) with exactly these bytes.
  std::filesystem::path Write(const std::string& relative, std::string_view bytes) const {
    const std::filesystem::path file = root_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
  }

  std::filesystem::path Dir(const std::string& relative) const {
    const std::filesystem::path dir = root_ / relative;
    std::filesystem::create_directories(dir);
    return dir;
  }

 private:
  std::filesystem::path root_;
};

// Lines joined with CR LF, each line ended, as Veldar tools write them.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace trawlex::testing
