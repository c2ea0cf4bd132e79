#include "results/file_name_parts.h"

namespace trawlex::results {

FileNameParts SplitFullName(std::string_view fullFileName) {
  const std::size_t slash = fullFileName.rfind('/');
  if (slash == std::string_view::npos) return {{}, std::string(fullFileName)};
  return {std::string(fullFileName.substr(0, slash + 1)),
          std::string(fullFileName.substr(slash + 1))};
}

std::string DirectoryWithoutSlash(std::string_view directory) {
  while (directory.size() > 1 && directory.back() == '/') directory.remove_suffix(1);
  return std::string(directory);
}

}  // namespace trawlex::results
