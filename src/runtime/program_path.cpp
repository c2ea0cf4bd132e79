#include "runtime/program_path.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace trawlex::runtime {
namespace {

bool IsExecutableFile(const std::string& file) {
  std::error_code error;
  return std::filesystem::is_regular_file(file, error) && access(file.c_str(), X_OK) == 0;
}

}  // namespace

bool ProgramExistsOn(std::string_view program, std::string_view searchPath) {
  if (program.empty()) return false;
  if (program.find('/') != std::string_view::npos) return IsExecutableFile(std::string(program));
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    std::size_t end = searchPath.find(':', start);
    if (end == std::string_view::npos) end = searchPath.size();
    std::string directory(searchPath.substr(start, end - start));
    if (directory.empty()) directory = ".";
    if (IsExecutableFile(directory + "/" + std::string(program))) return true;
    start = end + 1;
  }
  return false;
}

bool ProgramExists(std::string_view program) {
  const char* path = std::getenv("PATH");
  return ProgramExistsOn(program, path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin");
}

}  // namespace trawlex::runtime
