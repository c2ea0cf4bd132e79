#pragma once
// Where the files Trawlex ships (the look file, the Windows type table) are found: the working
// directory first, so a user's own copy wins, then the installed data directories.

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace trawlex::runtime {

// The data directories of an installation, in search order: `<exe dir>/../share/trawlex`
// (the prefix the program was installed to, wherever that is), then `<entry>/trawlex` for each
// absolute entry of `xdgDataDirs` (unset or empty: /usr/local/share:/usr/share).
std::vector<std::filesystem::path> InstalledDataDirs(const std::filesystem::path& executable,
                                                     std::string_view xdgDataDirs);

// The same for this process: /proc/self/exe and $XDG_DATA_DIRS.
std::vector<std::filesystem::path> InstalledDataDirs();

// The first regular file `name` in `workDir`, then in `dataDirs`.
std::optional<std::filesystem::path> FindShippedFileIn(
    std::string_view name, const std::filesystem::path& workDir,
    const std::vector<std::filesystem::path>& dataDirs);

// FindShippedFileIn over this process's installed data directories.
std::optional<std::filesystem::path> FindShippedFile(std::string_view name,
                                                     const std::filesystem::path& workDir);

}  // namespace trawlex::runtime
