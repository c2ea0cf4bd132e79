#include "runtime/shipped_files.h"

#include <cstdlib>
#include <system_error>

namespace trawlex::runtime {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kDefaultDataDirs = "/usr/local/share:/usr/share";
constexpr std::string_view kAppDirName = "trawlex";

bool IsRegularFile(const fs::path& file) {
  std::error_code ignored;
  return fs::is_regular_file(file, ignored);
}

}  // namespace

std::vector<fs::path> InstalledDataDirs(const fs::path& executable, std::string_view xdgDataDirs) {
  std::vector<fs::path> dirs;
  if (!executable.empty()) {
    dirs.push_back((executable.parent_path() / ".." / "share" / kAppDirName).lexically_normal());
  }
  if (xdgDataDirs.empty()) xdgDataDirs = kDefaultDataDirs;
  while (!xdgDataDirs.empty()) {
    const std::size_t colon = xdgDataDirs.find(':');
    const fs::path entry(xdgDataDirs.substr(0, colon));
    xdgDataDirs = colon == std::string_view::npos ? "" : xdgDataDirs.substr(colon + 1);
    // Relative entries are invalid there and would make the result depend on the current
    // directory.
    if (entry.is_absolute()) dirs.push_back(entry / kAppDirName);
  }
  return dirs;
}

std::vector<fs::path> InstalledDataDirs() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  const char* xdg = std::getenv("XDG_DATA_DIRS");
  return InstalledDataDirs(error ? fs::path() : executable, xdg ? xdg : "");
}

std::optional<fs::path> FindShippedFileIn(std::string_view name, const fs::path& workDir,
                                          const std::vector<fs::path>& dataDirs) {
  if (const fs::path local = workDir / name; IsRegularFile(local)) return local;
  for (const fs::path& dir : dataDirs) {
    if (const fs::path file = dir / name; IsRegularFile(file)) return file;
  }
  return std::nullopt;
}

std::optional<fs::path> FindShippedFile(std::string_view name, const fs::path& workDir) {
  return FindShippedFileIn(name, workDir, InstalledDataDirs());
}

}  // namespace trawlex::runtime
