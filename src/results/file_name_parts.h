#pragma once
// A full file name as its directory and its name, the way the actions that leave the program
// and the line-copy window take it apart.

#include <string>
#include <string_view>

namespace trawlex::results {

struct FileNameParts {
  std::string directory;  // up to and including the last '/'; empty for a bare name
  std::string name;
};

FileNameParts SplitFullName(std::string_view fullFileName);

// The directory without its trailing '/', except the root "/", which is nothing without it.
std::string DirectoryWithoutSlash(std::string_view directory);

}  // namespace trawlex::results
