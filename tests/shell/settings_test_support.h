#pragma once
// Helpers shared by the settings tests.

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

}  // namespace trawlex::shell::test
