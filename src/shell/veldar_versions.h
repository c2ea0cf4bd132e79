#pragma once
// The Veldar development environments the first-start setup knows, newest first, and where
// an installed one keeps its working directory: key "workdir" of the environment's section
// in win.ini (the stand-in for the Windows profile that the installers wrote to).

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace trawlex::shell {

struct VeldarVersion {
  int index;                   // place in the table, from 1
  std::string_view version;    // as the installers name it: "6.0", "5.5", "2"
  std::string_view shortForm;  // as the help file names it: V60Help.HLP
};

inline constexpr std::array<VeldarVersion, 8> kVeldarVersions{{
    {1, "9", "9"},
    {2, "8", "8"},
    {3, "7", "7"},
    {4, "6.0", "60"},
    {5, "5.5", "55"},
    {6, "5", "5"},
    {7, "4", "4"},
    {8, "2", "2"},
}};

// The versions whose help file is looked for, newest first (indexes 4 to 8): the later
// environments ship no help file of that form.
std::span<const VeldarVersion> HelpFileVersions();

// The version (or any profile text) as a number: its leading decimal number after blanks,
// with an optional sign and fraction; 0 when it does not start with one. "6.0" gives 6.
double VersionNumber(std::string_view text);

// The working directory of an installed environment, or blank when it is not installed:
// the first non-blank "workdir" of the sections "Veldar <version>  Enterprise Edition" (two
// blanks, as the installers wrote it), "Veldar <version>" and, for version "2" only,
// "Veldar for Windows V2.0".
std::string WorkingDirectoryOf(std::string_view version, const std::filesystem::path& winIni);

}  // namespace trawlex::shell
