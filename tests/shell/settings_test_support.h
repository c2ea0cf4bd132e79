#pragma once
// Helpers shared by the settings tests.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace trawlex::shell::test {

inline std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Permission bits do not stop root, so tests of unwritable directories skip then.
inline bool RunningAsRoot() {
  return ::geteuid() == 0;
}

}  // namespace trawlex::shell::test
