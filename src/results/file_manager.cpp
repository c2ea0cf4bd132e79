#include "results/file_manager.h"

#include "results/file_name_parts.h"

namespace trawlex::results {

std::string_view ExploreCommandName(ExploreAction action) {
  switch (action) {
    case ExploreAction::TwoPane:
      return kExploreTwoPane;
    case ExploreAction::OnePane:
      return kExploreOnePane;
    case ExploreAction::Folder:
      return kExploreFolder;
    case ExploreAction::Directory:
      break;
  }
  return kExploreDirectory;
}

bool Explore(runtime::Desktop& desktop, ExploreAction action, const std::string& path) {
  if (desktop.ShowInFileManager(path, std::string(ExploreCommandName(action)))) return true;
  const std::string folder = action == ExploreAction::Directory
                                 ? DirectoryWithoutSlash(path)
                                 : DirectoryWithoutSlash(SplitFullName(path).directory);
  const std::string missing = runtime::MissingOpenerNote(desktop);
  runtime::Tell(desktop,
                "Unable to open the file manager.||Folder: " + folder +
                    (missing.empty() ? "" : "||" + missing),
                "Explore", runtime::Icon::Warning);
  return false;
}

}  // namespace trawlex::results
