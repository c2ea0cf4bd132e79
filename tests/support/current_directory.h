#pragma once
// Runs a test in a directory of its own: the program's working files (Search.DAT, the
// stores, FeqUseLoad.vlw) are relative names, found in the current directory.

#include <filesystem>

namespace trawlex::testing {

class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::filesystem::path& directory)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(directory);
  }
  ~CurrentDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  std::filesystem::path previous_;
};

}  // namespace trawlex::testing
